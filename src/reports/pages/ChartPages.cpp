#include "ChartPages.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "CalendarMonth.h"
#include "ChartKinds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FitUnit.h"
#include "FontDescription.h"
#include "IndividualRecord.h"
#include "LineFitter.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "NumberWords.h"
#include "Ports.h"
#include "ReportKinds.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TextMeasure.h"
#include "TextRoutines.h"
#include "UserEventRecord.h"

namespace rpt {

namespace {

constexpr int kEventsLevel = 7;  // the read level that loads the events
constexpr int kPlaceLimit = 140;
constexpr int kBoxPlaceLimit = 80;
constexpr const char* kSampleName = "Torvik Amberly (Earl of Wynd)";

std::string Format(unsigned id, int n) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, res::LoadString(id).c_str(), n, 0);
  return buffer;
}
std::string Format2(unsigned id, int a, int b) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, res::LoadString(id).c_str(), a, b);
  return buffer;
}

bool ReadPerson(std::int32_t rin, CIndividualRecord& person) {
  return rin > 0 && DbGetIndividualRecord(rin, person, kEventsLevel) == 1;
}
bool ReadMarriage(std::int32_t mrin, CMarriageRecord& marriage) {
  return mrin > 0 && DbGetRecord(mrin, db::kMarriage, &marriage) == 1;
}

// The place's parts that are set, joined by separator.
std::string PlaceText(const CEventValue& event, const char* separator) {
  std::string text;
  for (const std::string& part : event.place) {
    if (part.empty()) continue;
    if (!text.empty()) text += separator;
    text += part;
  }
  return text;
}

std::string Limited(std::string text, std::size_t limit) {
  if (text.size() > limit) text.resize(limit);
  return text;
}

// Widths of texts in the device's current font, for the place fitting.
class DeviceTextMeasure : public plat::TextMeasure {
 public:
  explicit DeviceTextMeasure(ReportDevice* dc) : dc_(dc) {}
  int TextWidth(std::string_view text) const override {
    return dc_ != nullptr ? dc_->GetTextExtent(text).cx : 0;
  }
  int AverageCharWidth() const override { return TextWidth("x"); }
  int PixelsPerInchY() const override { return 1000; }

 private:
  ReportDevice* dc_;
};

LogFont FontOf(const std::string& description, int perInch) {
  std::string face;
  int size = 10, weight = 400, italic = 0;
  ParseFontDescription(description, face, size, weight, italic);
  return {-(size * perInch / 72), weight, italic != 0, false, face};
}

// The entry's individual for a marriage at index: the nearest individual
// before it of the same generation.
std::int32_t IndividualOfMarriage(const std::vector<DescendantsChartEntry>& list,
                                  std::size_t index) {
  for (std::size_t j = index; j-- > 0;)
    if (list[j].kind == 'I' && list[j].generation == list[index].generation) return list[j].record;
  return 0;
}
// The parent marriage of an individual at index, 0 for the root.
std::int32_t ParentMarriageOf(const std::vector<DescendantsChartEntry>& list, std::size_t index) {
  for (std::size_t j = index; j-- > 0;)
    if (list[j].kind == 'M' && list[j].generation + 1 == list[index].generation)
      return list[j].record;
  return 0;
}

}  // namespace

ChartTile WallChartTileOf(int page, int rowPages) {
  rowPages = std::max(1, rowPages);
  page = std::max(1, page);
  return {(page - 1) / rowPages + 1, (page - 1) % rowPages + 1};
}

int WallChartTileColumns(int deepest, int gensPerPage) {
  return (std::max(1, deepest) - 1) / std::max(1, gensPerPage) + 1;
}

std::string ChartOrdinanceLetters(const int (&states)[5]) {
  static constexpr char kLetters[] = {'B', 'E', 'P', 'S', 'C'};
  std::string letters;
  for (int i = 0; i < 5; ++i) {
    if (states[i] == CDateValue::kOrdinanceDone) letters += kLetters[i];
    if (states[i] == CDateValue::kOrdinanceClearedOrSubmitted)
      letters += static_cast<char>(kLetters[i] - 'A' + 'a');
  }
  return letters;
}

std::string JoinChartEvents(const ChartEventParts& parts) {
  std::string inner;
  for (const std::string* part : {&parts.birth, &parts.marriage, &parts.death}) {
    if (part->empty()) continue;
    if (!inner.empty()) inner += ';';
    inner += *part;
  }
  return inner.empty() ? std::string() : "(" + inner + ")";
}

CChartPagesGenerator::CChartPagesGenerator(bool ancestry, const ChartPageOptions& options)
    : ancestry_(ancestry), options_(options) {
  options_.gensPerPage = std::max(1, options_.gensPerPage);
}

void CChartPagesGenerator::Measure(ReportDevice& dc) {
  dc.SetMapMode(MM_HIENGLISH);
  const Rect m = options_.wallChart ? options_.wallMargins : options_.standardMargins;
  SetPageMargins(&dc, {m.left, -m.top, m.right, -m.bottom});
  PrintableArea area;
  large_ = GetPrintableMargins(dc, m.left, m.top, m.right, m.bottom, area, true) == 1;
  u_ = large_ ? &kChartHundredths : &kChartThousandths;
  if (large_) dc.SetMapMode(MM_LOENGLISH);
  left_ = area.left;
  top_ = -area.top;
  width_ = std::max(1, area.width);
  height_ = std::max(1, area.height);
  right_ = left_ + width_;
  bottom_ = top_ - height_;

  const int per = u_->perInch;
  const bool wall = options_.wallChart;
  titleFont_ = FontOf(wall ? options_.wallMain : options_.stdMain, per);
  primaryFont_ = FontOf(wall ? options_.wallPrim : options_.stdPrim, per);
  otherFont_ = FontOf(wall ? options_.wallOther : options_.stdOther, per);
  labelFont_ =
      wall ? FontOf(options_.wallGen, per)
           : LogFont{-(105 * per / 1000), 500, false, false, res::LoadString(res::kIdsArial)};
  smallFont_ = {-(85 * per / 1000), 500, false, false, res::LoadString(res::kIdsArial)};
  boldFont_ = labelFont_;
  boldFont_.weight = 700;
  const int titleHeight = std::abs(titleFont_.height);
  const int labelHeight = std::abs(labelFont_.height);

  if (!options_.wallChart) {
    pitch_ = std::max(1, std::abs(otherFont_.height) * (options_.shading ? 18 : 14) / 10);
    headingBlock_ = (titleHeight + u_->titleGap95 + u_->lineStep) * 15 / 10;
    firstRows_ = std::max(1, (height_ - headingBlock_) / pitch_);
    otherRows_ = options_.headingEveryPage ? firstRows_ : std::max(1, height_ / pitch_);
    return;
  }
  WallChartOptions w = options_.wall;
  extraTypes_.clear();
  for (const std::string& title : w.otherEvents) {
    CEventTypeRecord type;
    const std::int32_t number = title.empty() ? 0 : DbFindEventType(title, type);
    if (number <= 0) continue;
    // The label is the type's abbreviation, else its shorter titles.
    std::string label = !type.abbreviation.empty() ? type.abbreviation
                        : !type.shortTitle.empty() ? type.shortTitle
                                                   : type.title;
    extraTypes_.emplace_back(number, label);
  }
  boxHeight_ = ancestry_ ? MeasureAncestryWallChartBox(dc, w, measure_)
                         : MeasureDescendantsWallChartBox(dc, w, measure_);
  boxHeight_ = std::max(boxHeight_, std::abs(primaryFont_.height) * 13 / 10 + 2 * u_->textTop80);
  columnWidth_ = std::max(1, width_ / options_.gensPerPage);
  // The Ancestry chart's rows are half a box pitch apart (neighbouring rows
  // always stand in different columns); the Descendants chart's a whole one.
  const int fullPitch = boxHeight_ + u_->textInset;
  pitch_ = ancestry_ ? std::max(1, (fullPitch + 1) / 2) : std::max(1, fullPitch);
  headingBlock_ =
      titleHeight + u_->labelGap30 + labelHeight + u_->generationDrop100 + u_->headingGap250 / 2;
  // The rows whose whole box stays inside the frame.
  auto fitting = [&](int room) { return std::max(1, (room - boxHeight_) / pitch_ + 1); };
  firstRows_ = fitting(height_ - headingBlock_);
  if (measure_.slotCount > 0) firstRows_ = std::min(firstRows_, std::max(1, measure_.slotCount));
  otherRows_ = fitting(height_);
}

void CChartPagesGenerator::BeginChart(ReportDevice& dc) {
  Measure(dc);
  const ChartRun& run = CurrentChartRun();
  deepest_ = std::max(1, run.deepest);
  rowPages_ = std::max<int>(1, static_cast<int>(Paginator().pageEntries.size()));
  if (options_.wallChart) return;
  dc.SelectFont(primaryFont_);
  const int sample = dc.GetTextExtent(SampleLine()).cx;
  int indent = options_.indent * u_->perInch / 10;
  indent = std::min(indent, std::max(u_->minIndent, (width_ - sample) / deepest_));
  if (run.repeatDepth > 0) {
    const int wider =
        dc.GetTextExtent(SampleLine() + res::LoadString(res::kIdsAlreadyPrintedSample)).cx;
    indent = std::min(indent, std::max(u_->minIndent, (width_ - wider) / run.repeatDepth));
  }
  indent_ = std::max(u_->minIndent, indent);
}

std::string CChartPagesGenerator::SampleLine() const {
  std::string line = kSampleName;
  if (!options_.suppressRin) line += "-12345";
  if (options_.dateType != 0) {
    const std::string after = options_.dateType == 2 ? "May 25 " : "";
    line += "(b.1999" + after;
    if (!ancestry_) line += ";m.1999" + after;
    line += ";d.1999" + after + ")";
  }
  return line;
}

std::string CChartPagesGenerator::Title() const {
  std::string name;
  if (options_.useName) {
    CIndividualRecord root;
    if (ReadPerson(CurrentChartRun().root, root)) name = root.GetName(0, false, 0, false);
  }
  return JoinWithBlanks(options_.titlePrefix, name, options_.titleSuffix);
}

std::string CChartPagesGenerator::PersonName(std::int32_t rin) const {
  CIndividualRecord person;
  if (!ReadPerson(rin, person)) return res::LoadString(res::kIdsUnknownUpper);
  return person.GetName(options_.suppressRin ? 0 : 1, false, 1, false);
}

ChartEventParts CChartPagesGenerator::EventParts(std::int32_t rin, std::int32_t marriage,
                                                 bool withMarriage, bool places, int room,
                                                 ReportDevice* dc) const {
  ChartEventParts parts;
  CIndividualRecord person;
  const bool read = ReadPerson(rin, person);
  auto date = [this](const CDateValue& d) {
    if (options_.dateType == 1 && d.year != 0 && d.textOnly == 0) return std::to_string(d.year);
    return d.Format();
  };
  // Birth place gets most of the room when both places print.
  int birthRoom = room, left = room;
  if (options_.birthPlace && options_.deathPlace && room > 2000)
    birthRoom = room - std::min(1200, room - 1200);
  const DeviceTextMeasure measure(dc);
  auto event = [&](const CEventValue& first, const CEventValue& second, const char* a,
                   const char* b, bool place, int placeRoom) {
    const CEventValue* chosen = first.date.IsSet()    ? &first
                                : second.date.IsSet() ? &second
                                                      : nullptr;
    if (chosen == nullptr) return std::string();
    std::string text = (chosen == &first ? a : b) + date(chosen->date);
    if (places && place && placeRoom >= 600) {
      std::string where = " " + Limited(PlaceText(*chosen, ", "), kPlaceLimit);
      if (dc != nullptr && measure.TextWidth(where) > placeRoom) {
        const int blank = measure.TextWidth(" ");
        where = " " + FitPlaceParts(chosen->place, kPlaceLimit, ", ", &measure, placeRoom - blank);
      }
      // A place with no part left (separators only) is left out.
      if (where.find_first_not_of(", ") != std::string::npos) {
        text += where;
        if (dc != nullptr) left -= measure.TextWidth(where);
      }
    }
    return text;
  };
  if (read && options_.dateType != 0) {
    parts.birth =
        event(person.birth, person.christening, "b.", "c.", options_.birthPlace, birthRoom);
    // The death place has what the birth place left.
    parts.death = event(person.death, person.burial, "d.", "u.", options_.deathPlace, left);
  }
  CMarriageRecord m;
  if (withMarriage && ReadMarriage(marriage, m) && m.marriage.date.IsSet()) {
    parts.marriage = "m." + date(m.marriage.date);
    if (m.status == 'D') parts.marriage += res::LoadString(res::kIdsDivorced);
    if (m.status == 'N') parts.marriage += res::LoadString(res::kIdsNotMarried);
  }
  return parts;
}

std::string CChartPagesGenerator::Codes(std::int32_t rin, std::int32_t marriage) {
  if (!options_.parInd && !options_.relInd) return {};
  std::string codes;
  int flags = 0;
  CReportJob::GetRelationshipCodes(codes, flags, DatabaseRelationshipLinks(), rin, options_.relInd,
                                   options_.parInd, marriage);
  return codes;
}

void CChartPagesGenerator::Line(ReportDevice& dc, int x1, int y1, int x2, int y2) {
  MoveTo(&dc, x1, y1);
  LineTo(&dc, x2, y2);
}

void CChartPagesGenerator::DrawError(ReportDevice& dc) {
  dc.SelectFont(otherFont_);
  TextOutString(
      &dc, 0, 0,
      res::LoadString(res::kIdsSystemError) + ": " + res::LoadString(res::kIdsUnableToPrint));
}

void CChartPagesGenerator::DrawHeading(ReportDevice& dc, int page) {
  const std::string title = Title();
  dc.SelectFont(titleFont_);
  const int titleWidth = dc.GetTextExtent(title).cx;
  TextOutString(&dc, left_ + (width_ - titleWidth) / 2, top_, title);
  const int y = rowsTop_ + u_->dateAbove170;
  dc.SelectFont(labelFont_);
  std::string today;
  FormatToday(today);
  TextOutString(&dc, left_, y, today);
  const int dateWidth = dc.GetTextExtent(today).cx;
  if (options_.pageNumber) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s  %d", res::LoadString(res::kIdsPage).c_str(), page);
    TextOutString(&dc, right_ - dc.GetTextExtent(buffer).cx, y, buffer);
  }
  const LogPen pen{PS_SOLID, u_->lineStep, 0};
  dc.SelectPen(pen);
  Line(dc, left_, rowsTop_ + u_->rule45, right_, rowsTop_ + u_->rule45);
  Line(dc, left_, rowsTop_ + u_->rule25, right_, rowsTop_ + u_->rule25);
  if (options_.parInd || options_.relInd)
    CReportJob::DrawRelationshipLegend(&dc, left_ + dateWidth + u_->legendGap140, y, labelFont_,
                                       boldFont_, GetChartLegendFlags(), right_, 0, options_.parInd,
                                       options_.relInd);
}

std::string CChartPagesGenerator::RowEvents(ReportDevice& dc, int x, const std::string& prefix,
                                            const std::string& name, bool primary, std::int32_t rin,
                                            std::int32_t marriage, bool withMarriage,
                                            const std::string& after) const {
  dc.SelectFont(primary ? primaryFont_ : otherFont_);
  int used = dc.GetTextExtent(name).cx;
  // In RTF a row is one run, in the name's font.
  dc.SelectFont(IsRTFMode() && primary ? primaryFont_ : otherFont_);
  const std::string bare = JoinChartEvents(EventParts(rin, marriage, withMarriage, false, 0));
  used += dc.GetTextExtent(prefix + " " + bare + after).cx;
  // A word processor sets a row a little wider than it is measured here and
  // would wrap it at the margin: in RTF a twentieth of the row stays spare.
  if (IsRTFMode()) used += (right_ - x) / 20;
  return JoinChartEvents(EventParts(rin, marriage, withMarriage, true, right_ - x - used, &dc)) +
         after;
}

void CChartPagesGenerator::DrawRowText(ReportDevice& dc, int x, int y, const std::string& prefix,
                                       const std::string& name, bool primary,
                                       const std::string& rest) {
  const bool shade = options_.shading && !(previewing_ && options_.hideShade);
  dc.SelectFont(otherFont_);
  int end = x + dc.GetTextExtent(prefix).cx;
  dc.SelectFont(primary ? primaryFont_ : otherFont_);
  end += dc.GetTextExtent(name).cx;
  dc.SelectFont(otherFont_);
  const std::string tail = rest.empty() ? rest : " " + rest;
  end += dc.GetTextExtent(tail).cx;
  if (shade) {
    const LogBrush brush{options_.shadeColor, false};
    FillRect(&dc, {x - indent_ / 4, y, end + indent_ / 2, y - pitch_ + u_->lineStep}, &brush);
  }
  const int textY = y - (pitch_ - std::abs(otherFont_.height)) / 2;
  if (IsRTFMode()) {
    // One run a row: an RTF frame per piece would wrap on its own.
    dc.SelectFont(primary ? primaryFont_ : otherFont_);
    TextOutString(&dc, x, textY, prefix + name + tail);
    return;
  }
  int at = x;
  dc.SelectFont(otherFont_);
  if (!prefix.empty()) {
    TextOutString(&dc, at, textY, prefix);
    at += dc.GetTextExtent(prefix).cx;
  }
  dc.SelectFont(primary ? primaryFont_ : otherFont_);
  TextOutString(&dc, at, textY, name);
  at += dc.GetTextExtent(name).cx;
  dc.SelectFont(otherFont_);
  if (!tail.empty()) TextOutString(&dc, at, textY, tail);
}

void CChartPagesGenerator::DrawAncestryRow(ReportDevice& dc, const AncestryChartWalk& walk,
                                           int row) {
  const AncestryChartNode& node = walk.stack.back();
  const int g = node.generation;
  const int top = rowsTop_ - (row - 1) * pitch_;
  const int bottom = top - pitch_;
  const int middle = top - pitch_ / 2;
  const int x = left_ + (g - 1) * indent_;
  const ChartSlot slot = ReadChartSlot(node.rin);
  const bool first = slot.second == node.child;

  std::int32_t marriage = node.familyOfOrigin;
  if (g == 1) {
    std::vector<std::int32_t> marriages;
    const int count = DbGetRelationCount(node.rin, db::kRelMarriages, 0, 1);
    if (count > 0) DbGetRelation(node.rin, db::kRelMarriages, count, marriages);
    marriage = marriages.empty() ? 0 : marriages.front();
  }
  CMarriageRecord m;
  const bool husbandRow = ReadMarriage(marriage, m) && (m.husband == node.rin || m.husband == 0);
  const std::string prefix = options_.printGens ? std::to_string(g) + ". " : "";
  std::string after = Codes(node.rin, node.familyOfOrigin);
  if (!first) after += " " + Format(res::kIdsPrintedOnPage, slot.first);
  const std::string name = PersonName(node.rin);
  const std::string rest =
      RowEvents(dc, x, prefix, name, g == 1, node.rin, marriage, husbandRow, after);
  DrawRowText(dc, x, top, prefix, name, g == 1, rest);

  const LogPen pen{PS_SOLID, u_->lineStep, 0};
  dc.SelectPen(pen);
  if (g > 1) {
    const int x1 = x - indent_ / 4;
    const int x2 = left_ + (g - 2) * indent_ + indent_ / 3;
    Line(dc, x1, middle, x2, middle);
    Line(dc, x2, middle, x2, node.sex == 'F' ? top : bottom);
  }
  if (walk.stack.size() >= 3) {
    char last = walk.stack[1].sex;
    for (std::size_t k = 2; k < walk.stack.size(); ++k) {
      if (walk.stack[k].sex == last) continue;
      const int xv = left_ + (walk.stack[k].generation - 3) * indent_ + indent_ / 3;
      Line(dc, xv, top, xv, bottom + u_->lineStep);
      last = walk.stack[k].sex;
    }
  }
}

void CChartPagesGenerator::DrawDescendantsRow(ReportDevice& dc, const DescendantsChartWalk& walk,
                                              std::size_t index, int page, int row) {
  const DescendantsChartEntry& e = walk.list[index];
  const int g = e.generation;
  const int top = rowsTop_ - (row - 1) * pitch_;
  const int x = left_ + (g - 1) * indent_;
  if (e.kind == 'I') {
    const ChartSlot slot = ReadChartSlot(e.record);
    const bool first = slot.first == page && slot.second == row;
    const std::string prefix = options_.printGens ? std::to_string(g) + ". " : "";
    std::string after = Codes(e.record, ParentMarriageOf(walk.list, index));
    if (!first) after += " " + Format(res::kIdsPrintedOnPage, slot.first);
    const std::string name = PersonName(e.record);
    const std::string rest = RowEvents(dc, x, prefix, name, g == 1, e.record, 0, false, after);
    DrawRowText(dc, x, top, prefix, name, g == 1, rest);
    return;
  }
  const std::int32_t person = IndividualOfMarriage(walk.list, index);
  CMarriageRecord m;
  std::int32_t spouse = 0;
  if (ReadMarriage(e.record, m)) spouse = m.husband == person ? m.wife : m.husband;
  const std::string prefix = std::string(options_.printGens || g == 1 ? "   " : "") +
                             res::LoadString(res::kIdsSpouseAbbreviation) + ": ";
  std::string name = res::LoadString(res::kIdsUnknownUpper), rest;
  if (spouse > 0) {
    name = PersonName(spouse);
    rest = RowEvents(dc, x, prefix, name, false, spouse, e.record, true, "");
  } else {
    rest = JoinChartEvents(EventParts(0, e.record, true, false, 0));
  }
  DrawRowText(dc, x, top, prefix, name, false, rest);
}

void CChartPagesGenerator::DrawStandardPage(ReportDevice& dc, int page) {
  const CChartPageEntry* entry = FindChartPage(page);
  if (entry == nullptr) {
    DrawError(dc);
    return;
  }
  const bool headed = page == 1 || options_.headingEveryPage;
  rowsTop_ = headed ? top_ - headingBlock_ : top_;
  if (headed) DrawHeading(dc, page);
  const int rows = ChartRowsOnPage(page);
  int row = 0;
  if (ancestry_) {
    AncestryChartWalk walk;
    walk.recording = false;
    walk.Rebuild(*entry);
    walk.placeBox = [&](const AncestryChartNode&) {
      if (row >= rows) return false;
      ++row;
      DrawAncestryRow(dc, walk, row);
      return true;
    };
    for (;;) {
      const AncestryChartWalk::Step s = walk.RunStep();
      if (s == AncestryChartWalk::Step::kStopped || s == AncestryChartWalk::Step::kFinished) break;
    }
    return;
  }
  DescendantsChartWalk walk;
  walk.recording = false;
  walk.Rebuild(*entry);
  walk.placeRow = [&](const DescendantsChartEntry&, std::size_t index) {
    if (row >= rows) return false;
    ++row;
    DrawDescendantsRow(dc, walk, index, page, row);
    return true;
  };
  walk.firstBox = [&](const DescendantsChartEntry& e) {
    const ChartSlot slot = ReadChartSlot(e.record);
    return slot.first == page && slot.second == row;
  };
  while (walk.RunStep() == DescendantsChartWalk::Step::kPlaced) {
  }
}

// ---- wall chart ----

int CChartPagesGenerator::ColumnX(int generation, int tileColumn) const {
  return left_ + (generation - options_.gensPerPage * (tileColumn - 1) - 1) * columnWidth_;
}

bool CChartPagesGenerator::InTile(int generation, int tileColumn) const {
  const int first = options_.gensPerPage * (tileColumn - 1) + 1;
  return generation >= first && generation <= std::min(first + options_.gensPerPage - 1, deepest_);
}

CChartPagesGenerator::RowPlace CChartPagesGenerator::WallRow(int row, bool firstTileRow) const {
  const int start = firstTileRow ? top_ - headingBlock_ : top_;
  RowPlace place;
  place.middle = start - boxHeight_ / 2 - (row - 1) * pitch_;
  place.top = place.middle + pitch_ / 2;
  place.bottom = place.middle - pitch_ / 2;
  return place;
}

void CChartPagesGenerator::DrawTileMarks(ReportDevice& dc, const ChartTile& tile, int columns,
                                         int rows) {
  const ChartUnits& u = *u_;
  const LogPen pen{PS_SOLID, u.lineStep, 0};
  dc.SelectPen(pen);
  const int len = u.boxInset;
  auto vertical = [&](int x) {
    Line(dc, x, top_ + u.cutOffset, x, top_ + u.cutOffset + len);
    Line(dc, x, bottom_ - u.cutOffset, x, bottom_ - u.cutOffset - len);
  };
  auto horizontal = [&](int y) {
    Line(dc, left_ - u.cutOffset, y, left_ - u.cutOffset - len, y);
    Line(dc, right_ + u.cutOffset, y, right_ + u.cutOffset + len, y);
  };
  if (tile.column > 1) vertical(left_ - u.lineStep);
  if (tile.column < columns) vertical(right_ + u.lineStep);
  const std::string label = Format2(res::kIdsTile, tile.column, tile.row);
  dc.SelectFont(smallFont_);
  if (tile.row > 1) {
    horizontal(top_ + u.lineStep);
    TextOutString(&dc, left_ + u.textInset, top_ + u.tileLabel145, label);
  }
  if (tile.row < rows) {
    horizontal(bottom_ - u.lineStep);
    if (tile.row == 1) TextOutString(&dc, left_ + u.textInset, bottom_ - u.tileLabelGap, label);
  }
}

void CChartPagesGenerator::DrawWallHeading(ReportDevice& dc, const ChartTile& tile, int columns) {
  const std::string title = Title();
  dc.SelectFont(titleFont_);
  // Tile k's left edge is (k - 1) * width on the pasted chart.
  auto drawAt = [&](const std::string& text, long long start) {
    const int w = dc.GetTextExtent(text).cx;
    const long long tileStart = static_cast<long long>(tile.column - 1) * width_;
    if (start + w <= tileStart || start >= tileStart + width_) return;
    TextOutString(&dc, left_ + static_cast<int>(start - tileStart), top_, text);
  };
  if (columns == 1) {
    drawAt(title, (width_ - dc.GetTextExtent(title).cx) / 2);
  } else {
    std::string first, second;
    SplitTextInHalf(title, first, second);
    const long long middle = static_cast<long long>(columns / 2) * width_;  // left of column m
    drawAt(first, middle - dc.GetTextExtent(first).cx);
    drawAt(second, middle);
  }
  const bool legend = options_.parInd || options_.relInd;
  int y = top_ - std::abs(titleFont_.height) - u_->labelGap30;
  if (legend)
    CReportJob::DrawRelationshipLegend(&dc, left_, y, smallFont_, boldFont_, GetChartLegendFlags(),
                                       right_, 0, options_.parInd, options_.relInd);
  if (legend) y -= u_->generationDrop100;
  dc.SelectFont(labelFont_);
  for (int g = 1; g <= deepest_; ++g) {
    if (!InTile(g, tile.column)) continue;
    const std::string label = OrdinalSuffix(g);
    const int x0 = ColumnX(g, tile.column) + u_->boxInset;
    const int w = dc.GetTextExtent(label).cx;
    TextOutString(&dc, x0 + (columnWidth_ - u_->boxInset - w) / 2, y, label);
  }
}

// The text lines of a wall-chart box: where the next line goes and how low
// the text may go, and the ordinance letters not yet drawn.
struct CChartPagesGenerator::WallBoxLines {
  ReportDevice& dc;
  Rect text;
  int width = 0;
  int lineHeight = 0;
  int y = 0;
  std::string zelLetters;
  // With dates on lines of their own the letters go on the first event line
  // that holds no place.
  bool inLineDue = false;

  bool Fits() const { return y - lineHeight >= text.bottom; }
};

// A line fitted to the box's width, when it has room.
void CChartPagesGenerator::DrawWallLine(WallBoxLines& lines, const std::string& text) {
  if (!lines.Fits()) return;
  TextOutString(&lines.dc, lines.text.left, lines.y,
                FitTextToWidth(&lines.dc, {0, 0, lines.width, 0}, text));
  lines.y -= lines.lineHeight;
}

// The box's frame, or without one the gap before the text; the room of the
// text.
Rect CChartPagesGenerator::DrawWallBoxFrame(ReportDevice& dc, int left, int right, int middle) {
  const int top = middle + boxHeight_ / 2;
  Rect text{left, top, right, top - boxHeight_};
  const WallChartOptions& w = options_.wall;
  if (!w.box) {
    text.left += u_->labelGap30;
    return text;
  }
  ChartBox box;
  box.rect = text;
  box.corners = w.boxCorner;
  box.lineStyle = w.boxLine == 0 ? 1 : 2;
  box.shadow = w.boxShadow;
  box.fill = options_.boxShade;
  box.pen = {PS_SOLID, u_->lineStep, 0};
  box.brush = {options_.wallShadeColor, false};
  box.shadowBrush = {options_.wallShadowColor, false};
  box.hundredths = large_;
  return DrawChartBox(dc, box, this);
}

// The photo's room: beside the text (PhotoPlace 0 left, 2 right) or above
// or below it (3, 4); the text gives way by the photo and 50.
void CChartPagesGenerator::DrawWallBoxPhoto(ReportDevice& dc, std::int32_t rin, Rect& text) {
  const WallChartOptions& w = options_.wall;
  if (w.photoOpt == 0 || rin <= 0) return;
  const bool has = DbHasDefaultPhoto(rin, db::kIndividual) == 1;
  if (!has && !options_.photoReserve) return;
  const int unitDiv = large_ ? 10 : 1;
  int pw = std::max(1, w.photoX / unitDiv), ph = std::max(1, w.photoY / unitDiv);
  const int gap = 50 / unitDiv;
  Rect area;
  if (w.photoPlace < 3) {
    dc.SelectFont(primaryFont_);
    const int widest = dc.GetTextExtent(res::LoadString(res::kIdsSampleName)).cx;
    const int room = std::max(0, text.right - text.left - widest - gap);
    if (pw > room) {
      ph = ph * room / pw;
      pw = room;
    }
    const int middle = (text.top + text.bottom) / 2;
    const int x = w.photoPlace == 2 ? text.right - pw : text.left;
    area = {x, middle + ph / 2, x + pw, middle - ph / 2};
    if (w.photoPlace == 2)
      text.right -= pw + gap;
    else
      text.left += pw + gap;
  } else {
    const int room = text.right - text.left;
    if (pw > room) {
      ph = ph * room / pw;
      pw = room;
    }
    const int x = text.left + (room - pw) / 2;
    const int y0 = w.photoPlace == 3 ? text.top : text.bottom + ph;
    area = {x, y0, x + pw, y0 - ph};
    if (w.photoPlace == 3)
      text.top -= ph + gap;
    else
      text.bottom += ph + gap;
  }
  if (has && pw > 0 && ph > 0) DrawPicture(rin, db::kIndividual, &dc, &area, 0, 0, nullptr);
}

// The ordinance letters right-aligned on the line at lineY, drawn from
// right to left.
void CChartPagesGenerator::DrawWallZelInLine(WallBoxLines& lines, int lineY) {
  int x = lines.text.right;
  for (auto it = lines.zelLetters.rbegin(); it != lines.zelLetters.rend(); ++it) {
    const std::string one(1, *it);
    x -= lines.dc.GetTextExtent(one).cx;
    TextOutString(&lines.dc, x, lineY, one);
    x -= u_->lineStep;
  }
  lines.zelLetters.clear();
}

// One event line: the first event of the letters (B birth, C christening,
// D death, U burial, M marriage) with a date, or the last of them.
void CChartPagesGenerator::DrawWallEventLine(WallBoxLines& lines, const std::string& letters,
                                             const CIndividualRecord& person,
                                             const CMarriageRecord* marriage) {
  const WallChartOptions& w = options_.wall;
  const CEventValue* chosen = nullptr;
  char label = letters[0];
  for (char c : letters) {
    const CEventValue* v = c == 'B'   ? &person.birth
                           : c == 'C' ? &person.christening
                           : c == 'D' ? &person.death
                           : c == 'U' ? &person.burial
                                      : (marriage != nullptr ? &marriage->marriage : nullptr);
    if (v == nullptr) continue;
    chosen = v;
    if (v->date.IsSet()) {
      label = c;
      break;
    }
  }
  const unsigned id = label == 'B'   ? res::kIdsBirthLetter
                      : label == 'C' ? res::kIdsChristeningLetter
                      : label == 'D' ? res::kIdsDeathLetter
                      : label == 'U' ? res::kIdsLabelBurial
                                     : res::kIdsMarriageLetter;
  std::string date = chosen != nullptr && chosen->date.IsSet() ? chosen->date.Format() : "";
  if (label == 'M' && marriage != nullptr) {
    if (marriage->status == 'D') date += " " + res::LoadString(res::kIdsDivorced);
    if (marriage->status == 'N') date += " " + res::LoadString(res::kIdsNotMarried);
  }
  const std::string place =
      chosen != nullptr ? Limited(PlaceText(*chosen, ", "), kBoxPlaceLimit) : std::string();
  const std::string head = res::LoadString(id) + ": ";
  const int lineY = lines.y;
  const bool fits = lines.Fits();
  if (w.dateAndPlace)
    DrawWallLine(lines, head + date + (place.empty() ? "" : " - " + place));
  else if (w.date)
    DrawWallLine(lines, head + date);
  if (lines.inLineDue && fits && !lines.zelLetters.empty() && (!w.dateAndPlace || place.empty())) {
    DrawWallZelInLine(lines, lineY);
    lines.inLineDue = false;
  }
  if (w.place && !w.dateAndPlace)
    DrawWallLine(lines, res::LoadString(res::kIdsLabelPlace) + ": " + place);
}

// The person's first event of an extra type: label, date, the description
// after "-" (WCDescr) and the place as the options ask.
void CChartPagesGenerator::DrawWallExtraLine(WallBoxLines& lines,
                                             const std::vector<std::int32_t>& userEvents,
                                             std::int32_t typeNumber, const std::string& label) {
  const WallChartOptions& w = options_.wall;
  for (std::int32_t n : userEvents) {
    CUserEventRecord event;
    if (DbGetRecord(n, db::kUserEvent, &event) != 1 || event.eventTypeNumber != typeNumber)
      continue;
    const CDateValue* date = event.GetDate();
    std::string text = label + ": " + (date != nullptr && date->IsSet() ? date->Format() : "");
    if (w.descriptionLine && !event.description.empty()) text += "-" + event.description;
    const std::string place = Limited(event.GetPlace(), kBoxPlaceLimit);
    if (w.dateAndPlace && !place.empty()) text += " - " + place;
    if (w.date || w.dateAndPlace) DrawWallLine(lines, text);
    if (w.place && !w.dateAndPlace)
      DrawWallLine(lines, res::LoadString(res::kIdsLabelPlace) + ": " + place);
    return;
  }
}

// The lines of the person's events and chosen texts.
void CChartPagesGenerator::DrawWallPersonLines(WallBoxLines& lines, std::int32_t rin,
                                               const CIndividualRecord& person,
                                               const CMarriageRecord* marriage) {
  const WallChartOptions& w = options_.wall;
  if (w.birth) DrawWallEventLine(lines, "B", person, marriage);
  if (w.christening) DrawWallEventLine(lines, "C", person, marriage);
  if (w.birthOrChristening) DrawWallEventLine(lines, "BC", person, marriage);
  if (w.marriage && marriage != nullptr) DrawWallEventLine(lines, "M", person, marriage);
  if (w.death) DrawWallEventLine(lines, "D", person, marriage);
  if (w.burial) DrawWallEventLine(lines, "U", person, marriage);
  if (w.deathOrBurial) DrawWallEventLine(lines, "DU", person, marriage);
  std::vector<std::int32_t> userEvents;
  if (!extraTypes_.empty()) DbGetRinList(userEvents, db::kUserEvent, rin, db::kOwnerIndividual);
  for (const auto& [typeNumber, label] : extraTypes_)
    DrawWallExtraLine(lines, userEvents, typeNumber, label);
  // The chosen record texts, each after its label and ": ".
  if (w.id) DrawWallLine(lines, res::LoadString(res::kIdsId) + ": " + person.texts1[0]);
  // The Descendants chart reads its SBN switch as it draws (its box
  // measure has no SBN line).
  const bool sbn = ancestry_ ? w.sbn : plat::Profile().GetInt("DescRpt", "WCSBN", 0) != 0;
  if (sbn) DrawWallLine(lines, res::LoadString(res::kIdsSbn) + ": " + person.texts1[1]);
  if (w.causeOfDeath)
    DrawWallLine(lines, res::LoadString(res::kIdsCauseOfDeath) + ": " + person.texts2[0]);
}

// The ordinance letters not drawn on an event line: "ZEL: " and the
// letters from left to right.
void CChartPagesGenerator::DrawWallZelLine(WallBoxLines& lines) {
  if (lines.zelLetters.empty() || !lines.Fits()) return;
  const std::string head = "ZEL: ";
  TextOutString(&lines.dc, lines.text.left, lines.y, head);
  int x = lines.text.left + lines.dc.GetTextExtent(head).cx;
  for (char letter : lines.zelLetters) {
    const std::string one(1, letter);
    TextOutString(&lines.dc, x, lines.y, one);
    x += lines.dc.GetTextExtent(one).cx + u_->lineStep;
  }
  lines.y -= lines.lineHeight;
}

// Notes of the chosen tags, WCLpt + 1 lines each, the first led by the tag.
void CChartPagesGenerator::DrawWallNoteLines(WallBoxLines& lines, std::int32_t rin) {
  const WallChartOptions& w = options_.wall;
  for (const std::string& tag : w.noteTags) {
    if (tag.empty()) continue;
    std::string note = DbGetTaggedNote(rin, tag, 0, 0, db::kIndividual);
    if (note.empty()) continue;
    const std::string name = tag[0] == '!' ? tag.substr(1) : tag;
    if (options_.noteTagName && !name.empty()) note = name + " " + note;
    std::string_view rest = note;
    for (int n = 0; n <= std::max(0, w.noteLines) && !rest.empty(); ++n) {
      if (!lines.Fits()) break;
      std::size_t end = FitTextLine(rest, lines.dc, lines.width, lines.width / 80, nullptr);
      std::string_view piece = rest.substr(0, end);
      if (end < rest.size() && rest[end] == '\r') ++end;
      if (end < rest.size() && rest[end] == '\n') ++end;
      rest = rest.substr(std::max<std::size_t>(end, 1));
      while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
      TabbedTextOutString(&lines.dc, lines.text.left, lines.y, std::string(piece), 0, nullptr, 0);
      lines.y -= lines.lineHeight;
    }
  }
}

void CChartPagesGenerator::DrawWallBox(ReportDevice& dc, std::int32_t rin, std::int32_t marriage,
                                       int left, int right, int middle, bool repeated) {
  Rect text = DrawWallBoxFrame(dc, left, right, middle);
  DrawWallBoxPhoto(dc, rin, text);
  const WallChartOptions& w = options_.wall;
  CIndividualRecord person;
  const bool known = ReadPerson(rin, person);
  auto years = [&](const CDateValue& d, const char* letter) {
    return d.IsSet() && d.year != 0 ? std::string(letter) + std::to_string(d.year) : std::string();
  };
  CMarriageRecord m;
  const bool hasMarriage = ReadMarriage(marriage, m);
  ChartEventParts parts;
  if (known && options_.nameBirth) parts.birth = years(person.birth.date, "b.");
  if (hasMarriage && options_.nameMarriage) parts.marriage = years(m.marriage.date, "m.");
  if (known && options_.nameDeath) parts.death = years(person.death.date, "d.");
  std::string name = known ? PersonName(rin) : res::LoadString(res::kIdsUnknownUpper);
  const std::string joined = JoinChartEvents(parts);
  if (!joined.empty()) name += " " + joined;
  WallBoxLines lines{dc, text, text.right - text.left, 0, text.top, {}, false};
  dc.SelectFont(primaryFont_);
  TextOutString(&dc, text.left, lines.y, FitTextToWidth(&dc, {0, 0, lines.width, 0}, name));
  lines.y -= std::abs(primaryFont_.height) * 13 / 10;

  dc.SelectFont(otherFont_);
  lines.lineHeight = std::abs(otherFont_.height) * 13 / 10;
  // A repeated person's mark keeps the last line of the box.
  if (repeated) lines.text.bottom += lines.lineHeight;
  if (known && w.zel && w.showZel) {
    const int states[5] = {CDateValue::GetOrdinanceState(&person.baptism.date, 'B'),
                           CDateValue::GetOrdinanceState(&person.endowment.date, 'E'),
                           CDateValue::GetOrdinanceState(&person.sealingToParents.date, 'P'),
                           hasMarriage ? DbGetSealingStatus(marriage, db::kMarriage) : 0,
                           hasMarriage ? DbGetChildrenOrdinanceStatus(marriage, db::kMarriage) : 0};
    lines.zelLetters = ChartOrdinanceLetters(states);
  }
  const bool anyEvent = w.birth || w.christening || w.birthOrChristening || w.death || w.burial ||
                        w.deathOrBurial || (w.marriage && hasMarriage);
  lines.inLineDue = w.date && anyEvent;
  if (known) DrawWallPersonLines(lines, rin, person, hasMarriage ? &m : nullptr);
  DrawWallZelLine(lines);
  if (known) DrawWallNoteLines(lines, rin);
  lines.text.bottom = text.bottom;
  if (repeated) DrawWallLine(lines, res::LoadString(res::kIdsAlreadyPrinted));
}

void CChartPagesGenerator::DrawWallPage(ReportDevice& dc, int page) {
  const int columns = WallChartTileColumns(deepest_, options_.gensPerPage);
  const ChartTile tile = WallChartTileOf(page, rowPages_);
  const CChartPageEntry* entry = FindChartPage(tile.row);
  if (entry == nullptr) {
    DrawError(dc);
    return;
  }
  DrawTileMarks(dc, tile, columns, rowPages_);
  const bool firstTileRow = tile.row == 1;
  if (firstTileRow) DrawWallHeading(dc, tile, columns);
  const int rows = ChartRowsOnPage(tile.row);
  const int k = tile.column;
  const int stub = u_->textInset;
  const LogPen pen{PS_SOLID, u_->lineStep, 0};
  int row = 0;
  if (ancestry_) {
    AncestryChartWalk walk;
    walk.recording = false;
    walk.Rebuild(*entry);
    walk.placeBox = [&](const AncestryChartNode& node) {
      if (row >= rows) return false;
      ++row;
      const RowPlace r = WallRow(row, firstTileRow);
      const int g = node.generation;
      const bool repeated = ReadChartSlot(node.rin).second != node.child;
      if (InTile(g, k)) {
        const int x0 = ColumnX(g, k);
        DrawWallBox(dc, node.rin, node.familyOfOrigin, x0 + u_->boxInset, x0 + columnWidth_,
                    r.middle, repeated);
        dc.SelectPen(pen);
        if (g > 1) {
          Line(dc, x0 + u_->boxInset, r.middle, x0 + stub, r.middle);
          Line(dc, x0 + stub, r.middle, x0 + stub,
               node.sex == 'F' ? r.top - u_->lineStep : r.bottom + u_->lineStep);
        }
      }
      if (InTile(g + 1, k) && node.parentsDrawn != 0) {
        const int x1 = ColumnX(g + 1, k);
        dc.SelectPen(pen);
        Line(dc, x1, r.middle, x1 + stub, r.middle);
        if (node.parentsDrawn & 1) Line(dc, x1 + stub, r.middle, x1 + stub, r.top - u_->lineStep);
        if (node.parentsDrawn & 2)
          Line(dc, x1 + stub, r.middle, x1 + stub, r.bottom + u_->lineStep);
      }
      if (walk.stack.size() >= 3) {
        char last = walk.stack[1].sex;
        for (std::size_t n = 2; n < walk.stack.size(); ++n) {
          if (walk.stack[n].sex == last) continue;
          last = walk.stack[n].sex;
          const int h = walk.stack[n].generation - 1;
          if (!InTile(h, k)) continue;
          const int xv = ColumnX(h, k) + stub;
          dc.SelectPen(pen);
          Line(dc, xv, r.top, xv, r.bottom + u_->lineStep);
        }
      }
      return true;
    };
    for (;;) {
      const AncestryChartWalk::Step s = walk.RunStep();
      if (s == AncestryChartWalk::Step::kStopped || s == AncestryChartWalk::Step::kFinished) break;
    }
    return;
  }
  DescendantsChartWalk walk;
  walk.recording = false;
  walk.wallChart = true;
  walk.Rebuild(*entry);
  walk.placeRow = [&](const DescendantsChartEntry& e, std::size_t index) {
    if (row >= rows) return false;
    ++row;
    const RowPlace r = WallRow(row, firstTileRow);
    const int g = e.generation;
    dc.SelectPen(pen);
    for (std::size_t j = 0; j < index; ++j) {
      const DescendantsChartEntry& open = walk.list[j];
      if (open.kind != 'I' || open.pending != 0 || open.last != 'N' || open.generation < 2 ||
          !InTile(open.generation, k))
        continue;
      const int xv = ColumnX(open.generation, k) + stub;
      Line(dc, xv, r.top, xv, r.bottom);
    }
    if (!InTile(g, k)) return true;
    const int x0 = ColumnX(g, k);
    if (e.kind == 'I') {
      const ChartSlot slot = ReadChartSlot(e.record);
      const bool repeated = !(slot.first == tile.row && slot.second == row);
      DrawWallBox(dc, e.record, 0, x0 + u_->boxInset, x0 + columnWidth_, r.middle, repeated);
      if (g > 1) {
        dc.SelectPen(pen);
        Line(dc, x0 + stub, r.middle, x0 + u_->boxInset, r.middle);
        if (e.mark == 'F') Line(dc, x0 + stub, r.middle, x0 + stub, r.bottom);
        if (e.mark == 'N') Line(dc, x0 + stub, r.top, x0 + stub, r.bottom);
        if (e.mark == 'Y') Line(dc, x0 + stub, r.top, x0 + stub, r.middle);
      }
      return true;
    }
    const std::int32_t person = IndividualOfMarriage(walk.list, index);
    CMarriageRecord m;
    std::int32_t spouse = 0;
    if (ReadMarriage(e.record, m)) spouse = m.husband == person ? m.wife : m.husband;
    DrawWallBox(dc, spouse, e.record, x0 + u_->boxInset, x0 + columnWidth_, r.middle, false);
    if (g < CurrentChartRun().generationLimit && g < deepest_ && InTile(g + 1, k) &&
        !ChartChildrenOf(e.record).empty()) {
      const int x1 = ColumnX(g + 1, k);
      dc.SelectPen(pen);
      Line(dc, x1, r.middle, x1 + stub, r.middle);
    }
    return true;
  };
  walk.takeRowBack = [&row] { --row; };
  walk.firstBox = [&](const DescendantsChartEntry& e) {
    const ChartSlot slot = ReadChartSlot(e.record);
    return slot.first == tile.row && slot.second == row;
  };
  while (walk.RunStep() == DescendantsChartWalk::Step::kPlaced) {
  }
}

void CChartPagesGenerator::DrawChartPage(ReportDevice& dc, int page, bool lastPage) {
  // The print loop sets thousandths before every page.
  dc.SetMapMode(large_ ? MM_LOENGLISH : MM_HIENGLISH);
  if (options_.wallChart)
    DrawWallPage(dc, page);
  else
    DrawStandardPage(dc, page);
  if (IsRTFMode() && !lastPage) EndRTFPage();
}

void CChartPagesGenerator::EndChart(ReportDevice* dc, const CPrintInfo* info) {
  // Print from the preview prints the pages the preview showed.
  if (CurrentReportRunState().printState != 4) CleanupChartPages();
  if (IsRTFMode()) FinishRTFDocument(dc, info);
}

void CChartPagesGenerator::BeginPrinting(ReportDevice* dc, CPrintInfo*) {
  previewing_ = ReportPreviewShown();
  if (dc != nullptr) BeginChart(*dc);
}

int CChartPagesGenerator::PrintPage(CReportJob& job, CPrintInfo* info) {
  if (job.DC() == nullptr || info == nullptr) return 0;
  DrawChartPage(*job.DC(), info->currentPage, info->currentPage >= info->maxPage);
  return 1;
}

void CChartPagesGenerator::EndPrinting(ReportDevice* dc, CPrintInfo* info) { EndChart(dc, info); }

// ---- the kinds' entry points ----

std::unique_ptr<CReportPageGenerator> MakeChartPagesGenerator(bool ancestry) {
  return std::make_unique<CChartPagesGenerator>(ancestry, ReadChartPageOptions(ancestry));
}

int PaginateChartKind(CReportPageGenerator* kindGenerator, ReportDevice& dc, ReportRequest& request,
                      bool ancestry) {
  auto* generator = dynamic_cast<CChartPagesGenerator*>(kindGenerator);
  if (generator == nullptr) return 0;
  generator->Measure(dc);
  int generations = request.count > 0 ? request.count : generator->Options().generations;
  int repeat = 0;
  const int pages =
      ancestry ? PaginateAncestryChart(&generations, &repeat, request.startRin,
                                       generator->FirstPageRows(), generator->OtherPageRows())
               : PaginateDescendantsChart(&generations, &repeat, request.startRin,
                                          generator->FirstPageRows(), generator->OtherPageRows(),
                                          generator->Options().wallChart ? 1 : 0);
  request.count = generations;
  return pages;
}

void CleanupChartKind() { CleanupChartPages(); }

}  // namespace rpt
