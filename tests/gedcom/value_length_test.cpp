// A GEDCOM value holds up to 255 characters of the file's own character set,
// however many bytes its accented letters take: a value of 255 letters is
// kept whole from ANSEL, ANSI, UTF-8 and UTF-16 alike, and only a longer one
// is cut, at a letter, with its log line. A field of the family file shorter
// than the value keeps what it holds, and the log says so.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CodePage.h"
#include "ImportFixture.h"
#include "TestHelpers.h"

namespace {

enum class Form { kAnsel, kAnsi, kUtf8, kUtf16Le, kUtf16Be };

struct Letter {
  const char* name;
  const char* utf8;
  const char* ansel;  // the letter as ANSEL writes it
  bool inCodePage;    // 1252 has it, so an ANSI file can hold it
};

const Letter kLetters[] = {
    {"EAcute", "\u00E9", "\xE2"
                         "e",
     true},
    {"ODoubleAcute", "\u0151", "\xEE"
                               "o",
     false},
    {"LStroke", "\u0142", "\xB1", false},
    {"UHorn", "\u01B0", "\xBD", false},
};

struct LengthCase {
  Form form;
  const Letter* letter;
  int count;  // letters in the value
};

std::string FormName(Form f) {
  switch (f) {
    case Form::kAnsel:
      return "Ansel";
    case Form::kAnsi:
      return "Ansi";
    case Form::kUtf8:
      return "Utf8";
    case Form::kUtf16Le:
      return "Utf16Le";
    case Form::kUtf16Be:
      return "Utf16Be";
  }
  return "";
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// UTF-8 text as UTF-16 with its byte-order mark.
std::string Utf16(const std::string& utf8, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t u = plat::NextUtf8(utf8, pos);
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
  }
  return out;
}

// The fixture file: an individual whose nickname and note are the value.
std::string Fixture(const LengthCase& c) {
  const char* charset = c.form == Form::kAnsel  ? "ANSEL"
                        : c.form == Form::kAnsi ? "ANSI"
                        : c.form == Form::kUtf8 ? "UTF-8"
                                                : "UNICODE";
  auto text = [&](const std::string& value) {
    return "0 HEAD\r\n1 CHAR " + std::string(charset) + "\r\n0 @I1@ INDI\r\n1 NAME A /B/\r\n2 NICK " +
           value + "\r\n1 NOTE " + value + "\r\n0 TRLR\r\n";
  };
  switch (c.form) {
    case Form::kAnsel:
      return text(Repeat(c.letter->ansel, c.count));
    case Form::kAnsi:
      return text(Repeat(plat::Utf8ToAnsi(c.letter->utf8, plat::kCodePageWestern), c.count));
    case Form::kUtf8:
      return text(Repeat(c.letter->utf8, c.count));
    case Form::kUtf16Le:
    case Form::kUtf16Be:
      return Utf16(text(Repeat(c.letter->utf8, c.count)), c.form == Form::kUtf16Be);
  }
  return "";
}

class ValueLength : public ImportFixture, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(ValueLength, KeepsUpTo255LettersAndCutsTheRestAtALetter) {
  const LengthCase& c = GetParam();
  const std::string path = dir.File("letters.ged");
  WriteAll(path, Fixture(c));
  ASSERT_EQ(Import(path), 1) << importLog_;
  // What the program's own conversion makes of n letters, as UTF-8 again.
  auto letters = [&](int n) {
    return plat::AnsiToUtf8(plat::Utf8ToAnsi(Repeat(c.letter->utf8, n)));
  };
  const int kept = std::min(c.count, 255);
  // The note is a chain of blocks and holds any length.
  const std::string notes = DbGetNotes(Rin("I1"), 0, db::kIndividual, 0, 1, 0);
  EXPECT_EQ(plat::AnsiToUtf8(notes), letters(kept));
  EXPECT_EQ(LogHas("Value too long, value truncated."), c.count > 255) << importLog_;
  // The nickname is kept in a string store entry of 255 bytes of ANSEL,
  // where an accented letter takes two.
  const int perLetter = std::string(c.letter->ansel).size();
  const int fits = std::min(kept, 255 / perLetter);
  EXPECT_EQ(plat::AnsiToUtf8(Person("I1").nameExtensions[0]), letters(fits));
  const std::string said = "The nickname is longer than the family file holds: " +
                           std::to_string(fits) + " of its " + std::to_string(kept) +
                           " characters are kept";
  EXPECT_EQ(LogHas(said), fits < kept) << importLog_;
}

std::vector<LengthCase> LengthCases() {
  std::vector<LengthCase> out;
  for (Form form : {Form::kAnsel, Form::kAnsi, Form::kUtf8, Form::kUtf16Le, Form::kUtf16Be})
    for (const Letter& letter : kLetters) {
      if (form == Form::kAnsi && !letter.inCodePage) continue;
      for (int count : {127, 128, 200, 255, 256}) out.push_back({form, &letter, count});
    }
  return out;
}

INSTANTIATE_TEST_SUITE_P(Forms, ValueLength, ::testing::ValuesIn(LengthCases()),
                         [](const ::testing::TestParamInfo<LengthCase>& info) {
                           return FormName(info.param.form) + "_" + info.param.letter->name + "_" +
                                  std::to_string(info.param.count);
                         });

}  // namespace
