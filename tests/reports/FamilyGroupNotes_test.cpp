// Where the notes and sources of a family record fall on its pages.
#include "FamilyGroupNotes.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using rpt::FamilyGroupNotesOwner;

// Lines of at most width characters, broken at the last blank or, for a
// longer word, after width characters; a CR LF ends a line.
rpt::FamilyGroupLineFit Fit(std::size_t width) {
  return [width](std::string_view text) -> std::size_t {
    const std::size_t cr = text.find('\r');
    if (cr != std::string_view::npos && cr <= width) return cr;
    if (text.size() <= width) return text.size();
    const std::size_t blank = text.rfind(' ', width - 1);
    return blank == std::string_view::npos || blank == 0 ? width : blank + 1;
  };
}

std::string Label(int line) {
  return "line " + std::string(line < 10 ? "0" : "") + std::to_string(line);
}

// "line 00\r\nline 01\r\n..." : line k begins at byte 9k.
std::string NumberedLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i) text += "\r\n";
    text += Label(i);
  }
  return text;
}

// A one-page record whose couple ends at usedHeight.
rpt::FamilyGroupRecordPages FirstPage(int usedHeight) {
  rpt::FamilyGroupRecordPages pages;
  rpt::FamilyGroupPageEntry first;
  first.key = 9;
  first.page = 4;
  first.pageInRecord = 1;
  pages.entries.push_back(first);
  pages.usedHeight = usedHeight;
  return pages;
}

// Body 1480, H 240, lines of 100: a fresh notes page holds 10 lines.
rpt::FamilyGroupNotesSetup NotesSetup(bool firstPage) { return {1480, 240, 100, firstPage}; }

std::string Describe(const rpt::FamilyGroupRecordPages& pages) {
  std::string text;
  for (std::size_t i = 1; i < pages.entries.size(); ++i) {
    const auto& e = pages.entries[i];
    if (!text.empty()) text += ' ';
    text +=
        std::to_string(e.kind) + ':' + std::to_string(e.start) + ':' + std::to_string(e.lineOffset);
  }
  return text;
}

TEST(FamilyGroupNotes, NotesPagesBeginAtTheirByteOffsets) {
  const std::string notes = NumberedLines(30);
  auto pages = FirstPage(1000);
  rpt::PaginateFamilyGroupNotes(pages, {{rpt::kNotesOwnerHusband, notes}}, {}, NotesSetup(false),
                                Fit(20));
  // 8 lines a page under the heading and gap.
  EXPECT_EQ(Describe(pages), "2:0:0 2:0:72 2:0:144 2:0:216");
  for (std::size_t i = 2; i < pages.entries.size(); ++i) {
    const auto offset = static_cast<std::size_t>(pages.entries[i].lineOffset);
    const int firstLine = 8 * static_cast<int>(i - 1);
    EXPECT_EQ(notes.substr(offset, 7), Label(firstLine)) << i;
    // The page before ends with the line just before, and its line break.
    EXPECT_EQ(notes.substr(offset - 9, 9), Label(firstLine - 1) + "\r\n");
  }
  for (std::size_t i = 0; i < pages.entries.size(); ++i) {
    EXPECT_EQ(pages.entries[i].page, 4 + static_cast<int>(i));
    EXPECT_EQ(pages.entries[i].pageInRecord, 1 + static_cast<int>(i));
    EXPECT_EQ(pages.entries[i].key, 9);
  }
}

TEST(FamilyGroupNotes, WhereTheNotesBegin) {
  struct Case {
    bool firstPage;
    int usedHeight;
    const char* entries;
  };
  // Five notes lines (with heading and gap 7) after the couple.
  const Case cases[] = {
      {false, 0, "2:-1:0"},     // never on the first page
      {true, 0, ""},            // 14 lines left: all on page 1
      {true, 1080, "2:-1:18"},  // 4 lines left: begins, continues at line 2
      {true, 1081, "2:-1:0"},   // 3 lines left: a page of its own
      {true, 1480, "2:-1:0"},   // a full page
  };
  const std::string notes = NumberedLines(5);
  for (const Case& c : cases) {
    auto pages = FirstPage(c.usedHeight);
    rpt::PaginateFamilyGroupNotes(pages, {{rpt::kNotesOwnerMarriage, notes}}, {},
                                  NotesSetup(c.firstPage), Fit(20));
    EXPECT_EQ(Describe(pages), c.entries) << c.firstPage << ' ' << c.usedHeight;
  }
}

TEST(FamilyGroupNotes, OwnersFollowOneAnother) {
  auto pages = FirstPage(0);
  // The husband takes 2 + 5 lines of 10; with 3 left the wife begins a
  // page, and the child follows her on it.
  rpt::PaginateFamilyGroupNotes(pages,
                                {{rpt::kNotesOwnerHusband, NumberedLines(5)},
                                 {rpt::kNotesOwnerWife, NumberedLines(4)},
                                 {rpt::kNotesOwnerChild + 1, NumberedLines(1)}},
                                {}, NotesSetup(false), Fit(20));
  EXPECT_EQ(Describe(pages), "2:0:0 2:1:0");
}

TEST(FamilyGroupNotes, SourcesResumeAtCitationAndLine) {
  auto pages = FirstPage(0);
  // Citation texts of 3, 12 and 2 lines; a sources page holds 9 lines
  // under its heading: the second resumes at its 7th line.
  const std::vector<std::string> citations = {NumberedLines(3), NumberedLines(12),
                                              NumberedLines(2)};
  rpt::PaginateFamilyGroupNotes(pages, {}, citations, NotesSetup(false), Fit(20));
  EXPECT_EQ(Describe(pages), "3:0:0 3:1:6");
}

TEST(FamilyGroupNotes, AnUnbreakableWordEnds) {
  auto pages = FirstPage(0);
  const std::string address(300, 'x');
  // 15 lines of 20 characters: the notes resume at byte 160, the
  // citation at its 10th line.
  rpt::PaginateFamilyGroupNotes(pages, {{rpt::kNotesOwnerHusband, address}}, {address},
                                NotesSetup(false), Fit(20));
  EXPECT_EQ(Describe(pages), "2:0:0 2:0:160 3:0:0 3:0:9");
}

TEST(RecordCitationNumber, SameSourceTakesItsEarlierNumber) {
  const std::map<std::int32_t, std::int32_t> sources = {{11, 1}, {12, 2}, {13, 1}, {14, 3}};
  const auto sourceOf = [&](std::int32_t c) { return sources.at(c); };
  const std::vector<std::int32_t> record = {11, 12};
  EXPECT_EQ(rpt::RecordCitationNumber(record, 11, sourceOf), 1);
  EXPECT_EQ(rpt::RecordCitationNumber(record, 12, sourceOf), 2);
  EXPECT_EQ(rpt::RecordCitationNumber(record, 13, sourceOf), 1);
  EXPECT_EQ(rpt::RecordCitationNumber(record, 14, sourceOf), 0);
  EXPECT_EQ(rpt::RecordCitationNumber({12, 13}, 11, sourceOf), 2);
}

}  // namespace
