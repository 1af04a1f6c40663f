#include "GedcomByteSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "CodePage.h"

namespace gedcom {

bool GedcomByteSource::Open(const std::string& path) {
  Close();
  // Opened without waiting, so that a named pipe never blocks the open, and
  // only a regular file is read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const int error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    ::close(fd);
    errno = error;
    return false;
  }
  file_ = ::fdopen(fd, "rb");
  if (!file_) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return false;
  }
  int b0 = RawByte(), b1 = RawByte();
  int b2 = (b0 == 0xEF && b1 == 0xBB) ? RawByte() : -1;
  if (b0 == 0xEF && b1 == 0xBB && b2 == 0xBF) {
    unicode_ = true;
    return true;
  }
  if (b0 == 0xFF && b1 == 0xFE) {
    form_ = Form::kUtf16Le;
  } else if (b0 == 0xFE && b1 == 0xFF) {
    form_ = Form::kUtf16Be;
  } else if (b0 > 0 && b1 == 0) {
    form_ = Form::kUtf16Le;
    plat::AppendUtf8(pending_, static_cast<char32_t>(b0));  // the first character, already read
  } else if (b0 == 0 && b1 > 0) {
    form_ = Form::kUtf16Be;
    plat::AppendUtf8(pending_, static_cast<char32_t>(b1));
  } else {
    // An 8-bit file: start again from its first byte.
    bufferPos_ = 0;
    return true;
  }
  unicode_ = true;
  return true;
}

void GedcomByteSource::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  bufferPos_ = bufferEnd_ = 0;
  form_ = Form::kBytes;
  unicode_ = false;
  pending_.clear();
  pendingPos_ = 0;
  peeked_ = -2;
}

int GedcomByteSource::RawByte() {
  if (bufferPos_ == bufferEnd_) {
    if (!file_) return -1;
    bufferEnd_ = std::fread(buffer_, 1, sizeof buffer_, file_);
    bufferPos_ = 0;
    if (bufferEnd_ == 0) return -1;
  }
  return buffer_[bufferPos_++];
}

// Reads one UTF-16 character (a surrogate pair when it comes whole) into
// pending_ as UTF-8; false at the end. A last odd byte is dropped; a lone
// surrogate becomes the replacement character.
bool GedcomByteSource::FillPending() {
  auto unit = [this]() -> long {
    int a = RawByte();
    if (a < 0) return -1;
    int b = RawByte();
    if (b < 0) return -1;
    return form_ == Form::kUtf16Le ? (b << 8 | a) : (a << 8 | b);
  };
  long u = unit();
  if (u < 0) return false;
  char32_t cp = static_cast<char32_t>(u);
  if (u >= 0xD800 && u <= 0xDBFF) {
    long low = unit();
    if (low >= 0xDC00 && low <= 0xDFFF)
      cp = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) +
           (static_cast<char32_t>(low) - 0xDC00);
    else
      cp = plat::kUnmappableUnicode;  // the unit after it is lost with it
  } else if (u >= 0xDC00 && u <= 0xDFFF) {
    cp = plat::kUnmappableUnicode;
  }
  pending_.clear();
  pendingPos_ = 0;
  plat::AppendUtf8(pending_, cp);
  return true;
}

int GedcomByteSource::GetSlow() {
  if (peeked_ != -2) {
    int c = peeked_;
    peeked_ = -2;
    return c;
  }
  if (form_ == Form::kBytes) return RawByte();
  if (pendingPos_ == pending_.size() && !FillPending()) return -1;
  return static_cast<unsigned char>(pending_[pendingPos_++]);
}

int GedcomByteSource::Peek() {
  if (peeked_ == -2) peeked_ = Get();
  return peeked_;
}

}  // namespace gedcom
