#pragma once
// Makes the Family Group Record (kind 2) available to the report job: its
// paginator, its clean-up and its page generator.

namespace rpt {
void RegisterFamilyGroupRecord();
}
