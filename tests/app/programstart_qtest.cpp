// The program started as a user starts it: from a folder of the user's, with
// a family file named relative to it, and ended by a termination request,
// also while a start-up box waits for an answer.
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <memory>

#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "QtPorts.h"
#include "RecentFileList.h"

class ProgramStartTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> root_;
  std::unique_ptr<QProcess> program_;

  QString Folder(const QString& name) {
    const QString path = root_->filePath(name);
    QDir().mkpath(path);
    return path;
  }

  // Starts the program in the folder start, with its own settings, data and
  // runtime folders (no other running copy takes the command line over).
  void Start(const QString& start, const QStringList& arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), Folder(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), Folder(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), Folder(QStringLiteral("data")));
    const QString runtime = Folder(QStringLiteral("runtime"));
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    program_ = std::make_unique<QProcess>();
    program_->setProcessEnvironment(env);
    program_->setWorkingDirectory(start);
    program_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program_->start(QStringLiteral(KORVANE_PROGRAM), arguments);
    QVERIFY(program_->waitForStarted(10000));
  }

  // The program's own settings as the next start reads them: the file it
  // opens at start-up and the first entry of the recent-file list.
  QString Remembered(bool recent) {
    qputenv("XDG_CONFIG_HOME", Folder(QStringLiteral("config")).toLocal8Bit());
    fw::QtProfile profile;
    return QString::fromStdString(recent ? shell::RecentFileList(profile).Get(0)
                                         : profile.GetPath("Start Up", "FamilyFile", ""));
  }

  // A termination request ends the program cleanly within a few seconds.
  void Terminate() {
    ::kill(static_cast<pid_t>(program_->processId()), SIGTERM);
    const bool ended = program_->waitForFinished(10000);
    if (!ended) program_->kill();
    QVERIFY2(ended, "the program did not end on SIGTERM");
    QCOMPARE(program_->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program_->exitCode(), 0);
  }

 private slots:
  void init() { root_ = std::make_unique<QTemporaryDir>(); }
  void cleanup() {
    if (program_ && program_->state() != QProcess::NotRunning) {
      program_->kill();
      program_->waitForFinished();
    }
    program_.reset();
    root_.reset();
  }

  // The family file opens from the folder the program was started in; it is
  // remembered by its absolute path, and closed the normal way on SIGTERM.
  void aRelativeFamilyFileOpensAndTheRequestClosesIt() {
    const QString family = Folder(QStringLiteral("Släkt Åsa")) + QStringLiteral("/s1.orv");
    QCOMPARE(DbCreate(family.toStdString(), CFamilyDatabase::kCurrentFormat), 1);
    DbClose();
    Start(root_->path(), {QStringLiteral("-s"), QStringLiteral("Släkt Åsa/s1.orv")});
    // Opened: the recent-file list names it.
    QElapsedTimer clock;
    clock.start();
    while (Remembered(true).isEmpty() && clock.elapsed() < 20000) QTest::qWait(100);
    QCOMPARE(Remembered(true), family);
    Terminate();
    QCOMPARE(Remembered(false), family);
  }

  // A file that is not there is said in a box; a request while the box
  // waits, or before it shows, ends the program with no window left.
  void aRequestWhileTheStartUpBoxWaitsEndsTheProgram() {
    Start(root_->path(), {QStringLiteral("-s"), QStringLiteral("Släkt Åsa/gone.orv")});
    QTest::qWait(2000);
    QCOMPARE(program_->state(), QProcess::Running);
    Terminate();
  }
};

QTEST_MAIN(ProgramStartTest)
#include "programstart_qtest.moc"
