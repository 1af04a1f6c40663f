#include "FamilyGroupGenerator.h"

#include <algorithm>
#include <cstdio>

#include "AppOptions.h"
#include "CalendarMonth.h"
#include "ChartBox.h"
#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyFileInfo.h"
#include "Ports.h"
#include "ReportKinds.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

namespace {

constexpr unsigned kIdsRoleCaptions[] = {0,
                                         0,
                                         res::kIdsHusband,
                                         res::kIdsWife,
                                         res::kIdsHusbandsFather,
                                         res::kIdsHusbandsMother,
                                         res::kIdsWifesFather,
                                         res::kIdsWifesMother,
                                         res::kIdsSpouse,
                                         res::kIdsOtherSpouse};

constexpr const char* kTitleFont = "Arial;Bold;16pt";
constexpr const char* kParentFont = "Times New Roman;Bold;12pt";
constexpr const char* kChildFont = "Times New Roman;Bold;11pt";
constexpr const char* kDataFont = "Times New Roman;Normal;9pt";
constexpr const char* kNotesFont = "Times New Roman;Normal;9pt";

std::string S(unsigned id) { return res::LoadString(id); }

std::string Option(const char* key, const char* def) {
  return plat::Profile().GetString("Options", key, def);
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string Printf(const std::string& format, int value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format.c_str(), value);
  return buffer;
}

}  // namespace

struct CFamilyGroupGenerator::Record {
  FamilyGroupRequest request;
  FamilyGroupPeople people;
  FamilyGroupBlock husband, wife;
  std::vector<FamilyGroupBlock> children;
  std::vector<FamilyGroupNotesOwner> owners;  // owners with notes, in order
  std::vector<const FamilyGroupPageEntry*> entries;
  std::size_t index = 0;  // this page's place in entries

  const FamilyGroupPageEntry* Next() const {
    return index + 1 < entries.size() ? entries[index + 1] : nullptr;
  }
};

// Where a notes-and-sources section begins.
struct CFamilyGroupGenerator::Section {
  int owner = kNotesOwnerMarriage;  // the first owner drawn (from the list's first)
  int offset = 0;                   // byte offset in that owner's notes
  bool fromFirstOwner = true;
  bool sourcesOnly = false;
  int citation = 0;    // first citation on a sources page
  int lineOffset = 0;  // its lines already printed
};

CFamilyGroupGenerator::CFamilyGroupGenerator(const FamilyGroupOptions& options,
                                             const FamilyGroupRunPerson& run)
    : o_(options), run_(run) {
  blank_ = o_.type == 2;
  static constexpr int kC1[] = {-85, -44, -40}, kC2[] = {-20, -11, -10};
  c1_ = kC1[std::clamp(o_.layout, 0, 2)];
  c2_ = kC2[std::clamp(o_.layout, 0, 2)];
}

FamilyGroupGeometry CFamilyGroupGenerator::GeometryFor(ReportDevice& dc,
                                                       const FamilyGroupOptions& o) {
  FamilyGroupGeometry g;
  const bool blank = o.type == 2;
  const FamilyGroupRows rows = FamilyGroupRowsOf(blank ? 0 : o.layout);
  g.H = rows.heading;
  g.R = blank ? rows.heading : rows.row;
  PrintableArea area;
  GetPrintableMargins(dc, o.pageLM, o.pageTM, o.pageRM, o.pageBM, area, false);
  const LogFont previous = dc.SelectFont({-122, 800, false, false, S(res::kIdsArial)});
  const int numbers = dc.GetTextExtent("33 ").cx;
  dc.SelectFont(previous);
  const int titleHeight = -FamilyGroupFontOf(Option("FontFgrTitle", kTitleFont)).height;
  const int dataHeight = -FamilyGroupFontOf(Option("FontFgrData", kDataFont)).height;
  g.formLeft = area.left + numbers + 4;
  g.formRight = area.left + area.width - 4;
  g.topY = -area.top - 4;
  g.footerY = -area.top - area.height + dataHeight + 20;
  g.formTop = blank ? g.topY - 354 : g.topY - titleHeight - 128;
  g.sexX = g.formLeft + 240;
  g.nameX = g.formLeft + 700;
  g.dateX = g.formLeft + 1700;
  g.descX = g.formLeft + 3500;
  g.zelX = g.formRight - 1900;
  g.templeX = g.formRight - 580;
  g.notesWidth = g.formRight - g.formLeft - 700;
  g.middleX = (g.formLeft + g.formRight) / 2;
  if (o.photoOpt && !blank) {
    const int automatic = rows.heading + 6 * rows.row;
    const int widest = g.formRight - g.formLeft - 5060 + (o.showZel ? 0 : 1900);
    g.photo = true;
    g.photoWidth = std::max(0, std::min(o.photoX > 0 ? o.photoX : automatic, widest));
    g.photoHeight = FamilyGroupPhotoHeight(rows, o.photoY);
    g.photoLeft = o.photoPlace == 0;
    if (g.photoLeft) {
      g.photoX = g.formLeft + 240;
      g.sexX += g.photoWidth;
      g.dateX += g.photoWidth;
      g.nameX += g.photoWidth - 240;
      g.middleX = (g.formRight + g.photoWidth + g.formLeft + 240) / 2;
    } else {
      g.photoX = g.formRight - g.photoWidth;
      g.middleX = (g.formLeft + g.photoX) / 2;
      g.zelX -= g.photoWidth;
      g.templeX -= g.photoWidth;
    }
  }
  g.preparedHeight = o.includeSubmit || blank ? 3 * g.R : 0;
  g.minBlock = g.H + 3 * g.R;
  if (g.photo && o.photoRsrv) g.minBlock = std::max(g.minBlock, g.photoHeight);
  g.labelOffset = dc.GetDeviceCaps(PHYSICALHEIGHT) > 6000 ? 20 : 10;
  return g;
}

void CFamilyGroupGenerator::Fonts(ReportDevice& dc) {
  const std::string arial = S(res::kIdsArial);
  int dataPoints = 9;
  title_ = FamilyGroupFontOf(Option("FontFgrTitle", kTitleFont));
  if (blank_) title_ = {-222, 800, false, false, arial};
  captionBold_ = {-122, 800, false, false, arial};
  smallCaption_ = {-98, 500, false, false, arial};
  captionData_ = {-114, 500, false, false, arial};
  captionHeading_ = {-114, 800, false, false, arial};
  data_ = FamilyGroupFontOf(Option("FontFgrData", kDataFont), &dataPoints);
  citation_ = data_;
  citation_.height = -(dataPoints * 2000 / 216);
  parent_ = FamilyGroupFontOf(Option("FontFgrParent", kParentFont));
  child_ = FamilyGroupFontOf(Option("FontFgrChild", kChildFont));
  const std::string notes = Option("FontNotesRpt", kNotesFont);
  notes_ = FamilyGroupNoteFonts(notes);
  notesLine_ = FamilyGroupNotesLineHeight(notes);
  titleHeight_ = -title_.height;
  dataHeight_ = -data_.height;
  const bool shading = plat::Profile().GetInt("Options", "Shading", 1) != 0 &&
                       !(ReportPreviewShown() && CAppOptions::GetReportsHideShade() != 0);
  shade_ = {shading ? static_cast<ColorRef>(CAppOptions::GetReportsShadeClr()) : 0xFFFFFF, false};
  if (o_.layout == 2) thick_ = thin_;
  (void)dc;
}

void CFamilyGroupGenerator::SetUp(ReportDevice& dc) {
  dc.SetMapMode(MM_HIENGLISH);
  SetPageMargins(&dc, {o_.pageLM, -o_.pageTM, o_.pageRM, -o_.pageBM});
  Fonts(dc);
  g_ = GeometryFor(dc, o_);
  overflowRows_ = 0;
  noteLines_.clear();
}

void CFamilyGroupGenerator::BeginPrinting(ReportDevice* dc, CPrintInfo*) {
  if (dc) SetUp(*dc);
}

int CFamilyGroupGenerator::PrintPage(CReportJob& job, CPrintInfo* info) {
  if (job.DC() == nullptr || info == nullptr) return 0;
  DrawPage(*job.DC(), info->currentPage);
  if (IsRTFMode() && info->currentPage < info->maxPage) EndRTFPage();
  return 1;
}

void CFamilyGroupGenerator::EndPrinting(ReportDevice* dc, CPrintInfo* info) {
  if (!blank_ && CurrentReportRunState().printState != 4) CleanupFamilyGroupPages();
  FinishRTFDocument(dc, info);
}

// ---- small drawing helpers -------------------------------------------------

void CFamilyGroupGenerator::Text(ReportDevice& dc, int x, int y, const std::string& text) {
  if (!text.empty()) TextOutString(&dc, x, y, text);
}

void CFamilyGroupGenerator::RightText(ReportDevice& dc, int right, int y, const std::string& text) {
  if (!text.empty()) TextOutString(&dc, right - dc.GetTextExtent(text).cx, y, text);
}

void CFamilyGroupGenerator::Rule(ReportDevice& dc, int x1, int y1, int x2, int y2) {
  MoveTo(&dc, x1, y1);
  LineTo(&dc, x2, y2);
}

std::string CFamilyGroupGenerator::Marks(const std::vector<std::int32_t>& numbers) const {
  std::string text;
  for (const std::int32_t n : numbers) text += (text.empty() ? "" : ",") + std::to_string(n);
  return text;
}

int CFamilyGroupGenerator::Number(std::int32_t citation) {
  if (entry_ == nullptr || !entry_->citations) return 0;
  return RecordCitationNumber(*entry_->citations, citation, [this](std::int32_t c) {
    const auto found = sourceOf_.find(c);
    if (found != sourceOf_.end()) return found->second;
    CCitationRecord record;
    const std::int32_t source =
        DbGetRecord(c, db::kCitation, &record) ? record.sourceRin : std::int32_t{0};
    sourceOf_[c] = source;
    return source;
  });
}

// ---- the record of a page ----------------------------------------------------

bool CFamilyGroupGenerator::LoadRecord(const FamilyGroupPageEntry& entry, Record& record) {
  const std::int32_t first = entry.page - entry.pageInRecord + 1;
  for (std::int32_t page = first; page < first + entry.recordPageCount; ++page) {
    const FamilyGroupPageEntry* e = FindFamilyGroupPage(page);
    if (e == nullptr) continue;
    if (e == &entry) record.index = record.entries.size();
    record.entries.push_back(e);
  }
  if (entry.key > 0) {
    record.request = {entry.key, FamilyRecordKind::Family, 0};
  } else {
    record.request = {run_.startRin,
                      run_.role == 3 ? FamilyRecordKind::LoneChild : FamilyRecordKind::LoneParent,
                      0};
  }
  if (!ReadFamilyGroupPeople(record.request, record.people)) return false;
  FamilyGroupBlockSetup parents{o_, {}};
  if (o_.SourceNotesOn()) parents.number = [this](std::int32_t c) { return Number(c); };
  FamilyGroupBlockSetup children = parents;
  if (o_.notePar) children.number = {};
  const std::int32_t mrin = entry.key;
  const bool loneChild = record.request.kind == FamilyRecordKind::LoneChild;
  record.husband = BuildSpouseBlock(loneChild ? 0 : record.people.husband, mrin, kRoleHusband,
                                    loneChild ? FamilyGroupBlockSetup{o_, {}} : parents);
  record.wife = BuildSpouseBlock(loneChild ? 0 : record.people.wife, mrin, kRoleWife,
                                 loneChild ? FamilyGroupBlockSetup{o_, {}} : parents);
  for (const std::int32_t child : record.people.children)
    record.children.push_back(BuildChildBlock(child, children));
  if (o_.GeneralNotesOn()) {
    const auto add = [&](int owner, std::int32_t number, bool marriage) {
      std::string text = FamilyGroupNotesOf(number, marriage, o_);
      if (!text.empty()) record.owners.push_back({owner, std::move(text)});
    };
    if (mrin > 0) add(kNotesOwnerMarriage, mrin, true);
    add(kNotesOwnerHusband, record.people.husband, false);
    add(kNotesOwnerWife, record.people.wife, false);
    if (!o_.notePar)
      for (std::size_t i = 0; i < record.people.children.size(); ++i)
        add(kNotesOwnerChild + static_cast<int>(i), record.people.children[i], false);
  }
  return true;
}

// ---- the page ------------------------------------------------------------------

void CFamilyGroupGenerator::DrawTitle(ReportDevice& dc, std::int32_t mrin) {
  std::string title = S(res::kIdsFamilyGroupRecordTitle);
  if (mrin > 0 && !o_.suppressRin) title += "- " + std::to_string(mrin);
  const LogFont previous = dc.SelectFont(title_);
  const int width = dc.GetTextExtent(title).cx;
  const int leading = blank_ ? 0 : titleHeight_ / 10;
  Text(dc, (g_.formLeft + g_.formRight - width) / 2, g_.topY + leading, title);
  dc.SelectFont(previous);
}

void CFamilyGroupGenerator::DrawPageNumber(ReportDevice& dc, const FamilyGroupPageEntry& entry) {
  dc.SelectFont(smallCaption_);
  const std::string text = S(res::kIdsPage) + " " + std::to_string(entry.pageInRecord) + " " +
                           S(res::kIdsOfFamilyGroup) + " " + std::to_string(entry.recordPageCount);
  RightText(dc, g_.formRight, g_.formTop - smallCaption_.height + 20, text);
}

void CFamilyGroupGenerator::DrawPage(ReportDevice& dc, int page) {
  dc.SetMapMode(MM_HIENGLISH);
  legendFlags_ = 0;
  if (blank_) {
    DrawBlankPage(dc, page);
    return;
  }
  const FamilyGroupPageEntry* entry = FindFamilyGroupPage(page);
  if (entry == nullptr) return;
  entry_ = entry;
  DrawTitle(dc, entry->key);
  Record record;
  if (!LoadRecord(*entry, record)) return;
  switch (entry->kind) {
    case kFamilyPage:
      DrawFamilyPage(dc, *entry, record);
      break;
    case kChildrenPage:
      DrawChildrenPage(dc, *entry, record);
      break;
    default:
      DrawNotesPage(dc, *entry, record);
      break;
  }
  entry_ = nullptr;
}

bool CFamilyGroupGenerator::SectionStartsHere(const FamilyGroupPageEntry&,
                                              const Record& record) const {
  const bool sources = o_.SourceNotesOn() && entry_->citations && !entry_->citations->empty();
  if (record.owners.empty() && !sources) return false;
  const FamilyGroupPageEntry* next = record.Next();
  if (next == nullptr) return true;
  if (next->kind < kNotesPage) return false;
  if (next->kind == kNotesPage)
    return !(next->lineOffset == 0 && next->start == record.owners.front().owner);
  if (!record.owners.empty()) return true;
  return !(next->start == 0 && next->lineOffset == 0);
}

void CFamilyGroupGenerator::DrawFamilyPage(ReportDevice& dc, const FamilyGroupPageEntry& entry,
                                           Record& record) {
  const bool firstPage = entry.pageInRecord == 1;
  const bool prepared = firstPage && o_.includeSubmit;
  const int legendRow = prepared && o_.Legend() ? g_.R : 0;
  const int limit = g_.footerY + (prepared ? g_.preparedHeight + legendRow : 0);
  DrawPageNumber(dc, entry);
  const FamilyGroupPageEntry* next = record.Next();
  const int husbandRows = record.husband.Rows(), wifeRows = record.wife.Rows();
  int hFrom = 0, hTo = husbandRows, wFrom = 0, wTo = wifeRows;
  bool husbandHere = entry.start != 2;
  if (entry.start == 1) hFrom = entry.lineOffset;
  if (entry.start == 2) wFrom = entry.lineOffset;
  bool wifeHere = true;
  if (next && next->kind == kFamilyPage && next->start == 1) {
    hTo = next->lineOffset;
    wifeHere = false;
    if (hTo == 0) husbandHere = false;  // the husband's block moved to the next page
  } else if (next && next->kind == kFamilyPage && next->start == 2) {
    wTo = next->lineOffset;
    if (wTo == 0) wifeHere = false;
  }
  y_ = g_.formTop;
  int used = prepared ? g_.preparedHeight + legendRow : 0;
  const int before = y_;
  if (husbandHere) {
    DrawBlock(dc, record.husband, hFrom, hTo, limit, 0, false);
  } else if (entry.start == 2) {
    DrawNameRow(dc, y_, 0, record.husband.name, {}, 0, 'M', false, false);
    y_ -= g_.H;
  }
  if (wifeHere && husbandHere && hTo < husbandRows) wifeHere = false;
  if (wifeHere) DrawBlock(dc, record.wife, wFrom, wTo, limit, 0, false);
  used += before - y_;
  const bool complete = wifeHere && wTo == wifeRows;
  const bool childrenHere = complete && !record.children.empty();
  if (childrenHere) {
    DrawChildrenHeading(dc, y_);
    y_ -= g_.H;
    used += g_.H;
    const int top = y_;
    DrawChildren(dc, entry, record, 1, 0, limit);
    used += top - y_;
  } else {
    dc.SelectPen(thick_);
    Rule(dc, g_.formLeft, y_, g_.formRight, y_);
  }
  if (complete) DrawSectionBelowBlocks(dc, entry, record, used);
  DrawFoot(dc, prepared, y_);
}

void CFamilyGroupGenerator::DrawSectionBelowBlocks(ReportDevice& dc,
                                                   const FamilyGroupPageEntry& entry,
                                                   Record& record, int used) {
  if (!SectionStartsHere(entry, record)) return;
  const int lines = std::max(0, (g_.BodyHeight() - used) / notesLine_);
  DrawNotesAndSources(dc, entry, record, lines, Section{});
}

void CFamilyGroupGenerator::DrawChildrenPage(ReportDevice& dc, const FamilyGroupPageEntry& entry,
                                             Record& record) {
  DrawContinuationHeading(dc, record, true);
  DrawPageNumber(dc, entry);
  const int top = y_;
  DrawChildren(dc, entry, record, entry.start, entry.lineOffset, g_.footerY);
  // The pass counts the children from 3H + R.
  DrawSectionBelowBlocks(dc, entry, record, 3 * g_.H + g_.R + (top - y_));
  DrawFoot(dc, false, y_);
}

void CFamilyGroupGenerator::DrawNotesPage(ReportDevice& dc, const FamilyGroupPageEntry& entry,
                                          Record& record) {
  DrawContinuationHeading(dc, record, false);
  DrawPageNumber(dc, entry);
  Section start;
  if (entry.kind == kNotesPage) {
    start.owner = entry.start;
    start.offset = entry.lineOffset;
    start.fromFirstOwner = false;
  } else {
    start.sourcesOnly = true;
    start.citation = entry.start;
    start.lineOffset = entry.lineOffset;
  }
  const int lines = (y_ - g_.footerY) / notesLine_;
  DrawNotesAndSources(dc, entry, record, lines, start);
  DrawFoot(dc, false, y_);
}

void CFamilyGroupGenerator::DrawContinuationHeading(ReportDevice& dc, const Record& record,
                                                    bool children) {
  y_ = g_.formTop;
  DrawNameRow(dc, y_, kRoleHusband, record.husband.name, {}, 0, 'M', false, false);
  y_ -= g_.H;
  DrawNameRow(dc, y_, kRoleWife, record.wife.name, {}, 0, 'F', false, false);
  y_ -= g_.H;
  if (children) {
    DrawChildrenHeading(dc, y_);
    y_ -= g_.H;
  }
}

void CFamilyGroupGenerator::DrawChildren(ReportDevice& dc, const FamilyGroupPageEntry& entry,
                                         Record& record, int first, int firstOffset, int limit) {
  const FamilyGroupPageEntry* next = record.Next();
  const bool bounded = next && next->kind == kChildrenPage;
  const int count = static_cast<int>(record.children.size());
  for (int n = std::max(1, first); n <= count; ++n) {
    const FamilyGroupBlock& child = record.children[n - 1];
    const int from = n == first ? firstOffset : 0;
    int to = child.Rows();
    if (bounded && n >= next->start) {
      if (n > next->start || next->lineOffset == 0) break;
      to = next->lineOffset;
    }
    const bool direct = o_.markDirect && entry.directChild == n;
    DrawBlock(dc, child, from, to, limit, n, direct);
  }
}

void CFamilyGroupGenerator::DrawFoot(ReportDevice& dc, bool preparedBy, int contentBottom) {
  const int legendRow = preparedBy && o_.Legend() ? g_.R : 0;
  if (preparedBy) {
    int top = g_.footerY + legendRow + g_.preparedHeight;
    if (contentBottom < top) top = contentBottom;
    DrawPreparedBox(dc, top, false);
    if (o_.Legend())
      CReportJob::DrawRelationshipLegend(&dc, g_.formLeft, g_.footerY - 10, captionData_,
                                         captionHeading_, legendFlags_, g_.formRight, 0, o_.parInd,
                                         o_.relInd);
    return;
  }
  std::string today;
  FormatToday(today);
  dc.SelectFont(data_);
  Text(dc, g_.formLeft, g_.footerY - 10, today);
  if (o_.Legend())
    CReportJob::DrawRelationshipLegend(&dc, g_.formLeft + dc.GetTextExtent(today).cx + 200,
                                       g_.footerY - 10, captionData_, captionHeading_, legendFlags_,
                                       g_.formRight, 0, o_.parInd, o_.relInd);
}

void CFamilyGroupGenerator::DrawPreparedBox(ReportDevice& dc, int top, bool blank) {
  const int R = g_.R, d = g_.labelOffset;
  dc.SelectPen(thin_);
  RectangleXY(&dc, g_.formLeft, top, g_.formRight, top - 3 * R);
  Rule(dc, g_.formLeft, top - R, g_.formRight, top - R);
  Rule(dc, g_.formLeft, top - 2 * R, g_.formRight, top - 2 * R);
  dc.SelectFont(smallCaption_);
  const int x = g_.formLeft + g_.textInset;
  Text(dc, x, top - d, S(res::kIdsPreparedBy));
  Text(dc, g_.middleX, top - d, S(res::kIdsAddress));
  Text(dc, x, top - R - d, S(res::kIdsPhone));
  Text(dc, x, top - 2 * R - d, S(res::kIdsDatePrepared));
  if (blank) return;
  CFamilyFileInfo info;
  info.ReadPreparer();
  dc.SelectFont(data_);
  const unsigned align = dc.SetTextAlign(TA_BASELINE);
  const int valueX = g_.formLeft + 720, addressX = g_.middleX + 520;
  Text(dc, valueX, top - R + 10, info.GetPreparerName());
  Text(dc, addressX, top - R + 10, info.address1);
  Text(dc, valueX, top - 2 * R + 10, info.phone);
  Text(dc, addressX, top - 2 * R + 10, info.address2);
  std::string today;
  FormatToday(today);
  const bool german = Upper(plat::Profile().GetString("Options", "LanguageUI", "EN")) == "DE";
  Text(dc, valueX + (german ? 150 : 0), top - 3 * R + 10, today);
  std::string rest = info.address3;
  if (!info.country.empty()) rest += (rest.empty() ? "" : "   ") + info.country;
  Text(dc, addressX, top - 3 * R + 10, rest);
  dc.SetTextAlign(align);
  if (info.phone.empty()) {
    dc.SelectFont(data_);
    const int py = top - R + (o_.layout < 2 ? c1_ : 0) - d;
    Text(dc, g_.formLeft + 40 + (o_.layout == 0 ? 0 : 300), py, "(");
    Text(dc, g_.formLeft + 740 - (o_.layout == 0 ? 300 : 0), py, ")");
  }
}

// ---- rows and blocks -----------------------------------------------------------

void CFamilyGroupGenerator::DrawNameRow(ReportDevice& dc, int top, int role,
                                        const std::string& name,
                                        const std::vector<std::int32_t>& marks, int childNumber,
                                        char sex, bool direct, bool photoBeside) {
  const int height = role <= kRoleWife ? g_.H : g_.R;
  const int bottom = top - height;
  const int right = g_.photo && !g_.photoLeft && photoBeside ? g_.photoX : g_.formRight;
  if (role == kRoleHusband || role == kRoleWife || role == 0) {
    dc.SelectPen(thick_);
    Rule(dc, g_.formLeft, top, g_.formRight, top);
  }
  dc.SelectPen(thin_);
  if (role <= kRoleWife) {
    Rule(dc, g_.formLeft, bottom, right, bottom);
    Rule(dc, g_.formLeft, top, g_.formLeft, bottom);
    Rule(dc, g_.formRight, top, g_.formRight, bottom);
  } else {
    if (role == kRoleHusbandFather || role == kRoleWifeFather) Rule(dc, g_.sexX, top, right, top);
    Rule(dc, g_.sexX, bottom, right, bottom);
    Rule(dc, g_.formLeft, top, g_.formLeft, bottom);
    Rule(dc, right, top, right, bottom);
  }
  const int d = g_.labelOffset;
  const unsigned captionId = role >= 2 && role <= 9 ? kIdsRoleCaptions[role] : 0;
  if (captionId != 0) {
    if (role <= kRoleWife) {
      dc.SelectFont(captionBold_);
      const int x = (photoBeside && g_.photoLeft ? g_.sexX : g_.formLeft) + g_.textInset;
      Text(dc, x, top - d, S(captionId));
    } else {
      dc.SelectFont(smallCaption_);
      Text(dc, g_.sexX + g_.textInset, top - d, S(captionId));
    }
  }
  const unsigned align = dc.SetTextAlign(TA_BASELINE);
  int x = 0, baseline = 0;
  if (role == kRoleChild) {
    dc.SelectFont(child_);
    x = g_.sexX + 40;
    baseline = bottom + 30;
  } else if (role <= kRoleWife) {
    dc.SelectFont(parent_);
    x = g_.nameX + (photoBeside && g_.photoLeft ? 350 : 0);
    baseline = bottom + 30;
  } else {
    dc.SelectFont(data_);
    const bool german = Upper(plat::Profile().GetString("Options", "LanguageUI", "EN")) == "DE";
    x = g_.sexX + 900 + (german ? 300 : 0);
    baseline = bottom + 20;
  }
  Text(dc, x, baseline, name);
  const int nameWidth = name.empty() ? 0 : dc.GetTextExtent(name).cx;
  if (!marks.empty()) {
    LogFont nameFont;
    dc.GetFont(nameFont);
    dc.SelectFont(citation_);
    Text(dc, x + nameWidth, baseline - nameFont.height * 3 / 4, Marks(marks));
  }
  dc.SetTextAlign(align);
  if (role == kRoleChild) {
    dc.SelectFont(captionBold_);
    const std::string number = std::to_string(childNumber) + " ";
    RightText(dc, g_.formLeft, top - (height + captionBold_.height) / 2, number);
    const std::string letter = sex == 'M'   ? S(res::kIdsMaleLetter)
                               : sex == 'F' ? S(res::kIdsFemaleLetter)
                                            : "";
    if (!letter.empty()) {
      const unsigned a = dc.SetTextAlign(TA_BASELINE);
      const int lx = (g_.formLeft + g_.sexX - dc.GetTextExtent(letter).cx) / 2;
      Text(dc, lx, bottom + 30, letter);
      if (direct)
        Text(dc, (g_.formLeft + g_.sexX - dc.GetTextExtent("X").cx) / 2, bottom + 30 - g_.R, "X");
      dc.SetTextAlign(a);
    }
    dc.SelectPen(thin_);
    Rule(dc, g_.sexX, top, g_.sexX, bottom);
  }
}

void CFamilyGroupGenerator::DrawChildrenHeading(ReportDevice& dc, int top) {
  const int bottom = top - g_.H;
  const int right = g_.photo && !g_.photoLeft ? g_.photoX : g_.formRight;
  FillRect(&dc, {g_.formLeft, top, right, bottom}, &shade_);
  dc.SelectPen(thick_);
  Rule(dc, g_.formLeft, top, right, top);
  dc.SelectPen(thin_);
  Rule(dc, g_.formLeft, bottom, g_.formRight, bottom);
  Rule(dc, g_.formLeft, top, g_.formLeft, bottom);
  Rule(dc, g_.formRight, top, g_.formRight, bottom);
  dc.SelectFont(captionBold_);
  const int textTop = top + 4 * c2_;
  Text(dc, g_.formLeft + 40, textTop, S(res::kIdsChildren));
  Text(dc, g_.formLeft + 80 + dc.GetTextExtent(S(res::kIdsChildren)).cx + 100, textTop,
       S(res::kIdsChildrenHint));
  if (o_.showZel) {
    Text(dc, g_.zelX + 120, textTop, S(res::kIdsZelDates));
    Text(dc, g_.templeX + 120, textTop, S(res::kIdsOrdinanceTemple));
  }
}

void CFamilyGroupGenerator::DrawRow(ReportDevice& dc, const FamilyGroupRow& row, int top,
                                    bool photoBeside) {
  if (row.kind == FamilyGroupRow::kPerson) {
    DrawNameRow(dc, top, row.role, row.name, row.nameMarks, 0, 'U', false, photoBeside);
    if (row.mrin > 0) {
      dc.SelectFont(data_);
      const std::string text = S(res::kIdsMrin) + ": " + std::to_string(row.mrin);
      const int x =
          o_.layout == 2 ? g_.formRight - 40 - dc.GetTextExtent(text).cx : g_.templeX - 60;
      Text(dc, x, top - g_.labelOffset, text);
    }
    return;
  }
  const int R = g_.R, bottom = top - R;
  const int rowRight = o_.showZel                                   ? g_.zelX
                       : (g_.photo && !g_.photoLeft && photoBeside) ? g_.photoX
                                                                    : g_.formRight;
  dc.SelectPen(thin_);
  Rule(dc, g_.formLeft, top, g_.formLeft, bottom);
  Rule(dc, g_.formRight, top, g_.formRight, bottom);
  Rule(dc, g_.sexX, top, g_.sexX, bottom);
  Rule(dc, g_.sexX, bottom, rowRight, bottom);
  if (o_.showZel) Rule(dc, g_.zelX, top, g_.zelX, bottom);
  if (row.kind == FamilyGroupRow::kFiller) return;
  Rule(dc, g_.dateX, top, g_.dateX, bottom);
  int placeRight = rowRight;
  if (!row.description.empty()) {
    placeRight = (g_.dateX + rowRight) / 2;
    Rule(dc, placeRight, top, placeRight, bottom);
  }
  dc.SelectFont(smallCaption_);
  Text(dc, g_.sexX + 40, top - g_.labelOffset, row.caption);
  if (!row.marks.row.empty()) {
    const int x = g_.sexX + 40 + dc.GetTextExtent(row.caption).cx;
    dc.SelectFont(citation_);
    Text(dc, x, top - g_.labelOffset, "-" + Marks(row.marks.row));
    dc.SelectFont(smallCaption_);
  }
  if (!row.place.empty()) Text(dc, g_.dateX + 40, top - 20, S(res::kIdsPlaceFamilyGroup));
  if (!row.description.empty())
    Text(dc, placeRight + 40, top - 20,
         S(o_.showZel && rowRight == g_.zelX ? res::kIdsDescriptionShort : res::kIdsDescription));
  const unsigned align = dc.SetTextAlign(TA_BASELINE);
  const int baseline = bottom + 20;
  dc.SelectFont(citation_);
  const std::string dateMarks = Marks(row.marks.date);
  const int marksWidth = std::min(350, dateMarks.empty() ? 0 : dc.GetTextExtent(dateMarks).cx);
  dc.SelectFont(data_);
  if (!row.date.empty()) {
    const int width = dc.GetTextExtent(row.date).cx;
    int inset = o_.layout == 0 ? 80 : 40;
    if (width + inset + marksWidth > g_.dateX - g_.sexX - 40) inset = 0;
    const int right = g_.dateX - inset - marksWidth;
    Text(dc, right - width, baseline, row.date);
    if (!dateMarks.empty()) {
      dc.SelectFont(citation_);
      Text(dc, right, baseline + R / 5, dateMarks);
      dc.SelectFont(data_);
    }
  }
  if (!row.place.empty()) {
    const int x = g_.dateX + 340;
    const std::string place = FitTextToWidth(
        &dc, {x, top, placeRight - 2 * g_.textInset - 300 + g_.dateX - x, bottom}, row.place);
    Text(dc, x, baseline, place);
    if (!row.marks.place.empty()) {
      const int px = x + dc.GetTextExtent(place).cx;
      dc.SelectFont(citation_);
      Text(dc, px, baseline + R / 5, Marks(row.marks.place));
      dc.SelectFont(data_);
    }
  }
  if (!row.description.empty()) {
    dc.SelectFont(smallCaption_);
    const int x = placeRight + 80 + dc.GetTextExtent(S(res::kIdsDescription)).cx;
    dc.SelectFont(data_);
    Text(dc, x, baseline, FitTextToWidth(&dc, {x, top, rowRight - 40, bottom}, row.description));
  }
  dc.SetTextAlign(align);
  if (row.kind == FamilyGroupRow::kMarried && row.sealingCell) {
    const int right = g_.photo && !g_.photoLeft ? g_.photoX : g_.formRight;
    dc.SelectPen(thin_);
    Rule(dc, g_.zelX, bottom, right, bottom);
    Rule(dc, g_.templeX, top, g_.templeX, bottom);
    dc.SelectFont(smallCaption_);
    Text(dc, g_.zelX + 40, top - g_.labelOffset,
         S(row.mrin > 0 ? res::kIdsSealedToSpouse : res::kIdsSealSp));
    dc.SelectFont(data_);
    const unsigned a = dc.SetTextAlign(TA_BASELINE);
    if (row.sealDate.size() > 3) RightText(dc, g_.templeX - 40, baseline, row.sealDate);
    if (!row.sealTemple.empty())
      Text(dc, (g_.templeX + right - dc.GetTextExtent(row.sealTemple).cx) / 2, baseline,
           row.sealTemple);
    if (!row.sealMarks.empty()) {
      dc.SelectFont(citation_);
      Text(dc, g_.templeX - 40, baseline + R / 5, Marks(row.sealMarks));
    }
    dc.SetTextAlign(a);
  }
}

void CFamilyGroupGenerator::DrawOrdinanceBox(ReportDevice& dc, const FamilyGroupBlock& block,
                                             int top, bool heading) {
  const int R = g_.R;
  const int right = g_.photo && !g_.photoLeft ? g_.photoX : g_.formRight;
  const int lines = static_cast<int>(block.ordinances.size()) + (heading ? 1 : 0);
  const int bottom = top - lines * R;
  dc.SelectPen(thin_);
  // The box first: its fill would cover a heading drawn before it.
  RectangleXY(&dc, g_.zelX, top, right, bottom);
  int y = top;
  if (heading) {
    FillRect(&dc, {g_.zelX, y, right, y - R}, &shade_);
    // The shading covers the box's edges around the heading.
    Rule(dc, g_.zelX, y - R, g_.zelX, y);
    Rule(dc, g_.zelX, y, right, y);
    Rule(dc, right, y, right, y - R);
    dc.SelectFont(captionBold_);
    Text(dc, g_.zelX + 120, y + 4 * c2_ + 40, S(res::kIdsZelDates));
    Text(dc, g_.templeX + 120, y + 4 * c2_ + 40, S(res::kIdsOrdinanceTemple));
    y -= R;
  }
  Rule(dc, g_.templeX, y, g_.templeX, bottom);
  for (const FamilyGroupOrdinance& line : block.ordinances) {
    Rule(dc, g_.zelX, y, right, y);
    dc.SelectFont(smallCaption_);
    Text(dc, g_.zelX + 40, y - g_.labelOffset, line.caption);
    dc.SelectFont(data_);
    const unsigned a = dc.SetTextAlign(TA_BASELINE);
    int dateRight = g_.templeX - 40;
    if (!line.marks.empty()) {
      dc.SelectFont(citation_);
      const std::string marks = Marks(line.marks);
      dateRight -= dc.GetTextExtent(marks).cx;
      Text(dc, dateRight, y - R + 20 + R / 5, marks);
      dc.SelectFont(data_);
    }
    if (line.date.size() > 3) RightText(dc, dateRight, y - R + 20, line.date);
    if (!line.temple.empty())
      Text(dc, (g_.templeX + right - dc.GetTextExtent(line.temple).cx) / 2, y - R + 20,
           line.temple);
    dc.SetTextAlign(a);
    y -= R;
  }
}

int CFamilyGroupGenerator::DrawBlock(ReportDevice& dc, const FamilyGroupBlock& block, int from,
                                     int to, int limit, int childNumber, bool direct) {
  const int top = y_;
  const int R = g_.R, H = g_.H;
  const bool child = block.role == kRoleChild;
  const bool photoBeside = g_.photo && block.rin > 0 && from == 0;
  std::string name = block.name;
  if (block.rin > 0 && o_.Legend()) {
    std::string codes;
    CReportJob::GetRelationshipCodes(codes, legendFlags_, DatabaseRelationshipLinks(), block.rin,
                                     o_.relInd, o_.parInd, 0);
    if (!codes.empty()) name += " " + codes;
  }
  // A continued child repeats its name in a row of R; a continued spouse
  // block in its heading row.
  const int nameHeight = child && from > 0 ? R : H;
  if (block.rin == 0 && !child && from == 0) {
    DrawBlankNameCaptions(dc, top, block.role);
  } else {
    DrawNameRow(dc, top, child ? kRoleChild : block.role, name,
                from == 0 ? block.nameMarks : std::vector<std::int32_t>{}, childNumber, block.sex,
                direct && from == 0, photoBeside);
  }
  if (from == 0 && o_.showZel && !block.ordinances.empty())
    DrawOrdinanceBox(dc, block, top - H, !child);
  int y = top - nameHeight;
  int drawn = 0;
  for (int r = from; r < to && r < block.Rows(); ++r) {
    if (y - R < limit) {
      ++overflowRows_;
      continue;
    }
    DrawRow(dc, block.rows[r], y, photoBeside);
    y -= R;
    ++drawn;
  }
  if (photoBeside) DrawPhoto(dc, block, top, y);
  // A whole block takes the height the pass measured for it.
  if (from == 0 && to >= block.Rows()) {
    int height = H + block.Rows() * R;
    if (g_.photo && block.rin > 0 && (o_.photoRsrv || block.photo)) {
      if (child)
        height = std::max(height, g_.photoHeight);
      else
        height = MeasureSpouseBlock(block, FamilyGroupRows{H, R}, o_, g_.photoHeight);
    }
    if (top - height < limit && height > top - y) {
      // The photo would pass the foot: the rows alone count.
      height = top - y;
    }
    y = std::min(y, top - height);
  }
  y_ = y;
  return drawn;
}

void CFamilyGroupGenerator::DrawPhoto(ReportDevice& dc, const FamilyGroupBlock& block, int top,
                                      int bottom) {
  const bool condensed = o_.layout == 2;
  const int side = 3, above = condensed ? 6 : 16, below = condensed ? 9 : 24;
  const int left = g_.photoLeft ? g_.formLeft : g_.photoX;
  const int right = g_.photoLeft ? g_.sexX : g_.formRight;
  const int low = std::min(bottom, top - g_.photoHeight);
  Rect rect{left + side, top - above, right - side, low + below};
  const int result = DrawPictureEx(block.rin, &dc, &rect, 0, 1, nullptr, db::kIndividual);
  if (result != 0 && o_.photoRsrv) {
    dc.SelectPen(thin_);
    RectangleXY(&dc, left + side, top - above, right - side, low + below);
  }
}

// ---- notes and sources -------------------------------------------------------

void CFamilyGroupGenerator::SideRules(ReportDevice& dc, int top, int bottom) {
  dc.SelectPen(thin_);
  Rule(dc, g_.formLeft, top, g_.formLeft, bottom);
  Rule(dc, g_.formRight, top, g_.formRight, bottom);
}

void CFamilyGroupGenerator::DrawNotesAndSources(ReportDevice& dc, const FamilyGroupPageEntry& entry,
                                                Record& record, int lines, const Section& start) {
  if (lines < 4) return;
  const int L = notesLine_;
  const int top = y_;
  int used = 0;
  const auto lineTop = [&] { return top - used * L; };
  const FamilyGroupLineFit fit = [&](std::string_view text) {
    return FitTextLine(text, dc, g_.notesWidth, g_.notesWidth / 80, &notes_);
  };
  ReportStyleFonts styles{notes_.normal, notes_.italic, notes_.bold, std::nullopt, 0};
  const auto drawLine = [&](std::string_view line, int x, int y, std::uint8_t style) {
    const std::string text(line);
    dc.SelectFont(*notes_.FontFor(style));
    int cx = x;
    int offset = 0;
    do {
      offset = CReportJob::DrawTextToNextTag(this, &dc, styles, text.c_str(),
                                             static_cast<int>(text.size()), cx, y, offset);
    } while (offset > 0 && offset < static_cast<int>(text.size()));
    noteLines_.push_back(text);
  };
  const auto close = [&] {
    SideRules(dc, top, lineTop());
    dc.SelectPen(thin_);
    Rule(dc, g_.formLeft, lineTop(), g_.formRight, lineTop());
    y_ = lineTop();
  };

  bool sectionHeading = false;
  if (o_.GeneralNotesOn() && !start.sourcesOnly) {
    bool started = start.fromFirstOwner;
    for (const FamilyGroupNotesOwner& owner : record.owners) {
      int offset = 0;
      if (!started) {
        if (owner.owner != start.owner) continue;
        started = true;
        offset = start.offset;
      }
      if (lines - used < 4) return close();
      const int headingTop = lineTop();
      int x = g_.formLeft + 80;
      if (!sectionHeading) {
        dc.SelectPen(thin_);
        Rule(dc, g_.formLeft, headingTop, g_.formRight, headingTop);
        dc.SelectFont(captionHeading_);
        Text(dc, g_.formLeft + g_.textInset, headingTop - 20, S(res::kIdsNotes));
        x = g_.formLeft + g_.textInset + dc.GetTextExtent(S(res::kIdsNotes)).cx + 150;
        sectionHeading = true;
      }
      dc.SelectFont(captionHeading_);
      std::string caption;
      std::int32_t person = 0;
      if (owner.owner == kNotesOwnerMarriage) {
        caption = Upper(S(res::kIdsMarriage));
      } else if (owner.owner == kNotesOwnerHusband) {
        caption = Upper(S(res::kIdsHusband));
        person = record.people.husband;
      } else if (owner.owner == kNotesOwnerWife) {
        caption = Upper(S(res::kIdsWife));
        person = record.people.wife;
      } else {
        const int index = owner.owner - kNotesOwnerChild;
        caption = Printf(S(res::kIdsChildNumber), index + 1);
        person = index < static_cast<int>(record.people.children.size())
                     ? record.people.children[index]
                     : 0;
      }
      Text(dc, x, headingTop - 20, caption);
      int after = x + dc.GetTextExtent(caption).cx;
      if (person > 0) {
        const int dash = std::max(g_.formLeft + 800, after + 60);
        Text(dc, dash, headingTop - 20, "-");
        const int nameX = std::max(g_.formLeft + 950, dash + 150);
        const std::string name = FamilyGroupPersonName(person, o_.suppressRin);
        Text(dc, nameX, headingTop - 20, name);
        after = nameX + dc.GetTextExtent(name).cx;
      }
      if (offset > 0) Text(dc, after + 200, headingTop - 20, S(res::kIdsContinued));
      used += 2;
      SideRules(dc, headingTop, lineTop());
      const std::string_view text = owner.text;
      std::size_t pos = static_cast<std::size_t>(std::max(0, offset));
      notes_.style = kStyleNormal;
      while (pos < text.size()) {
        if (lines - used <= 0) return close();
        const std::uint8_t style = notes_.style;
        const std::size_t end = FamilyGroupNextLine(text, pos, fit);
        std::string_view line = text.substr(pos, end - pos);
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
        drawLine(line, g_.formLeft + 350, lineTop(), style);
        SideRules(dc, lineTop(), lineTop() - L);
        ++used;
        pos = FamilyGroupSkipLineBreak(text, end);
      }
    }
    if (!started) return;
  }
  const std::vector<std::int32_t>* citations = entry.citations.get();
  if (!o_.SourceNotesOn() || citations == nullptr || citations->empty()) {
    if (sectionHeading) close();
    return;
  }
  if (lines - used < 4) return close();
  const int headingTop = lineTop();
  dc.SelectPen(thin_);
  Rule(dc, g_.formLeft, headingTop, g_.formRight, headingTop);
  dc.SelectFont(captionHeading_);
  std::string heading = S(res::kIdsSources);
  if (start.sourcesOnly && (start.citation > 0 || start.lineOffset > 0))
    heading += " " + S(res::kIdsContinued);
  Text(dc, g_.formLeft + g_.textInset, headingTop - 20, heading);
  SideRules(dc, headingTop, headingTop - L);
  ++used;
  Rule(dc, g_.formLeft, lineTop(), g_.formRight, lineTop());
  const std::size_t first = start.sourcesOnly ? static_cast<std::size_t>(start.citation) : 0;
  for (std::size_t c = first; c < citations->size(); ++c) {
    const bool seen =
        entry.citationSeen && c < entry.citationSeen->size() && (*entry.citationSeen)[c] != 0;
    const std::string text = FamilyGroupCitationText((*citations)[c], seen, o_);
    std::size_t pos = 0;
    notes_.style = kStyleNormal;
    int skip = c == first && start.sourcesOnly ? start.lineOffset : 0;
    for (; skip > 0 && pos < text.size(); --skip)
      pos = FamilyGroupSkipLineBreak(text, FamilyGroupNextLine(text, pos, fit));
    bool numbered = start.sourcesOnly && c == first && start.lineOffset > 0;
    while (pos < text.size()) {
      if (lines - used < 1) return close();
      if (!numbered) {
        dc.SelectFont(*notes_.normal);
        Text(dc, g_.formLeft + 175, lineTop(), "  " + std::to_string(c + 1) + ". ");
        numbered = true;
      }
      const std::uint8_t style = notes_.style;
      const std::size_t end = FamilyGroupNextLine(text, pos, fit);
      std::string_view line = std::string_view(text).substr(pos, end - pos);
      while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
      drawLine(line, g_.formLeft + 350, lineTop(), style);
      SideRules(dc, lineTop(), lineTop() - L);
      ++used;
      pos = FamilyGroupSkipLineBreak(text, end);
    }
  }
  close();
}

void CFamilyGroupGenerator::DrawPrintedBy(ReportDevice& dc, int y) {
  if (Job() != nullptr) Job()->DrawPrintedByLine(&dc, g_.formLeft, y);
}

// ---- the blank form -----------------------------------------------------------

void CFamilyGroupGenerator::DrawBlankNameCaptions(ReportDevice& dc, int top, int role) {
  const int bottom = top - g_.H;
  dc.SelectPen(thick_);
  Rule(dc, g_.formLeft, top, g_.formRight, top);
  dc.SelectPen(thin_);
  Rule(dc, g_.formLeft, bottom, g_.formRight, bottom);
  Rule(dc, g_.formLeft, top, g_.formLeft, bottom);
  Rule(dc, g_.formRight, top, g_.formRight, bottom);
  dc.SelectFont(captionBold_);
  Text(dc, g_.formLeft + g_.textInset, top - g_.labelOffset,
       S(role == kRoleWife ? res::kIdsWife : res::kIdsHusband));
  dc.SelectFont(smallCaption_);
  Text(dc, g_.nameX, top - g_.labelOffset, S(res::kIdsGivenNames));
  Text(dc, g_.middleX, top - g_.labelOffset,
       S(role == kRoleWife ? res::kIdsMaiden : res::kIdsLast));
  Text(dc, g_.middleX, top - g_.labelOffset + smallCaption_.height, S(res::kIdsNameWord));
  // The box of the "See Other Marriages" note, as wide as its caption.
  const int boxLeft =
      std::min(g_.templeX, g_.formRight - 80 -
                               std::max(dc.GetTextExtent(S(res::kIdsSee)).cx,
                                        dc.GetTextExtent(S(res::kIdsOtherMarriagesQuoted)).cx));
  Rule(dc, boxLeft, top, boxLeft, bottom);
  Text(dc, boxLeft + 40, top - g_.labelOffset, S(res::kIdsSee));
  Text(dc, boxLeft + 40, top - g_.labelOffset + smallCaption_.height,
       S(res::kIdsOtherMarriagesQuoted));
}

void CFamilyGroupGenerator::DrawBlankSpouseBlock(ReportDevice& dc, int role) {
  const int top = y_;
  DrawBlankNameCaptions(dc, top, role);
  int y = top - g_.H;
  const char sex = role == kRoleWife ? 'F' : 'M';
  std::vector<std::string> captions{S(res::kIdsBorn), S(res::kIdsChristened), S(res::kIdsDied),
                                    S(sex == 'F' ? res::kIdsBuried + 1 : res::kIdsBuried)};
  if (role == kRoleHusband) captions.push_back(S(res::kIdsMarried));
  for (const std::string& caption : captions) {
    FamilyGroupRow row;
    row.caption = caption;
    DrawRow(dc, row, y, false);
    y -= g_.R;
  }
  if (o_.showZel) {
    FamilyGroupBlock box;
    for (unsigned id : {4089u, 4091u, 4093u}) box.ordinances.push_back({S(id), "", "", {}});
    DrawOrdinanceBox(dc, box, top - g_.H, true);
  }
  y_ = y;
}

void CFamilyGroupGenerator::DrawBlankChildBlock(ReportDevice& dc, int number) {
  const int top = y_, bottom = top - g_.H;
  dc.SelectPen(thin_);
  Rule(dc, g_.formLeft, top, g_.formRight, top);
  Rule(dc, g_.formLeft, bottom, g_.formRight, bottom);
  Rule(dc, g_.formLeft, top, g_.formLeft, bottom);
  Rule(dc, g_.formRight, top, g_.formRight, bottom);
  Rule(dc, g_.sexX, top, g_.sexX, bottom);
  dc.SelectFont(captionBold_);
  if (number > 0)
    RightText(dc, g_.formLeft, top - (g_.H + captionBold_.height) / 2,
              std::to_string(number) + " ");
  dc.SelectFont(smallCaption_);
  Text(dc, g_.formLeft + 20, top - g_.labelOffset, S(res::kIdsSexFamilyGroup));
  Text(dc, g_.sexX + 40, top - g_.labelOffset, S(res::kIdsGiven));
  Text(dc, g_.sexX + 40, top - g_.labelOffset + smallCaption_.height, S(res::kIdsNames));
  Text(dc, g_.middleX, top - g_.labelOffset, S(res::kIdsLast));
  Text(dc, g_.middleX, top - g_.labelOffset + smallCaption_.height, S(res::kIdsNameWord));
  int y = bottom;
  const std::vector<std::string> captions{S(res::kIdsBorn), S(res::kIdsChristened),
                                          S(res::kIdsDied), S(res::kIdsBuried)};
  for (const std::string& caption : captions) {
    FamilyGroupRow row;
    row.caption = caption;
    DrawRow(dc, row, y, false);
    y -= g_.R;
  }
  FamilyGroupRow spouse;
  spouse.kind = FamilyGroupRow::kPerson;
  spouse.role = kRoleChildSpouse;
  DrawRow(dc, spouse, y, false);
  y -= g_.R;
  FamilyGroupRow married;
  married.caption = S(res::kIdsMarried);
  DrawRow(dc, married, y, false);
  y -= g_.R;
  if (o_.showZel) {
    FamilyGroupBlock box;
    for (unsigned id : {4089u, 4091u, 4093u}) box.ordinances.push_back({S(id), "", "", {}});
    DrawOrdinanceBox(dc, box, bottom, false);
  }
  y_ = y;
}

void CFamilyGroupGenerator::DrawBlankPage(ReportDevice& dc, int page) {
  if (page < 1 || page > 3) return;
  DrawTitle(dc, 0);
  dc.SelectFont(smallCaption_);
  Text(dc, g_.formRight - 1000, g_.formTop + 200, S(res::kIdsPage));
  Text(dc, g_.formRight - 350, g_.formTop + 200, S(res::kIdsOfFamilyGroup));
  y_ = g_.formTop;
  if (page == 1) {
    DrawBlankSpouseBlock(dc, kRoleHusband);
    DrawBlankSpouseBlock(dc, kRoleWife);
    DrawChildrenHeading(dc, y_);
    y_ -= g_.H;
    for (int n = 1; n <= 3; ++n) DrawBlankChildBlock(dc, n);
    DrawPreparedBox(dc, y_ - 40, true);
    DrawPrintedBy(dc, y_ - 40 - 3 * g_.R - 50);
    return;
  }
  DrawBlankNameCaptions(dc, y_, kRoleHusband);
  y_ -= g_.H;
  DrawBlankNameCaptions(dc, y_, kRoleWife);
  y_ -= g_.H;
  if (page == 2) {
    DrawChildrenHeading(dc, y_);
    y_ -= g_.H;
    // Six blocks, or as many as the paper holds above the "Printed by" line.
    const int block = g_.H + 6 * g_.R;
    for (int n = 0; n < 6 && y_ - block - 70 - CReportJob::kPrintedByHeight >= g_.footerY; ++n)
      DrawBlankChildBlock(dc, 0);
    DrawPrintedBy(dc, y_ - 70);
    return;
  }
  const int boxTop = y_;
  const int middle = (g_.formTop + g_.footerY) / 2;
  dc.SelectPen(thin_);
  RectangleXY(&dc, g_.formLeft, boxTop, g_.formRight, g_.footerY);
  Rule(dc, g_.formLeft, middle, g_.formRight, middle);
  dc.SelectFont(captionHeading_);
  Text(dc, g_.formLeft + g_.textInset, boxTop - 20, S(res::kIdsOtherMarriages));
  int x = g_.formLeft + g_.textInset + dc.GetTextExtent(S(res::kIdsOtherMarriages)).cx + 200;
  dc.SelectFont(smallCaption_);
  Text(dc, x, boxTop - 20,
       FitTextToWidth(&dc, {x, boxTop, g_.formRight - 40, boxTop - 200},
                      S(res::kIdsOtherMarriagesHint)));
  dc.SelectFont(captionHeading_);
  Text(dc, g_.formLeft + g_.textInset, middle - 20, S(res::kIdsNotesAndSources));
  x = g_.formLeft + g_.textInset + dc.GetTextExtent(S(res::kIdsNotesAndSources)).cx + 200;
  dc.SelectFont(smallCaption_);
  Text(dc, x, middle - 20, S(res::kIdsFurtherInformation));
  DrawPrintedBy(dc, g_.footerY - 50);
}

}  // namespace rpt
