#include "PaginatorState.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace rpt {

namespace {

// The folder of a path, when it is a per-process work folder.
std::string WorkFolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return {};
  const std::string folder = path.substr(0, slash);
  const std::size_t name = folder.find_last_of('/');
  const std::string last = name == std::string::npos ? folder : folder.substr(name + 1);
  return last.starts_with("korvane-pages-") ? folder : std::string();
}

}  // namespace

PaginatorWorkFile::~PaginatorWorkFile() { CloseAndDelete(); }

void PaginatorWorkFile::Adopt(std::unique_ptr<plat::RandomAccessFile> file,
                              const std::string& path) {
  CloseAndDelete();
  file_ = std::move(file);
  path_ = path;
}

bool PaginatorWorkFile::WriteAt(std::uint64_t pos, std::span<const std::uint8_t> bytes) {
  return file_ != nullptr && file_->WriteAt(pos, bytes.data(), bytes.size());
}

bool PaginatorWorkFile::ZeroFill(std::uint64_t blocks, std::size_t blockSize) {
  const std::vector<std::uint8_t> zeros(blockSize, 0);
  for (std::uint64_t i = 0; i < blocks; ++i)
    if (!WriteAt(i * blockSize, zeros)) return false;
  return true;
}

bool PaginatorWorkFile::ReadRecord(std::uint64_t index, std::span<std::uint8_t> record) {
  std::fill(record.begin(), record.end(), std::uint8_t{0});
  if (file_ == nullptr) return false;
  if (file_->ReadAt(index * record.size(), record.data(), record.size())) return true;
  std::fill(record.begin(), record.end(), std::uint8_t{0});
  return false;
}

void PaginatorWorkFile::CloseAndDelete() {
  if (file_ == nullptr) return;
  file_.reset();
  if (!path_.empty()) {
    std::remove(path_.c_str());
    // The process's work folder goes with its last file.
    if (const std::string folder = WorkFolderOf(path_); !folder.empty()) ::rmdir(folder.c_str());
  }
  path_.clear();
}

void PutInt32LE(std::span<std::uint8_t> bytes, std::size_t offset, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::int32_t GetInt32LE(std::span<const std::uint8_t> bytes, std::size_t offset) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
  return static_cast<std::int32_t>(v);
}

PageEntry& PaginatorState::AddPage(std::unique_ptr<PageEntry> entry) {
  entry->page = pageCounter++;
  pageEntries.push_back(std::move(entry));
  return *pageEntries.back();
}

void PaginatorState::Clear() {
  pageEntries.clear();
  jobQueue.clear();
  workFile.CloseAndDelete();
  indexFile.CloseAndDelete();
}

PaginatorState& Paginator() {
  static PaginatorState state;
  return state;
}

PageEntry* FindPageEntry(const PaginatorState& state, std::int32_t key) {
  for (const auto& entry : state.pageEntries)
    if (entry->key == key) return entry.get();
  return nullptr;
}

PageEntry* FindPageEntryByPage(const PaginatorState& state, std::int32_t page) {
  for (const auto& entry : state.pageEntries)
    if (entry->page == page) return entry.get();
  return nullptr;
}

PageEntry* GetPageEntry(const PaginatorState& state, std::size_t index) {
  return index < state.pageEntries.size() ? state.pageEntries[index].get() : nullptr;
}

int CompareListNameKeys(const void* a, const void* b) {
  return std::memcmp(static_cast<const std::uint8_t*>(a) + 24,
                     static_cast<const std::uint8_t*>(b) + 24, 34);
}

}  // namespace rpt
