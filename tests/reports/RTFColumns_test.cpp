#include <gtest/gtest.h>

#include "PersistentFile.h"
#include "RTFColumns.h"
#include "RTFTestSupport.h"

namespace {

void FillExample(CRTFColumnLayout& layout) {
  layout.Add(std::make_unique<CRTFColumnSpan>(1, 720, 2000, 'l'));
  layout.Add(std::make_unique<CRTFColumnSpan>(2, 2100, 4000, 'r'));
  layout.Add(std::make_unique<CRTFColumnSpan>(3, 4100, 9000, 'l'));
}

TEST(RTFColumnLayout, TabStopsAreRelativeToTheOrigin) {
  struct Case {
    const char* name;
    std::vector<CRTFColumnSpan> spans;
    int margin;
    int origin;
    const char* stops;
  } cases[] = {
      {"three columns",
       {{1, 720, 2000, 'l'}, {2, 2100, 4000, 'r'}, {3, 4100, 9000, 'l'}},
       720,
       720,
       "0 3280|r 3380 "},
      {"margin left of the first column",
       {{1, 720, 2000, 'l'}, {2, 2100, 4000, 'r'}, {3, 4100, 9000, 'l'}},
       500,
       500,
       "220 3500|r 3600 "},
      {"first column right-aligned, wide margin",
       {{1, 720, 2000, 'r'}, {2, 2100, 4000, 'l'}},
       3000,
       2000,
       "0|r 100 "},
      {"first column right-aligned, narrow margin",
       {{1, 720, 2000, 'r'}, {2, 2100, 4000, 'l'}},
       720,
       720,
       "1280|r 1380 "},
      {"centred column is a left stop",
       {{4, 1000, 3000, 'c'}, {5, 3000, 5000, 'c'}},
       720,
       720,
       "280 2280 "},
      {"no columns", {}, 720, 0, ""},
  };
  for (const Case& c : cases) {
    CRTFColumnLayout layout;
    for (const CRTFColumnSpan& span : c.spans) layout.Add(std::make_unique<CRTFColumnSpan>(span));
    EXPECT_EQ(layout.GetTabOrigin(c.margin), c.origin) << c.name;
    EXPECT_EQ(layout.BuildTabStops(c.margin), c.stops) << c.name;
  }
}

TEST(RTFColumnLayout, TheLayoutBecomesTabStops) {
  CRTFColumnLayout layout;
  FillExample(layout);
  EXPECT_EQ(RtfOf(CRTFTabSet(layout.BuildTabStops(720))), R"(\pard\tx0\tqr \tx3280\tx3380)");
}

TEST(RTFColumnLayout, FindsSpansByIdAndByExtent) {
  CRTFColumnLayout layout;
  FillExample(layout);
  layout.Add(std::make_unique<CRTFColumnSpan>(2, 9100, 9500, 'l'));  // a second span of id 2
  EXPECT_EQ(layout.FindById(CRTFColumnSpan(1, 0, 0, 'l')), 0);
  EXPECT_EQ(layout.FindById(CRTFColumnSpan(2, 0, 0, 'r')), 1);
  EXPECT_EQ(layout.FindById(CRTFColumnSpan(7, 720, 2000, 'l')), -1);

  struct Case {
    int left, right, index;
  } extents[] = {
      {720, 2000, 0},    // exactly the span
      {800, 1900, 0},    // inside
      {2100, 2100, 1},   // a point on the edge
      {1900, 2200, -1},  // straddles the first two
      {600, 800, -1},    // starts left of the first
      {9100, 9200, 3},  {8000, 9200, -1},
  };
  for (const Case& c : extents)
    EXPECT_EQ(layout.FindContaining(CRTFColumnSpan(0, c.left, c.right, 'l')), c.index)
        << c.left << ".." << c.right;
}

TEST(RTFColumnSpan, ComparesAndMatchesById) {
  CRTFColumnSpan a(1, 0, 10, 'l'), b(2, 0, 10, 'l'), a2(1, 50, 60, 'r');
  EXPECT_LT(a.Compare(&b), 0);
  EXPECT_GT(b.Compare(&a), 0);
  EXPECT_EQ(a.Compare(&a2), 0);
  EXPECT_EQ(a.Compare(nullptr), -1);
  EXPECT_TRUE(a.Matches(&a2));
  EXPECT_FALSE(a.Matches(&b));
  EXPECT_FALSE(a.Matches(nullptr));
  EXPECT_FALSE(a.Contains(nullptr));
}

TEST(RTFRowEntries, ReportTheirColumns) {
  CRTFColumnLayout layout;
  FillExample(layout);
  struct Case {
    const char* name;
    std::unique_ptr<CRTFReportObject> entry;
    const CRTFColumnLayout* layout;
    int offset;
    int index;
  };
  std::vector<Case> cases;
  cases.push_back(
      {"column in the layout", std::make_unique<CRTFReportColumnEntry>(3, "c"), &layout, 0, 2});
  cases.push_back({"column not in the layout", std::make_unique<CRTFReportColumnEntry>(9, "c"),
                   &layout, 0, -1});
  cases.push_back(
      {"no first layout", std::make_unique<CRTFReportColumnEntry>(1, "c"), nullptr, 0, -1});
  cases.push_back({"heading is its own id",
                   std::make_unique<CRTFReportColumnHeaderEntry>(5, "Name"), nullptr, 0, 5});
  cases.push_back({"position inside a column",
                   std::make_unique<CRTFReportColumnPosEntry>(2200, 3900, "p"), &layout, 0, 1});
  cases.push_back({"position moved by the origin",
                   std::make_unique<CRTFReportColumnPosEntry>(2300, 4100, "p"), &layout, 100, 1});
  cases.push_back({"position straddling two columns",
                   std::make_unique<CRTFReportColumnPosEntry>(1900, 2200, "p"), &layout, 0, -1});
  cases.push_back({"position without a layout",
                   std::make_unique<CRTFReportColumnPosEntry>(800, 900, "p"), nullptr, 0, -1});
  cases.push_back({"the base has no column", std::make_unique<CRTFReportObject>(), &layout, 0, -1});
  for (const Case& c : cases)
    EXPECT_EQ(c.entry->GetColumnIndex(c.layout, c.offset), c.index) << c.name;
}

std::vector<std::string> Texts(const CPersistentArray& row) {
  std::vector<std::string> texts;
  for (CObject* item : row) texts.push_back(dynamic_cast<CRTFReportObject&>(*item).GetText());
  return texts;
}

TEST(RTFRowEntries, AddToRowOrdersByColumn) {
  CPersistentArray row;
  CRTFReportColumnEntry third(3, "three"), first(1, "one"), second(2, "two");
  EXPECT_EQ(third.AddToRow(row), 0);
  EXPECT_EQ(first.AddToRow(row), 0);
  EXPECT_EQ(second.AddToRow(row), 0);
  EXPECT_EQ(CRTFReportColumnHeaderEntry(0, "heading").AddToRow(row), 0);
  EXPECT_EQ(CRTFReportObject().AddToRow(row), 0);
  EXPECT_EQ(Texts(row), (std::vector<std::string>{"one", "two", "three"}));

  CPersistentArray positions;
  CRTFReportColumnPosEntry(5000, 6000, "right").AddToRow(positions);
  CRTFReportColumnPosEntry(100, 900, "left").AddToRow(positions);
  CRTFReportColumnPosEntry(2000, 3000, "middle").AddToRow(positions);
  EXPECT_EQ(Texts(positions), (std::vector<std::string>{"left", "middle", "right"}));
}

TEST(RTFRowEntries, CompareAndText) {
  CRTFReportColumnEntry a(1, "a"), b(4, "b");
  CRTFReportColumnHeaderEntry h(2, "Head");
  EXPECT_LT(a.Compare(&b), 0);
  EXPECT_GT(b.Compare(&h), 0);
  EXPECT_EQ(a.Compare(nullptr), -1);
  EXPECT_EQ(CRTFReportColumnEntry(INT32_MIN, "").Compare(&b), -1);  // no overflow
  h.SetText("Heading");
  EXPECT_EQ(h.GetText(), "Heading");
  EXPECT_EQ(CRTFReportObject().GetText(), "");
}

TEST(RTFRowEntries, StoredFormComesBack) {
  CPersistentFile stream;
  stream.OpenMemory();
  CRTFReportColumnEntry column(7, "seven");
  CRTFReportColumnHeaderEntry heading(8, "Eight");
  CRTFReportColumnPosEntry position(100, 200, "pos");
  ASSERT_TRUE(stream.WriteObject(&column));
  ASSERT_TRUE(stream.WriteObject(&heading));
  ASSERT_TRUE(stream.WriteObject(&position));
  stream.Close();

  CPersistentFile back;
  back.OpenMemory(stream.MemoryContents());
  CRTFColumnLayout layout;
  layout.Add(std::make_unique<CRTFColumnSpan>(8, 0, 50, 'l'));
  layout.Add(std::make_unique<CRTFColumnSpan>(7, 50, 300, 'l'));
  std::unique_ptr<CPersistentObject> object;
  ASSERT_TRUE(back.ReadObject(object));
  auto* c = dynamic_cast<CRTFReportColumnEntry*>(object.get());
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->GetText(), "seven");
  EXPECT_EQ(c->GetColumnIndex(&layout, 0), 1);
  ASSERT_TRUE(back.ReadObject(object));
  auto* h = dynamic_cast<CRTFReportColumnHeaderEntry*>(object.get());
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->GetText(), "Eight");
  EXPECT_EQ(h->GetColumnIndex(nullptr, 0), 8);
  ASSERT_TRUE(back.ReadObject(object));
  auto* p = dynamic_cast<CRTFReportColumnPosEntry*>(object.get());
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->GetText(), "pos");
  EXPECT_EQ(p->GetColumnIndex(&layout, 0), 1);
  EXPECT_EQ(p->GetColumnIndex(&layout, 90), -1);  // 10..110 straddles
}

}  // namespace
