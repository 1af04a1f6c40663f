#pragma once
// Stand-ins for the pedigree view and the family view of a document window
// until those views exist: empty views that keep the window and its
// document alive.

#include "View.h"

class CPedigreePlaceholderView : public fw::CView {
  Q_OBJECT

 public:
  static constexpr const char* kClassName = "CPedigreePlaceholderView";
  const fw::CRuntimeClass* GetRuntimeClass() const override;
};

class CFamilyPlaceholderView : public fw::CView {
  Q_OBJECT

 public:
  static constexpr const char* kClassName = "CFamilyPlaceholderView";
  const fw::CRuntimeClass* GetRuntimeClass() const override;
};
