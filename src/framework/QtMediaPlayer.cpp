#include "QtMediaPlayer.h"

#include <QAudioOutput>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <QUrl>
#include <QVideoWidget>

#include "QtPorts.h"

namespace fw {

// One clip on a QMediaPlayer: the wave sound (device 0) or an open device.
// The window comes before the player so that the player, which draws into
// it, goes first.
struct QtMediaPlayer::Clip {
  int device = 0;
  std::unique_ptr<QVideoWidget> window;
  std::unique_ptr<QAudioOutput> audio;
  std::unique_ptr<QMediaPlayer> player;
  QEventLoop* waiting = nullptr;  // the loop of a play that waits for the end
  bool done = false;
  bool failed = false;
};

namespace {

// Waits are blocking for the user, as the player's callers expect: windows
// repaint and the media framework runs, but no input arrives meanwhile.
constexpr auto kWaitFlags = QEventLoop::ExcludeUserInputEvents;

}  // namespace

QtMediaPlayer::QtMediaPlayer() = default;

QtMediaPlayer::~QtMediaPlayer() {
  PurgeSound();
  while (!devices_.empty()) CloseDevice(devices_.begin()->first);
  while (!processes_.empty()) EndProgram(processes_.begin()->first);
}

QtMediaPlayer* QtMediaPlayer::Installed() {
  return dynamic_cast<QtMediaPlayer*>(&plat::MediaPlayer());
}

QMediaPlayer* QtMediaPlayer::ClipPlayer(int device) const {
  if (device == 0) return sound_ ? sound_->player.get() : nullptr;
  auto it = devices_.find(device);
  return it == devices_.end() ? nullptr : it->second->player.get();
}

QWidget* QtMediaPlayer::VideoWindow(int device) const {
  auto it = devices_.find(device);
  return it == devices_.end() ? nullptr : it->second->window.get();
}

std::shared_ptr<QtMediaPlayer::Clip> QtMediaPlayer::OpenClip(const std::string& path, bool video) {
  QString file = ToQPath(path);
  if (!QFileInfo(file).isFile()) return nullptr;
  auto clip = std::make_shared<Clip>();
  if (video) {
    clip->window = std::make_unique<QVideoWidget>();
    clip->window->setWindowTitle(QFileInfo(file).fileName());
    clip->window->resize(320, 240);
  }
  clip->audio = std::make_unique<QAudioOutput>();
  clip->player = std::make_unique<QMediaPlayer>();
  QMediaPlayer* player = clip->player.get();
  player->setAudioOutput(clip->audio.get());
  if (video) player->setVideoOutput(clip->window.get());

  // The media framework reads the file in the background: wait, boundedly,
  // until it has either taken it or refused it.
  bool loaded = false;
  bool refused = false;
  QEventLoop loop;
  QObject::connect(
      player, &QMediaPlayer::mediaStatusChanged, &loop, [&](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::InvalidMedia) refused = true;
        if (status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferingMedia ||
            status == QMediaPlayer::BufferedMedia)
          loaded = true;
        if (loaded || refused) loop.quit();
      });
  QObject::connect(player, &QMediaPlayer::errorOccurred, &loop, [&] {
    refused = true;
    loop.quit();
  });
  QTimer::singleShot(kOpenTimeoutMs, &loop, &QEventLoop::quit);
  player->setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
  if (!loaded && !refused) loop.exec(kWaitFlags);
  if (!loaded || refused) return nullptr;

  Clip* raw = clip.get();
  connect(player, &QMediaPlayer::mediaStatusChanged, this,
          [this, raw](QMediaPlayer::MediaStatus status) {
            if (status == QMediaPlayer::EndOfMedia) ClipFinished(*raw, false);
            if (status == QMediaPlayer::InvalidMedia) ClipFinished(*raw, true);
          });
  connect(player, &QMediaPlayer::errorOccurred, this, [this, raw] { ClipFinished(*raw, true); });
  return clip;
}

bool QtMediaPlayer::PlayClip(const std::shared_ptr<Clip>& clip, bool wait) {
  clip->done = false;
  clip->failed = false;
  if (clip->window) clip->window->show();
  clip->player->play();
  if (!wait) return true;

  // A clip that stops moving without ending or failing would hold the caller
  // for ever: it counts as failed.
  QEventLoop loop;
  clip->waiting = &loop;
  qint64 lastPosition = -1;
  QElapsedTimer still;
  still.start();
  QTimer watch;
  connect(&watch, &QTimer::timeout, &loop, [&] {
    qint64 position = clip->player->position();
    if (position != lastPosition) {
      lastPosition = position;
      still.restart();
    } else if (still.elapsed() >= kStallTimeoutMs) {
      ClipFinished(*clip, true);
    }
  });
  watch.start(250);
  if (!clip->done) loop.exec(kWaitFlags);
  clip->waiting = nullptr;
  return !clip->failed;
}

void QtMediaPlayer::ClipFinished(Clip& clip, bool failed) {
  if (clip.done) return;
  clip.done = true;
  clip.failed = failed;
  if (clip.waiting) {
    clip.waiting->quit();
    return;
  }
  if (clip.device == 0) return;  // a sound tells nobody of its end
  // Told later from the event loop, as a posted notification would be, so
  // that the answer may close the device.
  int device = clip.device;
  QMetaObject::invokeMethod(
      this,
      [this, device] {
        if (devices_.count(device)) emit clipEnded(device);
      },
      Qt::QueuedConnection);
}

void QtMediaPlayer::StopClip(Clip& clip) {
  clip.done = true;
  if (clip.waiting) clip.waiting->quit();
  clip.player->stop();
  if (clip.window) clip.window->hide();
}

bool QtMediaPlayer::PlaySound(const std::string& path, bool wait) {
  PurgeSound();
  auto clip = OpenClip(path, false);
  if (!clip) return false;
  sound_ = clip;
  bool played = PlayClip(clip, wait);
  if ((wait || !played) && sound_ == clip) sound_.reset();
  return played;
}

void QtMediaPlayer::PurgeSound() {
  if (auto clip = std::move(sound_)) StopClip(*clip);
}

int QtMediaPlayer::OpenDevice(const std::string& type, const std::string& path) {
  bool video = type == plat::kDeviceVideo;
  if (!video && type != plat::kDeviceSequencer) return 0;
  auto clip = OpenClip(path, video);
  if (!clip) return 0;
  clip->device = nextDevice_++;
  devices_[clip->device] = clip;
  return clip->device;
}

bool QtMediaPlayer::PlayDevice(int device, bool wait) {
  auto it = devices_.find(device);
  if (it == devices_.end()) return false;
  std::shared_ptr<Clip> clip = it->second;  // kept while waiting, even if closed meanwhile
  return PlayClip(clip, wait);
}

void QtMediaPlayer::CloseDevice(int device) {
  auto it = devices_.find(device);
  if (it == devices_.end()) return;
  std::shared_ptr<Clip> clip = std::move(it->second);
  devices_.erase(it);
  StopClip(*clip);
}

int QtMediaPlayer::StartProgram(const std::string& path, const std::string& verb) {
  // The desktop knows one action per file type, its "Open".
  if (verb != plat::kVerbOpen) return 0;
  QString file = ToQPath(path);
  if (!QFileInfo(file).isFile()) return 0;
  auto* process = new QProcess(this);
  process->setProgram(opener_);
  process->setArguments({QFileInfo(file).absoluteFilePath()});
  process->setProcessChannelMode(QProcess::ForwardedChannels);
  process->start();
  if (!process->waitForStarted(kOpenTimeoutMs)) {
    delete process;
    return 0;
  }
  int handle = nextProcess_++;
  processes_[handle] = process;
  return handle;
}

void QtMediaPlayer::WaitProgram(int handle) {
  auto it = processes_.find(handle);
  if (it == processes_.end()) return;
  QPointer<QProcess> process = it->second;
  if (process->state() != QProcess::NotRunning) {
    QEventLoop loop;
    connect(process, &QProcess::finished, &loop, &QEventLoop::quit);
    connect(process, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec(kWaitFlags);
  }
  // Ended meanwhile by EndProgram, the handle is already gone.
  it = processes_.find(handle);
  if (it == processes_.end()) return;
  processes_.erase(it);
  if (process) process->deleteLater();
}

void QtMediaPlayer::EndProgram(int handle) {
  auto it = processes_.find(handle);
  if (it == processes_.end()) return;
  QProcess* process = it->second;
  processes_.erase(it);
  if (process->state() != QProcess::NotRunning) {
    process->kill();
    process->waitForFinished(kOpenTimeoutMs);
  }
  process->deleteLater();
}

bool StopPlaybackWhenClipEnds(QObject* frame) {
  QtMediaPlayer* player = QtMediaPlayer::Installed();
  if (!player) return false;
  QObject::connect(player, &QtMediaPlayer::clipEnded, frame, [] { plat::StopMediaPlayback(); });
  return true;
}

}  // namespace fw
