// A letter that the family file holds but the code page lacks reaches every
// output as the letter stored: D with stroke under code page 1252, whose
// capital eth looks the same but is another letter to search and copy.

#include <functional>
#include <string>

#include "CodePage.h"
#include "ListPages.h"
#include "ListPagination.h"
#include "RecordingDevice.h"
#include "ReportJob.h"
#include "ReportKinds.h"
#include "ScopedCodePage.h"
#include "WebSiteFixture.h"

namespace {

using namespace webtest;

class LetterOutputsTest : public WebSiteTest {
 protected:
  void SetUp() override {
    WebSiteTest::SetUp();
    rpt::RegisterMoreListReports();
  }
  void TearDown() override {
    rpt::CleanupListPages();
    WebSiteTest::TearDown();
  }

  // The sorted RIN list of the file's people: drawn on the recording device
  // when rtfPath is empty, else saved there as RTF. Answers what the device
  // was given as UTF-8, or the RTF file.
  std::string SortedList(std::int32_t first, std::int32_t last, const std::string& rtfPath) {
    RecordingDevice dc(1000);
    dc.SetMapMode(rpt::MM_HIENGLISH);
    EXPECT_GT(rpt::PaginateSortedRINList(first, last, 40), 0);
    CPrintInfo info;
    info.currentPage = 1;
    info.maxPage = 1;
    CListPagesGenerator g(rpt::kIndividualsByRin, 0);
    if (!rtfPath.empty()) {
      g.SetRTFOutput(true);
      g.SetOutputFileName(rtfPath);
    }
    g.BeginPrinting(&dc, &info);
    g.DrawPage(&dc, &info, nullptr);
    g.EndPrinting(&dc, &info);
    if (!rtfPath.empty()) return ReadAll(rtfPath);
    std::string drawn;
    for (const std::string& call : dc.calls) drawn += plat::AnsiToUtf8(call) + "\n";
    return drawn;
  }
};

TEST_F(LetterOutputsTest, DWithStrokeIsWrittenAsTheLetterStored) {
  ScopedCodePage page(plat::kCodePageWestern);
  plat::FakeShell shell;
  plat::ScopedShell scopedShell{&shell};
  // Typed as Unicode and stored; every output reads it back from the file.
  const std::int32_t ana =
      Person("Ana", plat::Utf8ToAnsi("\u0110ur\u0111evi\u0107"), 'F', 1850, 1910);
  const std::int32_t ivo = Person("Ivo", "Horvat", 'M', 1848, 1905);
  settings.type = web::kSiteSelected;
  request.selection.assign(static_cast<std::size_t>(ivo) + 1, false);
  request.selection[ana] = request.selection[ivo] = true;
  const struct {
    const char* output;
    std::function<std::string()> write;
    std::string letter;  // how the output writes the stored letter
  } outputs[] = {
      {"list drawn", [&] { return SortedList(ana, ivo, ""); }, "\u0110ur\u0111evi\u0107"},
      {"list as RTF", [&] { return SortedList(ana, ivo, base.Path() + "list.rtf"); },
       "\\u272\\'d0ur\\u273"},
      {"web pages",
       [&] { return Write() == web::WebRunResult::kComplete ? AllText() : std::string(); },
       "\u0110ur\u0111evi\u0107"},
      {"GEDCOM export (ANSEL)",
       [&] {
         const auto files = SiteFiles(Site());
         const auto ged = files.find("MyFamily1.ged");
         return ged == files.end() ? std::string() : ged->second;
       },
       "\xA3ur\xB3"
       "evi\xE2"
       "c"},
  };
  for (const auto& o : outputs) {
    const std::string written = o.write();
    EXPECT_NE(written.find(o.letter), std::string::npos) << o.output << ":\n" << written;
    // Nowhere the capital eth that looks the same.
    EXPECT_EQ(written.find("\u00D0"), std::string::npos) << o.output;
  }
}

}  // namespace
