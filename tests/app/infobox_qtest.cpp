// The InfoBox: its lines for people with and without dates, spouses,
// parents and children, the two forms and their sizes, the moves to a
// spouse or a child, and where it places itself.
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "IndividualNode.h"
#include "InfoBox.h"
#include "MarriageNode.h"
#include "PedigreeFamily.h"

class InfoBoxTest : public QObject {
  Q_OBJECT

  std::unique_ptr<PedigreeFamily> family_;
  std::unique_ptr<QWidget> view_;
  std::unique_ptr<CInfoBox> box_;

  // A node of rin held by the test.
  CIndividualNode* Node(std::int32_t rin) {
    CIndividualRecord record;
    if (family::Read(record, rin) != 1) return nullptr;
    CIndividualNode* node = CIndividualNode::New(record, 2, 0, 0, nullptr);
    held_.push_back(nullptr);
    SetIndividualRef(held_.back(), node);
    return node;
  }
  std::vector<CIndividualNode*> held_;

  QString Text(int id) const { return box_->Control<QLabel>(id)->text(); }
  QStringList Spouses() const {
    QStringList items;
    for (int i = 0; i < box_->SpouseField()->count(); ++i)
      items << box_->SpouseField()->itemText(i);
    return items;
  }
  QStringList Children() const {
    QStringList items;
    for (int i = 0; i < box_->ChildrenList()->count(); ++i)
      items << box_->ChildrenList()->item(i)->text();
    return items;
  }
  static InfoBoxPlacement At(int x, int y) { return {0, x, y}; }

 private slots:
  void init() {
    family_ = std::make_unique<PedigreeFamily>();
    view_ = std::make_unique<QWidget>();
    view_->resize(400, 300);
    box_ = std::make_unique<CInfoBox>(view_.get());
  }
  void cleanup() {
    box_.reset();
    for (CIndividualNode*& node : held_) {
      node->ReleaseMarriages();
      ReleaseIndividualRef(node);
    }
    held_.clear();
    view_.reset();
    family_.reset();
  }

  void largeFormShowsDatesSpousesAndChildren() {
    CIndividualNode* dad = Node(family_->dad);
    box_->OnShowLarge(1, At(10, 10));
    QCOMPARE(box_->OnLoad(dad), 0);
    QCOMPARE(box_->FormState(), int(CInfoBox::kLargeShown));
    QCOMPARE(Text(CInfoBox::kIdBirthLabel), QStringLiteral("B:"));
    QVERIFY2(Text(CInfoBox::kIdBirthText).contains(QStringLiteral("1921")),
             qPrintable(Text(CInfoBox::kIdBirthText)));
    QVERIFY(Text(CInfoBox::kIdBirthText).contains(QStringLiteral("Ashford")));
    QCOMPARE(Text(CInfoBox::kIdDeathLabel), QStringLiteral("D:"));
    QVERIFY(Text(CInfoBox::kIdDeathText).contains(QStringLiteral("1990")));
    // Both wives, in his order; the first marriage is chosen.
    QCOMPARE(Spouses(), (QStringList{QStringLiteral("Mom Ray"), QStringLiteral("Vera Stone")}));
    QCOMPARE(box_->SpouseField()->currentIndex(), 0);
    QCOMPARE(Children(), QStringList{QStringLiteral(" \tKid Lee")});
    QVERIFY(Text(CInfoBox::kIdMarriageText).isEmpty());

    // The second marriage: its date and its children, Ann with a child of
    // her own marked "<".
    QSignalSpy moves(box_.get(), &CInfoBox::moveRequested);
    box_->SpouseField()->setCurrentIndex(1);
    emit box_->SpouseField()->activated(1);
    QCOMPARE(box_->Marriage()->GetMrin(), family_->secondMarriage);
    QVERIFY(Text(CInfoBox::kIdMarriageText).contains(QStringLiteral("1960")));
    QCOMPARE(Children(), (QStringList{QStringLiteral("<\tAnn Lee"), QStringLiteral(" \tTom Lee")}));
    QCOMPARE(moves.count(), 0);
    box_->grab().save(QStringLiteral("infobox_large.png"));

    // Enter in the children list moves to the selected child.
    box_->ChildrenList()->setCurrentRow(1);
    QTest::keyClick(box_->ChildrenList(), Qt::Key_Return);
    QCOMPARE(moves.count(), 1);
    InfoBoxMove move = moves.at(0).at(0).value<InfoBoxMove>();
    QCOMPARE(move.kind, 1);
    QCOMPARE(move.shown, dad);
    QCOMPARE(move.target->GetRin(), family_->halfBrother);
    QCOMPARE(move.marriage->GetMrin(), family_->secondMarriage);
    move.Release();
    // The InfoBox hides itself on the way.
    QTRY_VERIFY(!box_->IsShown());
    QCOMPARE(box_->FormState(), int(CInfoBox::kLargeHidden));
  }

  void christeningAndBurialStandInForMissingDates() {
    CIndividualNode* mom = Node(family_->mom);
    box_->OnShowSmall(2, At(0, 0));
    QCOMPARE(box_->OnLoad(mom), 1);
    QCOMPARE(Text(CInfoBox::kIdBirthLabel), QStringLiteral("C:"));
    QVERIFY(Text(CInfoBox::kIdBirthText).contains(QStringLiteral("Eastwick")));
    QCOMPARE(Text(CInfoBox::kIdDeathLabel), QStringLiteral("B:"));
    QVERIFY(Text(CInfoBox::kIdDeathText).contains(QStringLiteral("1999")));
    // The details were read for the load only.
    QVERIFY(mom->GetDetails() == nullptr);
  }

  void aPersonWithoutDatesOrFamilyShowsEmptyLines() {
    CIndividualNode* tom = Node(family_->halfBrother);
    box_->OnShowLarge(3, At(0, 0));
    box_->OnLoad(tom);
    QCOMPARE(Text(CInfoBox::kIdBirthLabel), QStringLiteral("B:"));
    QVERIFY(Text(CInfoBox::kIdBirthText).isEmpty());
    QVERIFY(Text(CInfoBox::kIdDeathText).isEmpty());
    QVERIFY(Text(CInfoBox::kIdMarriageText).isEmpty());
    QVERIFY(Spouses().isEmpty());
    QVERIFY(Children().isEmpty());
    QVERIFY(box_->Marriage() == nullptr);
    // Nowhere to move.
    QSignalSpy moves(box_.get(), &CInfoBox::moveRequested);
    box_->MoveToSpouse();
    box_->MoveToChild();
    QCOMPARE(moves.count(), 0);
  }

  void aMissingPartnerReadsUnknown() {
    // Ann's marriage has no husband.
    CIndividualNode* ann = Node(family_->halfSister);
    box_->OnShowLarge(4, At(0, 0));
    box_->OnLoad(ann);
    QCOMPARE(Spouses(), QStringList{QStringLiteral("Unknown")});
    QCOMPARE(Children(), QStringList{QStringLiteral(" \tSam Lee")});
    QSignalSpy moves(box_.get(), &CInfoBox::moveRequested);
    box_->MoveToSpouse();
    QCOMPARE(moves.count(), 0);
  }

  void formsResizeOnlyWhenTheyChange() {
    QVERIFY(box_->SmallSize().height() < box_->LargeSize().height());
    QCOMPARE(box_->SmallSize().width(), box_->LargeSize().width());
    CIndividualNode* dad = Node(family_->dad);
    box_->OnShowSmall(1, At(20, 30));
    box_->OnLoad(dad);
    QCOMPARE(box_->size(), box_->SmallSize());
    QCOMPARE(box_->pos(), QPoint(20, 30));
    box_->OnShowLarge(1, At(20, 30));
    QCOMPARE(box_->size(), box_->LargeSize());
    // The small form shows the three date lines and none of the family part.
    const QRect deathLine = box_->Control<QLabel>(CInfoBox::kIdDeathText)->geometry();
    const QRect spouses = box_->SpouseField()->geometry();
    const int contentTop = box_->Control<QLabel>(CInfoBox::kIdBirthText)->parentWidget()->y();
    QVERIFY(box_->SmallSize().height() >= contentTop + deathLine.bottom());
    QVERIFY(box_->SmallSize().height() <= contentTop + spouses.top() + 1);
    // The same person again in the large form: filled at once, and the
    // load message that follows does nothing.
    QCOMPARE(Children(), QStringList{QStringLiteral(" \tKid Lee")});
    QCOMPARE(box_->OnLoad(dad), 0);
    box_->resize(50, 50);
    box_->OnShowLarge(1, At(20, 30));
    QCOMPARE(box_->size(), QSize(50, 50));  // same form: not resized
  }

  void placementKindsAndTheScreenEdge() {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize small = box_->SmallSize();
    box_->OnShowSmall(1, {1, 100, 300});  // bottom-left corner
    QCOMPARE(box_->geometry().bottomLeft(), QPoint(100, 299));
    box_->OnShowSmall(1, {3, 500, 300});  // bottom-right corner
    QCOMPARE(box_->geometry().bottomRight(), QPoint(499, 299));
    box_->OnShowSmall(1, {2, 500, 40});  // top-right corner
    QCOMPARE(box_->geometry().topRight(), QPoint(499, 40));
    // Past the screen's corner it stays on the screen.
    box_->OnShowSmall(1, {0, screen.right() - 10, screen.bottom() - 5});
    QCOMPARE(box_->geometry().bottomRight(), screen.bottomRight());
    QCOMPARE(box_->size(), small);
  }

  void hidingClearsAndCountsTheStates() {
    CIndividualNode* dad = Node(family_->dad);
    const int before = dad->GetRefCount();
    box_->OnShowLarge(1, At(0, 0));
    box_->OnLoad(dad);
    QVERIFY(dad->GetRefCount() > before);
    box_->OnHide();
    QCOMPARE(box_->FormState(), int(CInfoBox::kLargeHidden));
    QCOMPARE(box_->ShownKey(), -1);
    QVERIFY(box_->Individual() == nullptr);
    QCOMPARE(dad->GetRefCount(), before);
    QVERIFY(Spouses().isEmpty());
    // Escape asks the view to hide it.
    QSignalSpy hides(box_.get(), &CInfoBox::hideRequested);
    box_->OnShowSmall(2, At(0, 0));
    box_->reject();
    QCOMPARE(hides.count(), 1);
  }
};

QTEST_MAIN(InfoBoxTest)
#include "infobox_qtest.moc"
