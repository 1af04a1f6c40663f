#include "PersistentObject.h"

#include <cassert>

#include "PersistentFile.h"

KOR_IMPLEMENT_DYNCREATE(CPersistentObject, 1)
KOR_IMPLEMENT_DYNCREATE(CPersistentArray, 1)
KOR_IMPLEMENT_DYNCREATE(CPersistentList, 1)

int CPersistentObject::Compare(const CPersistentObject* /*other*/) const { return -1; }

bool CPersistentObject::Matches(std::int32_t /*key*/) const { return false; }

void CPersistentObject::Store(CPersistentFile* /*file*/) const {}

void CPersistentObject::Load(CPersistentFile* /*file*/) {}

// ---- CPersistentArray

CPersistentObject* CPersistentArray::GetAt(int index) const {
  return dynamic_cast<CPersistentObject*>(CObArrayEx::GetAt(index));
}

int CPersistentArray::Add(CPersistentObject* element) {
  if (element == nullptr) return -1;
  return CObArrayEx::Add(element);
}

int CPersistentArray::Add(std::unique_ptr<CPersistentObject> element) {
  if (!element) return -1;
  return CObArrayEx::Add(std::unique_ptr<CObject>(std::move(element)));
}

CPersistentObject* CPersistentArray::GetFirst() {
  return dynamic_cast<CPersistentObject*>(CObArrayEx::GetFirst());
}

CPersistentObject* CPersistentArray::GetNext() {
  return dynamic_cast<CPersistentObject*>(CObArrayEx::GetNext());
}

CPersistentObject* CPersistentArray::GetCurrent() const {
  return dynamic_cast<CPersistentObject*>(CObArrayEx::GetCurrent());
}

CPersistentObject* CPersistentArray::Find(std::int32_t key) {
  for (CPersistentObject* element = GetFirst(); element != nullptr; element = GetNext()) {
    if (element->Matches(key)) return element;
  }
  return nullptr;
}

int CPersistentArray::IndexOf(std::int32_t key) {
  return Find(key) != nullptr ? GetCurrentIndex() : -1;
}

int CPersistentArray::InsertSorted(CPersistentObject* object) {
  // A null element would end every cursor walk early and break the stream
  // form of the array, so it is refused.
  if (object == nullptr) return -1;
  const int count = GetSize();
  int index;
  if (count == 0 || object->Compare(GetAt(0)) < 0) {
    index = 0;
  } else if (object->Compare(GetAt(count - 1)) > 0) {
    index = count;
  } else {
    int lo = 0;
    int hi = count - 1;
    while (hi - lo > 1) {
      int mid = lo + (hi - lo) / 2;
      if (object->Compare(GetAt(mid)) < 0) {
        hi = mid;
      } else {
        lo = mid;
      }
    }
    index = hi;
  }
  CObArrayEx::InsertAt(index, object);
  return index;
}

int CPersistentArray::InsertSorted(std::unique_ptr<CPersistentObject> object) {
  assert(OwnsElements() || !object);
  int index = InsertSorted(object.get());
  if (index >= 0) object.release();
  return index;
}

bool CPersistentArray::Store(CPersistentFile* file) const {
  file->WriteDword(static_cast<std::uint32_t>(GetSize()));
  for (int i = 0; i < GetSize() && file->Good(); ++i) file->WriteObject(GetAt(i));
  return file->Good();
}

bool CPersistentArray::Load(CPersistentFile* file) {
  std::uint32_t count = file->ReadDword();
  for (std::uint32_t i = 0; i < count && file->Good(); ++i) {
    std::unique_ptr<CPersistentObject> element;
    if (!file->ReadObject(element)) break;
    if (!element) {
      // Arrays hold no null elements, so "no object" here means a damaged stream.
      file->SetError(ObjectStreamError::kCorrupt);
      break;
    }
    Add(std::move(element));
  }
  return file->Good();
}

bool CPersistentArray::Serialize(CPersistentFile& file, bool storing) {
  if (storing) {
    for (int i = 0; i < GetSize() && file.Good(); ++i) file.WriteObject(GetAt(i));
    return file.Good();
  }
  while (file.Good() && file.GetPosition() < file.GetLength()) {
    std::unique_ptr<CPersistentObject> element;
    if (file.ReadObject(element) && element) Add(std::move(element));
  }
  return file.Good();
}

// ---- CPersistentList

bool CPersistentList::Serialize(CPersistentFile& file, bool storing) {
  if (storing) {
    for (CObject* element : *this) {
      if (!file.WriteObject(dynamic_cast<const CPersistentObject*>(element))) break;
    }
    return file.Good();
  }
  while (file.Good() && file.GetPosition() < file.GetLength()) {
    std::unique_ptr<CPersistentObject> element;
    if (file.ReadObject(element) && element) AddTail(std::unique_ptr<CObject>(std::move(element)));
  }
  return file.Good();
}
