// Notes stored and removed through the notes session, the tag entry rule
// and the Notes Selector's tag list with its settings.

#include <gtest/gtest.h>

#include <functional>

#include "../family/NodeFixture.h"
#include "CodePage.h"
#include "FakePorts.h"
#include "NotesEditing.h"
#include "WriteFaultRun.h"

namespace {

using notes::CNotesSession;
using notes::EditGate;

EditGate Granted() {
  return {[] { return false; }, [] { return true; }};
}

class NotesTest : public NodeFamilyFixture {
 protected:
  void SetUp() override {
    NodeFamilyFixture::SetUp();
    ann = Add("Lund", "Ann", 'F');
    bo = Add("Lund", "Bo", 'M');
    mrin = Marry(bo, ann);
    ASSERT_GT(mrin, 0);
  }
  std::int32_t ann = 0, bo = 0, mrin = 0;

  static std::string Stored(std::int32_t rin, char kind) {
    return DbGetNotes(rin, 0, kind == 'M' ? db::kMarriage : db::kIndividual, 0, 1, 0);
  }
};

TEST_F(NotesTest, SaveTrimsByKindAndBlankTextDeletes) {
  struct Case {
    char kind;
    std::string typed;
    std::string stored;
  } cases[] = {
      {'I', "  \r\nBorn at sea.  \r\n\r\n", "Born at sea."},
      {'M', "  \r\nWed in May. \r\n", "Wed in May. \r\n"},
  };
  for (const Case& c : cases) {
    const std::int32_t rin = c.kind == 'M' ? mrin : ann;
    CNotesSession session(c.kind, rin, "");
    session.Load();
    EXPECT_EQ(session.Save(c.typed, Granted()), notes::kSaved);
    EXPECT_EQ(Stored(rin, c.kind), c.stored) << c.kind;
    EXPECT_NE(session.FirstNoteBlock(), 0);

    // Only blanks and line ends remove the notes again.
    CNotesSession again(c.kind, rin, "");
    again.Load();
    EXPECT_EQ(again.Save(" \r\n \t", Granted()), notes::kSaved);
    EXPECT_EQ(Stored(rin, c.kind), "") << c.kind;
    EXPECT_EQ(again.FirstNoteBlock(), 0) << c.kind;
  }
  // An individual without notes stays without a note block.
  CNotesSession none('I', bo, "");
  none.Load();
  none.Save("\r\n  \r\n", Granted());
  EXPECT_EQ(DbGetNoteBlock(bo, db::kIndividual), 0);
}

// A pasted note that would lose characters asks before it is stored; one
// whose letters the family file holds is stored letter for letter.
TEST_F(NotesTest, ANoteThatWouldLoseCharactersAsksFirst) {
  const int saved = plat::ActiveCodePage();
  plat::SetActiveCodePage(plat::kCodePageWestern);
  CNotesSession session('I', ann, "");
  session.Load();
  boxes.QueueAnswer(plat::kIdNo);
  EXPECT_EQ(session.Save("Half: \xBD", Granted()), 0);
  EXPECT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(Stored(ann, 'I'), "");
  boxes.QueueAnswer(plat::kIdNo);
  EXPECT_EQ(session.Save("?", Granted(), 1), 0);  // a CJK letter given as '?'
  EXPECT_EQ(boxes.Calls().size(), 2u);
  boxes.QueueAnswer(plat::kIdYes);
  EXPECT_EQ(session.Save("Half: \xBD", Granted()), notes::kSaved);
  EXPECT_EQ(Stored(ann, 'I'), "Half: ?");
  const std::string polish = plat::Utf8ToAnsi("Urodzony w \u0141odzi");
  EXPECT_EQ(session.Save(polish, Granted()), notes::kSaved);
  EXPECT_EQ(boxes.Calls().size(), 3u);
  EXPECT_EQ(Stored(ann, 'I'), polish);
  plat::SetActiveCodePage(saved);
}

TEST_F(NotesTest, TaggedNotesReadSaveDeleteAndResults) {
  ASSERT_NE(DbSetNotes(ann, "Intro text.\r\n\r\nBIRTH: At home.\r\n\r\nDEATH: In 1950.", 0, 0,
                       db::kIndividual),
            0);
  CNotesSession birth('I', ann, "BIRTH:");
  EXPECT_EQ(birth.Load(), "At home.");
  EXPECT_TRUE(birth.TaggedTextFound());
  // Cancel after tagged text was read answers 1, so the selector refreshes.
  EXPECT_EQ(birth.CancelResult(), notes::kSaved);
  EXPECT_EQ(birth.Save("In the old farmhouse.", Granted()), notes::kSaved);
  EXPECT_EQ(DbGetTaggedNote(ann, "BIRTH:", 0, 0, db::kIndividual), "In the old farmhouse.");
  EXPECT_NE(Stored(ann, 'I').find("Intro text."), std::string::npos);

  CNotesSession burial('I', ann, "BURIAL:");
  burial.Load();
  EXPECT_FALSE(burial.TaggedTextFound());
  EXPECT_EQ(burial.CancelResult(), notes::kCancelled);

  unsigned asked = 0;
  CNotesSession death('I', ann, "DEATH:");
  death.Load();
  EXPECT_EQ(death.Delete(Granted(), [&](unsigned id) { return asked = id, true; }),
            notes::kDeleted);
  EXPECT_EQ(asked, 7149u);
  EXPECT_EQ(DbGetTaggedNote(ann, "DEATH:", 0, 0, db::kIndividual), "");
  EXPECT_NE(Stored(ann, 'I').find("In the old farmhouse."), std::string::npos);

  // Whole notes: refused confirmation keeps them; OK removes all.
  CNotesSession all('I', ann, "");
  all.Load();
  EXPECT_EQ(all.Delete(Granted(), [&](unsigned id) { return asked = id, false; }), 0);
  EXPECT_EQ(asked, 7148u);
  EXPECT_NE(Stored(ann, 'I'), "");
  EXPECT_EQ(all.Delete(Granted(), [](unsigned) { return true; }), notes::kDeleted);
  EXPECT_EQ(DbGetNoteBlock(ann, db::kIndividual), 0);

  CNotesSession marriage('M', mrin, "");
  EXPECT_EQ(marriage.DeleteQuestion(), 7206u);
}

// Notes that did not reach the file are not reported saved or deleted (the
// dialog stays open with the text): whatever write fails, an answer of
// success finds the file, opened again, as the call left it without a fault.
TEST_F(NotesTest, ASaveOrDeleteReportedDoneIsOnTheFile) {
  ASSERT_NE(DbSetNotes(ann, "Intro text.\r\n\r\nBIRTH: At home.", 0, 0, db::kIndividual), 0);
  struct Case {
    const char* what;
    char kind;
    const char* tag;
    std::function<int(CNotesSession&)> op;
    int done;
  } const cases[] = {
      {"individual's notes saved", 'I', "",
       [](CNotesSession& s) { return s.Save("Born at sea.", Granted()); }, notes::kSaved},
      {"marriage's notes saved", 'M', "",
       [](CNotesSession& s) { return s.Save("Wed in May.", Granted()); }, notes::kSaved},
      {"tagged paragraph saved", 'I', "BIRTH:",
       [](CNotesSession& s) { return s.Save("In the old farmhouse.", Granted()); }, notes::kSaved},
      {"notes deleted", 'I', "",
       [](CNotesSession& s) { return s.Delete(Granted(), [](unsigned) { return true; }); },
       notes::kDeleted},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::int32_t rin = c.kind == 'M' ? mrin : ann;
    const auto op = [&] {
      CNotesSession session(c.kind, rin, c.tag);
      session.Load();
      return c.op(session);
    };
    ExpectDoneIsOnTheFile(family, op, c.done, [&] { return Stored(rin, c.kind); });
  }
}

TEST_F(NotesTest, GateRefusesAndReadOnlyShows3411) {
  CNotesSession session('I', ann, "");
  session.Load();
  const EditGate refused{[] { return false; }, [] { return false; }};
  EXPECT_EQ(session.Save("Kept out.", refused), 0);
  EXPECT_EQ(Stored(ann, 'I'), "");
  const EditGate readOnly{[] { return true; }, [] { return true; }};
  EXPECT_EQ(session.Save("Kept out.", readOnly), 0);
  ASSERT_FALSE(boxes.Calls().empty());
  EXPECT_NE(boxes.Calls().back().text.find("read only device"), std::string::npos);
  EXPECT_EQ(Stored(ann, 'I'), "");
  // Unchanged text stores nothing and needs no password.
  EXPECT_EQ(session.Save("", refused), notes::kSaved);
}

TEST_F(NotesTest, LoggedNotesChangeWritesModifyNotesLine) {
  CurrentDatabase->host.logChanges = true;
  CNotesSession session('I', ann, "");
  session.Load();
  session.Save("Logged.", Granted());
  EXPECT_NE(Log().find("12:00 Mod Nts " + std::to_string(ann) + "\r\n"), std::string::npos)
      << Log();
}

TEST_F(NotesTest, DittoOffersRelativesWithNotesAndReadsTheirText) {
  using notes::DittoSource;
  const std::int32_t first = Add("Lund", "Cai", 'M');
  const std::int32_t second = Add("Lund", "Dag", 'M');
  AddChild(mrin, first);
  AddChild(mrin, second);
  ASSERT_NE(DbSetNotes(bo, "Smith.\r\n\r\nBIRTH: In Lund.", 0, 0, db::kIndividual), 0);
  ASSERT_NE(DbSetNotes(first, "~Hidden line.\r\n\r\nSailor.", 0, 0, db::kIndividual), 0);
  const std::int32_t block = DbGetNoteBlock(first, db::kIndividual);

  notes::CNotesDitto ditto('I', second, block, ann);
  EXPECT_EQ(ditto.Source(DittoSource::kFather), bo);
  EXPECT_EQ(ditto.Source(DittoSource::kMother), ann);
  EXPECT_EQ(ditto.Source(DittoSource::kOlderSibling), first);
  struct Case {
    DittoSource source;
    bool enabled;
    std::string all, birth;
  } cases[] = {
      {DittoSource::kLastRecord, true, "~Hidden line.\r\n\r\nSailor.", ""},
      {DittoSource::kFather, true, "Smith.\r\n\r\nBIRTH: In Lund.", "In Lund."},
      {DittoSource::kMother, false, "", ""},  // Ann has no notes
      {DittoSource::kOlderSibling, true, "~Hidden line.\r\n\r\nSailor.", ""},
      {DittoSource::kPrimary, false, "", ""},
  };
  for (const Case& c : cases) {
    const int at = static_cast<int>(c.source);
    EXPECT_EQ(ditto.Enabled(c.source), c.enabled) << at;
    EXPECT_EQ(ditto.Text(c.source, ""), c.all) << at;
    EXPECT_EQ(ditto.Text(c.source, "BIRTH:"), c.birth) << at;
  }
  // Primary is left out of the menu while it cannot be used; the others stay.
  EXPECT_FALSE(ditto.Listed(DittoSource::kPrimary));
  EXPECT_TRUE(ditto.Listed(DittoSource::kMother));
  notes::CNotesDitto withPrimary('I', second, 0, bo);
  EXPECT_TRUE(withPrimary.Listed(DittoSource::kPrimary));
  EXPECT_FALSE(withPrimary.Enabled(DittoSource::kLastRecord));

  // The eldest child has no older sibling; a view may name other relatives.
  notes::CNotesDitto eldest('I', first, 0, 0);
  EXPECT_EQ(eldest.Source(DittoSource::kOlderSibling), 0);
  eldest.SetRelatives(0, 0, bo);
  EXPECT_TRUE(eldest.Enabled(DittoSource::kOlderSibling));
  EXPECT_FALSE(eldest.Enabled(DittoSource::kFather));

  // A marriage can use only Last Record.
  notes::CNotesDitto marriage('M', mrin, block, bo);
  EXPECT_TRUE(marriage.Enabled(DittoSource::kLastRecord));
  for (DittoSource s : {DittoSource::kFather, DittoSource::kMother, DittoSource::kOlderSibling})
    EXPECT_FALSE(marriage.Enabled(s));
  EXPECT_FALSE(marriage.Listed(DittoSource::kPrimary));
}

TEST(NotesLayout, CharacterMapPlaceAndMinimumSize) {
  struct Case {
    int client, map, caret, top;
  } cases[] = {{300, 100, 150, 200}, {300, 100, 199, 200}, {300, 100, 200, 1}, {300, 100, 290, 1}};
  for (const Case& c : cases)
    EXPECT_EQ(notes::CharacterMapTop(c.client, c.map, c.caret), c.top) << c.caret;
  const notes::ClientSize least = notes::NotesMinimumSize(8, 40, 310);
  EXPECT_EQ(least.width, 330);
  EXPECT_EQ(least.height, 108);
}

TEST(NoteTagEntry, NormalizeTable) {
  struct Case {
    const char* typed;
    const char* tag;
    bool warn;
  } cases[] = {
      {"MILITARY", "MILITARY:", false},
      {"MILITARY:", "MILITARY:", false},
      {"MILITARY   ", "MILITARY:", false},
      {"WAR SERVICE", "WAR:", true},
      {"WAR: SERVICE", "WAR:", true},
      {" LEADING", "", true},
      {"", "", false},
  };
  for (const Case& c : cases) {
    const notes::TagEntry e = notes::NormalizeTag(c.typed);
    EXPECT_EQ(e.tag, c.tag) << c.typed;
    EXPECT_EQ(e.warn, c.warn) << c.typed;
  }
  EXPECT_EQ(notes::TagWarningText("WAR SERVICE"),
            "Note: NOTE tags can be only a single word.\nYou entered: \"WAR SERVICE\".\nIf you "
            "continue, \"WAR\" will be used.");
}

class NoteTagListTest : public ::testing::Test {
 protected:
  plat::FakeProfile profile;
  plat::ScopedProfile scoped{&profile};
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};

  std::vector<std::string> Stored() {
    std::vector<std::string> out;
    for (int i = 1; profile.Has(notes::CNoteTagList::kSection, "Tag" + std::to_string(i)); ++i)
      out.push_back(
          profile.GetString(notes::CNoteTagList::kSection, "Tag" + std::to_string(i), ""));
    return out;
  }
  static std::vector<std::string> Texts(const notes::CNoteTagList& list) {
    std::vector<std::string> out;
    for (const auto& e : list.Entries()) out.push_back(e.Text() + (e.permanent ? "" : " [grey]"));
    return out;
  }
};

TEST_F(NoteTagListTest, FirstFillWritesStandardListAndMarksFoundTags) {
  notes::CNoteTagList list;
  list.Fill(true, {"BIRTH:", "HOBBY:", "HOBBY:"});
  const std::vector<std::string> standard = {
      "All", "BIOGRAPHY:", "BIRTH:", "CHRISTENING:", "DEATH:", "BURIAL:", "MARRIAGE:"};
  EXPECT_EQ(Stored(), standard);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{
                             "*\tAll", " \tBIOGRAPHY:", "*\tBIRTH:", " \tCHRISTENING:", " \tDEATH:",
                             " \tBURIAL:", " \tMARRIAGE:", "*\tHOBBY: [grey]"}));
  // "All" and grey entries cannot be changed.
  list.Select(0);
  EXPECT_FALSE(list.CanChangeSelected());
  EXPECT_FALSE(list.Remove());
  list.Select(7);
  EXPECT_FALSE(list.CanChangeSelected());
  EXPECT_FALSE(list.Move(-1));
}

TEST_F(NoteTagListTest, AddModifyRemoveMoveAndDefaultsPersist) {
  notes::CNoteTagList list;
  list.Fill(false, {"HOBBY:"});
  list.Select(2);  // BIRTH:
  EXPECT_TRUE(list.Add("MILITARY:"));
  EXPECT_EQ(list.Selected(), 3);
  EXPECT_EQ(Stored()[3], "MILITARY:");
  EXPECT_FALSE(list.Add("DEATH:"));  // already permanent: 3272
  EXPECT_NE(boxes.Calls().back().text.find("already on the permanent list"), std::string::npos);
  // A tag found only in the notes becomes permanent, keeping its mark.
  EXPECT_TRUE(list.Add("HOBBY:"));
  EXPECT_EQ(list.Entries()[list.Selected()].Text(), "*\tHOBBY:");
  EXPECT_EQ(list.PermanentCount(), static_cast<int>(list.Entries().size()));

  // Never above the second place.
  list.Select(1);
  EXPECT_FALSE(list.Move(-1));
  EXPECT_TRUE(list.Move(1));
  EXPECT_EQ(list.Selected(), 2);
  EXPECT_EQ(Stored()[1], "BIRTH:");
  EXPECT_EQ(Stored()[2], "BIOGRAPHY:");

  EXPECT_TRUE(list.Modify("LIFE:"));
  EXPECT_EQ(Stored()[2], "LIFE:");
  // Modify into another permanent tag removes the selected one.
  const std::size_t before = Stored().size();
  EXPECT_TRUE(list.Modify("DEATH:"));
  EXPECT_EQ(Stored().size(), before - 1);

  // Removing the marked HOBBY: keeps it at the end in grey.
  for (int i = 0; i < static_cast<int>(list.Entries().size()); ++i)
    if (list.Entries()[i].tag == "HOBBY:") list.Select(i);
  EXPECT_TRUE(list.Remove());
  EXPECT_EQ(Texts(list).back(), "*\tHOBBY: [grey]");
  for (const std::string& tag : Stored()) EXPECT_NE(tag, "HOBBY:");

  // A second list reads what was stored.
  notes::CNoteTagList reread;
  reread.Fill(false, {});
  EXPECT_EQ(reread.PermanentCount(), static_cast<int>(Stored().size()));
  reread.Defaults(false, {});
  EXPECT_EQ(Stored(), notes::CNoteTagList::StandardTags());
}

}  // namespace
