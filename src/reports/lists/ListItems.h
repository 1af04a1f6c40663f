#pragma once
// The rows of the notes, source and citation lists, and the marriage and
// unlinked rows that other lists read back by class name.

#include <cstdint>
#include <string>

#include "ListReport.h"

class CSourceRecord;

// One name of the Individuals with Notes list.
class CIndivNotesObject : public COrvListReportObject {
  KOR_DECLARE_DYNCREATE(CIndivNotesObject)

 public:
  CIndivNotesObject() = default;
  explicit CIndivNotesObject(std::string name) : name_(std::move(name)) {}
  const std::string& Text() const { return name_; }
  // Case-insensitive; equal names answer -1 so that the sorter keeps both.
  int Compare(const CPersistentObject* other) const override;
  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  int PrintRow(CListReport& report, rpt::ReportDevice* dc, CPrintInfo* info, CRTFDocument* document,
               bool measuring) override;

 protected:
  std::string name_;
};

// One citation line: "number. name (label). page text".
class CRSCitationObject : public CIndivNotesObject {
  KOR_DECLARE_DYNCREATE(CRSCitationObject)

 public:
  CRSCitationObject() = default;
  CRSCitationObject(int number, const std::string& name, const std::string& label,
                    const std::string& pageText);
  int Compare(const CPersistentObject* other) const override;
};

// One source of the Source List; it reads the source again when printed.
class CSourceObject : public COrvListReportObject {
  KOR_DECLARE_DYNCREATE(CSourceObject)

 public:
  CSourceObject() = default;
  CSourceObject(std::int32_t number, std::string title)
      : number_(number), title_(std::move(title)) {}
  std::int32_t Number() const { return number_; }
  const std::string& Title() const { return title_; }
  int Compare(const CPersistentObject* other) const override;
  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  int PrintRow(CListReport& report, rpt::ReportDevice* dc, CPrintInfo* info, CRTFDocument* document,
               bool measuring) override;

 private:
  std::int32_t number_ = 0;
  std::string title_;
};

// A marriage row (number, sort key, four column texts, one more text).
class CMarriageObject : public COrvListReportObject {
  KOR_DECLARE_DYNCREATE(CMarriageObject)

 public:
  CMarriageObject() = default;
  std::int32_t number = 0;
  std::string texts[6];
  int Compare(const CPersistentObject* other) const override;
  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  int PrintRow(CListReport& report, rpt::ReportDevice* dc, CPrintInfo* info, CRTFDocument* document,
               bool measuring) override;
};

// An unlinked individual's row (number, name as sort key, two column texts).
class CUnlinkedObject : public COrvListReportObject {
  KOR_DECLARE_DYNCREATE(CUnlinkedObject)

 public:
  CUnlinkedObject() = default;
  std::int32_t number = 0;
  std::string texts[3];
  int Compare(const CPersistentObject* other) const override;
  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  int PrintRow(CListReport& report, rpt::ReportDevice* dc, CPrintInfo* info, CRTFDocument* document,
               bool measuring) override;
};

// One event at a place: the Place List's row.
class CPlaceNameObject : public COrvListReportObject {
  KOR_DECLARE_DYNCREATE(CPlaceNameObject)

 public:
  CPlaceNameObject() = default;
  CPlaceNameObject(std::string name, std::string label, std::string date, std::int32_t category,
                   std::string place, std::int32_t dateKey)
      : name(std::move(name)),
        label(std::move(label)),
        date(std::move(date)),
        category(category),
        place(std::move(place)),
        dateKey(dateKey) {}
  std::string name, label, date;
  std::int32_t category = 0;
  std::string place;
  std::int32_t dateKey = 0;  // year, month and day, for the date order
  // By place, then name (both case-insensitive), then date; equal: -1.
  int Compare(const CPersistentObject* other) const override;
  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  // A bold heading when the place differs from the last one printed, then
  // the date (column 0), label (1) and name (2).
  int PrintRow(CListReport& report, rpt::ReportDevice* dc, CPrintInfo* info, CRTFDocument* document,
               bool measuring) override;
};

// The heading of the Citations Referencing a Source list: the source, its
// text, comments and repository with its address and phone.
class CRSourceObject : public COrvListReportObject {
  KOR_DECLARE_DYNCREATE(CRSourceObject)

 public:
  CRSourceObject() = default;
  // Copies the source's texts and its repository's (empty when it cannot
  // be read).
  explicit CRSourceObject(const CSourceRecord& source);
  // title line, actual text, comments, repository name, address 1-4, phone
  std::string texts[9];
  void Store(CPersistentFile* file) const override;
  void Load(CPersistentFile* file) override;
  int PrintRow(CListReport& report, rpt::ReportDevice* dc, CPrintInfo* info, CRTFDocument* document,
               bool measuring) override;
};
