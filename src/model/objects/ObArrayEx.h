#pragma once
// An array of objects that may own its elements and carries its own iteration
// cursor. An owning array (the default) deletes its elements, through their
// virtual destructors, when it is cleared or destroyed and when an element is
// removed; with the owning flag cleared it only holds pointers.

#include <memory>
#include <vector>

#include "Object.h"

class CObArrayEx : public CObject {
  KOR_DECLARE_DYNCREATE(CObArrayEx)

 public:
  using const_iterator = std::vector<CObject*>::const_iterator;

  CObArrayEx() = default;
  ~CObArrayEx() override;
  CObArrayEx(const CObArrayEx&) = delete;
  CObArrayEx& operator=(const CObArrayEx&) = delete;

  bool OwnsElements() const { return ownsElements_; }
  void SetOwnsElements(bool owns) { ownsElements_ = owns; }

  int GetSize() const { return static_cast<int>(items_.size()); }
  int GetCount() const { return GetSize(); }
  bool IsEmpty() const { return items_.empty(); }
  // The element at `index`, or null outside the array.
  CObject* GetAt(int index) const;

  // Appends an element and returns its index. An owning array takes over a
  // raw pointer; the unique_ptr form is for owning arrays only.
  int Add(CObject* element);
  int Add(std::unique_ptr<CObject> element);
  // Inserts before `index` (clamped to 0..size).
  void InsertAt(int index, CObject* element);
  void InsertAt(int index, std::unique_ptr<CObject> element);

  // Removes the element at `index`, deleting it when the array owns it.
  void RemoveAt(int index);
  // Takes the element at `index` out of the array. An owning array hands it
  // over; a non-owning one has nothing to hand over and answers null.
  std::unique_ptr<CObject> DetachAt(int index);
  // Empties the array, deleting the elements when it owns them.
  void RemoveAll();
  // Deletes every element from the first, whatever the owning flag, and empties the array.
  void DeleteAll();

  // Cursor: GetFirst restarts at index 0; GetNext gives the element at the
  // next index (which becomes current) or null past the end, and keeps
  // answering null until GetFirst is called again.
  CObject* GetFirst();
  CObject* GetNext();
  CObject* GetCurrent() const { return GetAt(currentIndex_); }
  int GetCurrentIndex() const { return currentIndex_; }

  const_iterator begin() const { return items_.begin(); }
  const_iterator end() const { return items_.end(); }

 private:
  std::vector<CObject*> items_;
  bool ownsElements_ = true;
  int currentIndex_ = -1;
  int nextIndex_ = 0;
};
