#include "Backup.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "Clock.h"
#include "FileCopy.h"
#include "FileHandle.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "Ports.h"
#include "StorageMedium.h"
#include "StringIds.h"
#include "StringTable.h"

namespace backup {
namespace {

// Blocks read at once from a file that is compressed or expanded.
constexpr std::size_t kRunBlocks = 32;
constexpr int kCodes = 4096;
constexpr int kFirstCode = 257;
constexpr int kLastCode = 4094;
// The coder's pair hash: a power of two, twice the codes a dictionary holds.
constexpr int kHashBits = 13;
constexpr int kHashSlots = 1 << kHashBits;

bool EndsWithNoCase(const std::string& text, const char* tail) {
  const std::size_t n = std::strlen(tail);
  if (text.size() < n) return false;
  for (std::size_t i = 0; i < n; ++i) {
    const char a = text[text.size() - n + i];
    const char lower = a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a;
    if (lower != tail[i]) return false;
  }
  return true;
}

void PutU32(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
  p[3] = static_cast<std::uint8_t>(v >> 24);
}

std::uint32_t GetU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Writes codes most significant bit first into a cleared buffer.
class BitWriter {
 public:
  BitWriter(std::uint8_t* out, std::size_t capacity) : out_(out), capacity_(capacity) {}
  bool Put(unsigned code, int width) {
    const std::size_t index = bit_ >> 3;
    if (((bit_ + width - 1) >> 3) >= capacity_) return false;
    const std::uint32_t x = static_cast<std::uint32_t>(code) << (24 - (bit_ & 7) - width);
    out_[index] |= static_cast<std::uint8_t>(x >> 16);
    if (index + 1 < capacity_) out_[index + 1] |= static_cast<std::uint8_t>(x >> 8);
    if (index + 2 < capacity_) out_[index + 2] |= static_cast<std::uint8_t>(x);
    bit_ += static_cast<std::size_t>(width);
    return true;
  }
  // Every byte up to and including the one that holds the bit position.
  std::size_t Length() const { return (bit_ >> 3) + 1; }

 private:
  std::uint8_t* out_;
  std::size_t capacity_;
  std::size_t bit_ = 0;
};

// Reads codes of a block of length bytes; bytes past the block read as 0.
class BitReader {
 public:
  BitReader(const std::uint8_t* in, std::size_t length) : in_(in), length_(length) {}
  unsigned Get(int width) {
    const std::size_t index = bit_ >> 3;
    const std::uint32_t x = static_cast<std::uint32_t>(Byte(index)) << 16 |
                            static_cast<std::uint32_t>(Byte(index + 1)) << 8 | Byte(index + 2);
    const unsigned code = (x >> (24 - (bit_ & 7) - width)) & ((1u << width) - 1);
    bit_ += static_cast<std::size_t>(width);
    return code;
  }
  bool AtEnd() const { return (bit_ >> 3) >= length_; }

 private:
  std::uint8_t Byte(std::size_t i) const { return i < length_ ? in_[i] : 0; }
  const std::uint8_t* in_;
  std::size_t length_;
  std::size_t bit_ = 0;
};

// Reads a file from its position on through a buffer: one read for many of
// the small pieces a stream is parsed in.
class BufferedReader {
 public:
  explicit BufferedReader(plat::FileHandle& file) : file_(file), buffer_(kRunBlocks * kBlockSize) {}
  // Exactly n bytes; false on a read error or at the end of the file.
  bool Read(std::uint8_t* data, std::size_t n) {
    while (n > 0) {
      if (at_ == size_) {
        const long long got = file_.Read(buffer_.data(), buffer_.size());
        if (got <= 0) return false;
        at_ = 0;
        size_ = static_cast<std::size_t>(got);
      }
      const std::size_t take = std::min(n, size_ - at_);
      std::memcpy(data, buffer_.data() + at_, take);
      at_ += take;
      data += take;
      n -= take;
    }
    return true;
  }

 private:
  plat::FileHandle& file_;
  std::vector<std::uint8_t> buffer_;
  std::size_t at_ = 0;
  std::size_t size_ = 0;
};

// The free space of a volume: unlimited on a fixed medium, where only a
// failing write ends it.
constexpr std::uint64_t kUnlimited = ~std::uint64_t{0};

// One backup volume being written, with the room the medium had for it.
class Volume {
 public:
  bool Create(const std::string& path, bool removable) {
    path_ = path;
    written_ = 0;
    if (file_.Create(path) != plat::kFileOk) return false;
    room_ = removable ? plat::StorageMedium().FreeBytes(FolderOf(path)) : kUnlimited;
    return true;
  }
  // Writes what fits of n bytes; the number written.
  std::size_t Write(const std::uint8_t* data, std::size_t n) {
    const std::uint64_t left = room_ == kUnlimited ? kUnlimited : room_ - written_;
    const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(n, left));
    long long done = take == 0 ? 0 : file_.Write(data, take);
    if (done < 0) done = 0;
    written_ += static_cast<std::uint64_t>(done);
    return static_cast<std::size_t>(done);
  }
  // Closes a volume that is done: false when its bytes could not be flushed
  // to the medium, so that the volume cannot be relied on.
  [[nodiscard]] bool Close() {
    const bool flushed = file_.Flush();
    file_.Close();
    return flushed;
  }
  // Closes a volume the backup ends on with a failure of its own.
  void Abandon() { file_.Close(); }
  void Discard() {
    file_.Close();
    plat::DeleteFile(path_);
  }
  static std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
  }

 private:
  plat::FileHandle file_;
  std::string path_;
  std::uint64_t room_ = kUnlimited;
  std::uint64_t written_ = 0;
};

std::string Numbered(unsigned id, int number) {
  const std::string n = std::to_string(number);
  return FormatInsertsAndArgs(res::LoadString(id), {n}, {n});
}

// A work file in the temporary folder, named "orv" and a counter.
std::string MakeWorkFile(plat::FileHandle& file) {
  return FindTempName(plat::TempFolder(), "orv", [&](const std::string& name) {
    const int result = file.Create(name, true);
    if (result == plat::kFileOk) return TempNameAnswer::Take;
    return file.LastErrno() == EEXIST ? TempNameAnswer::Next : TempNameAnswer::Stop;
  });
}

// Progress of the passes of one operation under one caption: the port's
// window, messages let through, Cancel.
class Pass {
 public:
  explicit Pass(unsigned caption) : caption_(res::LoadString(caption)) {}
  ~Pass() {
    if (begun_) plat::Progress().End();
  }
  // A new pass: its text and the range its steps run through.
  void Text(unsigned text, std::uint64_t range) {
    if (begun_) plat::Progress().End();
    // The port's range is an int; large files are counted in kilobytes.
    shift_ = range > 0x7FFFFFFF ? 10 : 0;
    plat::Progress().Begin(caption_, static_cast<int>(range >> shift_));
    plat::Progress().SetText(res::LoadString(text));
    begun_ = true;
  }
  // False when Cancel was pressed or the program is quitting.
  bool Step(std::uint64_t position) {
    plat::Progress().SetPosition(
        static_cast<int>(std::min<std::uint64_t>(position >> shift_, 0x7FFFFFFF)));
    if (!plat::PumpWaitingMessages()) return false;
    return !plat::Progress().CancelRequested();
  }

 private:
  std::string caption_;
  int shift_ = 0;
  bool begun_ = false;
};

int ShowResult(const std::string& text, int code) {
  plat::MessageBox(text, res::LoadString(res::kIdsAppName),
                   code == 0 ? plat::kMbOk : plat::kMbOk | plat::kMbIconExclamation);
  return code;
}

// Step 1 to 5 of a backup: the compressed stream in the work file.
int CompressToWorkFile(const std::string& familyPath, plat::FileHandle& work, Pass& pass) {
  plat::FileHandle family;
  if (family.Open(familyPath, plat::FileHandle::Access::ReadOnly) != plat::kFileOk)
    return kBackupCannotOpenOrv;
  const long long familySize = family.Size();
  if (familySize < 0 || familySize > 0xFFFFFFFFLL) return kBackupCannotOpenOrv;
  pass.Text(res::kIdsCompressing, static_cast<std::uint64_t>(familySize));

  std::vector<std::uint8_t> pending;
  pending.reserve(1 << 16);
  std::uint8_t head[8] = {};
  PutU32(head, static_cast<std::uint32_t>(familySize));
  pending.insert(pending.end(), head, head + 8);
  std::uint64_t streamLength = 0;
  const auto flush = [&]() {
    if (pending.empty()) return true;
    const long long done = work.Write(pending.data(), pending.size());
    if (done != static_cast<long long>(pending.size())) return false;
    streamLength += pending.size();
    pending.clear();
    return true;
  };

  // The file is read a run of blocks at a time: one read for many blocks.
  std::vector<std::uint8_t> run(kRunBlocks * kBlockSize);
  std::array<std::uint8_t, kOutputSize> out{};
  std::uint64_t done = 0;
  while (done < static_cast<std::uint64_t>(familySize)) {
    const std::size_t read =
        static_cast<std::size_t>(std::min<std::uint64_t>(run.size(), familySize - done));
    if (family.Read(run.data(), read) != static_cast<long long>(read)) return kBackupCannotOpenOrv;
    for (std::size_t at = 0; at < read; at += kBlockSize) {
      const std::size_t want = std::min(kBlockSize, read - at);
      const std::size_t length = LzwCompressBlock(run.data() + at, want, out.data(), out.size());
      if (length == 0) return kBackupCannotCompress;
      pending.push_back(static_cast<std::uint8_t>(length));
      pending.push_back(static_cast<std::uint8_t>(length >> 8));
      pending.insert(pending.end(), out.begin(), out.begin() + static_cast<long>(length));
      if (pending.size() >= (1u << 16) && !flush()) return kBackupCannotWriteTemp;
      done += want;
      if (!pass.Step(done)) return kBackupCancelled;
    }
  }
  if (!flush()) return kBackupCannotWriteTemp;
  if (streamLength > 0xFFFFFFFFu) return kBackupCannotCompress;
  std::uint8_t length[4];
  PutU32(length, static_cast<std::uint32_t>(streamLength));
  if (!work.WriteAt(4, length, 4)) return kBackupCannotWriteTemp;
  return kBackupOk;
}

// Steps 6 and 7: the work file onto the volumes.
int CopyToVolumes(plat::FileHandle& work, const std::string& backupPath, Pass& pass) {
  const long long streamLength = work.Size();
  pass.Text(res::kIdsBackingUp, static_cast<std::uint64_t>(std::max(0LL, streamLength)));
  if (!work.Seek(0)) return kBackupCannotCreate;
  const bool removable = plat::StorageMedium().IsRemovable(Volume::FolderOf(backupPath));
  Volume volume;
  if (!volume.Create(backupPath, removable)) return kBackupCannotCreate;
  std::uint8_t stamp[4];
  PutU32(stamp, static_cast<std::uint32_t>(plat::Now()));
  if (volume.Write(stamp, 4) != 4) {
    volume.Abandon();
    return kBackupFirstDiskFull;
  }
  std::string name = backupPath;
  int disk = 1;
  std::array<std::uint8_t, kBlockSize> piece{};
  std::uint64_t copied = 0;
  for (;;) {
    const long long got = work.Read(piece.data(), piece.size());
    if (got < 0) {
      volume.Abandon();
      return kBackupCannotCreate;
    }
    if (got == 0) break;
    std::size_t at = 0;
    const std::size_t n = static_cast<std::size_t>(got);
    at += volume.Write(piece.data(), n);
    while (at < n) {
      // The medium is full: only the part not yet written goes on the next one.
      if (!volume.Close()) return kBackupCannotCreate;
      NextBackupVolumeName(name);
      for (;;) {
        if (plat::MessageBox(Numbered(res::kIdsBackupDiskFull, disk + 1),
                             res::LoadString(res::kIdsAppName), plat::kMbOkCancel) != plat::kIdOk)
          return kBackupCancelled;
        if (!volume.Create(name, removable)) return kBackupCannotCreate;
        // A volume must take its stamp and at least one byte of the stream.
        if (volume.Write(stamp, 4) == 4) {
          const std::size_t more = volume.Write(piece.data() + at, n - at);
          if (more > 0) {
            at += more;
            break;
          }
        }
        volume.Discard();
      }
      ++disk;
    }
    copied += n;
    if (!pass.Step(copied)) {
      volume.Abandon();
      return kBackupCancelled;
    }
  }
  return volume.Close() ? kBackupOk : kBackupCannotCreate;
}

// Reads exactly n bytes from a volume; false on a short read.
bool ReadExact(plat::FileHandle& file, std::uint8_t* data, std::size_t n) {
  return file.Read(data, n) == static_cast<long long>(n);
}

// Steps 3 and 4 of a restore: the stream after its head from the volumes
// into the work file.
int CopyFromVolumes(const std::string& backupPath, plat::FileHandle& work,
                    std::uint32_t& familyLength, std::uint32_t& streamLength, Pass& pass) {
  plat::FileHandle volume;
  if (volume.Open(backupPath, plat::FileHandle::Access::ReadOnly) != plat::kFileOk)
    return kRestoreCannotOpen;
  std::uint8_t head[12];
  if (!ReadExact(volume, head, sizeof head)) return kRestoreCannotRead;
  const std::uint32_t stamp = GetU32(head);
  familyLength = GetU32(head + 4);
  streamLength = GetU32(head + 8);
  if (streamLength < 8) return kRestoreCannotRead;
  pass.Text(res::kIdsReading, streamLength);
  const std::uint64_t wanted = streamLength - 8u;
  std::uint64_t have = 0;
  std::string name = backupPath;
  int disk = 1;
  std::vector<std::uint8_t> piece(1 << 16);
  while (have < wanted) {
    const std::size_t ask =
        static_cast<std::size_t>(std::min<std::uint64_t>(piece.size(), wanted - have));
    const long long got = volume.Read(piece.data(), ask);
    if (got < 0) return kRestoreCannotRead;
    if (got > 0) {
      if (work.Write(piece.data(), static_cast<std::size_t>(got)) != got)
        return kRestoreCannotWriteTemp;
      have += static_cast<std::uint64_t>(got);
      if (!pass.Step(have + 8)) return kRestoreCancelled;
      continue;
    }
    // This volume is used up: the next one, with this backup's stamp.
    volume.Close();
    NextBackupVolumeName(name);
    ++disk;
    for (;;) {
      if (plat::MessageBox(Numbered(res::kIdsInsertDisk, disk), res::LoadString(res::kIdsAppName),
                           plat::kMbOkCancel) != plat::kIdOk)
        return kRestoreCancelled;
      if (volume.Open(name, plat::FileHandle::Access::ReadOnly) != plat::kFileOk) continue;
      std::uint8_t other[4];
      if (ReadExact(volume, other, 4) && GetU32(other) == stamp) break;
      volume.Close();
    }
  }
  return kRestoreOk;
}

// Step 5: the work file expanded into target; every length is checked.
int ExpandWorkFile(plat::FileHandle& work, plat::FileHandle& target, std::uint32_t familyLength,
                   std::uint32_t streamLength, Pass& pass) {
  pass.Text(res::kIdsUncompressing, familyLength);
  if (!work.Seek(0)) return kRestoreCannotReadTemp;
  BufferedReader stream(work);
  std::uint64_t left = streamLength - 8u;
  std::uint64_t written = 0;
  std::array<std::uint8_t, kOutputSize> in{};
  std::array<std::uint8_t, kBlockSize> out{};
  std::vector<std::uint8_t> pending;
  pending.reserve(1 << 16);
  const auto flush = [&]() {
    if (pending.empty()) return true;
    const bool ok =
        target.Write(pending.data(), pending.size()) == static_cast<long long>(pending.size());
    pending.clear();
    return ok;
  };
  while (left > 0) {
    std::uint8_t size[2];
    if (left < 2 || !stream.Read(size, 2)) return kRestoreCannotRead;
    const std::size_t length = static_cast<std::size_t>(size[0] | size[1] << 8);
    left -= 2;
    if (length == 0 || length > in.size() || length > left) return kRestoreCannotRead;
    if (!stream.Read(in.data(), length)) return kRestoreCannotReadTemp;
    left -= length;
    const long produced = LzwExpandBlock(in.data(), length, out.data(), out.size());
    // Every block but the last is whole.
    if (produced <= 0 || written + static_cast<std::uint64_t>(produced) > familyLength ||
        (static_cast<std::size_t>(produced) < kBlockSize &&
         written + static_cast<std::uint64_t>(produced) != familyLength))
      return kRestoreCannotRead;
    pending.insert(pending.end(), out.begin(), out.begin() + produced);
    if (pending.size() >= (1u << 16) && !flush()) return kRestoreCannotWrite;
    written += static_cast<std::uint64_t>(produced);
    if (!pass.Step(written)) return kRestoreCancelled;
  }
  if (!flush()) return kRestoreCannotWrite;
  if (written != familyLength) return kRestoreCannotRead;
  return kRestoreOk;
}

}  // namespace

std::size_t LzwCompressBlock(const std::uint8_t* input, std::size_t length, std::uint8_t* output,
                             std::size_t capacity) {
  if (length == 0 || capacity == 0) return 0;
  std::memset(output, 0, capacity);
  // The dictionary: prefix and suffix by code, and a hash of the pairs.
  std::array<std::uint16_t, kCodes> prefix;
  std::array<std::uint8_t, kCodes> suffix;
  std::array<std::uint16_t, kHashSlots> hash;
  BitWriter writer(output, capacity);

  std::size_t i = 0;
  while (i < length) {
    hash.fill(0);
    int next = kFirstCode;
    int width = 9;
    unsigned current = input[i++] + 1u;
    bool full = false;
    while (i < length && !full) {
      const unsigned c = input[i++];
      // Both the prefix code and the byte pick the slot (multiplicative
      // hashing), so that the pairs of a block rarely share one.
      std::size_t slot =
          static_cast<std::uint32_t>((current << 8 | c) * 2654435761u) >> (32 - kHashBits);
      for (;;) {
        const unsigned code = hash[slot];
        if (code == 0 || (prefix[code] == current && suffix[code] == c)) break;
        if (++slot == kHashSlots) slot = 0;
      }
      if (hash[slot] != 0) {
        current = hash[slot];
        continue;
      }
      hash[slot] = static_cast<std::uint16_t>(next);
      prefix[next] = static_cast<std::uint16_t>(current);
      suffix[next] = static_cast<std::uint8_t>(c);
      if (!writer.Put(current, width)) return 0;
      if (next == 512 || next == 1024 || next == 2048) ++width;
      ++next;
      current = c + 1;
      full = next > kLastCode;
    }
    // The end of the input or of a full dictionary: the string so far.
    if (!writer.Put(current, width)) return 0;
  }
  const std::size_t result = writer.Length();
  return result <= capacity ? result : 0;
}

long LzwExpandBlock(const std::uint8_t* input, std::size_t length, std::uint8_t* output,
                    std::size_t capacity) {
  if (length == 0) return 0;
  std::array<std::uint16_t, kCodes> prefix;
  std::array<std::uint8_t, kCodes> suffix;
  std::array<std::uint8_t, kCodes> stack;
  BitReader reader(input, length);
  std::size_t produced = 0;
  int next = kFirstCode;
  int width = 9;
  bool first = true;
  unsigned previous = 0;
  std::uint8_t previousFirst = 0;
  for (;;) {
    const unsigned code = reader.Get(width);
    if (reader.AtEnd()) break;
    if (first) {
      if (code < 1 || code > 256 || produced >= capacity) return -1;
      output[produced++] = static_cast<std::uint8_t>(code - 1);
      previous = code;
      previousFirst = static_cast<std::uint8_t>(code - 1);
      first = false;
      continue;
    }
    if (code == 0 || code > static_cast<unsigned>(next)) return -1;
    std::size_t depth = 0;
    unsigned c = code;
    if (code == static_cast<unsigned>(next)) {
      // Not defined yet: the previous string and its own first byte.
      stack[depth++] = previousFirst;
      c = previous;
    }
    while (c > 256) {
      if (depth >= stack.size() - 1) return -1;
      stack[depth++] = suffix[c];
      c = prefix[c];
    }
    const std::uint8_t firstByte = static_cast<std::uint8_t>(c - 1);
    stack[depth++] = firstByte;
    if (produced + depth > capacity) return -1;
    while (depth > 0) output[produced++] = stack[--depth];
    prefix[next] = static_cast<std::uint16_t>(previous);
    suffix[next] = firstByte;
    const int defined = next++;
    previous = code;
    previousFirst = firstByte;
    if (defined == 511 || defined == 1023 || defined == 2047) ++width;
    if (defined == kLastCode) {
      next = kFirstCode;
      width = 9;
      first = true;
    }
  }
  return static_cast<long>(produced);
}

void NextBackupVolumeName(std::string& name) {
  if (name.empty()) return;
  if (EndsWithNoCase(name, ".bak")) {
    name.replace(name.size() - 2, 2, "00");
    return;
  }
  char& last = name.back();
  if (last == '9') {
    last = '0';
    if (name.size() >= 2) ++name[name.size() - 2];
  } else {
    ++last;
  }
}

int CompressToBackup(const std::string& familyPath, const std::string& backupPath) {
  if (!EndsWithNoCase(familyPath, ".orv")) return kBackupNotOrv;
  if (!EndsWithNoCase(backupPath, ".bak")) return kBackupNotBak;
  Pass pass(res::kIdsBackupCaption);
  plat::FileHandle work;
  const std::string workPath = MakeWorkFile(work);
  if (workPath.empty()) return kBackupNoTempName;
  int result = CompressToWorkFile(familyPath, work, pass);
  if (result == kBackupOk) result = CopyToVolumes(work, backupPath, pass);
  work.Close();
  plat::DeleteFile(workPath);
  return result;
}

int RestoreFromBackup(const std::string& backupPath, const std::string& familyPath) {
  if (!EndsWithNoCase(backupPath, ".bak")) return kRestoreNotBak;
  if (!EndsWithNoCase(familyPath, ".orv")) return kRestoreNotOrv;
  Pass pass(res::kIdsRestoreCaption);
  plat::FileHandle work;
  const std::string workPath = MakeWorkFile(work);
  if (workPath.empty()) return kRestoreNoTempName;
  std::uint32_t familyLength = 0, streamLength = 0;
  int result = CopyFromVolumes(backupPath, work, familyLength, streamLength, pass);
  // A family file another program has open is not replaced under it: that
  // program would go on writing to the file taken away.
  const auto held = [&] { return plat::HoldOf(familyPath) != plat::FileHold::None; };
  if (result == kRestoreOk && held()) result = kRestoreHeld;
  if (result == kRestoreOk) {
    // Expanded beside the family file, which it replaces only when whole.
    plat::FileHandle target;
    const std::string folder = Volume::FolderOf(familyPath);
    const std::string temporary = FindTempName(folder, "orv", [&](const std::string& name) {
      const int created = target.Create(name, true);
      if (created == plat::kFileOk) return TempNameAnswer::Take;
      return target.LastErrno() == EEXIST ? TempNameAnswer::Next : TempNameAnswer::Stop;
    });
    if (temporary.empty()) {
      result = kRestoreCannotCreate;
    } else {
      result = ExpandWorkFile(work, target, familyLength, streamLength, pass);
      if (result == kRestoreOk && !target.Flush()) result = kRestoreCannotWrite;
      target.Close();
      if (result == kRestoreOk && held()) result = kRestoreHeld;
      if (result == kRestoreOk && !plat::RenameFile(temporary, familyPath))
        result = kRestoreCannotCreate;
      if (result != kRestoreOk) plat::DeleteFile(temporary);
    }
  }
  work.Close();
  plat::DeleteFile(workPath);
  return result;
}

std::string BackupResultText(int code) {
  return res::LoadString(code >= 0 && code <= 11 ? res::kIdsBackupResultBase + code
                                                 : res::kIdsBackupFailed);
}

std::string RestoreResultText(int code) {
  if (code == kRestoreHeld) return res::LoadString(res::kIdsRestoreHeld);
  return res::LoadString(code >= 0 && code <= 11 ? res::kIdsRestoreResultBase + code
                                                 : res::kIdsRestoreFailed);
}

int BackupWithMessage(const std::string& familyPath, const std::string& backupPath) {
  const int code = CompressToBackup(familyPath, backupPath);
  return ShowResult(BackupResultText(code), code);
}

int RestoreWithMessage(const std::string& backupPath, const std::string& familyPath) {
  const int code = RestoreFromBackup(backupPath, familyPath);
  return ShowResult(RestoreResultText(code), code);
}

}  // namespace backup
