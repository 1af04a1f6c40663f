#pragma once
// A list of objects that may own its elements and carries its own iteration
// cursor. An owning list (the default) deletes its elements, through their
// virtual destructors, when they are removed, when it is cleared and when it
// is destroyed; with the owning flag cleared it only holds pointers.

#include <list>
#include <memory>

#include "Object.h"

class CObListEx : public CObject {
  KOR_DECLARE_DYNCREATE(CObListEx)

 public:
  using const_iterator = std::list<CObject*>::const_iterator;

  CObListEx();
  ~CObListEx() override;
  CObListEx(const CObListEx&) = delete;
  CObListEx& operator=(const CObListEx&) = delete;

  bool OwnsElements() const { return ownsElements_; }
  void SetOwnsElements(bool owns) { ownsElements_ = owns; }

  int GetCount() const { return static_cast<int>(items_.size()); }
  bool IsEmpty() const { return items_.empty(); }
  // The first and last elements, or null when the list is empty.
  CObject* GetHead() const { return items_.empty() ? nullptr : items_.front(); }
  CObject* GetTail() const { return items_.empty() ? nullptr : items_.back(); }

  // An owning list takes over a raw pointer; the unique_ptr forms are for
  // owning lists only.
  void AddHead(CObject* element);
  void AddHead(std::unique_ptr<CObject> element);
  void AddTail(CObject* element);
  void AddTail(std::unique_ptr<CObject> element);

  // Remove an element, deleting it when the list owns it; nothing on an empty list.
  void RemoveHead();
  void RemoveTail();
  // Removes the element the cursor gave last (deleting it when owned); the
  // cursor then goes on with the element after it. False when there is none.
  bool RemoveCurrent();
  // Empties the list, deleting the elements when it owns them.
  void RemoveAll();

  // Cursor: GetFirst restarts at the head; GetNext gives the next element
  // (which becomes current) or null at the end.
  CObject* GetFirst();
  CObject* GetNext();
  CObject* GetCurrent() const { return current_ == items_.end() ? nullptr : *current_; }

  const_iterator begin() const { return items_.begin(); }
  const_iterator end() const { return items_.end(); }

 private:
  using Node = std::list<CObject*>::iterator;

  // Takes a node out of the list, keeping the cursor off it; answers its element.
  CObject* Unlink(Node node);

  std::list<CObject*> items_;
  bool ownsElements_ = true;
  Node next_;     // end() = at the end
  Node current_;  // end() = none
};
