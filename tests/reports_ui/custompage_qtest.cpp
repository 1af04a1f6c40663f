// The Custom page and the custom report's screens: the page's buttons over
// the layout and the selection, the Report Fields and Sort Order screens
// writing the layout only on OK, the layout files through the named-item
// Open and Save screens. With KORVANE_SHOTS=<folder> pictures of the page
// and of every screen are kept there for looking at.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "AppOptions.h"
#include "CodePage.h"
#include "CustomFieldCatalog.h"
#include "CustomLayoutFile.h"
#include "CustomPage.h"
#include "CustomReportDialogs.h"
#include "CustomReportState.h"
#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "NamedItemDialogs.h"
#include "ReportsPropSheet.h"

namespace {

std::string Shots() {
  const char* folder = std::getenv("KORVANE_SHOTS");
  return folder != nullptr ? folder : "";
}
void Shot(QWidget& widget, const char* name) {
  if (Shots().empty()) return;
  widget.grab().save(QString::fromStdString(Shots() + "/" + name + ".png"));
}

class FakeView : public rpt::ReportSheetTarget {
 public:
  int ViewKind() const override { return 1; }
  std::int32_t CurrentRin() override { return 1; }
  std::int32_t CurrentMrin() override { return 0; }
  void SetRtfOutput(bool) override {}
  void SetReportKind(int) override {}
  void PostCommand(unsigned) override {}
};

void AddColumn(CCustomReportLayout& layout, int id, const char* heading) {
  auto column = std::make_unique<CCustomReportColumn>();
  column->fieldId = id;
  column->width = 20;
  column->heading = heading;
  layout.columns.push_back(std::move(column));
}

}  // namespace

class CustomPageTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  plat::FakeProfile profile_;
  plat::FakeMessageBox boxes_;
  std::unique_ptr<plat::ScopedProfile> profileScope_;
  std::unique_ptr<plat::ScopedMessageBox> boxScope_;
  CAppOptions options_;
  QPrinter printer_;
  FakeView view_;
  std::vector<std::int32_t> selection_;

  std::unique_ptr<CReportsPropSheet> MakeSheet() {
    CReportsPropSheet::Environment env;
    env.options = &options_;
    env.printer = &printer_;
    auto sheet = std::make_unique<CReportsPropSheet>(view_, env, rpt::kPageCustom - 1);
    sheet->show();
    return sheet;
  }
  std::string Folder() { return dir_.path().toStdString() + "/"; }

 private slots:
  void initTestCase() {
    const std::string path = dir_.filePath("custom.orv").toStdString();
    QCOMPARE(DbCreate(path, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(path, CFamilyDatabase::kCurrentFormat), 1);
    printer_.setOutputFormat(QPrinter::PdfFormat);
    rptui::RegisterCustomPage();
    rpt::SetCustomReportSelection([this] { return selection_; });
  }
  void cleanupTestCase() {
    rpt::SetCustomReportSelection(nullptr);
    RegisterReportSheetPage(rpt::kPageCustom, nullptr);
    DbCloseCurrent();
  }
  void init() {
    profileScope_ = std::make_unique<plat::ScopedProfile>(&profile_);
    boxScope_ = std::make_unique<plat::ScopedMessageBox>(&boxes_);
    boxes_.Clear();
    selection_.clear();
    rpt::ResetCurrentCustomLayout();
  }
  void cleanup() {
    boxScope_.reset();
    profileScope_.reset();
  }

  void pageButtonsFollowTheLayoutAndSelection() {
    auto sheet = MakeSheet();
    auto* page = dynamic_cast<rptui::CCustomPage*>(sheet->CurrentPage());
    QVERIFY(page != nullptr);
    QCOMPARE(page->GetControlText(rptui::CCustomPage::kIdcTitle), std::string("Custom Report"));
    QVERIFY(!page->IsControlEnabled(rptui::CCustomPage::kIdcSave));
    QVERIFY(!page->IsControlEnabled(rptui::CCustomPage::kIdcSaveAs));
    QVERIFY(!page->IsControlEnabled(rptui::CCustomPage::kIdcExport));
    Shot(*sheet, "custom_page_new");

    AddColumn(rpt::CurrentCustomLayout(), rpt::kFieldSurnameGiven, "Surname, Given");
    selection_ = {1, 2, 3};
    page->OnSetActive();
    QCOMPARE(page->GetControlText(rptui::CCustomPage::kIdcCount), std::string("3"));
    QVERIFY(!page->IsControlEnabled(rptui::CCustomPage::kIdcSave));  // not modified
    QVERIFY(page->IsControlEnabled(rptui::CCustomPage::kIdcSaveAs));
    QVERIFY(page->IsControlEnabled(rptui::CCustomPage::kIdcExport));
    auto* title = page->Control<QLineEdit>(rptui::CCustomPage::kIdcTitle);
    title->setFocus();
    QTest::keyClicks(title, " by name");
    QVERIFY(page->IsControlEnabled(rptui::CCustomPage::kIdcSave));
    Shot(*sheet, "custom_page_columns");
    QVERIFY(page->OnKillActive());
    QCOMPARE(rpt::CurrentCustomLayout().title, std::string("Custom Report by name"));

    page->OnNew();
    QVERIFY(rpt::CurrentCustomLayout().columns.empty());
    QVERIFY(!page->IsControlEnabled(rptui::CCustomPage::kIdcExport));
  }

  void reportFieldsWritesOnlyOnOk() {
    CCustomReportLayout layout;
    AddColumn(layout, rpt::kFieldRin, "RIN");
    {
      rptui::CReportFieldsDialog dialog(layout, false);
      dialog.show();
      auto* possible = dialog.Control<QListWidget>(rptui::CReportFieldsDialog::kIdcPossible);
      possible->clearSelection();
      possible->item(0)->setSelected(true);  // "Surname, Given"
      QVERIFY(dialog.IsControlEnabled(rptui::CReportFieldsDialog::kIdcAdd));
      dialog.OnAdd();
      auto* selected = dialog.Control<QListWidget>(rptui::CReportFieldsDialog::kIdcSelected);
      QCOMPARE(selected->count(), 3);
      QCOMPARE(selected->item(1)->text(), QStringLiteral("Surname, Given"));
      QVERIFY(possible->item(2)->isSelected());  // the other name form skipped
      Shot(dialog, "custom_report_fields");
      dialog.reject();
    }
    QCOMPARE(layout.columns.size(), std::size_t{1});
    {
      rptui::CReportFieldsDialog dialog(layout, false);
      dialog.show();
      auto* possible = dialog.Control<QListWidget>(rptui::CReportFieldsDialog::kIdcPossible);
      possible->clearSelection();
      possible->item(0)->setSelected(true);
      dialog.OnAdd();
      dialog.accept();
    }
    QCOMPARE(layout.columns.size(), std::size_t{2});
    QCOMPARE(layout.columns[1]->fieldId, rpt::kFieldSurnameGiven);

    rptui::CColumnOptionsDialog options(*layout.columns[1]);
    options.show();
    QCOMPARE(options.windowTitle(), QStringLiteral("Column Options: Surname, Given"));
    options.Control<QLineEdit>(rptui::CColumnOptionsDialog::kIdcWidth)->setText("300");
    options.accept();                        // refused: 1 to 200
    QCOMPARE(layout.columns[1]->width, 25);  // the catalogue's width
    QCOMPARE(boxes_.Calls().size(), std::size_t{1});
    Shot(options, "custom_column_options");
    options.Control<QLineEdit>(rptui::CColumnOptionsDialog::kIdcWidth)->setText("30");
    options.accept();
    QCOMPARE(layout.columns[1]->width, 30);
  }

  // Adding the Notes field asks for its tag: with no note tag of the user's
  // the built-in ones are offered; with some, those.
  void notesColumnOffersTheNoteTags() {
    for (const bool ownTags : {false, true}) {
      if (ownTags) {
        profile_.SetString("Note Tags", "Tag1", "Research");
        profile_.SetString("Note Tags", "Tag2", "Sources");
      }
      CCustomReportLayout layout;
      rptui::CReportFieldsDialog dialog(layout, false);
      dialog.show();
      auto* possible = dialog.Control<QListWidget>(rptui::CReportFieldsDialog::kIdcPossible);
      const auto notes = possible->findItems(QStringLiteral("Notes"), Qt::MatchExactly);
      QCOMPARE(notes.size(), 1);
      possible->clearSelection();
      notes[0]->setSelected(true);
      QStringList offered;
      bool asked = false;
      QTimer::singleShot(0, [&] {
        auto* question =
            qobject_cast<rptui::CCustomChoiceDialog*>(QApplication::activeModalWidget());
        if (!question) return;
        asked = true;
        auto* combo = question->Control<QComboBox>(rptui::CCustomChoiceDialog::kIdcChoice);
        for (int i = 0; i < combo->count(); ++i) offered << combo->itemText(i);
        question->reject();
      });
      dialog.OnAdd();
      QVERIFY(asked);
      if (ownTags) {
        QCOMPARE(offered, (QStringList{"Research", "Sources"}));
      } else {
        QVERIFY(offered.size() > 2);
        QCOMPARE(offered.mid(0, 3), (QStringList{"All", "BIOGRAPHY:", "BIRTH:"}));
      }
      dialog.reject();
    }
    profile_.SetString("Note Tags", "Tag1", "");
    profile_.SetString("Note Tags", "Tag2", "");
  }

  void sortOrderAndQuestions() {
    CCustomReportLayout layout;
    rptui::CSortOrderDialog dialog(layout, false);
    dialog.show();
    for (int i = 0; i < 3; ++i) dialog.OnAdd();
    auto* order = dialog.Control<QListWidget>(rptui::CSortOrderDialog::kIdcOrder);
    QCOMPARE(order->count(), 4);
    QVERIFY(!dialog.IsControlEnabled(rptui::CSortOrderDialog::kIdcAdd));
    Shot(dialog, "custom_sort_order");
    dialog.accept();
    QCOMPARE(layout.sortKeys.size(), std::size_t{3});
    QCOMPARE(layout.sortKeys[0]->fieldId, rpt::kFieldSurnameGiven);
    QCOMPARE(layout.sortKeys[1]->fieldId, rpt::kFieldTitlePrefix);  // the other name form skipped

    rptui::CCustomChoiceDialog notes("Report Column: Notes", "&Tag:", {"!", "Research"}, true);
    notes.show();
    Shot(notes, "custom_notes_tag");
    notes.Control<QComboBox>(rptui::CCustomChoiceDialog::kIdcChoice)->setCurrentIndex(1);
    notes.accept();
    QCOMPARE(notes.chosen, std::string("Research"));
    rptui::CCustomChoiceDialog events("Report Column: User Events",
                                      "&Event:", {"Graduation", "Military"}, false);
    events.show();
    Shot(events, "custom_user_events");
  }

  void layoutsAsNamedItems() {
    const std::string folder = Folder() + "layouts/";
    std::filesystem::create_directories(folder);
    CCustomReportLayout layout;
    layout.title = "Names";
    AddColumn(layout, rpt::kFieldSurnameGiven, "Surname, Given");

    // No layout yet: the quick form shows the screen; OK with a new name.
    {
      CNamedItemSaveDialog save(".lyt", nullptr);
      save.Enumerator().SetFolder(folder);
      save.caption = "Save Report Layout";
      save.prompt = "Custom Report &Name:";
      save.proposedName = layout.title;
      QTimer::singleShot(0, [&save] {
        Shot(save, "custom_save_layout");
        save.accept();
      });
      QCOMPARE(save.SaveOrPrompt(true), int(fw::kIdOk));
      QVERIFY(save.isNew);
      QCOMPARE(rpt::SaveCustomLayout(save.chosenPath, layout), 0);
    }
    // One stored: a new name is saved at once without the screen.
    std::string firstPath;
    {
      CNamedItemSaveDialog save(".lyt", nullptr);
      save.Enumerator().SetFolder(folder);
      save.proposedName = "Dates";
      QCOMPARE(save.SaveOrPrompt(true), int(fw::kIdOk));
      QVERIFY(!save.isVisible());
      QVERIFY(save.isNew);
      CCustomReportLayout dates;
      dates.title = "Dates";
      AddColumn(dates, rpt::kFieldBirthDate, "Birth Date");
      QCOMPARE(rpt::SaveCustomLayout(save.chosenPath, dates), 0);
    }
    // Overwrite keeps the stored file's name.
    {
      CNamedItemSaveDialog save(".lyt", nullptr);
      save.Enumerator().SetFolder(folder);
      save.proposedName = "names";
      QTimer::singleShot(0, [&save] { save.OnOverwrite(); });
      QCOMPARE(save.SaveOrPrompt(false), int(fw::kIdOk));
      const auto* stored = save.Find("Names");
      QVERIFY(stored != nullptr);
      QCOMPARE(save.chosenPath, stored->second);
      firstPath = save.chosenPath;
    }
    CCustomReportLayout back;
    QVERIFY(rpt::LoadCustomLayout(firstPath, back));
    QCOMPARE(back.columns.size(), std::size_t{1});

    // Deleting down to no layout ends Open as cancelled.
    std::filesystem::remove(firstPath);
    COpenNamedFileDialog open(".lyt", nullptr);
    open.Enumerator().SetFolder(folder);
    open.caption = "Open Report Layout";
    open.prompt = "Custom Report &Name:";
    boxes_.QueueAnswer(plat::kIdYes);
    QTimer::singleShot(0, [&open] {
      Shot(open, "custom_open_layout");
      open.OnDelete();
    });
    QCOMPARE(open.exec(), int(fw::kIdCancel));
    QVERIFY(std::filesystem::is_empty(folder));
  }

  // Open answers with the file's path as the file system spells it, even in
  // a folder whose UTF-8 bytes read as code-page text would change.
  void openAnswersThePathByteForByte() {
    std::string folder;
    for (const char* name : {"Łódź ၠ", "Łódź \u2060x"}) {
      const std::string candidate = Folder() + name + "/";
      if (plat::Utf8ToAnsi(plat::AnsiToUtf8(candidate)) != candidate) {
        folder = candidate;
        break;
      }
    }
    QVERIFY(!folder.empty());
    std::filesystem::create_directories(folder);
    CCustomReportLayout layout;
    layout.title = "Places";
    AddColumn(layout, rpt::kFieldSurnameGiven, "Surname, Given");
    std::string stored;
    {
      CNamedItemSaveDialog save(".lyt", nullptr);
      save.Enumerator().SetFolder(folder);
      save.proposedName = layout.title;
      QTimer::singleShot(0, [&save] { save.accept(); });
      QCOMPARE(save.SaveOrPrompt(true), int(fw::kIdOk));
      stored = save.chosenPath;
      QCOMPARE(rpt::SaveCustomLayout(stored, layout), 0);
    }
    COpenNamedFileDialog open(".lyt", nullptr);
    open.Enumerator().SetFolder(folder);
    QTimer::singleShot(0, [&open] { open.accept(); });
    QCOMPARE(open.exec(), int(fw::kIdOk));
    QCOMPARE(open.chosenPath, stored);
  }
};

QTEST_MAIN(CustomPageTest)
#include "custompage_qtest.moc"
