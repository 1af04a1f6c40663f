#include "ListReports.h"

#include <vector>

#include "CitationRecord.h"
#include "DbCalls.h"
#include "EventValue.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "ListItems.h"
#include "MarriageRecord.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "SourceRecord.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TextMeasure.h"
#include "UserEventRecord.h"

namespace {
// The name suffix the user chose to follow names (0 none, 1 RIN ...).
int AppendVal() { return plat::Profile().GetInt("Options", "AppendVal", 0); }

// Names are fitted with the report device's current font.
class DeviceMeasure : public plat::TextMeasure {
 public:
  explicit DeviceMeasure(rpt::ReportDevice* dc) : dc_(dc) {}
  int TextWidth(std::string_view text) const override { return dc_->GetTextExtent(text).cx; }
  int AverageCharWidth() const override { return dc_->GetTextExtent("x").cx; }
  int PixelsPerInchY() const override { return 1000; }

 private:
  rpt::ReportDevice* dc_;
};

std::string GivenFirst(const CIndividualRecord& record, rpt::ReportDevice* dc, int width) {
  const CIndividualNode node(record, 0, 0, 0, nullptr);
  if (dc == nullptr) return node.FormatName(AppendVal(), 100, 0, nullptr);
  const DeviceMeasure measure(dc);
  return node.FormatName(AppendVal(), 100, width, &measure);
}
}  // namespace

// ---------------------------------------------------------------- notes

void CIndividualNotesListReport::BuildColumns() {
  AddColumn(CReportColumn{{}, DrawRect().left, DrawRect().right, 0, DrawRect().left, 0});
}

int CIndividualNotesListReport::WalkRecords(rpt::ReportDevice* dc, CPrintInfo* info,
                                            plat::ProgressPort* progress, bool* cancelled) {
  if (progress == nullptr) return 0;
  const std::int32_t n = DbGetRecordCount(db::kIndividual);
  progress->Begin({}, n > 0 ? n : 0);
  int pages = 0;
  CIndividualRecord record;
  for (std::int32_t i = 1; i <= n; ++i) {
    if (family::Read(record, i) == 1 && record.numbers[CIndividualRecord::kFirstNote] != 0) {
      const std::string name = GivenFirst(record, dc, GetColumn(0).right - GetColumn(0).left);
      AddRow(dc, info, progress, &pages, std::make_unique<CIndivNotesObject>(name));
    }
    progress->SetPosition(i);
    if (progress->CancelRequested()) {
      if (cancelled != nullptr) *cancelled = true;
      return 0;
    }
  }
  return pages;
}

// ---------------------------------------------------------------- sources

void CSourceListReport::BuildColumns() {
  const rpt::Rect& r = DrawRect();
  AddColumn(CReportColumn{{}, r.left, r.right, 0, r.left, 0});
  AddColumn(CReportColumn{{}, r.left + 500, r.right, 0, r.left + 500, 0});
  AddColumn(CReportColumn{{}, r.left + 1000, r.right, 0, r.left + 1000, 0});
}

int CSourceListReport::WalkRecords(rpt::ReportDevice* dc, CPrintInfo* info,
                                   plat::ProgressPort* progress, bool* cancelled) {
  std::vector<CSourceRecord> list;
  if (DbGetRecord(1, db::kSourceList, &list) != 1) return 0;
  const int c = static_cast<int>(list.size());
  if (progress != nullptr) progress->Begin({}, 2 * c);
  int step = 0;
  CSourceRecord source;
  for (const CSourceRecord& entry : list) {
    if (DbGetRecord(entry.recordNumber, db::kSource, &source, 111) == 1)
      AddSortedRow(std::make_unique<CSourceObject>(entry.recordNumber, source.title));
    if (progress != nullptr) {
      progress->SetPosition(++step);
      if (progress->CancelRequested()) {
        if (cancelled != nullptr) *cancelled = true;
        return 0;
      }
    }
  }
  return SortedWalk(dc, info, progress, c);
}

// ---------------------------------------------------------------- places

namespace {
std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::string SurnameFirst(const CIndividualRecord& record, rpt::ReportDevice* dc, int width) {
  const CIndividualNode node(record, 0, 0, 0, nullptr);
  std::string name;
  if (dc == nullptr) {
    name = node.FormatNameSurnameFirst(100, 0, nullptr);
  } else {
    const DeviceMeasure measure(dc);
    name = node.FormatNameSurnameFirst(100, width, &measure);
  }
  if (AppendVal() != 0) name += "-" + std::to_string(record.GetRecordNumber());
  return name;
}

// An event the record holds: a date, a place or a citation of its own.
bool Holds(const CEventValue& event) {
  return event.date.IsSet() || !CEventValue::IsPlaceEmpty(&event) || event.firstCitation != 0;
}
bool Holds(const COrdinanceValue& ordinance) {
  return ordinance.date.IsSet() || !ordinance.templeCode.empty() || ordinance.firstCitation != 0;
}

std::int32_t DateKey(const CDateValue& date) {
  return static_cast<std::int32_t>(date.year) * 10000 + date.month * 100 + date.day;
}
}  // namespace

std::string CPlaceListReport::FormatPlaceReversed(const std::string (&parts)[4]) {
  if (parts[0].empty() && parts[1].empty() && parts[2].empty() && parts[3].empty()) return {};
  std::string out;
  for (int p = 3; p >= 0; --p) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start <= parts[p].size()) {
      const std::size_t comma = parts[p].find(',', start);
      const std::string piece =
          parts[p].substr(start, comma == std::string::npos ? std::string::npos : comma - start);
      if (piece.empty()) break;  // the pieces stop at the first empty one
      pieces.push_back(Trim(piece));
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
    std::string part;
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) {
      if (!part.empty()) part += ", ";
      part += *it;
    }
    // Once the text has begun, every further part adds its separator.
    if (!out.empty()) out += ", ";
    out += part;
  }
  return out;
}

void CPlaceListReport::BuildColumns() {
  const rpt::Rect& r = DrawRect();
  AddColumn(CReportColumn{{}, r.left, r.left + 1700, 2, r.left, 0});
  AddColumn(CReportColumn{{}, r.left + 2100, r.left + 3600, 0, r.left + 2100, 0});
  AddColumn(CReportColumn{{}, r.left + 3700, r.right, 0, r.left + 3700, 0});
  // The place headings run across the page.
  AddColumn(CReportColumn{{}, r.left, r.right, 0, r.left, 0});
}

void CPlaceListReport::AddEventPlace(const std::string& name, unsigned label,
                                     const CEventValue& event, int category) {
  if (CEventValue::IsPlaceEmpty(&event)) return;
  const std::string date = event.date.IsSet() ? event.date.Format() : std::string();
  AddSortedRow(std::make_unique<CPlaceNameObject>(name, res::LoadString(label), date, category,
                                                  FormatPlaceReversed(event.place),
                                                  DateKey(event.date)));
}

void CPlaceListReport::AddIndividualPlaces(rpt::ReportDevice* dc, const CIndividualRecord& record) {
  const std::string name = SurnameFirst(record, dc, GetColumn(2).right - GetColumn(2).left);
  AddEventPlace(name, 3710, record.birth, 0);
  AddEventPlace(name, 3711, record.christening, 0);
  AddEventPlace(name, 3712, record.death, 5);
  AddEventPlace(name, 3713, record.burial, 0);
  // A baptism kept with a place (the record keeps the place parts only
  // then): the baptism's date with those parts.
  if (!CEventValue::IsPlaceEmpty(&record.fifthEvent)) {
    CEventValue baptism;
    baptism.date = record.baptism.date;
    for (int i = 0; i < 4; ++i) baptism.place[i] = record.fifthEvent.place[i];
    AddEventPlace(name, 7101, baptism, 1);
  }
  const std::int32_t rin = static_cast<std::int32_t>(record.GetRecordNumber());
  const int count = DbGetRelationCount(rin, 101, 1, 1);
  if (count > 0) {
    std::vector<std::int32_t> marriages;
    DbGetRelation(rin, 102, count, marriages);
    for (const std::int32_t mrin : marriages) AddMarriagePlaces(dc, mrin);
  }
  AddUserEventPlaces(name, rin, db::kOwnerIndividual);
}

void CPlaceListReport::AddUserEventPlaces(const std::string& name, std::int32_t owner,
                                          char ownerKind) {
  std::vector<std::int32_t> events;
  DbGetRinList(events, db::kUserEvent, owner, ownerKind);
  for (const std::int32_t number : events) {
    CUserEventRecord event;
    if (family::Read(event, number) == 1) AddUserEventPlace(name, event);
  }
}

void CPlaceListReport::AddUserEventPlace(const std::string& name, CUserEventRecord& event) {
  const CPlaceEventObject* e = event.GetEvent();
  if (e == nullptr) return;
  const std::string place = FormatPlaceReversed(e->place);
  if (place.empty()) return;
  std::unique_ptr<CEventTypeRecord> type;
  event.GetEventType(&type);
  std::string label, date;
  char kind = 0;
  if (type != nullptr) {
    label = type->title;
    kind = type->ownerKind;
  }
  // Event types that keep a digit (or its value) in their kind letter show
  // the description, or the description and the date, in the date column.
  const std::string dateText = e->date.IsSet() ? e->date.Format() : std::string();
  if (kind == 1 || kind == '1') {
    date = event.description;
  } else if (kind == 2 || kind == '2') {
    date = event.description;
    if (!dateText.empty()) date += "-" + dateText;
  }
  AddSortedRow(
      std::make_unique<CPlaceNameObject>(name, label, date, kind, place, DateKey(e->date)));
}

void CPlaceListReport::AddMarriagePlaces(rpt::ReportDevice* dc, std::int32_t mrin) {
  // Met once from each spouse: the first meeting adds the places.
  if (visitedMarriages_.erase(mrin) != 0) return;
  visitedMarriages_.insert(mrin);
  CMarriageRecord marriage;
  if (family::Read(marriage, mrin) != 1) return;
  CIndividualRecord husband, wife;
  if (marriage.husband == 0 || marriage.wife == 0 || family::Read(husband, marriage.husband) != 1 ||
      family::Read(wife, marriage.wife) != 1)
    return;
  const int width = static_cast<int>((GetColumn(2).right - GetColumn(2).left) * 0.45);
  const std::string name = SurnameFirst(husband, dc, width) + "/" + SurnameFirst(wife, dc, width);
  AddEventPlace(name, 7159, marriage.marriage, 4);
  AddUserEventPlaces(name, mrin, db::kOwnerMarriage);
}

int CPlaceListReport::WalkRecords(rpt::ReportDevice* dc, CPrintInfo* info,
                                  plat::ProgressPort* progress, bool* cancelled) {
  if (progress == nullptr) return 0;
  const std::int32_t n = DbGetRecordCount(db::kIndividual);
  progress->Begin({}, n > 0 ? 2 * n : 0);
  visitedMarriages_.clear();
  CIndividualRecord record;
  for (std::int32_t i = 1; i <= n; ++i) {
    if (family::Read(record, i) == 1) AddIndividualPlaces(dc, record);
    progress->SetPosition(i);
    if (progress->CancelRequested()) {
      if (cancelled != nullptr) *cancelled = true;
      return 0;
    }
  }
  return SortedWalk(dc, info, progress, n > 0 ? n : 0);
}

// ---------------------------------------------------------------- citations

void CSourceCitationsListReport::BuildColumns() {
  AddColumn(CReportColumn{{}, DrawRect().left, DrawRect().right, 0, DrawRect().left, 0});
}

void CSourceCitationsListReport::AddCitations(rpt::ReportDevice* dc, CPrintInfo* info,
                                              plat::ProgressPort* progress, int* pages,
                                              const std::string& name, const std::string& label,
                                              std::int32_t owner, char relation) {
  std::vector<std::int32_t> citations;
  DbGetRinList(citations, db::kCitation, owner, relation);
  CCitationRecord citation;
  for (const std::int32_t number : citations) {
    if (DbGetRecord(number, db::kCitation, &citation, 111) != 1) continue;
    if (citation.sourceRin != source_) continue;
    AddRow(dc, info, progress, pages,
           std::make_unique<CRSCitationObject>(citationNumber_++, name, label, citation.pageText));
  }
}

void CSourceCitationsListReport::AddIndividualCitations(rpt::ReportDevice* dc, CPrintInfo* info,
                                                        plat::ProgressPort* progress, int* pages,
                                                        const CIndividualRecord& record) {
  const int width = (DrawRect().right - DrawRect().left) / 2;
  const std::string name = GivenFirst(record, dc, width);
  const std::int32_t rin = static_cast<std::int32_t>(record.GetRecordNumber());
  auto label = [](unsigned id) { return res::LoadString(id); };
  const bool zel = plat::Profile().GetInt("Options", "ShowZEL", 0) != 0;
  AddCitations(dc, info, progress, pages, name, label(3622), rin, 'I');
  const struct {
    const CEventValue& event;
    unsigned label;
    char relation;
  } events[] = {{record.birth, 3710, 'B'},
                {record.christening, 3711, 'C'},
                {record.death, 3712, 'D'},
                {record.burial, 3713, 'R'}};
  for (const auto& e : events)
    if (Holds(e.event))
      AddCitations(dc, info, progress, pages, name, label(e.label), rin, e.relation);
  if (zel) {
    const struct {
      const COrdinanceValue& ordinance;
      unsigned label;
      char relation;
    } ordinances[] = {{record.baptism, 7101, 'A'},
                      {record.endowment, 7207, 'E'},
                      {record.sealingToParents, 3715, 'P'}};
    for (const auto& o : ordinances)
      if (Holds(o.ordinance))
        AddCitations(dc, info, progress, pages, name, label(o.label), rin, o.relation);
  }
  AddUserEventCitations(dc, info, progress, pages, name, rin, db::kOwnerIndividual,
                        db::kOwnerIndividualUserEvent);
  const int count = DbGetRelationCount(rin, 101, 1, 1);
  if (count <= 0) return;
  std::vector<std::int32_t> marriages;
  DbGetRelation(rin, 102, count, marriages);
  for (const std::int32_t mrin : marriages) {
    if (!visitedMarriages_.insert(mrin).second) continue;
    CMarriageRecord marriage;
    if (family::Read(marriage, mrin) != 1) continue;
    auto spouse = [&](std::int32_t spouseRin) {
      CIndividualRecord person;
      std::string text;
      if (spouseRin != 0 && family::Read(person, spouseRin) == 1)
        text = GivenFirst(person, dc, width);
      else if (AppendVal() != 0)
        text = "-0";
      return text == "-0" ? res::LoadString(res::kIdsUnknownUpper) : text;
    };
    const std::string couple = spouse(marriage.husband) + "/" + spouse(marriage.wife);
    if (Holds(marriage.marriage))
      AddCitations(dc, info, progress, pages, couple, label(7159), mrin, 'G');
    if (zel && Holds(marriage.sealingToSpouse))
      AddCitations(dc, info, progress, pages, couple, label(3714), mrin, 'S');
    AddUserEventCitations(dc, info, progress, pages, couple, mrin, db::kOwnerMarriage,
                          db::kOwnerMarriageUserEvent);
  }
}

void CSourceCitationsListReport::AddUserEventCitations(rpt::ReportDevice* dc, CPrintInfo* info,
                                                       plat::ProgressPort* progress, int* pages,
                                                       const std::string& name, std::int32_t owner,
                                                       char ownerKind, char relation) {
  std::vector<std::int32_t> events;
  DbGetRinList(events, db::kUserEvent, owner, ownerKind);
  for (const std::int32_t number : events) {
    CUserEventRecord event;
    if (family::Read(event, number) != 1) continue;
    std::unique_ptr<CEventTypeRecord> type;
    if (event.GetEventType(&type) == nullptr || type == nullptr) continue;
    // A user event's citations hang on the event itself, not on its owner.
    AddCitations(dc, info, progress, pages, name, type->title, number, relation);
  }
}

int CSourceCitationsListReport::WalkRecords(rpt::ReportDevice* dc, CPrintInfo* info,
                                            plat::ProgressPort* progress, bool* cancelled) {
  if (progress == nullptr) return 0;
  citationNumber_ = 1;
  visitedMarriages_.clear();
  CSourceRecord source;
  if (DbGetRecord(source_, db::kSource, &source, 111) != 1) return 0;
  int pages = 0;
  AddRow(dc, info, progress, &pages, std::make_unique<CRSourceObject>(source));
  const std::int32_t n = DbGetRecordCount(db::kIndividual);
  progress->Begin({}, n > 0 ? n : 0);
  CIndividualRecord record;
  for (std::int32_t i = 1; i <= n; ++i) {
    if (family::Read(record, i) == 1) AddIndividualCitations(dc, info, progress, &pages, record);
    progress->SetPosition(i);
    if (progress->CancelRequested()) {
      if (cancelled != nullptr) *cancelled = true;
      return 0;
    }
  }
  return pages;
}
