// LibreOffice as an independent reader of the RTF we write: golden documents
// are converted to PDF (and the list to plain text), and every text run must
// come back unchanged. Skipped when LibreOffice is not installed
// (tools/rtf-libreoffice-check installs it). With KORVANE_RTF_KEEP=<folder>
// the documents, PDFs and page pictures are kept there for looking at.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "CodePage.h"
#include "FakePorts.h"
#include "LibreOffice.h"
#include "RTFColumns.h"
#include "RTFTestSupport.h"
#include "ScopedCodePage.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

namespace fs = std::filesystem;

int Shell(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str());
}

std::unique_ptr<CRTFText> Styled(const std::string& text, int halfPoints, bool bold,
                                 int alignment = 0) {
  return std::make_unique<CRTFText>(text, 0, halfPoints, bold, false, false, alignment, false);
}

std::unique_ptr<CRTFText> At(const std::string& text, int x, int y, int halfPoints = 24) {
  auto made = Styled(text, halfPoints, false);
  made->SetPosition(x, y);
  return made;
}

// A chart-like document of every element kind, over two pages.
void BuildElements(CRTFDocument& document, const std::string& pictures) {
  document.AddFont("Arial");
  document.AddElement(std::make_unique<CRTFLine>(1440, 2160, 10800, 2160, 20, 0x000000C0));
  document.AddElement(std::make_unique<CRTFRectangle>(1440, 2880, 5040, 4320, 20, true, 0x00C00000,
                                                      true, 0x00E0E0E0));
  document.AddElement(std::make_unique<CRTFArc>(6480, 2880, 9360, 5040, false, false, 30, 0));
  document.AddElement(At("Pedigree of Anna Smith", 1440, 1440, 32));
  document.AddElement(At("Born 12 May 1850", 1700, 3200));
  document.AddElement(At("Arc beside the box", 6480, 5400));
  document.AddElement(std::make_unique<CRTFImage>(pictures + "/blue.png", 1440, 6480, 1440, 1440));
  document.AddElement(std::make_unique<CRTFCode>(R"(\par \pard \par \page \par )"));
  document.AddElement(Styled("Second page\r", 28, true, 2));
  auto embedded = std::make_unique<CRTFEmbeddedImage>();
  embedded->SetPicture(pictures + "/red.jpg", 100, 100);
  document.AddElement(std::move(embedded));
  document.AddElement(Styled("\r", 20, false));
  document.AddElement(std::make_unique<CRTFIndexEntry>(Styled("Smith, Anna-1", 20, false)));
  auto custom = std::make_unique<CRTFCustBullet>(720, -360);
  custom->AddChild(Styled("1.", 20, false));
  custom->AddChild(Styled("\tIndented paragraph", 20, false));
  document.AddElement(std::move(custom));
  auto row = std::make_unique<CRTFRow>();
  const char* cells[] = {"Cell one", "Cell two", "Cell three"};
  for (const char* text : cells) {
    auto cell = std::make_unique<CRTFCell>();
    cell->SetWidths(2880, 15, 15, 15, 15);
    cell->AddChild(Styled(text, 20, false));
    row->AddChild(std::move(cell));
  }
  document.AddElement(std::move(row));
  document.AddElement(std::make_unique<CRTFImage>(pictures + "/blue.png", 720, 720));
}

constexpr int kListRows = 150;

// The RIN column is right-aligned, so each row starts with a tab to its stop.
std::string ListRow(int i) {
  return "\t" + std::to_string(i) + "\tSmith, Person " + std::to_string(i) + "\t" +
         std::to_string(1 + i % 28) + " May " + std::to_string(1800 + i);
}

// A flowing list: header with title and column headings, footer with page
// numbers, a tab set and many rows.
void BuildList(CRTFDocument& document) {
  document.AddFont("Arial");
  CRTFColumnLayout layout;
  layout.Add(std::make_unique<CRTFColumnSpan>(1, 720, 1440, 'r'));
  layout.Add(std::make_unique<CRTFColumnSpan>(2, 1700, 6000, 'l'));
  layout.Add(std::make_unique<CRTFColumnSpan>(3, 6200, 9000, 'l'));
  const std::string stops = layout.BuildTabStops(720);

  auto header = std::make_unique<CRTFHeader>(Styled("Individuals by RIN\r\r", 28, true, 2),
                                             std::make_unique<CRTFTabSet>(stops));
  header->AddChild(std::make_unique<CRTFCode>(R"(\brdrb\brdrs\brdrw15\brsp50)"));
  header->AddChild(Styled("\tRIN\tName\tBirth\r", 20, true));
  document.AddElement(std::move(header));

  const int width = document.PageWidth();
  auto footer = std::make_unique<CRTFFooter>(
      std::make_unique<CRTFTabSet>(rtf::Format("%d|c %d|r", (width - 720) / 2, width - 1440)),
      std::make_unique<CRTFCode>(R"(\brdrt\brdrs\brdrw15\brsp150)"));
  footer->AddChild(Styled("\tPrinted by Korvane", 18, false));
  auto page = Styled("\tPage \\chpgn \r", 18, false);
  page->SetRaw(true);
  footer->AddChild(std::move(page));
  document.AddElement(std::move(footer));

  document.AddElement(std::make_unique<CRTFTabSet>(stops));
  for (int i = 1; i <= kListRows; ++i) document.AddElement(Styled(ListRow(i) + "\r", 22, false));
}

// Lines of 16 characters each of the printable bytes 0x21-0xFF, and a note
// that would inject RTF if it were copied.
std::vector<std::string> ByteLines() {
  std::vector<std::string> lines;
  std::string line;
  for (int c = 0x21; c <= 0xFF; ++c) {
    // Undefined in code page 1252, or invisible on paper (delete, soft hyphen, no-break space).
    if (c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D || c == 0xA0 ||
        c == 0xAD)
      continue;
    line += static_cast<char>(c);
    if (line.size() == 16) {
      lines.push_back(line);
      line.clear();
    }
  }
  if (!line.empty()) lines.push_back(line);
  lines.push_back("Note:\\page{x}\\par\\");
  return lines;
}

void BuildBytes(CRTFDocument& document) {
  document.AddFont("Arial");
  for (const std::string& line : ByteLines()) document.AddElement(Styled(line + "\r", 24, false));
}

// Central European text, written while code page 1250 is active.
const char* const kLatin2Utf8 =
    "P\u0159\u00edli\u0161 \u017elu\u0165ou\u010dk\u00fd k\u016f\u0148 \u00fap\u011bl \u0150\u0171";

void BuildLatin2(CRTFDocument& document) {
  ScopedCodePage latin2(plat::kCodePageCentralEuropean);
  document.AddFont("Arial");
  document.AddElement(
      Styled(plat::Utf8ToAnsi(kLatin2Utf8, plat::kCodePageCentralEuropean) + "\r", 24, false));
}

std::string WithoutBlanks(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != ' ' && c != '\n' && c != '\r' && c != '\t' && c != '\f') out += c;
  return out;
}

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(RTFLibreOffice, ReadsEveryTextRunOfOurDocuments) {
  if (!LibreOfficeInstalled())
    GTEST_SKIP() << "LibreOffice (libreoffice-writer-nogui) or pdftotext is not installed; "
                    "tools/rtf-libreoffice-check installs them and runs this check";
  ScopedCodePage western(plat::kCodePageWestern);
  plat::FakeProgress progress;
  plat::ScopedProgress scoped(&progress);
  TempDir dir;
  const char* keep = std::getenv("KORVANE_RTF_KEEP");
  const std::string out = keep != nullptr ? std::string(keep) : dir.Path();
  fs::create_directories(out);
  auto file = [&](const std::string& name) { return (fs::path(out) / name).string(); };

  {
    CRTFDocument elements, list, bytes, latin2;
    BuildElements(elements, KORVANE_RTF_PICTURES);
    BuildList(list);
    BuildBytes(bytes);
    BuildLatin2(latin2);
    ASSERT_EQ(elements.WriteToFile(file("elements.rtf")), 1);
    ASSERT_EQ(list.WriteToFile(file("list.rtf")), 1);
    ASSERT_EQ(bytes.WriteToFile(file("bytes.rtf")), 1);
    ScopedCodePage central(plat::kCodePageCentralEuropean);
    ASSERT_EQ(latin2.WriteToFile(file("latin2.rtf")), 1);
  }

  ASSERT_EQ(ConvertWithLibreOffice(
                {file("elements.rtf"), file("list.rtf"), file("bytes.rtf"), file("latin2.rtf")},
                "pdf", out),
            0);
  // The plain-text export goes to a folder of its own, beside pdftotext's list.txt.
  const std::string textDir = file("text");
  ASSERT_EQ(ConvertWithLibreOffice({file("list.rtf")}, "txt:Text (encoded):UTF8", textDir), 0);
  for (const char* name : {"elements", "list", "bytes", "latin2"}) {
    ASSERT_TRUE(fs::exists(file(std::string(name) + ".pdf"))) << name;
    ASSERT_EQ(Shell("pdftotext -layout '" + file(std::string(name) + ".pdf") + "'"), 0) << name;
  }

  const std::string elements = ReadAll(file("elements.txt"));
  for (const char* run :
       {"Pedigree of Anna Smith", "Born 12 May 1850", "Arc beside the box", "Second page",
        "Indented paragraph", "Cell one", "Cell two", "Cell three"})
    EXPECT_NE(elements.find(run), std::string::npos) << run;
  EXPECT_EQ(Count(elements, "\f"), 2) << "two pages";
  EXPECT_EQ(elements.find("Smith, Anna-1"), std::string::npos) << "index entries are hidden";

  const std::string list = ReadAll(file("list.txt"));
  for (int i = 1; i <= kListRows; ++i) {
    std::string expected = ListRow(i);
    std::string name = expected.substr(expected.find('\t') + 1);
    name = name.substr(0, name.find('\t'));
    EXPECT_NE(list.find(name), std::string::npos) << name;
  }
  const int pages = Count(list, "\f");
  EXPECT_GE(pages, 3);
  EXPECT_EQ(Count(list, "Individuals by RIN"), pages) << "the header on every page";
  for (int page = 1; page <= pages; ++page)
    EXPECT_NE(list.find("Page " + std::to_string(page)), std::string::npos) << page;

  // The text export keeps each row as one line with its tabs.
  std::istringstream exported(ReadAll(textDir + "/list.txt"));
  std::vector<std::string> lines;
  for (std::string line; std::getline(exported, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    // The header group ends "} \pard ": its blank opens the body's first line.
    line.erase(0, line.find_first_not_of(' '));
    lines.push_back(line);
  }
  for (int i = 1; i <= kListRows; ++i)
    EXPECT_NE(std::find(lines.begin(), lines.end(), ListRow(i)), lines.end()) << ListRow(i);

  const std::string bytes = WithoutBlanks(ReadAll(file("bytes.txt")));
  for (const std::string& line : ByteLines())
    EXPECT_NE(bytes.find(WithoutBlanks(plat::AnsiToUtf8(line, plat::kCodePageWestern))),
              std::string::npos)
        << plat::AnsiToUtf8(line, plat::kCodePageWestern);

  EXPECT_NE(ReadAll(file("latin2.txt")).find(kLatin2Utf8), std::string::npos)
      << ReadAll(file("latin2.txt"));
}

}  // namespace
