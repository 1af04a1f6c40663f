#include "FakePorts.h"

namespace plat {

int FakeMessageBox::Show(const std::string& text, const std::string& caption, unsigned flags) {
  calls_.push_back({text, caption, flags});
  if (answers_.empty()) return DefaultAnswer(flags);
  int answer = answers_.front();
  answers_.pop_front();
  return answer;
}

bool FakeMessagePump::PumpWaitingMessages() {
  ++pumps;
  return quitAfter < 0 || pumps < quitAfter;
}

void FakeProgress::Begin(const std::string& title, int r) {
  titles.push_back(title);
  range = r;
  position = 0;
}

void FakeProgress::SetPosition(int pos) { position = pos; }

bool FakeProgress::CancelRequested() {
  ++cancelTests;
  return cancelAfter >= 0 && cancelTests >= cancelAfter;
}

bool FakeShell::Open(const std::string& pathOrUrl) {
  opened.push_back(pathOrUrl);
  return openResult;
}

bool FakeShell::MoveToTrash(const std::string& path) {
  trashed.push_back(path);
  return trashResult;
}

bool FakeShell::RegisterFileTypes(const std::string& programPath) {
  registered.push_back(programPath);
  return registerResult;
}

int FakeDiskSync::SyncFile(int) {
  calls.push_back("file");
  return fileError;
}

int FakeDiskSync::SyncFileSystem(const std::string& folder) {
  calls.push_back("file system " + folder);
  return fileSystemError;
}

int FakeDiskSync::SyncFolder(const std::string& folder) {
  calls.push_back("folder " + folder);
  return folderError;
}

}  // namespace plat
