// Report settings: each getter reads its own section and key afresh, with
// its default when nothing is stored.

#include <gtest/gtest.h>

#include "AppOptions.h"
#include "FakePorts.h"

namespace {

struct IntSetting {
  int (*get)();
  const char* section;
  const char* key;
  int def;
};

const IntSetting kIntSettings[] = {
    {&CAppOptions::GetPedRptPageLM, "PedRpt", "PageLM", 700},
    {&CAppOptions::GetPedRptPageRM, "PedRpt", "PageRM", 300},
    {&CAppOptions::GetPedRptPageTM, "PedRpt", "PageTM", 300},
    {&CAppOptions::GetPedRptPageBM, "PedRpt", "PageBM", 300},
    {&CAppOptions::GetFgrRptPageLM, "FgrRpt", "PageLM", 700},
    {&CAppOptions::GetFgrRptPageRM, "FgrRpt", "PageRM", 300},
    {&CAppOptions::GetFgrRptPageTM, "FgrRpt", "PageTM", 300},
    {&CAppOptions::GetFgrRptPageBM, "FgrRpt", "PageBM", 300},
    {&CAppOptions::GetAncRptStdPageLM, "AncRpt", "StdPageLM", 500},
    {&CAppOptions::GetAncRptStdPageRM, "AncRpt", "StdPageRM", 300},
    {&CAppOptions::GetAncRptStdPageTM, "AncRpt", "StdPageTM", 300},
    {&CAppOptions::GetAncRptStdPageBM, "AncRpt", "StdPageBM", 300},
    {&CAppOptions::GetDescRptWCPageLM, "DescRpt", "WCPageLM", 250},
    {&CAppOptions::GetDescRptWCPageRM, "DescRpt", "WCPageRM", 250},
    {&CAppOptions::GetDescRptWCPageTM, "DescRpt", "WCPageTM", 250},
    {&CAppOptions::GetDescRptWCPageBM, "DescRpt", "WCPageBM", 250},
    {&CAppOptions::GetIndRptPageLM, "IndRpt", "PageLM", 600},
    {&CAppOptions::GetIndRptPageRM, "IndRpt", "PageRM", 300},
    {&CAppOptions::GetIndRptPageTM, "IndRpt", "PageTM", 300},
    {&CAppOptions::GetIndRptPageBM, "IndRpt", "PageBM", 300},
    {&CAppOptions::GetScrapRptPageLM, "ScrapRpt", "PageLM", 700},
    {&CAppOptions::GetScrapRptPageRM, "ScrapRpt", "PageRM", 300},
    {&CAppOptions::GetScrapRptPageTM, "ScrapRpt", "PageTM", 300},
    {&CAppOptions::GetScrapRptPageBM, "ScrapRpt", "PageBM", 300},
    {&CAppOptions::GetLstRptPageLM, "LstRpt", "PageLM", 400},
    {&CAppOptions::GetLstRptPageRM, "LstRpt", "PageRM", 400},
    {&CAppOptions::GetLstRptPageTM, "LstRpt", "PageTM", 500},
    {&CAppOptions::GetLstRptPageBM, "LstRpt", "PageBM", 500},
    {&CAppOptions::GetCalendarRptPageLM, "CalendarRpt", "PageLM", 300},
    {&CAppOptions::GetCalendarRptPageRM, "CalendarRpt", "PageRM", 300},
    {&CAppOptions::GetCalendarRptPageTM, "CalendarRpt", "PageTM", 300},
    {&CAppOptions::GetCalendarRptPageBM, "CalendarRpt", "PageBM", 300},
    {&CAppOptions::GetBkRptPageLM, "BkRpt", "PageLM", 1000},
    {&CAppOptions::GetBkRptPageRM, "BkRpt", "PageRM", 1000},
    {&CAppOptions::GetBkRptPageTM, "BkRpt", "PageTM", 1000},
    {&CAppOptions::GetBkRptPageBM, "BkRpt", "PageBM", 1000},
    {&CAppOptions::GetAncRptType, "AncRpt", "Type", 0},
    {&CAppOptions::GetDescRptType, "DescRpt", "Type", 0},
    {&CAppOptions::GetReportsAllowRawPrintToFile, "Reports", "AllowRawPrintToFile", 0},
};

struct FontSetting {
  void (*get)(std::string&);
  const char* key;
  const char* def;
};

const FontSetting kFontSettings[] = {
    {&CAppOptions::GetOptionsFontListTitle, "FontListTitle", "Arial;Bold;14pt"},
    {&CAppOptions::GetOptionsFontListHead, "FontListHead", "Arial;Normal;10pt"},
    {&CAppOptions::GetOptionsFontListBody, "FontListBody", "Arial;Normal;10pt"},
    {&CAppOptions::GetOptionsFontCalTitle, "FontCalTitle", "Times New Roman;Bold;48pt"},
    {&CAppOptions::GetOptionsFontCalDays, "FontCalDays", "Times New Roman;Bold;15pt"},
    {&CAppOptions::GetOptionsFontCalDate, "FontCalDate", "Arial;Bold;12pt"},
    {&CAppOptions::GetOptionsFontCalText, "FontCalText", "Times New Roman;Normal;8pt"},
};

class ReportSettingsTest : public ::testing::Test {
 protected:
  plat::FakeProfile profile;
  plat::ScopedProfile scoped{&profile};
};

TEST_F(ReportSettingsTest, EveryNumberHasItsDefaultItsStoredValueAndNoCache) {
  for (const IntSetting& s : kIntSettings) {
    EXPECT_EQ(s.get(), s.def) << s.section << "/" << s.key;
  }
  int stored = 1;
  for (const IntSetting& s : kIntSettings) profile.SetInt(s.section, s.key, 5000 + stored++);
  stored = 1;
  for (const IntSetting& s : kIntSettings) {
    EXPECT_EQ(s.get(), 5000 + stored++) << s.section << "/" << s.key;
  }
  for (const IntSetting& s : kIntSettings) {
    profile.SetInt(s.section, s.key, 7);
    EXPECT_EQ(s.get(), 7) << "read again after a change: " << s.section << "/" << s.key;
    profile.Remove(s.section, s.key);
    EXPECT_EQ(s.get(), s.def) << s.section << "/" << s.key;
  }
}

TEST_F(ReportSettingsTest, EveryFontHasItsDefaultItsStoredValueAndNoCache) {
  std::string text = "left over";
  for (const FontSetting& s : kFontSettings) {
    s.get(text);
    EXPECT_EQ(text, s.def) << s.key;
  }
  for (const FontSetting& s : kFontSettings) {
    profile.SetString("Options", s.key, std::string("Courier New;Italic;9pt ") + s.key);
    s.get(text);
    EXPECT_EQ(text, std::string("Courier New;Italic;9pt ") + s.key);
    profile.SetString("Options", s.key, "Arial;Bold;7pt");
    s.get(text);
    EXPECT_EQ(text, "Arial;Bold;7pt") << s.key;
  }
}

}  // namespace
