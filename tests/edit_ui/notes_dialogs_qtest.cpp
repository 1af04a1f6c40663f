// The notes and source screens on a small family file: what their buttons
// store and show, with screenshots when KORVANE_SHOTS names a folder.
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QtTest>

#include "AppScreens.h"
#include "CharacterMapPopup.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "ImageForDialog.h"
#include "IndividualRecord.h"
#include "NotesDialogs.h"
#include "QtPorts.h"
#include "RecordAccess.h"
#include "SourceDialogs.h"
#include "StringIds.h"
#include "StringTable.h"

using namespace notesui;

namespace {

void Shot(QWidget& w, const char* name) {
  if (!qEnvironmentVariableIsSet("KORVANE_SHOTS")) return;
  w.show();
  QCoreApplication::processEvents();
  w.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QLatin1Char('/') + QString::fromUtf8(name) +
                QStringLiteral(".png"));
  w.hide();
}

std::int32_t AddPerson(const char* surname, const char* given) {
  CIndividualRecord person;
  person.surname = surname;
  person.givenNames[0] = given;
  person.sex = 'F';
  return static_cast<std::int32_t>(family::Add(person, 0));
}

std::int32_t AddSource(const char* title, std::int32_t repository = 0) {
  CSourceRecord s;
  s.title = title;
  s.author = "Parish office";
  s.publication = "Oslo, 1901";
  s.repositoryRin = repository;
  return DbAddRecord(db::kSource, 1, &s);
}

std::int32_t AddRepository(const char* name) {
  CRepositoryRecord r;
  r.name = name;
  r.address[0] = "1 Kirkegata";
  r.address[2] = "Oslo";
  r.phone = "555 0101";
  return DbAddRecord(db::kRepository, 1, &r);
}

std::int32_t Cite(std::int32_t source, std::int32_t owner, char letter, const char* page) {
  CCitationRecord c;
  c.sourceRin = source;
  c.ownerLetter = letter;
  c.ownerNumber = owner;
  c.pageText = page;
  return DbAddRecord(db::kCitation, 1, &c);
}

QStringList Rows(QListWidget* list) {
  QStringList rows;
  for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
  return rows;
}

}  // namespace

class NotesDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir = std::make_unique<QTemporaryDir>();
    const std::string family = dir->filePath(QStringLiteral("family.orv")).toStdString();
    QCOMPARE(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
    ann = AddPerson("Lund", "Ann");
    QVERIFY(ann > 0);
  }
  void cleanup() {
    sources::CSourceListCache::Instance().Clear();
    sources::MemorizedCitation().Clear();
    DbCloseCurrent();
    dir.reset();
  }

  void notesDialogSavesDeletesAndCancels() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    QVERIFY(DbSetNotes(ann, "Born at sea.\r\n\r\nBIRTH: On the ship Nordstjernen.", 0, 0,
                       db::kIndividual) != 0);
    Cite(AddSource("Ship list"), ann, 'B', "12");
    {
      CNotesDialog dialog('I', ann, "", "", nullptr);
      QCOMPARE(dialog.windowTitle(), QStringLiteral("  Notes for Ann Lund"));
      auto* edit = dialog.Control<QPlainTextEdit>(CNotesDialog::kIdcText);
      QCOMPARE(edit->toPlainText(),
               QStringLiteral("Born at sea.\n\nBIRTH: On the ship Nordstjernen."));
      QVERIFY(dialog.IsControlEnabled(CNotesDialog::kIdcSources));
      Shot(dialog, "notes");
      dialog.ShowCharacterMap();
      QVERIFY(dialog.CharacterMap() != nullptr);
      QVERIFY(dialog.CharacterMap()->isVisible());
      const int before = edit->toPlainText().size();
      dialog.CharacterMap()->SendSelected();
      QCOMPARE(edit->toPlainText().size(), before + 1);
      dialog.CharacterMap()->hide();
      edit->setPlainText(QStringLiteral("Born at sea.\n\nBIRTH: On the ship.\n\n"));
      dialog.Save();
      QCOMPARE(dialog.result(), int(notes::kSaved));
    }
    QCOMPARE(DbGetNotes(ann, 0, db::kIndividual, 0, 1, 0),
             std::string("Born at sea.\r\n\r\nBIRTH: On the ship."));
    {
      CNotesDialog dialog('I', ann, "BIRTH:", "Ann Lund", nullptr);
      QCOMPARE(dialog.windowTitle(), QStringLiteral("BIRTH:  Notes for Ann Lund"));
      dialog.reject();
      QCOMPARE(dialog.result(), int(notes::kSaved));  // tagged text was read
    }
    {
      CNotesDialog dialog('I', ann, "", "", nullptr);
      unsigned asked = 0;
      dialog.confirm = [&](unsigned id) {
        asked = id;
        return true;
      };
      dialog.Delete();
      QCOMPARE(asked, 7148u);
      QCOMPARE(dialog.result(), int(notes::kDeleted));
    }
    QCOMPARE(DbGetNoteBlock(ann, db::kIndividual), 0);
    CNotesDialog empty('I', ann, "", "", nullptr);
    empty.reject();
    QCOMPARE(empty.result(), int(notes::kCancelled));
  }

  void editMenuDittoesRelativesAndTheLastNotes() {
    const std::int32_t bo = AddPerson("Lund", "Bo");
    const std::int32_t cai = AddPerson("Lund", "Cai");
    const std::int32_t dag = AddPerson("Lund", "Dag");
    const std::int32_t mrin = DbSetRelation(bo, ann, db::kRelHusband, 0);
    QVERIFY(mrin > 0);
    for (std::int32_t child : {cai, dag})
      QVERIFY(DbSetRelation(child, 0, db::kRelParents, mrin) > 0);
    QVERIFY(DbSetNotes(bo, "Smith.\r\n\r\nBIRTH: In Lund.", 0, 0, db::kIndividual) != 0);
    QVERIFY(DbSetNotes(cai, "Sailor.", 0, 0, db::kIndividual) != 0);
    const std::int32_t caiBlock = DbGetNoteBlock(cai, db::kIndividual);

    std::int32_t remembered = -1;
    CNotesDialog dialog('I', dag, "", "", nullptr);
    dialog.lastNotesBlock = [&] { return caiBlock; };
    dialog.rememberNotesBlock = [&](std::int32_t block) { remembered = block; };
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* edit = dialog.Control<QPlainTextEdit>(CNotesDialog::kIdcText);
    edit->setFocus();

    // Alt+E opens the Edit menu; its letters run the commands.
    auto openMenu = [&] {
      QTest::keyClick(&dialog, Qt::Key_E, Qt::AltModifier);
      QMap<QString, bool> state;
      if (!QTest::qWaitFor([&] { return dialog.EditMenu()->isVisible(); })) return state;
      for (QAction* a : dialog.EditMenu()->actions())
        if (!a->isSeparator()) state[a->text().section(QLatin1Char('\t'), 0, 0)] = a->isEnabled();
      return state;
    };
    QMap<QString, bool> menu = openMenu();
    QVERIFY(dialog.EditMenu()->isVisible());
    QCOMPARE(menu.value(QStringLiteral("Ditto &Last Record")), true);
    QCOMPARE(menu.value(QStringLiteral("Ditto &Father")), true);
    QCOMPARE(menu.value(QStringLiteral("Ditto &Mother")), false);  // Ann has no notes
    QVERIFY(menu.contains(QStringLiteral("Ditto &Mother")));
    QCOMPARE(menu.value(QStringLiteral("Ditto &Older Sibling")), true);
    QVERIFY(!menu.contains(QStringLiteral("Ditto P&rimary")));  // no primary known
    QCOMPARE(menu.value(QStringLiteral("&Copy")), false);       // nothing selected
    QTest::keyClick(dialog.EditMenu(), Qt::Key_F);
    QTRY_VERIFY(!dialog.EditMenu()->isVisible());
    QCOMPARE(edit->toPlainText(), QStringLiteral("Smith.\n\nBIRTH: In Lund."));

    // The selection is replaced by the older sibling's notes.
    edit->selectAll();
    QVERIFY(openMenu().value(QStringLiteral("&Copy")));
    QTest::keyClick(dialog.EditMenu(), Qt::Key_O);
    QTRY_COMPARE(edit->toPlainText(), QStringLiteral("Sailor."));
    Shot(dialog, "notes-ditto");

    // Save remembers the new notes for Ditto Last Record.
    QTest::mouseClick(dialog.Control<QPushButton>(fw::kIdOk), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(notes::kSaved));
    QVERIFY(remembered > 0);
    QCOMPARE(remembered, DbGetNoteBlock(dag, db::kIndividual));
    QCOMPARE(DbGetNotes(remembered, 1, db::kIndividual, 0, 1, 0), std::string("Sailor."));

    // A tag's dialog takes the same tag of the relative; Primary is offered
    // when the owner knows one with notes.
    CNotesDialog birth('I', dag, "BIRTH:", "", nullptr);
    birth.primary = bo;
    birth.lastNotesBlock = [] { return 0; };
    birth.rememberNotesBlock = [](std::int32_t) {};
    birth.show();
    QVERIFY(QTest::qWaitForWindowExposed(&birth));
    QTest::keyClick(&birth, Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(birth.EditMenu()->isVisible());
    bool primaryOffered = false, lastOffered = true;
    for (QAction* a : birth.EditMenu()->actions()) {
      if (a->text() == QStringLiteral("Ditto P&rimary")) primaryOffered = a->isEnabled();
      if (a->text() == QStringLiteral("Ditto &Last Record")) lastOffered = a->isEnabled();
    }
    QVERIFY(primaryOffered);
    QVERIFY(!lastOffered);
    QTest::keyClick(birth.EditMenu(), Qt::Key_R);
    QTRY_COMPARE(birth.Control<QPlainTextEdit>(CNotesDialog::kIdcText)->toPlainText(),
                 QStringLiteral("In Lund."));
    birth.reject();
  }

  void characterMapKeepsClearOfTheCaretAndTheDialogHasALeastSize() {
    std::string lines;
    for (int i = 0; i < 40; ++i) lines += "Line\r\n";
    QVERIFY(DbSetNotes(ann, lines + "End.", 0, 0, db::kIndividual) != 0);
    // F7 in a new dialog with the caret at the start or the end of 40 lines.
    struct Case {
      bool atEnd;
      bool mapAtTop;
    };
    for (const Case c : {Case{false, false}, Case{true, true}}) {
      CNotesDialog dialog('I', ann, "", "", nullptr);
      dialog.lastNotesBlock = [] { return 0; };
      dialog.rememberNotesBlock = [](std::int32_t) {};
      dialog.show();
      QVERIFY(QTest::qWaitForWindowActive(&dialog));
      auto* edit = dialog.Control<QPlainTextEdit>(CNotesDialog::kIdcText);
      edit->setFocus();
      edit->moveCursor(c.atEnd ? QTextCursor::End : QTextCursor::Start);
      QTest::keyClick(edit, Qt::Key_F7);
      QTRY_VERIFY(dialog.CharacterMap() && dialog.CharacterMap()->isVisible());
      CCharacterMapPopup* map = dialog.CharacterMap();
      const QPoint bottom = dialog.mapToGlobal(QPoint(0, dialog.height() - map->height()));
      QCOMPARE(map->pos(), c.mapAtTop ? dialog.mapToGlobal(QPoint(0, 1)) : bottom);
      if (!c.atEnd) {
        Shot(dialog, "notes-charmap");
        // Typing from the map with the caret under it moves the map up.
        edit->moveCursor(QTextCursor::End);
        QTest::keyClick(map, Qt::Key_Return);
        QCOMPARE(map->pos(), dialog.mapToGlobal(QPoint(0, 1)));
        QCOMPARE(edit->toPlainText().size(), 40 * 5 + 5);
      }
      QTest::keyClick(map, Qt::Key_Escape);
      QTRY_VERIFY(!map->isVisible());

      // Shrinking stops at 60 pixels of text and 20 past the Help button.
      const QRect text = edit->geometry();
      const int bottomMargin = dialog.height() - text.bottom() - 1;
      const int helpRight = dialog.Control<QPushButton>(fw::kIdHelp)->geometry().right() + 1;
      QCOMPARE(dialog.minimumSize(), QSize(helpRight + 20, text.top() + bottomMargin + 60));
      dialog.resize(10, 10);
      QCOMPARE(dialog.size(), dialog.minimumSize());
      dialog.reject();
    }
  }

  void selectorListsTagsAndAddsOne() {
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile{&profile};
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    QVERIFY(DbSetNotes(ann, "HOBBY: Sailing.\r\n\r\nBIRTH: At sea.", 0, 0, db::kIndividual) != 0);
    CNotesSelectorDialog selector(ann, nullptr);
    selector.gate = {[] { return false; }, [] { return true; }};
    auto* list = selector.Control<QListWidget>(CNotesSelectorDialog::kIdcList);
    const QStringList rows = Rows(list);
    QCOMPARE(rows.first(), QStringLiteral("*   All"));
    QVERIFY(rows.contains(QStringLiteral("*   BIRTH:")));
    QCOMPARE(rows.last(), QStringLiteral("*   HOBBY:"));
    QCOMPARE(list->item(list->count() - 1)->foreground().color(), QColor(128, 128, 128));
    QVERIFY(!selector.IsControlEnabled(CNotesSelectorDialog::kIdcRemove));
    Shot(selector, "notes_selector");

    // Add a two-word tag: after the warning the first word with a colon.
    selector.runNested = [](QDialog& d) {
      auto& tag = static_cast<CNoteTagDialog&>(d);
      tag.SetControlText(CNoteTagDialog::kIdcTag, "WAR SERVICE");
      tag.warn = [](const std::string&) { return true; };
      Shot(tag, "note_tag");
      tag.accept();
      return tag.result();
    };
    list->setCurrentRow(1);
    selector.AddTag();
    QCOMPARE(list->currentItem()->text(), QStringLiteral("    WAR:"));
    QCOMPARE(profile.GetString("Note Tags", "Tag3", ""), std::string("WAR:"));
    QVERIFY(selector.IsControlEnabled(CNotesSelectorDialog::kIdcRemove));

    // Opening the BIRTH: entry and cancelling refreshes (result 1).
    selector.runNested = [](QDialog& d) {
      d.reject();
      return d.result();
    };
    list->setCurrentRow(Rows(list).indexOf(QStringLiteral("*   BIRTH:")));
    selector.Open();
    QVERIFY(selector.notesChanged);
  }

  // Add, an invalid tag, OK on the warning box: the box and the tag dialog
  // close together, and the Notes Selector has the keyboard again.
  void selectorHasTheFocusAfterATagWarning() {
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile{&profile};
    fw::QtMessageBox realBoxes;
    plat::ScopedMessageBox scopedBoxes{&realBoxes};
    CNotesSelectorDialog selector(ann, nullptr);
    selector.gate = {[] { return false; }, [] { return true; }};
    selector.show();
    selector.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&selector));
    bool warned = false;
    QTimer::singleShot(100, [&warned] {
      auto* tag = qobject_cast<CNoteTagDialog*>(QApplication::activeModalWidget());
      if (tag == nullptr) return;
      tag->SetControlText(CNoteTagDialog::kIdcTag, "WAR SERVICE");
      QTimer::singleShot(100, [&warned] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        warned = true;
        box->button(QMessageBox::Ok)->click();
      });
      tag->Control<QPushButton>(fw::kIdOk)->click();
    });
    QTest::mouseClick(selector.GetControl(CNotesSelectorDialog::kIdcAdd), Qt::LeftButton);
    QVERIFY(warned);
    QTRY_VERIFY(QApplication::activeWindow() == &selector);
    QVERIFY(QApplication::focusWidget() != nullptr);
    QCOMPARE(QApplication::focusWidget()->window(), static_cast<QWidget*>(&selector));
  }

  void viewSourcesShowsNumberedFootnotes() {
    const std::int32_t s = AddSource("Ship list");
    Cite(s, ann, 'B', "12");
    Cite(s, ann, 'B', "13");
    CViewSourcesDialog dialog(ann, 'I', "Ann Lund", false, nullptr);
    const QString text =
        dialog.Control<QPlainTextEdit>(CViewSourcesDialog::kIdcText)->toPlainText();
    QVERIFY2(text.startsWith(QStringLiteral("BIRTH:\n\n1. ")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("\n\n2. ")));
    QVERIFY(dialog.GetControl(CViewSourcesDialog::kIdcNext)->isHidden());
    Shot(dialog, "view_sources");
  }

  void selectRepositoryChoosesRenamesAndDeletes() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    const std::int32_t city = AddRepository("City Archive");
    AddRepository("State Library");
    CSelectRepositoryDialog dialog(city, false, nullptr);
    dialog.gate = {[] { return false; }, [] { return true; }};
    auto* list = dialog.Control<QListWidget>(CSelectRepositoryDialog::kIdcList);
    QCOMPARE(Rows(list), QStringList({"<< no repository >>", "City Archive", "State Library"}));
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(dialog.GetControlText(CSelectRepositoryDialog::kIdcAddress),
             std::string("1 Kirkegata\n\nOslo\n"));
    Shot(dialog, "select_repository");

    // Renamed: moves to its sorted place, still selected, same number.
    QString shownAddress;
    dialog.runNested = [&shownAddress](QDialog& d) -> int {
      auto& r = static_cast<CRepositoryDialog&>(d);
      shownAddress = r.Control<QPlainTextEdit>(CRepositoryDialog::kIdcAddress)->toPlainText();
      Shot(r, "repository");
      r.SetControlText(CRepositoryDialog::kIdcName, "Town Archive");
      r.gate = {[] { return false; }, [] { return true; }};
      r.accept();
      return r.result();
    };
    dialog.EditRepository();
    QCOMPARE(Rows(list), QStringList({"<< no repository >>", "State Library", "Town Archive"}));
    QCOMPARE(list->currentRow(), 2);
    QCOMPARE(dialog.SelectedNumber(), city);
    QCOMPARE(shownAddress, QStringLiteral("1 Kirkegata\n\nOslo"));

    // The empty entry can be chosen but not edited.
    list->setCurrentRow(0);
    QVERIFY(!dialog.IsControlEnabled(CSelectRepositoryDialog::kIdcEdit));
    dialog.EditRepository();
    QCOMPARE(QString::fromStdString(boxes.Calls().back().text),
             QStringLiteral("Please select a repository to edit"));
    dialog.Select();
    QCOMPARE(dialog.result(), int(fw::kIdOk));
    QCOMPARE(dialog.chosen, 0);
  }

  void repositoryListAddsAndDeletes() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    AddRepository("State Library");
    CSelectRepositoryDialog dialog(0, true, nullptr);
    dialog.gate = {[] { return false; }, [] { return true; }};
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Edit Repository List"));
    QVERIFY(!dialog.IsControlEnabled(fw::kIdOk));
    auto* list = dialog.Control<QListWidget>(CSelectRepositoryDialog::kIdcList);
    QCOMPARE(Rows(list), QStringList({"State Library"}));
    dialog.runNested = [](QDialog& d) -> int {
      auto& r = static_cast<CRepositoryDialog&>(d);
      r.gate = {[] { return false; }, [] { return true; }};
      r.accept();  // no name: refused
      r.SetControlText(CRepositoryDialog::kIdcName, "Church Archive");
      r.Control<QPlainTextEdit>(CRepositoryDialog::kIdcAddress)
          ->setPlainText(QStringLiteral("Box 1\nLund\nSkane\nSweden\nEurope"));
      r.accept();
      return r.result();
    };
    dialog.AddRepository();
    QCOMPARE(QString::fromStdString(boxes.Calls().front().text),
             QStringLiteral("You must have a name."));
    QCOMPARE(Rows(list), QStringList({"Church Archive", "State Library"}));
    QCOMPARE(list->currentRow(), 0);
    const std::int32_t added = dialog.SelectedNumber();
    CRepositoryRecord stored;
    QCOMPARE(DbGetRecord(added, db::kRepository, &stored), 1);
    QCOMPARE(stored.address[3], std::string("Sweden\r\nEurope"));

    list->setCurrentRow(1);
    boxes.QueueAnswer(plat::kIdYes);
    dialog.DeleteRepository();
    QVERIFY(
        QString::fromStdString(boxes.Calls().back().text)
            .startsWith(QStringLiteral("You are about to remove State Library as repository.")));
    QCOMPARE(Rows(list), QStringList({"Church Archive"}));
    QCOMPARE(list->currentRow(), 0);
    std::vector<CRepositoryRecord> left;
    QCOMPARE(DbGetRecord(1, db::kRepositoryList, &left), 1);
    QCOMPARE(left.size(), std::size_t(1));
  }

  void editSourceShowsLiveFootnoteAndStores() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    const std::int32_t archive = AddRepository("City Archive");
    const std::int32_t s = AddSource("Ship list", archive);
    CEditSourceDialog dialog(s, nullptr);
    QCOMPARE(dialog.GetControlText(CEditSourceDialog::kIdcRepositoryName),
             std::string("City Archive"));
    QVERIFY(dialog.IsControlEnabled(CEditSourceDialog::kIdcImage));
    auto* sample = dialog.Control<QPlainTextEdit>(CEditSourceDialog::kIdcSample);
    QVERIFY(sample->toPlainText().contains(QStringLiteral("Ship list")));
    dialog.SetControlText(CEditSourceDialog::kIdcTitle, "Passenger list");
    QVERIFY(sample->toPlainText().contains(QStringLiteral("Passenger list")));
    dialog.SetCheck(CEditSourceDialog::kIdcItalics, 1);
    QVERIFY(sample->toPlainText().contains(QStringLiteral("<I>Passenger list</I>")));
    Shot(dialog, "edit_source");
    dialog.gate = {[] { return false; }, [] { return true; }};
    dialog.SetControlText(CEditSourceDialog::kIdcTitle, "");
    dialog.accept();
    QCOMPARE(QString::fromStdString(boxes.Calls().back().text),
             QStringLiteral("You must supply a title for this source."));
    dialog.SetControlText(CEditSourceDialog::kIdcTitle, "Passenger list");
    dialog.accept();
    QCOMPARE(dialog.result(), int(fw::kIdOk));
    CSourceRecord back;
    QCOMPARE(DbGetRecord(s, db::kSource, &back), 1);
    QCOMPARE(back.title, std::string("Passenger list"));
    QCOMPARE(back.italicTitle, std::uint8_t(1));
  }

  void selectSourceListsAndDeletesLast() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    AddSource("Census 1910");
    AddSource("Ship list");
    AddSource("Birth register");
    CSelectSourceDialog dialog(true, "", "", nullptr);
    dialog.gate = {[] { return false; }, [] { return true; }};
    auto* list = dialog.Control<QListWidget>(CSelectSourceDialog::kIdcList);
    QCOMPARE(Rows(list), QStringList({"Birth register", "Census 1910", "Ship list"}));
    QCOMPARE(dialog.GetControlText(CSelectSourceDialog::kIdcAuthor), std::string("Parish office"));
    QVERIFY(dialog.GetControl(fw::kIdOk)->isHidden());
    Shot(dialog, "select_source");
    list->setCurrentRow(2);
    boxes.QueueAnswer(plat::kIdYes);
    dialog.DeleteSource();
    QCOMPARE(Rows(list), QStringList({"Birth register", "Census 1910"}));
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(dialog.GetControlText(CSelectSourceDialog::kIdcTitle), std::string("Census 1910"));
    std::vector<CSourceRecord> left;
    QCOMPARE(DbGetRecord(1, db::kSourceList, &left), 1);
    QCOMPARE(left.size(), std::size_t(2));
  }

  void selectSourceCopiesAndRenames() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    AddSource("Census 1910");
    AddSource("Ship list");
    CSelectSourceDialog dialog(false, "Pick one", " for Birth of Ann Lund", nullptr);
    dialog.gate = {[] { return false; }, [] { return true; }};
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Select Source for Birth of Ann Lund"));
    QCOMPARE(dialog.GetControlText(CSelectSourceDialog::kIdcLabel), std::string("Pick one"));
    QVERIFY(dialog.GetControl(CSelectSourceDialog::kIdcUseMemorized)->isHidden());
    auto* list = dialog.Control<QListWidget>(CSelectSourceDialog::kIdcList);
    std::int32_t editedRin = 0;
    // Copy opens Edit Source on the copy; renaming it moves it to its place.
    dialog.runNested = [&editedRin](QDialog& d) -> int {
      auto& edit = static_cast<CEditSourceDialog&>(d);
      editedRin = edit.rin;
      edit.gate = {[] { return false; }, [] { return true; }};
      edit.SetControlText(CEditSourceDialog::kIdcTitle, "Birth register");
      edit.accept();
      return edit.result();
    };
    list->setCurrentRow(0);
    dialog.CopySource();
    QCOMPARE(Rows(list), QStringList({"Birth register", "Census 1910", "Ship list"}));
    QCOMPARE(list->currentRow(), 0);
    auto& cache = sources::CSourceListCache::Instance().Entries();
    QCOMPARE(cache[dialog.SelectedIndex()].rin, editedRin);
    CSourceRecord copy;
    QCOMPARE(DbGetRecord(editedRin, db::kSource, &copy), 1);
    QCOMPARE(copy.title, std::string("Birth register"));
    QCOMPARE(copy.author, std::string("Parish office"));
    dialog.Select();
    QCOMPARE(dialog.result(), int(fw::kIdOk));
    QCOMPARE(dialog.chosen, editedRin);
  }

  void sourcesForStartsWithChoiceAndAddsCitations() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    const std::int32_t s = AddSource("Ship list");
    {
      CSourcesForDialog dialog(0, ann, 'B', 0, "Birth of Ann Lund", nullptr);
      dialog.chooseSource = [](std::int32_t&, bool&) { return false; };
      QVERIFY(!dialog.Start());
    }
    CSourcesForDialog dialog(0, ann, 'B', 0, "Birth of Ann Lund", nullptr);
    dialog.gate = {[] { return false; }, [] { return true; }};
    dialog.chooseSource = [s](std::int32_t& source, bool& memorized) {
      source = s;
      memorized = false;
      return true;
    };
    QVERIFY(dialog.Start());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Sources for Birth of Ann Lund"));
    QCOMPARE(dialog.GetControlText(CSourcesForDialog::kIdcTitle), std::string("Ship list"));
    QCOMPARE(dialog.GetControlText(CSourcesForDialog::kIdcSelect), std::string("&Replace..."));
    QVERIFY(dialog.IsControlEnabled(CSourcesForDialog::kIdcActualText));
    dialog.SetControlText(CSourcesForDialog::kIdcPage, "p. 4");
    dialog.NewCitation();
    QCOMPARE(dialog.GetControlText(CSourcesForDialog::kIdcPosition), std::string("2 of 2"));
    QCOMPARE(dialog.Control<QTabBar>(CSourcesForDialog::kIdcTabs)->count(), 2);
    dialog.SetControlText(CSourcesForDialog::kIdcPage, "p. 9");
    Shot(dialog, "sources_for");
    dialog.accept();
    QCOMPARE(dialog.result(), int(fw::kIdOk));
    std::vector<std::int32_t> chain;
    DbGetRinList(chain, db::kCitation, ann, 'B');
    QCOMPARE(chain.size(), std::size_t(2));
    CCitationRecord c;
    QCOMPARE(DbGetRecord(chain[1], db::kCitation, &c), 1);
    QCOMPARE(c.pageText, std::string("p. 9"));
  }

  void imageForAttachesViewsAndRemoves() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    const QString png = dir->filePath(QStringLiteral("page.png"));
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(QColor(200, 170, 90));
    QVERIFY(picture.save(png));
    const QString broken = dir->filePath(QStringLiteral("broken.png"));
    {
      QFile f(broken);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write("not a picture");
    }

    CImageForDialog dialog("Ship list", nullptr, nullptr);
    dialog.gate = {[] { return false; }, [] { return true; }};
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Image for Ship list"));
    QVERIFY(!dialog.IsControlEnabled(CImageForDialog::kIdcView));
    QVERIFY(!dialog.IsControlEnabled(CImageForDialog::kIdcRemove));
    QCOMPARE(dialog.GetControlText(CImageForDialog::kIdcAttach), std::string("&Attach..."));

    dialog.chooseItem = [&png](AttachChoice& c) {
      c.path = png.toStdString();
      c.caption = "Page 12";
      return true;
    };
    dialog.Attach();
    QVERIFY(dialog.item != nullptr);
    QCOMPARE(int(dialog.item->width), 120);
    QCOMPARE(int(dialog.item->height), 80);
    QCOMPARE(dialog.item->kind, CMultimediaItem::kPhoto);
    QVERIFY(dialog.PreviewLoaded());
    QCOMPARE(dialog.GetControlText(CImageForDialog::kIdcAttach), std::string("Edit"));
    QVERIFY(dialog.IsControlEnabled(CImageForDialog::kIdcView));
    dialog.View();
    Shot(dialog, "image_for");

    dialog.chooseItem = [&broken](AttachChoice& c) {
      c.path = broken.toStdString();
      return true;
    };
    dialog.Attach();
    QCOMPARE(int(dialog.item->width), 0);
    QCOMPARE(int(dialog.item->height), 0);
    QVERIFY(!dialog.PreviewLoaded());

    dialog.Remove();
    QVERIFY(dialog.item == nullptr);
    QCOMPARE(dialog.GetControlText(CImageForDialog::kIdcAttach), std::string("Attach..."));
    QVERIFY(!dialog.IsControlEnabled(CImageForDialog::kIdcView));
    // The close box hands back what is attached, as Close does.
    dialog.chooseItem = [&png](AttachChoice& c) {
      c.path = png.toStdString();
      return true;
    };
    dialog.Attach();
    dialog.reject();
    QCOMPARE(dialog.result(), int(fw::kIdOk));
    QVERIFY(dialog.item != nullptr);
  }

  // A photo without a caption is shown in a window titled "Untitled Photo";
  // one with a caption takes the caption.
  void imageForTitlesThePhotoWindow() {
    const QString png = dir->filePath(QStringLiteral("page.png"));
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(QColor(90, 120, 200));
    QVERIFY(picture.save(png));
    std::vector<std::string> titles;
    AppScreens().showPhoto = [&titles](QWidget*, QWidget* window, const CMultimediaItem&,
                                       const std::string& title) {
      titles.push_back(title);
      return window;
    };
    CImageForDialog dialog("Ship list", nullptr, nullptr);
    dialog.gate = {[] { return false; }, [] { return true; }};
    for (const char* caption : {"", "Deck plan"}) {
      dialog.chooseItem = [&png, caption](AttachChoice& c) {
        c.path = png.toStdString();
        c.caption = caption;
        return true;
      };
      dialog.Attach();
      dialog.View();
    }
    AppScreens().showPhoto = nullptr;
    QCOMPARE(titles, (std::vector<std::string>{"Untitled Photo", "Deck plan"}));
    QCOMPARE(res::LoadString(res::kIdsPhoto), std::string("Photo"));
  }

  void storedMultimediaNameTakesDiscLabelOnlyForLowerPcd() {
    QCOMPARE(StoredMultimediaName("/cd/img0001.pcd", "KODAK_PHOTOCD_1234"),
             std::string("/cd/img0001.pcd\nPHOTOCD_1234"));
    QCOMPARE(StoredMultimediaName("/cd/IMG0001.PCD", "KODAK_PHOTOCD_1234"),
             std::string("/cd/IMG0001.PCD"));
    QCOMPARE(StoredMultimediaName("/cd/img0001.pcd", ""), std::string("/cd/img0001.pcd"));
    QCOMPARE(StoredMultimediaName("/p/a.png", "DISC"), std::string("/p/a.png"));
  }

 private:
  std::unique_ptr<QTemporaryDir> dir;
  std::int32_t ann = 0;
};

QTEST_MAIN(NotesDialogsTest)
#include "notes_dialogs_qtest.moc"
