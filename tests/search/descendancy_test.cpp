// The Descendancy List's lines and history on a family built through the
// database calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DescendancyList.h"
#include "KinFixture.h"

namespace {

class DescendancyTest : public KinFamilyFixture {
 protected:
  std::vector<std::string> Texts(const std::vector<kin::DescendancyLine>& lines) {
    std::vector<std::string> out;
    for (const auto& line : lines) out.push_back(line.text);
    return out;
  }
  static std::string Born(int year) { return "\t\t" + Date(year).FormatColumns(false, 0, false); }
  static CDateValue Date(int year) {
    CDateValue d;
    d.Set(year, 3, 12);
    return d;
  }
};

TEST_F(DescendancyTest, LoneIndividualShowsOneLine) {
  const std::int32_t alone = Person("Ensam", 'M');
  kin::CDescendancyList list(alone, &measure, 0);
  ASSERT_EQ(list.Lines().size(), 1u);
  EXPECT_EQ(list.Lines()[0].text, "Ensam Lind\t\t\t\t\t\t\t\t\t\t");
  EXPECT_EQ(list.CurrentLine(), 0);
}

TEST_F(DescendancyTest, FamilyFrameWithIndentsMarksAndUnknownParent) {
  const std::int32_t mother = Person("Mor", 'F', 1900);
  const std::int32_t parents = Marry(0, mother);
  const std::int32_t me = ChildOf(parents, "Jag", 'M', 1925);
  const std::int32_t sister = ChildOf(parents, "Syster", 'F', 1927);
  const std::int32_t wife = Person("Hustru", 'F', 1926);
  const std::int32_t marriage = Marry(me, wife);
  const std::int32_t son = ChildOf(marriage, "Son", 'M', 1950);
  ChildOf(Marry(son, 0), "Barnbarn", 'M');
  // A christening in place of a birth, and a burial in place of a death.
  CIndividualRecord record;
  ASSERT_EQ(family::Read(record, sister), 1);
  record.birth.date.Reset();
  record.christening.date = Date(1928);
  record.burial.date = Date(1990);
  ASSERT_EQ(family::Update(record, 0), 1);
  // Another parent family after a separator.
  const std::int32_t foster = Person("Fosterfar", 'M');
  const std::int32_t fosters = Marry(foster, 0);
  Child(fosters, me);

  kin::CDescendancyList list(me, &measure, 0);
  const std::string none = "\t\t\t\t\t";
  EXPECT_EQ(Texts(list.Lines()),
            (std::vector<std::string>{
                "UNKNOWN",
                "Mor Lind" + Born(1900) + none,
                "   <\tJag Lind" + Born(1925) + none,
                "      Hustru Lind" + Born(1926) + none,
                "         <\tSon Lind" + Born(1950) + none,
                "   \tSyster Lind\t*\t" + Date(1928).FormatColumns(false, 0, false) + "\t*\t" +
                    Date(1990).FormatColumns(false, 0, false),
                std::string(300, '-'),
                "Fosterfar Lind" + none + none,
                "UNKNOWN",
                "   <\tJag Lind" + Born(1925) + none,
            }));
  EXPECT_EQ(list.CurrentLine(), 2);
  EXPECT_EQ(list.Lines()[0].rin, 0);
  EXPECT_EQ(list.Lines()[4].rin, son);
}

TEST_F(DescendancyTest, ClicksMoveAndChoosingASeparatorIsRefused) {
  const std::int32_t father = Person("Far", 'M');
  const std::int32_t parents = Marry(father, 0);
  const std::int32_t me = ChildOf(parents, "Jag", 'M');
  kin::CDescendancyList list(me, &measure, 0);
  ASSERT_EQ(list.Lines().size(), 3u);
  EXPECT_FALSE(list.GoToLine(1));  // the missing mother
  EXPECT_FALSE(list.GoToLine(2));  // the current individual
  EXPECT_EQ(list.Choose(1), 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Invalid Selection");
  EXPECT_EQ(list.Choose(99), me);  // beyond the lines: the last line
  EXPECT_TRUE(list.GoToLine(0));
  EXPECT_EQ(list.Current(), father);
  EXPECT_TRUE(list.History().CanGoBack());
  list.Previous();
  EXPECT_EQ(list.Current(), me);
  EXPECT_TRUE(list.History().CanGoForward());
  list.Next();
  EXPECT_EQ(list.Current(), father);
}

TEST_F(DescendancyTest, FillerLinesKeepTheSelectedLineAndCountAsTheLastRealOne) {
  // The second wife stands on line 9; her own list has two lines (herself
  // and her husband), so filler lines follow up to line 9.
  const std::int32_t father = Person("Far", 'M');
  const std::int32_t parents = Marry(father, 0);
  const std::int32_t me = ChildOf(parents, "Jag", 'M');
  const std::int32_t first = Marry(me, 0);
  for (const char* name : {"A", "B", "C", "D", "E"}) ChildOf(first, name, 'M');
  const std::int32_t second = Person("Andra", 'F');
  Marry(me, second);
  kin::CDescendancyList list(me, &measure, 0);
  ASSERT_EQ(list.Lines().size(), 10u);
  ASSERT_EQ(list.Lines()[9].rin, second);
  EXPECT_FALSE(list.HasFiller());
  ASSERT_TRUE(list.GoToLine(9));
  EXPECT_EQ(list.RealLineCount(), 2);
  EXPECT_EQ(list.Lines().size(), 10u);
  EXPECT_TRUE(list.HasFiller());
  EXPECT_EQ(list.Lines()[5].text, "");
  EXPECT_FALSE(list.GoToLine(6));
  EXPECT_EQ(list.Choose(7), me);  // the last real line: her husband

  // Keys stop at the last real line (1) while the filler stands.
  using Key = kin::CDescendancyList::ListKey;
  struct Case {
    Key key;
    int selected, target;
  } cases[] = {{Key::kPageDown, 0, 1}, {Key::kPageDown, 9, 1}, {Key::kEnd, 0, 1},
               {Key::kDown, 0, -1},    {Key::kDown, 1, 1},     {Key::kRight, 1, 1},
               {Key::kRight, 0, -1},   {Key::kDown, 9, 1}};
  for (const Case& c : cases)
    EXPECT_EQ(list.KeyTarget(c.key, c.selected, 20), c.target)
        << static_cast<int>(c.key) << " from " << c.selected;
  // Back with the first line selected: no filler.
  list.Previous(0);
  EXPECT_EQ(list.Current(), me);
  EXPECT_FALSE(list.HasFiller());
  EXPECT_EQ(list.KeyTarget(Key::kEnd, 0, 20), -1);  // the list's own End
}

TEST(DescendancyHistory, OldestEntryGoesAfter32AndForwardEntriesAreDropped) {
  kin::CDescendancyHistory history;
  for (int rin = 1; rin <= 33; ++rin) history.Push(rin);
  EXPECT_EQ(history.Index(), 31);
  EXPECT_EQ(history.At(0), 2);
  EXPECT_EQ(history.At(31), 33);
  EXPECT_EQ(history.Back(), 32);
  EXPECT_EQ(history.Back(), 31);
  history.Push(100);
  EXPECT_EQ(history.Current(), 100);
  EXPECT_FALSE(history.CanGoForward());
  EXPECT_EQ(history.Last(), history.Index());
  kin::CDescendancyHistory fresh;
  EXPECT_FALSE(fresh.CanGoBack());
  EXPECT_EQ(fresh.Back(), 0);
}

}  // namespace
