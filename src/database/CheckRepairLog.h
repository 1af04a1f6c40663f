#pragma once
// The report of a Check/Repair run and the window that shows its progress.
//
// CCheckRepairLog writes the plain-text report (title, date, file, one block
// per stage, one line per problem) in UTF-8 for the desktop's text editor,
// and drives a CheckRepairDisplay: stage title and record count, stage and
// total bars, the error count, and Cancel.
// The display is an interface so that the run stays free of any toolkit; the
// application supplies a modeless window, tests a fake, and without one the
// run simply writes the report.
//
// Every operation answers 0 once the user confirmed Cancel, when the report
// could not be written, or when it would outgrow the free space measured on
// the report's folder at construction.

#include <cstdint>
#include <cstdio>
#include <string>

class CheckRepairDisplay {
 public:
  virtual ~CheckRepairDisplay() = default;
  // Shows the window with the checked file's path; false when it cannot.
  virtual bool Open(const std::string& filePath) = 0;
  virtual void SetStage(const std::string& title) = 0;
  virtual void SetCount(const std::string& count) = 0;
  // Stage bar: back to 0, or one step on (the bar runs 0 to 100).
  virtual void ResetStageBar() = 0;
  virtual void StepStageBar() = 0;
  virtual void SetTotalBar(int percent) = 0;
  virtual void SetErrorCount(const std::string& count) = 0;
  // Handles waiting input; true when Cancel was pressed since the last call.
  virtual bool TakeCancel() = 0;
  virtual void Close() = 0;
};

class CCheckRepairLog {
 public:
  // Opens the report and writes its first lines; shows "Failed to open report
  // file" when it cannot (the run then goes on without a report).
  CCheckRepairLog(const std::string& filePath, const std::string& reportPath, int options,
                  CheckRepairDisplay* display = nullptr);
  ~CCheckRepairLog();
  CCheckRepairLog(const CCheckRepairLog&) = delete;
  CCheckRepairLog& operator=(const CCheckRepairLog&) = delete;

  // Pumps waiting messages and shows the window; 0 when it cannot be shown.
  int Open(const std::string& filePath);
  // Position 0 starts a stage (title, and "%lu records." unless range < 0);
  // later positions move the stage bar; totalPercent moves the total bar.
  // 0 when the user chose to stop.
  int ShowStage(const std::string& title, long position, long range, int totalPercent);
  // Writes one line and shows the error count; 0 when writing failed or the
  // user chose to stop.
  int WriteLine(const std::string& text, unsigned long errorCount);
  // Closes the report and the window; with show, opens the report in the
  // desktop's text editor.
  void Close(const std::string& reportPath, bool show);

  bool HasReport() const { return file_ != nullptr; }
  bool Stopped() const { return stopped_; }
  // The free space the report may use (tests shrink it to see the limit).
  void SetFreeBytes(std::uint64_t bytes) { freeBytes_ = bytes; }

 private:
  // Code page text, written as UTF-8.
  int Write(const std::string& text);
  int WriteUtf8(const std::string& text);
  // Every 51st call takes the window's input and asks about a Cancel.
  int PollCancel();

  std::FILE* file_ = nullptr;
  CheckRepairDisplay* display_;
  int options_;
  std::uint64_t bytesWritten_ = 0;
  std::uint64_t freeBytes_ = 0;
  int lastStagePercent_ = -1;
  int lastTotalPercent_ = -1;
  int countdown_ = 50;
  bool stopped_ = false;
};
