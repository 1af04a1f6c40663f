#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "CodePage.h"
#include "RTFElements.h"
#include "RTFTestSupport.h"
#include "ScopedCodePage.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

struct TextCase {
  const char* name;
  CRTFText text;
  int x, y;
  bool inTable;
  bool raw;
  const char* expected;
};

CRTFText TextRun(const std::string& text, int font, int halfPoints, bool bold, bool italic,
                 bool underline, int alignment, bool super) {
  return CRTFText(text, font, halfPoints, bold, italic, underline, alignment, super);
}

TEST(RTFText, WritesPositionsFormattingAndEscapedText) {
  const TextCase cases[] = {
      {"flowing", TextRun("Hello", 0, 20, false, false, false, 0, false), -1, -1, false, false,
       R"(\f0\fs20 Hello)"},
      {"at x 0", TextRun("Hi", 1, 24, false, false, false, 0, false), 0, 100, false, false,
       R"(\par \pard \pvpg\phpg\posx0\posy100\f1\fs24 Hi)"},
      {"y only", TextRun("A", 0, 20, false, false, false, 0, false), -1, 50, false, false,
       R"(\par \pard \pvpg\phpg\posy50\f0\fs20 A)"},
      {"centred flowing", TextRun("Title", 0, 20, true, false, false, 2, false), -1, -1, false,
       false, R"(\pard \f0\fs20\qc\b Title\b0\ql)"},
      {"centred in a cell", TextRun("Title", 0, 20, false, false, false, 2, false), -1, -1, true,
       false, R"(\pard \f0\fs20\qc Title\pard )"},
      {"centred at a position", TextRun("T", 0, 20, false, false, false, 2, false), 10, 20, false,
       false, R"(\par \pard \pvpg\phpg\posx10\posy20\f0\fs20\qc T\ql)"},
      {"every flag", TextRun("1", 2, 16, true, true, true, 3, true), -1, -1, false, false,
       R"(\f2\fs16\qr\ul\b\i\super 1\nosupersub\i0\b0\ulnone\ql)"},
      {"left aligned", TextRun("L", 0, 20, false, false, false, 1, false), -1, -1, false, false,
       R"(\f0\fs20\ql L\ql)"},
      {"only a tab", TextRun("\t", 0, 20, false, false, false, 0, false), -1, -1, false, false,
       R"(\f0\fs20\tab )"},
      {"CR and braces", TextRun("a{b}\rc", 0, 20, false, false, false, 0, false), -1, -1, false,
       false, "\\f0\\fs20 a\\{b\\}\\par\rc"},
      {"CR last", TextRun("end\r", 0, 20, false, false, false, 0, false), -1, -1, false, false,
       "\\f0\\fs20 end\\par\r"},
      {"a note holding page", TextRun("see \\page {x}", 0, 20, false, false, false, 0, false), -1,
       -1, false, false, R"(\f0\fs20 see \\page \{x\})"},
      {"stray backslash", TextRun("C:\\", 0, 20, false, false, false, 0, false), -1, -1, false,
       false, R"(\f0\fs20 C:\\)"},
      {"program's own words", TextRun("\tPage \\chpgn \r", 0, 20, false, false, false, 0, false),
       -1, -1, false, true, "\\f0\\fs20 \\tab Page \\chpgn \\par\r"},
      {"bytes above 127", TextRun("M\xFCller \xE9", 0, 20, false, false, false, 0, false), -1, -1,
       false, false, R"(\f0\fs20 M\'fcller \'e9)"},
      {"only an escaped byte", TextRun("\xE9", 0, 20, false, false, false, 0, false), -1, -1, false,
       false, R"(\f0\fs20\'e9)"},
      {"line feed", TextRun("a\nb", 0, 20, false, false, false, 0, false), -1, -1, false, false,
       "\\f0\\fs20 a\r\nb"},
      {"empty", TextRun("", 0, 20, false, true, false, 0, false), -1, -1, false, false,
       R"(\f0\fs20\i\i0)"},
  };
  for (const TextCase& c : cases) {
    CRTFText text = c.text;
    text.SetPosition(c.x, c.y);
    text.SetInTable(c.inTable);
    text.SetRaw(c.raw);
    EXPECT_EQ(RtfOf(text), c.expected) << c.name;
  }
}

TEST(RTFTabSet, WritesTabStopsFromTheirText) {
  struct Case {
    const char* stops;
    bool inTable;
    const char* expected;
  } cases[] = {
      {"360 2880|r 5040|c", false, R"(\pard\tx360\tqr \tx2880\tqc \tx5040)"},
      {"360 2880|r 5040|c", true, R"(\tx360\tqr \tx2880\tqc \tx5040)"},
      {"0 3280|r 3380 ", false, R"(\pard\tx0\tqr \tx3280\tx3380)"},
      {"  720   1440|C ", false, R"(\pard\tx720\tqc \tx1440)"},
      {"100|", false, R"(\pard\tx100)"},
      {"", false, R"(\pard)"},
      {"", true, ""},
  };
  for (const Case& c : cases) {
    CRTFTabSet tabs(c.stops);
    tabs.SetInTable(c.inTable);
    EXPECT_EQ(RtfOf(tabs), c.expected) << '"' << c.stops << '"';
    // Writing again gives the same: the stops is read from its start each time.
    EXPECT_EQ(RtfOf(tabs), c.expected) << '"' << c.stops << '"';
  }
}

TEST(RTFCode, WritesItsCodeUnchanged) {
  EXPECT_EQ(RtfOf(CRTFCode(R"(\par \pard \par \page \par )")), R"(\par \pard \par \page \par )");
  EXPECT_EQ(RtfOf(CRTFCode(R"(\brdrb\brdrs\brdrw15\brsp50)")), R"(\brdrb\brdrs\brdrw15\brsp50)");
}

TEST(RTFShapes, LineRectangleAndArcWriteTheirShapeText) {
  CRTFDocument document;
  // Blue is 0x00FF0000 in 0x00BBGGRR.
  EXPECT_EQ(
      RtfOf(CRTFLine(100, 200, 300, 400, 15, 0x00FF0000), document),
      R"({\shp{\*\shpinst\shpleft100\shptop200\shpright300\shpbottom400\shpfhdr0\shpbxpage\shpbypage\shpwr3\shpwrk0\shpfblwtxt0\shpz0\shplid1026{\sp{\sn shapeType}{\sv 20}}{\sp{\sn fFlipH}{\sv 0}}{\sp{\sn fFlipV}{\sv 0}}{\sp{\sn lineWidth}{\sv 9525}}{\sp{\sn lineColor}{\sv 16711680}}{\sp{\sn fShadow}{\sv 0}}}{\shprslt{\*\do\dobxpage\dobypage\dodhgt8192\dpline\dpptx0\dppty0\dpptx200\dppty200\dpx100\dpy200\dpxsize200\dpysize200\dplinew15\dplinecor0\dplinecog0\dplinecob0}}})");
  EXPECT_EQ(
      RtfOf(CRTFRectangle(10, 20, 110, 70, 20, false, 0x000080FF, true, 0x00C0C0C0), document),
      R"({\shp{\*\shpinst\shpleft10\shptop20\shpright110\shpbottom70\shpfhdr0\shpbxpage\shpbypage\shpwr3\shpwrk0\shpfblwtxt0\shpz1\shplid1027{\sp{\sn shapeType}{\sv 1}}{\sp{\sn fFlipH}{\sv 0}}{\sp{\sn fFlipV}{\sv 0}}{\sp{\sn fillColor}{\sv 12632256}}{\sp{\sn fFilled}{\sv 1}}{\sp{\sn lineColor}{\sv 33023}}{\sp{\sn fLine}{\sv 0}}{\sp{\sn lineWidth}{\sv 12700}}{\sp{\sn pWrapPolygonVertices}{\sv 8;5;(-220,0);(-220,21600);(21820,21600);(21820,0);(-220,0)}}{\sp{\sn fEditedWrap}{\sv 0}}{\sp{\sn fBehindDocument}{\sv 1}}}{\shprslt{\*\do\dobxpage\dobypage\dodhgt0\dprect\dpx10\dpy20\dpxsize100\dpysize50\dpfillfgcr255\dpfillfgcg255\dpfillfgcb255\dpfillbgcr192\dpfillbgcg192\dpfillbgcb192\dpfillpat1\dplinew20\dplinecor255\dplinecog128\dplinecob0\dplinehollow}}})");
  EXPECT_EQ(
      RtfOf(CRTFArc(0, 0, 720, 360, true, false, 10, 0x00123456), document),
      R"({\shp{\*\shpinst\shpleft0\shptop0\shpright720\shpbottom360\shpfhdr0\shpbxpage\shpbypage\shpwr3\shpwrk0\shpfblwtxt0\shpz2\shplid1028{\sp{\sn shapeType}{\sv 19}}{\sp{\sn fFlipH}{\sv 1}}{\sp{\sn fFlipV}{\sv 0}}{\sp{\sn lineColor}{\sv 1193046}}{\sp{\sn lineWidth}{\sv 6350}}{\sp{\sn fEditedWrap}{\sv 0}}{\sp{\sn fBehindDocument}{\sv 1}}}{\shprslt{\*\do\dobxpage\dobypage\dodhgt8192\dprect\dpx0\dpy0\dpxsize720\dpysize360\dpfillfgcr255\dpfillfgcg255\dpfillfgcb255\dpfillbgcr255\dpfillbgcg255\dpfillbgcb255\dpfillpat0\dplinew10\dplinecor86\dplinecog52\dplinecob18}}})");
  EXPECT_EQ(document.ShapeZOrder(), 3);
  EXPECT_EQ(document.NextShapeId(), 1029);
}

TEST(RTFShapes, DetailsThatDependOnTheValues) {
  struct Case {
    const char* name;
    std::unique_ptr<CRTFObject> shape;
    std::vector<const char*> present, absent;
  };
  std::vector<Case> cases;
  cases.push_back({"line drawn backwards keeps its end points",
                   std::make_unique<CRTFLine>(300, 400, 100, 200, 1, 0),
                   {R"(\shpleft300\shptop400\shpright100\shpbottom200)",
                    R"(\dpptx-200\dppty-200\dpx300\dpy400\dpxsize-200\dpysize-200)"},
                   {}});
  cases.push_back({"rectangle with a border",
                   std::make_unique<CRTFRectangle>(0, 0, 10, 10, 1, true, 0, false, 0),
                   {R"({\sp{\sn fLine}{\sv 1}})", R"(\dplinecob0}}})"},
                   {R"(\dplinehollow)"}});
  cases.push_back({"arc flipped both ways",
                   std::make_unique<CRTFArc>(0, 0, 10, 10, true, true, 1, 0),
                   {R"({\sp{\sn fFlipH}{\sv 1}}{\sp{\sn fFlipV}{\sv 1}})"},
                   {}});
  cases.push_back({"arc flipped vertically",
                   std::make_unique<CRTFArc>(0, 0, 10, 10, false, true, 1, 0),
                   {R"({\sp{\sn fFlipH}{\sv 0}}{\sp{\sn fFlipV}{\sv 1}})"},
                   {}});
  for (const Case& c : cases) {
    std::string rtf = RtfOf(*c.shape);
    for (const char* part : c.present)
      EXPECT_NE(rtf.find(part), std::string::npos) << c.name << ": " << part;
    for (const char* part : c.absent)
      EXPECT_EQ(rtf.find(part), std::string::npos) << c.name << ": " << part;
  }
}

TEST(RTFRow, CellEdgesAreRunningSumsAndZeroBordersWriteNothing) {
  CRTFRow row;
  auto cell = [](int width, int l, int t, int r, int b, const char* text, int alignment) {
    auto made = std::make_unique<CRTFCell>();
    made->SetWidths(width, l, t, r, b);
    made->AddChild(Text(text, alignment));
    return made;
  };
  row.AddChild(cell(2000, 15, 0, 15, 0, "A", 0));
  row.AddChild(cell(3000, 0, 0, 0, 0, "B", 0));
  row.AddChild(Text("not a cell"));
  row.AddChild(cell(1500, 0, 10, 0, 30, "C", 2));
  EXPECT_EQ(row.ChildCount(), 3);
  EXPECT_EQ(RtfOf(row),
            R"(\trowd\clbrdrl\brdrs\brdrw15 \clbrdrr\brdrs\brdrw15 \cellx2000\cellx5000)"
            R"(\clbrdrt\brdrs\brdrw10 \clbrdrb\brdrs\brdrw30 \cellx6500)"
            R"(\pard \intbl \f0\fs20 A\cell \pard \intbl \f0\fs20 B\cell )"
            R"(\pard \intbl \pard \f0\fs20\qc C\pard \cell \pard \intbl \row \pard )");
}

TEST(RTFContainers, HeaderFooterIndexEntryAndBullets) {
  auto title = std::make_unique<CRTFText>("Title\r\r", 0, 24, true, false, false, 2, false);
  CRTFHeader header(std::move(title), std::make_unique<CRTFTabSet>("360"));
  EXPECT_EQ(RtfOf(header),
            "{\\header \\pard \\pard \\f0\\fs24\\qc\\b Title\\par\r\\par\r\\b0\\ql"
            "\\pard\\tx360} \\pard ");

  CRTFFooter footer(std::make_unique<CRTFTabSet>("5040|c 10080|r"),
                    std::make_unique<CRTFCode>(R"(\brdrt\brdrs\brdrw15\brsp150)"));
  footer.AddChild(Text("\tPrinted"));
  auto page = Text("\tPage \\chpgn \r");
  page->SetRaw(true);
  footer.AddChild(std::move(page));
  footer.AddChild(nullptr);
  EXPECT_EQ(footer.ChildCount(), 4);
  EXPECT_EQ(RtfOf(footer),
            "{\\footer \\pard \\pard\\tqc \\tx5040\\tqr \\tx10080\\brdrt\\brdrs\\brdrw15\\brsp150"
            "\\f0\\fs20 \\tab Printed\\f0\\fs20 \\tab Page \\chpgn \\par\r}");

  CRTFIndexEntry entry(Text("Smith, John-12"));
  entry.AddChild(Text("centred", 2));
  EXPECT_EQ(RtfOf(entry),
            R"({\v {\xe {\v \f0\fs20 Smith, John-12\pard \f0\fs20\qc centred\pard }}})");

  CRTFCustBullet custom(720, -360);
  custom.AddChild(Text("1."));
  custom.AddChild(Text("\tBody"));
  EXPECT_EQ(RtfOf(custom), R"(\li720\fi-360 \f0\fs20 1.\f0\fs20 \tab Body\par )");

  CRTFBullet bullet;
  bullet.SetLevel(2, 360);
  bullet.SetBullet(std::make_unique<CRTFCode>(R"(\bullet)"));
  bullet.AddChild(Text("Item"));
  EXPECT_EQ(RtfOf(bullet), R"(\li720\fi-360 \bullet\tab \f0\fs20 Item\par )");
  CRTFBullet plain;
  plain.SetLevel(0, 360);
  EXPECT_EQ(RtfOf(plain), R"(\li0\fi-360 \tab \par )");
}

TEST(RTFLeaves, IgnoreChildren) {
  CRTFCode code("x");
  code.AddChild(Text("child"));
  EXPECT_EQ(RtfOf(code), "x");
}

class RTFPictures : public ::testing::Test {
 protected:
  std::string Picture(const std::string& name, const std::string& bytes) {
    std::string path = dir_.File(name);
    WriteAll(path, bytes);
    return path;
  }
  TempDir dir_;
};

TEST_F(RTFPictures, LinkedPictureNamesItsAbsolutePathInQuotes) {
  std::string path = Picture("photo one.png", "png");
  EXPECT_EQ(
      RtfOf(CRTFImage(path, 1440, 720)),
      R"(\pard \pvpara \posx-1 \absw1440\absh720\adjustright {\field{\*\fldinst {\fs28\cgrid0 IMPORT ")" +
          path + R"(" \\* MERGEFORMAT}}\pard} \par \pard )");
  EXPECT_EQ(
      RtfOf(CRTFImage(path, 100, 200, 1440, 720)),
      R"({\par \pard \phpg \pvpg \posx100 \posy200 \absw1440 \absh720{\field{\*\fldinst IMPORT ")" +
          path + R"(" \\* mergeformat}{\fldrslt {\plain }} \par \pard}})");
}

TEST_F(RTFPictures, LinkedPicturePathIsEscapedAndAMissingFileWritesNothing) {
  std::string path = Picture("a{b}\\c\xE9\".png", "png");
  std::string rtf = RtfOf(CRTFImage(path, 0, 0, 10, 10));
  std::string expected = dir_.Path() + R"(a\{b\}\\\\c\'e9\\".png)";
  EXPECT_NE(rtf.find(R"(IMPORT ")" + expected + R"(" \\* mergeformat)"), std::string::npos) << rtf;
  EXPECT_EQ(RtfOf(CRTFImage(dir_.File("missing.png"), 10, 10)), "");
  EXPECT_EQ(RtfOf(CRTFImage(dir_.Path(), 10, 10)), "");  // a folder is no picture
  EXPECT_EQ(RtfOf(CRTFImage("", 10, 10)), "");
}

TEST_F(RTFPictures, ALongPathIsWrittenWhole) {
  const std::string folder = dir_.Path() + std::string(200, 'a') + "/" + std::string(200, 'b');
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/" + std::string(200, 'c') + ".png";
  WriteAll(path, "png");
  const std::string rtf = RtfOf(CRTFImage(path, 1, 2, 3, 4));
  EXPECT_NE(
      rtf.find("IMPORT \"" + path + "\" \\\\* mergeformat}{\\fldrslt {\\plain }} \\par \\pard}}"),
      std::string::npos)
      << rtf;
}

TEST_F(RTFPictures, EmbeddedPictureIsHexAfterItsHeader) {
  const std::string bytes("\x00\x0f\xab\xff", 4);
  struct Case {
    const char* name;
    const char* blip;
  } cases[] = {{"p.jpg", R"(\jpegblip)"}, {"p.JPG", R"(\jpegblip)"}, {"p.emf", R"(\emfblip)"}};
  for (const Case& c : cases) {
    CRTFEmbeddedImage image;
    image.SetPicture(Picture(c.name, bytes), 50, 75);
    EXPECT_EQ(
        RtfOf(image),
        std::string(
            R"({\pict\picscalex50\picscaley75\piccropl0\piccropr0\piccropt0\piccropb0\picw5556\pich2328\picwgoal3150\pichgoal1320)") +
            c.blip + "\\bliptag-353426442\r000fabff}")
        << c.name;
  }
  CRTFEmbeddedImage missing;
  missing.SetPicture(dir_.File("gone.jpg"), 100, 100);
  EXPECT_EQ(RtfOf(missing), "");
}

TEST_F(RTFPictures, EmbeddedPictureBytesDoNotCountAsTheLastCharacter) {
  CRTFEmbeddedImage image;
  image.SetPicture(Picture("q.emf", std::string(20000, '\x41')), 100, 100);
  CRTFFile file;
  file.OpenMemory();
  image.WriteRTF(*std::make_unique<CRTFDocument>(), file);
  EXPECT_EQ(file.LastChar(), '}');
  EXPECT_EQ(
      file.MemoryContents().size(),
      std::string(
          R"({\pict\picscalex100\picscaley100\piccropl0\piccropr0\piccropt0\piccropb0\picw5556\pich2328\picwgoal3150\pichgoal1320\emfblip\bliptag-353426442)")
              .size() +
          1 + 40000 + 1);
}

// --- Stored form ---

struct RoundTrip {
  const char* name;
  std::function<std::unique_ptr<CRTFObject>(const std::string& picture)> make;
  int children;  // a container's children before it is stored
};

int ChildCountOf(const CRTFObject& element) {
  auto* container = dynamic_cast<const CRTFContainer*>(&element);
  return container != nullptr ? container->ChildCount() : 0;
}

TEST_F(RTFPictures, EveryClassComesBackFromItsStoredForm) {
  auto text = [] {
    auto made = std::make_unique<CRTFText>("a\\b {c}", 3, 18, true, true, true, 2, true);
    made->SetPosition(40, 50);
    return made;
  };
  const RoundTrip cases[] = {
      {"text", [&](auto&) { return text(); }, 0},
      {"raw text in a table",
       [&](auto&) {
         auto made = Text("\\chpgn", 2);
         made->SetRaw(true);
         made->SetInTable(true);
         return made;
       },
       0},
      {"code", [](auto&) { return std::make_unique<CRTFCode>(R"(\page )"); }, 0},
      {"tab set", [](auto&) { return std::make_unique<CRTFTabSet>("360 2880|r"); }, 0},
      {"line", [](auto&) { return std::make_unique<CRTFLine>(1, 2, 3, 4, 5, 0x00ABCDEF); }, 0},
      {"rectangle",
       [](auto&) {
         return std::make_unique<CRTFRectangle>(1, 2, 3, 4, 5, false, 0x00FF00FF, true, 0x00808080);
       },
       0},
      {"arc",
       [](auto&) { return std::make_unique<CRTFArc>(1, 2, 3, 4, true, false, 7, 0x000000FF); }, 0},
      {"image", [](auto& p) { return std::make_unique<CRTFImage>(p, 11, 12, 13, 14); }, 0},
      {"embedded image",
       [](auto& p) {
         auto made = std::make_unique<CRTFEmbeddedImage>();
         made->SetPicture(p, 40, 60);
         return made;
       },
       0},
      {"header", [&](auto&) { return std::make_unique<CRTFHeader>(text(), Text("x")); }, 2},
      {"footer", [&](auto&) { return std::make_unique<CRTFFooter>(Text("y"), nullptr); }, 1},
      {"index entry", [&](auto&) { return std::make_unique<CRTFIndexEntry>(Text("z", 3)); }, 1},
      {"custom bullet",
       [&](auto&) {
         auto made = std::make_unique<CRTFCustBullet>(100, -50);
         made->AddChild(Text("p"));
         made->AddChild(std::make_unique<CRTFTabSet>("100"));
         return made;
       },
       2},
      {"bullet",
       [&](auto&) {
         auto made = std::make_unique<CRTFBullet>();
         made->SetLevel(3, 200);
         made->SetBullet(Text("*"));
         made->AddChild(Text("q"));
         return made;
       },
       1},
      {"cell",
       [&](auto&) {
         auto made = std::make_unique<CRTFCell>();
         made->SetWidths(900, 1, 2, 3, 4);
         made->AddChild(Text("in cell", 1));
         return made;
       },
       1},
      {"row",
       [&](auto&) {
         auto cell = std::make_unique<CRTFCell>();
         cell->SetWidths(900, 0, 15, 0, 15);
         cell->AddChild(Text("r"));
         auto made = std::make_unique<CRTFRow>(std::move(cell));
         auto nested = std::make_unique<CRTFCell>();
         nested->SetWidths(100, 0, 0, 0, 0);
         made->AddChild(std::move(nested));
         return made;
       },
       2},
      {"container of containers",
       [&](auto&) {
         auto inner = std::make_unique<CRTFIndexEntry>(Text("deep"));
         return std::make_unique<CRTFFooter>(std::move(inner), Text("after"));
       },
       2},
  };
  const std::string picture = Picture("round.jpg", "\x01\x02");
  for (const RoundTrip& c : cases) {
    std::unique_ptr<CRTFObject> original = c.make(picture);
    const std::string expected = RtfOf(*original);
    ASSERT_FALSE(expected.empty()) << c.name;
    EXPECT_EQ(ChildCountOf(*original), c.children) << c.name;

    std::string bytes = rtf::ElementBytes(original.get());
    EXPECT_EQ(ChildCountOf(*original), 0) << c.name << ": the stored element lets its children go";
    if (auto* bullet = dynamic_cast<CRTFBullet*>(original.get())) {
      EXPECT_FALSE(bullet->HasBullet()) << c.name;
    }

    std::unique_ptr<CRTFObject> copy;
    ASSERT_TRUE(rtf::ElementFromBytes(bytes, copy)) << c.name;
    ASSERT_NE(copy, nullptr) << c.name;
    EXPECT_EQ(copy->GetRuntimeClass(), original->GetRuntimeClass()) << c.name;
    EXPECT_EQ(ChildCountOf(*copy), c.children) << c.name;
    EXPECT_EQ(RtfOf(*copy), expected) << c.name;
  }
}

TEST(RTFStoredForm, AChildOfAnUnknownClassIsSkipped) {
  CRTFHeader header(Text("before"), std::make_unique<CRTFUncreatableText>("lost", 0, 20, false,
                                                                          false, false, 0, false));
  header.AddChild(Text("after"));
  std::unique_ptr<CRTFObject> copy;
  ASSERT_TRUE(rtf::ElementFromBytes(rtf::ElementBytes(&header), copy));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(ChildCountOf(*copy), 2);
  EXPECT_EQ(RtfOf(*copy), R"({\header \pard \f0\fs20 before\f0\fs20 after} \pard )");

  CRTFUncreatableText alone("x", 0, 20, false, false, false, 0, false);
  bool skipped = false;
  ASSERT_TRUE(rtf::ElementFromBytes(rtf::ElementBytes(&alone), copy, &skipped));
  EXPECT_EQ(copy, nullptr);
  EXPECT_TRUE(skipped);
}

TEST(RTFStoredForm, DamagedBytesAreRefused) {
  CRTFFooter footer(Text("one"), Text("two"));
  std::string bytes = rtf::ElementBytes(&footer);
  std::unique_ptr<CRTFObject> copy;
  for (std::size_t cut : {bytes.size() - 1, bytes.size() / 2, std::size_t{3}}) {
    EXPECT_FALSE(rtf::ElementFromBytes(bytes.substr(0, cut), copy)) << cut;
    EXPECT_EQ(copy, nullptr);
  }
  // An empty record is no element, which is not an error.
  bool skipped = true;
  EXPECT_TRUE(rtf::ElementFromBytes("", copy, &skipped));
  EXPECT_EQ(copy, nullptr);
  EXPECT_FALSE(skipped);
}

// Letters beyond the code page (L with stroke, g with breve, dotless i) are
// written as Unicode with the code page's look-alike for older readers.
TEST(RTFEscaping, LettersBeyondTheCodePageAreWrittenAsUnicode) {
  ScopedCodePage page(plat::kCodePageWestern);
  const std::string name = plat::Utf8ToAnsi("\u0141ukasiewicz Ya\u011Fmur D\u0131\u015F\u00E9");
  auto text = Text(name);
  EXPECT_EQ(RtfOf(*text), R"(\f0\fs20 \u321Lukasiewicz Ya\u287gmur D\u305i\u351s\'e9)");
  // A lone accent has nothing to stand for it.
  auto accent = Text(plat::Utf8ToAnsi("\u0306x"));
  EXPECT_EQ(RtfOf(*accent), R"(\f0\fs20 {\uc0\u774 }x)");
}

TEST(RTFEscaping, NamesAndQuotedTexts) {
  EXPECT_EQ(rtf::EscapeName("A\\B{c}\xE9;"), R"(A\\B\{c\}\'e9;)");
  EXPECT_EQ(rtf::QuoteBackslashes("a\\b\\\\"), R"(a\\b\\\\)");
  // A user's text with a backslash joined to the program's page number.
  auto page = Text(rtf::QuoteBackslashes("C:\\Smith ") + "\\chpgn");
  page->SetRaw(true);
  EXPECT_EQ(RtfOf(*page), R"(\f0\fs20 C:\\Smith \chpgn)");
}

}  // namespace
