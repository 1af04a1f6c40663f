// The conversion dialogs: the introduction stores its options on OK only,
// the File Converter converts as soon as it is shown and reports its passes,
// and the Convert Source Notes dialog answers with the fields as edited.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "../support/OldFamilyWriter.h"
#include "CodePage.h"
#include "ConversionDialogs.h"
#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "SourceRecord.h"

namespace {

void Shot(QWidget& w, const char* name) {
  if (qEnvironmentVariableIsSet("KORVANE_SHOTS"))
    w.grab().save(qEnvironmentVariable("KORVANE_SHOTS") + QLatin1Char('/') + QLatin1String(name));
}

// Runs f once the next modal dialog is up.
template <class F>
void WhenShown(F f) {
  QTimer::singleShot(0, [f] {
    QWidget* w = QApplication::activeModalWidget();
    QVERIFY(w);
    f(w);
  });
}

// Opens the old family in folder into source without making it current.
bool OpenOld(CFamilyDatabase& source, const std::string& folder) {
  CFamilyDatabase* saved = CurrentDatabase;
  CurrentDatabase = &source;
  const int opened = DbOpen(folder, CFamilyDatabase::kOldFormat);
  CurrentDatabase = saved;
  return opened == 1;
}

}  // namespace

class ConversionDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void introductionStoresItsOptionsOnOk() {
    shell::ConversionIntro intro = shell::MakeConversionIntro("/data/old", "The Pells", 1234);
    CConversionOptionsDialog dialog(intro, nullptr);
    WhenShown([&](QWidget*) {
      QCOMPARE(dialog.GetControlText(shell::kIdcIntroCount), std::string("1234"));
      QCOMPARE(dialog.GetControlText(shell::kIdcIntroTitle), std::string("The Pells"));
      QCOMPARE(dialog.GetCheck(shell::kIdcWrapNotes), 1);
      QCOMPARE(dialog.GetCheck(shell::kIdcPreserveNumbers), 0);
      QCOMPARE(dialog.GetCheck(shell::kIdcConvertSourceNotes), 1);
      Shot(dialog, "conversion-options.png");
      dialog.Control<QCheckBox>(shell::kIdcPreserveNumbers)->click();
      dialog.Control<QCheckBox>(shell::kIdcWrapNotes)->click();
      dialog.Control<QPushButton>(fw::kIdOk)->click();
    });
    QCOMPARE(dialog.DoModal(), fw::kIdOk);
    QVERIFY(intro.options.preserveNumbers);
    QVERIFY(!intro.options.wrap);

    shell::ConversionIntro kept = shell::MakeConversionIntro("/x", "", 1);
    CConversionOptionsDialog cancelled(kept, nullptr);
    WhenShown([&](QWidget*) {
      cancelled.Control<QCheckBox>(shell::kIdcPreserveNumbers)->click();
      cancelled.Control<QPushButton>(fw::kIdCancel)->click();
    });
    QCOMPARE(cancelled.DoModal(), fw::kIdCancel);
    QVERIFY(!kept.options.preserveNumbers);
  }

  void converterConvertsAndAsksAboutSourceNotes() {
    plat::FakeMessageBox boxes;
    plat::ScopedMessageBox scopedBoxes{&boxes};
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/";
    oldfamily::Writer w;
    for (int i = 0; i < 40; ++i) {
      oldfamily::Individual p;
      p.surname = "Pell";
      p.given[0] = "N" + std::to_string(i);
      w.Add(p);
    }
    w.people[1].notes = {"!BIRTH-FOO: Smith, Family Bible; worn; ; p. 4; County Library"};
    w.Write(folder);
    CFamilyDatabase source;
    QVERIFY(OpenOld(source, folder));

    const std::string target = folder + "new.orv";
    CFileConverterDialog dialog(source, {}, target, nullptr);
    bool asked = false;
    // The source-note dialog: its fields, then Convert with a changed title.
    WhenShown([&](QWidget*) {
      QTimer::singleShot(0, [&] {
        auto* notes = qobject_cast<CConvertSourceNotesDialog*>(QApplication::activeModalWidget());
        QVERIFY(notes);
        asked = true;
        QCOMPARE(notes->windowTitle(), QStringLiteral("Convert Source Notes for N0 Pell"));
        QCOMPARE(notes->GetControlText(shell::kIdcSourceAuthor), std::string("Smith"));
        QCOMPARE(notes->Control<QListWidget>(shell::kIdcCitingEvents)->count(), 1);
        QCOMPARE(notes->Control<QListWidget>(shell::kIdcTagsNotCited)->item(0)->text(),
                 QStringLiteral("FOO"));
        Shot(*notes, "convert-source-notes.png");
        notes->Control<QLineEdit>(shell::kIdcSourceTitle)->setText(QStringLiteral("Bible"));
        notes->Control<QPushButton>(fw::kIdOk)->click();
      });
    });
    QCOMPARE(dialog.DoModal(), 1);
    QVERIFY(asked);
    QCOMPARE(dialog.State().PassLabel(), std::string("Family Links Pass 2:"));
    QCOMPARE(dialog.State().Counter(), std::string("31 / 40"));
    Shot(dialog, "file-converter.png");
    source.Close();

    QCOMPARE(DbOpen(target, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbGetRecordCount(db::kSource), 1);
    CSourceRecord made;
    QCOMPARE(DbGetRecord(1, db::kSource, &made), 1);
    QCOMPARE(made.title, std::string("Bible"));
    DbCloseCurrent();
    QVERIFY(boxes.Calls().empty());
  }

  void sourceNoteEscapeAnswersDontConvertAny() {
    orv2::SourceNote note;
    QVERIFY(orv2::ParseSourceNote("!BIRTH: Bible", note));
    shell::SourceNoteForm form("Ann Lee", note);
    CConvertSourceNotesDialog dialog(form, nullptr);
    WhenShown([&](QWidget* w) {
      dialog.Control<QCheckBox>(shell::kIdcRetain)->click();
      QTest::keyClick(w, Qt::Key_Escape);
    });
    const orv2::SourceNoteAnswer answer = dialog.DoModal();
    QCOMPARE(answer.choice, orv2::SourceNoteChoice::kDontConvertAny);
    QVERIFY(answer.retain);
    QCOMPARE(answer.note.title, std::string("Bible"));
  }

  // Names travel as code-page text (letters beyond the page as private
  // pairs) and show as typed; the location is a file-system path and shows
  // as its UTF-8 bytes say.
  void textsBeyondAsciiShowAndComeBackWhole() {
    for (const char* utf8 : {"Łukasiewicz", "Müller"}) {
      const std::string ansi = plat::Utf8ToAnsi(utf8);
      shell::ConversionIntro intro =
          shell::MakeConversionIntro(std::string("/data/") + utf8, ansi, 2);
      CConversionOptionsDialog options(intro, nullptr);
      QCOMPARE(options.Control<QLabel>(shell::kIdcIntroTitle)->text(), QString::fromUtf8(utf8));
      QCOMPARE(options.Control<QLabel>(shell::kIdcIntroLocation)->text(),
               QStringLiteral("/data/") + QString::fromUtf8(utf8));

      orv2::SourceNote note;
      QVERIFY(orv2::ParseSourceNote("!BIRTH: " + ansi, note));
      shell::SourceNoteForm form(ansi, note);
      CConvertSourceNotesDialog dialog(form, nullptr);
      QCOMPARE(dialog.Control<QLineEdit>(shell::kIdcSourceTitle)->text(), QString::fromUtf8(utf8));
      WhenShown([&](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
      QCOMPARE(dialog.DoModal().note.title, ansi);
    }
  }

  void closeWhileConvertingCancels() {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/";
    oldfamily::Writer w;
    for (int i = 0; i < 200; ++i) w.Add({});
    w.Write(folder);
    CFamilyDatabase source;
    QVERIFY(OpenOld(source, folder));
    const std::string target = folder + "new.orv";
    CFileConverterDialog dialog(source, {}, target, nullptr);
    // A Close click waiting when the converter first lets input through.
    WhenShown([&](QWidget*) {
      QTimer::singleShot(0, &dialog, [&] { dialog.Control<QPushButton>(fw::kIdCancel)->click(); });
    });
    QCOMPARE(dialog.DoModal(), 0);
    QVERIFY(dialog.State().CancelRequested());
    QVERIFY(!QFileInfo::exists(QString::fromStdString(target)));
    source.Close();
  }
};

QTEST_MAIN(ConversionDialogsTest)
#include "conversion_qtest.moc"
