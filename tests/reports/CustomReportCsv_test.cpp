// The custom report as comma-delimited text: the exact bytes, quotes inside
// fields, a reader's view of the file, Cancel, and failures to read or write.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "CodePage.h"
#include "CustomFieldCatalog.h"
#include "CustomReport.h"
#include "CustomReportCsv.h"
#include "FakePorts.h"
#include "MemoryFile.h"
#include "ReportFamilies.h"
#include "ScopedCodePage.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Lines from a table; a line index can fail to read.
class TableSource : public rpt::CustomCsvSource {
 public:
  explicit TableSource(Rows rows, std::size_t failAt = SIZE_MAX)
      : rows_(std::move(rows)), failAt_(failAt) {}
  Result Next(std::vector<std::string>& fields) override {
    if (next_ == failAt_) return kFailed;
    if (next_ >= rows_.size()) return kEnd;
    fields = rows_[next_++];
    return kLine;
  }

 private:
  Rows rows_;
  std::size_t failAt_;
  std::size_t next_ = 0;
};

std::string Contents(MemoryFile& file) {
  std::string out(static_cast<std::size_t>(file.Size()), '\0');
  file.ReadAt(0, out.data(), out.size());
  return out;
}

TEST(CustomReportCsv, WritesQuotedFieldsAndCrLf) {
  struct Case {
    std::vector<std::string> fields;
    const char* line;
  };
  const Case cases[] = {
      {{"Surname, Given", "Birth Date"}, "\"Surname, Given\",\"Birth Date\"\r\n"},
      {{"Jones, \"Red\" Bill", ""}, "\"Jones, \"\"Red\"\" Bill\",\"\"\r\n"},
      {{"\""}, "\"\"\"\"\r\n"},
      {{"a\r\nb", "c"}, "\"a\r\nb\",\"c\"\r\n"},
      {{}, "\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(rpt::CsvLine(c.fields), c.line);

  // The file is UTF-8 after its byte-order mark: accented names (code page
  // text in memory, a private pair for the L with stroke) read right.
  ScopedCodePage western(plat::kCodePageWestern);
  MemoryFile file;
  TableSource source({{"SMITH, John", "12 Mar 1850"},
                      {"O\"Neil, Ann", ""},
                      {plat::Utf8ToAnsi("Müller, Łucja"), plat::Utf8ToAnsi("Ærø")}});
  const auto outcome = rpt::WriteCustomCsv(file, {"Surname, Given", "Birth Date"}, source);
  EXPECT_EQ(outcome.status, rpt::CustomCsvOutcome::kDone);
  EXPECT_EQ(outcome.lines, 3);
  EXPECT_EQ(Contents(file),
            "\xEF\xBB\xBF\"Surname, Given\",\"Birth Date\"\r\n"
            "\"SMITH, John\",\"12 Mar 1850\"\r\n"
            "\"O\"\"Neil, Ann\",\"\"\r\n"
            "\"Müller, Łucja\",\"Ærø\"\r\n");
}

// Python's csv module reads back every field as it was given.
TEST(CustomReportCsv, AReaderGetsEveryFieldBack) {
  if (std::system("python3 -c 'import csv' >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "python3 is not available";
  const Rows rows = {{"Heading \"one\"", "two, three", ""},
                     {"plain", "with \"\"two\"\" quotes", "line\r\nbreak"},
                     {"", ",", "\""},
                     {"trailing ", " leading", "comma,"}};
  TempDir dir;
  const std::string path = dir.File("out.txt");
  TableSource source(Rows(rows.begin() + 1, rows.end()));
  ASSERT_EQ(rpt::ExportCustomCsv(path, rows[0], source).status, rpt::CustomCsvOutcome::kDone);

  const std::string dump = dir.File("dump.txt");
  const std::string command =
      "python3 -c 'import csv,sys\n"
      "out=open(sys.argv[2],\"w\")\n"
      "for row in csv.reader(open(sys.argv[1],newline=\"\",encoding=\"utf-8-sig\")):\n"
      "  out.write(\"|\".join(f.encode().hex() for f in row)+\"\\n\")' " +
      path + " " + dump;
  ASSERT_EQ(std::system(command.c_str()), 0);

  std::string expected;
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) expected += '|';
      for (unsigned char c : row[i]) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", c);
        expected += hex;
      }
    }
    expected += '\n';
  }
  EXPECT_EQ(ReadAll(dump), expected);
}

TEST(CustomReportCsv, CancelKeepsTheLinesWritten) {
  Rows rows;
  for (int i = 0; i < 100; ++i) rows.push_back({"Person " + std::to_string(i)});
  TableSource source(rows);
  MemoryFile file;
  std::vector<std::int64_t> seen;
  const auto outcome = rpt::WriteCustomCsv(file, {"Name"}, source, [&](std::int64_t lines) {
    seen.push_back(lines);
    return lines < 40;
  });
  EXPECT_EQ(outcome.status, rpt::CustomCsvOutcome::kCancelled);
  EXPECT_EQ(outcome.lines, 40);
  EXPECT_EQ(seen, (std::vector<std::int64_t>{20, 40}));
  std::string expected = "\xEF\xBB\xBF\"Name\"\r\n";
  for (int i = 0; i < 40; ++i) expected += "\"Person " + std::to_string(i) + "\"\r\n";
  EXPECT_EQ(Contents(file), expected);
}

TEST(CustomReportCsv, AFailedReadStopsTheExportAndSaysSo) {
  plat::FakeMessageBox box;
  plat::ScopedMessageBox scoped(&box);
  TempDir dir;
  const std::string path = dir.File("short.txt");
  TableSource source({{"a"}, {"b"}, {"c"}}, 2);
  const auto outcome = rpt::ExportCustomCsv(path, {"H"}, source);
  EXPECT_EQ(outcome.status, rpt::CustomCsvOutcome::kReadFailed);
  EXPECT_EQ(outcome.lines, 2);
  EXPECT_EQ(ReadAll(path), "\xEF\xBB\xBF\"H\"\r\n\"a\"\r\n\"b\"\r\n");
  ASSERT_EQ(box.Calls().size(), 1u);
  EXPECT_NE(box.Calls()[0].text.find("stopped early"), std::string::npos);
  EXPECT_EQ(box.Calls()[0].caption, "Custom Report");
}

TEST(CustomReportCsv, AWriteErrorIsReportedOnce) {
  // In memory: the writer stops at the failing write.
  MemoryFile memory;
  FailingFile failing(memory, 30);
  Rows rows(50, std::vector<std::string>{"twelve chars"});
  TableSource source(rows);
  EXPECT_EQ(rpt::WriteCustomCsv(failing, {"H"}, source).status,
            rpt::CustomCsvOutcome::kWriteFailed);

  // A full device: the message names the report.
  plat::FakeMessageBox box;
  plat::ScopedMessageBox scoped(&box);
  TableSource again(rows);
  const auto outcome = rpt::ExportCustomCsv("/dev/full", {"H"}, again);
  if (outcome.status == rpt::CustomCsvOutcome::kCreateFailed) GTEST_SKIP() << "no /dev/full";
  EXPECT_EQ(outcome.status, rpt::CustomCsvOutcome::kWriteFailed);
  ASSERT_EQ(box.Calls().size(), 1u);
  EXPECT_EQ(box.Calls()[0].text, "Insufficient disk space to complete the Custom Report");
  EXPECT_EQ(box.Calls()[0].caption, "Custom Report");
}

TEST(CustomReportCsv, AFileThatCannotBeCreatedIsReported) {
  plat::FakeMessageBox box;
  plat::ScopedMessageBox scoped(&box);
  TempDir dir;
  TableSource source({{"a"}});
  const auto outcome = rpt::ExportCustomCsv(dir.File("no/such/folder.txt"), {"H"}, source);
  EXPECT_EQ(outcome.status, rpt::CustomCsvOutcome::kCreateFailed);
  ASSERT_EQ(box.Calls().size(), 1u);
  EXPECT_NE(box.Calls()[0].text.find("Disk File"), std::string::npos);
}

// The export over a family file: the pass sorts the lines, each field is
// formatted from the record read again, a record gone since ends it early.
class CustomReportExport : public ReportFamiliesFixture {
 protected:
  void TearDown() override {
    rpt::CleanupCustomReportPages();
    ReportFamiliesFixture::TearDown();
  }
  static void AddColumn(CCustomReportLayout& layout, std::int32_t id, const std::string& heading) {
    auto c = std::make_unique<CCustomReportColumn>();
    c->fieldId = id;
    c->width = 20;
    c->heading = heading;
    layout.columns.push_back(std::move(c));
  }
  static std::string Text(std::int32_t id, std::int32_t rin) {
    CIndividualRecord person;
    EXPECT_EQ(family::Read(person, rin), 1);
    rpt::CustomReportFieldRequest request;
    request.fieldId = id;
    return rpt::FormatCustomReportField(request, person, nullptr);
  }
};

TEST_F(CustomReportExport, WritesTheSortedLines) {
  const std::int32_t zed = Person("Zed", "Young", 'M', 1950);
  const std::int32_t ann = Person("Ann", "Adams", 'F', 1920);
  CCustomReportLayout layout;
  AddColumn(layout, rpt::kFieldSurnameGiven, "Surname, Given");
  AddColumn(layout, rpt::kFieldBirthDate, "Birth Date");
  auto key = std::make_unique<CCustomReportSortKey>();
  key->fieldId = rpt::kFieldSurnameGiven;
  key->kind = CCustomReportSortKey::kText;
  layout.sortKeys.push_back(std::move(key));

  TempDir dir;
  const std::string path = dir.File("custom.txt");
  const auto outcome = rpt::ExportCustomReport(path, layout, {zed, ann});
  EXPECT_EQ(outcome.status, rpt::CustomCsvOutcome::kDone);
  EXPECT_EQ(outcome.lines, 2);
  ASSERT_FALSE(Text(rpt::kFieldBirthDate, ann).empty());
  EXPECT_EQ(
      ReadAll(path),
      "\xEF\xBB\xBF\"Surname, Given\",\"Birth Date\"\r\n" +
          rpt::CsvLine({Text(rpt::kFieldSurnameGiven, ann), Text(rpt::kFieldBirthDate, ann)}) +
          rpt::CsvLine({Text(rpt::kFieldSurnameGiven, zed), Text(rpt::kFieldBirthDate, zed)}));
  EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(CustomReportExport, NothingToReportAndAReadThatFails) {
  const std::int32_t ann = Person("Ann", "Adams", 'F', 1920);
  const std::int32_t bob = Person("Bob", "Brown", 'M', 1921);
  CCustomReportLayout layout;
  TempDir dir;
  // No columns, then no individuals.
  EXPECT_EQ(rpt::ExportCustomReport(dir.File("a.txt"), layout, {ann}).status,
            rpt::CustomCsvOutcome::kNothing);
  AddColumn(layout, rpt::kFieldSurnameGiven, "Name");
  EXPECT_EQ(rpt::ExportCustomReport(dir.File("b.txt"), layout, {}).status,
            rpt::CustomCsvOutcome::kNothing);
  ASSERT_EQ(boxes.Calls().size(), 2u);
  EXPECT_EQ(boxes.Calls()[1].text, "Nothing to report!");
  EXPECT_FALSE(std::filesystem::exists(dir.File("b.txt")));

  // The pass has run when Bob goes: the export stops at his line.
  ASSERT_EQ(rpt::PaginateCustomReport({ann, bob}, layout, 0), 1);
  ASSERT_EQ(DbDeleteRecord(bob, db::kIndividual), 1);
  rpt::CustomReportFileLines lines(layout);
  std::vector<std::string> fields;
  EXPECT_EQ(lines.Next(fields), rpt::CustomCsvSource::kLine);
  EXPECT_EQ(fields, std::vector<std::string>{Text(rpt::kFieldSurnameGiven, ann)});
  EXPECT_EQ(lines.Next(fields), rpt::CustomCsvSource::kFailed);
}

}  // namespace
