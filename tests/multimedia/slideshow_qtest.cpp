// The slide show driven offscreen: slide times, slide sizes, the clips of a
// collection, a missing file, the background colour and how it ends.
#include <QPointer>
#include <QScreen>
#include <QTest>

#include "FakeMediaPlayer.h"
#include "FakePorts.h"
#include "SlideShowWindow.h"
#include "TempDir.h"
#include "TestPictures.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

CMultimediaItem Item(char kind, const std::string& path, bool inShow = true, int slideTime = 0) {
  CMultimediaItem item;
  item.kind = kind;
  item.fileName = path;
  item.slideTime = static_cast<std::uint16_t>(slideTime);
  if (inShow) item.flags |= CMultimediaItem::kFlagSlideShow;
  return item;
}

}  // namespace

class SlideShowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    profile_ = std::make_unique<plat::FakeProfile>();
    profileScope_ = std::make_unique<plat::ScopedProfile>(profile_.get());
    player_.calls.clear();
    box_.Clear();
    small_ = dir_.File("small.png");
    QVERIFY(testpic::CornerPicture(80, 60).save(Q(small_)));
  }
  void cleanup() {
    profileScope_.reset();
    profile_.reset();
  }

  void slideTimes();
  void smallPhotoCentredAtItsOwnSize();
  void smallPhotoEnlargedToTheSlideRectangle();
  void photoLargerThanTheScreenIsShrunk();
  void editsAreApplied();
  void clipsPlayAndTheShowCloses();
  void defaultSoundStartsTheShow();
  void missingFileGivesAnEmptySlide();
  void backgroundColours();
  void stepsThroughTheSlidesAndEnds();
  void clickOrKeyEndsIt();

 private:
  QSize Screen() const { return QGuiApplication::primaryScreen()->geometry().size(); }

  TempDir dir_;
  std::string small_;
  plat::FakeMessageBox box_;
  plat::ScopedMessageBox boxScope_{&box_};
  plat::FakeMediaPlayer player_;
  plat::ScopedMediaPlayer playerScope_{&player_};
  std::unique_ptr<plat::FakeProfile> profile_;
  std::unique_ptr<plat::ScopedProfile> profileScope_;
};

void SlideShowTest::slideTimes() {
  const struct {
    int itemTime;
    int setting;  // MMSlideTime, -1 not set
    int time;
  } cases[] = {{0, -1, 20}, {0, 7, 7}, {15, 7, 15}, {15, -1, 15}};
  for (const auto& c : cases) {
    if (c.setting >= 0)
      profile_->SetInt("Multimedia", "MMSlideTime", c.setting);
    else
      profile_->Remove("Multimedia", "MMSlideTime");
    auto* show = new CSlideShowWindow({Item('P', small_, true, c.itemTime)}, -1);
    QCOMPARE(show->CurrentSlideTime(), c.time);
    QCOMPARE(show->TimerInterval(), c.time * 100);
    delete show;
  }
}

void SlideShowTest::smallPhotoCentredAtItsOwnSize() {
  auto* show = new CSlideShowWindow({Item('P', small_)}, -1);
  QVERIFY(QTest::qWaitForWindowExposed(show));
  QCOMPARE(show->geometry(), QRect(QPoint(0, 0), Screen()));
  QVERIFY(show->SlideRect().isEmpty());
  QCOMPARE(QSize(show->Picture().Width(), show->Picture().Height()), QSize(80, 60));
  const QPoint at((Screen().width() - 80) / 2, (Screen().height() - 60) / 2);
  QCOMPARE(show->PictureOrigin(), at);
  const QImage shot = show->grab().toImage();
  QCOMPARE(testpic::Classify(shot.pixel(at)), 'R');
  QCOMPARE(testpic::Classify(shot.pixel(at + QPoint(79, 59))), 'Y');
  QCOMPARE(QColor(shot.pixel(at - QPoint(1, 1))), QColor(Qt::black));
  if (qEnvironmentVariableIsSet("KORVANE_SHOTS")) {
    const std::string wide = dir_.File("wide.png");
    QVERIFY(testpic::Quadrants(480, 300).save(Q(wide)));
    auto* slide = new CSlideShowWindow({Item('P', wide)}, -1);
    QVERIFY(QTest::qWaitForWindowExposed(slide));
    slide->grab().save(qEnvironmentVariable("KORVANE_SHOTS") + "/slideshow.png");
    delete slide;
  }
  delete show;
}

void SlideShowTest::smallPhotoEnlargedToTheSlideRectangle() {
  profile_->SetInt("Multimedia", "MMSlideSize", 1);
  for (int ratio : {50, 30}) {
    profile_->SetInt("Multimedia", "MMSlideRatio", ratio);
    auto* show = new CSlideShowWindow({Item('P', small_)}, -1);
    const QSize slide(static_cast<int>(ratio * 0.01 * Screen().width()),
                      static_cast<int>(ratio * 0.01 * Screen().height()));
    QCOMPARE(show->SlideRect(), QRect(QPoint(0, 0), slide));
    // 4:3 into the slide rectangle, its aspect kept.
    QRect fitted(QPoint(0, 0), slide);
    fw::CImageObject::FitRectToAspect(fitted, 80, 60, 5);
    QCOMPARE(QSize(show->Picture().Width(), show->Picture().Height()), fitted.size());
    QVERIFY(show->Picture().Width() > 80);
    QCOMPARE(show->PictureOrigin(), QPoint((Screen().width() - fitted.width()) / 2,
                                           (Screen().height() - fitted.height()) / 2));
    delete show;
  }
}

void SlideShowTest::photoLargerThanTheScreenIsShrunk() {
  const std::string wide = dir_.File("panorama.png");
  const QSize screen = Screen();
  QVERIFY(testpic::CornerPicture(screen.width() * 2, screen.height() / 2).save(Q(wide)));
  auto* show = new CSlideShowWindow({Item('P', wide)}, -1);
  QCOMPARE(QSize(show->Picture().Width(), show->Picture().Height()),
           QSize(screen.width(), screen.height() / 4));
  QCOMPARE(show->PictureOrigin().x(), 0);
  delete show;
}

void SlideShowTest::editsAreApplied() {
  CMultimediaItem item = Item('P', small_);
  item.flags |= static_cast<std::uint16_t>(1 << CMultimediaItem::kRotationShift);
  item.cropRight = 78;  // the left two columns: R R over B B
  auto* show = new CSlideShowWindow({item}, -1);
  QCOMPARE(QSize(show->Picture().Width(), show->Picture().Height()), QSize(60, 2));
  QCOMPARE(testpic::Corners(show->Picture().Bitmap()), QString("BRBR"));
  delete show;
}

void SlideShowTest::clipsPlayAndTheShowCloses() {
  const std::vector<CMultimediaItem> items = {
      Item('S', "/clips/song.wav"),
      Item('P', small_, false),  // a photo left out of the show
      Item('V', "/clips/film.avi"),
  };
  QPointer<CSlideShowWindow> show = new CSlideShowWindow(items, -1);
  QTRY_VERIFY(show.isNull());
  const std::vector<std::string> expected = {
      "PlaySound /clips/song.wav",
      "PurgeSound",  // the left-out photo stops the sound
      "OpenDevice AVIVideo /clips/film.avi",
      "PlayDevice 7 wait",
      "CloseDevice 7",
  };
  QCOMPARE(player_.calls, expected);
  QVERIFY(box_.Calls().empty());
}

void SlideShowTest::defaultSoundStartsTheShow() {
  const std::vector<CMultimediaItem> items = {Item('P', small_), Item('S', "/clips/theme.wav")};
  auto* show = new CSlideShowWindow(items, 1);
  QVERIFY(!player_.calls.empty());
  QCOMPARE(Q(player_.calls.front()), QString("PlaySound /clips/theme.wav"));
  QVERIFY(show->Picture().IsLoaded());
  delete show;
  // Ending the show stops the sound.
  QCOMPARE(Q(player_.calls.back()), QString("PurgeSound"));

  // A default sound that cannot be played leaves the show going.
  player_.calls.clear();
  player_.soundResult = false;
  QPointer<CSlideShowWindow> silent =
      new CSlideShowWindow({Item('P', small_), Item('S', dir_.File("gone.wav"))}, 1);
  QCOMPARE(Q(player_.calls.front()), "PlaySound " + Q(dir_.File("gone.wav")));
  QVERIFY(silent->Picture().IsLoaded());
  QCOMPARE(silent->TimerInterval(), 2000);
  QVERIFY(box_.Calls().empty());
  delete silent;
  player_.soundResult = true;
}

void SlideShowTest::missingFileGivesAnEmptySlide() {
  const std::string missing = dir_.File("lost.jpg");
  auto* show = new CSlideShowWindow({Item('P', missing), Item('P', small_)}, -1);
  QCOMPARE(box_.Calls().size(), std::size_t{1});
  QCOMPARE(Q(box_.Calls()[0].text), "Cannot find image file:\n\n" + Q(missing));
  QVERIFY(!show->Picture().IsLoaded());
  QCOMPARE(show->CurrentSlideTime(), 20);
  const QImage shot = show->grab().toImage();
  QCOMPARE(QColor(shot.pixel(Screen().width() / 2, Screen().height() / 2)), QColor(Qt::black));
  show->TimerStep();
  QVERIFY(show->Picture().IsLoaded());
  delete show;
}

void SlideShowTest::backgroundColours() {
  const struct {
    const char* setting;
    QColor colour;
  } cases[] = {
      {nullptr, QColor(0, 0, 0)},      {"0X0", QColor(0, 0, 0)},        {"0XFF", QColor(255, 0, 0)},
      {"0XFF0000", QColor(0, 0, 255)}, {"0x00FF00", QColor(0, 255, 0)}, {"010", QColor(8, 0, 0)},
      {"16", QColor(16, 0, 0)},        {"none", QColor(0, 0, 0)},
  };
  for (const auto& c : cases) {
    if (c.setting)
      profile_->SetString("Multimedia", "MMSlideClr", c.setting);
    else
      profile_->Remove("Multimedia", "MMSlideClr");
    auto* show = new CSlideShowWindow({Item('P', small_)}, -1);
    QCOMPARE(show->Background(), c.colour);
    QCOMPARE(QColor(show->grab().toImage().pixel(2, 2)), c.colour);
    delete show;
  }
}

void SlideShowTest::stepsThroughTheSlidesAndEnds() {
  const std::string second = dir_.File("second.png");
  QVERIFY(testpic::CornerPicture(40, 40).save(Q(second)));
  QPointer<CSlideShowWindow> show =
      new CSlideShowWindow({Item('P', small_, true, 3), Item('P', second, true, 4)}, -1);
  QCOMPARE(show->Picture().Width(), 80);
  QCOMPARE(show->TimerInterval(), 300);
  // The timer moves on by itself.
  QTRY_COMPARE_WITH_TIMEOUT(show->Picture().Width(), 40, 2000);
  QCOMPARE(show->TimerInterval(), 400);
  QTRY_VERIFY_WITH_TIMEOUT(show.isNull(), 2000);
}

void SlideShowTest::clickOrKeyEndsIt() {
  QPointer<CSlideShowWindow> clicked = new CSlideShowWindow({Item('P', small_)}, -1);
  QVERIFY(QTest::qWaitForWindowExposed(clicked));
  QTest::mouseClick(clicked, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  QTRY_VERIFY(clicked.isNull());
  QPointer<CSlideShowWindow> keyed = new CSlideShowWindow({Item('P', small_)}, -1);
  QVERIFY(QTest::qWaitForWindowExposed(keyed));
  QTest::keyClick(keyed, Qt::Key_Space);
  QTRY_VERIFY(keyed.isNull());
}

QTEST_MAIN(SlideShowTest)
#include "slideshow_qtest.moc"
