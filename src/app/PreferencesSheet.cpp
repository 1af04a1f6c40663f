#include "PreferencesSheet.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "AppScreens.h"
#include "ColorsDialog.h"
#include "FamilyDatabase.h"
#include "FileSystem.h"
#include "FindRecordDialog.h"
#include "KorApp.h"
#include "MeasureEdit.h"
#include "PasswordDialog.h"
#include "QtPorts.h"
#include "QtTextMeasure.h"
#include "SettingsChoosers.h"
#include "StringIds.h"
#include "StringTable.h"

using Sheet = COptionsPropSheet;

CPrefsPage::CPrefsPage(QWidget* parent) : fw::CDialogBase(parent) { setWindowFlags(Qt::Widget); }

namespace {

QString Q(const std::string& text) { return fw::ToQString(text); }

std::string Caption() { return res::LoadString(res::kIdsAppName); }

QRadioButton* Radio(CPrefsPage* page, QButtonGroup* group, int id, const QString& text) {
  auto* radio = page->AddControl(id, new QRadioButton(text));
  group->addButton(radio);
  return radio;
}

QCheckBox* Check(CPrefsPage* page, int id, const QString& text) {
  return page->AddControl(id, new QCheckBox(text));
}

QGroupBox* Group(const QString& title, std::initializer_list<QWidget*> widgets) {
  auto* box = new QGroupBox(title);
  auto* layout = new QVBoxLayout(box);
  for (QWidget* w : widgets) layout->addWidget(w);
  return box;
}

std::vector<int> Ids(int first, int count) {
  std::vector<int> ids;
  for (int i = 0; i < count; ++i) ids.push_back(first + i);
  return ids;
}

// ---- General ----

class GeneralPage : public CPrefsPage {
 public:
  GeneralPage(Sheet& sheet, shell::GeneralPage& v) : sheet_(sheet), v_(v) {
    auto* append = new QButtonGroup(this);
    auto* date = new QButtonGroup(this);
    QGroupBox* appendBox =
        Group(QStringLiteral("Append to names"),
              {Radio(this, append, Sheet::kIdcAppendNothing, QStringLiteral("&Nothing")),
               Radio(this, append, Sheet::kIdcAppendNothing + 1,
                     QStringLiteral("&RIN (Record ID Number)")),
               Radio(this, append, Sheet::kIdcAppendNothing + 2, QStringLiteral("Custom &ID")),
               Radio(this, append, Sheet::kIdcAppendNothing + 3, QStringLiteral("&SBN"))});
    QGroupBox* notesBox =
        Group(QStringLiteral("Notes selector"),
              {Check(this, Sheet::kIdcEditNote, QStringLiteral("From &edit individual")),
               Check(this, Sheet::kIdcNoteTool, QStringLiteral("While &browsing"))});
    QGroupBox* dateBox =
        Group(QStringLiteral("Date entry"),
              {Radio(this, date, Sheet::kIdcDateUs, QStringLiteral("U.S.")),
               Radio(this, date, Sheet::kIdcDateUs + 1, QStringLiteral("European"))});
    auto* zel = Check(this, Sheet::kIdcShowZel, QStringLiteral("Use &ZEL data"));
    auto* right = new QVBoxLayout;
    right->addWidget(zel);
    auto* zelReport =
        Check(this, Sheet::kIdcShowZelRpt, QStringLiteral("Show ZEL data on reports"));
    auto* zelReportRow = new QHBoxLayout;
    zelReportRow->addSpacing(DialogUnitsToPixels(10, 0).width());
    zelReportRow->addWidget(zelReport);
    right->addLayout(zelReportRow);
    right->addWidget(Check(this, Sheet::kIdcVerifyNew, QStringLiteral("&Verify new names")));
    right->addWidget(Check(this, Sheet::kIdcAutoNames, QStringLiteral("Autocomplete name fields")));
    right->addWidget(Check(this, Sheet::kIdcCapSurname, QStringLiteral("&Capitalize surnames")));
    right->addWidget(
        Check(this, Sheet::kIdcEditMarr, QStringLiteral("Edit &marriage when created")));
    // Alt+S is the SBN choice's.
    right->addWidget(Check(this, Sheet::kIdcShading, QStringLiteral("S&hade reports")));
    right->addWidget(
        Check(this, Sheet::kIdcHideShade, QStringLiteral("Hide shading in print preview")));
    right->addWidget(
        Check(this, Sheet::kIdcUseDescList, QStringLiteral("&Use list when navigating")));
    right->addWidget(
        Check(this, Sheet::kIdcReturnAsTab, QStringLiteral("&Treat Enter key as Tab")));
    right->addWidget(Check(this, Sheet::kIdcAllowSbnEdit, QStringLiteral("Allo&w SBN edit")));
    right->addStretch();

    auto* language = AddControl(Sheet::kIdcLanguage, new QComboBox);
    auto* languageLabel = new QLabel(QStringLiteral("Language for screens && reports:"));
    languageLabel->setBuddy(language);
    auto* colors = AddControl(Sheet::kIdcColors, new QPushButton(QStringLiteral("C&olors")));
    auto* password = AddControl(Sheet::kIdcPassword, new QPushButton(QStringLiteral("&Password")));

    auto* left = new QVBoxLayout;
    left->addWidget(appendBox);
    left->addWidget(notesBox);
    left->addWidget(dateBox);
    left->addWidget(languageLabel);
    left->addWidget(language);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(colors);
    buttons->addWidget(password);
    buttons->addStretch();
    left->addLayout(buttons);
    left->addStretch();

    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(right, 1);

    languages_ = shell::AvailableLanguages([](const std::string& code) {
      return plat::FileExists(res::CatalogPath(plat::ProgramPath(), code));
    });
    for (const shell::LanguageChoice& l : languages_) language->addItem(Q(l.name), Q(l.code));

    connect(zel, &QCheckBox::clicked, this, [this](bool on) {
      v_.SetShowZel(on);
      SetCheck(Sheet::kIdcShowZelRpt, v_.showZelRpt);
      EnableControl(Sheet::kIdcShowZelRpt, v_.ZelReportEnabled());
    });
    connect(language, &QComboBox::activated, this, [this](int index) {
      if (index < 0 || index >= static_cast<int>(languages_.size())) return;
      if (shell::ChooseLanguage(languages_[static_cast<std::size_t>(index)].code, plat::Profile()))
        plat::MessageBox(res::LoadString(res::kIdsLanguageNextStart), Caption(),
                         plat::kMbOk | plat::kMbIconInformation);
    });
    connect(colors, &QPushButton::clicked, this, [this] {
      CColorsDialog dialog(sheet_.Options(), this);
      dialog.exec();
    });
    connect(password, &QPushButton::clicked, this, [this] { OnPassword(); });
  }

  void Fill() override {
    CheckRadio(Ids(Sheet::kIdcAppendNothing, 4),
               v_.appendVal >= 0 && v_.appendVal <= 3 ? v_.appendVal : 0);
    SetCheck(Sheet::kIdcEditNote, v_.editNote ? 1 : 0);
    SetCheck(Sheet::kIdcNoteTool, v_.noteTool ? 1 : 0);
    CheckRadio(Ids(Sheet::kIdcDateUs, 2), v_.dateEntry ? 1 : 0);
    SetCheck(Sheet::kIdcShowZel, v_.showZel ? 1 : 0);
    SetCheck(Sheet::kIdcShowZelRpt, v_.showZelRpt ? 1 : 0);
    EnableControl(Sheet::kIdcShowZelRpt, v_.ZelReportEnabled());
    SetCheck(Sheet::kIdcVerifyNew, v_.verifyNew ? 1 : 0);
    SetCheck(Sheet::kIdcAutoNames, v_.autoNames ? 1 : 0);
    SetCheck(Sheet::kIdcCapSurname, v_.capSurname ? 1 : 0);
    SetCheck(Sheet::kIdcEditMarr, v_.editMarr ? 1 : 0);
    SetCheck(Sheet::kIdcShading, v_.shading ? 1 : 0);
    SetCheck(Sheet::kIdcHideShade, v_.hideShade ? 1 : 0);
    SetCheck(Sheet::kIdcUseDescList, v_.useDescList ? 1 : 0);
    SetCheck(Sheet::kIdcReturnAsTab, v_.returnAsTab == 1 ? 1 : 0);
    SetCheck(Sheet::kIdcAllowSbnEdit, v_.allowSbnEdit ? 1 : 0);
    if (auto* language = Control<QComboBox>(Sheet::kIdcLanguage))
      language->setCurrentIndex(shell::CurrentLanguageIndex(languages_, plat::Profile()));
  }

  bool Read() override {
    const int append = GetCheckedRadio(Ids(Sheet::kIdcAppendNothing, 4));
    v_.appendVal = append < 0 ? 0 : append;
    v_.editNote = GetCheck(Sheet::kIdcEditNote);
    v_.noteTool = GetCheck(Sheet::kIdcNoteTool);
    v_.dateEntry = GetCheckedRadio(Ids(Sheet::kIdcDateUs, 2)) == 1 ? 1 : 0;
    v_.showZel = GetCheck(Sheet::kIdcShowZel);
    v_.showZelRpt = GetCheck(Sheet::kIdcShowZelRpt);
    v_.verifyNew = GetCheck(Sheet::kIdcVerifyNew);
    v_.autoNames = GetCheck(Sheet::kIdcAutoNames);
    v_.capSurname = GetCheck(Sheet::kIdcCapSurname);
    v_.editMarr = GetCheck(Sheet::kIdcEditMarr);
    v_.shading = GetCheck(Sheet::kIdcShading);
    v_.hideShade = GetCheck(Sheet::kIdcHideShade);
    v_.useDescList = GetCheck(Sheet::kIdcUseDescList);
    // "Not yet chosen" stays so while the box was left unchecked.
    const int enter = GetCheck(Sheet::kIdcReturnAsTab);
    if (enter || v_.returnAsTab == 1) v_.returnAsTab = enter;
    v_.allowSbnEdit = GetCheck(Sheet::kIdcAllowSbnEdit);
    return true;
  }

 private:
  void OnPassword() {
    if (sheet_.checkEditPassword && !sheet_.checkEditPassword()) return;
    CPasswordDialog dialog(this);
    dialog.mode = CPasswordDialog::kModeChange;
    dialog.password = sheet_.Options().password;
    if (dialog.exec() == fw::kIdOk) sheet_.Options().SetPassword(dialog.password);
  }

  Sheet& sheet_;
  shell::GeneralPage& v_;
  std::vector<shell::LanguageChoice> languages_;
};

// ---- File ----

class FilePage : public CPrefsPage {
 public:
  FilePage(Sheet& sheet, shell::FilePage& v) : sheet_(sheet), v_(v) {
    auto* home = new QButtonGroup(this);
    auto* lastUsed = Radio(this, home, Sheet::kIdcLastUsed, QStringLiteral("&Last used"));
    auto* use = Radio(this, home, Sheet::kIdcUseRin, QStringLiteral("&Use:"));
    auto* rin = AddControl(Sheet::kIdcHomeRin, new QLineEdit);
    rin->setMaxLength(shell::FilePage::kRinChars);
    rin->setFixedWidth(DialogUnitsToPixels(40, 0).width());
    auto* search = AddControl(Sheet::kIdcSearch, new QPushButton(QStringLiteral("&Search")));
    auto* homeBox = new QGroupBox(QStringLiteral("Home person"));
    auto* homeGrid = new QGridLayout(homeBox);
    homeGrid->addWidget(lastUsed, 0, 0);
    homeGrid->addWidget(use, 1, 0);
    homeGrid->addWidget(rin, 1, 1);
    homeGrid->addWidget(search, 1, 2);
    homeGrid->setColumnStretch(3, 1);

    auto* relationship = AddControl(Sheet::kIdcRelationship, new QLabel);
    auto* change =
        AddControl(Sheet::kIdcRelationshipChange, new QPushButton(QStringLiteral("&Change...")));
    auto* relBox = new QGroupBox(QStringLiteral("Relationships on status bar"));
    auto* relRow = new QHBoxLayout(relBox);
    relRow->addWidget(relationship, 1);
    relRow->addWidget(change);

    auto* log = Check(this, Sheet::kIdcLogChanges, QStringLiteral("Lo&g"));
    auto* view = AddControl(Sheet::kIdcLogView, new QPushButton(QStringLiteral("&View")));
    auto* flush = AddControl(Sheet::kIdcLogFlush, new QPushButton(QStringLiteral("&Flush")));
    auto* logBox = new QGroupBox(QStringLiteral("Change log"));
    auto* logLayout = new QVBoxLayout(logBox);
    logLayout->addWidget(log);
    auto* logButtons = new QHBoxLayout;
    logButtons->addWidget(view);
    logButtons->addWidget(flush);
    logButtons->addStretch();
    logLayout->addLayout(logButtons);

    auto* top = new QVBoxLayout(this);
    top->addWidget(homeBox);
    top->addWidget(relBox);
    top->addWidget(logBox);
    top->addStretch();

    rin->installEventFilter(this);
    connect(search, &QPushButton::clicked, this, [this] { OnSearch(); });
    // The dialog stores the option in the family file at once.
    connect(change, &QPushButton::clicked, this, [this] {
      CKorApp* app = CKorApp::Instance();
      AppScreens().setRelationshipIndicators(this, app ? app->ActiveViewRin() : 0);
      v_.relationshipOption = CurrentDatabase->GetFileOption(1);
      SetControlText(Sheet::kIdcRelationship, v_.RelationshipText());
    });
    connect(view, &QPushButton::clicked, this, [this] { plat::Shell().Open(v_.logPath); });
    connect(flush, &QPushButton::clicked, this, [this] {
      plat::DeleteFile(v_.logPath);
      v_.logExists = plat::FileExists(v_.logPath);
      EnableControl(Sheet::kIdcLogView, v_.LogButtonsEnabled());
      EnableControl(Sheet::kIdcLogFlush, v_.LogButtonsEnabled());
    });
  }

  void Fill() override {
    CheckRadio({Sheet::kIdcLastUsed, Sheet::kIdcUseRin}, v_.useHomePerson ? 1 : 0);
    SetControlText(Sheet::kIdcHomeRin, v_.rinText);
    SetControlText(Sheet::kIdcRelationship, v_.RelationshipText());
    SetControlText(Sheet::kIdcLogChanges, v_.LogCheckText());
    SetCheck(Sheet::kIdcLogChanges, v_.logChanges ? 1 : 0);
    for (int id : {Sheet::kIdcLastUsed, Sheet::kIdcUseRin, Sheet::kIdcHomeRin, Sheet::kIdcSearch,
                   Sheet::kIdcLogChanges})
      EnableControl(id, v_.ControlsEnabled());
    EnableControl(Sheet::kIdcRelationshipChange,
                  v_.ControlsEnabled() && AppScreens().setRelationshipIndicators != nullptr);
    EnableControl(Sheet::kIdcLogView, v_.LogButtonsEnabled());
    EnableControl(Sheet::kIdcLogFlush, v_.LogButtonsEnabled());
  }

  bool Read() override {
    v_.useHomePerson = GetCheckedRadio({Sheet::kIdcLastUsed, Sheet::kIdcUseRin}) == 1 ? 1 : 0;
    v_.rinText = GetControlText(Sheet::kIdcHomeRin);
    v_.logChanges = GetCheck(Sheet::kIdcLogChanges);
    return true;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn && watched == GetControl(Sheet::kIdcHomeRin))
      CheckRadio({Sheet::kIdcLastUsed, Sheet::kIdcUseRin}, 1);
    return CPrefsPage::eventFilter(watched, event);
  }

 private:
  void OnSearch() {
    CheckRadio({Sheet::kIdcLastUsed, Sheet::kIdcUseRin}, 1);
    std::int32_t rin =
        static_cast<std::int32_t>(shell::ParseUnsigned(GetControlText(Sheet::kIdcHomeRin)));
    bool chosen = false;
    if (sheet_.findIndividual) {
      chosen = sheet_.findIndividual(rin);
    } else {
      CFindRecordDialog find(this);
      find.find.marriageAllowed = false;
      find.find.firstListOption = 0;  // a person is chosen here, not edited or deleted
      find.find.number = rin > 0 ? rin : 1;
      chosen = find.exec() == fw::kIdOk;
      rin = find.find.number;
    }
    if (chosen) SetControlText(Sheet::kIdcHomeRin, std::to_string(rin));
  }

  Sheet& sheet_;
  shell::FilePage& v_;
};

// ---- InfoBox ----

class InfoBoxPage : public CPrefsPage {
 public:
  explicit InfoBoxPage(shell::InfoBoxPage& v) : v_(v) {
    auto* floating = new QButtonGroup(this);
    auto* locked = new QButtonGroup(this);
    const QString names[3] = {QStringLiteral("None"), QStringLiteral("Dates only"),
                              QStringLiteral("Dates and family information")};
    auto* floatBox = new QGroupBox(QStringLiteral("Floating"));
    auto* floatLayout = new QVBoxLayout(floatBox);
    for (int i = 0; i < 3; ++i)
      floatLayout->addWidget(Radio(this, floating, Sheet::kIdcFloatNone + i, names[i]));
    auto* wait = AddControl(Sheet::kIdcWait, new QLineEdit);
    wait->setMaxLength(3);
    wait->setFixedWidth(DialogUnitsToPixels(30, 0).width());
    auto* waitLabel = new QLabel(QStringLiteral("&Wait time:"));
    waitLabel->setBuddy(wait);
    auto* waitRow = new QHBoxLayout;
    waitRow->addWidget(waitLabel);
    waitRow->addWidget(wait);
    waitRow->addWidget(new QLabel(QStringLiteral("1/10 seconds")));
    waitRow->addStretch();
    floatLayout->addLayout(waitRow);
    auto* lockBox = new QGroupBox(QStringLiteral("Locked"));
    auto* lockLayout = new QVBoxLayout(lockBox);
    for (int i = 0; i < 3; ++i)
      lockLayout->addWidget(Radio(this, locked, Sheet::kIdcLockNone + i, names[i]));
    auto* top = new QVBoxLayout(this);
    top->addWidget(floatBox);
    top->addWidget(lockBox);
    top->addStretch();

    connect(floating, &QButtonGroup::buttonClicked, this, [this] {
      v_.floaterOpt = GetCheckedRadio(Ids(Sheet::kIdcFloatNone, 3));
      EnableControl(Sheet::kIdcWait, v_.WaitEnabled());
    });
  }

  void Fill() override {
    CheckRadio(Ids(Sheet::kIdcFloatNone, 3), v_.floaterOpt);
    SetControlText(Sheet::kIdcWait, std::to_string(v_.waitTenths));
    CheckRadio(Ids(Sheet::kIdcLockNone, 3), v_.selectOpt);
    EnableControl(Sheet::kIdcWait, v_.WaitEnabled());
  }

  bool Read() override {
    std::int32_t wait = v_.waitTenths;
    if (!ExchangeInt(true, Sheet::kIdcWait, wait, 0, shell::InfoBoxPage::kWaitMax)) return false;
    v_.waitTenths = wait;
    v_.floaterOpt = std::max(0, GetCheckedRadio(Ids(Sheet::kIdcFloatNone, 3)));
    v_.selectOpt = std::max(0, GetCheckedRadio(Ids(Sheet::kIdcLockNone, 3)));
    return true;
  }

 private:
  shell::InfoBoxPage& v_;
};

// ---- Prepared by ----

class PreparerPage : public CPrefsPage {
 public:
  explicit PreparerPage(shell::PreparerPage& v) : v_(v) {
    const QString labels[9] = {QStringLiteral("&Given name:"),
                               QStringLiteral("S&urname:"),
                               QStringLiteral("&Address:"),
                               QString(),  // the second and third address lines share the label
                               QString(),
                               QStringLiteral("&Country:"),
                               QStringLiteral("&Phone:"),
                               QStringLiteral("Preparer's S&BN:"),
                               QStringLiteral("&E-mail address:")};
    auto* grid = new QGridLayout;
    for (int i = 0; i < 9; ++i) {
      auto* edit = AddControl(Sheet::kIdcPreparer[i], new QLineEdit);
      edit->setMaxLength(shell::PreparerPage::kLimits[static_cast<std::size_t>(i)]);
      edit->setMinimumWidth(DialogUnitsToPixels(160, 0).width());
      if (!labels[i].isEmpty()) {
        auto* label = new QLabel(labels[i]);
        label->setBuddy(edit);
        grid->addWidget(label, i, 0);
      }
      grid->addWidget(edit, i, 1);
    }
    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addStretch();
  }

  void Fill() override {
    for (int i = 0; i < 9; ++i)
      SetControlText(Sheet::kIdcPreparer[i], v_.fields[static_cast<std::size_t>(i)]);
  }

  bool Read() override {
    for (int i = 0; i < 9; ++i)
      v_.fields[static_cast<std::size_t>(i)] = GetControlText(Sheet::kIdcPreparer[i]);
    return true;
  }

 private:
  shell::PreparerPage& v_;
};

// ---- Fonts ----

class FontsPage : public CPrefsPage {
 public:
  explicit FontsPage(shell::FontsPage& v) : v_(v) {
    auto* top = new QVBoxLayout(this);
    const struct {
      const char* title;
      int text, button;
    } rows[3] = {
        {"&Pedigree and Family Views", Sheet::kIdcFontViews, Sheet::kIdcFontViewsChange},
        {"&Notes Edit Screen", Sheet::kIdcFontNotesEdit, Sheet::kIdcFontNotesEditChange},
        {"Notes on &Reports", Sheet::kIdcFontNotesReport, Sheet::kIdcFontNotesReportChange}};
    for (const auto& r : rows) {
      auto* box = new QGroupBox(QString::fromLatin1(r.title));
      auto* row = new QHBoxLayout(box);
      auto* text = AddControl(r.text, new QLabel);
      text->setMinimumWidth(DialogUnitsToPixels(150, 0).width());
      row->addWidget(text, 1);
      row->addWidget(AddControl(r.button, new QPushButton(QStringLiteral("Change"))));
      top->addWidget(box);
    }
    auto* defaults =
        AddControl(Sheet::kIdcFontDefaults, new QPushButton(QStringLiteral("&Defaults")));
    top->addWidget(defaults, 0, Qt::AlignLeft);
    top->addStretch();

    connect(Control<QPushButton>(Sheet::kIdcFontViewsChange), &QPushButton::clicked, this,
            [this] { Change(v_.views, shell::ViewsFontLimits()); });
    connect(Control<QPushButton>(Sheet::kIdcFontNotesEditChange), &QPushButton::clicked, this,
            [this] { Change(v_.notesEdit, shell::NotesEditFontLimits()); });
    connect(Control<QPushButton>(Sheet::kIdcFontNotesReportChange), &QPushButton::clicked, this,
            [this] { Change(v_.notesReport, shell::NotesReportFontLimits()); });
    connect(defaults, &QPushButton::clicked, this, [this] {
      v_.SetDefaults();
      Fill();
    });
  }

  void Fill() override {
    SetControlText(Sheet::kIdcFontViews, shell::FontsPage::Shown(v_.views, false));
    SetControlText(Sheet::kIdcFontNotesEdit, shell::FontsPage::Shown(v_.notesEdit, true));
    SetControlText(Sheet::kIdcFontNotesReport, shell::FontsPage::Shown(v_.notesReport, true));
  }

  bool Read() override { return true; }

 private:
  void Change(std::string& description, const shell::FontChoiceLimits& limits) {
    if (prefs::ChooseFontDescription(this, description, limits)) Fill();
  }

  shell::FontsPage& v_;
};

// ---- Multimedia ----

class MultimediaPage : public CPrefsPage {
 public:
  explicit MultimediaPage(shell::MultimediaPage& v) : v_(v) {
    auto* time = AddControl(Sheet::kIdcSlideTime, new fw::CMeasureEdit);
    time->SetDecimals(1);
    time->SetScaledRange(shell::MultimediaPage::kSlideTimeMin,
                         shell::MultimediaPage::kSlideTimeMax);
    // Alt+D is the default slide size's.
    auto* timeLabel = new QLabel(QStringLiteral("Default slide &time:"));
    timeLabel->setBuddy(time);
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(timeLabel);
    timeRow->addWidget(time);
    timeRow->addWidget(new QLabel(QStringLiteral("sec.")));
    timeRow->addStretch();

    auto* size = new QButtonGroup(this);
    auto* ratio = AddControl(Sheet::kIdcSlideRatio, new fw::CMeasureEdit);
    ratio->SetUnit(fw::MeasureValue::kUnitPercent);
    ratio->SetScaledRange(shell::MultimediaPage::kRatioMin, shell::MultimediaPage::kRatioMax);
    auto* sizeBox = new QGroupBox(QStringLiteral("Slide size"));
    auto* sizeGrid = new QGridLayout(sizeBox);
    sizeGrid->addWidget(
        Radio(this, size, Sheet::kIdcSlideDefault, QStringLiteral("Use &default slide size")), 0,
        0);
    sizeGrid->addWidget(Radio(this, size, Sheet::kIdcSlideRatioChoice,
                              QStringLiteral("&Slide size-to-screen ratio:")),
                        1, 0);
    sizeGrid->addWidget(ratio, 1, 1);
    sizeGrid->setColumnStretch(2, 1);

    auto* target = AddControl(Sheet::kIdcColorTarget, new QComboBox);
    for (const std::string& item : shell::StringItems(res::kIdsSlideTargets))
      target->addItem(Q(item));
    auto* color = AddControl(Sheet::kIdcMediaColor, new QPushButton(QStringLiteral("&Color")));
    auto* colorBox = new QGroupBox(QStringLiteral("Background Color"));
    auto* colorRow = new QHBoxLayout(colorBox);
    colorRow->addWidget(target);
    colorRow->addWidget(color);
    colorRow->addStretch();

    auto* scale = new QButtonGroup(this);
    auto* scaleBox = new QGroupBox(QStringLiteral("Scaling"));
    auto* scaleRow = new QHBoxLayout(scaleBox);
    scaleRow->addWidget(Radio(this, scale, Sheet::kIdcScaleFast, QStringLiteral("&Fast")));
    scaleRow->addWidget(Radio(this, scale, Sheet::kIdcScaleFast + 1, QStringLiteral("&Quality")));
    scaleRow->addStretch();

    auto* top = new QVBoxLayout(this);
    top->addLayout(timeRow);
    top->addWidget(sizeBox);
    top->addWidget(colorBox);
    top->addWidget(Check(this, Sheet::kIdcPlaceholders, QStringLiteral("&Use photo placeholders")));
    top->addWidget(scaleBox);
    top->addWidget(Check(this, Sheet::kIdcFamilyViewPhoto,
                         QStringLiteral("Show default photo in fa&mily view")));
    top->addStretch();

    connect(size, &QButtonGroup::buttonClicked, this, [this] {
      v_.slideSize = GetCheckedRadio({Sheet::kIdcSlideDefault, Sheet::kIdcSlideRatioChoice}) == 1;
      EnableControl(Sheet::kIdcSlideRatio, v_.RatioEnabled());
    });
    connect(color, &QPushButton::clicked, this, [this] {
      const int which = Control<QComboBox>(Sheet::kIdcColorTarget)->currentIndex();
      QColor c = prefs::ToQColor(v_.ColorOf(which));
      prefs::Choosers& choosers = prefs::DesktopChoosers();
      if (choosers.color && choosers.color(this, c)) v_.ColorOf(which) = prefs::FromQColor(c);
    });
  }

  void Fill() override {
    Control<fw::CMeasureEdit>(Sheet::kIdcSlideTime)->SetScaledValue(v_.slideTime);
    Control<fw::CMeasureEdit>(Sheet::kIdcSlideRatio)->SetScaledValue(v_.slideRatio);
    CheckRadio({Sheet::kIdcSlideDefault, Sheet::kIdcSlideRatioChoice}, v_.slideSize == 1 ? 1 : 0);
    EnableControl(Sheet::kIdcSlideRatio, v_.RatioEnabled());
    SetCheck(Sheet::kIdcPlaceholders, v_.photoPlaceholders ? 1 : 0);
    CheckRadio(Ids(Sheet::kIdcScaleFast, 2), v_.scaleType == 0 ? 0 : 1);
    SetCheck(Sheet::kIdcFamilyViewPhoto, v_.familyViewPhoto ? 1 : 0);
  }

  bool Read() override {
    v_.slideTime = Control<fw::CMeasureEdit>(Sheet::kIdcSlideTime)->GetScaledValue();
    v_.slideRatio = Control<fw::CMeasureEdit>(Sheet::kIdcSlideRatio)->GetScaledValue();
    v_.slideSize = GetCheckedRadio({Sheet::kIdcSlideDefault, Sheet::kIdcSlideRatioChoice}) == 1;
    v_.photoPlaceholders = GetCheck(Sheet::kIdcPlaceholders);
    v_.scaleType = GetCheckedRadio(Ids(Sheet::kIdcScaleFast, 2)) == 0 ? 0 : 1;
    v_.familyViewPhoto = GetCheck(Sheet::kIdcFamilyViewPhoto);
    return true;
  }

 private:
  shell::MultimediaPage& v_;
};

// ---- Formats ----

class FormatsPage : public CPrefsPage {
 public:
  explicit FormatsPage(shell::FormatsPage& v) : v_(v) {
    auto* clip = new QButtonGroup(this);
    auto* order = new QButtonGroup(this);
    auto* day = new QButtonGroup(this);
    auto* sep = new QButtonGroup(this);

    auto* clipBox = new QGroupBox(QStringLiteral("Clipping"));
    auto* clipGrid = new QGridLayout(clipBox);
    clipGrid->addWidget(Radio(this, clip, Sheet::kIdcTruncate, QStringLiteral("&Truncate")), 0, 0);
    clipGrid->addWidget(Radio(this, clip, Sheet::kIdcTruncate + 1, QStringLiteral("&Initials")), 1,
                        0);
    auto* name = AddControl(Sheet::kIdcNameSample, new QLabel);
    name->setMinimumWidth(DialogUnitsToPixels(100, 0).width());
    clipGrid->addWidget(name, 0, 1, 2, 1);

    auto* levels = AddControl(Sheet::kIdcPlaceLevels, new QComboBox);
    for (const std::string& item : shell::StringItems(res::kIdsPlaceLevels))
      levels->addItem(Q(item));
    auto* levelsLabel = new QLabel(QStringLiteral("&Place Level Importance"));
    levelsLabel->setBuddy(levels);
    auto* placeBox = new QGroupBox(QStringLiteral("Places"));
    auto* placeLayout = new QVBoxLayout(placeBox);
    placeLayout->addWidget(levelsLabel);
    placeLayout->addWidget(levels);
    const int widths[3] = {70, 110, 170};
    for (int i = 0; i < 3; ++i) {
      auto* sample = AddControl(Sheet::kIdcPlaceSamples[i], new QLabel);
      sample->setFrameShape(QFrame::StyledPanel);
      sample->setFixedWidth(DialogUnitsToPixels(widths[i], 0).width());
      placeLayout->addWidget(sample);
    }

    auto* dateBox = new QGroupBox(QStringLiteral("Dates"));
    auto* dateGrid = new QGridLayout(dateBox);
    dateGrid->addWidget(Radio(this, order, Sheet::kIdcMdy, QStringLiteral("&MDY")), 0, 0);
    dateGrid->addWidget(Radio(this, order, Sheet::kIdcMdy + 1, QStringLiteral("&DMY")), 1, 0);
    dateGrid->addWidget(Radio(this, day, Sheet::kIdcDayOne, QStringLiteral("&3")), 0, 1);
    dateGrid->addWidget(Radio(this, day, Sheet::kIdcDayOne + 1, QStringLiteral("&03")), 1, 1);
    auto* month = AddControl(Sheet::kIdcMonth, new QComboBox);
    for (const std::string& item : shell::StringItems(res::kIdsMonthStyles))
      month->addItem(Q(item));
    auto* monthLabel = new QLabel(QStringLiteral("Mo&nth:"));
    monthLabel->setBuddy(month);
    dateGrid->addWidget(monthLabel, 0, 2);
    dateGrid->addWidget(month, 1, 2);
    const QString seps[4] = {QStringLiteral("&Space"), QStringLiteral("D&ash '-'"),
                             QStringLiteral("S&lash '/'"), QStringLiteral("D&ot '.'")};
    for (int i = 0; i < 4; ++i)
      dateGrid->addWidget(Radio(this, sep, Sheet::kIdcSepSpace + i, seps[i]), i, 3);
    auto* dateSample = AddControl(Sheet::kIdcDateSample, new QLabel);
    dateSample->setFrameShape(QFrame::StyledPanel);
    dateGrid->addWidget(dateSample, 4, 0, 1, 4);
    dateGrid->setColumnStretch(4, 1);

    auto* top = new QVBoxLayout(this);
    top->addWidget(clipBox);
    top->addWidget(placeBox);
    top->addWidget(dateBox);
    top->addStretch();

    connect(clip, &QButtonGroup::buttonClicked, this, [this] {
      v_.trim = GetCheckedRadio(Ids(Sheet::kIdcTruncate, 2)) == 1 ? 1 : 0;
      ShowSamples();
    });
    connect(levels, &QComboBox::currentIndexChanged, this, [this](int i) {
      if (filling_ || i < 0) return;
      v_.placeLevels = i;
      ShowSamples();
    });
    connect(order, &QButtonGroup::buttonClicked, this, [this] {
      v_.dateOrder = GetCheckedRadio(Ids(Sheet::kIdcMdy, 2)) == 1 ? 1 : 0;
      ShowSamples();
    });
    connect(day, &QButtonGroup::buttonClicked, this, [this] {
      v_.dayStyle = GetCheckedRadio(Ids(Sheet::kIdcDayOne, 2)) == 1 ? 1 : 0;
      ShowSamples();
    });
    connect(sep, &QButtonGroup::buttonClicked, this, [this] {
      v_.dateSeparator = std::max(0, GetCheckedRadio(Ids(Sheet::kIdcSepSpace, 4)));
      ShowSamples();
    });
    connect(month, &QComboBox::currentIndexChanged, this, [this](int i) {
      if (filling_ || i < 0) return;
      v_.SetMonthStyle(i);
      Fill();
    });
  }

  void Fill() override {
    filling_ = true;
    CheckRadio(Ids(Sheet::kIdcTruncate, 2), v_.trim ? 1 : 0);
    Control<QComboBox>(Sheet::kIdcPlaceLevels)->setCurrentIndex(v_.placeLevels);
    CheckRadio(Ids(Sheet::kIdcMdy, 2), v_.dateOrder ? 1 : 0);
    CheckRadio(Ids(Sheet::kIdcDayOne, 2), v_.dayStyle ? 1 : 0);
    Control<QComboBox>(Sheet::kIdcMonth)->setCurrentIndex(v_.monthStyle);
    CheckRadio(Ids(Sheet::kIdcSepSpace, 4), v_.dateSeparator);
    for (int i = 1; i < 4; ++i) EnableControl(Sheet::kIdcSepSpace + i, v_.SeparatorsEnabled());
    filling_ = false;
    ShowSamples();
  }

  bool Read() override { return true; }

 private:
  void ShowSamples() {
    SetControlText(Sheet::kIdcNameSample, v_.NameSample());
    SetControlText(Sheet::kIdcDateSample, v_.DateSample());
    for (int id : Sheet::kIdcPlaceSamples) {
      auto* label = Control<QLabel>(id);
      const fw::QtTextMeasure measure(label->font(), label);
      const int room = label->contentsRect().width() - 2 * label->margin() - 4;
      SetControlText(id, v_.PlaceSample(&measure, std::max(1, room)));
    }
  }

  shell::FormatsPage& v_;
  bool filling_ = false;
};

// ---- Folders ----

class FoldersPage : public CPrefsPage {
 public:
  explicit FoldersPage(shell::FoldersPage& v) : v_(v) {
    const QString labels[5] = {QStringLiteral("&ORV files:"), QStringLiteral("&Import/Export:"),
                               QStringLiteral("&Backup:"), QStringLiteral("&Reports:"),
                               QStringLiteral("&Web pages:")};
    auto* grid = new QGridLayout;
    for (int i = 0; i < 5; ++i) {
      auto* edit = AddControl(Sheet::kIdcFolder[i], new QLineEdit);
      if (i < 3) edit->setMaxLength(shell::FoldersPage::kPathChars);
      edit->setMinimumWidth(DialogUnitsToPixels(170, 0).width());
      auto* label = new QLabel(labels[i]);
      label->setBuddy(edit);
      auto* browse = AddControl(Sheet::kIdcFolder[i] + 1, new QPushButton(QStringLiteral("...")));
      grid->addWidget(label, i, 0);
      grid->addWidget(edit, i, 1);
      grid->addWidget(browse, i, 2);
      connect(edit, &QLineEdit::editingFinished, this, [this, i] {
        auto* e = Control<QLineEdit>(Sheet::kIdcFolder[i]);
        if (!e->isModified() || checking_) return;
        e->setModified(false);
        CheckOne(i);
      });
      connect(browse, &QPushButton::clicked, this, [this, i] { Browse(i); });
    }
    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addStretch();
  }

  void Fill() override {
    for (int i = 0; i < 5; ++i)
      SetControlPath(Sheet::kIdcFolder[i], v_.folders[static_cast<std::size_t>(i)]);
  }

  bool Read() override {
    for (int i = 0; i < 5; ++i)
      if (!CheckOne(i)) return false;
    return true;
  }

 private:
  bool CheckOne(int i) {
    checking_ = true;
    std::string text = GetControlPath(Sheet::kIdcFolder[i]);
    const bool ok = shell::CheckFolder(text);
    SetControlPath(Sheet::kIdcFolder[i], text);
    v_.folders[static_cast<std::size_t>(i)] = text;
    if (!ok) {
      auto* edit = Control<QLineEdit>(Sheet::kIdcFolder[i]);
      edit->setFocus();
      edit->selectAll();
    }
    checking_ = false;
    return ok;
  }

  void Browse(int i) {
    prefs::Choosers& c = prefs::DesktopChoosers();
    if (!c.folder) return;
    const QString chosen =
        c.folder(this, Q(res::LoadString(res::kIdsSelectDataFolder + static_cast<unsigned>(i))),
                 fw::ToQPath(GetControlPath(Sheet::kIdcFolder[i])));
    if (chosen.isEmpty()) return;
    SetControlPath(Sheet::kIdcFolder[i], fw::FromQPath(chosen));
  }

  shell::FoldersPage& v_;
  bool checking_ = false;
};

}  // namespace

// ---- the sheet ----

COptionsPropSheet::COptionsPropSheet(CAppOptions& options, CFamilyFileInfo* info, int startPage,
                                     QWidget* parent)
    : QDialog(parent), options_(options), model_(options, info, plat::Profile()) {
  setWindowTitle(Q(res::LoadString(res::kIdsPreferences)));
  tabs_ = new QTabWidget;
  // Every tab in sight: the sheet grows to show them all.
  tabs_->setUsesScrollButtons(false);
  pages_ = {new GeneralPage(*this, model_.general),
            new FilePage(*this, model_.file),
            new InfoBoxPage(model_.infoBox),
            new PreparerPage(model_.preparer),
            new FontsPage(model_.fonts),
            new MultimediaPage(model_.multimedia),
            new FormatsPage(model_.formats),
            new FoldersPage(model_.folders)};
  const QString titles[shell::kPrefsPageCount] = {
      QStringLiteral("General"),     QStringLiteral("File"),   QStringLiteral("InfoBox"),
      QStringLiteral("Prepared by"), QStringLiteral("Fonts"),  QStringLiteral("Multimedia"),
      QStringLiteral("Formats"),     QStringLiteral("Folders")};
  for (int i = 0; i < shell::kPrefsPageCount; ++i) {
    tabs_->addTab(pages_[static_cast<std::size_t>(i)], titles[i]);
    pages_[static_cast<std::size_t>(i)]->Fill();
  }
  // Without an open family file there is nothing for its two pages.
  if (!info) {
    tabs_->setTabEnabled(shell::kPageFile, false);
    tabs_->setTabEnabled(shell::kPagePreparer, false);
  }
  auto* ok = new QPushButton(QStringLiteral("OK"));
  auto* cancel = new QPushButton(QStringLiteral("Cancel"));
  auto* help = new QPushButton(QStringLiteral("Help"));
  ok->setObjectName(QStringLiteral("ctl%1").arg(fw::kIdOk));
  cancel->setObjectName(QStringLiteral("ctl%1").arg(fw::kIdCancel));
  help->setObjectName(QStringLiteral("ctl%1").arg(fw::kIdHelp));
  ok->setDefault(true);
  cancel->setAutoDefault(false);
  help->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &COptionsPropSheet::accept);
  connect(cancel, &QPushButton::clicked, this, &COptionsPropSheet::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  auto* top = new QVBoxLayout(this);
  top->addWidget(tabs_);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);
  SetActivePage(model_.StartPage(startPage));
}

COptionsPropSheet::~COptionsPropSheet() {
  // Closed without OK or Cancel (the window destroyed): as Cancel.
  if (!closed_) model_.Close(ActivePage());
}

int COptionsPropSheet::ActivePage() const { return tabs_->currentIndex(); }

void COptionsPropSheet::SetActivePage(int index) {
  if (tabs_->isTabEnabled(index)) tabs_->setCurrentIndex(index);
}

void COptionsPropSheet::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    QWidget* page = tabs_->currentWidget();
    for (QWidget* w = page ? page->nextInFocusChain() : nullptr; w && page->isAncestorOf(w);
         w = w->nextInFocusChain()) {
      if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(page)) {
        w->setFocus(Qt::TabFocusReason);
        break;
      }
    }
  }
  QDialog::showEvent(event);
}

void COptionsPropSheet::accept() {
  for (int i = 0; i < shell::kPrefsPageCount; ++i) {
    if (!tabs_->isTabEnabled(i)) continue;
    CPrefsPage* page = pages_[static_cast<std::size_t>(i)];
    if (!page->Read()) {
      tabs_->setCurrentIndex(i);
      return;
    }
  }
  for (int i = 0; i < shell::kPrefsPageCount; ++i)
    if (tabs_->isTabEnabled(i)) model_.Confirm(i);
  closed_ = true;
  model_.Close(ActivePage());
  QDialog::accept();
}

void COptionsPropSheet::reject() {
  closed_ = true;
  model_.Close(ActivePage());
  QDialog::reject();
}
