#pragma once
// Spouse Order / Child Order: move one of an individual's marriages or one
// of a marriage's children up or down and store the order; Other Marriages:
// pick one of an individual's marriages. Both end with 5 plus the index of
// the entry current at OK, or Cancel.

#include <cstdint>

#include "DialogBase.h"
#include "FamilyLines.h"
#include "NotesEditing.h"

class QListWidget;

namespace editui {

class CSpouseChildOrderDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 313;
  static constexpr int kIdcList = 852;
  static constexpr int kIdcOrder = 881;
  static constexpr int kIdcUp = 1613;    // the spin's up arrow: one place earlier
  static constexpr int kIdcDown = 1614;  // the spin's down arrow: one place later
  static constexpr int kIdcNameLabel = 1012;
  static constexpr int kIdcDateLabel = 1013;

  // owner: the individual (mode kSpouses) or the marriage (kChildren);
  // index: the entry to select, from 0.
  CSpouseChildOrderDialog(QWidget* parent, std::int32_t owner, COrderList::Mode mode, int index);

  notes::EditGate gate;
  const COrderList& Order() const { return order_; }
  // A step of the spin: > 0 one place later, < 0 one place earlier.
  void Spin(int step);

 protected:
  void OnOK() override;

 private:
  void Fill();
  COrderList order_;
  QListWidget* list_ = nullptr;
};

class COtherMarriagesDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 390;
  static constexpr int kIdcList = 1066;

  // parent window, the individual, the index of the line to select.
  COtherMarriagesDialog(QWidget* parent, std::int32_t rin, int index);

 protected:
  void OnOK() override;

 private:
  QListWidget* list_ = nullptr;
};

}  // namespace editui
