// The test files behind the engine's file seam: the in-memory file answers
// as the real file does, and the failing file stops exactly at its limit.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "FileHandle.h"
#include "MemoryFile.h"
#include "TempDir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

// One script of writes, reads and truncates; returns what each step saw.
std::vector<std::string> RunScript(plat::RandomAccessFile& f) {
  std::vector<std::string> seen;
  auto read = [&](std::uint64_t pos, std::size_t len) {
    std::string out(len, '?');
    const long long got = f.ReadSomeAt(pos, out.data(), len);
    seen.push_back(std::to_string(got) + ":" + out.substr(0, got < 0 ? 0 : got) + ":" +
                   (f.ReadAt(pos, out.data(), len) ? "exact" : "short"));
  };
  const Bytes hello = Text("hello"), xy = Text("XY");
  EXPECT_TRUE(f.WriteAt(0, hello.data(), hello.size()));
  read(0, 5);
  read(3, 10);                                      // short at the end
  read(9, 2);                                       // wholly past the end
  EXPECT_TRUE(f.WriteAt(8, xy.data(), xy.size()));  // leaves a gap of zeros
  seen.push_back(std::to_string(f.Size()));
  read(4, 6);
  EXPECT_TRUE(f.Truncate(2));
  seen.push_back(std::to_string(f.Size()));
  read(0, 4);
  EXPECT_TRUE(f.Flush());
  return seen;
}

TEST(MemoryFile, AnswersTheScriptAsTheRealFileDoes) {
  TempDir dir;
  plat::FileHandle real;
  ASSERT_EQ(real.Create(dir.File("real.bin")), plat::kFileOk);
  MemoryFile memory;
  const auto fromReal = RunScript(real);
  EXPECT_EQ(RunScript(memory), fromReal);
  EXPECT_EQ(fromReal[1], "2:lo:short");
  EXPECT_EQ(fromReal[4], std::string("6:o\0\0\0XY:exact", 14));

  // Seeded from the real file, the memory file holds its bytes.
  const Bytes abc = Text("abc");
  ASSERT_TRUE(real.WriteAt(0, abc.data(), abc.size()));
  EXPECT_EQ(MemoryFile::FromFile(dir.File("real.bin")).Bytes(), abc);
}

TEST(FailingFile, WriteCrossingTheLimitStopsAtItAndLaterWritesFail) {
  struct Case {
    std::uint64_t limit;
    Bytes stored;    // the inner file afterwards
    int writesMade;  // writes that succeeded
  };
  // Writes of 3, 4 and 2 bytes at 0, 3 and 7.
  const Case cases[] = {
      {0, {}, 0},
      {2, Text("ab"), 0},
      {3, Text("abc"), 1},  // exactly at a write's end: the next one fails
      {5, Text("abcde"), 1},
      {8, Text("abcdefgh"), 2},
      {9, Text("abcdefghi"), 3},
      {FailingFile::kNoLimit, Text("abcdefghi"), 3},
  };
  const Bytes data = Text("abcdefghi");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.limit);
    MemoryFile inner;
    FailingFile f(inner, c.limit);
    int made = 0;
    made += f.WriteAt(0, data.data(), 3);
    made += f.WriteAt(3, data.data() + 3, 4);
    made += f.WriteAt(7, data.data() + 7, 2);
    EXPECT_EQ(made, c.writesMade);
    EXPECT_EQ(inner.Bytes(), c.stored);
    EXPECT_EQ(f.Failed(), c.writesMade < 3);
    EXPECT_EQ(f.WriteEnds().size(), static_cast<std::size_t>(c.writesMade));
    // Once failed, even a write that would fit fails; reads go on.
    EXPECT_EQ(f.WriteAt(0, data.data(), 0), !f.Failed());
    Bytes back(c.stored.size());
    EXPECT_TRUE(f.ReadAt(0, back.data(), back.size()));
    EXPECT_EQ(back, c.stored);
  }
}

}  // namespace
