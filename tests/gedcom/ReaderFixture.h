#pragma once
// A line reader over a file written by the test, with a sink that records
// every report, and a fake message box so that no disk prompt blocks.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePorts.h"
#include "FileUtil.h"
#include "GedcomLineReader.h"
#include "ScopedCodePage.h"
#include "TempDir.h"
#include "TestHelpers.h"

struct Report {
  bool error = true;
  std::string position, message;
  bool operator==(const Report&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Report& r) {
  return os << (r.error ? "ERROR " : "WARNING ") << '[' << r.position << "] " << r.message;
}

class RecordingSink : public gedcom::GedcomReportSink {
 public:
  void ReportError(const std::string& position, const std::string& message) override {
    reports.push_back({true, position, message});
  }
  void ReportWarning(const std::string& position, const std::string& message) override {
    reports.push_back({false, position, message});
  }
  void PartOpened(const std::string& name) override { parts.push_back(name); }

  std::vector<Report> reports;
  std::vector<std::string> parts;
};

// One logical line as "level @xref@ TAG|value" (the pointer flag as "@value@").
inline std::string Show(const gedcom::CGedcomLine& line) {
  std::string s = std::to_string(line.level) + " ";
  if (!line.xref.empty()) s += "@" + line.xref + "@ ";
  s += line.tag + "|" + (line.pointer ? "@" + line.value + "@" : line.value);
  return s;
}

class ReaderTest : public ::testing::Test {
 protected:
  ReaderTest() : box_(&messages_), codePage_(plat::kCodePageWestern) {}

  // Writes bytes as name in the test folder and opens the reader on it.
  void OpenText(const std::string& bytes, const std::string& name = "test.ged") {
    WriteAll(dir_.File(name), bytes);
    ASSERT_TRUE(reader_.Open(dir_.File(name)));
  }
  // Every logical line up to the end.
  std::vector<std::string> ReadAll() {
    std::vector<std::string> lines;
    while (const gedcom::CGedcomLine* line = reader_.Next()) lines.push_back(Show(*line));
    return lines;
  }
  std::vector<std::string> ReadAllOf(const std::string& bytes) {
    OpenText(bytes);
    return ReadAll();
  }

  TempDir dir_;
  RecordingSink sink_;
  plat::FakeMessageBox messages_;
  plat::ScopedMessageBox box_;
  ScopedCodePage codePage_;
  int driveType_ = kDriveFixed;
  gedcom::CGedcomLineReader reader_{sink_, [this](const std::string&) { return driveType_; }};
};

inline Report Error(const std::string& position, const std::string& message) {
  return {true, position, message};
}
inline Report Warning(const std::string& position, const std::string& message) {
  return {false, position, message};
}
