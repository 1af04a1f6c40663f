#pragma once
// The small screens that the commands for adding people open: the Sex
// question for a new individual, "Add or Find an Individual", "Add or Select
// Individual", and the relative picker that finds an existing individual
// through the Find dialog and refuses links that make no sense.

#include <cstdint>
#include <string>

#include "DialogBase.h"

class CIndividualNode;

class CSexDialog : public fw::CDialogBase {
  Q_OBJECT
 public:
  static constexpr int kIdcMale = 1506;
  static constexpr int kIdcFemale = 1507;
  static constexpr int kIdcUnknown = 1508;
  explicit CSexDialog(QWidget* parent = nullptr);
  int choice = 2;  // 0 male, 1 female, 2 unknown

 protected:
  bool DoDataExchange(bool save) override;
  void reject() override {}  // no Cancel: Esc does nothing
};

class CAddOrFindIndividualDialog : public fw::CDialogBase {
  Q_OBJECT
 public:
  static constexpr int kIdcFather = 1274;
  static constexpr int kIdcMother = 1275;
  static constexpr int kIdcSpouse = 1276;
  static constexpr int kIdcChild = 1277;
  static constexpr int kIdcUnlinked = 1278;
  static constexpr int kIdcFindExisting = 1264;
  static constexpr int kNewUnlinked = 4;
  CAddOrFindIndividualDialog(bool fatherAllowed, bool motherAllowed, QWidget* parent = nullptr);
  // 0-4 add a new father, mother, spouse, child or unlinked individual;
  // after Find Existing the same plus 5.
  int selection = kNewUnlinked;
  std::string caption;

 protected:
  void OnInitDialog() override;
  bool DoDataExchange(bool save) override;

 private:
  void OnRadio(int index);
  bool fatherAllowed_;
  bool motherAllowed_;
};

class CAddOrSelectIndividualDialog : public fw::CDialogBase {
  Q_OBJECT
 public:
  static constexpr int kIdcPrompt = 1369;
  static constexpr int kIdcAddNew = 1486;
  static constexpr int kIdcSelectExisting = 1487;
  static constexpr int kIdcUnknown = 1488;
  static constexpr int kIdcHelp = 57670;
  // Results.
  static constexpr int kAddNew = 0;
  static constexpr int kSelectExisting = 1;
  static constexpr int kUnknown = 2;
  static constexpr int kCancelled = -1;
  // The prompt is the text of promptId with the individual's name (or text)
  // as its %1; without either it stays empty.
  CAddOrSelectIndividualDialog(const CIndividualNode* individual, unsigned promptId,
                               bool showUnknown, QWidget* parent = nullptr);
  CAddOrSelectIndividualDialog(const std::string& text, unsigned promptId, bool showUnknown,
                               QWidget* parent = nullptr);
  const std::string& Prompt() const { return prompt_; }

 protected:
  void OnCancel() override { done(kCancelled); }

 private:
  void Build(bool showUnknown);
  std::string prompt_;
};

// Finds an existing individual to link to rin: the Find dialog in individual
// mode (listTitle replaces "Individual" in its Individual List's caption),
// then CheckRelativeLink. messageId takes the check's answer; with
// showMessage a refusal not already answered is shown. The chosen RIN
// after OK (even when refused), 0 when the Find dialog was cancelled.
std::int32_t PickRelativeByFind(std::int32_t rin, const std::string& seed,
                                const std::string& listTitle, char requiredSex, int& messageId,
                                bool showMessage, int listMode, QWidget* parent = nullptr);
// The same for an individual (seed "Surname, Given names"); 0 without one.
std::int32_t SelectExistingRelative(const CIndividualNode* individual, const std::string& listTitle,
                                    char requiredSex, int& messageId, bool showMessage,
                                    int listMode, QWidget* parent = nullptr);
