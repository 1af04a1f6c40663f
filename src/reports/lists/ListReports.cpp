#include "ListReports.h"

#include <vector>

#include "DbCalls.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "ListItems.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "SourceRecord.h"
#include "TextMeasure.h"

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
