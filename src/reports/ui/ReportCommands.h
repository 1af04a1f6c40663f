#pragma once
// Hands the application File > Print and File > Print Preview of the main
// views once a report kind can run; until a page generator is registered
// the commands are not offered.

class CKorApp;
class CReportPrinting;

void RegisterReportCommands(CKorApp& app);
// The main views' report printing that those commands run (made on first
// use), or nullptr while no report kind can run.
CReportPrinting* ReportPrintingOf(CKorApp& app);
