#pragma once
// A change through the database calls run again and again on the same
// family file, each time with one of its writes failing: the disk stops
// taking bytes there, or is full for that one write only. After each run the
// file is opened again (which finishes or undoes what a cut left), so that
// a test checks what the user would find.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "MemoryFile.h"

class WriteFaultRun {
 public:
  // The family file at path, open as the current database, is closed and
  // its bytes kept.
  explicit WriteFaultRun(std::string path) : path_(std::move(path)) {
    EXPECT_EQ(DbCloseCurrent(), 1);
    before_ = MemoryFile::FromFile(path_);
  }

  // Runs op without a fault and leaves the file open as op left it; op's
  // answer. The writes op made are counted for EachFault.
  int Whole(const std::function<int()>& op) {
    return Run(op,
               [this](plat::RandomAccessFile& f) { return std::make_unique<Recorded>(f, ends_); });
  }

  // For every write Whole counted and both kinds of fault: runs op with that
  // write failing and calls check with the fault's name and op's answer,
  // the file open again. Stops at the first run with a failure.
  void EachFault(const std::function<int()>& op,
                 const std::function<void(const std::string&, int)>& check) {
    ASSERT_FALSE(ends_.empty()) << "Whole first";
    const std::vector<std::uint64_t> ends = ends_;
    for (std::size_t n = 0; n < ends.size(); ++n)
      for (const bool once : {false, true}) {
        const std::string fault = std::string(once ? "one write fails" : "the disk stops") +
                                  " at write " + std::to_string(n) + " of " +
                                  std::to_string(ends.size());
        SCOPED_TRACE(fault);
        const int answer = Run(op, [&](plat::RandomAccessFile& f) -> std::unique_ptr<Io> {
          if (once) return std::make_unique<OneWriteFailsFile>(f, n);
          return std::make_unique<FailingFile>(f, n == 0 ? 0 : ends[n - 1]);
        });
        check(fault, answer);
        if (::testing::Test::HasFailure()) return;
      }
  }

  // The file as it was, open again.
  void Restore() {
    ASSERT_EQ(DbCloseCurrent(), 1);
    ASSERT_TRUE(before_.ToFile(path_));
    ASSERT_EQ(DbOpen(path_, CFamilyDatabase::kCurrentFormat), 1);
  }

 private:
  using Io = plat::RandomAccessFile;
  // Keeps the running byte counts of the writes when it goes.
  struct Recorded : FailingFile {
    Recorded(Io& f, std::vector<std::uint64_t>& ends) : FailingFile(f), ends_(ends) {}
    ~Recorded() override { ends_ = WriteEnds(); }
    std::vector<std::uint64_t>& ends_;
  };

  int Run(const std::function<int()>& op, const std::function<std::unique_ptr<Io>(Io&)>& make) {
    if (CurrentDatabase != nullptr && CurrentDatabase->IsOpen()) {
      EXPECT_EQ(DbCloseCurrent(), 1);
    }
    EXPECT_TRUE(before_.ToFile(path_));
    EXPECT_EQ(DbOpen(path_, CFamilyDatabase::kCurrentFormat), 1);
    int answer = 0;
    {
      const std::unique_ptr<Io> io = make(CurrentDatabase->host.file);
      CurrentDatabase->host.io = io.get();
      answer = op();
      CurrentDatabase->host.io = nullptr;
    }
    EXPECT_EQ(DbCloseCurrent(), 1);
    EXPECT_EQ(DbOpen(path_, CFamilyDatabase::kCurrentFormat), 1);
    return answer;
  }

  std::string path_;
  MemoryFile before_;
  std::vector<std::uint64_t> ends_;
};

// What every change reported done must keep: op (answering done when it
// reports the change done) is run whole, then with each of its writes
// failing in turn; whenever it answers done, stored (what the change
// writes, read from the file opened again) reads as after the whole run.
// The family file at path is left as it was.
inline void ExpectDoneIsOnTheFile(const std::string& path, const std::function<int()>& op, int done,
                                  const std::function<std::string()>& stored) {
  WriteFaultRun run(path);
  ASSERT_EQ(run.Whole(op), done);
  const std::string whole = stored();
  run.EachFault(op, [&](const std::string&, int answer) {
    if (answer == done) {
      EXPECT_EQ(stored(), whole);
    }
  });
  run.Restore();
}
