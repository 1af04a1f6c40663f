#include "DatabaseChecker.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "AlphaIndexFile.h"
#include "Ansel.h"
#include "AnselCompare.h"
#include "DatabaseCheckerParts.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "FileCopy.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "MixedCase.h"
#include "ORV3.h"
#include "Ports.h"
#include "StringTable.h"

using namespace orv;
using namespace checkrepair;

CDatabaseChecker::CDatabaseChecker(const std::string& filePath, const std::string& reportPath,
                                   CFamilyDatabase& database, int repair,
                                   CheckRepairDisplay* display)
    : filePath_(filePath),
      reportPath_(reportPath),
      database_(database),
      engine_(*database.engine),
      repair_(repair),
      head_(database.engine->Blocks().Head()) {
  if (!reportPath_.empty())
    log_ = std::make_unique<CCheckRepairLog>(filePath_, reportPath_, repair_, display);
}

CDatabaseChecker::~CDatabaseChecker() = default;

// ---- report ----------------------------------------------------------------

int CDatabaseChecker::Stage(const std::string& title, long range) {
  if (stopped_) return 0;
  if (log_ && !log_->ShowStage(title, 0, range, progressBase_)) stopped_ = true;
  return stopped_ ? 0 : 1;
}

int CDatabaseChecker::Step(long position, long range) {
  if (stopped_) return 0;
  if (log_ && !log_->ShowStage("", position, range, progressBase_)) stopped_ = true;
  return stopped_ ? 0 : 1;
}

int CDatabaseChecker::Line(const std::string& text) {
  if (stopped_) return 0;
  if (log_ && !log_->WriteLine(text, problems_)) stopped_ = true;
  return stopped_ ? 0 : 1;
}

int CDatabaseChecker::LogProblem(const std::string& text, bool fixed) {
  ++problems_;
  return Line(fixed ? text + " (FIXED)" : text);
}

int CDatabaseChecker::LogNote(const std::string& text) { return Line("Note: " + text); }

// ---- header ------------------------------------------------------------------

void CDatabaseChecker::MarkHeaderDirty(int field) {
  if (field >= kHeadTailOffset)
    extensionHeaderDirty_ = true;
  else
    headerDirty_ = true;
}

std::int32_t CDatabaseChecker::Highest(RecordKind kind) const {
  return head_.I32(LayoutOf(kind).highestField);
}

bool CDatabaseChecker::SetHighest(RecordKind kind, std::int32_t value) {
  const int field = LayoutOf(kind).highestField;
  head_.SetI32(field, value);
  MarkHeaderDirty(field);
  return true;
}

bool CDatabaseChecker::WriteRecord(Rec& rec) {
  return engine_.Records().WriteRaw(rec.kind, rec.number, rec.bytes.data()) != 0;
}

// ---- the run -------------------------------------------------------------------

int CDatabaseChecker::Run() {
  if (log_ && !log_->Open(filePath_)) return 0;
  progressBase_ = 0;
  if (!Stage("Checking File Header:")) return 0;
  if (!CheckAlphaIndex()) return 0;
  progressBase_ = 2;
  if (!Stage("Checking File Map:")) return 0;
  if (CheckFileMap() < 0 || stopped_) return 0;
  // An edit mark whose journal record does not agree with the file: the
  // open cut nothing off and cleared the mark in memory only; a repair
  // writes the header (with the other mends of the open).
  auto& opened = engine_.Blocks();
  if (opened.JournalDoubtful() &&
      !LogProblem("The file is marked as left in the middle of a change, but the record of that "
                  "change does not agree with the file.  Nothing of the file was cut off.",
                  repair_ && opened.WriteMends()))
    return 0;
  // Counts the open mended in memory (after a crash or damage) and not yet
  // written.
  if (!opened.JournalDoubtful() && opened.HoldsMends() &&
      !LogProblem("The file header and DBMap were mended in memory when the file was opened.",
                  repair_ && opened.WriteMends()))
    return 0;

  progressBase_ = 20;
  if (!Stage("Checking Blocks:")) return 0;
  constexpr int kPassStep = 79 / 18;
  const auto pass = [&](int result) {
    progressBase_ += kPassStep;
    return result != 0 && !stopped_;
  };
  const auto titleOnly = [&](const char* title) { return pass(Stage(title)); };
  if (!pass(CheckNames(kBlockNames)) || !pass(CheckNames(kBlockOtherNames)) ||
      !pass(CheckNotes()) || !pass(CheckIndividuals()) || !pass(CheckContacts()) ||
      !pass(CheckMarriages()) || !pass(CheckFamilyLinks()) || !CheckOneSidedLinks() ||
      !pass(CheckRepositories()) || !pass(CheckSources()) || !titleOnly("Checking Descriptions:") ||
      !pass(CheckCitations()) || !titleOnly("Checking other ORV records:") ||
      !titleOnly("Checking Maps:") || !pass(CheckUserEvents()) || !pass(CheckEventTypes()) ||
      !pass(CheckMultimedia()) || !titleOnly("Checking Extended Maps:"))
    return 0;

  progressBase_ = 99;
  if (!Stage("Writing report file...")) return 0;
  auto& blocks = engine_.Blocks();
  if (headerDirty_ && !blocks.WriteHeader(HeadPart::Counters))
    LogProblem("The file header could not be written.", false);
  if (extensionHeaderDirty_ && !blocks.WriteHeader(HeadPart::Tail))
    LogProblem("The file header could not be written.", false);
  if (headerDirty_ || extensionHeaderDirty_) {
    for (int i = 1; i <= 4; ++i) engine_.Records().RecountMaxVars(i);
  }
  std::string end = Format("\n\n%i errors were found.", static_cast<int>(problems_));
  if (problems_ != 0) {
    end +=
        "\n\nThe file contains errors.  We recommend that you restore the\nfile from a clean "
        "backup if you have one.  Otherwise, Korvane\ncan try to fix some problems but a loss of "
        "data\nis possible.";
    if (repair_)
      end += "If the repaired file is still unsatisfactory, restore the file\nfrom a clean backup.";
  }
  if (!Line(end)) return 0;
  progressBase_ = 100;
  if (log_) log_->ShowStage("", 1, 1, 100);
  return 1;
}

int CDatabaseChecker::Finish() {
  if (!log_) return 0;
  log_->Close(reportPath_, problems_ != 0);
  log_.reset();
  if (problems_ == 0) plat::MessageBox("No problems were found.", "Check/Repair", plat::kMbOk);
  return 1;
}
