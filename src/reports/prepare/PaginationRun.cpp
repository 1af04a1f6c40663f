#include "PaginationRun.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "FamilyDatabase.h"
#include "FileCopy.h"
#include "FileHandle.h"
#include "FileUtil.h"
#include "MultimediaChain.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

namespace {

PaginatorWindow*& InstalledWindow() {
  static PaginatorWindow* window = nullptr;
  return window;
}

void ShowInsufficientSpace(const std::string& title) {
  plat::MessageBox(res::LoadString(res::kIdsInsufficientSpaceForReport), title,
                   plat::kMbOk | plat::kMbIconExclamation);
}

std::unique_ptr<plat::RandomAccessFile> CreateRealFile(const std::string& path, int& error) {
  auto file = std::make_unique<plat::FileHandle>();
  error = file->Create(path);
  if (error != plat::kFileOk) return nullptr;
  return file;
}

void SetPictureCache(int flag) {
  if (CurrentDatabase != nullptr) SetReportImageMode(flag);
}

}  // namespace

std::string PaginatorWindow::PreparingText() { return res::LoadString(res::kIdsPreparingPages); }

BatchResult HeadlessPaginatorWindow::Run(PaginatorState& state, const std::string& title,
                                         const std::string& number, bool showCancel,
                                         const std::function<BatchResult()>& batch) {
  caption = title;
  cancelShown = showCancel;
  if (!number.empty()) numbers.push_back(std::atoi(number.c_str()));
  for (;;) {
    const BatchResult result = batch();
    if (result != BatchResult::More) return result;
    Pump(state);
    if (state.running == 0) return BatchResult::Failed;
  }
}

void HeadlessPaginatorWindow::Pump(PaginatorState& state) {
  ++pumps;
  if (!plat::PumpWaitingMessages()) state.running = 0;
}

PaginatorWindow& CurrentPaginatorWindow() {
  static HeadlessPaginatorWindow headless;
  PaginatorWindow* window = InstalledWindow();
  return window != nullptr ? *window : headless;
}

PaginatorWindow* SetPaginatorWindow(PaginatorWindow* window) {
  PaginatorWindow* previous = InstalledWindow();
  InstalledWindow() = window;
  return previous;
}

std::string PaginationWorkFolder(const std::string& base) {
  std::string folder = base;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  folder += "korvane-pages-" + std::to_string(::getpid()) + "/";
  ::mkdir(folder.c_str(), 0700);
  return folder;
}

int RunPagination(PaginatorState& state, PaginatorWindow& window, const PaginationPass& pass) {
  auto cleanUp = [&] {
    if (pass.cleanup)
      pass.cleanup();
    else
      state.Clear();
    for (const PassWorkFile& file : pass.files) file.slot->CloseAndDelete();
    if (pass.pictureCache) SetPictureCache(0);
  };
  cleanUp();
  state.pageCounter = 1;
  state.recordCounter = 0;
  state.running = 0;

  if (!pass.files.empty()) {
    std::string base;
    if (GetTempPathWithSpace(base, pass.neededBytes) < pass.neededBytes) {
      ShowInsufficientSpace(pass.title);
      return 0;
    }
    const std::string folder = PaginationWorkFolder(base);
    for (const PassWorkFile& file : pass.files) {
      const std::string path = folder + file.name;
      int error = plat::kFileOk;
      auto handle = pass.createFile ? pass.createFile(path, error) : CreateRealFile(path, error);
      if (handle == nullptr) {
        ShowFileError(error != plat::kFileOk ? error : plat::kFileGeneric, pass.fileErrorName,
                      "Temp File");
        cleanUp();
        ::rmdir(folder.c_str());
        return 0;
      }
      file.slot->Adopt(std::move(handle), path);
    }
  }
  if (pass.pictureCache) SetPictureCache(1);

  BatchResult result = BatchResult::Done;
  if (pass.prepare) result = pass.prepare();
  if (result == BatchResult::Done) {
    state.running = 1;
    result = window.Run(state, pass.title, pass.initialNumber, pass.cancelShown, pass.batch);
    if (result == BatchResult::Done && state.running == 0) result = BatchResult::Failed;
  }
  state.running = 0;
  if (result != BatchResult::Done) {
    if (result == BatchResult::DiskFull) ShowInsufficientSpace(pass.title);
    cleanUp();
    return 0;
  }
  return pass.pageCount ? pass.pageCount() : static_cast<int>(state.pageEntries.size());
}

void RecordBatchPass::Start() {
  state_.recordCounter = 0;
  current_ = firstRecord - 1;
}

BatchResult RecordBatchPass::RunBatch() {
  for (int examined = 0; examined < kRecordsPerBatch; ++examined) {
    const std::int32_t record = next(current_);
    if (record == 0 || record > lastRecord) return BatchResult::Done;
    current_ = record;
    const std::vector<std::uint8_t> bytes = include(record);
    if (bytes.empty()) continue;
    if (state_.linesPerPage > 0 && state_.recordCounter % state_.linesPerPage == 0)
      window_.SetNumber(static_cast<int>(state_.recordCounter / state_.linesPerPage) + 1);
    if (!state_.workFile.WriteRecord(state_.recordCounter, bytes)) return BatchResult::DiskFull;
    ++state_.recordCounter;
  }
  return BatchResult::More;
}

int RecordBatchPass::PageCount() const {
  if (state_.linesPerPage <= 0) return 0;
  return static_cast<int>((state_.recordCounter + state_.linesPerPage - 1) / state_.linesPerPage);
}

}  // namespace rpt
