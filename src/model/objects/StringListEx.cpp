#include "StringListEx.h"

#include <iterator>

CStringListEx::CStringListEx() : next_(items_.end()), current_(items_.end()) {}

CStringListEx::CStringListEx(const CStringListEx& other)
    : items_(other.items_), next_(items_.end()), current_(items_.end()) {}

CStringListEx& CStringListEx::operator=(const CStringListEx& other) {
  if (this != &other) {
    items_ = other.items_;
    next_ = items_.end();
    current_ = items_.end();
  }
  return *this;
}

std::string CStringListEx::GetAt(int index) const {
  if (index < 0 || index >= GetCount()) return std::string();
  return *std::next(items_.begin(), index);
}

int CStringListEx::Find(const std::string& text) const {
  int index = 0;
  for (const std::string& s : items_) {
    if (s == text) return index;
    ++index;
  }
  return -1;
}

void CStringListEx::AddHead(const std::string& text) { items_.push_front(text); }

void CStringListEx::AddTail(const std::string& text) { items_.push_back(text); }

void CStringListEx::Unlink(Node node) {
  if (next_ == node) next_ = std::next(node);
  if (current_ == node) current_ = items_.end();
  items_.erase(node);
}

void CStringListEx::RemoveHead() {
  if (!items_.empty()) Unlink(items_.begin());
}

void CStringListEx::RemoveTail() {
  if (!items_.empty()) Unlink(std::prev(items_.end()));
}

void CStringListEx::RemoveAll() {
  items_.clear();
  next_ = items_.end();
  current_ = items_.end();
}

bool CStringListEx::GetFirst(std::string& out) {
  next_ = items_.begin();
  current_ = items_.end();
  return GetNext(out);
}

bool CStringListEx::GetNext(std::string& out) {
  if (next_ == items_.end()) {
    out.clear();
    current_ = items_.end();
    return false;
  }
  current_ = next_++;
  out = *current_;
  return true;
}

bool CStringListEx::RemoveAt(int index) {
  // Walks with a node of its own, so the caller's cursor keeps its place.
  int seen = 0;
  for (Node node = items_.begin(); node != items_.end() && !node->empty(); ++node, ++seen) {
    if (seen == index) {
      Unlink(node);
      return true;
    }
  }
  return false;
}
