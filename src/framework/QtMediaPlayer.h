#pragma once
// The media player port on Qt Multimedia: wave sounds and device clips play
// through QMediaPlayer (a video in a window of its own); what Qt cannot play
// goes to the desktop's program for the file (xdg-open).

#include <QObject>
#include <QString>
#include <map>
#include <memory>

#include "MediaPlayer.h"

class QMediaPlayer;
class QProcess;
class QWidget;

namespace fw {

class QtMediaPlayer : public QObject, public plat::MediaPlayerPort {
  Q_OBJECT

 public:
  // How long opening a clip may take before it counts as unplayable.
  static constexpr int kOpenTimeoutMs = 5000;
  // A waited clip whose position stands still this long counts as failed.
  static constexpr int kStallTimeoutMs = 10000;

  QtMediaPlayer();
  ~QtMediaPlayer() override;

  bool PlaySound(const std::string& path, bool wait) override;
  void PurgeSound() override;
  int OpenDevice(const std::string& type, const std::string& path) override;
  bool PlayDevice(int device, bool wait) override;
  void CloseDevice(int device) override;
  int StartProgram(const std::string& path, const std::string& verb) override;
  void WaitProgram(int process) override;
  void EndProgram(int process) override;

  // The installed player, or nullptr when another port answers.
  static QtMediaPlayer* Installed();

  // The program that opens a file with the desktop's program for it.
  void SetOpener(const QString& program) { opener_ = program; }

  // The player of the wave sound (device 0) or of an open device, and the
  // window of a video device; nullptr when there is none.
  QMediaPlayer* ClipPlayer(int device) const;
  QWidget* VideoWindow(int device) const;

 signals:
  // A device played to its end, or failed while playing, with nobody waiting
  // for it: the main window answers by stopping playback.
  void clipEnded(int device);

 private:
  struct Clip;
  std::shared_ptr<Clip> OpenClip(const std::string& path, bool video);
  bool PlayClip(const std::shared_ptr<Clip>& clip, bool wait);
  void ClipFinished(Clip& clip, bool failed);
  static void StopClip(Clip& clip);

  std::shared_ptr<Clip> sound_;
  std::map<int, std::shared_ptr<Clip>> devices_;
  std::map<int, QProcess*> processes_;
  int nextDevice_ = 1;
  int nextProcess_ = 1;
  QString opener_ = QStringLiteral("xdg-open");
};

// Makes the end of a clip stop playback for the life of `frame`, as the main
// window does on the device's notification. False when the Qt player is not
// installed.
bool StopPlaybackWhenClipEnds(QObject* frame);

}  // namespace fw
