#include "RTFFile.h"

namespace {
constexpr std::size_t kBufferBytes = 64 * 1024;
}

CRTFFile::~CRTFFile() { Close(); }

bool CRTFFile::Open(const std::string& path) {
  Close();
  failed_ = false;
  cause_ = 0;
  last_ = 0;
  path_ = path;
  inMemory_ = false;
  int cause = file_.Create(path);
  if (cause != plat::kFileOk) {
    failed_ = true;
    cause_ = cause;
    return false;
  }
  open_ = true;
  buffer_.clear();
  buffer_.reserve(kBufferBytes);
  return true;
}

void CRTFFile::OpenMemory() {
  Close();
  failed_ = false;
  cause_ = 0;
  last_ = 0;
  path_.clear();
  memory_.clear();
  inMemory_ = true;
  open_ = true;
}

bool CRTFFile::Close() {
  if (!open_) return !failed_;
  if (!inMemory_) {
    FlushBuffer();
    file_.Close();
  }
  open_ = false;
  return !failed_;
}

void CRTFFile::WriteString(std::string_view text) {
  if (text.empty()) return;
  last_ = text.back();
  Put(text);
}

void CRTFFile::Write(const void* data, std::size_t size) {
  Put(std::string_view(static_cast<const char*>(data), size));
}

void CRTFFile::Put(std::string_view bytes) {
  if (!open_ || failed_) return;
  std::string& out = inMemory_ ? memory_ : buffer_;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\n') continue;
    out.append(bytes.substr(start, i - start));
    out.append("\r\n");
    start = i + 1;
  }
  out.append(bytes.substr(start));
  if (!inMemory_ && buffer_.size() >= kBufferBytes) FlushBuffer();
}

bool CRTFFile::FlushBuffer() {
  if (buffer_.empty() || failed_) {
    buffer_.clear();
    return !failed_;
  }
  long long written = file_.Write(buffer_.data(), buffer_.size());
  if (written != static_cast<long long>(buffer_.size())) {
    failed_ = true;
    int err = file_.LastErrno();
    cause_ = err != 0 ? plat::FileErrorFromErrno(err) : plat::kFileDiskFull;
  }
  buffer_.clear();
  return !failed_;
}
