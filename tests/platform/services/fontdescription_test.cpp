#include <gtest/gtest.h>

#include <string>

#include "FakePorts.h"
#include "FontDescription.h"
#include "TextMeasure.h"

namespace {

struct Parsed {
  std::string face;
  int size = -1, weight = -1, italic = -1, result = -1;
};

Parsed Parse(const std::string& text, const plat::TextMeasure* device = nullptr) {
  Parsed p;
  p.result = ParseFontDescription(text, p.face, p.size, p.weight, p.italic, device);
  return p;
}

}  // namespace

TEST(FontDescription, ParsesAndFormatsBack) {
  plat::FakeMessageBox box;
  plat::ScopedMessageBox scoped(&box);

  Parsed p = Parse("Arial;Bold Italic;14pt");
  EXPECT_EQ(p.face, "Arial");
  EXPECT_EQ(p.size, 14);
  EXPECT_EQ(p.weight, 700);
  EXPECT_EQ(p.italic, 255);
  EXPECT_EQ(p.result, 0);
  EXPECT_EQ(FormatFontDescription(p.face, p.size * 10, p.weight, p.italic != 0),
            "Arial;Bold Italic;14pt");

  p = Parse("Arial;Regular;10pt");
  EXPECT_EQ(p.weight, 400);
  EXPECT_EQ(p.italic, 0);
  EXPECT_EQ(FormatFontDescription(p.face, 100, p.weight, false), "Arial;Normal;10pt");

  p = Parse("Times New Roman;Don't-Care;9pt");
  EXPECT_EQ(p.face, "Times New Roman");
  EXPECT_EQ(p.weight, 0);

  p = Parse("Courier New;Heavy Oblique;12pt");  // a word other than Italic follows
  EXPECT_EQ(p.weight, 900);
  EXPECT_EQ(p.italic, 0);
  EXPECT_EQ(p.result, 1);

  p = Parse("Arial;bold;12pt");  // the table is case-sensitive
  EXPECT_EQ(p.weight, 400);
  EXPECT_TRUE(box.Calls().empty());
}

TEST(FontDescription, EveryWeightWordRoundTrips) {
  for (int w = 0; w <= 900; w += 100) {
    EXPECT_EQ(FontWeightFromWord(FontWeightWord(w)), w) << w;
    EXPECT_EQ(FontWeightWord(w + 50), FontWeightWord(w));
  }
  EXPECT_STREQ(FontWeightWord(1000), "Heavy");
  EXPECT_STREQ(FontWeightWord(-100), "Don't-Care");
}

TEST(FontDescription, DeviceSizeIsInPixels) {
  plat::FixedWidthTextMeasure device(8, 96);
  Parsed p = Parse("Arial;Normal;12pt", &device);
  EXPECT_EQ(p.size, 16);
}

TEST(FontDescription, UnusableDescriptionFallsBackWithOneMessage) {
  const char* bad[] = {
      "Arial", "", "Arial;;10pt", "Arial;Bold", ";Bold;10pt", "Arial;Bold;pt", "Arial;Bold;0pt"};
  for (const char* text : bad) {
    plat::FakeMessageBox box;
    plat::ScopedMessageBox scoped(&box);
    Parsed p = Parse(text);
    EXPECT_EQ(p.face, "Arial") << text;
    EXPECT_EQ(p.size, 10) << text;
    EXPECT_EQ(p.weight, 400) << text;
    EXPECT_EQ(p.italic, 0) << text;
    ASSERT_EQ(box.Calls().size(), 1u) << text;
    EXPECT_EQ(box.Calls()[0].text, "Invalid Font:  Substituting with 'Arial;Regular;10pt'");
  }
}

TEST(FontDescription, TextForDisplay) {
  EXPECT_EQ(FontDescriptionToText("Arial;Bold Italic;14pt"), "Arial Bold Italic 14pt");
}
