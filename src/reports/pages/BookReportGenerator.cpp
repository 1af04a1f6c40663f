#include "BookReportGenerator.h"

#include <algorithm>
#include <cstdio>

#include "AppOptions.h"
#include "BookKinds.h"
#include "CalendarMonth.h"
#include "ChartBox.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "MultimediaItem.h"
#include "ReportKinds.h"
#include "StringIds.h"
#include "StringTable.h"

using namespace rpt;

namespace {

std::string Format(const char* format, unsigned long value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

}  // namespace

std::string rpt::FormatLifeYearTag(std::int32_t rin) {
  CIndividualRecord person;
  if (rin <= 0 || DbGetRecord(rin, db::kIndividual, &person) != 1) return {};
  const std::pair<const CEventValue*, const char*> events[] = {{&person.birth, "b"},
                                                               {&person.christening, "c"},
                                                               {&person.death, "d"},
                                                               {&person.burial, "bu"}};
  for (const auto& [event, letter] : events)
    if (event->date.year != 0)
      return std::string("(") + letter + "." + std::to_string(event->date.year) + ")";
  return {};
}

// ---------------------------------------------------------------- RTF line

int CBookReportGenerator::Twips(ReportDevice* dc, int x) {
  return PointToTwips(dc, {x, 0}, true).x - Margins().left;
}

void CBookReportGenerator::SpaceDownTo(ReportDevice* dc, int y) {
  if (!IsRTFMode() || dc == nullptr) return;
  int down = top_ - y;
  // Never below the page's last line: the page break follows.
  if (const int lines = CurrentBook().options.pageHalfLines; lines > 0)
    down = std::min(down, lines * kBookHalfLine);
  if (down <= rtfDown_) return;
  const int twips = PointToTwips(dc, {0, down - rtfDown_}, false).y;
  rtfDown_ = down;
  if (twips > 0)
    GetDocument().AddElement(
        std::make_unique<CRTFCode>("\\pard\\sl-" + std::to_string(twips) + "\\slmult0\\par "));
}

void CBookReportGenerator::FlattenPageBreak(ReportDevice* dc) {
  if (!IsRTFMode() || dc == nullptr) return;
  constexpr int kTwips = 20;
  GetDocument().AddElement(
      std::make_unique<CRTFCode>("\\pard\\sl-" + std::to_string(kTwips) + "\\slmult0 "));
  // The break's second empty paragraph opens the next page.
  rtfDown_ = kTwips * 1000 / 1440 + 1;
}

std::unique_ptr<CRTFText> CBookReportGenerator::MakeRtfText(ReportDevice* dc,
                                                            const std::string& text, int alignment,
                                                            bool marks) {
  FontAttributes a;
  GetRTFFontAttributes(dc, a);
  bool superscript = false;
  LogFont font;
  const auto& small = CurrentBook().fonts.narrative.small;
  if (marks && dc != nullptr && dc->GetFont(font) && small && font == *small) superscript = true;
  return std::make_unique<CRTFText>(text, a.font, a.halfPoints, a.bold, a.italic, false, alignment,
                                    superscript);
}

int CBookReportGenerator::TextOut(ReportDevice* dc, int x, int y, const char* text, int length) {
  return TextOutString(dc, x, y, std::string(text, static_cast<std::size_t>(std::max(length, 0))));
}

int CBookReportGenerator::TextOutString(ReportDevice* dc, int x, int y, const std::string& text) {
  if (!IsRTFMode()) return dc != nullptr ? dc->TextOut(x, y, text) : 0;
  if (dc == nullptr || text.empty()) return 0;
  const int tx = Twips(dc, x);
  std::string element = text;
  if (body_.empty()) {
    if (prefixes_.empty()) {
      lineY_ = y;
      leftIndent_ = tx;
      firstIndent_ = 0;
    } else {
      // The prefix hangs left of the body.
      firstIndent_ = firstIndent_ == 0 ? leftIndent_ - tx : -tx;
      leftIndent_ = tx;
      element = "\t" + element;
      if (tx > 0) tabs_ += std::to_string(tx) + "|l ";
    }
  }
  body_.push_back(MakeRtfText(dc, element, CRTFText::kLeft));
  return 0;
}

void CBookReportGenerator::AddLinePrefix(ReportDevice* dc, char align, int x, int y,
                                         const std::string& text) {
  if (!IsRTFMode()) {
    if (dc != nullptr) dc->TextOut(x, y, text);
    return;
  }
  if (dc == nullptr) return;
  const int width = PointToTwips(dc, {dc->GetTextExtent(text).cx, 0}, false).x;
  const int tx = Twips(dc, x);
  const int stop = align == 'r' ? tx + width : tx;
  if (stop > 0) tabs_ += std::to_string(stop) + "|" + align + " ";
  const bool tab = !prefixes_.empty() || align == 'r';
  if (prefixes_.empty()) {
    lineY_ = y;
    leftIndent_ = tx;
    firstIndent_ = align == 'r' ? -tx : 0;
  }
  prefixes_.push_back(MakeRtfText(dc, tab ? "\t" + text : text, CRTFText::kLeft));
}

void CBookReportGenerator::EndBookLine(ReportDevice* dc) {
  if (!IsRTFMode()) return;
  const bool line = !prefixes_.empty() || !body_.empty();
  if (line) SpaceDownTo(dc, lineY_);
  GetDocument().AddElement(std::make_unique<CRTFTabSet>(tabs_));
  if (line) {
    auto paragraph = std::make_unique<CRTFCustBullet>(leftIndent_, firstIndent_);
    const int printed = 2 * kBookHalfLine;
    if (dc != nullptr) {
      // A line with a picture is as high as the picture.
      const int height = pictureHeight_ > 0 ? 0 : PointToTwips(dc, {0, printed}, false).y;
      paragraph->SetLines(height, -PointToTwips(dc, {width_, 0}, false).x / 25);
    }
    rtfDown_ += std::max(printed, pictureHeight_);
    pictureHeight_ = 0;
    for (auto& text : prefixes_) paragraph->AddChild(std::move(text));
    for (auto& text : body_) paragraph->AddChild(std::move(text));
    GetDocument().AddElement(std::move(paragraph));
  }
  prefixes_.clear();
  body_.clear();
  tabs_.clear();
  leftIndent_ = firstIndent_ = 0;
}

void CBookReportGenerator::AddParagraphBreak(ReportDevice* dc, int halfLines) {
  SpaceDownTo(dc, top_ - rtfDown_ - halfLines * kBookHalfLine);
}

void CBookReportGenerator::AddPageBreak(ReportDevice*) {
  if (!IsRTFMode()) return;
  GetDocument().AddElement(std::make_unique<CRTFCode>("\\par \\page \\par "));
}

void CBookReportGenerator::DrawCentredLine(ReportDevice* dc, int x, int y,
                                           const std::string& text) {
  if (!IsRTFMode()) {
    TextOutPrintOnly(dc, x, y, text);
    return;
  }
  if (dc == nullptr) return;
  SpaceDownTo(dc, y);
  FontAttributes a;
  LogFont font;
  GetRTFFontAttributes(dc, a);
  // The line is as high as the word processor sets the font: the printed
  // line's height at the RTF's size.
  int height = dc->GetTextExtent(text).cy;
  if (dc->GetFont(font) && font.height < 0)
    height = static_cast<int>(
        (static_cast<long long>(height) * a.halfPoints * 1000 + 144LL * -font.height - 1) /
        (144LL * -font.height));
  rtfDown_ += height;
  GetDocument().AddElement(MakeRtfText(dc, text + "\r", CRTFText::kCentre));
}

int CBookReportGenerator::SetFooterText(ReportDevice* dc, int x, int y, const std::string& text) {
  if (!IsRTFMode()) return dc != nullptr ? dc->TextOut(x, y, text) : 0;
  footerText_ = MakeRtfText(dc, text, CRTFText::kNone, false);
  return 1;
}

void CBookReportGenerator::SetFooterCentreText(ReportDevice* dc, int x, int y,
                                               const std::string& text) {
  if (!IsRTFMode()) {
    if (dc != nullptr) dc->TextOut(x, y, text);
    return;
  }
  footerCentre_ = MakeRtfText(dc, "\t" + text, CRTFText::kNone, false);
}

void CBookReportGenerator::SetBookFooterPageNumber(ReportDevice* dc, int x, int y,
                                                   const std::string& text) {
  if (!IsRTFMode()) {
    if (dc != nullptr) dc->TextOut(x, y, text);
    return;
  }
  // The word processor numbers the pages.
  footerPage_ =
      MakeRtfText(dc, "\t" + rtf::QuoteBackslashes(res::LoadString(res::kIdsPage)) + " \\chpgn \r",
                  CRTFText::kNone, false);
  footerPage_->SetRaw(true);
}

void CBookReportGenerator::WriteRTFFooter(const CPrintInfo* info) {
  if (!IsRTFMode() || info == nullptr) return;
  if (info->currentPage >= 2) {
    footerText_.reset();
    footerCentre_.reset();
    footerPage_.reset();
    return;
  }
  const int w = GetDocument().PageWidth(), l = Margins().left, r = Margins().right;
  auto footer =
      std::make_unique<CRTFFooter>(std::make_unique<CRTFTabSet>(std::to_string(w / 2 - l) + "|c " +
                                                                std::to_string(w - r - l) + "|r"),
                                   std::make_unique<CRTFCode>(kFooterRuleCode));
  for (auto* text : {&footerText_, &footerCentre_, &footerPage_})
    if (*text != nullptr) footer->AddChild(std::move(*text));
  GetDocument().AddElement(std::move(footer));
}

int CBookReportGenerator::DrawPicture(int owner, int ownerKind, ReportDevice* dc, Rect* rect,
                                      int option1, int option2, const CMultimediaItem* item) {
  if (!IsRTFMode())
    return CReportGenerator::DrawPicture(owner, ownerKind, dc, rect, option1, option2, item);
  if (rect == nullptr || dc == nullptr) return 0;
  CMultimediaList looked;
  if (item == nullptr) {
    looked = DbGetDefaultMultimedia(owner, ownerKind);
    item = looked.get();
  }
  if (item == nullptr || item->kind != CMultimediaItem::kPhoto) return 1;
  const Point a = dc->LPtoDP({rect->left, rect->top}), b = dc->LPtoDP({rect->right, rect->bottom});
  Rect device{a.x, a.y, b.x, b.y};
  if (dc->FitPhoto(*item, device, option2, true) == 0) return 2;
  const Point c = dc->DPtoLP({device.left, device.top});
  const Point d = dc->DPtoLP({device.right, device.bottom});
  const Rect t = RectToTwips(dc, {c.x, c.y, d.x, d.y}, false);
  SpaceDownTo(dc, rect->top);
  pictureHeight_ = std::abs(d.y - c.y);
  GetDocument().AddElement(
      std::make_unique<CRTFImage>(item->GetFullPath(), t.right - t.left, t.bottom - t.top));
  return 0;
}

void CBookReportGenerator::DrawBlockPhoto(ReportDevice* dc, const BookBlock& block, int y) {
  const BookOptions& o = CurrentBook().options;
  const int x = left_ + (block.photoLeft ? block.photoX : o.textWidth - o.photoWidth);
  Rect rect{x, y, x + o.photoWidth, y - o.photoHeight};
  const int result = DrawPictureEx(block.rin, dc, &rect, 0, 0, nullptr, db::kIndividual);
  if (result != 0 && o.photoReserve) {
    Rect frame{x, y, x + o.photoWidth, y - o.photoHeight};
    RectanglePrintOnly(dc, &frame);
  }
}

void CBookReportGenerator::AddIndexMark(ReportDevice*, std::int32_t rin) {
  if (!IsRTFMode() || rin <= 0) return;
  std::string name = BookPersonName(rin, true);
  if (name.empty()) return;
  if (CurrentBook().options.appendVal != 0) name += "-" + std::to_string(rin);
  GetDocument().AddElement(std::make_unique<CRTFIndexEntry>(
      std::make_unique<CRTFText>(name, 0, 20, false, false, false, CRTFText::kNone, false)));
}

void CBookReportGenerator::AddSpouseIndexMark(ReportDevice* dc, std::int32_t mrin,
                                              std::int32_t rin) {
  if (!IsRTFMode() || mrin <= 0 || rin <= 0) return;
  std::vector<std::int32_t> couple;
  DbGetRelation(mrin, db::kRelSpouses, 0, couple);
  couple.resize(2, 0);
  AddIndexMark(dc, DbGetSex(rin) == 'M' ? couple[1] : couple[0]);
}

// ---------------------------------------------------------------- pages

int CBookReportGenerator::DrawTaggedText(ReportDevice* dc, CStyleFontSet& set, int x, int y,
                                         std::string_view text, std::uint8_t style) {
  auto select = [&](int s) {
    if (const auto& font = set.FontFor(s)) dc->SelectFont(*font);
  };
  select(style);
  std::size_t runStart = 0;
  auto flush = [&](std::size_t end) {
    if (end > runStart) {
      const std::string run(text.substr(runStart, end - runStart));
      TextOutString(dc, x, y, run);
      x += dc->GetTextExtent(run).cx;
    }
  };
  for (std::size_t pos = 0; pos < text.size();) {
    const int tag = ScanStyleTag(text.substr(pos));
    const std::optional<LogFont>* font = nullptr;
    switch (tag < 0 ? -tag : tag) {
      case 1:
        font = &set.italic;
        break;
      case 2:
        font = &set.bold;
        break;
      case 4:
        font = &set.small;
        break;
      default:
        break;
    }
    if (tag == 0 || font == nullptr || !font->has_value()) {
      ++pos;
      continue;
    }
    flush(pos);
    const int next = tag > 0 ? (tag == 1   ? kStyleItalic
                                : tag == 2 ? kStyleBold
                                           : kStyleSmall)
                             : kStyleNormal;
    select(next);
    pos += tag > 0 ? 3 : 4;
    runStart = pos;
  }
  flush(text.size());
  return x;
}

class CBookReportGenerator::PageSink : public BookLayoutSink {
 public:
  PageSink(CBookReportGenerator& g, ReportDevice* dc) : g_(g), dc_(dc) {}
  bool NewPage(const BookPosition&) override { return false; }

  void BlockStart(std::size_t, const BookBlock& block, int used) override {
    const int y = g_.top_ - used * kBookHalfLine;
    if (block.photoLines > 0) g_.DrawBlockPhoto(dc_, block, y);
    if (block.kind == BookBlockKind::kSourcesHeading) {
      // A rule across above a chapter's sources.
      g_.MoveToPrintOnly(dc_, g_.left_, y + kBookHalfLine);
      g_.LineToPrintOnly(dc_, g_.left_ + CurrentBook().options.textWidth, y + kBookHalfLine);
    }
    // Every listing of a person is an entry of the word processor's index.
    if (block.kind == BookBlockKind::kPerson || block.kind == BookBlockKind::kChild ||
        block.kind == BookBlockKind::kSpouse || block.kind == BookBlockKind::kReference)
      g_.AddIndexMark(dc_, block.rin);
  }

  void Line(std::size_t, const BookBlock& block, bool first, int x, int used, std::string_view text,
            std::uint8_t style) override {
    BookRun& run = CurrentBook();
    const int y = g_.top_ - used * kBookHalfLine;
    if (block.centred) {
      dc_->SelectFont(block.font == BookFontRole::kTitle     ? run.fonts.title
                      : block.font == BookFontRole::kHeading ? run.fonts.heading
                                                             : *run.fonts.notes.bold);
      const int width = dc_->GetTextExtent(text).cx;
      g_.DrawCentredLine(dc_, g_.left_ + (run.options.textWidth - width) / 2, y, std::string(text));
      return;
    }
    CStyleFontSet& set = run.fonts.SetFor(block.font);
    if (first)
      for (const BookPrefix& prefix : block.prefixes) {
        dc_->SelectFont(*set.normal);
        const int width = dc_->GetTextExtent(prefix.text).cx;
        g_.AddLinePrefix(dc_, prefix.align, g_.left_ + prefix.x - (prefix.align == 'r' ? width : 0),
                         y, prefix.text);
      }
    std::string drawn(text);
    if (block.kind == BookBlockKind::kReference) drawn = ReferenceText(block);
    // A line's end of line characters are not drawn.
    while (!drawn.empty() && (drawn.back() == '\r' || drawn.back() == '\n')) drawn.pop_back();
    g_.DrawTaggedText(dc_, set, g_.left_ + x, y, drawn, style);
    g_.EndBookLine(dc_);
  }

  void ParagraphBreak(const BookBlock&) override { g_.AddParagraphBreak(dc_, 1); }
  // In the word processor's flow the space between blocks is an empty
  // paragraph of its height.
  void Gap(int halfLines) override { g_.AddParagraphBreak(dc_, halfLines); }

 private:
  // "<B>name</B> is printed as #n on page p."
  static std::string ReferenceText(const BookBlock& block) {
    const BookRun& run = CurrentBook();
    std::uint32_t number = 0;
    int page = 0;
    if (run.modifiedRegister) {
      const auto it = run.listings.find({block.refNode, block.refCode});
      if (it != run.listings.end()) {
        number = it->second.number;
        if (it->second.block < run.blockPage.size()) page = run.blockPage[it->second.block];
      }
    } else if (const BookPerson* first = GetBookPerson(block.refNode)) {
      number = first->number;
      page = first->page;
    }
    return "<B>" + BookPersonName(block.rin) + "</B> " + res::LoadString(res::kIdsPrintedAs) +
           " #" + std::to_string(number) + " " + res::LoadString(res::kIdsOnPage) + " " +
           std::to_string(page) + ".";
  }

  CBookReportGenerator& g_;
  ReportDevice* dc_;
};

void CBookReportGenerator::BeginPrinting(ReportDevice* dc, CPrintInfo*) {
  if (dc != nullptr) dc->SetMapMode(MM_HIENGLISH);
}

void CBookReportGenerator::EndPrinting(ReportDevice* dc, CPrintInfo* info) {
  if (IsRTFMode() && !GetOutputFileName().empty()) FinishRTFDocument(dc, info);
  if (CurrentReportRunState().printState != 4) CleanupBookPages();
}

void CBookReportGenerator::DrawFooter(ReportDevice* dc, const CPrintInfo* info) {
  BookRun& run = CurrentBook();
  const int width = run.options.textWidth;
  dc->SelectFont(run.fonts.footer);
  LogPen pen;
  pen.width = 10;
  const LogPen previous = dc->SelectPen(pen);
  MoveToPrintOnly(dc, left_, bottom_ + 150);
  LineToPrintOnly(dc, left_ + width, bottom_ + 150);
  dc->SelectPen(previous);
  const int y = bottom_ + 130;
  std::string today;
  FormatToday(today);
  SetFooterText(dc, left_, y, today);
  const std::string page = res::LoadString(res::kIdsPage) + " " +
                           std::to_string(info != nullptr ? info->currentPage : 0);
  const int pageWidth = dc->GetTextExtent(page).cx;
  SetBookFooterPageNumber(dc, left_ + width - pageWidth, y, page);
  const std::string lead =
      res::LoadString(register_ ? res::kIdsDescendantsOfBook : res::kIdsAncestorsOf) + " ";
  const int room = width - 2 * std::max(pageWidth, dc->GetTextExtent(today).cx) - 1000;
  std::string name = BookPersonName(run.options.startRin);
  while (!name.empty() && dc->GetTextExtent(lead + name).cx > room) name.pop_back();
  const std::string centre = lead + name;
  SetFooterCentreText(dc, left_ + (width - dc->GetTextExtent(centre).cx) / 2, y, centre);
  WriteRTFFooter(info);
}

int CBookReportGenerator::DrawPage(ReportDevice* dc, CPrintInfo* info) {
  if (dc == nullptr || info == nullptr) return 0;
  BookRun& run = CurrentBook();
  const BookPageEntry* entry = FindBookPage(info->currentPage);
  if (entry == nullptr) {
    TextOutPrintOnly(
        dc, 0, 0,
        res::LoadString(res::kIdsSystemError) + ":  " + res::LoadString(res::kIdsUnableToPrint));
    return 1;
  }
  const Rect margins{CAppOptions::GetBkRptPageLM(), CAppOptions::GetBkRptPageTM(),
                     CAppOptions::GetBkRptPageRM(), CAppOptions::GetBkRptPageBM()};
  SetPageMargins(dc, {margins.left, -margins.top, margins.right, -margins.bottom});
  PrintableArea area;
  GetPrintableMargins(*dc, margins.left, margins.top, margins.right, margins.bottom, area, false);
  left_ = area.left;
  top_ = -area.top;
  bottom_ = top_ - area.height;
  width_ = run.options.textWidth;
  if (info->currentPage == 1) rtfDown_ = 0;
  DrawFooter(dc, info);

  if (entry->section == BookPageEntry::kIndex) {
    DrawIndexPage(dc, *entry);
  } else {
    BookLayout layout(run.blocks, run.fonts, *dc, run.options.pageHalfLines);
    PageSink sink(*this, dc);
    layout.Walk(entry->position, sink);
  }
  if (info->currentPage < static_cast<int>(Paginator().pageEntries.size())) {
    FlattenPageBreak(dc);
    AddPageBreak(dc);
  }
  return 1;
}

void CBookReportGenerator::DrawIndexPage(ReportDevice* dc, const BookPageEntry& entry) {
  BookRun& run = CurrentBook();
  const BookOptions& o = run.options;
  const int lines = o.pageHalfLines;
  int used = 0;
  auto yAt = [&](int u) { return top_ - u * kBookHalfLine; };
  if (entry.indexFirst) {
    dc->SelectFont(run.fonts.title);
    const std::string title = res::LoadString(res::kIdsIndex);
    DrawCentredLine(dc, left_ + (width_ - dc->GetTextExtent(title).cx) / 2, yAt(0), title);
    used = 7;
  }
  // The columns.
  const bool notesColumn = o.generalNotes && !o.embedNotes;
  const int base = notesColumn ? 3150 : 2900;
  const int columns = std::max(o.indexColumns, 1);
  int gap = 0, columnWidth = width_;
  if (columns > 1) {
    gap = std::min((width_ - base * columns) / (columns - 1), 500);
    columnWidth = (width_ - gap * (columns - 1)) / columns;
  }
  int pageRight = notesColumn ? columnWidth - 500 : columnWidth;
  int numberRight = notesColumn ? columnWidth - 980 : columnWidth - 480;
  const bool genColumn = columnWidth >= base + 350;
  const int genRight = pageRight - 350;
  if (genColumn) numberRight -= 350;

  CStyleFontSet& set = run.fonts.notes;
  auto right = [&](int x, int y, const std::string& text) {
    AddLinePrefix(dc, 'r', x - dc->GetTextExtent(text).cx, y, text);
  };
  // Headings and their two rules.
  dc->SelectFont(*set.bold);
  for (int c = 0; c < columns; ++c) {
    const int x0 = left_ + c * (columnWidth + gap);
    const int y = yAt(used);
    AddLinePrefix(dc, 'l', x0, y, res::LoadString(res::kIdsName));
    right(x0 + numberRight, y, res::LoadString(res::kIdsNumberAbbreviation));
    if (genColumn) right(x0 + genRight, y, res::LoadString(res::kIdsGen));
    right(x0 + pageRight, y, res::LoadString(res::kIdsPage));
    if (notesColumn) right(x0 + columnWidth, y, res::LoadString(res::kIdsNotes));
    for (int rule : {10, 35}) {
      MoveToPrintOnly(dc, x0, yAt(used + 2) + rule);
      LineToPrintOnly(dc, x0 + columnWidth, yAt(used + 2) + rule);
    }
  }
  EndBookLine(dc);
  used += 3;

  const int rows = (lines - used) / 2;
  dc->SelectFont(*set.normal);
  auto rinOf = [](std::uint32_t n) {
    BookIndexEntry e;
    return GetBookIndexEntry(n, e) ? e.payload1 : 0;
  };
  for (int r = 0; r < rows; ++r) {
    bool any = false;
    const int y = yAt(used + 2 * r);
    for (int c = 0; c < columns; ++c) {
      const std::uint32_t n = entry.indexStart + static_cast<std::uint32_t>(c * rows + r);
      BookIndexEntry e;
      if (!GetBookIndexEntry(n, e)) continue;
      any = true;
      const int x0 = left_ + c * (columnWidth + gap);
      std::uint32_t number = 0;
      int generation = 0, page = 0, notesPage = 0;
      bool spouse = false;
      if (run.modifiedRegister) {
        const auto it = run.listings.find({e.payload3, e.payload2});
        if (it != run.listings.end()) {
          number = it->second.number;
          generation = it->second.generation;
          spouse = it->second.spouse;
          page = it->second.block < run.blockPage.size() ? run.blockPage[it->second.block] : 0;
          notesPage = it->second.notesBlock != 0 && it->second.notesBlock < run.blockPage.size()
                          ? run.blockPage[it->second.notesBlock]
                          : 0;
        }
      } else if (const BookPerson* person = GetBookPerson(e.payload3)) {
        number = person->number;
        generation = person->generation;
        page = person->page;
        const BookPerson* first = GetBookPerson(person->firstOccurrence);
        notesPage = (first != nullptr ? first : person)->notesPage;
      }
      const std::string numberText = Format("%lu", number) + (spouse ? "S" : "");
      const int numberX = x0 + numberRight - dc->GetTextExtent(numberText).cx;
      int leaderStart = x0;
      if (n == 0 || rinOf(n - 1) != e.payload1) {
        const std::string tag = FormatLifeYearTag(e.payload1);
        const int room = numberX - x0 - dc->GetTextExtent(tag).cx - 100;
        std::string name = BookPersonName(e.payload1, true);
        while (!name.empty() && dc->GetTextExtent(name).cx > room) name.pop_back();
        const std::string shown = tag.empty() ? name : name + " " + tag;
        AddLinePrefix(dc, 'l', x0, y, shown);
        leaderStart = x0 + dc->GetTextExtent(shown).cx;
      }
      // A leader of short rules from the name to the number.
      for (int x = (leaderStart - x0 + 200 + 99) / 100 * 100 + x0; x + 40 < numberX - 100;
           x += 100) {
        MoveToPrintOnly(dc, x, y - 132);
        LineToPrintOnly(dc, x + 40, y - 132);
      }
      AddLinePrefix(dc, 'r', numberX, y, numberText);
      if (genColumn) right(x0 + genRight, y, std::to_string(generation));
      right(x0 + pageRight, y, std::to_string(page));
      if (notesColumn && notesPage != 0) right(x0 + columnWidth, y, std::to_string(notesPage));
    }
    if (!any) break;
    EndBookLine(dc);
  }
}

std::unique_ptr<CReportPageGenerator> rpt::MakeBookGenerator(bool modifiedRegister) {
  return std::make_unique<CBookReportGenerator>(modifiedRegister);
}
