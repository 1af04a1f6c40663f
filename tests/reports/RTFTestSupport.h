#pragma once
// What the RTF tests share: an element's RTF as written into a document's
// file, and a class whose objects cannot be made again when read back.

#include <memory>
#include <string>

#include "Object.h"
#include "RTFDocument.h"
#include "RTFElements.h"
#include "RTFFile.h"

// The bytes element writes, after `before` was written to the file.
inline std::string RtfOf(const CRTFObject& element, CRTFDocument& document,
                         const std::string& before = {}) {
  CRTFFile file;
  file.OpenMemory();
  file.WriteString(before);
  element.WriteRTF(document, file);
  return file.MemoryContents().substr(before.size());
}

inline std::string RtfOf(const CRTFObject& element) {
  CRTFDocument document;
  return RtfOf(element, document);
}

// Stored under a class name no run-time class has, as an element written by
// another build of the program would be.
class CRTFUncreatableText : public CRTFText {
 public:
  using CRTFText::CRTFText;
  const CRuntimeClass* GetRuntimeClass() const override {
    static const CRuntimeClass record{"CRTFNoSuchElement", 1, nullptr};
    return &record;
  }
};

inline std::unique_ptr<CRTFText> Text(const std::string& text, int alignment = 0) {
  return std::make_unique<CRTFText>(text, 0, 20, false, false, false, alignment, false);
}
