// Check/Repair of the small family with damage that must cost nothing that
// can be read back: type bytes set to free or another kind (alone, with a
// stray byte where the block's kind writes nothing, or two at once), and a
// name entry whose text was zeroed. One repair keeps every person, name,
// parent link, marriage, note and citation that was readable, names what
// it drops, and a second check finds nothing.

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "DatabaseChecker.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyWorkout.h"
#include "FileLayout.h"
#include "IndividualRecord.h"
#include "OpenFamilyFixture.h"
#include "StringStore.h"
#include "TestHelpers.h"

using orv::RecordKind;

namespace {

// The names store, beside the record kinds, as a kind of block to damage.
constexpr RecordKind kNames = static_cast<RecordKind>(-1);

class CheckRepairDamageTest : public OpenFamilyFixture {
 protected:
  void SetUp() override {
    OpenFamilyFixture::SetUp();
    ASSERT_TRUE(workout::BuildSmallFamily(Engine()));
    ASSERT_EQ(DbClose(), 1);
    clean = ReadAll(family);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  }
  ORV3& Engine() { return *CurrentDatabase->engine; }

  unsigned long Check(int repair) {
    CDatabaseChecker checker(family, reportPath, *CurrentDatabase, repair);
    checker.Run();
    const unsigned long problems = checker.ProblemCount();
    checker.Finish();
    report = ReadAll(reportPath);
    return problems;
  }
  static std::string Joined(const std::vector<std::int32_t>& numbers) {
    std::string out;
    for (const std::int32_t n : numbers) out += std::to_string(n) + " ";
    return out;
  }
  // What a user reads of the family through the calls, line by line.
  std::map<std::string, std::string> Readable() {
    std::map<std::string, std::string> out;
    for (std::int32_t r = 1; r <= 8; ++r) {
      const std::string p = "individual " + std::to_string(r);
      CIndividualRecord person;
      if (DbGetIndividualRecord(r, person, 10) != 1) continue;
      out[p + " surname"] = person.surname;
      out[p + " given"] = person.givenNames[0];
      out[p + " sex"] = std::string(1, person.sex);
      out[p + " birth"] =
          std::to_string(person.birth.date.year) + " " + person.birth.place[0];
      out[p + " parents"] = Joined(DbGetRelationChain(r, db::kRelParents));
      out[p + " marriages"] = Joined(DbGetRelationChain(r, db::kRelMarriages));
      out[p + " notes"] = DbGetNotes(r, 0, db::kIndividual, 0, 1, 0);
    }
    for (std::int32_t m = 1; m <= 3; ++m) {
      const std::string k = "marriage " + std::to_string(m);
      std::vector<std::int32_t> spouses;
      if (DbGetRelation(m, db::kRelSpouses, 2, spouses) == 1) out[k] = Joined(spouses);
      out[k + " children"] = Joined(DbGetRelationChain(m, db::kRelChildren));
      out[k + " notes"] = DbGetNotes(m, 0, db::kMarriage, 0, 1, 0);
    }
    for (std::int32_t c = 1; c <= Engine().Records().Highest(RecordKind::Citation); ++c) {
      if (Engine().Records().IsLive(RecordKind::Citation, c) != 1) continue;
      std::vector<std::uint8_t> buf(orv::LayoutOf(RecordKind::Citation).size);
      Engine().Records().ReadRaw(RecordKind::Citation, c, buf.data());
      out["citation " + std::to_string(c)] = std::to_string(orv::GetI32(buf.data() + 123));
    }
    return out;
  }
  // Sets bytes of the closed file and opens it again.
  void Patch(const std::vector<std::pair<std::int64_t, std::uint8_t>>& bytes) {
    ASSERT_EQ(DbClose(), 1);
    std::string file = clean;
    for (const auto& [at, b] : bytes) file[static_cast<std::size_t>(at)] = static_cast<char>(b);
    WriteAll(family, file);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  }
  // The type byte of the block at offset, in its group's type map.
  static std::int64_t TypeByteOf(std::int64_t block) {
    const int position = static_cast<int>((block - orv::BlockOffset(0, 0)) / orv::kBlockSize);
    return orv::FirstBlockOffset(0) + position;
  }
  // The first block of a record kind, or of the names store.
  std::int64_t BlockOf(RecordKind kind) {
    const std::int64_t at = kind == kNames
                                ? Engine().Blocks().Head().I32(orv::kHeadNameNext) - 1
                                : Engine().Records().LocateRecord(kind, 1);
    return orv::BlockOffset(0, static_cast<int>((at - orv::BlockOffset(0, 0)) / orv::kBlockSize));
  }
  // A byte of the block where its kind writes nothing (the names store's
  // entries end well before the end of its block), or -1 when it fills
  // the block.
  static std::int64_t UnusedByteOf(RecordKind kind, std::int64_t block) {
    if (kind == kNames) return block + orv::kBlockSize - 1;
    const orv::RecordLayout& layout = orv::LayoutOf(kind);
    const int used = layout.perBlock * layout.size;
    return used < orv::kBlockSize ? block + orv::kBlockSize - 1 : -1;
  }

  // The lines of what differs between two readings, "" for none.
  static std::string Differences(const std::map<std::string, std::string>& before,
                                 const std::map<std::string, std::string>& after) {
    std::string out;
    for (const auto& [key, value] : before) {
      const auto it = after.find(key);
      if (it == after.end()) {
        out += key + ": gone\n";
      } else if (it->second != value) {
        out += key + ": " + value + " -> " + it->second + "\n";
      }
    }
    for (const auto& [key, value] : after)
      if (before.count(key) == 0) out += key + ": new " + value + "\n";
    return out;
  }

  std::string clean;
  std::string reportPath = dir.File("checkfix.rpt");
  std::string report;
};

struct TypeByteCase {
  std::string name;
  std::vector<RecordKind> kinds;  // the blocks damaged (kNames: the names store's)
  std::uint8_t to;                // their type byte becomes this
  bool stray;                     // plus a stray byte where each writes nothing
};

void PrintTo(const TypeByteCase& c, std::ostream* os) { *os << c.name; }

std::vector<TypeByteCase> TypeByteCases() {
  const std::pair<RecordKind, const char*> kinds[] = {
      {RecordKind::Individual, "Individuals"}, {RecordKind::Marriage, "Marriages"},
      {RecordKind::NoteBlock, "Notes"},        {RecordKind::FamilyLink, "FamilyLinks"},
      {RecordKind::Citation, "Citations"},     {RecordKind::Source, "Sources"},
      {RecordKind::Repository, "Repositories"}, {kNames, "Names"}};
  std::vector<TypeByteCase> out;
  for (const auto& [kind, name] : kinds)
    for (const bool stray : {false, true}) {
      const bool fills = kind != kNames && orv::LayoutOf(kind).perBlock *
                                                   orv::LayoutOf(kind).size >=
                                               orv::kBlockSize;
      if (stray && fills) continue;
      out.push_back({std::string(name) + "Free" + (stray ? "WithStrayByte" : ""), {kind}, 0,
                     stray});
      out.push_back({std::string(name) + "AsDescriptors" + (stray ? "WithStrayByte" : ""),
                     {kind},
                     orv::kBlockDescriptors,
                     stray});
    }
  out.push_back({"FamilyLinksAndNotesFree", {RecordKind::FamilyLink, RecordKind::NoteBlock}, 0,
                 false});
  out.push_back({"MarriagesAndCitationsFree", {RecordKind::Marriage, RecordKind::Citation}, 0,
                 false});
  out.push_back({"IndividualsAndFamilyLinksFreeWithStrayBytes",
                 {RecordKind::Individual, RecordKind::FamilyLink},
                 0,
                 true});
  out.push_back({"SourcesAndRepositoriesFree", {RecordKind::Source, RecordKind::Repository}, 0,
                 false});
  out.push_back({"NamesAndIndividualsFreeWithStrayBytes", {kNames, RecordKind::Individual}, 0,
                 true});
  return out;
}

class CheckRepairTypeByteTest : public CheckRepairDamageTest,
                                public ::testing::WithParamInterface<TypeByteCase> {};

TEST_P(CheckRepairTypeByteTest, OneRepairKeepsEverythingReadable) {
  const TypeByteCase& c = GetParam();
  const auto before = Readable();
  std::vector<std::pair<std::int64_t, std::uint8_t>> bytes;
  bool anyStray = false;
  for (const RecordKind kind : c.kinds) {
    const std::int64_t block = BlockOf(kind);
    bytes.push_back({TypeByteOf(block), c.to});
    const std::int64_t unused = UnusedByteOf(kind, block);
    if (c.stray && unused >= 0) {
      bytes.push_back({unused, 0x5A});
      anyStray = true;
    }
  }
  ASSERT_EQ(anyStray, c.stray);
  ASSERT_NO_FATAL_FAILURE(Patch(bytes));
  EXPECT_GT(Check(0), 0u);
  Check(1);
  const std::string repairReport = report;
  EXPECT_EQ(Check(0), 0u) << report;
  EXPECT_EQ(Differences(before, Readable()), "") << repairReport;
  ASSERT_EQ(DbClose(), 1);
  ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  EXPECT_EQ(Differences(before, Readable()), "");
  EXPECT_EQ(Check(0), 0u) << report;
}

INSTANTIATE_TEST_SUITE_P(Blocks, CheckRepairTypeByteTest, ::testing::ValuesIn(TypeByteCases()),
                         [](const ::testing::TestParamInfo<TypeByteCase>& info) {
                           return info.param.name;
                         });

// A name whose entry text was zeroed, for each text the individuals name
// (surnames, given names, birth places): Check finds it, Repair writes into
// no other entry, clears only the fields that named that text (and says
// so), and a second check finds nothing.
TEST_F(CheckRepairDamageTest, AZeroedNameIsFoundAndOnlyItIsDropped) {
  const auto before = Readable();
  std::map<std::string, std::int32_t> entries;  // text -> its entry
  for (std::int32_t r = 1; r <= 8; ++r) {
    std::vector<std::uint8_t> raw(orv::LayoutOf(RecordKind::Individual).size);
    Engine().Records().ReadRaw(RecordKind::Individual, r, raw.data());
    // Surname, the first given name, and the birth's first place part.
    for (const int at : {1, 5, 22 + 6}) {
      const std::int32_t entry = orv::GetI32(raw.data() + at);
      orv::StringEntry text;
      ASSERT_GT(Engine().Strings().ReadEntry(entry, text, true), 0);
      entries[text.text] = entry;
    }
  }
  ASSERT_EQ(entries.size(), 14u);
  for (const auto& [text, entry] : entries) {
    SCOPED_TRACE(text);
    std::vector<std::pair<std::int64_t, std::uint8_t>> bytes;
    for (std::size_t i = 0; i < text.size(); ++i)
      bytes.push_back({entry + orv::kEntryText + static_cast<std::int64_t>(i), 0});
    ASSERT_NO_FATAL_FAILURE(Patch(bytes));
    EXPECT_GT(Check(0), 0u);
    const std::string named = "Name " + std::to_string(entry) + " has no text";
    EXPECT_NE(report.find(named), std::string::npos) << report;
    Check(1);
    const std::string repairReport = report;
    EXPECT_NE(report.find(named), std::string::npos) << report;
    EXPECT_EQ(Check(0), 0u) << report;
    // The fields that named the text lose it; nothing else changes.
    auto expected = before;
    for (auto& [key, value] : expected) {
      if (key.find("surname") != std::string::npos || key.find("given") != std::string::npos) {
        if (value == text) value.clear();
      } else if (key.find("birth") != std::string::npos) {
        const std::size_t space = value.find(' ');
        if (value.substr(space + 1) == text) value.resize(space + 1);
      }
    }
    EXPECT_EQ(Differences(expected, Readable()), "") << repairReport;
    ASSERT_EQ(DbClose(), 1);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    EXPECT_EQ(Differences(expected, Readable()), "");
    EXPECT_EQ(Check(0), 0u) << report;
  }
}

}  // namespace
