#include "ReportsPropSheet.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "AppOptions.h"
#include "ChartOptionDialogs.h"
#include "FontListDialog.h"
#include "Ports.h"
#include "QtPorts.h"
#include "QtReportDevice.h"
#include "QtTextMeasure.h"
#include "SettingsChoosers.h"
#include "SheetDialogRules.h"
#include "SheetFamilyReads.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

std::map<int, ReportSheetPageFactory>& PageRegistry() {
  static std::map<int, ReportSheetPageFactory> registry;
  return registry;
}

QString Text(unsigned id) { return fw::ToQString(res::LoadString(id)); }

// The page's icon: a small drawing of its report (208 a pedigree, 209 a
// family group, any other a plain sheet of paper).
QPixmap PageIcon(int resource) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(40, 40, 40), 1.5));
  painter.setBrush(Qt::white);
  painter.drawRect(4, 2, 24, 28);
  painter.setPen(QPen(QColor(20, 60, 140), 1.5));
  if (resource == 208) {
    painter.drawLine(9, 16, 14, 16);
    painter.drawLine(14, 9, 14, 23);
    painter.drawLine(14, 9, 22, 9);
    painter.drawLine(14, 23, 22, 23);
  } else if (resource == 209) {
    painter.drawRect(8, 6, 7, 5);
    painter.drawRect(17, 6, 7, 5);
    painter.drawLine(15, 8, 17, 8);
    painter.drawLine(16, 8, 16, 20);
    painter.drawRect(12, 20, 8, 5);
  } else {
    for (int y = 8; y <= 24; y += 4) painter.drawLine(8, y, 24, y);
  }
  return pixmap;
}

}  // namespace

// ---- pages ----

CReportSheetPage::CReportSheetPage(CReportsPropSheet& sheet)
    : fw::CDialogBase(&sheet), sheet_(sheet) {
  setWindowFlags(Qt::Widget);
}

bool CReportSheetPage::CloseChecked() {
  if (!UpdateData(true)) return false;
  OnCancel();
  return true;
}

void CReportSheetPage::OnCancel() {
  Logic().WriteSettings();
  sheet_.Model().DropReportChoiceState();
}

void CReportSheetPage::ShowPrintButtons(bool preview, bool titles, bool fonts, bool photos,
                                        int icon) {
  sheet_.SetButtons(preview, titles, fonts, photos);
  sheet_.SetOkText(res::LoadString(res::kIdsPrint));
  sheet_.SetPageIcon(icon);
}

bool CReportSheetPage::TakeAndWriteSettings(rpt::SheetPageLogic& logic) {
  if (!UpdateData(true)) return false;
  logic.WriteSettings();
  return true;
}

QGroupBox* CReportSheetPage::BuildPersonGroup(int groupId, int nameId, int searchId) {
  auto* person = AddControl(groupId, new QGroupBox(QStringLiteral("Starting Person")));
  auto* personRow = new QHBoxLayout(person);
  auto* name = AddControl(nameId, new QLabel);
  name->setMinimumWidth(DialogUnitsToPixels(120, 0).width());
  personRow->addWidget(name, 1);
  personRow->addWidget(AddControl(searchId, new QPushButton(QStringLiteral("&Search"))));
  return person;
}

std::string CReportSheetPage::TitleName() {
  const fw::QtTextMeasure measure(font());
  return rpt::TitlePersonName(sheet_.Model().StartingRin(), sheet_.IdentifierDisplay(),
                              SuppressRinChecked(), &measure);
}

void RegisterReportSheetPage(int pageKind, ReportSheetPageFactory factory) {
  if (factory)
    PageRegistry()[pageKind] = std::move(factory);
  else
    PageRegistry().erase(pageKind);
}

std::vector<int> RegisteredReportSheetPages() {
  std::vector<int> kinds;
  for (const auto& [kind, factory] : PageRegistry()) kinds.push_back(kind);
  return kinds;
}

// ---- the sheet ----

CReportsPropSheet::CReportsPropSheet(rpt::ReportSheetTarget& target, Environment environment,
                                     int openPage, QWidget* parent)
    : fw::CDialogBase(parent),
      target_(target),
      env_(std::move(environment)),
      model_(target,
             [display = env_.options ? env_.options->appendVal : 0](std::int32_t rin,
                                                                    std::string& name) {
               return rpt::ReadIndividualName(rin, display, name);
             }),
      openPage_(openPage) {
  setWindowTitle(Text(res::kIdsReportsAndChartsCaption));
  model_.checks.printableArea = [this](const rpt::SheetPageLogic& page) {
    return CheckPrintableAreaOnPrinter(page);
  };
  model_.checks.wallChartFit = [this](const rpt::SheetPageLogic& page) {
    return CheckWallChartFitOnPrinter(page);
  };
  model_.checks.saveOptions = env_.saveOptions;

  tabs_ = new QTabWidget;
  for (const auto& [kind, factory] : PageRegistry()) {
    CReportSheetPage* page = factory(*this);
    if (page == nullptr) continue;
    pages_.push_back(page);
    visited_.push_back(false);
    tabs_->addTab(page, page->windowTitle());
  }

  auto* column = new QVBoxLayout;
  icon_ = AddControl(kIdcIcon, new QLabel);
  icon_->setAlignment(Qt::AlignCenter);
  ok_ = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  ok_->setDefault(true);
  auto* close = AddControl(fw::kIdCancel, new QPushButton(Text(res::kIdsClose)));
  preview_ = AddControl(kIdcPreview, new QPushButton(Text(res::kIdsPreviewSheet)));
  auto* pageSetup = AddControl(kIdcPageSetup, new QPushButton(Text(res::kIdsPageSetup)));
  auto* titles = AddControl(kIdcTitles, new QPushButton(Text(res::kIdsTitles)));
  auto* fonts = AddControl(kIdcFonts, new QPushButton(Text(res::kIdsFonts)));
  auto* photos = AddControl(kIdcPhotos, new QPushButton(Text(res::kIdsPhotos)));
  auto* prefs = AddControl(kIdcPreferences, new QPushButton(Text(res::kIdsPreferencesSheet)));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(Text(res::kIdsHelp)));
  printToFile_ = AddControl(kIdcPrintToFile, new QCheckBox(Text(res::kIdsPrintToFile)));
  const int gap = DialogUnitsToPixels(0, 15).height();
  const int spacing = DialogUnitsToPixels(0, 4).height();
  column->setSpacing(spacing);
  column->addWidget(icon_);
  column->addWidget(ok_);
  column->addWidget(close);
  column->addWidget(preview_);
  column->addSpacing(gap);
  for (QWidget* w : {static_cast<QWidget*>(pageSetup), static_cast<QWidget*>(titles),
                     static_cast<QWidget*>(fonts), static_cast<QWidget*>(photos),
                     static_cast<QWidget*>(prefs), static_cast<QWidget*>(help)})
    column->addWidget(w);
  column->addSpacing(gap);
  column->addWidget(printToFile_);
  column->addStretch(1);

  // Every button as wide as Help, which is 20 units wider in another
  // language than English.
  int width = help->sizeHint().width();
  if (env_.languageUi != "EN") width += DialogUnitsToPixels(20, 0).width();
  for (QPushButton* b : {ok_, close, preview_, pageSetup, titles, fonts, photos, prefs, help})
    width = std::max(width, b->sizeHint().width());
  width = std::max(width, printToFile_->sizeHint().width());
  for (QPushButton* b : {ok_, close, preview_, pageSetup, titles, fonts, photos, prefs, help})
    b->setFixedWidth(width);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addLayout(column);

  connect(ok_, &QPushButton::clicked, this, [this] { OnPrint(); });
  connect(close, &QPushButton::clicked, this, [this] { OnClose(); });
  connect(preview_, &QPushButton::clicked, this, [this] { OnPreview(); });
  connect(pageSetup, &QPushButton::clicked, this, [this] { OnPageSetup(); });
  connect(titles, &QPushButton::clicked, this, [this] { OnTitles(); });
  connect(fonts, &QPushButton::clicked, this, [this] { OnFonts(); });
  connect(photos, &QPushButton::clicked, this, [this] { OnPhotos(); });
  connect(prefs, &QPushButton::clicked, this, [this] { OnReportPreferences(); });
  connect(printToFile_, &QCheckBox::clicked, this, [this] { OnPrintToFile(); });
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) { OnTabChanged(index); });
}

CReportsPropSheet::~CReportsPropSheet() {
  if (CReportSheetPage* page = CurrentPage())
    rpt::NextReportSheetPage() = page->Logic().PageKind() - 1;
}

int CReportsPropSheet::IdentifierDisplay() const {
  return env_.options != nullptr ? env_.options->appendVal : 0;
}

void CReportsPropSheet::OnInitDialog() {
  printToFile_->setChecked(model_.PrintToFile());
  int index = 0;
  for (std::size_t i = 0; i < pages_.size(); ++i)
    if (pages_[i]->Logic().PageKind() == openPage_ + 1) index = static_cast<int>(i);
  if (!pages_.empty()) {
    tabs_->blockSignals(true);
    tabs_->setCurrentIndex(index);
    tabs_->blockSignals(false);
    activeIndex_ = index;
    visited_[static_cast<std::size_t>(index)] = true;
    pages_[static_cast<std::size_t>(index)]->OnSetActive();
  }
}

CReportSheetPage* CReportsPropSheet::CurrentPage() const {
  const int index = tabs_->currentIndex();
  return index >= 0 && index < static_cast<int>(pages_.size())
             ? pages_[static_cast<std::size_t>(index)]
             : nullptr;
}

CReportSheetPage* CReportsPropSheet::PageOfKind(int pageKind) const {
  for (CReportSheetPage* page : pages_)
    if (page->Logic().PageKind() == pageKind) return page;
  return nullptr;
}

int CReportsPropSheet::PageCount() const { return static_cast<int>(pages_.size()); }

void CReportsPropSheet::ShowPageOfKind(int pageKind) {
  for (std::size_t i = 0; i < pages_.size(); ++i)
    if (pages_[i]->Logic().PageKind() == pageKind) tabs_->setCurrentIndex(static_cast<int>(i));
}

void CReportsPropSheet::OnTabChanged(int index) {
  if (index == activeIndex_) return;
  if (activeIndex_ >= 0 && activeIndex_ < static_cast<int>(pages_.size()) &&
      !pages_[static_cast<std::size_t>(activeIndex_)]->OnKillActive()) {
    tabs_->blockSignals(true);
    tabs_->setCurrentIndex(activeIndex_);
    tabs_->blockSignals(false);
    return;
  }
  activeIndex_ = index;
  if (index >= 0 && index < static_cast<int>(visited_.size()))
    visited_[static_cast<std::size_t>(index)] = true;
  if (CReportSheetPage* page = CurrentPage()) page->OnSetActive();
}

void CReportsPropSheet::SetButtons(bool preview, bool titles, bool fonts, bool photos) {
  CReportSheetPage* page = CurrentPage();
  // A report kind without its generator cannot be printed or previewed.
  const bool runs = page != nullptr && rpt::IsReportKindAvailable(page->Logic().ReportKind());
  previewEnabled_ = preview;
  EnableControl(fw::kIdOk, runs);
  EnableControl(kIdcPreview, runs && preview);
  EnableControl(kIdcTitles, titles);
  EnableControl(kIdcFonts, fonts);
  EnableControl(kIdcPhotos, photos);
}

void CReportsPropSheet::EnablePhotos(bool on) { EnableControl(kIdcPhotos, on); }

void CReportsPropSheet::SetOkText(const std::string& text) { ok_->setText(fw::ToQString(text)); }

void CReportsPropSheet::SetPageIcon(int resource) { icon_->setPixmap(PageIcon(resource)); }

void CReportsPropSheet::StartingPersonChanged() {
  for (CReportSheetPage* page : pages_) page->ShowStartingPerson();
}

void CReportsPropSheet::CloseSoon() {
  QMetaObject::invokeMethod(
      this, [this] { EndDialog(fw::kIdCancel); }, Qt::QueuedConnection);
}

void CReportsPropSheet::OnPrint() {
  CReportSheetPage* page = CurrentPage();
  if (page == nullptr || !ok_->isEnabled()) return;
  if (!page->OnKillActive()) return;
  EndDialog(fw::kIdOk);
  if (model_.PrintOnOk()) model_.RunReport(page->Logic(), false);
}

void CReportsPropSheet::OnPreview() {
  CReportSheetPage* page = CurrentPage();
  if (page == nullptr || !preview_->isEnabled()) return;
  if (!page->UpdateData(true)) return;
  if (model_.RunReport(page->Logic(), true)) EndDialog(fw::kIdOk);
}

void CReportsPropSheet::OnClose() {
  // The current page is checked first, so that its refusal keeps the sheet
  // open with nothing written; only a page that was shown has its values
  // in its controls.
  CReportSheetPage* current = CurrentPage();
  if (current != nullptr && !current->CloseChecked()) return;
  for (std::size_t i = 0; i < pages_.size(); ++i)
    if (visited_[i] && pages_[i] != current && !pages_[i]->CloseChecked()) return;
  EndDialog(fw::kIdCancel);
}

bool CReportsPropSheet::TakePageSetup(int paperWidth, int paperHeight,
                                      const rpt::PageMargins& margins) {
  CReportSheetPage* page = CurrentPage();
  if (page == nullptr) return false;
  rpt::SheetPageLogic& logic = page->Logic();
  if (!rpt::PageSetupMarginsFit(logic.PageKind(), logic.WallChart(), paperWidth, paperHeight,
                                margins)) {
    plat::MessageBox(rpt::PageSetupRefusal(logic.PageKind(), logic.WallChart()),
                     rpt::PageSetupCaption(logic.PageKind(), logic.WallChart()),
                     plat::kMbOk | plat::kMbIconExclamation);
    return false;
  }
  logic.SetMargins(margins);
  return true;
}

void CReportsPropSheet::OnPageSetup() {
  CReportSheetPage* page = CurrentPage();
  if (page == nullptr || !page->UpdateData(true)) return;
  if (env_.printer == nullptr) {
    plat::MessageBox(res::LoadString(res::kIdsUnableToConnect), "",
                     plat::kMbOk | plat::kMbIconExclamation);
    return;
  }
  const rpt::SheetPageLogic& logic = page->Logic();
  // The dialog edits the report's margins on the printer's layout. Afterwards
  // the printer gets its own margins back (where it cannot print): the
  // devices take those as the printable area's offset, and a report that
  // lays out its own margins would otherwise have them twice.
  const QPageLayout own = env_.printer->pageLayout();
  auto restoreOwnMargins = [this, &own] {
    QPageLayout kept = env_.printer->pageLayout();  // the paper and orientation chosen
    kept.setUnits(own.units());
    kept.setMinimumMargins(own.minimumMargins());
    kept.setMargins(own.margins());
    env_.printer->setPageLayout(kept);
  };
  for (;;) {
    const rpt::PageMargins m = logic.Margins();
    QPageLayout layout = env_.printer->pageLayout();
    layout.setUnits(QPageLayout::Inch);
    layout.setMinimumMargins(QMarginsF());
    layout.setMargins(
        QMarginsF(m.left / 1000.0, m.top / 1000.0, m.right / 1000.0, m.bottom / 1000.0));
    env_.printer->setPageLayout(layout);
    QPageSetupDialog dialog(env_.printer, this);
    dialog.setWindowTitle(
        fw::ToQString(rpt::PageSetupCaption(logic.PageKind(), logic.WallChart())));
    const bool accepted = dialog.exec() == QDialog::Accepted;
    const QPageLayout chosen = env_.printer->pageLayout();
    restoreOwnMargins();
    if (!accepted) return;
    const QRectF paper = chosen.fullRect(QPageLayout::Inch);
    const QMarginsF margins = chosen.margins(QPageLayout::Inch);
    auto thousandths = [](double inches) { return static_cast<int>(inches * 1000 + 0.5); };
    if (TakePageSetup(thousandths(paper.width()), thousandths(paper.height()),
                      {thousandths(margins.left()), thousandths(margins.top()),
                       thousandths(margins.right()), thousandths(margins.bottom())}))
      return;
  }
}

void CReportsPropSheet::OnTitles() {
  CReportSheetPage* page = CurrentPage();
  if (page == nullptr) return;
  const rpt::TitleSettings settings =
      rpt::TitleSettingsOf(page->Logic().PageKind(), page->Logic().ReportKind() == 201);
  CReportTitleDialog dialog(this);
  dialog.reportName = settings.reportName;
  dialog.personName = page->TitleName();
  plat::ProfilePort& profile = plat::Profile();
  if (!settings.section.empty()) {
    dialog.prefix = profile.GetString(settings.section, "TitlePrefix", settings.prefix);
    dialog.suffix = profile.GetString(settings.section, "TitleSuffix", settings.suffix);
    dialog.useName = profile.GetInt(settings.section, "UseName", 1);
  }
  if (dialog.exec() != fw::kIdOk || settings.section.empty()) return;
  profile.SetString(settings.section, "TitlePrefix", dialog.prefix);
  profile.SetString(settings.section, "TitleSuffix", dialog.suffix);
  profile.SetInt(settings.section, "UseName", dialog.useName);
}

void CReportsPropSheet::OnFonts() {
  CReportSheetPage* page = CurrentPage();
  if (page == nullptr || env_.options == nullptr) return;
  const rpt::SheetPageLogic& logic = page->Logic();
  CFontsDialog dialog(this);
  dialog.fonts = rpt::ReportFontChoices(logic.PageKind(), logic.WallChart(), *env_.options);
  if (dialog.fonts.Empty()) return;
  if (dialog.exec() != fw::kIdOk) return;
  rpt::StoreReportFontChoices(logic.PageKind(), logic.WallChart(), dialog.fonts, *env_.options);
}

void CReportsPropSheet::OnPhotos() {
  CReportSheetPage* page = CurrentPage();
  rpt::PagePhotos* photos = page != nullptr ? page->Logic().Photos() : nullptr;
  if (photos == nullptr || photos->opt == 0) return;
  CPhotoOptionsDialog dialog(this);
  dialog.state.reportIndex = page->Logic().PhotoReportIndex();
  dialog.state.width = photos->width;
  dialog.state.height = photos->height;
  dialog.state.placement = photos->place;
  dialog.state.reserve = photos->reserve;
  if (dialog.exec() != fw::kIdOk) return;
  photos->width = dialog.state.width;
  photos->height = dialog.state.height;
  photos->place = dialog.state.placement;
  photos->reserve = dialog.state.reserve;
}

void CReportsPropSheet::OnReportPreferences() {
  CReportSheetPage* page = CurrentPage();
  if (page == nullptr || env_.options == nullptr) return;
  CReportPreferencesDialog dialog(*env_.options, this);
  dialog.SetDisabled(rpt::ReportPreferencesDisabled(page->Logic().PageKind()));
  dialog.exec();
}

void CReportsPropSheet::OnPrintToFile() { model_.SetPrintToFile(printToFile_->isChecked()); }

bool CReportsPropSheet::CheckPrintableAreaOnPrinter(const rpt::SheetPageLogic& page) {
  if (env_.printer == nullptr)
    return rpt::CheckPrintableArea(nullptr, page.PageKind(), page.WallChart(), page.Margins());
  fw::CQtReportDevice device(env_.printer->resolution(), env_.printer->pageLayout());
  return rpt::CheckPrintableArea(&device, page.PageKind(), page.WallChart(), page.Margins());
}

bool CReportsPropSheet::CheckWallChartFitOnPrinter(const rpt::SheetPageLogic& page) {
  // Only the Ancestry and Descendants pages draw wall charts; they measure
  // their own sample box.
  CReportSheetPage* owner = PageOfKind(page.PageKind());
  return owner == nullptr || owner->WallChartFits();
}

bool CReportsPropSheet::CheckWallChartFit(const rpt::WallChartSample& sample, int gensPerPage,
                                          const std::string& nameFont,
                                          const std::string& eventFont) {
  if (env_.printer == nullptr) {
    plat::MessageBox(res::LoadString(res::kIdsUnableToConnect), "",
                     plat::kMbOk | plat::kMbIconExclamation);
    return false;
  }
  fw::CQtReportDevice device(env_.printer->resolution(), env_.printer->pageLayout());
  plat::ProfilePort& profile = plat::Profile();
  rpt::PrintableArea area;
  const bool over32 =
      rpt::GetPrintableMargins(device, profile.GetInt("DescRpt", "WCPageLM", 250),
                               profile.GetInt("DescRpt", "WCPageTM", 250),
                               profile.GetInt("DescRpt", "WCPageRM", 250),
                               profile.GetInt("DescRpt", "WCPageBM", 250), area, true) != 0;
  // Text measured at 1000 dots per inch: widths in thousandths of an inch.
  QImage paper(1, 1, QImage::Format_RGB32);
  paper.setDotsPerMeterX(39370);
  paper.setDotsPerMeterY(39370);
  const QFont name = prefs::FontFromDescription(nameFont);
  const QFont event = prefs::FontFromDescription(eventFont);
  const int width =
      rpt::MeasureWallChartSampleBox(sample, [&](const std::string& text, bool useName) {
        return static_cast<int>(
            QFontMetricsF(useName ? name : event, &paper).horizontalAdvance(fw::ToQString(text)));
      });
  if (rpt::WallChartColumnFits(area.width, gensPerPage, width, over32)) return true;
  return plat::MessageBox(rpt::WallChartWarningText(), rpt::WallChartWarningCaption(),
                          plat::kMbOkCancel | plat::kMbIconInformation) == plat::kIdOk;
}
