#include "MediaPlayer.h"

#include <cctype>

namespace plat {
namespace {

class HeadlessMediaPlayer : public MediaPlayerPort {
 public:
  bool PlaySound(const std::string&, bool) override { return false; }
  void PurgeSound() override {}
  int OpenDevice(const std::string&, const std::string&) override { return 0; }
  bool PlayDevice(int, bool) override { return false; }
  void CloseDevice(int) override {}
  int StartProgram(const std::string&, const std::string&) override { return 0; }
  void WaitProgram(int) override {}
  void EndProgram(int) override {}
};

HeadlessMediaPlayer g_headless;
MediaPlayerPort* g_port = nullptr;

// The playback state, the player process's handle while the state is
// kPlaybackExternal, and a serial number of playbacks. A waiting playback
// pumps events, so a clip may be stopped or replaced meanwhile; the serial
// tells the waiting call whether the state is still its own.
int g_state = kPlaybackIdle;
int g_process = 0;
unsigned g_serial = 0;

unsigned Begin(int state, int process = 0) {
  g_state = state;
  g_process = process;
  return ++g_serial;
}

void EndIfCurrent(unsigned serial) {
  if (serial != g_serial) return;
  g_state = kPlaybackIdle;
  g_process = 0;
}

int PlayWave(MediaPlayerPort& port, const std::string& path, bool wait) {
  unsigned serial = Begin(kPlaybackWave);
  bool played = port.PlaySound(path, wait);
  if (played && !wait) return kPlaybackWave;
  EndIfCurrent(serial);
  return played ? kPlayedAndWaited : 0;
}

int PlayOnDevice(MediaPlayerPort& port, const char* type, const std::string& path, bool wait) {
  int device = port.OpenDevice(type, path);
  if (device <= 0) return 0;
  unsigned serial = Begin(device);
  bool played = port.PlayDevice(device, wait);
  if (played && !wait) return device;
  EndIfCurrent(serial);
  port.CloseDevice(device);
  return played ? kPlayedAndWaited : 0;
}

int PlayWithProgram(MediaPlayerPort& port, const std::string& path, bool wait) {
  int process = port.StartProgram(path, kVerbPlay);
  if (process <= 0) process = port.StartProgram(path, kVerbOpen);
  if (process <= 0) return 0;
  unsigned serial = Begin(kPlaybackExternal, process);
  if (!wait) return kPlaybackExternal;
  port.WaitProgram(process);
  EndIfCurrent(serial);
  return kPlayedAndWaited;
}

}  // namespace

MediaKind MediaKindOf(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return kMediaNone;
  std::string ext;
  for (std::size_t i = dot + 1; i < path.size(); ++i)
    ext += static_cast<char>(std::tolower(static_cast<unsigned char>(path[i])));
  if (ext == "wav") return kMediaWave;
  if (ext == "mid" || ext == "rmi") return kMediaMidi;
  if (ext == "avi") return kMediaVideo;
  if (ext == "mpg") return kMediaMpeg;
  if (ext == "mov") return kMediaMovie;
  return kMediaNone;
}

MediaPlayerPort& MediaPlayer() { return g_port ? *g_port : g_headless; }

MediaPlayerPort* SetMediaPlayerPort(MediaPlayerPort* port) {
  // No state may outlive the player that holds its device or process.
  StopMediaPlayback();
  MediaPlayerPort* old = g_port;
  g_port = port;
  return old;
}

int PlayMediaFile(const std::string& path, bool wait) {
  StopMediaPlayback();
  MediaPlayerPort& port = MediaPlayer();
  switch (MediaKindOf(path)) {
    case kMediaWave:
      return PlayWave(port, path, wait);
    case kMediaMidi:
      // The desktop's media framework may lack a MIDI synthesizer; then the
      // desktop's own program for the file plays it.
      if (int result = PlayOnDevice(port, kDeviceSequencer, path, wait)) return result;
      return PlayWithProgram(port, path, wait);
    case kMediaVideo:
      return PlayOnDevice(port, kDeviceVideo, path, wait);
    case kMediaMpeg:
    case kMediaMovie:
      return PlayWithProgram(port, path, wait);
    case kMediaNone:
      break;
  }
  return 0;
}

void StopMediaPlayback() {
  int state = g_state;
  int process = g_process;
  // Idle before the port is called: closing a device may deliver events that
  // start or stop playback again.
  Begin(kPlaybackIdle);
  MediaPlayerPort& port = MediaPlayer();
  if (state == kPlaybackExternal)
    port.EndProgram(process);
  else if (state == kPlaybackWave)
    port.PurgeSound();
  else if (state != kPlaybackIdle)
    port.CloseDevice(state);
}

int MediaPlaybackState() { return g_state; }

}  // namespace plat
