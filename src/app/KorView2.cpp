#include "KorView2.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <algorithm>
#include <span>

#include "AppOptions.h"
#include "AppScreens.h"
#include "CommandIds.h"
#include "DC.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "FamilyViewMenus.h"
#include "FontDescription.h"
#include "IndividualNode.h"
#include "KorApp.h"
#include "KorDoc.h"
#include "MainFrame.h"
#include "MarriageNode.h"
#include "MultimediaChain.h"
#include "Ports.h"
#include "PreferencesPages.h"
#include "QtPorts.h"
#include "QtTextMeasure.h"
#include "StartupTables.h"
#include "StatusPanes.h"
#include "StringIds.h"
#include "StringTable.h"

using namespace shell::famview;

namespace {

constexpr const char* kControlId = "controlId";
constexpr const char* kBitmapId = "bitmapId";

QRect ToQRect(const LRect& r) {
  return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

QColor Color(int colorRef) { return fw::ToQColor(static_cast<fw::ColorRef>(colorRef)); }

// The arrow pictures of the view's buttons: a parent's button points on to
// the ancestors (filled when that parent has parents of his or her own), a
// child's points back to the children's side (filled when the child has a
// marriage), the spouse's button points up to the primary pane.
QIcon ArrowIcon(int bitmap) {
  QPixmap pixmap(32, 40);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ink(0, 0, 128);
  p.setPen(QPen(ink, 2.5));
  QPolygonF arrow;
  bool filled = true;
  switch (bitmap) {
    case kBitmapParentHasParents:
    case kBitmapParentNoParents:
      arrow << QPointF(7, 6) << QPointF(27, 20) << QPointF(7, 34);
      filled = bitmap == kBitmapParentHasParents;
      break;
    case kBitmapSpouse:
      arrow << QPointF(4, 30) << QPointF(16, 8) << QPointF(28, 30);
      break;
    default:
      arrow << QPointF(25, 6) << QPointF(5, 20) << QPointF(25, 34);
      filled = bitmap != kBitmapChildUnmarried;
      break;
  }
  p.setBrush(filled ? QBrush(ink) : QBrush(Qt::white));
  p.drawPolygon(arrow);
  if (bitmap == kBitmapChildMarriedNoChildren) {
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(18, 20), 4, 4);
  }
  return QIcon(pixmap);
}

struct KeyNav {
  int key;
  NavKey nav;
};

// The first entry of keys for key, as out; null when none.
NavKey* Lookup(std::span<const KeyNav> keys, int key, NavKey& out) {
  for (const KeyNav& k : keys)
    if (k.key == key) {
      out = k.nav;
      return &out;
    }
  return nullptr;
}

NavKey* KeyOf(QKeyEvent* event, NavKey& out) {
  static constexpr KeyNav kKeys[] = {
      {Qt::Key_Return, NavKey::kEnter},  {Qt::Key_Enter, NavKey::kEnter},
      {Qt::Key_PageUp, NavKey::kPageUp}, {Qt::Key_PageDown, NavKey::kPageDown},
      {Qt::Key_End, NavKey::kEnd},       {Qt::Key_Home, NavKey::kHome},
      {Qt::Key_Left, NavKey::kLeft},     {Qt::Key_Up, NavKey::kUp},
      {Qt::Key_Right, NavKey::kRight},   {Qt::Key_Down, NavKey::kDown}};
  // The numeric keypad's digits move like the keys printed beside them.
  static constexpr KeyNav kPad[] = {{Qt::Key_9, NavKey::kPageUp}, {Qt::Key_3, NavKey::kPageDown},
                                    {Qt::Key_1, NavKey::kEnd},    {Qt::Key_7, NavKey::kHome},
                                    {Qt::Key_4, NavKey::kLeft},   {Qt::Key_8, NavKey::kUp},
                                    {Qt::Key_6, NavKey::kRight},  {Qt::Key_2, NavKey::kDown}};
  if (NavKey* nav = Lookup(kKeys, event->key(), out)) return nav;
  if (event->modifiers() & Qt::KeypadModifier) return Lookup(kPad, event->key(), out);
  // Letters: the interface language's navigation letters map to F, M, C, S.
  const QString text = event->text().toUpper();
  std::string ansi = text.size() == 1 ? fw::FromQString(text) : std::string();
  char letter = ansi.size() == 1 ? ansi[0] : 0;
  if (letter == 0 && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
    letter = static_cast<char>(event->key());
  if (letter == 0) return nullptr;
  switch (MapNavigationKey(letter)) {
    case 'C':
      out = NavKey::kDescend;
      return &out;
    case 'F':
      out = NavKey::kFather;
      return &out;
    case 'M':
      out = NavKey::kMother;
      return &out;
    case 'S':
      out = NavKey::kSpouse;
      return &out;
    default:
      return nullptr;
  }
}

}  // namespace

CKorView2::CKorView2() {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setObjectName(QString::fromLatin1(kClassName));
  CreateControls();
}

CKorView2::~CKorView2() {
  CKorDoc* document = Document();
  if (model_ && document) {
    std::vector<std::uint32_t>& history = document->m_visitedRins;
    if (!model_->IsLoaded() && history.size() > historyAtStart_)
      history.resize(historyAtStart_);
    else if (!model_->Primary())
      history.clear();
    // The next view starts on the individual selected here.
    std::int32_t rin = 0;
    if (CIndividualNode* focus = model_->FocusIndividual()) {
      rin = focus->GetRin();
    } else if (CMarriageNode* lone = model_->LoneMarriage()) {
      rin = lone->GetHusbandRin() != 0 ? lone->GetHusbandRin() : lone->GetWifeRin();
      if (rin == 0)
        if (CIndividualNode* child = model_->GetPaneContent(kPaneChildren)) rin = child->GetRin();
    }
    document->m_handOverRin = static_cast<std::uint32_t>(rin);
  }
  if (statusSink_ || CKorApp::Instance()) {
    for (std::uintptr_t kind :
         {shell::kPaneRin, shell::kPaneMrin, shell::kPaneMarriages, shell::kPaneChildren}) {
      if (statusSink_)
        statusSink_(kind, shell::kClearPane);
      else if (CMainFrame* frame = CKorApp::Instance()->GetMainFrame())
        frame->OnSetStatusPane(kind, shell::kClearPane);
    }
  }
}

const fw::CRuntimeClass* CKorView2::GetRuntimeClass() const {
  return fw::RuntimeClassOf<CKorView2>();
}

CKorDoc* CKorView2::Document() const { return qobject_cast<CKorDoc*>(GetDocument()); }

const CAppOptions& CKorView2::Options() const {
  if (CKorApp* app = CKorApp::Instance()) return app->m_options;
  static const CAppOptions defaults;
  return defaults;
}

void CKorView2::ApplyOptions() {
  if (!model_) return;
  const CAppOptions& options = Options();
  ViewOptions view;
  view.showZel = options.showZel != 0;
  view.appendVal = options.appendVal;
  view.showSpsBullet = options.showSpsBullet != 0;
  view.multimediaPhoto = plat::Profile().GetInt("Multimedia", "MMFamvwPhoto", 1) != 0;
  model_->SetOptions(view);
}

void CKorView2::OnInitialUpdate() {
  CKorDoc* document = Document();
  static std::vector<std::uint32_t> noHistory;
  model_ = std::make_unique<FamilyViewModel>(
      document ? document->m_visitedRins : noHistory,
      document ? &document->m_fileInfo.settings.lastRin : nullptr);
  ApplyOptions();
  historyAtStart_ = document ? document->m_visitedRins.size() : 0;

  if (CurrentDatabase) {
    std::int32_t rin = document ? static_cast<std::int32_t>(document->m_handOverRin) : 0;
    const std::int32_t mrin = document ? static_cast<std::int32_t>(document->m_handOverMrin) : 0;
    if (rin == 0 && document) {
      const auto& settings = document->m_fileInfo.settings;
      rin = settings.homeRin != 0 ? settings.homeRin : settings.lastRin;
      std::int32_t live = DbGetRIN(std::max(rin, 1), db::kQueryIndividuals, db::kWalkNextOrSame);
      if (live <= 0) live = DbGetRIN(std::max(rin, 1), db::kQueryIndividuals, db::kWalkPrevious);
      rin = live;
    }
    if (rin <= 0 || !model_->ShowIndividual(rin, mrin)) model_->OnShowMessage(0);
  }
  UpdateControls();
  PlaceControls();
  SendStatus();
  update();
}

// ---- what the view shows ----

CIndividualNode* CKorView2::GetPaneContent(int pane, int childIndex) const {
  return model_ ? model_->GetPaneContent(pane, childIndex) : nullptr;
}
CIndividualNode* CKorView2::GetSelectedContent() const {
  return model_ ? model_->GetSelectedContent() : nullptr;
}
CMarriageNode* CKorView2::GetCurrentMarriage() const {
  return model_ ? model_->GetCurrentMarriage() : nullptr;
}
CIndividualNode* CKorView2::GetSpouseOfMarriage(int index) const {
  return model_ ? model_->GetSpouseOfMarriage(index == 0 ? -1 : index) : nullptr;
}
CIndividualNode* CKorView2::GetLastChild() const {
  return model_ ? model_->GetLastChild() : nullptr;
}

std::intptr_t CKorView2::OnGetFocusIndividual(std::uintptr_t wParam) const {
  CIndividualNode* node = model_ ? model_->FocusIndividual() : nullptr;
  if (!node) return 0;
  return wParam == 1 ? reinterpret_cast<std::intptr_t>(node) : node->GetRin();
}

std::intptr_t CKorView2::OnGetFocusMarriage(std::uintptr_t wParam) const {
  if (!model_) return 0;
  CMarriageNode* marriage = wParam == 2 ? model_->GetCurrentMarriage() : model_->FocusMarriage();
  if (!marriage) return 0;
  return wParam == 1 ? reinterpret_cast<std::intptr_t>(marriage) : marriage->GetMrin();
}

void CKorView2::OnShow(std::intptr_t a) {
  if (!model_) return;
  model_->OnShowMessage(a);
  Outcome outcome;
  outcome.familyChanged = true;
  Apply(outcome);
}

void CKorView2::ShowMarriage(std::int32_t mrin) {
  if (!model_ || !model_->ShowMarriage(mrin)) return;
  Outcome outcome;
  outcome.familyChanged = true;
  Apply(outcome);
}

void CKorView2::OnUnlink() {
  CKorApp* app = CKorApp::Instance();
  if (!model_ || !app || !app->CheckEditPassword()) return;
  if (CurrentDatabase->ReadOnly() == CFamilyDatabase::kReadOnly) {
    plat::MessageBox(res::LoadString(res::kIdsReadOnlyDevice), res::LoadString(res::kIdsAppName),
                     plat::kMbOk | plat::kMbIconInformation);
    return;
  }
  const UnlinkPlan plan = model_->PlanUnlink();
  if (plan.relation == 0) return;
  if (plat::MessageBox(res::LoadString(plan.question), res::LoadString(res::kIdsAppName),
                       plat::kMbOkCancel | plat::kMbIconQuestion) != plat::kIdOk)
    return;
  if (DbUnSetRelation(plan.mrin, plan.rin, plan.relation) < 0) return;
  CKorDoc* document = Document();
  if (document && plan.relation == db::kRelChildren &&
      std::ranges::find(document->m_visitedRins, static_cast<std::uint32_t>(plan.rin)) !=
          document->m_visitedRins.end())
    document->m_visitedRins.clear();
  if (document) document->DeleteMarriageIfEmpty(plan.mrin, true);
  DbFlush();
  if (model_->Primary()) {
    OnShow(0);
  } else if (const std::int32_t first = DbGetRIN(1, db::kQueryIndividuals, db::kWalkNextOrSame);
             first > 0) {
    OnShow(first);
  } else {
    model_->Clear();
    OnShow(0);
  }
}

void CKorView2::OnOtherMarriages() {
  CIndividualNode* primary = model_ ? GetPaneContent(0) : nullptr;
  if (primary == nullptr || !AppScreens().otherMarriages) return;
  const int chosen =
      AppScreens().otherMarriages(this, primary->GetRin(), model_->CurrentMarriageIndex());
  if (chosen >= 0 && chosen != model_->CurrentMarriageIndex() &&
      model_->ShowOtherMarriage(chosen)) {
    Outcome outcome;
    outcome.familyChanged = true;
    Apply(outcome);
  }
  setFocus();
}

void CKorView2::OnSpouseOrder() {
  CIndividualNode* primary = model_ ? GetPaneContent(0) : nullptr;
  if (primary == nullptr || !AppScreens().spouseOrder) return;
  const std::int32_t mrin =
      AppScreens().spouseOrder(this, primary->GetRin(), model_->CurrentMarriageIndex());
  if (mrin > 0 && model_->ShowReorderedMarriage(mrin)) {
    UpdateControls();
    SendStatus();
    update();
  }
  setFocus();
}

void CKorView2::OnOtherParents() {
  if (!model_ || !model_->Primary()) return;
  // The parents command works on the primary individual.
  Apply(model_->Click(kPanePrimary));
  CKorApp* app = CKorApp::Instance();
  CMainFrame* frame = app ? app->GetMainFrame() : nullptr;
  QAction* action = frame ? frame->CommandAction(shell::kIdAddParents) : nullptr;
  if (action) {
    if (app) app->UpdateCommandStates();
    if (action->isEnabled()) action->trigger();
  }
  setFocus();
}

bool CKorView2::OnCommand(unsigned id) {
  if (!model_) return false;
  if (id == kCmdMoveToPrimary) {
    Outcome outcome;
    outcome.familyChanged = model_->MoveToPrimary();
    Apply(outcome);
    setFocus();
    return true;
  }
  return false;
}

bool CKorView2::KeepsHistoryOnSwitch() const {
  if (!model_) return false;
  const int pane = model_->SelectedPane();
  return (pane == kPaneFather || pane == kPaneMother || pane == kPaneChildren) &&
         model_->GetSelectedContent() != nullptr;
}

// ---- status bar and controls ----

void CKorView2::SendStatus() {
  if (!model_) return;
  const StatusValues status = model_->Status();
  // The free-text pane: the selected person's kinship term, as the pedigree
  // view shows it (the help prompt for the marriage pane).
  if (!statusSink_)
    if (CKorApp* app = CKorApp::Instance())
      app->ShowIndividualInStatusBar(status.rin >= 0 ? model_->GetSelectedContent() : nullptr, -1);
  auto send = [this](std::uintptr_t kind, std::intptr_t value) {
    if (statusSink_) {
      statusSink_(kind, value);
    } else if (CKorApp* app = CKorApp::Instance()) {
      if (CMainFrame* frame = app->GetMainFrame()) frame->OnSetStatusPane(kind, value);
    }
  };
  send(shell::kPaneRin, status.rin);
  send(shell::kPaneMrin, status.mrin);
  send(shell::kPaneMarriages, status.marriages);
  send(shell::kPaneChildren, status.children);
}

void CKorView2::CreateControls() {
  auto arrow = [this](int id) {
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    button->setProperty(kControlId, id);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    button->hide();
    return button;
  };
  parentButtons_[0] = arrow(kIdFatherButton);
  parentButtons_[1] = arrow(kIdMotherButton);
  spouseButton_ = arrow(kIdSpouseButton);
  for (int row = 0; row < kChildRows; ++row) childButtons_[row] = arrow(kIdFirstChildButton + row);

  auto push = [this](int id, unsigned textId) {
    auto* button = new QPushButton(fw::ToQString(res::LoadString(textId)), this);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    button->setProperty(kControlId, id);
    button->setFocusPolicy(Qt::NoFocus);
    // Alt+M and Alt+P are the frame's keys for these two commands: the
    // captions keep their marked letters, the buttons do not take the keys.
    button->setShortcut(QKeySequence());
    button->hide();
    return button;
  };
  otherParents_ = push(kIdOtherParents, res::kIdsOtherParents);
  otherMarriages_ = push(kIdOtherMarriages, res::kIdsOtherMarriagesButton);
  connect(otherParents_, &QPushButton::clicked, this, &CKorView2::OnOtherParents);
  connect(otherMarriages_, &QPushButton::clicked, this, &CKorView2::OnSpouseOrder);

  scrollBar_ = new QScrollBar(Qt::Vertical, this);
  scrollBar_->setObjectName(QStringLiteral("scrollBar%1").arg(kIdChildScrollBar));
  scrollBar_->setProperty(kControlId, kIdChildScrollBar);
  scrollBar_->setFocusPolicy(Qt::NoFocus);
  scrollBar_->hide();

  auto move = [this](std::function<bool()> step) {
    if (!model_) return;
    Outcome outcome;
    outcome.familyChanged = step();
    Apply(outcome);
    setFocus();
  };
  connect(parentButtons_[0], &QToolButton::clicked, this,
          [this, move] { move([this] { return model_->MoveToFather(); }); });
  connect(parentButtons_[1], &QToolButton::clicked, this,
          [this, move] { move([this] { return model_->MoveToMother(); }); });
  connect(spouseButton_, &QToolButton::clicked, this,
          [this, move] { move([this] { return model_->MoveToSpouse(); }); });
  for (int row = 0; row < kChildRows; ++row)
    connect(childButtons_[row], &QToolButton::clicked, this, [this, move, row] {
      move([this, row] { return model_->MoveToChild(model_->Children().FirstRow() + row); });
    });
  connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) {
    if (updatingScrollBar_ || !model_) return;
    Apply(model_->Scroll(ScrollAction::kThumbPosition, value));
  });
}

void CKorView2::PlaceControls() {
  const Mapping map(width(), height());
  if (map.IsEmpty()) return;
  auto place = [&map](QWidget* widget, const LRect& logical, int shiftX = 0) {
    const LRect r = map.ToDevice(logical);
    widget->setGeometry(r.left + shiftX, r.top, std::max(1, r.Width()), std::max(1, r.Height()));
  };
  place(parentButtons_[0], ControlPlace(kIdFatherButton));
  place(parentButtons_[1], ControlPlace(kIdMotherButton));
  place(spouseButton_, ControlPlace(kIdSpouseButton));
  for (int row = 0; row < kChildRows; ++row)
    place(childButtons_[row], ControlPlace(kIdFirstChildButton + row), -2);
  for (QAbstractButton* b : {static_cast<QAbstractButton*>(parentButtons_[0]),
                             static_cast<QAbstractButton*>(parentButtons_[1]),
                             static_cast<QAbstractButton*>(spouseButton_)})
    static_cast<QToolButton*>(b)->setIconSize(b->size() - QSize(2, 2));
  for (QToolButton* b : childButtons_) b->setIconSize(b->size() - QSize(2, 2));

  // The push buttons' small font: 8 units high.
  QFont small(QStringLiteral("MS Sans Serif"));
  small.setPixelSize(std::max(6, map.Y(8) * 3 / 2));
  otherParents_->setFont(small);
  otherMarriages_->setFont(small);
  place(otherParents_, ControlPlace(kIdOtherParents));
  place(otherMarriages_, ControlPlace(kIdOtherMarriages));

  const LRect bar = map.ToDevice(kScrollBarPlace);
  const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  scrollBar_->setGeometry(bar.left, bar.top, barWidth, std::max(1, bar.Height()));
}

void CKorView2::UpdateControls() {
  auto show = [this](QAbstractButton* button, int id) {
    const bool shown = model_ && model_->ControlShown(id);
    const int bitmap = shown ? model_->ControlBitmap(id) : 0;
    if (bitmap != 0 && button->property(kBitmapId).toInt() != bitmap) {
      button->setIcon(ArrowIcon(bitmap));
      button->setProperty(kBitmapId, bitmap);
    }
    button->setVisible(shown);
  };
  otherParents_->setEnabled(true);
  otherMarriages_->setEnabled(static_cast<bool>(AppScreens().spouseOrder));
  show(parentButtons_[0], kIdFatherButton);
  show(parentButtons_[1], kIdMotherButton);
  show(spouseButton_, kIdSpouseButton);
  show(otherParents_, kIdOtherParents);
  show(otherMarriages_, kIdOtherMarriages);
  for (int row = 0; row < kChildRows; ++row) show(childButtons_[row], kIdFirstChildButton + row);

  const bool bar = model_ && model_->ControlShown(kIdChildScrollBar);
  updatingScrollBar_ = true;
  if (bar) {
    const ChildCursor& cursor = model_->Children();
    // Qt's range ends where the last page starts.
    scrollBar_->setRange(0, cursor.ScrollRangeMax() + 1 - ChildCursor::kScrollPage);
    scrollBar_->setPageStep(ChildCursor::kScrollPage);
    scrollBar_->setValue(cursor.FirstRow());
  }
  updatingScrollBar_ = false;
  scrollBar_->setVisible(bar);
}

void CKorView2::Apply(const Outcome& outcome) {
  if (outcome.familyChanged || outcome.selectionChanged || outcome.scrolled) {
    UpdateControls();
    update();
    SendStatus();
    // The toolbar's buttons and the keys follow the focus just shown.
    if (CKorApp* app = CKorApp::Instance()) app->UpdateCommandStates();
  }
  if (outcome.command != 0) RunFrameCommand(outcome.command);
}

void CKorView2::RunFrameCommand(unsigned id) {
  // The view's own edit and add commands run the frame's, which act on the
  // selected pane; Move to Primary is the view's own (OnCommand).
  switch (id) {
    case kCmdEditMarriage:
      id = shell::kIdEditMarriage;
      break;
    case kCmdAddFather:
      id = shell::kIdAddFather;
      break;
    case kCmdAddMother:
      id = shell::kIdAddMother;
      break;
    case kCmdAddSpouse:
      id = shell::kIdAddSpouse;
      break;
    case kCmdAddChild:
      id = shell::kIdAddChild;
      break;
    case kCmdEditIndividualFrame:
    case kCmdAddIndividualFrame:
    case kCmdHomePerson:
      break;
    default:
      return;
  }
  CKorApp* app = CKorApp::Instance();
  CMainFrame* frame = app ? app->GetMainFrame() : nullptr;
  QAction* action = frame ? frame->CommandAction(id) : nullptr;
  if (!action) return;
  // The states follow the selection just made.
  app->UpdateCommandStates();
  if (action->isEnabled()) action->trigger();
}

// ---- input ----

void CKorView2::resizeEvent(QResizeEvent* event) {
  fw::CView::resizeEvent(event);
  PlaceControls();
}

void CKorView2::focusInEvent(QFocusEvent* event) {
  fw::CView::focusInEvent(event);
  SendStatus();
}

void CKorView2::mousePressEvent(QMouseEvent* event) {
  setFocus();
  if (!model_ || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)) return;
  const Mapping map(width(), height());
  const QPoint at = event->position().toPoint();
  const int pane = map.PaneAt(at.x(), at.y());
  if (pane < 0) return;
  const int row = pane == kPaneChildren ? ChildRowAt(map.LogicalY(at.y())) : -1;
  Apply(model_->Click(pane, row));
}

void CKorView2::mouseReleaseEvent(QMouseEvent* event) {
  if (!model_ || event->button() != Qt::RightButton) return;
  const Mapping map(width(), height());
  const QPoint at = event->position().toPoint();
  if (map.PaneAt(at.x(), at.y()) < 0) return;
  ShowContextMenu(event->globalPosition().toPoint());
}

void CKorView2::ShowContextMenu(QPoint global) {
  if (!model_ || !CurrentDatabase) return;
  const bool readOnly = CurrentDatabase->ReadOnly() == CFamilyDatabase::kReadOnly;
  const PaneMenu decided = MenuForPane(SelectedPaneFacts(*model_, readOnly));
  CKorApp* app = CKorApp::Instance();
  CMainFrame* frame = app ? app->GetMainFrame() : nullptr;
  if (decided.menu == 0 || !frame) return;
  // The states follow the selection the button just made.
  app->UpdateCommandStates();
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("menu%1_%2").arg(decided.menu).arg(decided.subMenu));
  for (const MenuEntry& entry : decided.entries) {
    QAction* command = frame->CommandAction(entry.command);
    if (!command) continue;
    // An entry of its own, so that greying it leaves the main menu alone;
    // it runs the frame's command.
    QAction* item = menu.addAction(command->icon(), QString::fromUtf8(MenuText(entry.command)));
    item->setObjectName(QStringLiteral("command%1").arg(entry.command));
    item->setEnabled(!entry.greyed && command->isEnabled());
    connect(item, &QAction::triggered, command, &QAction::trigger);
  }
  if (!menu.isEmpty()) menu.exec(global);
  setFocus();
}

void CKorView2::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!model_ || event->button() != Qt::LeftButton) return;
  const Mapping map(width(), height());
  const QPoint at = event->position().toPoint();
  const int pane = map.PaneAt(at.x(), at.y());
  if (pane < 0) return;
  const int row = pane == kPaneChildren ? ChildRowAt(map.LogicalY(at.y())) : -1;
  Apply(model_->Click(pane, row));
  Apply(model_->DoubleClick(event->modifiers() & Qt::ControlModifier));
}

void CKorView2::keyPressEvent(QKeyEvent* event) {
  if (!model_) return fw::CView::keyPressEvent(event);
  const QString text = event->text();
  if (text == QLatin1String("+") || text == QLatin1String("-")) {
    Apply(model_->ShowAdjacentMarriage(text == QLatin1String("+")));
    return;
  }
  NavKey key;
  if (!KeyOf(event, key)) return fw::CView::keyPressEvent(event);
  if (key == NavKey::kDescend && AppScreens().descendancyList) {
    const std::int32_t start = model_->DescendListStart(
        [](int children) { return shell::DescendThroughList(plat::Profile(), children); });
    if (start > 0) {
      const std::int32_t chosen = AppScreens().descendancyList(this, start);
      if (chosen > 0) OnShow(chosen);
      return;
    }
  }
  Apply(model_->HandleKey(key, event->modifiers() & Qt::ControlModifier));
}

// ---- painting ----

QFont CKorView2::PaneFont(const Mapping& map) const {
  std::string face;
  int size = 0, weight = 400, italic = 0;
  ParseFontDescription(Options().fonts[kFontPedSized], face, size, weight, italic);
  QFont font(fw::ToQString(face));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 100, 900)));
  font.setItalic(italic != 0);
  const int height = PaneFontHeight(map.X(kLogicalWidth), map.Y(kLogicalHeight));
  font.setPixelSize(std::max(1, map.Y(height)));
  return font;
}

void CKorView2::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Render(painter, size());
}

void CKorView2::Render(QPainter& p, QSize size) {
  const CAppOptions& options = Options();
  p.fillRect(QRect(QPoint(0, 0), size), Color(options.colorBackground));
  const Mapping map(size.width(), size.height());
  if (map.IsEmpty() || !model_ || !CurrentDatabase) return;

  p.setFont(PaneFont(map));
  p.setPen(Color(options.colorNameText));
  // Captions.
  const QFontMetrics metrics(p.font());
  for (const Caption& caption : kCaptions) {
    if (caption.zelOnly && !model_->Options().showZel) continue;
    const QString text = fw::ToQString(res::LoadString(caption.stringId));
    int x = map.X(caption.x);
    if (caption.centred) x -= metrics.horizontalAdvance(text) / 2;
    p.drawText(x, map.Y(caption.y) + metrics.ascent(), text);
  }
  // Lines.
  p.setPen(QPen(Qt::black, 0));
  p.drawLine(map.X(kPrimaryLine[0].x), map.Y(kPrimaryLine[0].y), map.X(kPrimaryLine[1].x),
             map.Y(kPrimaryLine[1].y));
  for (std::size_t i = 1; i < std::size(kParentsBracket); ++i)
    p.drawLine(map.X(kParentsBracket[i - 1].x), map.Y(kParentsBracket[i - 1].y),
               map.X(kParentsBracket[i].x), map.Y(kParentsBracket[i].y));

  for (int pane : {kPanePrimary, kPaneSpouse, kPaneFather, kPaneMother})
    PaintIndividualPane(p, map, pane);
  PaintMarriagePane(p, map);
  PaintChildrenPane(p, map);
}

void CKorView2::PaintMarks(QPainter& p, const Mapping& map, int right, int top, bool notes,
                           bool multimedia, const QColor& color) {
  if (notes) {
    QPolygon triangle;
    triangle << QPoint(map.X(right - 9), map.Y(top + 1)) << QPoint(map.X(right - 1), map.Y(top + 1))
             << QPoint(map.X(right - 1), map.Y(top + 7));
    p.setPen(color);
    p.setBrush(color);
    p.drawPolygon(triangle);
  }
  if (multimedia) {
    const QRect square(QPoint(map.X(right - 5), map.Y(top + 1)),
                       QPoint(map.X(right - 1) - 1, map.Y(top + 4) - 1));
    if (notes) {
      p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      p.fillRect(square, Qt::white);
      p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    } else {
      p.fillRect(square, color);
    }
  }
  p.setBrush(Qt::NoBrush);
}

void CKorView2::PaintIndividualPane(QPainter& p, const Mapping& map, int pane) {
  const CAppOptions& options = Options();
  const bool selected = model_->SelectedPane() == pane;
  const QColor back =
      Color(selected ? options.colorSelectedNameBackground : options.colorNameBackground);
  const QColor ink = Color(selected ? options.colorSelectedNameText : options.colorNameText);
  const LRect paneRect = kPaneRects[pane];
  const LRect device = map.ToDevice(paneRect);
  p.fillRect(ToQRect(device), back);
  p.setPen(QPen(Qt::black, 0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(ToQRect(device).adjusted(0, 0, -1, -1));

  LRect textRect = paneRect.Shrunk(4, 3);
  LRect photo{};
  if (pane == kPanePrimary && model_->HasPhotoArea()) {
    const int sixth = paneRect.Width() / 6;
    photo = {paneRect.right - sixth, textRect.top, paneRect.right - 4, textRect.bottom};
    textRect.right -= sixth;
  }
  const LRect textDevice = map.ToDevice(textRect);
  const fw::QtTextMeasure measure(p.font(), p.device());
  const PaneText text = model_->IndividualPaneText(pane, &measure, textDevice.Width());
  if (!text.empty) {
    p.setPen(ink);
    p.save();
    p.setClipRect(ToQRect(textDevice));
    const QFontMetrics metrics(p.font());
    int y = textDevice.top;
    for (const std::string& line : text.lines) {
      p.drawText(textDevice.left, y + metrics.ascent(), fw::ToQString(line));
      y += metrics.height();
    }
    p.restore();
  }
  if (photo.Width() > 0) PaintPhoto(p, ToQRect(map.ToDevice(photo)), ink);
  PaintMarks(p, map, paneRect.right, paneRect.top, text.notesMark, text.multimediaMark, ink);
}

void CKorView2::PaintPhoto(QPainter& p, const QRect& area, const QColor& ink) {
  const CIndividualNode* primary = model_->Primary();
  CMultimediaList items =
      primary ? DbGetDefaultMultimedia(primary->GetRin(), db::kIndividual) : nullptr;
  const CMultimediaItem* item =
      items && items->kind == CMultimediaItem::kPhoto ? items.get() : nullptr;
  if (!item) {
    photo_.Free();
    photoKey_.clear();
  } else {
    const std::string key = item->GetFullPath() + "|" + std::to_string(item->cropLeft) + "," +
                            std::to_string(item->cropTop) + "," + std::to_string(item->cropRight) +
                            "," + std::to_string(item->cropBottom) + "|" +
                            std::to_string(item->GetRotation()) + std::to_string(item->GetFlip()) +
                            "|" + std::to_string(area.width()) + "x" +
                            std::to_string(area.height());
    if (key != photoKey_) {
      photoKey_ = key;
      QApplication::setOverrideCursor(Qt::WaitCursor);
      const QSize size = area.size();
      // Quietly: a box from inside painting would paint again beneath it.
      if (photo_.LoadFile(item->GetFullPath(), item->GetSubName(), item->recordNumber, &size,
                          false)) {
        photo_.SetEdits(*item);
        photo_.ApplyEdits();
        QRect fitted = area;
        photo_.FitToRect(fitted, 2);
        photo_.Resize(fitted.width(), fitted.height());
      }
      QApplication::restoreOverrideCursor();
    }
  }
  QRect frame = area;
  if (photo_.IsLoaded()) {
    photo_.FitToRect(frame, 2);
    photo_.DrawAt(p, frame.left(), frame.top());
  }
  p.setPen(QPen(ink, 0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(frame.adjusted(0, 0, -1, -1));
}

void CKorView2::PaintMarriagePane(QPainter& p, const Mapping& map) {
  const CAppOptions& options = Options();
  const bool selected = model_->SelectedPane() == kPaneMarriage;
  // Without a marriage the strip shows only while it is selected.
  if (!selected && !model_->GetCurrentMarriage()) return;
  const LRect device = map.ToDevice(kPaneRects[kPaneMarriage]);
  p.fillRect(ToQRect(device),
             Color(selected ? options.colorSelectedNameBackground : options.colorNameBackground));
  const LRect text = map.ToDevice(kPaneRects[kPaneMarriage].Shrunk(4, 3));
  const fw::QtTextMeasure measure(p.font(), p.device());
  const std::string line = model_->MarriagePaneText(&measure, text.Width());
  if (line.empty()) return;
  p.setPen(Color(selected ? options.colorSelectedNameText : options.colorNameText));
  p.save();
  p.setClipRect(ToQRect(text));
  p.drawText(text.left, text.top + QFontMetrics(p.font()).ascent(), fw::ToQString(line));
  p.restore();
}

void CKorView2::PaintChildrenPane(QPainter& p, const Mapping& map) {
  const CAppOptions& options = Options();
  const LRect pane = map.ToDevice(kPaneRects[kPaneChildren]);
  p.fillRect(ToQRect(pane), Color(options.colorNameBackground));
  p.setPen(QPen(Qt::black, 0));
  p.drawRect(ToQRect(pane).adjusted(0, 0, -1, -1));

  const bool paneSelected = model_->SelectedPane() == kPaneChildren;
  const ChildCursor& cursor = model_->Children();
  const QFontMetrics metrics(p.font());
  const fw::QtTextMeasure measure(p.font(), p.device());
  if (cursor.Count() == 0 && paneSelected) {
    const ChildColumns c = ChildRowColumns(0);
    p.fillRect(ToQRect(map.ToDevice(c.fill)), Color(options.colorSelectedNameBackground));
    return;
  }
  for (int row = 0; row < kChildRows; ++row) {
    const int index = cursor.FirstRow() + row;
    if (index >= cursor.Count()) break;
    const ChildColumns c = ChildRowColumns(row);
    const bool current = paneSelected && index == cursor.Current();
    const QColor back =
        Color(current ? options.colorSelectedNameBackground : options.colorNameBackground);
    const QColor ink = Color(current ? options.colorSelectedNameText : options.colorNameText);
    p.fillRect(ToQRect(map.ToDevice(c.fill)), back);

    const LRect text = map.ToDevice(c.text);
    const LRect birth = map.ToDevice(c.birth);
    const int nameWidth = map.X(c.nameWidth);
    const ChildRowText row_text = model_->ChildRow(index, &measure, nameWidth, birth.Width());
    const int baseline = text.top + (text.Height() - metrics.height()) / 2 + metrics.ascent();
    p.setPen(ink);
    p.save();
    p.setClipRect(ToQRect(text));
    p.drawText(text.left, baseline, fw::ToQString(row_text.number));
    p.drawText(map.X(c.text.left + c.nameTab), baseline, fw::ToQString(row_text.name));
    const QString born = fw::ToQString(row_text.birth);
    p.drawText(birth.right - metrics.horizontalAdvance(born), baseline, born);
    p.drawText(map.X(c.parentLink.left), baseline, fw::ToQString(row_text.parentLink));
    if (model_->Options().showZel) {
      const QStringList columns = fw::ToQString(row_text.ordinances).split(QLatin1Char('\t'));
      for (int i = 0; i < columns.size(); ++i)
        p.drawText(map.X(c.ordinances.left + i * c.ordinanceTab), baseline, columns[i]);
    }
    p.restore();
    PaintMarks(p, map, c.fill.right, c.fill.top, row_text.notesMark, row_text.multimediaMark, ink);
  }
}
