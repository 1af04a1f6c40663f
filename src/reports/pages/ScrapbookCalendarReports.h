#pragma once
// Makes the Scrapbook (kind 7) and the Event Calendar (kind 10) available to
// the report job and its print set-up.

#include <functional>

class CBitSet;

namespace rpt {

void RegisterScrapbookAndCalendar();

// The chosen individuals (the filter set's result) that the Scrapbook prints
// with its list option and the Event Calendar always; the screens install
// it. Without one (or when it answers null) nobody is chosen.
void SetScrapbookCalendarSetSource(std::function<const CBitSet*()> source);

}  // namespace rpt
