#include "FieldListWidget.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include "CharacterMapPopup.h"
#include "CodePage.h"
#include "EditEnvironment.h"
#include "EditorKeys.h"
#include "QtPorts.h"
#include "StringListEx.h"

namespace {

QColor ColorOf(unsigned value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QRect ToQRect(const FieldRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

EditorKey KeyOf(const QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return EditorKey::kTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return EditorKey::kEnter;
    case Qt::Key_PageUp:
      return EditorKey::kPageUp;
    case Qt::Key_PageDown:
      return EditorKey::kPageDown;
    case Qt::Key_Home:
      return EditorKey::kHome;
    case Qt::Key_End:
      return EditorKey::kEnd;
    case Qt::Key_Up:
      return EditorKey::kUp;
    case Qt::Key_Down:
      return EditorKey::kDown;
    case Qt::Key_Delete:
      return EditorKey::kDelete;
    case Qt::Key_Escape:
      return EditorKey::kEscape;
    case Qt::Key_Space:
      return EditorKey::kSpace;
    default:
      break;
  }
  const QString text = event->text();
  if (!text.isEmpty() && text.front().isPrint() &&
      !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
    return EditorKey::kCharacter;
  return EditorKey::kOther;
}

}  // namespace

// ---- the editors' common part ----

CCellEditorBase::CCellEditorBase(CFieldListWidget* list, QWidget* widget, int column, int row)
    : list_(list), widget_(widget), column_(column), row_(row) {}

CCellEditorBase::~CCellEditorBase() {
  if (map_) map_->close();
}

void CCellEditorBase::Place(const FieldRect& rect, bool visible) {
  widget_->setGeometry(ToQRect(rect));
  widget_->setVisible(visible);
}

void CCellEditorBase::Focus() {
  if (widget_->isVisible()) widget_->setFocus(Qt::OtherFocusReason);
}

bool CCellEditorBase::IsShown() const { return widget_->isVisible(); }

void CCellEditorBase::SaveSelection() {
  QLineEdit* edit = TextTarget();
  if (edit == nullptr) return;
  if (edit->hasSelectedText()) {
    selectionStart_ = edit->selectionStart();
    selectionLength_ = static_cast<int>(edit->selectedText().size());
  } else {
    selectionStart_ = edit->cursorPosition();
    selectionLength_ = 0;
  }
}

void CCellEditorBase::InsertCharacter(unsigned char ch) {
  QLineEdit* edit = TextTarget();
  if (edit == nullptr) return;
  edit->setSelection(selectionStart_, selectionLength_);
  if (selectionLength_ == 0) edit->setCursorPosition(selectionStart_);
  const std::string text(1, static_cast<char>(ch));
  edit->insert(fw::ToQString(text));
  selectionStart_ = edit->cursorPosition();
  selectionLength_ = 0;
}

int CCellEditorBase::ShowCharacterMap(int x, int y) {
  if (TextTarget() == nullptr) return 0;
  if (map_ && map_->isVisible()) return 0;
  SaveSelection();
  if (!map_)
    map_ = new CCharacterMapPopup(widget_, [this](unsigned char ch) { InsertCharacter(ch); });
  map_->OpenAt(list_->viewport(), QPoint(x, y));
  return 1;
}

bool CCellEditorBase::HandleKey(QKeyEvent* event, CellKind kind, bool dropDownOpen) {
  if (list_->HoldKey(event)) return true;
  if (event->key() == Qt::Key_F7 && kind != CellKind::kButton) {
    list_->PostCharacterMap();
    return true;
  }
  const bool shift = (event->modifiers() & Qt::ShiftModifier) || event->key() == Qt::Key_Backtab;
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const EditorKeyAction action =
      TranslateEditorKey(kind, KeyOf(event), shift, ctrl, dropDownOpen,
                         [] { return EditEnvironment().IsReturnAsTab(); });
  switch (action.kind) {
    case EditorKeyAction::kPass:
      return false;
    case EditorKeyAction::kNavigate:
      list_->PostNavigate(action.code);
      return true;
    case EditorKeyAction::kButton:
      list_->PostButton(column_, row_);
      return true;
    case EditorKeyAction::kSwallow:
      return true;
    case EditorKeyAction::kTypeInValue:
      list_->PostTypeInValue(event);
      return true;
    case EditorKeyAction::kDeleteChoice:
      if (auto* combo = dynamic_cast<CCellComboBox*>(this)) combo->DeleteSelectedChoice();
      return true;
  }
  return false;
}

// ---- edit ----

CCellEdit::CCellEdit(CFieldListWidget* list, const FieldEditorSetup& setup, QWidget* parent)
    : QLineEdit(parent),
      CCellEditorBase(list, this, setup.cell->GetColumn(), setup.cell->GetRow()) {
  setObjectName("CellEdit");
  setFont(list->font());
  if (setup.textLimit > 0) setMaxLength(setup.textLimit);
  setText(fw::ToQString(setup.text));
  setGeometry(ToQRect(setup.rect));
  show();
  setFocus(Qt::OtherFocusReason);
  selectAll();
}

std::string CCellEdit::GetText() const { return fw::FromQString(text()); }

int CCellEdit::LostCharacters() const {
  return plat::Utf8LossCount(text().toStdString(), plat::ActiveCodePage());
}

void CCellEdit::SetText(const std::string& text) {
  setText(fw::ToQString(text));
  selectAll();
}

bool CCellEdit::event(QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      HandleKey(static_cast<QKeyEvent*>(event), CellKind::kEdit, false))
    return true;
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) event->accept();
  }
  return QLineEdit::event(event);
}

void CCellEdit::focusOutEvent(QFocusEvent* event) {
  SaveSelection();
  QLineEdit::focusOutEvent(event);
}

// ---- combo ----

CCellComboBox::CCellComboBox(CFieldListWidget* list, const FieldEditorSetup& setup, QWidget* parent)
    : QComboBox(parent),
      CCellEditorBase(list, this, setup.cell->GetColumn(), setup.cell->GetRow()),
      choices_(setup.choices),
      options_(setup.options),
      lastAccepted_(setup.text) {
  setObjectName("CellComboBox");
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  setFont(list->font());
  setMaxVisibleItems(16);
  for (const std::string& choice : Choices()) addItem(fw::ToQString(choice));
  if (setup.textLimit > 0) lineEdit()->setMaxLength(setup.textLimit);
  setCurrentIndex(-1);
  lineEdit()->setText(fw::ToQString(setup.text));
  // Keys reach the combo itself when it has the focus, which hands them to
  // its edit part directly; both are watched.
  installEventFilter(this);
  lineEdit()->installEventFilter(this);
  view()->installEventFilter(this);
  connect(lineEdit(), &QLineEdit::textEdited, this, &CCellComboBox::OnTextEdited);
  setGeometry(ToQRect(setup.rect));
  show();
  setFocus(Qt::OtherFocusReason);
  lineEdit()->selectAll();
}

std::vector<std::string> CCellComboBox::Choices() const {
  if (choices_ == nullptr) return {};
  return std::vector<std::string>(choices_->begin(), choices_->end());
}

std::string CCellComboBox::GetText() const { return fw::FromQString(lineEdit()->text()); }

int CCellComboBox::LostCharacters() const {
  return plat::Utf8LossCount(lineEdit()->text().toStdString(), plat::ActiveCodePage());
}

void CCellComboBox::SetText(const std::string& text) {
  lineEdit()->setText(fw::ToQString(text));
  lastAccepted_ = text;
}

void CCellComboBox::SelectChoice(const std::string& text) {
  const int index = findText(fw::ToQString(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index < 0) return;
  setCurrentIndex(index);
  lastAccepted_ = text;
}

void CCellComboBox::showPopup() {
  dropDownOpen_ = true;
  QComboBox::showPopup();
}

void CCellComboBox::hidePopup() {
  dropDownOpen_ = false;
  QComboBox::hidePopup();
}

bool CCellComboBox::DeleteSelectedChoice() {
  const int index = view()->currentIndex().row();
  if (index < 0 || choices_ == nullptr) return false;
  if (!choices_->RemoveAt(index)) return false;
  removeItem(index);
  return true;
}

bool CCellComboBox::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    lastDeleted_ = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete;
    const QString typed = key->text();
    lastChar_ = typed.size() == 1 ? fw::FromQString(typed)[0] : 0;
    if (HandleKey(key, CellKind::kCombo, dropDownOpen_)) {
      if (watched == view() && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab))
        hidePopup();
      return true;
    }
  } else if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) event->accept();
  } else if (event->type() == QEvent::FocusOut && watched == lineEdit()) {
    SaveSelection();
  }
  return QComboBox::eventFilter(watched, event);
}

void CCellComboBox::OnTextEdited(const QString& text) {
  ComboTyping typing;
  typing.text = fw::FromQString(text);
  typing.caret = lineEdit()->cursorPosition();
  typing.deleted = lastDeleted_;
  typing.lastChar = lastChar_;
  typing.lastAccepted = lastAccepted_;
  const ComboTypingResult result = CompleteComboText(typing, options_, Choices());
  lastAccepted_ = result.lastAccepted;
  if (!result.changed) return;
  const QSignalBlocker block(this);
  if (result.selectedIndex >= 0) setCurrentIndex(result.selectedIndex);
  lineEdit()->setText(fw::ToQString(result.text));
  lineEdit()->setSelection(result.selectionStart, result.selectionEnd - result.selectionStart);
  if (result.selectionEnd == result.selectionStart)
    lineEdit()->setCursorPosition(result.selectionStart);
}

// ---- button ----

CCellButton::CCellButton(CFieldListWidget* list, const FieldEditorSetup& setup, QWidget* parent)
    : QPushButton(parent),
      CCellEditorBase(list, this, setup.cell->GetColumn(), setup.cell->GetRow()) {
  setObjectName("CellButton");
  setFont(list->font());
  setText(fw::ToQString(setup.text));
  setDefault(true);
  setGeometry(ToQRect(setup.rect));
  connect(this, &QPushButton::clicked, this, [this] { list_->PostButton(column_, row_); });
  show();
  setFocus(Qt::OtherFocusReason);
}

std::string CCellButton::GetText() const { return fw::FromQString(text()); }

void CCellButton::SetText(const std::string& text) { setText(fw::ToQString(text)); }

bool CCellButton::event(QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      HandleKey(static_cast<QKeyEvent*>(event), CellKind::kButton, false))
    return true;
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) event->accept();
  }
  return QPushButton::event(event);
}

// ---- the list ----

CFieldListWidget::CFieldListWidget(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName("FieldList");
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  verticalScrollBar()->setSingleStep(1);
  viewport()->setAutoFillBackground(true);
  QPalette palette = viewport()->palette();
  palette.setColor(QPalette::Base, Qt::white);
  viewport()->setPalette(palette);
  list_.SetPlatform(this);
  list_.SetupList();
}

CFieldListWidget::~CFieldListWidget() {
  list_.SetOwner(nullptr);
  list_.DeleteAllLines();
  list_.SetPlatform(nullptr);
}

void CFieldListWidget::SetupColumns(const QString& label, int labelWidth, const QString& value,
                                    int valueWidth, int buttonWidth) {
  list_.InsertColumn(fw::FromQString(label), labelWidth);
  list_.InsertColumn(fw::FromQString(value), valueWidth);
  list_.InsertColumn({}, buttonWidth);
}

int CFieldListWidget::GetLineHeight() const {
  const QFontMetrics metrics(font());
  return metrics.height() + metrics.leading() + 1 + 6;
}

int CFieldListWidget::GetItemsPerPage() const {
  return std::max(1, (viewport()->height() - GetHeaderHeight()) / GetLineHeight());
}

int CFieldListWidget::FirstVisibleLine() const { return verticalScrollBar()->value(); }

void CFieldListWidget::Refresh() {
  const int page = GetItemsPerPage();
  verticalScrollBar()->setPageStep(page);
  verticalScrollBar()->setRange(0, std::max(0, list_.GetLineCount() - page));
  viewport()->update();
}

FieldRect CFieldListWidget::GetLineRect(int line, bool ensureVisible) {
  if (ensureVisible) {
    Refresh();
    const int first = FirstVisibleLine();
    const int page = GetItemsPerPage();
    if (line < first) verticalScrollBar()->setValue(line);
    if (line >= first + page) verticalScrollBar()->setValue(line - page + 1);
  }
  const int top = GetHeaderHeight() + (line - FirstVisibleLine()) * GetLineHeight();
  return FieldRect{0, top, viewport()->width(), top + GetLineHeight()};
}

int CFieldListWidget::LineAt(QPoint point) const {
  if (point.y() < GetHeaderHeight()) return -1;
  const int line = FirstVisibleLine() + (point.y() - GetHeaderHeight()) / GetLineHeight();
  return line < list_.GetLineCount() ? line : -1;
}

int CFieldListWidget::ColumnAt(QPoint point) const {
  int left = 0;
  for (int c = 0; c < list_.GetColumnCount(); ++c) {
    const int width = list_.GetColumnWidth(c);
    if (point.x() >= left && point.x() < left + width) return c;
    left += width;
  }
  return -1;
}

std::unique_ptr<CFieldEditor> CFieldListWidget::CreateEditor(const FieldEditorSetup& setup) {
  switch (setup.kind) {
    case CellKind::kEdit:
      return std::make_unique<CCellEdit>(this, setup, viewport());
    case CellKind::kCombo:
      return std::make_unique<CCellComboBox>(this, setup, viewport());
    case CellKind::kButton:
      return std::make_unique<CCellButton>(this, setup, viewport());
  }
  return nullptr;
}

void CFieldListWidget::RunPosted(std::function<void()> work) {
  ++pendingMoves_;
  QTimer::singleShot(0, this, [this, work = std::move(work)] {
    inEditorChange_ = true;
    work();
    inEditorChange_ = false;
    viewport()->update();
    --pendingMoves_;
    ReplayHeldKeys();
  });
}

void CFieldListWidget::PostNavigate(int code) {
  RunPosted([this, code] { list_.OnNavigate(code); });
}

void CFieldListWidget::PostButton(int column, int row) {
  RunPosted([this, column, row] {
    list_.OnButton(column, row);
    // The button's editor closed with the press: open it again on its cell.
    list_.BeginEdit(column, row, true);
  });
}

void CFieldListWidget::PostTypeInValue(const QKeyEvent* event) {
  held_.push_back({event->key(), event->modifiers(), event->text()});
  RunPosted([this] { list_.MoveToValue(); });
}

bool CFieldListWidget::HoldKey(const QKeyEvent* event) {
  if (pendingMoves_ == 0 || event->type() != QEvent::KeyPress) return false;
  held_.push_back({event->key(), event->modifiers(), event->text()});
  return true;
}

void CFieldListWidget::ReplayHeldKeys() {
  // A replayed Tab posts a move of its own: the keys after it wait again.
  while (pendingMoves_ == 0 && !held_.empty()) {
    const HeldKey key = held_.front();
    held_.pop_front();
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr) {
      held_.clear();
      return;
    }
    QKeyEvent press(QEvent::KeyPress, key.key, key.modifiers, key.text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key.key, key.modifiers, key.text);
    if (QWidget* now = QApplication::focusWidget()) QApplication::sendEvent(now, &release);
  }
}

void CFieldListWidget::PostCharacterMap() {
  QTimer::singleShot(0, this, [this] { list_.ShowCharacterMapForCell(); });
}

void CFieldListWidget::Leave(bool forward) {
  QWidget* next = forward ? nextInFocusChain() : previousInFocusChain();
  while (next != nullptr && next != this &&
         (isAncestorOf(next) || !(next->focusPolicy() & Qt::TabFocus) || !next->isVisible() ||
          !next->isEnabled()))
    next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
  if (next != nullptr && next != this)
    next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

void CFieldListWidget::LeaveForward() { Leave(true); }
void CFieldListWidget::LeaveBackward() { Leave(false); }

void CFieldListWidget::InvalidateLine(int line) {
  const FieldRect rect = GetLineRect(line, false);
  viewport()->update(ToQRect(rect));
}

void CFieldListWidget::InvalidateRect(const FieldRect& rect) {
  viewport()->update(ToQRect(rect).adjusted(-4, -4, 4, 4));
}

bool CFieldListWidget::focusNextPrevChild(bool next) {
  // Tab inside the list moves between its cells; the editors post it.
  if (isAncestorOf(focusWidget())) return false;
  return QAbstractScrollArea::focusNextPrevChild(next);
}

void CFieldListWidget::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  if (inEditorChange_) return;
  if (event->reason() == Qt::BacktabFocusReason) {
    // Coming back from the next control: the last cell that opens.
    CFieldCell* cell = list_.GetCurrentCell();
    if (cell == nullptr || !cell->HasEditor()) {
      if (!list_.BeginEdit(list_.GetColumnCount() - 1, list_.GetLineCount() - 1, true))
        list_.MovePrevious();
      return;
    }
  }
  list_.OnSetFocus();
}

void CFieldListWidget::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  const QFont normal = font();
  QFont bold = normal;
  bold.setWeight(QFont::Bold);
  const int lineHeight = GetLineHeight();
  const int header = GetHeaderHeight();
  const QColor grid(0xD0, 0xD0, 0xD0);
  const int first = FirstVisibleLine();
  for (int line = first; line < list_.GetLineCount(); ++line) {
    const int top = header + (line - first) * lineHeight;
    if (top > viewport()->height()) break;
    CFieldLine* fieldLine = list_.GetLine(line);
    int left = 0;
    for (int column = 0; column < list_.GetColumnCount(); ++column) {
      const int width = list_.GetColumnWidth(column);
      const QRect cellRect(left, top, width, lineHeight);
      left += width;
      CFieldCell* cell = fieldLine->GetCell(column);
      if (cell == nullptr) continue;
      if (cell->backgroundColor != CFieldCell::kNoFill)
        p.fillRect(cellRect, ColorOf(cell->backgroundColor));
      p.setFont(column == 0 && cell->IsBold() ? bold : normal);
      p.setPen(ColorOf(cell->GetTextColor()));
      QString text(column == 2 ? 2 : 1, QChar(' '));
      text += QString(cell->GetIndent(), QChar(' '));
      text += fw::ToQString(cell->GetText());
      const int flags = Qt::AlignLeft | Qt::AlignVCenter |
                        (column == 0 ? Qt::TextShowMnemonic : Qt::TextHideMnemonic);
      p.drawText(cellRect.adjusted(0, 1, 0, 0), flags,
                 column == 0 ? text : text.replace('&', "&&"));
      p.setPen(grid);
      p.drawLine(cellRect.topRight(), cellRect.bottomRight());
    }
    p.setPen(grid);
    p.drawLine(0, top + lineHeight - 1, left, top + lineHeight - 1);
  }
  // The header, drawn last over any line scrolled under it.
  const QRect headerRect(0, 0, viewport()->width(), header);
  p.fillRect(headerRect, palette().color(QPalette::Button));
  p.setFont(normal);
  int left = 0;
  for (int column = 0; column < list_.GetColumnCount(); ++column) {
    const int width = list_.GetColumnWidth(column);
    const QRect rect(left, 0, width, header);
    p.setPen(palette().color(QPalette::ButtonText));
    p.drawText(rect.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
               fw::ToQString(list_.GetColumnHeading(column)));
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(rect.topRight(), rect.bottomRight());
    left += width;
  }
  p.drawLine(0, header - 1, viewport()->width(), header - 1);
}

void CFieldListWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  const int line = LineAt(point);
  if (line < 0) return;
  inEditorChange_ = true;
  list_.OnLButtonDown(ColumnAt(point), line);
  inEditorChange_ = false;
  viewport()->update();
}

void CFieldListWidget::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  Refresh();
  emit resized();
  list_.MoveCurrentEditor();
}

void CFieldListWidget::scrollContentsBy(int, int) {
  viewport()->update();
  list_.MoveCurrentEditor();
}
