#pragma once
// Parents of: an individual's parent families, with the relationship to the
// parents, the primary family, their order and unlinking.

#include <cstdint>

#include "DialogBase.h"
#include "NotesEditing.h"
#include "ParentLinks.h"

class QComboBox;
class QListWidget;

namespace editui {

// The relationship items of the combo: the words of the relationship text
// with their fixed letters; "Sealing" only when asked for.
struct RelationshipItem {
  std::string text;
  char letter;
};
std::vector<RelationshipItem> RelationshipItems(bool includeSealing);

class CParentsOfDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 379;
  static constexpr int kIdcList = 1346;
  static constexpr int kIdcUp = 1611;    // the spin: one place towards the head
  static constexpr int kIdcDown = 1612;  // ... towards the end
  static constexpr int kIdcAdd = 1339;
  static constexpr int kIdcUnlink = 1264;
  static constexpr int kIdcMakePrimary = 1318;
  static constexpr int kIdcRelationLabel = 1369;
  static constexpr int kIdcRelation = 1286;
  static constexpr int kIdcNotes = 1302;

  // rin: the individual; viewOnly: no changes offered.
  CParentsOfDialog(std::int32_t rin, bool viewOnly, QWidget* parent = nullptr);

  notes::EditGate gate;
  const CParentLinkList& Links() const { return links_; }

  void Select(int row);
  void ChooseRelationship(char letter);
  void MakePrimary();
  void Spin(int step);
  void Unlink();

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  void Fill();
  // Notes of the individual; the caption is marked "*" while there are any.
  void OnNotes();
  void MarkNotes();
  void ShowCurrent();
  bool CanEdit() const;
  // Asks 5202 when the current link changed, and stores it unless No.
  void AskAndStore();
  char ComboLetter() const;

  CParentLinkList links_;
  bool viewOnly_;
  QListWidget* list_ = nullptr;
  QComboBox* relation_ = nullptr;
};

}  // namespace editui
