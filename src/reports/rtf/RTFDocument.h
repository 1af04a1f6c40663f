#pragma once
// CRTFDocument: the elements of one report on their way to an RTF file.
// Each added element is stored at once on a work file and freed, so memory
// does not grow with the report; Write reads them back one at a time, in
// the order added, behind the preamble, font table, colour table, paper and
// margins, under the "Saving report" progress window.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "RTFObject.h"

class CRTFFile;
class CTempObjectFile;

class CRTFDocument : public CRTFObject {
 public:
  // Letter, portrait.
  static constexpr int kLetterWidth = 12240;
  static constexpr int kLetterHeight = 15840;

  CRTFDocument();
  ~CRTFDocument() override;

  // Stores the element at the end of the contents and frees it; the caller
  // loses it in every case. False when it could not be stored.
  bool AddElement(std::unique_ptr<CRTFObject> element);
  void AddChild(std::unique_ptr<CRTFObject> child) override { AddElement(std::move(child)); }

  // Appends a face (no check for one already there: FindFont first).
  void AddFont(const std::string& face) { fonts_.push_back(face); }
  // The index of the first face equal to face (case-sensitive), -1 when
  // absent; the search stops at an empty face.
  int FindFont(const std::string& face) const;
  int FontCount() const { return static_cast<int>(fonts_.size()); }

  // The contents read back from the start: the first element, null when none.
  std::unique_ptr<CRTFObject> FirstElement();
  // The next element, null at the end or when the contents cannot be read.
  // Elements of a class that cannot be created here are stepped over.
  std::unique_ptr<CRTFObject> NextElement();
  // Elements stored (since the contents were last started over).
  int ElementCount() const;
  // Elements stepped over or unreadable in the last read-back.
  int ElementsLost() const { return lost_; }
  // Drops the contents and their work file.
  void Clear();
  // The work file of the contents, "" before the first element.
  std::string ContentsPath() const;

  // Writes the whole RTF file. 1 when every element stored was written; 0
  // when the file is not open, the user cancelled (the file still ends in
  // "}"), an element could not be read back, or a write failed.
  virtual int Write(CRTFFile& file);
  // What a report's owner does: writes the file at path and deletes it
  // again when Write answers 0. 1 on success.
  int WriteToFile(const std::string& path);

  void SetMargins(int left, int top, int right, int bottom) {
    left_ = left;
    top_ = top;
    right_ = right;
    bottom_ = bottom;
  }
  // The paper the pages are laid out on (letter portrait unless set).
  void SetPaperSize(int width, int height) {
    pageWidth_ = width;
    pageHeight_ = height;
  }
  int PageWidth() const { return pageWidth_; }
  int PageHeight() const { return pageHeight_; }

  // Shape counters: the next z-order and shape id; each shape written takes
  // one of each.
  int ShapeZOrder() const { return zOrder_; }
  int NextShapeId() const { return shapeId_; }
  void ShapeWritten() {
    ++zOrder_;
    ++shapeId_;
  }

 private:
  std::unique_ptr<CRTFObject> ReadElement(bool fromStart);

  std::unique_ptr<CTempObjectFile> contents_;
  bool reading_ = false;
  int readable_ = 0;  // elements of the read-back under way
  int read_ = 0;
  int lost_ = 0;
  bool addFailed_ = false;  // an element could not be stored
  std::vector<std::string> fonts_;
  int pageWidth_ = kLetterWidth, pageHeight_ = kLetterHeight;
  int left_ = 720, top_ = 720, right_ = 720, bottom_ = 720;
  int zOrder_ = 0;
  int shapeId_ = 1026;
};
