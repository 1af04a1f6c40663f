#pragma once
// The RTF elements of a report: each holds what it draws or says, in twips
// (1/1440 inch, page-absolute where a position is given) and colours as
// 0x00BBGGRR, and writes its own RTF. Containers (header, footer, index
// entry, bullets, row, cell) own their children until they are stored: after
// Store they hold none, and the copy read back owns them again.

#include <cstdint>
#include <memory>
#include <string>

#include "RTFObject.h"
#include "StringTokenizer.h"

// A run of text, flowing (positions -1) or at a page position.
class CRTFText : public CRTFObject {
  KOR_DECLARE_DYNCREATE(CRTFText)

 public:
  enum Alignment { kNone = 0, kLeft = 1, kCentre = 2, kRight = 3 };

  CRTFText() = default;
  CRTFText(std::string text, int font, int halfPoints, bool bold, bool italic, bool underline,
           int alignment, bool superscript);
  CRTFText(const CRTFText&) = default;

  void SetPosition(int x, int y) {
    x_ = x;
    y_ = y;
  }
  // A raw text keeps its backslashes: the program's own control words
  // ("\chpgn"); a user's text joined to them goes through rtf::QuoteBackslashes.
  void SetRaw(bool raw) { raw_ = raw ? 1 : 0; }
  const std::string& GetText() const { return text_; }
  int X() const { return x_; }
  int Y() const { return y_; }
  int Font() const { return font_; }
  int HalfPoints() const { return halfPoints_; }
  bool IsBold() const { return bold_ != 0; }
  int Alignment() const { return alignment_; }

  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  void WriteRTF(CRTFDocument& document, CRTFFile& file) const override;

 private:
  std::int32_t font_ = 0, halfPoints_ = 20, bold_ = 0, italic_ = 0, underline_ = 0;
  std::int32_t alignment_ = 0, superscript_ = 0;
  std::string text_;
  std::int32_t x_ = -1, y_ = -1;
  std::int32_t raw_ = 0;
};

// RTF written as it is (the program's own codes: page break, borders).
class CRTFCode : public CRTFObject {
  KOR_DECLARE_DYNCREATE(CRTFCode)

 public:
  CRTFCode() = default;
  explicit CRTFCode(std::string code) : code_(std::move(code)) {}

  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  void WriteRTF(CRTFDocument& document, CRTFFile& file) const override;

 private:
  std::string code_;
};

// Tab stops from a stops of blank-separated "position" or "position|kind"
// tokens (kinds l, c, r).
class CRTFTabSet : public CRTFObject {
  KOR_DECLARE_DYNCREATE(CRTFTabSet)

 public:
  CRTFTabSet() = default;
  explicit CRTFTabSet(const std::string& stops) : stops_(stops) {}

  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  void WriteRTF(CRTFDocument& document, CRTFFile& file) const override;

 private:
  mutable CStringTokenizer stops_;
};

class CRTFLine : public CRTFObject {
  KOR_DECLARE_DYNCREATE(CRTFLine)

 public:
  CRTFLine() = default;
  CRTFLine(int x1, int y1, int x2, int y2, int width, std::uint32_t colour)
      : x1_(x1), y1_(y1), x2_(x2), y2_(y2), width_(width), colour_(colour) {}

  // Flipped: the line runs from the bottom-left to the top-right corner of
  // its box instead of top-left to bottom-right.
  void SetFlipV(bool flip) { flipV_ = flip ? 1 : 0; }
  bool IsFlippedV() const { return flipV_ != 0; }

  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  void WriteRTF(CRTFDocument& document, CRTFFile& file) const override;

 private:
  std::int32_t x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0, width_ = 0;
  std::uint32_t colour_ = 0;
  std::int32_t flipV_ = 0;
};

class CRTFRectangle : public CRTFObject {
  KOR_DECLARE_DYNCREATE(CRTFRectangle)

 public:
  CRTFRectangle() = default;
  CRTFRectangle(int left, int top, int right, int bottom, int lineWidth, bool line,
                std::uint32_t lineColour, bool filled, std::uint32_t fillColour)
      : left_(left),
        top_(top),
        right_(right),
        bottom_(bottom),
        lineWidth_(lineWidth),
        line_(line ? 1 : 0),
        lineColour_(lineColour),
        filled_(filled ? 1 : 0),
        fillColour_(fillColour) {}

  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  void WriteRTF(CRTFDocument& document, CRTFFile& file) const override;

 private:
  std::int32_t left_ = 0, top_ = 0, right_ = 0, bottom_ = 0, lineWidth_ = 0, line_ = 0;
  std::uint32_t lineColour_ = 0;
  std::int32_t filled_ = 0;
  std::uint32_t fillColour_ = 0;
};

class CRTFArc : public CRTFObject {
  KOR_DECLARE_DYNCREATE(CRTFArc)

 public:
  CRTFArc() = default;
  CRTFArc(int left, int top, int right, int bottom, bool flipH, bool flipV, int width,
          std::uint32_t colour)
      : left_(left),
        top_(top),
        right_(right),
        bottom_(bottom),
        flipH_(flipH ? 1 : 0),
        flipV_(flipV ? 1 : 0),
        width_(width),
        colour_(colour) {}

  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  void WriteRTF(CRTFDocument& document, CRTFFile& file) const override;

 private:
  std::int32_t left_ = 0, top_ = 0, right_ = 0, bottom_ = 0, flipH_ = 0, flipV_ = 0, width_ = 0;
  std::uint32_t colour_ = 0;
};

// A picture linked by its absolute path (an IMPORT field), in the paragraph
// flow or at a page position. A picture file that does not exist writes nothing.
class CRTFImage : public CRTFObject {
  KOR_DECLARE_DYNCREATE(CRTFImage)

 public:
  CRTFImage() = default;
  CRTFImage(std::string path, int width, int height)
      : path_(std::move(path)), width_(width), height_(height) {}
  CRTFImage(std::string path, int x, int y, int width, int height)
      : path_(std::move(path)), x_(x), y_(y), width_(width), height_(height) {}

  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  void WriteRTF(CRTFDocument& document, CRTFFile& file) const override;

 private:
  std::string path_;
  std::int32_t x_ = -1, y_ = -1, width_ = 0, height_ = 0;
};

// A picture whose file bytes go into the RTF as hexadecimal (EMF, or JPEG
// for a ".JPG" path). A file that cannot be read writes nothing.
class CRTFEmbeddedImage : public CRTFObject {
  KOR_DECLARE_DYNCREATE(CRTFEmbeddedImage)

 public:
  CRTFEmbeddedImage() = default;
  void SetPicture(std::string path, int scaleX, int scaleY) {
    path_ = std::move(path);
    scaleX_ = scaleX;
    scaleY_ = scaleY;
  }

  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  void WriteRTF(CRTFDocument& document, CRTFFile& file) const override;

 private:
  std::string path_;
  std::int32_t scaleX_ = 100, scaleY_ = 100;
};

// What the containers share: the child list, stored and then let go.
class CRTFContainer : public CRTFObject {
 public:
  void AddChild(std::unique_ptr<CRTFObject> child) override;
  int ChildCount() const { return static_cast<int>(children_.size()); }
  const CRTFObject* GetChild(int index) const {
    return children_[static_cast<std::size_t>(index)].get();
  }

 protected:
  CRTFContainer() = default;
  // Stores the child list and lets it go; loads it back.
  void StoreChildList(CPersistentFile* file) const;
  void LoadChildList(CPersistentFile* file);
  // Each child's RTF, with its in-table flag set first when inTable.
  void WriteChildren(CRTFDocument& document, CRTFFile& file, bool inTable) const;

  mutable RTFChildren children_;
};

class CRTFHeader : public CRTFContainer {
  KOR_DECLARE_DYNCREATE(CRTFHeader)

 public:
  CRTFHeader() = default;
  CRTFHeader(std::unique_ptr<CRTFObject> first, std::unique_ptr<CRTFObject> second);

  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  void WriteRTF(CRTFDocument& document, CRTFFile& file) const override;
};

class CRTFFooter : public CRTFContainer {
  KOR_DECLARE_DYNCREATE(CRTFFooter)

 public:
  CRTFFooter() = default;
  CRTFFooter(std::unique_ptr<CRTFObject> first, std::unique_ptr<CRTFObject> second);

  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  void WriteRTF(CRTFDocument& document, CRTFFile& file) const override;
};

// A hidden index entry; the word processor builds an index from these.
class CRTFIndexEntry : public CRTFContainer {
  KOR_DECLARE_DYNCREATE(CRTFIndexEntry)

 public:
  CRTFIndexEntry() = default;
  explicit CRTFIndexEntry(std::unique_ptr<CRTFObject> child);

  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  void WriteRTF(CRTFDocument& document, CRTFFile& file) const override;
};

// A paragraph with its own left and first-line indents.
class CRTFCustBullet : public CRTFContainer {
  KOR_DECLARE_DYNCREATE(CRTFCustBullet)

 public:
  CRTFCustBullet() = default;
  CRTFCustBullet(int leftIndent, int firstIndent)
      : leftIndent_(leftIndent), firstIndent_(firstIndent) {}
  // Lines exactly lineHeight twips apart (0: as the font spaces them) and the
  // right indent (negative: room past the right margin).
  void SetLines(int lineHeight, int rightIndent) {
    lineHeight_ = lineHeight;
    rightIndent_ = rightIndent;
  }

  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  void WriteRTF(CRTFDocument& document, CRTFFile& file) const override;

 private:
  std::int32_t leftIndent_ = 0, firstIndent_ = 0;
  std::int32_t lineHeight_ = 0, rightIndent_ = 0;
};

// A paragraph hanging at level x indent, led by a bullet element and a tab.
class CRTFBullet : public CRTFContainer {
  KOR_DECLARE_DYNCREATE(CRTFBullet)

 public:
  CRTFBullet() = default;
  void SetLevel(int level, int indent) {
    level_ = level;
    indent_ = indent;
  }
  void SetBullet(std::unique_ptr<CRTFObject> bullet) { bullet_ = std::move(bullet); }
  bool HasBullet() const { return bullet_ != nullptr; }

  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  void WriteRTF(CRTFDocument& document, CRTFFile& file) const override;

 private:
  std::int32_t level_ = 0, indent_ = 0;
  mutable std::unique_ptr<CRTFObject> bullet_;
};

// A table cell: its width and border widths (0: no border on that side).
class CRTFCell : public CRTFContainer {
  KOR_DECLARE_DYNCREATE(CRTFCell)

 public:
  CRTFCell() = default;
  void SetWidths(int width, int left, int top, int right, int bottom) {
    width_ = width;
    left_ = left;
    top_ = top;
    right_ = right;
    bottom_ = bottom;
  }
  int Width() const { return width_; }
  // The cell's border words of its row's definition.
  std::string BorderWords() const;

  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  void WriteRTF(CRTFDocument& document, CRTFFile& file) const override;

 private:
  std::int32_t width_ = 0, left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
};

// A table row of cells; a child that is not a cell is not taken.
class CRTFRow : public CRTFContainer {
  KOR_DECLARE_DYNCREATE(CRTFRow)

 public:
  CRTFRow() = default;
  explicit CRTFRow(std::unique_ptr<CRTFObject> first);

  void AddChild(std::unique_ptr<CRTFObject> child) override;
  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  void WriteRTF(CRTFDocument& document, CRTFFile& file) const override;
};
