// One fuzz case: open, read whole, edit, reopen, over a file in memory.
#include "FuzzCase.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>

#include "FakePorts.h"
#include "FamilyWorkout.h"
#include "MemoryFile.h"
#include "ORV3.h"

namespace fuzz {

namespace {

struct Session {
  explicit Session(plat::RandomAccessFile& f) {
    host.io = &f;
    engine = std::make_unique<ORV3>(&host);
  }
  EngineHost host;
  std::unique_ptr<ORV3> engine;
};

[[noreturn]] void Finding(const char* what) {
  std::fprintf(stderr, "finding: %s\n", what);
  std::abort();
}

// true when no message text was shown twice.
bool EachToldOnce(const plat::FakeMessageBox& boxes) {
  std::set<std::string> seen;
  for (const auto& call : boxes.Calls())
    if (!seen.insert(call.text).second) return false;
  return true;
}

}  // namespace

std::vector<std::uint8_t> SeedFamily() {
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
  MemoryFile file;
  {
    Session s(file);
    if (s.engine->Create("family.orv") != 1 || !workout::BuildSmallFamily(*s.engine))
      Finding("the seed family could not be built");
  }
  return file.Bytes();
}

void RunCase(const std::uint8_t* data, std::size_t size) {
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
  const std::vector<std::uint8_t> input(data, data + size);
  // A batch or tree-change mark is a crash left behind: recovering from it
  // writes at open without asking.
  const bool crashMark = size > orv::kHeadBatchMark && data[orv::kHeadBatchMark] != 0;
  {
    MemoryFile cancelled(input);
    boxes.QueueAnswer(plat::kIdCancel);
    Session s(cancelled);
    s.engine->Open(false);
    if (!crashMark && cancelled.Bytes() != input) Finding("an open answered Cancel wrote");
    boxes.Clear();
  }
  MemoryFile file(input);
  {
    Session s(file);
    if (s.engine->Open(false) != 1) return;
    if (!crashMark && file.Bytes() != input) Finding("opening wrote before an edit");
    const std::vector<std::uint8_t> opened = file.Bytes();
    workout::ReadWhole(*s.engine);
    if (file.Bytes() != opened) Finding("reading the file changed it");
    if (!EachToldOnce(boxes)) Finding("a message was shown twice in one open");
    for (int step = 0; step < 4; ++step) {
      const long long before = file.Size();
      workout::EditOnce(*s.engine, step);
      if (file.Size() - before > orv::kGroupBytes)
        Finding("an edit grew the file by more than a group");
    }
  }
  Session again(file);
  if (again.engine->Open(false) == 1) workout::ReadWhole(*again.engine);
}

}  // namespace fuzz
