#pragma once
// CReportJob: one print, preview or RTF run of one report. It creates the
// page generator of the report kind, switches it to RTF output when the run
// writes a file, and forwards the view's begin, page and end calls to it. It
// also carries drawing operations that several generators share: the
// "Printed by" line, relationship codes and their legend, text runs with
// inline style tags and the "See Notes" number list.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ReportDevice.h"
#include "ReportGenerator.h"

class CReportJob;
class CFamilyLinkRecord;

// A page generator that a job drives.
class CReportPageGenerator : public CReportGenerator {
 public:
  // Creates the generator's fonts.
  virtual void BeginPrinting(rpt::ReportDevice* dc, CPrintInfo* info) = 0;
  // Draws info->currentPage; the device is the job's DC().
  virtual int PrintPage(CReportJob& job, CPrintInfo* info) = 0;
  virtual void EndPrinting(rpt::ReportDevice* dc, CPrintInfo* info) = 0;

  CReportJob* Job() const { return job_; }
  void SetJob(CReportJob* job) { job_ = job; }

  int listKind = 0;               // sorted-individuals lists: 102, 103 or 106
  std::int32_t listStartRin = 0;  // kind 106

 private:
  CReportJob* job_ = nullptr;
};

// The family links of a person, as GetRelationshipCodes reads them.
class RelationshipLinks {
 public:
  virtual ~RelationshipLinks() = default;
  // The person's parent-family links, first link first.
  virtual std::vector<std::int32_t> ParentLinks(std::int32_t rin) = 0;
  virtual bool ReadLink(std::int32_t link, CFamilyLinkRecord& out) = 0;
};
// The open family file's links.
RelationshipLinks& DatabaseRelationshipLinks();

// The shared report style fonts (absent: the tag is printed as text) and the
// flag byte of the styles used: 0x01 italic, 0x10 bold or "<S>".
struct ReportStyleFonts {
  std::optional<rpt::LogFont> normal, italic, bold, special;
  unsigned char used = 0;
};

// Relationship flag bits, ORed into a caller's flag word.
enum RelationshipFlag : int {
  kRelMultipleParents = 0x1,
  kRelAdopted = 0x10,
  kRelGuardian = 0x100,
  kRelSealing = 0x1000,
  kRelChallenged = 0x10000,
  kRelDisproved = 0x100000,
};

class CReportJob {
 public:
  static constexpr int kPrintedByHeight = 85;

  explicit CReportJob(int kind);
  ~CReportJob();
  CReportJob(const CReportJob&) = delete;
  CReportJob& operator=(const CReportJob&) = delete;

  int Kind() const { return kind_; }
  CReportPageGenerator* Generator() const { return generator_.get(); }
  rpt::ReportDevice* DC() const { return dc_; }
  // The "Printed by" font; none before BeginPrinting.
  const std::optional<rpt::LogFont>& Font() const { return font_; }

  // True: the generator writes RTF elements in place of drawing.
  void SetRTFDocument(bool rtfOutput);
  bool RTFOutput() const { return rtf_; }
  void SetOutputFileName(const std::string& path);
  const std::string& OutputFileName() const { return path_; }

  void BeginPrinting(rpt::ReportDevice* dc, CPrintInfo* info);
  int PrintPage(rpt::ReportDevice* dc, CPrintInfo* info);
  void EndPrinting(rpt::ReportDevice* dc, CPrintInfo* info);

  // Always drawn on the device, never an RTF element.
  void DrawPrintedByLine(rpt::ReportDevice* dc, int x, int y);

  // The codes printed after a child's name ("{+}", "{A}" ...); ORs the flag
  // bits found into flags. rin 0 is no person. marriage 0: the first link.
  // Returns 0 to 5.
  static int GetRelationshipCodes(std::string& out, int& flags, RelationshipLinks& links,
                                  std::int32_t rin, bool showRelationship, bool showMultipleParents,
                                  std::int32_t marriage);
  // Layout 0: one centred line; 1: heading and the first half of the
  // entries; 2: the second half. Drawn on the device in every mode.
  static void DrawRelationshipLegend(rpt::ReportDevice* dc, int x, int y,
                                     const rpt::LogFont& textFont, const rpt::LogFont& codeFont,
                                     int flags, int right, int layout, bool showMultipleParents,
                                     bool showRelationship);
  // Draws text from offset up to the next style tag whose font exists and
  // selects that font; x moves past the run. Returns the offset behind the
  // tag, or 0 at the end of the text.
  static int DrawTextToNextTag(CReportGenerator* generator, rpt::ReportDevice* dc,
                               ReportStyleFonts& fonts, const char* text, int length, int& x, int y,
                               int offset);
  // "See Notes1,4,7." into a buffer of size characters (terminator
  // included); numbers that do not fit are skipped.
  static void FormatSeeNotesList(char* buffer, unsigned size,
                                 const std::vector<std::uint32_t>& numbers, bool withPrefix);
  static void InsertSortedUnique(std::uint32_t value, std::vector<std::uint32_t>& numbers);

 private:
  int kind_;
  rpt::ReportDevice* dc_ = nullptr;
  std::optional<rpt::LogFont> font_;
  std::unique_ptr<CReportPageGenerator> generator_;
  bool rtf_ = false;
  std::string path_;
};

// 1 "<I>", -1 "</I>", 2 "<B>", -2 "</B>", 4 "<S>", -4 "</S>", 0 none.
int ScanStyleTag(const char* text, int length);
