#include "FieldFilterEditor.h"

#include <limits>

#include "AppOptions.h"
#include "CodePage.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FileHandle.h"
#include "NamedFiles.h"
#include "StartupTables.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TextRoutines.h"

namespace {

std::vector<std::unique_ptr<CFilterCriterion>> Copies(
    const std::vector<std::unique_ptr<CFilterCriterion>>& list) {
  std::vector<std::unique_ptr<CFilterCriterion>> out;
  out.reserve(list.size());
  for (const auto& c : list) out.push_back(std::make_unique<CFilterCriterion>(*c));
  return out;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos))
    text.replace(pos, from.size(), to), pos += to.size();
}

}  // namespace

CFieldFilterEditor::CFieldFilterEditor(CFilterSet* set, int combineOp, bool readOnly)
    : set_(set), combineOp_(combineOp), readOnly_(readOnly) {
  if (set_) {
    edited_ = Copies(set_->criteria);
    opening_ = std::make_unique<CFilterSet>(*set_);
  }
  selected_ = static_cast<int>(edited_.size());
}

std::vector<std::string> CFieldFilterEditor::Lines() const {
  std::vector<std::string> lines;
  for (const auto& c : edited_) lines.push_back(c->GetDescription());
  lines.emplace_back();
  return lines;
}

void CFieldFilterEditor::Select(int line) {
  if (line >= 0 && line < LineCount()) selected_ = line;
}

CFilterCriterion* CFieldFilterEditor::SelectedCriterion() {
  return selected_ < static_cast<int>(edited_.size()) ? edited_[selected_].get() : nullptr;
}

void CFieldFilterEditor::Insert(std::unique_ptr<CFilterCriterion> criterion) {
  if (!criterion) return;
  edited_.insert(edited_.begin() + selected_, std::move(criterion));
  ++selected_;
}

void CFieldFilterEditor::InsertToken(std::uint16_t tokenId) {
  Insert(std::make_unique<CFilterCriterion>(tokenId, fkind::kToken));
}

void CFieldFilterEditor::Remove() {
  if (selected_ >= static_cast<int>(edited_.size())) return;
  edited_.erase(edited_.begin() + selected_);
}

void CFieldFilterEditor::RemoveAll() {
  edited_.clear();
  selected_ = 0;
}

void CFieldFilterEditor::MoveUp() {
  if (selected_ <= 0 || selected_ >= static_cast<int>(edited_.size())) return;
  std::swap(edited_[selected_], edited_[selected_ - 1]);
  --selected_;
}

void CFieldFilterEditor::MoveDown() {
  if (selected_ + 1 >= static_cast<int>(edited_.size())) return;
  std::swap(edited_[selected_], edited_[selected_ + 1]);
  ++selected_;
}

bool CFieldFilterEditor::CheckSyntax(FilterSyntaxFault* fault) const {
  CFieldFilter::Expression list;
  for (const auto& c : edited_) list.push_back(c.get());
  return CFieldFilter::CheckSyntax(list, fault);
}

bool CFieldFilterEditor::IsUnchanged() const {
  const auto empty = std::vector<std::unique_ptr<CFilterCriterion>>();
  const auto& opening = opening_ ? opening_->criteria : empty;
  if (opening.size() != edited_.size()) return false;
  for (std::size_t i = 0; i < edited_.size(); ++i)
    if (!opening[i]->Equals(*edited_[i])) return false;
  return true;
}

int CFieldFilterEditor::OK(FilterSyntaxFault* fault) {
  if (!CheckSyntax(fault)) return kSyntaxFault;
  CFilterSet* set = Set();
  if (!set) {
    if (edited_.empty()) return kClosed;
    created_ = std::make_unique<CFilterSet>();
    created_->combineOp = combineOp_;
    set = created_.get();
  }
  const std::int32_t highest = DbGetRIN(std::numeric_limits<std::int32_t>::max(),
                                        db::kQueryIndividuals, db::kWalkPreviousOrSame);
  for (int s : {CFilterSet::kFieldSet, CFilterSet::kCombinedSet})
    if (!set->HasSet(s)) set->CreateSet(s, highest);
  set->criteria = Copies(edited_);
  // An empty expression selects nobody: set 0 is left as it was.
  if (!IsUnchanged() && !edited_.empty()) {
    passRan_ = true;
    if (CFieldFilter::RunPass(*set) == CFieldFilter::kPassCancelled) return kPassCancelled;
  }
  opening_.reset();
  return kClosed;
}

void CFieldFilterEditor::Cancel() {
  edited_.clear();
  created_.reset();
  if (!set_ || !opening_) return;
  // Put back the opening criteria, sets 0 and 2 and the field flag.
  set_->criteria = Copies(opening_->criteria);
  set_->fieldFilterPresent = opening_->fieldFilterPresent;
  for (int s : {CFilterSet::kFieldSet, CFilterSet::kCombinedSet}) {
    set_->DeleteSet(s);
    if (!opening_->HasSet(s)) continue;
    set_->CreateSet(s, opening_->GetMaxIndex(s));
    const CBitSet* from = opening_->GetBitSet(s);
    if (CBitSet* to = set_->GetBitSet(s); from && to) to->Copy(*from);
  }
}

int CFieldFilterEditor::SaveFieldFilter(const std::string& path, const std::string& name) const {
  std::string owner;
  {
    plat::FileHandle existing;
    if (existing.Open(path, plat::FileHandle::Access::ReadOnly) == plat::kFileOk) {
      CNamedFileHeader header;
      if (header.Read(existing) != 0) owner = header.owner;
    }
  }
  std::string body;
  CFilterSet::WriteCriteria(edited_, body);
  return WriteNamedFile(path, name, owner, body) == 0 ? 0 : -1;
}

int CFieldFilterEditor::RetrieveFieldFilter(const std::string& path, const std::string& name) {
  fieldListName = name;
  CFilterSet fresh;
  if (fresh.LoadCriteria(path) != 0) return -1;
  if (!set_ && !created_) {
    created_ = std::make_unique<CFilterSet>();
    created_->combineOp = combineOp_;
  }
  CFilterSet* set = Set();
  set->name = fresh.name;
  set->formatVersion = fresh.formatVersion;
  edited_ = std::move(fresh.criteria);
  selected_ = static_cast<int>(edited_.size());
  return 0;
}

void NormalizeCriterionTexts(int kind, std::uint16_t& op, std::string& text1, std::string& text2) {
  // The name screen's operators: 0-5 and 8-9 take text 1, 6-7 none, 10 both.
  if (kind == fkind::kName) {
    if (op == 6 || op == 7) {
      text1.clear();
      text2.clear();
    } else if (op == 10) {
      RemoveAsterisks(text1);
      RemoveAsterisks(text2);
    } else {
      text2.clear();
      if (op > 1) {
        RemoveAsterisks(text1);
      } else if (GetStarredName(text1) == 1) {
        op = static_cast<std::uint16_t>(op + 2);
      }
    }
    return;
  }
  // The text family: 0-3 and 6-7 take text 1, 4-5 none, 8 both.
  if (op == 4 || op == 5) {
    text1.clear();
    text2.clear();
  } else if (op == 8) {
    RemoveAsterisks(text1);
    RemoveAsterisks(text2);
  } else {
    text2.clear();
    if (op > 1) {
      RemoveAsterisks(text1);
    } else if (GetStarredName(text1) == 1) {
      op = static_cast<std::uint16_t>(op + 2);
    }
  }
  if (kind == fkind::kPlace) {
    ReplaceAll(text1, ", ", ",");
    ReplaceAll(text2, ", ", ",");
  }
}

std::vector<std::string> NotesCriterionTags() {
  std::vector<std::string> stored;
  std::string tag;
  for (int i = 1;; ++i) {
    GetNoteTag(i, tag);
    if (tag.empty()) break;
    stored.push_back(tag);
  }
  const std::vector<std::string>& tags = stored.empty() ? GetStandardNoteTags() : stored;
  const std::string all = res::LoadString(res::kIdsAll);
  std::vector<std::string> choices;
  for (const std::string& t : tags)
    if (plat::CompareAnsi(t, all, true) != 0) choices.push_back(t);
  return choices;
}
