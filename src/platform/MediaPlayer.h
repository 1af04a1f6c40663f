#pragma once
// The one process-wide player of the sound and video clips attached to records:
// one clip at a time, starting a clip stops the one before. The decisions live
// here; the sound, the media devices and the desktop's programs are reached
// through MediaPlayerPort, which the framework implements and tests fake.

#include <string>

namespace plat {

// Clip kinds by the file's extension (case ignored).
enum MediaKind : int {
  kMediaNone = 0,   // not played
  kMediaWave = 1,   // .wav
  kMediaMidi = 2,   // .mid, .rmi
  kMediaVideo = 3,  // .avi
  kMediaMpeg = 4,   // .mpg
  kMediaMovie = 5,  // .mov
};

MediaKind MediaKindOf(const std::string& path);

// Playback states; any other value is the identifier of an open device that
// is playing.
constexpr int kPlaybackIdle = 0;
constexpr int kPlaybackWave = -2;      // a wave sound playing asynchronously
constexpr int kPlaybackExternal = -3;  // a player program started for the clip

// What PlayMediaFile answers after waiting for a clip to finish.
constexpr int kPlayedAndWaited = -1;

// Device types of the media devices.
inline constexpr const char* kDeviceSequencer = "sequencer";
inline constexpr const char* kDeviceVideo = "AVIVideo";

// Verbs asked of the desktop for a clip played by an external program.
inline constexpr const char* kVerbPlay = "Play";
inline constexpr const char* kVerbOpen = "Open";

class MediaPlayerPort {
 public:
  virtual ~MediaPlayerPort() = default;

  // Plays a wave sound: with `wait` returns when it has finished, otherwise
  // once it has started. False when the sound could not be played.
  virtual bool PlaySound(const std::string& path, bool wait) = 0;
  // Silences the sound that PlaySound started, if any.
  virtual void PurgeSound() = 0;

  // Opens a device of `type` on the file; returns its identifier (above 0), or
  // 0 when the file cannot be opened.
  virtual int OpenDevice(const std::string& type, const std::string& path) = 0;
  // Plays an open device from the start. With `wait` returns when the clip has
  // ended (or was stopped meanwhile); otherwise the device reports its end to
  // the main window later. False when it could not play.
  virtual bool PlayDevice(int device, bool wait) = 0;
  // Stops and closes the device; an unknown identifier is ignored.
  virtual void CloseDevice(int device) = 0;

  // Runs the desktop's program for the file with a verb; returns a process
  // handle (above 0), or 0 when nothing was started.
  virtual int StartProgram(const std::string& path, const std::string& verb) = 0;
  // Waits until the process has ended (or was ended meanwhile), then lets the
  // handle go.
  virtual void WaitProgram(int process) = 0;
  // Terminates the process and lets the handle go.
  virtual void EndProgram(int process) = 0;
};

// The installed player; without one a headless default that plays nothing.
MediaPlayerPort& MediaPlayer();
// Installs a player (nullptr restores the headless default) after stopping
// what the previous one plays; returns the previous one. The caller keeps
// ownership.
MediaPlayerPort* SetMediaPlayerPort(MediaPlayerPort* port);

// Stops any playback, then plays the clip by its kind. Returns 0 when it could
// not be played; without `wait` the new playback state (nonzero while
// playing); with `wait` kPlayedAndWaited once the clip has finished, the state
// being idle again.
int PlayMediaFile(const std::string& path, bool wait);

// Ends what is playing: the player program is terminated, the wave sound
// silenced, the device stopped and closed. The state becomes idle.
void StopMediaPlayback();

// The playback state (kPlaybackIdle, kPlaybackWave, kPlaybackExternal or a
// device identifier).
int MediaPlaybackState();

}  // namespace plat
