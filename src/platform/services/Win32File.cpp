#include "Win32File.h"

#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "FileUtil.h"

int CWin32File::Open(const std::string& name, unsigned access, int disposition, unsigned flags,
                     int* errorOut) {
  Close();
  int cause = plat::kFileOk;
  if (name.empty()) {
    cause = plat::kFileBadPath;
  } else {
    const auto mode = (access & kGenericWrite) ? plat::FileHandle::Access::ReadWrite
                                               : plat::FileHandle::Access::ReadOnly;
    switch (disposition) {
      case kCreateNew:
        cause = file_.Create(name, true);
        break;
      case kCreateAlways:
        cause = file_.Create(name, false);
        break;
      case kOpenExisting:
        cause = file_.Open(name, mode);
        break;
      case kOpenAlways:
        cause = file_.Open(name, mode);
        if (cause == plat::kFileNotFound) {
          cause = file_.Create(name, true);
          if (cause != plat::kFileOk && file_.LastErrno() == EEXIST) cause = file_.Open(name, mode);
        }
        break;
      case kTruncateExisting:
        cause = file_.Open(name, plat::FileHandle::Access::ReadWrite);
        if (cause == plat::kFileOk && !file_.Truncate(0)) {
          cause = plat::FileErrorFromErrno(file_.LastErrno());
          file_.Close();
        }
        break;
      default:
        cause = plat::kFileGeneric;
        break;
    }
  }
  if (cause == plat::kFileOk && (flags & kDeleteOnClose)) ::unlink(name.c_str());
  if (errorOut) *errorOut = cause;
  return cause == plat::kFileOk ? 1 : 0;
}

int CWin32File::CreateTempFile(std::string_view hint, std::uint64_t neededBytes, int* errorOut,
                               const std::string& folder) {
  Close();
  std::string dir = folder;
  if (!dir.empty()) {
    std::uint32_t high = 0;
    std::uint32_t low = GetDiskFreeBytes(dir, &high);
    std::uint64_t free = (static_cast<std::uint64_t>(high) << 32) | low;
    if (free < neededBytes) {
      if (errorOut) *errorOut = plat::kFileDiskFull;
      return 0;
    }
  } else {
    GetTempPathWithSpace(dir, neededBytes);
  }

  int failure = plat::kFileOk;
  std::string taken = FindTempName(dir, hint, [&](const std::string& name) {
    int cause = plat::kFileOk;
    if (Open(name, kGenericRead | kGenericWrite, kCreateNew, kDeleteOnClose, &cause))
      return TempNameAnswer::Take;
    if (file_.LastErrno() == EEXIST) return TempNameAnswer::Next;
    failure = cause;
    return TempNameAnswer::Stop;
  });
  if (!taken.empty()) {
    if (errorOut) *errorOut = plat::kFileOk;
    return 1;
  }
  if (errorOut) *errorOut = failure != plat::kFileOk ? failure : plat::kFileTooManyOpen;
  return 0;
}

CBufferedFileWriter::CBufferedFileWriter(plat::FileHandle& file, std::size_t bufferSize)
    : file_(file), buffer_(bufferSize), size_(buffer_.Size()) {}

int CBufferedFileWriter::Write(const void* data, std::size_t bytes) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  bool ok = true;
  if (pending_ == size_ || bytes > size_) ok = Flush() && ok;
  if (bytes > size_) {
    return file_.Write(p, bytes) == static_cast<long long>(bytes) && ok ? 1 : 0;
  }
  if (pending_ + bytes > size_) {
    std::size_t room = size_ - pending_;
    std::memcpy(buffer_.Data() + pending_, p, room);
    pending_ = size_;
    p += room;
    bytes -= room;
    ok = Flush() && ok;
  }
  if (bytes) std::memcpy(buffer_.Data() + pending_, p, bytes);
  pending_ += bytes;
  return ok ? 1 : 0;
}

int CBufferedFileWriter::Flush() {
  if (pending_ == 0) return 1;
  long long written = file_.Write(buffer_.Data(), pending_);
  bool ok = written == static_cast<long long>(pending_);
  pending_ = 0;
  return ok ? 1 : 0;
}

int CBufferedFileWriter::Commit() {
  int ok = Flush();
  if (!file_.Flush()) ok = 0;
  return ok;
}

int CBufferedFileWriter::Close() {
  if (closed_) return 1;
  closed_ = true;
  int ok = file_.IsOpen() ? Commit() : Flush();
  buffer_.Free();
  size_ = 0;
  return ok;
}
