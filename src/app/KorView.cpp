#include "KorView.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QToolButton>

#include "AddRelatives.h"
#include "AppOptions.h"
#include "AppScreens.h"
#include "CommandIds.h"
#include "DC.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "FontDescription.h"
#include "KorApp.h"
#include "KorDoc.h"
#include "MarriageNode.h"
#include "Ports.h"
#include "PreferencesPages.h"
#include "QtPorts.h"
#include "QtTextMeasure.h"
#include "StartupTables.h"

namespace pd = shell::pedigree;

namespace {

// Text widths in logical units for fitting names to the boxes.
class LogicalTextMeasure : public plat::TextMeasure {
 public:
  LogicalTextMeasure(const QFont& font, const pd::Mapping& mapping)
      : inner_(font), mapping_(mapping) {}
  int TextWidth(std::string_view text) const override {
    return mapping_.WidthToLogical(inner_.TextWidth(text));
  }
  int AverageCharWidth() const override {
    return mapping_.WidthToLogical(inner_.AverageCharWidth());
  }
  int PixelsPerInchY() const override { return inner_.PixelsPerInchY(); }

 private:
  fw::QtTextMeasure inner_;
  pd::Mapping mapping_;
};

QColor Color(int colorRef) { return fw::ToQColor(static_cast<fw::ColorRef>(colorRef)); }

QRect ToQRect(const pd::Rect& r) {
  return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

// The navigation key of a key event, or false for other keys.
bool NavKeyOf(const QKeyEvent* event, pd::NavKey& key) {
  const bool keypad = event->modifiers() & Qt::KeypadModifier;
  switch (event->key()) {
    case Qt::Key_PageUp:
      key = pd::NavKey::kFather;
      return true;
    case Qt::Key_PageDown:
      key = pd::NavKey::kMother;
      return true;
    case Qt::Key_End:
      key = pd::NavKey::kLast;
      return true;
    case Qt::Key_Home:
      key = pd::NavKey::kRoot;
      return true;
    case Qt::Key_Left:
      key = pd::NavKey::kChild;
      return true;
    case Qt::Key_Up:
      key = pd::NavKey::kPrevious;
      return true;
    case Qt::Key_Right:
      key = pd::NavKey::kFatherOrMother;
      return true;
    case Qt::Key_Down:
      key = pd::NavKey::kNext;
      return true;
    default:
      break;
  }
  if (keypad) {
    switch (event->key()) {
      case Qt::Key_9:
        key = pd::NavKey::kFather;
        return true;
      case Qt::Key_3:
        key = pd::NavKey::kMother;
        return true;
      case Qt::Key_1:
        key = pd::NavKey::kLast;
        return true;
      case Qt::Key_7:
        key = pd::NavKey::kRoot;
        return true;
      case Qt::Key_4:
        key = pd::NavKey::kChild;
        return true;
      case Qt::Key_8:
        key = pd::NavKey::kPrevious;
        return true;
      case Qt::Key_6:
        key = pd::NavKey::kFatherOrMother;
        return true;
      case Qt::Key_2:
        key = pd::NavKey::kNext;
        return true;
      default:
        return false;
    }
  }
  // The interface language's letters for father, mother and child.
  const QString text = event->text().toUpper();
  if (text.size() != 1 || text[0].unicode() > 0xFF) return false;
  switch (MapNavigationKey(static_cast<char>(text[0].unicode()))) {
    case 'F':
      key = pd::NavKey::kFather;
      return true;
    case 'M':
      key = pd::NavKey::kMother;
      return true;
    case 'C':
      key = pd::NavKey::kChild;
      return true;
    default:
      return false;
  }
}

}  // namespace

CKorView::CKorView() {
  setObjectName(QStringLiteral("CKorView"));
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  infoBox_ = new CInfoBox(this);
  connect(infoBox_, &CInfoBox::hideRequested, this, &CKorView::OnHideInfoBox, Qt::QueuedConnection);
  connect(infoBox_, &CInfoBox::moveRequested, this, &CKorView::OnInfoBoxMove, Qt::QueuedConnection);
  connect(infoBox_, &CInfoBox::controlLeft, this, &CKorView::OnInfoBoxControl);
  hoverTimer_.setSingleShot(true);
  connect(&hoverTimer_, &QTimer::timeout, this, &CKorView::OnHoverTimer);

  for (int i = 0; i < pd::kButtonCount; ++i) {
    auto* button = new QToolButton(this);
    button->setArrowType(i == 0 ? Qt::LeftArrow : Qt::RightArrow);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    button->setProperty(fw::kControlIdProperty, pd::kIdDescendButton + i);
    button->setObjectName(QStringLiteral("ctl%1").arg(pd::kIdDescendButton + i));
    button->hide();
    button->setEnabled(false);
    if (i == 0)
      connect(button, &QToolButton::clicked, this, &CKorView::OnDescend);
    else
      connect(button, &QToolButton::clicked, this, [this, i] { OnArrowButton(i); });
    buttons_[i] = button;
  }
}

CKorView::~CKorView() {
  hoverTimer_.stop();
  if (CKorDoc* document = GetDocument()) {
    document->m_handOverRin = static_cast<std::uint32_t>(GetCurrentIndividual(0));
    document->m_handOverMrin = static_cast<std::uint32_t>(GetCurrentMarriage(0));
  }
  infoBox_->OnViewDestroyed();
  delete infoBox_;
  moveRecord_.Release();
  tree_.Clear();
}

const fw::CRuntimeClass* CKorView::GetRuntimeClass() const {
  return fw::RuntimeClassOf<CKorView>();
}

CKorDoc* CKorView::GetDocument() const { return qobject_cast<CKorDoc*>(fw::CView::GetDocument()); }

CAppOptions& CKorView::DefaultOptions() {
  static CAppOptions defaults;
  return defaults;
}

const CAppOptions* CKorView::Options() const {
  CKorApp* app = CKorApp::Instance();
  return app ? &app->m_options : &DefaultOptions();
}

void CKorView::OnInitialUpdate() {
  std::int32_t rin = 0;
  if (CKorDoc* document = GetDocument()) {
    rin = static_cast<std::int32_t>(document->m_handOverRin);
    if (rin == 0) {
      const auto& settings = document->m_fileInfo.settings;
      rin = settings.homeRin != 0 ? settings.homeRin : settings.lastRin;
    }
  }
  std::int32_t live = DbGetRIN(rin, db::kQueryIndividuals, db::kWalkNextOrSame);
  if (live == 0) live = DbGetRIN(rin, db::kQueryIndividuals, db::kWalkPrevious);
  OnSetPendingRin(live);
  PostShowIndividual(4, 2);
}

// ---- accessors ------------------------------------------------------------------

namespace {

// The box a current-box value stands for: 100 is box 0, values above it the
// box plus 100.
int BoxOfCursor(int current) {
  if (current == 100) return 0;
  return current > 100 ? current - 100 : current;
}

// The commands (menus, toolbar, keys) follow the current box.
void FollowCommands() {
  if (CKorApp* app = CKorApp::Instance()) app->UpdateCommandStates();
}

}  // namespace

std::intptr_t CKorView::GetCurrentIndividual(int asNode) const {
  CIndividualNode* node = tree_.Box(BoxOfCursor(current_));
  if (!node) return 0;
  return asNode ? reinterpret_cast<std::intptr_t>(node) : node->GetRin();
}

std::intptr_t CKorView::GetCurrentMarriage(int asNode) const {
  auto* node = reinterpret_cast<CIndividualNode*>(GetCurrentIndividual(1));
  const CIndividualLinks* links = node ? node->GetLinks() : nullptr;
  CMarriageNode* marriage = links ? links->currentMarriage : nullptr;
  if (!marriage) return 0;
  return asNode ? reinterpret_cast<std::intptr_t>(marriage) : marriage->GetMrin();
}

int CKorView::AddTargetBox() const {
  return pendingRelativeBox_ != pd::kNoBox ? pendingRelativeBox_ : BoxOfCursor(current_);
}

std::int32_t CKorView::AddTargetRin() const { return tree_.RinOf(AddTargetBox()); }

std::int32_t CKorView::AddTargetParentsMrin() const {
  const CIndividualNode* node = tree_.Box(AddTargetBox());
  const CMarriageNode* parents = node ? node->GetParents() : nullptr;
  return parents ? parents->GetMrin() : 0;
}

bool CKorView::CanAddParent(bool father) const {
  const int box = AddTargetBox();
  // The last generation's parents are not on the chart: the file says.
  const bool fileSlotFree =
      box >= pd::kFirstLastGeneration && tree_.Box(box) &&
      addrelative::CanAddParent(tree_.RinOf(box), AddTargetParentsMrin(), father);
  return pd::CanAddParentAt(tree_.Occupied(), box, father, fileSlotFree);
}

QRect CKorView::BoxDeviceRect(int box) const {
  const pd::Mapping mapping(width(), height());
  return ToQRect(mapping.ToDevice(pd::BoxRect(box)));
}

// ---- painting -------------------------------------------------------------------

void CKorView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const CAppOptions& options = *Options();
  painter.fillRect(rect(), Color(options.colorBackground));
  const pd::Mapping mapping(width(), height());
  if (mapping.IsEmpty() || !CurrentDatabase->IsOpen()) return;

  std::string face;
  int size = 0, weight = 400, italic = 0;
  ParseFontDescription(options.fonts[kFontPedSized], face, size, weight, italic);
  QFont font(fw::ToQString(face));
  font.setPixelSize(std::max(1, mapping.FontPixelHeight()));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 100, 900)));
  font.setItalic(italic != 0);
  painter.setFont(font);
  if (refit_) {
    const LogicalTextMeasure measure(font, mapping);
    tree_.RefitNames(GetNodeOptions().appendVal, &measure);
    refit_ = false;
  }

  // The generation labels.
  const CKorDoc* document = GetDocument();
  const auto labels = pd::HeaderLabels(document ? document->m_visitedRins.size() : 0);
  painter.fillRect(ToQRect(mapping.ToDevice(pd::Rect{pd::kHeaderLeft, pd::kHeaderTop,
                                                     pd::kHeaderRight, pd::kHeaderBottom})),
                   Color(options.colorBackground));
  painter.setPen(Qt::black);
  for (int g = 0; g < pd::kGenerationCount; ++g) {
    const pd::Point at = mapping.ToDevice(pd::Point{pd::HeaderLabelX(g), pd::kHeaderLabelY});
    painter.drawText(QRect(at.x, at.y, width(), height()), Qt::AlignLeft | Qt::AlignTop,
                     fw::ToQString(labels[g]));
  }

  // The lines, behind the boxes.
  painter.setPen(QPen(Qt::black, 0));
  for (const pd::Line& line : pd::ConnectingLines()) {
    const pd::Point a = mapping.ToDevice(line.from), b = mapping.ToDevice(line.to);
    painter.drawLine(a.x, a.y, b.x, b.y);
  }

  const QPalette pal = palette();
  for (int box = 0; box < pd::kBoxCount; ++box) {
    const QRect r = ToQRect(mapping.ToDevice(pd::BoxRect(box)));
    QColor back = Color(options.colorNameBackground), text = Color(options.colorNameText);
    if (box == selected_) {
      back = pal.color(QPalette::Active, QPalette::Highlight);
      text = pal.color(QPalette::Active, QPalette::HighlightedText);
    } else if (box == current_) {
      back = Color(options.colorSelectedNameBackground);
      text = Color(options.colorSelectedNameText);
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(back);
    painter.drawRect(r);
    painter.setBrush(Qt::NoBrush);
    if (box == selected_ && options.selectOpt == 2 && focusFlag_) {
      QPen dotted(text, 0, Qt::DotLine);
      painter.setPen(dotted);
      painter.drawRect(r.adjusted(1, 1, -1, -1));
    }
    const CIndividualNode* node = tree_.Box(box);
    if (!node) continue;
    const int inset = mapping.ToDevice(pd::Point{4, 0}).x;
    painter.setPen(text);
    painter.save();
    painter.setClipRect(r.adjusted(1, 1, -1, -1));
    painter.drawText(r.adjusted(inset, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     fw::ToQString(node->GetDisplayName()));
    painter.restore();
    if (box == selected_ || box == current_) ReportStatus(box);

    // The marks in the top-right corner: notes, then multimedia.
    const pd::Rect lr = pd::BoxRect(box);
    const bool notes = tree_.HasNotesMark(box);
    if (notes) {
      const pd::Point p1 = mapping.ToDevice(pd::Point{lr.right - 9, lr.top - 1});
      const pd::Point p2 = mapping.ToDevice(pd::Point{lr.right - 2, lr.top - 1});
      const pd::Point p3 = mapping.ToDevice(pd::Point{lr.right - 2, lr.top - 7});
      painter.setPen(text);
      painter.setBrush(text);
      painter.drawPolygon(QPolygon({QPoint(p1.x, p1.y), QPoint(p2.x, p2.y), QPoint(p3.x, p3.y)}));
      painter.setBrush(Qt::NoBrush);
    }
    if (tree_.HasMultimediaMark(box)) {
      const QRect square =
          ToQRect(mapping.ToDevice(pd::Rect{lr.right - 5, lr.top - 1, lr.right - 1, lr.top - 4}));
      if (notes) {
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.fillRect(square, Qt::black);
        painter.restore();
      } else {
        painter.fillRect(square, text);
      }
    }
  }
}

void CKorView::RepaintBox(int box) {
  if (box < 0 || box >= pd::kBoxCount) return;
  update(BoxDeviceRect(box).adjusted(-1, -1, 1, 1));
}

void CKorView::ReportStatus(int box) {
  // The status bar repaints its panes at once: it is told after painting.
  if (statusPending_) return;
  statusPending_ = true;
  QMetaObject::invokeMethod(
      this,
      [this, box] {
        statusPending_ = false;
        if (CKorApp* app = CKorApp::Instance()) app->ShowIndividualInStatusBar(tree_.Box(box), -1);
      },
      Qt::QueuedConnection);
}

// ---- size and buttons -----------------------------------------------------------

void CKorView::resizeEvent(QResizeEvent* event) {
  fw::CView::resizeEvent(event);
  if (infoBox_->IsShown()) OnHideInfoBox();
  DropSelection();
  if (width() > 0 && height() > 0) {
    PlaceButtons();
    refit_ = true;
  }
}

void CKorView::PlaceButtons() {
  const pd::Mapping mapping(width(), height());
  if (mapping.IsEmpty()) return;
  for (int i = 0; i < pd::kButtonCount; ++i)
    buttons_[i]->setGeometry(ToQRect(mapping.ToDevice(pd::ButtonRect(i))));
}

void CKorView::UpdateButtons() {
  buttons_[0]->setVisible(tree_.DescendVisible());
  buttons_[0]->setEnabled(tree_.DescendVisible());
  for (int k = 1; k <= pd::kArrowButtonCount; ++k) {
    buttons_[k]->setVisible(tree_.ArrowVisible(k));
    buttons_[k]->setEnabled(tree_.ArrowVisible(k));
  }
}

// ---- the show message ------------------------------------------------------------

void CKorView::PostShowIndividual(std::intptr_t a, std::intptr_t t) {
  QMetaObject::invokeMethod(
      this, [this, a, t] { OnShowIndividual(a, t); }, Qt::QueuedConnection);
}

void CKorView::PostShowNode(std::intptr_t a, CIndividualNode* node) {
  // The node is held until the message runs.
  CIndividualNode* held = nullptr;
  SetIndividualRef(held, node);
  QMetaObject::invokeMethod(
      this,
      [this, a, held]() mutable {
        OnShowIndividual(a, reinterpret_cast<std::intptr_t>(held));
        ReleaseIndividualRef(held);
      },
      Qt::QueuedConnection);
}

void CKorView::OnShowIndividual(std::intptr_t a, std::intptr_t t) {
  CKorDoc* document = GetDocument();
  // Box numbers of the old tree no longer name the relative.
  ClearPendingRelative();
  if (a == 4 && (t == 2 || t == 3)) {
    t -= 2;
    a = pendingRin_;
  }
  if (a == 0 && t == 0) {
    tree_.Clear();
    for (QToolButton* button : buttons_) button->hide();
    if (document) document->m_visitedRins.clear();
    update();
    return;
  }
  const pd::CursorPrep prep = pd::PrepareCursor(current_);
  current_ = prep.cursor;

  const pd::Mapping mapping(width(), height());
  QFont font = this->font();
  font.setPixelSize(std::max(1, mapping.FontPixelHeight()));
  const LogicalTextMeasure measure(font, mapping);
  const plat::TextMeasure* fit = mapping.IsEmpty() ? nullptr : &measure;
  const int suffix = GetNodeOptions().appendVal;

  if (t == 0) {
    if (listChoice_) {
      if (document) document->m_visitedRins.clear();
      listChoice_ = false;
    }
    tree_.Clear();
    CIndividualNode* root =
        shell::PedigreeTree::ReadRoot(static_cast<std::int32_t>(a), suffix, fit);
    if (!root) {
      UpdateButtons();
      update();
      return;
    }
    tree_.Load(root, suffix, fit);
  } else if (t == 1) {
    if (!tree_.LoadAsChild(static_cast<std::int32_t>(a), suffix, fit)) return;
  } else {
    tree_.Load(reinterpret_cast<CIndividualNode*>(t), suffix, fit);
    if (a == 99) moveRecord_.Release();
  }
  refit_ = true;
  UpdateButtons();
  FollowRoot();
  if (prep.arrowBase >= 0) current_ = pd::CursorAfterArrow(prep.arrowBase, tree_.Occupied());
  update();
  // The commands follow the individual now shown (a view switched to loads
  // it after the switch has updated them).
  if (CKorApp* app = CKorApp::Instance()) app->UpdateCommandStates();
}

void CKorView::FollowRoot() {
  CKorDoc* document = GetDocument();
  if (document && !tree_.IsEmpty()) document->m_fileInfo.settings.lastRin = tree_.RinOf(0);
}

// ---- selection and the InfoBox -----------------------------------------------------

void CKorView::ShowInfoBox(int box, int mode) {
  CIndividualNode* node = tree_.Box(box);
  if (!node || mode == 0) return;
  const pd::Mapping mapping(width(), height());
  if (mapping.IsEmpty()) return;
  const QSize large = infoBox_->LargeSize();
  const QSize form = mode == 2 ? large : infoBox_->SmallSize();
  const pd::Point corner = pd::InfoBoxCorner(
      box, mapping.WidthToLogical(large.width()), mapping.HeightToLogical(large.height()),
      mapping.WidthToLogical(form.width()), mapping.HeightToLogical(form.height()));
  const pd::Point device = mapping.ToDevice(corner);
  const QPoint global = mapToGlobal(QPoint(device.x, device.y));
  const InfoBoxPlacement placement{0, global.x(), global.y()};
  if (mode == 2)
    infoBox_->OnShowLarge(box, placement);
  else
    infoBox_->OnShowSmall(box, placement);
  infoBox_->OnLoad(node);
}

void CKorView::DropSelection() {
  if (selected_ != pd::kNoBox) {
    const int old = selected_;
    selected_ = pd::kNoBox;
    RepaintBox(old);
  }
}

void CKorView::OnHideInfoBox() {
  infoBox_->OnHide();
  infoBoxBox_ = pd::kNoBox;
  DropSelection();
}

void CKorView::LeftButtonDown(int box) {
  hoverTimer_.stop();
  const CAppOptions& options = *Options();
  if (box >= 0 && tree_.Box(box)) {
    if (selected_ == pd::kNoBox) {
      if (current_ != box) RepaintBox(current_);
      current_ = selected_ = infoBoxBox_ = box;
      if (infoBox_->IsShown()) {
        if (options.selectOpt != options.floaterOpt) {
          if (options.selectOpt == 0)
            infoBox_->OnHide();
          else
            ShowInfoBox(box, options.selectOpt);
        }
      } else if (options.selectOpt != 0) {
        ShowInfoBox(box, options.selectOpt);
      }
      RepaintBox(box);
    } else if (box == selected_) {
      RepaintBox(box);
      infoBox_->OnHide();
      selected_ = infoBoxBox_ = pd::kNoBox;
    } else {
      RepaintBox(selected_);
      current_ = box;
      if (options.selectOpt != 0) ShowInfoBox(box, options.selectOpt);
      selected_ = infoBoxBox_ = box;
      RepaintBox(box);
    }
    FollowCommands();
    return;
  }
  if (selected_ != pd::kNoBox) {
    OnHideInfoBox();
  } else {
    RepaintBox(current_);
  }
  PostBoxCommand(pd::OfferOfBox(tree_.Occupied(), box, current_));
}

bool CKorView::HoverAllowed() const {
  CKorApp* app = CKorApp::Instance();
  CMainFrame* frame = app ? app->GetMainFrame() : nullptr;
  if (!frame) return true;
  if (!frame->IsFrameActive()) return false;
  fw::CMDIChildWnd* child = frame->MDIGetActive();
  return child && child->GetActiveView() == this;
}

void CKorView::HoverOver(int box) {
  const CAppOptions& options = *Options();
  if (options.floaterOpt == 0 || selected_ != pd::kNoBox) return;
  if (box >= 0 && tree_.Box(box)) {
    if (options.infoTimeOut != 0) {
      if (hoverTimer_.isActive() && timerBox_ == box) return;
      hoverTimer_.stop();
      if (box != infoBoxBox_) {
        if (infoBox_->IsShown()) infoBox_->OnHide();
        timerBox_ = box;
        hoverTimer_.start(options.infoTimeOut);
      }
    } else if (box != infoBoxBox_) {
      if (infoBox_->IsShown()) infoBox_->OnHide();
      OpenHovered(box);
    }
    return;
  }
  if (infoBox_->IsShown()) {
    infoBox_->OnHide();
    infoBoxBox_ = pd::kNoBox;
  } else {
    hoverTimer_.stop();
  }
}

void CKorView::OpenHovered(int box) {
  if (current_ != box) RepaintBox(current_);
  current_ = infoBoxBox_ = box;
  RepaintBox(box);
  ShowInfoBox(box, Options()->floaterOpt);
  FollowCommands();
}

void CKorView::OnHoverTimer() {
  const int box = timerBox_;
  timerBox_ = pd::kNoBox;
  if (box != infoBoxBox_ && tree_.Box(box)) OpenHovered(box);
}

void CKorView::OnBeforeModal(int remember) {
  if (infoBoxBox_ != pd::kNoBox && infoBox_->IsShown()) {
    if (remember) {
      QWidget* focus = QApplication::focusWidget();
      infoFocusControl_ = focus == infoBox_->SpouseField()    ? 1
                          : focus == infoBox_->ChildrenList() ? 2
                                                              : infoFocusControl_;
      restore_ = true;
    } else {
      DropSelection();
    }
  }
  infoBox_->OnHide();
}

void CKorView::OnAfterModal() {
  if (!restore_) return;
  restore_ = false;
  if (infoBoxBox_ == pd::kNoBox) return;
  const CAppOptions& options = *Options();
  ShowInfoBox(infoBoxBox_, selected_ == pd::kNoBox ? options.floaterOpt : options.selectOpt);
  if (infoFocusControl_ == 1) infoBox_->SpouseField()->setFocus();
  if (infoFocusControl_ == 2) infoBox_->ChildrenList()->setFocus();
}

void CKorView::OnSetCurrentBox(int box) {
  RepaintBox(current_);
  current_ = box;
  RepaintBox(box);
  FollowCommands();
}

// ---- mouse ----------------------------------------------------------------------

void CKorView::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const int box = pd::HitTest(pd::Mapping(width(), height()), {p.x(), p.y()});
  setFocus(Qt::MouseFocusReason);
  if (event->button() == Qt::LeftButton) {
    LeftButtonDown(box);
  } else if (event->button() == Qt::RightButton) {
    if (auto* child =
            qobject_cast<QMdiSubWindow*>(parentWidget() ? parentWidget()->parentWidget() : nullptr))
      if (child->mdiArea() && child->mdiArea()->activeSubWindow() != child)
        child->mdiArea()->setActiveSubWindow(child);
    if (box >= 0 && tree_.Box(box) && box != selected_) LeftButtonDown(box);
  }
}

void CKorView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::RightButton) return;
  const QPoint p = event->position().toPoint();
  const int box = pd::HitTest(pd::Mapping(width(), height()), {p.x(), p.y()});
  if (box >= 0) ShowContextMenu(box, event->globalPosition().toPoint());
}

void CKorView::ShowContextMenu(int box, QPoint global) {
  const pd::BoxOffer offer = pd::OfferOfBox(tree_.Occupied(), box, current_);
  const std::vector<unsigned> ids = pd::MenuCommands(offer.menu);
  if (ids.empty()) return;
  OnHideInfoBox();
  CKorApp* app = CKorApp::Instance();
  CMainFrame* frame = app ? app->GetMainFrame() : nullptr;
  if (!frame) return;
  // The add commands of an empty parent box work on the box's child.
  pendingRelativeBox_ = offer.relativeBox;
  app->UpdateCommandStates();
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("menu%1").arg(offer.menu));
  for (unsigned id : ids)
    if (QAction* action = frame->CommandAction(id)) menu.addAction(action);
  menu.exec(global);
  ClearPendingRelative();
}

void CKorView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  const int box = pd::HitTest(pd::Mapping(width(), height()), {p.x(), p.y()});
  if (box < 0 || !tree_.Box(box)) return;
  OnHideInfoBox();
  if ((event->modifiers() & Qt::ControlModifier) && box > 0) {
    AppendPath(box);
    PostShowNode(1, tree_.Box(box));
  } else {
    PostCommand(shell::kIdEditIndividual);
  }
}

void CKorView::mouseMoveEvent(QMouseEvent* event) {
  if (!HoverAllowed()) return;
  const QPoint p = event->position().toPoint();
  if (p == lastMouse_ && !syntheticHover_) return;
  if (syntheticHover_)
    syntheticHover_ = false;
  else
    lastMouse_ = p;
  HoverOver(pd::HitTest(pd::Mapping(width(), height()), {p.x(), p.y()}));
}

// ---- keyboard -------------------------------------------------------------------

bool CKorView::focusNextPrevChild(bool) { return false; }

void CKorView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
      event->key() == Qt::Key_Escape)
    keyboardFlag_ = true;
  event->accept();
}

void CKorView::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) return;
  switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      if (infoBox_->m_leftByTab) {
        infoBox_->m_leftByTab = false;
      } else if (infoBoxBox_ != pd::kNoBox && infoBox_->FormState() == CInfoBox::kLargeShown) {
        if (event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier))
          infoBox_->ChildrenList()->setFocus(Qt::TabFocusReason);
        else
          infoBox_->SpouseField()->setFocus(Qt::TabFocusReason);
      }
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!keyboardFlag_) return;
      keyboardFlag_ = false;
      OnHideInfoBox();
      PostCommand(tree_.Box(current_) ? shell::kIdEditIndividual : shell::kIdAddUnlinkedIndividual);
      return;
    case Qt::Key_Escape:
      if (!keyboardFlag_) return;
      keyboardFlag_ = false;
      if (infoBox_->IsShown()) OnHideInfoBox();
      return;
    case Qt::Key_Space:
      LeftButtonDown(current_);
      return;
    case Qt::Key_Home:
      if (event->modifiers() & Qt::ControlModifier) {
        PostCommand(shell::kIdSearchHomePerson);
        return;
      }
      break;
    default:
      break;
  }
  pd::NavKey key;
  if (!NavKeyOf(event, key)) return;
  const pd::NavResult result = pd::Navigate(key, current_, tree_.Occupied());
  switch (result.kind) {
    case pd::NavResult::kMove:
      MoveCursor(result.box);
      break;
    case pd::NavResult::kPressArrow:
      PressArrow(result.button);
      break;
    case pd::NavResult::kPressArrowDown:
      if (buttons_[result.button]->isVisible()) {
        PressArrow(result.button);
        QMetaObject::invokeMethod(
            this,
            [this] {
              QKeyEvent down(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
              keyReleaseEvent(&down);
            },
            Qt::QueuedConnection);
      }
      break;
    case pd::NavResult::kPressDescend:
      if (buttons_[0]->isVisible()) {
        hoverTimer_.stop();
        OnDescend();
      }
      break;
    case pd::NavResult::kNone:
      break;
  }
}

void CKorView::MoveCursor(int box) {
  hoverTimer_.stop();
  const int old = current_;
  if (selected_ != pd::kNoBox) {
    LeftButtonDown(box);
  } else {
    current_ = box;
    syntheticHover_ = true;
    HoverOver(box);
  }
  RepaintBox(old);
  RepaintBox(box);
  FollowCommands();
}

void CKorView::PressArrow(int button) {
  if (button < 1 || button > pd::kArrowButtonCount || !buttons_[button]->isVisible()) return;
  hoverTimer_.stop();
  OnArrowButton(button);
}

void CKorView::PostBoxCommand(const pd::BoxOffer& offer) {
  if (offer.command == 0) return;
  CKorApp* app = CKorApp::Instance();
  CMainFrame* frame = app ? app->GetMainFrame() : nullptr;
  QAction* action = frame ? frame->CommandAction(offer.command) : nullptr;
  if (!action) return;
  // The command's enabling is decided for the pending relative; the add
  // flow forgets it when it ends.
  pendingRelativeBox_ = offer.relativeBox;
  app->UpdateCommandStates();
  if (action->isEnabled())
    QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
  else
    ClearPendingRelative();
}

void CKorView::PostCommand(unsigned id) {
  CKorApp* app = CKorApp::Instance();
  CMainFrame* frame = app ? app->GetMainFrame() : nullptr;
  QAction* action = frame ? frame->CommandAction(id) : nullptr;
  if (action && action->isEnabled())
    QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
}

// ---- focus ----------------------------------------------------------------------

void CKorView::focusOutEvent(QFocusEvent* event) {
  hoverTimer_.stop();
  QWidget* to = QApplication::focusWidget();
  if (infoBoxBox_ != pd::kNoBox && infoBox_->IsShown() && Options()->selectOpt == 2 &&
      (to == infoBox_->SpouseField() || to == infoBox_->ChildrenList())) {
    focusFlag_ = false;
    RepaintBox(infoBoxBox_);
  }
  fw::CView::focusOutEvent(event);
}

void CKorView::focusInEvent(QFocusEvent* event) {
  if (infoBoxBox_ != pd::kNoBox && infoBox_->IsShown() && Options()->selectOpt == 2) {
    if (!focusFlag_) {
      focusFlag_ = true;
      RepaintBox(infoBoxBox_);
    } else if (event->reason() != Qt::TabFocusReason) {
      if (infoFocusControl_ == 1) infoBox_->SpouseField()->setFocus();
      if (infoFocusControl_ == 2) infoBox_->ChildrenList()->setFocus();
    }
  }
  fw::CView::focusInEvent(event);
}

// ---- commands -------------------------------------------------------------------

void CKorView::AppendPath(int box) {
  CKorDoc* document = GetDocument();
  if (!document) return;
  for (int b : pd::PathFromRoot(box))
    document->m_visitedRins.push_back(static_cast<std::uint32_t>(tree_.RinOf(b)));
}

void CKorView::OnArrowButton(int button) {
  OnHideInfoBox();
  current_ = pd::kArrowPendingBase + button;
  if (CKorDoc* document = GetDocument())
    document->m_visitedRins.push_back(static_cast<std::uint32_t>(tree_.RinOf(0)));
  CIndividualNode* parent = tree_.Box(button <= 8 ? 1 : 2);
  CIndividualNode* held = nullptr;
  SetIndividualRef(held, parent);
  OnShowIndividual(1, reinterpret_cast<std::intptr_t>(held));
  ReleaseIndividualRef(held);
  setFocus();
}

void CKorView::OnDescend() {
  setFocus();
  CKorDoc* document = GetDocument();
  const bool history = document && !document->m_visitedRins.empty();
  const std::int32_t root = tree_.RinOf(0);
  if (!history && !(root && DbHasChildren(root, db::kIndividual))) return;
  OnHideInfoBox();
  if (history) {
    pendingRin_ = static_cast<std::int32_t>(document->m_visitedRins.back());
    document->m_visitedRins.pop_back();
    PostShowIndividual(4, 3);
    return;
  }
  // With the option on and other than one child, the user picks from the
  // Descendancy List; else the first child with children of his own leads on.
  if (AppScreens().descendancyList &&
      shell::DescendThroughList(plat::Profile(),
                                DbGetRelationCount(root, db::kRelChildren, 0, 1))) {
    const std::int32_t chosen = AppScreens().descendancyList(this, root);
    if (chosen <= 0) return;
    listChoice_ = true;
    pendingRin_ = chosen;
    PostShowIndividual(4, 2);
    return;
  }
  const std::int32_t child = DbFindChildWithChildren(root, 0);
  if (child == 0) return;
  pendingRin_ = child;
  PostShowIndividual(4, 3);
}

void CKorView::AppendPathToCurrentBox() {
  if (current_ >= 0 && current_ < pd::kBoxCount) AppendPath(current_);
}

void CKorView::OnMoveToPrimary() {
  if (current_ <= 0 || current_ >= pd::kBoxCount || !tree_.Box(current_)) return;
  OnHideInfoBox();
  AppendPath(current_);
  CIndividualNode* held = nullptr;
  SetIndividualRef(held, tree_.Box(current_));
  OnShowIndividual(1, reinterpret_cast<std::intptr_t>(held));
  ReleaseIndividualRef(held);
}

void CKorView::OnInfoBoxMove(InfoBoxMove move) {
  moveRecord_.Release();
  moveRecord_ = move;
  CKorDoc* document = GetDocument();
  CIndividualNode* target = move.target;
  if (!target || target == tree_.Box(0) || !document) {
    moveRecord_.Release();
    return;
  }
  auto& history = document->m_visitedRins;
  const int at = infoBoxBox_ >= 0 ? infoBoxBox_ : pd::kNoBox;
  auto shareCurrentMarriage = [&](const CIndividualNode* a, const CIndividualNode* b) {
    const CIndividualLinks* links = a ? a->GetLinks() : nullptr;
    const CMarriageNode* m = links ? links->currentMarriage : nullptr;
    return m && b && (m->GetHusbandRin() == b->GetRin() || m->GetWifeRin() == b->GetRin());
  };
  if (move.kind == 1) {
    if (at > 0 && tree_.Box(pd::ChildOf(at)) == target) {
      // The boxes below the child's box down to box 0 join the history.
      AppendPath(pd::ChildOf(at));
    } else if (at == 0 && !history.empty() &&
               history.back() == static_cast<std::uint32_t>(target->GetRin())) {
      history.pop_back();
      pendingRin_ = target->GetRin();
      moveRecord_.Release();
      OnShowIndividual(4, 3);
      return;
    } else {
      history.clear();
    }
  } else {
    if (at > 0 && shareCurrentMarriage(tree_.Box(at), target)) {
      AppendPath(at);
    } else if (at == 0) {
      const CIndividualNode* shown = move.shown;
      const int marriages = shown && shown->GetLinks() ? shown->GetLinks()->marriageCount : -1;
      if (!shareCurrentMarriage(shown, target) && marriages != 1) history.clear();
    } else {
      history.clear();
    }
  }
  infoBoxBox_ = pd::kNoBox;
  selected_ = pd::kNoBox;
  PostShowNode(99, target);
}
