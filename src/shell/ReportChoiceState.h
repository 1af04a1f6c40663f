#pragma once
// The choices of the Reports and Charts sheet that last from one opening of
// the sheet to the next: the starting person, the Pedigree chart numbers,
// the Family Group starting couple and the list ranges. The application
// object creates it when the sheet first opens and deletes it at exit; the
// sheet gives the fields their meaning.

#include <array>
#include <string>

class CReportChoiceState {
 public:
  CReportChoiceState();

  int startingRin = 0;
  int pedigreeMrin = 0;
  int pedigreeFirstChart = 1;
  int startSameAs = 1;
  int onChart = 1;
  int continuationStart = 2;
  int familyGroupRin = 0;
  int familyGroupMrin = -1;
  int chosenMarriage = -1;
  int parentFamily = -1;
  int role = 0;
  int blankRole = 0;
  std::string primaryName;
  std::string spouseName;
  int coupleSet = 0;
  // RIN range start and end, MRIN range start and end, a second RIN range
  // start and end; -1 is the first or last live record.
  std::array<int, 6> rangeNumbers{-1, -1, -1, -1, -1, -1};
  // Alphabetic start and end name, marriage start and end name, two further
  // names; each end starts as "Z".
  std::array<std::string, 6> rangeTexts;
};
