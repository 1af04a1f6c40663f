#pragma once
// The choices of the Lists page: which of the fifteen lists, the ranges its
// option dialogs edit (kept in the sheet's choice state between openings),
// the list margins and the Possible Problems settings, plus the checks the
// option dialogs make on OK.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "ListsRequest.h"
#include "ReportSheetModel.h"

namespace rpt {

// The first and last live RIN and MRIN of the open family file.
struct LiveNumbers {
  std::int32_t firstRin = 0, lastRin = 0;
  std::int32_t firstMrin = 0, lastMrin = 0;
};

// The list chosen last, kept for the run of the program.
int& ChosenListIndex();

// PrRpt.
struct ProblemSettings {
  int moLowest = 16, moHighest = 45, faLowest = 16, faHighest = 45, hwSpan = 15;
  int checkZel = 1, checkMcOrder = 1, sort = 0;
  bool operator==(const ProblemSettings&) const = default;
};

class CListsPageOptions : public SheetPageLogic {
 public:
  static constexpr const char* kMarginSection = "LstRpt";
  static constexpr const char* kProblemsSection = "PrRpt";
  static constexpr const char* kZelSection = "ZELRpt";
  static constexpr int kProblemsList = 5;
  static constexpr int kEndOfLineList = 6;
  static constexpr int kReunionList = 7;
  static constexpr int kCitationsList = 11;

  // choices: the sheet's kept ranges (may be null); reportPending: a run
  // started from the sheet is pending, so the ZEL ranges come from ZELRpt.
  CListsPageOptions(bool showZel, CReportChoiceState* choices, const LiveNumbers& live,
                    bool reportPending);

  int ListCount() const { return showZel ? 15 : 12; }
  // A radio click: the index is kept at once.
  void SelectList(int index);
  static bool HasOptionsDialog(int index);
  static bool UsesStartingPerson(int index);

  struct Enabled {
    bool options = false, startingPerson = false, preview = true;
    bool okReadsOk = false;  // the family reunion list writes a file
    bool operator==(const Enabled&) const = default;
  };
  Enabled EnabledStates() const;

  // The alphabetical and the possible-problems name range are one pair, as
  // are the RIN-sorted and the possible-problems RIN range.
  std::string& NameStart() { return texts[0]; }
  std::string& NameEnd() { return texts[1]; }
  std::string& MarriageNameStart() { return texts[2]; }
  std::string& MarriageNameEnd() { return texts[3]; }
  int& RinStart() { return numbers[0]; }
  int& RinEnd() { return numbers[1]; }
  int& MrinStart() { return numbers[2]; }
  int& MrinEnd() { return numbers[3]; }

  int PageKind() const override { return kPageLists; }
  int ReportKind() const override { return 100 + listIndex; }
  PageMargins Margins() const override { return margins; }
  void SetMargins(const PageMargins& m) override { margins = m; }
  void WriteSettings() override;
  bool FillRequest(ReportRequest& request) override;

  // The family reunion list runs no report: OK asks for a file and writes
  // the list (set by the page).
  std::function<void()> writeReunionList;
  // The citations list asks which source to list when it starts: the
  // source's number, 0 when none was chosen (set by the page).
  std::function<std::int32_t()> chooseSource;

  bool showZel = false;
  CReportChoiceState* choices = nullptr;
  LiveNumbers live;
  int listIndex = 0;
  int endOfLineType = 1;
  int marriageSort = 1;  // MarLst Sort
  std::int32_t startingRin = 0;
  std::array<std::string, 6> texts;
  std::array<int, 6> numbers{};
  ProblemSettings problems;
  std::string zelNameStart, zelNameEnd;
  int zelStartYear = 0, zelEndYear = 2047, sealStartYear = 0, sealEndYear = 2047;
  std::int32_t sealMrinStart = 0, sealMrinEnd = 0;
  PageMargins margins{400, 500, 400, 500};
};

// The option dialogs' OK checks: 0 when the values pass, else the string id
// of the warning (3241 RIN order, 3242 name order, 3243 outside the live
// range). Equal values always pass.
unsigned CheckRinOrder(std::int32_t start, std::int32_t end);
// Upper-cased copies compared byte by byte.
unsigned CheckNameOrder(const std::string& start, const std::string& end);
// The marriage list's names: the user's locale, ignoring case.
unsigned CheckMarriageNameOrder(const std::string& start, const std::string& end);
// Possible problems by RIN: the order first, then the live range.
unsigned CheckProblemsRins(std::int32_t start, std::int32_t end, std::int32_t firstLive,
                           std::int32_t lastLive);
// The text of a check's warning (3243 formatted with the live range).
std::string CheckMessage(unsigned id, std::int32_t firstLive = 0, std::int32_t lastLive = 0);

// The end-of-line dialog writes EOLRpt Type at every radio click.
void WriteEndOfLineType(int type);
int ReadEndOfLineType();
// MarLst Sort (default 1), written by the marriage dialog's OK.
int ReadMarriageSort();
void WriteMarriageSort(int sort);

// The ZEL dialogs' values and the keys each writes, in its order.
struct ZelListOptions {
  int deceased = 1, endOfLine = 1, submitted = 1, completed = 0, temple = 2;
  int startYear = 0, endYear = 2047;
  std::string startName, endName;           // individual ordinances
  std::int32_t startMrin = 0, endMrin = 0;  // marriage sealings
};
ZelListOptions ReadZelListOptions();
void WriteZelOrdinances(const ZelListOptions& o);
void WriteZelSealings(const ZelListOptions& o);

}  // namespace rpt
