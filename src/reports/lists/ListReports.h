#pragma once
// The four list reports: each supplies its title, RTF tab stops, columns and
// record walk to the list-report writer.

#include <cstdint>
#include <set>
#include <string>

#include "ListReport.h"
#include "StringIds.h"

class CIndividualRecord;
class CMarriageRecord;
class CUserEventRecord;
class CEventValue;

// Individuals who have notes, in record-number order.
class CIndividualNotesListReport : public CListReport {
 public:
  CIndividualNotesListReport() : CListReport(109) {}

 protected:
  void BuildColumns() override;
  int WalkRecords(rpt::ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress,
                  bool* cancelled) override;
  unsigned GetTitleId() const override { return res::kIdsIndividualsWithNotesTitle; }
  std::string GetRTFTabStops() const override { return "720"; }
};

// Every source with its author, publication, repository, call number and
// comments, in title order.
class CSourceListReport : public CSortedListReport {
 public:
  CSourceListReport() : CSortedListReport(110) {}

 protected:
  void BuildColumns() override;
  int WalkRecords(rpt::ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress,
                  bool* cancelled) override;
  unsigned GetTitleId() const override { return res::kIdsSourceListTitle; }
};

// Every place with the people and events found there, sorted by place, then
// name, then date; each place is a bold heading over its rows.
class CPlaceListReport : public CSortedListReport {
 public:
  CPlaceListReport() : CSortedListReport(108) {}

  const std::string& GetLastPlace() const { return lastPlace_; }
  void SetLastPlace(const std::string& place) { lastPlace_ = place; }
  // The place parts from the fourth to the first, each part's comma pieces
  // reversed, joined by ", " ("" when every part is empty).
  static std::string FormatPlaceReversed(const std::string (&parts)[4]);
  // Printing starts with no place heading shown.
  void BeginPrinting(rpt::ReportDevice* dc, CPrintInfo* info) override {
    lastPlace_.clear();
    CSortedListReport::BeginPrinting(dc, info);
  }

 protected:
  void BuildColumns() override;
  int WalkRecords(rpt::ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress,
                  bool* cancelled) override;
  unsigned GetTitleId() const override { return res::kIdsPlaceListTitle; }
  std::string GetRTFTabStops() const override { return "360 2880 5040"; }
  // A printed page repeats the heading of the place its rows go on with;
  // the RTF text flows on without pages, so each heading comes once.
  void OnPageStart() override {
    if (!IsRTFMode()) lastPlace_.clear();
  }

 private:
  void AddIndividualPlaces(rpt::ReportDevice* dc, const CIndividualRecord& record);
  void AddMarriagePlaces(rpt::ReportDevice* dc, std::int32_t mrin);
  void AddEventPlace(const std::string& name, unsigned label, const CEventValue& event,
                     int category);
  // The places of the user events of an owner ('I' an individual, 'M' a
  // marriage), listed under name.
  void AddUserEventPlaces(const std::string& name, std::int32_t owner, char ownerKind);
  void AddUserEventPlace(const std::string& name, CUserEventRecord& event);

  std::string lastPlace_;
  std::set<std::int32_t> visitedMarriages_;
};

// The chosen source, then every citation of it, numbered in the order the
// walk meets them.
class CSourceCitationsListReport : public CListReport {
 public:
  explicit CSourceCitationsListReport(std::int32_t source) : CListReport(111), source_(source) {}

 protected:
  void BuildColumns() override;
  int WalkRecords(rpt::ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress,
                  bool* cancelled) override;
  unsigned GetTitleId() const override { return res::kIdsCitationsReferencingTitle; }

 private:
  void AddIndividualCitations(rpt::ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress,
                              int* pages, const CIndividualRecord& record);
  void AddCitations(rpt::ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress,
                    int* pages, const std::string& name, const std::string& label,
                    std::int32_t owner, char relation);
  // The citations of each user event of an owner ('I' or 'M'), cited with
  // relation ('U' or 'V') and labelled with the event type's title.
  void AddUserEventCitations(rpt::ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress,
                             int* pages, const std::string& name, std::int32_t owner,
                             char ownerKind, char relation);

  std::int32_t source_;
  int citationNumber_ = 1;
  std::set<std::int32_t> visitedMarriages_;
};
