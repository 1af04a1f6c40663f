#pragma once
// The four list reports: each supplies its title, RTF tab stops, columns and
// record walk to the list-report writer.

#include <cstdint>
#include <set>
#include <string>

#include "ListReport.h"

class CIndividualRecord;
class CMarriageRecord;
class CUserEventRecord;
class CEventValue;

// Individuals who have notes, in record-number order.
class CIndividualNotesListReport : public CListReport {
 public:
  static constexpr unsigned kIdsTitle = 7313;
  CIndividualNotesListReport() : CListReport(109) {}

 protected:
  void BuildColumns() override;
  int WalkRecords(rpt::ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress,
                  bool* cancelled) override;
  unsigned GetTitleId() const override { return kIdsTitle; }
  std::string GetRTFTabStops() const override { return "720"; }
};

// Every source with its author, publication, repository, call number and
// comments, in title order.
class CSourceListReport : public CSortedListReport {
 public:
  static constexpr unsigned kIdsTitle = 7317;
  CSourceListReport() : CSortedListReport(110) {}

 protected:
  void BuildColumns() override;
  int WalkRecords(rpt::ReportDevice* dc, CPrintInfo* info, plat::ProgressPort* progress,
                  bool* cancelled) override;
  unsigned GetTitleId() const override { return kIdsTitle; }
};
