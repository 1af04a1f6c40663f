// The Field Filtering screen end to end through the real criterion screens,
// the criterion screens' OK as a table, the Ancestors of screen, and every
// control of the Individual List's filter side, on a real family file. With
// KORVANE_SHOTS set, each saves its picture there.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "AppOptions.h"
#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "FieldFilterDialogs.h"
#include "FilterSet.h"
#include "IndividualListDialog.h"
#include "IndividualRecord.h"
#include "NamedFiles.h"
#include "QtPorts.h"
#include "RecordAccess.h"
#include "StartupTables.h"

namespace {

using D = CIndividualListDialog;
using F = CFieldFilterDialog;
using C = CCriterionDialog;

std::int32_t AddPerson(const char* given, const char* surname, char sex, int born) {
  CIndividualRecord person;
  person.surname = surname;
  person.givenNames[0] = given;
  person.sex = sex;
  if (born) person.birth.date.Set(born, 3, 12);
  return static_cast<std::int32_t>(family::Add(person, 0));
}

void Shot(QWidget& w, const char* name) {
  if (!qEnvironmentVariableIsSet("KORVANE_SHOTS")) return;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  w.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QLatin1Char('/') +
                QString::fromLatin1(name) + QStringLiteral(".png"));
}

// Twelve people born 1900 to 1911, men at odd RINs and women at even ones,
// surnames Berg, Holm and Dahl in turn: the Berg women are RINs 4 and 10.
void Populate() {
  const char* surnames[] = {"Berg", "Holm", "Dahl"};
  for (int i = 0; i < 12; ++i) {
    char given[16];
    std::snprintf(given, sizeof given, "Ann%02d", i + 1);
    AddPerson(given, surnames[i % 3], i % 2 ? 'F' : 'M', 1900 + i);
  }
}

// Runs f on the next modal screen once it is shown.
void OnNextModal(std::function<void(QWidget*)> f) {
  QTimer::singleShot(0, [f] {
    QWidget* w = QApplication::activeModalWidget();
    if (!w) {
      OnNextModal(f);
      return;
    }
    f(w);
  });
}

void Click(fw::CDialogBase* d, int id) { QTest::mouseClick(d->GetControl(id), Qt::LeftButton); }

}  // namespace

class FieldFilterDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    boxes.Clear();
    plat::SetMessageBoxPort(&boxes);
    plat::SetProfilePort(&profile);
    plat::SetProgressPort(&progress);
    const std::string path =
        dir.filePath(QStringLiteral("family%1.orv").arg(++files)).toStdString();
    QCOMPARE(DbCreate(path, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(path, CFamilyDatabase::kCurrentFormat), 1);
    Populate();
  }
  void cleanup() {
    DbCloseCurrent();
    plat::SetMessageBoxPort(nullptr);
    plat::SetProfilePort(nullptr);
    plat::SetProgressPort(nullptr);
  }

  void fieldFilteringEndToEnd() {
    F dialog(nullptr, CFilterSet::kOr, false, false);
    dialog.open();
    auto* fields = dialog.Control<QListWidget>(F::kIdcFields);
    auto* expression = dialog.Control<QListWidget>(F::kIdcExpression);
    QCOMPARE(fields->item(0)->text(), QStringLiteral("Name"));
    QCOMPARE(fields->item(fields->count() - 1)->text(), QStringLiteral("End of Line"));
    QCOMPARE(expression->count(), 1);
    QVERIFY(!dialog.IsControlEnabled(F::kIdcSave));

    // Name Contains berg through the name screen.
    fields->setCurrentRow(0);
    bool shown = false;
    OnNextModal([&](QWidget* w) {
      auto* c = qobject_cast<C*>(w);
      QVERIFY(c);
      shown = true;
      QCOMPARE(c->windowTitle(), QStringLiteral("Name Field Filter"));
      c->Control<QComboBox>(C::kIdcOperator)->setCurrentIndex(2);
      c->SetControlText(C::kIdcText, "berg");
      Shot(*c, "criterion_name");
      Click(c, fw::kIdOk);
    });
    Click(&dialog, F::kIdcAdd);
    QVERIFY(shown);
    QCOMPARE(expression->item(0)->text(), QStringLiteral("Name Contains berg"));
    QVERIFY(dialog.IsControlEnabled(F::kIdcSave));

    Click(&dialog, F::kIdcAnd);
    // Sex Matches Female through the code screen.
    fields->setCurrentRow(2);
    OnNextModal([&](QWidget* w) {
      auto* c = qobject_cast<C*>(w);
      QVERIFY(c);
      QCOMPARE(c->windowTitle(), QStringLiteral("Sex Field Filter"));
      c->Control<QComboBox>(C::kIdcChoice)->setCurrentIndex(1);
      Click(c, fw::kIdOk);
    });
    Click(&dialog, F::kIdcAdd);
    QCOMPARE(expression->item(2)->text(), QStringLiteral("Sex Matches Female"));
    Shot(dialog, "field_filtering");

    // A trailing AND is refused with the last line selected.
    Click(&dialog, F::kIdcAnd);
    Click(&dialog, fw::kIdOk);
    QVERIFY(dialog.isVisible());
    QCOMPARE(boxes.Calls().back().caption, std::string("AND or OR out of place"));
    QCOMPARE(expression->currentRow(), 3);
    Click(&dialog, F::kIdcRemove);
    QCOMPARE(expression->count(), 4);

    // The spin's field holds the widest text of its range whole.
    auto* spin = dialog.Control<QSpinBox>(F::kIdcSpin);
    auto* field = spin->findChild<QLineEdit*>();
    QVERIFY(field);
    for (const int end : {spin->minimum(), spin->maximum()}) {
      const QString text = QString::number(end);
      QVERIFY2(field->width() >= field->fontMetrics().horizontalAdvance(text), qPrintable(text));
    }

    // The spin's up arrow moves the selected line up, its down arrow down.
    expression->setCurrentRow(2);
    spin->stepUp();
    QCOMPARE(expression->item(1)->text(), QStringLiteral("Sex Matches Female"));
    QCOMPARE(expression->currentRow(), 1);
    spin->stepDown();
    QCOMPARE(expression->item(2)->text(), QStringLiteral("Sex Matches Female"));

    Click(&dialog, fw::kIdOk);
    QCOMPARE(dialog.result(), int(fw::kIdOk));
    std::unique_ptr<CFilterSet> set = dialog.Editor().TakeCreatedSet();
    QVERIFY(set);
    QCOMPARE(set->combineOp, int(CFilterSet::kOr));
    QCOMPARE(set->GetCount(CFilterSet::kFieldSet), 2);
    QCOMPARE(set->IsInSet(CFilterSet::kFieldSet, 4), 1);
    QCOMPARE(set->IsInSet(CFilterSet::kFieldSet, 10), 1);
    QCOMPARE(int(set->criteria.size()), 3);

    // Save and Retrieve through the named-item screens' hooks.
    const std::string path = dir.filePath(QStringLiteral("Women001.fld")).toStdString();
    F again(set.get(), CFilterSet::kAnd, false, false);
    again.chooseSaveFile = [&](std::string& p, std::string& n) {
      p = path;
      n = "Women";
      return true;
    };
    again.chooseOpenFile = again.chooseSaveFile;
    again.open();
    Click(&again, F::kIdcSave);
    QVERIFY(QFileInfo::exists(QString::fromStdString(path)));
    Click(&again, F::kIdcRemoveAll);
    QCOMPARE(again.Control<QListWidget>(F::kIdcExpression)->count(), 1);
    QVERIFY(!again.IsControlEnabled(F::kIdcSave));
    Click(&again, F::kIdcRetrieve);
    QCOMPARE(again.Control<QListWidget>(F::kIdcExpression)->count(), 4);
    Click(&again, fw::kIdCancel);
    QCOMPARE(int(set->criteria.size()), 3);
  }

  void criterionOkNormalisation() {
    struct Case {
      int field, kind, sub, op;
      const char* text;
      const char* to;
      int radio;  // place level or name part, -1 none
      int wantOp;
      const char* want1;
      const char* want2;
      int wantSub;
    };
    const Case cases[] = {
        {ffield::kName, fkind::kName, 0, 0, "*Bob* Robert", "", 0, 2, "Bob", nullptr, 0},
        {ffield::kName, fkind::kName, 0, 10, "a*", "c", 1, 10, "a", "c", 1},
        {ffield::kName, fkind::kName, 0, 6, "x", "", 2, 6, nullptr, nullptr, 2},
        {ffield::kBirthPlace, fkind::kPlace, 0, 0, "Oslo, Norway", "", 2, 0, "Oslo,Norway", nullptr,
         2},
        {ffield::kBirthPlace, fkind::kPlace, 0, 0, "*oslo*", "", 0, 2, "oslo", nullptr, 0},
        {ffield::kNickname, fkind::kText, 0, 3, "b*o", "", -1, 3, "bo", nullptr, 0},
        {ffield::kNickname, fkind::kText, 0, 4, "gone", "", -1, 4, nullptr, nullptr, 0},
        {ffield::kUserEvents, fkind::kText, ffield::kUeDescription, 2, "mill", "", -1, 2, "mill",
         nullptr, ffield::kUeDescription},
    };
    for (const Case& c : cases) {
      C dialog(c.field, c.kind, c.sub, nullptr);
      dialog.open();
      dialog.Control<QComboBox>(C::kIdcOperator)->setCurrentIndex(c.op);
      if (c.radio >= 0) dialog.Control<QRadioButton>(C::kIdcFirstRadio + c.radio)->setChecked(true);
      dialog.SetControlText(C::kIdcText, c.text);
      dialog.SetControlText(C::kIdcTo, c.to);
      Click(&dialog, fw::kIdOk);
      std::unique_ptr<CFilterCriterion> made = dialog.TakeCriterion();
      QVERIFY2(made, c.text);
      QCOMPARE(int(made->op), c.wantOp);
      QCOMPARE(made->text1 ? *made->text1 : std::string("<none>"),
               std::string(c.want1 ? c.want1 : "<none>"));
      QCOMPARE(made->text2 ? *made->text2 : std::string("<none>"),
               std::string(c.want2 ? c.want2 : "<none>"));
      QCOMPARE(int(made->subField), c.wantSub);
      QCOMPARE(int(made->kind), c.kind);
    }

    // RIN ranges default to the lowest and highest live RIN.
    C range(ffield::kRin, fkind::kNumber, 0, nullptr);
    range.open();
    QCOMPARE(range.windowTitle(), QStringLiteral("RIN Field Filter"));
    QCOMPARE(range.GetControlText(C::kIdcText), std::string("1"));
    QCOMPARE(range.GetControlText(C::kIdcTo), std::string("12"));
    range.Control<QComboBox>(C::kIdcOperator)->setCurrentIndex(2);
    QVERIFY(range.GetControl(C::kIdcTo)->isVisible());
    Click(&range, fw::kIdOk);
    auto rins = range.TakeCriterion();
    QCOMPARE(rins->value1, 1);
    QCOMPARE(rins->value2, 12);
    Shot(range, "criterion_range");

    // A refused date keeps the screen open.
    C date(ffield::kBirthDate, fkind::kDate, 0, nullptr);
    date.open();
    date.SetControlText(C::kIdcText, "32 Foo 19x");
    Click(&date, fw::kIdOk);
    QVERIFY(date.isVisible());
    QVERIFY(!date.TakeCriterion());
    QCOMPARE(boxes.Calls().back().text, std::string("32 Foo 19x\nInvalid date."));
    date.SetControlText(C::kIdcText, "12 Mar 1900");
    Click(&date, fw::kIdOk);
    auto dated = date.TakeCriterion();
    QVERIFY(dated && dated->date1);
    QCOMPARE(int(dated->date1->year), 1900);
    Shot(date, "criterion_date");

    // Counts outside 0-9999 keep the screen open.
    C count(ffield::kChildCount, fkind::kNumber, 0, nullptr);
    count.open();
    count.SetControlText(C::kIdcText, "10000");
    Click(&count, fw::kIdOk);
    QVERIFY(!count.TakeCriterion());
    QVERIFY(count.isVisible());

    // Editing writes back into the criterion it was given.
    CFilterCriterion yes(ffield::kDeceased, fkind::kYesNo);
    C yesNo(ffield::kDeceased, fkind::kYesNo, 0, &yes);
    yesNo.open();
    QVERIFY(yesNo.Control<QRadioButton>(C::kIdcFirstRadio)->isChecked());
    yesNo.Control<QRadioButton>(C::kIdcFirstRadio + 1)->setChecked(true);
    Click(&yesNo, fw::kIdOk);
    QCOMPARE(int(yes.op), 1);
    QCOMPARE(yes.GetDescription(), std::string("Is not Deceased"));
  }

  void notesTagComboListsTheUserTagsElseTheStandardOnes() {
    LoadStandardNoteTags();
    auto entries = [] {
      C notes(ffield::kNotes, fkind::kNotes, 0, nullptr);
      QStringList list;
      auto* combo = notes.Control<QComboBox>(C::kIdcChoice);
      for (int i = 0; i < combo->count(); ++i) list << combo->itemText(i);
      return list;
    };
    QStringList standard = entries();
    QCOMPARE(standard.value(0), QString());
    QCOMPARE(standard.value(1), QStringLiteral("BIOGRAPHY:"));
    QVERIFY(!standard.contains(QStringLiteral("All")));
    SetNoteTag(1, "All");
    SetNoteTag(2, "CENSUS:");
    QCOMPARE(entries(), (QStringList{QString(), QStringLiteral("CENSUS:")}));
    FreeStandardNoteTags();
  }

  void ancestorsOfScreen() {
    profile.SetInt("Search", "FilterAncGens", 4);
    CAncestorsOfDialog ancestors("Ann01 Berg", true);
    ancestors.open();
    QCOMPARE(ancestors.windowTitle(), QStringLiteral("Ancestors of Ann01 Berg"));
    QCOMPARE(ancestors.GetControlText(CAncestorsOfDialog::kIdcGenerations), std::string("4"));
    QCOMPARE(ancestors.GetControlText(CAncestorsOfDialog::kIdcDescGenerations), std::string("2"));
    QCOMPARE(ancestors.GetControlText(CAncestorsOfDialog::kIdcQuestion),
             std::string("Counting Ann01 Berg as the first generation, how many generations of "
                         "ancestors do you want to select?"));
    Shot(ancestors, "ancestors_of");
    ancestors.SetControlText(CAncestorsOfDialog::kIdcGenerations, "0");
    Click(&ancestors, fw::kIdOk);
    QVERIFY(ancestors.isVisible());  // 1 to 999
    ancestors.SetControlText(CAncestorsOfDialog::kIdcGenerations, "3");
    ancestors.SetCheck(CAncestorsOfDialog::kIdcAllParents, 1);
    Click(&ancestors, fw::kIdOk);
    QCOMPARE(profile.GetInt("Search", "FilterAncGens", 0), 3);
    QCOMPARE(profile.GetInt("Search", "FilterAncParents", 0), 1);

    CAncestorsOfDialog descendants("Ann01 Berg", false);
    descendants.open();
    QCOMPARE(descendants.windowTitle(), QStringLiteral("Descendants of Ann01 Berg"));
    for (int id : {CAncestorsOfDialog::kIdcDescGenerations, CAncestorsOfDialog::kIdcAllParents,
                   CAncestorsOfDialog::kIdcParentsText, CAncestorsOfDialog::kIdcDescText})
      QVERIFY(!descendants.GetControl(id)->isVisible());
    QCOMPARE(descendants.GetControlText(CAncestorsOfDialog::kIdcSpouseText),
             std::string("Include any spouses of Ann01 Berg and of his/her descendants?"));
    Shot(descendants, "descendants_of");
    descendants.SetControlText(CAncestorsOfDialog::kIdcGenerations, "2");
    Click(&descendants, fw::kIdOk);
    QCOMPARE(profile.GetInt("Search", "FilterDescGens", 0), 2);
    QCOMPARE(profile.GetInt("Search", "FilterAncGens", 0), 3);  // untouched
  }

  void filterSideControls() {
    D dialog(nullptr);
    dialog.startRin = 2;
    dialog.open();
    QVERIFY(!dialog.GetControl(D::kIdcSelect)->isVisible());
    Click(&dialog, D::kIdcAdvanced);
    QVERIFY(dialog.GetControl(D::kIdcSelect)->isVisible());
    QCOMPARE(dialog.GetControlText(D::kIdcAdvanced), std::string("&<< Advanced"));
    auto* kinds = dialog.Control<QComboBox>(D::kIdcRelationKind);
    QCOMPARE(kinds->count(), 9);
    QCOMPARE(kinds->itemText(8), QStringLiteral("All Descendant Related"));
    auto* combine = dialog.Control<QComboBox>(D::kIdcCombine);
    QCOMPARE(combine->itemText(2), QStringLiteral("NOT"));
    for (int id : {D::kIdcDeselect, D::kIdcRelationClear, D::kIdcReplace, D::kIdcFieldClear,
                   D::kIdcPrev, D::kIdcNext, D::kIdcSave, D::kIdcResultsOnly})
      QVERIFY2(!dialog.IsControlEnabled(id), qPrintable(QString::number(id)));

    // Select and Deselect the individual.
    kinds->setCurrentIndex(relkind::kAll);
    QCOMPARE(profile.GetInt("Search", "FilterRelType", -1), 3);
    kinds->setCurrentIndex(relkind::kIndividual);
    QCOMPARE(profile.GetInt("Search", "FilterRelType", -1), 0);
    Click(&dialog, D::kIdcSelect);
    QCOMPARE(dialog.GetControlText(D::kIdcSelectedCount), std::string("1"));
    QCOMPARE(dialog.GetControlText(D::kIdcTotalCount), std::string("1"));
    QVERIFY(dialog.IsControlEnabled(D::kIdcDeselect));
    QVERIFY(dialog.IsControlEnabled(D::kIdcNext));
    Click(&dialog, D::kIdcDeselect);
    QCOMPARE(dialog.GetControlText(D::kIdcSelectedCount), std::string("0"));
    QVERIFY(!dialog.IsControlEnabled(D::kIdcDeselect));
    QVERIFY(!dialog.Filter()->HasSet(CFilterSet::kRelationSet));

    // Everybody, then a field filter of the women, combined.
    kinds->setCurrentIndex(relkind::kAll);
    Click(&dialog, D::kIdcSelect);
    QCOMPARE(dialog.GetControlText(D::kIdcSelectedCount), std::string("12"));
    dialog.runFieldFilter = [](F& f) {
      f.open();
      auto c = std::make_unique<CFilterCriterion>(ffield::kSex, fkind::kCode);
      c->value1 = 'F';
      c->text1 = std::make_unique<std::string>("Female");
      f.Editor().Insert(std::move(c));
      return f.Editor().OK(nullptr) == CFieldFilterEditor::kClosed ? int(fw::kIdOk)
                                                                   : int(fw::kIdCancel);
    };
    Click(&dialog, D::kIdcDefine);
    QCOMPARE(dialog.GetControlText(D::kIdcMatchesCount), std::string("6"));
    QCOMPARE(dialog.GetControlText(D::kIdcTotalCount), std::string("6"));  // AND
    QVERIFY(dialog.IsControlEnabled(D::kIdcReplace));
    combine->setCurrentIndex(CFilterSet::kNot);
    QCOMPARE(dialog.GetControlText(D::kIdcTotalCount), std::string("6"));  // the men
    QCOMPARE(dialog.Filter()->IsInSet(CFilterSet::kCombinedSet, 1), 1);
    combine->setCurrentIndex(CFilterSet::kAnd);
    Shot(dialog, "indlist_filterside");

    // Show results only pages over the members; Prev and Next step.
    dialog.Control<QCheckBox>(D::kIdcResultsOnly)->click();
    QCOMPARE(profile.GetInt("Search", "FilterResults", -1), 1);
    QVERIFY(!dialog.IsControlEnabled(D::kIdcNext));
    QCOMPARE(dialog.Control<QListWidget>(D::kIdcList)->count(), 6);
    dialog.Control<QCheckBox>(D::kIdcResultsOnly)->click();
    QVERIFY(dialog.IsControlEnabled(D::kIdcNext));
    Click(&dialog, D::kIdcNext);
    QCOMPARE(dialog.Model().CurrentRin(), 4);
    Click(&dialog, D::kIdcPrev);
    QCOMPARE(dialog.Model().CurrentRin(), 2);

    // Save and Retrieve of the filter set.
    const std::string path = dir.filePath(QStringLiteral("fam00001.ort")).toStdString();
    dialog.chooseSaveFile = [&](std::string& p, std::string& n, bool& isNew) {
      p = path;
      n = "Women";
      isNew = true;
      return WriteNamedFileHeader(path, n, false) == 0;
    };
    Click(&dialog, D::kIdcSave);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Find Individual - Women"));

    // Replace: the combination becomes the relationship selection.
    boxes.QueueAnswer(plat::kIdYes);
    Click(&dialog, D::kIdcReplace);
    QCOMPARE(boxes.Calls().back().caption, std::string("Replace Filter"));
    QCOMPARE(dialog.GetControlText(D::kIdcSelectedCount), std::string("6"));
    QCOMPARE(dialog.GetControlText(D::kIdcMatchesCount), std::string("0"));
    QVERIFY(!dialog.IsControlEnabled(D::kIdcReplace));
    Click(&dialog, D::kIdcRelationClear);
    QCOMPARE(dialog.GetControlText(D::kIdcTotalCount), std::string("0"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Find Individual"));
    QVERIFY(!dialog.IsControlEnabled(D::kIdcSave));

    dialog.chooseOpenFile = [&](std::string& p) {
      p = path;
      return true;
    };
    Click(&dialog, D::kIdcRetrieve);
    QCOMPARE(dialog.GetControlText(D::kIdcSelectedCount), std::string("12"));
    QCOMPARE(dialog.GetControlText(D::kIdcMatchesCount), std::string("6"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Find Individual - Women"));
    Click(&dialog, D::kIdcFieldClear);
    QCOMPARE(dialog.GetControlText(D::kIdcTotalCount), std::string("12"));

    // A file that cannot be read keeps the set.
    dialog.chooseOpenFile = [&](std::string& p) {
      p = dir.filePath(QStringLiteral("missing.ort")).toStdString();
      return true;
    };
    Click(&dialog, D::kIdcRetrieve);
    QCOMPARE(boxes.Calls().back().text, std::string("Could not open filter."));
    QCOMPARE(dialog.GetControlText(D::kIdcSelectedCount), std::string("12"));
  }

 private:
  QTemporaryDir dir;
  int files = 0;
  plat::FakeMessageBox boxes;
  plat::FakeProfile profile;
  plat::FakeProgress progress;
};

QTEST_MAIN(FieldFilterDialogsTest)
#include "FieldFilterDialogs_qtest.moc"
