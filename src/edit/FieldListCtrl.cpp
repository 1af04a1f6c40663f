#include "FieldListCtrl.h"

#include <algorithm>

#include "EditModel.h"
#include "FieldListRow.h"

namespace {
constexpr int kNarrowColumn = 4;  // a column this narrow or less has no cells on screen
}

CFieldListCtrl::~CFieldListCtrl() { DeleteAllLines(); }

int CFieldListCtrl::SetupList() { return 1; }

void CFieldListCtrl::InsertColumn(const std::string& heading, int width) {
  columns_.push_back(Column{heading, width});
}

void CFieldListCtrl::SetColumnWidth(int column, int width) {
  if (column >= 0 && column < GetColumnCount()) columns_[column].width = width;
}

int CFieldListCtrl::GetColumnWidth(int column) const {
  return column >= 0 && column < GetColumnCount() ? columns_[column].width : 0;
}

const std::string& CFieldListCtrl::GetColumnHeading(int column) const {
  static const std::string kNone;
  return column >= 0 && column < GetColumnCount() ? columns_[column].heading : kNone;
}

// ---- lines ----

int CFieldListCtrl::AddRow(CFieldListRow* row) {
  if (row == nullptr || row->IsLinkRemoved()) return 0;
  auto line = std::make_unique<CFieldLine>(row);
  line->AddCell(row->CreateLabelCell());
  line->AddCell(row->CreateValueCell());
  line->AddCell(row->CreateButtonCell());
  AppendLine(std::move(line));
  return 1;
}

void CFieldListCtrl::AppendLine(std::unique_ptr<CFieldLine> line) {
  CFieldLine* added = line.get();
  lines_.push_back(std::move(line));
  added->Attach(this, GetLineCount() - 1);
  if (platform_ != nullptr) platform_->InvalidateLine(GetLineCount() - 1);
}

void CFieldListCtrl::DeleteAllLines() {
  // Editors go first, without asking the owner to accept anything.
  for (auto& line : lines_) {
    for (int c = 0; c < line->GetCount(); ++c) {
      CFieldCell* cell = line->GetCell(c);
      if (cell->HasEditor()) {
        CFieldListOwner* owner = owner_;
        owner_ = nullptr;
        cell->DestroyEditor();
        owner_ = owner;
      }
    }
  }
  lines_.clear();
  currentLine_ = -1;
}

void CFieldListCtrl::Reload(CEditModel* model, CFieldListRow* row) {
  DeleteAllLines();
  if (model != nullptr) model->FillList(*this);
  int line = row != nullptr ? FindRowIndex(row) : 0;
  if (line < 0) line = 0;
  if (GetLineCount() == 0) return;
  if (!BeginEdit(0, line, true)) MoveNext();
}

CFieldListRow* CFieldListCtrl::FindRowById(int labelId) const {
  const int index = FindRowIndexById(labelId);
  return index >= 0 ? lines_[index]->GetRow() : nullptr;
}

int CFieldListCtrl::FindRowIndexById(int labelId) const {
  for (int i = 0; i < GetLineCount(); ++i) {
    const CFieldListRow* row = lines_[i]->GetRow();
    if (row != nullptr && row->GetLabelId() == labelId) return i;
  }
  return -1;
}

int CFieldListCtrl::FindRowIndex(const CFieldListRow* row) const {
  for (int i = 0; i < GetLineCount(); ++i)
    if (lines_[i]->GetRow() == row) return i;
  return -1;
}

CFieldListRow* CFieldListCtrl::GetRowObject(int line) const {
  const CFieldLine* l = GetLine(line);
  return l != nullptr ? l->GetRow() : nullptr;
}

CFieldLine* CFieldListCtrl::GetLine(int line) const {
  if (line < 0 || line >= GetLineCount()) return nullptr;
  return lines_[line].get();
}

CFieldCell* CFieldListCtrl::GetCell(int column, int line) const {
  const CFieldLine* l = GetLine(line);
  return l != nullptr ? l->GetCell(column) : nullptr;
}

// ---- editing ----

FieldRect CFieldListCtrl::GetCellRect(int column, int line, bool ensureVisible) {
  if (column < 0 || column >= GetColumnCount() || columns_[column].width <= kNarrowColumn)
    return {};
  FieldRect lineRect;
  if (platform_ != nullptr) lineRect = platform_->GetLineRect(line, ensureVisible);
  FieldRect rect;
  rect.left = lineRect.left;
  for (int c = 0; c < column; ++c) rect.left += columns_[c].width;
  rect.right = rect.left + columns_[column].width - 3;
  rect.top = lineRect.top;
  rect.bottom = lineRect.bottom;
  return rect;
}

int CFieldListCtrl::BeginEdit(int column, int line, bool scroll) {
  if (column == currentColumn_ && line == currentLine_) {
    CFieldCell* cell = GetCell(column, line);
    if (cell != nullptr && cell->HasEditor()) return cell->HasEditor();
  }
  if (!EndCurrentEdit(1, 1)) return 0;
  if (column < 0 || column >= GetColumnCount() || line < 0 || line >= GetLineCount()) return 0;
  currentLine_ = line;
  if (platform_ != nullptr) platform_->EnsureColumnVisible(column);
  CFieldCell* cell = GetCell(column, line);
  if (cell == nullptr) return 0;
  currentColumn_ = column;
  if (cell->HasEditor()) return 0;
  return cell->OpenEditor(this, GetCellRect(column, line, scroll), column, line);
}

int CFieldListCtrl::EndEdit(int column, int line, int code1, int code2) {
  CFieldCell* cell = GetCell(column, line);
  if (cell == nullptr) return 1;
  if (platform_ != nullptr) platform_->InvalidateLine(line);
  return cell->CloseEditor(this, code1, code2);
}

int CFieldListCtrl::EndCurrentEdit(int code1, int code2) {
  CFieldCell* cell = GetCurrentCell();
  if (cell == nullptr || !cell->HasEditor()) return 1;
  return EndEdit(currentColumn_, currentLine_, code1, code2);
}

int CFieldListCtrl::SendCellDone(const FieldCellDone& done) {
  return owner_ != nullptr ? owner_->OnCellDone(done) : 0;
}

void CFieldListCtrl::NotifyEditorOpen(CFieldCell* cell, int column, int line) {
  if (owner_ != nullptr) owner_->OnEditorOpen(cell, column, line);
}

std::unique_ptr<CFieldEditor> CFieldListCtrl::CreateEditor(const FieldEditorSetup& setup) {
  return platform_ != nullptr ? platform_->CreateEditor(setup) : nullptr;
}

void CFieldListCtrl::InvalidateRect(const FieldRect& rect) {
  if (platform_ != nullptr) platform_->InvalidateRect(rect);
}

// ---- navigation ----

void CFieldListCtrl::Leave(bool forward) {
  if (platform_ == nullptr) return;
  if (forward)
    platform_->LeaveForward();
  else
    platform_->LeaveBackward();
}

void CFieldListCtrl::MoveNext() { Step(true, false); }

void CFieldListCtrl::MovePrevious() { Step(false, false); }

bool CFieldListCtrl::IsSourcesButton(int column, int line) const {
  const CFieldCell* cell = GetCell(column, line);
  return cell != nullptr && cell->GetKind() == CellKind::kButton;
}

void CFieldListCtrl::Step(bool forward, bool overSources) {
  if (!EndCurrentEdit(1, 1)) return;
  int column = currentColumn_;
  int line = std::max(currentLine_, 0);
  const int columns = GetColumnCount();
  for (;;) {
    if (forward && ++column >= columns) {
      column = 0;
      ++line;
    } else if (!forward && --column < 0) {
      column = columns - 1;
      --line;
    }
    if (line < 0 || line >= GetLineCount()) {
      Leave(forward);
      return;
    }
    if (overSources && IsSourcesButton(column, line)) continue;
    if (BeginEdit(column, line, true)) return;
  }
}

void CFieldListCtrl::MoveDown() {
  if (!EndCurrentEdit(1, 1)) return;
  const int column = std::max(currentColumn_, 0);
  for (int line = currentLine_ + 1;; ++line) {
    if (line >= GetLineCount()) {
      Leave(true);
      return;
    }
    if (BeginEdit(column, line, true)) return;
  }
}

void CFieldListCtrl::MoveUp() {
  if (!EndCurrentEdit(1, 1)) return;
  const int column = std::max(currentColumn_, 0);
  for (int line = currentLine_ - 1;; --line) {
    if (line < 0) {
      Leave(false);
      return;
    }
    if (BeginEdit(column, line, true)) return;
  }
}

void CFieldListCtrl::OnNavigate(int code) {
  const int column = std::max(currentColumn_, 0);
  const int last = GetLineCount() - 1;
  const int page = platform_ != nullptr ? std::max(platform_->GetItemsPerPage(), 1) : 1;
  switch (code) {
    // Tab and Enter-as-Tab move from field to field alike: the sources
    // buttons are reached by a click or by Up and Down among them, so that
    // text typed after either key lands in the next field.
    case fln::kNavEnter:
    case fln::kNavTab:
      Step(true, true);
      break;
    case fln::kNavShiftTab:
      Step(false, true);
      break;
    case fln::kNavPageDown:
      if (!BeginEdit(column, std::min(currentLine_ + page, last), true)) MoveUp();
      break;
    case fln::kNavPageUp:
      if (!BeginEdit(column, std::max(currentLine_ - page, 0), true)) MoveDown();
      break;
    case fln::kNavCtrlHome:
      if (!BeginEdit(column, 0, true)) MoveDown();
      break;
    case fln::kNavCtrlEnd:
      if (!BeginEdit(column, last, true)) MoveUp();
      break;
    case fln::kNavDown:
      MoveDown();
      break;
    case fln::kNavUp:
      MoveUp();
      break;
    default:
      break;
  }
}

void CFieldListCtrl::MoveToValue() {
  if (!BeginEdit(1, std::max(currentLine_, 0), true)) Step(true, true);
}

void CFieldListCtrl::OnButton(int column, int line) {
  EndCurrentEdit(1, 1);
  CFieldCell* cell = GetCell(column, line);
  if (cell == nullptr || owner_ == nullptr) return;
  cell->SetCount(owner_->OnButton(column, line, cell->GetCount()));
}

int CFieldListCtrl::OnLButtonDown(int column, int line) {
  if (!EndCurrentEdit(1, 1)) return 0;
  if (line < 0 || line >= GetLineCount()) return 1;
  if (column < 0 || column >= GetColumnCount()) {
    currentLine_ = line;
    return 1;
  }
  currentColumn_ = column;
  if (platform_ != nullptr) platform_->EnsureColumnVisible(column);
  currentLine_ = line;
  if (!BeginEdit(column, line, true)) MoveNext();
  return 1;
}

void CFieldListCtrl::OnSetFocus() {
  if (GetLineCount() == 0) return;
  CFieldCell* cell = GetCurrentCell();
  if (cell != nullptr && cell->HasEditor()) return;
  if (currentLine_ < 0 || currentColumn_ < 0) {
    currentLine_ = std::max(currentLine_, 0);
    if (!BeginEdit(0, currentLine_, true)) MoveNext();
    return;
  }
  if (BeginEdit(currentColumn_, currentLine_, true)) return;
  if (currentColumn_ == GetColumnCount() - 1 && currentLine_ == GetLineCount() - 1)
    MovePrevious();
  else
    MoveNext();
}

void CFieldListCtrl::MoveCurrentEditor() {
  CFieldCell* cell = GetCurrentCell();
  if (cell == nullptr || !cell->HasEditor()) return;
  cell->MoveEditor(GetCellRect(currentColumn_, currentLine_, false));
}

void CFieldListCtrl::SortByColumn(int column) {
  EndCurrentEdit(1, 1);
  if (owner_ == nullptr) return;
  owner_->OnSorting(column);
  std::stable_sort(lines_.begin(), lines_.end(), [&](const auto& a, const auto& b) {
    const CFieldCell* ca = a->GetCell(column);
    const CFieldCell* cb = b->GetCell(column);
    return owner_->OnCompare(ca != nullptr ? ca->GetItemData() : 0,
                             cb != nullptr ? cb->GetItemData() : 0, column) < 0;
  });
}

int CFieldListCtrl::CharacterMapPosition(int& x, int& y) {
  CFieldCell* cell = GetCurrentCell();
  if (cell == nullptr || !cell->HasEditor()) return 0;
  const FieldRect rect = GetCellRect(currentColumn_, currentLine_, true);
  x = rect.left;
  y = rect.bottom;
  const int height = platform_ != nullptr ? platform_->GetWindowHeight() : 0;
  if (height < kCharacterMapHeight + rect.bottom) y = rect.top - kCharacterMapHeight;
  return 1;
}

int CFieldListCtrl::ShowCharacterMapForCell() {
  int x = 0, y = 0;
  if (!CharacterMapPosition(x, y)) return 0;
  return GetCurrentCell()->ShowCharacterMap(x, y);
}
