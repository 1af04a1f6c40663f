#include "IndividualSummaryGenerator.h"
#include "IndividualSummaryRun.h"

#include <algorithm>
#include <cstdio>

#include "CalendarMonth.h"
#include "ChartBox.h"
#include "CitationNumbers.h"
#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FamilyLinkRecord.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "RecordAccess.h"
#include "ReportKinds.h"
#include "StringIds.h"
#include "StringTable.h"
#include "SummaryText.h"
#include "TextMeasure.h"
#include "TextRoutines.h"
#include "TimeStamp.h"
#include "UserEventRecord.h"

namespace rpt {

namespace {

std::string S(unsigned id) { return res::LoadString(id); }

LogFont Arial(int height, int weight) {
  LogFont f;
  f.face = S(res::kIdsArial);
  f.height = height;
  f.weight = weight;
  return f;
}

std::string RelationshipWord(char code) {
  switch (code) {
    case 'a':
      return S(res::kIdsAdopted);
    case 'b':
      return S(res::kIdsBiological);
    case 'c':
      return S(res::kIdsChallenged);
    case 'd':
      return S(res::kIdsDisproved);
    case 'g':
      return S(res::kIdsGuardian);
    case 's':
      return S(res::kIdsSealing);
    default:
      return {};
  }
}

std::string StampDate(std::int32_t stamp) {
  if (stamp == 0) return {};
  return FormatTimeAsDate(StampToTime(stamp));
}

}  // namespace

std::string JoinSummaryTitle(const std::string& prefix, const std::string& name, bool useName,
                             const std::string& suffix) {
  std::string p = prefix;
  std::string s = suffix;
  if ((useName || !suffix.empty()) && !p.empty() && p.back() != ' ') p += ' ';
  if (useName && !s.empty() && s.front() != ' ') s.insert(s.begin(), ' ');
  return p + (useName ? name : std::string()) + s;
}

SummaryWalkSetup MakeSummaryWalkSetup(ReportDevice* dc, const IndividualSummaryOptions& options) {
  SummaryWalkSetup setup;
  setup.dc = dc;
  setup.options = options;
  PrintableArea area;
  if (dc != nullptr)
    GetPrintableMargins(*dc, options.pageLM, options.pageTM, options.pageRM, options.pageBM, area,
                        false);
  setup.pageWidth = area.width;
  setup.pageHeight = area.height - (options.familyGroupBand ? kSummaryFamilyGroupBand : 0);
  const LogFont body = SummaryBodyFont(options);
  setup.lineHeight = std::max(1, SummaryLineHeight(body));
  setup.photoBand = SummaryPhotoBand(options);
  setup.topBand = kSummaryTopBand;
  setup.reservePhoto = options.photoReserve;
  return setup;
}

CIndividualSummaryGenerator::CIndividualSummaryGenerator(const IndividualSummaryOptions& options)
    : options_(options) {}

void CIndividualSummaryGenerator::CreateSummaryFonts(ReportDevice*) {
  titleFont_ = Arial(180, 600);
  sectionFont_ = Arial(150, 600);
  columnFont_ = Arial(130, 500);
  numberFont_ = Arial(86, 500);
  bodyFont_ = SummaryBodyFont(options_);
  const CStyleFontSet style = SummaryStyleFonts(bodyFont_);
  boldFont_ = *style.bold;
  italicFont_ = *style.italic;
  StyleFonts() = style;
  StyleFonts().small = numberFont_;
  StyleFonts().style = kStyleNormal;
}

int CIndividualSummaryGenerator::PrintPage(CReportJob& job, CPrintInfo* info) {
  if (info == nullptr) return 0;
  return PrintSummaryPage(job.DC(), info->currentPage, info->currentPage >= info->maxPage);
}

void CIndividualSummaryGenerator::EndSummaryPrinting(ReportDevice* dc, CPrintInfo* info) {
  if (CurrentReportRunState().printState != 4) CleanupIndividualSummaryPages();
  FinishRTFDocument(dc, info);
}

void CIndividualSummaryGenerator::Text(ReportDevice* dc, const LogFont& font, int x, int y,
                                       const std::string& text) {
  if (text.empty()) return;
  dc->SelectFont(font);
  TextOutString(dc, x, y, text);
  Note(y - dc->GetTextExtent(text).cy);
}

void CIndividualSummaryGenerator::FramePhoto(ReportDevice* dc, const Rect& rect) {
  // Hollow, so that the frame leaves the picture visible.
  const LogBrush previous = dc->SelectBrush({0, true});
  Rectangle(dc, rect);
  dc->SelectBrush(previous);
}

void CIndividualSummaryGenerator::Rule(ReportDevice* dc, int left, int right, int y) {
  MoveTo(dc, left, y);
  LineTo(dc, right, y);
  Note(y);
}

void CIndividualSummaryGenerator::DoubleRule(ReportDevice* dc, const Frame& f, int y) {
  Rule(dc, f.left, f.right, y + 20);
  Rule(dc, f.left, f.right, y);
}

std::string CIndividualSummaryGenerator::PersonName(std::int32_t rin, ReportDevice* dc,
                                                    int width) const {
  if (rin <= 0) return {};
  CIndividualRecord record;
  if (family::Read(record, rin) != 1) return {};
  const CIndividualNode node(record, 0, 0, 0, nullptr);
  const DeviceTextMeasure measure(dc);
  return node.FormatName(options_.suppressRin ? 0 : 1, CIndividualNode::kMaxNameChars, width,
                         width > 0 ? &measure : nullptr);
}

std::vector<std::int32_t> CIndividualSummaryGenerator::NumbersOf(char letter, std::int32_t owner,
                                                                 const SummaryPageEntry& entry) {
  std::vector<std::int32_t> numbers;
  if (!options_.sources || owner <= 0 || !entry.citations) return numbers;
  std::vector<std::int32_t> list;
  DbGetRinList(list, db::kCitation, owner, letter);
  for (std::int32_t c : list) {
    const int n = SummaryFootnoteNumber(c, *entry.citations);
    if (n > 0) InsertSortedNumber(n, numbers);
  }
  return numbers;
}

int CIndividualSummaryGenerator::DrawMarks(ReportDevice* dc, int x, int y,
                                           std::vector<std::int32_t> numbers) {
  if (numbers.empty()) return x;
  std::string text;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    text += std::to_string(numbers[i]);
    if (i + 1 < numbers.size()) text += ',';
    numbers_.push_back(numbers[i]);
  }
  dc->SelectFont(columnFont_);
  const int raise = dc->GetTextExtent("0").cy / 4;
  Text(dc, numberFont_, x, y + raise, text);
  return x + dc->GetTextExtent(text).cx;
}

void CIndividualSummaryGenerator::DrawHeading(ReportDevice* dc, const Frame& f, int y,
                                              const std::string& text) {
  dc->SelectFont(sectionFont_);
  const int w = dc->GetTextExtent(text).cx;
  Text(dc, sectionFont_, f.left + (f.width - w) / 2, y, text);
}

int CIndividualSummaryGenerator::PrintSummaryPage(ReportDevice* dc, int page, bool lastPage) {
  if (dc == nullptr) return 0;
  numbers_.clear();
  lowest_ = 0;
  const LogFont previous = dc->SelectFont(columnFont_);
  const SummaryWalkSetup setup = MakeSummaryWalkSetup(dc, options_);
  SetPageMargins(dc, {options_.pageLM, options_.pageTM, options_.pageRM, options_.pageBM});
  PrintableArea area;
  GetPrintableMargins(*dc, options_.pageLM, options_.pageTM, options_.pageRM, options_.pageBM, area,
                      false);
  Frame f;
  f.left = area.left;
  f.top = -area.top;
  f.width = area.width;
  f.right = f.left + f.width;
  f.bottom = f.top - setup.pageHeight;
  f.third = f.left + f.width / 3;
  f.dateCentre = ((f.third + 350) + (f.left + 1110)) / 2;
  f.placeX = f.third + 350;
  f.descX = (f.third + f.right + 550) / 2;
  f.motherX = (f.right + f.left) / 2 + 200;
  f.nameX = options_.suppressRin ? f.left : f.left + 600;
  f.span = (options_.showZel ? f.right - 1400 : f.right) - f.nameX;
  f.marriageDateX = f.nameX + f.span * 2200 / 6020;
  f.sealX = f.marriageDateX + f.span * 1600 / 6020;
  f.lineStep = -setup.lineHeight;
  lowest_ = f.top;

  auto* entry = dynamic_cast<SummaryPageEntry*>(FindPageEntryByPage(Paginator(), page));
  CIndividualRecord record;
  if (entry == nullptr || family::Read(record, entry->key) != 1) {
    Text(dc, columnFont_, 0, 0,
         S(res::kIdsSystemErrorSummary) + ":  " + S(res::kIdsUnableToPrintSummary));
    dc->SelectFont(previous);
    if (IsRTFMode() && !lastPage) EndRTFPage();
    return 1;
  }
  // The page's number within its individual.
  int first = page;
  while (first > 1) {
    PageEntry* before = FindPageEntryByPage(Paginator(), first - 1);
    if (before == nullptr || before->key != entry->key) break;
    --first;
  }
  const int index = page - first + 1;
  const SummaryLayout layout = LayOutIndividualSummary(
      entry->key, setup, index, entry->citations.get(), entry->repeatFlags.get());
  if (static_cast<int>(layout.pages.size()) >= index) lastStart_ = layout.pages[index - 1];

  CIndividualNode* node = CIndividualNode::New(record, 3, 0, 0, nullptr);
  node->AddRef();
  int band = f.top - 330;
  DrawTitle(dc, f, *node, entry->part == kSummaryStart, band);

  // Header line below the title band.
  Text(dc, columnFont_, f.left, band - 140, GetTodayString());
  char pageText[64];
  std::snprintf(pageText, sizeof pageText, "%s  %d", S(res::kIdsPage).c_str(), page);
  dc->SelectFont(columnFont_);
  Text(dc, columnFont_, f.right - dc->GetTextExtent(pageText).cx, band - 120, pageText);
  Rule(dc, f.left, f.right, band - 295);
  Rule(dc, f.left, f.right, band - 315);

  for (const SummaryItem& item : layout.items) DrawItem(dc, f, item, record, *node, *entry);

  node->Release();
  dc->SelectFont(previous);
  if (IsRTFMode() && !lastPage) EndRTFPage();
  return 1;
}

void CIndividualSummaryGenerator::DrawTitle(ReportDevice* dc, const Frame& f,
                                            const CIndividualNode& node, bool firstPage,
                                            int& bandBottom) {
  const std::string name =
      node.FormatName(options_.suppressRin ? 0 : 1, CIndividualNode::kMaxNameChars, 0, nullptr);
  const std::string title =
      JoinSummaryTitle(options_.titlePrefix, name, options_.useName, options_.titleSuffix);
  const std::int32_t rin = node.GetRin();
  const bool photo = firstPage && options_.photoOpt &&
                     (DbHasDefaultPhoto(rin, db::kIndividual) != 0 || options_.photoReserve);
  dc->SelectFont(titleFont_);
  int titleEnd = 0;
  int titleY = f.top;
  if (!photo) {
    const int w = dc->GetTextExtent(title).cx;
    Text(dc, titleFont_, f.left + (f.width - w) / 2, f.top, title);
    titleEnd = f.left + (f.width + w) / 2;
    bandBottom = f.top - 330;
  } else if (options_.photoPlace == 1) {
    const int w = dc->GetTextExtent(title).cx;
    Text(dc, titleFont_, f.left + (f.width - w) / 2, f.top, title);
    titleEnd = f.left + (f.width + w) / 2;
    Rect rect{f.left + (f.width - options_.photoX) / 2, f.top - 300,
              f.left + (f.width + options_.photoX) / 2, f.top - 300 - options_.photoY};
    if (DrawPictureEx(rin, dc, &rect, 0, 3, nullptr, db::kIndividual) == 0) FramePhoto(dc, rect);
    Note(f.top - 300 - options_.photoY);
    bandBottom = f.top - options_.photoY - 300;
  } else {
    std::string line1, line2;
    SplitTextInHalf(title, line1, line2);
    const int w1 = dc->GetTextExtent(line1).cx, w2 = dc->GetTextExtent(line2).cx;
    int width = options_.photoX, height = options_.photoY;
    const int room = f.width - std::max(w1, w2) - 50;
    if (room < width && width > 0) {
      height = height * std::max(room, 0) / width;
      width = std::max(room, 0);
    }
    const bool left = options_.photoPlace == 0;
    Rect rect = left ? Rect{f.left, f.top, f.left + width, f.top - height}
                     : Rect{f.right - width, f.top, f.right, f.top - height};
    int x1, x2;
    if (left) {
      x1 = (width + f.right + f.left - w1 + 50) / 2;
      x2 = (width + f.right + f.left - w2 + 50) / 2;
    } else {
      x1 = (f.right + f.left - w1 - width - 50) / 2;
      x2 = (f.right + f.left - w2 - width - 50) / 2;
    }
    Text(dc, titleFont_, x1, f.top, line1);
    Text(dc, titleFont_, x2, f.top - 200, line2);
    titleEnd = line2.empty() ? x1 + w1 : x2 + w2;
    titleY = line2.empty() ? f.top : f.top - 200;
    if (DrawPictureEx(rin, dc, &rect, 0, left ? 5 : 6, nullptr, db::kIndividual) == 0)
      FramePhoto(dc, rect);
    Note(f.top - height);
    bandBottom = f.top - std::max(height, 400);
  }
  // The individual's own citations, after the title on the first page.
  if (firstPage && options_.sources) {
    const auto* entry =
        dynamic_cast<const SummaryPageEntry*>(FindPageEntry(Paginator(), node.GetRin()));
    if (entry != nullptr) {
      std::vector<std::int32_t> list;
      DbGetRinList(list, db::kCitation, rin, db::kOwnerIndividual);
      std::string marks;
      dc->SelectFont(numberFont_);
      for (std::int32_t c : list) {
        const int n = SummaryFootnoteNumber(c, *entry->citations);
        if (n <= 0) continue;
        marks += (marks.empty() ? "" : ",") + std::to_string(n);
        numbers_.push_back(n);
      }
      Text(dc, numberFont_, titleEnd, titleY, marks);
    }
  }
}

void CIndividualSummaryGenerator::DrawItem(ReportDevice* dc, const Frame& f,
                                           const SummaryItem& item, const CIndividualRecord& record,
                                           const CIndividualNode& node,
                                           const SummaryPageEntry& entry) {
  const int y = f.top + item.y;
  switch (item.kind) {
    case SummaryItemKind::kEventHeadings: {
      Text(dc, columnFont_, f.left, y, S(res::kIdsEvent));
      dc->SelectFont(columnFont_);
      const std::string dates = S(res::kIdsDates);
      Text(dc, columnFont_, f.dateCentre - dc->GetTextExtent(dates).cx / 2, y, dates);
      Text(dc, columnFont_, f.placeX, y, S(res::kIdsPlace));
      Text(dc, columnFont_, f.descX, y, S(res::kIdsDescription));
      Rule(dc, f.left, f.right, y - 170);
      break;
    }
    case SummaryItemKind::kEventRow:
      DrawSummaryEventRow(dc, f, item.row, item.number, y, record, node, entry);
      break;
    case SummaryItemKind::kOrdinanceRule:
      if (!item.continued) Rule(dc, f.left, f.right, y);
      break;
    case SummaryItemKind::kDoubleRule:
      DoubleRule(dc, f, y);
      break;
    case SummaryItemKind::kNames:
      DrawNames(dc, f, y, record, node);
      break;
    case SummaryItemKind::kDescriptionLine:
      dc->SelectFont(bodyFont_);
      TabbedTextOutString(dc, f.left, y, item.text, 0, nullptr, 0);
      Note(y - dc->GetTextExtent(item.text).cy);
      break;
    case SummaryItemKind::kContactHeading:
      Text(dc, columnFont_, f.left, y, S(res::kIdsContact) + ":");
      break;
    case SummaryItemKind::kContactLine:
      Text(dc, columnFont_, f.left, y, item.text);
      break;
    case SummaryItemKind::kParentsHeading: {
      DrawHeading(dc, f, y, S(res::kIdsParents));
      Rule(dc, f.left, f.right, y - 170);
      if (!options_.suppressRin) Text(dc, columnFont_, f.left, y - 255, S(res::kIdsMrin));
      Text(dc, columnFont_, f.nameX, y - 255, S(res::kIdsFather));
      const int motherX = f.motherX + (options_.suppressRin ? 0 : 300);
      if (options_.relInd) {
        Text(dc, columnFont_, f.motherX - (options_.suppressRin ? 850 : 1150), y - 255,
             S(res::kIdsRelationship));
        Text(dc, columnFont_, f.right - 750, y - 255, S(res::kIdsRelationship));
      }
      Text(dc, columnFont_, motherX, y - 255, S(res::kIdsMother));
      Rule(dc, f.left, f.right, y - 467);
      break;
    }
    case SummaryItemKind::kParentRow:
      DrawSummaryParentRow(dc, f, item.number, y);
      break;
    case SummaryItemKind::kMarriagesHeading: {
      std::string heading = S(res::kIdsMarriages);
      if (item.continued) heading += " " + S(res::kIdsContinuedSummary);
      DrawHeading(dc, f, y, heading);
      Rule(dc, f.left, f.right, y - 170);
      if (!options_.suppressRin) Text(dc, columnFont_, f.left, y - 255, S(res::kIdsMrin));
      Text(dc, columnFont_, f.nameX, y - 255, S(res::kIdsSpouse));
      Text(dc, columnFont_, f.marriageDateX + 420, y - 255, S(res::kIdsMarriageDatePlace));
      if (options_.showZel)
        Text(dc, columnFont_, f.right - 1400 + 130, y - 255, S(res::kIdsSealedDatePlace));
      Rule(dc, f.left, f.right, y - 467);
      break;
    }
    case SummaryItemKind::kMarriageRow:
      DrawMarriageRow(dc, f, item.number, record.numbers[CIndividualRecord::kRin], y, entry);
      break;
    case SummaryItemKind::kNotesHeading:
      DrawNotesHeading(dc, f, y, res::kIdsNotesSummary, item.continued);
      break;
    case SummaryItemKind::kNotesLine:
      DrawTaggedLine(dc, f.left, y, item.text, item.style);
      break;
    case SummaryItemKind::kSourcesHeading:
      DrawNotesHeading(dc, f, y, res::kIdsSourcesSummary, item.continued);
      break;
    case SummaryItemKind::kSourceLine: {
      const int shown = item.number + 1;
      char prefix[24];
      std::snprintf(prefix, sizeof prefix, "%d. ", shown < 10 ? shown + 10 : shown);
      dc->SelectFont(bodyFont_);
      const int indent = dc->GetTextExtent(prefix).cx;
      if (item.row == 0) {
        Text(dc, bodyFont_, f.left, y, std::to_string(shown) + ". ");
        numbers_.push_back(shown);
      }
      DrawTaggedLine(dc, f.left + indent, y, item.text, item.style);
      break;
    }
  }
}

void CIndividualSummaryGenerator::DrawNotesHeading(ReportDevice* dc, const Frame& f, int y,
                                                   unsigned id, bool continued) {
  std::string heading = S(id);
  if (continued) heading += " " + S(res::kIdsContinuedSummary);
  DrawHeading(dc, f, y, heading);
  const int lh = -f.lineStep;
  Rule(dc, f.left, f.right, y - 2 * lh + lh / 2);
}

void CIndividualSummaryGenerator::DrawTaggedLine(ReportDevice* dc, int x, int y,
                                                 const std::string& text, std::uint8_t style) {
  ReportStyleFonts fonts;
  fonts.normal = bodyFont_;
  fonts.italic = italicFont_;
  fonts.bold = boldFont_;
  const LogFont& start = style == kStyleItalic ? italicFont_
                         : style == kStyleBold ? boldFont_
                                               : bodyFont_;
  dc->SelectFont(start);
  std::string line = text;
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  int offset = 0;
  int cx = x;
  do {
    offset = CReportJob::DrawTextToNextTag(this, dc, fonts, line.c_str(),
                                           static_cast<int>(line.size()), cx, y, offset);
  } while (offset > 0);
  Note(y - dc->GetTextExtent("X").cy);
}

void CIndividualSummaryGenerator::DrawSummaryEventRow(ReportDevice* dc, const Frame& f, int kind,
                                                      std::int32_t userEvent, int y,
                                                      const CIndividualRecord& record,
                                                      const CIndividualNode& node,
                                                      const SummaryPageEntry& entry) {
  const std::int32_t rin = record.numbers[CIndividualRecord::kRin];
  const bool female = record.sex == 'F';
  std::string label, date, place, description;
  std::vector<std::int32_t> marks;
  auto fromEvent = [&](const CEventValue& v, char letter) {
    date = v.date.ToString();
    place = JoinPlaceParts(v.place);
    marks = NumbersOf(letter, rin, entry);
  };
  auto fromOrdinance = [&](const COrdinanceValue& v, char letter, std::int32_t owner) {
    date = v.date.ToString();
    place = v.templeCode;
    marks = NumbersOf(letter, owner, entry);
  };
  switch (kind) {
    case 1:
      label = S(res::kIdsBorn);
      fromEvent(record.birth, db::kOwnerBirth);
      break;
    case 2: {
      label = S(res::kIdsChristenedSummary);
      const std::int32_t type = record.numbers[CIndividualRecord::kChristeningType];
      CEventTypeRecord typeRecord;
      if (type > 0 && DbGetRecord(type, db::kEventType, &typeRecord) && !typeRecord.title.empty())
        label = typeRecord.title;
      fromEvent(record.christening, db::kOwnerChristening);
      break;
    }
    case 3:
      label = S(res::kIdsDied);
      fromEvent(record.death, db::kOwnerDeath);
      node.GetDetailText(1, description);
      break;
    case 4:
      label = S(female ? res::kIdsBuriedFemaleSummary : res::kIdsBuriedSummary);
      fromEvent(record.burial, db::kOwnerBurial);
      break;
    case 5: {
      CUserEventRecord event;
      if (family::Read(event, userEvent) != 1) return;
      label = event.GetLabel();
      date = event.GetDateString();
      std::unique_ptr<CEventTypeRecord> type;
      event.GetEventType(&type);
      if (type && type->dateKind == 2 && event.GetSecondDate()->IsSet())
        date += " - " + event.GetSecondDateString();
      place = event.GetPlace();
      description = event.GetDescription();
      marks = NumbersOf(db::kOwnerIndividualUserEvent, userEvent, entry);
      break;
    }
    case 6:
      // The baptism row shows the baptism itself.
      label = S(female ? res::kIdsBaptizedFemale : res::kIdsBaptized);
      fromOrdinance(record.baptism, db::kOwnerBaptism, rin);
      break;
    case 7:
      label = S(res::kIdsEndowed);
      fromOrdinance(record.endowment, db::kOwnerEndowment, rin);
      break;
    case 8:
      label = S(res::kIdsSealPar);
      fromOrdinance(record.sealingToParents, db::kOwnerFamilyLink,
                    record.numbers[CIndividualRecord::kParentLink]);
      break;
    default:
      return;
  }
  Text(dc, columnFont_, f.left, y, label);
  dc->SelectFont(columnFont_);
  DrawMarks(dc, f.left + dc->GetTextExtent(label).cx, y, marks);
  if (!date.empty()) {
    dc->SelectFont(columnFont_);
    const int w = dc->GetTextExtent(date).cx;
    Text(dc, columnFont_, f.placeX - 200 - w, y, date);
  }
  if (!place.empty()) {
    dc->SelectFont(columnFont_);
    Rect room{f.placeX, y, f.descX - 50, y - 170};
    const std::string fitted = FitTextToWidth(dc, room, place);
    Text(dc, columnFont_, f.placeX, y, fitted.empty() ? place.substr(0, 1) : fitted);
  }
  if (!description.empty()) {
    dc->SelectFont(columnFont_);
    const Rect clip{f.descX, y, f.right, y - 170};
    ExtTextOutString(dc, f.descX, y, ETO_CLIPPED, &clip, description, nullptr);
    Note(y - 170);
  }
}

void CIndividualSummaryGenerator::DrawSummaryParentRow(ReportDevice* dc, const Frame& f,
                                                       std::int32_t link, int y) {
  CFamilyLinkRecord record;
  if (family::Read(record, link) != 1) return;
  CMarriageRecord marriage;
  if (family::Read(marriage, record.mrin) != 1) return;
  dc->SelectFont(columnFont_);
  if (!options_.suppressRin) {
    const std::string mrin = std::to_string(record.mrin);
    Text(dc, columnFont_, f.left + 500 - dc->GetTextExtent(mrin).cx, y, mrin);
  }
  const int motherX = f.motherX + (options_.suppressRin ? 0 : 300);
  const int relX = f.motherX - (options_.suppressRin ? 850 : 1150);
  dc->SelectFont(columnFont_);
  const int fatherRoom = (options_.relInd ? relX : motherX) - f.nameX - 50;
  Text(dc, columnFont_, f.nameX, y, PersonName(marriage.husband, dc, fatherRoom));
  const int motherRoom = (options_.relInd ? f.right - 750 : f.right) - motherX - 50;
  dc->SelectFont(columnFont_);
  Text(dc, columnFont_, motherX, y, PersonName(marriage.wife, dc, motherRoom));
  if (options_.relInd) {
    Text(dc, columnFont_, relX, y, RelationshipWord(record.firstParentRelation));
    Text(dc, columnFont_, f.right - 750, y, RelationshipWord(record.secondParentRelation));
  }
}

void CIndividualSummaryGenerator::DrawMarriageRow(ReportDevice* dc, const Frame& f,
                                                  std::int32_t mrin, std::int32_t rin, int y,
                                                  const SummaryPageEntry& entry) {
  CMarriageRecord marriage;
  if (family::Read(marriage, mrin) != 1) return;
  dc->SelectFont(columnFont_);
  if (!options_.suppressRin) {
    const std::string number = std::to_string(mrin);
    Text(dc, columnFont_, f.nameX - 100 - dc->GetTextExtent(number).cx, y, number);
  }
  const std::int32_t spouse = marriage.husband == rin ? marriage.wife : marriage.husband;
  dc->SelectFont(columnFont_);
  std::string name = PersonName(spouse, dc, f.marriageDateX - f.nameX - 50);
  if (name.empty()) name = S(res::kIdsUnknownUpper);
  Text(dc, columnFont_, f.nameX, y, name);
  dc->SelectFont(columnFont_);
  DrawMarks(dc, f.nameX + dc->GetTextExtent(name).cx, y,
            NumbersOf(db::kOwnerMarriage, mrin, entry));

  const int placeX = f.marriageDateX + f.span * 1600 / 6020;
  std::string date = marriage.marriage.date.ToString();
  const std::string status = marriage.status == 'D'   ? S(res::kIdsDivorced)
                             : marriage.status == 'N' ? S(res::kIdsNotMarried)
                                                      : std::string();
  if (!status.empty()) date += date.empty() ? status : " " + status;
  const std::vector<std::int32_t> eventMarks = NumbersOf(db::kOwnerMarriageEvent, mrin, entry);
  if (!date.empty()) {
    dc->SelectFont(columnFont_);
    int end = placeX - 70;
    if (marriage.marriage.date.IsSet() && marriage.marriage.date.day == 0 && marriage.status != 'D')
      end -= 300;
    Text(dc, columnFont_, end - dc->GetTextExtent(date).cx, y, date);
  }
  const std::string place = JoinPlaceParts(marriage.marriage.place);
  const int placeEnd = options_.showZel ? f.right - 1400 : f.right;
  if (!place.empty()) {
    dc->SelectFont(columnFont_);
    const std::string fitted = FitTextToWidth(dc, {placeX, y, placeEnd - 50, y - 170}, place);
    Text(dc, columnFont_, placeX, y, fitted);
    dc->SelectFont(columnFont_);
    DrawMarks(dc, placeX + dc->GetTextExtent(fitted).cx, y, eventMarks);
  } else {
    dc->SelectFont(columnFont_);
    DrawMarks(dc, placeX, y, eventMarks);
  }
  if (options_.showZel) {
    const std::string sealed = marriage.sealingToSpouse.date.ToString();
    dc->SelectFont(columnFont_);
    if (!sealed.empty())
      Text(dc, columnFont_, f.right - 570 - dc->GetTextExtent(sealed).cx, y, sealed);
    Text(dc, columnFont_, f.right - 500, y, marriage.sealingToSpouse.templeCode);
  }
}

void CIndividualSummaryGenerator::DrawNames(ReportDevice* dc, const Frame& f, int y,
                                            const CIndividualRecord& record,
                                            const CIndividualNode& node) {
  const int third = f.third;
  const int col3 = 2 * third - 500;
  std::string texts[5];
  for (int i = 0; i < 5; ++i) node.GetDetailText(i, texts[i]);
  const std::string nickLabel = S(res::kIdsNickname) + ": ";
  const std::string akaLabel = S(res::kIdsAka) + ": ";
  const std::string marriedLabel = S(res::kIdsMarriedName) + ": ";
  dc->SelectFont(columnFont_);
  const int nickW = dc->GetTextExtent(nickLabel).cx;
  const int akaW = dc->GetTextExtent(akaLabel).cx;
  const int marriedW = dc->GetTextExtent(marriedLabel).cx;
  Text(dc, columnFont_, f.left, y - 85, nickLabel + node.GetNameExtension(0));
  Text(dc, columnFont_, third, y - 85, akaLabel + node.GetNameExtension(1));
  Text(dc, columnFont_, col3, y - 85, marriedLabel + texts[3]);

  const char sex = node.GetSexLetter();
  Text(dc, columnFont_, f.left, y - 255, S(res::kIdsSex) + ":");
  Text(dc, columnFont_, f.left + nickW, y - 255,
       std::string(1, sex == 'M' || sex == 'F' ? sex : ' '));
  Text(dc, columnFont_, third, y - 255, S(res::kIdsIdSummary) + ":");
  Text(dc, columnFont_, third + akaW, y - 255, texts[0]);
  Text(dc, columnFont_, col3, y - 255, S(res::kIdsSbnSummary) + ":");
  Text(dc, columnFont_, col3 + marriedW, y - 255, texts[2]);

  Text(dc, columnFont_, f.left, y - 425, S(res::kIdsCreated) + ":");
  Text(dc, columnFont_, f.left + nickW, y - 425,
       StampDate(record.numbers[CIndividualRecord::kCreatedStamp]));
  Text(
      dc, columnFont_, third, y - 425,
      S(res::kIdsLastChanged) + ": " + StampDate(record.numbers[CIndividualRecord::kUpdatedStamp]));
  if (record.trailing[0] != 0)
    Text(dc, columnFont_, col3, y - 425,
         S(res::kIdsSubmittedSb) + ": " + StampDate(record.trailing[0]));
  if (record.trailing[1] != 0)
    Text(dc, columnFont_, col3, y - 595,
         S(res::kIdsSubmittedLrl) + ": " + StampDate(record.trailing[1]));
}

}  // namespace rpt

namespace rpt {

int PaginateIndividualSummaryRun(ReportDevice* dc, std::int32_t startRin, const CBitSet* set) {
  if (dc == nullptr) return 0;
  const IndividualSummaryOptions options = IndividualSummaryOptions::Load();
  SummaryRunRequest request;
  if (options.listOpt)
    request.set = set;
  else
    request.individual = startRin;
  const SummaryWalkSetup setup = MakeSummaryWalkSetup(dc, options);
  return PaginateIndividualSummary(request, setup, CurrentPaginatorWindow());
}

void CleanupIndividualSummaryRun() { CleanupIndividualSummaryPages(); }

std::unique_ptr<CReportPageGenerator> MakeIndividualSummaryGenerator() {
  return std::make_unique<CIndividualSummaryGenerator>(IndividualSummaryOptions::Load());
}

}  // namespace rpt
