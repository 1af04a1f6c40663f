#pragma once
// Field filter expressions: the syntax check, the evaluation of an
// expression for one individual, the value tests of every field family,
// and the pass that evaluates the expression for every individual into
// set 0 of a filter set. The Field Filtering screen shows what this class
// decides; the descriptions of the nodes are CFilterCriterion::GetDescription.
//
// An expression is a list of criteria: field tests alternating with AND and
// OR, grouped by parentheses. AND and OR have the same rank, are read from
// left to right, and an OR after a true result or an AND after a false one
// decides the enclosing group at once.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "FilterSet.h"

class CIndividualRecord;
class CDateValue;

// Field ids of the field table; each is also the string id of its name.
namespace ffield {
inline constexpr int kName = 4800;
inline constexpr int kRin = 4801;
inline constexpr int kSex = 4802;
inline constexpr int kAnyDate = 4803;
inline constexpr int kAnyPlace = 4804;
inline constexpr int kBirthDate = 4805;
inline constexpr int kBirthPlace = 4806;
inline constexpr int kChristeningDate = 4807;
inline constexpr int kChristeningPlace = 4808;
inline constexpr int kDeathDate = 4809;
inline constexpr int kDeathPlace = 4810;
inline constexpr int kBurialDate = 4811;
inline constexpr int kBurialPlace = 4812;
inline constexpr int kUserEvents = 4813;
inline constexpr int kDeceased = 4814;
inline constexpr int kTitlePrefix = 4815;
inline constexpr int kTitleSuffix = 4816;
inline constexpr int kAlsoKnownAs = 4817;
inline constexpr int kNickname = 4818;
inline constexpr int kMarriedName = 4819;
inline constexpr int kCauseOfDeath = 4820;
inline constexpr int kPhysicalDescription = 4821;
inline constexpr int kCustomId = 4822;
inline constexpr int kSbn = 4823;
inline constexpr int kNotes = 4824;
inline constexpr int kSources = 4825;
inline constexpr int kMultimedia = 4826;
inline constexpr int kCreatedDate = 4827;
inline constexpr int kChangedDate = 4828;
inline constexpr int kParentRelationship = 4829;
inline constexpr int kMrin = 4830;
inline constexpr int kMarriageDate = 4831;
inline constexpr int kMarriagePlace = 4832;
inline constexpr int kMarriageStatus = 4833;
inline constexpr int kMarriageNotes = 4834;
inline constexpr int kMarriageSources = 4835;
inline constexpr int kMarriageUserEvents = 4836;
inline constexpr int kContactName = 4837;  // to 4844
inline constexpr int kContactEmail = 4844;
inline constexpr int kMarriageCount = 4845;
inline constexpr int kChildCount = 4846;
inline constexpr int kParentCount = 4847;
inline constexpr int kEndOfLine = 4848;
inline constexpr int kLastField = 4848;
inline constexpr int kAnyOrdinanceDate = 4870;
inline constexpr int kAnyTemple = 4871;
inline constexpr int kLiveBaptism = 4872;
inline constexpr int kBaptismDate = 4873;
inline constexpr int kBaptismTemple = 4874;
inline constexpr int kEndowmentDate = 4875;
inline constexpr int kEndowmentTemple = 4876;
inline constexpr int kSealParentsDate = 4877;
inline constexpr int kSealParentsTemple = 4878;
inline constexpr int kSealSpouseDate = 4879;
inline constexpr int kSealSpouseTemple = 4880;
inline constexpr int kQualifiedBaptism = 4881;
inline constexpr int kQualifiedSealParents = 4882;
inline constexpr int kQualifiedSealSpouse = 4883;
inline constexpr int kLastZelField = 4883;
// Sub-fields of user events and sources (also string ids of their names).
inline constexpr int kUeDate = 4776;
inline constexpr int kUePlace = 4777;
inline constexpr int kUeDescription = 4778;
inline constexpr int kUeConfidential = 4779;
inline constexpr int kUeSource = 4780;
inline constexpr int kUeType = 4781;
inline constexpr int kSrcAll = 4750;
inline constexpr int kSrcTitle = 4751;
inline constexpr int kSrcName = 4752;
inline constexpr int kSrcAuthor = 4753;
inline constexpr int kSrcPublisher = 4754;
inline constexpr int kSrcRepository = 4755;
inline constexpr int kSrcCallNumber = 4756;
inline constexpr int kSrcText = 4757;
inline constexpr int kSrcComments = 4758;
inline constexpr int kSrcAdditional = 4759;
inline constexpr int kCitPage = 4760;
inline constexpr int kCitEntryDate = 4761;
inline constexpr int kCitQuality = 4762;
inline constexpr int kCitSecondText = 4763;
inline constexpr int kCitText = 4764;
inline constexpr int kCitComments = 4765;
}  // namespace ffield

// Criterion kinds: which criterion dialog made a criterion.
namespace fkind {
inline constexpr int kToken = 0;
inline constexpr int kDate = 1;
inline constexpr int kName = 2;
inline constexpr int kPlace = 3;
inline constexpr int kNumber = 4;
inline constexpr int kText = 5;
inline constexpr int kYesNo = 6;
inline constexpr int kCode = 7;
inline constexpr int kNotes = 8;
inline constexpr int kTemple = 9;
inline constexpr int kRepository = 11;
}  // namespace fkind

// The first syntax fault of an expression: message and caption string ids
// and the line to select (the line after the last node for a missing
// closing parenthesis).
struct FilterSyntaxFault {
  int textId = 0;
  int captionId = 0;
  int line = -1;
};

// What the pass prepares once per criterion: the lower-cased texts (for
// temples the code), and the Soundex lists of a sounds-like name test.
struct CriterionWork {
  std::string text1;
  std::string text2;
  std::vector<std::string> soundex1;  // words before the first comma
  std::vector<std::string> soundex2;  // words after it
  bool comma = false;
};

class CFieldFilter {
 public:
  using Expression = std::vector<const CFilterCriterion*>;

  // Pass results.
  static constexpr int kPassDone = 1;
  static constexpr int kPassCancelled = 0;

  // ---- rules of the expression ----
  // True when the expression is well formed; otherwise the first fault.
  static bool CheckSyntax(const Expression& list, FilterSyntaxFault* fault);
  // Evaluates the expression with test giving each field criterion's
  // result; skipped criteria are never tested.
  static int EvaluateExpression(const Expression& list,
                                const std::function<int(const CFilterCriterion&)>& test);
  // Whether one value's result decides a multi-valued test for op.
  static bool IsDecisive(int op, int result);
  // The result of a multi-valued test that no value decided.
  static int NoValueResult(int op);

  // ---- preparation ----
  static CriterionWork PrepareWorkData(const CFilterCriterion& criterion);
  // Splits a name text at blanks and commas into the Soundex codes of the
  // words before the first comma and after it; true when a comma was found.
  static bool SplitNameSoundex(const std::string& text, std::vector<std::string>& first,
                               std::vector<std::string>& second);
  // Whether every wanted code is found in name, in order, each at or after
  // the previous find.
  static bool CompareSoundexLists(const std::vector<std::string>& wanted,
                                  const std::vector<std::string>& name);

  // ---- value tests (operators are indexes into the field's family) ----
  // name: the name text for the criterion's sub-field; surname and given
  // names for the Soundex tests.
  static int MatchName(const CFilterCriterion& c, const CriterionWork& w, const std::string& name,
                       const std::string& surname, const std::string& given);
  static int MatchText(const CFilterCriterion& c, const std::string* text);
  static int MatchPlace(const CFilterCriterion& c, const CriterionWork& w,
                        const std::string (&parts)[4]);
  static int MatchDate(const CFilterCriterion& c, const CDateValue* date);
  static int MatchNumber(const CFilterCriterion& c, std::int32_t value);
  static int MatchCount(const CFilterCriterion& c, int count);
  static int MatchCode(const CFilterCriterion& c, char letter);
  static int MatchTempleCode(const CFilterCriterion& c, const CriterionWork& w,
                             const std::string& code);
  static int MatchYesNo(const CFilterCriterion& c, bool fact);
  // notes: the record's notes (paragraphs marked by '~'); tagged: the
  // paragraphs of the criterion's tag. hasNotes false: no notes at all.
  static int MatchNotes(const CFilterCriterion& c, bool hasNotes, const std::string& notes,
                        const std::string& tagged);

  // ---- reading the open family file ----
  // Prepares the working data of list (which the filter keeps pointers to).
  explicit CFieldFilter(const Expression& list);
  // The expression's result for the individual read in record.
  int Evaluate(const CIndividualRecord& record);
  // One field criterion on the individual.
  int TestCriterion(const CFilterCriterion& c, std::size_t index, const CIndividualRecord& record);
  // Whether a criterion needs the individual's detail part.
  bool NeedsDetails() const { return needsDetails_; }
  // The RIN range of the pass, narrowed by a RIN criterion that stands alone,
  // is followed by AND, or ends the list after AND.
  void PassRange(std::int32_t highest, std::int32_t& first, std::int32_t& last) const;

  // Runs the pass into set 0 of set (whose sets 0 and 2 exist or are made
  // with room for the highest RIN): flag raised, sets 0 and 2 emptied, the
  // individuals of the range read one by one and their results stored.
  // Every 100 individuals the progress bar steps, messages are pumped and
  // Cancel is read. kPassDone, or kPassCancelled.
  // individualsRead (may be null) receives the number of individuals read.
  static int RunPass(CFilterSet& set, int* individualsRead = nullptr);

  // The individuals the last Evaluate tested a criterion for (for tests and
  // the benchmark's figures).
  int testsRun = 0;

 private:
  int MatchIndividualSources(const CFilterCriterion& c, const CIndividualRecord& record);
  int MatchMarriageSources(const CFilterCriterion& c, std::int32_t rin);
  int MatchChains(const CFilterCriterion& c, const std::vector<std::vector<std::int32_t>>& chains);
  int MatchCitationField(const CFilterCriterion& c, int subField, std::int32_t citation);
  int MatchUserEvent(const CFilterCriterion& c, const CriterionWork& w, std::int32_t owner,
                     char ownerKind);
  const std::vector<std::int32_t>& Marriages(std::int32_t rin);
  // The fields that read more of the family file than the individual's
  // record.
  int TestAnyDate(const CFilterCriterion& c, const CIndividualRecord& p);
  int TestAnyPlace(const CFilterCriterion& c, const CriterionWork& w, const CIndividualRecord& p);
  int TestParentRelationship(const CFilterCriterion& c, std::int32_t rin);
  int TestMrin(const CFilterCriterion& c, std::int32_t rin);
  int TestMarriageValues(const CFilterCriterion& c, const CriterionWork& w, std::int32_t rin);
  int TestMarriageStatus(const CFilterCriterion& c, std::int32_t rin);
  int TestChildCount(const CFilterCriterion& c, std::int32_t rin);
  int TestAnyOrdinanceDate(const CFilterCriterion& c, const CIndividualRecord& p);
  int TestAnyTemple(const CFilterCriterion& c, const CriterionWork& w, const CIndividualRecord& p);
  int TestQualified(const CFilterCriterion& c, const CIndividualRecord& p);
  int TestQualifiedSealSpouse(const CFilterCriterion& c, const CIndividualRecord& p);

  Expression list_;
  std::vector<CriterionWork> work_;
  bool needsDetails_ = false;
  bool needsOrdinances_ = false;  // temples and qualifications are read in full
  std::int32_t marriagesOf_ = 0;
  std::vector<std::int32_t> marriages_;
};
