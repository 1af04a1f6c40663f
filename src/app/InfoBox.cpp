#include "InfoBox.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QStyledItemDelegate>

#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "KorApp.h"
#include "MainFrame.h"
#include "MarriageNode.h"
#include "PedigreeLayout.h"
#include "QtPorts.h"
#include "QtTextMeasure.h"
#include "StatusPanes.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

// The children list draws "<" (or a blank) and the name at a tab stop of 6
// dialog units, as the line "%c\t%s" says.
class TabStopDelegate : public QStyledItemDelegate {
 public:
  TabStopDelegate(int tabStop, QObject* parent) : QStyledItemDelegate(parent), tabStop_(tabStop) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QString line = opt.text;
    opt.text.clear();
    opt.widget->style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    painter->save();
    painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                         : QPalette::Text));
    QRect r = opt.rect.adjusted(3, 0, 0, 0);
    painter->drawText(r, Qt::AlignVCenter | Qt::AlignLeft, line.left(tab < 0 ? 0 : tab));
    painter->drawText(r.adjusted(tabStop_, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                      tab < 0 ? line : line.mid(tab + 1));
    painter->restore();
  }

 private:
  int tabStop_;
};

QLabel* MakeText(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  return label;
}

bool HasDate(const CEventObject* event) { return event && event->GetDate()->IsSet(); }

}  // namespace

void InfoBoxMove::Release() {
  ReleaseIndividualRef(shown);
  ReleaseIndividualRef(target);
  ReleaseMarriageRef(marriage);
}

CInfoBox::CInfoBox(QWidget* view) : fw::CDialogBase(view), view_(view) {
  qRegisterMetaType<InfoBoxMove>();
  setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setObjectName(QStringLiteral("InfoBox"));

  content_ = new QWidget(this);
  auto* grid = new QGridLayout(content_);
  grid->setContentsMargins(6, 4, 6, 6);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(2);
  const int textWidth = std::max(kBirthWidth, kSpouseWidth) + 4;

  auto* birthLabel = AddControl(kIdBirthLabel, MakeText(content_));
  auto* birthText = AddControl(kIdBirthText, MakeText(content_));
  birthText->setFixedWidth(textWidth);
  auto* marriageLabel = MakeText(content_);
  marriageLabel->setText(QStringLiteral("M:"));
  marriageText_ = AddControl(kIdMarriageText, MakeText(content_));
  marriageText_->setFixedWidth(textWidth);
  auto* deathLabel = AddControl(kIdDeathLabel, MakeText(content_));
  deathText_ = AddControl(kIdDeathText, MakeText(content_));
  ordinance_ = AddControl(kIdOrdinanceText, MakeText(content_));
  ordinance_->setText(QStringLiteral(" - BEPSC"));
  auto* deathRow = new QHBoxLayout;
  deathRow->setSpacing(1);
  deathRow->addWidget(deathText_, 1);
  deathRow->addWidget(ordinance_);
  birthLabel->setText(fw::ToQString(res::LoadString(res::kIdsBirthLetter) + ":"));
  deathLabel->setText(fw::ToQString(res::LoadString(res::kIdsDeathLetter) + ":"));

  auto* spouseLabel = MakeText(content_);
  spouseLabel->setText(QStringLiteral("Sp:"));
  spouses_ = AddControl(kIdSpouseField, new QComboBox(content_));
  auto* childrenLabel = MakeText(content_);
  childrenLabel->setText(QStringLiteral("Ch:"));
  childrenLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  children_ = AddControl(kIdChildrenList, new QListWidget(content_));
  const int tabStop = fw::DialogUnitsToPixelsX(6, BaseUnits());
  children_->setItemDelegate(new TabStopDelegate(std::max(tabStop, 10), children_));
  children_->setFixedHeight(children_->fontMetrics().height() * 6 + 6);

  grid->addWidget(birthLabel, 0, 0);
  grid->addWidget(birthText, 0, 1);
  grid->addWidget(marriageLabel, 1, 0);
  grid->addWidget(marriageText_, 1, 1);
  grid->addWidget(deathLabel, 2, 0);
  grid->addLayout(deathRow, 2, 1);
  grid->addWidget(spouseLabel, 3, 0);
  grid->addWidget(spouses_, 3, 1);
  grid->addWidget(childrenLabel, 4, 0);
  grid->addWidget(children_, 4, 1);

  // The content keeps the large form's size; the small form shows its top
  // part only.
  content_->adjustSize();
  content_->move(1, 1);
  large_ = content_->size() + QSize(2, 2);
  // The small form ends below the death line: the three date lines with
  // the layout's margins (38 % of the large form in the original proportions
  // of the controls, which the dialog font changes).
  const int rowHeight = std::max({birthText->sizeHint().height(), deathText_->sizeHint().height(),
                                  ordinance_->sizeHint().height()});
  const QMargins margins = grid->contentsMargins();
  // Border, top margin, the three rows and their spacing, a pixel of room
  // and the bottom border: the spouse field starts one spacing lower.
  const int datesBottom = 1 + margins.top() + 3 * rowHeight + 2 * grid->verticalSpacing() + 2;
  small_ = QSize(large_.width(), std::min(datesBottom, large_.height()));
  resize(large_);

  for (QWidget* field : {static_cast<QWidget*>(spouses_), static_cast<QWidget*>(children_)})
    field->installEventFilter(this);
  connect(spouses_, qOverload<int>(&QComboBox::activated), this, &CInfoBox::OnSpouseChosen);
  connect(children_, &QListWidget::itemDoubleClicked, this, [this] { MoveToChild(); });
  clickTimer_.setSingleShot(true);
  clickTimer_.setInterval(QApplication::doubleClickInterval());
  connect(&clickTimer_, &QTimer::timeout, this, [this] { clickPending_ = false; });
  hide();
}

CInfoBox::~CInfoBox() { Clear(); }

// ---- showing ----------------------------------------------------------------

void CInfoBox::Place(const InfoBoxPlacement& placement, QSize size, bool resizeIt) {
  if (resizeIt) resize(size);
  QPoint corner = pos();
  switch (placement.kind) {
    case 0:
      corner = QPoint(placement.x, placement.y);
      break;
    case 1:
      corner = QPoint(placement.x, placement.y - size.height());
      break;
    case 2:
      corner = QPoint(placement.x - size.width(), placement.y);
      break;
    case 3:
      corner = QPoint(placement.x - size.width(), placement.y - size.height());
      break;
    default:
      break;
  }
  // The window stays on the screen it opens on.
  if (QScreen* screen = QGuiApplication::screenAt(corner) ? QGuiApplication::screenAt(corner)
                                                          : QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    corner.setX(std::clamp(corner.x(), area.left(),
                           std::max(area.left(), area.right() + 1 - size.width())));
    corner.setY(std::clamp(corner.y(), area.top(),
                           std::max(area.top(), area.bottom() + 1 - size.height())));
  }
  move(corner);
  show();
}

void CInfoBox::OnShowLarge(int key, const InfoBoxPlacement& placement) {
  Place(placement, large_, state_ % 2 == 1);
  if (key == shownKey_ && individual_) {
    FillFamily();
    filled_ = true;
    update();
  } else {
    shownKey_ = key;
    filled_ = false;
  }
  state_ = kLargeShown;
}

void CInfoBox::OnShowSmall(int key, const InfoBoxPlacement& placement) {
  Place(placement, small_, state_ % 2 == 0);
  if (key == shownKey_) {
    if (state_ == kLargeShown && marriage_) marriage_->ReleaseLoadedChildren();
  } else {
    shownKey_ = key;
  }
  filled_ = false;
  state_ = kSmallShown;
}

void CInfoBox::OnHide() {
  if (IsShown()) {
    hide();
    state_ += 2;
  }
  Clear();
  shownKey_ = -1;
  if (view_) view_->setFocus();
}

// ---- loading ----------------------------------------------------------------

int CInfoBox::OnLoad(CIndividualNode* individual) {
  if (filled_) {
    filled_ = false;
    return 0;
  }
  if (!individual) return 0;
  if (individual_ != individual) {
    Clear();
    SetIndividualRef(individual_, individual);
  }
  setUpdatesEnabled(false);
  // The christening, burial and ordinances live in the detail part, read
  // for the time of this load.
  bool ownDetails = false;
  if (!individual_->GetDetails()) {
    CIndividualRecord record;
    if (DbGetRecord(individual_->GetRin(), db::kIndividual, &record, 1, db::kWalkExact) == 1) {
      individual_->LoadLinks(record, 3);
      ownDetails = true;
    }
  }
  const fw::QtTextMeasure measure(font(), this);
  const int appendVal = GetNodeOptions().appendVal;

  std::string birthLetter, birthLine;
  if (!HasDate(individual_->GetBirth()) && HasDate(individual_->GetChristening())) {
    birthLetter = res::LoadString(res::kIdsChristeningLetter);
    birthLine =
        individual_->GetChristening()->FormatDatePlace(kLineChars, &measure, kBirthWidth, 0);
  } else {
    birthLetter = res::LoadString(res::kIdsBirthLetter);
    birthLine = individual_->FormatBirth(kLineChars, &measure, kBirthWidth);
  }
  SetControlText(kIdBirthLabel, birthLetter + ":");
  SetControlText(kIdBirthText, birthLine);

  int result = 0;
  if (state_ % 2 == 1) {
    individual_->LoadMarriages(2, appendVal, 0, nullptr);
    CIndividualLinks* links = individual_->GetLinks();
    CMarriageNode* chosen = links ? links->currentMarriage : nullptr;
    if (!chosen || individual_->GetLoadedMarriageCount() == 0) chosen = individual_->GetMarriage(0);
    SetMarriageRef(marriage_, chosen);
    marriageText_->setText(
        marriage_ ? fw::ToQString(marriage_->FormatMarriage(kLineChars, &measure, kMarriageWidth))
                  : QString());
    result = 1;
  } else {
    FillFamily();
  }

  const CIndividualLinks* links = individual_->GetLinks();
  if (GetNodeOptions().showZel && links) {
    const int flags = links->ordinanceFlags;
    int sealing = 0, childrenStatus = 0;
    if (marriage_) {
      if (const CSealingToSpouseOrdinance* s = marriage_->GetSealingEventIfAny())
        sealing = CDateValue::GetOrdinanceState(s->GetDate(), 'S');
      childrenStatus = DbGetChildrenOrdinanceStatus(marriage_->GetMrin(), db::kMarriage);
    }
    ordinance_->setText(fw::ToQString(shell::pedigree::OrdinanceSummary(
        flags & 3, (flags >> 2) & 3, (flags >> 4) & 3, sealing > 1 ? sealing : 0, childrenStatus)));
    ordinance_->show();
  } else {
    ordinance_->hide();
  }

  // The death line may use the room the ordinance summary leaves.
  const int deathWidth =
      (ordinance_->isVisible() ? marriageText_->width() - ordinance_->sizeHint().width() - 1
                               : marriageText_->width()) *
      10 / 9;
  std::string deathLetter, deathLine;
  if (!HasDate(individual_->GetDeath()) && HasDate(individual_->GetBurial())) {
    deathLetter = res::LoadString(res::kIdsBurialLetter);
    deathLine = individual_->GetBurial()->FormatDatePlace(kLineChars, &measure, deathWidth, 0);
  } else {
    deathLetter = res::LoadString(res::kIdsDeathLetter);
    deathLine = individual_->FormatDeath(kLineChars, &measure, deathWidth);
  }
  SetControlText(kIdDeathLabel, deathLetter + ":");
  SetControlText(kIdDeathText, deathLine);

  if (ownDetails && individual_->GetLinks()) individual_->GetLinks()->details.reset();
  setUpdatesEnabled(true);
  update();
  return result;
}

void CInfoBox::FillFamily() {
  if (!individual_) return;
  const int appendVal = GetNodeOptions().appendVal;
  individual_->LoadMarriages(2, appendVal, 0, nullptr);
  const CIndividualLinks* links = individual_->GetLinks();
  SendPane(shell::kPaneMarriages, links && links->marriageCount >= 0 ? links->marriageCount : -1);

  CMarriageNode* chosen = links ? links->currentMarriage : nullptr;
  int chosenIndex = -1;
  for (int i = 0; i < individual_->GetLoadedMarriageCount(); ++i)
    if (individual_->GetMarriage(i) == chosen) chosenIndex = i;
  if (chosenIndex < 0) {
    chosen = individual_->GetMarriage(0);
    chosenIndex = chosen ? 0 : -1;
  }
  if (marriage_ && marriage_ != chosen) marriage_->ReleaseLoadedChildren();
  SetMarriageRef(marriage_, chosen);
  SendPane(shell::kPaneMrin, marriage_ ? marriage_->GetMrin() : -1);

  const fw::QtTextMeasure measure(spouses_->font(), spouses_);
  spouses_->clear();
  for (int i = 0; i < individual_->GetLoadedMarriageCount(); ++i) {
    CMarriageNode* marriage = individual_->GetMarriage(i);
    CIndividualNode* partner =
        marriage->HusbandNode() == individual_ ? marriage->WifeNode() : marriage->HusbandNode();
    const std::string name =
        partner ? partner->FormatName(appendVal, kSpouseChars, kSpouseWidth, &measure)
                : res::LoadString(res::kIdsUnknown);
    spouses_->addItem(fw::ToQString(name));
  }
  spouses_->setCurrentIndex(chosenIndex);
  if (marriage_) {
    FillMarriage();
  } else {
    marriageText_->clear();
    children_->clear();
  }
}

void CInfoBox::FillMarriage() {
  const fw::QtTextMeasure measure(font(), this);
  marriageText_->setText(
      fw::ToQString(marriage_->FormatMarriage(kLineChars, &measure, kMarriageWidth)));
  children_->clear();
  marriage_->LoadChildren(2, GetNodeOptions().appendVal, 0, nullptr);
  SendPane(shell::kPaneMrin, marriage_->GetMrin());
  SendPane(shell::kPaneChildren, marriage_->GetLoadedChildCount());
  for (int i = 0; i < marriage_->GetLoadedChildCount(); ++i) {
    const CIndividualNode* child = marriage_->GetChild(i);
    children_->addItem(fw::ToQString(shell::pedigree::ChildLine(
        DbHasChildren(child->GetRin(), db::kIndividual) != 0, child->GetDisplayName())));
  }
}

void CInfoBox::Clear() {
  for (std::uintptr_t pane = shell::kPaneRin; pane <= shell::kPaneChildren; ++pane)
    SendPane(static_cast<int>(pane), shell::kClearPane);
  spouses_->clear();
  children_->clear();
  if (marriage_) {
    marriage_->ReleaseLoadedChildren();
    ReleaseMarriageRef(marriage_);
  }
  if (individual_) {
    individual_->ReleaseMarriages();
    ReleaseIndividualRef(individual_);
  }
  filled_ = false;
}

void CInfoBox::SendPane(int pane, std::intptr_t value) {
  if (CKorApp* app = CKorApp::Instance())
    if (CMainFrame* frame = app->GetMainFrame())
      frame->OnSetStatusPane(static_cast<WPARAM>(pane), value);
}

// ---- moving to a relative -------------------------------------------------------

void CInfoBox::OnSpouseChosen(int index) {
  if (!individual_) return;
  CMarriageNode* chosen = individual_->GetMarriage(index);
  if (!chosen) return;
  if (chosen != marriage_) {
    if (marriage_) marriage_->ReleaseLoadedChildren();
    SetMarriageRef(marriage_, chosen);
    FillMarriage();
    return;
  }
  if (clickPending_) {
    clickTimer_.stop();
    clickPending_ = false;
    MoveToSpouse();
  } else {
    clickPending_ = true;
    clickTimer_.start();
  }
}

void CInfoBox::Post(const InfoBoxMove& move) {
  InfoBoxMove counted;
  SetIndividualRef(counted.shown, move.shown);
  SetIndividualRef(counted.target, move.target);
  SetMarriageRef(counted.marriage, move.marriage);
  counted.kind = move.kind;
  QMetaObject::invokeMethod(
      this, [this] { OnHide(); }, Qt::QueuedConnection);
  emit moveRequested(counted);
}

void CInfoBox::MoveToSpouse() {
  if (!marriage_ || !individual_) return;
  CIndividualNode* partner =
      marriage_->HusbandNode() != individual_ ? marriage_->HusbandNode() : marriage_->WifeNode();
  if (!partner) return;
  Post({individual_, partner, marriage_, 0});
}

void CInfoBox::MoveToChild() {
  if (!marriage_ || !individual_) return;
  CIndividualNode* child = marriage_->GetChild(children_->currentRow());
  if (!child) return;
  Post({individual_, child, marriage_, 1});
}

// ---- input and painting -----------------------------------------------------------

bool CInfoBox::eventFilter(QObject* watched, QEvent* event) {
  const bool spouseField = watched == spouses_;
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      const bool back = key->key() == Qt::Key_Backtab;
      if (spouseField != back) {
        (spouseField ? static_cast<QWidget*>(children_) : spouses_)->setFocus(Qt::TabFocusReason);
      } else {
        m_leftByTab = true;
        if (view_) view_->setFocus(Qt::TabFocusReason);
      }
      return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) return true;
  } else if (event->type() == QEvent::KeyRelease) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      spouseField ? MoveToSpouse() : MoveToChild();
      return true;
    }
  } else if (event->type() == QEvent::FocusOut) {
    emit controlLeft(spouseField ? 1 : 2);
  }
  return fw::CDialogBase::eventFilter(watched, event);
}

void CInfoBox::reject() { emit hideRequested(); }

void CInfoBox::paintEvent(QPaintEvent* event) {
  fw::CDialogBase::paintEvent(event);
  QPainter painter(this);
  const int right = width() - 1, bottom = height() - 1;
  painter.setPen(Qt::white);
  painter.drawLine(0, 0, right, 0);
  painter.drawLine(0, 0, 0, bottom);
  painter.setPen(QColor(0x80, 0x80, 0x80));
  painter.drawLine(right, 0, right, bottom);
  painter.drawLine(0, bottom, right, bottom);
}
