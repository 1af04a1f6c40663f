// A paginated text printed through the report driver: every page resumes
// where the previous one ended, so the pages print every word once, in order.
#include <gtest/gtest.h>

#include "TextPagesKind.h"

namespace {

// The text without its style tags, CR LF read as blanks.
std::string Untagged(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (const int tag = rpt::ScanStyleTag(text.substr(i)); tag != 0) {
      i += tag < 0 ? 4 : 3;
      continue;
    }
    out += (text[i] == '\r' || text[i] == '\n') ? ' ' : text[i];
    ++i;
  }
  return out;
}

std::string SampleText(int paragraphs) {
  std::string text;
  for (int p = 1; p <= paragraphs; ++p) {
    if (p > 1) text += (p % 3 == 0) ? "\r\n\r\n" : "\r\n";
    text += "Paragraph " + std::to_string(p) + ": Smith, John (Jack) was born <I>about 1850 in " +
            "Springfield</I>, and married <B>Mary Jones</B> [note " + std::to_string(p) + "] " +
            "in the parish church of Saint Mary-le-Bow; extraordinarilylongwordwithoutbreaks.";
  }
  return text;
}

TEST(TextPagesKind, PagesPrintEveryWordOnceInOrder) {
  const struct {
    int paragraphs, width, linesPerPage, charWidth;
  } cases[] = {
      {1, 3000, 10, 50}, {6, 3000, 4, 50}, {9, 1200, 7, 50}, {12, 5000, 3, 70}, {3, 400, 5, 50}};
  for (const auto& c : cases) {
    TextPagesKind kind;
    kind.text = SampleText(c.paragraphs);
    kind.width = c.width;
    kind.linesPerPage = c.linesPerPage;
    RecordingDevice dc(1200);
    dc.charWidth = c.charWidth;
    dc.SetMapMode(rpt::MM_HIENGLISH);
    CReportGenerator g;
    const int pages = DriveReportKind(kind.Kind(), g, dc, nullptr);
    ASSERT_GT(pages, 0);
    std::string printed;
    for (const std::string& line : kind.printedLines) {
      EXPECT_LE(static_cast<int>(line.size()) * c.charWidth, c.width) << line;
      printed += line + ' ';
    }
    // Words broken inside (too long for the line) join again without the
    // line ends; every character prints once, in order.
    std::string joined, expected;
    for (char ch : printed)
      if (ch != ' ') joined += ch;
    for (char ch : Untagged(kind.text))
      if (ch != ' ') expected += ch;
    EXPECT_EQ(joined, expected) << "paragraphs " << c.paragraphs << " width " << c.width;
    // No page holds more lines than the page has room for; all but the last
    // are full or end with a blank line.
    EXPECT_LE(kind.printedLines.size(), static_cast<std::size_t>(pages * c.linesPerPage));
    EXPECT_GT(kind.printedLines.size(),
              static_cast<std::size_t>((pages - 1) * (c.linesPerPage - 1)));
    EXPECT_TRUE(kind.state.pageEntries.empty()) << "the clean-up ran";
  }
}

TEST(TextPagesKind, RecordingShowsEachPageApart) {
  TextPagesKind kind;
  kind.text = SampleText(5);
  kind.linesPerPage = 4;
  const auto pages = RecordReportKind(kind.Kind());
  ASSERT_GE(pages.size(), 2u);
  for (const auto& page : pages) {
    ASSERT_FALSE(page.empty());
    EXPECT_LE(page.size(), 4u * 3u) << "at most three pieces to a line";
  }
  EXPECT_NE(pages[0][0].find("Paragraph 1:"), std::string::npos) << pages[0][0];
  EXPECT_EQ(pages[1][0].find("Paragraph 1:"), std::string::npos) << pages[1][0];
}

}  // namespace
