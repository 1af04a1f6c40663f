#pragma once
// File > Reports: the Reports and Charts sheet on the active main view, with
// the Pedigree and Family Group pages. The sheet opens again at once when a
// check stopped a print after it had closed.

#include <cstdint>

class CKorApp;

void RegisterReportSheetCommands(CKorApp& app);
