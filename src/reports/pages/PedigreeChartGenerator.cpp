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
#include "ReportKinds.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

namespace {

constexpr unsigned kIdsLetters[] = {res::kIdsBaptismLetter,          res::kIdsEndowmentLetter,
                                    res::kIdsSealingToParentsLetter, res::kIdsSealingToSpouseLetter,
                                    res::kIdsChildrenLetter,         res::kIdsFamilyGroupLetter};
constexpr unsigned kIdsMeanings[] = {res::kIdsBaptized,
                                     res::kIdsEndowed,
                                     res::kIdsSealedToParents,
                                     res::kIdsSealedToSpouse,
                                     res::kIdsChildrensOrdinances,
                                     res::kIdsFamilyGroupExists};
constexpr int kNamesLevel = 3;
constexpr int kPlacesLevel = 6;      // names and the events' places
constexpr int kOrdinancesLevel = 7;  // the read level that loads the ordinances too

int FontHeight(int points) { return points * 1000 / 72; }

// An event that has a date or a place.
bool IsSet(const CEventValue& e) {
  return e.date.IsSet() || std::any_of(std::begin(e.place), std::end(e.place),
                                       [](const std::string& part) { return !part.empty(); });
}

// The place parts joined by ", ", at most 80 characters.
std::string PlaceText(const CEventValue& e) {
  std::string place;
  for (const std::string& part : e.place) {
    if (part.empty()) continue;
    place += (place.empty() ? "" : ", ") + part;
  }
  return place.substr(0, 80);
}

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

CPedigreeChartGenerator::CPedigreeChartGenerator(const PedigreeRunParameters& run,
                                                 const PedigreeChartOptions& options)
    : run_(run), options_(options) {
  if (options_.fixedPositions) {
    // The fixed-position chart is one chart of four generations.
    run_.generationsPerChart = 4;
    run_.totalGenerations = 4;
    run_.indexWanted = false;
    run_.indexOnly = false;
    run_.runType = PedigreeRunParameters::kSingleChart;
  }
}

void CPedigreeChartGenerator::SetPreparer(const CFamilyFileInfo& preparer) {
  ownPreparer_ = preparer;
  options_.preparer = &*ownPreparer_;
}

void CPedigreeChartGenerator::BeginPrinting(ReportDevice* dc, CPrintInfo*) {
  if (dc != nullptr) BeginPrinting(*dc);
}

int CPedigreeChartGenerator::PrintPage(CReportJob& job, CPrintInfo* info) {
  if (job.DC() == nullptr || info == nullptr) return 0;
  DrawPage(*job.DC(), info->currentPage, info->currentPage >= info->maxPage);
  return 1;
}

void CPedigreeChartGenerator::EndPrinting(ReportDevice* dc, CPrintInfo* info) {
  // The preview's Print prints the pages the preview paginated.
  if (CurrentReportRunState().printState != 4) EndPrinting();
  FinishRTFDocument(dc, info);
}

void CPedigreeChartGenerator::BeginPrinting(ReportDevice& dc) {
  const PedigreeLayoutConstants& k = PedigreeLayout();
  spaceMessageShown_ = false;
  auto font = [](const PedigreeFont& f) {
    return LogFont{-FontHeight(f.points), f.weight, f.italic, false, f.face};
  };
  if (run_.runType == PedigreeRunParameters::kBlankForm) {
    titleFont_ = {-FontHeight(16), 800, false, false, "Arial"};
    startNameFont_ = nameFont_ = {-FontHeight(8), 500, false, false, "Arial"};
    eventFont_ = {-FontHeight(8), 400, false, false, "Arial"};
  } else {
    titleFont_ = font(options_.titleFont);
    startNameFont_ = font(options_.startNameFont);
    nameFont_ = font(options_.nameFont);
    eventFont_ = font(options_.eventFont);
  }
  headingFont_ = font(options_.headingFont);
  boldFont_ = eventFont_;
  boldFont_.weight = 700;
  boldFont_.italic = false;
  // 7, 7.5 or 8 points for 4, 5 or 6 generations per chart.
  numberFont_ = {-(7000 + 500 * (std::clamp(run_.generationsPerChart, 4, 6) - 4)) / 72, 400, false,
                 false, "Arial"};
  dc.SetMapMode(MM_HIENGLISH);
  // Room for the relationship legend under the chart.
  const int marginBottom =
      options_.marginBottom +
      (options_.relationshipCodes || options_.multipleParents ? k.relationLegendRoom : 0);
  SetPageMargins(&dc,
                 {options_.marginLeft, -options_.marginTop, options_.marginRight, -marginBottom});
  PrintableArea area;
  GetPrintableMargins(dc, options_.marginLeft, options_.marginTop, options_.marginRight,
                      marginBottom, area, false);
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
  const int ordinanceColumn = dc.GetTextExtent("B").cx * 8 / 9 * 5 - 20;
  dc.SelectFont(eventFont_);
  const bool photos = options_.photos && !options_.fixedPositions;
  const bool photoBeside = photos && options_.photoPlace == 0;
  const int photoExtra = photoBeside ? options_.photoWidth + 50 : 0;
  const int boxWidth =
      std::max(numbers + dc.GetTextExtent("Brenwick, Ardel, Olvan").cx + label + photoExtra,
               numbers + dc.GetTextExtent("23 Mar 1967").cx + label +
                   (options_.showOrdinances ? ordinanceColumn
                    : !options_.suppressNumbers && options_.numberKind == PedigreeChartOptions::kRin
                        ? dc.GetTextExtent("-11000").cx
                        : 0));
  // The fit test with the boxes' heights: U holds a name, a three-line box
  // five event lines more, a six-line box seven.
  const int treeHeight = height;
  const int base = nameHeight_ - eventHeight_ + 60;
  int six = 7 * eventHeight_ + base, three = 5 * eventHeight_ + base;
  if (photos && !photoBeside) {
    six += options_.photoHeight;
    three += options_.photoHeight;
  } else if (photoBeside) {
    six = std::max(six, base + options_.photoHeight + eventHeight_);
    three = std::max(three, base + options_.photoHeight + eventHeight_);
  }
  const PedigreeFit fit = PedigreeFitCase(width, treeHeight, g, six, three, base, eventHeight_,
                                          boxWidth, options_.split);
  split_ = fit.split;
  // The root's line starts in the room left of the first column, which his
  // parents' bracket crosses, so g generations take g - 1 columns (and one
  // for the mothers of a split last generation). When the boxes fit, the
  // spare width (at most 380) goes to the root's line, left of the first
  // column.
  const int n = g - 1 + (split_ ? 1 : 0);
  columnCount_ = n;
  int columnWidth = width / n;
  int spare = 0;
  if (fit.fitCase <= 2) {
    spare = std::min(k.spareMax, std::max(0, width - boxWidth * n));
    columnWidth = (width - spare) / n;
    if (options_.showOrdinances && columnWidth + spare < k.ordinanceMin) {
      spare = k.ordinanceSet - columnWidth;
      columnWidth = (area.width - spare - k.numberRoom) / n;
    }
  } else if (columnWidth < boxWidth && !spaceMessageShown_) {
    plat::MessageBox(res::LoadString(res::kIdsNoSpace), res::LoadString(res::kIdsPedigreeChart),
                     plat::kMbOk | plat::kMbIconExclamation);
    spaceMessageShown_ = true;
  }
  rootLineX_ = left_ + k.numberRoom;
  // Generation s stands in column s - 1, the root with his parents in the
  // first; a split chart's mothers (s = g + 1) in the last.
  const int slots = g + (split_ ? 1 : 0);
  for (int s = 1; s <= slots; ++s) {
    Column& c = columns_[s - 1];
    const int column = std::max(1, s - 1);
    c.x = left_ + spare + k.numberRoom + (column - 1) * columnWidth;
    c.width = column < n ? columnWidth - k.lineGap : right_ - c.x;
    // A split last generation has the rows of the generation before it;
    // the root has those of his parents.
    c.pitch = treeHeight >> (std::clamp(s, 2, split_ ? g - 1 : g) - 1);
    // The root stands between his parents: the first column's boxes have
    // half their pitch.
    const int room = s <= 2 ? c.pitch / 2 : c.pitch;
    c.photoWidth = c.photoHeight = 0;
    if (photos && options_.photoWidth > 0 && options_.photoHeight > 0) {
      // The photo box keeps the photo's proportions within the room the
      // box leaves: beside the text at most half the column, above it the
      // column's width and half the box's height.
      const int roomWidth = photoBeside ? c.width / 2 : c.width - 2 * k.photoMargin;
      const int roomHeight = photoBeside ? room - nameHeight_ - 2 * k.photoMargin - eventHeight_
                                         : (room - nameHeight_) / 2 - 2 * k.photoMargin;
      const double scale = std::min({1.0, roomWidth / static_cast<double>(options_.photoWidth),
                                     roomHeight / static_cast<double>(options_.photoHeight)});
      const int w = static_cast<int>(options_.photoWidth * scale);
      const int h = static_cast<int>(options_.photoHeight * scale);
      if (w >= k.photoMinWidth && h >= k.photoMinHeight) {
        c.photoWidth = w;
        c.photoHeight = h;
      }
    }
    const int rows = (room - (photoBeside ? 0 : c.photoHeight)) / eventHeight_;
    const int besidePhoto = (room - 2 * eventHeight_ - c.photoHeight) / eventHeight_;
    c.lines = PedigreeLinesPerBox(rows, besidePhoto, photoBeside && c.photoHeight > 0);
  }
}

void CPedigreeChartGenerator::EndPrinting() {
  if (run_.runType != PedigreeRunParameters::kBlankForm) CleanupPedigreePages();
}

int CPedigreeChartGenerator::BoxDepth(const Column& c) const {
  const int text = c.lines * eventHeight_;
  const int photo = c.photoHeight > 0 ? c.photoHeight + 2 * PedigreeLayout().photoMargin : 0;
  return options_.photoPlace == 0 ? std::max(text, photo) : text + photo;
}

int CPedigreeChartGenerator::BoxY(std::int32_t position, int column) const {
  const int g = std::clamp(run_.generationsPerChart, 2, 6);
  // A split last generation stands on its child's line.
  if (split_ && column >= g) return BoxY(position / 2, g - 1);
  const int treeTop = top_ - PedigreeLayout().treeTop;
  // The root midway between his parents.
  if (column == 1) return treeTop - columns_[0].pitch;
  const int first = 1 << (column - 1);
  const Column& c = columns_[column - 1];
  return treeTop - (position - first) * c.pitch - c.pitch / 2;
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
  relationFlags_ = 0;
  dc.SelectFont(titleFont_);
  TextOutString(&dc, left_, top_, res::LoadString(res::kIdsPedigreeChart));
  // A short rule under a number that ends at right on a text line at y.
  auto ruleUnder = [&](const std::string& number, int right, int y) {
    const Size extent = dc.GetTextExtent(number);
    dc.SelectPen({PS_SOLID, 7, 0});
    MoveTo(&dc, right - extent.cx - 20, y - extent.cy);
    LineTo(&dc, right + 20, y - extent.cy);
  };
  dc.SelectFont({-120, 500, false, false, "Arial"});
  const std::string chartNumber = std::to_string(chart.chartNumber);
  RightText(dc, right_, top_, res::LoadString(res::kIdsChartNumber) + " " + chartNumber);
  ruleUnder(chartNumber, right_, top_);
  if (ShowsSameAsLine(chart)) {
    dc.SelectFont({-108, 100, false, false, "Arial"});
    const std::string text = SameAsLineText(chart);
    const int y = top_ - 2 * nameHeight_;
    TextOutString(&dc, left_, y, text);
    // Rules under the position and under the chart number.
    const std::string position = std::to_string(chart.previousPosition);
    const std::string previous = std::to_string(chart.previousChart);
    const std::string upToPosition = res::LoadString(res::kIdsSameAsNumber) + " " + position;
    ruleUnder(position, left_ + dc.GetTextExtent(upToPosition).cx, y);
    ruleUnder(previous, left_ + dc.GetTextExtent(text).cx, y);
  }
  if (options_.showOrdinances) DrawOrdinanceLegend(dc);
  DrawPreparedBy(dc);
  std::int64_t nextContinuation = chart.firstContinuation;
  DrawPerson(dc, chart, chart.root, chart.marriage, 1, 1, nextContinuation);
  if (chart.spouse != 0) {
    // The spouse's line as long as the root's, with its caption under it,
    // midway between the root's box and the mother's name; never lower
    // than just above her name.
    CIndividualRecord spouse;
    const Column& c = columns_[0];
    dc.SelectFont(numberFont_);
    const std::string caption = RelationCaption('S', 1);
    const int lowest = BoxY(3, 2) + nameHeight_ + 10 + dc.GetTextExtent(caption).cy + 40;
    const int highest = BoxY(1, 1) - 10 - BoxDepth(c) - nameHeight_ - 40;
    const int y = std::max(lowest, (lowest + highest) / 2);
    dc.SelectPen({PS_SOLID, 7, 0});
    MoveTo(&dc, rootLineX_, y);
    LineTo(&dc, c.x + c.width, y);
    TextOutString(&dc, c.x + PedigreeLayout().nameIndent, y - 20, caption);
    dc.SelectFont(nameFont_);
    if (DbGetIndividualRecord(chart.spouse, spouse, kNamesLevel) == 1)
      TextOutString(&dc, c.x + PedigreeLayout().nameIndent, y + nameHeight_ + 10,
                    DisplayName(spouse));
  }
  if ((options_.relationshipCodes || options_.multipleParents) && relationFlags_ != 0) {
    // Under the tree, in the room the bottom margin grew by.
    CReportJob::DrawRelationshipLegend(&dc, left_, bottom_ - 20, eventFont_, boldFont_,
                                       relationFlags_, right_, 0, options_.multipleParents,
                                       options_.relationshipCodes);
  }
}

void CPedigreeChartGenerator::DrawOrdinanceLegend(ReportDevice& dc) {
  const PedigreeLayoutConstants& k = PedigreeLayout();
  int y = top_ - k.legendTop;
  dc.SelectFont(boldFont_);
  TextOutString(&dc, left_, y, res::LoadString(res::kIdsCompletedOrdinances));
  // B, E, P, S and C with their meanings.
  for (int i = 0; i < 5; ++i) {
    y -= k.legendStep;
    dc.SelectFont(boldFont_);
    TextOutString(&dc, left_, y, res::LoadString(kIdsLetters[i]));
    dc.SelectFont(eventFont_);
    TextOutString(&dc, left_ + k.legendMeaningX, y, res::LoadString(kIdsMeanings[i]));
  }
}

int CPedigreeChartGenerator::DrawPhoto(ReportDevice& dc, const Column& c, std::int32_t rin, int y,
                                       bool& beside) {
  const PedigreeLayoutConstants& k = PedigreeLayout();
  beside = options_.photoPlace == 0;
  if (c.photoWidth == 0) return 0;
  const int x = c.x + k.photoMargin;
  const int top = y - k.photoMargin;
  Rect frame{x, top, x + c.photoWidth, top - c.photoHeight};
  Rect drawn = frame;
  if (DrawPictureEx(rin, &dc, &drawn, 0, 0, nullptr, db::kIndividual) != 0) {
    // No photo: an empty frame keeps the text in its place, or the text
    // takes the room.
    if (!options_.reservePhotoSpace) return 0;
    dc.SelectPen({PS_SOLID, 7, 0});
    Rectangle(&dc, frame);
  }
  return beside ? c.photoWidth + 2 * k.photoMargin : c.photoHeight + 2 * k.photoMargin;
}

void CPedigreeChartGenerator::DrawEventLines(ReportDevice& dc, const Column& c,
                                             const CIndividualRecord& person, std::int32_t family,
                                             bool husband, int textX, int right, int lineY) {
  const bool six = c.lines >= 6;
  const int labelWidth = [&] {
    dc.SelectFont(boldFont_);
    return dc.GetTextExtent("M:  ").cx;
  }();
  auto fitted = [&](std::string text) {
    dc.SelectFont(eventFont_);
    const int room = right - textX - labelWidth;
    while (!text.empty() && dc.GetTextExtent(text).cx > room) text.pop_back();
    return text;
  };
  auto eventLine = [&](char label, const std::string& text) {
    dc.SelectFont(boldFont_);
    TextOutString(&dc, textX, lineY, std::string(1, label) + ":");
    dc.SelectFont(eventFont_);
    if (!text.empty()) TextOutString(&dc, textX + labelWidth, lineY, fitted(text));
    lineY -= eventHeight_;
  };
  // An event line (with its place line in a six-line box) of the first of
  // two events that is set; the letters are the events' own.
  auto eventPair = [&](const CEventValue& first, char firstLetter, const CEventValue& second,
                       char secondLetter) {
    const bool useSecond = !IsSet(first) && IsSet(second);
    const CEventValue& e = useSecond ? second : first;
    char letter = useSecond ? secondLetter : firstLetter;
    if (six) letter = static_cast<char>(letter - 'a' + 'A');
    eventLine(letter, e.date.IsSet() ? e.date.Format() : "");
    if (six) eventLine('P', PlaceText(e));
  };
  if (c.lines == 1) {
    // The first event that is set among birth, christening, death, burial.
    const std::pair<char, const CEventValue*> events[] = {{'b', &person.birth},
                                                          {'c', &person.christening},
                                                          {'d', &person.death},
                                                          {'u', &person.burial}};
    for (const auto& [letter, e] : events) {
      if (!e->date.IsSet()) continue;
      eventLine(letter, e->date.Format());
      break;
    }
    return;
  }
  if (c.lines < 2) return;
  eventPair(person.birth, 'b', person.christening, 'c');
  CMarriageRecord marriage;
  if (c.lines >= 3 && husband && family > 0 && family::Read(marriage, family) == 1) {
    const std::string date = marriage.marriage.date.IsSet() ? marriage.marriage.date.Format() : "";
    dc.SelectFont(eventFont_);
    std::string text =
        PedigreeMarriageText(date, marriage.status, family, options_.suppressNumbers, false);
    if (dc.GetTextExtent(text).cx > right - textX - labelWidth)
      text = PedigreeMarriageText(date, marriage.status, family, options_.suppressNumbers, true);
    eventLine(six ? 'M' : 'm', text);
    if (six) eventLine('P', PlaceText(marriage.marriage));
  }
  eventPair(person.death, 'd', person.burial, 'u');
}

void CPedigreeChartGenerator::DrawPerson(ReportDevice& dc, const PedigreeChartRecord& chart,
                                         std::int32_t rin, std::int32_t family,
                                         std::int32_t position, int column,
                                         std::int64_t& nextContinuation) {
  const PedigreeLayoutConstants& k = PedigreeLayout();
  const int g = std::clamp(run_.generationsPerChart, 2, 6);
  const Column& c = columns_[column - 1];
  const int y = BoxY(position, column);
  // The root's line starts left of his parents' bracket.
  const int lineX = column == 1 ? rootLineX_ : c.x;
  dc.SelectPen({PS_SOLID, column == 1 ? 10 : 7, 0});
  MoveTo(&dc, lineX, y);
  LineTo(&dc, c.x + c.width, y);
  dc.SelectFont(numberFont_);
  TextOutString(&dc, lineX - 10 - dc.GetTextExtent("20").cx, y + 40, std::to_string(position));
  if (rin <= 0) return;

  // Places are read only for the boxes that print them.
  CIndividualRecord person;
  const int level = options_.showOrdinances ? kOrdinancesLevel
                    : c.lines >= 6          ? kPlacesLevel
                                            : kNamesLevel;
  if (DbGetIndividualRecord(rin, person, level) != 1) return;
  const std::vector<std::int32_t> parents = ParentsOf(rin);
  int textX = c.x + k.nameIndent;
  std::string name = DisplayName(person);
  if (options_.relationshipCodes || options_.multipleParents) {
    std::string codes;
    if (CReportJob::GetRelationshipCodes(codes, relationFlags_, DatabaseRelationshipLinks(), rin,
                                         options_.relationshipCodes, options_.multipleParents,
                                         parents[0]) > 0)
      name += " " + codes;
  }
  // The number ends left of the next column's position numbers, which
  // reach past the line's end.
  dc.SelectFont(numberFont_);
  int numberLeft = c.x + c.width;
  if (numberLeft < right_)
    numberLeft -= std::max(0, 10 + dc.GetTextExtent("20").cx + 20 - k.lineGap);
  int nameRight = numberLeft;  // the name ends short of what stands right of it
  if (const std::string number = NumberOf(person, rin); !number.empty()) {
    RightText(dc, numberLeft, y + nameHeight_ + 10, number);
    nameRight = numberLeft - dc.GetTextExtent(number).cx;
    numberLeft = nameRight - 30;
  }
  // A father and the root are husbands of the family drawn with them.
  const bool husband = position == 1 || position % 2 == 0;
  if (options_.showOrdinances) {
    // Baptism, endowment, sealing to parents, sealing to spouse and
    // children's ordinances, spaced by 8/9 of a "B".
    dc.SelectFont(boldFont_);
    const int step = dc.GetTextExtent("B").cx * 8 / 9;
    std::string letters;
    const std::pair<char, const COrdinanceValue*> ordinances[] = {
        {'B', &person.baptism}, {'E', &person.endowment}, {'P', &person.sealingToParents}};
    for (const auto& [kind, value] : ordinances)
      letters += OrdinanceLetter(kind, CDateValue::GetOrdinanceState(&value->date, kind));
    if (husband && family > 0) {
      letters += OrdinanceLetter('S', DbGetSealingStatus(family, db::kMarriage));
      const int children = DbGetChildrenOrdinanceStatus(family, db::kMarriage);
      letters += children == 3 ? 'c' : children > 0 ? 'C' : '\0';
    } else {
      letters += std::string(2, '\0');
    }
    int x = numberLeft - 5 * step;
    bool first = true;
    for (char letter : letters) {
      if (letter != 0) {
        TextOutString(&dc, x, y + nameHeight_ + 10, std::string(1, letter));
        if (first) nameRight = x;
        first = false;
      }
      x += step;
    }
  }
  // The name, cut short of the number and the letters.
  dc.SelectFont(position == 1 && chart.generation == 1 ? startNameFont_ : nameFont_);
  while (name.size() > 1 && textX + dc.GetTextExtent(name).cx > nameRight - 20) name.pop_back();
  TextOutString(&dc, textX, y + nameHeight_ + 10, name);

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

  // The photo under the line, then the event lines beside or under it.
  int lineY = y - 10;
  bool beside = false;
  const int photoRoom = DrawPhoto(dc, c, rin, y, beside);
  if (beside)
    textX += photoRoom;
  else
    lineY -= photoRoom;
  int eventsRight = c.x + c.width;

  if (column >= g) {
    // Continuation number of a last-generation person whose line goes on,
    // at the right end of his box.
    const bool continues = run_.runType == PedigreeRunParameters::kCascading &&
                           chart.generation + g - 1 < run_.totalGenerations &&
                           (parents[1] != 0 || parents[2] != 0);
    if (continues) {
      const std::int64_t next = run_.numbering == PedigreeRunParameters::kFixed
                                    ? FixedContinuationChart(chart.chartNumber, position, g)
                                    : nextContinuation++;
      dc.SelectFont(boldFont_);
      const std::string number = std::to_string(next);
      RightText(dc, c.x + c.width, y - 10, number);
      eventsRight -= dc.GetTextExtent(number).cx + 30;
    }
    DrawEventLines(dc, c, person, family, husband, textX, eventsRight, lineY);
    return;
  }
  DrawEventLines(dc, c, person, family, husband, textX, eventsRight, lineY);
  // The bracket joining the parents' lines, then the parents. Split, the
  // father and the mother stand side by side on this person's line, which
  // runs on into theirs.
  const bool splitParents = split_ && column + 1 == g;
  if (!splitParents) {
    const int fatherY = BoxY(2 * position, column + 1);
    const int motherY = BoxY(2 * position + 1, column + 1);
    const int bracketX = columns_[column].x;
    dc.SelectPen({PS_SOLID, 7, 0});
    MoveTo(&dc, bracketX, fatherY);
    LineTo(&dc, bracketX, motherY);
  }
  DrawPerson(dc, chart, parents[1], parents[0], 2 * position, column + 1, nextContinuation);
  DrawPerson(dc, chart, parents[2], parents[0], 2 * position + 1,
             splitParents ? column + 2 : column + 1, nextContinuation);
}

std::string CPedigreeChartGenerator::NumberOf(const CIndividualRecord& person,
                                              std::int32_t rin) const {
  if (options_.suppressNumbers) return {};
  if (options_.numberKind == PedigreeChartOptions::kId) return person.CustomId();
  if (options_.numberKind == PedigreeChartOptions::kSbn) return person.Sbn();
  return std::to_string(rin);
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
  // Left of the third generation's column, whose last boxes reach down to
  // the bottom.
  const int g = std::clamp(run_.generationsPerChart, 2, 6);
  const int w = std::min(k.preparedWidth, (g >= 3 ? columns_[2].x : right_) - left_ - 100);
  const int rule = bottom_ + k.preparedRule;
  dc.SelectPen({PS_SOLID, 7, 0});
  Rectangle(&dc, {left_, bottom_ + k.preparedHeight, left_ + w, bottom_});
  MoveTo(&dc, left_, rule);
  LineTo(&dc, left_ + w, rule);
  dc.SelectFont(eventFont_);
  const int dateColumn = std::max(dc.GetTextExtent(res::LoadString(res::kIdsDatePrepared)).cx,
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
  clipped(left_ + 40, bottom_ + k.preparedHeight - 20, upper, res::LoadString(res::kIdsPreparedBy));
  const int nameY = bottom_ + 860;
  clipped(left_ + 40, nameY, upper, p.GetPreparerName());
  clipped(left_ + 40, nameY - 140, upper, p.address1);
  clipped(left_ + 40, nameY - 280, upper, p.address2);
  clipped(left_ + 40, nameY - 420, upper, p.address3 + (p.country.empty() ? "" : " " + p.country));
  clipped(left_ + 40, rule - 20, lower, res::LoadString(res::kIdsTelephone));
  clipped(left_ + 40, bottom_ + 170, lower, p.phone);
  TextOutString(&dc, divider + 40, rule - 20, res::LoadString(res::kIdsDatePrepared));
  // Smaller with more generations per chart, as the columns narrow.
  if (g <= 4)
    dc.SelectFont(boldFont_);
  else
    dc.SelectFont({g == 5 ? -106 : -92, g == 5 ? 500 : 400, false, false, "Arial"});
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
  text(left, 0, res::LoadString(res::kIdsPedigreeChart));
  dc.SelectFont(eventFont_);
  dc.SelectPen({PS_SOLID, 7, 0});
  text(right - 940, -50, res::LoadString(res::kIdsChartNumber));
  line(right - 400, -190, right, -190);
  text(left, -440, res::LoadString(res::kIdsSameAsNumber));
  line(left + 1800, -565, left + 2360, -565);
  text(left + 2390, -440, res::LoadString(res::kIdsOnChartNumber));
  line(left + 3000, -565, left + 3500, -565);
  text(left + 3525, -440, ".");
  if (options_.showOrdinances) {
    text(left, -870, res::LoadString(res::kIdsCircleLetters));
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
    std::vector<std::string> rows = {res::LoadString(res::kIdsBornChr),
                                     res::LoadString(res::kIdsPlaceFamilyGroup) + ":"};
    if (husband) {
      rows.push_back(res::LoadString(res::kIdsMarried));
      rows.push_back(res::LoadString(res::kIdsPlaceFamilyGroup) + ":");
    }
    rows.push_back(res::LoadString(res::kIdsDied));
    rows.push_back(res::LoadString(res::kIdsPlaceFamilyGroup) + ":");
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
    const bool husband = position == 1 || position % 2 == 0;
    labels((position == 1 ? k.formColumnX[1] : x) + 50, y, husband);
    if (options_.showOrdinances) {
      // The letters to circle: a husband's six, a wife's three.
      dc.SelectFont(boldFont_);
      for (int i = 0; i < (husband ? 6 : 3); ++i)
        text(end - k.formLetterInset, y - 20 - k.formLetterStep * i,
             res::LoadString(kIdsLetters[i]));
    }
    if (position < 8) {
      // The bracket joining this person's parents.
      const int bracketX = k.formColumnX[column + 1];
      line(bracketX, k.formLineY[2 * position - 1], bracketX, k.formLineY[2 * position]);
    } else {
      // Two small lines beside the line's end, clear of each other.
      dc.SelectFont({-87, 400, false, false, "Arial"});
      text(1050 + 6500 + 20, y + 120, res::LoadString(res::kIdsContOn));
      text(1050 + 6500 + 20, y + 40, res::LoadString(res::kIdsChartNo));
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
  text(490, -8820, res::LoadString(res::kIdsPreparedBy));
  text(490, -9970, res::LoadString(res::kIdsTelephone));
  text(left + 1560, -9970, res::LoadString(res::kIdsDatePrepared));
  if (Job() != nullptr) Job()->DrawPrintedByLine(&dc, X(left), Y(k.formPrintedByY));
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
  // The points reach past a letter page (x to 9525, y to about -11250): a
  // smaller printable page brings them in, keeping their proportions.
  const int width = dc.GetDeviceCaps(HORZSIZE) * 394 / 10;
  const int height = dc.GetDeviceCaps(VERTSIZE) * 394 / 10;
  double scale = 1.0;
  if (width > 0 && width < k.fixedDesignWidth) scale = width / double(k.fixedDesignWidth);
  if (height > 0 && height < k.fixedDesignHeight)
    scale = std::min(scale, height / double(k.fixedDesignHeight));
  auto scaled = [scale](int v) { return static_cast<int>(v * scale); };
  for (int n = 1; n <= 15; ++n) {
    CIndividualRecord person;
    if (persons[n] <= 0 || DbGetIndividualRecord(persons[n], person, kOrdinancesLevel) != 1)
      continue;
    const int x = scaled(k.fixedPoints[n - 1][0] + 100);
    int y = scaled(k.fixedPoints[n - 1][1] - 100);
    const Rect clip{x, y, x + scaled(k.fixedTextWidth), y - 1000};
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
  const LogFont subtitleFont{-160, 500, false, false, "Arial"};
  const LogFont footerFont{-106, 500, false, false, "Arial"};
  dc.SelectFont(titleFont_);
  TextOutString(&dc, left_, top_, res::LoadString(res::kIdsPedigreeChart));
  dc.SelectFont(subtitleFont);
  TextOutString(&dc, left_, top_ - 300, res::LoadString(res::kIdsIndexTitle));
  dc.SelectFont(headingFont_);
  const int headingY = top_ - 520;
  TextOutString(&dc, right_ - 3450, headingY, res::LoadString(res::kIdsBorn));
  TextOutString(&dc, right_ - 2200, headingY, res::LoadString(res::kIdsDied));
  TextOutString(&dc, right_ - 920, headingY, res::LoadString(res::kIdsFoundOn));
  const int nameX = options_.suppressNumbers ? left_ : left_ + k.indexNameColumn;
  if (!options_.suppressNumbers) {
    const unsigned heading = options_.numberKind == PedigreeChartOptions::kId    ? res::kIdsId
                             : options_.numberKind == PedigreeChartOptions::kSbn ? res::kIdsSbn
                                                                                 : res::kIdsRin;
    TextOutString(&dc, left_, headingY - 140, res::LoadString(heading));
  }
  TextOutString(&dc, nameX, headingY - 140, res::LoadString(res::kIdsName));
  TextOutString(&dc, right_ - 3450, headingY - 140, "/Chr");
  TextOutString(&dc, right_ - 2200, headingY - 140, "/Bur");
  RightText(dc, right_ - 750, headingY - 140, res::LoadString(res::kIdsChart));
  RightText(dc, right_, headingY - 140, res::LoadString(res::kIdsPosition));
  MoveTo(&dc, left_, headingY - 300);
  LineTo(&dc, right_, headingY - 300);
  MoveTo(&dc, left_, headingY - 340);
  LineTo(&dc, right_, headingY - 340);

  dc.SelectFont(nameFont_);
  const int lineHeight = options_.nameFont.points * 1000 / 72 * 10 / 9;
  const int lowest = bottom_ + k.indexBottom;
  int y = top_ - k.indexTop;
  PedigreeIndexEntry entry;
  for (std::uint32_t n = first; n < first + static_cast<std::uint32_t>(indexLines_) &&
                                y - lineHeight >= lowest && GetPedigreeIndexEntry(n, entry);
       ++n, y -= lineHeight) {
    CIndividualRecord person;
    if (DbGetIndividualRecord(entry.rin, person, kNamesLevel) != 1) continue;
    // A RIN right-aligned before the name; an ID or SBN at the left edge,
    // cut short of the name.
    if (std::string number = NumberOf(person, entry.rin); !number.empty()) {
      if (options_.numberKind == PedigreeChartOptions::kRin) {
        RightText(dc, nameX - 300, y, number);
      } else {
        while (!number.empty() && dc.GetTextExtent(number).cx > nameX - left_ - 60)
          number.pop_back();
        TextOutString(&dc, left_, y, number);
      }
    }
    // The name up to the birth dates' column.
    std::string name = DisplayName(person).substr(0, 80);
    const int room = right_ - 2950 - dc.GetTextExtent("23 Mar 1967").cx - 100 - nameX;
    while (!name.empty() && dc.GetTextExtent(name).cx > room) name.pop_back();
    TextOutString(&dc, nameX, y, name);
    RightText(dc, right_ - 2950, y, DateOf(person.birth, person.christening));
    RightText(dc, right_ - 1700, y, DateOf(person.death, person.burial));
    RightText(dc, right_ - 750, y, std::to_string(entry.chart));
    RightText(
        dc, right_, y,
        entry.position == 0 ? res::LoadString(res::kIdsSpouse) : std::to_string(entry.position));
  }
  MoveTo(&dc, left_, lowest);
  LineTo(&dc, right_, lowest);
  dc.SelectFont(footerFont);
  std::string today;
  FormatToday(today);
  TextOutString(&dc, left_, lowest - 40, today);
  RightText(dc, right_, lowest - 40,
            res::LoadString(res::kIdsPage) + "  " + std::to_string(first / indexLines_ + 1));
}

}  // namespace rpt
