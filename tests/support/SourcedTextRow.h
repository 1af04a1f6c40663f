#pragma once
// For the field-list tests: a text row whose sources button opens (the rows
// of the editing screens make most of theirs read-only).

#include <memory>

#include "FieldListRow.h"

class SourcedTextRow : public CTextRow {
 public:
  using CTextRow::CTextRow;
  std::unique_ptr<CFieldCell> CreateButtonCell() override {
    auto cell = std::make_unique<CButtonFieldCell>(count_, 0);
    buttonCell_ = cell.get();
    return cell;
  }
};
