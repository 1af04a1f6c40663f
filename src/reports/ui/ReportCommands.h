#pragma once
// Hands the application File > Print and File > Print Preview of the main
// views once a report kind can run; until a page generator is registered
// the commands are not offered.

class CKorApp;

void RegisterReportCommands(CKorApp& app);
