#include <gtest/gtest.h>
#include <malloc.h>

#include <filesystem>

#include "FakePorts.h"
#include "FileHandle.h"
#include "RTFDocument.h"
#include "RTFTestSupport.h"
#include "ScopedCodePage.h"
#include "TempDir.h"
#include "TestHelpers.h"

namespace {

constexpr const char* kPreamble = R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033 )";
constexpr const char* kColours =
    R"({\colortbl;\red0\green0\blue0;\red0\green0\blue255;\red0\green255\blue255;\red0\green255\blue0;\red255\green0\blue255;\red255\green0\blue0;\red255\green255\blue0;\red255\green255\blue255;\red0\green0\blue128;\red0\green128\blue128;\red0\green128\blue0;\red128\green0\blue128;\red128\green0\blue0;\red128\green128\blue0;\red128\green128\blue128;\red192\green192\blue192;})";
constexpr const char* kSection =
    R"(\paperw12240\paperh15840\margl720\margr720\margt720\margb720\widowctrl\ftnbj\ftnrestart\aftnnar \sectd \sbknone\endnhere)";

class RTFDocumentTest : public ::testing::Test {
 protected:
  // The document written to memory, with the answer of Write.
  std::string Written(CRTFDocument& document, int* result = nullptr) {
    CRTFFile file;
    file.OpenMemory();
    int answer = document.Write(file);
    if (result != nullptr) *result = answer;
    return file.MemoryContents();
  }
  static int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
      ++n;
    return n;
  }

  plat::FakeProgress progress_;
  plat::ScopedProgress scopedProgress_{&progress_};
  plat::FakeMessagePump pump_;
  plat::ScopedMessagePump scopedPump_{&pump_};
  ScopedCodePage western_{plat::kCodePageWestern};
  TempDir dir_;
};

TEST_F(RTFDocumentTest, AnEmptyDocumentIsTheFrameAlone) {
  CRTFDocument document;
  int result = 0;
  EXPECT_EQ(Written(document, &result),
            std::string(kPreamble) + R"({\fonttbl })" + kColours + kSection + "}");
  EXPECT_EQ(result, 1);
  EXPECT_EQ(progress_.titles, std::vector<std::string>{"Saving report"});
  EXPECT_EQ(progress_.ends, 1);
}

TEST_F(RTFDocumentTest, FontTableListsEveryFaceAddedInOrder) {
  CRTFDocument document;
  document.AddFont("Arial");
  document.AddFont("Times New Roman");
  document.AddFont("Arial");
  document.AddFont("A\\B{c}\xE9");
  EXPECT_EQ(document.FindFont("Arial"), 0);
  EXPECT_EQ(document.FindFont("Times New Roman"), 1);
  EXPECT_EQ(document.FindFont("arial"), -1);
  EXPECT_EQ(document.FindFont("Courier"), -1);
  EXPECT_EQ(Written(document),
            std::string(kPreamble) +
                R"({\fonttbl {\f0\fnil\fcharset0 Arial;}{\f1\fnil\fcharset0 Times New Roman;})"
                R"({\f2\fnil\fcharset0 Arial;}{\f3\fnil\fcharset0 A\\B\{c\}\'e9;}})" +
                kColours + kSection + "}");

  CRTFDocument gap;
  gap.AddFont("");
  gap.AddFont("Arial");
  EXPECT_EQ(gap.FindFont("Arial"), -1);  // the search ends at an empty face
}

TEST_F(RTFDocumentTest, CentralEuropeanCodePageNamesItself) {
  ScopedCodePage latin2(plat::kCodePageCentralEuropean);
  CRTFDocument document;
  document.AddFont("Arial");
  std::string rtf = Written(document);
  EXPECT_EQ(
      rtf.rfind(
          R"({\rtf1\ansi\ansicpg1250\deff0\deflang1033 {\fonttbl {\f0\fnil\fcharset238 Arial;}})",
          0),
      0u)
      << rtf;
}

TEST_F(RTFDocumentTest, MarginsAndPaperSize) {
  struct Case {
    const char* name;
    int width, height;
    const char* paper;
  } cases[] = {
      {"letter", 12240, 15840, R"(\paperw12240\paperh15840)"},
      {"A4", 11906, 16838, R"(\paperw11906\paperh16838)"},
      {"letter landscape", 15840, 12240, R"(\paperw15840\paperh12240\landscape)"},
  };
  for (const Case& c : cases) {
    CRTFDocument document;
    document.SetMargins(1440, 720, 1080, 360);
    document.SetPaperSize(c.width, c.height);
    EXPECT_EQ(
        Written(document),
        std::string(kPreamble) + R"({\fonttbl })" + kColours + c.paper +
            R"(\margl1440\margr1080\margt720\margb360\widowctrl\ftnbj\ftnrestart\aftnnar \sectd \sbknone\endnhere)" +
            "}")
        << c.name;
  }
}

TEST_F(RTFDocumentTest, ElementsFollowTheFrameInTheOrderAdded) {
  CRTFDocument document;
  document.AddFont("Arial");
  document.AddElement(std::make_unique<CRTFTabSet>("360"));
  document.AddElement(Text("one\r"));
  document.AddElement(std::make_unique<CRTFLine>(0, 0, 10, 10, 1, 0));
  document.AddElement(Text("two\r"));
  document.AddElement(std::make_unique<CRTFRectangle>(0, 0, 10, 10, 1, true, 0, false, 0));
  EXPECT_FALSE(document.AddElement(nullptr));
  EXPECT_EQ(document.ElementCount(), 5);
  int result = 0;
  std::string rtf = Written(document, &result);
  EXPECT_EQ(result, 1);
  const std::string frame =
      std::string(kPreamble) + R"({\fonttbl {\f0\fnil\fcharset0 Arial;}})" + kColours + kSection;
  ASSERT_EQ(rtf.rfind(frame, 0), 0u);
  std::string body = rtf.substr(frame.size());
  EXPECT_EQ(body.rfind("\\pard\\tx360\\f0\\fs20 one\\par\r{\\shp", 0), 0u) << body;
  std::size_t one = body.find("one"), two = body.find("two");
  EXPECT_LT(one, two);
  EXPECT_NE(body.find(R"(\shpz0\shplid1026)"), std::string::npos);
  EXPECT_NE(body.find(R"(\shpz1\shplid1027)"), std::string::npos);
  EXPECT_EQ(body.back(), '}');
  EXPECT_EQ(body.substr(body.size() - 2), "}}");  // the rectangle's last brace, then the file's
  EXPECT_EQ(progress_.range, 5);
  EXPECT_EQ(progress_.position, 5);
}

TEST_F(RTFDocumentTest, ReadingBackAndAddingAgainStartsTheContentsOver) {
  CRTFDocument document;
  document.AddElement(Text("A"));
  document.AddElement(Text("B"));
  std::unique_ptr<CRTFObject> first = document.FirstElement();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(dynamic_cast<CRTFText&>(*first).GetText(), "A");
  EXPECT_EQ(dynamic_cast<CRTFText&>(*document.NextElement()).GetText(), "B");
  EXPECT_EQ(document.NextElement(), nullptr);
  EXPECT_EQ(document.NextElement(), nullptr);

  document.AddElement(Text("C"));
  EXPECT_EQ(document.ElementCount(), 1);
  std::string rtf = Written(document);
  EXPECT_EQ(Count(rtf, "\\fs20 "), 1);
  EXPECT_NE(rtf.find(R"(\fs20 C})"), std::string::npos);

  document.Clear();
  EXPECT_EQ(document.ElementCount(), 0);
  EXPECT_EQ(document.FirstElement(), nullptr);
  document.AddElement(Text("D"));
  EXPECT_EQ(dynamic_cast<CRTFText&>(*document.FirstElement()).GetText(), "D");
}

TEST_F(RTFDocumentTest, ContainersComeBackWithTheirChildren) {
  CRTFDocument document;
  auto header = std::make_unique<CRTFHeader>(Text("Title"), std::make_unique<CRTFTabSet>("100"));
  document.AddElement(std::move(header));
  std::unique_ptr<CRTFObject> back = document.FirstElement();
  auto* loaded = dynamic_cast<CRTFHeader*>(back.get());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->ChildCount(), 2);
}

TEST_F(RTFDocumentTest, AnElementOfAnUnknownClassIsSkippedAndTheWriteReportsTheLoss) {
  CRTFDocument document;
  document.AddElement(Text("before"));
  document.AddElement(
      std::make_unique<CRTFUncreatableText>("lost", 0, 20, false, false, false, 0, false));
  document.AddElement(Text("after"));
  EXPECT_EQ(dynamic_cast<CRTFText&>(*document.FirstElement()).GetText(), "before");
  EXPECT_EQ(dynamic_cast<CRTFText&>(*document.NextElement()).GetText(), "after");
  EXPECT_EQ(document.NextElement(), nullptr);
  EXPECT_EQ(document.ElementsLost(), 1);

  int result = 1;
  std::string rtf = Written(document, &result);
  EXPECT_EQ(result, 0);
  EXPECT_NE(rtf.find("before"), std::string::npos);
  EXPECT_NE(rtf.find("after}"), std::string::npos);
  EXPECT_EQ(rtf.find("lost"), std::string::npos);
}

TEST_F(RTFDocumentTest, ATruncatedWorkFileIsAFailedWriteNotASuccess) {
  CRTFDocument document;
  for (int i = 0; i < 50; ++i) document.AddElement(Text("element" + std::to_string(i)));
  const std::string contents = document.ContentsPath();
  ASSERT_FALSE(contents.empty());
  ASSERT_NE(document.FirstElement(), nullptr);  // the work file is complete on disk now
  std::filesystem::resize_file(contents, std::filesystem::file_size(contents) / 2);
  int result = 1;
  std::string rtf = Written(document, &result);
  EXPECT_EQ(result, 0);
  EXPECT_NE(rtf.find("element0"), std::string::npos);
  EXPECT_EQ(rtf.find("element49"), std::string::npos);
  EXPECT_EQ(rtf.back(), '}');
  EXPECT_GT(document.ElementsLost(), 0);
}

TEST_F(RTFDocumentTest, CancelEndsTheFileAndTheOwnerDeletesIt) {
  CRTFDocument document;
  for (int i = 0; i < 10; ++i) document.AddElement(Text("element" + std::to_string(i) + "\r"));
  progress_.cancelAfter = 3;
  int result = 1;
  std::string rtf = Written(document, &result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Count(rtf, "element"), 3);
  EXPECT_NE(rtf.find("element2"), std::string::npos);
  EXPECT_EQ(rtf.substr(rtf.size() - 1), "}");
  EXPECT_EQ(progress_.ends, 1);

  // The elements are gone after a write: a second document for the owner's path.
  CRTFDocument owned;
  for (int i = 0; i < 10; ++i) owned.AddElement(Text("x"));
  progress_.cancelTests = 0;
  const std::string path = dir_.File("report.rtf");
  EXPECT_EQ(owned.WriteToFile(path), 0);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(RTFDocumentTest, QuitWhilePumpingCancelsToo) {
  CRTFDocument document;
  for (int i = 0; i < 400; ++i) document.AddElement(Text("x"));
  pump_.quitAfter = 1;
  int result = 1;
  std::string rtf = Written(document, &result);
  EXPECT_EQ(result, 0);
  EXPECT_LT(Count(rtf, "\\fs20 x"), 400);
  EXPECT_EQ(rtf.back(), '}');
}

TEST_F(RTFDocumentTest, WriteToFileKeepsAFinishedReport) {
  CRTFDocument document;
  document.AddElement(Text("line one\nline two"));
  const std::string path = dir_.File("kept.rtf");
  EXPECT_EQ(document.WriteToFile(path), 1);
  std::string bytes = ReadAll(path);
  EXPECT_EQ(bytes.rfind(kPreamble, 0), 0u);
  EXPECT_NE(bytes.find("line one\r\nline two}"), std::string::npos);
  EXPECT_EQ(bytes.find("two\n"), std::string::npos);
}

TEST_F(RTFDocumentTest, FailuresOfTheFileAreReported) {
  CRTFDocument document;
  document.AddElement(Text("x"));
  CRTFFile closed;
  EXPECT_EQ(document.Write(closed), 0);
  EXPECT_TRUE(progress_.titles.empty());  // nothing started

  EXPECT_EQ(document.WriteToFile(dir_.File("no/such/folder/r.rtf")), 0);
  EXPECT_FALSE(std::filesystem::exists(dir_.File("no")));

  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full to fill";
  CRTFFile full;
  ASSERT_TRUE(full.Open("/dev/full"));
  CRTFDocument big;
  for (int i = 0; i < 100; ++i) big.AddElement(Text(std::string(1000, 'x')));
  EXPECT_EQ(big.Write(full), 0);
  EXPECT_TRUE(full.Failed());
  EXPECT_EQ(full.ErrorCause(), plat::kFileDiskFull);
  EXPECT_FALSE(full.Close());
}

TEST_F(RTFDocumentTest, ShapeCountersGoBeyondSixteenBits) {
  CRTFDocument document;
  constexpr int kShapes = 65540;
  for (int i = 0; i < kShapes; ++i)
    document.AddElement(std::make_unique<CRTFLine>(0, 0, 1, 1, 1, 0));
  const std::string path = dir_.File("shapes.rtf");
  ASSERT_EQ(document.WriteToFile(path), 1);
  std::string rtf = ReadAll(path);
  EXPECT_NE(rtf.find(R"(\shpz65539\shplid66565{)"), std::string::npos);
  EXPECT_EQ(Count(rtf, R"({\shp{)"), kShapes);
  EXPECT_EQ(progress_.range, kShapes);
}

// A progress port that notes the heap in use at every step of the write.
class HeapWatchingProgress : public plat::FakeProgress {
 public:
  void SetPosition(int pos) override {
    FakeProgress::SetPosition(pos);
    peak = std::max(peak, mallinfo2().uordblks);
  }
  std::size_t peak = 0;
};

TEST_F(RTFDocumentTest, ALargeReportIsHeldOnDiskNotInMemory) {
  HeapWatchingProgress watch;
  plat::ScopedProgress scoped(&watch);
  constexpr int kTexts = 20000;
  const std::string body(1000, 'w');
  CRTFDocument document;
  const std::size_t before = mallinfo2().uordblks;
  for (int i = 0; i < kTexts; ++i) document.AddElement(Text(body + "\r"));
  const std::size_t afterAdding = mallinfo2().uordblks;
  // 20 MB of text went in; the document keeps next to none of it.
  EXPECT_LT(afterAdding, before + (2u << 20));

  const std::string path = dir_.File("large.rtf");
  ASSERT_EQ(document.WriteToFile(path), 1);
  EXPECT_LT(watch.peak, before + (2u << 20));
  EXPECT_GT(std::filesystem::file_size(path), std::uintmax_t{kTexts} * 1000);
  std::string rtf = ReadAll(path);
  EXPECT_EQ(Count(rtf, "\\fs20 w"), kTexts);
}

}  // namespace
