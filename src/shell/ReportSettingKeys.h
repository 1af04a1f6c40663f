#pragma once
// The report settings read from the profile: one getter of CAppOptions per
// value, named after its section and key. Each entry: section, key, default.

// Page margins in thousandths of an inch, chart types and print options.
#define KOR_REPORT_INT_SETTINGS(X) \
  X(PedRpt, PageLM, 700)           \
  X(PedRpt, PageRM, 300)           \
  X(PedRpt, PageTM, 300)           \
  X(PedRpt, PageBM, 300)           \
  X(FgrRpt, PageLM, 700)           \
  X(FgrRpt, PageRM, 300)           \
  X(FgrRpt, PageTM, 300)           \
  X(FgrRpt, PageBM, 300)           \
  X(AncRpt, StdPageLM, 500)        \
  X(AncRpt, StdPageRM, 300)        \
  X(AncRpt, StdPageTM, 300)        \
  X(AncRpt, StdPageBM, 300)        \
  X(DescRpt, WCPageLM, 250)        \
  X(DescRpt, WCPageRM, 250)        \
  X(DescRpt, WCPageTM, 250)        \
  X(DescRpt, WCPageBM, 250)        \
  X(IndRpt, PageLM, 600)           \
  X(IndRpt, PageRM, 300)           \
  X(IndRpt, PageTM, 300)           \
  X(IndRpt, PageBM, 300)           \
  X(ScrapRpt, PageLM, 700)         \
  X(ScrapRpt, PageRM, 300)         \
  X(ScrapRpt, PageTM, 300)         \
  X(ScrapRpt, PageBM, 300)         \
  X(LstRpt, PageLM, 400)           \
  X(LstRpt, PageRM, 400)           \
  X(LstRpt, PageTM, 500)           \
  X(LstRpt, PageBM, 500)           \
  X(CalendarRpt, PageLM, 300)      \
  X(CalendarRpt, PageRM, 300)      \
  X(CalendarRpt, PageTM, 300)      \
  X(CalendarRpt, PageBM, 300)      \
  X(BkRpt, PageLM, 1000)           \
  X(BkRpt, PageRM, 1000)           \
  X(BkRpt, PageTM, 1000)           \
  X(BkRpt, PageBM, 1000)           \
  X(AncRpt, Type, 0)               \
  X(DescRpt, Type, 0)              \
  X(Reports, AllowRawPrintToFile, 0)

// Font descriptions of the lists and the calendar.
#define KOR_REPORT_FONT_SETTINGS(X)                     \
  X(Options, FontListTitle, "Arial;Bold;14pt")          \
  X(Options, FontListHead, "Arial;Normal;10pt")         \
  X(Options, FontListBody, "Arial;Normal;10pt")         \
  X(Options, FontCalTitle, "Times New Roman;Bold;48pt") \
  X(Options, FontCalDays, "Times New Roman;Bold;15pt")  \
  X(Options, FontCalDate, "Arial;Bold;12pt")            \
  X(Options, FontCalText, "Times New Roman;Normal;8pt")
