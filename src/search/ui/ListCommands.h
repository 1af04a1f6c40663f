#pragma once
// Hands the application the list commands: Search > Individual List (and
// its toolbar button) and Search > Marriage List.

#include <cstdint>

class CKorApp;
class QWidget;

void RegisterListCommands(CKorApp& app);

// Runs the Individual List on the active view's individual; after OK the
// view moves to the chosen one.
void RunIndividualList(CKorApp& app);
// Runs the Marriages Search List; after OK the view moves to the chosen
// marriage's husband, else its wife.
void RunMarriageList(CKorApp& app);
