#pragma once
// Parents of: an individual's parent families, with the relationship to the
// parents, the primary family, their order and unlinking.

#include <cstdint>
#include <functional>

#include "DialogBase.h"
#include "NotesEditing.h"
#include "ParentLinks.h"

class CIndividualNode;
class QComboBox;

namespace editui {
class CAddParentsDialog;
}
class QLineEdit;
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
  static constexpr int kIdcSealingLabel = 937;
  static constexpr int kIdcSealingDate = 843;
  static constexpr int kIdcSealingTemple = 842;
  static constexpr int kIdcSealingSources = 1303;

  // rin: the individual; viewOnly: no changes offered; individual: the
  // in-memory individual a screen holds for rin (may be null), which
  // follows what the dialog stores.
  CParentsOfDialog(std::int32_t rin, bool viewOnly, QWidget* parent = nullptr,
                   CIndividualNode* individual = nullptr);

  notes::EditGate gate;
  const CParentLinkList& Links() const { return links_; }
  // Runs Add Parents (tests answer it); unset, the dialog runs modally.
  std::function<int(CAddParentsDialog&)> runAddParents;

  void Select(int row);
  void ChooseRelationship(char letter);
  void MakePrimary();
  void Spin(int step);
  void Unlink();
  // Add: Add Parents; the link it makes is appended and becomes current.
  void Add();
  // "S": Sources for the current link's sealing.
  void OnSealingSources();

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
  // The sealing row is shown with ZEL data only.
  bool SealingShown() const;
  std::string TypedDate() const;
  std::string TypedTemple() const;
  // The current link changed on screen: relationship or (shown) sealing.
  bool CurrentChanged() const;
  // Puts what the screen shows into the current link.
  void TakeCurrent();

  CParentLinkList links_;
  bool viewOnly_;
  QListWidget* list_ = nullptr;
  QComboBox* relation_ = nullptr;
  // The relationship letter the combo showed before the user's latest
  // choice (0 for none).
  char shownLetter_ = 0;
  QLineEdit* sealingDate_ = nullptr;
  QComboBox* sealingTemple_ = nullptr;
};

}  // namespace editui
