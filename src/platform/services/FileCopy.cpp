#include "FileCopy.h"

#include <sys/stat.h>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "FileSystem.h"
#include "FileUtil.h"
#include "MemoryBuffer.h"
#include "Ports.h"
#include "ReplaceFile.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

constexpr std::size_t kCopyChunk = 32768;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int WriteCause(const plat::FileHandle& file) {
  int cause = plat::FileErrorFromErrno(file.LastErrno());
  return cause == plat::kFileOk ? plat::kFileDiskFull : cause;
}

}  // namespace

std::string FormatInsertsAndArgs(std::string_view text,
                                 std::initializer_list<std::string_view> inserts,
                                 std::initializer_list<std::string_view> args) {
  std::vector<std::string_view> ins(inserts), arg(args);
  std::size_t nextArg = 0;
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    std::size_t j = i + 1;
    if (text[j] == '%') {
      out += '%';
      i = j;
      continue;
    }
    if (text[j] >= '1' && text[j] <= '9') {
      std::size_t n = static_cast<std::size_t>(text[j] - '0');
      ++j;
      if (j < text.size() && IsDigit(text[j]))
        n = n * 10 + static_cast<std::size_t>(text[j++] - '0');
      if (j < text.size() && text[j] == '!') {
        std::size_t close = text.find('!', j + 1);
        if (close != std::string_view::npos) j = close + 1;
      }
      if (n <= ins.size()) out += ins[n - 1];
      i = j - 1;
      continue;
    }
    // A printf-style placeholder: flags, width, precision, length, type.
    while (j < text.size() && std::strchr("-+ #0", text[j])) ++j;
    while (j < text.size() && IsDigit(text[j])) ++j;
    if (j < text.size() && text[j] == '.') {
      ++j;
      while (j < text.size() && IsDigit(text[j])) ++j;
    }
    while (j < text.size() && std::strchr("hlL", text[j])) ++j;
    if (j < text.size() && std::strchr("sdiuxXc", text[j])) {
      if (nextArg < arg.size()) out += arg[nextArg];
      ++nextArg;
      i = j;
      continue;
    }
    out += '%';
  }
  return out;
}

std::string GetFileErrorText(int cause) {
  int c = std::abs(cause);
  switch (c) {
    case plat::kFileHardIO:
      return res::LoadString(res::kIdsHardwareIoError);
    case plat::kFileDiskFull:
      return res::LoadString(res::kIdsDiskFull);
    case plat::kFileEndOfFile:
      return res::LoadString(res::kIdsEndOfFile);
    default:
      if (c < 0 || c > plat::kFileEndOfFile) c = plat::kFileGeneric;
      return res::LoadString(res::kIdsFileErrorBase + static_cast<unsigned>(c));
  }
}

void ShowFileError(int error, const std::string& file, const std::string& action) {
  if (error == 0) return;
  std::string number = std::to_string(std::abs(error));
  std::string text =
      FormatInsertsAndArgs(res::LoadString(res::kIdsFileErrorMessage), {GetFileErrorText(error)},
                           {plat::PathText(file), action, number});
  plat::MessageBox(text, "", plat::kMbOk | plat::kMbIconStop);
}

void ShowFileActionError(int error, unsigned actionStringId, const std::string& file) {
  if (error == 0) return;
  std::string number = std::to_string(std::abs(error));
  std::string text = FormatInsertsAndArgs(
      res::LoadString(res::kIdsFileActionMessage),
      {res::LoadString(actionStringId), GetFileErrorText(error)}, {plat::PathText(file), number});
  plat::MessageBox(text, "", plat::kMbOk | plat::kMbIconStop);
}

int CopyFileWithMessage(const std::string& source, const std::string& target, bool append,
                        ReplaceSync sync) {
  int error = CopyFileRaw(source, target, append, sync);
  if (error != 0) ShowFileActionError(error, res::kIdsFileCopyAction, error > 0 ? source : target);
  return error;
}

int CopyFileRaw(const std::string& source, const std::string& target, bool append,
                ReplaceSync sync) {
  plat::FileHandle in;
  if (int cause = in.Open(source, plat::FileHandle::Access::ReadOnly)) return cause;
  // Copying a file onto itself would empty it before it is read.
  if (plat::IsSameFile(source, target)) return -plat::kFileSharingViolation;

  plat::FileHandle out;
  if (append) {
    if (int cause = out.Open(target, plat::FileHandle::Access::ReadWrite)) return -cause;
    long long size = out.Size();
    if (size < 0 || !out.Seek(static_cast<std::uint64_t>(size))) return -plat::kFileBadSeek;
    return CopyFileData(out, in, -1);
  }

  // A replaced target is written under a temporary name in its folder and
  // renamed over the old one only once it is complete.
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && (S_ISDIR(old.st_mode) || !plat::IsWritable(target)))
    return -plat::kFileAccessDenied;
  // A file that a program has open is not replaced under it.
  if (plat::HoldOf(target) != plat::FileHold::None) return -plat::kFileSharingViolation;
  int copyError = 0;
  const int cause = ReplaceFileContents(
      target,
      [&](plat::FileHandle& out) {
        copyError = CopyFileData(out, in, -1);
        return copyError == 0;
      },
      sync);
  if (copyError != 0) return copyError;
  return -cause;
}

int CopyFileData(plat::FileHandle& target, plat::FileHandle& source, long long count,
                 long long* copiedOut) {
  long long copied = 0;
  int error = 0;
  CGlobalBuffer buffer(kCopyChunk);
  if (!buffer.Data()) {
    error = plat::kFileGeneric;
  } else {
    while (count != 0) {
      std::size_t want = kCopyChunk;
      if (count > 0 && static_cast<unsigned long long>(count) < want)
        want = static_cast<std::size_t>(count);
      long long got = source.Read(buffer.Data(), want);
      if (got < 0) {
        error = plat::FileErrorFromErrno(source.LastErrno());
        if (error == plat::kFileOk) error = plat::kFileGeneric;
        break;
      }
      if (got > 0) {
        if (target.Write(buffer.Data(), static_cast<std::size_t>(got)) != got) {
          error = -WriteCause(target);
          break;
        }
        copied += got;
        if (count > 0) count -= got;
      }
      if (static_cast<std::size_t>(got) < kCopyChunk) break;
    }
  }
  if (copiedOut) *copiedOut = copied;
  return error;
}
