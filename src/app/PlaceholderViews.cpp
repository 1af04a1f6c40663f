#include "PlaceholderViews.h"

const fw::CRuntimeClass* CPedigreePlaceholderView::GetRuntimeClass() const {
  return fw::RuntimeClassOf<CPedigreePlaceholderView>();
}

const fw::CRuntimeClass* CFamilyPlaceholderView::GetRuntimeClass() const {
  return fw::RuntimeClassOf<CFamilyPlaceholderView>();
}
