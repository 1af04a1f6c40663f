#pragma once
// Files for driving a storage engine in tests: MemoryFile keeps the bytes in a
// vector (seeded from and compared with a real file's bytes), FailingFile
// passes writes on to another file until a byte limit, then fails every write
// while reads go on working, as a cut power line leaves a file,
// OneWriteFailsFile fails a single write and passes the others on,
// FullDiskFile fails the writes that would grow a file past a size, and
// PassThroughFile hands every call on (the base of files that watch writes).

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "RandomAccessFile.h"

class PassThroughFile : public plat::RandomAccessFile {
 public:
  explicit PassThroughFile(plat::RandomAccessFile& inner) : inner_(inner) {}
  long long ReadSomeAt(std::uint64_t pos, void* data, std::size_t len) override {
    return inner_.ReadSomeAt(pos, data, len);
  }
  bool WriteAt(std::uint64_t pos, const void* data, std::size_t len) override {
    return inner_.WriteAt(pos, data, len);
  }
  bool Flush() override { return inner_.Flush(); }
  long long Size() const override { return inner_.Size(); }
  bool Truncate(std::uint64_t size) override { return inner_.Truncate(size); }

 protected:
  plat::RandomAccessFile& inner_;
};

class MemoryFile : public plat::RandomAccessFile {
 public:
  MemoryFile() = default;
  explicit MemoryFile(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  // The bytes of the file at path (none when it cannot be read).
  static MemoryFile FromFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return MemoryFile(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {}));
  }

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  // Writes the bytes to a real file at path; false when that failed.
  bool ToFile(const std::string& path) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes_.data()),
              static_cast<std::streamsize>(bytes_.size()));
    return static_cast<bool>(out.flush());
  }

  long long ReadSomeAt(std::uint64_t pos, void* data, std::size_t len) override {
    if (pos >= bytes_.size()) return 0;
    const std::size_t n = std::min<std::uint64_t>(len, bytes_.size() - pos);
    std::memcpy(data, bytes_.data() + pos, n);
    return static_cast<long long>(n);
  }
  // A write past the end fills the gap with zeros, as a real file does.
  bool WriteAt(std::uint64_t pos, const void* data, std::size_t len) override {
    if (len == 0) return true;
    if (pos + len > bytes_.size()) bytes_.resize(pos + len, 0);
    std::memcpy(bytes_.data() + pos, data, len);
    return true;
  }
  bool Flush() override { return true; }
  long long Size() const override { return static_cast<long long>(bytes_.size()); }
  bool Truncate(std::uint64_t size) override {
    bytes_.resize(size, 0);
    return true;
  }

 private:
  std::vector<std::uint8_t> bytes_;
};

class FailingFile : public plat::RandomAccessFile {
 public:
  static constexpr std::uint64_t kNoLimit = std::numeric_limits<std::uint64_t>::max();

  // Writes to inner succeed until limit bytes have been written in all; the
  // write that crosses the limit writes only the bytes up to it and fails.
  explicit FailingFile(plat::RandomAccessFile& inner, std::uint64_t limit = kNoLimit)
      : inner_(inner), limit_(limit) {}

  std::uint64_t BytesWritten() const { return written_; }
  // The running byte count at the end of each write that succeeded.
  const std::vector<std::uint64_t>& WriteEnds() const { return writeEnds_; }
  bool Failed() const { return failed_; }

  long long ReadSomeAt(std::uint64_t pos, void* data, std::size_t len) override {
    return inner_.ReadSomeAt(pos, data, len);
  }
  bool WriteAt(std::uint64_t pos, const void* data, std::size_t len) override {
    if (failed_) return false;
    const std::uint64_t room = limit_ - written_;
    if (len <= room) {
      if (!inner_.WriteAt(pos, data, len)) return false;
      written_ += len;
      writeEnds_.push_back(written_);
      return true;
    }
    failed_ = true;
    // The bytes up to the limit reach the file; the write fails all the same.
    if (room > 0) (void)inner_.WriteAt(pos, data, static_cast<std::size_t>(room));
    written_ += room;
    return false;
  }
  bool Flush() override { return !failed_ && inner_.Flush(); }
  long long Size() const override { return inner_.Size(); }
  bool Truncate(std::uint64_t size) override { return !failed_ && inner_.Truncate(size); }

 private:
  plat::RandomAccessFile& inner_;
  std::uint64_t limit_;
  std::uint64_t written_ = 0;
  std::vector<std::uint64_t> writeEnds_;
  bool failed_ = false;
};

// A disk that is full for one moment: the write numbered failAt (counted
// from 0) fails with nothing written, every other one goes through.
class OneWriteFailsFile : public PassThroughFile {
 public:
  static constexpr std::uint64_t kNone = std::numeric_limits<std::uint64_t>::max();

  explicit OneWriteFailsFile(plat::RandomAccessFile& inner, std::uint64_t failAt = kNone)
      : PassThroughFile(inner), failAt_(failAt) {}

  // The writes asked for so far, the failed one included.
  std::uint64_t Writes() const { return writes_; }

  bool WriteAt(std::uint64_t pos, const void* data, std::size_t len) override {
    return writes_++ != failAt_ && inner_.WriteAt(pos, data, len);
  }

 private:
  std::uint64_t failAt_;
  std::uint64_t writes_ = 0;
};

// A disk that fills: writes within the inner file's present size go
// through, a write that would grow it past limit bytes stores what fits and
// fails.
class FullDiskFile : public plat::RandomAccessFile {
 public:
  FullDiskFile(plat::RandomAccessFile& inner, std::uint64_t limit) : inner_(inner), limit_(limit) {}

  long long ReadSomeAt(std::uint64_t pos, void* data, std::size_t len) override {
    return inner_.ReadSomeAt(pos, data, len);
  }
  bool WriteAt(std::uint64_t pos, const void* data, std::size_t len) override {
    if (pos + len <= limit_ || pos + len <= static_cast<std::uint64_t>(inner_.Size()))
      return inner_.WriteAt(pos, data, len);
    if (pos < limit_)
      (void)inner_.WriteAt(pos, data, static_cast<std::size_t>(limit_ - pos));  // as above
    return false;
  }
  bool Flush() override { return inner_.Flush(); }
  long long Size() const override { return inner_.Size(); }
  bool Truncate(std::uint64_t size) override { return inner_.Truncate(size); }

 private:
  plat::RandomAccessFile& inner_;
  std::uint64_t limit_;
};
