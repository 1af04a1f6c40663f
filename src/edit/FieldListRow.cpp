#include "FieldListRow.h"

#include "CodePage.h"
#include "EditEnvironment.h"
#include "EditModel.h"
#include "EventValue.h"
#include "FieldListCtrl.h"
#include "NameChecks.h"
#include "OrdinanceObject.h"
#include "StringIds.h"
#include "StringTable.h"
#include "SystemColors.h"
#include "UserEventRecord.h"

namespace {

constexpr int kPlaceLimit = 120;
constexpr int kNameLimit = 120;
constexpr int kDateLimit = 35;
constexpr int kTempleLimit = 50;
constexpr int kTitleLimit = 90;
constexpr int kTempleCodeLength = 5;
constexpr int kPlaceKind = 2;  // place parts in the family file's string store

std::string CellText(CFieldCell* cell) { return cell != nullptr ? cell->GetText() : std::string(); }

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  return plat::AnsiLower(a) == plat::AnsiLower(b);
}

}  // namespace

// ---- base ----

CFieldListRow::CFieldListRow(int labelId, std::string text, int count, int readOnly,
                             CEventObject* linked)
    : labelId_(labelId),
      text_(std::move(text)),
      linked_(linked),
      readOnly_(readOnly),
      count_(count) {}

std::string CFieldListRow::GetLabel() const {
  return labelId_ != 0 ? res::LoadString(static_cast<unsigned>(labelId_)) : std::string();
}

CFieldCell* CFieldListRow::Keep(std::unique_ptr<CFieldCell>& cell, CFieldCell*& slot) {
  slot = cell.get();
  return slot;
}

std::unique_ptr<CFieldCell> CFieldListRow::MakeLabelCell(bool colon, int indent, bool bold) {
  std::unique_ptr<CFieldCell> cell =
      std::make_unique<CEditFieldCell>(GetLabel() + (colon ? ":" : ""), 1);
  cell->SetIndent(indent);
  cell->SetBold(bold ? 1 : 0);
  Keep(cell, labelCell_);
  return cell;
}

std::unique_ptr<CFieldCell> CFieldListRow::CreateLabelCell() {
  return MakeLabelCell(true, 3, true);
}

std::unique_ptr<CFieldCell> CFieldListRow::CreateValueCell() {
  std::unique_ptr<CFieldCell> cell = std::make_unique<CEditFieldCell>(text_, readOnly_);
  cell->SetTextLimit(textLimit_);
  Keep(cell, valueCell_);
  return cell;
}

std::unique_ptr<CFieldCell> CFieldListRow::CreateButtonCell() {
  std::unique_ptr<CFieldCell> cell = std::make_unique<CButtonFieldCell>(count_, 1);
  Keep(cell, buttonCell_);
  return cell;
}

std::unique_ptr<CFieldCell> CFieldListRow::MakeComboCell(CStringListEx* choices) {
  std::unique_ptr<CFieldCell> cell =
      std::make_unique<CComboFieldCell>(text_, choices, GetComboStyle(), readOnly_);
  cell->SetTextLimit(textLimit_);
  Keep(cell, valueCell_);
  return cell;
}

int CFieldListRow::IsChanged(CEditModel*, CFieldListCtrl*, CFieldCell*) { return 0; }
int CFieldListRow::Commit(CEditModel*, CFieldListCtrl*, CFieldCell*) { return 1; }

void CFieldListRow::SetReadOnly(int readOnly) {
  readOnly_ = readOnly;
  if (valueCell_ != nullptr) valueCell_->SetReadOnly(readOnly);
}

bool CFieldListRow::IsLinkRemoved() const {
  return model_ != nullptr && linked_ != nullptr && model_->IsEventRemoved(linked_);
}

std::string EventDateText(const CEventObject* event) {
  if (event == nullptr) return {};
  if (const auto* user = dynamic_cast<const CUserEventRecord*>(event)) return user->GetDateString();
  return event->GetDateText();
}

CFieldListRow* FindRowInList(const std::vector<std::unique_ptr<CFieldListRow>>& rows, int labelId) {
  for (const auto& row : rows)
    if (row->GetLabelId() == labelId) return row.get();
  return nullptr;
}

// ---- text, heading, combo ----

int CTextRow::IsChanged(CEditModel*, CFieldListCtrl*, CFieldCell* cell) {
  return CellText(cell) != text_ ? 1 : 0;
}

int CTextRow::Commit(CEditModel*, CFieldListCtrl*, CFieldCell* cell) {
  text_ = CellText(cell);
  return 1;
}

CSectionHeadingRow::CSectionHeadingRow(int labelId) : CTextRow(labelId, {}, 0, 1, nullptr) {}

namespace {
void PaintHeading(CFieldCell& cell) {
  cell.backgroundColor = plat::GetSystemColor(plat::SystemColor::kButtonFace);
}
}  // namespace

std::unique_ptr<CFieldCell> CSectionHeadingRow::CreateLabelCell() {
  auto cell = MakeLabelCell(false, 0, true);
  PaintHeading(*cell);
  return cell;
}

std::unique_ptr<CFieldCell> CSectionHeadingRow::CreateValueCell() {
  auto cell = CTextRow::CreateValueCell();
  PaintHeading(*cell);
  return cell;
}

std::unique_ptr<CFieldCell> CSectionHeadingRow::CreateButtonCell() {
  auto cell = CTextRow::CreateButtonCell();
  PaintHeading(*cell);
  return cell;
}

CComboRow::CComboRow(int labelId, std::string text, int count, int readOnly, CEventObject* linked,
                     CStringListEx* choices)
    : CTextRow(labelId, std::move(text), count, readOnly, linked), choices_(choices) {}

std::unique_ptr<CFieldCell> CComboRow::CreateValueCell() { return MakeComboCell(choices_); }

// ---- names ----

CFullNameRow::CFullNameRow(std::string text, CStringListEx* choices)
    : CComboRow(res::kIdsGivenName, std::move(text), 0, 0, nullptr, choices) {
  textLimit_ = kNameLimit;
}

std::unique_ptr<CFieldCell> CFullNameRow::CreateValueCell() {
  auto cell = CComboRow::CreateValueCell();
  cell->SetCompletionAllowed(EditEnvironment().options.autoNames ? 1 : 0);
  return cell;
}

int CFullNameRow::IsChanged(CEditModel* model, CFieldListCtrl*, CFieldCell* cell) {
  return model != nullptr ? model->GivenNameDiffers(CellText(cell)) : 0;
}

int CFullNameRow::Commit(CEditModel* model, CFieldListCtrl*, CFieldCell* cell) {
  const std::string text = CellText(cell);
  if (ShouldVerifyNewNames() && !ConfirmNewStrings(text, SplitGivenNameParts(text), 0)) return 0;
  const int answer = model != nullptr ? model->SetGivenName(text, 1) : 0;
  text_ = text;
  if (answer != 0) EditEnvironment().givenNames.Add(text);
  return answer;
}

int CNamePartRow::CheckNewName(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) {
  const std::string text = CellText(cell);
  if (ShouldVerifyNewNames() && !text.empty()) {
    if (!ConfirmNewStrings(text, {text}, 0)) return 0;
    text_ = text;
  }
  CTextRow::Commit(model, list, cell);
  return 1;
}

// ---- yes/no, description, end date ----

CYesNoRow::CYesNoRow(CEventObject* linked, CStringListEx* choices, int count)
    : CComboRow(
          res::kIdsConfidential,
          res::LoadString(linked != nullptr && linked->GetYesNo() ? res::kIdsYes : res::kIdsNo),
          count, 0, linked, choices) {}

int CYesNoRow::IsYes(const std::string& text) {
  return EqualsIgnoringCase(text, res::LoadString(res::kIdsYes)) ? 1 : 0;
}

std::unique_ptr<CFieldCell> CYesNoRow::CreateLabelCell() { return MakeLabelCell(true, 10, false); }

std::unique_ptr<CFieldCell> CYesNoRow::CreateValueCell() {
  auto cell = CComboRow::CreateValueCell();
  cell->SetCompleteMode(0);
  return cell;
}

std::unique_ptr<CFieldCell> CYesNoRow::CreateButtonCell() {
  std::unique_ptr<CFieldCell> cell = std::make_unique<CButtonFieldCell>(count_, 0);
  Keep(cell, buttonCell_);
  return cell;
}

int CYesNoRow::IsChanged(CEditModel*, CFieldListCtrl*, CFieldCell* cell) {
  const int linkedYes = linked_ != nullptr ? linked_->GetYesNo() : 0;
  return IsYes(CellText(cell)) != linkedYes ? 1 : 0;
}

int CYesNoRow::Commit(CEditModel* model, CFieldListCtrl*, CFieldCell* cell) {
  const std::string text = CellText(cell);
  const int answer = model != nullptr ? model->SetEventFlag(linked_, IsYes(text)) : 0;
  text_ = text;
  return answer;
}

CDescriptionRow::CDescriptionRow(CEventObject* event)
    : CFieldListRow(res::kIdsDescription, event != nullptr ? event->GetDescription() : "", 0, 0,
                    event) {}

std::unique_ptr<CFieldCell> CDescriptionRow::CreateLabelCell() {
  return MakeLabelCell(true, 10, false);
}

int CDescriptionRow::IsChanged(CEditModel*, CFieldListCtrl*, CFieldCell* cell) {
  return linked_ != nullptr && CellText(cell) != linked_->GetDescription() ? 1 : 0;
}

int CDescriptionRow::Commit(CEditModel* model, CFieldListCtrl*, CFieldCell* cell) {
  if (linked_ == nullptr || model == nullptr) return 0;
  const std::string text = CellText(cell);
  const int answer = model->SetEventDescription(linked_, text);
  text_ = text;
  return answer;
}

CEndDateRow::CEndDateRow(CEventObject* event)
    : CFieldListRow(res::kIdsEndDate, event != nullptr ? event->GetSecondDateString() : "", 0, 0,
                    event) {}

std::unique_ptr<CFieldCell> CEndDateRow::CreateLabelCell() {
  return MakeLabelCell(true, 10, false);
}

int CEndDateRow::IsChanged(CEditModel*, CFieldListCtrl*, CFieldCell* cell) {
  return linked_ != nullptr && CellText(cell) != linked_->GetSecondDateString() ? 1 : 0;
}

int CEndDateRow::Commit(CEditModel* model, CFieldListCtrl*, CFieldCell* cell) {
  if (linked_ == nullptr || model == nullptr) return 0;
  const std::string text = CellText(cell);
  std::string message;
  const int answer = model->SetEventEndDate(linked_, text, message);
  if (cell != nullptr) cell->SetText(linked_->GetSecondDateString());
  text_ = text;
  return answer;
}

// ---- dates ----

CDateRow::CDateRow(CEventObject* event, CStringListEx* choices, int readOnly)
    : CComboRow(event != nullptr ? event->labelId : 0, EventDateText(event), 0, readOnly, event,
                choices) {
  textLimit_ = kDateLimit;
}

std::unique_ptr<CFieldCell> CDateRow::CreateLabelCell() {
  auto cell = MakeLabelCell(!readOnly_, 3, true);
  cell->textColor = kLabelColor;
  return cell;
}

std::unique_ptr<CFieldCell> CDateRow::CreateValueCell() {
  auto cell = CComboRow::CreateValueCell();
  cell->SetCompletionAllowed(0);
  return cell;
}

int CDateRow::IsChanged(CEditModel*, CFieldListCtrl*, CFieldCell* cell) {
  return linked_ != nullptr && CellText(cell) != EventDateText(linked_) ? 1 : 0;
}

int CDateRow::Commit(CEditModel* model, CFieldListCtrl*, CFieldCell* cell) {
  if (linked_ == nullptr || model == nullptr) return 0;
  const std::string text = CellText(cell);
  std::string message;
  const int answer = model->SetEventDate(linked_, text, message, 1);
  if (cell != nullptr) cell->SetText(EventDateText(linked_));
  text_ = text;
  if (answer != 0) EditEnvironment().dates.Add(text);
  return answer;
}

CEventDateRow::CEventDateRow(CEventObject* event, CDittoList* dates) : CDateRow(event, dates) {}

std::unique_ptr<CFieldCell> CEventDateRow::CreateLabelCell() {
  return CFieldListRow::CreateLabelCell();
}

// ---- places ----

CPlaceRow::CPlaceRow(CEventObject* event, CStringListEx* choices, int labelId)
    : CComboRow(event != nullptr ? labelId : 0, event != nullptr ? event->GetPlaceText() : "",
                event != nullptr ? static_cast<int>(event->GetFirstCitation()) : 0, 0, event,
                choices) {
  textLimit_ = kPlaceLimit;
}

// A recent place is offered, but the letters typed keep their case.
std::unique_ptr<CFieldCell> CPlaceRow::CreateValueCell() {
  auto cell = CComboRow::CreateValueCell();
  cell->SetKeepTyped(1);
  return cell;
}

std::unique_ptr<CFieldCell> CPlaceRow::CreateButtonCell() {
  std::unique_ptr<CFieldCell> cell = std::make_unique<CButtonFieldCell>(count_, 0);
  Keep(cell, buttonCell_);
  return cell;
}

int CPlaceRow::IsChanged(CEditModel*, CFieldListCtrl*, CFieldCell* cell) {
  // A change of letter case alone is a change: what is shown is stored.
  return linked_ != nullptr && CellText(cell) != linked_->GetPlaceText() ? 1 : 0;
}

int CPlaceRow::CheckText(const std::string& text, std::string& message) {
  if (CheckNameCharacters(CCheckedText(text))) return 1;
  message = res::LoadString(res::kIdsNumbersInPlace);
  return 0;
}

int CPlaceRow::StorePlaceText(CEventObject* event, const std::string& text) {
  if (event == nullptr) return 0;
  std::string error;
  return event->SetPlaceText(text, nullptr, error) != 0 ? 1 : 0;
}

int CPlaceRow::Commit(CEditModel* model, CFieldListCtrl*, CFieldCell* cell) {
  if (linked_ == nullptr) return 1;
  const std::string text = CellText(cell);
  if (ShouldVerifyNewNames()) {
    std::string parts[4];
    SplitPlaceParts(text, parts);
    if (!ConfirmNewStrings(text, std::vector<std::string>(parts, parts + 4), kPlaceKind)) return 0;
  }
  std::string message;
  const int answer = model != nullptr ? model->SetEventPlace(linked_, text, message) : 0;
  text_ = text;
  if (answer != 0) EditEnvironment().places.Add(text);
  return answer;
}

namespace {

// The other of the two places of an ordinance is cleared after one commits;
// the citation button moves to the committing line.
void ClearOtherPlace(CFieldListRow& self, CEditModel* model, CFieldListCtrl* list, int otherId,
                     bool restoreTempleDate) {
  if (list == nullptr) return;
  CFieldListRow* other = list->FindRowById(otherId);
  if (other == nullptr) return;
  std::string message;
  other->SetText({});
  if (other->GetLinked() != nullptr && model != nullptr)
    model->SetEventPlace(other->GetLinked(), {}, message);
  const int otherLine = list->FindRowIndex(other);
  if (CFieldCell* value = list->GetCell(1, otherLine)) value->SetText({});
  if (CFieldCell* button = list->GetCell(2, otherLine)) {
    button->SetReadOnly(1);
    button->SetCount(button->GetCount());
  }
  const int ownLine = list->FindRowIndex(&self);
  if (CFieldCell* button = list->GetCell(2, ownLine)) {
    button->SetReadOnly(0);
    button->SetCount(button->GetCount());
  }
  list->InvalidateRect(list->GetCellRect(1, otherLine, false));
  if (restoreTempleDate && other->GetLinked() != nullptr && model != nullptr)
    model->SetEventDate(other->GetLinked(), other->GetLinked()->GetDateText(), message, 1);
}

}  // namespace

CPlaceIfLivingRow::CPlaceIfLivingRow(CEventObject* livePlace, CStringListEx* choices, int count,
                                     int buttonReadOnly)
    : CPlaceRow(livePlace, choices, res::kIdsPlaceIfLiving), buttonReadOnly_(buttonReadOnly) {
  labelId_ = res::kIdsPlaceIfLiving;
  count_ = count;
}

std::unique_ptr<CFieldCell> CPlaceIfLivingRow::CreateButtonCell() {
  std::unique_ptr<CFieldCell> cell = std::make_unique<CButtonFieldCell>(count_, buttonReadOnly_);
  Keep(cell, buttonCell_);
  return cell;
}

int CPlaceIfLivingRow::Commit(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) {
  const int result = CPlaceRow::Commit(model, list, cell);
  if (result != 0 && !text_.empty()) ClearOtherPlace(*this, model, list, res::kIdsTemple, true);
  return result;
}

// ---- temples ----

CTempleOrdinanceRow::CTempleOrdinanceRow(COrdinanceObject* ordinance, CStringListEx* choices,
                                         int labelId)
    : CComboRow(labelId, ordinance != nullptr ? ordinance->GetPlace() : "",
                ordinance != nullptr ? static_cast<int>(ordinance->GetFirstCitation()) : 0, 0,
                ordinance, choices) {
  textLimit_ = kTempleLimit;
}

std::unique_ptr<CFieldCell> CTempleOrdinanceRow::CreateLabelCell() {
  return MakeLabelCell(true, 10, false);
}

std::unique_ptr<CFieldCell> CTempleOrdinanceRow::CreateValueCell() {
  auto cell = CComboRow::CreateValueCell();
  cell->SetKeepLength(kTempleCodeLength);
  cell->SetExactPrefix(0);
  return cell;
}

std::unique_ptr<CFieldCell> CTempleOrdinanceRow::CreateButtonCell() {
  std::unique_ptr<CFieldCell> cell = std::make_unique<CButtonFieldCell>(count_, 0);
  cell->SetBold(1);
  Keep(cell, buttonCell_);
  return cell;
}

int CTempleOrdinanceRow::IsChanged(CEditModel*, CFieldListCtrl*, CFieldCell* cell) {
  return linked_ != nullptr && !linked_->PlaceEquals(CellText(cell)) ? 1 : 0;
}

int CTempleOrdinanceRow::Commit(CEditModel* model, CFieldListCtrl*, CFieldCell* cell) {
  if (linked_ == nullptr || model == nullptr) return 0;
  const std::string text = CellText(cell);
  std::string message;
  const int accepted = model->SetEventPlace(linked_, text, message);
  text_ = text;
  if (!accepted) return 1;
  return model->SetEventDate(linked_, linked_->GetDateText(), message, 1);
}

CTempleRow::CTempleRow(COrdinanceObject* ordinance, CStringListEx* choices, int buttonReadOnly)
    : CTempleOrdinanceRow(ordinance, choices, res::kIdsTemple), buttonReadOnly_(buttonReadOnly) {}

std::unique_ptr<CFieldCell> CTempleRow::CreateButtonCell() {
  std::unique_ptr<CFieldCell> cell = std::make_unique<CButtonFieldCell>(count_, buttonReadOnly_);
  cell->SetBold(1);
  Keep(cell, buttonCell_);
  return cell;
}

int CTempleRow::Commit(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) {
  const int result = CTempleOrdinanceRow::Commit(model, list, cell);
  if (!text_.empty() && linked_ != nullptr && !linked_->GetPlace().empty())
    ClearOtherPlace(*this, model, list, res::kIdsPlaceIfLiving, false);
  return result;
}

// ---- the edit-record model's own rows ----

CSexRow::CSexRow(std::string text, CStringListEx* choices, int readOnly)
    : CComboRow(res::kIdsSex, std::move(text), 0, readOnly, nullptr, choices) {}

std::unique_ptr<CFieldCell> CSexRow::CreateValueCell() {
  auto cell = CComboRow::CreateValueCell();
  cell->SetCompleteMode(0);
  return cell;
}

CSurnameRow::CSurnameRow(std::string text, CStringListEx* choices)
    : CComboRow(res::kIdsSurname, std::move(text), 0, 0, nullptr, choices) {
  textLimit_ = kNameLimit;
}

std::unique_ptr<CFieldCell> CSurnameRow::CreateValueCell() {
  auto cell = CComboRow::CreateValueCell();
  cell->SetCompletionAllowed(EditEnvironment().options.autoNames ? 1 : 0);
  return cell;
}

int CSurnameRow::IsChanged(CEditModel* model, CFieldListCtrl*, CFieldCell* cell) {
  return model != nullptr ? model->SurnameDiffers(CellText(cell)) : 0;
}

int CSurnameRow::Commit(CEditModel* model, CFieldListCtrl*, CFieldCell* cell) {
  const std::string text = CellText(cell);
  if (ShouldVerifyNewNames() && !text.empty()) {
    if (!ConfirmNewStrings(text, {text}, 0)) return 0;
    text_ = text;
  }
  const int answer = model != nullptr ? model->SetSurname(text, 1) : 0;
  if (answer != 0) EditEnvironment().surnames.Add(text);
  return answer;
}

CTitleRow::CTitleRow(bool suffix, std::string text, int count)
    : CNamePartRow(suffix ? res::kIdsTitleSuffix : res::kIdsTitlePrefix, std::move(text), count, 0,
                   nullptr),
      suffix_(suffix) {
  textLimit_ = kTitleLimit;
}

std::unique_ptr<CFieldCell> CTitleRow::CreateLabelCell() { return MakeLabelCell(true, 10, false); }

std::unique_ptr<CFieldCell> CTitleRow::CreateButtonCell() {
  if (!suffix_) return CNamePartRow::CreateButtonCell();
  std::unique_ptr<CFieldCell> cell = std::make_unique<CButtonFieldCell>(count_, 0);
  cell->SetBold(1);
  Keep(cell, buttonCell_);
  return cell;
}

int CTitleRow::IsChanged(CEditModel* model, CFieldListCtrl*, CFieldCell* cell) {
  if (model == nullptr) return 0;
  const std::string text = CellText(cell);
  return suffix_ ? model->TitleSuffixDiffers(text) : model->TitlePrefixDiffers(text);
}

int CTitleRow::Commit(CEditModel* model, CFieldListCtrl* list, CFieldCell* cell) {
  if (!CheckNewName(model, list, cell)) return 0;
  if (model == nullptr) return 1;
  return suffix_ ? model->SetTitleSuffix(text_) : model->SetTitlePrefix(text_);
}

namespace {
std::string EventTypeTitle(CUserEventRecord* event) {
  if (event == nullptr) return {};
  return event->GetLabel();
}
}  // namespace

CUserEventDateRow::CUserEventDateRow(CUserEventRecord* event, CStringListEx* choices, int readOnly)
    : CDateRow(event, choices, readOnly), title_(EventTypeTitle(event)) {}

CUserEventPlaceRow::CUserEventPlaceRow(CUserEventRecord* event, CStringListEx* choices)
    : CPlaceRow(event, choices) {
  count_ = 0;
}

std::unique_ptr<CFieldCell> CUserEventPlaceRow::CreateButtonCell() {
  std::unique_ptr<CFieldCell> cell = std::make_unique<CButtonFieldCell>(0, 1);
  Keep(cell, buttonCell_);
  return cell;
}
