// The Qt media player under the process-wide playback logic, on a machine
// with no audio device: clips that play, clips that cannot, and the
// desktop's program for the others. Nothing may crash or hang.
#include <signal.h>

#include <QElapsedTimer>
#include <QFile>
#include <QMediaFormat>
#include <QMediaPlayer>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>
#include <memory>

#include "FakePorts.h"
#include "MediaPlayer.h"
#include "QtMediaPlayer.h"

namespace {

// What a clip that cannot be played may take at most before the answer 0.
constexpr qint64 kBoundMs = fw::QtMediaPlayer::kOpenTimeoutMs + 2000;

void Put32(QByteArray& out, quint32 v) {
  for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}
void Put16(QByteArray& out, quint16 v) {
  out.append(char(v & 0xFF));
  out.append(char(v >> 8));
}
QByteArray Chunk(const char* id, const QByteArray& body) {
  QByteArray out(id, 4);
  Put32(out, quint32(body.size()));
  out += body;
  if (body.size() % 2) out.append('\0');
  return out;
}
QByteArray List(const char* type, const QByteArray& body) {
  return Chunk("LIST", QByteArray(type, 4) + body);
}

constexpr quint32 kRate = 8000;  // 8-bit mono samples a second

// A square tone of `ms` milliseconds.
QByteArray Samples(int ms) {
  QByteArray out;
  int n = int(kRate) * ms / 1000;
  for (int i = 0; i < n; ++i) out.append(char((i / 10) % 2 ? 168 : 88));
  return out;
}

QByteArray PcmFormat() {
  QByteArray fmt;
  Put16(fmt, 1);  // PCM
  Put16(fmt, 1);
  Put32(fmt, kRate);
  Put32(fmt, kRate);
  Put16(fmt, 1);
  Put16(fmt, 8);
  return fmt;
}

QByteArray Wave(int ms) {
  return Chunk("RIFF", "WAVE" + Chunk("fmt ", PcmFormat()) + Chunk("data", Samples(ms)));
}

// An AVI file with one PCM audio stream: enough for the video device.
QByteArray Avi(int ms) {
  QByteArray data = Samples(ms);
  quint32 n = quint32(data.size());
  QByteArray avih;
  for (quint32 v : {40000u, kRate, 0u, 0x10u, 0u, 0u, 1u, n, 0u, 0u, 0u, 0u, 0u, 0u})
    Put32(avih, v);
  QByteArray strh("auds");
  Put32(strh, 0);  // handler
  Put32(strh, 0);  // flags
  Put32(strh, 0);  // priority, language
  for (quint32 v : {0u, 1u, kRate, 0u, n, n, 0xFFFFFFFFu, 1u}) Put32(strh, v);
  strh.append(8, '\0');  // frame rectangle
  QByteArray strf = PcmFormat();
  Put16(strf, 0);
  QByteArray index("00wb");
  for (quint32 v : {0x10u, 4u, n}) Put32(index, v);
  return Chunk("RIFF",
               "AVI " +
                   List("hdrl", Chunk("avih", avih) +
                                    List("strl", Chunk("strh", strh) + Chunk("strf", strf))) +
                   List("movi", Chunk("00wb", data)) + Chunk("idx1", index));
}

// A MIDI file of one empty track.
QByteArray Midi() { return QByteArray("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\4\0\xFF\x2F\0", 26); }

}  // namespace

class MediaTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::unique_ptr<fw::QtMediaPlayer> player_;
  plat::FakeMessageBox boxes_;

  std::string Write(const QString& name, const QByteArray& bytes) {
    QFile file(dir_.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
      qFatal("cannot write");
    return dir_.filePath(name).toStdString();
  }
  std::string Missing(const QString& name) { return dir_.filePath(name).toStdString(); }

  // An opener standing in for the desktop's program: it notes its process id
  // and the file it was given, then runs `then`.
  void UseOpener(const QString& then) {
    std::string path = Write(
        QStringLiteral("opener.sh"),
        ("#!/bin/sh\necho $$ \"$1\" > '" + dir_.filePath("opened") + "'\n" + then + "\n").toUtf8());
    QFile::setPermissions(QString::fromStdString(path), QFile::ReadOwner | QFile::ExeOwner);
    player_->SetOpener(QString::fromStdString(path));
  }
  QStringList Opened() {
    QFile file(dir_.filePath("opened"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).trimmed().split(QLatin1Char(' '));
  }

  // Plays and checks that the answer came within the bound.
  int Play(const std::string& path, bool wait, qint64 boundMs = kBoundMs) {
    QElapsedTimer clock;
    clock.start();
    int result = plat::PlayMediaFile(path, wait);
    qint64 took = clock.elapsed();
    if (took > boundMs)
      QTest::qFail(
          qPrintable(QStringLiteral("%1 took %2 ms").arg(QString::fromStdString(path)).arg(took)),
          __FILE__, __LINE__);
    return result;
  }

  // Whether the media framework of this machine decodes a file format; what
  // it cannot decode is skipped, what it can must play.
  static bool Decodes(QMediaFormat::FileFormat format) {
    return QMediaFormat().supportedFileFormats(QMediaFormat::Decode).contains(format);
  }
  static bool WavesPlay() { return Decodes(QMediaFormat::Wave); }
  static bool AvisPlay() { return Decodes(QMediaFormat::AVI); }

 private slots:
  void initTestCase() { QVERIFY(dir_.isValid()); }

  void init() {
    player_ = std::make_unique<fw::QtMediaPlayer>();
    plat::SetMediaPlayerPort(player_.get());
    plat::SetMessageBoxPort(&boxes_);
  }

  void cleanup() {
    plat::SetMediaPlayerPort(nullptr);
    player_.reset();
    plat::SetMessageBoxPort(nullptr);
    boxes_.Clear();
    QFile::remove(dir_.filePath("opened"));
  }

  void missingFilesAnswerZeroQuietly() {
    UseOpener(QStringLiteral("exit 0"));
    for (const char* name :
         {"gone.wav", "gone.WAV", "gone.mid", "gone.avi", "gone.mpg", "gone.mov", "gone"}) {
      for (bool wait : {false, true}) {
        QCOMPARE(Play(Missing(QString::fromLatin1(name)), wait, 1000), 0);
        QCOMPARE(plat::MediaPlaybackState(), plat::kPlaybackIdle);
      }
    }
    QVERIFY(boxes_.Calls().empty());
    QVERIFY2(Opened().isEmpty(), "no program was started for a missing file");
  }

  void waveCaseIsIgnored_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("lower") << QStringLiteral("a.wav");
    QTest::newRow("upper") << QStringLiteral("B.WAV");
    QTest::newRow("mixed") << QStringLiteral("c.Wav");
  }

  void waveCaseIsIgnored() {
    QFETCH(QString, name);
    if (!WavesPlay()) QSKIP("the media framework plays no wave sound on this machine");
    QCOMPARE(Play(Write(name, Wave(300)), false), int(plat::kPlaybackWave));
    QVERIFY(player_->ClipPlayer(0));
    plat::StopMediaPlayback();
    QVERIFY(!player_->ClipPlayer(0));
  }

  void aSecondClipStopsTheFirst() {
    if (!WavesPlay()) QSKIP("the media framework plays no wave sound on this machine");
    QCOMPARE(Play(Write(QStringLiteral("long.wav"), Wave(3000)), false), int(plat::kPlaybackWave));
    QPointer<QMediaPlayer> first = player_->ClipPlayer(0);
    QVERIFY(first);
    QTRY_COMPARE(first->playbackState(), QMediaPlayer::PlayingState);

    QCOMPARE(Play(Write(QStringLiteral("second.wav"), Wave(3000)), false),
             int(plat::kPlaybackWave));
    QVERIFY2(first.isNull(), "the first sound is gone");
    QVERIFY(player_->ClipPlayer(0));

    // A file without extension still stops what plays, and plays nothing.
    QCOMPARE(Play(Write(QStringLiteral("clip"), Wave(300)), false), 0);
    QCOMPARE(plat::MediaPlaybackState(), plat::kPlaybackIdle);
    QVERIFY(!player_->ClipPlayer(0));
  }

  void waitedWaveReturnsWhenItEnds() {
    if (!WavesPlay()) QSKIP("the media framework plays no wave sound on this machine");
    QCOMPARE(Play(Write(QStringLiteral("short.wav"), Wave(200)), true), plat::kPlayedAndWaited);
    QCOMPARE(plat::MediaPlaybackState(), plat::kPlaybackIdle);
    QVERIFY(!player_->ClipPlayer(0));
  }

  void unreadableClipsAnswerZeroInBoundedTime() {
    QByteArray junk("this is no media file at all, only some text", 45);
    for (const char* name : {"junk.wav", "junk.avi"}) {
      std::string path = Write(QString::fromLatin1(name), junk);
      for (bool wait : {false, true}) {
        QCOMPARE(Play(path, wait), 0);
        QCOMPARE(plat::MediaPlaybackState(), plat::kPlaybackIdle);
      }
    }
    QVERIFY(!player_->ClipPlayer(0));
    QVERIFY(boxes_.Calls().empty());
  }

  void videoPlaysInItsWindowAndItsEndStopsPlayback() {
    QObject frame;
    QVERIFY(fw::StopPlaybackWhenClipEnds(&frame));
    if (!AvisPlay()) QSKIP("the media framework plays no AVI clip on this machine");
    int device = Play(Write(QStringLiteral("clip.avi"), Avi(400)), false);
    QVERIFY(device > 0);
    QCOMPARE(plat::MediaPlaybackState(), device);
    QWidget* window = player_->VideoWindow(device);
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("clip.avi"));
    // The device reports its end and the main window's answer stops playback.
    QTRY_COMPARE_WITH_TIMEOUT(plat::MediaPlaybackState(), plat::kPlaybackIdle, 5000);
    QVERIFY(!player_->VideoWindow(device));
  }

  void withoutTheMainWindowAnEndedClipStaysOpen() {
    {
      QObject frame;
      QVERIFY(fw::StopPlaybackWhenClipEnds(&frame));
    }
    if (!AvisPlay()) QSKIP("the media framework plays no AVI clip on this machine");
    int device = Play(Write(QStringLiteral("alone.avi"), Avi(200)), false);
    QVERIFY(device > 0);
    QTRY_COMPARE_WITH_TIMEOUT(player_->ClipPlayer(device)->mediaStatus(), QMediaPlayer::EndOfMedia,
                              5000);
    QTest::qWait(100);
    QCOMPARE(plat::MediaPlaybackState(), device);
    plat::StopMediaPlayback();
    QVERIFY(!player_->VideoWindow(device));
  }

  void waitedVideoClosesItsDevice() {
    if (!AvisPlay()) QSKIP("the media framework plays no AVI clip on this machine");
    QCOMPARE(Play(Write(QStringLiteral("wait.avi"), Avi(300)), true), plat::kPlayedAndWaited);
    QCOMPARE(plat::MediaPlaybackState(), plat::kPlaybackIdle);
  }

  void aClipStopsTheVideoBeforeIt() {
    if (!AvisPlay()) QSKIP("the media framework plays no AVI clip on this machine");
    int device = Play(Write(QStringLiteral("first.avi"), Avi(3000)), false);
    QVERIFY(device > 0);
    QPointer<QWidget> window = player_->VideoWindow(device);
    Play(Write(QStringLiteral("after.wav"), Wave(200)), false);
    QVERIFY(!player_->ClipPlayer(device));
    QVERIFY(window.isNull());
  }

  void moviesGoToTheDesktopsProgram() {
    UseOpener(QStringLiteral("exec sleep 30"));
    std::string movie = Write(QStringLiteral("film.mpg"), QByteArray("not really a film"));
    QCOMPARE(Play(movie, false), int(plat::kPlaybackExternal));
    QTRY_COMPARE(Opened().size(), 2);
    QCOMPARE(Opened()[1], QString::fromStdString(movie));
    pid_t pid = Opened()[0].toInt();
    QVERIFY(pid > 0 && ::kill(pid, 0) == 0);
    // Stopping ends the program.
    plat::StopMediaPlayback();
    QCOMPARE(plat::MediaPlaybackState(), plat::kPlaybackIdle);
    QVERIFY(::kill(pid, 0) != 0);
  }

  void waitedMovieReturnsWhenTheProgramEnds() {
    UseOpener(QStringLiteral("sleep 0.3"));
    std::string movie = Write(QStringLiteral("film.MOV"), QByteArray("not really a film"));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(Play(movie, true), plat::kPlayedAndWaited);
    QVERIFY(clock.elapsed() >= 250);
    QCOMPARE(plat::MediaPlaybackState(), plat::kPlaybackIdle);
    QCOMPARE(Opened().value(1), QString::fromStdString(movie));
  }

  void midiPlaysOneWayOrTheOther() {
    UseOpener(QStringLiteral("exec sleep 30"));
    std::string midi = Write(QStringLiteral("tune.mid"), Midi());
    int result = Play(midi, false);
    QVERIFY(result != 0);
    if (result == plat::kPlaybackExternal) {
      // No synthesizer in the media framework: the desktop's program has it.
      QTRY_COMPARE(Opened().value(1), QString::fromStdString(midi));
    } else {
      QCOMPARE(result, plat::MediaPlaybackState());
      QVERIFY(player_->ClipPlayer(result));
    }
    plat::StopMediaPlayback();
  }
};

QTEST_MAIN(MediaTest)
#include "media_test.moc"
