#pragma once
// Hands the application the list commands: Search > Individual List (and
// its toolbar button) and Search > Marriage List.

#include <cstdint>

class CKorApp;
struct CFindListRequest;
class QWidget;

// Also hands the Find dialog its Individual and Marriages Search lists for
// choosing one record.
void RegisterListCommands(CKorApp& app);

// Runs the Individual List on the active view's individual (with filterSide
// its filter side open: Advanced Focus/Filter); after OK the view moves to
// the chosen one.
void RunIndividualList(CKorApp& app, bool filterSide = false);
// The Individual List in select-set mode for a screen that needs a set of
// individuals (the GEDCOM export's Select); answers the person it closed on
// with OK, else 0.
std::int32_t SelectIndividuals(CKorApp& app, QWidget* parent, std::int32_t startRin,
                               bool templeNames);
// The lists the Find dialog opens: each answers its dialog result and puts
// the choice into request.chosen.
int FindInIndividualList(CKorApp& app, QWidget* parent, CFindListRequest& request);
int FindInMarriageList(QWidget* parent, CFindListRequest& request);
// Runs the Marriages Search List; after OK the view moves to the chosen
// marriage's husband, else its wife.
void RunMarriageList(CKorApp& app);
