#pragma once
// A small report kind for tests of the pagination frame, the line fitter and
// the report driver: a tagged text printed in lines of a fixed width, a fixed
// number of lines to a page. Its pass makes one page entry per page (the
// text position and style the page starts at) with the same fitter its pages
// print with, so each page must resume exactly where the previous one ended.

#include <string>
#include <string_view>
#include <vector>

#include "FakePaginatorWindow.h"
#include "LineFitter.h"
#include "PaginationRun.h"
#include "ReportKindDriver.h"

// The printed pieces of a fitted line: each text with the style it prints
// in. Tags whose font exists switch the style; blanks ending the line are not
// printed.
struct TaggedPiece {
  std::string text;
  int style = rpt::kStyleNormal;
};
inline std::vector<TaggedPiece> TaggedPieces(std::string_view line, int style,
                                             const rpt::CStyleFontSet& fonts) {
  std::vector<TaggedPiece> pieces{{"", style}};
  for (std::size_t i = 0; i < line.size();) {
    const int tag = rpt::ScanStyleTag(line.substr(i));
    const int kind = tag < 0 ? -tag : tag;
    const bool known =
        (kind == 1 && fonts.italic) || (kind == 2 && fonts.bold) || (kind == 4 && fonts.small);
    if (tag != 0 && known) {
      const int next = tag < 0    ? rpt::kStyleNormal
                       : tag == 1 ? rpt::kStyleItalic
                       : tag == 2 ? rpt::kStyleBold
                                  : rpt::kStyleSmall;
      pieces.push_back({"", next});
      i += tag < 0 ? 4 : 3;
      continue;
    }
    pieces.back().text += line[i++];
  }
  while (pieces.size() > 1 && pieces.back().text.find_first_not_of(' ') == std::string::npos)
    pieces.pop_back();
  std::string& last = pieces.back().text;
  while (!last.empty() && last.back() == ' ') last.pop_back();
  return pieces;
}

class TextPagesKind {
 public:
  struct Entry : rpt::PageEntry {
    std::uint8_t style = rpt::kStyleNormal;
  };

  std::string text;
  int width = 3000;  // thousandths of an inch
  int linesPerPage = 10;
  int lineHeight = 200;
  rpt::CStyleFontSet fonts;
  rpt::PaginatorState state;
  CancellingPaginatorWindow window;
  std::vector<std::string> printedLines;     // every line drawn, tags removed
  std::vector<std::size_t> firstLineOfPage;  // index in printedLines, per page drawn

  TextPagesKind() {
    fonts.normal = rpt::LogFont{-153, 400, false, false, "Liberation Serif"};
    fonts.italic = rpt::LogFont{-153, 400, true, false, "Liberation Serif"};
    fonts.bold = rpt::LogFont{-153, 700, false, false, "Liberation Serif"};
  }

  ReportKindUnderTest Kind() {
    ReportKindUnderTest kind;
    kind.paginate = [this](rpt::ReportDevice& dc) { return Paginate(dc); };
    kind.setUpFonts = [this](CReportGenerator&, rpt::ReportDevice& dc) {
      dc.SelectFont(*fonts.normal);
    };
    kind.drawPage = [this](CReportGenerator& g, rpt::ReportDevice& dc, int page) {
      DrawPage(g, dc, page);
    };
    kind.cleanup = [this] { state.Clear(); };
    return kind;
  }

  int Paginate(rpt::ReportDevice& dc) {
    dc.SelectFont(*fonts.normal);
    std::size_t offset = 0;
    rpt::PaginationPass pass;
    pass.title = "Text Pages";
    pass.cleanup = [this] { state.Clear(); };
    pass.prepare = [&] {
      fonts.style = rpt::kStyleNormal;
      return rpt::BatchResult::Done;
    };
    pass.batch = [&] {
      auto entry = std::make_unique<Entry>();
      entry->key = static_cast<std::int32_t>(offset);
      entry->style = fonts.style;
      state.AddPage(std::move(entry));
      int lines = linesPerPage;
      const std::size_t next = rpt::SkipFittedLines(std::string_view(text).substr(offset), lines,
                                                    width / 80, dc, width, &fonts);
      if (next == std::string_view::npos || offset + next >= text.size())
        return rpt::BatchResult::Done;
      offset += next;
      return rpt::BatchResult::More;
    };
    return rpt::RunPagination(state, window, pass);
  }

  void DrawPage(CReportGenerator& g, rpt::ReportDevice& dc, int page) {
    const auto* entry = static_cast<const Entry*>(rpt::FindPageEntryByPage(state, page));
    if (entry == nullptr) return;
    firstLineOfPage.push_back(printedLines.size());
    std::size_t pos = static_cast<std::size_t>(entry->key);
    fonts.style = entry->style;
    for (int line = 0; line < linesPerPage && pos < text.size(); ++line) {
      const int style = fonts.style;
      const std::size_t length =
          rpt::FitTextLine(std::string_view(text).substr(pos), dc, width, width / 80, &fonts);
      int x = 1000;
      std::string printed;
      for (const TaggedPiece& piece :
           TaggedPieces(std::string_view(text).substr(pos, length), style, fonts)) {
        dc.SelectFont(*fonts.FontFor(piece.style));
        g.TextOutString(&dc, x, -1000 - line * lineHeight, piece.text);
        x += dc.GetTextExtent(piece.text).cx;
        printed += piece.text;
      }
      dc.SelectFont(*fonts.normal);
      printedLines.push_back(printed);
      pos += length;
      if (text.compare(pos, 4, "\r\n\r\n") == 0) {
        pos += 4;
        ++line;
      } else if (text.compare(pos, 2, "\r\n") == 0) {
        pos += 2;
      }
    }
  }
};
