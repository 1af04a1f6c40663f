// The Edit Individual and Edit Marriage screens on family files made
// through the database calls: typing into the field list and Save, Cancel
// on a new individual, New Event, Remove Event's enabling, the section keys,
// the marriage's Cancel question and Delete, the placement values; and
// pictures of both screens with and without ZEL rows.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "CalculatorDialogs.h"
#include "CharacterMapPopup.h"
#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EditEnvironment.h"
#include "EditIndividualDialog.h"
#include "EventTypeDialogs.h"
#include "EventTypeRecord.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FamilyLinkRecord.h"
#include "FieldListRow.h"
#include "FieldListTyping.h"
#include "FieldListWidget.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageDialog.h"
#include "MarriageNode.h"
#include "MarriageRecord.h"
#include "NotesDialogs.h"
#include "ParentsOfDialog.h"
#include "PickerDialogs.h"
#include "QtPorts.h"
#include "RecordAccess.h"
#include "SourceDialogs.h"
#include "SourceRecord.h"
#include "StringIds.h"
#include "TempDir.h"
#include "TempleTable.h"
#include "TestHelpers.h"
#include "UserEventRecord.h"

namespace {

std::string Shots() {
  return qEnvironmentVariableIsSet("KORVANE_SHOTS")
             ? qEnvironmentVariable("KORVANE_SHOTS").toStdString()
             : std::string();
}

void Shoot(QWidget* window, const char* name) {
  const std::string shots = Shots();
  if (!shots.empty()) window->grab().save(QString::fromStdString(shots + "/" + name + ".png"));
}

// Runs act on the next modal dialog of type D once it shows.
template <class D>
void WhenModal(std::function<void(D*)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    if (dialog != nullptr) act(dialog);
  });
}

// Shows a screen as the active window, so that its keys reach it.
bool Show(QWidget* dialog) {
  dialog->show();
  dialog->activateWindow();
  return QTest::qWaitForWindowActive(dialog);
}

}  // namespace

class EditScreensTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir = std::make_unique<TempDir>();
    QCOMPARE(DbCreate(dir->File("family.orv"), CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(dir->File("family.orv"), CFamilyDatabase::kCurrentFormat), 1);
    LoadTempleTable();
    EditEnvironment().options = EditOptions{};
  }
  void cleanup() {
    EditEnvironment().returnAsTab = nullptr;
    DbCloseCurrent();
    dir.reset();
  }

  void addIndividualTypeAndSave() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile{&profile};
    CEditIndividualDialog dialog(nullptr, nullptr, nullptr, 1);
    const std::int32_t rin = dialog.Session().GetReservedRin();
    QVERIFY(rin > 0);
    QVERIFY(Show(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Add Individual"));
    QCOMPARE(dialog.GetControlText(CEditIndividualDialog::kIdcRin), "RIN: " + std::to_string(rin));
    CFieldListWidget* list = dialog.List();
    TypeInto(list, res::kIdsGivenName, "Clara");
    TypeInto(list, res::kIdsSurname, "Whitfield");
    TypeInto(list, 3710, "12 Mar 1901");
    TypeInto(list, 3710, "Dover", 1);
    TypeInto(list, 7207, "SALTB", 1);
    QVERIFY(dialog.Session().IsChanged());
    QCOMPARE(dialog.GetControlText(CEditIndividualDialog::kIdcHeading),
             std::string("Clara Whitfield"));
    Shoot(&dialog, "editindividual_zel");
    // Unknown sex is asked once at Save; Female is chosen.
    int asked = 0;
    WhenModal<CSexDialog>([&asked](CSexDialog* sex) {
      ++asked;
      sex->Control<QRadioButton>(CSexDialog::kIdcFemale)->click();
      Shoot(sex, "sex");
      sex->Control<QPushButton>(fw::kIdOk)->click();
    });
    dialog.Control<QPushButton>(fw::kIdOk)->click();
    QCOMPARE(asked, 1);
    QCOMPARE(dialog.result(), int(fw::kIdOk));
    CIndividualRecord back;
    QCOMPARE(family::Read(back, rin), 1);
    QCOMPARE(back.surname, std::string("Whitfield"));
    QCOMPARE(back.givenNames[0], std::string("Clara"));
    QCOMPARE(back.sex, 'F');
    QVERIFY(back.birth.date.year == 1901);
    QCOMPARE(back.birth.place[0], std::string("Dover"));
    QCOMPARE(back.endowment.templeCode, std::string("SALTB"));
    // The minimum size was stored at this first opening.
    QVERIFY(profile.GetInt("Windows", "Individual MinWidth", 0) > 0);
    QVERIFY(profile.GetInt("Windows", "Individual right", 0) > 0);
  }

  // A new given name is asked about in a real message box ("Is this name
  // correct?"); once the user says Yes the heading shows the name.
  void headingFollowsANameConfirmedInABox() {
    fw::QtMessageBox realBoxes;
    plat::ScopedMessageBox scopedBoxes{&realBoxes};
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile{&profile};
    EditEnvironment().options.verifyNew = true;
    CEditIndividualDialog dialog(nullptr, nullptr, nullptr, 1);
    QVERIFY(Show(&dialog));
    QString asked;
    // The box is answered a while after it shows, as a user does.
    QTimer::singleShot(200, [&asked] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      asked = box->text();
      box->button(QMessageBox::Yes)->click();
    });
    TypeInto(dialog.List(), res::kIdsGivenName, "Quintilla");
    QVERIFY2(asked.endsWith(QStringLiteral("Is this name correct?")), qPrintable(asked));
    QTRY_COMPARE(
        QString::fromStdString(dialog.GetControlText(CEditIndividualDialog::kIdcHeading)).trimmed(),
        QStringLiteral("Quintilla"));
  }

  // Keys typed faster than the screen moves between fields all land, in
  // the field they were typed for, with recent names to complete from.
  void fastTypingLandsEveryKey() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile{&profile};
    EditEnvironment().options.autoNames = true;
    EditEnvironment().givenNames.Add("Anna Lisa");
    EditEnvironment().surnames.Add("Jonsson");
    CEditIndividualDialog dialog(nullptr, nullptr, nullptr, 1);
    QVERIFY(Show(&dialog));
    CFieldListWidget* list = dialog.List();
    const int given = list->List().FindRowIndexById(res::kIdsGivenName);
    QVERIFY(list->List().BeginEdit(1, given, true) == 1);
    // Leaving the given names asks the sex: Female.
    QTimer sexAnswer;
    connect(&sexAnswer, &QTimer::timeout, [] {
      if (auto* sex = qobject_cast<CSexDialog*>(QApplication::activeModalWidget())) {
        sex->Control<QRadioButton>(CSexDialog::kIdcFemale)->click();
        sex->Control<QPushButton>(fw::kIdOk)->click();
      }
    });
    sexAnswer.start(10);
    for (const QChar c : QStringLiteral("Anna Maria\tJones\t")) {
      QWidget* target = QApplication::focusWidget();
      QVERIFY(target != nullptr);
      if (c == QLatin1Char('\t'))
        QTest::keyClick(target, Qt::Key_Tab);
      else
        QTest::keyClick(target, c.toLatin1());
    }
    QTRY_VERIFY(list->List().GetCurrentLine() > given + 1);
    QCOMPARE(dialog.Session().Model().GetGivenName(), std::string("Anna Maria"));
    QCOMPARE(dialog.Session().Model().GetSurname(), std::string("Jones"));
    dialog.reject();
    EditEnvironment().givenNames = CDittoList();
    EditEnvironment().surnames = CDittoList();
  }

  // The Enter-as-Tab question belongs to the Enter key: typing and Alt
  // keys in an open cell do not look the setting up.
  void onlyEnterLooksUpEnterAsTab() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile{&profile};
    int asked = 0;
    // Enter then moves to the next field instead of pressing OK.
    EditEnvironment().returnAsTab = [&asked] {
      ++asked;
      return true;
    };
    CEditIndividualDialog dialog(nullptr, nullptr, nullptr, 1);
    QVERIFY(Show(&dialog));
    CFieldListWidget* list = dialog.List();
    QVERIFY(list->List().BeginEdit(1, list->List().FindRowIndexById(res::kIdsSurname), true) == 1);
    QTRY_VERIFY(QApplication::focusWidget() != nullptr &&
                list->viewport()->isAncestorOf(QApplication::focusWidget()));
    QWidget* cell = QApplication::focusWidget();
    QTest::keyClick(cell, Qt::Key_L);
    QTest::keyClick(cell, Qt::Key_Z, Qt::AltModifier);
    QTest::keyClick(cell, Qt::Key_Left);
    QCOMPARE(asked, 0);
    QTest::keyClick(cell, Qt::Key_Return);
    QCOMPARE(asked, 1);
    dialog.reject();
  }

  void cancelOnANewIndividualFreesTheRin() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    std::int32_t rin = 0;
    {
      CEditIndividualDialog dialog(nullptr, nullptr, nullptr, 1);
      rin = dialog.Session().GetReservedRin();
      QVERIFY(Show(&dialog));
      dialog.Control<QPushButton>(fw::kIdCancel)->click();
      QCOMPARE(dialog.result(), int(fw::kIdCancel));
    }
    CIndividualRecord back;
    QVERIFY(family::Read(back, rin) != 1);
    QVERIFY(boxes.Calls().empty());
  }

  // A new individual has no name on the file yet: Notes and Sources are
  // captioned with the name typed on the screen.
  void notesAndSourcesOfANewIndividualNameIt() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    plat::FakeProfile profile;
    plat::ScopedProfile scopedProfile{&profile};
    CEditIndividualDialog dialog(nullptr, nullptr, nullptr, 1);
    QVERIFY(Show(&dialog));
    TypeInto(dialog.List(), res::kIdsGivenName, "Clara");
    TypeInto(dialog.List(), res::kIdsSurname, "Whitfield");
    const struct {
      int button;
      const char* caption;
    } cases[] = {{CEditIndividualDialog::kIdcNotes, "Notes for Clara Whitfield"},
                 {CEditIndividualDialog::kIdcSources, "View Sources for Clara Whitfield"}};
    for (const auto& c : cases) {
      QString title;
      QTimer::singleShot(0, [&title] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
          title = modal->windowTitle();
          static_cast<QDialog*>(modal)->reject();
        }
      });
      dialog.Control<QPushButton>(c.button)->click();
      QVERIFY2(title.endsWith(QString::fromLatin1(c.caption)), qPrintable(title));
    }
  }

  void notesWrittenFromTheScreenStayLinkedAfterSave() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    const std::int32_t rin = AddPerson("Hale", "Anna", 'F');
    CIndividualNode* node = Node(rin);
    {
      CEditIndividualDialog dialog(nullptr, node, nullptr, 0);
      QVERIFY(Show(&dialog));
      QVERIFY(dialog.IsControlEnabled(CEditIndividualDialog::kIdcNotes));
      QVERIFY(dialog.IsControlEnabled(CEditIndividualDialog::kIdcSources));
      bool seen = false;
      QString title;
      QTimer::singleShot(0, [&] {
        auto* notes = qobject_cast<notesui::CNotesDialog*>(QApplication::activeModalWidget());
        if (notes == nullptr) return;
        seen = notes->session.Rin() == rin && notes->session.Kind() == 'I';
        notes->SetControlText(notesui::CNotesDialog::kIdcText, "Came by ship in 1880.");
        notes->Control<QPushButton>(fw::kIdOk)->click();
      });
      dialog.Control<QPushButton>(CEditIndividualDialog::kIdcNotes)->click();
      QVERIFY(seen);
      QVERIFY(node->HasNotes());
      dialog.Control<QPushButton>(fw::kIdOk)->click();
    }
    node->Release();
    CIndividualRecord back;
    QCOMPARE(family::Read(back, rin), 1);
    QVERIFY(back.numbers[CIndividualRecord::kFirstNote] != 0);
  }

  void rowCitationButtonOpensSourcesForTheEvent() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    const std::int32_t rin = AddPerson("Hale", "Anna", 'F');
    CSourceRecord register_;
    register_.title = "Parish register";
    const std::int32_t source = DbAddRecord(db::kSource, 1, &register_);
    CCitationRecord cited;
    cited.sourceRin = source;
    cited.ownerLetter = 'B';
    cited.ownerNumber = rin;
    cited.pageText = "folio 3";
    const std::int32_t citation = DbAddRecord(db::kCitation, 1, &cited);
    QVERIFY(citation > 0);
    CIndividualNode* node = Node(rin);
    {
      CEditIndividualDialog dialog(nullptr, node, nullptr, 0);
      QVERIFY(Show(&dialog));
      CFieldListWidget* list = dialog.Control<CFieldListWidget>(CEditIndividualDialog::kIdcList);
      // The birth's place row (after its date row) holds its button.
      const int line = list->List().FindRowIndexById(3710) + 1;
      QVERIFY(line >= 1);
      QCOMPARE(list->List().GetCell(2, line)->GetCount(), int(citation));
      QString caption;
      std::string page;
      // The press reaches the screen through the event queue: wait for the
      // dialog to show.
      QTimer poll;
      QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* sources =
            qobject_cast<notesui::CSourcesForDialog*>(QApplication::activeModalWidget());
        if (sources == nullptr) return;
        poll.stop();
        caption = sources->windowTitle();
        page = sources->model.Shown().pageText;
        Shoot(sources, "sources_for_birth");
        sources->Control<QPushButton>(fw::kIdOk)->click();
      });
      poll.start(10);
      QVERIFY(list->List().BeginEdit(2, line, true) == 1);
      auto* button = qobject_cast<QPushButton*>(
          dynamic_cast<QWidget*>(list->List().GetCurrentCell()->GetEditor()));
      QVERIFY(button != nullptr);
      QTest::mouseClick(button, Qt::LeftButton);
      QTRY_VERIFY(!caption.isEmpty());
      QVERIFY2(caption.contains(QStringLiteral("Birth of Anna Hale")), qPrintable(caption));
      QCOMPARE(page, std::string("folio 3"));
      QCOMPARE(list->List().GetCell(2, line)->GetCount(), int(citation));
      dialog.Control<QPushButton>(fw::kIdOk)->click();
    }
    node->Release();
    CIndividualRecord back;
    QCOMPARE(family::Read(back, rin), 1);
    QCOMPARE(back.birth.firstCitation, citation);
  }

  void newEventCreatesAndLinksAUserEventAndOnlyItCanBeRemoved() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    const std::int32_t rin = AddPerson("Hale", "Anna", 'F');
    CEventTypeRecord type;
    type.title = "Immigration";
    type.shortTitle = "Immig";
    type.ownerKind = 'I';
    const std::int32_t typeNumber = DbAddRecord(db::kEventType, 0, &type);
    CIndividualNode* node = Node(rin);
    {
      CEditIndividualDialog dialog(nullptr, node, nullptr, 0);
      QVERIFY(Show(&dialog));
      CFieldListWidget* list = dialog.List();
      list->List().BeginEdit(1, list->List().FindRowIndexById(3710), true);
      QVERIFY(!RemoveEnabled(dialog));
      WhenModal<CSelectEventDialog>([](CSelectEventDialog* select) {
        Shoot(select, "selectevent");
        select->Control<QPushButton>(fw::kIdOk)->click();
      });
      dialog.OnNewEvent();
      std::vector<std::int32_t> events;
      DbGetRinList(events, db::kUserEvent, rin, db::kOwnerIndividual);
      QCOMPARE(events.size(), std::size_t{1});
      CUserEventRecord event;
      QCOMPARE(family::Read(event, events[0]), 1);
      QCOMPARE(event.eventTypeNumber, typeNumber);
      // The new row is current, and Remove is offered for it only.
      const int line = list->List().GetCurrentLine();
      QVERIFY(line > list->List().FindRowIndexById(res::kIdsOtherEvents));
      QVERIFY(RemoveEnabled(dialog));
      boxes.QueueAnswer(plat::kIdYes);
      dialog.OnRemoveEvent();
      QCOMPARE(boxes.Calls().back().text,
               std::string("Are you sure you want to delete the Immigration Event?"));
      QVERIFY(list->List().FindRowIndexById(res::kIdsOtherEvents) < 0);
      dialog.Control<QPushButton>(fw::kIdCancel)->click();
      DbGetRinList(events, db::kUserEvent, rin, db::kOwnerIndividual);
      QVERIFY(events.empty());
    }
    node->Release();
  }

  // Alt+L goes to the ordinances only while they are shown; Alt+T to OTHER.
  void sectionKeysAndZelOff() {
    const std::int32_t rin = AddPerson("Hale", "Anna", 'F');
    for (const bool zel : {true, false}) {
      EditEnvironment().options.showZel = zel;
      CIndividualNode* node = Node(rin);
      {
        CEditIndividualDialog dialog(nullptr, node, nullptr, 0);
        QVERIFY(Show(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Add Individual"));
        CFieldListWidget* list = dialog.List();
        list->List().BeginEdit(1, 1, true);
        QTest::keyClick(&dialog, Qt::Key_L, Qt::AltModifier);
        const int ordinances = list->List().FindRowIndexById(res::kIdsOrdinances);
        QCOMPARE(ordinances >= 0, zel);
        // The editing lands on the section's first field.
        QCOMPARE(list->List().GetCurrentLine(), zel ? ordinances + 1 : 1);
        QTest::keyClick(&dialog, Qt::Key_T, Qt::AltModifier);
        QCOMPARE(list->List().GetCurrentLine(), list->List().FindRowIndexById(res::kIdsOther) + 1);
        if (!zel) Shoot(&dialog, "editindividual_nozel");
        dialog.Control<QPushButton>(fw::kIdCancel)->click();
      }
      node->Release();
    }
  }

  // A sealing to parents stored through Edit Parents stays when the screen
  // is saved afterwards, and the in-memory individual shows its state.
  void editParentsThenSaveKeepsTheSealing() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    EditEnvironment().options.showZel = true;
    const std::int32_t child = AddPerson("Hale", "Ida", 'F');
    const std::int32_t mrin = DbSetRelation(AddPerson("Hale", "Tom", 'M'),
                                            AddPerson("Ross", "Ann", 'F'), db::kRelHusband, 0);
    const std::int32_t link = DbSetRelation(child, 0, db::kRelParents, mrin);
    QVERIFY(link > 0);
    CIndividualNode* node = Node(child);
    {
      CEditIndividualDialog dialog(nullptr, node, nullptr, 0);
      QVERIFY(Show(&dialog));
      bool seen = false;
      QTimer::singleShot(0, [&] {
        auto* parents = qobject_cast<editui::CParentsOfDialog*>(QApplication::activeModalWidget());
        if (parents == nullptr) return;
        seen = true;
        parents->Control<QLineEdit>(editui::CParentsOfDialog::kIdcSealingDate)
            ->setText(QStringLiteral("12 Mar 1901"));
        parents->Control<QComboBox>(editui::CParentsOfDialog::kIdcSealingTemple)
            ->setEditText(QStringLiteral("SLAKE"));
        parents->Control<QPushButton>(fw::kIdOk)->click();
      });
      QAction* editParents = nullptr;
      for (QAction* action : dialog.OptionsMenu()->actions())
        if (action->text() == QStringLiteral("Edit &Parents")) editParents = action;
      QVERIFY(editParents != nullptr);
      editParents->trigger();
      QVERIFY(seen);
      QCOMPARE((node->GetLinks()->ordinanceFlags >> 4) & 3, CDateValue::kOrdinanceDone);
      dialog.Control<QPushButton>(fw::kIdOk)->click();
      QCOMPARE(dialog.result(), int(fw::kIdOk));
    }
    node->Release();
    CFamilyLinkRecord stored;
    QCOMPARE(DbGetRecord(link, db::kFamilyLink, &stored), 1);
    QVERIFY(stored.GetSealingEvent() != nullptr);
    QCOMPARE(stored.GetSealingEvent()->templeCode, std::string("SLAKE"));
    QVERIFY(stored.GetSealingEvent()->date.IsSet());
  }

  // The screen shows the second family's parents (chosen by the views);
  // Edit Parents unlinks that family, leaving the first link and its sealing
  // as they were: the birth is checked against the first family's marriage
  // from then on.
  void editParentsThatChangeTheParentsInUseRecheckTheBirth() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    const auto marriedIn = [](int year) {
      const std::int32_t mrin = DbSetRelation(AddPerson("Hale", "Tom", 'M'),
                                              AddPerson("Ross", "Ann", 'F'), db::kRelHusband, 0);
      CMarriageRecord record;
      if (family::Read(record, mrin) == 1) {
        record.marriage.date = CDateValue::DateValueFromParts(year, 0, 0, 0);
        Stored(family::Update(record, 0), "marriage");
      }
      return mrin;
    };
    const std::int32_t first = marriedIn(1885), second = marriedIn(1905);
    const std::int32_t child = AddPerson("Hale", "Ida", 'F');
    QVERIFY(DbSetRelation(child, 0, db::kRelParents, first) > 0);
    QVERIFY(DbSetRelation(child, 0, db::kRelParents, second) > 0);
    const std::string marriedAfter =
        "The parents' marriage date is after this individual's birth or christening.";
    CIndividualNode* node = Node(child);
    node->GetLinks()->chosenParentsMrin = second;
    {
      CEditIndividualDialog dialog(nullptr, node, nullptr, 0);
      QVERIFY(Show(&dialog));
      TypeInto(dialog.List(), 3710, "1900");
      QCOMPARE(boxes.Calls().size(), std::size_t(1));
      QCOMPARE(boxes.Calls().back().text, marriedAfter);
      bool unlinked = false;
      WhenModal<editui::CParentsOfDialog>([&](editui::CParentsOfDialog* parents) {
        if (parents->Links().Current() != 1) return;
        boxes.QueueAnswer(plat::kIdYes);
        parents->Unlink();
        unlinked = parents->Links().Count() == 1;
        parents->Control<QPushButton>(fw::kIdOk)->click();
      });
      for (QAction* action : dialog.OptionsMenu()->actions())
        if (action->text() == QStringLiteral("Edit &Parents")) action->trigger();
      QVERIFY(unlinked);
      QCOMPARE(node->GetLinks()->ParentsMrin(), first);
      boxes.Clear();
      TypeInto(dialog.List(), 3710, "1901");
      QVERIFY(boxes.Calls().empty());
      dialog.Control<QPushButton>(fw::kIdCancel)->click();
    }
    node->Release();
  }

  void marriageNotesOpenOnTheMarriage() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    const std::int32_t mrin = TomAndAnn();
    CMarriageNode* node = Marriage(mrin);
    {
      CMarriageDialog dialog(nullptr, node);
      QVERIFY(Show(&dialog));
      bool seen = false;
      QString title;
      QTimer::singleShot(0, [&] {
        auto* notes = qobject_cast<notesui::CNotesDialog*>(QApplication::activeModalWidget());
        if (notes == nullptr) return;
        seen = notes->session.Rin() == mrin && notes->session.Kind() == 'M';
        title = notes->windowTitle();
        notes->Control<QPushButton>(fw::kIdCancel)->click();
      });
      dialog.Control<QPushButton>(CMarriageDialog::kIdcNotes)->click();
      QVERIFY(seen);
      QVERIFY2(title.endsWith(QStringLiteral("for Marriage of Tom Hale and Ann Ross")),
               qPrintable(title));
      dialog.Control<QPushButton>(fw::kIdCancel)->click();
    }
    ReleaseMarriageRef(node);
  }

  // So&urce opens Sources for on the marriage record's own citations; its
  // caption and the Sources picture tell that the marriage has some.
  void marriageSourceOpensTheMarriagesOwnCitations() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    const std::int32_t mrin = TomAndAnn();
    CMarriageNode* node = Marriage(mrin);
    {
      CMarriageDialog dialog(nullptr, node);
      QVERIFY(Show(&dialog));
      QVERIFY(dialog.IsControlEnabled(CMarriageDialog::kIdcSource));
      QCOMPARE(dialog.GetControlText(CMarriageDialog::kIdcSource), std::string("So&urce"));
      QVERIFY(!dialog.Session().Model().HasCitations());
      dialog.Control<QPushButton>(fw::kIdCancel)->click();
    }
    ReleaseMarriageRef(node);

    CSourceRecord register_;
    register_.title = "Parish register";
    CCitationRecord cited;
    cited.sourceRin = DbAddRecord(db::kSource, 1, &register_);
    cited.ownerLetter = 'M';
    cited.ownerNumber = mrin;
    cited.pageText = "folio 9";
    const std::int32_t citation = DbAddRecord(db::kCitation, 1, &cited);
    QVERIFY(citation > 0);
    node = Marriage(mrin);
    {
      CMarriageDialog dialog(nullptr, node);
      QVERIFY(Show(&dialog));
      QCOMPARE(dialog.GetControlText(CMarriageDialog::kIdcSource), std::string("*So&urce"));
      QVERIFY(dialog.Session().Model().HasCitations());
      QString caption;
      std::string page;
      WhenModal<notesui::CSourcesForDialog>([&](notesui::CSourcesForDialog* sources) {
        caption = sources->windowTitle();
        page = sources->model.Shown().pageText;
        Shoot(sources, "sources_for_marriage");
        sources->Control<QPushButton>(fw::kIdOk)->click();
      });
      QTest::mouseClick(dialog.GetControl(CMarriageDialog::kIdcSource), Qt::LeftButton);
      QVERIFY2(caption.endsWith(QStringLiteral("Tom Hale/Ann Ross")), qPrintable(caption));
      QCOMPARE(page, std::string("folio 9"));
      QCOMPARE(dialog.Session().Model().GetOwnFirstCitation(), citation);
      Shoot(&dialog, "marriage_source");
      dialog.Control<QCheckBox>(CMarriageDialog::kIdcDivorced)->click();
      dialog.Control<QPushButton>(fw::kIdOk)->click();
    }
    ReleaseMarriageRef(node);
    std::vector<std::int32_t> chain;
    DbGetRinList(chain, db::kCitation, mrin, 'M');
    QCOMPARE(chain, std::vector<std::int32_t>{citation});
  }

  // View Sources is titled with the marriage; afterwards the So&urce caption
  // and the Sources picture show the marriage's citations as they are then.
  void marriageViewSourcesRefreshesTheSourcePictures() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    const std::int32_t mrin = TomAndAnn();
    CMarriageNode* node = Marriage(mrin);
    {
      CMarriageDialog dialog(nullptr, node);
      QVERIFY(Show(&dialog));
      auto* sources = dialog.Control<QPushButton>(CMarriageDialog::kIdcSources);
      const QImage without = sources->icon().pixmap(20, 20).toImage();
      QCOMPARE(dialog.GetControlText(CMarriageDialog::kIdcSource), std::string("So&urce"));
      // Citations the screen learns of without redrawing its buttons.
      dialog.Session().Model().SetOwnFirstCitation(7);
      QString viewed;
      WhenModal<notesui::CViewSourcesDialog>([&](notesui::CViewSourcesDialog* view) {
        viewed = view->windowTitle();
        view->Control<QPushButton>(fw::kIdOk)->click();
      });
      sources->click();
      QCOMPARE(viewed, QStringLiteral("View Sources for Marriage of Tom Hale and Ann Ross"));
      QCOMPARE(dialog.GetControlText(CMarriageDialog::kIdcSource), std::string("*So&urce"));
      QVERIFY(sources->icon().pixmap(20, 20).toImage() != without);
      dialog.Control<QPushButton>(fw::kIdCancel)->click();
    }
    ReleaseMarriageRef(node);
  }

  // F7 opens the Character Map on the cell being edited and Shift+F7 the
  // Date Calculator, on both screens.
  void editingKeysOpenTheMapAndTheCalculator() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    const std::int32_t husband = AddPerson("Hale", "Tom", 'M');
    const std::int32_t mrin =
        DbSetRelation(husband, AddPerson("Ross", "Ann", 'F'), db::kRelHusband, 0);
    CIndividualNode* person = Node(husband);
    CMarriageNode* marriage = Marriage(mrin);
    {
      CEditIndividualDialog individual(nullptr, person, nullptr, 0);
      CMarriageDialog couple(nullptr, marriage);
      struct Case {
        const char* name;
        QDialog* screen;
        CFieldListWidget* list;
        int row;
      };
      const Case cases[] = {{"individual", &individual, individual.List(), res::kIdsGivenName},
                            {"marriage", &couple, couple.List(), 7159}};
      for (const Case& c : cases) {
        QVERIFY(Show(c.screen));
        const int line = c.list->List().FindRowIndexById(c.row) + (c.row == 7159 ? 1 : 0);
        QVERIFY2(c.list->List().BeginEdit(1, line, true) == 1, c.name);
        auto* editor = dynamic_cast<CCellEditorBase*>(c.list->List().GetCurrentCell()->GetEditor());
        QVERIFY2(editor != nullptr, c.name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F7);
        QCoreApplication::processEvents();
        QVERIFY2(editor->Map() != nullptr && editor->Map()->isVisible(), c.name);
        Shoot(c.screen, c.name == std::string("marriage") ? "marriage_f7" : "individual_f7");
        QTest::keyClick(editor->Map(), Qt::Key_Escape);
        QVERIFY(!editor->Map()->isVisible());
        bool calculator = false;
        WhenModal<CDateCalculatorDialog>([&calculator](CDateCalculatorDialog* d) {
          calculator = true;
          d->reject();
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F7, Qt::ShiftModifier);
        QVERIFY2(calculator, c.name);
        c.screen->hide();
      }
      individual.Control<QPushButton>(fw::kIdCancel)->click();
      couple.Control<QPushButton>(fw::kIdCancel)->click();
    }
    person->Release();
    ReleaseMarriageRef(marriage);
  }

  // Alt+N, Alt+R and Alt+A, the mnemonics of Notes, Sources and Address,
  // open their dialogs (on Edit Marriage Alt+N and Alt+R).
  void buttonKeysOpenTheirDialogs() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    const std::int32_t mrin = TomAndAnn();
    CMarriageRecord record;
    QCOMPARE(family::Read(record, mrin), 1);
    CIndividualNode* person = Node(record.husband);
    CMarriageNode* marriage = Marriage(mrin);
    {
      CEditIndividualDialog individual(nullptr, person, nullptr, 0);
      CMarriageDialog couple(nullptr, marriage);
      struct Case {
        QDialog* screen;
        Qt::Key key;
        const char* dialog;
      };
      const Case cases[] = {{&individual, Qt::Key_N, "notesui::CNotesDialog"},
                            {&individual, Qt::Key_R, "notesui::CViewSourcesDialog"},
                            {&individual, Qt::Key_A, "editui::CContactInfoDialog"},
                            {&couple, Qt::Key_N, "notesui::CNotesDialog"},
                            {&couple, Qt::Key_R, "notesui::CViewSourcesDialog"}};
      for (const Case& c : cases) {
        QVERIFY(Show(c.screen));
        QString opened;
        // A mnemonic clicks its button after a short delay.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
          QWidget* modal = QApplication::activeModalWidget();
          if (modal == nullptr || modal == c.screen) return;
          poll.stop();
          opened = QString::fromLatin1(modal->metaObject()->className());
          static_cast<QDialog*>(modal)->reject();
        });
        poll.start(5);
        QTest::keyClick(c.screen, c.key, Qt::AltModifier);
        QTRY_COMPARE(opened, QString::fromLatin1(c.dialog));
        c.screen->hide();
      }
      individual.Control<QPushButton>(fw::kIdCancel)->click();
      couple.Control<QPushButton>(fw::kIdCancel)->click();
    }
    person->Release();
    ReleaseMarriageRef(marriage);
  }

  void marriageSaveCancelAndDelete() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    const std::int32_t husband = AddPerson("Hale", "Tom", 'M');
    const std::int32_t wife = AddPerson("Ross", "Ann", 'F');
    const std::int32_t mrin = DbSetRelation(husband, wife, db::kRelHusband, 0);
    QVERIFY(mrin > 0);
    for (const bool zel : {true, false}) {
      EditEnvironment().options.showZel = zel;
      CMarriageNode* node = Marriage(mrin);
      {
        CMarriageDialog dialog(nullptr, node);
        QVERIFY(Show(&dialog));
        QCOMPARE(dialog.GetControlText(CMarriageDialog::kIdcHusband), std::string("Tom Hale"));
        QCOMPARE(dialog.GetControlText(CMarriageDialog::kIdcMrin), "MRIN: " + std::to_string(mrin));
        QCOMPARE(dialog.BuildMarriageTitle(), std::string("Marriage of Tom Hale and Ann Ross"));
        Shoot(&dialog, zel ? "marriage_zel" : "marriage_nozel");
        // Divorced alone is no change: Cancel ends without a question.
        dialog.Control<QCheckBox>(CMarriageDialog::kIdcDivorced)->click();
        dialog.Control<QPushButton>(fw::kIdCancel)->click();
        QCOMPARE(dialog.result(), int(fw::kIdCancel));
        QVERIFY(boxes.Calls().empty());
      }
      ReleaseMarriageRef(node);
    }
    CMarriageRecord stored;
    QCOMPARE(family::Read(stored, mrin), 1);
    QVERIFY(stored.status != 'D');

    // A typed place asks on Cancel; Cancel to the question keeps it open,
    // then Save writes it.
    CMarriageNode* node = Marriage(mrin);
    {
      CMarriageDialog dialog(nullptr, node);
      QVERIFY(Show(&dialog));
      TypeInto(dialog.List(), 7159, "Leeds", 1);
      boxes.QueueAnswer(plat::kIdCancel);
      dialog.Control<QPushButton>(fw::kIdCancel)->click();
      QCOMPARE(boxes.Calls().back().text, std::string("Do you want to save your changes?"));
      QVERIFY(dialog.isVisible());
      dialog.Control<QCheckBox>(CMarriageDialog::kIdcDivorced)->click();
      dialog.Control<QPushButton>(fw::kIdOk)->click();
      QCOMPARE(dialog.result(), int(fw::kIdOk));
    }
    ReleaseMarriageRef(node);
    QCOMPARE(family::Read(stored, mrin), 1);
    QCOMPARE(stored.marriage.place[0], std::string("Leeds"));
    QCOMPARE(stored.status, 'D');

    node = Marriage(mrin);
    {
      CMarriageDialog dialog(nullptr, node);
      QVERIFY(Show(&dialog));
      boxes.QueueAnswer(plat::kIdOk);
      dialog.Control<QPushButton>(CMarriageDialog::kIdcDelete)->click();
      QCOMPARE(dialog.result(), int(fw::kIdCancel));
      QVERIFY(dialog.IsDeleted());
      QVERIFY(dialog.Node() == nullptr);
    }
    ReleaseMarriageRef(node);
    QVERIFY(family::Read(stored, mrin) != 1);
    std::vector<std::int32_t> marriages;
    DbGetRelationList(marriages, db::kRelSpouses, 0, wife, 0);
    QVERIFY(marriages.empty());
  }

 private:
  static std::int32_t AddPerson(const char* surname, const char* given, char sex) {
    CIndividualRecord person;
    person.surname = surname;
    person.givenNames[0] = given;
    person.sex = sex;
    return static_cast<std::int32_t>(family::Add(person, 0));
  }
  // Tom Hale married to Ann Ross: the marriage's number.
  static std::int32_t TomAndAnn() {
    return DbSetRelation(AddPerson("Hale", "Tom", 'M'), AddPerson("Ross", "Ann", 'F'),
                         db::kRelHusband, 0);
  }
  static CIndividualNode* Node(std::int32_t rin) {
    CIndividualRecord record;
    family::Read(record, rin);
    CIndividualNode* node = CIndividualNode::New(record, 3, 0, 0, nullptr);
    node->AddRef();
    return node;
  }
  static CMarriageNode* Marriage(std::int32_t mrin) {
    CMarriageRecord record;
    family::Read(record, mrin);
    CMarriageNode* node = nullptr;
    SetMarriageRef(node, CMarriageNode::New(record));
    return node;
  }
  static bool RemoveEnabled(CEditIndividualDialog& dialog) {
    for (QAction* action : dialog.OptionsMenu()->actions())
      if (action->text() == QStringLiteral("Remo&ve Event/Attribute")) return action->isEnabled();
    return false;
  }

  std::unique_ptr<TempDir> dir;
};

QTEST_MAIN(EditScreensTest)
#include "editscreens_qtest.moc"
