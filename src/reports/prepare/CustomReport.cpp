#include "CustomReport.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>

#include "DateValue.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "DiskSort.h"
#include "EventTypeRecord.h"
#include "EventValue.h"
#include "FamilyLinkRecord.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "ListPagination.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "OrdinanceNeeds.h"
#include "PaginationRun.h"
#include "PaginatorState.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "RelationshipCode.h"
#include "ReportDevice.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TextMeasure.h"
#include "TimeStamp.h"
#include "UserEventRecord.h"
#include "ZelQualification.h"

namespace rpt {

namespace {

constexpr std::size_t kMaxField = 255;

struct CustomPageEntry : PageEntry {
  std::int64_t offset = 0;
};

class DeviceMeasure : public plat::TextMeasure {
 public:
  explicit DeviceMeasure(ReportDevice* dc) : dc_(dc) {}
  int TextWidth(std::string_view text) const override { return dc_->GetTextExtent(text).cx; }
  int AverageCharWidth() const override { return dc_->GetTextExtent("x").cx; }
  int PixelsPerInchY() const override { return 1000; }

 private:
  ReportDevice* dc_;
};

bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string FirstLetter(unsigned id) { return res::LoadString(id).substr(0, 1); }

// Four string-store positions, looked up only: a text not in the store
// gives 0, and nothing is added to the family file.
std::string PositionsKey(const std::string (&parts)[4], int kind) {
  std::string key(16, '\0');
  for (int i = 0; i < 4; ++i) {
    const std::int32_t position = DbFindStringPosition(parts[i], kind);
    PutInt32LE(std::span<std::uint8_t>(reinterpret_cast<std::uint8_t*>(key.data()), 16),
               static_cast<std::size_t>(i) * 4, position);
  }
  return key;
}

std::string DateKey(const CDateValue& date) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2d%.2d%.4d%.2d%.2d", date.month, date.day, date.year,
                date.dualYear, date.qualifier);
  return buffer;
}

CDateValue DateOfKey(const std::string& key) {
  CDateValue d;
  auto num = [&](std::size_t at, std::size_t n) {
    return at + n <= key.size() ? std::atoi(key.substr(at, n).c_str()) : 0;
  };
  d.month = static_cast<std::uint8_t>(num(0, 2));
  d.day = static_cast<std::uint8_t>(num(2, 2));
  d.year = static_cast<std::uint16_t>(num(4, 4));
  d.dualYear = static_cast<std::uint8_t>(num(8, 2));
  d.qualifier = static_cast<std::uint8_t>(num(10, 2));
  return d;
}

std::string Fitted(const std::string& text, const CustomReportFieldRequest& r) {
  if (r.dc == nullptr || text.empty()) return text;
  std::string out = text;
  while (!out.empty() && r.dc->GetTextExtent(out).cx > r.widthUnits) out.pop_back();
  return out;
}

std::string NameOf(const CIndividualRecord& person, const CustomReportFieldRequest& r,
                   bool surnameFirst) {
  const CIndividualNode node(person, 0, 0, 0, nullptr);
  if (r.dc == nullptr)
    return surnameFirst ? node.FormatNameSurnameFirst(90, 0, nullptr)
                        : node.FormatName(0, 97, 0, nullptr);
  const DeviceMeasure measure(r.dc);
  return surnameFirst ? node.FormatNameSurnameFirst(90, r.widthUnits, &measure)
                      : node.FormatName(0, 97, r.widthUnits, &measure);
}

std::string NameField(const CIndividualRecord& person, const CustomReportFieldRequest& r,
                      bool surnameFirst) {
  if (!r.sortMode) return NameOf(person, r, surnameFirst);
  std::string parts[4];
  if (surnameFirst) {
    parts[0] = person.surname;
    for (int i = 0; i < 3; ++i) parts[i + 1] = person.givenNames[i];
  } else {
    for (int i = 0; i < 3; ++i) parts[i] = person.givenNames[i];
    parts[3] = person.surname;
  }
  return PositionsKey(parts, 0);
}

std::string DateField(const CDateValue& date, bool sortMode) {
  if (sortMode) return DateKey(date);
  return date.IsSet() ? date.Format() : std::string();
}

std::string PlaceField(const CEventValue& event, const CustomReportFieldRequest& r) {
  if (r.sortMode) {
    const std::string parts[4] = {event.place[3], event.place[2], event.place[1], event.place[0]};
    return PositionsKey(parts, 2);
  }
  if (CEventValue::IsPlaceEmpty(&event)) return {};
  return Fitted(event.FormatPlace(", "), r);
}

std::string Number(long n) { return std::to_string(n); }

std::string Age(const CDateValue& from, const CDateValue& to) {
  if (!from.IsSet() || !to.IsSet()) return {};
  const int years = from.YearsBetween(to, false);
  return years < 0 ? std::string() : Number(years);
}

std::string YesNoOf(int status) {
  if (status == 0) return FirstLetter(5210);
  if (status == 2) return FirstLetter(5211);
  return {};
}

// The individual's first user event whose type title is title.
bool FindUserEvent(std::int32_t rin, const std::string& title, CUserEventRecord& out) {
  std::vector<std::int32_t> events;
  DbGetRinList(events, db::kUserEvent, rin, db::kOwnerIndividual);
  for (const std::int32_t n : events)
    if (n > 0 && family::Read(out, n) == 1 && EqualNoCase(out.GetLabel(), title)) return true;
  return false;
}

// A baptism of the living is kept with the place it was done at.
bool IsLiveBaptism(const CIndividualRecord& p) { return !CEventValue::IsPlaceEmpty(&p.fifthEvent); }

bool HasCitationChain(std::int32_t owner, char kind) {
  std::vector<std::int32_t> chain;
  DbGetRinList(chain, db::kCitation, owner, kind);
  return !chain.empty();
}

// Any citation on the individual's name, events or ordinances, or on one of
// its user events.
bool HasCitations(std::int32_t rin) {
  for (const char kind :
       {db::kOwnerIndividual, db::kOwnerBirth, db::kOwnerChristening, db::kOwnerDeath,
        db::kOwnerBurial, db::kOwnerBaptism, db::kOwnerEndowment, db::kOwnerSealingToParents})
    if (HasCitationChain(rin, kind)) return true;
  std::vector<std::int32_t> events;
  DbGetRinList(events, db::kUserEvent, rin, db::kOwnerIndividual);
  for (const std::int32_t n : events) {
    if (n <= 0) continue;
    if (HasCitationChain(n, db::kOwnerIndividualUserEvent)) return true;
    CUserEventRecord event;
    if (family::Read(event, n) == 1 && event.GetFirstCitation() != 0) return true;
  }
  return false;
}

// The relationship letter of the individual to the father (or the mother)
// of its parents' family, from the family link to that family; without
// one, from its first link that names a family.
std::string ParentRelationLetter(const CIndividualRecord& p, bool father) {
  std::vector<std::int32_t> links;
  DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents,
                    static_cast<std::int32_t>(p.GetRecordNumber()), 0);
  const std::int32_t parents = p.numbers[CIndividualRecord::kParentsMrin];
  char letter = 0;
  for (const std::int32_t n : links) {
    CFamilyLinkRecord link;
    if (n <= 0 || DbGetRecord(n, db::kFamilyLink, &link) != 1 || !link.HasFamily()) continue;
    if (letter == 0 || link.mrin == parents)
      letter = father ? link.firstParentRelation : link.secondParentRelation;
    if (link.mrin == parents) break;
  }
  return letter > ' ' ? std::string(1, letter) : std::string();
}

// The label of the christening slot: its own event type's title, else
// "Christening".
std::string ChristeningLabel(const CIndividualRecord& p) {
  const std::int32_t type = p.numbers[CIndividualRecord::kChristeningType];
  CEventTypeRecord record;
  if (type > 0 && DbGetRecord(type, db::kEventType, &record) == 1 && !record.title.empty())
    return record.title;
  return res::LoadString(res::kIdsChristening);
}

CDateValue StampDate(std::int32_t stamp) {
  CDateValue date;
  if (stamp != 0) date.SetFromTime(StampToTime(stamp));
  return date;
}

std::string NotesOf(std::int32_t rin, const std::string& option) {
  if (EqualNoCase(option, res::LoadString(res::kIdsAllNoteTags)))
    return DbGetNotes(rin, 0, db::kIndividual, 0, 1, 0);
  return DbGetTaggedNote(rin, option, 0, 0, db::kIndividual);
}

const CCustomReportLayout*& SortingLayout() {
  static const CCustomReportLayout* layout = nullptr;
  return layout;
}

// The sort's progress text goes to the PAGINATOR window's text.
class PaginatorTextPort : public plat::ProgressPort {
 public:
  explicit PaginatorTextPort(PaginatorWindow& window) : window_(window) {}
  void Begin(const std::string&, int) override {}
  void SetPosition(int) override {}
  void SetText(const std::string& text) override { window_.SetText(text); }
  bool CancelRequested() override { return false; }
  void End() override {}

 private:
  PaginatorWindow& window_;
};

int CompareForSortFile(const void* a, const void* b) {
  return CompareCustomReportLines(*SortingLayout(), static_cast<const std::uint8_t*>(a),
                                  static_cast<const std::uint8_t*>(b));
}

}  // namespace

bool HoldsStorePositions(std::int32_t id) {
  switch (id) {
    case 6000:
    case 6001:
    case 6007:
    case 6008:
    case 6019:
    case 6010:
    case 6012:
    case 6014:
    case 6018:
    case 6021:
    case 6023:
    case 6025:
    case 6049:
      return true;
    default:
      return false;
  }
}

bool IsCustomMarriageField(std::int32_t id) {
  return (id >= 6015 && id <= 6019) || id == 6029 || id == 6030 || id == 6038 || id == 6039 ||
         id == 6042;
}

std::string CutNoteText(const std::string& text, int width) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += '/';
    } else {
      out += text[i];
    }
  }
  if (width < 0) width = 0;
  const auto w = static_cast<std::size_t>(width);
  if (out.size() > w) out = w > 2 ? out.substr(0, w - 3) + "..." : out.substr(0, w);
  return out;
}

std::string FormatCustomReportField(const CustomReportFieldRequest& r, const CIndividualRecord& p,
                                    const CMarriageRecord* m) {
  const auto rin = static_cast<std::int32_t>(p.GetRecordNumber());
  std::string out;
  switch (r.fieldId) {
    // ---- texts
    case 6002:
      out = p.suffix;
      break;
    case 6005:
      out = p.texts1[0];
      break;
    case 6035:
      out = p.endowment.templeCode;
      break;
    case 6037:
      out = p.sealingToParents.templeCode;
      break;
    case 6039:
      out = m != nullptr ? m->sealingToSpouse.templeCode : std::string();
      break;
    case 6052:
      out = p.title;
      break;
    case 6053:
      out = p.nameExtensions[1];
      break;
    case 6054:
      out = p.nameExtensions[0];
      break;
    case 6055:
      out = p.texts2[1];
      break;
    case 6056:
      out = p.texts2[0];
      break;
    case 6057:
      out = p.texts2[2];
      break;
    case 6058:
      out = p.texts1[1];
      break;
    case 6064:
    case 6065:
    case 6066:
    case 6067:
    case 6068:
    case 6069:
    case 6070:
    case 6071: {
      static constexpr int kContact[] = {
          CIndividualRecord::kContactName,       CIndividualRecord::kContactAddress1,
          CIndividualRecord::kContactCity,       CIndividualRecord::kContactState,
          CIndividualRecord::kContactPostalCode, CIndividualRecord::kContactCountry,
          CIndividualRecord::kContactPhone,      CIndividualRecord::kContactEmail};
      out = p.contact[kContact[r.fieldId - 6064]];
      break;
    }
    // ---- numbers
    case 6004:
      out = Number(rin);
      break;
    case 6006: {
      const std::int32_t parents = p.numbers[CIndividualRecord::kParentsMrin];
      if (parents != 0) out = Number(parents);
      break;
    }
    case 6015:
      if (m != nullptr) out = Number(static_cast<long>(m->GetRecordNumber()));
      break;
    case 6028:
      out = Number(std::max(0, DbGetRelationCount(rin, db::kRelSpouses, 0, 1)));
      break;
    case 6029:
      if (m != nullptr)
        out = Number(std::max(0, DbGetRelationCount(static_cast<std::int32_t>(m->GetRecordNumber()),
                                                    db::kRelChildren, 0, 0)));
      break;
    case 6063:
      out = Number(std::max(0, DbGetRelationCount(rin, db::kRelFather, 0, 1)));
      break;
    case 6030:
      if (m != nullptr) out = Age(p.birth.date, m->marriage.date);
      break;
    case 6031:
      out = Age(p.birth.date, p.death.date);
      break;
    // ---- dates
    case 6009:
      return DateField(p.birth.date, r.sortMode);
    case 6013:
      return DateField(p.christening.date, r.sortMode);
    case 6017:
      return m != nullptr ? DateField(m->marriage.date, r.sortMode) : std::string();
    case 6020:
      return DateField(p.death.date, r.sortMode);
    case 6024:
      return DateField(p.burial.date, r.sortMode);
    case 6032:
      return DateField(p.baptism.date, r.sortMode);
    case 6034:
      return DateField(p.endowment.date, r.sortMode);
    case 6036:
      return DateField(p.sealingToParents.date, r.sortMode);
    case 6059:
      return DateField(StampDate(p.numbers[CIndividualRecord::kCreatedStamp]), r.sortMode);
    case 6060:
      return DateField(StampDate(p.numbers[CIndividualRecord::kUpdatedStamp]), r.sortMode);
    case 6038:
      return m != nullptr ? DateField(m->sealingToSpouse.date, r.sortMode) : std::string();
    // ---- places
    case 6010:
      return PlaceField(p.birth, r);
    case 6014:
      return PlaceField(p.christening, r);
    case 6018:
      return m != nullptr ? PlaceField(m->marriage, r) : std::string();
    case 6021:
      return PlaceField(p.death, r);
    case 6025:
      return PlaceField(p.burial, r);
    // ---- either-or
    case 6011:
    case 6012:
    case 6022:
    case 6023: {
      const bool birthPair = r.fieldId <= 6012;
      const CEventValue& first = birthPair ? p.birth : p.death;
      const CEventValue& second = birthPair ? p.christening : p.burial;
      const bool date = r.fieldId == 6011 || r.fieldId == 6022;
      const bool useFirst = !IsEventValueEmpty(first);
      const CEventValue& event = useFirst ? first : second;
      out = date ? DateField(event.date, r.sortMode) : PlaceField(event, r);
      if (r.sortMode) return out;
      if (!useFirst && !out.empty()) out += "*";
      break;
    }
    // ---- names
    case 6000:
      return NameField(p, r, true);
    case 6001:
      return NameField(p, r, false);
    case 6007:
    case 6008:
    case 6019: {
      std::int32_t other = 0;
      if (r.fieldId == 6019) {
        if (m == nullptr) return {};
        other = m->husband == r.currentRin ? m->wife : m->husband;
      } else {
        CMarriageRecord parents;
        const std::int32_t mrin = p.numbers[CIndividualRecord::kParentsMrin];
        if (mrin > 0 && family::Read(parents, mrin) == 1)
          other = r.fieldId == 6007 ? parents.husband : parents.wife;
      }
      CIndividualRecord person;
      if (other <= 0 || family::Read(person, other) != 1) return {};
      if (r.sortMode) return NameField(person, r, true);
      out = NameOf(person, r, false);
      break;
    }
    // ---- letters
    case 6003:
      out = p.sex == 'M' ? FirstLetter(5208) : p.sex == 'F' ? FirstLetter(5209) : " ";
      break;
    case 6016:
      if (m != nullptr)
        out = m->status == 'D'   ? FirstLetter(5213)
              : m->status == 'M' ? FirstLetter(5212)
              : m->status == 'N' ? FirstLetter(5222)
                                 : "";
      break;
    case 6061:
    case 6062:
      out = ParentRelationLetter(p, r.fieldId == 6061);
      break;
    // ---- yes / no
    case 6027:
      out = YesNoOf(DbGetMultimediaHead(rin, db::kIndividual) > 0 ? 0 : 2);
      break;
    case 6043:
      out = YesNoOf(IsLiveBaptism(p) ? 0 : 2);
      break;
    case 6044:
      out = YesNoOf(HasCitations(rin) ? 0 : 2);
      break;
    case 6046: {
      std::vector<std::int32_t> events;
      DbGetRinList(events, db::kUserEvent, rin, db::kOwnerIndividual);
      out = YesNoOf(events.empty() ? 2 : 0);
      break;
    }
    case 6047: {
      CUserEventRecord event;
      out = YesNoOf(FindUserEvent(rin, r.option, event) ? 0 : 2);
      break;
    }
    case 6040: {
      if (NeedsOrdinance(&p.baptism) == 0 && NeedsOrdinance(&p.endowment) == 0) break;
      int reason = 0;
      out = YesNoOf(GetZelStatus(rin, 0, kZelEndowment, reason));
      break;
    }
    case 6041: {
      if (NeedsOrdinance(&p.sealingToParents) == 0) break;
      int reason = 0;
      out = YesNoOf(GetZelStatus(rin, p.numbers[CIndividualRecord::kParentsMrin],
                                 kZelSealingToParents, reason));
      break;
    }
    case 6042: {
      if (m == nullptr || CDateValue::GetOrdinanceState(&m->sealingToSpouse.date, 'S') != 0) break;
      int reason = 0;
      out = YesNoOf(GetZelStatus(r.currentRin, static_cast<std::int32_t>(m->GetRecordNumber()),
                                 kZelSealingToSpouse, reason));
      break;
    }
    case 6033:
      if (!IsLiveBaptism(p)) {
        out = p.baptism.templeCode;
      } else {
        // The place of a baptism of the living, marked; its key is the text.
        CustomReportFieldRequest display = r;
        display.sortMode = false;
        out = PlaceField(p.fifthEvent, display) + "*";
      }
      break;
    // ---- notes
    case 6026:
      if (r.sortMode) return Number(r.widthChars);
      out = CutNoteText(NotesOf(rin, r.option), r.widthChars);
      break;
    case 6045:
      out = ChristeningLabel(p);
      break;
    // ---- user events
    case 6048:
    case 6049:
    case 6050:
    case 6051: {
      CUserEventRecord event;
      if (!FindUserEvent(rin, r.option, event)) break;
      if (r.fieldId == 6051) {
        if (event.yesNo != 0) out.assign(1, event.yesNo);
      } else if (r.fieldId == 6050) {
        out = event.description;
      } else if (r.fieldId == 6049) {
        CEventValue value;
        if (const CDateValue* d = event.GetDate()) value.date = *d;
        if (const auto* e = event.GetEvent())
          for (int i = 0; i < 4; ++i) value.place[i] = e->place[i];
        return PlaceField(value, r);
      } else {
        const CDateValue first = event.GetDate() != nullptr ? *event.GetDate() : CDateValue();
        if (r.sortMode) return DateKey(first);
        out = first.IsSet() ? first.Format() : "";
        if (event.secondDate.IsSet())
          out = res::FormatString(res::kIdsDateRange, {out, event.secondDate.Format()})
                    .substr(0, 254);
      }
      break;
    }
    case 6073: {
      const CRelationshipCode code(p.linkText.c_str());
      if (code.IsSet()) out = code.GetName(true, false);
      break;
    }
    default:
      break;
  }
  if (out.size() > kMaxField) out.resize(kMaxField);
  return out;
}

// ---------------------------------------------------------------- the pass

std::size_t CustomReportRecordSize(const CCustomReportLayout& layout) {
  return 9 + kCustomKeySlot * layout.sortKeys.size();
}

int CompareCustomReportLines(const CCustomReportLayout& layout, const std::uint8_t* a,
                             const std::uint8_t* b) {
  for (std::size_t k = 0; k < layout.sortKeys.size(); ++k) {
    const CCustomReportSortKey& key = *layout.sortKeys[k];
    const std::uint8_t* sa = a + 8 + k * kCustomKeySlot;
    const std::uint8_t* sb = b + 8 + k * kCustomKeySlot;
    auto text = [&](const std::uint8_t* slot, const std::uint8_t* record) {
      if (key.kind == CCustomReportSortKey::kText && HoldsStorePositions(key.fieldId)) {
        std::string joined;
        for (int i = 0; i < 4; ++i) {
          const std::int32_t position =
              GetInt32LE(std::span<const std::uint8_t>(slot, 16), static_cast<std::size_t>(i) * 4);
          std::string part;
          if (position == 0 || DbGetString(position, part) != 1) part = " ";
          joined += (i == 0 ? "" : " ") + part;
        }
        return joined;
      }
      if (key.kind == CCustomReportSortKey::kNotes) {
        const int width =
            std::atoi(std::string(reinterpret_cast<const char*>(slot),
                                  strnlen(reinterpret_cast<const char*>(slot), kCustomKeySlot))
                          .c_str());
        const std::int32_t rin = GetInt32LE(std::span<const std::uint8_t>(record, 4), 0);
        return CutNoteText(NotesOf(rin, key.option), width);
      }
      return std::string(reinterpret_cast<const char*>(slot),
                         strnlen(reinterpret_cast<const char*>(slot), kCustomKeySlot));
    };
    int result = 0;
    if (key.kind == CCustomReportSortKey::kDate) {
      const int c = DateOfKey(text(sa, a)).SortCompare(DateOfKey(text(sb, b)));
      result = c == 2 ? 0 : (c > 0) - (c < 0);
    } else if (key.kind == CCustomReportSortKey::kNumber) {
      const long x = std::atol(text(sa, a).c_str()), y = std::atol(text(sb, b).c_str());
      result = (x > y) - (x < y);
    } else if (key.kind > CCustomReportSortKey::kNotes) {
      result = 0;
    } else {
      const int c = Lower(text(sa, a)).compare(Lower(text(sb, b)));
      result = (c > 0) - (c < 0);
    }
    if (key.ascending == 0) result = -result;
    if (result != 0) return result;
  }
  const std::int32_t ma = GetInt32LE(std::span<const std::uint8_t>(a, 8), 4) % 100;
  const std::int32_t mb = GetInt32LE(std::span<const std::uint8_t>(b, 8), 4) % 100;
  return (ma > mb) - (ma < mb);
}

namespace {
int& LinesPerPage() {
  static int lines = 0;
  return lines;
}
const CCustomReportLayout*& PassLayout() {
  static const CCustomReportLayout* layout = nullptr;
  return layout;
}
}  // namespace

int CustomReportLinesPerPage() { return LinesPerPage(); }

int PaginateCustomReport(const std::vector<std::int32_t>& rins, const CCustomReportLayout& layout,
                         int lines) {
  PaginatorState& state = Paginator();
  LinesPerPage() = lines;
  PassLayout() = &layout;
  const std::size_t size = CustomReportRecordSize(layout);
  bool marriageFields = false;
  for (const auto& c : layout.columns) marriageFields |= IsCustomMarriageField(c->fieldId);
  for (const auto& k : layout.sortKeys) marriageFields |= IsCustomMarriageField(k->fieldId);
  const std::int32_t highest = rins.empty() ? 0 : *std::max_element(rins.begin(), rins.end());
  const std::string caption = res::LoadString(res::kIdsCustomReport);

  struct Walk {
    std::size_t next = 0;
    std::uint32_t written = 0;
    int pages = 0;
    int lineCounter = 0;
  };
  auto walk = std::make_shared<Walk>();
  PaginationPass pass;
  pass.title = caption;
  pass.fileErrorName = caption;
  pass.neededBytes = static_cast<std::uint64_t>(std::max(highest, 0));
  pass.files = {{&state.workFile, "~KorDUPLS.TMP"}};
  pass.cleanup = [] { CleanupCustomReportPages(); };
  pass.batch = [=, &state, &layout]() -> BatchResult {
    if (walk->next >= rins.size()) {
      state.recordCounter = walk->written;
      if (!layout.sortKeys.empty() && walk->written > 1) {
        SortingLayout() = &layout;
        SortFileBlock block;
        block.file = state.workFile.File();
        block.count = walk->written;
        block.recordSize = size;
        block.compare = CompareForSortFile;
        PaginatorTextPort text(CurrentPaginatorWindow());
        block.progress = &text;
        block.restoreText = PaginatorWindow::PreparingText();
        const int sorted = SortFileInPlace(block);
        SortingLayout() = nullptr;
        if (sorted != 1) return BatchResult::DiskFull;
      }
      if (lines > 0)
        for (std::uint32_t i = 0; i < walk->written; i += static_cast<std::uint32_t>(lines)) {
          auto entry = std::make_unique<CustomPageEntry>();
          entry->page = static_cast<std::int32_t>(state.pageEntries.size()) + 1;
          entry->key = entry->page;
          entry->offset = static_cast<std::int64_t>(i) * static_cast<std::int64_t>(size);
          state.pageEntries.push_back(std::move(entry));
        }
      return BatchResult::Done;
    }
    const std::int32_t rin = rins[walk->next++];
    CIndividualRecord person;
    // An unreadable individual keeps its line with empty keys; the pass goes on.
    const bool read = family::Read(person, rin) == 1;
    std::vector<std::int32_t> marriages;
    if (read && marriageFields && DbGetRelationCount(rin, db::kRelSpouses, 0, 1) > 0)
      DbGetRelationList(marriages, db::kRelSpouses, 0, rin, 0);
    const std::size_t count = std::max<std::size_t>(marriages.size(), 1);
    std::int32_t lastMrin = 0;
    CMarriageRecord marriage;
    bool marriageRead = false;
    for (std::size_t j = 0; j < count; ++j) {
      std::vector<std::uint8_t> record(size, 0);
      PutInt32LE(record, 0, rin);
      const std::int32_t mrin = j < marriages.size() ? marriages[j] : 0;
      if (mrin > 0 && mrin != lastMrin) {
        marriageRead = family::Read(marriage, mrin) == 1;
        lastMrin = mrin;
      }
      if (mrin > 0) PutInt32LE(record, 4, mrin * 100 + static_cast<std::int32_t>(j));
      for (std::size_t k = 0; k < layout.sortKeys.size() && read; ++k) {
        const CCustomReportSortKey& key = *layout.sortKeys[k];
        const bool marriageKey = IsCustomMarriageField(key.fieldId);
        if (marriageKey && (mrin == 0 || !marriageRead)) continue;
        CustomReportFieldRequest request;
        request.fieldId = key.fieldId;
        request.option = key.option;
        request.sortMode = true;
        request.currentRin = marriageKey ? rin : 0;
        for (const auto& c : layout.columns)
          if (c->fieldId == key.fieldId) request.widthChars = c->width;
        const std::string text =
            FormatCustomReportField(request, person, marriageKey ? &marriage : nullptr);
        std::memcpy(record.data() + 8 + k * kCustomKeySlot, text.data(),
                    std::min(text.size(), kCustomKeySlot));
      }
      if (!state.workFile.WriteRecord(walk->written, record)) return BatchResult::DiskFull;
      ++walk->written;
      if (walk->lineCounter == 0) {
        ++walk->pages;
        CurrentPaginatorWindow().SetNumber(walk->pages);
      }
      if (lines > 0 && ++walk->lineCounter >= lines) walk->lineCounter = 0;
    }
    return BatchResult::More;
  };
  pass.pageCount = [&state, walk, lines] {
    return lines > 0 ? static_cast<int>(state.pageEntries.size()) : (walk->written > 0 ? 1 : 0);
  };
  return RunPagination(state, CurrentPaginatorWindow(), pass);
}

std::int64_t CustomReportLineCount() { return Paginator().recordCounter; }

bool ReadCustomReportLine(std::int64_t n, CustomReportLine& out) {
  PaginatorState& state = Paginator();
  const CCustomReportLayout* layout = PassLayout();
  if (layout == nullptr || n < 0 || n >= static_cast<std::int64_t>(state.recordCounter) ||
      !state.workFile.IsOpen())
    return false;
  std::vector<std::uint8_t> record(CustomReportRecordSize(*layout));
  if (!state.workFile.ReadRecord(static_cast<std::uint64_t>(n), record)) return false;
  out.rin = GetInt32LE(record, 0);
  out.marriageRef = GetInt32LE(record, 4);
  out.keys.assign(reinterpret_cast<const char*>(record.data() + 8), record.size() - 9);
  return true;
}

std::int64_t CustomReportPageStart(int page) {
  const auto* entry = page >= 1 ? dynamic_cast<const CustomPageEntry*>(
                                      GetPageEntry(Paginator(), static_cast<std::size_t>(page - 1)))
                                : nullptr;
  if (entry == nullptr || PassLayout() == nullptr) return -1;
  return entry->offset / static_cast<std::int64_t>(CustomReportRecordSize(*PassLayout()));
}

void CleanupCustomReportPages() {
  PaginatorState& state = Paginator();
  state.pageEntries.clear();
  state.workFile.CloseAndDelete();
  state.recordCounter = 0;
}

}  // namespace rpt
