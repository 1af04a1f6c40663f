// Character sets: one text written in every set a GEDCOM file may use reads
// back as the same code-page text; the byte-order mark outranks CHAR; the
// three sample files in UTF-8 and UTF-16 give the same lines.

#include <string>
#include <vector>

#include "Ansel.h"
#include "GedcomCharset.h"
#include "GedcomHeader.h"
#include "ReaderFixture.h"

namespace {

using Lines = std::vector<std::string>;
using gedcom::CharacterSet;

// --- Writers of the test files ---

std::string FromTable(const std::string& utf8, char32_t (*toUnicode)(unsigned char, int),
                      int page) {
  std::string out;
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t u = plat::NextUtf8(utf8, pos);
    int found = u < 0x80 ? static_cast<int>(u) : -1;
    for (int b = 0x80; b < 0x100 && found < 0; ++b)
      if (toUnicode(static_cast<unsigned char>(b), page) == u) found = b;
    out += found < 0 ? '?' : static_cast<char>(found);
  }
  return out;
}

std::string Oem(const std::string& utf8, int codePage) {
  return FromTable(utf8, gedcom::OemCharToUnicode, gedcom::OemCodePageFor(codePage));
}

std::string Mac(const std::string& utf8, int) {
  return FromTable(
      utf8, [](unsigned char c, int) { return gedcom::MacRomanCharToUnicode(c); }, 0);
}

std::string Utf16(const std::string& utf8, bool bigEndian, bool mark) {
  std::string out;
  auto put = [&](char32_t unit) {
    char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  };
  if (mark) put(0xFEFF);
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t u = plat::NextUtf8(utf8, pos);
    if (u >= 0x10000) {
      put(0xD800 + ((u - 0x10000) >> 10));
      put(0xDC00 + ((u - 0x10000) & 0x3FF));
    } else {
      put(u);
    }
  }
  return out;
}

enum class Writer { kAnsi, kAnsel, kOem, kMac, kUtf8, kUtf8Mark, kUtf16Le, kUtf16Be, kUtf16LeBare };

struct EncodingCase {
  const char* name;
  const char* charName;  // the CHAR value
  Writer writer;
};

// The text with every character that the writer's set lacks as "?": 437 has
// no o with stroke, Mac Roman no Central European letters.
std::string Writable(Writer w, const std::string& utf8, int codePage) {
  std::string table;
  if (w == Writer::kOem)
    table = Oem(utf8, codePage);
  else if (w == Writer::kMac)
    table = Mac(utf8, codePage);
  else
    return utf8;
  std::string out;
  std::size_t i = 0;
  for (std::size_t pos = 0; pos < utf8.size(); ++i) {
    std::size_t start = pos;
    plat::NextUtf8(utf8, pos);
    out += table[i] == '?' ? std::string("?") : utf8.substr(start, pos - start);
  }
  return out;
}

std::string Encode(Writer w, const std::string& utf8, int codePage) {
  switch (w) {
    case Writer::kAnsi:
      return plat::Utf8ToAnsi(utf8, codePage);
    case Writer::kAnsel:
      return AnsiToAnsel(plat::Utf8ToAnsi(utf8, codePage), -1, codePage);
    case Writer::kOem:
      return Oem(utf8, codePage);
    case Writer::kMac:
      return Mac(utf8, codePage);
    case Writer::kUtf8:
      return utf8;
    case Writer::kUtf8Mark:
      return "\xEF\xBB\xBF" + utf8;
    case Writer::kUtf16Le:
      return Utf16(utf8, false, true);
    case Writer::kUtf16Be:
      return Utf16(utf8, true, true);
    case Writer::kUtf16LeBare:
      return Utf16(utf8, false, false);
  }
  return {};
}

const EncodingCase kCases[] = {
    {"Ansel", "ANSEL", Writer::kAnsel},
    {"Ansi", "ANSI", Writer::kAnsi},
    {"Ascii", "ASCII", Writer::kAnsi},
    {"IbmPc", "IBMPC", Writer::kOem},
    {"Macintosh", "MACINTOSH", Writer::kMac},
    {"Utf8", "UTF-8", Writer::kUtf8},
    {"Utf8Mark", "UTF-8", Writer::kUtf8Mark},
    {"Unicode16Le", "UNICODE", Writer::kUtf16Le},
    {"Unicode16Be", "UNICODE", Writer::kUtf16Be},
    {"Unicode16LeNoMark", "UNICODE", Writer::kUtf16LeBare},
};

struct PageText {
  int codePage;
  const char* utf8;
};

class EncodingTest : public ReaderTest,
                     public ::testing::WithParamInterface<std::tuple<EncodingCase, PageText>> {};

TEST_P(EncodingTest, TextReadsBackInTheCodePage) {
  const auto& [c, page] = GetParam();
  ScopedCodePage cp(page.codePage);
  std::string text = Writable(c.writer, page.utf8, page.codePage);
  std::string utf8 = std::string("0 HEAD\r\n1 CHAR ") + c.charName + "\r\n0 @N1@ NOTE " + text +
                     "\r\n1 CONT " + text + "\r\n0 TRLR\r\n";
  OpenText(Encode(c.writer, utf8, page.codePage));
  ASSERT_NE(reader_.FindNextAtLevel(0, gedcom::kTagHead), nullptr);
  gedcom::CGedcomHeaderInfo info;
  gedcom::ReadHeader(reader_, info);
  const gedcom::CGedcomLine* note = reader_.NextAtLevel(0, true);
  ASSERT_NE(note, nullptr);
  std::string expected = plat::Utf8ToAnsi(text, page.codePage);
  EXPECT_EQ(note->value, expected + "\r\n" + expected);
  EXPECT_TRUE(sink_.reports.empty()) << sink_.reports.front();
}

INSTANTIATE_TEST_SUITE_P(
    Sets, EncodingTest,
    ::testing::Combine(::testing::ValuesIn(kCases),
                       ::testing::Values(PageText{plat::kCodePageWestern, "Müller Ærø café"},
                                         PageText{plat::kCodePageCentralEuropean,
                                                  "Müller café Łódź"})),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) +
             (std::get<1>(info.param).codePage == plat::kCodePageWestern ? "_1252" : "_1250");
    });

// The cases that lose letters to their set, so that the table above cannot
// quietly lose more.
TEST(CharsetWriters, OnlyTheLettersTheSetLacksAreLost) {
  EXPECT_EQ(Writable(Writer::kOem, "Müller Ærø café", plat::kCodePageWestern), "Müller Ær? café");
  EXPECT_EQ(Writable(Writer::kMac, "Müller café Łódź", plat::kCodePageCentralEuropean),
            "Müller café ?ód?");
  EXPECT_EQ(Writable(Writer::kOem, "Müller café Łódź", plat::kCodePageCentralEuropean),
            "Müller café Łódź");
}

TEST(CharsetTables, KnownBytes) {
  EXPECT_EQ(gedcom::OemCharToUnicode(0x81, 437), U'ü');
  EXPECT_EQ(gedcom::OemCharToUnicode(0x92, 437), U'Æ');
  EXPECT_EQ(gedcom::OemCharToUnicode(0x9D, 852), U'Ł');
  EXPECT_EQ(gedcom::OemCharToUnicode(0xAB, 852), U'ź');
  EXPECT_EQ(gedcom::MacRomanCharToUnicode(0x8E), U'é');
  EXPECT_EQ(gedcom::MacRomanCharToUnicode(0xBF), U'ø');
  EXPECT_EQ(gedcom::OemCodePageFor(plat::kCodePageWestern), 437);
  EXPECT_EQ(gedcom::OemCodePageFor(plat::kCodePageCentralEuropean), 852);
}

TEST(CharsetNames, AnyCaseAndOnlyTheKnownNames) {
  struct {
    const char* name;
    bool known;
    CharacterSet set;
  } cases[] = {{"ansi", true, gedcom::kCharsetAnsi},
               {"Ascii", true, gedcom::kCharsetAnsi},
               {"AnSeL", true, gedcom::kCharsetAnsel},
               {"ibmpc", true, gedcom::kCharsetIbmPc},
               {"macintosh", true, gedcom::kCharsetMacintosh},
               {"unicode", true, gedcom::kCharsetUnicode},
               {"utf-8", true, gedcom::kCharsetUnicode},
               {"UTF8", false, {}},
               {"LATIN1", false, {}}};
  for (const auto& c : cases) {
    CharacterSet set = gedcom::kCharsetAnsel;
    EXPECT_EQ(gedcom::ParseCharacterSet(c.name, set), c.known) << c.name;
    if (c.known) {
      EXPECT_EQ(set, c.set) << c.name;
    }
  }
}

// Letters the family file holds reach the value whatever the code page;
// the others become '?', counted for their record when it ends, together with
// the code page's characters that ANSEL lacks.
TEST_F(ReaderTest, CharactersTheFamilyFileCannotHoldAreCountedPerRecord) {
  OpenText(
      "\xEF\xBB\xBF"
      "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Łukasz\n1 NOTE Ørjan Łódź\n"
      "0 @I2@ INDI\n1 NAME Ann\n1 NOTE 東 ½ × ÷ 東\n0 @I3@ INDI\n1 NOTE § ı\n0 TRLR\n");
  Lines lines = ReadAll();
  EXPECT_EQ(plat::AnsiToUtf8(lines[3]), "1 NAME|Łukasz");
  EXPECT_EQ(plat::AnsiToUtf8(lines[4]), "1 NOTE|Ørjan Łódź");
  EXPECT_EQ(plat::AnsiToUtf8(lines[7]), "1 NOTE|? ½ × ÷ ?");
  EXPECT_EQ(plat::AnsiToUtf8(lines[9]), "1 NOTE|§ ı");
  const std::string lost = "Characters that the family file cannot hold were replaced by '?': ";
  EXPECT_EQ(sink_.reports, (std::vector<Report>{Warning("test.GED, line 8", lost + "5."),
                                                Warning("test.GED, line 10", lost + "1.")}));
}

TEST_F(ReaderTest, ByteOrderMarkOutranksChar) {
  OpenText(
      "\xEF\xBB\xBF"
      "0 HEAD\n1 CHAR ANSEL\n1 NOTE caf\xC3\xA9\n0 TRLR\n");
  ASSERT_NE(reader_.FindNextAtLevel(0, gedcom::kTagHead), nullptr);
  gedcom::CGedcomHeaderInfo info;
  gedcom::ReadHeader(reader_, info);
  EXPECT_EQ(reader_.GetCharacterSet(), gedcom::kCharsetUnicode);
  EXPECT_EQ(sink_.reports,
            (std::vector<Report>{Warning("test.GED, line 2",
                                         "The file begins with a Unicode byte-order mark, so it is "
                                         "read as Unicode, not as ANSEL.")}));
}

TEST_F(ReaderTest, Utf16WithAnOddByteCountKeepsItsLastLine) {
  OpenText(Utf16("0 HEAD\r1 CHAR UNICODE\r0 TRLR", false, true) + "\x0A");
  EXPECT_EQ(ReadAll(), (Lines{"0 HEAD|", "1 CHAR|UNICODE", "0 TRLR|"}));
  EXPECT_TRUE(sink_.reports.empty());
}

TEST_F(ReaderTest, SampleFilesGiveTheSameLinesButForChar) {
  auto linesOf = [this](const std::string& name) {
    EXPECT_TRUE(reader_.Open(std::string(KORVANE_GEDCOM_SAMPLES) + "/" + name));
    Lines lines;
    for (const std::string& line : ReadAll())
      if (line.rfind("1 CHAR|", 0) != 0) lines.push_back(line);
    return lines;
  };
  Lines utf8 = linesOf("gedcom555-555SAMPLE.GED");
  EXPECT_GT(utf8.size(), 50u);
  EXPECT_EQ(linesOf("gedcom555-555SAMPLE16LE.GED"), utf8);
  EXPECT_EQ(linesOf("gedcom555-555SAMPLE16BE.GED"), utf8);
  EXPECT_TRUE(sink_.reports.empty()) << sink_.reports.front();
}

}  // namespace
