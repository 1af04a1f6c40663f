#include "FakeMediaPlayer.h"

namespace plat {

void FakeMediaPlayer::Waiting() {
  if (!duringWait) return;
  auto hook = std::move(duringWait);  // once: a nested waiting call does not run it again
  duringWait = nullptr;
  hook();
}

bool FakeMediaPlayer::PlaySound(const std::string& path, bool wait) {
  calls.push_back("PlaySound " + path + (wait ? " wait" : ""));
  if (soundResult && wait) Waiting();
  return soundResult;
}

void FakeMediaPlayer::PurgeSound() { calls.push_back("PurgeSound"); }

int FakeMediaPlayer::OpenDevice(const std::string& type, const std::string& path) {
  calls.push_back("OpenDevice " + type + " " + path);
  if (!openableDevices.count(type)) return 0;
  openDevices.insert(nextDevice_);
  return nextDevice_++;
}

bool FakeMediaPlayer::PlayDevice(int device, bool wait) {
  calls.push_back("PlayDevice " + std::to_string(device) + (wait ? " wait" : ""));
  if (playResult && wait) Waiting();
  return playResult;
}

void FakeMediaPlayer::CloseDevice(int device) {
  calls.push_back("CloseDevice " + std::to_string(device));
  openDevices.erase(device);
}

int FakeMediaPlayer::StartProgram(const std::string& path, const std::string& verb) {
  calls.push_back("StartProgram " + verb + " " + path);
  if (!startableVerbs.count(verb)) return 0;
  liveProcesses.insert(nextProcess_);
  return nextProcess_++;
}

void FakeMediaPlayer::WaitProgram(int process) {
  calls.push_back("WaitProgram " + std::to_string(process));
  Waiting();
  liveProcesses.erase(process);
}

void FakeMediaPlayer::EndProgram(int process) {
  calls.push_back("EndProgram " + std::to_string(process));
  liveProcesses.erase(process);
}

}  // namespace plat
