#include "FilterSet.h"

#include <cstring>
#include <limits>

#include "DbCalls.h"
#include "FileHandle.h"
#include "NamedFiles.h"

namespace {

void Put16(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

void Put32(std::string& out, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

bool Get8(const std::string& d, std::size_t& pos, std::uint8_t& v) {
  if (pos + 1 > d.size()) return false;
  v = static_cast<std::uint8_t>(d[pos++]);
  return true;
}

bool Get16(const std::string& d, std::size_t& pos, std::uint16_t& v) {
  if (pos + 2 > d.size()) return false;
  v = static_cast<std::uint16_t>(static_cast<std::uint8_t>(d[pos]) |
                                 (static_cast<std::uint8_t>(d[pos + 1]) << 8));
  pos += 2;
  return true;
}

bool Get32(const std::string& d, std::size_t& pos, std::uint32_t& v) {
  if (pos + 4 > d.size()) return false;
  v = 0;
  for (int i = 0; i < 4; ++i)
    v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(d[pos + i])) << (8 * i);
  pos += 4;
  return true;
}

bool GetI32(const std::string& d, std::size_t& pos, std::int32_t& v) {
  std::uint32_t u = 0;
  if (!Get32(d, pos, u)) return false;
  v = static_cast<std::int32_t>(u);
  return true;
}

// A text of length and bytes; the old layout's length counts a closing zero,
// and the text ends at the first zero byte.
bool GetText(const std::string& d, std::size_t& pos, bool old, std::unique_ptr<std::string>& out) {
  std::uint16_t length = 0;
  if (!Get16(d, pos, length)) return false;
  if (pos + length > d.size()) return false;
  if (old && length == 0) return true;
  std::string text = d.substr(pos, length);
  pos += length;
  if (old) text.resize(std::strlen(text.c_str()));
  out = std::make_unique<std::string>(std::move(text));
  return true;
}

bool GetDate(const std::string& d, std::size_t& pos, std::unique_ptr<CDateValue>& out) {
  auto date = std::make_unique<CDateValue>();
  std::size_t used = 0;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(d.data()) + pos;
  if (!date->Read(std::span<const std::uint8_t>(bytes, d.size() - pos), &used)) return false;
  pos += used;
  out = std::move(date);
  return true;
}

bool GetOldDate(const std::string& d, std::size_t& pos, std::unique_ptr<CDateValue>& out) {
  if (pos + 10 > d.size()) return false;
  auto date = std::make_unique<CDateValue>();
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(d.data()) + pos;
  if (!date->ReadOld(std::span<const std::uint8_t>(bytes, 10))) return false;
  pos += 10;
  out = std::move(date);
  return true;
}

// A bit-set record read from data: false when it is refused or short.
bool ReadBitSetRecord(const std::string& d, std::size_t& pos, CBitSet& set) {
  std::uint32_t bits = 0, stored = 0;
  if (!Get32(d, pos, bits)) return false;
  if (bits == 0) {
    set.Clear();
    return true;
  }
  if (bits > CBitSet::kMaxBits || bits % 8 != 0 || !Get32(d, pos, stored)) return false;
  const std::size_t bytes = bits / 8;
  if (pos + bytes > d.size()) return false;
  if (!set.Init(bits)) return false;
  // SetByte counts the bits itself, so the stored count is not trusted.
  for (std::size_t i = 0; i < bytes; ++i)
    set.SetByte(static_cast<std::int32_t>(i), static_cast<std::uint8_t>(d[pos + i]));
  pos += bytes;
  return true;
}

void PutBitSet(std::string& out, const CBitSet* set) {
  if (!set || set->BitCount() == 0) {
    Put32(out, 0);
    return;
  }
  Put32(out, static_cast<std::int32_t>(set->BitCount()));
  Put32(out, static_cast<std::int32_t>(set->SetCount()));
  for (std::uint32_t i = 0; i < set->ByteCount(); ++i)
    out.push_back(static_cast<char>(set->GetByte(static_cast<std::int32_t>(i))));
}

bool SameText(const std::unique_ptr<std::string>& a, const std::unique_ptr<std::string>& b) {
  if (!a || !b) return !a && !b;
  return *a == *b;
}

// Appends bytes to the end of an existing file.
int AppendToFile(const std::string& path, const std::string& bytes) {
  plat::FileHandle file;
  if (file.Open(path, plat::FileHandle::Access::ReadWrite) != plat::kFileOk) return -1;
  const long long size = file.Size();
  if (size < 0) return -1;
  if (!bytes.empty() && !file.WriteAt(static_cast<std::uint64_t>(size), bytes.data(), bytes.size()))
    return -1;
  return file.Flush() ? 0 : -1;
}

// Opens a named file, reads its header and the whole body after it. The
// header's version, or 0 when the file cannot be opened or read.
int ReadNamedBody(const std::string& path, std::string& name, std::string& body) {
  plat::FileHandle file;
  if (file.Open(path, plat::FileHandle::Access::ReadOnly) != plat::kFileOk) return 0;
  const int version = ReadNamedFileHeader(file, &name);
  if (version == 0) return 0;
  const long long size = file.Size();
  const auto at = static_cast<long long>(file.Tell());
  if (size < at) return 0;
  body.assign(static_cast<std::size_t>(size - at), '\0');
  if (!body.empty() && file.ReadSomeAt(static_cast<std::uint64_t>(at), body.data(), body.size()) !=
                           static_cast<long long>(body.size()))
    return 0;
  return version;
}

}  // namespace

// ---- the criterion ----------------------------------------------------------

CFilterCriterion::CFilterCriterion(const CFilterCriterion& other)
    : fieldId(other.fieldId),
      kind(other.kind),
      subField(other.subField),
      op(other.op),
      value1(other.value1),
      value2(other.value2) {
  if (other.text1) text1 = std::make_unique<std::string>(*other.text1);
  if (other.text2) text2 = std::make_unique<std::string>(*other.text2);
  if (other.date1) date1 = std::make_unique<CDateValue>(*other.date1);
  if (other.date2) date2 = std::make_unique<CDateValue>(*other.date2);
}

bool CFilterCriterion::Equals(const CFilterCriterion& other) const {
  if (fieldId != other.fieldId || kind != other.kind || subField != other.subField ||
      op != other.op)
    return false;
  if (!SameText(text1, other.text1) || !SameText(text2, other.text2)) return false;
  if (date1 && other.date1 && !date1->Equals(*other.date1)) return false;
  if (date2 && other.date2 && !date2->Equals(*other.date2)) return false;
  return value1 == other.value1 && value2 == other.value2;
}

void CFilterCriterion::Write(std::string& out) const {
  Put16(out, fieldId);
  Put16(out, kind);
  Put16(out, subField);
  Put16(out, op);
  std::uint8_t mask = 0;
  if (text1) mask |= kHasText1;
  if (text2) mask |= kHasText2;
  if (date1) mask |= kHasDate1;
  if (date2) mask |= kHasDate2;
  out.push_back(static_cast<char>(mask));
  for (const auto* text : {text1.get(), text2.get()}) {
    if (!text) continue;
    const std::size_t length = std::min<std::size_t>(text->size(), 0xFFFF);
    Put16(out, static_cast<std::uint16_t>(length));
    out.append(*text, 0, length);
  }
  for (const auto* date : {date1.get(), date2.get()}) {
    if (!date) continue;
    const std::vector<std::uint8_t> bytes = date->Write(true);
    out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  Put32(out, value1);
  Put32(out, value2);
}

std::uint16_t CFilterCriterion::MapOldFieldId(std::uint16_t oldId) {
  struct Single {
    std::uint16_t oldId, newId;
  };
  static constexpr Single kSingles[] = {{1813, 4814}, {1814, 4816}, {1815, 4822}, {1816, 4824},
                                        {1817, 4826}, {1818, 4830}, {1819, 4831}, {1820, 4832},
                                        {1821, 4833}, {1822, 4845}, {1823, 4846}, {1824, 4848},
                                        {1870, 4870}, {1871, 4871}};
  if (oldId >= 1800 && oldId <= 1812) return static_cast<std::uint16_t>(oldId + 3000);
  if (oldId >= 1872 && oldId <= 1882) return static_cast<std::uint16_t>(oldId + 3001);
  for (const Single& s : kSingles)
    if (s.oldId == oldId) return s.newId;
  return oldId;
}

bool CFilterCriterion::Read(const std::string& data, std::size_t& pos, int version) {
  text1.reset();
  text2.reset();
  date1.reset();
  date2.reset();
  value1 = value2 = 0;
  if (!Get16(data, pos, fieldId) || !Get16(data, pos, kind) || !Get16(data, pos, subField) ||
      !Get16(data, pos, op))
    return false;
  if (version <= CFilterSet::kDefaultVersion) {
    fieldId = MapOldFieldId(fieldId);
    switch (kind) {
      case 1:
        return GetOldDate(data, pos, date1) && GetOldDate(data, pos, date2);
      case 4:
      case 6:
      case 7:
        return GetI32(data, pos, value1) && GetI32(data, pos, value2);
      case 2:
      case 3:
      case 5:
      case 8:
      case 9:
        return GetText(data, pos, true, text1) && GetText(data, pos, true, text2);
      default:
        return true;
    }
  }
  std::uint8_t mask = 0;
  if (!Get8(data, pos, mask)) return false;
  if ((mask & kHasText1) && !GetText(data, pos, false, text1)) return false;
  if ((mask & kHasText2) && !GetText(data, pos, false, text2)) return false;
  if ((mask & kHasDate1) && !GetDate(data, pos, date1)) return false;
  if ((mask & kHasDate2) && !GetDate(data, pos, date2)) return false;
  return GetI32(data, pos, value1) && GetI32(data, pos, value2);
}

// ---- the set ----------------------------------------------------------------

CFilterSet::CFilterSet(const CFilterSet& other)
    : name(other.name),
      path(other.path),
      combineOp(other.combineOp),
      fieldFilterPresent(other.fieldFilterPresent),
      relationFilterPresent(other.relationFilterPresent),
      formatVersion(other.formatVersion) {
  for (int s = 2; s >= 0; --s) {
    if (!other.sets_[s]) continue;
    sets_[s] = std::make_unique<CBitSet>();
    sets_[s]->Copy(*other.sets_[s]);
  }
  for (const auto& c : other.criteria) criteria.push_back(std::make_unique<CFilterCriterion>(*c));
}

int CFilterSet::IsInSet(int set, std::int32_t rin) const {
  if (BadSet(set) || !sets_[set] || rin <= 0) return -1;
  return sets_[set]->Test(rin);
}

int CFilterSet::SetInSet(int set, std::int32_t rin, int value) {
  if (BadSet(set) || !sets_[set] || rin <= 0) return -1;
  const int result = sets_[set]->SetBit(rin, value != 0);
  if (set != kCombinedSet) UpdateCombined(rin);
  return result;
}

int CFilterSet::CreateSet(int set, std::int32_t highestRin) {
  if (BadSet(set)) return -1;
  sets_[set] = std::make_unique<CBitSet>();
  if (highestRin > 0) sets_[set]->Init(static_cast<std::uint32_t>(highestRin) + 1);
  return 1;
}

int CFilterSet::HasSet(int set) const { return !BadSet(set) && sets_[set] ? 1 : 0; }

void CFilterSet::DeleteSet(int set) {
  if (!BadSet(set)) sets_[set].reset();
}

int CFilterSet::GetCount(int set) const {
  if (BadSet(set)) return -1;
  return sets_[set] ? static_cast<int>(sets_[set]->SetCount()) : 0;
}

int CFilterSet::GetMaxIndex(int set) const {
  if (BadSet(set)) return -1;
  if (!sets_[set] || sets_[set]->BitCount() == 0) return 0;
  return static_cast<int>(sets_[set]->BitCount()) - 1;
}

int CFilterSet::GetByteCount(int set) const {
  if (BadSet(set)) return -1;
  return sets_[set] ? static_cast<int>(sets_[set]->ByteCount()) : 0;
}

int CFilterSet::GetSetByte(int set, int index) const {
  if (BadSet(set)) return 255;
  return sets_[set] ? sets_[set]->GetByte(index) : 0;
}

void CFilterSet::SetSetByte(int set, int index, std::uint8_t value) {
  if (!BadSet(set) && sets_[set]) sets_[set]->SetByte(index, value);
}

CBitSet* CFilterSet::GetBitSet(int set) { return BadSet(set) ? nullptr : sets_[set].get(); }

const CBitSet* CFilterSet::GetBitSet(int set) const {
  return BadSet(set) ? nullptr : sets_[set].get();
}

int CFilterSet::UpdateCombined(std::int32_t rin) {
  if (!sets_[kFieldSet] && !sets_[kRelationSet]) return 0;
  // IsInSet answers -1 for an absent set or a bad rin: not in the set.
  const bool f = fieldFilterPresent ? IsInSet(kFieldSet, rin) == 1 : combineOp == kAnd;
  const bool r = relationFilterPresent ? IsInSet(kRelationSet, rin) == 1
                                       : combineOp == kAnd && fieldFilterPresent;
  bool result = false;
  switch (combineOp) {
    case kAnd:
      result = r && f;
      break;
    case kOr:
      result = r || f;
      break;
    default:
      if (fieldFilterPresent)
        result = relationFilterPresent ? r && !f : f;
      else
        result = r;
      break;
  }
  if (!sets_[kCombinedSet]) {
    const CBitSet& source = sets_[kRelationSet] ? *sets_[kRelationSet] : *sets_[kFieldSet];
    sets_[kCombinedSet] = std::make_unique<CBitSet>();
    sets_[kCombinedSet]->Init(source.BitCount());
  }
  if (rin > 0) sets_[kCombinedSet]->SetBit(rin, result);
  return result ? 1 : 0;
}

void CFilterSet::RecomputeCombined() {
  if (!sets_[kCombinedSet] || (!sets_[kFieldSet] && !sets_[kRelationSet])) return;
  const CBitSet& source = sets_[kRelationSet] ? *sets_[kRelationSet] : *sets_[kFieldSet];
  const auto n = static_cast<std::int32_t>(source.BitCount());
  for (std::int32_t rin = 1; rin < n; ++rin) UpdateCombined(rin);
}

void CFilterSet::ReplaceWithCombined() {
  relationFilterPresent = 1;
  const std::uint32_t bits = sets_[kCombinedSet] ? sets_[kCombinedSet]->BitCount() : 0;
  if (!sets_[kRelationSet]) {
    sets_[kRelationSet] = std::make_unique<CBitSet>();
    sets_[kRelationSet]->Init(bits);
  }
  for (std::uint32_t rin = 1; rin < bits; ++rin) {
    const auto r = static_cast<std::int32_t>(rin);
    sets_[kRelationSet]->SetBit(r, sets_[kCombinedSet]->Test(r));
  }
  sets_[kFieldSet].reset();
}

void CFilterSet::WriteCriteria(const std::vector<std::unique_ptr<CFilterCriterion>>& list,
                               std::string& out) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    list[i]->Write(out);
    out.push_back(i + 1 < list.size() ? 1 : 0);
  }
}

bool CFilterSet::ReadCriteria(const std::string& data, std::size_t& pos, int version,
                              std::vector<std::unique_ptr<CFilterCriterion>>& list) {
  list.clear();
  for (;;) {
    auto c = std::make_unique<CFilterCriterion>();
    std::uint8_t more = 0;
    if (!c->Read(data, pos, version) || !Get8(data, pos, more)) return false;
    list.push_back(std::move(c));
    if (more == 0) return true;
  }
}

int CFilterSet::Save(const std::string& filePath) const {
  std::string out;
  PutBitSet(out, sets_[kRelationSet].get());
  PutBitSet(out, sets_[kFieldSet].get());
  out.push_back(criteria.empty() ? 0 : 1);
  WriteCriteria(criteria, out);
  return AppendToFile(filePath, out);
}

int CFilterSet::Load(const std::string& filePath) {
  const std::int32_t highest = DbGetRIN(std::numeric_limits<std::int32_t>::max(),
                                        db::kQueryIndividuals, db::kWalkPreviousOrSame);
  CFilterSet fresh;
  std::string body;
  fresh.formatVersion = ReadNamedBody(filePath, fresh.name, body);
  if (fresh.formatVersion == 0) return -1;
  fresh.path = filePath;
  fresh.combineOp = combineOp;

  std::size_t pos = 0;
  for (int s : {kRelationSet, kFieldSet}) {
    auto set = std::make_unique<CBitSet>();
    if (!ReadBitSetRecord(body, pos, *set)) return -1;
    if (set->ByteCount() == 0) continue;
    if (highest > 0) {
      if (!set->Resize(static_cast<std::uint32_t>(highest) + 1)) return -1;
      if (s == kRelationSet) fresh.relationFilterPresent = 1;
    }
    fresh.sets_[s] = std::move(set);
  }
  const CBitSet* source =
      fresh.sets_[kRelationSet] ? fresh.sets_[kRelationSet].get() : fresh.sets_[kFieldSet].get();
  if (source) {
    fresh.sets_[kCombinedSet] = std::make_unique<CBitSet>();
    fresh.sets_[kCombinedSet]->Init(source->BitCount());
  }
  std::uint8_t hasCriteria = 0;
  if (!Get8(body, pos, hasCriteria)) return -1;
  if (hasCriteria == 1) {
    if (!ReadCriteria(body, pos, fresh.formatVersion, fresh.criteria)) return -1;
    fresh.fieldFilterPresent = 1;
  }
  if (source) {
    // The delete chain is bounded by the record count, so a damaged chain
    // cannot loop.
    std::int32_t guard = DbGetMaxRecordCount(db::kIndividual) + 1;
    for (std::int32_t rin = DbGetRIN(0, db::kQueryDeletedIndividuals, db::kWalkExact);
         rin > 0 && guard-- > 0;
         rin = DbGetRIN(rin, db::kQueryDeletedIndividuals, db::kWalkExact)) {
      for (int s : {kRelationSet, kFieldSet})
        if (fresh.sets_[s] && fresh.sets_[s]->Test(rin)) fresh.sets_[s]->SetBit(rin, 0);
    }
  }
  fresh.RecomputeCombined();

  name = std::move(fresh.name);
  path = std::move(fresh.path);
  criteria = std::move(fresh.criteria);
  for (int s = 0; s < 3; ++s) sets_[s] = std::move(fresh.sets_[s]);
  fieldFilterPresent = fresh.fieldFilterPresent;
  relationFilterPresent = fresh.relationFilterPresent;
  formatVersion = fresh.formatVersion;
  return 0;
}

int CFilterSet::SaveCriteria(const std::string& filePath) const {
  std::string out;
  WriteCriteria(criteria, out);
  return AppendToFile(filePath, out);
}

int CFilterSet::LoadCriteria(const std::string& filePath) {
  std::string itemName, body;
  const int version = ReadNamedBody(filePath, itemName, body);
  if (version == 0) return -1;
  std::vector<std::unique_ptr<CFilterCriterion>> list;
  std::size_t pos = 0;
  if (!body.empty() && !ReadCriteria(body, pos, version, list)) return -1;
  name = std::move(itemName);
  formatVersion = version;
  criteria = std::move(list);
  return 0;
}
