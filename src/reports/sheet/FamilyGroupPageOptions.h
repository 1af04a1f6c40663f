#pragma once
// The Family Group page's choices: the starting couple (a marriage, or one
// person as a parent or as a child, or a blank form), the chart type with
// "Use list", the notes and other options, which controls are on, and what
// a family group run puts into ReportRequest. Kept in FgrRpt.

#include <cstdint>
#include <string>
#include <vector>

#include "ReportSheetModel.h"

namespace rpt {

// What the couple needs to know of the family file.
class CoupleSource {
 public:
  struct Person {
    std::string name;  // as the primary person shows
    char sex = 'U';
    std::vector<std::int32_t> marriages;
    std::int32_t parentFamily = 0;  // 0 none
  };
  virtual ~CoupleSource() = default;
  virtual bool ReadPerson(std::int32_t rin, Person& out) = 0;
  virtual bool ReadMarriage(std::int32_t mrin, std::int32_t& husband, std::int32_t& wife) = 0;
  // The name of a spouse; "" when it cannot be read.
  virtual std::string SpouseName(std::int32_t rin) = 0;
  // The "Marriages for" choice among several marriages; 0 when none picked.
  virtual std::int32_t PickMarriage(std::int32_t rin,
                                    const std::vector<std::int32_t>& marriages) = 0;
  // The warning about a parent of unknown sex.
  virtual void Warn(const std::string& text) = 0;
};

struct StartingCouple {
  enum Role : int { kParent = 0, kChild = 1 };
  enum BlankRole : int { kNoBlank = 0, kBlankHusband = 1, kBlankWife = 2, kBlankChild = 3 };
  int role = kParent;
  std::int32_t primaryRin = 0;
  std::int32_t mrin = 0;
  std::int32_t chosenMarriage = -1;  // -1 not chosen yet
  std::int32_t parentFamily = -1;    // -1 not looked up yet
  int blankRole = kNoBlank;
  std::string primaryName, spouseName;
  bool loaded = false;
};

class CFamilyGroupOptions : public SheetPageLogic {
 public:
  static constexpr const char* kSection = "FgrRpt";
  enum ChartType : int { kSingleFamily = 0, kCascading = 1, kBlankForm = 2 };

  CFamilyGroupOptions(CoupleSource& source, int identifierDisplay);

  // ---- the starting couple ----
  void SetCoupleFromMarriage(std::int32_t mrin, std::int32_t rin = 0);
  void SetCoupleFromPerson(std::int32_t rin);
  // From the kept choices, else from the view's current marriage or person.
  // False when a kept person can no longer be read: the sheet closes.
  bool LoadStartingCouple(CReportChoiceState& choices, std::int32_t viewMrin, std::int32_t viewRin);
  // A click on Parent or Child; false when refused (the role stays).
  bool ClickRole(int role);
  void SetUseList(bool on);
  // The MRIN field: "See List" with the list, else the number.
  std::string MrinText() const;
  const StartingCouple& Couple() const { return couple_; }
  void KeepCouple(CReportChoiceState& choices) const;

  void SetChartType(int type);

  struct Enabled {
    bool couple = true;          // 657-670, 675-694
    bool cascadingOnly = false;  // generations, Up/Down, Mark direct line
    bool suppressRin = true;
    bool cascadingRadio = true, blankRadio = true;
    bool markedOnly = false, titlesOnly = false, actualText = false, comments = false;
    bool operator==(const Enabled&) const = default;
  };
  Enabled EnabledStates() const;
  // SourceNotes from the two checks: 1 source notes, plus 2 general notes.
  int SourceNotesValue() const { return (sourceNotes ? 1 : 0) + (generalNotes ? 2 : 0); }

  // SheetPageLogic
  int PageKind() const override { return kPageFamilyGroup; }
  PageMargins Margins() const override { return margins; }
  void SetMargins(const PageMargins& m) override { margins = m; }
  PagePhotos* Photos() override { return &photos; }
  int PhotoReportIndex() const override { return 2; }
  void WriteSettings() override;
  bool FillRequest(ReportRequest& request) override;
  void BeforeRun(CReportChoiceState& choices, bool preview) override;

  int identifierDisplay = 0;
  int type = kSingleFamily;
  int layout = 0;
  int totGens = 999;
  int cascType = 0;
  int listOpt = 0;
  // The typed family numbers of "Use list" (kept by the sheet between runs).
  const std::string* listText = nullptr;
  bool sourceNotes = false, generalNotes = false;
  int titleOnly = 0, actText = 1, comments = 1, markedOnly = 0, confident = 0;
  int notePar = 0, start1st = 0;
  int includeSubmit = 1, otherEvents = 0, relInd = 0, reserveStd = 1;
  int otherMarr = 0, suppressRin = 0, parInd = 0, markDirect = 0;
  PagePhotos photos{0, 0, 0, 2, 1};
  PageMargins margins{700, 300, 300, 300};

 private:
  void ChooseMarriageOf(std::int32_t rin, const CoupleSource::Person& person);
  void SetSpouseOf(std::int32_t mrin, std::int32_t primary);

  CoupleSource& source_;
  StartingCouple couple_;
  std::string savedPrimary_, savedSpouse_;
  int savedRole_ = 0;
};

}  // namespace rpt
