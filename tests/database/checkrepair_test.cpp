// Check/Repair over a small family file damaged through its stored layout:
// each fault is found with its line, repair mends it without touching sound
// records, and a second check of the repaired file is clean.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "AnselCompare.h"
#include "CheckRepairLog.h"
#include "CodePage.h"
#include "ContactRecord.h"
#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FakePorts.h"
#include "FileSystem.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MemoryFile.h"
#include "OpenFamilyFixture.h"
#include "ScopedCodePage.h"
#include "TestHelpers.h"
#include "UserEventRecord.h"

using orv::RecordKind;

namespace {

// Every fixed-size record kind the checker walks.
const RecordKind kKinds[] = {RecordKind::Individual, RecordKind::Marriage,  RecordKind::NoteBlock,
                             RecordKind::FamilyLink, RecordKind::Citation,  RecordKind::Source,
                             RecordKind::Repository, RecordKind::UserEvent, RecordKind::EventType,
                             RecordKind::Contact,    RecordKind::Multimedia};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::string line;
  for (const char c : text) {
    if (c == '\n') {
      out.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) out.push_back(line);
  return out;
}

}  // namespace

class CheckRepairTest : public OpenFamilyFixture {
 protected:
  void SetUp() override {
    OpenFamilyFixture::SetUp();
    // Husband 1 and wife 2 in marriage 1 with children 3, 4 and 5; 6 is
    // deleted; 7 and 8 in marriage 2.
    husband = Person("Adams", 'M');
    wife = Person("Brown", 'F');
    for (int i = 0; i < 3; ++i) children.push_back(Person("Adams", 'U'));
    const std::int32_t gone = Person("Gone", 'U');
    ASSERT_EQ(DbDeleteRecord(gone, db::kIndividual), 1);
    marriage = DbSetRelation(husband, wife, db::kRelHusband, 0);
    ASSERT_GT(marriage, 0);
    for (const std::int32_t c : children)
      ASSERT_GT(DbSetRelation(c, 0, db::kRelParents, marriage), 0);
    const std::int32_t p7 = Person("Clark", 'M'), p8 = Person("Dunn", 'F');
    second = DbSetRelation(p7, p8, db::kRelHusband, 0);
    ASSERT_GT(second, 0);
    ASSERT_GT(DbSetNotes(husband, std::string(600, 'n'), 0, 0, db::kIndividual), 0);
  }

  std::int32_t Person(const std::string& surname, char sex) {
    CIndividualRecord person;
    person.surname = surname;
    person.sex = sex;
    return DbAddRecord(db::kIndividual, 0, &person);
  }

  ORV3& Engine() { return *CurrentDatabase->engine; }

  std::vector<std::uint8_t> Raw(RecordKind kind, std::int32_t r) {
    std::vector<std::uint8_t> buf(orv::LayoutOf(kind).size);
    Engine().Records().ReadRaw(kind, r, buf.data());
    return buf;
  }
  void PutRaw(RecordKind kind, std::int32_t r, const std::vector<std::uint8_t>& buf) {
    ASSERT_EQ(Engine().Records().WriteRaw(kind, r, buf.data()), 1);
  }
  void PokeI32(RecordKind kind, std::int32_t r, int offset, std::int32_t value) {
    auto buf = Raw(kind, r);
    orv::PutI32(buf.data() + offset, value);
    PutRaw(kind, r, buf);
  }
  void PokeByte(RecordKind kind, std::int32_t r, int offset, std::uint8_t value) {
    auto buf = Raw(kind, r);
    buf[offset] = value;
    PutRaw(kind, r, buf);
  }
  // A live citation of an individual, first in its chain.
  std::int32_t CiteIndividual(std::int32_t rin) {
    const std::int32_t c = Engine().Records().NewRecord(RecordKind::Citation, false);
    auto buf = Raw(RecordKind::Citation, c);
    buf[0] = 'N';
    orv::PutI32(buf.data() + 115, orv::GetI32(Raw(RecordKind::Individual, rin).data() + 234));
    orv::PutI32(buf.data() + 123, rin);
    PutRaw(RecordKind::Citation, c, buf);
    PokeI32(RecordKind::Individual, rin, 234, c);
    return c;
  }

  // Every stored record, to compare sound records before and after a repair.
  std::map<std::pair<int, std::int32_t>, std::vector<std::uint8_t>> Snapshot() {
    std::map<std::pair<int, std::int32_t>, std::vector<std::uint8_t>> out;
    for (const RecordKind kind : kKinds)
      for (std::int32_t r = 1; r <= Engine().Records().Highest(kind); ++r)
        out[{static_cast<int>(kind), r}] = Raw(kind, r);
    return out;
  }

  // Runs a check; the report's text is left in report.
  unsigned long Check(int repair, int* completed = nullptr) {
    CDatabaseChecker checker(family, reportPath, *CurrentDatabase, repair);
    const int ran = checker.Run();
    if (completed) *completed = ran;
    checker.Finish();
    report = ReadAll(reportPath);
    return checker.ProblemCount();
  }
  void ExpectFoundAndMended(const std::vector<std::string>& lines,
                            const std::vector<std::pair<RecordKind, std::int32_t>>& mended,
                            const std::vector<std::string>& reportOnlyLines = {});
  bool Reported(const std::string& line) const {
    for (const std::string& l : Lines(report))
      if (l == line) return true;
    return false;
  }

  std::int32_t husband = 0, wife = 0, marriage = 0, second = 0;
  std::vector<std::int32_t> children;
  std::string reportPath = dir.File("checkfix.rpt");
  std::string report;
  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
};

TEST_F(CheckRepairTest, CleanFileGivesOnlyTitlesCountsAndTotal) {
  int completed = 0;
  EXPECT_EQ(Check(0, &completed), 0u);
  EXPECT_EQ(completed, 1);
  const std::vector<std::string> lines = Lines(report);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "File Check/Repair Report");
  EXPECT_EQ(lines[3], "File location: " + family);
  for (std::size_t i = 4; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    const bool title = l.rfind("Checking ", 0) == 0 && l.back() == ':';
    const bool count = l.size() > 9 && l.substr(l.size() - 9) == " records.";
    EXPECT_TRUE(l.empty() || title || count || l == "Writing report file..." ||
                l == "0 errors were found.")
        << l;
  }
  EXPECT_TRUE(Reported("Checking Individuals:"));
  EXPECT_TRUE(Reported("8 records."));
  EXPECT_TRUE(Reported("Checking Extended Maps:"));
  EXPECT_EQ(lines.back(), "0 errors were found.");
  EXPECT_TRUE(shell.opened.empty());
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "No problems were found.");
}

// After damage made through the stored layout: a report-only check gives
// every line and changes nothing; repair gives them "(FIXED)"; a second check
// is clean and every record outside mended is as it was.
void CheckRepairTest::ExpectFoundAndMended(
    const std::vector<std::string>& lines,
    const std::vector<std::pair<RecordKind, std::int32_t>>& mended,
    const std::vector<std::string>& reportOnlyLines) {
  const auto before = Snapshot();
  const std::string fileBefore = ReadAll(family);

  EXPECT_GE(Check(0), lines.size());
  for (const std::string& line : reportOnlyLines.empty() ? lines : reportOnlyLines)
    EXPECT_TRUE(Reported(line)) << line << "\n" << report;
  EXPECT_EQ(report.find("(FIXED)"), std::string::npos);
  EXPECT_TRUE(ReadAll(family) == fileBefore) << "the report-only check changed the file";
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0], reportPath);

  EXPECT_GE(Check(1), lines.size());
  for (const std::string& line : lines)
    EXPECT_TRUE(Reported(line + " (FIXED)")) << line << "\n" << report;

  EXPECT_EQ(Check(0), 0u) << report;
  const auto after = Snapshot();
  for (const auto& [key, bytes] : before) {
    bool changed = false;
    for (const auto& m : mended)
      changed = changed || (static_cast<int>(m.first) == key.first && m.second == key.second);
    if (!changed) {
      EXPECT_EQ(after.at(key), bytes) << "kind " << key.first << " record " << key.second;
    }
  }
}

TEST_F(CheckRepairTest, HeaderBlockCountAgainstTypeMap) {
  Engine().Blocks().Head().SetI32(orv::kHeadIndividualBlocks, 5);
  ASSERT_TRUE(Engine().Blocks().WriteHeader(orv::HeadPart::Counters));
  ExpectFoundAndMended(
      {"The block count for Individual of 5 does not match the datamap block count of 1."}, {});
  EXPECT_EQ(Engine().Blocks().Head().I32(orv::kHeadIndividualBlocks), 1);
}

TEST_F(CheckRepairTest, TypeMapWithoutItsMarkStopsTheRun) {
  std::uint8_t zero = 0;
  ASSERT_TRUE(Engine().Blocks().Put(orv::FirstBlockOffset(0), &zero, 1));
  int completed = 1;
  EXPECT_EQ(Check(1, &completed), 0u);
  EXPECT_EQ(completed, 0);
  EXPECT_TRUE(Reported("Datamap is invalid or does not exist."));
  EXPECT_FALSE(Reported("Checking Blocks:"));
  std::uint8_t mark = orv::kBlockFirst;
  ASSERT_TRUE(Engine().Blocks().Put(orv::FirstBlockOffset(0), &mark, 1));
}

// The family file as the checker sees it, cut to a given size.
class CutFile : public plat::RandomAccessFile {
 public:
  CutFile(plat::RandomAccessFile& inner, long long size) : inner_(inner), size_(size) {}
  long long ReadSomeAt(std::uint64_t pos, void* data, std::size_t len) override {
    return inner_.ReadSomeAt(pos, data, len);
  }
  bool WriteAt(std::uint64_t pos, const void* data, std::size_t len) override {
    return inner_.WriteAt(pos, data, len);
  }
  bool Flush() override { return inner_.Flush(); }
  long long Size() const override { return size_; }
  bool Truncate(std::uint64_t) override { return false; }

 private:
  plat::RandomAccessFile& inner_;
  long long size_;
};

TEST_F(CheckRepairTest, FileShorterThanOneBlockHasNoMap) {
  for (const long long size : {orv::kBlocksOffset + orv::kBlockSize - 1LL,
                               static_cast<long long>(orv::kBlocksOffset + orv::kBlockSize)}) {
    CutFile cut(CurrentDatabase->host.file, size);
    CurrentDatabase->host.io = &cut;
    int completed = 0;
    Check(0, &completed);
    CurrentDatabase->host.io = nullptr;
    const bool tooShort = size < orv::kBlocksOffset + orv::kBlockSize;
    EXPECT_EQ(Reported("The file is not the proper size."), tooShort) << size;
    EXPECT_EQ(completed, tooShort ? 0 : 1) << size;
  }
}

TEST_F(CheckRepairTest, LoopingChildChainIsClosedOnTheFirstChild) {
  const std::int32_t first = orv::GetI32(Raw(RecordKind::Marriage, marriage).data() + 13);
  // Walk to the last link of the ring and point it at the second.
  std::vector<std::int32_t> ring{first};
  for (std::int32_t l = orv::GetI32(Raw(RecordKind::FamilyLink, first).data() + 5); l != first;
       l = orv::GetI32(Raw(RecordKind::FamilyLink, l).data() + 5))
    ring.push_back(l);
  ASSERT_EQ(ring.size(), 3u);
  PokeI32(RecordKind::FamilyLink, ring[2], 5, ring[1]);
  ExpectFoundAndMended({"Endless loop in child chain in family " + std::to_string(marriage) + "."},
                       {{RecordKind::FamilyLink, ring[2]}});
  EXPECT_EQ(orv::GetI32(Raw(RecordKind::FamilyLink, ring[2]).data() + 5), first);
}

TEST_F(CheckRepairTest, CitationWithWrongOwnerGetsItsOwner) {
  const std::int32_t c = CiteIndividual(wife);
  const auto sound = Snapshot();
  PokeI32(RecordKind::Citation, c, 123, husband);
  ExpectFoundAndMended(
      {"Individual " + std::to_string(wife) + " citation pointer " + std::to_string(c) +
       " pointing to wrong owner (" + std::to_string(husband) + ")."},
      {{RecordKind::Citation, c}});
  EXPECT_EQ(Raw(RecordKind::Citation, c), sound.at({static_cast<int>(RecordKind::Citation), c}));
}

TEST_F(CheckRepairTest, LoopingCitationChainEndsAndIsCut) {
  const std::int32_t a = CiteIndividual(husband);
  const std::int32_t b = CiteIndividual(husband);  // b is first, then a
  PokeI32(RecordKind::Citation, a, 119, b);
  PokeI32(RecordKind::Citation, a, 115, b);
  ExpectFoundAndMended({"Individual " + std::to_string(husband) +
                        " citation chain loops back to citation " + std::to_string(b) + "."},
                       {{RecordKind::Citation, a}});
  EXPECT_EQ(orv::GetI32(Raw(RecordKind::Citation, a).data() + 115), 0);
}

TEST_F(CheckRepairTest, SourceWithoutTitleIsNamedByItsNumber) {
  const std::int32_t s = Engine().Records().NewRecord(RecordKind::Source, false);
  auto buf = Raw(RecordKind::Source, s);
  buf[0] = 'N';
  PutRaw(RecordKind::Source, s, buf);
  ExpectFoundAndMended({"Source " + std::to_string(s) + " is missing a title."},
                       {{RecordKind::Source, s}});
  orv::SourceRec rec;
  rec.Decode(Raw(RecordKind::Source, s).data());
  EXPECT_EQ(orv::FieldText(rec.title), "#" + std::to_string(s));
}

TEST_F(CheckRepairTest, InvalidSexTakesTheRoleOfTheFirstMarriage) {
  PokeByte(RecordKind::Individual, husband, 0, 'X');
  PokeByte(RecordKind::Individual, wife, 0, 'Q');
  ExpectFoundAndMended(
      {"RIN " + std::to_string(husband) + " has an invalid sex of X.  Set the sex to M.",
       "RIN " + std::to_string(wife) + " has an invalid sex of Q.  Set the sex to F."},
      {{RecordKind::Individual, husband}, {RecordKind::Individual, wife}},
      {"RIN " + std::to_string(husband) + " has an invalid sex of X.  ",
       "RIN " + std::to_string(wife) + " has an invalid sex of Q.  "});
  EXPECT_EQ(Raw(RecordKind::Individual, husband)[0], 'M');
  EXPECT_EQ(Raw(RecordKind::Individual, wife)[0], 'F');
}

// The chains an individual's record starts: a parent chain that runs back
// into itself is closed at its first link, and a marriage chain that names
// a marriage the individual is no partner in is cut there.
TEST_F(CheckRepairTest, LoopingParentChainIsClosedAndAForeignMarriageCut) {
  const std::int32_t child = children[0];
  ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, second), 0);
  const std::int32_t first = orv::GetI32(Raw(RecordKind::Individual, child).data() + 222);
  const std::int32_t next = orv::GetI32(Raw(RecordKind::FamilyLink, first).data() + 9);
  ASSERT_GT(next, 0);
  ASSERT_NE(next, first);
  PokeI32(RecordKind::FamilyLink, next, 9, next);
  const std::int32_t stranger = children[1];
  PokeI32(RecordKind::Individual, stranger, 218, marriage);
  ExpectFoundAndMended(
      {"Individual " + std::to_string(child) + " has an infinite loop in the parent chain.",
       "Individual " + std::to_string(stranger) + " marriage chain bad in MRIN " +
           std::to_string(marriage) + "."},
      {{RecordKind::FamilyLink, next}, {RecordKind::Individual, stranger}});
  EXPECT_EQ(orv::GetI32(Raw(RecordKind::FamilyLink, next).data() + 9), first);
  EXPECT_EQ(orv::GetI32(Raw(RecordKind::Individual, stranger).data() + 218), 0);
}

TEST_F(CheckRepairTest, LowerCaseSexKeepsTheSpouseInTheMarriage) {
  // The role comes from the marriage's husband and wife numbers: a spouse
  // with a lower-case letter is no fault.
  PokeByte(RecordKind::Individual, husband, 0, 'm');
  PokeByte(RecordKind::Individual, wife, 0, 'f');
  EXPECT_EQ(Check(1), 0u) << report;
  EXPECT_EQ(orv::GetI32(Raw(RecordKind::Individual, husband).data() + 218), marriage);
  EXPECT_EQ(orv::GetI32(Raw(RecordKind::Marriage, marriage).data() + 5), husband);
}

TEST_F(CheckRepairTest, MarriageWithoutHusbandLosesHisNextMarriage) {
  // Marriage 1 loses its husband (and he it); its husband's-next field
  // still names marriage 2.
  PokeI32(RecordKind::Individual, husband, 218, 0);
  PokeI32(RecordKind::Marriage, marriage, 5, 0);
  PokeI32(RecordKind::Marriage, marriage, 77, second);
  ExpectFoundAndMended(
      {"Marriage " + std::to_string(marriage) + " husband is 0 but husband's next marriage is " +
       std::to_string(second) + "."},
      {{RecordKind::Marriage, marriage}});
  EXPECT_EQ(orv::GetI32(Raw(RecordKind::Marriage, marriage).data() + 77), 0);
}

TEST_F(CheckRepairTest, DeletedIndividualOffTheChainIsPutBack) {
  Engine().Blocks().Head().SetI32(orv::kHeadIndividualChain, 0);
  ASSERT_TRUE(Engine().Blocks().WriteHeader(orv::HeadPart::Counters));
  ExpectFoundAndMended({"RIN: 0 is not the first free RIN."}, {});
  EXPECT_EQ(Engine().Blocks().Head().I32(orv::kHeadIndividualChain), 6);
  // The rebuilt chain hands the deleted number out again.
  EXPECT_EQ(Engine().Records().NewRecord(RecordKind::Individual, true), 6);
}

TEST_F(CheckRepairTest, BadFamilyLinkTypeIsReportedAndTheRunGoesOn) {
  const std::int32_t link = orv::GetI32(Raw(RecordKind::Marriage, marriage).data() + 13);
  PokeByte(RecordKind::FamilyLink, link, 0, 'z');
  const auto raw = Raw(RecordKind::FamilyLink, link);
  const std::string n = std::to_string(link);
  int completed = 0;
  // Its parents ring is a ring of one: that pointer names the link itself.
  ASSERT_EQ(orv::GetI32(raw.data() + 9), link);
  EXPECT_EQ(Check(1, &completed), 4u) << report;
  EXPECT_EQ(completed, 1);
  EXPECT_TRUE(Reported("Family link " + n + " has an invalid link type"));
  EXPECT_TRUE(
      Reported("Family link " + n + " invalid reference to MRIN " + std::to_string(marriage)));
  EXPECT_TRUE(Reported("Family link " + n + " invalid reference to RIN " +
                       std::to_string(orv::GetI32(raw.data() + 13))));
  EXPECT_TRUE(Reported("Family link " + n + " invalid reference to Famlink " +
                       std::to_string(orv::GetI32(raw.data() + 5))));
  // The later passes and the totals still come.
  EXPECT_TRUE(Reported("Checking Sources:"));
  EXPECT_TRUE(Reported("4 errors were found."));
}

TEST_F(CheckRepairTest, FailedRepairWriteIsNotCountedAsFixed) {
  PokeByte(RecordKind::Individual, wife, 0, 'Q');
  FailingFile failing(CurrentDatabase->host.file, 0);
  CurrentDatabase->host.io = &failing;
  EXPECT_GE(Check(1), 1u);
  CurrentDatabase->host.io = nullptr;
  EXPECT_TRUE(failing.Failed());
  EXPECT_TRUE(
      Reported("RIN " + std::to_string(wife) + " has an invalid sex of Q.  Set the sex to F."))
      << report;
  EXPECT_EQ(report.find("(FIXED)"), std::string::npos);
  EXPECT_EQ(Raw(RecordKind::Individual, wife)[0], 'Q');
}

// A display that records what the log shows and presses Cancel on demand.
class RecordingDisplay : public CheckRepairDisplay {
 public:
  bool Open(const std::string& path) override {
    opened = path;
    return true;
  }
  void SetStage(const std::string& title) override { stages.push_back(title); }
  void SetCount(const std::string& count) override { counts.push_back(count); }
  void ResetStageBar() override {}
  void StepStageBar() override { ++steps; }
  void SetTotalBar(int percent) override { total = percent; }
  void SetErrorCount(const std::string& count) override { errors = count; }
  // Cancel is pressed once each time it is set.
  bool TakeCancel() override {
    const bool pressed = cancel;
    cancel = false;
    return pressed;
  }
  void Close() override { closed = true; }

  std::string opened, errors;
  std::vector<std::string> stages, counts;
  int steps = 0, total = -1;
  bool cancel = false, closed = false;
};

TEST_F(CheckRepairTest, WindowShowsStagesCountsAndErrors) {
  PokeByte(RecordKind::Individual, wife, 0, 'Q');
  RecordingDisplay display;
  CDatabaseChecker checker(family, reportPath, *CurrentDatabase, 0, &display);
  EXPECT_EQ(checker.Run(), 1);
  EXPECT_EQ(display.opened, family);
  EXPECT_NE(std::find(display.stages.begin(), display.stages.end(), "Checking Individuals:"),
            display.stages.end());
  // Title-only stages show "0"; counted ones their range.
  EXPECT_NE(std::find(display.counts.begin(), display.counts.end(), "8"), display.counts.end());
  EXPECT_EQ(display.counts.front(), "0");
  // The letter is reported by the individual and by the marriage.
  EXPECT_EQ(display.errors, "2");
  EXPECT_EQ(display.total, 100);
  checker.Finish();
  EXPECT_TRUE(display.closed);
}

TEST_F(CheckRepairTest, CancelAskedAndAnsweredNoGoesOn) {
  // Enough records for the window to be polled.
  for (int i = 0; i < 60; ++i) ASSERT_GT(Person("Evans", 'F'), 0);
  RecordingDisplay display;
  display.cancel = true;
  boxes.QueueAnswer(plat::kIdNo);
  {
    CDatabaseChecker checker(family, reportPath, *CurrentDatabase, 0, &display);
    EXPECT_EQ(checker.Run(), 1);
  }
  ASSERT_FALSE(boxes.Calls().empty());
  EXPECT_EQ(boxes.Calls()[0].text, "Check/Repair is not complete.\nAre you sure you want to quit?");
  // Answered Yes, the run stops.
  display.cancel = true;
  boxes.QueueAnswer(plat::kIdYes);
  CDatabaseChecker checker(family, reportPath, *CurrentDatabase, 0, &display);
  EXPECT_EQ(checker.Run(), 0);
  EXPECT_EQ(ReadAll(reportPath).find("errors were found"), std::string::npos);
}

TEST(CheckRepairLogTest, StageLinesAndTheDiskLimit) {
  TempDir dir;
  const std::string path = dir.File("report.rpt");
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scoped{&boxes};
  {
    CCheckRepairLog log("fam.orv", path, 0);
    ASSERT_TRUE(log.HasReport());
    EXPECT_EQ(log.ShowStage("Checking Maps:", 0, -1, 10), 1);
    EXPECT_EQ(log.ShowStage("Checking Notes:", 0, 0, 10), 1);
    EXPECT_EQ(log.WriteLine("a problem (FIXED)", 1), 1);
  }
  const std::string text = ReadAll(path);
  EXPECT_EQ(text.substr(0, 26), "File Check/Repair Report\n\n");
  EXPECT_NE(text.find("File location: fam.orv\n"), std::string::npos);
  EXPECT_NE(text.find("\nChecking Maps:\n\nChecking Notes:\n0 records.\na problem (FIXED)\n"),
            std::string::npos)
      << text;

  // A report that would outgrow the free space stops at that line.
  CCheckRepairLog small("fam.orv", path, 0);
  small.SetFreeBytes(10);
  EXPECT_EQ(small.WriteLine("0123456789", 1), 0);
  EXPECT_EQ(small.WriteLine("x", 1), 0);
  ASSERT_FALSE(boxes.Calls().empty());
  EXPECT_EQ(boxes.Calls().back().text, "Not enough disk space to complete report.");
  EXPECT_EQ(boxes.Calls().back().caption, "Check/Repair Failed");
}

TEST(CheckRepairLogTest, UnwritableReportIsSaidAndTheRunGoesOn) {
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scoped{&boxes};
  CCheckRepairLog log("fam.orv", "/nonexistent-folder/x/report.rpt", 0);
  EXPECT_FALSE(log.HasReport());
  EXPECT_EQ(log.WriteLine("line", 1), 1);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Failed to open report file");
  EXPECT_EQ(boxes.Calls()[0].caption, "ERROR");
}

// The report is read in the desktop's text editor: UTF-8 throughout, the
// file's path as its folder is named and the family's names in their letters.
TEST(CheckRepairLogTest, ReportIsUtf8WithThePathAsNamed) {
  ScopedCodePage page(plat::kCodePageWestern);
  for (const std::string name : {"Släkt Åsa", "Łódź", "Ærø"}) {
    SCOPED_TRACE(name);
    TempDir dir;
    std::filesystem::create_directories(dir.File(name));
    const std::string family = dir.File(name + "/" + name + ".orv");
    const std::string path = dir.File(name + "/checkfix.rpt");
    {
      CCheckRepairLog log(family, path, 0);
      ASSERT_TRUE(log.HasReport());
      EXPECT_EQ(log.WriteLine(plat::Utf8ToAnsi("RIN 7: " + name + " (FIXED)"), 1), 1);
    }
    const std::string text = ReadAll(path);
    EXPECT_NE(text.find("File location: " + family + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nRIN 7: " + name + " (FIXED)\n"), std::string::npos) << text;
  }
}

class CheckRepairNameTreeTest : public CheckRepairTest {
 protected:
  plat::FakeProgress progress;
  plat::ScopedProgress scopedProgress{&progress};
  std::int32_t Root() { return Engine().Blocks().Head().I32(orv::kHeadNameRoot); }
  orv::StringEntry Entry(std::int32_t offset) {
    orv::StringEntry e;
    EXPECT_GT(Engine().Strings().ReadEntry(offset, e, false), 0);
    return e;
  }
  // The entry of the lowest text: its lesser pointer is free.
  std::int32_t Lowest() {
    std::int32_t node = Root();
    while (Entry(node).lesser != 0) node = Entry(node).lesser;
    return node;
  }
  void PutLink(std::int32_t offset, int field, std::int32_t value) {
    std::uint8_t b[4];
    orv::PutI32(b, value);
    ASSERT_TRUE(Engine().Blocks().Put(offset + field, b, 4));
  }
  // Whether every text of the store is found again through the tree.
  void ExpectEveryTextFound(const std::vector<std::string>& texts) {
    for (const std::string& t : texts) {
      std::int32_t parent = 0;
      EXPECT_GT(Engine().Strings().FindString(t, 0, parent), 0) << t;
    }
  }
};

TEST_F(CheckRepairNameTreeTest, LoopBackToTheRootIsRebuiltWithLongestNames) {
  const std::string longest(255, 'z');
  ASSERT_GT(Person(longest, 'U'), 0);
  const std::int32_t low = Lowest();
  PutLink(low, orv::kEntryLesser, Root());
  ExpectFoundAndMended({"Name " + std::to_string(low) + " less pointer (" + std::to_string(Root()) +
                        ") is not less."},
                       {});
  ExpectEveryTextFound({"Adams", "Brown", "Clark", "Dunn", "Gone", longest});
  EXPECT_EQ(Entry(low).lesser, 0);
  // The rebuild ran under the progress window.
  ASSERT_FALSE(progress.titles.empty());
  EXPECT_EQ(progress.titles.back(), "Rebuilding name tree...");
  EXPECT_GE(progress.ends, 1);
}

TEST_F(CheckRepairNameTreeTest, AnEntryThatLostItsTextIsLeftOutAndTheTreeRebuilt) {
  const std::int32_t low = Lowest();
  PutLink(low, orv::kEntryLesser, Root());
  // The last entry loses its text: it cannot be read back, so it is named
  // and left out, and the rest of the tree is rebuilt around it.
  const std::int32_t last = Engine().Blocks().Head().I32(orv::kHeadNameNext) - 14 - 4;
  ASSERT_EQ(Entry(last).text, "Dunn");
  const std::vector<std::uint8_t> zeros(4, 0);
  ASSERT_TRUE(Engine().Blocks().Put(last + orv::kEntryText, zeros.data(), zeros.size()));
  Check(1);
  EXPECT_TRUE(Reported("Name " + std::to_string(last) +
                       " has no text; what names it is cleared. (FIXED)"))
      << report;
  EXPECT_TRUE(Reported("Name " + std::to_string(low) + " less pointer (" + std::to_string(Root()) +
                       ") is not less. (FIXED)"))
      << report;
  EXPECT_FALSE(Reported("Bad name at offset " + std::to_string(last) + "; name tree NOT fixed."))
      << report;
  ExpectEveryTextFound({"Adams", "Brown", "Clark", "Gone"});
  EXPECT_EQ(Check(0), 0u) << report;
}

// Surnames that differ only in a punctuation mark the collation passes over
// (code page 1252's right quote 0x92 and low quote 0x82): the store keeps
// them apart and orders their tie by the stored bytes. Each group is added
// in its own order, so that ties fall on both sides of a node.
const std::vector<std::vector<std::string>> kPunctuationTies = {
    {"Sur", "Sur\x92", "Sur\x82"},
    {"Tor\x82", "Tor\x92", "Tor"},
    {"O\x92Neil", "ONeil", "O\x82Neil"},
    {"Berg\x92", "Berg\x82", "Berg"},
};

class CheckRepairTiedNamesTest : public CheckRepairNameTreeTest {
 protected:
  void SetUp() override {
    CheckRepairNameTreeTest::SetUp();
    for (const auto& group : kPunctuationTies) {
      for (const std::string& name : group) {
        ASSERT_EQ(StoreCompare(name, group.front()), kAlphaEqual) << name;
        ASSERT_GT(Person(name, 'U'), 0) << name;
        texts.push_back(name);
      }
    }
  }
  // Every text is found at an entry of its own.
  void ExpectEachTextApart() {
    ExpectEveryTextFound(texts);
    std::set<std::int32_t> offsets;
    for (const std::string& t : texts) {
      std::int32_t parent = 0;
      offsets.insert(Engine().Strings().FindString(t, 0, parent));
    }
    EXPECT_EQ(offsets.size(), texts.size());
  }
  std::vector<std::string> texts;
};

TEST_F(CheckRepairTiedNamesTest, CheckFindsNothingAndRepairChangesNoByte) {
  EXPECT_EQ(Check(0), 0u) << report;
  const std::string before = ReadAll(family);
  EXPECT_EQ(Check(1), 0u) << report;
  EXPECT_TRUE(ReadAll(family) == before) << "the repair changed the file";
  ExpectEachTextApart();
}

// A tree rebuilt for other damage puts the tied names where the store looks
// for them: a later search finds each, and nothing is added twice.
TEST_F(CheckRepairTiedNamesTest, RebuiltTreeKeepsTheStoresOrder) {
  const std::int32_t low = Lowest();
  PutLink(low, orv::kEntryLesser, Root());
  ExpectFoundAndMended({"Name " + std::to_string(low) + " less pointer (" + std::to_string(Root()) +
                        ") is not less."},
                       {});
  ExpectEachTextApart();
  const std::int32_t count = Engine().Blocks().Head().I32(orv::kHeadNameCount);
  for (const std::string& t : texts) ASSERT_GT(Person(t, 'U'), 0);
  EXPECT_EQ(Engine().Blocks().Head().I32(orv::kHeadNameCount), count);
}

// Spouses whose stated sex is not their role's: a same-sex couple, a wife
// or husband of unknown sex. Check notes each spouse, counts no problem, and
// a repair leaves every sex as stated.
struct StatedSexCase {
  char husband, wife;
  const char *husbandNote, *wifeNote;  // the sex as a note says it, or none
};

TEST_F(CheckRepairTest, StatedSexesOfACoupleAreNotedAndKept) {
  const StatedSexCase cases[] = {
      {'M', 'M', nullptr, "male"},           {'F', 'F', "female", nullptr},
      {'M', 'U', nullptr, "of unknown sex"}, {'U', 'F', "of unknown sex", nullptr},
      {'F', 'M', "female", "male"},
  };
  std::vector<std::string> notes;
  std::vector<std::pair<std::int32_t, char>> stated;
  for (const StatedSexCase& c : cases) {
    const std::int32_t h = Person("Holm", c.husband), w = Person("Wik", c.wife);
    const std::int32_t m = DbSetRelation(h, w, db::kRelHusband, 0);
    ASSERT_GT(m, 0);
    CMarriageRecord couple;
    ASSERT_EQ(DbGetRecord(m, db::kMarriage, &couple), 1);
    ASSERT_EQ(couple.husband, h);
    ASSERT_EQ(couple.wife, w);
    const auto note = [&](const char* role, std::int32_t p, const char* sex) {
      return "Note: " + std::string(role) + "'s record (RIN " + std::to_string(p) +
             ") in marriage " + std::to_string(m) + " is " + sex + ", as stated.";
    };
    if (c.husbandNote) notes.push_back(note("Husband", h, c.husbandNote));
    if (c.wifeNote) notes.push_back(note("Wife", w, c.wifeNote));
    stated.push_back({h, c.husband});
    stated.push_back({w, c.wife});
  }
  const std::string before = ReadAll(family);
  for (const int repair : {0, 1}) {
    EXPECT_EQ(Check(repair), 0u) << report;
    for (const std::string& line : notes) EXPECT_TRUE(Reported(line)) << line << "\n" << report;
    EXPECT_TRUE(Reported("0 errors were found.")) << report;
    EXPECT_EQ(report.find("wrong sex"), std::string::npos) << report;
  }
  EXPECT_TRUE(ReadAll(family) == before) << "the repair changed the file";
  for (const auto& [p, sex] : stated) {
    CIndividualRecord person;
    ASSERT_EQ(DbGetRecord(p, db::kIndividual, &person), 1);
    EXPECT_EQ(person.sex, sex) << p;
  }
}

TEST_F(CheckRepairTest, IndividualCutFromTheTreeIsPutBack) {
  auto& trees = Engine().Trees();
  const std::int32_t root = Engine().Blocks().Head().I32(orv::kHeadIndividualRoot);
  ASSERT_GT(root, 0);
  // Cut the root's lesser or greater subtree off.
  auto rootBytes = Raw(RecordKind::Individual, root);
  const int side = orv::GetI32(rootBytes.data() + 242) != 0 ? 242 : 246;
  const std::int32_t cut = orv::GetI32(rootBytes.data() + side);
  ASSERT_GT(cut, 0);
  PokeI32(RecordKind::Individual, root, side, 0);
  // And one individual points at itself as its own parent.
  const std::int32_t self = root == husband ? wife : husband;
  PokeI32(RecordKind::Individual, self, 250, self);

  std::vector<std::pair<RecordKind, std::int32_t>> everyone;
  for (std::int32_t r = 1; r <= Engine().Records().Highest(RecordKind::Individual); ++r)
    everyone.push_back({RecordKind::Individual, r});
  ExpectFoundAndMended(
      {"Individual " + std::to_string(cut) + " is not connected to the individual tree.",
       "Individual " + std::to_string(self) + " parent pointer pointing to self."},
      everyone);
  // Every live individual is in name order again.
  const std::vector<std::int32_t> walk = trees.TreeInOrder(RecordKind::Individual);
  EXPECT_EQ(walk.size(), 7u);
}

TEST_F(CheckRepairTest, FreeNoteBlockOnALiveChainIsLinkedBack) {
  // The husband's notes take blocks 1 to 3; the wife's block 4 is freed.
  ASSERT_GT(DbSetNotes(wife, "short", 0, 0, db::kIndividual), 0);
  const std::int32_t freed = Engine().Records().Highest(RecordKind::NoteBlock);
  ASSERT_EQ(freed, 4);
  ASSERT_GE(DbSetNotes(wife, "", 0, 0, db::kIndividual), 0);
  ASSERT_EQ(Engine().Blocks().Head().I32(orv::kHeadNoteFreeHead), freed);
  PokeI32(RecordKind::NoteBlock, 3, 0, freed);
  ExpectFoundAndMended({"The next pointer record does not point back to this record (3).  Reset "
                        "previous pointer of record 4 to 3."},
                       {{RecordKind::NoteBlock, freed}},
                       {"The next pointer record does not point back to this record (3)."});
  EXPECT_EQ(orv::GetI32(Raw(RecordKind::NoteBlock, freed).data() + 4), 3);
}

// A free-list head that names a block in use (left by a process that died
// in a batch) would hand the husband's notes to the next note written.
TEST_F(CheckRepairTest, StaleFreeNoteHeadIsRebuiltFromTheBlocks) {
  ASSERT_GT(DbSetNotes(wife, "short", 0, 0, db::kIndividual), 0);
  ASSERT_GE(DbSetNotes(wife, "", 0, 0, db::kIndividual), 0);
  const std::int32_t freed = Engine().Blocks().Head().I32(orv::kHeadNoteFreeHead);
  ASSERT_GT(freed, 0);
  const std::string notes = DbGetNotes(husband, 0, db::kIndividual, 0, 1, 0);
  ASSERT_FALSE(notes.empty());
  Engine().Blocks().Head().SetI32(orv::kHeadNoteFreeHead, 2);
  ASSERT_TRUE(Engine().Blocks().WriteHeader(orv::HeadPart::Counters));
  ExpectFoundAndMended({"2 is not the location of the first free note."}, {},
                       {"2 is not the location of the first free note."});
  EXPECT_EQ(Engine().Blocks().Head().I32(orv::kHeadNoteFreeHead), freed);
  ASSERT_GT(DbSetNotes(wife, "again", 0, 0, db::kIndividual), 0);
  EXPECT_EQ(DbGetNotes(husband, 0, db::kIndividual, 0, 1, 0), notes);
}

// A block of the husband's notes that names no owner and holds no text reads
// as free: on the free list the next note written would take it and show on
// two people. Repair gives it its owner back and takes it off the list.
TEST_F(CheckRepairTest, NoteBlockBothFreeAndInUseGetsItsOwnerBack) {
  auto block = Raw(RecordKind::NoteBlock, 3);
  ASSERT_EQ(orv::GetI32(block.data() + 8), husband);
  std::fill(block.begin() + 8, block.end(), 0);
  PutRaw(RecordKind::NoteBlock, 3, block);
  Engine().Blocks().Head().SetI32(orv::kHeadNoteFreeHead, 3);
  ASSERT_TRUE(Engine().Blocks().WriteHeader(orv::HeadPart::Counters));
  const std::string notes = DbGetNotes(husband, 0, db::kIndividual, 0, 1, 0);
  const std::string line = "Note block 3 names owner 0 but belongs to Individual 1.";
  EXPECT_GT(Check(0), 0u);
  EXPECT_TRUE(Reported(line)) << report;
  Check(1);
  EXPECT_TRUE(Reported(line + " (FIXED)")) << report;
  EXPECT_EQ(Check(0), 0u) << report;
  EXPECT_EQ(Engine().Blocks().Head().I32(orv::kHeadNoteFreeHead), 0);
  ASSERT_GT(DbSetNotes(wife, "A note of her own.", 0, 0, db::kIndividual), 0);
  EXPECT_EQ(DbGetNotes(husband, 0, db::kIndividual, 0, 1, 0), notes);
}

// A note block whose owner field names someone else is given back to the
// record whose notes it carries.
TEST_F(CheckRepairTest, NoteBlockNamingAnotherOwnerIsGivenBack) {
  PokeI32(RecordKind::NoteBlock, 2, 8, wife);
  ExpectFoundAndMended({"Note block 2 names owner 2 but belongs to Individual 1."},
                       {{RecordKind::NoteBlock, 2}});
  EXPECT_EQ(orv::GetI32(Raw(RecordKind::NoteBlock, 2).data() + 8), husband);
}

TEST_F(CheckRepairTest, EventPointersOutsideTheirStoreAreCleared) {
  // A birth place that lies in no block of the names store, and a
  // marriage's sealing citation that does not exist.
  PokeI32(RecordKind::Individual, wife, 22 + 6, 12345);
  PokeI32(RecordKind::Marriage, marriage, 55 + 10, 77);
  ExpectFoundAndMended(
      {"Individual " + std::to_string(wife) +
           " Birth place names pointer (12345) is invalid. Set the pointer to 0.",
       "Marriage " + std::to_string(marriage) +
           " Sealing to Spouse Citation pointer (77) is invalid. Set the pointer to 0."},
      {{RecordKind::Individual, wife}, {RecordKind::Marriage, marriage}},
      {"Individual " + std::to_string(wife) + " Birth place names pointer (12345) is invalid. ",
       "Marriage " + std::to_string(marriage) +
           " Sealing to Spouse Citation pointer (77) is invalid. "});
  EXPECT_EQ(orv::GetI32(Raw(RecordKind::Individual, wife).data() + 28), 0);
  EXPECT_EQ(orv::GetI32(Raw(RecordKind::Marriage, marriage).data() + 65), 0);
}

TEST_F(CheckRepairTest, LoopingUserEventChainIsCut) {
  // Two events of the husband whose chain runs back to the first.
  orv::IndividualExtRec ext;
  ASSERT_EQ(Engine().Records().Read(husband, ext), 1);
  std::int32_t events[2] = {};
  for (std::int32_t& e : events) {
    e = Engine().Records().NewRecord(RecordKind::UserEvent, false);
    ASSERT_GT(e, 0);
    PokeI32(RecordKind::UserEvent, e, 8, husband);
    PokeByte(RecordKind::UserEvent, e, 12, 'I');
  }
  PokeI32(RecordKind::UserEvent, events[0], 0, events[1]);
  PokeI32(RecordKind::UserEvent, events[1], 4, events[0]);
  ext.firstUserEvent = events[0];
  ASSERT_EQ(Engine().Records().Write(husband, ext), 1);
  EXPECT_EQ(Check(0), 0u) << report;

  // A ring whose back pointers agree: only the loop is wrong.
  PokeI32(RecordKind::UserEvent, events[1], 0, events[0]);
  PokeI32(RecordKind::UserEvent, events[0], 4, events[1]);
  ExpectFoundAndMended(
      {"Endless loop in user event chain for individual " + std::to_string(husband) + "."},
      {{RecordKind::UserEvent, events[1]}});
  EXPECT_EQ(orv::GetI32(Raw(RecordKind::UserEvent, events[1]).data()), 0);
}

TEST_F(CheckRepairTest, UserEventLinksAndEventTypeAreMended) {
  // Two events of the husband of a real event type, chained by the engine:
  // a clean file.
  CEventTypeRecord type;
  type.title = "Apprenticeship";
  const std::int32_t typeNumber = DbAddRecord(db::kEventType, 0, &type);
  ASSERT_GT(typeNumber, 0);
  std::int32_t events[2] = {};
  for (std::int32_t& e : events) {
    CUserEventRecord event(husband, db::kOwnerIndividual, typeNumber, 0);
    e = DbAddRecord(db::kUserEvent, 0, &event);
    ASSERT_GT(e, 0);
    ASSERT_EQ(Engine().Owners().LinkRecord(e, db::kUserEvent, husband, db::kOwnerIndividual), 1);
  }
  ASSERT_EQ(orv::GetI32(Raw(RecordKind::UserEvent, events[1]).data() + 4), events[0]);
  // A type with a title only is told about, text by text, but the file is
  // not damaged; a type with every text is not mentioned.
  CEventTypeRecord whole;
  whole.title = "Voyage";
  whole.shortTitle = "Voyage";
  whole.abbreviation = "Vo";
  whole.verbPhrase = "sailed";
  whole.placePreposition = "to";
  ASSERT_GT(DbAddRecord(db::kEventType, 0, &whole), 0);
  EXPECT_EQ(Check(0), 0u) << report;
  for (const char* text : {"verb construct", "place preposition", "short title", "abbreviation"}) {
    EXPECT_NE(report.find(std::string("Event type 'Apprenticeship' is missing the ") + text + "\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(report.find(std::string("Event type 'Voyage' is missing the ") + text),
              std::string::npos);
  }

  // The second event's back pointer lost, the head's previous pointer
  // outside the file, and an event type that does not exist.
  const std::string first = std::to_string(events[0]);
  PokeI32(RecordKind::UserEvent, events[1], 4, 0);
  PokeI32(RecordKind::UserEvent, events[0], 4, 12345);
  PokeI32(RecordKind::UserEvent, events[0], 17, 999);
  ExpectFoundAndMended(
      {"The next pointer record does not point back to this record (" + first +
           ").  Reset previous pointer of record " + std::to_string(events[1]) + " to " + first +
           ".",
       "User event " + first + " User event pointer (12345) is invalid. Set the pointer to 0.",
       "User event " + first + " Event type pointer (999) is invalid. Set the pointer to 0."},
      {{RecordKind::UserEvent, events[0]}, {RecordKind::UserEvent, events[1]}},
      {"The next pointer record does not point back to this record (" + first + ").",
       "User event " + first + " User event pointer (12345) is invalid. ",
       "User event " + first + " Event type pointer (999) is invalid. "});
  EXPECT_EQ(orv::GetI32(Raw(RecordKind::UserEvent, events[1]).data() + 4), events[0]);
  EXPECT_EQ(orv::GetI32(Raw(RecordKind::UserEvent, events[0]).data() + 4), 0);
  EXPECT_EQ(orv::GetI32(Raw(RecordKind::UserEvent, events[0]).data() + 17), 0);
  EXPECT_EQ(orv::GetI32(Raw(RecordKind::UserEvent, events[1]).data() + 17), typeNumber);
}

TEST_F(CheckRepairTest, UserEventOfADeletedOwnerIsFreed) {
  CUserEventRecord event(wife, db::kOwnerIndividual, 0, 0);
  const std::int32_t e = DbAddRecord(db::kUserEvent, 0, &event);
  ASSERT_GT(e, 0);
  EXPECT_EQ(Check(0), 0u) << report;
  // The owner field names an individual that was deleted (6, see SetUp).
  PokeI32(RecordKind::UserEvent, e, 8, 6);
  const std::string line = "User event " + std::to_string(e) + " Record pointer (6) is invalid. ";
  EXPECT_EQ(Check(0), 1u) << report;
  EXPECT_TRUE(Reported(line)) << report;
  // Repair clears the owner, so the event reads as deleted and joins the
  // delete chain.
  EXPECT_EQ(Check(1), 2u) << report;
  EXPECT_TRUE(Reported(line + "Set the pointer to 0. (FIXED)")) << report;
  EXPECT_TRUE(Reported("Record pointer 0 is not the first free. (FIXED)")) << report;
  EXPECT_EQ(Check(0), 0u) << report;
  EXPECT_EQ(Engine().Records().IsLive(RecordKind::UserEvent, e), -1);
  EXPECT_EQ(Engine().Blocks().Head().I32(orv::kHeadUserEventChain), e);
}

TEST_F(CheckRepairTest, SourceAndRepositoryTreeLinksAreMended) {
  const auto add = [&](RecordKind kind, int textOffset, const std::string& text) {
    const std::int32_t r = Engine().Records().NewRecord(kind, false);
    auto buf = Raw(kind, r);
    buf[0] = 'N';
    std::copy(text.begin(), text.end(), buf.begin() + textOffset);
    PutRaw(kind, r, buf);
    EXPECT_EQ(Engine().Trees().InsertInTree(kind, r), 1);
    return r;
  };
  const std::int32_t s1 = add(RecordKind::Source, 123, "Census");
  const std::int32_t s2 = add(RecordKind::Source, 123, "Parish register");
  const std::int32_t repo = add(RecordKind::Repository, 1, "Archive");
  ASSERT_EQ(Check(0), 0u) << report;

  // The last source's greater link names itself; the repository's parent is
  // a repository that does not exist.
  PokeI32(RecordKind::Source, s2, 467, s2);
  PokeI32(RecordKind::Repository, repo, 295, 9);
  ExpectFoundAndMended(
      {"Source " + std::to_string(s2) + " greater pointer loops back to itself.",
       "Repository " + std::to_string(repo) + " is out of order."},
      {{RecordKind::Source, s1}, {RecordKind::Source, s2}, {RecordKind::Repository, repo}});
  EXPECT_EQ(Engine().Trees().TreeInOrder(RecordKind::Source), (std::vector<std::int32_t>{s1, s2}));
  EXPECT_EQ(Engine().Trees().TreeInOrder(RecordKind::Repository),
            (std::vector<std::int32_t>{repo}));
}

TEST_F(CheckRepairTest, ContactTextsAndItsOwnerAreChecked) {
  CContactRecord contact;
  contact.owner = wife;
  contact.texts[0] = "12 High Street";
  const std::int32_t c = DbAddRecord(db::kContact, 0, &contact);
  ASSERT_GT(c, 0);
  // The husband's extension names the wife's contact.
  orv::IndividualExtRec ext;
  ASSERT_EQ(Engine().Records().Read(husband, ext), 1);
  ext.contact = c;
  ASSERT_EQ(Engine().Records().Write(husband, ext), 1);
  PokeI32(RecordKind::Contact, c, 8, 5);
  const std::string n = std::to_string(c);
  ExpectFoundAndMended(
      {"Contact " + n + " Individual pointer (" + std::to_string(husband) +
           ") is invalid. Set the pointer to 0.",
       "Contact " + n + " Other name record pointer (5) is invalid. Set the pointer to 0."},
      {{RecordKind::Contact, c}},
      {"Contact " + n + " Individual pointer (" + std::to_string(husband) + ") is invalid. ",
       "Contact " + n + " Other name record pointer (5) is invalid. "});
  // The contact now belongs to the individual whose extension names it.
  EXPECT_EQ(orv::GetI32(Raw(RecordKind::Contact, c).data()), husband);
}

// Check/Repair reaches a fixed point in one run: after damage of each kind,
// the repair leaves a file that a second check finds clean, every record
// that was live stays live with the same key, and the walks by number and
// by name meet the same records in key order.
class CheckRepairConvergenceTest : public CheckRepairTest {
 protected:
  std::int32_t AddSource(const std::string& title) {
    const std::int32_t r = Engine().Records().NewRecord(RecordKind::Source, false);
    auto buf = Raw(RecordKind::Source, r);
    buf[0] = 'N';
    std::copy(title.begin(), title.end(), buf.begin() + 123);
    PutRaw(RecordKind::Source, r, buf);
    EXPECT_EQ(Engine().Trees().InsertInTree(RecordKind::Source, r), 1);
    return r;
  }
  // Swaps the bytes of a field between two records, leaving their tree links.
  void SwapField(RecordKind kind, std::int32_t a, std::int32_t b, int offset, int length) {
    auto ra = Raw(kind, a), rb = Raw(kind, b);
    std::swap_ranges(ra.begin() + offset, ra.begin() + offset + length, rb.begin() + offset);
    PutRaw(kind, a, ra);
    PutRaw(kind, b, rb);
  }
  // Puts the file back to bytes and opens it again.
  void Reopen(const std::string& bytes) {
    ASSERT_EQ(DbClose(), 1);
    WriteAll(family, bytes);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  }
  // Changes the closed file's bytes at pos and opens it again.
  void PatchFile(std::int64_t pos, const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(DbClose(), 1);
    std::string file = ReadAll(family);
    std::copy(bytes.begin(), bytes.end(), file.begin() + pos);
    WriteAll(family, file);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  }
  // The key text of every live record of a tree kind, by number.
  std::map<std::int32_t, std::string> Keys(RecordKind kind, int blockType) {
    std::map<std::int32_t, std::string> out;
    for (std::int32_t r = 1; r <= Engine().Records().Highest(kind); ++r)
      if (Engine().Records().IsLive(kind, r) == 1)
        out[r] = Engine().Trees().GelAlphaName(r, blockType);
    return out;
  }
  // The walk in key order meets every live record once, keys ascending, and
  // each key is found again by name.
  void ExpectWalksAgree(RecordKind kind, int blockType) {
    const auto keys = Keys(kind, blockType);
    const std::vector<std::int32_t> walk = Engine().Trees().TreeInOrder(kind);
    std::vector<std::int32_t> sortedWalk = walk;
    std::sort(sortedWalk.begin(), sortedWalk.end());
    std::vector<std::int32_t> numbers;
    for (const auto& [r, key] : keys) numbers.push_back(r);
    EXPECT_EQ(sortedWalk, numbers) << "kind " << static_cast<int>(kind);
    // Surname first, then the given names ("surname, given").
    const auto before = [](const std::string& a, const std::string& b) {
      const std::size_t ca = a.find(','), cb = b.find(',');
      const int c = KeyCompare(a.substr(0, ca), b.substr(0, cb), true);
      if (c != kAlphaEqual) return c == kAlphaBefore;
      return ca != std::string::npos && cb != std::string::npos &&
             KeyCompare(a.substr(ca), b.substr(cb), true) == kAlphaBefore;
    };
    for (std::size_t i = 1; i < walk.size(); ++i)
      EXPECT_FALSE(before(keys.at(walk[i]), keys.at(walk[i - 1])))
          << keys.at(walk[i - 1]) << " before " << keys.at(walk[i]);
    if (kind == RecordKind::Individual || kind == RecordKind::Source) {
      for (const auto& [r, key] : keys) {
        const std::int32_t found = Engine().Trees().FindByName(kind, key, db::kWalkExact);
        ASSERT_GT(found, 0) << key;
        EXPECT_EQ(keys.at(found), key);
      }
    }
  }
};

TEST_F(CheckRepairConvergenceTest, RepairLeavesAFileThatChecksClean) {
  struct Case {
    const char* name;
    std::function<void()> damage;
  };
  const std::vector<Case> cases = {
      {"names swapped between individuals",
       [this] {
         SwapField(RecordKind::Individual, husband, 8, 1, 20);  // Adams and Dunn
       }},
      {"names rotated through three individuals",
       [this] {
         SwapField(RecordKind::Individual, 1, 7, 1, 20);
         SwapField(RecordKind::Individual, 7, 2, 1, 20);
       }},
      {"titles swapped between sources",
       [this] {
         const std::int32_t a = AddSource("Census");
         AddSource("Parish register");
         const std::int32_t c = AddSource("Will");
         SwapField(RecordKind::Source, a, c, 123, 100);
       }},
      {"individual subtree cut off",
       [this] {
         const std::int32_t root = Engine().Blocks().Head().I32(orv::kHeadIndividualRoot);
         const auto b = Raw(RecordKind::Individual, root);
         PokeI32(RecordKind::Individual, root, orv::GetI32(b.data() + 242) != 0 ? 242 : 246, 0);
       }},
      {"looping citation chain",
       [this] {
         const std::int32_t a = CiteIndividual(husband);
         const std::int32_t b = CiteIndividual(husband);
         PokeI32(RecordKind::Citation, a, 115, b);
       }},
      {"delete chain lost",
       [this] {
         Engine().Blocks().Head().SetI32(orv::kHeadIndividualChain, 0);
         ASSERT_TRUE(Engine().Blocks().WriteHeader(orv::HeadPart::Counters));
       }},
      {"header block count",
       [this] {
         Engine().Blocks().Head().SetI32(orv::kHeadIndividualBlocks, 5);
         ASSERT_TRUE(Engine().Blocks().WriteHeader(orv::HeadPart::Counters));
       }},
      {"DBMap count above the type map's",
       [this] {
         const std::int64_t at =
             orv::BlockNumberOffset(Engine().Blocks().Head().I32(orv::kHeadDBMapBlock)) +
             orv::DBMap::CountOffset(0, orv::kBlockIndividuals);
         PatchFile(at, {5, 0});
       }},
      {"DBMap count and its mirror above the type map's",
       [this] {
         const std::int64_t at =
             orv::BlockNumberOffset(Engine().Blocks().Head().I32(orv::kHeadDBMapBlock)) +
             orv::DBMap::CountOffset(0, orv::kBlockNotes);
         PatchFile(at, {3, 0});
         PatchFile(orv::DBMap::MirrorOffset(0, orv::kBlockNotes), {3, 0});
       }},
      {"type map shows a block past the end of the file",
       [this] {
         const std::int32_t used = Engine().Blocks().Head().I32(orv::kHeadUsedPositions);
         PatchFile(orv::FirstBlockOffset(0) + used, {orv::kBlockNotes});
       }},
      {"marriage chain into a stranger's marriage",
       [this] { PokeI32(RecordKind::Individual, husband, 218, second); }},
      {"individual reached twice in the tree",
       [this] {
         // A free link of one of the children (who share their key) to
         // another child that is a leaf: the keys stay in order.
         for (const std::int32_t a : children)
           for (const std::int32_t c : children) {
             const auto ra = Raw(RecordKind::Individual, a), rc = Raw(RecordKind::Individual, c);
             if (a == c || orv::GetI32(rc.data() + 242) != 0 || orv::GetI32(rc.data() + 246) != 0)
               continue;
             for (const int link : {246, 242})
               if (orv::GetI32(ra.data() + link) == 0) {
                 PokeI32(RecordKind::Individual, a, link, c);
                 return;
               }
           }
         FAIL() << "no free link";
       }},
      {"source tree root lost",
       [this] {
         AddSource("Census");
         AddSource("Parish register");
         AddSource("Will");
         Engine().Blocks().Head().SetI32(orv::kHeadSourceRoot, 0);
         ASSERT_TRUE(Engine().Blocks().WriteHeader(orv::HeadPart::Counters));
       }},
  };
  const std::string clean = ReadAll(family);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NO_FATAL_FAILURE(Reopen(clean));
    c.damage();
    const auto individuals = Keys(RecordKind::Individual, orv::kBlockIndividuals);
    const auto sources = Keys(RecordKind::Source, orv::kBlockSources);
    EXPECT_GT(Check(0), 0u) << "the damage was not found";
    Check(1);
    EXPECT_EQ(Check(0), 0u) << report;
    EXPECT_EQ(Keys(RecordKind::Individual, orv::kBlockIndividuals), individuals);
    EXPECT_EQ(Keys(RecordKind::Source, orv::kBlockSources), sources);
    ExpectWalksAgree(RecordKind::Individual, orv::kBlockIndividuals);
    ExpectWalksAgree(RecordKind::Source, orv::kBlockSources);
    // The same holds after the file is closed and opened again.
    ASSERT_EQ(DbClose(), 1);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    EXPECT_EQ(Check(0), 0u) << report;
    ExpectWalksAgree(RecordKind::Individual, orv::kBlockIndividuals);
  }
}

// The block map's faults, each with its line: as told by a check, and with
// "(FIXED)" by the repair, after which a check is clean.
TEST_F(CheckRepairConvergenceTest, BlockMapFaultsAreToldInTheirWords) {
  const std::string clean = ReadAll(family);
  const std::int32_t used = Engine().Blocks().Head().I32(orv::kHeadUsedPositions);
  const int lastType = static_cast<std::uint8_t>(clean[orv::FirstBlockOffset(0) + used - 1]);
  const std::string usedText = std::to_string(used);
  struct Case {
    const char* name;
    std::function<void()> damage;
    std::string line;
  };
  const std::vector<Case> cases = {
      {"DBMap count above the type map's",
       [this] {
         PatchFile(orv::BlockNumberOffset(Engine().Blocks().Head().I32(orv::kHeadDBMapBlock)) +
                       orv::DBMap::CountOffset(0, orv::kBlockIndividuals),
                   {5, 0});
       },
       "The DBMap count of 5 blocks of type " + std::to_string(orv::kBlockIndividuals) +
           " in group 0 does not match the datamap block count of 1."},
      {"type map shows a block past the end of the file",
       [&] { PatchFile(orv::FirstBlockOffset(0) + used, {orv::kBlockNotes}); },
       "Block " + std::to_string(used + 1) + " of type " + std::to_string(orv::kBlockNotes) +
           " lies beyond the end of the file."},
      {"header counts two groups",
       [this] {
         Engine().Blocks().Head().SetI32(orv::kHeadGroups, 2);
         ASSERT_TRUE(Engine().Blocks().WriteHeader(orv::HeadPart::Counters));
       },
       "The file header block count of 2 does not match block count of 1."},
      {"header counts a used position more",
       [&] {
         Engine().Blocks().Head().SetI32(orv::kHeadUsedPositions, used + 1);
         ASSERT_TRUE(Engine().Blocks().WriteHeader(orv::HeadPart::Counters));
       },
       "The file header block count of " + std::to_string(used + 1) +
           " does not match block count of " + usedText + "."},
      {"file cut inside its last block", [&] { Reopen(clean.substr(0, clean.size() - 100)); },
       "Block " + usedText + " of type " + std::to_string(lastType) +
           " is cut short by the end of the file."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NO_FATAL_FAILURE(Reopen(clean));
    c.damage();
    EXPECT_GT(Check(0), 0u);
    EXPECT_TRUE(Reported(c.line)) << report;
    Check(1);
    EXPECT_TRUE(Reported(c.line + " (FIXED)")) << report;
    EXPECT_EQ(Check(0), 0u) << report;
  }
}

TEST_F(CheckRepairTest, RepairDropsBothIndexFiles) {
  const std::string links = family.substr(0, family.size() - 1) + "x";
  const std::string index = family.substr(0, family.size() - 1) + "a";
  WriteAll(links, std::string(16, 'l'));
  if (!plat::FileExists(index)) WriteAll(index, std::string(16, 'i'));
  Check(0);
  EXPECT_TRUE(plat::FileExists(links));
  Check(1);
  EXPECT_FALSE(plat::FileExists(links));
  EXPECT_FALSE(plat::FileExists(index));
}

// A block of individuals whose type byte was changed hides its records: the
// repair knows the block by its contents and brings them back.
TEST_F(CheckRepairConvergenceTest, MistypedBlockOfRecordsIsRetyped) {
  // The live records of a kind, by number, as their bytes stand.
  const auto live = [this](RecordKind kind) {
    std::map<std::int32_t, std::vector<std::uint8_t>> out;
    for (std::int32_t r = 1; r <= Engine().Records().Highest(kind); ++r)
      if (Engine().Records().IsLive(kind, r) == 1) out[r] = Raw(kind, r);
    return out;
  };
  const std::string clean = ReadAll(family);
  for (const RecordKind kind : {RecordKind::Individual, RecordKind::FamilyLink}) {
    SCOPED_TRACE(static_cast<int>(kind));
    ASSERT_NO_FATAL_FAILURE(Reopen(clean));
    const auto individuals = Keys(RecordKind::Individual, orv::kBlockIndividuals);
    const auto records = live(kind);
    ASSERT_GE(records.size(), 3u);
    const std::int64_t block = Engine().Records().LocateRecord(kind, 1);
    const int position = static_cast<int>((block - orv::BlockOffset(0, 0)) / orv::kBlockSize);
    ASSERT_EQ(orv::BlockOffset(0, position), block);
    PatchFile(orv::FirstBlockOffset(0) + position, {orv::kBlockDescriptors});
    EXPECT_GT(Check(0), 0u);
    Check(1);
    EXPECT_EQ(Check(0), 0u) << report;
    EXPECT_EQ(live(kind), records);
    EXPECT_EQ(Keys(RecordKind::Individual, orv::kBlockIndividuals), individuals);
    ExpectWalksAgree(RecordKind::Individual, orv::kBlockIndividuals);
    ASSERT_EQ(DbClose(), 1);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    EXPECT_EQ(live(kind), records);
    EXPECT_EQ(Check(0), 0u) << report;
  }
}

// The DBMap's own type byte damaged: the open finds the DBMap by the header
// and tells of the damage; one repair mends the byte, and later opens agree
// with Check that the file is sound.
TEST_F(CheckRepairConvergenceTest, DamagedTypeByteOfTheDBMapIsMended) {
  const std::int32_t b = Engine().Blocks().Head().I32(orv::kHeadDBMapBlock);
  const auto individuals = Keys(RecordKind::Individual, orv::kBlockIndividuals);
  for (const std::uint8_t to : {std::uint8_t{0}, std::uint8_t{orv::kBlockNotes}}) {
    SCOPED_TRACE(static_cast<int>(to));
    boxes.Clear();
    PatchFile(orv::FirstBlockOffset(0) + (b - 1), {to});
    EXPECT_FALSE(boxes.Calls().empty());
    EXPECT_GT(Check(0), 0u);
    Check(1);
    EXPECT_EQ(Check(0), 0u) << report;
    ASSERT_EQ(DbClose(), 1);
    boxes.Clear();
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    EXPECT_TRUE(boxes.Calls().empty()) << boxes.Calls().front().text;
    EXPECT_EQ(Check(0), 0u) << report;
    EXPECT_EQ(Keys(RecordKind::Individual, orv::kBlockIndividuals), individuals);
  }
}

TEST_F(CheckRepairTest, EventNotesMultimediaAndFirstMarriageOfTheExtensionAreChecked) {
  orv::IndividualExtRec ext;
  ASSERT_EQ(Engine().Records().Read(husband, ext), 1);
  ASSERT_EQ(Engine().Records().Write(husband, ext), 1);
  PokeI32(RecordKind::Individual, husband, 22 + 30, 999);   // birth notes
  PokeI32(RecordKind::Individual, husband, 98 + 34, 777);   // death multimedia
  PokeI32(RecordKind::Individual, husband, 196 + 14, 555);  // endowment notes
  PokeI32(RecordKind::IndividualExt, husband, 44, 99);      // first marriage
  const std::string h = "Individual " + std::to_string(husband);
  ExpectFoundAndMended({h + " Birth Notes pointer (999) is invalid. Set the pointer to 0.",
                        h + " Death Multimedia pointer (777) is invalid. Set the pointer to 0.",
                        h + " Endowment Notes pointer (555) is invalid. Set the pointer to 0.",
                        h + " first Marriage pointer (99) is invalid. Set the pointer to 0."},
                       {{RecordKind::Individual, husband}},
                       {h + " Birth Notes pointer (999) is invalid. ",
                        h + " Death Multimedia pointer (777) is invalid. ",
                        h + " Endowment Notes pointer (555) is invalid. ",
                        h + " first Marriage pointer (99) is invalid. "});
}

// A string entry whose kind byte was changed: Check names it, one repair
// gives it back the kind its field asks (or its store's first kind), keeps
// its text, and the entry is found again by text and kind.
TEST_F(CheckRepairConvergenceTest, StringEntryOfAnotherKindIsGivenItsKindBack) {
  const std::int32_t surname = orv::GetI32(Raw(RecordKind::Individual, husband).data() + 1);
  const std::int32_t place = Engine().Strings().FindOrAddString("\xC5sele", 2);
  ASSERT_GT(place, 0);
  PokeI32(RecordKind::Individual, wife, 22 + 6, place);  // birth place
  CEventTypeRecord type;
  type.title = "Apprenticeship";
  const std::int32_t typeNumber = DbAddRecord(db::kEventType, 0, &type);
  ASSERT_GT(typeNumber, 0);
  const std::int32_t title = orv::GetI32(Raw(RecordKind::EventType, typeNumber).data());
  ASSERT_GT(title, 0);
  const std::int32_t loose = Engine().Strings().FindOrAddString("Nobody names me", 5);
  ASSERT_GT(loose, 0);
  struct Case {
    const char* name;
    std::int32_t entry;
    int kind;     // the kind it was written with
    int damaged;  // the kind byte changed to
  };
  const Case cases[] = {
      {"surname as a date text", surname, 0, 3},
      {"surname as a text of the other store", surname, 0, 5},
      {"place as an unknown kind", place, 2, 200},
      {"event type title as a name", title, 4, 0},
      {"event type title as another text kind", title, 4, 7},
      {"text no field names, as a name", loose, 5, 1},
  };
  const std::string clean = ReadAll(family);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NO_FATAL_FAILURE(Reopen(clean));
    orv::StringEntry before;
    ASSERT_GT(Engine().Strings().ReadEntry(c.entry, before, true), 0);
    ASSERT_EQ(before.kind, c.kind);
    PatchFile(c.entry + orv::kEntryKind, {static_cast<std::uint8_t>(c.damaged)});
    EXPECT_GT(Check(0), 0u);
    // A text no field names keeps a kind of its store.
    const int restored = c.entry == loose ? 4 : c.kind;
    const std::string line = "Name " + std::to_string(c.entry) + " kind (" +
                             std::to_string(c.damaged) + ") should be " + std::to_string(restored) +
                             ".";
    EXPECT_TRUE(Reported(line)) << report;
    Check(1);
    EXPECT_TRUE(Reported(line + " (FIXED)")) << report;
    EXPECT_EQ(Check(0), 0u) << report;
    ASSERT_EQ(DbClose(), 1);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    orv::StringEntry after;
    ASSERT_GT(Engine().Strings().ReadEntry(c.entry, after, true), 0);
    EXPECT_EQ(after.kind, restored);
    EXPECT_EQ(after.text, before.text);
    std::int32_t parent = 0;
    EXPECT_EQ(Engine().Strings().FindString(before.text, restored, parent), c.entry);
    EXPECT_EQ(Check(0), 0u) << report;
  }
}

// The alphabetic index file beside the family file, current by its stamp but
// listing a person twice, a dead record or not every person: Check says so,
// Repair has it built anew from the name tree, and a second Check finds 0.
TEST_F(CheckRepairConvergenceTest, AlphabeticIndexListingPeopleWronglyIsBuiltAnew) {
  const std::string index = family.substr(0, family.size() - 1) + "a";
  std::set<std::int32_t> people;
  for (std::int32_t r = 1; r <= Engine().Records().Highest(RecordKind::Individual); ++r)
    if (Engine().Records().IsLive(RecordKind::Individual, r) == 1) people.insert(r);
  ASSERT_EQ(Engine().Trees().NameIndexEntries(), static_cast<std::int32_t>(people.size()));
  ASSERT_EQ(DbClose(), 1);
  const std::string built = ReadAll(index);
  ASSERT_EQ(built.size(), 4 * (people.size() + 1));
  const std::string clean = ReadAll(family);
  // The index's entries as numbers, and a file of given numbers with the
  // closing stamp of the built one.
  std::vector<std::int32_t> entries;
  for (std::size_t i = 0; i + 4 < built.size(); i += 4)
    entries.push_back(orv::GetI32(reinterpret_cast<const std::uint8_t*>(built.data()) + i));
  const auto write = [&](const std::vector<std::int32_t>& numbers) {
    std::string bytes(4 * numbers.size(), '\0');
    for (std::size_t i = 0; i < numbers.size(); ++i)
      orv::PutI32(reinterpret_cast<std::uint8_t*>(bytes.data()) + 4 * i, numbers[i]);
    WriteAll(index, bytes + built.substr(built.size() - 4));
  };
  const std::int32_t dead = 6;
  ASSERT_EQ(people.count(dead), 0u);
  struct Case {
    const char* name;
    std::function<std::vector<std::int32_t>(std::vector<std::int32_t>)> change;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      {"a person listed twice",
       [](std::vector<std::int32_t> v) {
         v.insert(v.begin() + 2, v[4]);
         return v;
       },
       {"The alphabetic index lists 1 individuals more than once."}},
      {"a dead record in place of a person",
       [&](std::vector<std::int32_t> v) {
         v[1] = dead;
         return v;
       },
       {"The alphabetic index lists 1 records that are not live individuals.",
        "The alphabetic index does not list 1 individuals."}},
      {"a person missing",
       [](std::vector<std::int32_t> v) {
         v.pop_back();
         return v;
       },
       {"The alphabetic index does not list 1 individuals."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteAll(family, clean);
    write(c.change(entries));
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    EXPECT_EQ(Check(0), c.lines.size()) << report;
    for (const std::string& line : c.lines) EXPECT_TRUE(Reported(line)) << report;
    Check(1);
    for (const std::string& line : c.lines) EXPECT_TRUE(Reported(line + " (FIXED)")) << report;
    EXPECT_EQ(Check(0), 0u) << report;
    // Opened again, the index lists every person once, in the tree's order.
    ASSERT_EQ(DbClose(), 1);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    std::vector<std::int32_t> listed;
    for (std::int32_t i = 1; i <= Engine().Trees().NameIndexEntries(); ++i)
      listed.push_back(Engine().Trees().NameIndexAt(i));
    EXPECT_EQ(listed, entries);
    ASSERT_EQ(DbClose(), 1);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    EXPECT_EQ(Check(0), 0u) << report;
    ASSERT_EQ(DbClose(), 1);
  }
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
}
