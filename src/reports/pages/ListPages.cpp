#include "ListPages.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "AppOptions.h"
#include "CalendarMonth.h"
#include "CustomFieldCatalog.h"
#include "CustomReport.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FontDescription.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "ListPagination.h"
#include "MarriageRecord.h"
#include "MergeWorkFile.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "RecordProblems.h"
#include "ReportKinds.h"
#include "ReportPrintSetup.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TextMeasure.h"

using rpt::ReportDevice;

namespace {

constexpr int kFarRight = 11000;  // the last column's right end
// The room a right-aligned column leaves free at its left edge, so that its
// text never touches the text of the column before it.
constexpr int kColumnGap = 60;

std::string S(unsigned id) { return res::LoadString(id); }

int ProfileInt(const char* section, const char* key, int def) {
  return plat::Profile().GetInt(section, key, def);
}

class DeviceMeasure : public plat::TextMeasure {
 public:
  explicit DeviceMeasure(ReportDevice* dc) : dc_(dc) {}
  int TextWidth(std::string_view text) const override { return dc_->GetTextExtent(text).cx; }
  int AverageCharWidth() const override { return dc_->GetTextExtent("x").cx; }
  int PixelsPerInchY() const override { return 1000; }

 private:
  ReportDevice* dc_;
};

bool ReadPerson(std::int32_t rin, CIndividualRecord& record) {
  return rin > 0 && family::Read(record, rin) == 1;
}

std::string NameOf(const CIndividualRecord& record, ReportDevice* dc, int width, bool givenFirst) {
  const CIndividualNode node(record, 0, 0, 0, nullptr);
  const DeviceMeasure measure(dc);
  const int w = std::max(width, 1);
  return givenFirst ? node.FormatName(0, 80, w, &measure)
                    : node.FormatNameSurnameFirst(80, w, &measure);
}

std::string PersonName(std::int32_t rin, ReportDevice* dc, int width, bool givenFirst = false) {
  CIndividualRecord record;
  return ReadPerson(rin, record) ? NameOf(record, dc, width, givenFirst) : std::string();
}

const CEventValue& EventOr(const CEventValue& first, const CEventValue& second) {
  return IsEventValueEmpty(first) ? second : first;
}

std::string DateText(const CDateValue& date) { return date.IsSet() ? date.Format() : ""; }

std::string MarriageStatusText(char status) {
  if (status == 'D') return S(res::kIdsDivorced);
  if (status == 'N') return S(res::kIdsNotMarried);
  return {};
}

}  // namespace

// ---------------------------------------------------------------- frame

bool CListPagesGenerator::CustomIds() const { return ProfileInt("Options", "AppendVal", 0) == 2; }

int CListPagesGenerator::NameColumn(const Geometry& g) const {
  return g.left + (CustomIds() ? 1000 : 500);
}

bool CListPagesGenerator::Shading() const {
  if (ProfileInt("Options", "Shading", 1) == 0) return false;
  return !(previewing_ && CAppOptions::GetReportsHideShade() != 0);
}

void CListPagesGenerator::BeginPrinting(ReportDevice*, CPrintInfo*) {
  CreateFonts();
  shade_.color = static_cast<rpt::ColorRef>(CAppOptions::GetReportsShadeClr());
  previewing_ = previewing_ || rpt::ReportPreviewShown();
}

void CListPagesGenerator::CreateFonts() {
  const std::string arial = S(res::kIdsArial);
  titleFont_ = {-180, 700, false, false, arial};
  headingFont_ = {-150, 700, false, false, arial};
  bodyFont_ = {-135, 500, false, false, arial};
  footerFont_ = {-105, 500, false, false, arial};
  if (kind_ == rpt::kCustomReport) {
    // The custom report's fonts are the user's list fonts.
    auto font = [](const std::string& text, rpt::LogFont& out) {
      std::string face;
      int size = 10, weight = 400, italic = 0;
      ParseFontDescription(text, face, size, weight, italic);
      out = {-(size * 1000 / 72), weight, italic != 0, false, face};
    };
    std::string text;
    CAppOptions::GetOptionsFontListTitle(text);
    font(text, titleFont_);
    CAppOptions::GetOptionsFontListHead(text);
    font(text, headingFont_);
    footerFont_ = headingFont_;
    CAppOptions::GetOptionsFontListBody(text);
    font(text, bodyFont_);
  }
}

int CListPagesGenerator::PrintPage(CReportJob& job, CPrintInfo* info) {
  DrawPage(job.DC(), info, &job);
  return 1;
}

void CListPagesGenerator::EndPrinting(ReportDevice* dc, CPrintInfo* info) {
  if (rpt::CurrentReportRunState().printState != 4) {
    switch (kind_) {
      case rpt::kIndividualsByRin:
      case rpt::kIndividualsByAlpha:
      case rpt::kMarriagesList:
      case rpt::kEndOfLine:
        rpt::CloseListWorkFile();
        break;
      case rpt::kCustomReport:
        rpt::CleanupCustomReportPages();
        break;
      default:
        rpt::CleanupListPages();
        break;
    }
  }
  SaveAndOpenRTF(dc, info);
}

int CListPagesGenerator::ProblemColumn(const Geometry& g) const {
  return NameColumn(g) + std::max(2500, (g.right - NameColumn(g)) * 2 / 5);
}

void CListPagesGenerator::DrawProblems(ReportDevice* dc, const Geometry& g, int page) {
  rpt::ProblemPageStart start;
  if (!rpt::GetProblemPage(page, start)) return;
  const rpt::RecordProblemOptions options = rpt::StoredRecordProblemOptions();
  const bool shading = Shading();
  const int problemX = ProblemColumn(g);
  const std::string mrinPrefix = S(res::kIdsMrin) + ":";
  int line = 0;
  int firstLine = start.line;
  for (std::int64_t n = start.entry; line < g.lines; ++n) {
    std::int32_t rin = 0, count = 0;
    if (!rpt::ReadProblemEntry(n, rin, count) || rin == 0) break;
    CIndividualRecord record;
    const bool read = ReadPerson(rin, record);
    std::vector<std::string> texts;
    if (read) rpt::CRecordProblemChecker::Check(rin, options, &texts, &record, firstLine);
    firstLine = 0;
    for (const std::string& text : texts) {
      if (line >= g.lines) break;
      const int y = g.firstLine - kLineHeight * line;
      if (shading && line % 6 >= 3) Shade(dc, g, y);
      if (text.compare(0, 5, mrinPrefix, 0, 5) != 0)
        WriteIdAndName(dc, g, y, &record, rin, problemX - 100);
      WriteLeft(dc, 2, problemX, g.right, y, text);
      WriteListRow(dc, 0);
      ++line;
    }
  }
}

CListPagesGenerator::Geometry CListPagesGenerator::PageGeometry(ReportDevice* dc) const {
  const rpt::Rect m = rpt::ReportMarginsOf(kind_);
  int width = paperWidth_, height = paperHeight_;
  if (dc != nullptr && dc->GetDeviceCaps(rpt::LOGPIXELSX) > 0 &&
      dc->GetDeviceCaps(rpt::PHYSICALWIDTH) > 0) {
    width = dc->GetDeviceCaps(rpt::PHYSICALWIDTH) * 1000 / dc->GetDeviceCaps(rpt::LOGPIXELSX);
    height = dc->GetDeviceCaps(rpt::PHYSICALHEIGHT) * 1000 / dc->GetDeviceCaps(rpt::LOGPIXELSY);
  }
  Geometry g;
  g.left = m.left;
  g.top = m.top;
  g.width = width - m.left - m.right;
  g.height = height - m.top - m.bottom;
  g.right = g.left + g.width;
  g.bottom = m.bottom;
  g.lines = LinesPerPage(g.height);
  g.firstLine = -g.top - 700;
  return g;
}

std::string CListPagesGenerator::Title() const {
  switch (kind_) {
    case rpt::kUnlinkedList:
      return S(res::kIdsUnlinkedCaption);
    case rpt::kDuplicatesList:
      return S(res::kIdsDuplicatesList);
    case rpt::kIndividualsByRin:
    case rpt::kIndividualsByAlpha:
      return S(res::kIdsSortedIndividualsList);
    case rpt::kEndOfLine: {
      std::string title = S(res::kIdsEndOfLineReport);
      if (rpt::ListParams().mode == 1) {
        CIndividualRecord person;
        if (ReadPerson(startRin_, person)) {
          const CIndividualNode node(person, 0, 0, 0, nullptr);
          title += " " + S(res::kIdsFor) + " " + node.FormatName(0, 80, 0, nullptr);
        }
      }
      return title;
    }
    case rpt::kMarriagesList:
      return S(res::kIdsSortedMarriagesList);
    case rpt::kIncompleteOrdinances:
      return S(res::kIdsMissingIndividualOrdinances);
    case rpt::kMissingSealings:
      return S(res::kIdsMissingMarriageSealings);
    case rpt::kRecordProblems:
      return S(res::kIdsRecordProblemsTitle);
    default:
      return {};
  }
}

void CListPagesGenerator::Shade(ReportDevice* dc, const Geometry& g, int y) {
  const rpt::Rect r{g.left, y + 30, g.right, y + 30 - kLineHeight};
  FillRectPrintOnly(dc, &r, &shade_);
}

void CListPagesGenerator::WriteRight(ReportDevice* dc, int column, int left, int right, int y,
                                     const std::string& text) {
  if (text.empty()) return;
  const std::string fitted = FitTextToWidth(dc, {left + kColumnGap, 0, right, 0}, text);
  AddColumnText(column, dc, right - dc->GetTextExtent(fitted).cx, y, fitted);
}

void CListPagesGenerator::WriteLeft(ReportDevice* dc, int column, int left, int right, int y,
                                    const std::string& text) {
  if (text.empty()) return;
  AddColumnText(column, dc, left, y, FitTextToWidth(dc, {left, 0, right, 0}, text));
}

void CListPagesGenerator::WriteIdAndName(ReportDevice* dc, const Geometry& g, int y,
                                         const CIndividualRecord* record, std::int32_t rin,
                                         int nameRight) {
  const int nameX = NameColumn(g);
  if (CustomIds()) {
    if (record != nullptr) WriteLeft(dc, 0, g.left, nameX - kColumnGap, y, record->texts1[0]);
  } else {
    WriteRight(dc, 0, g.left, nameX - 120, y, std::to_string(rin));
  }
  if (record != nullptr)
    AddColumnText(1, dc, nameX, y,
                  NameOf(*record, dc, nameRight - nameX, kind_ == rpt::kIndividualsByRin));
}

void CListPagesGenerator::WriteDates(ReportDevice* dc, int y, const CIndividualRecord& record,
                                     int bornLeft, int bornRight, int diedRight) {
  WriteRight(dc, 2, bornLeft, bornRight, y,
             DateText(EventOr(record.birth, record.christening).date));
  WriteRight(dc, 3, bornRight, diedRight, y, DateText(EventOr(record.death, record.burial).date));
}

void CListPagesGenerator::WriteRelated(ReportDevice* dc, const Geometry& g, int y, std::int32_t rin,
                                       int mrinRight, bool spouseOrChildOnly) {
  const int letterX = g.right - 2030, nameX = g.right - 1875;
  const int nameWidth = std::min(kFarRight, g.right) - nameX;
  std::vector<std::int32_t> marriages;
  DbGetRelationList(marriages, db::kRelSpouses, 0, rin, 0);
  auto show = [&](unsigned letter, std::int32_t mrin, std::int32_t person) {
    WriteRight(dc, 4, mrinRight - 600, mrinRight, y, std::to_string(mrin));
    WriteLeft(dc, 5, letterX, nameX, y, S(letter));
    AddColumnText(6, dc, nameX, y, PersonName(person, dc, nameWidth));
  };
  for (const std::int32_t mrin : marriages) {
    CMarriageRecord marriage;
    if (mrin <= 0 || family::Read(marriage, mrin) != 1) continue;
    const std::int32_t spouse = marriage.husband == rin ? marriage.wife : marriage.husband;
    if (spouse > 0) {
      show(4582, mrin, spouse);
      return;
    }
  }
  if (!spouseOrChildOnly) {
    CIndividualRecord record;
    CMarriageRecord parents;
    if (ReadPerson(rin, record)) {
      const std::int32_t mrin = record.numbers[CIndividualRecord::kParentsMrin];
      if (mrin > 0 && family::Read(parents, mrin) == 1 &&
          (parents.husband != 0 || parents.wife != 0)) {
        show(4613, mrin, parents.husband != 0 ? parents.husband : parents.wife);
        return;
      }
    }
  }
  for (const std::int32_t mrin : marriages) {
    std::vector<std::int32_t> children;
    if (mrin <= 0) continue;
    DbGetRelationList(children, db::kRelChildren, 0, mrin, 0);
    children.erase(std::remove(children.begin(), children.end(), 0), children.end());
    if (!children.empty()) {
      show(4614, mrin, children.front());
      return;
    }
  }
}

void CListPagesGenerator::DrawHeadings(ReportDevice* dc, const Geometry& g) {
  dc->SelectFont(headingFont_);
  const int row1 = g.firstLine + 400, row2 = g.firstLine + 240;
  const int L = g.left, R = g.right;
  const int nameX = NameColumn(g);
  auto left = [&](int id, int x, int right, int y, const std::string& text) {
    AddColumnHeading(id, 'l', x, right, dc, x, y, text);
  };
  auto right = [&](int id, int l, int r, int y, const std::string& text) {
    AddColumnHeading(id, 'r', l, r, dc, r - dc->GetTextExtent(text).cx, y, text);
  };
  auto centred = [&](int id, int l, int r, int y, const std::string& text) {
    AddColumnHeading(id, 'r', l, r, dc, (l + r - dc->GetTextExtent(text).cx) / 2, y, text);
  };
  auto idHeading = [&] {
    if (CustomIds())
      left(0, L, nameX, row2, S(res::kIdsId));
    else
      right(0, L, nameX - 120, row2, S(res::kIdsRin));
    left(1, nameX, nameX + 1000, row2, S(res::kIdsName));
  };
  auto dateHeadings = [&](int bornL, int bornR, int diedR) {
    right(2, bornL, bornR, row1, S(res::kIdsBornHeading));
    right(3, bornR, diedR, row1, S(res::kIdsDiedHeading));
    EndHeadingLine(0, false);
    idHeading();
    right(2, bornL, bornR, row2, "/" + S(res::kIdsChrAbbreviation));
    right(3, bornR, diedR, row2, "/" + S(res::kIdsBurAbbreviation));
  };
  auto relatedHeadings = [&](int mrinRight, const std::string& text) {
    right(4, mrinRight - 600, mrinRight, row2, S(res::kIdsMrin));
    left(5, R - 2030, R - 1900, row2, "");
    left(6, R - 1875, std::min(kFarRight, R), row2, text);
  };
  switch (kind_) {
    case rpt::kDuplicatesList: {
      const int r1 = R - 2100;
      dateHeadings(r1 - 2950, r1 - 1750, r1 - 550);
      relatedHeadings(r1, S(res::kIdsSpouse) + ", " + S(res::kIdsParent) + " " + S(res::kIdsOr) +
                              " " + S(res::kIdsStatusChild));
      break;
    }
    case rpt::kUnlinkedList:
      dateHeadings(R - 3000, R - 1500, R);
      break;
    case rpt::kIndividualsByRin:
    case rpt::kIndividualsByAlpha:
    case rpt::kEndOfLine: {
      const int r2 = R - 2650;
      dateHeadings(r2 - 2400, r2 - 1200, r2);
      relatedHeadings(R - 2100, S(kind_ == rpt::kEndOfLine ? 3648 : 3647));
      break;
    }
    case rpt::kIncompleteOrdinances:
      right(2, R - 5700, R - 4500, row1, S(res::kIdsBornHeading));
      right(3, R - 4500, R - 3300, row1, S(res::kIdsDiedHeading));
      centred(6, R - 1100, R, row1, S(res::kIdsSealedToHeading));
      EndHeadingLine(0, false);
      idHeading();
      right(2, R - 5700, R - 4500, row2, "/" + S(res::kIdsChrAbbreviation));
      right(3, R - 4500, R - 3300, row2, "/" + S(res::kIdsBurAbbreviation));
      right(4, R - 3300, R - 2200, row2, S(res::kIdsBaptized));
      right(5, R - 2200, R - 1100, row2, S(res::kIdsEndowed));
      right(6, R - 1100, R, row2, S(res::kIdsParentsHeading));
      break;
    case rpt::kMarriagesList: {
      const int husbandX = L + 650;
      const int w = (R - 1400 - husbandX) / 3;
      left(1, husbandX, husbandX + w, row1, S(res::kIdsHusband));
      centred(4, R - 1320, R - 320, row1, S(res::kIdsMarriage));
      EndHeadingLine(0, false);
      right(0, L, husbandX - 150, row2, S(res::kIdsMrin));
      left(1, husbandX, husbandX + w, row2, S(res::kIdsOldestChildNote));
      left(2, husbandX + w, husbandX + 2 * w, row2, S(res::kIdsWife));
      left(3, husbandX + 2 * w, R - 1400, row2, S(res::kIdsPlaceFamilyGroup));
      right(4, R - 1320, R - 320, row2, S(res::kIdsDateHeading));
      left(5, R - 300, R, row2, "");
      break;
    }
    case rpt::kMissingSealings: {
      const int husbandX = L + 650;
      const int w = (R - 1850 - husbandX) / 2;
      centred(3, R - 1800, R - 1450, row1, S(res::kIdsMarriage));
      centred(5, R - 800, R, row1, S(res::kIdsDateOf));
      EndHeadingLine(0, false);
      right(0, L, husbandX - 150, row2, S(res::kIdsMrin));
      left(1, husbandX, husbandX + w, row2, S(res::kIdsHusband));
      left(2, husbandX + w, R - 1850, row2, S(res::kIdsWife));
      right(3, R - 1800, R - 1450, row2, S(res::kIdsYear));
      left(4, R - 1400, R - 850, row2, "");
      right(5, R - 800, R, row2, S(res::kIdsSealing));
      break;
    }
    case rpt::kRecordProblems:
      EndHeadingLine(0, false);
      idHeading();
      left(2, ProblemColumn(g), R, row2, S(res::kIdsProblem));
      break;
    default:
      EndHeadingLine(0, false);
      break;
  }
  EndHeadingLine(0, true);
}

void CListPagesGenerator::DrawFooter(ReportDevice* dc, CPrintInfo* info, const Geometry& g) {
  const int rule = 250 - g.top - g.height;
  MoveToPrintOnly(dc, g.left, rule);
  LineToPrintOnly(dc, g.right, rule);
  const rpt::LogFont previous = dc->SelectFont(footerFont_);
  std::string today;
  FormatToday(today);
  SetFooterText(dc, (g.left + g.right - dc->GetTextExtent(today).cx) / 2, rule - 50, today);
  char label[96];
  std::snprintf(label, sizeof label, "%s  %d", S(res::kIdsPage).c_str(),
                info != nullptr ? info->currentPage : 1);
  SetFooterPageNumber(dc, g.right - dc->GetTextExtent(label).cx, rule - 50, label);
  WriteRTFFooter(info);
  dc->SelectFont(previous);
}

void CListPagesGenerator::DrawPage(ReportDevice* dc, CPrintInfo* info, CReportJob* job) {
  if (dc == nullptr) return;
  const int page = info != nullptr ? info->currentPage : 1;
  if (kind_ == rpt::kCustomReport) {
    DrawCustom(dc, info, job, page);
    return;
  }
  const bool entryKinds = kind_ == rpt::kUnlinkedList || kind_ == rpt::kDuplicatesList ||
                          kind_ == rpt::kIncompleteOrdinances || kind_ == rpt::kMissingSealings;
  rpt::ListPageStart entry;
  if (entryKinds && !rpt::FindListPage(page, entry)) return;
  rpt::ProblemPageStart problems;
  if (kind_ == rpt::kRecordProblems && !rpt::GetProblemPage(page, problems)) return;
  const Geometry g = PageGeometry(dc);
  SetPageMargins(dc, rpt::ReportMarginsOf(kind_));

  const rpt::LogFont previous = dc->SelectFont(titleFont_);
  const std::string title = Title();
  SetHeaderTitle(dc, (g.left + g.right - dc->GetTextExtent(title).cx) / 2, -g.top, title);
  DrawHeadings(dc, g);
  WriteRTFListHeader(dc, info, false);
  for (const int y : {g.firstLine + 80, g.firstLine + 50}) {
    MoveToPrintOnly(dc, g.left, y);
    LineToPrintOnly(dc, g.right, y);
  }
  if (job != nullptr && !previewing_)
    job->DrawPrintedByLine(dc, g.left, 250 - g.top - g.height - 70);

  dc->SelectFont(bodyFont_);
  switch (kind_) {
    case rpt::kDuplicatesList:
      DrawDuplicates(dc, g, page);
      break;
    case rpt::kMarriagesList:
      DrawMarriages(dc, g, page);
      break;
    case rpt::kMissingSealings:
      DrawSealings(dc, g, page);
      break;
    case rpt::kRecordProblems:
      DrawProblems(dc, g, page);
      break;
    default:
      DrawIndividualLines(dc, g, page);
      break;
  }
  DrawFooter(dc, info, g);
  dc->SelectFont(previous);
}

// ---------------------------------------------------------------- custom report

CListPagesGenerator::CustomPlan CListPagesGenerator::PlanCustom(ReportDevice* dc,
                                                                const Geometry& g) const {
  CustomPlan plan;
  if (layout_ == nullptr) return plan;
  // Column places: widths in body-font characters, two characters apart,
  // wrapping to a further row when a column would pass the right edge. A
  // date column holds at least a whole date with a double year.
  const rpt::LogFont previous = dc->SelectFont(bodyFont_);
  const int average = std::max(1, dc->GetTextExtent("x").cx);
  const int dateWidth = dc->GetTextExtent("28 May 1888/1889").cx;
  dc->SelectFont(previous);
  int x = g.left, row = 0;
  for (const auto& column : layout_->columns) {
    int width = column->width * average;
    if (rpt::CustomFieldSortKind(column->fieldId) == CCustomReportSortKey::kDate)
      width = std::max(width, dateWidth);
    if (x > g.left && x + width > g.right) {
      ++row;
      x = g.left;
    }
    plan.places.push_back({row, x, std::min(x + width, g.right)});
    x += width + 2 * average;
  }
  plan.rows = row + 1;
  plan.headRow = -headingFont_.height * 6 / 5;
  plan.bodyRow = std::max(1, -bodyFont_.height * 6 / 5);
  plan.headTop = -g.top + titleFont_.height - 150;
  plan.headBottom = plan.headTop - plan.headRow * plan.rows;
  plan.firstRow = plan.headBottom - 60 - 120;
  // The last row ends above the footer's rule (the footer texts and the
  // "Printed by" line are under it).
  const int footerRule = 250 - g.top - g.height;
  plan.lines = std::max(1, (plan.firstRow - footerRule - 30) / (plan.bodyRow * plan.rows));
  plan.pageRows = std::max(plan.rows, (plan.firstRow - footerRule - 30) / plan.bodyRow);
  return plan;
}

int CListPagesGenerator::CustomLinesPerPage(ReportDevice* dc, const CCustomReportLayout& layout) {
  if (dc == nullptr) return 0;
  CListPagesGenerator generator(rpt::kCustomReport, 0);
  generator.SetCustomLayout(&layout);
  generator.CreateFonts();
  const int mode = dc->SetMapMode(rpt::MM_HIENGLISH);
  const int lines = generator.PlanCustom(dc, generator.PageGeometry(dc)).lines;
  dc->SetMapMode(mode);
  return lines;
}

rpt::CustomRowPlan CListPagesGenerator::CustomRows(ReportDevice* dc,
                                                   const CCustomReportLayout& layout) {
  rpt::CustomRowPlan rows;
  if (dc == nullptr) return rows;
  CListPagesGenerator generator(rpt::kCustomReport, 0);
  generator.SetCustomLayout(&layout);
  generator.CreateFonts();
  const int mode = dc->SetMapMode(rpt::MM_HIENGLISH);
  const CustomPlan plan = generator.PlanCustom(dc, generator.PageGeometry(dc));
  dc->SetMapMode(mode);
  for (const CustomPlan::Place& p : plan.places) rows.columnRows.push_back(p.row);
  rows.rowsPerPage = plan.pageRows;
  return rows;
}

void CListPagesGenerator::DrawCustom(ReportDevice* dc, CPrintInfo* info, CReportJob* job,
                                     int page) {
  const std::int64_t first = rpt::CustomReportPageStart(page);
  if (layout_ == nullptr || first < 0) return;
  const Geometry g = PageGeometry(dc);
  SetPageMargins(dc, rpt::ReportMarginsOf(kind_));
  const CustomPlan plan = PlanCustom(dc, g);
  const std::vector<CustomPlan::Place>& places = plan.places;
  const int rows = plan.rows;
  const int bodyRow = plan.bodyRow;
  const rpt::LogFont previous = dc->SelectFont(titleFont_);
  SetHeaderTitle(dc, (g.left + g.right - dc->GetTextExtent(layout_->title).cx) / 2, -g.top,
                 layout_->title);

  dc->SelectFont(headingFont_);
  // In RTF each row is a layout of its own, its columns numbered from 0.
  std::vector<int> columnInRow(places.size());
  for (std::size_t i = 0; i < places.size(); ++i)
    columnInRow[i] = i > 0 && places[i - 1].row == places[i].row ? columnInRow[i - 1] + 1 : 0;
  for (std::size_t i = 0; i < places.size(); ++i) {
    const CustomPlan::Place& p = places[i];
    const int y = plan.headTop - plan.headRow * p.row;
    const rpt::Rect clip{p.left, y, p.right, y - plan.headRow};
    AddColumnHeadingExt(columnInRow[i], 'l', p.left, p.right, dc, p.left, y, rpt::ETO_CLIPPED,
                        &clip, layout_->columns[i]->heading, nullptr);
    if (i + 1 == places.size() || places[i + 1].row != p.row) EndHeadingLine(0, true);
  }
  WriteRTFListHeader(dc, info, false);
  for (const int ruleY : {plan.headBottom - 60, plan.headBottom - 30}) {
    MoveToPrintOnly(dc, g.left, ruleY);
    LineToPrintOnly(dc, g.right, ruleY);
  }
  if (job != nullptr && !previewing_)
    job->DrawPrintedByLine(dc, g.left, 250 - g.top - g.height - 70);

  dc->SelectFont(bodyFont_);
  const bool shading = Shading();
  std::vector<int> columnRows, widths;
  for (const CustomPlan::Place& p : places) {
    columnRows.push_back(p.row);
    widths.push_back(p.right - p.left);
  }
  int y = plan.firstRow;
  const std::int64_t end = rpt::CustomReportPageEnd(page);
  for (std::int64_t n = first; n < end; ++n) {
    rpt::CustomReportLine line;
    if (!rpt::ReadCustomReportLine(n, line)) break;
    // An individual that cannot be read keeps its line with empty texts; a
    // row without a text takes no room.
    const std::vector<std::string> texts = rpt::CustomReportLineTexts(*layout_, line, dc, widths);
    std::vector<int> placed;
    const int taken = rpt::CustomReportLineRows(texts, columnRows, &placed);
    const int lineIndex = static_cast<int>(n - first);
    const bool shaded = rows == 1 ? lineIndex % 6 >= 3 : lineIndex % 2 == 1;
    if (shading && shaded) {
      const rpt::Rect band{g.left, y, g.right, y - bodyRow * taken};
      FillRectPrintOnly(dc, &band, &shade_);
    }
    for (std::size_t i = 0; i < places.size(); ++i) {
      const CustomPlan::Place& p = places[i];
      const int row = placed[static_cast<std::size_t>(p.row)];
      if (row < 0) continue;
      const int ty = y - bodyRow * row;
      const rpt::Rect clip{p.left, ty, p.right, ty - bodyRow};
      if (!texts[i].empty())
        AddColumnTextExt(columnInRow[i], dc, p.left, ty, rpt::ETO_CLIPPED, &clip, texts[i],
                         nullptr);
      if (i + 1 == places.size() || places[i + 1].row != p.row) WriteListRow(dc, p.row);
    }
    y -= bodyRow * taken;
  }
  DrawFooter(dc, info, g);
  dc->SelectFont(previous);
}

// ---------------------------------------------------------------- bodies

namespace {
// The records of a page: [first, end) of the work file.
struct PageSpan {
  std::int64_t first = 0, end = 0;
};

PageSpan SpanOf(int kind, int page, int lines) {
  PageSpan s;
  const std::int64_t count = rpt::ListRecordCount();
  rpt::ListPageStart entry, next;
  if (rpt::FindListPage(page, entry)) {
    s.first = entry.firstRecord;
    s.end = rpt::FindListPage(page + 1, next) ? next.firstRecord : count;
  } else if (kind == rpt::kIndividualsByRin || kind == rpt::kIndividualsByAlpha ||
             kind == rpt::kMarriagesList || kind == rpt::kEndOfLine) {
    s.first = static_cast<std::int64_t>(page - 1) * lines;
    s.end = s.first + lines;
  }
  s.end = std::min({s.end, count, s.first + lines});
  return s;
}
}  // namespace

void CListPagesGenerator::DrawIndividualLines(ReportDevice* dc, const Geometry& g, int page) {
  const PageSpan span = SpanOf(kind_, page, g.lines);
  const bool shading = Shading();
  const int R = g.right;
  for (std::int64_t i = span.first; i < span.end; ++i) {
    const int line = static_cast<int>(i - span.first);
    const int y = g.firstLine - kLineHeight * line;
    const std::int32_t rin = rpt::ReadListEntry4(i);
    if (rin == 0) break;
    if (shading && line % 6 >= 3) Shade(dc, g, y);
    CIndividualRecord record;
    const bool read = ReadPerson(rin, record);
    switch (kind_) {
      case rpt::kUnlinkedList:
        WriteIdAndName(dc, g, y, read ? &record : nullptr, rin, R - 3100);
        if (read) WriteDates(dc, y, record, R - 3000, R - 1500, R);
        break;
      case rpt::kIncompleteOrdinances:
        WriteIdAndName(dc, g, y, read ? &record : nullptr, rin, R - 5800);
        if (read) {
          WriteDates(dc, y, record, R - 5700, R - 4500, R - 3300);
          WriteRight(dc, 4, R - 3300, R - 2200, y, DateText(record.baptism.date));
          WriteRight(dc, 5, R - 2200, R - 1100, y, DateText(record.endowment.date));
          WriteRight(dc, 6, R - 1100, R, y, DateText(record.sealingToParents.date));
        }
        break;
      default: {
        const int r2 = R - 2650;
        WriteIdAndName(dc, g, y, read ? &record : nullptr, rin, r2 - 2500);
        if (read) {
          WriteDates(dc, y, record, r2 - 2400, r2 - 1200, r2);
          WriteRelated(dc, g, y, rin, R - 2100, kind_ == rpt::kEndOfLine);
        }
        break;
      }
    }
    WriteListRow(dc, 0);
  }
}

void CListPagesGenerator::DrawDuplicates(ReportDevice* dc, const Geometry& g, int page) {
  const PageSpan span = SpanOf(kind_, page, g.lines);
  const bool shading = Shading();
  const int r1 = g.right - 2100;
  int line = 0;
  int group = -1;
  for (std::int64_t i = span.first; i < span.end && line < g.lines; ++i) {
    rpt::DuplicatesListEntry entry;
    if (!rpt::ReadListEntry8(i, entry) || entry.rin == 0) break;
    if (entry.continuation == 0 || group < 0) {
      ++group;
      if (entry.continuation == 0 && line > 0) ++line;  // the blank line before a group
    }
    const int y = g.firstLine - kLineHeight * line;
    if (shading && group % 2 == 1 && line >= 2) Shade(dc, g, y);
    CIndividualRecord record;
    const bool read = ReadPerson(entry.rin, record);
    WriteIdAndName(dc, g, y, read ? &record : nullptr, entry.rin, r1 - 3000);
    if (read) {
      WriteDates(dc, y, record, r1 - 2950, r1 - 1750, r1 - 550);
      WriteRelated(dc, g, y, entry.rin, r1, false);
    }
    WriteListRow(dc, 0);
    ++line;
  }
}

void CListPagesGenerator::DrawMarriages(ReportDevice* dc, const Geometry& g, int page) {
  const PageSpan span = SpanOf(kind_, page, g.lines);
  const bool shading = Shading();
  const int L = g.left, R = g.right;
  const int husbandX = L + 650;
  const int w = (R - 1400 - husbandX) / 3;
  const bool byName = rpt::ListParams().mode != 0;
  for (std::int64_t i = span.first; i < span.end; ++i) {
    const int line = static_cast<int>(i - span.first);
    const int y = g.firstLine - kLineHeight * line;
    const std::int32_t mrin = rpt::ReadListEntry4(i);
    if (mrin == 0) break;
    if (shading && line % 6 >= 3) Shade(dc, g, y);
    WriteRight(dc, 0, L, husbandX - 150, y, std::to_string(mrin));
    CMarriageRecord marriage;
    if (family::Read(marriage, mrin) == 1) {
      if (marriage.husband == 0 && marriage.wife == 0) {
        std::vector<std::int32_t> children;
        DbGetRelationList(children, db::kRelChildren, 0, mrin, 0);
        children.erase(std::remove(children.begin(), children.end(), 0), children.end());
        if (children.empty()) {
          WriteLeft(dc, 1, husbandX, husbandX + w - 50, y, S(res::kIdsEmptyMarriage));
        } else {
          AddColumnText(1, dc, husbandX - dc->GetTextExtent("*").cx, y,
                        "*" + PersonName(children.front(), dc, w - 50, !byName));
        }
      } else {
        AddColumnText(1, dc, husbandX, y, PersonName(marriage.husband, dc, w - 50));
        AddColumnText(2, dc, husbandX + w, y, PersonName(marriage.wife, dc, w - 50));
      }
      WriteLeft(dc, 3, husbandX + 2 * w, R - 1400 - 50, y, marriage.marriage.FormatPlace(","));
      WriteRight(dc, 4, R - 1320, R - 320, y, DateText(marriage.marriage.date));
      WriteLeft(dc, 5, R - 300, R, y, MarriageStatusText(marriage.status));
    }
    WriteListRow(dc, 0);
  }
}

void CListPagesGenerator::DrawSealings(ReportDevice* dc, const Geometry& g, int page) {
  const PageSpan span = SpanOf(kind_, page, g.lines);
  const bool shading = Shading();
  const int L = g.left, R = g.right;
  const int husbandX = L + 650;
  const int w = (R - 1850 - husbandX) / 2;
  for (std::int64_t i = span.first; i < span.end; ++i) {
    const int line = static_cast<int>(i - span.first);
    const int y = g.firstLine - kLineHeight * line;
    const std::int32_t mrin = rpt::ReadListEntry4(i);
    if (mrin == 0) break;
    if (shading && line % 6 >= 3) Shade(dc, g, y);
    WriteRight(dc, 0, L, husbandX - 150, y, std::to_string(mrin));
    CMarriageRecord marriage;
    if (family::Read(marriage, mrin) == 1) {
      AddColumnText(1, dc, husbandX, y, PersonName(marriage.husband, dc, w - 50));
      AddColumnText(2, dc, husbandX + w, y, PersonName(marriage.wife, dc, w - 50));
      if (marriage.marriage.date.year != 0 && !marriage.marriage.date.IsStatus())
        WriteRight(dc, 3, R - 1800, R - 1450, y, std::to_string(marriage.marriage.date.year));
      WriteLeft(dc, 4, R - 1400, R - 850, y, MarriageStatusText(marriage.status));
      WriteRight(dc, 5, R - 800, R, y, DateText(marriage.sealingToSpouse.date));
    }
    WriteListRow(dc, 0);
  }
}

// ---------------------------------------------------------------- registration

namespace rpt {

namespace {

std::string UpperText(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The six match options the Duplicates List passes on, as the options store
// saved them before the report.
MatchOptions StoredMatchOptions() {
  MatchOptions m;
  m.mrgDOB = ProfileInt("Options", "MrgDOB", m.mrgDOB);
  m.mrgIds = ProfileInt("Options", "MrgIds", m.mrgIds);
  m.mrgMiddles = ProfileInt("Options", "MrgMiddles", m.mrgMiddles);
  m.mrgSurname = ProfileInt("Options", "MrgSurname", m.mrgSurname);
  m.mrgParents = ProfileInt("Options", "MrgParents", m.mrgParents);
  m.mrgYears = ProfileInt("Options", "MrgYears", m.mrgYears);
  return m;
}

int PaginateKind(const PaginateArgs& args) {
  const ReportRequest& r = args.request != nullptr ? *args.request : CurrentReportRequest();
  const int lines = args.lines;
  if (lines <= 0) return 0;
  const auto zel = [](const char* key) -> int { return ProfileInt("ZELRpt", key, 0); };
  switch (args.kind) {
    case kUnlinkedList:
      return PaginateUnlinkedList(lines);
    case kDuplicatesList:
      return PaginateDuplicatesList(StoredMatchOptions(), lines);
    case kIndividualsByRin:
      return PaginateSortedRINList(r.startRin, r.endRin, lines);
    case kIndividualsByAlpha:
      return PaginateAlphaList(UpperText(r.nameStart), UpperText(r.nameEnd), lines);
    case kMarriagesList:
      return PaginateMarriageList(r.mode, r.startRin, r.endRin, UpperText(r.nameStart),
                                  UpperText(r.nameEnd), lines);
    case kEndOfLine:
      return PaginateEndOfLineList(r.mode, r.startRin, lines);
    case kIncompleteOrdinances:
      return PaginateIncompleteOrdinances(lines, r.mode, r.count, UpperText(r.nameStart),
                                          UpperText(r.nameEnd), zel("Deceased"), zel("EOL"),
                                          zel("Sub"), zel("Complete"), zel("Temple"));
    case kRecordProblems: {
      const RecordProblemOptions options = StoredRecordProblemOptions();
      std::int32_t last = r.endRin;
      if (last <= 0)
        last = options.sortByName != 0 ? DbGetActiveRecordCount(db::kIndividual)
                                       : DbGetMaxRecordCount(db::kIndividual);
      return PaginateRecordProblems(std::max(r.startRin, 1), last, options, lines);
    }
    case kMissingSealings:
      return PaginateMissingSealings(lines, r.mode, r.count, r.startRin, r.endRin, zel("Deceased"),
                                     zel("Sub"), zel("Complete"), zel("Temple"));
    default:
      return 0;
  }
}

}  // namespace

void RegisterMoreListReports() {
  auto factory = [](const GeneratorArgs& args) -> std::unique_ptr<CReportPageGenerator> {
    return std::make_unique<CListPagesGenerator>(args.kind, CurrentReportRequest().startRin);
  };
  for (GeneratorClass cls :
       {GeneratorClass::kUnlinked, GeneratorClass::kDuplicates, GeneratorClass::kSortedIndividuals,
        GeneratorClass::kMarriages, GeneratorClass::kIncompleteOrdinances,
        GeneratorClass::kMissingSealings, GeneratorClass::kRecordProblems})
    RegisterReportGenerator(cls, factory);
  for (int kind :
       {kUnlinkedList, kDuplicatesList, kIncompleteOrdinances, kMissingSealings, kRecordProblems})
    RegisterReportPaginator(kind, PaginateKind, [] { CleanupListPages(); });
  for (int kind : {kIndividualsByRin, kIndividualsByAlpha, kMarriagesList, kEndOfLine})
    RegisterReportPaginator(kind, PaginateKind, [] { CloseListWorkFile(); });
}

}  // namespace rpt
