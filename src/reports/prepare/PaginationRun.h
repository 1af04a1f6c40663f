#pragma once
// Running a pagination pass: the free-space check, the work files in a
// folder of this process, the PAGINATOR window that shows the page number
// and offers Cancel while the pass runs in batches, and the clean-up after
// a pass that failed or was cancelled. The window only clears the running
// flag on Cancel; the runner cleans up once the pass has returned, so no
// batch ever works on freed entries or deleted files.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PaginatorState.h"

namespace rpt {

// The PAGINATOR's queued calls: run the next batch (the last record number
// examined as argument), and the pass is done.
constexpr int kPaginatorNextBatch = 1224;
constexpr int kPaginatorPassDone = 1225;

// What one batch of a pass answers.
enum class BatchResult {
  More,      // call again after pumping the window
  Done,      // the pass is complete
  DiskFull,  // a work-file write came short
  Failed,    // the pass failed and has said why
};

// The PAGINATOR window as a pass sees it. Run shows it (caption, number
// field, Cancel shown or hidden), calls batch until it answers other than
// More or the running flag drops, dispatching the window's waiting input
// between two batches, and closes it. A Cancel press only sets
// state.running to 0. Answers the last batch result, or Failed when the
// flag dropped.
class PaginatorWindow {
 public:
  virtual ~PaginatorWindow() = default;
  virtual BatchResult Run(PaginatorState& state, const std::string& caption,
                          const std::string& number, bool cancelShown,
                          const std::function<BatchResult()>& batch) = 0;
  // The number field.
  virtual void SetNumber(int number) = 0;
  // The text above the number (what the pass is doing).
  virtual void SetText(const std::string& text) = 0;
  // The label before the number (what it counts); "" shows none.
  virtual void SetLabel(const std::string& label) = 0;
  // The text the window opens with.
  static std::string PreparingText();
};

// The window of headless runs: loops the batches and pumps the program's
// messages between them (a request to quit counts as Cancel).
class HeadlessPaginatorWindow : public PaginatorWindow {
 public:
  BatchResult Run(PaginatorState& state, const std::string& caption, const std::string& number,
                  bool cancelShown, const std::function<BatchResult()>& batch) override;
  void SetNumber(int number) override { numbers.push_back(number); }
  void SetText(const std::string& text) override { texts.push_back(text); }
  void SetLabel(const std::string& label) override { labels.push_back(label); }

  std::vector<int> numbers;         // the numbers shown, in turn
  std::vector<std::string> texts;   // the texts shown, in turn
  std::vector<std::string> labels;  // the labels shown, in turn
  std::string caption;
  bool cancelShown = false;
  int pumps = 0;

 protected:
  // Dispatches waiting input; Cancel arrives here.
  virtual void Pump(PaginatorState& state);
};

// The window installed for report runs (the interface installs the dialog;
// headless runs keep the default). Returns the previous one.
PaginatorWindow& CurrentPaginatorWindow();
PaginatorWindow* SetPaginatorWindow(PaginatorWindow* window);

// Creates a work file (the test's stand-in may fail on purpose); error gets
// the file-error cause when it answers null.
using WorkFileCreator =
    std::function<std::unique_ptr<plat::RandomAccessFile>(const std::string& path, int& error)>;

// A work file a pass needs: its slot in the state and its name.
struct PassWorkFile {
  PaginatorWorkFile* slot = nullptr;
  std::string name;
};

// One report kind's pass.
struct PaginationPass {
  std::string title;                // the window caption and message caption
  std::string fileErrorName;        // the report name in file-error messages
  std::uint64_t neededBytes = 0;    // free space the work files need
  std::vector<PassWorkFile> files;  // created afresh before the pass
  std::string initialNumber = "0";
  bool cancelShown = true;
  bool pictureCache = false;             // picture caching for the run
  std::function<void()> cleanup;         // the kind's clean-up
  std::function<BatchResult()> prepare;  // once the files exist (zero-filling); Done goes on
  std::function<BatchResult()> batch;    // one batch of the pass
  std::function<int()> pageCount;        // the count of a finished pass
  WorkFileCreator createFile;            // empty: real files
};

// The folder of this process's work files under base (created, private):
// parallel runs never share a work file.
std::string PaginationWorkFolder(const std::string& base);

// Runs a pass: clean-up, free-space check (message 3487 with the title),
// work files (a file error with the report name and "Temp File"), then the
// window. Answers the page count, 0 on failure or Cancel, after which the
// kind's clean-up has run and no work file is left.
int RunPagination(PaginatorState& state, PaginatorWindow& window, const PaginationPass& pass);

// A batch-style pass over record numbers: each batch examines at most
// kRecordsPerBatch records from the one after the last examined, stops past
// lastRecord or when next finds none, and writes every record include
// answers (non-empty bytes) to the work file, showing the page number in
// the window when a new page begins.
constexpr int kRecordsPerBatch = 21;
class RecordBatchPass {
 public:
  // next(after) answers the next live record number after after, 0 for none.
  std::function<std::int32_t(std::int32_t)> next;
  // The record to write for a record number; empty to leave it out.
  std::function<std::vector<std::uint8_t>(std::int32_t)> include;
  std::int32_t firstRecord = 1;
  std::int32_t lastRecord = 0;

  RecordBatchPass(PaginatorState& state, PaginatorWindow& window)
      : state_(state), window_(window) {}
  void Start();
  BatchResult RunBatch();
  std::int32_t LastExamined() const { return current_; }
  // Pages of the records written at lines per page.
  int PageCount() const;

 private:
  PaginatorState& state_;
  PaginatorWindow& window_;
  std::int32_t current_ = 0;
};

}  // namespace rpt
