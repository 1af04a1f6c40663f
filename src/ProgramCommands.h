#pragma once
// Hands the application every menu command that the screen libraries carry
// out, and registers the report kinds, their sheet pages and the GEDCOM
// screens, in the order the program needs (the print commands only once a
// report kind can run). The program calls it before start-up; tests that
// walk the real menus call it on their own application object.

class CKorApp;

// The program-wide registrations run on the first call only; the commands
// go to app on every call.
void RegisterProgramCommands(CKorApp& app);
