// The status bar in the pedigree view with "Show relationships on status
// bar": the current person's stored relationship indicator as its kinship
// term, nothing for an indicator that is not set, the help prompt with the
// option off.
#include <QLabel>
#include <QtTest>

#include "AppCommandTest.h"
#include "MainFrame.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TestHelpers.h"

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
};

QTEST_MAIN(StatusRelationshipTest)
#include "statusrelationship_qtest.moc"
