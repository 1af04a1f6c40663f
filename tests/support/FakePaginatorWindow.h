#pragma once
// A headless PAGINATOR window whose user presses Cancel on a chosen pump, and
// a stand-in work file that stops writing after a chosen number of bytes (a
// full disk), for tests of pagination passes.

#include <cstdint>
#include <memory>
#include <string>

#include "FileHandle.h"
#include "PaginationRun.h"

class CancellingPaginatorWindow : public rpt::HeadlessPaginatorWindow {
 public:
  int cancelOnPump = -1;  // press Cancel during this pump (1 the first); -1 never

 protected:
  void Pump(rpt::PaginatorState& state) override {
    ++pumps;
    if (pumps == cancelOnPump) state.running = 0;  // all a Cancel press does
  }
};

// A real file that accepts only the first limit bytes written.
class ShortWritingFile : public plat::FileHandle {
 public:
  explicit ShortWritingFile(std::uint64_t limit) : limit_(limit) {}
  bool WriteAt(std::uint64_t pos, const void* data, std::size_t len) override {
    if (written_ + len > limit_) return false;
    written_ += len;
    return plat::FileHandle::WriteAt(pos, data, len);
  }

  // A creator for PaginationPass::createFile.
  static rpt::WorkFileCreator Creator(std::uint64_t limit) {
    return [limit](const std::string& path, int& error) -> std::unique_ptr<plat::RandomAccessFile> {
      auto file = std::make_unique<ShortWritingFile>(limit);
      error = file->Create(path);
      if (error != plat::kFileOk) return nullptr;
      return file;
    };
  }

 private:
  std::uint64_t limit_;
  std::uint64_t written_ = 0;
};
