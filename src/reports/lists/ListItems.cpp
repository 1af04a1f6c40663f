#include "ListItems.h"

#include <cstdio>

#include "AnselCompare.h"
#include "DbCalls.h"
#include "ListReports.h"
#include "PersistentFile.h"
#include "RTFDocument.h"
#include "RTFElements.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"
#include "StringIds.h"
#include "StringTable.h"

KOR_IMPLEMENT_DYNCREATE(CIndivNotesObject, 1)
KOR_IMPLEMENT_DYNCREATE(CRSCitationObject, 1)
KOR_IMPLEMENT_DYNCREATE(CSourceObject, 1)
KOR_IMPLEMENT_DYNCREATE(CMarriageObject, 1)
KOR_IMPLEMENT_DYNCREATE(CUnlinkedObject, 1)

namespace {
// The family file's alphabetic order with case ignored: <0, 0 or >0.
int Collate(const std::string& a, const std::string& b) {
  const int r = KeyCompare(a, b, true);
  return r == kAlphaBefore ? -1 : (r == kAlphaAfter ? 1 : 0);
}

// That order, in which equal keys answer -1.
int CompareKeys(const std::string& a, const std::string* b) {
  if (b == nullptr) return -1;
  const int r = Collate(a, *b);
  return r == 0 ? -1 : r;
}

// One line of text in column 0 of its own row.
int PrintOneLine(CListReport& report, rpt::ReportDevice* dc, CRTFDocument* document,
                 const std::string& text, bool measuring) {
  report.StartRow(report.CurrentY());
  report.SelectFont(dc, 0);
  report.WriteCellText(dc, 0, text, measuring, true);
  report.WriteRTFRow(dc, document, report.GetRowBottom(), 0);
  return report.IsBelowPage(0) ? 1 : 0;
}
}  // namespace

// ---------------------------------------------------------------- notes

int CIndivNotesObject::Compare(const CPersistentObject* other) const {
  const auto* o = dynamic_cast<const CIndivNotesObject*>(other);
  return CompareKeys(name_, o != nullptr ? &o->name_ : nullptr);
}

void CIndivNotesObject::Store(CPersistentFile* file) const { file->WriteString(name_); }
void CIndivNotesObject::Load(CPersistentFile* file) { file->ReadString(name_); }

int CIndivNotesObject::PrintRow(CListReport& report, rpt::ReportDevice* dc, CPrintInfo*,
                                CRTFDocument* document, bool measuring) {
  return PrintOneLine(report, dc, document, name_, measuring);
}

CRSCitationObject::CRSCitationObject(int number, const std::string& name, const std::string& label,
                                     const std::string& pageText) {
  name_ = std::to_string(number) + ". " + name + " (" + label + "). " + pageText;
}

int CRSCitationObject::Compare(const CPersistentObject*) const { return -1; }

// ---------------------------------------------------------------- sources

int CSourceObject::Compare(const CPersistentObject* other) const {
  const auto* o = dynamic_cast<const CSourceObject*>(other);
  return CompareKeys(title_, o != nullptr ? &o->title_ : nullptr);
}

void CSourceObject::Store(CPersistentFile* file) const {
  file->WriteDword(static_cast<std::uint32_t>(number_));
  file->WriteString(title_);
}

void CSourceObject::Load(CPersistentFile* file) {
  number_ = static_cast<std::int32_t>(file->ReadDword());
  file->ReadString(title_);
}

int CSourceObject::PrintRow(CListReport& report, rpt::ReportDevice* dc, CPrintInfo*,
                            CRTFDocument* document, bool measuring) {
  CSourceRecord source;
  if (DbGetRecord(number_, db::kSource, &source, 111) != 1) return 0;
  CRepositoryRecord repository;
  const bool haveRepository =
      source.repositoryRin != 0 &&
      DbGetRecord(source.repositoryRin, db::kRepository, &repository, 111) == 1;

  auto line = [&](int column, const std::string& text) {
    report.StartRow(report.CurrentY());
    report.WriteCellText(dc, column, text, measuring, true);
    report.WriteRTFRow(dc, document, report.GetRowBottom(), 0);
  };
  auto labelled = [&](int column, unsigned label, const std::string& value) {
    if (!value.empty()) line(column, res::LoadString(label) + " " + value);
  };
  report.SelectFont(dc, 1);
  report.StartRow(report.CurrentY());
  // An empty title still makes its (bold, empty) row.
  report.WriteCellText(dc, 0, source.title.empty() ? " " : source.title, measuring, true);
  report.WriteRTFRow(dc, document, report.GetRowBottom(), 0);
  report.SelectFont(dc, 0);
  labelled(1, res::kIdsAuthorLabel, source.author);
  labelled(1, res::kIdsPublicationLabel, source.publication);
  labelled(1, res::kIdsWhereToFindLabel, haveRepository ? repository.name : std::string());
  labelled(2, res::kIdsCallNumberLabel, source.callNumber);
  labelled(1, res::kIdsSourceCommentsLabel, source.comments);
  line(1, " ");
  return report.IsBelowPage(0) ? 1 : 0;
}

// ---------------------------------------------------------------- marriage, unlinked

int CMarriageObject::Compare(const CPersistentObject* other) const {
  const auto* o = dynamic_cast<const CMarriageObject*>(other);
  return CompareKeys(texts[0], o != nullptr ? &o->texts[0] : nullptr);
}

void CMarriageObject::Store(CPersistentFile* file) const {
  file->WriteDword(static_cast<std::uint32_t>(number));
  for (const std::string& t : texts) file->WriteString(t);
}

void CMarriageObject::Load(CPersistentFile* file) {
  number = static_cast<std::int32_t>(file->ReadDword());
  for (std::string& t : texts) file->ReadString(t);
}

int CMarriageObject::PrintRow(CListReport& report, rpt::ReportDevice* dc, CPrintInfo*,
                              CRTFDocument*, bool measuring) {
  if (report.IsRTFMode()) return 0;
  if (measuring) {
    report.SetCurrentY(report.CurrentY() - CListReport::kLineHeight);
    return report.IsBelowPage(0) ? 1 : 0;
  }
  report.StartRow(report.CurrentY());
  report.SelectFont(dc, 0);
  report.WriteCellText(dc, 0, std::to_string(number), false, true);
  for (int i = 1; i <= 4; ++i) report.WriteCellText(dc, i, texts[i], false, true);
  report.SetCurrentY(report.GetRowBottom());
  return report.IsBelowPage(0) ? 1 : 0;
}

int CUnlinkedObject::Compare(const CPersistentObject* other) const {
  const auto* o = dynamic_cast<const CUnlinkedObject*>(other);
  return CompareKeys(texts[0], o != nullptr ? &o->texts[0] : nullptr);
}

void CUnlinkedObject::Store(CPersistentFile* file) const {
  file->WriteDword(static_cast<std::uint32_t>(number));
  for (const std::string& t : texts) file->WriteString(t);
}

void CUnlinkedObject::Load(CPersistentFile* file) {
  number = static_cast<std::int32_t>(file->ReadDword());
  for (std::string& t : texts) file->ReadString(t);
}

int CUnlinkedObject::PrintRow(CListReport& report, rpt::ReportDevice* dc, CPrintInfo*,
                              CRTFDocument* document, bool measuring) {
  if (report.IsRTFMode()) {
    if (document != nullptr)
      document->AddElement(std::make_unique<CRTFText>(
          std::to_string(number) + "\t" + texts[0] + "\t" + texts[1] + "\t" + texts[2] + "\r", 0,
          20, false, false, false, CRTFText::kNone, false));
    return 0;
  }
  report.StartRow(report.CurrentY());
  report.SelectFont(dc, 0);
  report.WriteCellText(dc, 0, std::to_string(number), measuring, true);
  for (int i = 0; i < 3; ++i) report.WriteCellText(dc, i + 1, texts[i], measuring, true);
  report.SetCurrentY(report.GetRowBottom());
  return report.IsBelowPage(0) ? 1 : 0;
}

// ---------------------------------------------------------------- places

KOR_IMPLEMENT_DYNCREATE(CPlaceNameObject, 1)

int CPlaceNameObject::Compare(const CPersistentObject* other) const {
  const auto* o = dynamic_cast<const CPlaceNameObject*>(other);
  if (o == nullptr) return -1;
  if (const int r = Collate(place, o->place); r != 0) return r;
  if (const int r = Collate(name, o->name); r != 0) return r;
  if (dateKey != o->dateKey) return dateKey < o->dateKey ? -1 : 1;
  return -1;
}

void CPlaceNameObject::Store(CPersistentFile* file) const {
  file->WriteString(name);
  file->WriteString(label);
  file->WriteString(date);
  file->WriteDword(static_cast<std::uint32_t>(category));
  file->WriteString(place);
  file->WriteDword(static_cast<std::uint32_t>(dateKey));
}

void CPlaceNameObject::Load(CPersistentFile* file) {
  file->ReadString(name);
  file->ReadString(label);
  file->ReadString(date);
  category = static_cast<std::int32_t>(file->ReadDword());
  file->ReadString(place);
  dateKey = static_cast<std::int32_t>(file->ReadDword());
}

int CPlaceNameObject::PrintRow(CListReport& report, rpt::ReportDevice* dc, CPrintInfo*,
                               CRTFDocument* document, bool measuring) {
  auto* places = dynamic_cast<CPlaceListReport*>(&report);
  if (places == nullptr || places->GetLastPlace() != place) {
    report.StartRow(report.CurrentY());
    report.SelectFont(dc, 1);
    report.WriteCellText(dc, 3, place, measuring, true);
    report.WriteRTFRow(dc, document, report.GetRowBottom(), 0);
    if (places != nullptr) places->SetLastPlace(place);
  }
  report.StartRow(report.CurrentY());
  report.SelectFont(dc, 0);
  report.WriteCellText(dc, 0, date, measuring, true);
  report.WriteCellText(dc, 1, label, measuring, true);
  report.WriteCellText(dc, 2, name, measuring, true);
  report.WriteRTFRow(dc, document, report.GetRowBottom(), 0);
  return report.IsBelowPage(0) ? 1 : 0;
}

// ---------------------------------------------------------------- citation heading

KOR_IMPLEMENT_DYNCREATE(CRSourceObject, 1)

CRSourceObject::CRSourceObject(const CSourceRecord& source) {
  texts[0] = source.title + " " + source.publication;
  texts[1] = source.actualText;
  texts[2] = source.comments;
  CRepositoryRecord repository;
  if (source.repositoryRin != 0 &&
      DbGetRecord(source.repositoryRin, db::kRepository, &repository, 111) == 1) {
    texts[3] = repository.name;
    for (int i = 0; i < 4; ++i) texts[4 + i] = repository.address[i];
    texts[8] = repository.phone;
  }
}

void CRSourceObject::Store(CPersistentFile* file) const {
  for (const std::string& t : texts) file->WriteString(t);
}

void CRSourceObject::Load(CPersistentFile* file) {
  for (std::string& t : texts) file->ReadString(t);
}

int CRSourceObject::PrintRow(CListReport& report, rpt::ReportDevice* dc, CPrintInfo*,
                             CRTFDocument* document, bool measuring) {
  auto line = [&](int font, const std::string& text, bool newLine = true) {
    report.StartRow(report.CurrentY());
    report.SelectFont(dc, font);
    report.WriteCellText(dc, 0, text, measuring, newLine);
    report.WriteRTFRow(dc, document, newLine ? report.GetRowBottom() : report.CurrentY(), 0);
  };
  const std::pair<unsigned, int> blocks[] = {
      {res::kIdsSource, 0}, {res::kIdsSourceText, 1}, {res::kIdsSourceComments, 2}};
  for (const auto& [label, text] : blocks) {
    line(1, res::LoadString(label));
    line(0, texts[text]);
    line(0, " ");
  }
  line(1, res::LoadString(res::kIdsRepository));
  line(0, texts[3]);
  int lastAddress = -1;
  for (int i = 0; i < 4; ++i)
    if (!texts[4 + i].empty()) lastAddress = i;
  for (int i = 0; i <= lastAddress; ++i) {
    if (texts[4 + i].empty()) continue;
    if (i == lastAddress && !texts[8].empty()) {
      // The phone follows the last address line on the same line.
      report.StartRow(report.CurrentY());
      report.SelectFont(dc, 0);
      report.WriteCellText(dc, 0, texts[4 + i], measuring, false);
      report.WriteCellText(dc, 0, " " + texts[8], measuring, true);
      report.WriteRTFRow(dc, document, report.GetRowBottom(), 0);
    } else {
      line(0, texts[4 + i]);
    }
  }
  line(0, " ");
  line(1, res::LoadString(res::kIdsCitations));
  return report.IsBelowPage(0) ? 1 : 0;
}
