#pragma once
// Global Search and Replace: a text replaced by another in every place name
// of the family file (the places of the individuals' events, the marriages
// and the user events) or in every multimedia item's file name, first
// occurrence per text.

#include <cstdint>
#include <string>

class CEventValue;
namespace plat {
class ProgressPort;
}

// Replaces the first occurrence of search in text (upper-cased comparison
// unless caseSensitive). A replacement longer than search that already
// stands at the found position is not applied again. 1 and the result in
// out, or 0 with out equal to text.
int ReplaceText(const std::string& text, const std::string& search, const std::string& replacement,
                bool caseSensitive, std::string& out);

class CGlobalReplaceJob {
 public:
  static constexpr int kMultimediaTarget = 0;
  static constexpr int kPlacesTarget = 1;

  int target = kMultimediaTarget;
  std::string search;
  std::string replacement;
  bool caseSensitive = false;

  // The event's place joined with ", ", replaced and split back into its four
  // parts: true when it changed.
  bool ReplaceInPlace(CEventValue& event) const;
  // Every place of the individuals, marriages and user events; records that cannot be
  // read, or whose new places cannot be stored, are passed over. progress (may be
  // null) is set every 100 records and its Cancel ends the run after the current
  // record, keeping the changes. The number of places changed.
  std::uint32_t ReplacePlaces(plat::ProgressPort* progress) const;
  // Every multimedia item's file name; items that cannot be read, or whose
  // new name cannot be stored, are passed over. Progress and Cancel as for
  // the places. The number of items changed.
  std::uint32_t ReplaceMultimediaNames(plat::ProgressPort* progress) const;
  // The chosen target under a progress window captioned title, ending with
  // the count of changes in a message box. Another target does nothing and
  // answers -1.
  long Run(plat::ProgressPort& progress, const std::string& title) const;
};

// The OK rule of the dialog: a search text that differs from the replacement.
bool CanReplace(const std::string& search, const std::string& replacement);
