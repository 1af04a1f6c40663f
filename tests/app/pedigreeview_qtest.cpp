// The pedigree view rendered offscreen: the names in their boxes, the
// keyboard and mouse moves, the Back history and its generation labels, the
// arrow and descend buttons, the hover InfoBox and an empty client area.
#include <QApplication>
#include <QMouseEvent>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "AppOptions.h"
#include "AppScreens.h"
#include "FakePorts.h"
#include "InfoBox.h"
#include "KorApp.h"
#include "KorDoc.h"
#include "KorView.h"
#include "PedigreeFamily.h"

namespace pd = shell::pedigree;

namespace {

// The rightmost column inside rect whose pixels are close to ink (dark
// text on a light box), or -1 when the rect holds none: how far a name
// reaches in its box.
int InkRight(const QImage& image, const QRect& rect) {
  // The box's fill, just inside its border.
  const int fill = qGray(image.pixel(rect.left() + 1, rect.bottom() - 1));
  int right = -1;
  for (int y = rect.top() + 2; y < rect.bottom() - 1; ++y)
    for (int x = rect.left() + 2; x < rect.right() - 10; ++x)
      if (std::abs(qGray(image.pixel(x, y)) - fill) > 100) right = std::max(right, x);
  return right;
}

bool SameRegion(const QImage& a, const QImage& b, const QRect& rect) {
  return a.copy(rect) == b.copy(rect);
}

}  // namespace

class PedigreeViewTest : public QObject {
  Q_OBJECT

  std::unique_ptr<PedigreeFamily> family_;
  std::unique_ptr<CKorDoc> document_;
  std::unique_ptr<CKorView> view_;

  // A view of 1010 x 625 pixels (1.25 times the logical window) on rin.
  void Open(std::int32_t rin) {
    document_ = std::make_unique<CKorDoc>();
    document_->m_bAutoDelete = false;
    document_->m_handOverRin = static_cast<std::uint32_t>(rin);
    view_ = std::make_unique<CKorView>();
    view_->SetDocument(document_.get());
    view_->resize(1010, 625);
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
    view_->OnInitialUpdate();
    QTRY_COMPARE(view_->Tree().RinOf(0), rin);
  }
  QImage Render() { return view_->grab().toImage().convertToFormat(QImage::Format_RGB32); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(view_.get(), key, modifiers);
  }
  void Letter(char c) { QTest::keyClick(view_.get(), c); }
  // A mouse move over the view without buttons, delivered straight to it
  // (the test's earlier clicks leave the platform's pointer state behind).
  void Hover(QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, view_->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(view_.get(), &move);
  }
  QPoint Centre(int box) const { return view_->BoxDeviceRect(box).center(); }
  std::vector<std::uint32_t> History() const { return document_->m_visitedRins; }
  static std::uint32_t U(std::int32_t rin) { return static_cast<std::uint32_t>(rin); }

 private slots:
  void init() {
    family_ = std::make_unique<PedigreeFamily>();
    CAppOptions& options = CKorView::DefaultOptions();
    options.floaterOpt = 1;
    options.selectOpt = 2;
    options.infoTimeOut = 1000;
  }
  void cleanup() {
    view_.reset();
    document_.reset();
    family_.reset();
  }

  void namesStandInTheirBoxes() {
    Open(family_->kid);
    const auto& tree = view_->Tree();
    QCOMPARE(tree.RinOf(1), family_->dad);
    // Mom's sex is 'U': she is the mother because the marriage says so.
    QCOMPARE(tree.RinOf(2), family_->mom);
    QCOMPARE(tree.RinOf(3), family_->grandpa);
    QCOMPARE(tree.RinOf(4), family_->grandma);
    QCOMPARE(tree.RinOf(5), family_->momsDad);
    QCOMPARE(tree.RinOf(6), 0);
    QCOMPARE(tree.RinOf(7), family_->line[0]);
    QCOMPARE(tree.RinOf(15), family_->line[1]);
    QCOMPARE(QString::fromStdString(tree.Box(2)->GetDisplayName()), QStringLiteral("Mom Ray"));

    // What the user sees: each name reaches as far into its box as its
    // width, and empty boxes stay blank.
    const QImage image = Render();
    image.save(QStringLiteral("pedigree_view.png"));
    QFontMetrics metrics(view_->font());
    const int kidReach = InkRight(image, view_->BoxDeviceRect(0)) - view_->BoxDeviceRect(0).left();
    const int grandpaReach =
        InkRight(image, view_->BoxDeviceRect(3)) - view_->BoxDeviceRect(3).left();
    QVERIFY(kidReach > 20);
    // "Grandpa Lee" is longer than "Kid Lee".
    QVERIFY2(grandpaReach > kidReach + 10,
             qPrintable(QStringLiteral("%1 %2").arg(grandpaReach).arg(kidReach)));
    for (int empty : {6, 8, 13, 14, 30}) QCOMPARE(InkRight(image, view_->BoxDeviceRect(empty)), -1);
    for (int box : {1, 2, 4, 5, 7, 15}) QVERIFY(InkRight(image, view_->BoxDeviceRect(box)) > 0);

    // The boxes stretch with the window and do not overlap.
    view_->resize(1600, 900);
    QCOMPARE(view_->BoxDeviceRect(30).right() < 1600, true);
    QVERIFY(!view_->BoxDeviceRect(1).intersects(view_->BoxDeviceRect(3)));
  }

  void buttonsShowWhereTheTreeGoesOn() {
    Open(family_->kid);
    // Kid has no children; Elder2 in box 15 has a father beyond the view.
    QVERIFY(view_->Button(0)->isHidden());
    QVERIFY(!view_->Button(1)->isHidden());
    for (int k = 2; k <= 16; ++k) QVERIFY(view_->Button(k)->isHidden());
    QVERIFY(view_->Button(1)->geometry().left() >= view_->BoxDeviceRect(15).right());

    // Arrow button 1: the father becomes primary, the cursor lands on
    // box 15 of the shifted tree, Kid joins the Back history.
    QTest::mouseClick(view_->Button(1), Qt::LeftButton);
    QCOMPARE(view_->Tree().RinOf(0), family_->dad);
    QCOMPARE(view_->CurrentBox(), 15);
    QCOMPARE(view_->Tree().RinOf(15), family_->line[2]);
    QCOMPARE(History(), std::vector<std::uint32_t>{U(family_->kid)});
    QVERIFY(!view_->Button(0)->isHidden());

    // Descend takes the history back.
    Key(Qt::Key_Home);
    Key(Qt::Key_Left);
    QTRY_COMPARE(view_->Tree().RinOf(0), family_->kid);
    QVERIFY(History().empty());
  }

  void descendOpensTheDescendancyListUnlessOffOrOneChild() {
    // Dad has three children: Descend lets the user pick from the list.
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile{&profile};
    std::vector<std::int32_t> opened;
    AppScreens().descendancyList = [&](QWidget*, std::int32_t rin) {
      opened.push_back(rin);
      return family_->halfBrother;
    };
    Open(family_->dad);
    QVERIFY(!view_->Button(0)->isHidden());
    QTest::mouseClick(view_->Button(0), Qt::LeftButton);
    QCOMPARE(opened, std::vector<std::int32_t>{family_->dad});
    QTRY_COMPARE(view_->Tree().RinOf(0), family_->halfBrother);
    QVERIFY(History().empty());

    // With the option off the first child with children of his own leads on.
    profile.SetInt("Options", "UseDescList", 0);
    Open(family_->dad);
    QTest::mouseClick(view_->Button(0), Qt::LeftButton);
    QTRY_COMPARE(view_->Tree().RinOf(0), family_->halfSister);
    QCOMPARE(opened.size(), 1u);
    AppScreens().descendancyList = nullptr;
  }

  void keysMoveThroughTheTree() {
    Open(family_->kid);
    QCOMPARE(view_->CurrentBox(), 0);
    struct Step {
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
      int expected;
    } steps[] = {
        {Qt::Key_PageUp, Qt::NoModifier, 1},   {Qt::Key_PageUp, Qt::NoModifier, 3},
        {Qt::Key_PageDown, Qt::NoModifier, 8},  // box 8 is empty: stays
        {Qt::Key_Right, Qt::NoModifier, 7},    {Qt::Key_Left, Qt::NoModifier, 3},
        {Qt::Key_Down, Qt::NoModifier, 4},     {Qt::Key_Down, Qt::NoModifier, 5},
        {Qt::Key_Up, Qt::NoModifier, 4},       {Qt::Key_End, Qt::NoModifier, 15},
        {Qt::Key_Home, Qt::NoModifier, 0},     {Qt::Key_9, Qt::KeypadModifier, 1},
        {Qt::Key_3, Qt::KeypadModifier, 4},    {Qt::Key_4, Qt::KeypadModifier, 1},
    };
    for (const Step& step : steps) {
      const int before = view_->CurrentBox();
      Key(step.key, step.modifiers);
      const int expected = step.expected == 8 ? before : step.expected;
      QCOMPARE(view_->CurrentBox(), expected);
    }
    // The navigation letters: F father, M mother, C child.
    Key(Qt::Key_Home);
    Letter('m');
    QCOMPARE(view_->CurrentBox(), 2);
    Letter('f');
    QCOMPARE(view_->CurrentBox(), 5);
    Letter('c');
    QCOMPARE(view_->CurrentBox(), 2);
    // Page Down in the last generation beside a hidden arrow does nothing.
    QTest::mouseClick(view_.get(), Qt::LeftButton, {}, Centre(15));
    QTest::mouseClick(view_.get(), Qt::LeftButton, {}, Centre(15));
    QCOMPARE(view_->SelectedBox(), -1);
    view_->OnSetCurrentBox(15);
    Key(Qt::Key_PageDown);  // button 1 is shown: the tree moves on
    QCOMPARE(view_->Tree().RinOf(0), family_->dad);
  }

  void clicksSelectAndCtrlDoubleClickMovesWithTheHistory() {
    Open(family_->kid);
    QTest::mouseClick(view_.get(), Qt::LeftButton, {}, Centre(4));
    QCOMPARE(view_->SelectedBox(), 4);
    QCOMPARE(view_->CurrentBox(), 4);
    QVERIFY(view_->InfoBox()->IsShown());
    QCOMPARE(view_->InfoBox()->FormState(), int(CInfoBox::kLargeShown));
    // The same box again closes it; once more reopens it.
    QTest::mouseClick(view_.get(), Qt::LeftButton, {}, Centre(4));
    QCOMPARE(view_->SelectedBox(), -1);
    QVERIFY(!view_->InfoBox()->IsShown());
    QTest::mouseClick(view_.get(), Qt::LeftButton, {}, Centre(4));
    QVERIFY(view_->InfoBox()->IsShown());
    // Escape hides it and drops the selection.
    Key(Qt::Key_Escape);
    QVERIFY(!view_->InfoBox()->IsShown());
    QCOMPARE(view_->SelectedBox(), -1);

    const QImage before = Render();
    const QRect header = QRect(0, 0, view_->width(), view_->BoxDeviceRect(15).top());
    // Ctrl+double-click on box 15: boxes 0, 1, 3 and 7 join the history,
    // box 0's first, and Elder2 becomes primary.
    QTest::mouseDClick(view_.get(), Qt::LeftButton, Qt::ControlModifier, Centre(15));
    QTRY_COMPARE(view_->Tree().RinOf(0), family_->line[1]);
    QCOMPARE(History(), (std::vector<std::uint32_t>{U(family_->kid), U(family_->dad),
                                                    U(family_->grandpa), U(family_->line[0])}));
    // The generation labels now count from Kid: "5th" to "9th".
    QVERIFY(!SameRegion(before, Render(), header));
    QCOMPARE(pd::HeaderLabels(History().size())[0], std::string("5th"));

    // Descend walks the history back one step at a time.
    Key(Qt::Key_Left);
    QTRY_COMPARE(view_->Tree().RinOf(0), family_->line[0]);
    QCOMPARE(History().size(), std::size_t{3});
    QCOMPARE(view_->Tree().RinOf(1), family_->line[1]);
  }

  void moveToPrimaryAppendsThePath() {
    Open(family_->kid);
    view_->OnSetCurrentBox(5);
    view_->OnMoveToPrimary();
    QCOMPARE(view_->Tree().RinOf(0), family_->momsDad);
    QCOMPARE(History(), (std::vector<std::uint32_t>{U(family_->kid), U(family_->mom)}));
  }

  void hoverOpensTheInfoBoxAfterTheTimeOutOrAtOnce() {
    Open(family_->kid);
    // Small enough that the InfoBox never meets the screen's edge.
    view_->move(0, 0);
    view_->resize(640, 400);
    CAppOptions& options = CKorView::DefaultOptions();
    options.infoTimeOut = 150;
    Hover(QPoint(2, 2));
    Hover(Centre(1));
    QVERIFY(!view_->InfoBox()->IsShown());
    QTRY_VERIFY(view_->InfoBox()->IsShown());
    QCOMPARE(view_->InfoBoxBox(), 1);
    QCOMPARE(view_->InfoBox()->FormState(), int(CInfoBox::kSmallShown));
    QCOMPARE(view_->InfoBox()->size(), view_->InfoBox()->SmallSize());
    // Off the boxes it goes.
    Hover(QPoint(3, view_->height() - 3));
    QVERIFY(!view_->InfoBox()->IsShown());

    // Timeout 0: at once, and it does not close by itself.
    options.infoTimeOut = 0;
    Hover(Centre(1));
    QVERIFY(view_->InfoBox()->IsShown());
    QCOMPARE(view_->InfoBoxBox(), 1);
    QCOMPARE(view_->CurrentBox(), 1);
    QTest::qWait(300);
    QVERIFY(view_->InfoBox()->IsShown());

    // Box 1 has room below for the large form: the InfoBox hangs from its
    // bottom edge, left-aligned with it.
    const QRect one = view_->BoxDeviceRect(1);
    QCOMPARE(view_->InfoBox()->geometry().topLeft(),
             view_->mapToGlobal(QPoint(one.left(), one.bottom() + 1)));
    // Box 2 has none: the InfoBox stands on its top edge.
    options.floaterOpt = 2;
    Hover(Centre(2));
    QCOMPARE(view_->InfoBox()->FormState(), int(CInfoBox::kLargeShown));
    QCOMPARE(view_->InfoBox()->size(), view_->InfoBox()->LargeSize());
    const QRect two = view_->BoxDeviceRect(2);
    QCOMPARE(view_->InfoBox()->geometry().bottom() + 1, view_->mapToGlobal(two.topLeft()).y());
    QCOMPARE(view_->InfoBox()->geometry().left(), view_->mapToGlobal(two.topLeft()).x());
    // A click locks it on the box; hovering elsewhere leaves it there.
    QTest::mouseClick(view_.get(), Qt::LeftButton, {}, Centre(2));
    QCOMPARE(view_->SelectedBox(), 2);
    Hover(Centre(4));
    QCOMPARE(view_->InfoBoxBox(), 2);
    QVERIFY(view_->InfoBox()->IsShown());
  }

  void anEmptyClientAreaDrawsNothing() {
    Open(family_->kid);
    view_->resize(0, 0);
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    view_->render(&image);
    QCOMPARE(image.pixel(1, 1), QColor(Qt::magenta).rgb());
    // Loading into an empty view divides by nothing.
    view_->OnShowIndividual(family_->dad, 0);
    QCOMPARE(view_->Tree().RinOf(0), family_->dad);
    QCOMPARE(pd::Mapping(0, 0).FontHeight(), 0);
    view_->resize(0, 400);
    view_->repaint();
    view_->resize(600, 400);
    QVERIFY(InkRight(Render(), view_->BoxDeviceRect(0)) > 0);
  }

  void theEmptyViewMessageEmptiesEverything() {
    Open(family_->kid);
    document_->m_visitedRins = {1, 2};
    view_->OnShowIndividual(0, 0);
    QVERIFY(view_->Tree().IsEmpty());
    QVERIFY(History().empty());
    QVERIFY(view_->Button(1)->isHidden());
    QCOMPARE(view_->GetCurrentIndividual(0), std::intptr_t{0});
  }

  void currentMarriageComesFromTheBox() {
    Open(family_->kid);
    view_->OnSetCurrentBox(1);
    QCOMPARE(view_->GetCurrentIndividual(0), std::intptr_t{family_->dad});
    QCOMPARE(view_->GetCurrentMarriage(0), std::intptr_t{family_->parents});
    view_->OnSetCurrentBox(0);
    QCOMPARE(view_->GetCurrentMarriage(0), std::intptr_t{0});
  }
};

QTEST_MAIN(PedigreeViewTest)
#include "pedigreeview_qtest.moc"
