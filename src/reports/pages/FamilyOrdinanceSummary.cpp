#include "FamilyOrdinanceSummary.h"

#include <algorithm>
#include <cstdio>

#include "AppOptions.h"
#include "CalendarMonth.h"
#include "ChartBox.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyLinkRecord.h"
#include "FileSystem.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "IndividualSummaryGenerator.h"
#include "MarriageRecord.h"
#include "PaginationRun.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "ReportKinds.h"
#include "ReportProgress.h"
#include "StringIds.h"
#include "StringTable.h"
#include "SummaryText.h"
#include "TextMeasure.h"

namespace rpt {

namespace {

constexpr char kSeparator = '\x01';

std::string S(unsigned id) { return res::LoadString(id); }

FosMarriageChooser& Chooser() {
  static FosMarriageChooser chooser;
  return chooser;
}

LogFont Times(int height, int weight) {
  LogFont f;
  f.face = S(res::kIdsTimes);
  f.height = height;
  f.weight = weight;
  return f;
}

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t pos = line.find(kSeparator);
  while (pos != std::string::npos) {
    const std::size_t next = line.find(kSeparator, pos + 1);
    fields.push_back(
        line.substr(pos + 1, next == std::string::npos ? std::string::npos : next - pos - 1));
    pos = next;
  }
  return fields;
}

std::string Join(char kind, std::initializer_list<std::string> fields) {
  std::string line(1, kind);
  for (const std::string& f : fields) {
    line += kSeparator;
    line += FosField(f);
  }
  return line;
}

std::string Ordinal(int n) {
  switch (n) {
    case 1:
      return S(res::kIdsFirstOrdinal);
    case 2:
      return S(res::kIdsSecond);
    case 3:
      return S(res::kIdsThird);
    default:
      return std::to_string(n) + S(res::kIdsOrdinalSuffixTh);
  }
}

std::int32_t ParentsMrinOf(std::int32_t rin) {
  CIndividualRecord record;
  if (rin <= 0 || family::Read(record, rin) != 1) return 0;
  const std::int32_t link = record.numbers[CIndividualRecord::kParentLink];
  CFamilyLinkRecord linkRecord;
  if (link > 0 && family::Read(linkRecord, link) == 1 && linkRecord.mrin != 0)
    return linkRecord.mrin;
  return record.numbers[CIndividualRecord::kParentsMrin];
}

}  // namespace

FamilyOrdinanceOptions::FamilyOrdinanceOptions()
    : titlePrefix(S(res::kIdsFamilyOrdinanceSummaryTitle) + " " + S(res::kIdsFor)) {}

FamilyOrdinanceOptions FamilyOrdinanceOptions::Load() {
  FamilyOrdinanceOptions o;
  plat::ProfilePort& p = plat::Profile();
  o.generations = p.GetInt("FOSRpt", "Generations", 4);
  o.titlePrefix = p.GetString("FamOrdSumRpt", "TitlePrefix", o.titlePrefix);
  o.titleSuffix = p.GetString("FamOrdSumRpt", "TitleSuffix", "");
  o.useName = p.GetInt("IndRpt", "UseName", 1) != 0;
  o.pageLM = CAppOptions::GetLstRptPageLM();
  o.pageRM = CAppOptions::GetLstRptPageRM();
  o.pageTM = CAppOptions::GetLstRptPageTM();
  o.pageBM = CAppOptions::GetLstRptPageBM();
  o.nameFormat = p.GetInt(CAppOptions::kSection, "AppendVal", 0);
  return o;
}

void SetFosMarriageChooser(FosMarriageChooser chooser) { Chooser() = std::move(chooser); }

std::vector<CFosColumn> BuildFosColumns(int left, int right) {
  CFosLineCursor probe;
  probe.left = left;
  probe.right = right;
  const int place = probe.IsWide() ? 2000 : 0;
  const int h = (right - left - place - 2750) / 6;
  const int m = h - 100;
  const int base = left + 2700;
  std::vector<CFosColumn> c;
  c.push_back({"", left, left + 2500, DT_LEFT});
  c.push_back({S(res::kIdsSex), left + 2500, left + 2700, DT_LEFT});
  c.push_back({S(res::kIdsBirth), base, base + m, DT_RIGHT});
  c.push_back({S(res::kIdsPlace), base + h, base + h + place, DT_LEFT});
  c.push_back({S(res::kIdsDeath), base + h + place, base + h + place + m, DT_RIGHT});
  c.push_back({S(res::kIdsBaptism), base + 2 * h + place, base + 2 * h + place + m, DT_RIGHT});
  c.push_back({S(res::kIdsEndowment), base + 3 * h + place, base + 3 * h + place + m, DT_RIGHT});
  c.push_back({S(res::kIdsSealParents), base + 4 * h + place, base + 4 * h + place + m, DT_RIGHT});
  c.push_back({S(res::kIdsSealSpouse), base + 5 * h + place, base + 5 * h + place + m, DT_RIGHT});
  return c;
}

std::string FosField(std::string text) {
  for (char& ch : text)
    if (ch == '\n' || ch == '\r' || ch == kSeparator) ch = ' ';
  return text;
}

std::string FosHeadingLine(int depth, bool male, const std::string& childName,
                           const std::string& rootName) {
  switch (depth) {
    case 0:
      return Join('G', {S(res::kIdsDepth0)});
    case 1:
      return Join('G', {S(res::kIdsDepth1)});
    case 2:
      return Join('A', {S(male ? res::kIdsFathersAncestors : res::kIdsMothersAncestors),
                        res::FormatString(male ? res::kIdsFathersParents : res::kIdsMothersParents,
                                          {childName, rootName})});
    case 3:
      return Join('G', {res::FormatString(male ? res::kIdsGrandfather : res::kIdsGrandmother,
                                          {childName})});
    default:
      return Join('G', {res::FormatString(male ? res::kIdsGreatGrandfatherParents
                                               : res::kIdsGreatGrandmotherParents,
                                          {Ordinal(depth - 3) + " ", childName})});
  }
}

CFamilyOrdinanceSummaryGenerator::CFamilyOrdinanceSummaryGenerator(
    std::int32_t rin, const FamilyOrdinanceOptions& options)
    : rin_(rin), options_(options) {
  titleFont_ = Times(180, 600);
  bodyFont_ = Times(100, 100);
  headingFont_ = Times(120, 1000);
  thinPen_ = {PS_SOLID, 20, 0};
  thickPen_ = {PS_SOLID, 40, 0};
  headingBrush_ = {0xF8F8F8, false};
}

CFamilyOrdinanceSummaryGenerator::~CFamilyOrdinanceSummaryGenerator() { CloseFiles(true); }

void CFamilyOrdinanceSummaryGenerator::CloseFiles(bool remove) {
  if (content_) std::fclose(content_);
  if (offsets_) std::fclose(offsets_);
  content_ = offsets_ = nullptr;
  if (remove && !folder_.empty()) {
    std::remove((folder_ + kContentName).c_str());
    std::remove((folder_ + kOffsetName).c_str());
  }
}

bool CFamilyOrdinanceSummaryGenerator::SetUpCursor(ReportDevice* dc) {
  PrintableArea area;
  if (dc == nullptr) return false;
  GetPrintableMargins(*dc, options_.pageLM, options_.pageTM, options_.pageRM, options_.pageBM, area,
                      false);
  cursor_.left = area.left;
  cursor_.right = area.left + area.width;
  cursor_.top = -area.top;
  cursor_.bottom = -area.top - area.height;
  cursor_.step = -kFosLine;
  cursor_.y = cursor_.top;
  columns_ = BuildFosColumns(cursor_.left, cursor_.right);
  return true;
}

std::string CFamilyOrdinanceSummaryGenerator::NameOf(std::int32_t rin, int width) {
  CIndividualRecord record;
  if (rin <= 0 || family::Read(record, rin) != 1) return {};
  const CIndividualNode node(record, 0, 0, 0, nullptr);
  std::string name;
  if (dc_ != nullptr) {
    const LogFont previous = dc_->SelectFont(bodyFont_);
    const DeviceTextMeasure measure(dc_);
    name = node.FormatName(options_.nameFormat, 100, std::max(width, 1), &measure);
    dc_->SelectFont(previous);
  } else {
    name = node.FormatName(options_.nameFormat, 100, 0, nullptr);
  }
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

bool CFamilyOrdinanceSummaryGenerator::PersonLineAllowed() {
  if (cancelled_) return false;
  plat::MessagePump().PumpWaitingMessages();
  if (plat::Progress().CancelRequested()) cancelled_ = true;
  return !cancelled_;
}

std::string CFamilyOrdinanceSummaryGenerator::PersonLine(char kind, std::int32_t rin) {
  CIndividualRecord r;
  if (family::Read(r, rin) != 1) return {};
  const int nameWidth = 2500 - 200 - (kind == 'C' ? 350 : 0);
  const bool born = r.birth.date.IsSet();
  const CEventValue& first = born ? r.birth : r.christening;
  const char sex = r.sex == 'M' || r.sex == 'F' ? r.sex : ' ';
  return Join(kind,
              {NameOf(rin, nameWidth), std::string(1, sex), first.date.ToString(),
               JoinPlaceParts(first.place), r.death.date.ToString(), r.baptism.date.ToString(),
               r.endowment.date.ToString(), r.sealingToParents.date.ToString()});
}

void CFamilyOrdinanceSummaryGenerator::WriteLine(const std::string& line, int h) {
  if (line.empty() || content_ == nullptr) return;
  if (pageOpen_ && cursor_.y - h < cursor_.bottom) {
    // The line would cross the bottom: it begins the next page.
    pageOpen_ = false;
    cursor_.y = cursor_.top;
    cursor_.Advance(-kFosHeader);
  }
  if (!pageOpen_) {
    std::uint8_t bytes[4];
    const auto offset = static_cast<std::uint32_t>(written_);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(offset >> (8 * i));
    std::fwrite(bytes, 1, 4, offsets_);
    ++pageCount_;
    pageOpen_ = true;
    passPages_.emplace_back();
    plat::Progress().SetText(std::string(CPreparingPages::kPagesLabel) + " " +
                             std::to_string(pageCount_));
  }
  std::fputs(line.c_str(), content_);
  std::fputc('\n', content_);
  written_ += static_cast<long>(line.size()) + 1;
  passPages_.back().push_back(line);
  cursor_.Advance(-h);
}

int CFamilyOrdinanceSummaryGenerator::PaginateFamilyOrdinanceSummary(ReportDevice* dc) {
  CloseFiles(true);
  passPages_.clear();
  pageCount_ = 0;
  pageOpen_ = false;
  cancelled_ = false;
  written_ = 0;
  dc_ = dc;
  plat::Progress().Begin(S(res::kIdsFamilyOrdinanceSummaryTitle), 100);
  folder_ = PaginationWorkFolder(plat::TempFolder());
  content_ = std::fopen((folder_ + kContentName).c_str(), "wb");
  offsets_ = std::fopen((folder_ + kOffsetName).c_str(), "wb");
  int count = 0;
  if (content_ != nullptr && offsets_ != nullptr && SetUpCursor(dc)) {
    cursor_.Advance(-kFosHeader);
    rootName_ = NameOf(rin_, (cursor_.right - cursor_.left) / 2);
    CIndividualRecord root;
    if (rin_ > 0 && family::Read(root, rin_) == 1) Walk(0, rin_, true, 0);
    count = cancelled_ ? 0 : pageCount_;
  }
  CloseFiles(false);
  plat::Progress().SetPosition(100);
  plat::Progress().End();
  if (count == 0) {
    CloseFiles(true);
    pageCount_ = 0;
  }
  dc_ = nullptr;
  return count;
}

void CFamilyOrdinanceSummaryGenerator::Walk(std::int32_t child, std::int32_t person, bool isFather,
                                            int depth) {
  if (cancelled_ || person <= 0 || depth >= options_.generations) return;
  if (isFather) CoupleSection(person, child, depth);
  const std::int32_t parents = ParentsMrinOf(person);
  CMarriageRecord marriage;
  std::int32_t father = 0, mother = 0;
  if (parents > 0 && family::Read(marriage, parents) == 1) {
    father = marriage.husband;
    mother = marriage.wife;
  }
  Walk(person, father, true, depth + 1);
  Walk(person, mother, false, depth + 1);
}

void CFamilyOrdinanceSummaryGenerator::CoupleSection(std::int32_t person, std::int32_t child,
                                                     int depth) {
  CIndividualRecord self;
  if (family::Read(self, person) != 1) return;
  CIndividualRecord childRecord;
  const bool haveChild = child > 0 && family::Read(childRecord, child) == 1;
  const bool childMale = haveChild && childRecord.sex == 'M';
  const int width = cursor_.right - cursor_.left;
  const std::string childName = haveChild ? NameOf(child, depth == 2 ? width / 4 : width / 2) : "";
  const std::string rootName = depth == 2 ? NameOf(rin_, width / 4) : rootName_;
  WriteLine(FosHeadingLine(depth, childMale, childName, rootName),
            depth == 2 ? kFosGroupHeading : kFosHeading);

  if (!PersonLineAllowed()) return;
  WriteLine(PersonLine('I', person), kFosLine);

  // The marriage: the chosen one of the individual, the one through which an
  // ancestor's child descends.
  std::int32_t mrin = 0;
  const int count = DbGetRelationCount(person, db::kRelMarriages, 0, 1);
  std::vector<std::int32_t> mrins;
  if (count > 0) DbGetRelation(person, db::kRelMarriages, count, mrins);
  if (!mrins.empty()) mrin = mrins.front();
  if (depth == 0 && mrins.size() > 1 && Chooser()) {
    const std::int32_t chosen = Chooser()(person);
    if (chosen != 0) mrin = chosen;
  }
  if (haveChild) {
    const std::int32_t childFamily = ParentsMrinOf(child);
    if (childFamily != 0 && childFamily != mrin) mrin = childFamily;
  }
  CMarriageRecord marriage;
  if (mrin > 0 && family::Read(marriage, mrin) == 1) {
    const std::int32_t spouse = self.sex == 'M' ? marriage.wife : marriage.husband;
    if (spouse > 0 && spouse != person) {
      if (!PersonLineAllowed()) return;
      WriteLine(PersonLine('I', spouse), kFosLine);
    }
    std::string married = S(self.sex == 'F' ? res::kIdsMarriedFemale : res::kIdsMarried) + ": " +
                          marriage.marriage.date.ToString();
    if (marriage.status == 'D') married += S(res::kIdsDivorced);
    WriteLine(
        Join('M', {married, "", "", "", "", "", "", "", marriage.sealingToSpouse.date.ToString()}),
        kFosLine);
    const int children = DbGetRelationCount(mrin, db::kRelChildren, 0, 0);
    std::vector<std::int32_t> list;
    if (children > 0) DbGetRelation(mrin, db::kRelChildren, children, list);
    list.erase(std::remove(list.begin(), list.end(), 0), list.end());
    if (!list.empty()) {
      WriteLine(Join('C', {S(res::kIdsChildren)}), kFosLine);
      for (std::int32_t c : list) {
        if (!PersonLineAllowed()) return;
        WriteLine(PersonLine('C', c), kFosLine);
      }
    }
  }
  if (options_.generations > 0) plat::Progress().SetPosition(depth * 100 / options_.generations);
}

void CFamilyOrdinanceSummaryGenerator::OpenFosFiles(ReportDevice*) {
  CloseFiles(false);
  // The preview's Print prints with a new generator from the files the
  // previewed run left in this process's folder.
  const bool fromPreview = folder_.empty();
  if (fromPreview) folder_ = PaginationWorkFolder(plat::TempFolder());
  content_ = std::fopen((folder_ + kContentName).c_str(), "rb");
  offsets_ = std::fopen((folder_ + kOffsetName).c_str(), "rb");
  if (fromPreview && offsets_ != nullptr && std::fseek(offsets_, 0, SEEK_END) == 0)
    pageCount_ = static_cast<int>(std::ftell(offsets_) / 4);
}

std::vector<std::string> CFamilyOrdinanceSummaryGenerator::ReadPage(int page) {
  std::vector<std::string> lines;
  if (content_ == nullptr || offsets_ == nullptr || page < 1) return lines;
  auto offsetOf = [&](int p, long& out) {
    std::uint8_t b[4];
    if (std::fseek(offsets_, static_cast<long>(p - 1) * 4, SEEK_SET) != 0 ||
        std::fread(b, 1, 4, offsets_) != 4)
      return false;
    out = static_cast<long>(b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t(b[3]) << 24));
    return true;
  };
  long start = 0, end = -1;
  if (!offsetOf(page, start)) return lines;
  if (!offsetOf(page + 1, end)) end = -1;
  if (std::fseek(content_, start, SEEK_SET) != 0) return lines;
  std::string line;
  long pos = start;
  int ch;
  while ((end < 0 || pos < end) && (ch = std::fgetc(content_)) != EOF) {
    ++pos;
    if (ch == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line += static_cast<char>(ch);
    }
  }
  return lines;
}

int CFamilyOrdinanceSummaryGenerator::PrintPage(CReportJob& job, CPrintInfo* info) {
  if (info == nullptr) return 0;
  return PrintFosPage(job.DC(), info->currentPage, info->currentPage >= info->maxPage);
}

int CFamilyOrdinanceSummaryGenerator::PrintFosPage(ReportDevice* dc, int page, bool lastPage) {
  if (dc == nullptr) return 1;
  dc_ = dc;
  SetPageMargins(dc, {options_.pageLM, options_.pageTM, options_.pageRM, options_.pageBM});
  SetUpCursor(dc);
  lowest_ = cursor_.top;
  const LogFont previous = dc->SelectFont(titleFont_);
  CFosLineCursor& c = cursor_;

  // Page header.
  const int titleRoom = c.right - c.left - 200;
  std::string title =
      options_.useName
          ? [&] {
              dc->SelectFont(titleFont_);
              const std::string bare =
                  JoinSummaryTitle(options_.titlePrefix, "", false, options_.titleSuffix);
              return JoinSummaryTitle(options_.titlePrefix,
                               NameOf(rin_, titleRoom - dc->GetTextExtent(bare).cx), true,
                               options_.titleSuffix);
            }()
          : JoinSummaryTitle(options_.titlePrefix, "", false, options_.titleSuffix);
  dc->SelectFont(titleFont_);
  const Size titleSize = dc->GetTextExtent(title);
  TextOutString(dc, c.left + (c.right - c.left - titleSize.cx) / 2, c.y, title);
  c.Advance(-470);
  dc->SelectFont(bodyFont_);
  TextOutString(dc, c.left, c.y, GetTodayString());
  char pageText[96];
  std::snprintf(pageText, sizeof pageText, S(res::kIdsPageOf).c_str(), page, pageCount_);
  DrawTextAligned(dc, pageText, {c.left, c.y, c.right, c.y - kFosLine}, DT_RIGHT);
  c.Advance(0);
  dc->SelectPen(thickPen_);
  MoveTo(dc, c.left, c.y);
  LineTo(dc, c.right, c.y);
  c.Advance(-100);
  for (const CFosColumn& col : columns_)
    DrawTextAligned(dc, col.heading, {col.left, c.y, col.right, c.y - kFosLine}, col.format);
  c.Advance(0);

  lastLines_ = ReadPage(page);
  for (const std::string& line : lastLines_) DrawLine(dc, line, c);

  dc->SelectFont(previous);
  if (IsRTFMode() && !lastPage) EndRTFPage();
  return 1;
}

void CFamilyOrdinanceSummaryGenerator::DrawLine(ReportDevice* dc, const std::string& line,
                                                CFosLineCursor& c) {
  if (line.empty()) return;
  const std::vector<std::string> fields = SplitFields(line);
  const char kind = line[0];
  auto rule = [&] {
    dc->SelectPen(thinPen_);
    MoveTo(dc, c.left, c.y);
    LineTo(dc, c.right, c.y);
  };
  if (kind == 'G' || kind == 'A') {
    const int lines = kind == 'A' ? 2 : 1;
    const Rect band{c.left, c.y, c.right, c.y - (lines * kFosLine + kFosThird)};
    FillRect(dc, band, &headingBrush_);
    rule();
    c.Advance(-kFosThird);
    dc->SelectFont(headingFont_);
    for (int i = 0; i < lines && i < static_cast<int>(fields.size()); ++i) {
      DrawTextAligned(dc, fields[i], {columns_[0].left, c.y, c.right, c.y - kFosLine}, DT_LEFT);
      c.Advance(0);
    }
    rule();
    c.Advance(-kFosThird);
    dc->SelectFont(bodyFont_);
  } else {
    dc->SelectFont(bodyFont_);
    const int indent = kind == 'C' ? 350 : kind == 'M' ? 700 : 0;
    for (std::size_t i = 0; i < fields.size() && i < columns_.size(); ++i) {
      if (fields[i].empty()) continue;
      const CFosColumn& col = columns_[i];
      DrawTextAligned(
          dc, fields[i],
          {col.left + (i == 0 ? indent : 0), c.y, std::max(col.right, col.left), c.y - kFosLine},
          col.format);
    }
    c.Advance(0);
  }
  lowest_ = std::min(lowest_, c.y);
}

int CFamilyOrdinanceSummaryGenerator::EndFosPrinting(ReportDevice* dc, CPrintInfo* info) {
  if (cancelled_ || pageCount_ == 0) {
    CloseFiles(true);
    return 0;
  }
  // A preview keeps the files for its Print command; printing deletes them.
  const int state = CurrentReportRunState().printState;
  CloseFiles(state != 2 && state != 3);
  FinishRTFDocument(dc, info);
  return 1;
}

}  // namespace rpt
