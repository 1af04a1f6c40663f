#pragma once
// Add Parents: the user finds or makes the parents' marriage of a child,
// adds or finds the father and the mother, and links the child to it.

#include <cstdint>
#include <string>

#include "AddParents.h"
#include "DialogBase.h"
#include "NotesEditing.h"

class QLabel;

namespace editui {

class CAddParentsDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 380;
  static constexpr int kIdcSearch = 1264;
  static constexpr int kIdcAddFather = 1318;
  static constexpr int kIdcFindFather = 1339;
  static constexpr int kIdcFatherName = 1341;
  static constexpr int kIdcAddMother = 1321;
  static constexpr int kIdcFindMother = 1342;
  static constexpr int kIdcMotherName = 1343;
  static constexpr int kIdcEditMarriage = 1344;

  // child: the individual; searchMrin: the MRIN the search starts with.
  CAddParentsDialog(std::int32_t child, std::int32_t searchMrin, QWidget* parent = nullptr);

  notes::EditGate gate;
  // The questions and screens the choices lead to; the constructor sets the
  // application's, tests replace them.
  addparents::Hooks hooks;
  addparents::CAddParentsModel& Model() { return model_; }
  // The new family link after OK, 0 otherwise.
  std::int32_t resultLink = 0;

  void Search();
  void FindParent(bool father);
  void AddParent(bool father);
  void EditParent(bool father);
  void EditMarriage();
  // Shows the chosen marriage's parents and enables what it allows.
  void Refresh();

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  bool CanEdit() const;
  std::string ChildName() const;
  std::string ParentName(std::int32_t rin) const;

  addparents::CAddParentsModel model_;
  std::int32_t searchMrin_;
  QString editMarriageCaption_;
};

}  // namespace editui
