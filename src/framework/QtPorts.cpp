#include "QtPorts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProgressDialog>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

#include "CodePage.h"
#include "FileSystem.h"

namespace fw {
namespace {

QtMessagePump::IdleHandler g_idleHandler;

// Takes the request to quit while the pump dispatches, so that the caller
// learns of it before the main loop acts on it.
class QuitCatcher : public QObject {
 public:
  bool caught = false;

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    if (event->type() != QEvent::Quit || receiver != QCoreApplication::instance()) return false;
    caught = true;
    return true;
  }
};

QString Key(const std::string& section, const std::string& value) {
  return QStringLiteral("Korvane/") + ToQString(section) + QLatin1Char('/') + ToQString(value);
}

}  // namespace

QString ToQString(const std::string& ansi) {
  return QString::fromStdString(plat::AnsiToUtf8(ansi));
}

std::string FromQString(const QString& text) { return plat::Utf8ToAnsi(text.toStdString()); }

QString ToQPath(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string FromQPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

int QtMessageBox::Show(const std::string& text, const std::string& caption, unsigned flags) {
  using B = QMessageBox::StandardButton;
  QMessageBox box(QApplication::activeWindow());
  // Messages quote names and paths of the family file: never markup.
  box.setTextFormat(Qt::PlainText);
  box.setText(ToQString(text));
  box.setWindowTitle(ToQString(caption));
  switch (flags & plat::kMbIconMask) {
    case plat::kMbIconStop:
      box.setIcon(QMessageBox::Critical);
      break;
    case plat::kMbIconQuestion:
      box.setIcon(QMessageBox::Question);
      break;
    case plat::kMbIconExclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case plat::kMbIconInformation:
      box.setIcon(QMessageBox::Information);
      break;
    default:
      break;
  }
  struct Choice {
    B button;
    int answer;
  };
  std::vector<Choice> choices;
  switch (flags & plat::kMbButtonMask) {
    case plat::kMbOkCancel:
      choices = {{B::Ok, plat::kIdOk}, {B::Cancel, plat::kIdCancel}};
      break;
    case plat::kMbAbortRetryIgnore:
      choices = {
          {B::Abort, plat::kIdAbort}, {B::Retry, plat::kIdRetry}, {B::Ignore, plat::kIdIgnore}};
      break;
    case plat::kMbYesNoCancel:
      choices = {{B::Yes, plat::kIdYes}, {B::No, plat::kIdNo}, {B::Cancel, plat::kIdCancel}};
      break;
    case plat::kMbYesNo:
      choices = {{B::Yes, plat::kIdYes}, {B::No, plat::kIdNo}};
      break;
    case plat::kMbRetryCancel:
      choices = {{B::Retry, plat::kIdRetry}, {B::Cancel, plat::kIdCancel}};
      break;
    default:
      choices = {{B::Ok, plat::kIdOk}};
      break;
  }
  QMessageBox::StandardButtons buttons;
  for (const auto& c : choices) buttons |= c.button;
  box.setStandardButtons(buttons);
  std::size_t def = (flags & plat::kMbDefMask) >> 8;
  if (def < choices.size()) box.setDefaultButton(choices[def].button);
  int result = box.exec();
  for (const auto& c : choices)
    if (result == c.button) return c.answer;
  return plat::DefaultAnswer(flags & plat::kMbButtonMask) == plat::kIdOk ? plat::kIdOk
                                                                         : plat::kIdCancel;
}

void QtMessagePump::SetIdleHandler(IdleHandler handler) { g_idleHandler = std::move(handler); }

bool QtMessagePump::PumpWaitingMessages() {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return true;
  if (QCoreApplication::closingDown()) return false;
  QuitCatcher quit;
  app->installEventFilter(&quit);
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  app->removeEventFilter(&quit);
  if (quit.caught) {
    // Put back for the main loop, which ends once the caller has stopped.
    QCoreApplication::postEvent(app, new QEvent(QEvent::Quit));
    return false;
  }
  for (long count = 0; g_idleHandler && g_idleHandler(count); ++count) {
  }
  return true;
}

QtProgress::QtProgress() = default;
QtProgress::~QtProgress() = default;

void QtProgress::Begin(const std::string& title, int range) {
  dialog_ = std::make_unique<QProgressDialog>(QApplication::activeWindow());
  dialog_->setWindowTitle(ToQString(title));
  dialog_->setRange(0, range);
  dialog_->setMinimumDuration(300);
  dialog_->setWindowModality(Qt::WindowModal);
  dialog_->setValue(0);
}

void QtProgress::SetPosition(int pos) {
  if (dialog_) dialog_->setValue(pos);
}

void QtProgress::SetText(const std::string& text) {
  if (dialog_) dialog_->setLabelText(ToQString(text));
}

bool QtProgress::CancelRequested() { return dialog_ && dialog_->wasCanceled(); }

void QtProgress::End() { dialog_.reset(); }

QtProfile::QtProfile() {
  QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  settings_ = std::make_unique<QSettings>(base + QStringLiteral("/Quenmoor/Seekwell.conf"),
                                          QSettings::IniFormat);
}

QtProfile::~QtProfile() = default;

int QtProfile::GetInt(const std::string& section, const std::string& value, int def) {
  bool ok = false;
  int v = settings_->value(Key(section, value)).toInt(&ok);
  return ok ? v : def;
}

bool QtProfile::SetInt(const std::string& section, const std::string& value, int v) {
  return Store(Key(section, value), QString::number(v));
}

bool QtProfile::Store(const QString& key, const QString& text) {
  // A value that is already stored is not written again: every write takes
  // the settings file's lock, and a lock that another process holds makes
  // the write wait seconds (screens store some values at every opening).
  const QVariant stored = settings_->value(key);
  if (stored.isValid() && stored.toString() == text) return true;
  settings_->setValue(key, text);
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

std::string QtProfile::GetString(const std::string& section, const std::string& value,
                                 const std::string& def) {
  QVariant v = settings_->value(Key(section, value));
  return v.isValid() ? FromQString(v.toString()) : def;
}

bool QtProfile::SetString(const std::string& section, const std::string& value,
                          const std::string& v) {
  return Store(Key(section, value), ToQString(v));
}

std::string QtProfile::GetPath(const std::string& section, const std::string& value,
                               const std::string& def) {
  QVariant v = settings_->value(Key(section, value));
  return v.isValid() ? plat::PathFromStoredText(FromQPath(v.toString())) : def;
}

bool QtProfile::SetPath(const std::string& section, const std::string& value,
                        const std::string& path) {
  return Store(Key(section, value), ToQPath(path));
}

bool QtProfile::Remove(const std::string& section, const std::string& value) {
  settings_->remove(Key(section, value));
  settings_->sync();
  return true;
}

bool QtShell::Open(const std::string& pathOrUrl) {
  // An address is text (it may carry names as query values); a file is a path.
  const bool address = pathOrUrl.find("://") != std::string::npos;
  QUrl url = address ? QUrl(ToQString(pathOrUrl)) : QUrl::fromLocalFile(ToQPath(pathOrUrl));
  return QDesktopServices::openUrl(url);
}

bool QtShell::MoveToTrash(const std::string& path) { return QFile::moveToTrash(ToQPath(path)); }

bool QtShell::RegisterFileTypes(const std::string& programPath) {
  QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (data.isEmpty() || !QDir().mkpath(data + QStringLiteral("/applications")) ||
      !QDir().mkpath(data + QStringLiteral("/mime/packages")))
    return false;
  QFile desktop(data + QStringLiteral("/applications/korvane.desktop"));
  if (!desktop.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  desktop.write(QStringLiteral("[Desktop Entry]\nType=Application\nName=Korvane\n"
                               "Exec=\"%1\" %f\nMimeType=application/x-korvane-family;"
                               "application/x-gedcom;\nTerminal=false\n")
                    .arg(ToQPath(programPath))
                    .toUtf8());
  QFile mime(data + QStringLiteral("/mime/packages/korvane.xml"));
  if (!mime.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  mime.write(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
      "  <mime-type type=\"application/x-korvane-family\">\n"
      "    <comment>Korvane family file</comment>\n    <glob pattern=\"*.orv\"/>\n"
      "  </mime-type>\n"
      "  <mime-type type=\"application/x-gedcom\">\n"
      "    <comment>GEDCOM file</comment>\n    <glob pattern=\"*.ged\"/>\n"
      "  </mime-type>\n</mime-info>\n");
  return true;
}

QtPortSet::QtPortSet() {
  plat::SetMessageBoxPort(&box_);
  plat::SetMessagePumpPort(&pump_);
  plat::SetProgressPort(&progress_);
  plat::SetProfilePort(&profile_);
  plat::SetShellPort(&shell_);
  plat::SetSystemColorsPort(&systemColors_);
  plat::SetMediaPlayerPort(&media_);
  plat::SetStorageMediumPort(&storage_);
}

QtPortSet::~QtPortSet() {
  plat::SetMessageBoxPort(nullptr);
  plat::SetMessagePumpPort(nullptr);
  plat::SetProgressPort(nullptr);
  plat::SetProfilePort(nullptr);
  plat::SetShellPort(nullptr);
  plat::SetSystemColorsPort(nullptr);
  plat::SetMediaPlayerPort(nullptr);
  plat::SetStorageMediumPort(nullptr);
}

}  // namespace fw
