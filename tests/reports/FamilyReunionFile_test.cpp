// The Family Reunion Contact List file: the phone, address and e-mail lists
// of a small made-up family read through a fake source, who is left out, and
// the whole run over a family file ending in the desktop's text editor.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "FakePorts.h"
#include "FamilyReunionFile.h"
#include "MemoryFile.h"
#include "ReportFamilies.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

using Field = CIndividualRecord::ContactField;
using Options = rpt::FamilyReunionFileOptions;

// People and marriages kept in maps.
class FakeReunionSource : public rpt::ReunionSource {
 public:
  bool ReadIndividual(std::int32_t rin, CIndividualRecord& out) override {
    auto it = people.find(rin);
    if (it == people.end()) return false;
    out = it->second;
    return true;
  }
  bool ReadMarriage(std::int32_t mrin, CMarriageRecord& out) override {
    auto it = marriages.find(mrin);
    if (it == marriages.end()) return false;
    out = it->second;
    return true;
  }
  std::vector<std::int32_t> Marriages(std::int32_t rin) override { return spouses[rin]; }

  CIndividualRecord& Add(std::int32_t rin, const std::string& given, const std::string& surname,
                         char sex, int born = 0) {
    CIndividualRecord& p = people[rin];
    p.numbers[CIndividualRecord::kRin] = rin;
    p.givenNames[0] = given;
    p.surname = surname;
    p.sex = sex;
    if (born != 0) p.birth.date.Set(born, 1, 1);
    return p;
  }
  void Marry(std::int32_t mrin, std::int32_t husband, std::int32_t wife) {
    marriages[mrin].husband = husband;
    marriages[mrin].wife = wife;
    spouses[husband].push_back(mrin);
    spouses[wife].push_back(mrin);
  }

  std::map<std::int32_t, CIndividualRecord> people;
  std::map<std::int32_t, CMarriageRecord> marriages;
  std::map<std::int32_t, std::vector<std::int32_t>> spouses;
};

void SetAddress(CIndividualRecord& p, const std::string& street1, const std::string& street2) {
  p.contact[Field::kContactAddress1] = street1;
  p.contact[Field::kContactAddress2] = street2;
  p.contact[Field::kContactCity] = "Provo";
  p.contact[Field::kContactState] = "UT";
  p.contact[Field::kContactPostalCode] = "84601";
  p.contact[Field::kContactCountry] = "USA";
}

// The family: RINs 1-9 are the prepared sequence; 20 is Mary's husband.
FakeReunionSource Family() {
  FakeReunionSource s;
  CIndividualRecord& john = s.Add(1, "John", "Smith", 'M', 1950);
  john.contact[Field::kContactPhone] = "555-1234";
  john.contact[Field::kContactEmail] = "john@example.org";
  SetAddress(john, "1 Main St", "");
  CIndividualRecord& never = s.Add(2, "Nora", "Smith", 'F', 1899);  // "nc": never listed
  never.contact[Field::kContactName] = "nc";
  never.contact[Field::kContactPhone] = "555-0000";
  s.Add(3, "Mary", "Smith", 'F', 1960);  // listed as a Brown, with his data
  CIndividualRecord& tom = s.Add(20, "Tom", "Brown", 'M', 1958);
  tom.contact[Field::kContactPhone] = "555-9999";
  tom.contact[Field::kContactEmail] = "browns@example.org";
  SetAddress(tom, "9 Elm Rd", "Unit 2");
  s.Marry(10, 20, 3);
  s.Add(4, "Old", "Timer", 'M', 1899);                               // born before 1900
  s.Add(5, "New", "Timer", 'M', 1900);                               // not before 1900
  s.Add(6, "Chris", "Timer", 'U').christening.date.Set(1850, 1, 1);  // by christening
  CIndividualRecord& rear = s.Add(7, "Rae", "Rear", 'F', 1970);
  SetAddress(rear, "4 Back Lane", "Flat B\r\nRear entrance");
  rear.contact[Field::kContactPhone] = "12345678901234567890123";
  CIndividualRecord& bud = s.Add(8, "Robert", "Smith", 'M', 1940);
  bud.givenNames[1] = "James";
  bud.title = "Dr.";
  bud.nameExtensions[0] = "Bud";
  bud.contact[Field::kContactName] = "";
  bud.contact[Field::kContactPhone] = "555-8888";
  CIndividualRecord& whites = s.Add(9, "Anne", "White", 'F', 1975);
  whites.contact[Field::kContactName] = "The Whites";
  whites.contact[Field::kContactEmail] = "whites@example.org";
  whites.contact[Field::kContactPhone] = "555-7777";
  return s;
}

std::string Write(FakeReunionSource& source, Options options) {
  const std::vector<std::int32_t> sequence = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0};
  MemoryFile file;
  EXPECT_TRUE(rpt::WriteFamilyReunionEntries(
      file, [&](std::int64_t n) { return sequence[static_cast<std::size_t>(n)]; }, options,
      source));
  std::string out(static_cast<std::size_t>(file.Size()), '\0');
  file.ReadAt(0, out.data(), out.size());
  return out;
}

std::string Pad(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

// The phone column: a blank, the number right-justified in 20, the line end.
std::string Phone(const std::string& number) {
  return " " + std::string(20 - number.size(), ' ') + number + "\r\n";
}

TEST(FamilyReunionFile, PhoneList) {
  FakeReunionSource source = Family();
  const std::string withOld = Write(source, {Options::kPhone, true, 1900});
  EXPECT_EQ(withOld, Pad("Smith, John", 48) + Phone("555-1234") + Pad("Brown, Mary", 48) +
                         Phone("555-9999") + "Timer, Old\r\n" + "Timer, Chris\r\n" +
                         Pad("Rear, Rae", 48) + Phone("12345678901234567890") +
                         Pad("Smith, Bud", 48) + Phone("555-8888") + Pad("The Whites", 48) +
                         Phone("555-7777"));
  // Without include-no-contact nobody is listed without data.
  const std::string without = Write(source, {Options::kPhone, false, 1900});
  EXPECT_EQ(without.find("Timer"), std::string::npos);
  EXPECT_NE(without.find("Brown, Mary"), std::string::npos);
}

TEST(FamilyReunionFile, AddressListTakesSixLinesAnEntry) {
  FakeReunionSource source = Family();
  const std::string out = Write(source, {Options::kAddress, false, 0});
  EXPECT_EQ(out,
            "John Smith\r\n1 Main St\r\nProvo, UT  84601\r\nUSA\r\n\r\n\r\n"
            "Mary Brown\r\n9 Elm Rd\r\nUnit 2\r\nProvo, UT  84601\r\nUSA\r\n\r\n"
            "Rae Rear\r\n4 Back Lane\r\nFlat B\r\nRear entrance\r\nProvo, UT  84601\r\nUSA\r\n");
}

TEST(FamilyReunionFile, EmailList) {
  FakeReunionSource source = Family();
  const std::string out = Write(source, {Options::kEmail, false, 0});
  EXPECT_EQ(out, Pad("Smith, John", 48) + " john@example.org\r\n" + Pad("Brown, Mary", 48) +
                     " browns@example.org\r\n" + Pad("The Whites", 48) + " whites@example.org\r\n");
}

TEST(FamilyReunionFile, NamesAreCutAndMarriedNamesWin) {
  FakeReunionSource s;
  CIndividualRecord& longName = s.Add(1, "Maximilian", std::string(50, 'W'), 'M');
  longName.contact[Field::kContactPhone] = "1";
  CIndividualRecord& married = s.Add(2, "Ann", "Green", 'F');
  married.texts2[1] = "Mrs. Ann Black";
  married.contact[Field::kContactPhone] = "2";
  const std::vector<std::int32_t> sequence = {1, 2, 0};
  MemoryFile file;
  ASSERT_TRUE(rpt::WriteFamilyReunionEntries(
      file, [&](std::int64_t n) { return sequence[static_cast<std::size_t>(n)]; },
      {Options::kPhone, false, 0}, s));
  std::string out(static_cast<std::size_t>(file.Size()), '\0');
  file.ReadAt(0, out.data(), out.size());
  EXPECT_EQ(out, std::string(48, 'W') + Phone("1") + Pad("Mrs. Ann Black", 48) + Phone("2"));
}

TEST(FamilyReunionFile, AFailedWriteIsReported) {
  FakeReunionSource source = Family();
  const std::vector<std::int32_t> sequence = {1, 3, 0};
  MemoryFile memory;
  FailingFile failing(memory, 10);
  EXPECT_FALSE(rpt::WriteFamilyReunionEntries(
      failing, [&](std::int64_t n) { return sequence[static_cast<std::size_t>(n)]; },
      {Options::kPhone, false, 0}, source));
}

class FamilyReunionFileRun : public ReportFamiliesFixture {};

TEST_F(FamilyReunionFileRun, WritesTheDescendantsAndOpensTheFile) {
  const std::int32_t father = Person("Adam", "Grey", 'M', 1940);
  const std::int32_t mother = Person("Eve", "Grey", 'F', 1942);
  const std::int32_t son = Person("Cain", "Grey", 'M', 1965);
  const std::int32_t family = Marry(father, mother);
  Child(family, son);
  CIndividualRecord record;
  ASSERT_EQ(family::Read(record, son), 1);
  record.contact[Field::kContactPhone] = "555-4242";
  ASSERT_EQ(family::Update(record, 0), 1);

  plat::FakeShell shell;
  plat::ScopedShell scopedShell(&shell);
  TempDir dir;
  const std::string path = dir.File("reunion.txt");
  ASSERT_TRUE(rpt::WriteFamilyReunionFile(path, father, {Options::kPhone, false, 0}));
  EXPECT_EQ(ReadAll(path), Pad("Grey, Cain", 48) + Phone("555-4242"));
  EXPECT_EQ(shell.opened, std::vector<std::string>{path});

  // A file that cannot be created: reported, nothing opened.
  shell.opened.clear();
  EXPECT_FALSE(rpt::WriteFamilyReunionFile(dir.File("no/such/dir.txt"), father,
                                           {Options::kPhone, false, 0}));
  EXPECT_TRUE(shell.opened.empty());
  ASSERT_FALSE(boxes.Calls().empty());
  EXPECT_NE(boxes.Calls().back().text.find("List File"), std::string::npos);
}

}  // namespace
