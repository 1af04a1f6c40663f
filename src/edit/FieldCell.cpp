#include "FieldCell.h"

#include "Ansel.h"
#include "FieldListCtrl.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

// The button covers its cell with two pixels to spare on every side.
FieldRect ButtonRect(FieldRect rect) {
  rect.left -= 2;
  rect.top -= 4;
  rect.right += 2;
  rect.bottom += 0;
  return rect;
}

}  // namespace

std::string NormalizeCellText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  bool pendingBlank = false;
  for (const char c : text) {
    if (c == ' ') {
      pendingBlank = !out.empty();
      continue;
    }
    if (pendingBlank) out += ' ';
    pendingBlank = false;
    out += c;
  }
  return out;
}

// ---- CFieldCell ----

CFieldCell::CFieldCell(std::string text, int readOnly)
    : text_(std::move(text)), readOnly_(readOnly) {}

// Going with its line: the editor goes without asking anyone.
CFieldCell::~CFieldCell() { editor_.reset(); }

void CFieldCell::SetText(const std::string& text) {
  text_ = text;
  if (editor_) editor_->SetText(text);
}

std::string CFieldCell::GetText() {
  text_ = NormalizeCellText(text_);
  return text_;
}

void CFieldCell::DestroyEditor() {
  if (!editor_) return;
  CloseEditor(list_, 0, 0);
  editor_.reset();
  editorRect_ = FieldRect{};
}

int CFieldCell::Attach(CFieldListCtrl* /*list*/, const FieldRect& /*rect*/, int /*column*/,
                       int /*row*/) {
  return 1;
}

FieldEditorSetup CFieldCell::MakeSetup(const FieldRect& rect) const {
  FieldEditorSetup setup;
  setup.kind = GetKind();
  setup.text = text_;
  setup.rect = rect;
  setup.textLimit = textLimit_;
  setup.cell = const_cast<CFieldCell*>(this);
  return setup;
}

int CFieldCell::OpenEditor(CFieldListCtrl* list, const FieldRect& rect, int column, int row) {
  if (readOnly_ || editor_ || list == nullptr) return 0;
  editorRect_ = rect;
  column_ = column;
  row_ = row;
  editor_ = list->CreateEditor(MakeSetup(rect));
  if (!editor_) {
    editorRect_ = FieldRect{};
    return 0;
  }
  list_ = list;
  list->NotifyEditorOpen(this, column, row);
  return 1;
}

namespace {
constexpr const char* kTextLosesCharacters =
    "The family file cannot hold %1 character(s) of this text; they will be stored as '?'.\n\n"
    "Keep the text as it is?";
constexpr const char* kTextLosesCharactersCaption = "Characters";
}  // namespace

bool AcceptTextLoss(const std::string& typed, int lostInEditor) {
  const int lost = lostInEditor + AnselLossCount(typed);
  return lost == 0 ||
         plat::MessageBox(res::FormatInserts(kTextLosesCharacters, {std::to_string(lost)}),
                          kTextLosesCharactersCaption,
                          plat::kMbYesNo | plat::kMbIconExclamation) == plat::kIdYes;
}

int CFieldCell::CloseEditor(CFieldListCtrl* /*list*/, int code1, int code2) {
  if (!editor_ || list_ == nullptr) return 1;
  if (takesEditorText_) {
    std::string typed = editor_->GetText();
    // A changed text that would lose characters on its way to the family
    // file says so before it is taken; a text left as it was keeps its bytes.
    if (typed != text_ && !AcceptTextLoss(typed, editor_->LostCharacters())) {
      editor_->Focus();
      return 0;
    }
    text_ = std::move(typed);
  }
  FieldCellDone done{list_, this, column_, row_, code1, code2};
  if (list_->SendCellDone(done) > 0) {
    editor_->Focus();
    return 0;
  }
  editorRect_ = FieldRect{};
  editor_.reset();
  return 1;
}

void CFieldCell::MoveEditor(const FieldRect& rect) {
  if (!editor_) return;
  if (list_ != nullptr) list_->InvalidateRect(editorRect_);
  editorRect_ = rect;
  const bool visible = !(rect.top < rect.bottom - rect.top);
  editor_->Place(rect, visible);
  if (visible) editor_->Focus();
}

int CFieldCell::ShowCharacterMap(int x, int y) {
  if (!editor_) return 0;
  return editor_->ShowCharacterMap(x, y);
}

// ---- combo ----

CComboFieldCell::CComboFieldCell(std::string text, CStringListEx* choices, unsigned comboStyle,
                                 int readOnly)
    : CFieldCell(std::move(text), readOnly), choices_(choices), comboStyle_(comboStyle) {}

void CComboFieldCell::SetText(const std::string& text) {
  text_ = text;
  if (editor_) editor_->SelectChoice(text);
}

FieldEditorSetup CComboFieldCell::MakeSetup(const FieldRect& rect) const {
  FieldEditorSetup setup = CFieldCell::MakeSetup(rect);
  setup.choices = choices_;
  setup.comboStyle = comboStyle_;
  setup.options = options_;
  // The combo reaches two pixels higher, so that its edit part sits on the line.
  setup.rect.top -= 2;
  setup.rect.bottom -= 2;
  return setup;
}

// ---- button ----

CButtonFieldCell::CButtonFieldCell(int count, int readOnly) : CFieldCell({}, readOnly) {
  takesEditorText_ = false;
  SetCount(count);
}

std::string CButtonFieldCell::CaptionFor(int count, int readOnly) {
  if (readOnly) return {};
  return (count != 0 ? "*" : "") + res::LoadString(res::kIdsCitationCaption);
}

void CButtonFieldCell::SetText(const std::string& text) {
  text_ = text;
  if (editor_) editor_->SetText(text);
}

void CButtonFieldCell::SetReadOnly(int readOnly) { readOnly_ = readOnly; }

void CButtonFieldCell::SetCount(int count) {
  count_ = count;
  SetText(CaptionFor(count_, readOnly_));
}

FieldEditorSetup CButtonFieldCell::MakeSetup(const FieldRect& rect) const {
  FieldEditorSetup setup = CFieldCell::MakeSetup(ButtonRect(rect));
  return setup;
}

void CButtonFieldCell::MoveEditor(const FieldRect& rect) {
  CFieldCell::MoveEditor(ButtonRect(rect));
}

// ---- line ----

int CFieldLine::AddCell(std::unique_ptr<CFieldCell> cell) {
  if (!cell) return -1;
  cells_.push_back(std::move(cell));
  return GetCount();
}

CFieldCell* CFieldLine::GetCell(int column) const {
  if (column < 0 || column >= GetCount()) return nullptr;
  return cells_[column].get();
}

CFieldCell* CFieldLine::GetFirst() {
  cursor_ = 0;
  return GetNext();
}

CFieldCell* CFieldLine::GetNext() {
  if (cursor_ >= GetCount()) return nullptr;
  return cells_[cursor_++].get();
}

int CFieldLine::Attach(CFieldListCtrl* list, int row) {
  for (int column = 0; column < GetCount(); ++column) {
    const FieldRect rect = list->GetCellRect(column, row, false);
    if (!cells_[column]->Attach(list, rect, column, row)) return 0;
  }
  return 1;
}
