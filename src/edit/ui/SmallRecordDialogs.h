#pragma once
// Small modal dialogs opened for one record: Contact Information of an
// individual, the actual text of a citation, and Families for.

#include <string>

#include "ContactFields.h"
#include "DialogBase.h"
#include "FamilyLines.h"
#include "NotesEditing.h"

class CIndividualNode;
class QListWidget;

namespace editui {

class CContactInfoDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 382;
  // The edits in the order of CContactFields::Field.
  static constexpr int kIdcFields[CContactFields::kFieldCount] = {1113, 1320, 1129, 1327, 1338,
                                                                  1326, 1433, 1434, 1435};

  CContactInfoDialog(QWidget* parent, CIndividualNode& person);

  std::string captionInsert;
  notes::EditGate gate;

 protected:
  void OnInitDialog() override;
  // After the edit password the fields go to the in-memory individual.
  void OnOK() override;

 private:
  CIndividualNode& person_;
  CContactFields fields_;
};

class CCitationTextDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 381;
  static constexpr int kIdcText = 856;

  explicit CCitationTextDialog(QWidget* parent = nullptr);

  std::string text;  // CR LF line ends
  std::string captionInsert;

 protected:
  void OnInitDialog() override;
  void OnOK() override;
};

// Picks one family of an individual, or all families in which it is a
// parent and/or a child; value holds the choice after OK (0 all, -1 all as a
// parent, -2 all as a child, else an MRIN).
class CFamiliesForDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 444;
  static constexpr int kIdcList = 871;

  CFamiliesForDialog(QWidget* parent, std::int32_t rin);

  // Without any family there is nothing to choose: the dialog ends at once
  // with 0.
  int exec() override;

  std::int32_t value = 0;

 protected:
  void OnOK() override;

 private:
  std::int32_t rin_;
  std::vector<FamiliesForLine> lines_;
  QListWidget* list_ = nullptr;
};

// Picks one of an individual's marriages, or makes a new one through the
// last line "Add Marriage"; result holds the MRIN after OK (0 none).
class CMarriagesForDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 316;
  static constexpr int kIdcPrompt = 975;
  static constexpr int kIdcList = 871;
  // The item data of a line: 1 on the "Add Marriage" line, else 0.
  static constexpr int kAddMarriageRole = Qt::UserRole + 2;

  // second: an individual the caption names (Add Parents), or 0.
  CMarriagesForDialog(QWidget* parent, std::int32_t rin, std::int32_t second = 0);

  // Set before the run: no "Add Marriage" line and a plain caption; only
  // the marriages without a spouse.
  bool selectionOnly = false;
  bool onlyWithoutSpouse = false;
  // Only the marriages with this spouse (a RIN), 0 all.
  std::int32_t onlyWith = 0;
  std::int32_t result = 0;

  // Without a marriage line the dialog ends at once with 0.
  int exec() override;
  // Fills the list; the number of marriage lines.
  int Fill();

 protected:
  void OnOK() override;

 private:
  std::int32_t rin_, second_;
  std::vector<MarriageChoice> choices_;
  QListWidget* list_ = nullptr;
};

}  // namespace editui
