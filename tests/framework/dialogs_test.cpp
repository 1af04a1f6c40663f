// The framework's dialog base (controls by id, dialog units, data exchange,
// centring), the resizable dialog's anchors and minimum size, and the device
// context drawing into a QImage.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSizeGrip>
#include <QVBoxLayout>
#include <QtTest>

#include "CodePage.h"
#include "DC.h"
#include "DialogBase.h"
#include "FakePorts.h"
#include "ResizableDialog.h"
#include "WindowTitles.h"

namespace {

// A dialog with one control of each kind and members exchanged with them.
class ExchangeDialog : public fw::CDialogBase {
 public:
  enum { kEdit = 100, kLabel = 101, kCheck = 102, kRadioA = 103, kRadioB = 104, kButton = 105 };
  ExchangeDialog() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(AddControl(kEdit, new QLineEdit));
    layout->addWidget(AddControl(kLabel, new QLabel));
    layout->addWidget(AddControl(kCheck, new QCheckBox(QStringLiteral("&Check"))));
    layout->addWidget(AddControl(kRadioA, new QRadioButton(QStringLiteral("&A"))));
    layout->addWidget(AddControl(kRadioB, new QRadioButton(QStringLiteral("&B"))));
    layout->addWidget(AddControl(kButton, new QPushButton(QStringLiteral("&Go"))));
  }
  std::int32_t number = 7;
  std::string text = "Lind";
  int check = 1;
  int radio = 1;

 protected:
  bool DoDataExchange(bool save) override {
    ExchangeText(save, kLabel, text);
    ExchangeCheck(save, kCheck, check);
    ExchangeRadio(save, {kRadioA, kRadioB}, radio);
    return ExchangeInt(save, kEdit, number, 1, 99);
  }
};

QColor Pixel(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

// The box of pixels that differ from the background colour.
QRect InkBox(const QImage& image, QColor background = Qt::white) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) != background) box = box.united(QRect(x, y, 1, 1));
  return box;
}

QImage WhiteImage(int w, int h, int dpi = 96) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  image.setDotsPerMeterX(qRound(dpi / 0.0254));
  image.setDotsPerMeterY(qRound(dpi / 0.0254));
  return image;
}

}  // namespace

class DialogBaseTest : public QObject {
  Q_OBJECT

 private slots:
  void dialogUnitsFollowTheFont() {
    struct {
      int width52, height, baseX, baseY;
    } units[] = {{364, 16, 7, 16}, {389, 16, 7, 16}, {390, 13, 8, 13}, {0, 0, 0, 0}};
    for (const auto& u : units) {
      const fw::DialogBaseUnits base = fw::BaseUnitsFromMetrics(u.width52, u.height);
      QCOMPARE(base.x, u.baseX);
      QCOMPARE(base.y, u.baseY);
    }
    struct {
      int units, base, x, y;
    } pixels[] = {{4, 7, 7, 4}, {10, 7, 18, 9}, {-10, 7, -18, -9}, {8, 16, 32, 16}, {1, 6, 2, 1}};
    for (const auto& p : pixels) {
      QCOMPARE(fw::DialogUnitsToPixelsX(p.units, {p.base, p.base}), p.x);
      QCOMPARE(fw::DialogUnitsToPixelsY(p.units, {p.base, p.base}), p.y);
    }
    // On a dialog the units come from its font, and a larger font gives more.
    ExchangeDialog dialog;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    dialog.setFont(font);
    const QFontMetrics metrics(font);
    const fw::DialogBaseUnits base = dialog.BaseUnits();
    QCOMPARE(base.y, metrics.height());
    QCOMPARE(base.x, (metrics.horizontalAdvance(
                          QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) +
                      26) /
                         52);
    QCOMPARE(dialog.DialogUnitsToPixels(4, 8), QSize(base.x, base.y));
    font.setPixelSize(24);
    dialog.setFont(font);
    QVERIFY(dialog.BaseUnits().x > base.x);
    QVERIFY(dialog.BaseUnits().y > base.y);
  }

  void controlsAreReachedByTheirIds() {
    plat::SetActiveCodePage(1252);
    ExchangeDialog dialog;
    QWidget* edit = dialog.GetControl(ExchangeDialog::kEdit);
    QVERIFY(qobject_cast<QLineEdit*>(edit));
    QCOMPARE(edit->objectName(), QStringLiteral("ctl100"));
    QCOMPARE(edit->property(fw::kControlIdProperty).toInt(), 100);
    QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("ctl100")), edit);
    QVERIFY(dialog.GetControl(999) == nullptr);
    // Operations on an id without a control do nothing.
    dialog.EnableControl(999, false);
    dialog.SetControlText(999, "x");
    QCOMPARE(dialog.GetControlText(999), std::string());
    QCOMPARE(dialog.GetCheck(999), 0);

    dialog.EnableControl(ExchangeDialog::kButton, false);
    QVERIFY(!dialog.IsControlEnabled(ExchangeDialog::kButton));
    dialog.EnableControl(ExchangeDialog::kButton, true);
    QVERIFY(dialog.IsControlEnabled(ExchangeDialog::kButton));
    dialog.show();
    dialog.ShowControl(ExchangeDialog::kLabel, false);
    QVERIFY(!dialog.GetControl(ExchangeDialog::kLabel)->isVisible());
    dialog.ShowControl(ExchangeDialog::kLabel, true);
    QVERIFY(dialog.GetControl(ExchangeDialog::kLabel)->isVisible());

    // Texts cross as 8-bit text of the code page.
    for (int id : {ExchangeDialog::kEdit, ExchangeDialog::kLabel, ExchangeDialog::kButton,
                   ExchangeDialog::kCheck}) {
      dialog.SetControlText(id, "M\xFCller");
      QCOMPARE(dialog.GetControlText(id), std::string("M\xFCller"));
    }
    QCOMPARE(qobject_cast<QLineEdit*>(edit)->text(), QStringLiteral("M\u00fcller"));

    // Check states, including the indeterminate one.
    for (int state : {1, 2, 0}) {
      dialog.SetCheck(ExchangeDialog::kCheck, state);
      QCOMPARE(dialog.GetCheck(ExchangeDialog::kCheck), state);
    }
    const std::vector<int> radios{ExchangeDialog::kRadioA, ExchangeDialog::kRadioB};
    for (int index : {1, 0, -1, 1}) {
      dialog.CheckRadio(radios, index);
      QCOMPARE(dialog.GetCheckedRadio(radios), index);
    }
  }

  void integersAreParsedAndRangeChecked() {
    struct {
      const char* text;
      fw::IntParse result;
      std::int64_t value;
    } cases[] = {{"5", fw::IntParse::kOk, 5},
                 {" 99 ", fw::IntParse::kOk, 99},
                 {"1", fw::IntParse::kOk, 1},
                 {"+7", fw::IntParse::kOk, 7},
                 {"0", fw::IntParse::kOutOfRange, 0},
                 {"100", fw::IntParse::kOutOfRange, 100},
                 {"-3", fw::IntParse::kOutOfRange, -3},
                 {"", fw::IntParse::kNotInteger, 0},
                 {"12x", fw::IntParse::kNotInteger, 0},
                 {"-", fw::IntParse::kNotInteger, 0},
                 {"99999999999", fw::IntParse::kNotInteger, 0}};
    for (const auto& c : cases) {
      std::int64_t value = 0;
      QCOMPARE(fw::ParseIntInRange(c.text, 1, 99, value), c.result);
      if (c.result != fw::IntParse::kNotInteger) QCOMPARE(value, c.value);
    }
  }

  void dataExchangeRefusesNumbersOutsideTheirRange() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scoped(&boxes);
    ExchangeDialog dialog;
    dialog.open();
    // Opening writes the members into the controls.
    QCOMPARE(dialog.GetControlText(ExchangeDialog::kEdit), std::string("7"));
    QCOMPARE(dialog.GetControlText(ExchangeDialog::kLabel), std::string("Lind"));
    QCOMPARE(dialog.GetCheck(ExchangeDialog::kCheck), 1);
    QCOMPARE(dialog.GetCheckedRadio({ExchangeDialog::kRadioA, ExchangeDialog::kRadioB}), 1);

    struct {
      const char* typed;
      const char* message;
    } refused[] = {{"120", "Please enter an integer between 1 and 99."},
                   {"0", "Please enter an integer between 1 and 99."},
                   {"seven", "Please enter an integer."}};
    for (const auto& r : refused) {
      boxes.Clear();
      dialog.SetControlText(ExchangeDialog::kEdit, r.typed);
      dialog.accept();
      QVERIFY(dialog.isVisible());
      QCOMPARE(dialog.number, 7);
      QCOMPARE(boxes.Calls().size(), std::size_t{1});
      QCOMPARE(boxes.Calls()[0].text, std::string(r.message));
    }
    dialog.SetControlText(ExchangeDialog::kEdit, " 42");
    dialog.SetCheck(ExchangeDialog::kCheck, 0);
    dialog.CheckRadio({ExchangeDialog::kRadioA, ExchangeDialog::kRadioB}, 0);
    dialog.accept();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), fw::kIdOk);
    QCOMPARE(dialog.number, 42);
    QCOMPARE(dialog.check, 0);
    QCOMPARE(dialog.radio, 0);

    // Cancel ends with the Cancel id and reads nothing back.
    ExchangeDialog cancelled;
    cancelled.open();
    cancelled.SetControlText(ExchangeDialog::kEdit, "50");
    QTest::keyClick(&cancelled, Qt::Key_Escape);
    QVERIFY(!cancelled.isVisible());
    QCOMPARE(cancelled.result(), fw::kIdCancel);
    QCOMPARE(cancelled.number, 7);
  }

  void centresOnItsParent() {
    QWidget parent;
    parent.setGeometry(100, 80, 600, 400);
    parent.show();
    ExchangeDialog dialog;
    dialog.setParent(&parent, Qt::Dialog);
    dialog.CenterWindow();
    const QPoint centre = dialog.frameGeometry().center();
    QVERIFY2((centre - parent.frameGeometry().center()).manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
  }

  // A small dialog and a message box with a short text are widened to their
  // whole caption when they show.
  void windowsShowTheirWholeCaption() {
    fw::KeepWindowTitlesWhole(*qApp);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Add or Select Individual"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QPushButton(QStringLiteral("OK")));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY2(dialog.width() >= fw::TitleBarWidth(dialog),
             qPrintable(QString::number(dialog.width())));

    QMessageBox box;
    box.setWindowTitle(QStringLiteral("Korvane Family Records Program"));
    box.setText(QStringLiteral("Done."));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY2(box.width() >= fw::TitleBarWidth(box), qPrintable(QString::number(box.width())));
    // A layout of fixed size (the Add or Select chooser's) widens too.
    QDialog fixed;
    fixed.setWindowTitle(QStringLiteral("Add or Select Individual"));
    auto* fixedLayout = new QVBoxLayout(&fixed);
    fixedLayout->addWidget(new QPushButton(QStringLiteral("OK")));
    fixedLayout->setSizeConstraint(QLayout::SetFixedSize);
    fixed.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fixed));
    QVERIFY2(fixed.width() >= fw::TitleBarWidth(fixed) - 2 * fixedLayout->contentsMargins().left(),
             qPrintable(QString::number(fixed.width())));
    // A caption the window's width already holds leaves the size alone.
    QDialog wide;
    wide.setWindowTitle(QStringLiteral("Ko"));
    wide.resize(400, 100);
    wide.show();
    QCOMPARE(wide.width(), 400);
  }
};

class ResizableDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void anchorArithmetic() {
    using fw::AnchorRect;
    const AnchorRect start{10, 20, 110, 40};
    struct {
      const char* what;
      int edges, mode, dx, dy;
      AnchorRect after;
    } cases[] = {
        {"move right, mode 0", 2, 0, 30, 0, {40, 20, 140, 40}},
        {"move right, horizontal", 2, 1, 30, 0, {40, 20, 140, 40}},
        {"stretch, horizontal", 1, 1, 30, 0, {10, 20, 140, 40}},
        {"stretch wins over move", 3, 1, 30, 0, {10, 20, 140, 40}},
        {"stretch needs the mode bit", 1, 0, 30, 0, start},
        {"move down, mode 0", 8, 0, 0, 20, {10, 40, 110, 60}},
        {"move down needs the vertical bit", 8, 1, 0, 20, start},
        {"stretch height, vertical", 4, 2, 0, 20, {10, 20, 110, 60}},
        {"move down, vertical", 8, 2, 30, 20, {10, 40, 110, 60}},
        {"both directions", 1 | 8, 3, 30, 20, {10, 40, 140, 60}},
        {"mode 0 moves both ways", 2 | 8, 0, -5, 7, {5, 27, 105, 47}},
        {"no change", 1 | 2 | 4 | 8, 3, 0, 0, start},
        {"no flags", 0, 3, 30, 20, start},
    };
    for (const auto& c : cases) {
      AnchorRect r = start;
      const bool changed = fw::MoveAnchorRect(r, c.edges, c.mode, c.dx, c.dy);
      QVERIFY2(r == c.after, c.what);
      QCOMPARE(changed, !(c.after == start));
    }
  }

  void minimumSizePushesTheRightAndBottomEdges() {
    using fw::AnchorRect;
    struct {
      const char* what;
      AnchorRect proposed;
      int minW, minH;
      AnchorRect after;
    } cases[] = {
        // The left edge dragged past the minimum: the right edge moves out.
        {"left edge dragged in", {150, 100, 400, 400}, 300, 200, {150, 100, 450, 400}},
        {"top edge dragged in", {0, 250, 500, 400}, 300, 200, {0, 250, 500, 450}},
        {"both too small", {10, 10, 20, 20}, 300, 200, {10, 10, 310, 210}},
        {"large enough", {0, 0, 300, 200}, 300, 200, {0, 0, 300, 200}},
        {"no minimum height", {0, 0, 10, 10}, 300, 0, {0, 0, 10, 10}},
        {"no minimum width", {0, 0, 10, 10}, 0, 200, {0, 0, 10, 10}},
    };
    for (const auto& c : cases) {
      AnchorRect r = c.proposed;
      fw::ApplyMinimumSize(r, c.minW, c.minH);
      QVERIFY2(r == c.after, c.what);
    }
  }

  void controlsFollowTheDialogsSize() {
    fw::CResizableDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    QPushButton* moves = new QPushButton(QStringLiteral("Moves"));
    QPushButton* movesH = new QPushButton(QStringLiteral("Moves too"));
    QPushButton* widens = new QPushButton(QStringLiteral("Widens"));
    QPushButton* falls = new QPushButton(QStringLiteral("Falls"));
    QPushButton* stays = new QPushButton(QStringLiteral("Stays"));
    for (QPushButton* b : {moves, movesH, widens, falls, stays}) layout->addWidget(b);
    dialog.FreezeLayout();
    QVERIFY(dialog.layout() == nullptr);
    QVERIFY(dialog.AddAnchor(nullptr, fw::kAnchorMoveRight, fw::kAnchorMoveOnly) == nullptr);
    dialog.AddAnchor(moves, fw::kAnchorMoveRight, fw::kAnchorMoveOnly);
    dialog.AddAnchor(movesH, fw::kAnchorMoveRight, fw::kAnchorHorizontal);
    dialog.AddAnchor(widens, fw::kAnchorStretchWidth, fw::kAnchorHorizontal);
    dialog.AddAnchor(falls, fw::kAnchorMoveDown, fw::kAnchorMoveOnly);
    dialog.AddAnchor(stays, fw::kAnchorStretchWidth, fw::kAnchorMoveOnly);
    QList<QRect> laidOut;
    for (QPushButton* b : {moves, movesH, widens, falls, stays}) laidOut << b->geometry();
    QVERIFY(laidOut[0].width() > 0);

    // The first size only records.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QList<QRect> shown;
    for (QPushButton* b : {moves, movesH, widens, falls, stays}) shown << b->geometry();
    QCOMPARE(shown, laidOut);

    const QSize size = dialog.size();
    dialog.resize(size.width() + 30, size.height());
    QCOMPARE(moves->geometry(), laidOut[0].translated(30, 0));
    QCOMPARE(movesH->geometry(), laidOut[1].translated(30, 0));
    QCOMPARE(widens->geometry(), laidOut[2].adjusted(0, 0, 30, 0));
    QCOMPARE(falls->geometry(), laidOut[3]);
    QCOMPARE(stays->geometry(), laidOut[4]);

    dialog.resize(size.width() + 30, size.height() + 20);
    QCOMPARE(falls->geometry(), laidOut[3].translated(0, 20));
    QCOMPARE(moves->geometry(), laidOut[0].translated(30, 0));
    QCOMPARE(widens->geometry(), laidOut[2].adjusted(0, 0, 30, 0));

    // The grip sits in the bottom-right corner.
    QSizeGrip* grip = dialog.SizeGrip();
    QVERIFY(grip->isVisible());
    QCOMPARE(grip->geometry().bottomRight(), dialog.rect().bottomRight());
  }

  void minimumSizeHoldsTheWindow() {
    fw::CResizableDialog dialog;
    dialog.SetMinimumTrackSize(300, 200);
    QCOMPARE(dialog.MinimumTrackWidth(), 300);
    QCOMPARE(dialog.minimumSize(), QSize(300, 200));
    dialog.show();
    dialog.resize(100, 100);
    QVERIFY(dialog.width() >= 300);
    QVERIFY(dialog.height() >= 200);
    // With one minimum at 0 there is no minimum at all.
    fw::CResizableDialog free;
    free.SetMinimumTrackSize(300, 0);
    QCOMPARE(free.minimumSize(), QSize(0, 0));
  }
};

class DeviceContextTest : public QObject {
  Q_OBJECT

 private slots:
  void rectanglesKeepTheDevicesPixelRules() {
    QImage image = WhiteImage(60, 60);
    {
      fw::CDC dc(&image);
      dc.SelectObject(fw::CPen{fw::PS_SOLID, 0, fw::Rgb(0, 0, 0)});
      const fw::CBrush previous = dc.SelectObject(fw::CBrush{fw::Rgb(255, 0, 0)});
      QCOMPARE(previous.color, fw::Rgb(255, 255, 255));
      dc.Rectangle(10, 10, 20, 20);
    }
    QCOMPARE(Pixel(image, 10, 10), QColor(Qt::black));
    QCOMPARE(Pixel(image, 19, 19), QColor(Qt::black));
    QCOMPARE(Pixel(image, 15, 15), QColor(Qt::red));
    QCOMPARE(InkBox(image), QRect(10, 10, 10, 10));
  }

  void mappingModes() {
    struct {
      int mode, dpi;
      QPoint logical, device;
    } cases[] = {
        {fw::MM_TEXT, 96, {7, 9}, {7, 9}},
        {fw::MM_LOENGLISH, 100, {100, -50}, {100, 50}},
        {fw::MM_LOENGLISH, 200, {100, -50}, {200, 100}},
        {fw::MM_HIENGLISH, 200, {1000, -500}, {200, 100}},
        {fw::MM_TWIPS, 96, {1440, -720}, {96, 48}},
        {fw::MM_TWIPS, 300, {720, 1440}, {150, -300}},
    };
    for (const auto& c : cases) {
      QImage image = WhiteImage(10, 10, c.dpi);
      fw::CDC dc(&image);
      dc.SetMapMode(c.mode);
      QCOMPARE(dc.GetMapMode(), c.mode);
      QCOMPARE(dc.LPtoDP(c.logical), c.device);
      QCOMPARE(dc.DPtoLP(c.device), c.logical);
    }
    // Origins: the window origin lands on the viewport origin.
    QImage image = WhiteImage(10, 10, 100);
    fw::CDC dc(&image);
    dc.SetMapMode(fw::MM_LOENGLISH);
    dc.SetViewportOrg(5, 400);
    dc.SetWindowOrg(1000, 0);
    QCOMPARE(dc.LPtoDP(QPoint(1000, 0)), QPoint(5, 400));
    QCOMPARE(dc.LPtoDP(QPoint(1010, -20)), QPoint(15, 420));
    QCOMPARE(dc.LengthToDeviceY(-250), 250);
  }

  void figuresInLogicalUnitsWithYUp() {
    QImage image = WhiteImage(100, 100, 200);
    {
      fw::CDC dc(&image);
      dc.SetMapMode(fw::MM_LOENGLISH);  // two pixels per unit at 200 dpi
      dc.SelectObject(fw::CPen{fw::PS_NULL, 0, 0});
      dc.SelectObject(fw::CBrush{fw::Rgb(0, 0, 255)});
      dc.Rectangle(5, -10, 25, -20);
    }
    QCOMPARE(InkBox(image), QRect(10, 20, 39, 19));
    QCOMPARE(Pixel(image, 20, 30), QColor(Qt::blue));
  }

  void linesEllipsesAndRoundedRectangles() {
    QImage image = WhiteImage(120, 60);
    {
      fw::CDC dc(&image);
      dc.SelectObject(fw::CPen{fw::PS_SOLID, 0, fw::Rgb(0, 0, 0)});
      dc.MoveTo(5, 5);
      dc.LineTo(45, 5);
      dc.SelectObject(fw::CPen{fw::PS_SOLID, 3, fw::Rgb(0, 0, 0)});
      dc.MoveTo(5, 15);
      dc.LineTo(45, 15);
      dc.SelectObject(fw::CPen{fw::PS_SOLID, 0, fw::Rgb(0, 0, 0)});
      dc.SelectObject(fw::CBrush{fw::Rgb(0, 255, 0)});
      dc.Ellipse(60, 10, 100, 50);
      dc.SelectObject(fw::CBrush::Hollow());
      dc.RoundRect(5, 25, 45, 55, 16, 16);
    }
    QCOMPARE(Pixel(image, 20, 5), QColor(Qt::black));
    QCOMPARE(Pixel(image, 20, 6), QColor(Qt::white));
    QCOMPARE(Pixel(image, 20, 16), QColor(Qt::black));  // the wide pen
    QCOMPARE(Pixel(image, 80, 30), QColor(Qt::green));
    QCOMPARE(Pixel(image, 60, 10), QColor(Qt::white));  // outside the ellipse
    QCOMPARE(Pixel(image, 25, 25), QColor(Qt::black));  // straight part of the edge
    QCOMPARE(Pixel(image, 5, 25), QColor(Qt::white));   // rounded corner
    QCOMPARE(Pixel(image, 25, 40), QColor(Qt::white));  // hollow inside
  }

  void textOutAndExtents() {
    QImage image = WhiteImage(200, 80);
    const fw::CFont font{-20, 700, false, false, "Arial"};
    QSize extent;
    {
      fw::CDC dc(&image);
      dc.SelectObject(font);
      dc.SetBkMode(fw::TRANSPARENT);
      extent = dc.GetTextExtent("Lind");
      dc.TextOut(10, 10, "Lind");
      QCOMPARE(extent.width(), dc.TextMeasure().TextWidth("Lind"));
    }
    QFont q(QStringLiteral("Arial"));
    q.setPixelSize(20);
    q.setWeight(QFont::Bold);
    QCOMPARE(extent.width(), QFontMetrics(q, &image).horizontalAdvance(QStringLiteral("Lind")));
    QVERIFY(extent.height() >= 20);
    const QRect ink = InkBox(image);
    QVERIFY(!ink.isEmpty());
    QVERIFY(QRect(10, 10, extent.width(), extent.height()).contains(ink));

    // Right-aligned text ends at the point; an opaque background fills the box.
    QImage right = WhiteImage(200, 80);
    {
      fw::CDC dc(&right);
      dc.SelectObject(font);
      dc.SetBkColor(fw::Rgb(255, 255, 0));
      dc.SetTextAlign(fw::TA_RIGHT | fw::TA_TOP);
      dc.TextOut(150, 10, "Lind");
    }
    QCOMPARE(InkBox(right), QRect(150 - extent.width(), 10, extent.width(), extent.height()));

    // In a mapped mode the extent is in logical units.
    QImage mapped = WhiteImage(10, 10, 200);
    fw::CDC dc(&mapped);
    dc.SetMapMode(fw::MM_LOENGLISH);
    dc.SelectObject(fw::CFont{-10, 700, false, false, "Arial"});  // 20 pixels
    QCOMPARE(dc.GetTextExtent("Lind").width(), (extent.width() + 1) / 2);
  }

  void drawTextCentresAndClips() {
    QImage image = WhiteImage(200, 60);
    {
      fw::CDC dc(&image);
      dc.SelectObject(fw::CFont{-14, 400, false, false, "Arial"});
      dc.SetBkMode(fw::TRANSPARENT);
      dc.DrawText("Mid", QRect(0, 0, 200, 30),
                  fw::DT_CENTER | fw::DT_VCENTER | fw::DT_SINGLELINE | fw::DT_NOPREFIX);
      dc.DrawText("A name far too long for its box", QRect(20, 35, 40, 20),
                  fw::DT_LEFT | fw::DT_SINGLELINE | fw::DT_END_ELLIPSIS);
    }
    QImage top = image.copy(0, 0, 200, 30);
    const QRect mid = InkBox(top);
    QVERIFY(qAbs(mid.center().x() - 100) <= 2);
    QVERIFY(qAbs(mid.center().y() - 15) <= 3);
    const QRect clipped = InkBox(image.copy(0, 32, 200, 28));
    QVERIFY(QRect(20, 3, 40, 20).contains(clipped));
  }

  void clipAndPictures() {
    QImage image = WhiteImage(60, 60);
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.setPixelColor(0, 0, Qt::red);
    picture.setPixelColor(1, 0, Qt::green);
    picture.setPixelColor(0, 1, Qt::blue);
    picture.setPixelColor(1, 1, Qt::yellow);
    {
      fw::CDC dc(&image);
      dc.IntersectClipRect(10, 10, 30, 30);
      dc.IntersectClipRect(20, 20, 50, 50);  // now 20..30
      QVERIFY(dc.HasClip());
      dc.FillSolidRect(0, 0, 60, 60, fw::Rgb(0, 0, 0));
      dc.SelectClipRect(nullptr);
      dc.DrawImage(picture, QRect(40, 0, 20, 20));
    }
    QCOMPARE(InkBox(image.copy(0, 20, 40, 40)), QRect(20, 0, 10, 10));
    QCOMPARE(Pixel(image, 42, 2), QColor(Qt::red));
    QCOMPARE(Pixel(image, 57, 2), QColor(Qt::green));
    QCOMPARE(Pixel(image, 42, 17), QColor(Qt::blue));
    QCOMPARE(Pixel(image, 57, 17), QColor(Qt::yellow));
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int status = 0;
  {
    DialogBaseTest test;
    status |= QTest::qExec(&test, argc, argv);
  }
  {
    ResizableDialogTest test;
    status |= QTest::qExec(&test, argc, argv);
  }
  {
    DeviceContextTest test;
    status |= QTest::qExec(&test, argc, argv);
  }
  return status;
}

#include "dialogs_test.moc"
