#pragma once
// CRTFObject: the base of the RTF elements a report is made of when it goes
// to an RTF file (texts, tab sets, shapes, pictures, headers, footers, index
// entries, bullets and table rows) and of the document that collects them.
// An element knows its stored form (Store/Load, on the object stream of a
// work file) and the RTF it writes (WriteRTF).
//
// Stored form: every element, at the top of a work file or nested in
// another, is one element record: a string holding the element's own object
// stream (its class header, then what its Store writes), empty for none. So
// a reader can step over an element whose class it cannot create, and the
// elements around it still come back.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "PersistentObject.h"

class CPersistentFile;
class CRTFDocument;
class CRTFFile;

class CRTFObject : public CPersistentObject {
  KOR_DECLARE_DYNCREATE(CRTFObject)

 public:
  CRTFObject() = default;

  // Writes the in-table flag; every element's Store calls this first.
  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  // Writes the element's RTF; the document supplies the shape counters.
  virtual void WriteRTF(CRTFDocument& document, CRTFFile& file) const;
  // Containers take the child over (null is ignored); leaves drop it.
  virtual void AddChild(std::unique_ptr<CRTFObject> child);

  // Set on a child of a table cell or an index entry just before it writes.
  void SetInTable(bool inTable) const { inTable_ = inTable ? 1 : 0; }
  bool InTable() const { return inTable_ != 0; }

 private:
  mutable std::int32_t inTable_ = 0;
};

using RTFChildren = std::vector<std::unique_ptr<CRTFObject>>;

namespace rtf {

// Text of a report escaped for RTF, appended to out: CR becomes "\par" and
// the CR, tab "\tab ", braces "\{" and "\}", a backslash "\\" (kept as it is
// when raw: the program's own control words such as "\chpgn"), and a byte
// above 127 "\'hh". Answers whether any character was copied as itself.
bool AppendText(std::string& out, std::string_view text, bool raw);
// A name written inside a group (font face): backslash, braces and bytes
// above 127 escaped.
std::string EscapeName(std::string_view name);
// A text for a raw text run: only its backslashes doubled, so that a user's
// text can be joined to the program's control words.
std::string QuoteBackslashes(std::string_view text);
// printf into a string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Element records (see above).
void StoreElement(CPersistentFile* file, const CRTFObject* element);
// Reads one element record. False when the stream is damaged (the file then
// keeps the error). On success element holds the element, or null for none
// and for an element of a class that cannot be created here (skipped is
// then set when given).
bool LoadElement(CPersistentFile* file, std::unique_ptr<CRTFObject>& element,
                 bool* skipped = nullptr);
// A child list: a count, then one element record per child.
void StoreChildren(CPersistentFile* file, const RTFChildren& children);
// Replaces children by the list read; skipped children are left out.
bool LoadChildren(CPersistentFile* file, RTFChildren& children);

// An element's record bytes, and the element read back from them.
std::string ElementBytes(const CRTFObject* element);
bool ElementFromBytes(const std::string& bytes, std::unique_ptr<CRTFObject>& element,
                      bool* skipped = nullptr);

}  // namespace rtf
