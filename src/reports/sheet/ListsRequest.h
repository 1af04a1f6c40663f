#pragma once
// What a run of the Lists page puts into ReportRequest, by the chosen list:
// the RIN, MRIN and name ranges, the marriage sort, the end-of-line choice
// and the two ZEL lists' values.

#include <cstdint>
#include <functional>
#include <string>

#include "ReportKinds.h"

namespace rpt {

// The Lists page's choices that reach the request.
struct ListsChoice {
  int listIndex = 0;  // 0..14: report kind 100 + index
  std::int32_t rinStart = 0, rinEnd = 0;
  std::string nameStart, nameEnd;  // alphabetical list
  int marriageSort = 0;            // 0 by MRIN, else by name
  std::int32_t mrinStart = 0, mrinEnd = 0;
  std::string marriageNameStart, marriageNameEnd;
  bool problemsByName = false;
  std::string problemsNameStart, problemsNameEnd;
  int endOfLine = 0;
  std::int32_t startingRin = 0;  // the sheet's starting person
  std::int32_t sourceRin = 0;    // citations list: the source chosen for it, 0 none
  int zelMode = 0, zelCount = 0;
  std::string zelNameStart, zelNameEnd;
  int sealMode = 0, sealCount = 0;
  std::int32_t sealMrinStart = 0, sealMrinEnd = 0;
};

// The individual at or after (last: at or before) a name in the name order;
// 0 when there is none.
using NameOrderLookup = std::function<std::int32_t(const std::string& name, bool last)>;
// The lookup through the open family file's name index.
std::int32_t FindInNameOrder(const std::string& name, bool last);

// Fills the request for the chosen list; false when no report starts (a
// problems list by name with nobody in its range, a citations list without
// a source).
bool FillListsRequest(const ListsChoice& choice, ReportRequest& request,
                      const NameOrderLookup& lookup = FindInNameOrder);

}  // namespace rpt
