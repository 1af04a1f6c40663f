#include "CustomDialogModels.h"

#include <algorithm>

#include "AppOptions.h"
#include "CustomFieldCatalog.h"
#include "CustomLayoutFile.h"
#include "DbCalls.h"
#include "EventTypeRecord.h"
#include "StartupTables.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {
namespace {

bool IsNameForm(std::int32_t id) { return id == kFieldSurnameGiven || id == kFieldGivenSurname; }

bool StartsWith(const std::string& text, const std::string& prefix) {
  return !prefix.empty() && text.compare(0, prefix.size(), prefix) == 0;
}

// The question a field asks: the option, or false when cancelled. Fields
// without a question answer "" at once.
bool AskOption(const CustomFieldQuestions& questions, std::int32_t id, std::string& option) {
  option.clear();
  if (id == kFieldNotes) return questions.noteTag && questions.noteTag(option);
  if (IsCustomUserEventField(id)) return questions.eventType && questions.eventType(option);
  return true;
}

}  // namespace

std::vector<CustomFieldChoice> CustomPossibleFields(bool showZel) {
  std::vector<CustomFieldChoice> out;
  for (const CustomFieldInfo& field : CustomFieldCatalog()) {
    if (field.zelOnly && !showZel) continue;
    std::string label = CustomFieldLabel(field.id);
    if (label.empty()) continue;
    out.push_back({field.id, std::move(label)});
  }
  return out;
}

bool IsCustomUserEventField(std::int32_t id) {
  return id >= kFieldHasSpecificUserEvent && id <= kFieldUserEventConfidence;
}

std::vector<std::string> CustomNoteTags() {
  std::vector<std::string> tags;
  std::string tag;
  for (int i = 1;; ++i) {
    GetNoteTag(i, tag);
    if (tag.empty()) break;
    tags.push_back(tag);
  }
  if (tags.empty()) {
    if (GetStandardNoteTags().empty()) LoadStandardNoteTags();
    tags = GetStandardNoteTags();
  }
  return tags;
}

std::vector<std::string> CustomEventTypeTitles() {
  std::vector<CEventTypeRecord> all;
  std::vector<std::string> titles;
  if (DbGetRecord(0, db::kEventTypeList, &all) <= 0) return titles;
  for (const CEventTypeRecord& listed : all) {
    CEventTypeRecord type;
    if (DbGetRecord(listed.recordNumber, db::kEventType, &type) == 1 && !type.title.empty())
      titles.push_back(type.title);
  }
  std::sort(titles.begin(), titles.end());
  return titles;
}

std::string CustomOptionSuffix(std::int32_t id, const std::string& option) {
  if (id != kFieldNotes && !IsCustomUserEventField(id)) return {};
  return " (" + option + ")";
}

// ---- Report Fields ----------------------------------------------------------

CCustomFieldsModel::CCustomFieldsModel(const CCustomReportLayout& layout, bool showZel,
                                       CustomFieldQuestions questions)
    : possible_(CustomPossibleFields(showZel)), questions_(std::move(questions)) {
  if (!possible_.empty()) possibleSelection_ = {0};
  for (const auto& column : layout.columns) {
    const std::int32_t id = column->fieldId;
    std::string text = IsCustomUserEventField(id) ? CustomFieldHeading(id) : CustomFieldLabel(id);
    text += CustomOptionSuffix(id, column->option);
    entries_.push_back({std::move(text), std::make_unique<CCustomReportColumn>(*column)});
  }
  selected_ = ColumnCount();
}

void CCustomFieldsModel::SetPossibleSelection(std::vector<int> indices) {
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  std::erase_if(indices, [&](int i) { return i < 0 || i >= static_cast<int>(possible_.size()); });
  possibleSelection_ = std::move(indices);
}

std::string CCustomFieldsModel::EntryText(int index) const {
  return index >= 0 && index < ColumnCount() ? entries_[index].text : std::string();
}

void CCustomFieldsModel::Select(int index) { selected_ = std::clamp(index, 0, ColumnCount()); }

CCustomReportColumn* CCustomFieldsModel::SelectedColumn() {
  return selected_ < ColumnCount() ? entries_[selected_].column.get() : nullptr;
}

bool CCustomFieldsModel::HasText(const std::string& text) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [&](const Entry& e) { return e.text == text; });
}

bool CCustomFieldsModel::HasField(std::int32_t id) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [&](const Entry& e) { return e.column->fieldId == id; });
}

bool CCustomFieldsModel::HasNameColumn() const {
  const std::string a = CustomFieldLabel(kFieldSurnameGiven);
  const std::string b = CustomFieldLabel(kFieldGivenSurname);
  return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) {
    return StartsWith(e.text, a) || StartsWith(e.text, b);
  });
}

void CCustomFieldsModel::Add() {
  if (!CanAdd()) return;
  const std::vector<int> chosen = possibleSelection_;
  for (const int index : chosen) {
    const CustomFieldChoice& field = possible_[index];
    std::string option;
    if (!AskOption(questions_, field.id, option)) continue;
    std::string text;
    if (field.id == kFieldNotes)
      text = field.text;
    else
      text = CustomFieldHeading(field.id);
    text += CustomOptionSuffix(field.id, option);
    if (IsNameForm(field.id) ? HasNameColumn() : HasText(text)) continue;
    auto column = std::make_unique<CCustomReportColumn>();
    column->fieldId = field.id;
    column->width = CustomFieldWidth(field.id);
    column->heading = text;
    column->option = option;
    entries_.insert(entries_.begin() + selected_, Entry{std::move(text), std::move(column)});
    ++selected_;
  }
  if (chosen.empty()) return;
  const int last = chosen.back();
  const int count = static_cast<int>(possible_.size());
  int next = last == 0 ? 2 : last + 1;
  if (next >= count) next = count - 1;
  possibleSelection_ = {next};
}

void CCustomFieldsModel::Remove() {
  if (!CanRemove()) return;
  entries_.erase(entries_.begin() + selected_);
}

void CCustomFieldsModel::RemoveAll() {
  entries_.clear();
  selected_ = 0;
}

void CCustomFieldsModel::Move(int delta) {
  if (selected_ >= ColumnCount() || delta == 0) return;
  const int target = delta > 0 ? selected_ + 1 : selected_ - 1;
  if (target < 0 || target >= ColumnCount()) return;
  std::swap(entries_[selected_], entries_[target]);
  selected_ = target;
}

bool CCustomFieldsModel::CanAdd() const {
  bool surnameFirst = false, givenFirst = false, asks = false, fresh = false;
  const bool nameHeld = HasNameColumn();
  for (const int index : possibleSelection_) {
    const std::int32_t id = possible_[index].id;
    surnameFirst |= id == kFieldSurnameGiven;
    givenFirst |= id == kFieldGivenSurname;
    if (id == kFieldNotes || IsCustomUserEventField(id))
      asks = true;
    else if (IsNameForm(id) ? !nameHeld : !HasField(id))
      fresh = true;
  }
  if (surnameFirst && givenFirst) return false;
  return asks || fresh;
}

bool CCustomFieldsModel::CanRemove() const { return selected_ < ColumnCount(); }

void CCustomFieldsModel::Apply(CCustomReportLayout& layout) {
  layout.columns.clear();
  for (Entry& entry : entries_) layout.columns.push_back(std::move(entry.column));
  entries_.clear();
  selected_ = 0;
}

// ---- Column Options ---------------------------------------------------------

bool ApplyColumnOptions(CCustomReportColumn& column, const std::string& heading, int width) {
  if (width < kCustomLayoutMinWidth || width > kCustomLayoutMaxWidth) return false;
  column.heading = heading;
  column.width = width;
  return true;
}

std::string ColumnOptionsCaption(const std::string& caption, std::int32_t fieldId) {
  return caption + ": " + CustomFieldLabel(fieldId);
}

// ---- Sort Order ---------------------------------------------------------------

CCustomSortModel::CCustomSortModel(const CCustomReportLayout& layout, bool showZel,
                                   CustomFieldQuestions questions)
    : possible_(CustomPossibleFields(showZel)), questions_(std::move(questions)) {
  for (const auto& key : layout.sortKeys) {
    std::string label =
        CustomFieldLabel(key->fieldId) + CustomOptionSuffix(key->fieldId, key->option);
    entries_.push_back({std::move(label), std::make_unique<CCustomReportSortKey>(*key)});
  }
  selected_ = KeyCount();
  addEnabled_ = KeyCount() < kMaxKeys && !possible_.empty();
  UpdateKeyControls();
}

std::string CCustomSortModel::TextOf(const Entry& entry) const {
  return res::LoadString(entry.key->ascending ? res::kIdsAscending : res::kIdsDescending) + "\t" +
         entry.label;
}

std::string CCustomSortModel::EntryText(int index) const {
  return index >= 0 && index < KeyCount() ? TextOf(entries_[index]) : std::string();
}

void CCustomSortModel::SelectPossible(int index) {
  if (index < 0 || index >= static_cast<int>(possible_.size())) return;
  possibleSelected_ = index;
  addEnabled_ = KeyCount() < kMaxKeys;
}

void CCustomSortModel::UpdateKeyControls() { keyControls_ = selected_ < KeyCount(); }

void CCustomSortModel::SelectEntry(int index) {
  selected_ = std::clamp(index, 0, KeyCount());
  UpdateKeyControls();
  if (keyControls_) ascending_ = entries_[selected_].key->ascending != 0;
}

void CCustomSortModel::SetAscending(bool ascending) {
  ascending_ = ascending;
  if (selected_ < KeyCount()) entries_[selected_].key->ascending = ascending ? 1 : 0;
}

void CCustomSortModel::Toggle(int index) {
  if (index < 0 || index >= KeyCount()) return;
  selected_ = index;
  CCustomReportSortKey& key = *entries_[index].key;
  key.ascending = key.ascending ? 0 : 1;
  ascending_ = key.ascending != 0;
  UpdateKeyControls();
}

void CCustomSortModel::Add() {
  if (!addEnabled_ || KeyCount() >= kMaxKeys || possible_.empty()) return;
  const CustomFieldChoice& field = possible_[possibleSelected_];
  std::string option;
  if (!AskOption(questions_, field.id, option)) return;
  std::string label = (field.id == kFieldNotes ? CustomFieldLabel(kFieldNotes) : field.text) +
                      CustomOptionSuffix(field.id, option);
  auto key = std::make_unique<CCustomReportSortKey>();
  key->fieldId = field.id;
  key->ascending = ascending_ ? 1 : 0;
  key->kind = CustomFieldSortKind(field.id);
  key->option = option;
  Entry entry{std::move(label), std::move(key)};
  const std::string text = TextOf(entry);
  const bool exists = std::any_of(entries_.begin(), entries_.end(),
                                  [&](const Entry& e) { return TextOf(e) == text; });
  if (!exists) {
    entries_.insert(entries_.begin() + selected_, std::move(entry));
    ++selected_;
  }
  keyControls_ = KeyCount() < kMaxKeys && selected_ < KeyCount();
  const int last = static_cast<int>(possible_.size()) - 1;
  if (possibleSelected_ == last) {
    addEnabled_ = false;
    return;
  }
  possibleSelected_ = possibleSelected_ == 0 ? std::min(2, last) : possibleSelected_ + 1;
  addEnabled_ = KeyCount() < kMaxKeys;
}

void CCustomSortModel::Remove() {
  if (selected_ >= KeyCount()) return;
  entries_.erase(entries_.begin() + selected_);
  if (entries_.empty()) selected_ = 0;
  addEnabled_ = true;
  UpdateKeyControls();
}

void CCustomSortModel::Apply(CCustomReportLayout& layout) {
  layout.sortKeys.clear();
  for (Entry& entry : entries_) layout.sortKeys.push_back(std::move(entry.key));
  entries_.clear();
  selected_ = 0;
}

}  // namespace rpt
