#include "IndividualListDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <vector>

#include "AppOptions.h"
#include "AppScreens.h"
#include "BitSet.h"
#include "DbCalls.h"
#include "DetailPane.h"
#include "FamilyDatabase.h"
#include "FieldFilterDialogs.h"
#include "FilterSet.h"
#include "FilterSide.h"
#include "IndividualDelete.h"
#include "IndividualRecord.h"
#include "KinshipWidgets.h"
#include "KorDoc.h"
#include "MarriageRecord.h"
#include "NamedItemDialogs.h"
#include "Ports.h"
#include "QtPorts.h"
#include "SealToSpouseStatus.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TextRoutines.h"
#include "ZelQualification.h"

namespace {

const char* const kSearchSection = "Search";
const char* const kFilterResults = "FilterResults";

QLabel* Text() {
  auto* label = new QLabel;
  label->setTextFormat(Qt::PlainText);
  label->setMinimumWidth(10);
  return label;
}

std::string Formatted(const std::string& pattern, long value) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, pattern.c_str(), value);
  return buffer;
}

// A list that shows one page of a paged list at a time: tab stops (in dialog
// units), no scroll bars of its own (the dialog's bar pages it), and room for
// a page of lines. Returns the tab stops in pixels.
std::vector<int> SetUpPagedList(const fw::CDialogBase& dialog, QListWidget* list,
                                std::initializer_list<int> stopUnits, int widthUnits,
                                int pageLines) {
  std::vector<int> stops;
  for (int du : stopUnits) stops.push_back(dialog.DialogUnitsToPixels(du, 0).width());
  // A long name keeps to its column: the key events stay in line.
  auto* delegate = new kinui::TabStopDelegate(stops, list);
  delegate->SetFieldsInColumns(true);
  list->setItemDelegate(delegate);
  list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setUniformItemSizes(true);
  list->setMinimumSize(dialog.DialogUnitsToPixels(widthUnits, 0).width(),
                       list->fontMetrics().height() * (pageLines + 1));
  return stops;
}

std::int32_t FirstLiveIndividual() {
  return DbGetRIN(1, db::kQueryIndividuals, db::kWalkNextOrSame);
}

}  // namespace

// ---- the search field and the paged list --------------------------------------

void CSearchEdit::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (list_ && (key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up ||
                key == Qt::Key_Down)) {
    list_->setFocus();
    QKeyEvent copy(event->type(), key, event->modifiers(), event->text(), event->isAutoRepeat(),
                   static_cast<ushort>(event->count()));
    QApplication::sendEvent(list_, &copy);
    return;
  }
  QLineEdit::keyPressEvent(event);
}

CPagedList::CPagedList(CListPager& pager, int pageStep, QListWidget* list, QScrollBar* bar,
                       QObject* parent)
    : QObject(parent), pager_(pager), list_(list), viewport_(list->viewport()), bar_(bar) {
  bar_->setPageStep(pageStep);
  list_->installEventFilter(this);
  viewport_->installEventFilter(this);
  connect(bar_, &QScrollBar::actionTriggered, this, &CPagedList::OnAction);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (showing_ || row < 0) return;
    pager_.Select(row);
    emit Moved();
  });
}

void CPagedList::Show(const std::function<std::string(int)>& lineText) {
  showing_ = true;
  list_->setUpdatesEnabled(false);
  list_->clear();
  for (int i = 0; i < static_cast<int>(pager_.Keys().size()); ++i)
    list_->addItem(fw::ToQString(lineText(i)));
  list_->setCurrentRow(pager_.Selected());
  if (pager_.Selected() < 0) list_->clearSelection();
  list_->setUpdatesEnabled(true);
  FitHeight();
  const CListPager::ScrollBar state = pager_.Scroll();
  bar_->setRange(state.minimum, state.maximum);
  bar_->setSliderPosition(state.position);
  bar_->setValue(state.position);
  bar_->setEnabled(state.upEnabled || state.downEnabled);
  showing_ = false;
}

void CPagedList::OnAction(int action) {
  if (showing_) return;
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
      pager_.ScrollLines(1);
      break;
    case QAbstractSlider::SliderSingleStepSub:
      pager_.ScrollLines(-1);
      break;
    case QAbstractSlider::SliderPageStepAdd:
      pager_.ScrollLines(bar_->pageStep());
      break;
    case QAbstractSlider::SliderPageStepSub:
      pager_.ScrollLines(-bar_->pageStep());
      break;
    case QAbstractSlider::SliderToMinimum:
      pager_.FillForward(pager_.FirstKey());
      break;
    case QAbstractSlider::SliderToMaximum:
      pager_.FillBackward(pager_.LastKey());
      break;
    case QAbstractSlider::SliderMove:
      pager_.ThumbTo(bar_->sliderPosition());
      break;
    default:
      return;
  }
  pager_.SetCurrentKey(pager_.CurrentKey());
  // The bar takes the position the page gives, not the one it moved to.
  bar_->setSliderPosition(pager_.Scroll().position);
  emit Moved();
}

void CPagedList::FitHeight() {
  const int row = list_->count() > 0 ? list_->sizeHintForRow(0) : 0;
  if (row > 0) list_->setFixedHeight(row * pager_.PageSize() + 2 * list_->frameWidth());
}

bool CPagedList::OnWheel(QWheelEvent* event) {
  // A notch of the wheel (120 eighths of a degree) scrolls the system's
  // wheel lines; finer wheels add up to a notch first.
  wheelRest_ += event->angleDelta().y();
  const int notches = wheelRest_ / 120;
  if (notches == 0) return true;
  wheelRest_ -= notches * 120;
  if (pager_.ScrollLines(-notches * QApplication::wheelScrollLines()) != 0) {
    pager_.SetCurrentKey(pager_.CurrentKey());
    emit Moved();
  }
  return true;
}

bool CPagedList::eventFilter(QObject* watched, QEvent* event) {
  if (watched == viewport_ && event->type() == QEvent::Wheel)
    return OnWheel(static_cast<QWheelEvent*>(event));
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    CListPager::Key key;
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_PageUp:
        key = CListPager::Key::PageUp;
        break;
      case Qt::Key_PageDown:
        key = CListPager::Key::PageDown;
        break;
      case Qt::Key_Home:
        key = CListPager::Key::Home;
        break;
      case Qt::Key_End:
        key = CListPager::Key::End;
        break;
      case Qt::Key_Up:
        key = CListPager::Key::Up;
        break;
      case Qt::Key_Down:
        key = CListPager::Key::Down;
        break;
      default:
        return QObject::eventFilter(watched, event);
    }
    if (pager_.HandleKey(key)) emit Moved();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

// ---- the Individual List ----------------------------------------------------

CIndividualListDialog::CIndividualListDialog(CKorDoc* document, QWidget* parent)
    : fw::CDialogBase(parent),
      titleWord(res::LoadString(res::kIdsIndividual)),
      document_(document) {
  if (document_ && document_->m_filterSet)
    filter_ = std::make_unique<CFilterSet>(*document_->m_filterSet);

  search_ = AddControl(kIdcSearch, new CSearchEdit);
  list_ = AddControl(kIdcList, new QListWidget);
  bar_ = AddControl(kIdcScroll, new QScrollBar(Qt::Vertical));
  search_->SetList(list_);
  measure_ = std::make_unique<fw::QtTextMeasure>(list_->font());
  SetUpPagedList(*this, list_, {7, 34, 139}, 250, CIndividualListModel::kPageLines);
  auto* sortRin = AddControl(kIdcSortRin, new QRadioButton(QStringLiteral("&RIN")));
  auto* sortName = AddControl(kIdcSortName, new QRadioButton(QStringLiteral("&Alphabetical")));

  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("&OK")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  auto* edit = AddControl(kIdcEdit, new QPushButton(QStringLiteral("&Edit")));
  auto* remove = AddControl(kIdcDelete, new QPushButton(QStringLiteral("De&lete...")));
  auto* advanced =
      AddControl(kIdcAdvanced, new QPushButton(fw::ToQString(res::LoadString(res::kIdsAdvanced))));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("&Help")));
  ok->setDefault(true);
  for (QPushButton* b : {cancel, edit, remove, advanced, help}) b->setAutoDefault(false);
  auto* bitmap = AddControl(kIdcBitmap, new QLabel);
  bitmap->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(32, 32));

  // The detail pane.
  auto* pane = new QGridLayout;
  pane->setHorizontalSpacing(6);
  pane->setVerticalSpacing(1);
  int row = 0;
  auto addRow = [&](const char* label, int dateId, int placeId) {
    pane->addWidget(new QLabel(QString::fromLatin1(label)), row, 0);
    pane->addWidget(AddControl(dateId, Text()), row, 1);
    if (placeId) pane->addWidget(AddControl(placeId, Text()), row, 2, 1, 2);
    ++row;
  };
  pane->addWidget(AddControl(kIdcName, Text()), row++, 0, 1, 4);
  pane->addWidget(new QLabel(QStringLiteral("Sex:")), row, 0);
  auto* ids = new QHBoxLayout;
  ids->setSpacing(6);
  ids->addWidget(AddControl(kIdcSex, Text()));
  ids->addSpacing(DialogUnitsToPixels(20, 0).width());
  ids->addWidget(new QLabel(QStringLiteral("SBN:")));
  ids->addWidget(AddControl(kIdcSbn, Text()), 1);
  ids->addWidget(new QLabel(QStringLiteral("ID No:")));
  ids->addWidget(AddControl(kIdcIdNumber, Text()), 1);
  pane->addLayout(ids, row++, 1, 1, 3);
  const char* events[] = {"Birth:", "Chr:", "Death:", "Burial:"};
  for (int i = 0; i < 4; ++i) addRow(events[i], kIdcBirthDate + i, kIdcBirthPlace + i);
  const char* ordinances[] = {"Baptism:", "Endow:", "Seal Par:"};
  for (int i = 0; i < 3; ++i) {
    auto* label = AddControl(kIdcZelLabel + 1 + i, new QLabel(QString::fromLatin1(ordinances[i])));
    pane->addWidget(label, row, 0);
    pane->addWidget(AddControl(kIdcZelFirst + i, Text()), row, 1);
    pane->addWidget(AddControl(kIdcZelFirst + 3 + i, Text()), row, 2, 1, 2);
    ++row;
  }
  const struct {
    const char* label;
    int name, dateLabel, date;
  } relatives[] = {{"Father:", kIdcFather, kIdcFatherLabel, kIdcFatherDate},
                   {"Mother:", kIdcMother, kIdcMotherLabel, kIdcMotherDate},
                   {"Spouse:", kIdcSpouse1, 0, kIdcMarriage1},
                   {"Spouse:", kIdcSpouse2, 0, kIdcMarriage2}};
  for (const auto& r : relatives) {
    pane->addWidget(new QLabel(QString::fromLatin1(r.label)), row, 0);
    pane->addWidget(AddControl(r.name, Text()), row, 1);
    QLabel* dateLabel = r.dateLabel ? AddControl(r.dateLabel, Text()) : new QLabel("M:");
    pane->addWidget(dateLabel, row, 2);
    pane->addWidget(AddControl(r.date, Text()), row, 3);
    ++row;
  }
  pane->setColumnStretch(1, 3);
  pane->setColumnStretch(3, 2);

  auto* sort = new QHBoxLayout;
  sort->addWidget(new QLabel(QStringLiteral("Sort:")));
  sort->addWidget(sortRin);
  sort->addWidget(sortName);
  sort->addStretch();
  auto* listRow = new QHBoxLayout;
  listRow->setSpacing(0);
  listRow->addWidget(list_, 1);
  listRow->addWidget(bar_);
  auto* left = new QVBoxLayout;
  left->addWidget(search_);
  left->addLayout(listRow);
  left->addLayout(sort);
  left->addStretch(1);  // the list is as high as its page
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {ok, cancel, edit, remove, advanced, help}) buttons->addWidget(b);
  buttons->addStretch();
  buttons->addWidget(bitmap, 0, Qt::AlignHCenter);
  auto* top = new QHBoxLayout;
  top->addLayout(left, 3);
  top->addLayout(buttons);
  auto* details = new QGroupBox;
  details->setLayout(pane);
  auto* whole = new QVBoxLayout(this);
  whole->addLayout(top, 1);
  whole->addWidget(details);
  filterSide_ = BuildFilterSide();
  whole->addWidget(filterSide_);
  if (filter_ && (filter_->GetCount(CFilterSet::kRelationSet) > 0 || !filter_->criteria.empty()))
    showFilterSide = true;
  relationHooks = RelationshipFilterScreens(this);
  runFieldFilter = [](CFieldFilterDialog& dialog) { return dialog.exec(); };
  chooseSaveFile = [this](std::string& path, std::string& name, bool& isNew) {
    CNamedItemSaveDialog dialog('t', this);
    dialog.caption = res::LoadString(res::kIdsSaveFilter);
    dialog.prompt = res::LoadString(res::kIdsFilterName);
    dialog.proposedName = filter_ ? filter_->name : std::string();
    if (dialog.SaveOrPrompt(false) != fw::kIdOk) return false;
    path = dialog.chosenPath;
    name = dialog.chosenName;
    isNew = dialog.isNew;
    return true;
  };
  chooseOpenFile = [this](std::string& path) {
    COpenNamedFileDialog dialog('t', this);
    dialog.caption = res::LoadString(res::kIdsOpenFilter);
    dialog.prompt = res::LoadString(res::kIdsFilterName);
    if (dialog.exec() != fw::kIdOk) return false;
    path = dialog.chosenPath;
    return true;
  };

  paged_ = new CPagedList(model_.Pager(), CIndividualListModel::kPageLines, list_, bar_, this);
  connect(paged_, &CPagedList::Moved, this, [this] {
    ShowPage();
    ShowCurrent();
    WriteSearchText();
  });
  connect(search_, &QLineEdit::textEdited, this, &CIndividualListDialog::OnSearchEdited);
  rinOnly_ = new QRegularExpressionValidator(
      QRegularExpression(
          QStringLiteral("[0-9]{0,%1}").arg(CIndividualListModel::kRinSearchChars)),
      search_);
  connect(search_, &QLineEdit::inputRejected, this, &CIndividualListDialog::OnSearchRejected);
  connect(sortRin, &QRadioButton::clicked, this,
          [this] { OnSort(CIndividualListModel::kRinOrder); });
  connect(sortName, &QRadioButton::clicked, this,
          [this] { OnSort(CIndividualListModel::kNameOrder); });
  connect(list_, &QListWidget::itemDoubleClicked, this, &CIndividualListDialog::OnDoubleClick);
  connect(remove, &QPushButton::clicked, this, &CIndividualListDialog::OnDelete);
  connect(edit, &QPushButton::clicked, this, &CIndividualListDialog::OnEdit);
  connect(ok, &QPushButton::clicked, this, &CIndividualListDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CIndividualListDialog::reject);
}

CIndividualListDialog::~CIndividualListDialog() = default;

void CIndividualListDialog::Finish(int result) {
  QMetaObject::invokeMethod(
      this, [this, result] { EndDialog(result); }, Qt::QueuedConnection);
}

void CIndividualListDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  struct Restore {
    ~Restore() { QApplication::restoreOverrideCursor(); }
  } restore;
  if (!model_.SetRinRange(lowestRin, highestRin)) {
    Finish(fw::kIdCancel);
    return;
  }
  if (templeNamesMode) selectSetMode = true;
  SetCaption();
  if (templeNamesMode) {
    SetControlText(kIdcAdvanced, res::LoadString(res::kIdsMarriagesButton));
    connect(Control<QPushButton>(kIdcAdvanced), &QPushButton::clicked, this,
            &CIndividualListDialog::OnMarriages);
  } else if (selectSetMode) {
    ShowControl(kIdcAdvanced, false);
  } else {
    connect(Control<QPushButton>(kIdcAdvanced), &QPushButton::clicked, this,
            &CIndividualListDialog::OnAdvanced);
  }
  auto* combine = Control<QComboBox>(kIdcCombine);
  {
    const QSignalBlocker block(combine);
    for (const std::string& item : SplitComboItems(res::LoadString(res::kIdsCombineOperators)))
      combine->addItem(fw::ToQString(item));
    combine->setCurrentIndex(filter_ ? filter_->combineOp : 0);
  }
  auto* kinds = Control<QComboBox>(kIdcRelationKind);
  {
    const QSignalBlocker block(kinds);
    for (unsigned id = res::kIdsFirstRelationKind; id < 4999 && res::HasString(id); ++id)
      kinds->addItem(fw::ToQString(res::LoadString(id)));
    kinds->setCurrentIndex(plat::Profile().GetInt(kSearchSection, "FilterRelType", 0));
  }
  if (showFilterSide || selectSetMode) {
    if (!templeNamesMode) SetControlText(kIdcAdvanced, res::LoadString(res::kIdsAdvancedOpen));
  } else {
    filterSide_->hide();
  }

  showZel_ = options ? options->showZel != 0 : false;
  for (int id = kIdcZelLabel; id <= kIdcZelLabel + 3; ++id)
    if (QWidget* w = GetControl(id)) w->setVisible(showZel_);
  for (int id = kIdcZelFirst; id < kIdcZelFirst + 6; ++id) {
    SetControlText(id, "");
    GetControl(id)->setVisible(showZel_);
  }

  int order = options ? options->sortDef : 0;
  CheckRadio({kIdcSortRin, kIdcSortName}, 0);
  if (order == CIndividualListModel::kNameOrder) {
    if (model_.SetOrder(order)) {
      CheckRadio({kIdcSortRin, kIdcSortName}, 1);
    } else if (options) {
      options->sortDef = 0;
      options->Save();
    }
  }
  // "Show results only" stays on from the last run while the copy has a
  // selection to show.
  if (plat::Profile().GetInt(kSearchSection, kFilterResults, 0) && filter_ &&
      filter_->GetCount(CFilterSet::kCombinedSet) > 0) {
    if (!model_.SetResultsOnly(filter_->GetBitSet(CFilterSet::kCombinedSet)))
      plat::Profile().SetInt(kSearchSection, kFilterResults, 0);
  } else if (!filter_) {
    plat::Profile().SetInt(kSearchSection, kFilterResults, 0);
  }
  if (!model_.Start(startRin, startName)) {
    Finish(fw::kIdCancel);
    return;
  }
  if (model_.GetOrder() == CIndividualListModel::kNameOrder && (takeFoundRin || startRin <= 0))
    startRin = model_.SelectedRin();
  EnableControl(kIdcDelete,
                allowEditing && CurrentDatabase->ReadOnly() != CFamilyDatabase::kReadOnly);
  EnableControl(kIdcEdit, allowEditing && AppScreens().editIndividual != nullptr);
  ShowPage();
  ShowCurrent();
  WriteSearchText();
  SetCheck(kIdcResultsOnly, model_.Pager().Filtered() ? 1 : 0);
  ShowFilterSide(false);
  FitHeight();
  CenterWindow();
  search_->setFocus();
}

void CIndividualListDialog::ShowPage() {
  paged_->Show([this](int line) { return model_.LineText(line, filter_.get(), measure_.get()); });
}

void CIndividualListDialog::ShowCurrent() {
  const std::int32_t rin = model_.SelectedRin();
  const CDetailPaneTexts pane = ReadDetailPane(rin, measure_.get(), templeNamesMode && showZel_);
  if (templeNamesMode)
    EnableControl(kIdcAdvanced, rin > 0 && DbGetRelationCount(rin, db::kRelMarriages, 0, 1) != 0);
  SetControlText(kIdcName, pane.name);
  SetControlText(kIdcSex, pane.sex);
  SetControlText(kIdcSbn, pane.sbn);
  SetControlText(kIdcIdNumber, pane.id);
  for (int i = 0; i < 4; ++i) {
    SetControlText(kIdcBirthDate + i, pane.eventDate[i]);
    SetControlText(kIdcBirthPlace + i, pane.eventPlace[i]);
  }
  for (int i = 0; i < 3 && showZel_; ++i) {
    SetControlText(kIdcZelFirst + i, pane.ordinanceDate[i]);
    SetControlText(kIdcZelFirst + 3 + i, pane.ordinanceTemple[i]);
    // Qualified and not qualified stand out; not needed does not.
    const bool bold =
        pane.ordinanceState[i] == kZelQualified || pane.ordinanceState[i] == kZelNotQualified;
    for (int id : {kIdcZelFirst + i, kIdcZelFirst + 3 + i}) {
      QFont font = GetControl(id)->font();
      font.setBold(bold);
      GetControl(id)->setFont(font);
    }
  }
  SetControlText(kIdcFather, pane.parentName[0]);
  SetControlText(kIdcMother, pane.parentName[1]);
  SetControlText(kIdcFatherLabel, pane.parentLabel[0]);
  SetControlText(kIdcMotherLabel, pane.parentLabel[1]);
  SetControlText(kIdcFatherDate, pane.parentDate[0]);
  SetControlText(kIdcMotherDate, pane.parentDate[1]);
  SetControlText(kIdcSpouse1, pane.spouseName[0]);
  SetControlText(kIdcSpouse2, pane.spouseName[1]);
  SetControlText(kIdcMarriage1, pane.marriageDate[0]);
  SetControlText(kIdcMarriage2, pane.marriageDate[1]);
}

void CIndividualListDialog::WriteSearchText() {
  LimitSearch();
  const std::int32_t rin = model_.SelectedRin();
  if (rin <= 0) return;
  // setText does not count as an edit, so no search follows.
  search_->setText(fw::ToQString(model_.SearchTextFor(rin, measure_.get())));
  search_->selectAll();
}

void CIndividualListDialog::LimitSearch() {
  const bool byName = model_.GetOrder() == CIndividualListModel::kNameOrder;
  search_->setMaxLength(model_.SearchLimit());
  search_->setValidator(byName ? nullptr : rinOnly_);
}

void CIndividualListDialog::OnSearchRejected() {
  // A name typed in RIN order is not cut silently: the field says what it
  // takes.
  if (model_.GetOrder() != CIndividualListModel::kRinOrder) return;
  const QString hint = QString::fromLatin1(CIndividualListModel::kRinSearchHint);
  QToolTip::showText(search_->mapToGlobal(QPoint(0, search_->height())), hint, search_);
}

void CIndividualListDialog::OnSearchEdited(const QString& text) {
  const std::string typed = fw::FromQString(text.left(80));
  if (model_.GetOrder() == CIndividualListModel::kRinOrder) {
    model_.SearchRin(typed);
  } else if (!model_.SearchName(typed)) {
    EndDialog(fw::kIdCancel);
    return;
  }
  ShowPage();
  ShowCurrent();
}

void CIndividualListDialog::OnSort(int order) {
  if (order == model_.GetOrder()) return;
  if (!model_.SwitchOrder(order)) {
    CheckRadio({kIdcSortRin, kIdcSortName}, 0);
  } else if (options) {
    options->sortDef = order;
    options->Save();
  }
  ShowPage();
  ShowCurrent();
  WriteSearchText();
  search_->setFocus();
}

void CIndividualListDialog::OnDoubleClick() {
  if (!selectSetMode) {
    accept();
    return;
  }
  const std::int32_t rin = model_.SelectedRin();
  if (rin <= 0) return;
  if (!filter_) filter_ = std::make_unique<CFilterSet>();
  if (!filter_->HasSet(CFilterSet::kRelationSet))
    filter_->CreateSet(CFilterSet::kRelationSet, model_.HighestRin());
  filter_->relationFilterPresent = 1;
  const bool member = filter_->IsInSet(CFilterSet::kRelationSet, rin) == 1;
  filter_->SetInSet(CFilterSet::kRelationSet, rin, member ? 0 : 1);
  if (filter_->GetCount(CFilterSet::kRelationSet) == 0) filter_->relationFilterPresent = 0;
  ShowPage();
}

void CIndividualListDialog::OnMarriages() {
  const std::int32_t rin = model_.SelectedRin();
  if (rin <= 0) return;
  CSealToSpouseStatusDialog dialog(rin, filter_.get(), model_.Pager().Filtered(), this);
  dialog.exec();
}

void CIndividualListDialog::OnOK() {
  if (selectSetMode && (!filter_ || filter_->GetCount(CFilterSet::kCombinedSet) <= 0) &&
      plat::MessageBox(res::LoadString(res::kIdsNothingSelected), res::LoadString(res::kIdsAppName),
                       plat::kMbYesNo | plat::kMbIconQuestion) != plat::kIdYes)
    return;
  if (document_) document_->m_filterSet = std::move(filter_);
  const std::int32_t rin = model_.SelectedRin();
  if (rin <= 0) {
    EndDialog(fw::kIdCancel);
    return;
  }
  chosenRin = rin;
  EndDialog(fw::kIdOk);
}

// ---- deleting ---------------------------------------------------------------

void CIndividualListDialog::DeleteIndividual(std::int32_t rin,
                                             std::vector<std::int32_t>& marriages) {
  recordsChanged = true;
  // Each family once, also when several deleted individuals shared it.
  for (std::int32_t mrin : shell::DeleteIndividualRecord(rin))
    if (std::find(marriages.begin(), marriages.end(), mrin) == marriages.end())
      marriages.push_back(mrin);
  // A failed write (told by the engine) leaves the individual live and in the sets.
  if (DbIsRecordDeleted(db::kIndividual, rin) != 1) return;
  if (filter_) {
    for (int set : {CFilterSet::kRelationSet, CFilterSet::kFieldSet})
      if (filter_->IsInSet(set, rin) == 1) filter_->SetInSet(set, rin, 0);
  }
}

void CIndividualListDialog::OnEdit() {
  const std::int32_t rin = model_.SelectedRin();
  if (rin <= 0 || !AppScreens().editIndividual) return;
  if (!AppScreens().editIndividual(this, rin)) return;
  // The line and the details show the saved individual.
  recordsChanged = true;
  ShowPage();
  ShowCurrent();
}

void CIndividualListDialog::OnDelete() {
  if (checkEditPassword && !checkEditPassword()) return;
  if (filter_ && filter_->GetCount(CFilterSet::kCombinedSet) > 0 &&
      plat::MessageBox(
          res::LoadString(res::kIdsDeleteSetQuestion), res::LoadString(res::kIdsAppName),
          plat::kMbYesNo | plat::kMbIconExclamation | plat::kMbDefButton2) == plat::kIdYes) {
    DeleteSet();
    return;
  }
  const std::int32_t rin = model_.SelectedRin();
  if (rin > 0) DeleteOne(rin);
}

bool CIndividualListDialog::DeleteSet() {
  const int count = filter_->GetCount(CFilterSet::kCombinedSet);
  if (plat::MessageBox(Formatted(res::LoadString(res::kIdsDeleteSetWarning), count),
                       res::LoadString(res::kIdsAppName),
                       plat::kMbYesNo | plat::kMbIconExclamation | plat::kMbDefButton2) !=
      plat::kIdYes)
    return false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  std::vector<std::int32_t> marriages;
  const int highest = filter_->GetMaxIndex(CFilterSet::kCombinedSet);
  for (std::int32_t rin = 1; rin <= highest; ++rin)
    if (filter_->IsInSet(CFilterSet::kCombinedSet, rin) == 1) DeleteIndividual(rin, marriages);
  for (std::int32_t mrin : marriages)
    if (document_) document_->DeleteMarriageIfEmpty(mrin, false);
  QApplication::restoreOverrideCursor();
  if (FirstLiveIndividual() == 0) {
    filter_.reset();
    if (document_) document_->m_filterSet.reset();
    chosenRin = 0;
    EndDialog(fw::kIdOk);
    return true;
  }
  model_.ResultsOff();
  plat::Profile().SetInt(kSearchSection, kFilterResults, 0);
  if (filter_->GetCount(CFilterSet::kRelationSet) == 0) {
    filter_->relationFilterPresent = 0;
    filter_->DeleteSet(CFilterSet::kRelationSet);
  }
  if (filter_->GetCount(CFilterSet::kFieldSet) == 0 && !filter_->HasSet(CFilterSet::kRelationSet)) {
    filter_->fieldFilterPresent = 0;
    filter_->criteria.clear();
    filter_->DeleteSet(CFilterSet::kFieldSet);
  }
  if (!filter_->HasSet(CFilterSet::kRelationSet) && !filter_->HasSet(CFilterSet::kFieldSet))
    filter_->DeleteSet(CFilterSet::kCombinedSet);
  else
    filter_->RecomputeCombined();
  return Rebuild(model_.CurrentRin());
}

void CIndividualListDialog::DeleteOne(std::int32_t rin) {
  CIndividualRecord person;
  std::string name;
  if (DbGetIndividualRecord(rin, person, 3) == 1) name = person.GetName(0, false, rin, false);
  const std::string text = shell::DeleteIndividualQuestion(
      name.substr(0, 125), DbHasParents(rin) > 0, DbGetRelationCount(rin, db::kRelMarriages, 0, 1));
  if (plat::MessageBox(text, res::LoadString(res::kIdsAppName),
                       plat::kMbOkCancel | plat::kMbIconExclamation | plat::kMbDefButton2) !=
      plat::kIdOk)
    return;
  const std::int32_t key = model_.Pager().CurrentKey();
  std::vector<std::int32_t> marriages;
  DeleteIndividual(rin, marriages);
  for (std::int32_t mrin : marriages)
    if (document_) document_->DeleteMarriageIfEmpty(mrin, true);
  if (FirstLiveIndividual() == 0) {
    chosenRin = 0;
    EndDialog(fw::kIdOk);
    return;
  }
  if (document_) document_->RemoveFromHistory(static_cast<std::uint32_t>(rin));
  // The individual that followed takes the place: the same name-index
  // position (the one before at the end of the index), or the next RIN.
  if (model_.GetOrder() == CIndividualListModel::kNameOrder) {
    std::int32_t next = model_.RinOfKey(key);
    if (next == 0) next = model_.RinOfKey(key - 1);
    Rebuild(next);
  } else {
    Rebuild(rin);
  }
}

bool CIndividualListDialog::Rebuild(std::int32_t rinNear) {
  if (!model_.SetRinRange(0, 0)) return false;
  const int order = model_.GetOrder();
  model_.SetOrder(CIndividualListModel::kRinOrder);
  std::int32_t rin = DbGetRIN(std::max(rinNear, 1), db::kQueryIndividuals, db::kWalkNextOrSame);
  if (rin == 0) rin = DbGetRIN(rinNear, db::kQueryIndividuals, db::kWalkPreviousOrSame);
  if (order == CIndividualListModel::kNameOrder) model_.ResetNamePositions();
  if (order != CIndividualListModel::kRinOrder) model_.SetOrder(order);
  model_.Start(rin, "");
  ShowPage();
  ShowCurrent();
  WriteSearchText();
  return true;
}

// ---- the filter side --------------------------------------------------------

QWidget* CIndividualListDialog::BuildFilterSide() {
  auto* side = new QWidget;
  auto button = [this](int id, const char* text) {
    auto* b = AddControl(id, new QPushButton(QString::fromLatin1(text)));
    b->setAutoDefault(false);
    return b;
  };
  // A labelled count: its label and value side by side.
  auto count = [this](const char* label, int id) {
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QString::fromLatin1(label)), 0, 0);
    auto* value = AddControl(id, new QLabel(QStringLiteral("0")));
    value->setMinimumWidth(DialogUnitsToPixels(28, 0).width());
    grid->addWidget(value, 0, 1);
    return grid;
  };

  auto* relation =
      AddControl(kIdcRelationGroup, new QGroupBox(QStringLiteral("Relationship Fil&ter")));
  auto* rel = new QGridLayout(relation);
  auto* kinds = AddControl(kIdcRelationKind, new QComboBox);
  rel->addWidget(kinds, 0, 0, 1, 3);
  rel->addWidget(button(kIdcSelect, "&Select"), 1, 0);
  rel->addWidget(button(kIdcDeselect, "&Deselect"), 1, 1);
  rel->addWidget(button(kIdcRelationClear, "&Clear"), 1, 2);
  rel->addLayout(count("Selected:", kIdcSelectedCount), 2, 0, 1, 2);
  rel->addWidget(button(kIdcReplace, "Replace <<"), 2, 2);

  auto* combineBox = new QVBoxLayout;
  combineBox->addStretch();
  auto* combineLabel = new QLabel(QStringLiteral("Com&bine\nfilters\nusing:"));
  auto* combine = AddControl(kIdcCombine, new QComboBox);
  combineLabel->setBuddy(combine);
  combineBox->addWidget(combineLabel);
  combineBox->addWidget(combine);
  combineBox->addStretch();

  auto* field = AddControl(kIdcFieldGroup, new QGroupBox(QStringLiteral("Field Filter")));
  auto* fld = new QGridLayout(field);
  fld->addWidget(button(kIdcDefine, "De&fine"), 0, 0);
  fld->addWidget(button(kIdcFieldClear, "Clear"), 0, 1);
  fld->addLayout(count("Matches:", kIdcMatchesCount), 1, 0, 1, 2);

  auto* listBox = AddControl(kIdcListGroup, new QGroupBox(QStringLiteral("Filtered List")));
  auto* lst = new QGridLayout(listBox);
  lst->addWidget(AddControl(kIdcResultsOnly, new QCheckBox(QStringLiteral("Sho&w results only"))),
                 0, 0, 1, 2);
  lst->addWidget(button(kIdcPrev, "<< &Prev"), 1, 0);
  lst->addWidget(button(kIdcNext, "Ne&xt >>"), 1, 1);
  lst->addWidget(button(kIdcSave, "Sa&ve..."), 2, 0);
  lst->addWidget(button(kIdcRetrieve, "Retr&ieve..."), 2, 1);
  lst->addLayout(count("Total:", kIdcTotalCount), 3, 0, 1, 2);

  auto* row = new QHBoxLayout(side);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(relation, 3);
  row->addLayout(combineBox);
  row->addWidget(field, 2);
  row->addWidget(listBox, 2);

  connect(kinds, &QComboBox::currentIndexChanged, this,
          [](int index) { plat::Profile().SetInt(kSearchSection, "FilterRelType", index); });
  connect(Control<QPushButton>(kIdcSelect), &QPushButton::clicked, this,
          [this] { OnSelect(true); });
  connect(Control<QPushButton>(kIdcDeselect), &QPushButton::clicked, this,
          [this] { OnSelect(false); });
  connect(Control<QPushButton>(kIdcRelationClear), &QPushButton::clicked, this,
          &CIndividualListDialog::OnClearRelation);
  connect(Control<QPushButton>(kIdcReplace), &QPushButton::clicked, this,
          &CIndividualListDialog::OnReplace);
  connect(Control<QPushButton>(kIdcDefine), &QPushButton::clicked, this,
          &CIndividualListDialog::OnDefine);
  connect(Control<QPushButton>(kIdcFieldClear), &QPushButton::clicked, this,
          &CIndividualListDialog::OnClearField);
  connect(Control<QComboBox>(kIdcCombine), &QComboBox::currentIndexChanged, this,
          &CIndividualListDialog::OnCombine);
  connect(Control<QCheckBox>(kIdcResultsOnly), &QCheckBox::clicked, this,
          &CIndividualListDialog::OnResultsOnly);
  connect(Control<QPushButton>(kIdcPrev), &QPushButton::clicked, this, [this] { OnStep(false); });
  connect(Control<QPushButton>(kIdcNext), &QPushButton::clicked, this, [this] { OnStep(true); });
  connect(Control<QPushButton>(kIdcSave), &QPushButton::clicked, this,
          &CIndividualListDialog::OnSaveFilter);
  connect(Control<QPushButton>(kIdcRetrieve), &QPushButton::clicked, this,
          &CIndividualListDialog::OnRetrieveFilter);
  return side;
}

void CIndividualListDialog::SetCaption() {
  std::string caption = selectSetMode ? res::LoadString(res::kIdsSelectSet)
                                      : res::LoadString(res::kIdsFindCaption) + " " + titleWord;
  if (templeNamesMode) caption += " - " + res::LoadString(res::kIdsTempleNames);
  if (filter_ && !filter_->name.empty() && filter_->GetCount(CFilterSet::kCombinedSet) > 0)
    caption += " - " + filter_->name;
  setWindowTitle(fw::ToQString(caption));
}

void CIndividualListDialog::ShowFilterSide(bool rebuild) {
  const bool readOnly =
      CurrentDatabase && CurrentDatabase->ReadOnly() == CFamilyDatabase::kReadOnly;
  // Show results only goes off with an empty combination.
  if (model_.Pager().Filtered() && (!filter_ || filter_->GetCount(CFilterSet::kCombinedSet) <= 0)) {
    model_.ResultsOff();
    plat::Profile().SetInt(kSearchSection, kFilterResults, 0);
    rebuild = true;
  }
  const bool resultsOnly = model_.Pager().Filtered();
  SetCheck(kIdcResultsOnly, resultsOnly ? 1 : 0);
  const FilterSideStates s = GetFilterSideStates(filter_.get(), resultsOnly, readOnly);
  EnableControl(kIdcDeselect, s.deselect);
  EnableControl(kIdcRelationClear, s.deselect);
  EnableControl(kIdcReplace, s.replace);
  EnableControl(kIdcFieldClear, s.replace);
  EnableControl(kIdcResultsOnly, s.filteredList);
  EnableControl(kIdcPrev, s.prevNext);
  EnableControl(kIdcNext, s.prevNext);
  EnableControl(kIdcSave, s.save);
  SetControlText(kIdcSelectedCount, s.counts[0]);
  SetControlText(kIdcMatchesCount, s.counts[1]);
  SetControlText(kIdcTotalCount, s.counts[2]);
  SetCaption();
  if (rebuild) {
    const std::int32_t rin = model_.CurrentRin();
    if (model_.Pager().Filtered())
      model_.SetResultsOnly(filter_->GetBitSet(CFilterSet::kCombinedSet));
    model_.Start(rin, "");
    ShowPage();
    ShowCurrent();
    WriteSearchText();
  } else {
    ShowPage();
  }
}

void CIndividualListDialog::OnAdvanced() {
  const bool show = filterSide_->isHidden();
  filterSide_->setVisible(show);
  SetControlText(kIdcAdvanced, res::LoadString(show ? res::kIdsAdvancedOpen : res::kIdsAdvanced));
  FitHeight();
}

void CIndividualListDialog::FitHeight() {
  // adjustSize would hold a window to two thirds of the screen and leave a
  // band below the list once the filter side hides: the height is exactly
  // what the shown controls need.
  layout()->activate();
  resize(width(), sizeHint().height());
  // Grown by the filter side, it stays on the screen.
  if (isVisible()) KeepOnScreen();
}

void CIndividualListDialog::OnSelect(bool select) {
  const std::int32_t rin = model_.CurrentRin();
  if (rin <= 0) return;
  if (!select && !filter_) return;
  if (!filter_) {
    filter_ = std::make_unique<CFilterSet>();
    filter_->combineOp = std::max(0, Control<QComboBox>(kIdcCombine)->currentIndex());
  }
  const int relationBefore = filter_->GetCount(CFilterSet::kRelationSet);
  const int combinedBefore = filter_->GetCount(CFilterSet::kCombinedSet);
  const int kind = std::max(0, Control<QComboBox>(kIdcRelationKind)->currentIndex());
  QApplication::setOverrideCursor(Qt::WaitCursor);
  CRelationshipFilter walk(*filter_, relationHooks);
  walk.Run(kind, rin, select ? 1 : 0);
  QApplication::restoreOverrideCursor();
  const int relationAfter = filter_->GetCount(CFilterSet::kRelationSet);
  if (select && relationBefore == 0 && relationAfter > 0 && !filter_->criteria.empty())
    filter_->RecomputeCombined();
  if (relationAfter == 0) {
    filter_->relationFilterPresent = 0;
    if (!select && !filter_->criteria.empty()) filter_->RecomputeCombined();
  }
  RunEmptySetChecks(filter_.get(), true);
  ShowFilterSide(filter_->GetCount(CFilterSet::kCombinedSet) != combinedBefore);
}

void CIndividualListDialog::OnClearRelation() {
  if (!filter_) return;
  const int combinedBefore = filter_->GetCount(CFilterSet::kCombinedSet);
  if (CBitSet* bits = filter_->GetBitSet(CFilterSet::kRelationSet)) bits->Init(bits->BitCount());
  filter_->relationFilterPresent = 0;
  // Every cleared RIN leaves the combination too.
  filter_->RecomputeCombined();
  RunEmptySetChecks(filter_.get(), true);
  ShowFilterSide(filter_->GetCount(CFilterSet::kCombinedSet) != combinedBefore);
}

void CIndividualListDialog::OnReplace() {
  if (!filter_) return;
  if (plat::MessageBox(res::LoadString(res::kIdsReplaceQuestion),
                       res::LoadString(res::kIdsReplaceCaption),
                       plat::kMbYesNo | plat::kMbIconQuestion) != plat::kIdYes)
    return;
  filter_->ReplaceWithCombined();
  filter_->fieldFilterPresent = 0;
  filter_->criteria.clear();
  filter_->RecomputeCombined();
  RunEmptySetChecks(filter_.get(), false);
  ShowFilterSide(true);
}

void CIndividualListDialog::OnDefine() {
  const bool hadCriteria = filter_ && !filter_->criteria.empty();
  const int combinedBefore = filter_ ? filter_->GetCount(CFilterSet::kCombinedSet) : 0;
  const bool readOnly =
      CurrentDatabase && CurrentDatabase->ReadOnly() == CFamilyDatabase::kReadOnly;
  CFieldFilterDialog dialog(filter_.get(),
                            std::max(0, Control<QComboBox>(kIdcCombine)->currentIndex()), showZel_,
                            readOnly, this);
  dialog.checkEditPassword = checkEditPassword;
  if (runFieldFilter(dialog) != fw::kIdOk) return;
  if (!filter_) filter_ = dialog.Editor().TakeCreatedSet();
  if (!filter_) return;
  if (filter_->criteria.empty()) {
    filter_->fieldFilterPresent = 0;
    if (hadCriteria && filter_->GetCount(CFilterSet::kRelationSet) > 0)
      filter_->RecomputeCombined();
  }
  RunEmptySetChecks(filter_.get(), false);
  ShowFilterSide(true);
  (void)combinedBefore;
}

void CIndividualListDialog::OnClearField() {
  if (!filter_) return;
  const int combinedBefore = filter_->GetCount(CFilterSet::kCombinedSet);
  if (CBitSet* bits = filter_->GetBitSet(CFilterSet::kFieldSet)) bits->Init(bits->BitCount());
  filter_->criteria.clear();
  filter_->fieldFilterPresent = 0;
  filter_->RecomputeCombined();
  RunEmptySetChecks(filter_.get(), false);
  ShowFilterSide(filter_->GetCount(CFilterSet::kCombinedSet) != combinedBefore);
}

void CIndividualListDialog::OnCombine(int op) {
  if (!filter_ || op < 0 || op == filter_->combineOp) return;
  filter_->combineOp = op;
  if (filter_->GetCount(CFilterSet::kRelationSet) > 0 && !filter_->criteria.empty()) {
    filter_->RecomputeCombined();
    ShowFilterSide(true);
  }
}

void CIndividualListDialog::OnResultsOnly(bool on) {
  plat::Profile().SetInt(kSearchSection, kFilterResults, on ? 1 : 0);
  if (on && filter_) {
    if (!model_.SetResultsOnly(filter_->GetBitSet(CFilterSet::kCombinedSet)))
      plat::Profile().SetInt(kSearchSection, kFilterResults, 0);
  } else {
    model_.ResultsOff();
  }
  ShowFilterSide(true);
}

void CIndividualListDialog::OnStep(bool next) {
  if (!filter_) return;
  const int kind = model_.GetOrder() == CIndividualListModel::kNameOrder ? db::kQueryNamePositions
                                                                         : db::kQueryIndividuals;
  std::int32_t key = model_.KeyOfRin(model_.CurrentRin());
  for (;;) {
    key = DbGetRIN(key, kind, next ? db::kWalkNext : db::kWalkPrevious);
    if (key <= 0) return;
    const std::int32_t rin = model_.RinOfKey(key);
    if (model_.GetOrder() == CIndividualListModel::kRinOrder &&
        (rin < model_.LowestRin() || rin > model_.HighestRin()))
      return;
    if (filter_->IsInSet(CFilterSet::kCombinedSet, rin) == 1) {
      model_.Start(rin, "");
      ShowPage();
      ShowCurrent();
      WriteSearchText();
      return;
    }
  }
}

void CIndividualListDialog::OnSaveFilter() {
  if (!filter_) return;
  if (checkEditPassword && !checkEditPassword()) return;
  std::string path, name;
  bool isNew = false;
  if (!chooseSaveFile(path, name, isNew)) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // The whole file is written beside the item and renamed over it, with
  // the owner the item names (the open family file for a new one).
  std::string owner;
  {
    plat::FileHandle existing;
    if (existing.Open(path, plat::FileHandle::Access::ReadOnly) == plat::kFileOk) {
      CNamedFileHeader header;
      if (header.Read(existing) != 0) owner = header.owner;
    }
  }
  const std::string temp = path + ".new";
  int ok = owner.empty() ? WriteNamedFileHeader(temp, name, false) == 0
                         : WriteNamedFile(temp, name, owner) == 0;
  const std::string oldName = filter_->name;
  filter_->name = name;
  ok = ok && filter_->Save(temp) == 0 && std::rename(temp.c_str(), path.c_str()) == 0;
  QApplication::restoreOverrideCursor();
  if (!ok) {
    std::remove(temp.c_str());
    if (isNew) std::remove(path.c_str());
    filter_->name = oldName;
    plat::MessageBox(res::LoadString(res::kIdsCouldNotSaveFilter), "", plat::kMbOk);
  }
  SetCaption();
}

void CIndividualListDialog::OnRetrieveFilter() {
  std::string path;
  if (!chooseOpenFile(path)) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  auto fresh = filter_ ? std::make_unique<CFilterSet>(*filter_) : std::make_unique<CFilterSet>();
  if (!filter_) fresh->combineOp = std::max(0, Control<QComboBox>(kIdcCombine)->currentIndex());
  const int result = fresh->Load(path);
  QApplication::restoreOverrideCursor();
  if (result != 0) {
    plat::MessageBox(res::LoadString(res::kIdsCouldNotOpenFilter), "", plat::kMbOk);
    return;
  }
  filter_ = std::move(fresh);
  ShowFilterSide(true);
}

// ---- the Marriages Search List ------------------------------------------------

CMarriageSearchListDialog::CMarriageSearchListDialog(QWidget* parent)
    : fw::CDialogBase(parent), titleWord(res::LoadString(res::kIdsMarriage)) {
  search_ = AddControl(kIdcSearch, new CSearchEdit);
  list_ = AddControl(kIdcList, new QListWidget);
  bar_ = AddControl(kIdcScroll, new QScrollBar(Qt::Vertical));
  search_->SetList(list_);
  measure_ = std::make_unique<fw::QtTextMeasure>(list_->font());
  const std::vector<int> stops =
      SetUpPagedList(*this, list_, {28, 154, 280}, 390, CMarriageListModel::kPageLines);
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("&Help")));
  ok->setDefault(true);
  cancel->setAutoDefault(false);
  help->setAutoDefault(false);

  // Column heads over the tab stops.
  auto* heads = new QHBoxLayout;
  heads->setSpacing(0);
  heads->setContentsMargins(list_->frameWidth() + 2, 0, 0, 0);
  const char* const titles[] = {"MRIN", "Husband", "Wife", "Date"};
  int left = 0;
  for (int i = 0; i < 4; ++i) {
    auto* head = new QLabel(QString::fromLatin1(titles[i]));
    if (i < 3) {
      head->setFixedWidth(stops[static_cast<std::size_t>(i)] - left);
      left = stops[static_cast<std::size_t>(i)];
    }
    heads->addWidget(head, i == 3 ? 1 : 0);
  }
  auto* listRow = new QHBoxLayout;
  listRow->setSpacing(0);
  listRow->addWidget(list_, 1);
  listRow->addWidget(bar_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {ok, cancel, help}) buttons->addWidget(b);
  auto* whole = new QVBoxLayout(this);
  whole->addWidget(search_);
  whole->addLayout(heads);
  whole->addLayout(listRow);
  whole->addStretch(1);  // the list is as high as its page
  whole->addLayout(buttons);

  paged_ = new CPagedList(model_.Pager(), CMarriageListModel::kPageLines - 1, list_, bar_, this);
  connect(paged_, &CPagedList::Moved, this, [this] {
    ShowPage();
    const int line = model_.Pager().Selected();
    if (line >= 0) search_->setText(QString::number(model_.Pager().Keys()[line]));
  });
  connect(search_, &QLineEdit::textEdited, this, [this](const QString& text) {
    model_.Search(fw::FromQString(text.left(6)));
    ShowPage();
  });
  connect(list_, &QListWidget::itemDoubleClicked, this, &CMarriageSearchListDialog::accept);
  connect(ok, &QPushButton::clicked, this, &CMarriageSearchListDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CMarriageSearchListDialog::reject);
}

CMarriageSearchListDialog::~CMarriageSearchListDialog() = default;

void CMarriageSearchListDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
  setWindowTitle(fw::ToQString(res::LoadString(res::kIdsFindCaption) + " " + titleWord));
  if (!model_.SetRange(lowestMrin, highestMrin) || !model_.Start(startMrin)) {
    QMetaObject::invokeMethod(
        this, [this] { EndDialog(fw::kIdCancel); }, Qt::QueuedConnection);
    return;
  }
  ShowPage();
  search_->setMaxLength(6);
  search_->setText(QString::number(model_.Pager().CurrentKey()));
  search_->selectAll();
  search_->setFocus();
}

void CMarriageSearchListDialog::ShowPage() {
  paged_->Show([this](int line) { return model_.LineText(line, measure_.get()); });
}

void CMarriageSearchListDialog::OnOK() {
  const int line = model_.Pager().Selected();
  if (line < 0) {
    EndDialog(fw::kIdCancel);
    return;
  }
  chosenMrin = model_.Pager().Keys()[static_cast<std::size_t>(line)];
  EndDialog(fw::kIdOk);
}

// ---- Seal to Spouse Status ----------------------------------------------------

CSealToSpouseStatusDialog::CSealToSpouseStatusDialog(std::int32_t rin, const CFilterSet* filter,
                                                     bool resultsOnly, QWidget* parent)
    : fw::CDialogBase(parent), rin_(rin), filter_(filter), resultsOnly_(resultsOnly) {
  setWindowTitle(QStringLiteral("Temple Names Preparation - Seal to Spouse Status"));
  auto* name = AddControl(kIdcName, Text());
  list_ = AddControl(kIdcList, new QListWidget);
  measure_ = std::make_unique<fw::QtTextMeasure>(list_->font());
  std::vector<int> stops;
  for (int du : {7, 34, 110, 156, 224, 270}) stops.push_back(DialogUnitsToPixels(du, 0).width());
  lastStop_ = stops.back();
  auto* delegate = new kinui::TabStopDelegate(stops, list_);
  delegate->SetFieldsInColumns(true);
  list_->setItemDelegate(delegate);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setMinimumSize(DialogUnitsToPixels(380, 90));
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  auto* edit = AddControl(kIdcEdit, new QPushButton(QStringLiteral("&Edit")));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("&Help")));
  ok->setDefault(true);
  edit->setAutoDefault(false);
  edit->setEnabled(AppScreens().editMarriage != nullptr);
  connect(edit, &QPushButton::clicked, this, &CSealToSpouseStatusDialog::OnEdit);

  auto* who = new QHBoxLayout;
  // The name follows the words as in a sentence, one blank apart.
  who->setSpacing(name->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
  who->addWidget(new QLabel(QStringLiteral("Marriages of")));
  who->addWidget(name, 1);
  auto* heads = new QHBoxLayout;
  heads->setSpacing(0);
  heads->setContentsMargins(list_->frameWidth() + 2 + stops[0], 0, 0, 0);
  const char* const titles[] = {"MRIN",           "Spouse",     "Mar. Date",
                                "Marriage Place", "Sealing Dt", "Sealing Temple/Status"};
  for (std::size_t i = 0; i < 6; ++i) {
    auto* head = new QLabel(QString::fromLatin1(titles[i]));
    if (i < 5) head->setFixedWidth(stops[i + 1] - stops[i]);
    heads->addWidget(head, i == 5 ? 1 : 0);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {ok, edit, help}) buttons->addWidget(b);
  auto* whole = new QVBoxLayout(this);
  whole->addLayout(who);
  whole->addLayout(heads);
  whole->addWidget(list_, 1);
  whole->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &CSealToSpouseStatusDialog::accept);
}

CSealToSpouseStatusDialog::~CSealToSpouseStatusDialog() = default;

// Whatever the Marriage screen ended with, the line is built again from the
// file in its place.
void CSealToSpouseStatusDialog::OnEdit() {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(mrins_.size()) || !AppScreens().editMarriage) return;
  if (!AppScreens().editMarriage(this, mrins_[row])) return;
  SealToSpouseLine line;
  if (BuildSealToSpouseLine(rin_, mrins_[row], filter_, resultsOnly_, measure_.get(), line))
    list_->item(row)->setText(fw::ToQString(line.text));
  list_->setCurrentRow(row);
  FitListWidth();
}

void CSealToSpouseStatusDialog::FitListWidth() {
  const QFontMetrics metrics = list_->fontMetrics();
  int widest = 0;
  for (int i = 0; i < list_->count(); ++i) {
    const QStringList fields = list_->item(i)->text().split(QLatin1Char('\t'));
    // The fields from the last stop on share the last column.
    const QString last = fields.mid(6).join(QStringLiteral("  "));
    widest = std::max(widest, metrics.horizontalAdvance(last));
  }
  const int chrome = 2 * list_->frameWidth() + 6 + metrics.averageCharWidth() * 2;
  int width = lastStop_ + widest + chrome;
  if (const QScreen* screen = this->screen())
    width = std::min(width, screen->availableGeometry().width() - 80);
  if (width > list_->minimumWidth()) {
    list_->setMinimumWidth(width);
    adjustSize();
  }
}

void CSealToSpouseStatusDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
  const CDetailPaneTexts pane = ReadDetailPane(rin_, measure_.get());
  SetControlText(kIdcName, pane.name);
  for (const SealToSpouseLine& line :
       BuildSealToSpouseLines(rin_, filter_, resultsOnly_, measure_.get())) {
    mrins_.push_back(line.mrin);
    list_->addItem(fw::ToQString(line.text));
  }
  if (!mrins_.empty()) {
    list_->setCurrentRow(0);
    FitListWidth();
    return;
  }
  plat::MessageBox(res::LoadString(res::kIdsNoSpousesInFilter), res::LoadString(res::kIdsAppName));
  QMetaObject::invokeMethod(
      this, [this] { EndDialog(fw::kIdOk); }, Qt::QueuedConnection);
}
