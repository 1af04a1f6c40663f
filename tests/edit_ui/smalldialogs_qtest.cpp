// Contact Information, Citation Actual Text and Families for: what they
// show, what OK takes back, and a read-only file; screenshots when
// KORVANE_SHOTS names a folder.
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QtTest>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "RecordAccess.h"
#include "UiTestSupport.h"

#include "FamilyLines.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "SmallRecordDialogs.h"
#include "TabbedListDelegate.h"

using namespace editui;
using Rec = CIndividualRecord;
using List = std::vector<std::int32_t>;

namespace {

CIndividualNode* Person() {
  CIndividualRecord record;
  record.numbers[Rec::kRin] = 3;
  record.contact[Rec::kContactName] = "Lund home";
  record.contact[Rec::kContactAddress1] = "4 Kirkegata";
  record.contact[Rec::kContactAddress2] = "Flat 2";
  record.contact[Rec::kContactCity] = "Oslo";
  record.contact[Rec::kContactEmail] = "ann@example.org";
  CIndividualNode* node = CIndividualNode::New(record, 3, 0, 0, nullptr);
  node->AddRef();
  return node;
}

std::int32_t AddPerson(const char* surname, const char* given, char sex) {
  CIndividualRecord p;
  p.surname = surname;
  p.givenNames[0] = given;
  p.sex = sex;
  return static_cast<std::int32_t>(family::Add(p, 0));
}

std::string Contact(const CIndividualNode& node, int field) {
  std::string out;
  node.GetContact(field, out);
  return out;
}

}  // namespace

class SmallDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void contactInformationShowsAndStoresTheFields() {
    CIndividualNode* node = Person();
    bool asked = false;
    {
      CContactInfoDialog dialog(nullptr, *node);
      dialog.captionInsert = "Ann Lund";
      dialog.gate.readOnly = [] { return false; };
      dialog.gate.checkPassword = [&] {
        asked = true;
        return true;
      };
      dialog.show();
      QCoreApplication::processEvents();
      QCOMPARE(dialog.windowTitle(), QStringLiteral("Contact Information for Ann Lund"));
      auto* street = dialog.Control<QPlainTextEdit>(CContactInfoDialog::kIdcFields[1]);
      QCOMPARE(street->toPlainText(), QStringLiteral("4 Kirkegata\nFlat 2"));
      QCOMPARE(dialog.GetControlText(CContactInfoDialog::kIdcFields[2]), std::string("Oslo"));
      QVERIFY(dialog.IsControlEnabled(fw::kIdOk));
      Shot(dialog, "contact_information");
      street->setPlainText(QStringLiteral("9 Storgata\nBack door\nYard"));
      dialog.SetControlText(CContactInfoDialog::kIdcFields[6], "555 0101");
      dialog.accept();
      QCOMPARE(dialog.result(), int(fw::kIdOk));
    }
    QVERIFY(asked);
    QCOMPARE(Contact(*node, Rec::kContactAddress1), std::string("9 Storgata"));
    QCOMPARE(Contact(*node, Rec::kContactAddress2), std::string("Back door\r\nYard"));
    QCOMPARE(Contact(*node, Rec::kContactPhone), std::string("555 0101"));
    QCOMPARE(Contact(*node, Rec::kContactEmail), std::string("ann@example.org"));

    // A refused password keeps the dialog open and the individual as it was.
    {
      CContactInfoDialog dialog(nullptr, *node);
      dialog.gate.readOnly = [] { return false; };
      dialog.gate.checkPassword = [] { return false; };
      dialog.show();
      QCoreApplication::processEvents();
      dialog.SetControlText(CContactInfoDialog::kIdcFields[2], "Bergen");
      dialog.accept();
      QVERIFY(dialog.isVisible());
      dialog.reject();
    }
    QCOMPARE(Contact(*node, Rec::kContactCity), std::string("Oslo"));
    node->Release();
  }

  void contactInformationOnAReadOnlyFileShowsTheDataWithOkDisabled() {
    CIndividualNode* node = Person();
    {
      CContactInfoDialog dialog(nullptr, *node);
      dialog.gate.readOnly = [] { return true; };
      dialog.show();
      QCoreApplication::processEvents();
      QCOMPARE(dialog.GetControlText(CContactInfoDialog::kIdcFields[0]), std::string("Lund home"));
      QVERIFY(!dialog.IsControlEnabled(fw::kIdOk));
      dialog.SetControlText(CContactInfoDialog::kIdcFields[2], "Bergen");
      dialog.accept();  // Enter on a read-only file changes nothing
      dialog.reject();
    }
    QCOMPARE(Contact(*node, Rec::kContactCity), std::string("Oslo"));
    node->Release();
  }

  void familiesForGivesTheChosenLinesValue() {
    TempFamily file;
    QVERIFY(file.Opened());
    auto add = [](const char* given, char sex) { return AddPerson("Lund", given, sex); };
    const std::int32_t me = add("Ann", 'F');
    {
      CFamiliesForDialog dialog(nullptr, me);
      QCOMPARE(dialog.exec(), 0);  // no family: ends at once
      QCOMPARE(dialog.value, 0);
    }
    const std::int32_t parents =
        DbSetRelation(add("Per", 'M'), add("Kari", 'F'), db::kRelHusband, 0);
    QVERIFY(DbSetRelation(me, 0, db::kRelParents, parents) > 0);
    const std::int32_t m1 = DbSetRelation(add("Ola", 'M'), me, db::kRelHusband, 0);
    const std::int32_t m2 = DbSetRelation(add("Nils", 'M'), me, db::kRelHusband, 0);
    struct Case {
      int row;
      std::int32_t value;
    };
    const Case cases[] = {{0, 0}, {1, parents}, {2, -1}, {3, m1}, {4, m2}};
    for (const Case& c : cases) {
      CFamiliesForDialog dialog(nullptr, me);
      auto* list = dialog.Control<QListWidget>(CFamiliesForDialog::kIdcList);
      QCOMPARE(list->count(), 5);
      QCOMPARE(list->currentRow(), 0);
      if (c.row == 0) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Families for Ann Lund"));
        Shot(dialog, "families_for");
      }
      list->setCurrentRow(c.row);
      dialog.accept();
      QCOMPARE(dialog.value, c.value);
    }
  }

  void marriagesForPicksOrAddsAMarriage() {
    TempFamily file;
    QVERIFY(file.Opened());
    auto add = [](const char* given, char sex) { return AddPerson("Moe", given, sex); };
    const std::int32_t her = add("Siri", 'F'), child = add("Tor", 'M');
    {
      CMarriagesForDialog dialog(nullptr, her, child);
      QCOMPARE(dialog.exec(), 0);  // no marriage: ends at once
      QCOMPARE(dialog.result, 0);
    }
    const std::int32_t m1 = DbSetRelation(add("Jon", 'M'), her, db::kRelHusband, 0);
    {
      // Her only marriage has a spouse: nothing to offer, even "Add Marriage".
      CMarriagesForDialog dialog(nullptr, her, child);
      dialog.onlyWithoutSpouse = true;
      QCOMPARE(dialog.exec(), 0);
      QCOMPARE(dialog.result, 0);
    }
    const std::int32_t m2 = DbSetRelation(her, 0, db::kRelWife, 0);
    {
      CMarriagesForDialog dialog(nullptr, her);
      dialog.onlyWithoutSpouse = true;
      dialog.selectionOnly = true;
      QCOMPARE(dialog.Fill(), 1);
      auto* list = dialog.Control<QListWidget>(CMarriagesForDialog::kIdcList);
      QCOMPARE(list->count(), 1);
      list->setCurrentRow(0);
      dialog.accept();
      QCOMPARE(dialog.result, m2);
    }
    {
      CMarriagesForDialog dialog(nullptr, her, child);
      QTimer::singleShot(0, &dialog, [&] {
        auto* list = dialog.Control<QListWidget>(CMarriagesForDialog::kIdcList);
        QCOMPARE(list->count(), 3);
        QVERIFY(list->item(2)->font().italic());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Add mother for Tor Moe"));
        QCOMPARE(dialog.GetControlText(CMarriagesForDialog::kIdcPrompt),
                 std::string("Select from the following marriages of Siri Moe:"));
        Shot(dialog, "marriages_for");
        dialog.show();
        list->setCurrentRow(2);
        dialog.accept();
      });
      QCOMPARE(dialog.exec(), int(fw::kIdOk));
      QVERIFY(dialog.result != m1 && dialog.result != m2 && dialog.result > 0);
      List spouses;
      DbGetRelation(dialog.result, db::kRelSpouses, 2, spouses);
      QCOMPARE(spouses, (List{0, her}));  // a new marriage with her as the wife
    }
  }

  void marriagesForDrawsItsLinesAtTheTabStopsInTheListColours() {
    TempFamily file;
    QVERIFY(file.Opened());
    const std::int32_t her = AddPerson("Moe", "Siri", 'F');
    const std::int32_t m1 = DbSetRelation(AddPerson("Moe", "Jon", 'M'), her, db::kRelHusband, 0);
    CMarriageRecord marriage;
    QCOMPARE(family::Read(marriage, m1), 1);
    marriage.marriage.date.Set(1950, 6, 7);
    QCOMPARE(family::Update(marriage, 0), 1);
    QVERIFY(DbSetRelation(her, 0, db::kRelWife, 0) > 0);

    CMarriagesForDialog dialog(nullptr, her);
    QCOMPARE(dialog.Fill(), 2);
    auto* list = dialog.Control<QListWidget>(CMarriagesForDialog::kIdcList);
    QVERIFY(dynamic_cast<CTabbedListDelegate*>(list->itemDelegate()) != nullptr);
    // Each line carries its text with the tabs; the last one makes a
    // marriage and is in the dialog's font, in italics.
    const auto choices = MarriageChoices(her, false);
    QCOMPARE(list->count(), 3);
    for (int row = 0; row < 3; ++row) {
      const std::string line = row < 2 ? choices[row].text : AddMarriageLine();
      QCOMPARE(list->item(row)->data(CTabbedListDelegate::kLineRole).toByteArray().toStdString(),
               line);
      QCOMPARE(list->item(row)->data(CMarriagesForDialog::kAddMarriageRole).toInt(),
               row == 2 ? 1 : 0);
    }
    const QFont addFont = list->item(2)->font();
    QVERIFY(addFont.italic());
    QCOMPARE(addFont.family(), dialog.font().family());
    QVERIFY(!list->item(0)->font().italic());

    // Painted with known colours: the background fills the item, the text
    // stands in its columns, the focused line takes the other pair.
    const CTabbedListDelegate::Colours colours{Qt::blue, Qt::yellow, Qt::white, Qt::darkGreen};
    const std::vector<int> stops(std::begin(kMarriagesForTabStops),
                                 std::end(kMarriagesForTabStops));
    CTabbedListDelegate delegate(stops, colours, nullptr);
    auto paintWith = [&](const CTabbedListDelegate& by, int row, QStyle::State state) {
      QImage image(440, 24, QImage::Format_RGB32);
      image.fill(Qt::black);
      QPainter painter(&image);
      QStyleOptionViewItem option;
      option.rect = QRect(0, 0, 440, 24);
      option.font = list->font();
      option.state = QStyle::State_Enabled | state;
      by.paint(&painter, option, list->model()->index(row, 0));
      return image;
    };
    // Selected in both cases: only the focus decides.
    auto paint = [&](int row, bool focused) {
      return paintWith(
          delegate, row,
          focused ? QStyle::State_HasFocus | QStyle::State_Selected : QStyle::State_Selected);
    };
    // The columns of x from..to (exclusive) that hold ink of the colour.
    auto inkBetween = [](const QImage& image, int from, int to, QColor ink) {
      int count = 0;
      for (int x = from; x < to; ++x)
        for (int y = 0; y < image.height(); ++y)
          if (image.pixelColor(x, y) == ink) {
            ++count;
            break;
          }
      return count;
    };
    const int left = CTabbedListDelegate::kTextLeft;
    const QFontMetrics metrics(list->font());
    const int spouseEnd =
        left + stops[0] + metrics.horizontalAdvance(QStringLiteral("Jon Moe")) + 2;
    const QImage plain = paint(0, false);
    QCOMPARE(plain.pixelColor(436, 12), QColor(Qt::yellow));
    QCOMPARE(plain.pixelColor(left + stops[0] - 1, 1), QColor(Qt::yellow));
    QVERIFY(inkBetween(plain, 0, left + stops[0], Qt::blue) > 0);                // the MRIN
    QVERIFY(inkBetween(plain, left + stops[0], spouseEnd, Qt::blue) > 0);        // the spouse
    QCOMPARE(inkBetween(plain, spouseEnd, left + stops[1], Qt::blue), 0);        // up to the date
    QVERIFY(inkBetween(plain, left + stops[2], left + stops[3], Qt::blue) > 0);  // the day
    QVERIFY(inkBetween(plain, left + stops[4], 440, Qt::blue) > 0);              // the year
    const QImage focused = paint(0, true);
    QCOMPARE(focused.pixelColor(436, 12), QColor(Qt::darkGreen));
    QVERIFY(inkBetween(focused, left + stops[0], spouseEnd, Qt::white) > 0);
    QCOMPARE(inkBetween(focused, 0, 440, Qt::blue), 0);
    // An ordinary list box with tab stops highlights the selected line
    // whether or not it has the focus.
    const CTabbedListDelegate listBox(stops, colours, nullptr,
                                      CTabbedListDelegate::Highlight::kSelection);
    struct Case {
      QStyle::State state;
      QColor background;
    };
    for (const Case& c :
         {Case{QStyle::State_Selected, Qt::darkGreen}, Case{QStyle::State_HasFocus, Qt::yellow},
          Case{QStyle::State_None, Qt::yellow}})
      QCOMPARE(paintWith(listBox, 0, c.state).pixelColor(436, 12), c.background);
    // "Add Marriage" starts in the spouse column.
    const QImage add = paint(2, false);
    QCOMPARE(inkBetween(add, 0, left + stops[0], Qt::blue), 0);
    QVERIFY(inkBetween(add, left + stops[0], left + stops[1], Qt::blue) > 0);

    if (qEnvironmentVariableIsSet("KORVANE_SHOTS")) {
      list->setCurrentRow(0);
      dialog.show();
      list->setFocus();
      QCoreApplication::processEvents();
      Shot(dialog, "marriages_for_columns");
    }
  }

  void citationActualTextSavesOrCancels() {
    for (const bool save : {true, false}) {
      CCitationTextDialog dialog;
      dialog.text = "Line one\r\nLine two";
      dialog.captionInsert = "Birth";
      dialog.show();
      QCoreApplication::processEvents();
      QCOMPARE(dialog.windowTitle(), QStringLiteral("Citation Actual Text for Birth"));
      auto* edit = dialog.Control<QPlainTextEdit>(CCitationTextDialog::kIdcText);
      QCOMPARE(edit->toPlainText(), QStringLiteral("Line one\nLine two"));
      if (save) Shot(dialog, "citation_actual_text");
      edit->setPlainText(QStringLiteral("New\ntext"));
      if (save) {
        dialog.accept();
        QCOMPARE(dialog.text, std::string("New\r\ntext"));
      } else {
        dialog.reject();
        QCOMPARE(dialog.text, std::string("Line one\r\nLine two"));
      }
    }
  }
};

QTEST_MAIN(SmallDialogsTest)
#include "smalldialogs_qtest.moc"
