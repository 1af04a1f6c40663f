#include "Object.h"

#include <mutex>
#include <vector>

namespace {

// The list of run-time classes; built during static initialisation and read
// later, so it is a function-local static and guarded by its own lock.
struct RuntimeClassList {
  std::mutex lock;
  std::vector<const CRuntimeClass*> records;
};

RuntimeClassList& ClassList() {
  static RuntimeClassList list;
  return list;
}

}  // namespace

std::unique_ptr<CObject> CRuntimeClass::CreateObject() const {
  return create != nullptr ? create() : nullptr;
}

const CRuntimeClass* CRuntimeClass::FromName(std::string_view name) {
  RuntimeClassList& list = ClassList();
  std::lock_guard<std::mutex> guard(list.lock);
  for (const CRuntimeClass* record : list.records) {
    if (record->className != nullptr && name == record->className) return record;
  }
  return nullptr;
}

CRuntimeClassRegistration::CRuntimeClassRegistration(const CRuntimeClass& record) {
  RuntimeClassList& list = ClassList();
  std::lock_guard<std::mutex> guard(list.lock);
  list.records.push_back(&record);
}
