#include "ObArrayEx.h"

#include <algorithm>
#include <cassert>

KOR_IMPLEMENT_DYNCREATE(CObArrayEx, 1)

CObArrayEx::~CObArrayEx() {
  if (ownsElements_) DeleteAll();
}

CObject* CObArrayEx::GetAt(int index) const {
  if (index < 0 || index >= GetSize()) return nullptr;
  return items_[static_cast<std::size_t>(index)];
}

int CObArrayEx::Add(CObject* element) {
  items_.push_back(element);
  return GetSize() - 1;
}

int CObArrayEx::Add(std::unique_ptr<CObject> element) {
  assert(ownsElements_ || !element);
  // The vector grows first so that a failed allocation leaves the element with its owner.
  items_.push_back(nullptr);
  items_.back() = element.release();
  return GetSize() - 1;
}

void CObArrayEx::InsertAt(int index, CObject* element) {
  index = std::clamp(index, 0, GetSize());
  items_.insert(items_.begin() + index, element);
}

void CObArrayEx::InsertAt(int index, std::unique_ptr<CObject> element) {
  assert(ownsElements_ || !element);
  index = std::clamp(index, 0, GetSize());
  auto it = items_.insert(items_.begin() + index, nullptr);
  *it = element.release();
}

void CObArrayEx::RemoveAt(int index) { std::unique_ptr<CObject> gone = DetachAt(index); }

std::unique_ptr<CObject> CObArrayEx::DetachAt(int index) {
  if (index < 0 || index >= GetSize()) return nullptr;
  CObject* element = items_[static_cast<std::size_t>(index)];
  items_.erase(items_.begin() + index);
  return ownsElements_ ? std::unique_ptr<CObject>(element) : nullptr;
}

void CObArrayEx::RemoveAll() {
  if (ownsElements_) {
    DeleteAll();
  } else {
    items_.clear();
  }
}

void CObArrayEx::DeleteAll() {
  // Taken out first, so that a destructor that looks at this array sees it empty.
  std::vector<CObject*> doomed;
  doomed.swap(items_);
  for (CObject* element : doomed) delete element;
}

CObject* CObArrayEx::GetFirst() {
  nextIndex_ = 0;
  return GetNext();
}

CObject* CObArrayEx::GetNext() {
  if (nextIndex_ < 0 || nextIndex_ >= GetSize()) return nullptr;
  currentIndex_ = nextIndex_++;
  return items_[static_cast<std::size_t>(currentIndex_)];
}
