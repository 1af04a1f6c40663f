// The family view as a user sees it: each view is painted through a device
// that records where every text lands and into an image, and the names are
// looked for in the panes they belong to; keys, the interface language's
// navigation letters, clicks on panes, rows and buttons move through the
// family, with the Back history and the status panes.
#include <QImage>
#include <QPaintEngine>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>
#include <fstream>
#include <memory>

#include "AppScreens.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "KorDoc.h"
#include "KorView2.h"
#include "MarriageNode.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "MultimediaItem.h"
#include "RecordAccess.h"
#include "StartupTables.h"
#include "StatusPanes.h"
#include "StringTable.h"

using namespace shell::famview;

namespace {

// A paint device that keeps every text drawn on it with its place.
class TextRecorder : public QPaintDevice {
 public:
  struct Text {
    QPointF at;  // left end of the baseline, device pixels
    QString text;
  };

  explicit TextRecorder(QSize size) : size_(size), engine_(this) {}
  QPaintEngine* paintEngine() const override { return &engine_; }
  const std::vector<Text>& Texts() const { return texts_; }

  // The texts whose baseline starts inside rect, in drawing order.
  QStringList TextsIn(const QRect& rect) const {
    QStringList found;
    for (const Text& t : texts_)
      if (rect.contains(t.at.toPoint())) found << t.text;
    return found;
  }

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmWidth:
        return size_.width();
      case PdmHeight:
        return size_.height();
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return 96;
      case PdmDepth:
        return 32;
      case PdmNumColors:
        return 1 << 24;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
      default:
        return 0;
    }
  }

 private:
  class Engine : public QPaintEngine {
   public:
    explicit Engine(TextRecorder* owner) : QPaintEngine(AllFeatures), owner_(owner) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawTextItem(const QPointF& at, const QTextItem& item) override {
      owner_->texts_.push_back({painter()->transform().map(at), item.text()});
    }
    Type type() const override { return User; }

   private:
    TextRecorder* owner_;
  };

  QSize size_;
  mutable Engine engine_;
  std::vector<Text> texts_;
};

QRect DeviceRect(const Mapping& map, const LRect& logical) {
  const LRect r = map.ToDevice(logical);
  return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

QPoint CentreOf(const Mapping& map, const LRect& logical) {
  return DeviceRect(map, logical).center();
}

}  // namespace

class FamilyViewTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<plat::FakeMessageBox> boxes_;
  std::unique_ptr<plat::ScopedMessageBox> scopedBoxes_;
  std::unique_ptr<CKorDoc> document_;
  std::unique_ptr<CKorView2> view_;
  std::vector<std::pair<std::uintptr_t, std::intptr_t>> status_;

  std::int32_t grandfather_ = 0, grandmother_ = 0, john_ = 0, dana_ = 0, ruth_ = 0, alma_ = 0,
               tim_ = 0;
  std::int32_t parents_ = 0, first_ = 0, second_ = 0, single_ = 0;
  std::vector<std::int32_t> firstChildren_, secondChildren_;

  static std::int32_t Add(const char* surname, const char* given, char sex, int born = 0) {
    CIndividualRecord person;
    person.surname = surname;
    person.givenNames[0] = given;
    person.sex = sex;
    if (born) {
      person.birth.date.Set(born, 5, 4);
      person.birth.place[0] = "Hallstad";
    }
    return static_cast<std::int32_t>(family::Add(person, 0));
  }
  static void AddChild(std::int32_t mrin, std::int32_t child) {
    QVERIFY(DbSetRelation(child, 0, db::kRelParents, mrin) > 0);
  }

  // A view of 808 x 500 pixels on the document, starting on rin (-1: on
  // what the document hands over).
  CKorView2* Show(std::int32_t rin, QSize size = QSize(808, 500)) {
    view_.reset();
    if (rin >= 0) document_->m_handOverRin = static_cast<std::uint32_t>(rin);
    view_ = std::make_unique<CKorView2>();
    view_->SetStatusSink(
        [this](std::uintptr_t kind, std::intptr_t value) { status_.emplace_back(kind, value); });
    view_->SetDocument(document_.get());
    view_->resize(size);
    view_->OnInitialUpdate();
    view_->show();
    return view_.get();
  }

  std::unique_ptr<TextRecorder> Record() {
    auto recorder = std::make_unique<TextRecorder>(view_->size());
    QPainter painter(recorder.get());
    view_->Render(painter, view_->size());
    return recorder;
  }

  QString PaneText(const TextRecorder& recorder, int pane) const {
    return recorder.TextsIn(DeviceRect(Mapping(view_->width(), view_->height()), kPaneRects[pane]))
        .join(QLatin1Char('|'));
  }

  QAbstractButton* Button(int id) const {
    return view_->findChild<QAbstractButton*>(QStringLiteral("button%1").arg(id));
  }
  QScrollBar* ScrollBar() const {
    return view_->findChild<QScrollBar*>(QStringLiteral("scrollBar%1").arg(kIdChildScrollBar));
  }
  std::int32_t Primary() const {
    CIndividualNode* node = view_->GetPaneContent(kPanePrimary);
    return node ? node->GetRin() : 0;
  }
  std::intptr_t LastStatus(std::uintptr_t kind) const {
    for (auto it = status_.rbegin(); it != status_.rend(); ++it)
      if (it->first == kind) return it->second;
    return -2;
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    boxes_ = std::make_unique<plat::FakeMessageBox>();
    scopedBoxes_ = std::make_unique<plat::ScopedMessageBox>(boxes_.get());
    const std::string path = dir_->filePath(QStringLiteral("family.orv")).toStdString();
    QCOMPARE(DbCreate(path, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(path, CFamilyDatabase::kCurrentFormat), 1);

    grandfather_ = Add("Ahl", "Gustav", 'M', 1820);
    grandmother_ = Add("Berg", "Hanna", 'F');
    john_ = Add("Ahl", "John", 'M', 1850);
    dana_ = Add("Cole", "Dana", 'U');  // a wife of unknown sex
    ruth_ = Add("Dahl", "Ruth", 'F');
    alma_ = Add("Eck", "Alma", 'F');
    tim_ = Add("Eck", "Tim", 'M');
    parents_ = DbSetRelation(grandfather_, grandmother_, db::kRelHusband, 0);
    AddChild(parents_, john_);
    first_ = DbSetRelation(john_, dana_, db::kRelHusband, 0);
    second_ = DbSetRelation(john_, ruth_, db::kRelHusband, 0);
    const char* names[] = {"Anna", "Bo", "Cecil", "Dora", "Emil", "Frida", "Gerd", "Hugo", "Ida"};
    firstChildren_.clear();
    secondChildren_.clear();
    for (int i = 0; i < 8; ++i) firstChildren_.push_back(Add("Ahl", names[i], 'M', 1880 + i));
    for (int i = 0; i < 9; ++i) secondChildren_.push_back(Add("Dahl", names[i], 'F', 1890 + i));
    for (std::int32_t c : firstChildren_) AddChild(first_, c);
    for (std::int32_t c : secondChildren_) AddChild(second_, c);
    single_ = DbSetRelation(alma_, 0, db::kRelWife, 0);  // a marriage with husband 0
    AddChild(single_, tim_);

    document_ = std::make_unique<CKorDoc>();
    document_->m_bAutoDelete = false;
    status_.clear();
  }
  void cleanup() {
    view_.reset();
    document_.reset();
    DbCloseCurrent();
    scopedBoxes_.reset();
    dir_.reset();
  }

  void namesStandInTheirPanes() {
    Show(john_);
    const auto texts = Record();
    QCOMPARE(PaneText(*texts, kPanePrimary).section('|', 0, 0), QStringLiteral("John Ahl"));
    QVERIFY(PaneText(*texts, kPanePrimary).contains(QStringLiteral("Hallstad")));
    QCOMPARE(PaneText(*texts, kPaneSpouse), QStringLiteral("Dana Cole"));
    QCOMPARE(PaneText(*texts, kPaneFather).section('|', 0, 0), QStringLiteral("Gustav Ahl"));
    QCOMPARE(PaneText(*texts, kPaneMother).section('|', 0, 0), QStringLiteral("Hanna Berg"));
    QVERIFY(PaneText(*texts, kPaneMarriage).startsWith(QStringLiteral("Marriage: ")));
    // The captions above the panes.
    for (const char* caption : {"Spouse", "Parents", "Children", "Born", "Parent Link"}) {
      bool found = false;
      for (const auto& t : texts->Texts()) found = found || t.text == QLatin1String(caption);
      QVERIFY2(found, caption);
    }
    // Eight children, each in its own row with its number.
    const Mapping map(808, 500);
    for (int row = 0; row < kChildRows; ++row) {
      const QStringList inRow = texts->TextsIn(DeviceRect(map, ChildRowRect(row)));
      QVERIFY2(inRow.size() >= 3, qPrintable(inRow.join('|')));
      QCOMPARE(inRow[0], QString::number(row + 1));
      QVERIFY(inRow[1].endsWith(QStringLiteral(" Ahl")));
      QCOMPARE(inRow[2], QStringLiteral("4 May %1").arg(1880 + row));
    }
    QVERIFY(ScrollBar()->isHidden());
    QVERIFY(!Button(kIdFirstChildButton + 7)->isHidden());
    // Two marriages: the Other Marriages button shows (disabled without its
    // screen); one parent family: Other Parents stays hidden.
    QVERIFY(!Button(kIdOtherMarriages)->isHidden());
    QVERIFY(!Button(kIdOtherMarriages)->isEnabled());
    QVERIFY(Button(kIdOtherParents)->isHidden());
    {
      // With the screen (Spouse Order), the marriage current when the order
      // was stored becomes the one shown.
      std::int32_t asked = 0;
      int shownIndex = -1;
      const int before = view_->Model()->CurrentMarriageIndex();
      CIndividualNode* primary = view_->GetPaneContent(0);
      QVERIFY(primary != nullptr);
      const std::int32_t primaryRin = primary->GetRin();
      view_->Model()->ShowOtherMarriage(0);
      view_->OnShow(0);
      primary = view_->GetPaneContent(0);
      QVERIFY(primary != nullptr && primary->GetLoadedMarriageCount() > 1);
      const std::int32_t second = primary->GetMarriage(1)->GetMrin();
      AppScreens().spouseOrder = [&](QWidget*, std::int32_t rin, int index) {
        asked = rin;
        shownIndex = index;
        return second;
      };
      view_->OnShow(0);
      QVERIFY(Button(kIdOtherMarriages)->isEnabled());
      Button(kIdOtherMarriages)->click();
      QCOMPARE(asked, primaryRin);
      QCOMPARE(shownIndex, 0);
      QCOMPARE(view_->Model()->CurrentMarriageIndex(), 1);
      QCOMPARE(view_->Model()->GetCurrentMarriage()->GetMrin(), second);
      view_->Model()->ShowOtherMarriage(before);
      AppScreens().spouseOrder = nullptr;
    }
    QCOMPARE(Button(kIdFatherButton)->property("bitmapId").toInt(), kBitmapParentNoParents);

    // The picture: the selected primary pane in the selected colours, the
    // spouse pane in the others.
    const QImage image = view_->grab().toImage();
    const QColor selected = image.pixelColor(CentreOf(map, {300, 80, 360, 90}));
    const QColor normal = image.pixelColor(CentreOf(map, {300, 206, 360, 216}));
    QVERIFY(selected != normal);
    QCOMPARE(image.pixelColor(CentreOf(map, {300, 430, 360, 440})), normal);
  }

  void nineChildrenScrollAndEightDoNot() {
    Show(john_);
    QTest::keyClick(view_.get(), Qt::Key_PageDown);  // the second marriage
    QCOMPARE(view_->GetCurrentMarriage()->GetMrin(), second_);
    QVERIFY(!ScrollBar()->isHidden());
    QCOMPARE(ScrollBar()->maximum(), 1);
    QCOMPARE(ScrollBar()->pageStep(), 8);
    const Mapping map(808, 500);
    auto rowNumbers = [&] {
      const auto texts = Record();
      QStringList numbers;
      for (int row = 0; row < kChildRows; ++row)
        numbers << texts->TextsIn(DeviceRect(map, ChildRowRect(row))).value(0);
      return numbers.join(' ');
    };
    QCOMPARE(rowNumbers(), QStringLiteral("1 2 3 4 5 6 7 8"));
    QTest::keyClick(view_.get(), Qt::Key_End);
    QCOMPARE(view_->Model()->SelectedPane(), int(kPaneChildren));
    QCOMPARE(rowNumbers(), QStringLiteral("2 3 4 5 6 7 8 9"));
    QCOMPARE(ScrollBar()->value(), 1);
    // The scroll bar moves the rows back without moving the current child.
    ScrollBar()->setValue(0);
    QCOMPARE(rowNumbers(), QStringLiteral("1 2 3 4 5 6 7 8"));
    QCOMPARE(view_->Model()->Children().Current(), 8);
    QCOMPARE(LastStatus(shell::kPaneChildren), 9);
  }

  void aMissingSpouseOrParentReadsUnknown() {
    Show(alma_);
    auto texts = Record();
    QCOMPARE(PaneText(*texts, kPaneSpouse), QStringLiteral("Unknown"));
    QCOMPARE(PaneText(*texts, kPaneFather), QString());  // no parents' family
    Show(tim_);
    texts = Record();
    QCOMPARE(PaneText(*texts, kPaneFather), QStringLiteral("Unknown"));
    QCOMPARE(PaneText(*texts, kPaneMother).section('|', 0, 0), QStringLiteral("Alma Eck"));
    QCOMPARE(PaneText(*texts, kPaneSpouse), QString());
    QVERIFY(Button(kIdFatherButton)->isHidden());
    QVERIFY(!Button(kIdMotherButton)->isHidden());
  }

  void aWifeOfUnknownSexIsShownAsTheWife() {
    Show(firstChildren_[0]);
    auto texts = Record();
    QCOMPARE(PaneText(*texts, kPaneFather).section('|', 0, 0), QStringLiteral("John Ahl"));
    QCOMPARE(PaneText(*texts, kPaneMother).section('|', 0, 0), QStringLiteral("Dana Cole"));
    Show(dana_);
    texts = Record();
    QCOMPARE(PaneText(*texts, kPanePrimary).section('|', 0, 0), QStringLiteral("Dana Cole"));
    QCOMPARE(PaneText(*texts, kPaneSpouse).section('|', 0, 0), QStringLiteral("John Ahl"));
  }

  void keysMoveThroughTheFamilyWithTheBackHistory() {
    Show(firstChildren_[1]);
    QTest::keyClick(view_.get(), Qt::Key_Right);
    QCOMPARE(view_->Model()->SelectedPane(), int(kPaneFather));
    QTest::keyClick(view_.get(), Qt::Key_Right);
    QCOMPARE(Primary(), john_);
    QTest::keyClick(view_.get(), Qt::Key_F);
    QCOMPARE(Primary(), grandfather_);
    QCOMPARE(document_->m_visitedRins,
             (std::vector<std::uint32_t>{std::uint32_t(firstChildren_[1]), std::uint32_t(john_)}));
    QTest::keyClick(view_.get(), Qt::Key_S);
    QCOMPARE(Primary(), grandmother_);
    QTest::keyClick(view_.get(), Qt::Key_C);
    QCOMPARE(Primary(), john_);
    QCOMPARE(document_->m_visitedRins.size(), std::size_t{1});
    // The numeric keypad: 2 moves down.
    QTest::keyClick(view_.get(), Qt::Key_2, Qt::KeypadModifier);
    QCOMPARE(view_->Model()->SelectedPane(), int(kPaneMarriage));
    QCOMPARE(LastStatus(shell::kPaneRin), -1);
    QCOMPARE(LastStatus(shell::kPaneMrin), first_);
    QCOMPARE(LastStatus(shell::kPaneMarriages), 2);
    QTest::keyClick(view_.get(), Qt::Key_C);
    QCOMPARE(Primary(), firstChildren_[1]);
    QVERIFY(document_->m_visitedRins.empty());
    QCOMPARE(LastStatus(shell::kPaneRin), firstChildren_[1]);
    QCOMPARE(LastStatus(shell::kPaneMrin), -1);  // no marriage of her own
  }

  void descendWithoutHistoryOpensTheDescendancyList() {
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile{&profile};
    std::vector<std::int32_t> opened;
    std::int32_t answer = secondChildren_[3];
    AppScreens().descendancyList = [&](QWidget*, std::int32_t rin) {
      opened.push_back(rin);
      return answer;
    };
    Show(john_);
    QTest::keyClick(view_.get(), Qt::Key_C);
    QCOMPARE(opened, std::vector<std::int32_t>{john_});
    QCOMPARE(Primary(), secondChildren_[3]);
    // Cancel in the list leaves the view as it was.
    Show(john_);
    answer = 0;
    QTest::keyClick(view_.get(), Qt::Key_C);
    QCOMPARE(opened.size(), 2u);
    QCOMPARE(Primary(), john_);
    AppScreens().descendancyList = nullptr;
  }

  void navigationLettersFollowTheInterfaceLanguage() {
    const QString catalog = dir_->filePath(QStringLiteral("korvaneXX.res"));
    {
      std::ofstream out(catalog.toStdString(), std::ios::binary);
      out << "3520\tV\n3521\tW\n3522\tK\n3523\tE\n";
    }
    QVERIFY(res::LoadCatalogFile(catalog.toStdString()));
    LoadNavigationKeys();
    Show(firstChildren_[0]);
    QTest::keyClick(view_.get(), Qt::Key_W);  // the mother
    QCOMPARE(Primary(), dana_);
    QTest::keyClick(view_.get(), Qt::Key_E);  // the spouse
    QCOMPARE(Primary(), john_);
    QTest::keyClick(view_.get(), Qt::Key_V);  // the father
    QCOMPARE(Primary(), grandfather_);
    QTest::keyClick(view_.get(), Qt::Key_K);  // back down
    QCOMPARE(Primary(), john_);
    res::UnloadCatalog();
    LoadNavigationKeys();
    QTest::keyClick(view_.get(), Qt::Key_F);
    QCOMPARE(Primary(), grandfather_);
  }

  void mouseSelectsPanesRowsAndMovesWithTheButtons() {
    Show(john_);
    const Mapping map(808, 500);
    QTest::mouseClick(view_.get(), Qt::LeftButton, {}, CentreOf(map, kPaneRects[kPaneSpouse]));
    QCOMPARE(view_->Model()->SelectedPane(), int(kPaneSpouse));
    QCOMPARE(LastStatus(shell::kPaneRin), dana_);
    QTest::mouseClick(view_.get(), Qt::RightButton, {}, CentreOf(map, ChildRowRect(3)));
    QCOMPARE(view_->Model()->SelectedPane(), int(kPaneChildren));
    QCOMPARE(view_->Model()->Children().Current(), 3);
    QCOMPARE(LastStatus(shell::kPaneRin), firstChildren_[3]);
    // The current child's row is painted in the selected colours.
    const QImage image = view_->grab().toImage();
    const LRect rowText = ChildRowColumns(3).parentLink;
    const LRect otherRow = ChildRowColumns(4).parentLink;
    QVERIFY(image.pixelColor(CentreOf(map, rowText)) != image.pixelColor(CentreOf(map, otherRow)));

    // A row's button makes that child primary; the father's button goes up.
    Button(kIdFirstChildButton + 5)->click();
    QCOMPARE(Primary(), firstChildren_[5]);
    Button(kIdFatherButton)->click();
    QCOMPARE(Primary(), john_);
    QCOMPARE(document_->m_visitedRins.back(), std::uint32_t(firstChildren_[5]));
    // Ctrl and a double-click on the mother's pane: she becomes primary.
    QTest::mouseDClick(view_.get(), Qt::LeftButton, Qt::ControlModifier,
                       CentreOf(map, kPaneRects[kPaneMother]));
    QCOMPARE(Primary(), grandmother_);
    QCOMPARE(document_->m_visitedRins.size(), std::size_t{2});
  }

  void destroyingTheViewHandsOverTheSelectedIndividual() {
    Show(john_);
    QTest::keyClick(view_.get(), Qt::Key_Right);
    QTest::keyClick(view_.get(), Qt::Key_Down);  // the mother
    status_.clear();
    view_.reset();
    QCOMPARE(document_->m_handOverRin, std::uint32_t(grandmother_));
    // The status panes are emptied as the view goes.
    QCOMPARE(status_.size(), std::size_t{4});
    for (const auto& pane : status_) QCOMPARE(pane.second, shell::kClearPane);
    // The next view starts on her.
    Show(-1);
    QCOMPARE(Primary(), grandmother_);
  }

  void messagesAnswerTheFocus() {
    Show(firstChildren_[0]);
    QCOMPARE(view_->OnGetFocusIndividual(0), firstChildren_[0]);
    QTest::keyClick(view_.get(), Qt::Key_Right);
    QCOMPARE(view_->OnGetFocusIndividual(0), john_);
    QCOMPARE(view_->OnGetFocusMarriage(0), first_);  // the parents' marriage
    QCOMPARE(view_->OnGetFocusMarriage(2), std::intptr_t{0});
    view_->OnShow(tim_);
    QCOMPARE(Primary(), tim_);
    QCOMPARE(view_->OnGetFocusMarriage(2), std::intptr_t{0});
    view_->OnShow(alma_);
    QCOMPARE(view_->OnGetFocusMarriage(2), single_);
    QTest::keyClick(view_.get(), Qt::Key_Plus);  // the next marriage in record order
    QCOMPARE(Primary(), alma_);
    QTest::keyClick(view_.get(), Qt::Key_Minus);
    QCOMPARE(view_->GetCurrentMarriage()->GetMrin(), second_);
    QCOMPARE(Primary(), john_);
  }

  void theDefaultPhotoStandsInThePrimaryPane() {
    // A tall photo, red above and blue below, stored as John's default.
    QImage picture(40, 80, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (int y = 40; y < 80; ++y)
      for (int x = 0; x < 40; ++x) picture.setPixel(x, y, qRgb(0, 0, 255));
    const QString file = dir_->filePath(QStringLiteral("john.png"));
    QVERIFY(picture.save(file));
    CMultimediaItem item;
    item.kind = CMultimediaItem::kPhoto;
    item.fileName = file.toStdString();
    item.flags = CMultimediaItem::kFlagDefault;
    QCOMPARE(DbSaveMultimediaChain(john_, &item, db::kIndividual), 1);
    QVERIFY(DbGetMultimediaHead(john_, db::kIndividual) > 0);

    Show(john_);
    const Mapping map(view_->width(), view_->height());
    const LRect pane = kPaneRects[kPanePrimary];
    const int sixth = pane.Width() / 6;
    const QRect area =
        DeviceRect(map, {pane.right - sixth, pane.top + 3, pane.right - 4, pane.bottom - 3});
    const QImage image = view_->grab().toImage();
    if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
      image.save(qEnvironmentVariable("KORVANE_SHOTS") + QStringLiteral("/familyview-photo.png"));
    // Fitted with its aspect against the area's right edge, centred upright.
    const int x = area.right() - 3;
    QCOMPARE(image.pixelColor(x, area.top() + area.height() / 4), QColor(Qt::red));
    QCOMPARE(image.pixelColor(x, area.top() + area.height() * 3 / 4), QColor(Qt::blue));
    const QColor left = image.pixelColor(area.left() + 2, area.center().y());
    QVERIFY(left != QColor(Qt::red) && left != QColor(Qt::blue));
    QVERIFY(boxes_->Calls().empty());
  }

  void anEmptyClientAreaDrawsNothing() {
    Show(john_, QSize(0, 0));
    const auto texts = Record();
    QVERIFY(texts->Texts().empty());
    QTest::mouseClick(view_.get(), Qt::LeftButton, {}, QPoint(0, 0));
    QCOMPARE(view_->Model()->SelectedPane(), int(kPanePrimary));
  }
};

QTEST_MAIN(FamilyViewTest)
#include "familyview_qtest.moc"
