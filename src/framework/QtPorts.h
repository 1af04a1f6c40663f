#pragma once
// The Qt side of the platform ports: message boxes, the message pump, the
// progress window, settings in the INI file and the desktop shell.

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "Ports.h"
#include "QtMediaPlayer.h"
#include "QtStorageMedium.h"
#include "QtSystemColors.h"

class QProgressDialog;
class QSettings;

namespace fw {

// Texts cross into Qt only through these two conversions.
QString ToQString(const std::string& ansi);
std::string FromQString(const QString& text);
// Paths cross into Qt only through these two: the file system's own bytes
// on one side, the same name as the desktop shows it on the other.
QString ToQPath(const std::string& path);
std::string FromQPath(const QString& path);

class QtMessageBox : public plat::MessageBoxPort {
 public:
  int Show(const std::string& text, const std::string& caption, unsigned flags) override;
};

// Dispatches the waiting events. A request to quit seen among them is put
// back for the main loop and answered with false; otherwise the application's
// idle processing runs and the answer is true.
class QtMessagePump : public plat::MessagePumpPort {
 public:
  // The application's idle processing, called with 0, 1, 2, ... for as long
  // as it answers that it wants more.
  using IdleHandler = std::function<bool(long count)>;
  static void SetIdleHandler(IdleHandler handler);

  bool PumpWaitingMessages() override;
};

class QtProgress : public plat::ProgressPort {
 public:
  QtProgress();
  ~QtProgress() override;
  void Begin(const std::string& title, int range) override;
  void SetPosition(int pos) override;
  void SetText(const std::string& text) override;
  bool CancelRequested() override;
  void End() override;

 private:
  std::unique_ptr<QProgressDialog> dialog_;
};

// Settings in $XDG_CONFIG_HOME/Quenmoor/Seekwell.conf, group Korvane/<section>.
class QtProfile : public plat::ProfilePort {
 public:
  QtProfile();
  ~QtProfile() override;
  int GetInt(const std::string& section, const std::string& value, int def) override;
  bool SetInt(const std::string& section, const std::string& value, int v) override;
  std::string GetString(const std::string& section, const std::string& value,
                        const std::string& def) override;
  bool SetString(const std::string& section, const std::string& value,
                 const std::string& v) override;
  bool Remove(const std::string& section, const std::string& value) override;
  std::string GetPath(const std::string& section, const std::string& value,
                      const std::string& def) override;
  bool SetPath(const std::string& section, const std::string& value,
               const std::string& path) override;

 private:
  // Writes text under key unless it is stored already.
  bool Store(const QString& key, const QString& text);

  std::unique_ptr<QSettings> settings_;
};

class QtShell : public plat::ShellPort {
 public:
  bool Open(const std::string& pathOrUrl) override;
  bool MoveToTrash(const std::string& path) override;
  bool RegisterFileTypes(const std::string& programPath) override;
};

// Installs the Qt ports for the life of the object.
class QtPortSet {
 public:
  QtPortSet();
  ~QtPortSet();

 private:
  QtMessageBox box_;
  QtMessagePump pump_;
  QtProgress progress_;
  QtProfile profile_;
  QtShell shell_;
  QtSystemColors systemColors_;
  QtMediaPlayer media_;
  QtStorageMedium storage_;
};

}  // namespace fw
