// The picture file dialog driven offscreen: the Photo Information panel for
// files, folders and patterns, the preview and its setting, and the
// select-button file dialog's OK text.
#include <QCheckBox>
#include <QDir>
#include <QTest>

#include "FakePorts.h"
#include "PictureFileDialog.h"
#include "SaveName.h"
#include "StringTable.h"
#include "TempDir.h"
#include "TestPictures.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
const char kFilter[] = "Pictures|*.png;*.jpg;*.bmp;*.gif|All Files|*.*||";

}  // namespace

class PictureFileDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    profile_ = std::make_unique<plat::FakeProfile>();
    profileScope_ = std::make_unique<plat::ScopedProfile>(profile_.get());
    box_.Clear();
  }
  void cleanup() {
    profileScope_.reset();
    profile_.reset();
  }

  void colorTexts();
  void panelFollowsTheSelection();
  void previewLoadsOnceAndFollowsTheCheckBox();
  void previewSettingIsKept();
  void selectFileDialogOkText();

 private:
  std::string WritePicture(const std::string& name, const QImage& image) {
    const std::string path = dir_.File(name);
    if (!image.save(Q(path))) return {};
    return path;
  }

  TempDir dir_;
  plat::FakeMessageBox box_;
  plat::ScopedMessageBox boxScope_{&box_};
  std::unique_ptr<plat::FakeProfile> profile_;
  std::unique_ptr<plat::ScopedProfile> profileScope_;
};

void PictureFileDialogTest::colorTexts() {
  const struct {
    int bits;
    const char* text;
  } cases[] = {
      {24, "24 bits per pixel (16 million colors)"},
      {8, "8 bits per pixel (256 colors)"},
      {1, "1 bits per pixel (2 colors)"},
      {4, "4 bits per pixel (16 colors)"},
      {16, "16 bits per pixel (65536 colors)"},
      {32, "32 bits per pixel (4294967296 colors)"},
      {48, "48 bits per pixel (281474976710656 colors)"},
      {64, "64 bits per pixel (18446744073709551616 colors)"},
  };
  for (const auto& c : cases) QCOMPARE(Q(PictureColorText(c.bits)), QString(c.text));
}

void PictureFileDialogTest::panelFollowsTheSelection() {
  const std::string colour = WritePicture("colour.png", testpic::CornerPicture(120, 90));
  const std::string indexed = WritePicture(
      "indexed.png", testpic::CornerPicture(30, 20).convertToFormat(QImage::Format_Indexed8));
  const std::string words = dir_.File("words.png");
  {
    QFile f(Q(words));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("no picture");
  }
  CPictureFileDialog dialog("", "", kOfnFileMustExist, kFilter, nullptr);
  dialog.SetFolder(dir_.Path());
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  QCOMPARE(dialog.PanelState(), int(CTemplateFileDialog::kStateUnavailable));
  QVERIFY(dialog.PanelShows(CPictureFileDialog::kIdcUnavailable));
  QCOMPARE(Q(dialog.PanelText(CPictureFileDialog::kIdcUnavailable)), QString("Unavailable"));

  dialog.SelectionChanged(Q(colour));
  QCOMPARE(dialog.PanelState(), int(CPictureFileDialog::kStateShown));
  QVERIFY(!dialog.PanelShows(CPictureFileDialog::kIdcUnavailable));
  QVERIFY(dialog.PanelShows(CPictureFileDialog::kIdcWidth));
  QCOMPARE(Q(dialog.PanelText(CPictureFileDialog::kIdcWidth)), QString("120"));
  QCOMPARE(Q(dialog.PanelText(CPictureFileDialog::kIdcHeight)), QString("90"));
  QCOMPARE(Q(dialog.PanelText(CPictureFileDialog::kIdcColors)),
           QString("24 bits per pixel (16 million colors)"));
  QCOMPARE(Q(dialog.Preview()->Path()), Q(colour));

  dialog.SelectionChanged(Q(indexed));
  QCOMPARE(Q(dialog.PanelText(CPictureFileDialog::kIdcWidth)), QString("30"));
  QCOMPARE(Q(dialog.PanelText(CPictureFileDialog::kIdcColors)),
           QString("8 bits per pixel (256 colors)"));

  // A folder, a pattern and a file that is no picture: unavailable, and the
  // preview lets its file go.
  for (const std::string& path :
       {dir_.Path(), dir_.File("*.png"), dir_.File("c?lour.png"), words}) {
    dialog.SelectionChanged(Q(colour));
    QVERIFY(!dialog.Preview()->Path().empty());
    dialog.SelectionChanged(Q(path));
    QCOMPARE(dialog.PanelState(), int(CTemplateFileDialog::kStateUnavailable));
    QVERIFY(dialog.PanelShows(CPictureFileDialog::kIdcUnavailable));
    QVERIFY(!dialog.PanelShows(CPictureFileDialog::kIdcWidth));
    QVERIFY(!dialog.PanelShows(CPictureFileDialog::kIdcColors));
    QVERIFY(dialog.Preview()->Path().empty());
  }
  QVERIFY(box_.Calls().empty());
}

void PictureFileDialogTest::previewLoadsOnceAndFollowsTheCheckBox() {
  const std::string first = WritePicture("first.png", testpic::CornerPicture(160, 120));
  const std::string second = WritePicture("second.png", testpic::CornerPicture(40, 80));
  CPictureFileDialog dialog("", "", kOfnFileMustExist, kFilter, nullptr);
  dialog.SetFolder(dir_.Path());
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  CPicturePreview* preview = dialog.Preview();
  QVERIFY(!dialog.PreviewCheck()->isChecked());  // MMPhOpenPrev defaults to 0

  // Unchecked: the path is kept, nothing is loaded.
  dialog.SelectionChanged(Q(first));
  QCOMPARE(preview->Loads(), 0);
  QVERIFY(!preview->Picture().IsLoaded());

  dialog.PreviewCheck()->setChecked(true);
  QCOMPARE(preview->Loads(), 1);
  QVERIFY(preview->Picture().IsLoaded());
  // Fitted into the frame with the picture's aspect, inside its edges.
  const QRect fitted = preview->PictureRect();
  QVERIFY(fitted.left() >= 1 && fitted.top() >= 2);
  QVERIFY(fitted.right() <= preview->width() - 2 && fitted.bottom() <= preview->height() - 2);
  QCOMPARE(QSize(preview->Picture().Width(), preview->Picture().Height()), fitted.size());
  QVERIFY(qAbs(fitted.width() * 3 - fitted.height() * 4) <= 4);

  // The same file again (in other case too) does not load again.
  dialog.SelectionChanged(Q(first));
  QCOMPARE(preview->Loads(), 1);
  dialog.SelectionChanged(Q(dir_.File("FIRST.png")));
  QCOMPARE(preview->Loads(), 1);

  dialog.SelectionChanged(Q(second));
  QCOMPARE(preview->Loads(), 2);
  QVERIFY(qAbs(preview->PictureRect().width() * 2 - preview->PictureRect().height()) <= 1);

  // The preview draws the picture where it was fitted.
  const QImage shot = preview->grab().toImage();
  const QPoint corner = preview->PictureRect().topLeft() + QPoint(1, 1);
  QCOMPARE(testpic::Classify(shot.pixel(corner)), 'R');

  if (qEnvironmentVariableIsSet("KORVANE_SHOTS")) {
    const std::string big = WritePicture("landscape.png", testpic::Quadrants(320, 200));
    dialog.selectFile(Q(big));
    dialog.SelectionChanged(Q(big));
    QTest::qWait(50);
    dialog.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + "/picturefiledialog.png");
  }
  dialog.PreviewCheck()->setChecked(false);
  QVERIFY(!preview->grab().toImage().isNull());
  QVERIFY(box_.Calls().empty());
}

void PictureFileDialogTest::previewSettingIsKept() {
  const std::string path = WritePicture("p.png", testpic::CornerPicture(20, 20));
  {
    CPictureFileDialog dialog("", "", kOfnFileMustExist, kFilter, nullptr);
    dialog.PreviewCheck()->setChecked(true);
  }
  QCOMPARE(profile_->GetInt("Multimedia", "MMPhOpenPrev", -1), 1);
  {
    CPictureFileDialog dialog("", "", kOfnFileMustExist, kFilter, nullptr);
    QVERIFY(dialog.PreviewCheck()->isChecked());
    // Checked from the start: a selected file is previewed at once.
    dialog.SelectionChanged(Q(path));
    QCOMPARE(dialog.Preview()->Loads(), 1);
    dialog.PreviewCheck()->setChecked(false);
  }
  QCOMPARE(profile_->GetInt("Multimedia", "MMPhOpenPrev", -1), 0);
}

void PictureFileDialogTest::selectFileDialogOkText() {
  const unsigned id = 8156;  // any text of the table serves
  CSelectFileDialog dialog(id, "", kOfnFileMustExist, kFilter, nullptr);
  QCOMPARE(dialog.labelText(QFileDialog::Accept), Q(res::LoadString(id)));
  QCOMPARE(dialog.OkTextId(), id);
  CSelectFileDialog plain(0, "", kOfnFileMustExist, kFilter, nullptr);
  QFileDialog reference;
  reference.setOption(QFileDialog::DontUseNativeDialog, true);
  QCOMPARE(plain.labelText(QFileDialog::Accept), reference.labelText(QFileDialog::Accept));
  QVERIFY(plain.labelText(QFileDialog::Accept) != dialog.labelText(QFileDialog::Accept));
}

QTEST_MAIN(PictureFileDialogTest)
#include "picturefiledialog_qtest.moc"
