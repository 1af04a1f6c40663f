#pragma once
// Small modal dialogs opened for one record: Contact Information of an
// individual and the actual text of a citation.

#include <string>

#include "ContactFields.h"
#include "DialogBase.h"
#include "NotesEditing.h"

class CIndividualNode;

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

}  // namespace editui
