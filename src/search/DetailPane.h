#pragma once
// The detail pane of the Individual List: the texts shown for the
// individual under the cursor, read from the open family file.

#include <cstdint>
#include <string>

#include "TextMeasure.h"

struct CDetailPaneTexts {
  std::string name;
  std::string sex;  // "M", "F" or a blank
  std::string sbn;
  std::string id;
  // Birth, christening, death, burial.
  std::string eventDate[4];
  std::string eventPlace[4];
  // Baptism, endowment, sealing to parents: date and temple code (for a
  // baptism recorded with a place, its "Place if living"); with the
  // qualification, the state's headline and the reason instead (the
  // ordinance's own date and temple when it is done).
  std::string ordinanceDate[3];
  std::string ordinanceTemple[3];
  // With the qualification: the state of each (kZelQualified ...), else -1.
  int ordinanceState[3] = {-1, -1, -1};
  // Father and mother: name, "B:" or "C:" and the date.
  std::string parentName[2];
  std::string parentLabel[2];
  std::string parentDate[2];
  // The first two marriages: the spouse and the marriage date.
  std::string spouseName[2];
  std::string marriageDate[2];
};

// The pane for individual rin; all empty when it cannot be read. With
// qualification, the ordinance lines tell whether each ordinance qualifies
// for a temple-names submission.
CDetailPaneTexts ReadDetailPane(std::int32_t rin, const plat::TextMeasure* dc,
                                bool qualification = false);
