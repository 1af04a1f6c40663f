#include "PedigreeChartGenerator.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "CalendarMonth.h"
#include "ChartBox.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyFileInfo.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "PedigreeChartRules.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "StringTable.h"

namespace rpt {

namespace {

constexpr unsigned kIdsNoSpace = 3489;
constexpr unsigned kIdsPedigreeChart = 7087;
constexpr unsigned kIdsChartNumber = 7062;
constexpr unsigned kIdsIndexTitle = 7110;
constexpr unsigned kIdsBorn = 7112;
constexpr unsigned kIdsDied = 7114;
constexpr unsigned kIdsFoundOn = 7115;
constexpr unsigned kIdsName = 7116;
constexpr unsigned kIdsRin = 7096;
constexpr unsigned kIdsChart = 7178;
constexpr unsigned kIdsPosition = 7179;
constexpr unsigned kIdsSpouse = 7180;
constexpr unsigned kIdsPage = 7099;
constexpr unsigned kIdsPreparedBy = 3397;
constexpr unsigned kIdsSameAsNumber = 7060;
constexpr unsigned kIdsOnChartNumber = 7061;
constexpr unsigned kIdsCircleLetters = 7063;
constexpr unsigned kIdsFamilyGroupExists = 7068;
constexpr unsigned kIdsBornChr = 4618;
constexpr unsigned kIdsPlace = 7132;
constexpr unsigned kIdsMarried = 4106;
constexpr unsigned kIdsContOn = 7182;
constexpr unsigned kIdsChartNo = 7183;
constexpr unsigned kIdsLetters[] = {7100, 7102, 7104, 7105, 7106, 7107};
constexpr unsigned kIdsMeanings[] = {4089, 4091, 4093, 4095, 7069, 7068};
constexpr unsigned kIdsTelephone = 7071;
constexpr unsigned kIdsDatePrepared = 7072;
constexpr int kNamesLevel = 3;
constexpr int kOrdinancesLevel = 7;  // the read level that loads the ordinances too

int FontHeight(int points) { return points * 1000 / 72; }

std::string DisplayName(const CIndividualRecord& person) {
  std::string name;
  for (const std::string& given : person.givenNames) {
    if (given.empty()) continue;
    if (!name.empty()) name += ' ';
    name += given;
  }
  if (!person.surname.empty()) name += (name.empty() ? "" : " ") + person.surname;
  return name;
}

std::string DateOf(const CEventValue& first, const CEventValue& second) {
  if (first.date.IsSet()) return first.date.Format();
  if (second.date.IsSet()) return second.date.Format();
  return {};
}

std::vector<std::int32_t> ParentsOf(std::int32_t rin) {
  std::vector<std::int32_t> family;
  if (rin > 0) DbGetRelation(rin, db::kRelParents, 0, family);
  family.resize(3, 0);
  return family;
}

}  // namespace

const PedigreeLayoutConstants& PedigreeLayout() {
  static const PedigreeLayoutConstants constants;
  return constants;
}

void CPedigreeChartGenerator::BeginPrinting(ReportDevice& dc) {
  const PedigreeLayoutConstants& k = PedigreeLayout();
  spaceMessageShown_ = false;
  titleFont_ = {-FontHeight(16), 800, false, false, "Arial"};
  startNameFont_ = {-FontHeight(10), 700, false, false, "Arial"};
  nameFont_ = {-FontHeight(9), 700, false, false, "Arial"};
  eventFont_ = {-FontHeight(8), 400, false, false, "Arial"};
  boldFont_ = {-FontHeight(8), 700, false, false, "Arial"};
  numberFont_ = {-FontHeight(7), 400, false, false, "Arial"};
  dc.SetMapMode(MM_HIENGLISH);
  SetPageMargins(&dc, {k.marginLeft, -k.marginTop, k.marginRight, -k.marginBottom});
  PrintableArea area;
  GetPrintableMargins(dc, k.marginLeft, k.marginTop, k.marginRight, k.marginBottom, area, false);
  left_ = area.left + 4;
  right_ = left_ + area.width - 4;
  top_ = -area.top - 4;
  bottom_ = 4 - area.top - area.height;
  const int width = area.width - 128, height = area.height - 268;
  dc.SelectFont(eventFont_);
  eventHeight_ = std::max(1, dc.GetTextExtent("M").cy);
  dc.SelectFont(nameFont_);
  nameHeight_ = std::max(1, dc.GetTextExtent("M").cy);
  indexLines_ = std::max(1, Paginator().linesPerPage);

  const int g = std::clamp(run_.generationsPerChart, 2, 6);
  dc.SelectFont(boldFont_);
  const int label = dc.GetTextExtent("M").cx + 50;
  const int numbers = dc.GetTextExtent(" 33").cx;
  dc.SelectFont(eventFont_);
  const int boxWidth = numbers + dc.GetTextExtent("23 Mar 1967").cx + label +
                       (options_.suppressNumbers ? 0 : dc.GetTextExtent("-11000").cx);
  // One column per generation; the spare width (at most 380) goes to the
  // left of the tree.
  int columnWidth = width / g;
  const int spare = std::min(380, std::max(0, width - boxWidth * g));
  if (columnWidth >= boxWidth) columnWidth = (width - spare) / g;
  if (columnWidth < boxWidth && !spaceMessageShown_) {
    plat::MessageBox(res::LoadString(kIdsNoSpace), res::LoadString(kIdsPedigreeChart),
                     plat::kMbOk | plat::kMbIconExclamation);
    spaceMessageShown_ = true;
  }
  const int treeHeight = height - k.treeTop;
  for (int i = 1; i <= g; ++i) {
    Column& c = columns_[i - 1];
    c.x = left_ + spare + (i - 1) * columnWidth;
    c.width = i < g ? columnWidth - k.lineGap : right_ - c.x;
    c.pitch = treeHeight >> (i - 1);
    c.lines = PedigreeLinesPerBox(c.pitch / eventHeight_, 0, false);
  }
}

void CPedigreeChartGenerator::EndPrinting() {
  if (run_.runType != PedigreeRunParameters::kBlankForm) CleanupPedigreePages();
}

int CPedigreeChartGenerator::BoxY(std::int32_t position, int column) const {
  const int first = 1 << (column - 1);
  const Column& c = columns_[column - 1];
  return top_ - PedigreeLayout().treeTop - (position - first) * c.pitch - c.pitch / 2;
}

void CPedigreeChartGenerator::RightText(ReportDevice& dc, int right, int y,
                                        const std::string& text) {
  TextOutString(&dc, right - dc.GetTextExtent(text).cx, y, text);
}

void CPedigreeChartGenerator::DrawPage(ReportDevice& dc, int page, bool lastPage) {
  const bool blank = run_.runType == PedigreeRunParameters::kBlankForm;
  PedigreePageEntry* entry =
      options_.fixedPositions || blank ? nullptr : FindPedigreePageEntry(page);
  if (blank)
    DrawBlankForm(dc);
  else if (options_.fixedPositions)
    DrawFixedChart(dc);
  else if (entry != nullptr && entry->kind == PedigreePageEntry::kIndex)
    DrawIndexPage(dc, entry->firstIndexEntry, page);
  else if (entry != nullptr && entry->chart)
    DrawChartPage(dc, *entry->chart);
  if (IsRTFMode() && !lastPage) EndRTFPage();
}

void CPedigreeChartGenerator::DrawChartPage(ReportDevice& dc, const PedigreeChartRecord& chart) {
  dc.SelectFont(titleFont_);
  TextOutString(&dc, left_, top_, res::LoadString(kIdsPedigreeChart));
  dc.SelectFont(boldFont_);
  RightText(dc, right_, top_,
            res::LoadString(kIdsChartNumber) + " " + std::to_string(chart.chartNumber));
  if (ShowsSameAsLine(chart)) {
    dc.SelectFont(eventFont_);
    TextOutString(&dc, left_, top_ - 2 * nameHeight_, SameAsLineText(chart));
  }
  DrawPreparedBy(dc);
  std::int64_t nextContinuation = chart.firstContinuation;
  DrawPerson(dc, chart, chart.root, chart.marriage, 1, 1, nextContinuation);
  if (chart.spouse != 0) {
    CIndividualRecord spouse;
    const Column& c = columns_[0];
    const int y = BoxY(1, 1) - c.pitch / 4;
    MoveTo(&dc, c.x, y);
    LineTo(&dc, c.x + c.width, y);
    dc.SelectFont(nameFont_);
    if (DbGetIndividualRecord(chart.spouse, spouse, kNamesLevel) == 1)
      TextOutString(&dc, c.x, y + nameHeight_, DisplayName(spouse));
    dc.SelectFont(numberFont_);
    TextOutString(&dc, c.x, y - 20, RelationCaption('S', 1));
  }
}

void CPedigreeChartGenerator::DrawPerson(ReportDevice& dc, const PedigreeChartRecord& chart,
                                         std::int32_t rin, std::int32_t family,
                                         std::int32_t position, int column,
                                         std::int64_t& nextContinuation) {
  const PedigreeLayoutConstants& k = PedigreeLayout();
  const int g = std::clamp(run_.generationsPerChart, 2, 6);
  const Column& c = columns_[column - 1];
  const int y = BoxY(position, column);
  dc.SelectPen({PS_SOLID, column == 1 ? 10 : 7, 0});
  MoveTo(&dc, c.x, y);
  LineTo(&dc, c.x + c.width, y);
  dc.SelectFont(numberFont_);
  if (position > 1)
    TextOutString(&dc, c.x - 10 - dc.GetTextExtent("20").cx, y + 40, std::to_string(position));
  if (rin <= 0) return;

  CIndividualRecord person;
  if (DbGetIndividualRecord(rin, person,
                            options_.showOrdinances ? kOrdinancesLevel : kNamesLevel) != 1)
    return;
  const int textX = c.x + (position == 1 ? 0 : k.nameIndent);
  dc.SelectFont(position == 1 && chart.generation == 1 ? startNameFont_ : nameFont_);
  TextOutString(&dc, textX, y + nameHeight_ + 10, DisplayName(person));
  int numberLeft = c.x + c.width;
  if (!options_.suppressNumbers) {
    dc.SelectFont(numberFont_);
    const std::string number = std::to_string(rin);
    numberLeft -= dc.GetTextExtent(number).cx + 30;
    RightText(dc, c.x + c.width, y + nameHeight_ + 10, number);
  }
  if (options_.showOrdinances) {
    // Baptism, endowment and sealing to parents, spaced by 8/9 of a "B".
    dc.SelectFont(boldFont_);
    const int step = dc.GetTextExtent("B").cx * 8 / 9;
    const std::pair<char, const COrdinanceValue*> ordinances[] = {
        {'B', &person.baptism}, {'E', &person.endowment}, {'P', &person.sealingToParents}};
    int x = numberLeft - 3 * step;
    for (const auto& [kind, value] : ordinances) {
      const char letter = OrdinanceLetter(kind, CDateValue::GetOrdinanceState(&value->date, kind));
      if (letter != 0) TextOutString(&dc, x, y + nameHeight_ + 10, std::string(1, letter));
      x += step;
    }
  }

  std::int64_t placedChart = 0;
  std::int32_t placedPosition = 0;
  const bool placed = GetPedigreeChartPlace(rin, placedChart, placedPosition);
  if (!placed) SetPedigreeChartPlace(rin, chart.chartNumber, position);
  // The root of a continuation chart stands on the chart before too.
  if (position > 1 && placed && (placedChart != chart.chartNumber || placedPosition != position)) {
    dc.SelectFont(eventFont_);
    TextOutString(&dc, textX, y - 10, SameAsBoxText(placedPosition, placedChart));
    return;
  }

  // Event lines under the line, as many as the column gives a box.
  dc.SelectFont(eventFont_);
  int lineY = y - 10;
  auto eventLine = [&](const char* label, const std::string& text) {
    dc.SelectFont(boldFont_);
    TextOutString(&dc, textX, lineY, std::string(label) + ":");
    dc.SelectFont(eventFont_);
    TextOutString(&dc, textX + dc.GetTextExtent("M:  ").cx, lineY, text);
    lineY -= eventHeight_;
  };
  const std::vector<std::int32_t> parents = ParentsOf(rin);
  if (c.lines >= 2) {
    eventLine(person.birth.date.IsSet() || !person.christening.date.IsSet() ? "b" : "c",
              DateOf(person.birth, person.christening));
    // The marriage line of a father or of the root.
    CMarriageRecord marriage;
    if (c.lines >= 3 && (position == 1 || position % 2 == 0) && family > 0 &&
        family::Read(marriage, family) == 1) {
      const std::string date =
          marriage.marriage.date.IsSet() ? marriage.marriage.date.Format() : "";
      eventLine("m", PedigreeMarriageText(date, marriage.status, family, options_.suppressNumbers,
                                          false));
    }
    eventLine(person.death.date.IsSet() || !person.burial.date.IsSet() ? "d" : "u",
              DateOf(person.death, person.burial));
  } else if (c.lines == 1) {
    eventLine("b", DateOf(person.birth, person.christening));
  }

  if (column == g) {
    // Continuation number of a last-column person whose line goes on.
    const bool continues = run_.runType == PedigreeRunParameters::kCascading &&
                           chart.generation + g - 1 < run_.totalGenerations &&
                           (parents[1] != 0 || parents[2] != 0);
    if (continues) {
      const std::int64_t next = run_.numbering == PedigreeRunParameters::kFixed
                                    ? FixedContinuationChart(chart.chartNumber, position, g)
                                    : nextContinuation++;
      dc.SelectFont(boldFont_);
      RightText(dc, right_, y - 10, std::to_string(next));
    }
    return;
  }
  // The bracket joining the parents' lines, then the parents.
  const int fatherY = BoxY(2 * position, column + 1), motherY = BoxY(2 * position + 1, column + 1);
  const int bracketX = columns_[column].x;
  dc.SelectPen({PS_SOLID, 7, 0});
  MoveTo(&dc, bracketX, fatherY);
  LineTo(&dc, bracketX, motherY);
  DrawPerson(dc, chart, parents[1], parents[0], 2 * position, column + 1, nextContinuation);
  DrawPerson(dc, chart, parents[2], parents[0], 2 * position + 1, column + 1, nextContinuation);
}

void CPedigreeChartGenerator::DrawPreparedBy(ReportDevice& dc) {
  const PedigreeLayoutConstants& k = PedigreeLayout();
  std::string today;
  FormatToday(today);
  if (options_.preparer == nullptr) {
    dc.SelectFont(eventFont_);
    TextOutString(&dc, left_, bottom_ + 120, today);
    return;
  }
  const CFamilyFileInfo& p = *options_.preparer;
  const int w = std::min(k.preparedWidth, columns_[1].x - left_ - 100);
  const int rule = bottom_ + k.preparedRule;
  dc.SelectPen({PS_SOLID, 7, 0});
  Rectangle(&dc, {left_, bottom_ + k.preparedHeight, left_ + w, bottom_});
  MoveTo(&dc, left_, rule);
  LineTo(&dc, left_ + w, rule);
  dc.SelectFont(eventFont_);
  const int dateColumn = std::max(dc.GetTextExtent(res::LoadString(kIdsDatePrepared)).cx,
                                  dc.GetTextExtent("23 Mar 1983").cx) +
                         80;
  const int divider = left_ + w - dateColumn;
  MoveTo(&dc, divider, rule);
  LineTo(&dc, divider, bottom_);
  // The left part's texts are clipped to it.
  const Rect upper{left_, bottom_ + k.preparedHeight, left_ + w, rule};
  const Rect lower{left_, rule, divider, bottom_};
  auto clipped = [&](int x, int y, const Rect& clip, const std::string& text) {
    if (!text.empty()) ExtTextOutString(&dc, x, y, ETO_CLIPPED, &clip, text, nullptr);
  };
  clipped(left_ + 40, bottom_ + k.preparedHeight - 20, upper, res::LoadString(kIdsPreparedBy));
  const int nameY = bottom_ + 860;
  clipped(left_ + 40, nameY, upper, p.GetPreparerName());
  clipped(left_ + 40, nameY - 140, upper, p.address1);
  clipped(left_ + 40, nameY - 280, upper, p.address2);
  clipped(left_ + 40, nameY - 420, upper, p.address3 + (p.country.empty() ? "" : " " + p.country));
  clipped(left_ + 40, rule - 20, lower, res::LoadString(kIdsTelephone));
  clipped(left_ + 40, bottom_ + 170, lower, p.phone);
  TextOutString(&dc, divider + 40, rule - 20, res::LoadString(kIdsDatePrepared));
  dc.SelectFont(boldFont_);
  TextOutString(&dc, divider + (dateColumn - dc.GetTextExtent(today).cx) / 2, bottom_ + 170, today);
}

void CPedigreeChartGenerator::DrawBlankForm(ReportDevice& dc) {
  const PedigreeLayoutConstants& k = PedigreeLayout();
  // A page lower than the form scales every y; a narrower one moves the
  // form left.
  const int height = dc.GetDeviceCaps(VERTSIZE) * 394 / 10;
  const int width = dc.GetDeviceCaps(HORZSIZE) * 394 / 10;
  const double scale = height < 10400 ? (height - 350) / 10050.0 : 1.0;
  const int dx = width < 8000 ? std::min(8000 - width, 450) : 0;
  auto X = [dx](int x) { return x - dx; };
  auto Y = [scale](int y) { return static_cast<int>(y * scale); };
  auto text = [&](int x, int y, const std::string& t) { TextOutString(&dc, X(x), Y(y), t); };
  auto line = [&](int x1, int y1, int x2, int y2) {
    MoveTo(&dc, X(x1), Y(y1));
    LineTo(&dc, X(x2), Y(y2));
  };
  const int left = 450, right = 7950;
  dc.SelectFont(titleFont_);
  text(left, 0, res::LoadString(kIdsPedigreeChart));
  dc.SelectFont(eventFont_);
  dc.SelectPen({PS_SOLID, 7, 0});
  text(right - 940, -50, res::LoadString(kIdsChartNumber));
  line(right - 400, -190, right, -190);
  text(left, -440, res::LoadString(kIdsSameAsNumber));
  line(left + 1800, -565, left + 2360, -565);
  text(left + 2390, -440, res::LoadString(kIdsOnChartNumber));
  line(left + 3000, -565, left + 3500, -565);
  text(left + 3525, -440, ".");
  if (options_.showOrdinances) {
    text(left, -870, res::LoadString(kIdsCircleLetters));
    for (int i = 0; i < 6; ++i) {
      dc.SelectFont(boldFont_);
      text(left, -1084 - 164 * i, res::LoadString(kIdsLetters[i]));
      dc.SelectFont(eventFont_);
      text(610, -1084 - 164 * i, res::LoadString(kIdsMeanings[i]));
    }
  }
  // Labels under a line: a husband (or the start person) has the marriage lines too.
  auto labels = [&](int x, int y, bool husband) {
    dc.SelectFont(eventFont_);
    std::vector<std::string> rows = {res::LoadString(kIdsBornChr),
                                     res::LoadString(kIdsPlace) + ":"};
    if (husband) {
      rows.push_back(res::LoadString(kIdsMarried));
      rows.push_back(res::LoadString(kIdsPlace) + ":");
    }
    rows.push_back(res::LoadString(kIdsDied));
    rows.push_back(res::LoadString(kIdsPlace) + ":");
    for (std::size_t i = 0; i < rows.size(); ++i)
      text(x, y - 20 - k.formLabelStep * static_cast<int>(i), rows[i]);
  };
  for (int position = 1; position <= 15; ++position) {
    const int column = position == 1 ? 0 : position < 4 ? 1 : position < 8 ? 2 : 3;
    const int x = k.formColumnX[column], end = k.formColumnEnd[column];
    const int y = k.formLineY[position - 1];
    dc.SelectPen({PS_SOLID, position == 1 ? 10 : 7, 0});
    line(x, y, end, y);
    dc.SelectFont(numberFont_);
    text(x - 10 - dc.GetTextExtent("20").cx, y + 120, std::to_string(position));
    if (position > 1) {
      dc.SelectFont(numberFont_);
      text(x + 700, y + 120, RelationCaption(position % 2 == 0 ? 'F' : 'M', position / 2));
    }
    // The start person's labels stand right of the parents' bracket.
    labels((position == 1 ? k.formColumnX[1] : x) + 50, y, position == 1 || position % 2 == 0);
    if (position < 8) {
      // The bracket joining this person's parents.
      const int bracketX = k.formColumnX[column + 1];
      line(bracketX, k.formLineY[2 * position - 1], bracketX, k.formLineY[2 * position]);
    } else {
      dc.SelectFont(numberFont_);
      text(1050 + 6500 + 20, y + 120, res::LoadString(kIdsContOn));
      text(1050 + 6500 + 20, y + 40, res::LoadString(kIdsChartNo));
    }
  }
  dc.SelectPen({PS_SOLID, 7, 0});
  line(k.formColumnX[0], k.formSpouseY, k.formColumnEnd[0], k.formSpouseY);
  dc.SelectFont(numberFont_);
  text(k.formColumnX[1] + 50, k.formSpouseY - 40, RelationCaption('S', 1));

  // The "Prepared by" frame.
  Rectangle(&dc, {X(left), Y(-8800), X(left + 2500), Y(-10300)});
  line(left, -9950, left + 2500, -9950);
  line(left + 1520, -9950, left + 1520, -10300);
  dc.SelectFont(eventFont_);
  text(490, -8820, res::LoadString(kIdsPreparedBy));
  text(490, -9970, res::LoadString(kIdsTelephone));
  text(left + 1560, -9970, res::LoadString(kIdsDatePrepared));
}

void CPedigreeChartGenerator::DrawFixedChart(ReportDevice& dc) {
  const PedigreeLayoutConstants& k = PedigreeLayout();
  // Persons by pedigree number: n's parents are 2n and 2n + 1.
  std::array<std::int32_t, 16> persons{};
  persons[1] = run_.startPerson;
  for (int n = 1; n < 8; ++n) {
    const std::vector<std::int32_t> parents = ParentsOf(persons[n]);
    persons[2 * n] = parents[1];
    persons[2 * n + 1] = parents[2];
  }
  for (int n = 1; n <= 15; ++n) {
    CIndividualRecord person;
    if (persons[n] <= 0 || DbGetIndividualRecord(persons[n], person, kOrdinancesLevel) != 1)
      continue;
    const int x = k.fixedPoints[n - 1][0] + 100;
    int y = k.fixedPoints[n - 1][1] - 100;
    const Rect clip{x, y, x + k.fixedTextWidth, y - 1000};
    dc.SelectFont(startNameFont_);
    ExtTextOutString(&dc, x, y, ETO_CLIPPED, &clip, DisplayName(person), nullptr);
    y -= dc.GetTextExtent("M").cy;
    dc.SelectFont(eventFont_);
    const int line = dc.GetTextExtent("M").cy;
    if (person.birth.date.IsSet())
      ExtTextOutString(&dc, x, y, ETO_CLIPPED, &clip, person.birth.date.Format(), nullptr);
    y -= line;
    std::string place;
    for (const std::string& part : person.birth.place) {
      if (part.empty()) continue;
      place += (place.empty() ? "" : ", ") + part;
    }
    if (!place.empty()) ExtTextOutString(&dc, x, y, ETO_CLIPPED, &clip, place, nullptr);
  }
}

void CPedigreeChartGenerator::DrawIndexPage(ReportDevice& dc, std::uint32_t first, int page) {
  const PedigreeLayoutConstants& k = PedigreeLayout();
  (void)page;
  dc.SelectFont(titleFont_);
  TextOutString(&dc, left_, top_, res::LoadString(kIdsPedigreeChart));
  TextOutString(&dc, left_, top_ - 300, res::LoadString(kIdsIndexTitle));
  dc.SelectFont(boldFont_);
  const int headingY = top_ - 520;
  TextOutString(&dc, right_ - 3450, headingY, res::LoadString(kIdsBorn));
  TextOutString(&dc, right_ - 2200, headingY, res::LoadString(kIdsDied));
  TextOutString(&dc, right_ - 920, headingY, res::LoadString(kIdsFoundOn));
  const int nameX = options_.suppressNumbers ? left_ : left_ + k.indexNameColumn;
  if (!options_.suppressNumbers)
    TextOutString(&dc, left_, headingY - 140, res::LoadString(kIdsRin));
  TextOutString(&dc, nameX, headingY - 140, res::LoadString(kIdsName));
  RightText(dc, right_ - 750, headingY - 140, res::LoadString(kIdsChart));
  RightText(dc, right_, headingY - 140, res::LoadString(kIdsPosition));
  MoveTo(&dc, left_, headingY - 300);
  LineTo(&dc, right_, headingY - 300);
  MoveTo(&dc, left_, headingY - 340);
  LineTo(&dc, right_, headingY - 340);

  dc.SelectFont(nameFont_);
  const int lineHeight = 9 * 1000 / 72 * 10 / 9;
  const int lowest = bottom_ + k.indexBottom;
  int y = top_ - k.indexTop;
  PedigreeIndexEntry entry;
  for (std::uint32_t n = first; n < first + static_cast<std::uint32_t>(indexLines_) &&
                                y - lineHeight >= lowest && GetPedigreeIndexEntry(n, entry);
       ++n, y -= lineHeight) {
    CIndividualRecord person;
    if (DbGetIndividualRecord(entry.rin, person, kNamesLevel) != 1) continue;
    if (!options_.suppressNumbers) RightText(dc, nameX - 300, y, std::to_string(entry.rin));
    TextOutString(&dc, nameX, y, DisplayName(person).substr(0, 80));
    RightText(dc, right_ - 2950, y, DateOf(person.birth, person.christening));
    RightText(dc, right_ - 1700, y, DateOf(person.death, person.burial));
    RightText(dc, right_ - 750, y, std::to_string(entry.chart));
    RightText(dc, right_, y,
              entry.position == 0 ? res::LoadString(kIdsSpouse) : std::to_string(entry.position));
  }
  MoveTo(&dc, left_, lowest);
  LineTo(&dc, right_, lowest);
  dc.SelectFont(eventFont_);
  RightText(dc, right_, lowest - 40,
            res::LoadString(kIdsPage) + "  " + std::to_string(first / indexLines_ + 1));
}

}  // namespace rpt
