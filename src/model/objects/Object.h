#pragma once
// The common root of the program's polymorphic objects, and the run-time class
// records through which an object can be created from its class name (the
// object stream reads objects that way).
//
// A class that can be created by name declares KOR_DECLARE_DYNCREATE(Class)
// in its body and KOR_IMPLEMENT_DYNCREATE(Class, schema) in its .cpp; that
// gives it its own record and puts the record in the list of run-time classes
// when the program starts.

#include <memory>
#include <string_view>

class CObject;

// What the program knows of a class at run time.
struct CRuntimeClass {
  const char* className;                 // exact, case-sensitive name
  int schema;                            // class version, stored as a 16-bit word
  std::unique_ptr<CObject> (*create)();  // null for a class that cannot be created

  // A new default-constructed object of the class, or null when it cannot be created.
  std::unique_ptr<CObject> CreateObject() const;

  // The first registered class whose name equals `name` exactly, or null.
  static const CRuntimeClass* FromName(std::string_view name);
};

class CObject {
 public:
  virtual ~CObject() = default;
  // The class's run-time record; null for a class that has none of its own
  // and whose bases have none.
  virtual const CRuntimeClass* GetRuntimeClass() const { return nullptr; }

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

// Adds a record to the list of run-time classes; used by KOR_IMPLEMENT_DYNCREATE.
class CRuntimeClassRegistration {
 public:
  explicit CRuntimeClassRegistration(const CRuntimeClass& record);
};

#define KOR_DECLARE_DYNCREATE(cls)                                              \
 public:                                                                        \
  static const CRuntimeClass class##cls;                                        \
  const CRuntimeClass* GetRuntimeClass() const override { return &class##cls; } \
  static std::unique_ptr<CObject> CreateObject();

#define KOR_IMPLEMENT_DYNCREATE(cls, schemaNumber)                                 \
  std::unique_ptr<CObject> cls::CreateObject() { return std::make_unique<cls>(); } \
  const CRuntimeClass cls::class##cls { #cls, schemaNumber, &cls::CreateObject };  \
  static const CRuntimeClassRegistration kRuntimeClassRegistration##cls(cls::class##cls);
