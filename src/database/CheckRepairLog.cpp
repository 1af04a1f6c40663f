#include "CheckRepairLog.h"

#include "CalendarMonth.h"
#include "CodePage.h"
#include "FileSystem.h"
#include "Ports.h"

namespace {

// The folder a file goes to: its path up to the last separator, else ".".
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

CCheckRepairLog::CCheckRepairLog(const std::string& filePath, const std::string& reportPath,
                                 int options, CheckRepairDisplay* display)
    : display_(display), options_(options) {
  freeBytes_ = plat::FreeDiskBytes(FolderOf(reportPath));
  file_ = std::fopen(reportPath.c_str(), "w");
  if (!file_) {
    plat::MessageBox("Failed to open report file", "ERROR", plat::kMbOk);
    return;
  }
  Write("File Check/Repair Report\n\n");
  Write("Date: " + GetTodayString() + "\n");
  // The path is the file system's bytes, UTF-8 as the rest of the report.
  WriteUtf8("File location: " + filePath + "\n");
}

CCheckRepairLog::~CCheckRepairLog() {
  if (file_) std::fclose(file_);
  if (display_) display_->Close();
}

int CCheckRepairLog::Open(const std::string& filePath) {
  plat::PumpWaitingMessages();
  if (!display_) return 1;
  if (!display_->Open(filePath)) return 0;
  display_->SetTotalBar(0);
  display_->ResetStageBar();
  display_->SetErrorCount("0");
  return 1;
}

int CCheckRepairLog::Write(const std::string& text) { return WriteUtf8(plat::AnsiToUtf8(text)); }

int CCheckRepairLog::WriteUtf8(const std::string& text) {
  if (!file_) return 1;
  if (bytesWritten_ + text.size() + 1 > freeBytes_) {
    plat::MessageBox("Not enough disk space to complete report.", "Check/Repair Failed",
                     plat::kMbOk | plat::kMbIconExclamation);
    stopped_ = true;
    return 0;
  }
  bytesWritten_ += text.size() + 1;
  if (std::fputs(text.c_str(), file_) < 0) {
    stopped_ = true;
    return 0;
  }
  return 1;
}

int CCheckRepairLog::PollCancel() {
  if (stopped_) return 0;
  if (--countdown_ >= 0) return 1;
  countdown_ = 50;
  if (!plat::PumpWaitingMessages()) {
    stopped_ = true;
    return 0;
  }
  if (display_ && display_->TakeCancel()) {
    const int answer =
        plat::MessageBox("Check/Repair is not complete.\nAre you sure you want to quit?",
                         "Check/Repair", plat::kMbYesNo | plat::kMbIconExclamation);
    if (answer == plat::kIdYes) stopped_ = true;
  }
  return stopped_ ? 0 : 1;
}

int CCheckRepairLog::ShowStage(const std::string& title, long position, long range,
                               int totalPercent) {
  if (stopped_) return 0;
  if (position == 0) {
    if (display_) {
      display_->SetStage(title);
      display_->ResetStageBar();
    }
    if (!Write("\n" + title + "\n")) return 0;
    lastStagePercent_ = 0;
    if (range < 0) {
      if (display_) display_->SetCount("0");
    } else {
      const std::string count = std::to_string(static_cast<unsigned long>(range));
      if (display_) display_->SetCount(count);
      if (!Write(count + " records.\n")) return 0;
    }
  }
  if (range > 0 && position > 0) {
    const int percent = static_cast<int>(position * 100 / range);
    if (percent != lastStagePercent_) {
      lastStagePercent_ = percent;
      if (display_) display_->StepStageBar();
    }
  }
  if (totalPercent > 100 || totalPercent <= 0) {
    if (display_ && lastTotalPercent_ != 0) display_->SetTotalBar(0);
    lastTotalPercent_ = 0;
  } else if (totalPercent != lastTotalPercent_) {
    lastTotalPercent_ = totalPercent;
    if (display_) display_->SetTotalBar(totalPercent);
  }
  return PollCancel();
}

int CCheckRepairLog::WriteLine(const std::string& text, unsigned long errorCount) {
  if (stopped_) return 0;
  if (!Write(text + "\n")) return 0;
  if (display_) display_->SetErrorCount(std::to_string(errorCount));
  return PollCancel();
}

void CCheckRepairLog::Close(const std::string& reportPath, bool show) {
  if (file_) {
    if (display_) display_->SetStage("Writing report file...");
    std::fclose(file_);
    file_ = nullptr;
  }
  if (display_) {
    display_->Close();
    display_ = nullptr;
  }
  if (show) plat::Shell().Open(reportPath);
}
