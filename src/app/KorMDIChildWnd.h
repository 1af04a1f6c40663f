#pragma once
// The document window of an open family file: it frames the pedigree view
// or the family view and can swap one for the other.

#include "MDIChildWnd.h"

class CKorMDIChildWnd : public fw::CMDIChildWnd {
  Q_OBJECT

 public:
  // Replaces the active view by a new view of the class over the same
  // document: 1 when the active view already is of that class or the new
  // view was made, 0 without an active view or when the class cannot be made
  // (the active view then stays).
  int SwitchView(const fw::CRuntimeClass* viewClass);
};
