// The Edit Photo dialog driven offscreen on pictures written by the test:
// turns and flips, crop edits in inches, drags on the preview stored as
// margins of the file (checked against the reloaded pixels), a stored crop
// too large for the file, and what OK writes into the item.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "DbCalls.h"
#include "EditPhotoDialog.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "ImageObject.h"
#include "MeasureEdit.h"
#include "MultimediaItem.h"
#include "QtPorts.h"

using Dialog = CEditPhotoDialog;

namespace {

// x in red, y in green: every pixel tells where in the file it lies.
QImage Gradient(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.setPixel(x, y, qRgb(x * 255 / (w - 1), y * 255 / (h - 1), 90));
  return image;
}

// The file position (0..1 across, 0..1 down) a pixel of the gradient shows.
QPointF Where(QRgb pixel) { return {qRed(pixel) / 255.0, qGreen(pixel) / 255.0}; }

// Types text into a measurement box as the user would.
void Type(fw::CMeasureEdit* edit, const QString& text) {
  edit->setText(text);
  edit->setModified(true);
}

}  // namespace

class EditPhotoTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void turnsAndFlipsCycle();
  void cropEditsInInches();
  void smallDragChangesNothing();
  void dragStoresMarginsOfTheFile_data();
  void dragStoresMarginsOfTheFile();
  void storedCropLargerThanThePictureOpensUncut();
  void okWritesFlagsAndSlideTime();
  void missingFileDisablesTheTurns();

 private:
  CMultimediaItem Item(int w = 160, int h = 120) {
    const QString path = dir->filePath(QStringLiteral("g.png"));
    Gradient(w, h).save(path);
    CMultimediaItem item;
    item.kind = CMultimediaItem::kPhoto;
    item.fileName = path.toStdString();
    return item;
  }
  static void Click(Dialog& d, int id) { d.Control<QToolButton>(id)->click(); }

  std::unique_ptr<QTemporaryDir> dir;
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeProfile profile;
  plat::ScopedProfile scopedProfile{&profile};
};

void EditPhotoTest::init() {
  dir = std::make_unique<QTemporaryDir>();
  QCOMPARE(DbCreate(dir->filePath("f.orv").toStdString(), CFamilyDatabase::kCurrentFormat), 1);
  QCOMPARE(DbOpen(dir->filePath("f.orv").toStdString(), CFamilyDatabase::kCurrentFormat), 1);
}

void EditPhotoTest::cleanup() {
  DbCloseCurrent();
  dir.reset();
}

void EditPhotoTest::turnsAndFlipsCycle() {
  CMultimediaItem item = Item();
  Dialog d(item);
  d.show();
  QCOMPARE(d.Rotation(), 0);
  QList<int> rotations;
  for (int i = 0; i < 4; ++i) {
    Click(d, Dialog::kIdcRotate);
    rotations << d.Rotation();
  }
  QCOMPARE(rotations, (QList<int>{1, 2, 3, 0}));
  Click(d, Dialog::kIdcFlip);
  QCOMPARE(d.Flip(), 1);
  Click(d, Dialog::kIdcReverse);
  QCOMPARE(d.Flip(), 3);
  Click(d, Dialog::kIdcFlip);
  QCOMPARE(d.Flip(), 2);
  Click(d, Dialog::kIdcReverse);
  QCOMPARE(d.Flip(), 0);
  // A quarter turn shows the picture on its side.
  Click(d, Dialog::kIdcRotate);
  QVERIFY(d.Picture().Height() > d.Picture().Width());
}

void EditPhotoTest::cropEditsInInches() {
  CMultimediaItem item = Item(192, 96);  // 2" x 1" at 96 dpi
  item.cropLeft = 48;
  Dialog d(item);
  d.show();
  const double dpi = d.logicalDpiX();
  auto* left = d.Control<fw::CMeasureEdit>(Dialog::kIdcLeft);
  auto* right = d.Control<fw::CMeasureEdit>(Dialog::kIdcRight);
  QCOMPARE(left->Value().unit, fw::MeasureValue::kUnitInches);
  QCOMPARE(left->GetScaledValue(), media::PixelsToHundredths(48, dpi));
  QCOMPARE(d.GetControlText(Dialog::kIdcWidthText),
           media::InchesText(media::PixelsToHundredths(192, dpi)));
  const int width = media::PixelsToHundredths(192, dpi);
  // Right typed so that left + right stays below the width - 1: applied.
  Type(right, QString::number((width - 2 - left->GetScaledValue() - 10) / 100.0, 'f', 2));
  d.ApplyTypedCrop(false);
  QCOMPARE(d.Crop().right, media::HundredthsToPixels(right->GetScaledValue(), dpi));
  const int applied = d.Crop().right;
  // Too much: left + right would reach the width - 1; nothing changes.
  Type(right, QString::number((width - left->GetScaledValue()) / 100.0, 'f', 2));
  d.ApplyTypedCrop(false);
  QCOMPARE(d.Crop().right, applied);
  // The arrows act only while there is room, and step by 0.01".
  Type(right, QStringLiteral("0.10"));
  d.ApplyTypedCrop(false);
  d.StepCrop(Dialog::kIdcRight, -1);
  QCOMPARE(right->GetScaledValue(), 11);
  d.StepCrop(Dialog::kIdcRight, 1);
  d.StepCrop(Dialog::kIdcRight, 1);
  QCOMPARE(right->GetScaledValue(), 9);
  QCOMPARE(d.Crop().right, media::HundredthsToPixels(9, dpi));
  // Reset empties the crop and keeps the turn.
  Click(d, Dialog::kIdcRotate);
  d.Control<QPushButton>(Dialog::kIdcReset)->click();
  QCOMPARE(d.Crop(), media::Margins{});
  QCOMPARE(left->GetScaledValue(), 0);
  QCOMPARE(d.Rotation(), 1);
}

void EditPhotoTest::smallDragChangesNothing() {
  CMultimediaItem item = Item();
  Dialog d(item);
  d.show();
  QVERIFY(QTest::qWaitForWindowExposed(&d));
  const QRect shown = d.DisplayedRect();
  QVERIFY(shown.width() > 20);
  const QPoint from = shown.topLeft() + QPoint(5, 5);
  QTest::mousePress(d.Preview(), Qt::LeftButton, {}, from);
  QTest::mouseRelease(d.Preview(), Qt::LeftButton, {}, from + QPoint(5, 40));
  QCOMPARE(d.Crop(), media::Margins{});
  // A drag that starts outside the displayed picture does nothing either.
  QTest::mousePress(d.Preview(), Qt::LeftButton, {}, QPoint(0, 0));
  QTest::mouseRelease(d.Preview(), Qt::LeftButton, {}, shown.center());
  QCOMPARE(d.Crop(), media::Margins{});
  // A real drag crops.
  QTest::mousePress(d.Preview(), Qt::LeftButton, {}, from);
  QTest::mouseRelease(d.Preview(), Qt::LeftButton, {}, shown.center());
  QVERIFY(d.Crop().left > 0 && d.Crop().right > 0);
}

void EditPhotoTest::dragStoresMarginsOfTheFile_data() {
  QTest::addColumn<int>("rotation");
  QTest::addColumn<int>("flip");
  for (int r = 0; r < 4; ++r)
    for (int f = 0; f < 4; ++f) QTest::addRow("rotation %d flip %d", r, f) << r << f;
}

void EditPhotoTest::dragStoresMarginsOfTheFile() {
  QFETCH(int, rotation);
  QFETCH(int, flip);
  CMultimediaItem item = Item(200, 140);
  item.flags = static_cast<std::uint16_t>((rotation << CMultimediaItem::kRotationShift) |
                                          (flip << CMultimediaItem::kFlipShift));
  item.cropTop = 10;  // an earlier crop
  Dialog d(item);
  d.show();
  QVERIFY(QTest::qWaitForWindowExposed(&d));
  const QRect shown = d.DisplayedRect();
  // What the preview shows at the drag's corners, as file positions.
  const QRect drag(shown.left() + shown.width() / 5, shown.top() + shown.height() / 4,
                   shown.width() / 2, shown.height() / 2);
  const QImage before = d.Picture().Bitmap();
  auto seen = [&](QPoint p) { return Where(before.pixel(p - shown.topLeft())); };
  const QPointF topLeft = seen(drag.topLeft() + QPoint(1, 1));
  const QPointF bottomRight = seen(drag.bottomRight() - QPoint(1, 1));
  d.CropByDrag(drag);
  d.Control<QPushButton>(fw::kIdOk)->click();
  QCOMPARE(item.GetRotation(), rotation);
  QCOMPARE(item.GetFlip(), flip);

  // The file reloaded with the stored edits shows the same corners.
  fw::CImageObject reloaded;
  QCOMPARE(reloaded.LoadFile(item.fileName, "", 0, nullptr, true), int(fw::kImageOk));
  reloaded.SetEdits(item);
  reloaded.ApplyEdits();
  const QImage after = reloaded.Bitmap();
  const QPointF tl = Where(after.pixel(0, 0));
  const QPointF br = Where(after.pixel(after.width() - 1, after.height() - 1));
  const double tolerance = 0.04;
  QVERIFY2(std::abs(tl.x() - topLeft.x()) < tolerance && std::abs(tl.y() - topLeft.y()) < tolerance,
           qPrintable(QStringLiteral("top left %1,%2 vs %3,%4")
                          .arg(tl.x())
                          .arg(tl.y())
                          .arg(topLeft.x())
                          .arg(topLeft.y())));
  QVERIFY2(std::abs(br.x() - bottomRight.x()) < tolerance &&
               std::abs(br.y() - bottomRight.y()) < tolerance,
           qPrintable(QStringLiteral("bottom right %1,%2 vs %3,%4")
                          .arg(br.x())
                          .arg(br.y())
                          .arg(bottomRight.x())
                          .arg(bottomRight.y())));
}

void EditPhotoTest::storedCropLargerThanThePictureOpensUncut() {
  CMultimediaItem item = Item(100, 80);
  item.cropLeft = 60;
  item.cropRight = 40;  // 100 > width - 1
  item.cropTop = 5;
  Dialog d(item);
  d.show();
  QCOMPARE(d.Crop(), media::Margins{});
  QCOMPARE(d.Control<fw::CMeasureEdit>(Dialog::kIdcTop)->GetScaledValue(), 0);
  // The preview keeps the file's proportions.
  QVERIFY(std::abs(d.Picture().Width() * 80 - d.Picture().Height() * 100) <= 100);
  // A crop that leaves one pixel is kept.
  CMultimediaItem fits = Item(100, 80);
  fits.cropLeft = 60;
  fits.cropRight = 39;
  Dialog kept(fits);
  kept.show();
  QCOMPARE(kept.Crop(), (media::Margins{60, 0, 39, 0}));
}

void EditPhotoTest::okWritesFlagsAndSlideTime() {
  CMultimediaItem item = Item();
  item.flags = CMultimediaItem::kFlagDefault | CMultimediaItem::kFlagSlideShow;
  item.slideTime = 30;
  item.soundFile = "old.wav";
  Dialog d(item);
  d.ownerCaption = "Ann Lund";
  d.show();
  QCOMPARE(d.windowTitle(), QStringLiteral("Edit Photo for Ann Lund"));
  QVERIFY(d.GetCheck(Dialog::kIdcSlideShow));
  QVERIFY(!d.GetCheck(Dialog::kIdcScrapbook));
  QCOMPARE(d.Control<fw::CMeasureEdit>(Dialog::kIdcSlideTime)->GetScaledValue(), 30);
  QCOMPARE(d.GetControlText(Dialog::kIdcSound), std::string("old.wav"));
  d.SetCheck(Dialog::kIdcSlideShow, 0);
  d.SetCheck(Dialog::kIdcScrapbook, 1);
  Type(d.Control<fw::CMeasureEdit>(Dialog::kIdcSlideTime), QStringLiteral("7.5"));
  d.SetControlText(Dialog::kIdcSound, "new.wav");
  Click(d, Dialog::kIdcRotate);
  Click(d, Dialog::kIdcReverse);
  d.Control<QPushButton>(fw::kIdOk)->click();
  QCOMPARE(int(item.flags), CMultimediaItem::kFlagDefault | CMultimediaItem::kFlagScrapbook |
                                (1 << CMultimediaItem::kRotationShift) |
                                (2 << CMultimediaItem::kFlipShift));
  QCOMPARE(int(item.slideTime), 75);
  QCOMPARE(item.soundFile, std::string("new.wav"));

  // Cancel writes nothing.
  CMultimediaItem untouched = Item();
  Dialog cancelled(untouched);
  cancelled.show();
  Click(cancelled, Dialog::kIdcRotate);
  cancelled.Control<QPushButton>(fw::kIdCancel)->click();
  QCOMPARE(untouched.GetRotation(), 0);
}

void EditPhotoTest::missingFileDisablesTheTurns() {
  CMultimediaItem item;
  item.kind = CMultimediaItem::kPhoto;
  item.fileName = dir->filePath("absent.png").toStdString();
  Dialog d(item);
  d.show();
  QVERIFY(!d.Loaded());
  for (int id : {Dialog::kIdcRotate, Dialog::kIdcFlip, Dialog::kIdcReverse})
    QVERIFY(!d.IsControlEnabled(id));
  if (qEnvironmentVariableIsSet("KORVANE_SHOTS")) {
    CMultimediaItem shot = Item(300, 200);
    shot.cropTop = 20;
    shot.slideTime = 40;
    shot.flags = CMultimediaItem::kFlagSlideShow | CMultimediaItem::kFlagScrapbook;
    Dialog s(shot);
    s.ownerCaption = "Ann Lund";
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    s.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + "/editphoto.png");
  }
}

QTEST_MAIN(EditPhotoTest)
#include "editphoto_qtest.moc"
