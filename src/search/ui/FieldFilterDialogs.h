#pragma once
// The Field Filtering screen, the screens that make one criterion of it,
// the sub-field chooser, and the Ancestors of / Descendants of screen of
// the relationship filter. What they decide lives in CFieldFilterEditor,
// NormalizeCriterionTexts and the filter classes.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DialogBase.h"
#include "FieldFilterEditor.h"
#include "RelationshipFilter.h"

class QComboBox;
class QGridLayout;
class QListWidget;
class QVBoxLayout;

// The operator words of a family: strings from firstId upward until an id
// has no string (at most max of them).
std::vector<std::string> OperatorWords(unsigned firstId, int max = 16);
// The field list: 4800 up to the first id without a string, then with ZEL
// shown 4870 up the same way; each with its id.
std::vector<std::pair<int, std::string>> FilterFieldList(bool showZel);

// One criterion of a field filter: made for a field (and a sub-field of user
// events and sources) or edited in place.
class CCriterionDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int kIdcOperator = 1286;
  static constexpr int kIdcText = 1113;
  static constexpr int kIdcTo = 1320;
  static constexpr int kIdcTextLabel = 1369;
  static constexpr int kIdcToLabel = 1371;
  static constexpr int kIdcFirstRadio = 1291;  // 1291-1295
  static constexpr int kIdcChoice = 1289;      // temples, values, note tags
  static constexpr int kIdcList = 1346;        // event types, source titles

  // kind: the criterion kind (fkind); subField: a user-event or source
  // sub-field, or 0; criterion: the one to edit, or null for a new one.
  CCriterionDialog(int fieldId, int kind, int subField, CFilterCriterion* criterion,
                   QWidget* parent = nullptr);

  // The criterion made by OK (a new one; null when editing or cancelled).
  std::unique_ptr<CFilterCriterion> TakeCriterion() { return std::move(made_); }
  int Kind() const { return kind_; }

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  void ShowForOperator();
  int Operator() const;
  bool IsCustomId() const { return fieldId_ == ffield::kCustomId; }
  std::vector<int> Radios() const;
  // The steps of building the screen: the radio buttons of the kind (the
  // operator words are answered), the value combo, the list of event types
  // or sources, and the text boxes hidden when another control stands in
  // their place.
  std::vector<std::string> AddKindControls(QVBoxLayout* layout, bool typeList, bool sourceList);
  void AddChoiceCombo(QGridLayout* grid);
  void AddRecordList(QGridLayout* grid, bool typeList);
  void HideTextControls();

  int fieldId_;
  int kind_;
  int subField_;
  CFilterCriterion* criterion_;
  std::unique_ptr<CFilterCriterion> made_;
  std::vector<std::int32_t> itemData_;  // of the choice combo or the list
  std::int32_t lowest_ = 0, highest_ = 0;
};

// "Select %s": the sub-field of a user-event or source criterion.
class CSubFieldDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 418;
  static constexpr int kIdcList = 1346;
  // captionId: "User Event Field|user event field" or the source pair;
  // firstId: the first sub-field id.
  CSubFieldDialog(unsigned captionId, unsigned firstId, bool currentFormat,
                  QWidget* parent = nullptr);
  int chosen = 0;

 protected:
  void OnOK() override;

 private:
  QListWidget* list_;
};

// The Field Filtering screen.
class CFieldFilterDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 343;
  static constexpr int kIdcFields = 1346;
  static constexpr int kIdcOpen = 1341;
  static constexpr int kIdcClose = 1342;
  static constexpr int kIdcAnd = 1321;
  static constexpr int kIdcOr = 1322;
  static constexpr int kIdcAdd = 1343;
  static constexpr int kIdcRemove = 1344;
  static constexpr int kIdcRemoveAll = 1345;
  static constexpr int kIdcExpression = 1077;
  static constexpr int kIdcModify = 1339;
  static constexpr int kIdcSpin = 1609;
  static constexpr int kIdcSave = 1264;
  static constexpr int kIdcRetrieve = 1318;

  // set: the caller's filter set or null; combineOp: the operator of a set
  // made here.
  CFieldFilterDialog(CFilterSet* set, int combineOp, bool showZel, bool readOnly,
                     QWidget* parent = nullptr);

  CFieldFilterEditor& Editor() { return editor_; }
  // Runs the criterion screen of a field; replaced by tests.
  std::function<std::unique_ptr<CFilterCriterion>(int fieldId)> newCriterion;
  std::function<bool(CFilterCriterion&)> editCriterion;
  // The named-item screens, replaced by tests: the path and name chosen,
  // false for Cancel.
  std::function<bool(std::string& path, std::string& name)> chooseSaveFile;
  std::function<bool(std::string& path, std::string& name)> chooseOpenFile;
  // The edit password gate; unset, saving is allowed.
  std::function<bool()> checkEditPassword;

  void OnAddField();
  void InsertToken(std::uint16_t tokenId);
  void OnRemove();
  void OnRemoveAll();
  void OnModify();
  void OnMoveUp();
  void OnMoveDown();
  void OnSaveFilter();
  void OnRetrieveFilter();

  // The default criterion screens: the chooser for user events and sources,
  // then the field's screen.
  static std::unique_ptr<CFilterCriterion> NewCriterion(int fieldId, QWidget* parent);
  static bool EditCriterion(CFilterCriterion& criterion, QWidget* parent);

 protected:
  void OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

 private:
  void ShowExpression();
  bool ReportSyntax(const FilterSyntaxFault& fault);

  CFieldFilterEditor editor_;
  bool showZel_;
  bool readOnly_;
  QListWidget* fields_ = nullptr;
  QListWidget* expression_ = nullptr;
};

// Ancestors of / Descendants of: generations, descendant generations,
// spouses and all parents, kept in the Search section.
class CAncestorsOfDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 344;
  static constexpr int kIdcQuestion = 1374;
  static constexpr int kIdcGenerations = 1351;
  static constexpr int kIdcDescText = 1376;
  static constexpr int kIdcDescLabel = 1350;
  static constexpr int kIdcDescGenerations = 1128;
  static constexpr int kIdcSpouseText = 1377;
  static constexpr int kIdcSpouses = 1352;
  static constexpr int kIdcParentsText = 1378;
  static constexpr int kIdcAllParents = 1354;

  CAncestorsOfDialog(const std::string& name, bool ancestors, QWidget* parent = nullptr);
  GenerationChoice choice;

 protected:
  bool DoDataExchange(bool save) override;
  void OnOK() override;

 private:
  bool ancestors_;
};

// The relationship filter's hooks on these screens and the dialog's pump
// (waiting events without user input).
RelationshipFilterHooks RelationshipFilterScreens(QWidget* parent);
