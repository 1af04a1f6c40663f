#pragma once
// A recording fake of the media player port, for tests: it logs every call in
// order as a short line ("OpenDevice sequencer /a.mid") and answers as the test
// says. During a waiting call it runs `duringWait`, so a test can stop or
// start playback while a clip plays.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "MediaPlayer.h"

namespace plat {

class FakeMediaPlayer : public MediaPlayerPort {
 public:
  bool PlaySound(const std::string& path, bool wait) override;
  void PurgeSound() override;
  int OpenDevice(const std::string& type, const std::string& path) override;
  bool PlayDevice(int device, bool wait) override;
  void CloseDevice(int device) override;
  int StartProgram(const std::string& path, const std::string& verb) override;
  void WaitProgram(int process) override;
  void EndProgram(int process) override;

  std::vector<std::string> calls;
  bool soundResult = true;
  bool playResult = true;
  std::set<std::string> openableDevices{kDeviceSequencer, kDeviceVideo};
  std::set<std::string> startableVerbs{kVerbPlay, kVerbOpen};
  std::function<void()> duringWait;

  // Devices and processes opened and not yet closed or let go.
  std::set<int> openDevices, liveProcesses;

 private:
  void Waiting();
  int nextDevice_ = 7;
  int nextProcess_ = 40;
};

// Installs a media player for a scope.
class ScopedMediaPlayer {
 public:
  explicit ScopedMediaPlayer(MediaPlayerPort* port) : previous_(SetMediaPlayerPort(port)) {}
  ~ScopedMediaPlayer() { SetMediaPlayerPort(previous_); }
  ScopedMediaPlayer(const ScopedMediaPlayer&) = delete;
  ScopedMediaPlayer& operator=(const ScopedMediaPlayer&) = delete;

 private:
  MediaPlayerPort* previous_;
};

}  // namespace plat
