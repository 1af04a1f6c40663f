// The Field Filtering screen's decisions: editing the expression, OK with
// and without a pass, Cancel after a cancelled pass, saved field filters
// byte for byte, and the criterion screens' normalisation of typed texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "AppOptions.h"
#include "FakePorts.h"
#include "FieldFilterEditor.h"
#include "KinFixture.h"
#include "NamedFiles.h"
#include "StartupTables.h"
#include "TestHelpers.h"

namespace {

std::unique_ptr<CFilterCriterion> SexIs(char letter, const char* text) {
  auto c = std::make_unique<CFilterCriterion>(ffield::kSex, fkind::kCode);
  c->value1 = letter;
  c->text1 = std::make_unique<std::string>(text);
  return c;
}

std::unique_ptr<CFilterCriterion> NameContains(const char* text) {
  auto c = std::make_unique<CFilterCriterion>(ffield::kName, fkind::kName);
  c->op = 2;
  c->text1 = std::make_unique<std::string>(text);
  return c;
}

class FieldFilterEditorTest : public KinFamilyFixture {
 protected:
  void SetUp() override {
    KinFamilyFixture::SetUp();
    plat::SetProgressPort(&progress);
    for (const char* name : {"Anna", "Bo", "Cai"}) Person(name, name[0] == 'A' ? 'F' : 'M');
  }
  void TearDown() override {
    plat::SetProgressPort(nullptr);
    KinFamilyFixture::TearDown();
  }
  plat::FakeProgress progress;
};

TEST_F(FieldFilterEditorTest, EditingTheExpression) {
  CFieldFilterEditor editor(nullptr, CFilterSet::kOr, false);
  EXPECT_EQ(editor.Lines(), std::vector<std::string>{""});
  EXPECT_FALSE(editor.SaveEnabled());
  editor.Insert(NameContains("berg"));
  EXPECT_TRUE(editor.SaveEnabled());
  editor.InsertToken(CFilterCriterion::kAnd);
  editor.Insert(SexIs('F', "Female"));
  EXPECT_EQ(editor.Lines(),
            (std::vector<std::string>{"Name Contains berg", "AND", "Sex Matches Female", ""}));
  EXPECT_EQ(editor.Selected(), 3);

  editor.Select(0);
  editor.InsertToken(CFilterCriterion::kOpenParen);  // before the selected line
  EXPECT_EQ(editor.Lines()[0], "(");
  EXPECT_EQ(editor.Selected(), 1);
  editor.Select(0);
  editor.MoveUp();  // the first line stays
  EXPECT_EQ(editor.Lines()[0], "(");
  editor.MoveDown();
  EXPECT_EQ(editor.Lines()[1], "(");
  EXPECT_EQ(editor.Selected(), 1);
  editor.Select(3);
  editor.MoveDown();  // the last criterion stays
  EXPECT_EQ(editor.Lines()[3], "Sex Matches Female");
  editor.Select(4);
  editor.MoveUp();  // the blank line never moves
  EXPECT_EQ(editor.Lines()[3], "Sex Matches Female");

  editor.Select(1);
  editor.Remove();
  EXPECT_EQ(editor.Lines()[1], "AND");
  EXPECT_EQ(editor.Selected(), 1);
  editor.RemoveAll();
  EXPECT_EQ(editor.LineCount(), 1);
  EXPECT_EQ(editor.Selected(), 0);
  EXPECT_FALSE(editor.SaveEnabled());

  CFieldFilterEditor readOnly(nullptr, CFilterSet::kAnd, true);
  readOnly.Insert(NameContains("x"));
  EXPECT_FALSE(readOnly.SaveEnabled());
}

TEST_F(FieldFilterEditorTest, OkRunsThePassOnlyForAChangedExpression) {
  CFieldFilterEditor fresh(nullptr, CFilterSet::kOr, false);
  EXPECT_EQ(fresh.OK(nullptr), CFieldFilterEditor::kClosed);  // empty, no set: nothing made
  EXPECT_EQ(fresh.Set(), nullptr);

  CFieldFilterEditor editor(nullptr, CFilterSet::kOr, false);
  editor.Insert(SexIs('M', "Male"));
  editor.InsertToken(CFilterCriterion::kAnd);
  FilterSyntaxFault fault;
  EXPECT_EQ(editor.OK(&fault), CFieldFilterEditor::kSyntaxFault);
  EXPECT_EQ(fault.textId, 3561);
  EXPECT_EQ(fault.line, 1);
  editor.Select(1);
  editor.Remove();
  ASSERT_EQ(editor.OK(&fault), CFieldFilterEditor::kClosed);
  EXPECT_TRUE(editor.PassRan());
  std::unique_ptr<CFilterSet> set = editor.TakeCreatedSet();
  ASSERT_TRUE(set);
  EXPECT_EQ(set->combineOp, CFilterSet::kOr);
  EXPECT_EQ(set->GetCount(CFilterSet::kFieldSet), 2);

  // Reopened without a change: no pass, set 0 keeps what it holds.
  set->SetInSet(CFilterSet::kFieldSet, 1, 1);
  CFieldFilterEditor again(set.get(), CFilterSet::kAnd, false);
  EXPECT_TRUE(again.IsUnchanged());
  EXPECT_EQ(again.OK(nullptr), CFieldFilterEditor::kClosed);
  EXPECT_FALSE(again.PassRan());
  EXPECT_EQ(set->GetCount(CFilterSet::kFieldSet), 3);
  EXPECT_EQ(progress.titles.size(), 1u);
}

TEST_F(FieldFilterEditorTest, CancelAfterACancelledPassRestoresTheSet) {
  for (int i = 0; i < 150; ++i) Person("Filler", 'F');
  CFilterSet set;
  set.criteria.push_back(SexIs('M', "Male"));
  CFieldFilter::RunPass(set);
  const int before = set.GetCount(CFilterSet::kFieldSet);
  ASSERT_EQ(before, 2);

  CFieldFilterEditor editor(&set, CFilterSet::kAnd, false);
  editor.Select(0);
  editor.Remove();
  editor.Insert(SexIs('F', "Female"));
  progress.cancelAfter = 1;
  ASSERT_EQ(editor.OK(nullptr), CFieldFilterEditor::kPassCancelled);
  // The screen keeps its expression while the set holds copies of it.
  EXPECT_EQ(editor.Lines()[0], "Sex Matches Female");
  ASSERT_EQ(set.criteria.size(), 1u);
  EXPECT_NE(set.criteria[0].get(), editor.Edited()[0].get());

  editor.Cancel();
  ASSERT_EQ(set.criteria.size(), 1u);
  EXPECT_EQ(set.criteria[0]->GetDescription(), "Sex Matches Male");
  EXPECT_EQ(set.GetCount(CFilterSet::kFieldSet), before);
  EXPECT_EQ(set.IsInSet(CFilterSet::kFieldSet, 2), 1);
  EXPECT_EQ(set.IsInSet(CFilterSet::kFieldSet, 1), 0);
}

TEST_F(FieldFilterEditorTest, SavedFieldFiltersByteForByte) {
  CNamedFileEnumerator files(".fld");
  files.SetFolder(dir.Path());
  ASSERT_EQ(files.CreateNamedFile("My list"), 1);
  const std::string path = files.CreatedPath();
  EXPECT_EQ(std::filesystem::path(path).filename(), "Mylist01.fld");

  CFieldFilterEditor editor(nullptr, CFilterSet::kAnd, false);
  editor.Insert(NameContains("berg"));
  editor.InsertToken(CFilterCriterion::kAnd);
  editor.Insert(SexIs('F', "F"));
  ASSERT_EQ(editor.SaveFieldFilter(path, "My list"), 0);
  static const char kBytes[] =
      "\x1E\xFF"                          // marker
      "\x08\x00My list\x00"               // name with its zero
      "\x00\x00"                          // no owner
      "\xC0\x12\x02\x00\x00\x00\x02\x00"  // Name, kind 2, full name, Contains
      "\x04\x04\x00"
      "berg"                                  // text 1
      "\x00\x00\x00\x00\x00\x00\x00\x00"      // values
      "\x01"                                  // another follows
      "\xBF\x12\x00\x00\x00\x00\x00\x00\x00"  // AND, nothing present
      "\x00\x00\x00\x00\x00\x00\x00\x00"
      "\x01"
      "\xC2\x12\x07\x00\x00\x00\x00\x00"  // Sex, kind 7, Matches
      "\x04\x01\x00"
      "F"
      "\x46\x00\x00\x00\x00\x00\x00\x00"
      "\x00";
  const std::string expected(kBytes, sizeof kBytes - 1);
  EXPECT_EQ(ReadAll(path), expected);

  CFieldFilterEditor reader(nullptr, CFilterSet::kAnd, false);
  ASSERT_EQ(reader.RetrieveFieldFilter(path, "My list"), 0);
  EXPECT_EQ(reader.Lines(), editor.Lines());
  EXPECT_EQ(reader.fieldListName, "My list");
  ASSERT_TRUE(reader.Set());
  EXPECT_EQ(reader.Set()->name, "My list");

  // A file that ends inside its header leaves the expression as it was.
  const std::string bad = dir.File("Broken01.fld");
  WriteAll(bad, std::string("\x1E\xFF\x09\x00Bro", 7));
  EXPECT_EQ(reader.RetrieveFieldFilter(bad, "Broken"), -1);
  EXPECT_EQ(reader.Lines(), editor.Lines());
  EXPECT_EQ(reader.fieldListName, "Broken");

  // Overwrite keeps an owner the file names, and a failed write leaves it.
  ASSERT_EQ(WriteNamedFile(path, "My list", "family.orv", "\x00"), 0);
  ASSERT_EQ(editor.SaveFieldFilter(path, "My list"), 0);
  plat::FileHandle file;
  ASSERT_EQ(file.Open(path, plat::FileHandle::Access::ReadOnly), plat::kFileOk);
  CNamedFileHeader header;
  ASSERT_EQ(header.Read(file), 30);
  EXPECT_EQ(header.owner, "family.orv");
  EXPECT_EQ(editor.SaveFieldFilter(dir.File("missing/Nope0001.fld"), "Nope"), -1);
}

TEST(FieldFilterCriterionTexts, OkNormalisesWhatWasTyped) {
  struct Case {
    int kind;
    int op;
    const char* t1;
    const char* t2;
    int op2;
    const char* out1;
    const char* out2;
  };
  const Case cases[] = {
      {fkind::kName, 0, "*Bob*", "x", 2, "Bob", ""},        // stars round: Contains
      {fkind::kName, 1, "*Bob* Robert", "", 3, "Bob", ""},  // Does not contain
      {fkind::kName, 0, "Rob*ert", "", 0, "Rob*", ""},      // cut after the star
      {fkind::kName, 0, "*son", "", 0, "*son", ""},         // a leading star stays
      {fkind::kName, 2, "a*b", "", 2, "ab", ""},
      {fkind::kName, 6, "x", "y", 6, "", ""},
      {fkind::kName, 10, "a*", "*z", 10, "a", "z"},
      {fkind::kText, 0, "*x*", "", 2, "x", ""},
      {fkind::kText, 4, "x", "y", 4, "", ""},
      {fkind::kText, 8, "*a", "b*", 8, "a", "b"},
      {fkind::kText, 0, "Oslo, Norway", "", 0, "Oslo, Norway", ""},  // no comma rule
      {fkind::kPlace, 0, "Oslo, Akershus, Norway", "", 0, "Oslo,Akershus,Norway", ""},
      {fkind::kPlace, 8, "A, B", "C, D", 8, "A,B", "C,D"},
      {fkind::kPlace, 6, "m*", "z", 6, "m", ""},
  };
  for (const Case& c : cases) {
    auto op = static_cast<std::uint16_t>(c.op);
    std::string t1 = c.t1, t2 = c.t2;
    NormalizeCriterionTexts(c.kind, op, t1, t2);
    EXPECT_EQ(op, c.op2) << c.kind << " " << c.t1;
    EXPECT_EQ(t1, c.out1) << c.kind << " " << c.t1;
    EXPECT_EQ(t2, c.out2) << c.kind << " " << c.t1;
  }
}

}  // namespace

TEST(FieldFilterNotesTags, UserTagsElseTheStandardListWithoutAll) {
  plat::MemoryProfile profile;
  plat::SetProfilePort(&profile);
  LoadStandardNoteTags();
  const std::vector<std::string> standard = NotesCriterionTags();
  ASSERT_FALSE(standard.empty());
  EXPECT_EQ(standard.front(), "BIOGRAPHY:");
  EXPECT_EQ(std::count(standard.begin(), standard.end(), "All"), 0);

  // The user's list, up to its first gap; "all" in any case is left out.
  SetNoteTag(1, "All");
  SetNoteTag(2, "MILITARY:");
  SetNoteTag(3, "ALL");
  SetNoteTag(4, "CENSUS:");
  SetNoteTag(6, "LATER:");
  EXPECT_EQ(NotesCriterionTags(), (std::vector<std::string>{"MILITARY:", "CENSUS:"}));
  FreeStandardNoteTags();
  plat::SetProfilePort(nullptr);
}
