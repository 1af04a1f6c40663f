// The status bar with "Show relationships on status bar": in the pedigree
// view the current person's stored relationship indicator as its kinship
// term, nothing for an indicator that is not set, the help prompt with the
// option off; in the family view the same term for the selected pane, after
// the pedigree view has shown another, and the help prompt on a file whose
// indicators were never set.
#include <QLabel>
#include <map>
#include <QtTest>

#include "AppCommandTest.h"
#include "FamilyViewLayout.h"
#include "KorView.h"
#include "KorView2.h"
#include "MainFrame.h"
#include "RelationshipIndicators.h"
#include "StatusPanes.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TestHelpers.h"

using shell::famview::kPaneRects;

namespace {

// Dag with his parents Erik and Karin, his wife Gun and their son Ola.
struct DagsFamily {
  std::int32_t dag = 0, erik = 0, karin = 0, gun = 0, ola = 0;
};

DagsFamily AddDagsFamily() {
  DagsFamily f;
  f.erik = AddLind("Erik", 'M');
  f.karin = AddLind("Karin", 'F');
  const std::int32_t parents = DbSetRelation(f.erik, f.karin, db::kRelHusband, 0);
  f.dag = AddLind("Dag", 'M');
  Stored(DbSetRelation(f.dag, 0, db::kRelParents, parents), "Dag's parents");
  f.gun = AddLind("Gun", 'F');
  const std::int32_t marriage = DbSetRelation(f.dag, f.gun, db::kRelHusband, 0);
  f.ola = AddLind("Ola", 'M');
  Stored(DbSetRelation(f.ola, 0, db::kRelParents, marriage), "Ola's parents");
  return f;
}

// Selects a pane of the family view with a click on its middle (the first
// child's row in the children pane).
void ClickPane(CKorView2& view, int pane) {
  const shell::famview::Mapping map(view.width(), view.height());
  const shell::famview::LRect r = map.ToDevice(pane == shell::famview::kPaneChildren
                                                   ? shell::famview::ChildRowRect(0)
                                                   : kPaneRects[pane]);
  QTest::mouseClick(&view, Qt::LeftButton, {},
                    QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
}

}  // namespace

class StatusRelationshipTest : public QObject {
  Q_OBJECT

 private slots:
  void currentPersonsKinshipTerm_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("indicator");
    QTest::addColumn<QString>("shown");
    const QString help = QString::fromStdString(res::LoadString(res::kIdsIdlePrompt));
    QTest::newRow("son") << 1 << "1MN0"
                         << "Son";
    QTest::newRow("father") << 1 << "0MN1"
                            << "Father";
    QTest::newRow("not set") << 1 << ""
                             << "";
    QTest::newRow("option off") << 0 << "1MN0" << help;
  }
  void currentPersonsKinshipTerm() {
    QFETCH(int, option);
    QFETCH(QString, indicator);
    QFETCH(QString, shown);
    AppCommandHarness harness;
    std::int32_t dag = 0;
    QVERIFY(harness.Start(
        [&] {
          dag = AddLind("Dag", 'M');
          AddLind("Gun", 'F');
          Stored(DbSetRelationshipIndicator(dag, indicator.toStdString()), "indicator");
          CurrentDatabase->SetFileOption(1, option);
        },
        [](CKorApp&) {}));
    harness.app->ShowPedigreeView();
    QCOMPARE(harness.app->m_currentViewType, int(CKorApp::kViewPedigree));
    harness.app->ShowInActiveView(dag);
    QTRY_COMPARE(harness.app->ActiveViewRin(), dag);
    QLabel* pane = harness.app->GetMainFrame()->StatusPane(0);
    QVERIFY(pane);
    // The text the pedigree view leaves after showing the person, whatever
    // stood there before.
    pane->setText(QStringLiteral("?"));
    harness.app->GetMainFrame()->update();
    if (QWidget* view = harness.app->GetMainFrame()->MDIGetActive()) view->repaint();
    QTRY_COMPARE(pane->text(), shown);
    harness.Stop();
  }

  // With Dag as the root, each pane of the family view shows its person's
  // term, the one the pedigree view shows for that person, even after the
  // pedigree view has left its own there.
  void familyViewShowsTheSelectedPanesTerm() {
    AppCommandHarness harness;
    DagsFamily f;
    QVERIFY(harness.Start(
        [&] {
          f = AddDagsFamily();
          kin::IndicatorRun run;
          run.root = f.dag;
          kin::SetRelationshipIndicators(run);
          CurrentDatabase->SetFileOption(1, 1);
        },
        [](CKorApp&) {}));
    CMainFrame* frame = harness.app->GetMainFrame();
    frame->resize(1000, 700);
    frame->show();
    QLabel* text = frame->StatusPane(0);
    QVERIFY(text);
    // What the pedigree view shows for each person.
    harness.app->ShowPedigreeView();
    std::map<std::int32_t, QString> pedigreeTerms;
    for (std::int32_t rin : {f.dag, f.erik, f.karin, f.gun, f.ola}) {
      harness.app->ShowInActiveView(rin);
      QTRY_COMPARE(harness.app->ActiveViewRin(), rin);
      text->setText(QStringLiteral("?"));
      if (CKorView* view = harness.app->ActivePedigreeView()) view->repaint();
      QTRY_VERIFY(text->text() != QLatin1String("?"));
      pedigreeTerms[rin] = text->text();
    }
    QCOMPARE(pedigreeTerms[f.erik], QStringLiteral("Father"));
    QCOMPARE(pedigreeTerms[f.karin], QStringLiteral("Mother"));
    QCOMPARE(pedigreeTerms[f.ola], QStringLiteral("Son"));

    harness.app->ShowFamilyView();
    CKorView2* view = harness.app->ActiveFamilyView();
    QVERIFY(view);
    harness.app->ShowInActiveView(f.dag);
    QTRY_COMPARE(view->GetPaneContent(shell::famview::kPanePrimary)->GetRin(), f.dag);
    const std::pair<int, std::int32_t> panes[] = {
        {shell::famview::kPaneFather, f.erik}, {shell::famview::kPaneMother, f.karin},
        {shell::famview::kPanePrimary, f.dag}, {shell::famview::kPaneSpouse, f.gun},
        {shell::famview::kPaneChildren, f.ola}, {shell::famview::kPaneFather, f.erik}};
    for (const auto& [pane, rin] : panes) {
      ClickPane(*view, pane);
      QCOMPARE(view->GetSelectedContent()->GetRin(), rin);
      QCOMPARE(text->text(), pedigreeTerms[rin]);
      QCOMPARE(frame->StatusPane(1)->text(),
               QString::fromStdString(shell::FormatStatusPane(shell::kPaneRin, rin).text));
    }
    // The marriage pane names no person: the help prompt.
    ClickPane(*view, shell::famview::kPaneMarriage);
    QCOMPARE(text->text(), QString::fromStdString(res::LoadString(res::kIdsIdlePrompt)));
    harness.Stop();
  }

  // A new family file whose indicators were never set: the help prompt for
  // every pane, whatever the pedigree view showed before.
  void familyViewOnAFileWithoutIndicators() {
    AppCommandHarness harness;
    DagsFamily f;
    QVERIFY(harness.Start([&] { f = AddDagsFamily(); }, [](CKorApp&) {}));
    CMainFrame* frame = harness.app->GetMainFrame();
    frame->resize(1000, 700);
    frame->show();
    QLabel* text = frame->StatusPane(0);
    harness.app->ShowFamilyView();
    CKorView2* view = harness.app->ActiveFamilyView();
    QVERIFY(view);
    harness.app->ShowInActiveView(f.dag);
    const QString help = QString::fromStdString(res::LoadString(res::kIdsIdlePrompt));
    for (int pane : {shell::famview::kPaneFather, shell::famview::kPaneMother,
                     shell::famview::kPanePrimary, shell::famview::kPaneChildren}) {
      text->setText(QStringLiteral("Father"));
      ClickPane(*view, pane);
      QVERIFY(view->GetSelectedContent());
      QCOMPARE(text->text(), help);
    }
    harness.Stop();
  }
};

QTEST_MAIN(StatusRelationshipTest)
#include "statusrelationship_qtest.moc"
