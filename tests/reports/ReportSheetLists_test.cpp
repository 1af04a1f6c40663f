// What each list of the Lists page puts into the request.

#include <gtest/gtest.h>

#include "ListsRequest.h"

namespace {

using namespace rpt;

ListsChoice Choice() {
  ListsChoice c;
  c.rinStart = 10;
  c.rinEnd = 90;
  c.nameStart = "Adams";
  c.nameEnd = "Baker";
  c.mrinStart = 3;
  c.mrinEnd = 30;
  c.marriageNameStart = "Cole";
  c.marriageNameEnd = "Dunn";
  c.problemsNameStart = "Ellis";
  c.problemsNameEnd = "Ford";
  c.endOfLine = 1;
  c.startingRin = 7;
  c.zelMode = 2;
  c.zelCount = 5;
  c.zelNameStart = "Gale";
  c.zelNameEnd = "Hunt";
  c.sealMode = 1;
  c.sealCount = 4;
  c.sealMrinStart = 8;
  c.sealMrinEnd = 80;
  return c;
}

// Names from "E" on are in the family: "Ellis" is RIN 21, the last before
// "Fordz" RIN 44.
std::int32_t Lookup(const std::string& name, bool last) {
  if (name.empty() || name[0] > 'F' || name[0] < 'E') return 0;
  return last ? 44 : 21;
}

TEST(ReportSheetLists, RequestByList) {
  struct Case {
    const char* name;
    int list;
    void (*change)(ListsChoice&);
    int mode, startRin, endRin, count;
    const char *nameStart, *nameEnd;
  } cases[] = {
      {"by RIN", 2, nullptr, -1, 10, 90, -1, "", ""},
      {"alphabetical", 3, nullptr, -1, -1, -1, -1, "Adams", "Bakerz"},
      {"marriages by MRIN", 4, nullptr, 0, 3, 30, -1, "", ""},
      {"marriages by name", 4, [](ListsChoice& c) { c.marriageSort = 1; }, 1, -1, -1, -1, "Cole",
       "Dunnz"},
      {"problems by RIN", 5, nullptr, -1, 10, 90, -1, "", ""},
      {"problems by name", 5, [](ListsChoice& c) { c.problemsByName = true; }, -1, 21, 44, -1, "",
       ""},
      {"end of line from the person", 6, nullptr, 1, 7, -1, -1, "", ""},
      {"end of line of all", 6, [](ListsChoice& c) { c.endOfLine = 0; }, 0, 0, -1, -1, "", ""},
      {"ZEL ordinances", 12, nullptr, 2, -1, -1, 5, "Gale", "Hunt"},
      {"ZEL sealings", 13, nullptr, 1, 8, 80, 4, "", ""},
      {"family summary", 14, nullptr, -1, 7, -1, -1, "", ""},
      {"unlinked", 0, nullptr, -1, -1, -1, -1, "", ""},
      {"places", 8, nullptr, -1, -1, -1, -1, "", ""},
  };
  for (const Case& c : cases) {
    ListsChoice choice = Choice();
    choice.listIndex = c.list;
    if (c.change) c.change(choice);
    ReportRequest request;
    request.mode = request.startRin = request.endRin = request.count = -1;
    ASSERT_TRUE(FillListsRequest(choice, request, Lookup)) << c.name;
    EXPECT_EQ(request.mode, c.mode) << c.name;
    EXPECT_EQ(request.startRin, c.startRin) << c.name;
    EXPECT_EQ(request.endRin, c.endRin) << c.name;
    EXPECT_EQ(request.count, c.count) << c.name;
    EXPECT_EQ(request.nameStart, c.nameStart) << c.name;
    EXPECT_EQ(request.nameEnd, c.nameEnd) << c.name;
  }
}

TEST(ReportSheetLists, ProblemsRangeWithNobodyStartsNothing) {
  ListsChoice choice = Choice();
  choice.listIndex = 5;
  choice.problemsByName = true;
  choice.problemsNameStart = "Zane";
  ReportRequest request;
  EXPECT_FALSE(FillListsRequest(choice, request, Lookup));
}

}  // namespace
