#include "RTFDocument.h"

#include <sys/stat.h>

#include <cstdio>

#include "CodePage.h"
#include "PersistentFile.h"
#include "Ports.h"
#include "RTFFile.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TempObjectFile.h"

namespace {

// One element on the contents work file: its record bytes (see RTFObject.h).
class CRTFSpoolRecord : public CPersistentObject {
  KOR_DECLARE_DYNCREATE(CRTFSpoolRecord)

 public:
  CRTFSpoolRecord() = default;
  explicit CRTFSpoolRecord(std::string bytes) : bytes_(std::move(bytes)) {}
  void Store(CPersistentFile* file) const override { file->WriteString(bytes_); }
  void Load(CPersistentFile* file) override { file->ReadString(bytes_); }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

KOR_IMPLEMENT_DYNCREATE(CRTFSpoolRecord, 1)

constexpr const char* kColourTable =
    R"({\colortbl;\red0\green0\blue0;\red0\green0\blue255;\red0\green255\blue255;\red0\green255\blue0;\red255\green0\blue255;\red255\green0\blue0;\red255\green255\blue0;\red255\green255\blue255;\red0\green0\blue128;\red0\green128\blue128;\red0\green128\blue0;\red128\green0\blue128;\red128\green0\blue0;\red128\green128\blue0;\red128\green128\blue128;\red192\green192\blue192;})";

// Messages are let through at most this many elements apart.
constexpr int kPumpEvery = 256;

}  // namespace

CRTFDocument::CRTFDocument() = default;
CRTFDocument::~CRTFDocument() = default;

bool CRTFDocument::AddElement(std::unique_ptr<CRTFObject> element) {
  if (!element) return false;
  if (!contents_) contents_ = std::make_unique<CTempObjectFile>(true);
  if (reading_) addFailed_ = false;  // the contents start over
  reading_ = false;
  CRTFSpoolRecord record(rtf::ElementBytes(element.get()));
  element.reset();
  if (contents_->Write(&record)) return true;
  addFailed_ = true;
  return false;
}

int CRTFDocument::FindFont(const std::string& face) const {
  for (std::size_t i = 0; i < fonts_.size() && !fonts_[i].empty(); ++i)
    if (fonts_[i] == face) return static_cast<int>(i);
  return -1;
}

int CRTFDocument::ElementCount() const { return contents_ ? contents_->ObjectsWritten() : 0; }

std::unique_ptr<CRTFObject> CRTFDocument::ReadElement(bool fromStart) {
  if (!contents_) return nullptr;
  if (fromStart) {
    readable_ = contents_->ObjectsWritten();
    reading_ = true;
    lost_ = 0;
    read_ = 0;
  }
  bool first = fromStart;
  while (read_ < readable_) {
    std::unique_ptr<CPersistentObject> object =
        first ? contents_->ReadAt(-1) : contents_->ReadNext();
    first = false;
    auto* record = dynamic_cast<CRTFSpoolRecord*>(object.get());
    if (record == nullptr) {
      // The work file cannot be read on: everything not yet read is lost.
      lost_ += readable_ - read_;
      read_ = readable_;
      return nullptr;
    }
    ++read_;
    std::unique_ptr<CRTFObject> element;
    bool skipped = false;
    if (rtf::ElementFromBytes(record->Bytes(), element, &skipped) && element) return element;
    ++lost_;
  }
  return nullptr;
}

std::unique_ptr<CRTFObject> CRTFDocument::FirstElement() { return ReadElement(true); }

std::unique_ptr<CRTFObject> CRTFDocument::NextElement() {
  if (!reading_) return nullptr;
  return ReadElement(false);
}

void CRTFDocument::Clear() {
  contents_.reset();
  reading_ = false;
  readable_ = read_ = lost_ = 0;
  addFailed_ = false;
}

std::string CRTFDocument::ContentsPath() const {
  return contents_ ? contents_->GetFileName() : std::string();
}

int CRTFDocument::Write(CRTFFile& file) {
  if (!file.IsOpen()) return 0;
  const bool latin2 = plat::ActiveCodePage() == plat::kCodePageCentralEuropean;
  const int codePage = latin2 ? plat::kCodePageCentralEuropean : plat::kCodePageWestern;
  const int charset = latin2 ? 238 : 0;

  file.WriteString(rtf::Format(R"({\rtf1\ansi\ansicpg%d\deff0\deflang1033 )", codePage));
  file.WriteString(R"({\fonttbl )");
  for (std::size_t i = 0; i < fonts_.size(); ++i) {
    std::string entry = rtf::Format(R"({\f%d\fnil\fcharset%d )", static_cast<int>(i), charset) +
                        rtf::EscapeName(fonts_[i]) + ";}";
    file.Write(entry.data(), entry.size());
  }
  file.WriteString("}");
  file.WriteString(kColourTable);
  // The page the report was laid out on: a word processor's own default
  // paper would cut or stretch the pages.
  file.WriteString(rtf::Format(R"(\paperw%d\paperh%d%s)", pageWidth_, pageHeight_,
                               pageWidth_ > pageHeight_ ? R"(\landscape)" : ""));
  file.WriteString(rtf::Format(
      R"(\margl%d\margr%d\margt%d\margb%d\widowctrl\ftnbj\ftnrestart\aftnnar \sectd \sbknone\endnhere)",
      left_, right_, top_, bottom_));

  const int count = contents_ ? contents_->ObjectsWritten() : 0;
  plat::ProgressPort& progress = plat::Progress();
  progress.Begin(res::LoadString(res::kIdsSavingReport), count);
  int result = 1;
  int written = 0;
  int shownPercent = 0;
  for (std::unique_ptr<CRTFObject> element = FirstElement(); element; element = NextElement()) {
    element->WriteRTF(*this, file);
    element.reset();
    ++written;
    const int percent =
        count > 0 ? static_cast<int>(static_cast<long long>(written) * 100 / count) : 100;
    if (percent != shownPercent || written % kPumpEvery == 0) {
      if (percent != shownPercent) progress.SetPosition(written);
      shownPercent = percent;
      if (!plat::PumpWaitingMessages()) {
        result = 0;
        break;
      }
    }
    if (progress.CancelRequested()) {
      result = 0;
      break;
    }
  }
  file.WriteString("}");
  progress.End();
  // A shortfall is a damaged work file: the report would be incomplete.
  if (result == 1 && (written != count || lost_ != 0 || addFailed_)) result = 0;
  if (file.Failed()) result = 0;
  return result;
}

int CRTFDocument::WriteToFile(const std::string& path) {
  CRTFFile file;
  if (!file.Open(path)) return 0;
  int result = Write(file);
  if (!file.Close()) result = 0;
  if (result == 0) {
    // Only a file of our own making goes; a device named as the output stays.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) std::remove(path.c_str());
  }
  return result;
}
