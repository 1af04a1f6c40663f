#pragma once
// The web site writer: turns the wizard's choices into a folder of static
// HTML pages: the start page with the table of contents, the numbered
// generation pages with their notes and citations pages, the surname list,
// the name index, copies of the pictures and the GEDCOM download.
//
// Everything is written into a staging folder beside the site folder; only
// when every step succeeded does Publish() move it into place (an old site
// of the same name is renamed aside first and deleted afterwards), so a
// failure never leaves a half-overwritten site. Every value from the family
// file is HTML-escaped; file names and anchors in href and src are
// percent-encoded; the user's own header, footer, introduction and back-link
// text are written as typed. Pages are UTF-8 and say so first in the head.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "NarrativeBuilder.h"
#include "SelectedSitePlan.h"
#include "WebFiles.h"
#include "WebSettings.h"

namespace rpt {
struct BookPerson;
}

namespace web {

// The navigation pictures; an empty path makes its link a text link.
struct WebIcons {
  std::string home, end, start, next, prev, email;
};

struct SitePreparer {
  std::string name, address1, address2, address3, phone, email;
};

// What the wizard's Finish hands the writer besides the settings.
struct WebSiteRequest {
  std::int32_t startRin = 0;
  std::string description;
  std::string webBase;     // the site goes to webBase/web/folderName
  std::string folderName;  // one plain folder name (checked by MakeSitePath)
  std::string title;
  std::string introduction;  // the user's HTML
  std::string background;    // a picture file, or empty
  WebIcons icons;
  std::vector<bool> selection;  // the selected site: by RIN
  SitePreparer preparer;
  std::string today;             // the date of the generated-by line
  std::string familyPath;        // the open family file (the GEDCOM header)
  bool capitalSurnames = false;  // the options' capitalised surnames
};

enum class WebRunResult {
  kComplete,        // the site is in place
  kNothing,         // nothing to report
  kFolderUnusable,  // the folder could not be prepared (told)
  kFailed,          // a step failed or was cancelled; the old site is unchanged
};

class CWebSiteWriter {
 public:
  CWebSiteWriter(WebSettings settings, WebSiteRequest request);
  ~CWebSiteWriter();
  CWebSiteWriter(const CWebSiteWriter&) = delete;
  CWebSiteWriter& operator=(const CWebSiteWriter&) = delete;

  // Lays the site out and prepares the staging folder with the pictures:
  // the page count, 0 when there is nothing to write, -1 when the folder
  // could not be used (the user has been told).
  int PrepareSitePages();
  bool WriteGedcomDownload();
  bool WriteTableOfContents();
  bool WriteSitePages();  // the generation pages of the site type
  bool WriteNameIndex();  // the surname list and the name index
  // Moves the staging folder into place; false (old site kept) on failure.
  bool Publish();
  // Frees the layout and removes the staging folder unless published.
  void Cleanup();

  // Every step in order with the progress port; the user is told of the
  // result's reason except for kComplete.
  WebRunResult Run();

  const SiteFileNames& Names() const { return names_; }
  const std::string& StagingPath() const { return staging_; }
  int PageCount() const { return pages_; }
  const SelectedSitePlan& Plan() const { return plan_; }
  // The checked site folder, once PrepareSitePages has run.
  const std::string& SitePath() const { return sitePath_; }

 private:
  struct Page {
    std::string file;  // name inside the staging folder
    std::string text;  // ANSI, written as UTF-8
    bool open = false;
    std::set<std::int32_t> anchors;  // person anchors already on the page
    // On a citations page: the citation lists of each person's entries, in
    // the order written (a person met twice may be cited differently).
    std::map<std::int32_t, std::vector<std::vector<std::int32_t>>> citationLists;
  };

  // Page pieces.
  std::string SiteName() const;
  std::string TypeName() const;
  std::string Head(const std::string& pageTitle, bool inImages = false) const;
  std::string Tail() const;
  std::string ImagesPrefix() const;
  std::string IconName(const std::string& path) const;
  std::string Navigation(int page, int next) const;
  std::string HomeLink() const;
  bool IsLiving(std::int32_t rin) const;
  std::string ShownName(std::int32_t rin, bool surnameFirst) const;
  // The selected site: the first of rin's parents' families that is on a
  // family page, 0 when none is.
  std::int32_t PlacedParentsFamily(std::int32_t rin) const;

  bool OpenPage(int page, int generation, const std::string& reportName);
  bool ClosePage(int next);
  // Starts the notes or citations page of a generation page: its head and
  // headings, word being the string-table entry of its name.
  void OpenCompanion(Page& companion, const std::string& file, unsigned word, const char* letter,
                     int page);
  bool CloseCompanions();
  bool Flush(Page& page);
  void ReportDiskFull(const std::string& reportName) const;

  std::string MediaLink(std::int32_t rin);
  bool WriteScrapbookPage(std::int32_t rin);
  // Notes to the generation page (embedded) or the notes page (linked).
  void WriteNotesEntry(std::int32_t rin, bool inTable, int page, long number);
  void WriteCitationsEntry(std::int32_t rin, int page, long number);
  // The notes entry, then the citations of the narrative just built.
  void WriteCompanionEntries(std::int32_t rin, bool inTable, int page, long number);
  // The options every narrative on the site shares (the settings, the web
  // mode, the text after the name, a fresh citation list); the caller sets
  // whose narrative it is.
  template <typename Args>
  void SetNarrativeOptions(Args& args, HtmlMode htmlMode, std::string afterName);
  void FillPlaceholders(std::string& text, int page, std::int32_t rin) const;
  // The entry on page's citations page that holds the citations of the
  // narrative just built for rin: its index among rin's entries (the count
  // of them when there is none yet), and the base of its anchors.
  std::size_t CitationEntryIndex(std::int32_t rin, int page) const;
  std::string CitationAnchor(std::int32_t rin, std::size_t index) const;
  std::string AnchorOnce(std::string text, std::int32_t rin);

  bool WriteAncestorPages();
  // The descendants site: each register node on its page, a reference line
  // for a repeated individual, else the paragraph, the spouses and the
  // children tables.
  bool WriteDescendantPages();
  struct RegisterIndex;
  void WriteRegisterReference(const RegisterIndex& index, int node);
  void WriteRegisterPerson(const RegisterIndex& index, int node);
  void WriteRegisterFamilies(const RegisterIndex& index, int node);
  // One child's line of node's children table, at position, with its code
  // in the register.
  void WriteRegisterChild(const RegisterIndex& index, int node, int position, int code,
                          std::int32_t child);
  // The paragraph of rin's spouse in marriage mrin (ordinal: which of
  // several, or 0); the spouse's RIN and whether living.
  std::pair<std::int32_t, bool> WriteSpouseParagraph(std::int32_t rin, std::int32_t mrin,
                                                     int ordinal, int page);
  bool WriteSelectedPages();
  // The children heading of a family and the opening of its table.
  void OpenChildrenTable(std::int32_t mrin);
  // A child's paragraph in a children table, with its notes and citations.
  void WriteChildNarrative(std::int32_t child, int page);
  void WriteChildrenTable(std::int32_t mrin, int page);
  // The name index entry (group surname, line) of a person whose anchor is
  // on the given generation page; repeat marks a further listing "(R)".
  std::pair<std::string, std::string> PageIndexEntry(std::int32_t rin, int page, bool repeat) const;
  bool WriteAncestorNameIndex();
  bool WriteDescendantNameIndex();
  bool WriteSelectedNameIndex();
  bool WriteIndexFiles(std::vector<std::pair<std::string, std::string>> entries);

  bool CopySiteImages();
  bool Cancelled() const;

  WebSettings settings_;
  WebSiteRequest request_;
  SiteFileNames names_;
  CNarrativeBuilder builder_;
  std::string sitePath_;
  std::string staging_;
  std::string images_;  // the pictures folder in the staging folder
  std::string folderName_;
  int pages_ = 0;
  bool published_ = false;
  bool layoutAlive_ = false;
  SelectedSitePlan plan_;

  Page current_;
  Page notes_;
  Page citations_;
  int currentPage_ = 0;
  int previousGeneration_ = 0;
  std::vector<std::int32_t> citationNumbers_;
  std::vector<std::uint8_t> citationSeen_;
};

// The two texts of the name index of one person: the text after the
// surname of the surname-first form (the cut held to the form's length).
std::string NameAfterSurname(const std::string& surnameFirst, const std::string& surname);

}  // namespace web
