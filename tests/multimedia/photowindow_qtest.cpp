// The photo window driven offscreen: sized to its picture, a picture larger
// than the screen shrunk with its aspect, a drag of one side growing the
// other and reloading the photo, and its title.
#include <QPointer>
#include <QTest>

#include "FakePorts.h"
#include "PhotoWindow.h"
#include "TempDir.h"
#include "TestPictures.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

class PhotoWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensAtThePictureSize();
  void largePictureOpensShrunk();
  void draggingTheWidthGrowsTheHeight();
  void draggingTheHeightGrowsTheWidth();
  void titles();

 private:
  // A window showing path as the callers open one.
  CPhotoWindow* Open(const std::string& path, const std::string& title) {
    auto* window = new CPhotoWindow(nullptr);
    window->SetTitle(title);
    if (!window->Picture().LoadFile(path, "", 0, nullptr, true)) {
      delete window;
      return nullptr;
    }
    window->SetFilePath(path);
    window->Picture().ApplyEdits();
    window->Create();
    return window;
  }
  std::string Write(const std::string& name, const QImage& image) {
    const std::string path = dir_.File(name);
    return image.save(Q(path)) ? path : std::string();
  }

  TempDir dir_;
  plat::FakeMessageBox box_;
  plat::ScopedMessageBox boxScope_{&box_};
  plat::FakeProfile profile_;
  plat::ScopedProfile profileScope_{&profile_};
};

void PhotoWindowTest::opensAtThePictureSize() {
  QPointer<CPhotoWindow> window = Open(Write("small.png", testpic::CornerPicture(200, 100)), "");
  QVERIFY(window);
  QVERIFY(QTest::qWaitForWindowExposed(window));
  QCOMPARE(window->size(), QSize(200, 100));
  QVERIFY(window->IsFitted());
  const QImage shot = window->grab().toImage();
  QCOMPARE(testpic::Classify(shot.pixel(0, 0)), 'R');
  QCOMPARE(testpic::Classify(shot.pixel(199, 99)), 'Y');
  if (qEnvironmentVariableIsSet("KORVANE_SHOTS")) {
    CPhotoWindow* shot = Open(Write("quadrants.png", testpic::Quadrants(360, 240)), "A photo");
    QVERIFY(QTest::qWaitForWindowExposed(shot));
    shot->grab().save(qEnvironmentVariable("KORVANE_SHOTS") + "/photowindow.png");
    delete shot;
  }
  window->close();
  QTRY_VERIFY(window.isNull());  // it deletes itself
  // A picture that cannot be loaded gives no window.
  QVERIFY(!Open(dir_.File("absent.png"), "x"));
  QCOMPARE(box_.Calls().size(), std::size_t{1});
}

void PhotoWindowTest::largePictureOpensShrunk() {
  QImage huge(8000, 6000, QImage::Format_Indexed8);
  huge.setColorTable({qRgb(10, 120, 200)});
  huge.fill(0);
  CPhotoWindow* window = Open(Write("huge.png", huge), "Huge");
  QVERIFY(window);
  QVERIFY(QTest::qWaitForWindowExposed(window));
  const QSize largest = window->LargestClientSize();
  const QSize shown(window->Picture().Width(), window->Picture().Height());
  QVERIFY(shown.width() <= largest.width() && shown.height() <= largest.height());
  QVERIFY(shown.width() == largest.width() || shown.height() == largest.height());
  QVERIFY(qAbs(shown.width() * 3 - shown.height() * 4) <= 4);
  QCOMPARE(window->size(), shown);
  QCOMPARE(window->Reloads(), 0);
  delete window;
}

void PhotoWindowTest::draggingTheWidthGrowsTheHeight() {
  CPhotoWindow* window = Open(Write("wide.png", testpic::CornerPicture(200, 100)), "Wide");
  QVERIFY(QTest::qWaitForWindowExposed(window));
  window->resize(260, 100);  // only the right edge moved
  QTRY_COMPARE(window->Reloads(), 1);
  // Asked for 260 x 160, fitted to the picture's 2:1.
  QCOMPARE(QSize(window->Picture().Width(), window->Picture().Height()), QSize(260, 130));
  QTRY_COMPARE(window->size(), QSize(260, 130));
  QTest::qWait(50);
  QCOMPARE(window->Reloads(), 1);  // fitting itself does not reload
  QCOMPARE(testpic::Classify(window->grab().toImage().pixel(259, 0)), 'G');
  delete window;
}

void PhotoWindowTest::draggingTheHeightGrowsTheWidth() {
  CPhotoWindow* window = Open(Write("tall.png", testpic::CornerPicture(100, 200)), "Tall");
  QVERIFY(QTest::qWaitForWindowExposed(window));
  window->resize(100, 240);
  QTRY_COMPARE(window->Reloads(), 1);
  // Asked for 140 x 240, fitted to 1:2.
  QCOMPARE(QSize(window->Picture().Width(), window->Picture().Height()), QSize(120, 240));
  QTRY_COMPARE(window->size(), QSize(120, 240));
  delete window;
}

void PhotoWindowTest::titles() {
  const std::string path = Write("grandmother.png", testpic::CornerPicture(30, 20));
  CPhotoWindow* untitled = Open(path, "");
  QCOMPARE(untitled->windowTitle(), QString("grandmother.png"));
  delete untitled;
  CPhotoWindow* titled = Open(path, "Grandmother at the well");
  QCOMPARE(titled->windowTitle(), QString("Grandmother at the well"));
  delete titled;
  // A file named with national letters is titled as it is named.
  for (const char* name : {"Släkt Åsa.png", "Łódź.png", "Ærø.png"}) {
    CPhotoWindow* national = Open(Write(name, testpic::CornerPicture(30, 20)), "");
    QVERIFY(national);
    QCOMPARE(national->windowTitle(), QString::fromUtf8(name));
    delete national;
  }
}

QTEST_MAIN(PhotoWindowTest)
#include "photowindow_qtest.moc"
