#include "AlphaIndexFile.h"

#include "FileLayout.h"
#include "FileUtil.h"
#include "Ports.h"

std::int32_t ReadAlphaEntry(std::int32_t position, plat::RandomAccessFile& file,
                            std::int32_t count) {
  if (position < 1 || position > count) {
    plat::MessageBox("Record Error", "Alpha File", plat::kMbOk);
    return 0;
  }
  std::uint8_t b[4];
  if (!file.ReadAt(4 * static_cast<std::uint64_t>(position - 1), b, 4)) {
    plat::MessageBox("Read Error", "Alpha File", plat::kMbOk);
    return 0;
  }
  return orv::GetI32(b);
}

std::string AlphaIndexFile::PathFor(const std::string& familyPath, char letter) {
  return SetExtensionLastCharStr(familyPath, letter);
}

int AlphaIndexFile::Build(const std::string& path, const std::vector<std::int32_t>& numbers) {
  handle_.Close();
  entries_ = 0;
  if (path.empty() || handle_.Create(path) != 0) {
    plat::MessageBox("Creation error", "Alpha File", plat::kMbOk);
    return 0;
  }
  std::vector<std::uint8_t> bytes(4 * (numbers.size() + 1), 0);
  for (std::size_t i = 0; i < numbers.size(); ++i) orv::PutI32(bytes.data() + 4 * i, numbers[i]);
  if (!handle_.WriteAt(0, bytes.data(), bytes.size())) {
    plat::MessageBox("Creation error", "Alpha File", plat::kMbOk);
    handle_.Close();
    return 0;
  }
  entries_ = static_cast<std::int32_t>(numbers.size());
  stale_ = false;
  // A work file, read back through this handle; a flush is only for others.
  (void)handle_.Flush();
  return 1;
}

std::int32_t AlphaIndexFile::PositionOf(std::int32_t number) {
  if (!handle_.IsOpen()) return 1;
  constexpr std::size_t kChunk = 16384;
  std::vector<std::uint8_t> chunk(kChunk);
  std::int32_t position = 1;
  for (std::uint64_t pos = 0;; pos += kChunk) {
    const long long got = handle_.ReadSomeAt(pos, chunk.data(), kChunk);
    if (got < 4) return 1;
    for (long long i = 0; i + 4 <= got; i += 4, ++position) {
      const std::int32_t n = orv::GetI32(chunk.data() + i);
      if (n == 0) return 1;
      if (n == number) return position;
    }
  }
}

std::int32_t AlphaIndexFile::At(std::int32_t position) {
  if (!handle_.IsOpen() || position < 1 || position > entries_) return 0;
  std::uint8_t b[4];
  if (!handle_.ReadAt(4 * static_cast<std::uint64_t>(position - 1), b, 4)) return 0;
  return orv::GetI32(b);
}

void AlphaIndexFile::Flush() {
  if (handle_.IsOpen()) (void)handle_.Flush();  // as in Build
}

void AlphaIndexFile::Close() {
  handle_.Close();
  stale_ = true;
}
