#pragma once
// The owner side of a field list shown over an edit model: a finished
// edit is committed through the row of its line, and a refused commit keeps
// the editor open.

#include "EditModel.h"
#include "FieldListCtrl.h"

class CEditModelOwner : public CFieldListOwner {
 public:
  explicit CEditModelOwner(CEditModel* model) : model_(model) {}
  int OnCellDone(const FieldCellDone& done) override {
    if (done.list == nullptr || done.column != 1) return 0;
    CFieldListRow* row = done.list->GetRowObject(done.row);
    if (row == nullptr) return 0;
    return row->Commit(model_, done.list, done.cell) ? 0 : 1;
  }

 private:
  CEditModel* model_;
};
