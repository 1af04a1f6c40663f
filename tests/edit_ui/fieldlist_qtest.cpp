// The painted field list with its editors: keys move between cells, a
// refused edit holds, editors follow scrolling, the combo completes and
// edits its shared choices, and the Character Map types into the editors.
#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtTest>

#include "CharacterMapPopup.h"
#include "CodePage.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EditEnvironment.h"
#include "EditModel.h"
#include "EditModelOwner.h"
#include "EventTypeRecord.h"
#include "FamilyDatabase.h"
#include "FieldListRow.h"
#include "FieldListWidget.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "QtPorts.h"
#include "RecordAccess.h"
#include "SourcedTextRow.h"
#include "TempDir.h"
#include "TempleTable.h"
#include "UserEventRecord.h"

namespace {

// Accepts every edit unless told to refuse.
class Owner : public CFieldListOwner {
 public:
  int OnCellDone(const FieldCellDone&) override { return refuse ? 1 : 0; }
  int OnButton(int, int, int count) override {
    ++presses;
    return count + 1;
  }
  bool refuse = false;
  int presses = 0;
};

// A window with the list and a button after it, so that the focus can leave.
struct Screen {
  Screen() {
    auto* layout = new QVBoxLayout(&window);
    list = new CFieldListWidget(&window);
    after = new QPushButton("OK", &window);
    layout->addWidget(list);
    layout->addWidget(after);
    list->SetupColumns("Field", 150, "Value", 260, 40);
    list->List().SetOwner(&owner);
    window.resize(500, 300);
  }
  void Add(std::unique_ptr<CFieldListRow> row) {
    list->List().AddRow(row.get());
    rows.push_back(std::move(row));
  }
  void Show() {
    list->Refresh();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
  }
  std::pair<int, int> Current() const {
    return {list->List().GetCurrentColumn(), list->List().GetCurrentLine()};
  }
  QWidget* Editor() const {
    CFieldCell* cell = list->List().GetCurrentCell();
    return cell != nullptr ? dynamic_cast<QWidget*>(cell->GetEditor()) : nullptr;
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    QVERIFY(target != nullptr);
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
  }

  Owner owner;
  std::vector<std::unique_ptr<CFieldListRow>> rows;
  QWidget window;
  CFieldListWidget* list = nullptr;
  QPushButton* after = nullptr;
};

// Rows: a heading, then texts (line 2 read-only), twelve lines in all.
void FillTexts(Screen& s) {
  s.Add(std::make_unique<CSectionHeadingRow>(3718));
  s.Add(std::make_unique<CTextRow>(3733, "Anna", 0, 0, nullptr));
  s.Add(std::make_unique<CTextRow>(3738, "id", 0, 1, nullptr));
  for (int i = 0; i < 9; ++i)
    s.Add(std::make_unique<CTextRow>(4000 + i, "line " + std::to_string(i + 3), 0, 0, nullptr));
}

std::string Shots() { return qEnvironmentVariable("KORVANE_SHOTS").toStdString(); }

// Types keys as a fast typist does: each goes to the widget that has the
// focus when it arrives, with no event processed in between.
void TypeBurst(const QString& keys) {
  for (const QChar c : keys) {
    QWidget* target = QApplication::focusWidget();
    QVERIFY(target != nullptr);
    if (c == QLatin1Char('\t'))
      QTest::keyClick(target, Qt::Key_Tab);
    else if (c == QLatin1Char('\r'))
      QTest::keyClick(target, Qt::Key_Return);
    else
      QTest::keyClick(target, c.toLatin1());
  }
}

std::string ValueOf(const Screen& s, int line) {
  return s.list->List().GetCell(1, line)->PeekText();
}

}  // namespace

class FieldListTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    EditEnvironment().returnAsTab = nullptr;
    EditEnvironment().options = EditOptions{};
  }

  void keysMoveBetweenCells() {
    Screen s;
    FillTexts(s);
    s.window.resize(500, 220);
    s.Show();
    s.list->List().BeginEdit(1, 1, true);
    QCOMPARE(s.Current(), std::make_pair(1, 1));
    QVERIFY(QApplication::focusWidget() == s.Editor());
    s.Key(Qt::Key_Tab);
    QCOMPARE(s.Current(), std::make_pair(1, 3));
    s.Key(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(s.Current(), std::make_pair(1, 1));
    s.Key(Qt::Key_Return);  // Enter-as-Tab off: the edit keeps it
    QCOMPARE(s.Current(), std::make_pair(1, 1));
    EditEnvironment().returnAsTab = [] { return true; };
    s.Key(Qt::Key_Return);
    QCOMPARE(s.Current(), std::make_pair(1, 3));
    const int page = s.list->GetItemsPerPage();
    QVERIFY(page < 8);
    s.Key(Qt::Key_PageDown);
    QCOMPARE(s.Current(), std::make_pair(1, 3 + page));
    s.Key(Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(s.Current(), std::make_pair(1, 11));
    s.Key(Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(s.Current(), std::make_pair(1, 1));
    s.Key(Qt::Key_Down);
    QCOMPARE(s.Current(), std::make_pair(1, 3));
    s.list->List().BeginEdit(1, 11, true);
    s.Key(Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() == s.after);
    s.Key(Qt::Key_Tab, Qt::ShiftModifier);  // back into the list at its last open cell
    QCOMPARE(s.Current(), std::make_pair(1, 11));
    QVERIFY(QApplication::focusWidget() == s.Editor());
  }

  void refusedEditKeepsTheEditorAndBlocksTheClick() {
    Screen s;
    FillTexts(s);
    s.Show();
    s.list->List().BeginEdit(1, 1, true);
    auto* edit = qobject_cast<QLineEdit*>(s.Editor());
    QVERIFY(edit != nullptr);
    edit->setText("Anna 2");
    s.owner.refuse = true;
    const QRect other = [&] {
      const FieldRect r = s.list->List().GetCellRect(1, 4, false);
      return QRect(r.left + 5, r.top + 5, 10, 5);
    }();
    QTest::mouseClick(s.list->viewport(), Qt::LeftButton, {}, other.center());
    QCoreApplication::processEvents();
    QCOMPARE(s.Current(), std::make_pair(1, 1));
    QVERIFY(s.Editor() == edit);
    QVERIFY(QApplication::focusWidget() == edit);
    s.Key(Qt::Key_Tab);
    QCOMPARE(s.Current(), std::make_pair(1, 1));
    s.owner.refuse = false;
    QTest::mouseClick(s.list->viewport(), Qt::LeftButton, {}, other.center());
    QCOMPARE(s.Current(), std::make_pair(1, 4));
    QCOMPARE(s.list->List().GetCell(1, 1)->PeekText(), std::string("Anna 2"));
  }

  void spaceAndClickPressTheCitationButton() {
    Screen s;
    CStringListEx yesNo;
    yesNo.AddTail("Yes");
    yesNo.AddTail("No");
    s.Add(std::make_unique<CYesNoRow>(nullptr, &yesNo, 0));
    s.Show();
    QVERIFY(s.list->List().BeginEdit(2, 0, true) == 1);
    auto* button = qobject_cast<QPushButton*>(s.Editor());
    QVERIFY(button != nullptr);
    QCOMPARE(button->text(), QString("s"));
    s.Key(Qt::Key_Space);
    QCOMPARE(s.owner.presses, 1);
    button = qobject_cast<QPushButton*>(s.Editor());
    QVERIFY(button != nullptr);
    QCOMPARE(button->text(), QString("*s"));
    QTest::mouseClick(button, Qt::LeftButton);
    QCoreApplication::processEvents();
    QCOMPARE(s.owner.presses, 2);
    QCOMPARE(s.list->List().GetCell(2, 0)->GetCount(), 2);
  }

  void tabAndEnterPassOverTheSourcesButtonsAndEveryFastKeyLands_data() {
    QTest::addColumn<bool>("enterAsTab");
    QTest::newRow("Tab") << false;
    QTest::newRow("Enter as Tab") << true;
  }
  void tabAndEnterPassOverTheSourcesButtonsAndEveryFastKeyLands() {
    QFETCH(bool, enterAsTab);
    if (enterAsTab) EditEnvironment().returnAsTab = [] { return true; };
    Screen s;
    s.Add(std::make_unique<SourcedTextRow>(4777, "", 0, 0, nullptr));
    s.Add(std::make_unique<SourcedTextRow>(4818, "", 0, 0, nullptr));
    s.Add(std::make_unique<CTextRow>(4819, "", 0, 1, nullptr));  // read-only
    s.Add(std::make_unique<SourcedTextRow>(4820, "", 0, 0, nullptr));
    s.Show();
    QVERIFY(s.list->List().BeginEdit(1, 0, true) == 1);
    const QString next = enterAsTab ? QStringLiteral("\r") : QStringLiteral("\t");
    TypeBurst(QStringLiteral("Smith") + next + QStringLiteral("Anna Maria") + next +
              QStringLiteral("Boston"));
    QTRY_COMPARE(s.Current(), std::make_pair(1, 3));
    QCOMPARE(ValueOf(s, 0), std::string("Smith"));
    QCOMPARE(ValueOf(s, 1), std::string("Anna Maria"));
    auto* edit = qobject_cast<QLineEdit*>(s.Editor());
    QVERIFY(edit != nullptr);
    QCOMPARE(edit->text(), QStringLiteral("Boston"));
    // Back with Shift+Tab, over the sources buttons too.
    s.Key(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(s.Current(), std::make_pair(1, 1));
  }

  void aCharacterTypedOnASourcesButtonGoesIntoItsValue() {
    Screen s;
    s.Add(std::make_unique<SourcedTextRow>(4777, "Boston", 0, 0, nullptr));
    s.Add(std::make_unique<SourcedTextRow>(4818, "", 0, 0, nullptr));
    s.Show();
    QVERIFY(s.list->List().BeginEdit(2, 0, true) == 1);
    QVERIFY(qobject_cast<QPushButton*>(s.Editor()) != nullptr);
    TypeBurst(QStringLiteral("Salem\tx"));
    QTRY_COMPARE(s.Current(), std::make_pair(1, 1));
    QCOMPARE(ValueOf(s, 0), std::string("Salem"));
    QCOMPARE(qobject_cast<QLineEdit*>(s.Editor())->text(), QStringLiteral("x"));
    QCOMPARE(s.owner.presses, 0);
  }

  void scrolledAwayEditorHides() {
    Screen s;
    FillTexts(s);
    s.window.resize(500, 160);
    s.Show();
    s.list->List().BeginEdit(1, 1, true);
    QWidget* editor = s.Editor();
    QVERIFY(editor->isVisible());
    s.list->verticalScrollBar()->setValue(3);
    QVERIFY(!editor->isVisible());
    s.list->verticalScrollBar()->setValue(0);
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->geometry().top(), s.list->GetHeaderHeight() + s.list->GetLineHeight());
  }

  void comboCompletesAndDeleteRemovesTheSharedEntry() {
    Screen s;
    CDittoList surnames;
    for (const char* name : {"Jones", "Smithson", "Smith"}) surnames.Add(name);
    s.Add(std::make_unique<CComboRow>(3734, "", 0, 0, nullptr, &surnames));
    s.Show();
    s.list->List().BeginEdit(1, 0, true);
    auto* combo = qobject_cast<QComboBox*>(s.Editor());
    QVERIFY(combo != nullptr);
    QTest::keyClicks(combo->lineEdit(), "smi");
    QCOMPARE(combo->lineEdit()->text(), QString("Smith"));
    QCOMPARE(combo->lineEdit()->selectedText(), QString("th"));

    combo->showPopup();
    QVERIFY(combo->view()->isVisible());
    combo->view()->setCurrentIndex(combo->model()->index(1, 0));
    QTest::keyClick(combo->view(), Qt::Key_Delete);
    QCOMPARE(surnames.GetCount(), 2);
    QCOMPARE(surnames.Find("Smithson"), -1);
    QCOMPARE(combo->count(), 2);
    combo->hidePopup();
  }

  void exactPrefixLeavesTheTextAsTyped() {
    Screen s;
    CStringListEx names;
    names.AddTail("Smith");
    s.Add(std::make_unique<CComboRow>(3734, "", 0, 0, nullptr, &names));
    s.list->List().GetRowObject(0)->GetValueCell()->SetExactPrefix(1);
    s.Show();
    s.list->List().BeginEdit(1, 0, true);
    auto* combo = qobject_cast<QComboBox*>(s.Editor());
    QTest::keyClicks(combo->lineEdit(), "smi");
    QCOMPARE(combo->lineEdit()->text(), QString("smi"));
  }

  void mapTypesIntoAnEditAndAComboOverTheSelection() {
    plat::SetActiveCodePage(1252);
    Screen s;
    CStringListEx places;
    s.Add(std::make_unique<CTextRow>(4777, "Strasse", 0, 0, nullptr));
    s.Add(std::make_unique<CComboRow>(3734, "Grossmann", 0, 0, nullptr, &places));
    s.Show();
    const auto sharpS = [](CCharacterMapPopup* map) {
      for (int i = 0; i < map->Model().GetCount(); ++i)
        if (map->Model().GetCharacter(i) == 0xDF) map->Model().Select(i);
    };
    for (int line : {0, 1}) {
      s.list->List().BeginEdit(1, line, true);
      auto* editor = dynamic_cast<CCellEditorBase*>(s.list->List().GetCurrentCell()->GetEditor());
      QLineEdit* edit = line == 0 ? qobject_cast<QLineEdit*>(s.Editor())
                                  : qobject_cast<QComboBox*>(s.Editor())->lineEdit();
      edit->setSelection(line == 0 ? 4 : 3, 2);  // "ss"
      s.Key(Qt::Key_F7);
      QCoreApplication::processEvents();
      CCharacterMapPopup* map = editor->Map();
      QVERIFY(map != nullptr && map->isVisible());
      sharpS(map);
      QTest::keyClick(map, Qt::Key_Return);
      QCOMPARE(edit->text(),
               line == 0 ? QString::fromUtf8("Stra\u00DFe") : QString::fromUtf8("Gro\u00DFmann"));
      QVERIFY(map->isVisible());  // more characters may follow
      QTest::keyClick(map, Qt::Key_Escape);
      QVERIFY(!map->isVisible());
    }
  }

  // All sections of an individual, an open combo and the map, as a picture.
  void demoOfAnIndividual() {
    TempDir dir;
    const std::string path = dir.File("demo.orv");
    QCOMPARE(DbCreate(path, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(path, CFamilyDatabase::kCurrentFormat), 1);
    LoadTempleTable();
    CIndividualRecord person;
    person.surname = "Hale";
    person.givenNames[0] = "Anna";
    person.givenNames[1] = "Louise";
    person.sex = 'F';
    person.birth.date.Set(1902, 3, 14);
    person.birth.place[0] = "Salem";
    person.birth.place[1] = "Essex";
    person.death.date.Set(1971, 11, 2);
    person.nameExtensions[0] = "Nan";
    const auto rin = static_cast<std::int32_t>(family::Add(person, 0));
    CEventTypeRecord type;
    type.title = "Residence";
    type.dateKind = 2;
    type.hasDescription = 1;
    const std::int32_t typeNumber = DbAddRecord(db::kEventType, 0, &type);
    CUserEventRecord event(rin, db::kOwnerIndividual, typeNumber, 0);
    event.GetEvent()->date.Set(1930, 0);
    const auto eventNumber = static_cast<std::int32_t>(family::Add(event, 0));
    QVERIFY(DbLinkRecord(eventNumber, db::kUserEvent, rin, db::kOwnerIndividual) > 0);
    EditEnvironment().places.Add("Salem, Essex");
    EditEnvironment().places.Add("Boston, Suffolk");

    CIndividualRecord record;
    QCOMPARE(family::Read(record, rin), 1);
    CIndividualNode* node = CIndividualNode::New(record, 3, 0, 0, nullptr);
    node->AddRef();
    {
      CIndividualEditModel model;
      model.LoadFromIndividual(node);
      CEditModelOwner owner(&model);
      QWidget window;
      auto* layout = new QVBoxLayout(&window);
      auto* list = new CFieldListWidget(&window);
      layout->addWidget(list);
      list->SetupColumns("", 170, "", 300, 40);
      list->List().SetOwner(&owner);
      window.resize(540, 880);
      window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&window));
      list->List().Reload(&model, nullptr);
      list->Refresh();
      QCOMPARE(list->List().GetRowObject(0)->GetLabelId(), 3718);
      QVERIFY(list->List().FindRowIndexById(3721) > 0);
      const std::string shots = Shots();
      if (!shots.empty()) window.grab().save(QString::fromStdString(shots + "/fieldlist.png"));

      // An open place drop-down on the birth's place.
      list->List().BeginEdit(1, list->List().FindRowIndexById(3710) + 1, true);
      auto* combo = qobject_cast<QComboBox*>(
          dynamic_cast<QWidget*>(list->List().GetCurrentCell()->GetEditor()));
      QVERIFY(combo != nullptr);
      combo->showPopup();
      QVERIFY(combo->view()->isVisible());
      if (!shots.empty()) {
        QPixmap shot = window.grab();
        QPainter p(&shot);
        QWidget* popup = combo->view()->window();
        p.drawPixmap(window.mapFromGlobal(popup->mapToGlobal(QPoint(0, 0))), popup->grab());
        p.end();
        shot.save(QString::fromStdString(shots + "/fieldlist_combo.png"));
      }
      combo->hidePopup();
      QVERIFY(list->List().ShowCharacterMapForCell() == 1);
      auto* editor = dynamic_cast<CCellEditorBase*>(list->List().GetCurrentCell()->GetEditor());
      QVERIFY(editor->Map() != nullptr && editor->Map()->isVisible());
      if (!shots.empty()) {
        QPixmap shot = window.grab();
        QPainter p(&shot);
        p.drawPixmap(window.mapFromGlobal(editor->Map()->mapToGlobal(QPoint(0, 0))),
                     editor->Map()->grab());
        p.end();
        shot.save(QString::fromStdString(shots + "/fieldlist_map.png"));
      }
      editor->Map()->close();
      list->List().SetOwner(nullptr);
    }
    node->Release();
    DbCloseCurrent();
  }
};

QTEST_MAIN(FieldListTest)
#include "fieldlist_qtest.moc"
