#pragma once
// Recording fakes of the ports, for tests: each remembers what it was asked
// and answers as the test says. ScopedPort installs one for a scope.

#include <deque>
#include <string>
#include <vector>

#include "DiskSync.h"
#include "Ports.h"

namespace plat {

class FakeMessageBox : public MessageBoxPort {
 public:
  struct Call {
    std::string text, caption;
    unsigned flags = 0;
  };
  int Show(const std::string& text, const std::string& caption, unsigned flags) override;
  // Answers given in turn; when none is queued the box's default button.
  void QueueAnswer(int answer) { answers_.push_back(answer); }
  const std::vector<Call>& Calls() const { return calls_; }
  void Clear() {
    calls_.clear();
    answers_.clear();
  }

 private:
  std::vector<Call> calls_;
  std::deque<int> answers_;
};

class FakeMessagePump : public MessagePumpPort {
 public:
  bool PumpWaitingMessages() override;
  int pumps = 0;
  int quitAfter = -1;  // answer "quit" from this pump on (-1 never)
};

class FakeProgress : public ProgressPort {
 public:
  void Begin(const std::string& title, int range) override;
  void SetPosition(int pos) override;
  void SetText(const std::string& text) override { texts.push_back(text); }
  bool CancelRequested() override;
  void End() override { ++ends; }

  std::vector<std::string> titles, texts;
  int range = 0, position = 0, ends = 0, cancelTests = 0;
  int cancelAfter = -1;  // answer Cancel from this test on (-1 never)
};

class FakeProfile : public MemoryProfile {};

class FakeShell : public ShellPort {
 public:
  bool Open(const std::string& pathOrUrl) override;
  bool MoveToTrash(const std::string& path) override;
  bool RegisterFileTypes(const std::string& programPath) override;

  std::vector<std::string> opened, trashed, registered;
  bool openResult = true, trashResult = true, registerResult = true;
};

// Each sync is recorded as "file", "file system <folder>" or "folder
// <folder>" and answered with the error set for its kind (0: done, without
// touching the disk).
class FakeDiskSync : public DiskSyncPort {
 public:
  int SyncFile(int descriptor) override;
  int SyncFileSystem(const std::string& folder) override;
  int SyncFolder(const std::string& folder) override;

  std::vector<std::string> calls;
  int fileError = 0, fileSystemError = 0, folderError = 0;
};

template <class Port, Port* (*Set)(Port*)>
class ScopedPortT {
 public:
  explicit ScopedPortT(Port* port) : previous_(Set(port)) {}
  ~ScopedPortT() { Set(previous_); }
  ScopedPortT(const ScopedPortT&) = delete;
  ScopedPortT& operator=(const ScopedPortT&) = delete;

 private:
  Port* previous_;
};

using ScopedMessageBox = ScopedPortT<MessageBoxPort, SetMessageBoxPort>;
using ScopedMessagePump = ScopedPortT<MessagePumpPort, SetMessagePumpPort>;
using ScopedProgress = ScopedPortT<ProgressPort, SetProgressPort>;
using ScopedProfile = ScopedPortT<ProfilePort, SetProfilePort>;
using ScopedShell = ScopedPortT<ShellPort, SetShellPort>;
using ScopedDiskSync = ScopedPortT<DiskSyncPort, SetDiskSyncPort>;

}  // namespace plat
