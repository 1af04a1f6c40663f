#pragma once
// What the Field Filtering screen decides: the expression being edited (deep
// copies of the filter set's criteria), the selected line, Save's state, OK
// with its syntax check and pass, Cancel, and saving and retrieving saved
// field filters (".fld"). Also the normalisation the criterion screens apply
// to what the user typed when they close with OK.
//
// Each criterion has one owner: the editor owns its copies, and OK hands the
// filter set copies of its own, so a cancelled pass leaves the screen with
// its expression while Cancel puts back the set as it was opened.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FieldFilter.h"
#include "FilterSet.h"

class CFieldFilterEditor {
 public:
  // Results of OK.
  static constexpr int kSyntaxFault = -1;
  static constexpr int kPassCancelled = 0;
  static constexpr int kClosed = 1;

  // set: the caller's filter set (null when it has none); combineOp: the
  // operator of a set made here; readOnly: the family file cannot be written.
  CFieldFilterEditor(CFilterSet* set, int combineOp, bool readOnly);

  // The expression list: one description per criterion, then a blank line.
  std::vector<std::string> Lines() const;
  int LineCount() const { return static_cast<int>(edited_.size()) + 1; }
  int Selected() const { return selected_; }
  void Select(int line);
  bool SaveEnabled() const { return !readOnly_ && !edited_.empty(); }
  const std::vector<std::unique_ptr<CFilterCriterion>>& Edited() const { return edited_; }
  // The criterion of the selected line; null on the blank line.
  CFilterCriterion* SelectedCriterion();

  // Inserts at the selected line; the line after the new one is selected.
  void Insert(std::unique_ptr<CFilterCriterion> criterion);
  void InsertToken(std::uint16_t tokenId);
  // "<": removes the selected criterion, keeping the selection index.
  void Remove();
  // "<<": removes every criterion and selects the first line.
  void RemoveAll();
  void MoveUp();
  void MoveDown();

  // The expression check; fault as CFieldFilter::CheckSyntax gives it.
  bool CheckSyntax(FilterSyntaxFault* fault) const;
  // OK: the check, the set (made when missing and the expression is not
  // empty), its criteria replaced by copies of the expression, and the pass
  // when the expression changed. kClosed, kSyntaxFault, or kPassCancelled
  // (the screen stays open).
  int OK(FilterSyntaxFault* fault);
  // Cancel: the filter set gets back the criteria, sets and flag it had when
  // the screen opened; a set made here goes.
  void Cancel();
  // Whether the expression equals the opening one.
  bool IsUnchanged() const;
  // The filter set after OK: the caller's, or one made here (TakeCreatedSet
  // hands that over).
  CFilterSet* Set() { return set_ ? set_ : created_.get(); }
  std::unique_ptr<CFilterSet> TakeCreatedSet() { return std::move(created_); }
  bool PassRan() const { return passRan_; }

  // Writes the expression as a saved field filter named name to path: the
  // header (keeping the owner an existing file names) and the criteria, in
  // a temporary file renamed over path. 0, or -1 and path as it was.
  int SaveFieldFilter(const std::string& path, const std::string& name) const;
  // Replaces the expression by the saved field filter at path; name becomes
  // the field list name also when the read fails. 0, or -1 and the
  // expression unchanged.
  int RetrieveFieldFilter(const std::string& path, const std::string& name);
  std::string fieldListName;

 private:
  CFilterSet* set_;
  std::unique_ptr<CFilterSet> created_;
  std::unique_ptr<CFilterSet> opening_;  // the set as it was opened, for Cancel
  int combineOp_;
  bool readOnly_;
  std::vector<std::unique_ptr<CFilterCriterion>> edited_;
  int selected_ = 0;
  bool passRan_ = false;
};

// What a criterion screen stores from the typed texts on OK, by the screen's
// kind (fkind): the operator may change ("*x*" with "Matches" becomes
// "Contains x"), stars are removed or cut, texts an operator does not use
// are emptied, and for places ", " becomes ",".
void NormalizeCriterionTexts(int kind, std::uint16_t& op, std::string& text1, std::string& text2);

// The tags the Notes criterion offers after its empty entry: the user's note
// tags ("Note Tags", Tag1, Tag2, ... up to the first empty one) or, while
// none are kept, the standard tags of the notes screens; "All" is left out.
std::vector<std::string> NotesCriterionTags();
