#include "WebWizardDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QVBoxLayout>
#include <filesystem>

#include "CodePage.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FindRecordDialog.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "PlainText.h"
#include "Ports.h"
#include "QtPorts.h"
#include "StringIds.h"
#include "StringTable.h"
#include "WebFiles.h"
#include "WebSiteWriter.h"

namespace {

std::string S(unsigned id) { return res::LoadString(id); }

std::string Format1(std::string text, const std::string& value) {
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

int Ask(const std::string& text, const std::string& caption) {
  return plat::MessageBox(text, caption, plat::kMbYesNo | plat::kMbIconQuestion);
}
void Warn(const std::string& text, const std::string& caption) {
  plat::MessageBox(text, caption, plat::kMbOk | plat::kMbIconExclamation);
}

template <class W>
W* Add(fw::CDialogBase* dialog, int id, W* widget) {
  return dialog->AddControl(id, widget);
}

QLabel* Label(const std::string& text, QWidget* buddy = nullptr) {
  auto* label = new QLabel(fw::ToQString(text));
  if (buddy) label->setBuddy(buddy);
  return label;
}

}  // namespace

std::string WebPersonName(std::int32_t rin) {
  CIndividualRecord record;
  if (rin <= 0 || DbGetRecord(rin, db::kIndividual, &record) != 1) return {};
  CIndividualNode node(record, 0, 0, 0, nullptr);
  return node.FormatName(0, CIndividualNode::kMaxNameChars, 0, nullptr);
}

// ---- Advanced HTML ----

CWebAdvancedHtmlDialog::CWebAdvancedHtmlDialog(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("Web Page - Advanced HTML"));
  auto* layout = new QVBoxLayout(this);
  auto* link = Add(this, kIdcBackLink, new QLineEdit);
  auto* text = Add(this, kIdcBackLinkText, new QLineEdit);
  auto* header = Add(this, kIdcHeader, new QPlainTextEdit);
  auto* footer = Add(this, kIdcFooter, new QPlainTextEdit);
  layout->addWidget(Label("&URL of page to link back to:", link));
  layout->addWidget(link);
  layout->addWidget(Label("&Text of link back:", text));
  layout->addWidget(text);
  layout->addWidget(Label("HT&ML code to appear on top of each page:", header));
  layout->addWidget(header);
  layout->addWidget(Label("HTM&L code to appear on bottom of each page:", footer));
  layout->addWidget(footer);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(460, 380);
}

bool CWebAdvancedHtmlDialog::DoDataExchange(bool save) {
  ExchangeText(save, kIdcBackLink, backLink);
  ExchangeText(save, kIdcBackLinkText, backLinkText);
  ExchangeText(save, kIdcHeader, header);
  ExchangeText(save, kIdcFooter, footer);
  return true;
}

void CWebAdvancedHtmlDialog::OnOK() {
  UpdateData(true);
  if (!web::BackLinkPairValid(backLink, backLinkText)) {
    Warn(S(res::kIdsBackLinkPair), fw::FromQString(windowTitle()));
    return;
  }
  web::WebSettings s;
  s.backLink = backLink;
  s.backLinkText = backLinkText;
  s.header = header;
  s.footer = footer;
  s.WriteAdvancedHtml(plat::Profile());
  EndDialog(fw::kIdOk);
}

// ---- Advanced Options ----

CWebAdvancedOptionsDialog::CWebAdvancedOptionsDialog(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("Web Page - Advanced Options"));
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  auto* edit = Add(this, kIdcPrefix, new QLineEdit);
  edit->setMaxLength(3);
  row->addWidget(Label("3-character &file prefix:", edit));
  row->addWidget(edit);
  layout->addLayout(row);
  layout->addWidget(Add(this, kIdcOptIndex, new QCheckBox("Use 'Index.htm' as &start page")));
  layout->addWidget(Add(this, kIdcOptFolder, new QCheckBox("Use 'Images' &folder")));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  RegisterControl(fw::kIdOk, buttons->button(QDialogButtonBox::Ok));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  connect(edit, &QLineEdit::textChanged, this, [this] { OnPrefixChanged(); });
}

void CWebAdvancedOptionsDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  OnPrefixChanged();
}

void CWebAdvancedOptionsDialog::OnPrefixChanged() {
  EnableControl(fw::kIdOk, !GetControlText(kIdcPrefix).empty());
}

bool CWebAdvancedOptionsDialog::DoDataExchange(bool save) {
  ExchangeText(save, kIdcPrefix, prefix);
  ExchangeCheck(save, kIdcOptIndex, optIndex);
  ExchangeCheck(save, kIdcOptFolder, optFolder);
  if (save && prefix.empty()) return false;
  return true;
}

// ---- the title ----

CWebTitleDialog::CWebTitleDialog(const std::string& caption, const std::string& name,
                                 QWidget* parent)
    : fw::CDialogBase(parent), name_(name) {
  setWindowTitle(fw::ToQString(caption + " Title"));
  auto* grid = new QGridLayout(this);
  auto* prefixEdit = Add(this, kIdcPrefix, new QLineEdit);
  auto* suffixEdit = Add(this, kIdcSuffix, new QLineEdit);
  auto* use = Add(this, kIdcUseName, new QCheckBox("Use &name"));
  auto* sample = Add(this, kIdcSample, new QLabel);
  sample->setWordWrap(true);
  grid->addWidget(Label("&Prefix:", prefixEdit), 0, 0);
  grid->addWidget(prefixEdit, 0, 1);
  grid->addWidget(use, 1, 1);
  grid->addWidget(Label("&Suffix:", suffixEdit), 2, 0);
  grid->addWidget(suffixEdit, 2, 1);
  grid->addWidget(sample, 3, 0, 1, 2);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  grid->addWidget(buttons, 4, 0, 1, 2);
  for (QLineEdit* e : {prefixEdit, suffixEdit})
    connect(e, &QLineEdit::textChanged, this, [this] { ShowSample(); });
  connect(use, &QCheckBox::toggled, this, [this] { ShowSample(); });
  resize(420, 0);
}

std::string CWebTitleDialog::Title() const {
  web::WebSettings s;
  s.type = web::kSiteAncestors;
  s.useName = useName != 0;
  s.ancPrefix = prefix;
  s.ancSuffix = suffix;
  return web::SiteTitle(s, name_);
}

bool CWebTitleDialog::DoDataExchange(bool save) {
  ExchangeCheck(save, kIdcUseName, useName);
  ExchangeText(save, kIdcPrefix, prefix);
  ExchangeText(save, kIdcSuffix, suffix);
  return true;
}

void CWebTitleDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  ShowSample();
}

void CWebTitleDialog::ShowSample() {
  useName = GetCheck(kIdcUseName);
  prefix = GetControlText(kIdcPrefix);
  suffix = GetControlText(kIdcSuffix);
  SetControlText(kIdcSample, Title());
}

// ---- the second page ----

CWebPageFinishPage::CWebPageFinishPage(WebWizardContext& context, QWidget* parent)
    : fw::CDialogBase(parent), context_(context) {
  settings_ = web::WebSettings::Read(plat::Profile());
  introduction_ = settings_.Introduction();
  background_ = settings_.background;
  setWindowTitle(fw::ToQString(S(res::kIdsCreateWebPage)));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  auto* description = Add(this, kIdcDescription, new QLineEdit);
  description->setMaxLength(80);
  auto* folder = Add(this, kIdcFolder, new QLineEdit);
  folder->setMaxLength(256);
  auto* path = Add(this, kIdcPath, new QLabel);
  path->setMinimumWidth(360);
  grid->addWidget(Label("Web page &description:", description), 0, 0);
  grid->addWidget(description, 0, 1);
  grid->addWidget(Label("Local web page fo&lder:", folder), 1, 0);
  grid->addWidget(folder, 1, 1);
  grid->addWidget(Label("Local web page path:"), 2, 0);
  grid->addWidget(path, 2, 1);
  layout->addLayout(grid);

  auto* titleBox = new QGroupBox(QStringLiteral("Title of Page"));
  auto* titleRow = new QHBoxLayout(titleBox);
  auto* title = Add(this, kIdcTitle, new QLabel);
  title->setWordWrap(true);
  auto* custom = Add(this, kIdcCustomTitle, new QLineEdit);
  custom->setMaxLength(256);
  auto* editTitle = Add(this, kIdcEditTitle, new QPushButton(QStringLiteral("&Edit")));
  titleRow->addWidget(title, 1);
  titleRow->addWidget(custom, 1);
  titleRow->addWidget(editTitle);
  layout->addWidget(titleBox);

  auto* backgroundBox = new QGroupBox(QStringLiteral("Background"));
  auto* backgroundRow = new QHBoxLayout(backgroundBox);
  backgroundRow->addWidget(new QLabel(QStringLiteral("Current image:")));
  backgroundRow->addWidget(Add(this, kIdcBackground, new QLabel), 1);
  auto* select = Add(this, kIdcSelectBackground, new QPushButton(QStringLiteral("&Select")));
  auto* clear = Add(this, kIdcClearBackground, new QPushButton(QStringLiteral("&Clear")));
  backgroundRow->addWidget(select);
  backgroundRow->addWidget(clear);
  layout->addWidget(backgroundBox);

  auto* intro = Add(this, kIdcIntroduction, new QPlainTextEdit);
  layout->addWidget(Label("&Introduction:", intro));
  layout->addWidget(intro, 1);

  auto* advanced = new QHBoxLayout;
  auto* options =
      Add(this, kIdcAdvancedOptions, new QPushButton(QStringLiteral("Advanced &Options")));
  auto* html = Add(this, kIdcAdvancedHtml, new QPushButton(QStringLiteral("Advanced HT&ML")));
  advanced->addWidget(options);
  advanced->addWidget(html);
  advanced->addStretch(1);
  layout->addLayout(advanced);

  auto* buttons = new QHBoxLayout;
  auto* back = Add(this, kIdcBack, new QPushButton(QStringLiteral("< &Back")));
  auto* finish = Add(this, kIdcFinish, new QPushButton(QStringLiteral("&Finish")));
  auto* cancel = Add(this, fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  finish->setDefault(true);
  buttons->addStretch(1);
  buttons->addWidget(back);
  buttons->addWidget(finish);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);

  connect(description, &QLineEdit::textEdited, this, [this] { OnDescriptionChange(); });
  connect(folder, &QLineEdit::textEdited, this, [this] { OnFolderChange(); });
  connect(editTitle, &QPushButton::clicked, this, [this] { OnEditTitle(); });
  connect(select, &QPushButton::clicked, this, [this] { OnSelectBackground(); });
  connect(clear, &QPushButton::clicked, this, [this] {
    background_.clear();
    ShowBackground();
  });
  connect(options, &QPushButton::clicked, this, [this] { OnAdvancedOptions(); });
  connect(html, &QPushButton::clicked, this, [this] { OnAdvancedHtml(); });
  connect(back, &QPushButton::clicked, this, [this] { EndDialog(kResultBack); });
  connect(finish, &QPushButton::clicked, this, [this] { OnFinish(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  resize(560, 520);
}

bool CWebPageFinishPage::DoDataExchange(bool save) {
  ExchangeText(save, kIdcDescription, description_);
  ExchangeText(save, kIdcIntroduction, introduction_);
  if (save) {
    if (settings_.type == web::kSiteSelected) title_ = GetControlText(kIdcCustomTitle);
  } else {
    SetControlText(kIdcFolder, folder_.Folder());
    SetControlText(kIdcCustomTitle, title_);
  }
  return true;
}

void CWebPageFinishPage::OnInitDialog() {
  startName_ = WebPersonName(context_.startRin);
  const bool selected = settings_.type == web::kSiteSelected;
  title_ = web::SiteTitle(settings_, startName_);
  SetControlText(kIdcTitle, title_);
  ShowControl(kIdcTitle, !selected);
  ShowControl(kIdcEditTitle, !selected);
  ShowControl(kIdcCustomTitle, selected);
  base_ = web::ChooseWebBase(context_.webFolder, context_.documentsFolder, context_.dataFolder,
                             context_.familyFolder);
  fw::CDialogBase::OnInitDialog();
  ShowBackground();
  UpdateSitePath();
}

void CWebPageFinishPage::OnDescriptionChange() {
  description_ = GetControlText(kIdcDescription);
  folder_.DescriptionChanged(description_);
  SetControlText(kIdcFolder, folder_.Folder());
  UpdateSitePath();
}

void CWebPageFinishPage::OnFolderChange() {
  folder_.FolderTyped(GetControlText(kIdcFolder));
  UpdateSitePath();
}

void CWebPageFinishPage::UpdateSitePath() {
  sitePath_.clear();
  if (!folder_.Folder().empty() && !base_.empty())
    sitePath_ = base_ + "/web/" + plat::AnsiToUtf8(folder_.Folder());
  auto* label = Control<QLabel>(kIdcPath);
  const QString full = QString::fromStdString(sitePath_);
  label->setText(QFontMetrics(label->font()).elidedText(full, Qt::ElideMiddle, label->width()));
  label->setToolTip(fw::PlainToolTip(full));
  EnableControl(kIdcFinish, !folder_.Folder().empty());
}

std::string CWebPageFinishPage::SitePathText() const {
  // The label's tooltip holds the whole path, escaped.
  QTextDocument tip;
  tip.setHtml(Control<QLabel>(kIdcPath)->toolTip());
  return tip.toPlainText().toStdString();
}

void CWebPageFinishPage::ShowBackground() {
  SetControlText(kIdcBackground,
                 background_.empty() ? std::string("None") : plat::Utf8ToAnsi(background_));
  EnableControl(kIdcClearBackground, !background_.empty());
}

void CWebPageFinishPage::OnEditTitle() {
  const bool ancestors = settings_.type == web::kSiteAncestors;
  CWebTitleDialog dialog(
      S(res::kIdsWebPage) + " - " + S(ancestors ? res::kIdsAncestors : res::kIdsDescendants),
      startName_, this);
  dialog.useName = settings_.useName;
  dialog.prefix = ancestors ? settings_.ancPrefix : settings_.descPrefix;
  dialog.suffix = ancestors ? settings_.ancSuffix : settings_.descSuffix;
  if (dialog.exec() != fw::kIdOk) return;
  plat::ProfilePort& p = plat::Profile();
  settings_.useName = dialog.useName != 0;
  p.SetInt(web::kWebSection, "UseName", dialog.useName);
  p.SetString(web::kWebSection, ancestors ? "AncPrefix" : "DescPrefix", dialog.prefix);
  p.SetString(web::kWebSection, ancestors ? "AncSuffix" : "DescSuffix", dialog.suffix);
  (ancestors ? settings_.ancPrefix : settings_.descPrefix) = dialog.prefix;
  (ancestors ? settings_.ancSuffix : settings_.descSuffix) = dialog.suffix;
  title_ = dialog.Title();
  SetControlText(kIdcTitle, title_);
}

void CWebPageFinishPage::OnSelectBackground() {
  std::string chosen;
  if (chooseBackground) {
    chosen = chooseBackground();
  } else {
    const QString start = background_.empty() ? fw::ToQPath(context_.programWebFolder + "/backgrnd")
                                              : fw::ToQPath(background_);
    chosen = fw::FromQPath(QFileDialog::getOpenFileName(
        this, QStringLiteral("Open Photo File for Web Page Background Image"), start,
        QStringLiteral("Pictures (*.jpg *.jpeg *.gif *.png *.bmp);;All files (*)")));
  }
  if (chosen.empty()) return;
  background_ = chosen;
  ShowBackground();
  std::string ext = std::filesystem::path(chosen).extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == ".bmp")
    plat::MessageBox(S(res::kIdsBmpWarning), S(res::kIdsCreateWebPage),
                     plat::kMbOk | plat::kMbIconInformation);
}

void CWebPageFinishPage::OnAdvancedHtml() {
  CWebAdvancedHtmlDialog dialog(this);
  dialog.backLink = settings_.backLink;
  dialog.backLinkText = settings_.backLinkText;
  dialog.header = settings_.header;
  dialog.footer = settings_.footer;
  if (dialog.exec() != fw::kIdOk) return;
  settings_.backLink = dialog.backLink;
  settings_.backLinkText = dialog.backLinkText;
  settings_.header = dialog.header;
  settings_.footer = dialog.footer;
}

void CWebPageFinishPage::OnAdvancedOptions() {
  CWebAdvancedOptionsDialog dialog(this);
  dialog.prefix = settings_.filePrefix;
  dialog.optIndex = settings_.optIndex;
  dialog.optFolder = settings_.optFolder;
  if (dialog.exec() != fw::kIdOk) return;
  settings_.filePrefix = dialog.prefix;
  settings_.optIndex = dialog.optIndex != 0;
  settings_.optFolder = dialog.optFolder != 0;
  settings_.WriteAdvancedOptions(plat::Profile());
}

void CWebPageFinishPage::OnFinish() {
  if (context_.checkEditPassword && !context_.checkEditPassword()) return;
  UpdateData(true);
  settings_.Introduction() = introduction_;
  plat::ProfilePort& p = plat::Profile();
  const char* introKey = settings_.type == web::kSiteAncestors     ? "AncIntro"
                         : settings_.type == web::kSiteDescendants ? "DescIntro"
                                                                   : "CustIntro";
  p.SetString(web::kWebSection, introKey, introduction_);
  if (settings_.type == web::kSiteSelected) p.SetString(web::kWebSection, "CustPrefix", title_);

  std::string checked;
  const web::SitePathCheck check = web::MakeSitePath(base_, folder_.Folder(), checked);
  if (check == web::SitePathCheck::kEmpty || check == web::SitePathCheck::kNoBase) {
    Warn(S(res::kIdsNoFolder), S(res::kIdsNoFolderCaption));
    GetControl(kIdcFolder)->setFocus();
    return;
  }
  if (check != web::SitePathCheck::kOk) {
    Warn(S(res::kIdsBadFolderName), S(res::kIdsNoFolderCaption));
    GetControl(kIdcFolder)->setFocus();
    return;
  }
  std::error_code ec;
  const auto status = std::filesystem::symlink_status(checked, ec);
  if (std::filesystem::exists(status)) {
    if (!std::filesystem::is_directory(status)) {
      Warn(Format1(S(res::kIdsFileExists), plat::Utf8ToAnsi(checked)),
           S(res::kIdsFileExistsCaption));
      GetControl(kIdcFolder)->setFocus();
      return;
    }
    if (Ask(Format1(S(res::kIdsFolderExists), plat::Utf8ToAnsi(checked)),
            S(res::kIdsFolderExistsCaption)) != plat::kIdYes) {
      GetControl(kIdcFolder)->setFocus();
      return;
    }
  }
  if (title_.empty() &&
      Ask(S(res::kIdsNoTitleQuestion), S(res::kIdsNoTitleCaption)) != plat::kIdYes)
    return;
  if (!background_.empty() && !web::IsPictureFile(background_)) {
    Warn(S(res::kIdsBadBackground), S(res::kIdsBadBackgroundCaption));
    return;
  }
  p.SetString(web::kWebSection, "Background", background_);
  web::WebIcons icons;
  if (!web::FindWebIcons(context_.programWebFolder, settings_.email, icons) &&
      Ask(S(res::kIdsIconsMissing), S(res::kIdsIconsMissingCaption)) != plat::kIdYes)
    return;

  web::WebSiteRequest request;
  request.startRin = context_.startRin;
  request.description = description_;
  request.webBase = base_;
  request.folderName = folder_.Folder();
  request.title = title_;
  request.introduction = introduction_;
  request.background = background_;
  request.icons = icons;
  request.selection = context_.selection;
  request.preparer = context_.preparer;
  request.today = context_.today;
  request.familyPath = context_.familyPath;
  request.capitalSurnames = context_.capSurname;
  web::WebSettings settings = web::WebSettings::Read(p);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  web::WebRunResult result;
  {
    web::CWebSiteWriter writer(settings, request);
    result = writer.Run();
  }
  QApplication::restoreOverrideCursor();
  if (result == web::WebRunResult::kNothing || result == web::WebRunResult::kFolderUnusable)
    return;  // the page stays open; the writer has said why
  sitePath_ = checked;
  EndDialog(result == web::WebRunResult::kComplete ? fw::kIdOk : fw::kIdCancel);
}

// ---- the first page ----

CWebPageSetupPage::CWebPageSetupPage(WebWizardContext& context, QWidget* parent)
    : fw::CDialogBase(parent), context_(context) {
  settings = web::WebSettings::Read(plat::Profile());
  setWindowTitle(fw::ToQString(S(res::kIdsCreateWebPage)));
  auto* layout = new QGridLayout(this);

  auto* typeBox = new QGroupBox(QStringLiteral("&Type of Page"));
  auto* typeLayout = new QVBoxLayout(typeBox);
  typeLayout->addWidget(Add(this, kIdcAncestors, new QRadioButton(QStringLiteral("Ancestors"))));
  typeLayout->addWidget(
      Add(this, kIdcDescendants, new QRadioButton(QStringLiteral("Descendants"))));
  typeLayout->addWidget(
      Add(this, kIdcSelected, new QRadioButton(QStringLiteral("Selected individuals"))));
  layout->addWidget(typeBox, 0, 0);

  auto* personBox = Add(this, kIdcPersonBox, new QGroupBox(QStringLiteral("Starting Person")));
  auto* personLayout = new QVBoxLayout(personBox);
  auto* person = Add(this, kIdcPerson, new QLabel);
  person->setMinimumWidth(220);
  personLayout->addWidget(person);
  auto* search = Add(this, kIdcSearch, new QPushButton(QStringLiteral("&Search...")));
  personLayout->addWidget(search, 0, Qt::AlignLeft);
  layout->addWidget(personBox, 0, 1);

  auto* notesBox = new QGroupBox(QStringLiteral("&Notes"));
  auto* notes = new QGridLayout(notesBox);
  notes->addWidget(Add(this, kIdcSource, new QCheckBox(QStringLiteral("Source notes"))), 0, 0);
  notes->addWidget(Add(this, kIdcActText, new QCheckBox(QStringLiteral("Actual text"))), 1, 0);
  notes->addWidget(Add(this, kIdcComments, new QCheckBox(QStringLiteral("Comments"))), 2, 0);
  notes->addWidget(Add(this, kIdcGenrl, new QCheckBox(QStringLiteral("General notes"))), 0, 1);
  notes->addWidget(Add(this, kIdcMarked, new QCheckBox(QStringLiteral("Marked (!) only"))), 1, 1);
  auto* present = new QHBoxLayout;
  present->addWidget(Add(this, kIdcEmbed, new QRadioButton(QStringLiteral("Embed"))));
  present->addWidget(Add(this, kIdcLink, new QRadioButton(QStringLiteral("Link"))));
  notes->addLayout(present, 2, 1);
  layout->addWidget(notesBox, 1, 0, 1, 2);

  auto* otherBox = new QGroupBox(QStringLiteral("Other Options"));
  auto* other = new QGridLayout(otherBox);
  other->addWidget(Add(this, kIdcGedcom, new QCheckBox(QStringLiteral("Include &GEDCOM file"))), 0,
                   0);
  auto* version = new QHBoxLayout;
  version->addWidget(Add(this, kIdcVersion4, new QRadioButton(QStringLiteral("Version &4"))));
  version->addWidget(Add(this, kIdcVersion5, new QRadioButton(QStringLiteral("Version &5"))));
  other->addLayout(version, 0, 1);
  other->addWidget(Add(this, kIdcAddress, new QCheckBox(QStringLiteral("Your name/&address"))), 1,
                   0);
  other->addWidget(Add(this, kIdcEmail, new QCheckBox(QStringLiteral("Your &e-mail address"))), 1,
                   1);
  other->addWidget(Add(this, kIdcRelInd, new QCheckBox(QStringLiteral("Parent links"))), 2, 0);
  other->addWidget(
      Add(this, kIdcParInd, new QCheckBox(QStringLiteral("Multiple parent indicators"))), 2, 1);
  other->addWidget(
      Add(this, kIdcOtherEv, new QCheckBox(QStringLiteral("Include \"other\" events"))), 3, 0);
  auto* gens = new QHBoxLayout;
  auto* gensEdit = Add(this, kIdcMaxGens, new QLineEdit);
  gensEdit->setMaxLength(3);
  gensEdit->setMaximumWidth(60);
  gens->addWidget(Label("Number of generations:", gensEdit));
  gens->addWidget(gensEdit);
  gens->addStretch(1);
  other->addLayout(gens, 3, 1);
  other->addWidget(Add(this, kIdcDups, new QCheckBox(QStringLiteral("Continue &duplicate lines"))),
                   4, 0);
  other->addWidget(
      Add(this, kIdcLive, new QCheckBox(QStringLiteral("Hide details for the l&iving"))), 4, 1);
  other->addWidget(Add(this, kIdcDoName, new QCheckBox(QStringLiteral("Sho&w names"))), 5, 1);
  other->addWidget(
      Add(this, kIdcPlaces, new QCheckBox(QStringLiteral("Include &places in name index"))), 5, 0);
  other->addWidget(Add(this, kIdcZel, new QCheckBox(QStringLiteral("Include &ZEL data"))), 6, 0);
  layout->addWidget(otherBox, 2, 0, 1, 2);

  auto* mediaBox = new QGroupBox(QStringLiteral("&Multimedia"));
  auto* media = new QGridLayout(mediaBox);
  media->addWidget(Add(this, kIdcPhotosNone, new QRadioButton(QStringLiteral("None"))), 0, 0);
  media->addWidget(
      Add(this, kIdcPhotosDefault, new QRadioButton(QStringLiteral("Default image only"))), 1, 0);
  media->addWidget(Add(this, kIdcPhotosFull, new QRadioButton(QStringLiteral("Full scrapbook"))), 2,
                   0);
  media->addWidget(Add(this, kIdcVideo, new QCheckBox(QStringLiteral("&Video clips"))), 1, 1);
  media->addWidget(Add(this, kIdcAudio, new QCheckBox(QStringLiteral("A&udio clips"))), 2, 1);
  layout->addWidget(mediaBox, 3, 0, 1, 2);

  auto* buttons = new QHBoxLayout;
  auto* next = Add(this, kIdcNext, new QPushButton(QStringLiteral("Ne&xt >")));
  auto* cancel = Add(this, fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  next->setDefault(true);
  buttons->addStretch(1);
  buttons->addWidget(next);
  buttons->addWidget(cancel);
  layout->addLayout(buttons, 4, 0, 1, 2);

  const std::pair<int, int> types[] = {{kIdcAncestors, web::kSiteAncestors},
                                       {kIdcDescendants, web::kSiteDescendants},
                                       {kIdcSelected, web::kSiteSelected}};
  for (const auto& [id, type] : types)
    connect(Control<QRadioButton>(id), &QRadioButton::clicked, this,
            [this, t = type] { OnType(t); });
  for (int id : {kIdcSource, kIdcGenrl})
    connect(Control<QCheckBox>(id), &QCheckBox::clicked, this, [this, id] {
      (id == kIdcSource ? settings.source : settings.genrl) = GetCheck(id) != 0;
      ApplyEnabling();
    });
  const std::pair<int, int> photos[] = {
      {kIdcPhotosNone, 0}, {kIdcPhotosDefault, 1}, {kIdcPhotosFull, 2}};
  for (const auto& [id, value] : photos)
    connect(Control<QRadioButton>(id), &QRadioButton::clicked, this, [this, v = value] {
      settings.photos = v;
      ApplyEnabling();
    });
  connect(search, &QPushButton::clicked, this, [this] { OnSearch(); });
  connect(next, &QPushButton::clicked, this, [this] { OnOK(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CWebPageSetupPage::ApplyEnabling() {
  const web::SetupEnabling e = web::SetupPageEnabling(settings, context_.showZel);
  EnableControl(kIdcActText, e.actualText);
  EnableControl(kIdcComments, e.comments);
  EnableControl(kIdcMarked, e.markedOnly);
  EnableControl(kIdcEmbed, e.embed);
  EnableControl(kIdcLink, e.link);
  EnableControl(kIdcDups, e.duplicates);
  EnableControl(kIdcVideo, e.video);
  EnableControl(kIdcAudio, e.audio);
  ShowControl(kIdcZel, e.zelShown);
}

void CWebPageSetupPage::OnInitDialog() {
  CenterWindow();
  startName_ = WebPersonName(context_.startRin);
  if (startName_.empty() && settings.type != web::kSiteSelected)
    plat::MessageBox(S(res::kIdsNoStartPerson), S(res::kIdsSearchForValid) + " " + S(res::kIdsRin),
                     plat::kMbOk | plat::kMbIconExclamation);
  fw::CDialogBase::OnInitDialog();
  ShowStartingPerson(settings.type == web::kSiteSelected);
  ApplyEnabling();
}

bool CWebPageSetupPage::DoDataExchange(bool save) {
  auto flag = [&](int id, bool& value) {
    int v = value ? 1 : 0;
    ExchangeCheck(save, id, v);
    value = v != 0;
  };
  ExchangeRadio(save, {kIdcAncestors, kIdcDescendants, kIdcSelected}, settings.type);
  flag(kIdcSource, settings.source);
  flag(kIdcActText, settings.actText);
  flag(kIdcComments, settings.comments);
  flag(kIdcGenrl, settings.genrl);
  flag(kIdcMarked, settings.markedNotes);
  ExchangeRadio(save, {kIdcEmbed, kIdcLink}, settings.notePresent);
  flag(kIdcGedcom, settings.gedcom);
  ExchangeRadio(save, {kIdcVersion4, kIdcVersion5}, settings.gedType);
  flag(kIdcAddress, settings.address);
  flag(kIdcEmail, settings.email);
  flag(kIdcRelInd, settings.relInd);
  flag(kIdcParInd, settings.parInd);
  flag(kIdcOtherEv, settings.otherEv);
  flag(kIdcLive, settings.live);
  flag(kIdcDoName, settings.doName);
  flag(kIdcPlaces, settings.places);
  if (context_.showZel) flag(kIdcZel, settings.zel);
  if (settings.type == web::kSiteAncestors) flag(kIdcDups, settings.dups);
  ExchangeRadio(save, {kIdcPhotosNone, kIdcPhotosDefault, kIdcPhotosFull}, settings.photos);
  if (settings.photos == 2) {
    flag(kIdcVideo, settings.video);
    flag(kIdcAudio, settings.audio);
  }
  std::int32_t gens = settings.maxGens;
  if (!ExchangeInt(save, kIdcMaxGens, gens, 1, web::MaxGenerationsFor(settings.type))) return false;
  settings.maxGens = gens;
  return true;
}

void CWebPageSetupPage::OnType(int type) {
  settings.type = type;
  ApplyEnabling();
  ShowStartingPerson(type == web::kSiteSelected);
}

void CWebPageSetupPage::ShowStartingPerson(bool selected) {
  if (selected) {
    std::string caption = "Filter";
    if (context_.hasFilterSet && !context_.filterName.empty())
      caption += " - " + context_.filterName;
    SetControlText(kIdcPersonBox, caption);
    long count = 0;
    for (bool b : context_.selection) count += b ? 1 : 0;
    SetControlText(kIdcPerson, "Individuals: " + std::to_string(count));
    SetControlText(kIdcSearch, "&Select");
  } else {
    SetControlText(kIdcPersonBox, "Starting Person");
    SetControlText(kIdcPerson, startName_);
    SetControlText(kIdcSearch, "&Search");
  }
}

void CWebPageSetupPage::OnSearch() {
  if (settings.type == web::kSiteSelected) {
    if (context_.selectIndividuals) context_.selectIndividuals(this, context_);
    ShowStartingPerson(true);
    return;
  }
  std::int32_t chosen = 0;
  if (context_.findPerson) {
    chosen = context_.findPerson(this, context_.startRin);
  } else {
    CFindRecordDialog dialog(this);
    dialog.find.number = context_.startRin;
    dialog.find.firstListOption = 0;  // a person is chosen here, not edited or deleted
    if (dialog.exec() == fw::kIdOk && !dialog.find.marriageMode) chosen = dialog.find.number;
  }
  if (chosen <= 0) return;
  context_.startRin = chosen;
  startName_ = WebPersonName(chosen);
  ShowStartingPerson(false);
}

void CWebPageSetupPage::OnOK() {
  if (!UpdateData(true)) return;
  if (!context_.showZel) settings.zel = false;
  settings.WriteSetupPage(plat::Profile());
  if (settings.address && web::PreparerIncomplete(context_.preparer) &&
      Ask(S(res::kIdsAddressIncomplete), S(res::kIdsAddressCaption)) == plat::kIdYes &&
      context_.showPreferences)
    context_.showPreferences(3);
  if (settings.email && context_.preparer.email.empty() &&
      Ask(S(res::kIdsEmailIncomplete), S(res::kIdsEmailCaption)) == plat::kIdYes &&
      context_.showPreferences)
    context_.showPreferences(3);
  if (settings.type == web::kSiteSelected) {
    bool any = false;
    for (bool b : context_.selection) any = any || b;
    if (!any) {
      Warn(S(res::kIdsNoSelection), S(res::kIdsNoSelectionCaption));
      return;
    }
  } else if (WebPersonName(context_.startRin).empty()) {
    plat::MessageBox(S(res::kIdsNoStartPerson), S(res::kIdsSearchForValid) + " " + S(res::kIdsRin),
                     plat::kMbOk | plat::kMbIconExclamation);
    return;
  }
  CWebPageFinishPage finish(context_, this);
  const int result = runFinishPage ? runFinishPage(finish) : finish.exec();
  if (result == CWebPageFinishPage::kResultBack) return;
  EndDialog(result);
  if (result != fw::kIdOk) return;
  const std::string startPage = web::StartPageName(web::WebSettings::Read(plat::Profile()));
  plat::MessageBox(web::CompletionMessage(plat::Utf8ToAnsi(finish.SitePath()), startPage),
                   S(res::kIdsCreateWebPage), plat::kMbOk | plat::kMbIconInformation);
  if (Ask(S(res::kIdsViewInBrowser), S(res::kIdsCreateWebPage)) == plat::kIdYes) {
    if (context_.openInBrowser)
      context_.openInBrowser(finish.SitePath() + "/" + startPage);
    else if (!plat::Shell().Open(finish.SitePath() + "/" + startPage))
      plat::MessageBox("Could not load browser.", S(res::kIdsCreateWebPage),
                       plat::kMbOk | plat::kMbIconExclamation);
  }
}

void RunCreateWebPage(QWidget* parent, WebWizardContext& context) {
  CWebPageSetupPage page(context, parent);
  page.exec();
}
