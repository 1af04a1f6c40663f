#include "ObListEx.h"

#include <cassert>

KOR_IMPLEMENT_DYNCREATE(CObListEx, 1)

CObListEx::CObListEx() : next_(items_.end()), current_(items_.end()) {}

CObListEx::~CObListEx() {
  if (ownsElements_) RemoveAll();
}

void CObListEx::AddHead(CObject* element) { items_.push_front(element); }

void CObListEx::AddHead(std::unique_ptr<CObject> element) {
  assert(ownsElements_ || !element);
  items_.push_front(nullptr);
  items_.front() = element.release();
}

void CObListEx::AddTail(CObject* element) { items_.push_back(element); }

void CObListEx::AddTail(std::unique_ptr<CObject> element) {
  assert(ownsElements_ || !element);
  items_.push_back(nullptr);
  items_.back() = element.release();
}

CObject* CObListEx::Unlink(Node node) {
  if (next_ == node) next_ = std::next(node);
  if (current_ == node) current_ = items_.end();
  CObject* element = *node;
  items_.erase(node);
  return element;
}

void CObListEx::RemoveHead() {
  if (items_.empty()) return;
  CObject* element = Unlink(items_.begin());
  if (ownsElements_) delete element;
}

void CObListEx::RemoveTail() {
  if (items_.empty()) return;
  CObject* element = Unlink(std::prev(items_.end()));
  if (ownsElements_) delete element;
}

bool CObListEx::RemoveCurrent() {
  if (current_ == items_.end()) return false;
  CObject* element = Unlink(current_);
  if (ownsElements_) delete element;
  return true;
}

void CObListEx::RemoveAll() {
  // Taken out first, so that a destructor that looks at this list sees it empty.
  std::list<CObject*> doomed;
  doomed.swap(items_);
  next_ = items_.end();
  current_ = items_.end();
  if (ownsElements_) {
    for (CObject* element : doomed) delete element;
  }
}

CObject* CObListEx::GetFirst() {
  next_ = items_.begin();
  current_ = items_.end();
  return GetNext();
}

CObject* CObListEx::GetNext() {
  if (next_ == items_.end()) return nullptr;
  current_ = next_++;
  return *current_;
}
