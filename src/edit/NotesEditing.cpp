#include "NotesEditing.h"

#include <algorithm>
#include <cstdio>

#include "ChangeLog.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "FieldCell.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace notes {

namespace {

constexpr int kMaxStandardTags = 48;

bool IsBlank(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 1 && u <= 32;
}

int RecordType(char kind) { return kind == kMarriage ? db::kMarriage : db::kIndividual; }

std::string TagValueName(int position) { return "Tag" + std::to_string(position); }

// printf-style "%s" inserts, in order.
std::string FormatS(std::string text, std::initializer_list<std::string> args) {
  std::size_t from = 0;
  for (const std::string& a : args) {
    const std::size_t at = text.find("%s", from);
    if (at == std::string::npos) break;
    text.replace(at, 2, a);
    from = at + a.size();
  }
  return text;
}

}  // namespace

bool FamilyFileReadOnly() {
  return CurrentDatabase != nullptr && CurrentDatabase->ReadOnly() == CFamilyDatabase::kReadOnly;
}

bool EditGate::IsReadOnly() const { return readOnly ? readOnly() : FamilyFileReadOnly(); }

bool EditGate::Allow() const {
  if (IsReadOnly()) {
    plat::MessageBox(res::LoadString(res::kIdsReadOnlyDevice), "",
                     plat::kMbOk | plat::kMbIconExclamation);
    return false;
  }
  return !checkPassword || checkPassword();
}

std::string TrimForSave(const std::string& text, char kind) {
  std::size_t begin = 0;
  while (begin < text.size() && IsBlank(text[begin])) ++begin;
  std::size_t end = text.size();
  if (kind != kMarriage)
    while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

CNotesSession::CNotesSession(char kind, std::int32_t rin, std::string tag)
    : kind_(kind), rin_(rin), tag_(std::move(tag)) {}

const std::string& CNotesSession::Load() {
  if (!tag_.empty()) {
    loaded_ = DbGetTaggedNote(rin_, tag_, 0, 0, RecordType(kind_));
    taggedFound_ = !loaded_.empty();
  } else {
    loaded_ = DbGetNotes(rin_, 0, RecordType(kind_), 0, 1, 0);
  }
  return loaded_;
}

std::int32_t CNotesSession::FirstNoteBlock() const {
  return DbGetNoteBlock(rin_, RecordType(kind_));
}

void CNotesSession::LogNotesChange() const {
  if (CurrentDatabase != nullptr && CurrentDatabase->host.logChanges)
    DbLogChange(db::kLogNotes, db::kLogModify, rin_, 0, nullptr);
}

bool CNotesSession::Store(const std::string& text) {
  const int type = RecordType(kind_);
  // The tagged replace answers the first note block, 0 also when nothing is
  // left: a failed write shows in the file's count of them.
  const int failures = DbWriteFailures();
  bool stored = true;
  if (!tag_.empty()) {
    stored = DbReplaceTaggedNote(rin_, text, tag_, 0, type) != 0 || DbWriteFailures() == failures;
  } else {
    const std::string kept = TrimForSave(text, kind_);
    if (!kept.empty())
      stored = DbSetNotes(rin_, kept, 0, 0, type) != 0;
    else if (DbGetNoteBlock(rin_, type) != 0)
      stored = DbDeleteNotes(rin_, type) != 0;
  }
  if (stored) LogNotesChange();
  return stored;
}

int CNotesSession::Save(const std::string& edited, const EditGate& gate, int lostInEditor) {
  if (edited == loaded_) return kSaved;
  if (!AcceptTextLoss(edited, lostInEditor)) return 0;
  if (!gate.Allow()) return 0;
  // Notes that did not reach the file (the engine told why) stay in the
  // dialog, so that the text typed is not lost.
  if (!Store(edited)) return 0;
  loaded_ = edited;
  return kSaved;
}

unsigned CNotesSession::DeleteQuestion() const {
  if (kind_ == kMarriage) return 7206;
  return tag_.empty() ? 7148 : 7149;
}

int CNotesSession::Delete(const EditGate& gate, const std::function<bool(unsigned)>& confirm) {
  if (!gate.Allow()) return 0;
  if (confirm && !confirm(DeleteQuestion())) return 0;
  if (!Store("")) return 0;
  loaded_.clear();
  return kDeleted;
}

std::string CNotesSession::Caption(const std::string& name) const {
  return FormatS(res::LoadString(res::kIdsNotesCaption), {tag_, name});
}

CNotesDitto::CNotesDitto(char kind, std::int32_t rin, std::int32_t lastBlock, std::int32_t primary)
    : kind_(kind), lastBlock_(lastBlock), primary_(primary) {
  if (kind_ != kIndividual || rin <= 0) return;
  std::vector<std::int32_t> relatives;
  if (DbGetRelation(rin, db::kRelPreviousSibling, 1, relatives) == 1 && relatives.size() == 3)
    SetRelatives(relatives[1], relatives[2], relatives[0]);
}

void CNotesDitto::SetRelatives(std::int32_t father, std::int32_t mother,
                               std::int32_t olderSibling) {
  father_ = father;
  mother_ = mother;
  olderSibling_ = olderSibling;
}

void CNotesDitto::UseParents(std::int32_t rin, std::int32_t mrin) {
  std::vector<std::int32_t> spouses;
  if (mrin <= 0 || DbGetRelation(mrin, db::kRelSpouses, 2, spouses) != 1 || spouses.size() < 2)
    return;
  const std::vector<std::int32_t> children = DbGetRelationChain(mrin, db::kRelChildren);
  const auto at = std::find(children.begin(), children.end(), rin);
  const std::int32_t before = at != children.end() && at != children.begin() ? *(at - 1) : 0;
  SetRelatives(spouses[0], spouses[1], before);
}

std::int32_t CNotesDitto::Source(DittoSource source) const {
  switch (source) {
    case DittoSource::kLastRecord:
      return lastBlock_;
    case DittoSource::kFather:
      return father_;
    case DittoSource::kMother:
      return mother_;
    case DittoSource::kOlderSibling:
      return olderSibling_;
    case DittoSource::kPrimary:
      return primary_;
  }
  return 0;
}

bool CNotesDitto::Listed(DittoSource source) const {
  return source != DittoSource::kPrimary || Enabled(source);
}

bool CNotesDitto::Enabled(DittoSource source) const {
  const std::int32_t number = Source(source);
  if (number <= 0) return false;
  if (source == DittoSource::kLastRecord) return true;
  return kind_ == kIndividual && DbGetNoteBlock(number, db::kIndividual) != 0;
}

std::string CNotesDitto::Text(DittoSource source, const std::string& tag) const {
  if (!Enabled(source)) return {};
  const int isBlock = source == DittoSource::kLastRecord ? 1 : 0;
  const std::int32_t number = Source(source);
  if (!tag.empty()) return DbGetTaggedNote(number, tag, 0, isBlock, db::kIndividual);
  return DbGetNotes(number, isBlock, db::kIndividual, 0, 1, 0);
}

int CharacterMapTop(int clientHeight, int mapHeight, int caretLineBottom) {
  const int strip = clientHeight - mapHeight;
  return caretLineBottom >= strip ? 1 : strip;
}

ClientSize NotesMinimumSize(int editTop, int editBottomMargin, int helpRight) {
  return {helpRight + 20, editTop + editBottomMargin + 60};
}

TagEntry NormalizeTag(const std::string& typed) {
  TagEntry out;
  std::string text = typed;
  while (!text.empty() && text.back() == ' ') text.pop_back();
  const std::size_t blank = text.find(' ');
  if (blank != std::string::npos) {
    out.warn = true;
    text.resize(blank);
  }
  if (!text.empty() && text.back() != ':') text += ':';
  out.tag = text;
  return out;
}

std::string TagWarningText(const std::string& typed) {
  std::string text = typed;
  while (!text.empty() && text.back() == ' ') text.pop_back();
  const std::string cut = text.substr(0, text.find(' '));
  return FormatS(res::LoadString(res::kIdsTagWarning), {text, cut});
}

std::string NoteTagEntry::Text() const { return std::string(marked ? "*" : " ") + "\t" + tag; }

std::vector<std::string> CNoteTagList::StandardTags() {
  std::vector<std::string> tags;
  for (int i = 0; i < kMaxStandardTags && res::HasString(res::kIdsAllNoteTags + i); ++i)
    tags.push_back(res::LoadString(res::kIdsAllNoteTags + i));
  return tags;
}

int CNoteTagList::PermanentCount() const {
  return static_cast<int>(std::count_if(entries_.begin(), entries_.end(),
                                        [](const NoteTagEntry& e) { return e.permanent; }));
}

int CNoteTagList::IndexOf(const std::string& tag) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].tag == tag) return static_cast<int>(i);
  return -1;
}

void CNoteTagList::WriteFrom(int first) const {
  for (int i = first; i < static_cast<int>(entries_.size()) && entries_[i].permanent; ++i)
    plat::Profile().SetString(kSection, TagValueName(i + 1), entries_[i].tag);
}

void CNoteTagList::DeleteStored(int count) const {
  for (int i = 1; i <= count; ++i) plat::Profile().Remove(kSection, TagValueName(i));
}

void CNoteTagList::Fill(bool hasNotes, const std::vector<std::string>& tagsInNotes) {
  entries_.clear();
  plat::ProfilePort& profile = plat::Profile();
  const std::string missing = "\x01";
  if (profile.GetString(kSection, TagValueName(1), missing) == missing) {
    for (const std::string& tag : StandardTags()) entries_.push_back({tag, false, true});
    WriteFrom(0);
  } else {
    for (int i = 1;; ++i) {
      const std::string tag = profile.GetString(kSection, TagValueName(i), missing);
      if (tag == missing) break;
      entries_.push_back({tag, false, true});
    }
  }
  if (!entries_.empty() && hasNotes) entries_[0].marked = true;
  for (const std::string& tag : tagsInNotes) {
    const int at = IndexOf(tag);
    if (at >= 0)
      entries_[at].marked = true;
    else
      entries_.push_back({tag, true, false});
  }
  selected_ = entries_.empty() ? -1 : 0;
}

bool CNoteTagList::CanChangeSelected() const {
  return selected_ > 0 && selected_ < static_cast<int>(entries_.size()) &&
         entries_[selected_].permanent;
}

bool CNoteTagList::Add(const std::string& tag) {
  if (tag.empty()) return false;
  const int existing = IndexOf(tag);
  bool marked = false;
  if (existing >= 0) {
    if (entries_[existing].permanent) {
      plat::MessageBox(res::LoadString(res::kIdsAlreadyPermanent), "",
                       plat::kMbOk | plat::kMbIconExclamation);
      return false;
    }
    marked = true;
    entries_.erase(entries_.begin() + existing);
  }
  const int permanent = PermanentCount();
  int at = selected_ < 0 ? permanent : std::min(selected_ + 1, permanent);
  if (at < 1) at = std::min(1, permanent);
  entries_.insert(entries_.begin() + at, {tag, marked, true});
  selected_ = at;
  WriteFrom(at);
  return true;
}

bool CNoteTagList::Remove() {
  if (!CanChangeSelected()) return false;
  DeleteStored(PermanentCount());
  const NoteTagEntry removed = entries_[selected_];
  entries_.erase(entries_.begin() + selected_);
  if (removed.marked) entries_.push_back({removed.tag, true, false});
  if (selected_ >= static_cast<int>(entries_.size()))
    selected_ = static_cast<int>(entries_.size()) - 1;
  WriteFrom(0);
  return true;
}

bool CNoteTagList::Modify(const std::string& tag) {
  if (!CanChangeSelected()) return false;
  if (tag == entries_[selected_].tag) return false;
  if (tag.empty()) return Remove();
  const int existing = IndexOf(tag);
  if (existing >= 0 && !entries_[existing].permanent) {
    entries_[selected_] = {tag, true, true};
    entries_.erase(entries_.begin() + existing);
    WriteFrom(selected_);
    return true;
  }
  if (existing >= 0) {
    // The same tag is permanent already: the selected entry goes.
    const int lastPosition = PermanentCount();
    const NoteTagEntry removed = entries_[selected_];
    entries_.erase(entries_.begin() + selected_);
    if (removed.marked) entries_.push_back({removed.tag, true, false});
    WriteFrom(selected_);
    plat::Profile().Remove(kSection, TagValueName(lastPosition));
    if (selected_ >= static_cast<int>(entries_.size()))
      selected_ = static_cast<int>(entries_.size()) - 1;
    return true;
  }
  entries_[selected_] = {tag, false, true};
  WriteFrom(selected_);
  return true;
}

bool CNoteTagList::Move(int delta) {
  if (!CanChangeSelected() || delta == 0) return false;
  const int target = selected_ + (delta < 0 ? -1 : 1);
  if (target < 1 || target >= PermanentCount()) return false;
  std::swap(entries_[selected_], entries_[target]);
  plat::Profile().SetString(kSection, TagValueName(selected_ + 1), entries_[selected_].tag);
  plat::Profile().SetString(kSection, TagValueName(target + 1), entries_[target].tag);
  selected_ = target;
  return true;
}

void CNoteTagList::Defaults(bool hasNotes, const std::vector<std::string>& tagsInNotes) {
  DeleteStored(PermanentCount());
  Fill(hasNotes, tagsInNotes);
}

}  // namespace notes
