#pragma once
// The column model of a list written as RTF: the columns of a heading line
// are spans (id, left and right edge in twips, alignment letter) kept in a
// column layout; the cells of a row are column entries; each row becomes
// one line of tab-separated text under the tab stops of its layout.

#include <cstdint>
#include <string>

#include "PersistentObject.h"

// One column of a heading line. 'l' left, 'r' right, other letters centred.
class CRTFColumnSpan : public CPersistentObject {
 public:
  CRTFColumnSpan() = default;
  CRTFColumnSpan(int id, int left, int right, char alignment)
      : id_(id), left_(left), right_(right), alignment_(alignment) {}

  // Ordered by column id.
  int Compare(const CPersistentObject* other) const override;
  bool Matches(const CRTFColumnSpan* other) const { return other != nullptr && other->id_ == id_; }
  // Whether other lies within this span's edges.
  bool Contains(const CRTFColumnSpan* other) const;

  int Id() const { return id_; }
  int Left() const { return left_; }
  int Right() const { return right_; }
  char Alignment() const { return alignment_; }

 private:
  std::int32_t id_ = 0, left_ = 0, right_ = 0;
  char alignment_ = 'l';
};

// The spans of one heading line, in the order added (owning).
class CRTFColumnLayout : public CPersistentArray {
 public:
  CRTFColumnLayout() = default;

  const CRTFColumnSpan* Span(int index) const;
  // Index of the first span with span's id; -1 when none.
  int FindById(const CRTFColumnSpan& span) const;
  // Index of the first span that contains span; -1 when none.
  int FindContaining(const CRTFColumnSpan& span) const;
  // The smaller of margin and the first span's anchor (its left edge when
  // left-aligned, else its right edge); 0 without spans.
  int GetTabOrigin(int margin) const;
  // The tab-stop stops for CRTFTabSet: per span "right|r" for a right-aligned
  // column, else "left", relative to the origin, each followed by a blank.
  std::string BuildTabStops(int margin) const;
};

// A cell or heading of a list row written as RTF.
class CRTFReportObject : public CPersistentObject {
  KOR_DECLARE_DYNCREATE(CRTFReportObject)

 public:
  CRTFReportObject() = default;

  // Ordered by OrderKey (column id, or left edge); -1 against null.
  int Compare(const CPersistentObject* other) const override;
  virtual std::string GetText() const { return {}; }
  // Puts a copy of the entry into row in Compare order; the base and the
  // heading entry add nothing. Answers 0.
  virtual int AddToRow(CPersistentArray& row) const;
  // The entry's column in the list's first layout (null: there is none);
  // offset is the tab origin. -1 when it has no column.
  virtual int GetColumnIndex(const CRTFColumnLayout* firstLayout, int offset) const;

 protected:
  virtual std::int32_t OrderKey() const { return 0; }
};

class CRTFReportColumnEntry : public CRTFReportObject {
  KOR_DECLARE_DYNCREATE(CRTFReportColumnEntry)

 public:
  CRTFReportColumnEntry() = default;
  CRTFReportColumnEntry(int id, std::string text) : id_(id), text_(std::move(text)) {}

  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  std::string GetText() const override { return text_; }
  int AddToRow(CPersistentArray& row) const override;
  int GetColumnIndex(const CRTFColumnLayout* firstLayout, int offset) const override;

 protected:
  std::int32_t OrderKey() const override { return id_; }

 private:
  std::int32_t id_ = 0;
  std::string text_;
};

class CRTFReportColumnHeaderEntry : public CRTFReportObject {
  KOR_DECLARE_DYNCREATE(CRTFReportColumnHeaderEntry)

 public:
  CRTFReportColumnHeaderEntry() = default;
  CRTFReportColumnHeaderEntry(int id, std::string heading)
      : id_(id), heading_(std::move(heading)) {}

  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  std::string GetText() const override { return heading_; }
  // A heading's column is its own id.
  int GetColumnIndex(const CRTFColumnLayout*, int) const override { return id_; }
  void SetText(std::string heading) { heading_ = std::move(heading); }

 protected:
  std::int32_t OrderKey() const override { return id_; }

 private:
  std::int32_t id_ = 0;
  std::string heading_;
};

// A cell known by its edges only; its column is the span that holds it.
class CRTFReportColumnPosEntry : public CRTFReportObject {
  KOR_DECLARE_DYNCREATE(CRTFReportColumnPosEntry)

 public:
  CRTFReportColumnPosEntry() = default;
  CRTFReportColumnPosEntry(int left, int right, std::string text)
      : left_(left), right_(right), text_(std::move(text)) {}

  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  std::string GetText() const override { return text_; }
  int AddToRow(CPersistentArray& row) const override;
  int GetColumnIndex(const CRTFColumnLayout* firstLayout, int offset) const override;

 protected:
  std::int32_t OrderKey() const override { return left_; }

 private:
  std::int32_t left_ = 0, right_ = 0;
  std::string text_;
};
