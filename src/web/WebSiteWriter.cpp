#include "WebSiteWriter.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <system_error>

#include "AhnentafelPagination.h"
#include "BookIndex.h"
#include "BookPagination.h"
#include "CitationRecord.h"
#include "CodePage.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "DiskSync.h"
#include "FamilyDatabase.h"
#include "FileCopy.h"
#include "Footnotes.h"
#include "GedcomExporter.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "MultimediaItem.h"
#include "NumberWords.h"
#include "Ports.h"
#include "RegisterPagination.h"
#include "StoredKeyEventDate.h"
#include "StringIds.h"
#include "StringTable.h"
#include "ZelQualification.h"

namespace web {
namespace fs = std::filesystem;
namespace {

// The name shown for nobody: a missing spouse, an empty name.
constexpr const char* kUnknownName = kUnknownWebName;

constexpr const char* kAhnentafel = "Ahnentafel";
constexpr const char* kModifiedRegister = "Modified Register";
constexpr const char* kServiceAddress = "https://www.quenmoor.example/genealogy/";

std::string S(unsigned id) { return res::LoadString(id); }

std::string Number(long n) { return std::to_string(n); }

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

// An anchor or fragment made from family-file text (ANSI): encoded as the
// UTF-8 the page is written in, as a browser encodes it.
std::string AnchorUrl(const std::string& ansi) { return UrlPart(plat::AnsiToUtf8(ansi)); }

// The prefix as a plain file-name part: letters, digits, "-" and "_".
std::string SafePrefix(const std::string& prefix) {
  std::string out;
  for (unsigned char c : prefix)
    if ((std::isalnum(c) && c < 0x80) || c == '-' || c == '_') out += static_cast<char>(c);
  return out.empty() ? "orv" : out.substr(0, 3);
}

// The sex and the position of a child's row in a children table, and the
// opening of the cell that follows.
std::string ChildCells(char sex, int position) {
  const std::string shown = sex == 'M'   ? S(res::kIdsMaleLetter)
                            : sex == 'F' ? S(res::kIdsFemaleLetter)
                                         : std::string("&nbsp;");
  return "<td valign=top>" + shown + "</td>\r\n<td valign=top align=right>" +
         FormatRomanNumeral(position, false) + "</td>\r\n<td>";
}

bool InSelection(const std::vector<bool>& selection, std::int32_t rin) {
  return rin > 0 && static_cast<std::size_t>(rin) < selection.size() &&
         selection[static_cast<std::size_t>(rin)];
}

bool ReadPerson(std::int32_t rin, CIndividualRecord& record) {
  if (rin > 0 && DbGetRecord(rin, db::kIndividual, &record) == 1) return true;
  record.Clear();
  return false;
}

// The paragraphs of a notes text (CR LF lines; an empty line ends one).
std::vector<std::string> NoteParagraphs(const std::string& notes) {
  std::vector<std::string> out;
  std::string current;
  std::size_t start = 0;
  while (start <= notes.size()) {
    std::size_t end = notes.find('\n', start);
    if (end == std::string::npos) end = notes.size();
    std::string line = notes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) {
      if (!current.empty()) out.push_back(current);
      current.clear();
    } else {
      if (!current.empty()) current += "\r\n";
      current += line;
    }
    if (end == notes.size()) break;
    start = end + 1;
  }
  if (!current.empty()) out.push_back(current);
  return out;
}

// Removes a whole folder without following symbolic links; only ever
// called on the staging folder or an old site renamed aside.
void RemoveTree(const std::string& path) {
  std::error_code ec;
  if (!path.empty()) fs::remove_all(path, ec);
}

}  // namespace

std::string NameAfterSurname(const std::string& surnameFirst, const std::string& surname) {
  const std::size_t cut = std::min(surnameFirst.size(), surname.size() + 1);
  return surnameFirst.substr(cut);
}

CWebSiteWriter::CWebSiteWriter(WebSettings settings, WebSiteRequest request)
    : settings_(std::move(settings)), request_(std::move(request)) {
  settings_.filePrefix = SafePrefix(settings_.filePrefix);
  names_.prefix = settings_.filePrefix;
  names_.optIndex = settings_.optIndex;
  NarrativeSettings narrative;
  narrative.doName = settings_.doName;
  narrative.filePrefix = settings_.filePrefix;
  builder_ = CNarrativeBuilder(narrative);
  folderName_ = plat::AnsiToUtf8(request_.folderName);
}

CWebSiteWriter::~CWebSiteWriter() { Cleanup(); }

// ---- the page frame ----

std::string CWebSiteWriter::TypeName() const {
  switch (settings_.type) {
    case kSiteAncestors:
      return S(res::kIdsAncestors);
    case kSiteDescendants:
      return S(res::kIdsDescendants);
    default:
      return S(res::kIdsSelectedFamiliesIndividuals);
  }
}

std::string CWebSiteWriter::SiteName() const {
  return request_.description.empty() ? TypeName() : request_.description;
}

std::string CWebSiteWriter::ImagesPrefix() const { return settings_.optFolder ? "images/" : ""; }

std::string CWebSiteWriter::IconName(const std::string& path) const {
  return fs::path(path).filename().string();
}

std::string CWebSiteWriter::Head(const std::string& pageTitle, bool inImages) const {
  std::string s = "<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<title>" + HtmlText(pageTitle) +
                  "</title>\r\n</head>\r\n<body";
  if (!request_.background.empty())
    s += " background=\"" +
         UrlPart((inImages ? "" : ImagesPrefix()) + IconName(request_.background)) + "\"";
  s += ">\r\n";
  if (!settings_.header.empty())
    s += "<!-- USER HEADER -->\r\n" + settings_.header + "\r\n<!-- user header -->\r\n";
  return s;
}

std::string CWebSiteWriter::Tail() const {
  std::string s;
  if (!settings_.footer.empty())
    s += "<!-- USER FOOTER -->\r\n" + settings_.footer + "\r\n<!-- user footer -->\r\n";
  return s + "</body>\r\n</html>\r\n";
}

std::string CWebSiteWriter::Navigation(int page, int next) const {
  const WebIcons& icons = request_.icons;
  auto body = [&](const std::string& icon, unsigned word) {
    if (icon.empty()) return S(word);
    return "<img src=\"" + UrlPart(ImagesPrefix() + IconName(icon)) + "\" border=0 ALT=\"" +
           HtmlText(S(word)) + "\">";
  };
  auto link = [&](const std::string& file, const std::string& anchor, const std::string& icon,
                  unsigned word, bool last) {
    std::string s;
    if (icon.empty()) s += " ";
    s += "<a " + Href(file, anchor) + ">" + body(icon, word) + "</a>\r\n";
    if (icon.empty() && !last) s += " ";
    return s;
  };
  std::string s = "<p align=center>\r\n";
  {
    s += "<a " + Href(names_.Start(), "TOC") + ">" + body(icons.home, res::kIdsHome) + "</a>\r\n";
    if (icons.home.empty()) s += " ";
  }
  if (page > 1) {
    s += link(names_.Generation(1), "", icons.start, res::kIdsFirst, false);
    s += link(names_.Generation(page - 1), "", icons.prev, res::kIdsPrevious, false);
  }
  if (next != 0) {
    s += link(names_.Generation(next), "", icons.next, res::kIdsNext, false);
    s += link(names_.Generation(pages_), "", icons.end, res::kIdsLastWeb, true);
  }
  s += "</p>\r\n";
  s += "<p align=center><a " + Href(names_.List()) + ">Surname List</a> | <a " +
       Href(names_.Index()) + ">Name Index</a>\r\n</p>\r\n";
  return s;
}

std::string CWebSiteWriter::HomeLink() const {
  std::string home = request_.icons.home.empty()
                         ? S(res::kIdsHome)
                         : "<img src=\"" + UrlPart(ImagesPrefix() + IconName(request_.icons.home)) +
                               "\"\r\nborder=0 alt=\"" + HtmlText(S(res::kIdsHome)) + "\">";
  return "<hr><p align=center><a " + Href(names_.Start(), "TOC") + ">" + home + "</a>\r\n</p>\r\n";
}

bool CWebSiteWriter::IsLiving(std::int32_t rin) const {
  if (!settings_.live) return false;
  CIndividualRecord record;
  ReadPerson(rin, record);
  return !IsPresumedDeceased(record);
}

std::string CWebSiteWriter::ShownName(std::int32_t rin, bool surnameFirst) const {
  if (IsLiving(rin) && !settings_.doName) return S(res::kIdsLiving);
  const std::string name = rpt::BookPersonName(rin, surnameFirst);
  return name.empty() ? kUnknownName : name;
}

// ---- files ----

bool CWebSiteWriter::Flush(Page& page) {
  if (!page.open) return true;
  page.open = false;
  std::ofstream out(staging_ + "/" + page.file, std::ios::binary | std::ios::trunc);
  const std::string utf8 = plat::AnsiToUtf8(page.text);
  out.write(utf8.data(), static_cast<std::streamsize>(utf8.size()));
  out.close();
  page.text.clear();
  page.anchors.clear();
  page.citationLists.clear();
  return static_cast<bool>(out);
}

void CWebSiteWriter::ReportDiskFull(const std::string& reportName) const {
  plat::MessageBox(S(res::kIdsInsufficientSpace) + " " + reportName + " " + S(res::kIdsReport),
                   S(res::kIdsCreateWebPage), plat::kMbOk | plat::kMbIconExclamation);
}

bool CWebSiteWriter::Cancelled() const { return plat::Progress().CancelRequested(); }

// ---- preparing ----

int CWebSiteWriter::PrepareSitePages() {
  const SitePathCheck check = MakeSitePath(request_.webBase, request_.folderName, sitePath_);
  // The layout options both book-based sites share.
  auto bookOptions = [&](int pageHalfLines) {
    rpt::BookOptions o;
    o.mode = 2;
    o.startRin = request_.startRin;
    o.generalNotes = settings_.genrl;
    o.embedNotes = settings_.notePresent == 0;
    o.index = true;
    o.newPagePerGeneration = true;
    o.suppressRin = true;
    o.zel = settings_.zel;
    o.generations = settings_.maxGens;
    o.textWidth = 7500;
    o.pageHalfLines = pageHalfLines;
    o.otherEvents = settings_.otherEv;
    o.multipleParents = settings_.parInd;
    o.parentLinks = settings_.relInd;
    return o;
  };
  if (settings_.type == kSiteAncestors) {
    rpt::BookOptions o = bookOptions(32);
    o.sourceNotes = false;
    o.repeat = settings_.dups ? 2 : 0;
    o.actualText = settings_.actText;
    o.comments = settings_.comments;
    pages_ = rpt::PaginateAhnentafel(o, nullptr);
    layoutAlive_ = true;
  } else if (settings_.type == kSiteSelected) {
    plan_ = CollectSelectedPages(request_.selection);
    pages_ = plan_.pageCount;
  } else {
    rpt::BookOptions o = bookOptions(12);
    o.repeat = 0;
    pages_ = rpt::PaginateModifiedRegister(o, nullptr);
    layoutAlive_ = true;
  }
  if (pages_ <= 0) {
    Cleanup();
    return 0;
  }
  // The staging folder beside the site folder, in the checked web folder.
  std::error_code ec;
  auto unusable = [this] {
    plat::MessageBox(S(res::kIdsUnusableFolder), S(res::kIdsCreateWebPage),
                     plat::kMbOk | plat::kMbIconExclamation);
    Cleanup();
    return -1;
  };
  if (check != SitePathCheck::kOk) return unusable();
  const fs::path site(sitePath_);
  staging_ = (site.parent_path() / ("." + site.filename().string() + ".new")).string();
  RemoveTree(staging_);
  if (!fs::create_directories(staging_, ec) || !CopySiteImages()) return unusable();
  return pages_;
}

bool CWebSiteWriter::CopySiteImages() {
  std::error_code ec;
  images_ = settings_.optFolder ? staging_ + "/images" : staging_;
  if (settings_.optFolder && !fs::create_directory(images_, ec)) return false;
  auto copy = [&](const std::string& from) {
    return fs::copy_file(from, images_ + "/" + IconName(from), fs::copy_options::overwrite_existing,
                         ec);
  };
  // The background is read from where it is now, even inside the old site,
  // before the old site goes.
  if (!request_.background.empty() && !copy(request_.background)) return false;
  WebIcons& icons = request_.icons;
  for (std::string* icon :
       {&icons.home, &icons.start, &icons.next, &icons.prev, &icons.end, &icons.email})
    if (!icon->empty() && !copy(*icon)) icon->clear();  // shown as a text link
  return true;
}

// ---- GEDCOM ----

namespace {

class SelectionFilter : public gedcom::ExportFilterSet {
 public:
  explicit SelectionFilter(const std::vector<bool>& set) : set_(set) {}
  bool Contains(std::int32_t rin) const override { return InSelection(set_, rin); }

 private:
  const std::vector<bool>& set_;
};

}  // namespace

bool CWebSiteWriter::WriteGedcomDownload() {
  gedcom::SystemDrive drive;
  gedcom::CGedcomExporter exporter(drive);
  gedcom::ExportOptions& o = exporter.options;
  o.mode = settings_.gedType == 1 ? gedcom::kExportStandard : gedcom::kExportGedcom40;
  o.form55 = settings_.gedType == 1;
  o.fullLiving = !settings_.live;
  o.namesOnLiving = settings_.doName;
  o.zel = settings_.zel;
  o.notesAndSources = (settings_.genrl ? 1 : 0) | (settings_.source ? 2 : 0);
  o.confidential = false;
  o.submitter = settings_.address;
  o.multimedia = false;
  o.contact = false;
  exporter.SetFileName(folderName_ + ".ged");
  exporter.SetFamilyPath(request_.familyPath);
  if (!exporter.Open(staging_ + "/" + folderName_ + ".ged")) return false;
  bool ok = false;
  if (settings_.type == kSiteSelected) {
    SelectionFilter filter(request_.selection);
    ok = exporter.Export(nullptr, &filter);
  } else {
    std::vector<gedcom::SelectionEntry> selection{{request_.startRin,
                                                   settings_.type == kSiteAncestors
                                                       ? gedcom::SelectionEntry::kAncestors
                                                       : gedcom::SelectionEntry::kDescendants,
                                                   settings_.maxGens - 1}};
    ok = exporter.Export(&selection, nullptr);
  }
  const bool closed = exporter.Close();
  return ok && closed && exporter.Complete();
}

// ---- the start page ----

bool CWebSiteWriter::WriteTableOfContents() {
  Page page;
  page.file = names_.Start();
  page.open = true;
  std::string& s = page.text;
  s = Head(request_.description.empty() ? TypeName() + " - TOC - " + S(res::kIdsGenerated)
                                        : request_.description);
  if (!request_.title.empty()) s += "<h1 align=center>" + HtmlText(request_.title) + "</h1>\r\n";
  if (!request_.introduction.empty())
    s += "<blockquote><p>" + request_.introduction + "</p>\r\n</blockquote>\r\n";
  s += "<hr>\r\n<h2 align=center><a name=\"TOC\"></a>\r\nTable of Contents</h2>\r\n<ul>\r\n";
  s += "<li><a " + Href(names_.Generation(1)) + ">" + HtmlText(TypeName()) + "</a>\r\n</li>\r\n";
  s += "<li><a " + Href(names_.List()) + ">Surname List</a>\r\n</li>\r\n";
  s += "<li><a " + Href(names_.Index()) + ">Name Index</a>\r\n</li>\r\n";
  const std::string ged = staging_ + "/" + folderName_ + ".ged";
  std::error_code ec;
  if (settings_.gedcom && fs::is_regular_file(ged, ec))
    s += "<li><a " + Href(folderName_ + ".ged") + ">Download GEDCOM file</a> (" +
         Number(static_cast<long>(fs::file_size(ged, ec))) + " bytes)</li>\r\n";
  if (!settings_.backLink.empty())
    s += "<li><a href=\"" + HtmlText(settings_.backLink) + "\">" + settings_.backLinkText +
         "</a>\r\n</li>\r\n";
  s += "</ul>\r\n<hr>\r\n";
  if (settings_.type == kSiteAncestors)
    s += "<blockquote>\r\n<p>" + S(res::kIdsNumbering1) + S(res::kIdsNumbering2) +
         "</p>\r\n</blockquote>\r\n<hr>\r\n";
  bool rule = false;
  const SitePreparer& p = request_.preparer;
  const bool anyAddress = !(p.name + p.address1 + p.address2 + p.address3 + p.phone).empty();
  if (settings_.address && anyAddress) {
    s += "<h4>Prepared by:</h4>\r\n<blockquote>\r\n<p>";
    for (const std::string* line : {&p.name, &p.address1, &p.address2, &p.address3})
      if (!line->empty()) s += HtmlText(*line) + "<br>\r\n";
    if (!p.phone.empty()) s += "Tel: " + HtmlText(p.phone) + "<br>\r\n";
    s += "</p>\r\n</blockquote>\r\n";
    rule = true;
  }
  if (settings_.email && !p.email.empty()) {
    s += "<p>";
    if (!request_.icons.email.empty())
      s += "<img align=middle src=\"" + UrlPart(ImagesPrefix() + IconName(request_.icons.email)) +
           "\" alt=\"\">";
    s += "Send e-mail to: <a href=\"mailto:" + UrlPart(p.email) + "\">" + HtmlText(p.email) +
         "</a></p>\r\n";
    rule = true;
  }
  if (rule) s += "<hr>\r\n";
  std::string produced = S(res::kIdsProducedBy);
  ReplaceAll(produced, "%s", HtmlText(request_.today));
  s += "<p align=center>" + produced + " <a href=\"" + kServiceAddress + "\">Korvane</a>, " +
       S(res::kIdsProductOf) + "</p>\r\n";
  s += Tail();
  return Flush(page);
}

// ---- generation pages ----

bool CWebSiteWriter::OpenPage(int page, int generation, const std::string& reportName) {
  if (page == currentPage_ && current_.open) return true;
  if (current_.open && !ClosePage(page)) {
    ReportDiskFull(reportName);
    return false;
  }
  plat::Progress().SetPosition(page);
  plat::MessagePump().PumpWaitingMessages();
  current_ = Page{};
  current_.file = names_.Generation(page);
  current_.open = true;
  std::string pageTitle = SiteName() + " - ";
  if (settings_.type == kSiteSelected && plan_.firstPersonPage != 0 &&
      page >= plan_.firstPersonPage)
    pageTitle += TwoDigits(page);
  else
    pageTitle += names_.prefix + "g" + TwoDigits(page);
  current_.text = Head(pageTitle + " - " + S(res::kIdsGenerated));
  if (!request_.title.empty())
    current_.text += "<h3 align=center>" + HtmlText(request_.title) + "</h3>\r\n";
  if (generation > 0) {
    current_.text += "<h2 align=center>" + OrdinalWord(generation) + " Generation</h2>\r\n";
    if (generation == previousGeneration_) current_.text += "<h4 align=center>(Continued)</h4>\r\n";
    current_.text += "<hr>\r\n";
  }
  previousGeneration_ = generation;
  currentPage_ = page;
  return true;
}

bool CWebSiteWriter::CloseCompanions() {
  bool ok = true;
  for (Page* p : {&notes_, &citations_}) {
    if (!p->open) continue;
    p->text += Tail();
    ok = Flush(*p) && ok;
  }
  return ok;
}

bool CWebSiteWriter::ClosePage(int next) {
  if (!current_.open) return true;
  current_.text += Navigation(currentPage_, next) + Tail();
  const bool ok = Flush(current_);
  return CloseCompanions() && ok;
}

std::string CWebSiteWriter::AnchorOnce(std::string text, std::int32_t rin) {
  const std::string anchor = "<a name=\"" + Number(rin) + "\"></a>";
  if (current_.anchors.count(rin)) {
    const std::size_t at = text.find(anchor);
    if (at != std::string::npos) text.erase(at, anchor.size());
  } else if (text.find(anchor) != std::string::npos) {
    current_.anchors.insert(rin);
  }
  return text;
}

template <typename Args>
void CWebSiteWriter::SetNarrativeOptions(Args& args, HtmlMode htmlMode, std::string afterName) {
  args.zel = settings_.zel;
  args.suppressMrin = true;
  args.capitalSurnames = request_.capitalSurnames;
  args.htmlMode = htmlMode;
  args.afterName = std::move(afterName);
  args.livingCheck = settings_.live;
  args.otherEvents = settings_.otherEv;
  args.multipleParents = settings_.parInd;
  args.parentLinks = settings_.relInd;
  args.sourceNotes = settings_.source;
  args.citations = CitationContext{&citationNumbers_, &citationSeen_, nullptr, 0};
  // The citations of the narrative about to be built, numbered from 1.
  citationNumbers_.clear();
}

void CWebSiteWriter::FillPlaceholders(std::string& text, int page, std::int32_t rin) const {
  ReplaceAll(text, kCitationPageSentinel, TwoDigits(page));
  ReplaceAll(text, kCitationAnchorSentinel, CitationAnchor(rin, CitationEntryIndex(rin, page)));
}

std::size_t CWebSiteWriter::CitationEntryIndex(std::int32_t rin, int page) const {
  if (!citations_.open || citations_.file != names_.Citations(page)) return 0;
  const auto lists = citations_.citationLists.find(rin);
  if (lists == citations_.citationLists.end()) return 0;
  const auto same = std::find(lists->second.begin(), lists->second.end(), citationNumbers_);
  return static_cast<std::size_t>(same - lists->second.begin());
}

std::string CWebSiteWriter::CitationAnchor(std::int32_t rin, std::size_t index) const {
  return index == 0 ? Number(rin) : Number(rin) + "-" + Number(static_cast<long>(index + 1));
}

std::string CWebSiteWriter::MediaLink(std::int32_t rin) {
  if (rin <= 0 || settings_.photos == 0 || IsLiving(rin)) return {};
  if (settings_.photos == 1) {
    CMultimediaList list = DbGetDefaultMultimedia(rin, db::kIndividual);
    if (!list || list->kind != CMultimediaItem::kPhoto) return {};
    std::string name;
    int width = 0, height = 0;
    if (ExportMultimediaFile(rin, 0, images_, name, list.get(), 0, width, height,
                             ReplaceSync::kWithFolder) != 1)
      return {};
    return " <a " + Href(ImagesPrefix() + name) + ">[" + S(res::kIdsImage) + "]</a>";
  }
  if (!WriteScrapbookPage(rin)) return {};
  return " <a " + Href(ImagesPrefix() + SiteFileNames::Scrapbook(rin)) + ">[" +
         S(res::kIdsScrapbookWord) + "]</a>";
}

bool CWebSiteWriter::WriteScrapbookPage(std::int32_t rin) {
  if (!CurrentDatabase) return false;
  const std::int32_t head = DbGetMultimediaHead(rin, db::kIndividual);
  if (head <= 0) return false;
  CMultimediaList list = CurrentDatabase->LoadMultimediaList(DbGetFirstMultimediaItem(head), -1);
  if (!list) return false;
  Page page;
  page.file = (settings_.optFolder ? "images/" : "") + SiteFileNames::Scrapbook(rin);
  page.open = true;
  std::string& s = page.text;
  s = Head("Scrapbook - " + S(res::kIdsGenerated), true);
  s += "<h3 align=center>" + S(res::kIdsScrapbookPageFor) + " " +
       HtmlText(rpt::BookPersonName(rin)) + "</h3>\r\n<hr>";
  int index = 0;
  for (const CMultimediaItem* at = list.get(); at; at = at->next.get()) {
    const CMultimediaItem& item = *at;
    const char kind = item.kind;
    const bool skip = (kind == 'P' && !(item.flags & CMultimediaItem::kFlagScrapbook)) ||
                      (kind == 'V' && !settings_.video) || (kind == 'S' && !settings_.audio);
    if (skip) continue;
    std::string name;
    int width = 0, height = 0;
    const bool exported = ExportMultimediaFile(rin, 0, images_, name, &item, index, width, height,
                                               ReplaceSync::kWithFolder) == 1;
    s += "<table border=\"0\" cellspacing=\"0\" width=\"95%\">\r\n<col width=\"5%\">\r\n"
         "<col width=\"35%\">\r\n<tr><td></td>";
    s += "<td valign=top>";
    if (!item.caption.empty()) {
      s += "<b>" + HtmlText(item.caption) + "</b>";
      if (!item.description.empty()) s += "<br><br>";
    }
    s += HtmlText(item.description) + "</td>\r\n";
    if (exported) {
      s += "<td valign=top>";
      if (kind == 'P') {
        s += "<img src=\"" + UrlPart(name) + "\"";
        if (width > 0) s += " width=\"" + Number(width) + "\"";
        if (height > 0) s += " height=\"" + Number(height) + "\"";
        s += " alt=\"" + HtmlText(item.caption) + "\">";
        if (!item.soundFile.empty()) {
          ++index;
          char sound[64];
          std::snprintf(sound, sizeof sound, "%lx%2.2d", static_cast<unsigned long>(rin), index);
          s += "<br><a " + Href(sound + fs::path(item.soundFile).extension().string()) + ">[" +
               S(res::kIdsAudio) + "]</a>\r\n";
        }
      } else {
        s += "<a " + Href(name) + ">[" + S(kind == 'S' ? res::kIdsAudio : res::kIdsVideo) +
             "]</a>\r\n";
      }
      s += "</td>\r\n";
    }
    s += "</tr>\r\n</table>\r\n<hr>";
    ++index;
  }
  s += Tail();
  return Flush(page);
}

void CWebSiteWriter::WriteCompanionEntries(std::int32_t rin, bool inTable, int page, long number) {
  WriteNotesEntry(rin, inTable, page, number);
  WriteCitationsEntry(rin, page, number);
}

void CWebSiteWriter::OpenCompanion(Page& companion, const std::string& file, unsigned word,
                                   const char* letter, int page) {
  companion = Page{};
  companion.file = file;
  companion.open = true;
  companion.text = Head((request_.description.empty() ? S(word) : request_.description) + " - " +
                        names_.prefix + letter + TwoDigits(page) + " - " + S(res::kIdsGenerated));
  if (!request_.title.empty())
    companion.text += "<h3 align=center>" + HtmlText(request_.title) + "</h3>\r\n";
  companion.text += "<h2 align=center>" + S(word) + "</h2>\r\n<hr>\r\n";
}

void CWebSiteWriter::WriteNotesEntry(std::int32_t rin, bool inTable, int page, long number) {
  if (!settings_.genrl || IsLiving(rin)) return;
  // Confidential ("~") paragraphs never leave the family file; marks go.
  const std::string notes =
      DbGetNotes(rin, 0, db::kIndividual, settings_.markedNotes ? 1 : 0, 0, 1);
  const std::vector<std::string> paragraphs = NoteParagraphs(notes);
  if (paragraphs.empty()) return;
  const bool linked = settings_.notePresent == 1;
  if (!inTable) current_.text += "<blockquote>";
  Page* target = &current_;
  if (linked) {
    if (!notes_.open) OpenCompanion(notes_, names_.Notes(page), res::kIdsNotes, "n", page);
    current_.text +=
        "<a " + Href(names_.Notes(page), Number(rin)) + ">[" + S(res::kIdsNotes) + "]</a>\r\n";
    // A person met twice on a page (a partner of two families there) has
    // the notes once on its notes page.
    if (!notes_.anchors.insert(rin).second) {
      if (!inTable) current_.text += "</blockquote>\r\n";
      return;
    }
    notes_.text += "<p>" + (number ? Number(number) + "." : "") + "<b><a name=\"" + Number(rin) +
                   "\"></a>\r\n" + HtmlText(ShownName(rin, false)) + "</b></p>\r\n<blockquote>\r\n";
    target = &notes_;
  }
  for (const std::string& paragraph : paragraphs) {
    std::string text = HtmlText(paragraph);
    ReplaceAll(text, "\r\n", "<br>\r");
    target->text += (inTable && !linked) ? "<br>\r\n<br>" : "<p>";
    target->text += text;
    if (!inTable || linked) target->text += "</p>\r\n";
  }
  if (!inTable || linked) target->text += "</blockquote>\r\n";
  if (linked && !inTable) current_.text += "</blockquote>\r\n";
  if (linked) notes_.text += "<hr>\r\n";
}

void CWebSiteWriter::WriteCitationsEntry(std::int32_t rin, int page, long number) {
  if (!settings_.source || citationNumbers_.empty() || IsLiving(rin)) return;
  if (!citations_.open)
    OpenCompanion(citations_, names_.Citations(page), res::kIdsCitations, "c", page);
  // Once a page for each list of citations: a second paragraph cited alike
  // leads to the same anchors, one cited otherwise gets an entry of its own.
  const std::size_t index = CitationEntryIndex(rin, page);
  auto& lists = citations_.citationLists[rin];
  if (index < lists.size()) return;
  lists.push_back(citationNumbers_);
  const std::string anchor = CitationAnchor(rin, index);
  std::string& s = citations_.text;
  s += "<p>" + (number ? Number(number) + ". " : "") + "<a " +
       Href(names_.Generation(page), Number(rin)) + "><b>" + HtmlText(ShownName(rin, false)) +
       "</b></a></p>\r\n<blockquote>\r\n";
  for (std::size_t i = 0; i < citationNumbers_.size(); ++i) {
    const std::string n = Number(static_cast<long>(i + 1));
    s += "<p><a name=\"" + anchor + "C" + n + "\"><sup>" + n + "</sup></a>";
    CCitationRecord citation;
    if (DbGetRecord(citationNumbers_[i], db::kCitation, &citation) == 1) {
      std::string footnote;
      family::FormatFootnote(citation, footnote, false, false, false, settings_.actText,
                             settings_.comments);
      s += HtmlText(footnote);
    }
    s += "</p>\r\n";
  }
  s += "</blockquote>\r\n<hr>\r\n";
}

bool CWebSiteWriter::WriteSitePages() {
  previousGeneration_ = 0;
  currentPage_ = 0;
  const bool ok = settings_.type == kSiteAncestors     ? WriteAncestorPages()
                  : settings_.type == kSiteDescendants ? WriteDescendantPages()
                                                       : WriteSelectedPages();
  if (!ok) {
    current_ = Page{};
    notes_ = Page{};
    citations_ = Page{};
  }
  return ok;
}

bool CWebSiteWriter::WriteAncestorPages() {
  const rpt::BookRun& run = rpt::CurrentBook();
  const auto& persons = run.persons;

  auto generationBreak = [&](int childItem) {
    const rpt::BookPerson* child = rpt::GetBookPerson(childItem);
    if (child)
      current_.text += "<blockquote><p><a " +
                       Href(names_.Generation(child->page), Number(child->rin)) +
                       ">[Child]</a></p>\r\n</blockquote>\r\n";
    current_.text += "<hr>";
  };

  const rpt::BookPerson* previous = nullptr;
  std::int32_t previousMarriage = 0;
  for (std::size_t i = 0; i < persons.size(); ++i) {
    const rpt::BookPerson& p = persons[i];
    // A couple ends where the next marriage begins (a mother listed after
    // her husband carries no marriage of her own).
    if (previous && p.marriage != 0 && p.marriage != previousMarriage && previous->generation > 1)
      generationBreak(previous->childItem);
    if (previous && previous->number == 1) current_.text += "<hr>";
    if (!OpenPage(p.page, p.generation, kAhnentafel)) return false;
    const bool living = IsLiving(p.rin);
    const bool repeat = p.firstOccurrence >= 0 && !settings_.dups;
    if (!repeat) {
      std::string paragraph;
      PersonNarrativeArgs args;
      args.rin = p.rin;
      args.text = &paragraph;
      args.number = p.number;
      args.marriage = p.generation == 1 ? 0 : p.marriage;
      SetNarrativeOptions(args, HtmlMode::kAncestors, living ? "" : MediaLink(p.rin));
      builder_.BuildPersonNarrative(args);
      FillPlaceholders(paragraph, p.page, p.rin);
      current_.text += "<p>" + Number(p.number) + ".\t" + AnchorOnce(paragraph, p.rin);
      if (const rpt::BookPerson* parent = rpt::GetBookPerson(p.parentItem))
        current_.text += " <a " + Href(names_.Generation(parent->page), Number(parent->rin)) +
                         ">[Parents]</a>\r\n";
      current_.text += "</p>\r\n";
      if (!living) WriteCompanionEntries(p.rin, false, p.page, p.number);
    } else {
      const rpt::BookPerson* first = rpt::GetBookPerson(p.firstOccurrence);
      const std::string anchor =
          current_.anchors.count(p.rin) ? "" : "<a name=\"" + Number(p.rin) + "\"></a>";
      current_.anchors.insert(p.rin);
      current_.text += "<p>" + Number(p.number) + ".\t<b>" + anchor + "\r\n" +
                       HtmlText(ShownName(p.rin, false)) + "</b> " + S(res::kIdsPrintedAs) +
                       " <a " +
                       Href(names_.Generation(first ? first->page : p.page), Number(p.rin)) + ">#" +
                       Number(first ? first->number : p.number) + ".</a>\r\n</p>\r\n";
    }
    if (p.generation == 1 && p.marriage > 0) {
      std::vector<std::int32_t> spouses;
      DbGetRelation(p.marriage, db::kRelSpouses, 2, spouses);
      std::int32_t spouse = 0;
      for (std::int32_t r : spouses)
        if (r > 0 && r != p.rin) spouse = r;
      const bool spouseLiving = spouse > 0 && IsLiving(spouse);
      std::string paragraph;
      SpouseNarrativeArgs args;
      args.rin = p.rin;
      args.text = &paragraph;
      args.marriage = p.marriage;
      SetNarrativeOptions(args, HtmlMode::kAncestors, spouseLiving ? "" : MediaLink(spouse));
      builder_.BuildSpouseNarrative(args);
      FillPlaceholders(paragraph, p.page, spouse);
      if (!paragraph.empty()) current_.text += "<p>" + AnchorOnce(paragraph, spouse) + "</p>\r\n";
      if (spouse > 0 && !spouseLiving) WriteCompanionEntries(spouse, false, p.page, 0);
    }
    previous = &p;
    if (p.marriage != 0) previousMarriage = p.marriage;
    if (Cancelled()) return false;
  }
  if (previous && previous->generation > 1) generationBreak(previous->childItem);
  if (!ClosePage(0)) {
    ReportDiskFull(kAhnentafel);
    return false;
  }
  return true;
}

void CWebSiteWriter::OpenChildrenTable(std::int32_t mrin) {
  std::string heading;
  builder_.BuildChildrenHeading(mrin, true, heading, 0, false, settings_.live);
  // The heading comes as plain text: escaped here.
  current_.text += "<p>" + HtmlText(heading) + "</p>\r\n";
  current_.text += "<blockquote><table border=\"0\" cellspacing=\"7\">\r\n";
}

void CWebSiteWriter::WriteChildNarrative(std::int32_t child, int page) {
  const bool living = IsLiving(child);
  std::string text;
  PersonNarrativeArgs args;
  args.rin = child;
  args.text = &text;
  SetNarrativeOptions(args, HtmlMode::kDescendants, living ? "" : MediaLink(child));
  builder_.BuildPersonNarrative(args);
  FillPlaceholders(text, page, child);
  current_.text += AnchorOnce(text, child);
  if (!living) WriteCompanionEntries(child, true, page, 0);
}

// ---- the descendants site ----

namespace {

// A family of a register node as the register numbered it: its position
// code, the spouse and the children's codes.
struct RegisterFamily {
  std::int32_t mrin = 0;
  std::int32_t spouse = 0;
  int code = 0;
  std::vector<std::pair<int, std::int32_t>> children;  // code, RIN
};

std::int32_t SpouseOf(std::int32_t rin, std::int32_t mrin) {
  const SelectedFamily family = ReadFamily(mrin);
  return family.husband == rin ? family.wife : family.husband;
}

// The families of node i, numbered as the register numbered them.
std::vector<RegisterFamily> RegisterFamilies(const rpt::BookRun& run, int i) {
  std::vector<RegisterFamily> families;
  const rpt::BookPerson& person = run.persons[static_cast<std::size_t>(i)];
  const bool belowLimit = person.generation < run.options.generations;
  int code = 0;
  for (std::int32_t mrin : DbGetRelationChain(person.rin, db::kRelMarriages)) {
    if (mrin <= 0) continue;
    RegisterFamily family;
    family.mrin = mrin;
    family.spouse = SpouseOf(person.rin, mrin);
    std::vector<std::int32_t> children;
    if (belowLimit) children = ReadFamily(mrin).children;
    if (family.spouse == 0 && children.empty()) continue;
    family.code = ++code;
    for (std::int32_t child : children) family.children.emplace_back(++code, child);
    families.push_back(std::move(family));
  }
  return families;
}

}  // namespace

// Where the register lists each individual: the node that carries a child
// forward, by (parent node, RIN), and each individual's first listing, its
// number and the node it is on.
struct CWebSiteWriter::RegisterIndex {
  explicit RegisterIndex(const rpt::BookRun& book) : run(book) {
    const auto& nodes = run.persons;
    for (std::size_t j = 0; j < nodes.size(); ++j)
      if (nodes[j].parentNode >= 0)
        carried[{nodes[j].parentNode, nodes[j].rin}] = static_cast<int>(j);
    for (const auto& [key, listing] : run.listings) {
      if (listing.spouse) continue;
      auto [at, inserted] =
          firstListing.emplace(listing.rin, std::make_pair(listing.number, key.first));
      if (!inserted && listing.number < at->second.first) at->second = {listing.number, key.first};
    }
  }
  const rpt::BookPerson& Node(int node) const {
    return run.persons[static_cast<std::size_t>(node)];
  }
  int PageOf(int node) const { return Node(node).page; }
  // The node that carries rin forward from parentNode with a paragraph of
  // its own; -1 when none does (or that node only refers back).
  int CarriedBy(int parentNode, std::int32_t rin) const {
    const auto at = carried.find({parentNode, rin});
    return at != carried.end() && !Node(at->second).reference ? at->second : -1;
  }

  const rpt::BookRun& run;
  std::map<std::pair<int, std::int32_t>, int> carried;
  std::map<std::int32_t, std::pair<std::uint32_t, int>> firstListing;
};

bool CWebSiteWriter::WriteDescendantPages() {
  const RegisterIndex index(rpt::CurrentBook());
  const auto& nodes = index.run.persons;
  for (std::size_t n = 0; n < nodes.size(); ++n) {
    const rpt::BookPerson& node = nodes[n];
    if (!OpenPage(node.page, node.generation, kModifiedRegister)) return false;
    if (node.reference) {
      WriteRegisterReference(index, static_cast<int>(n));
    } else {
      WriteRegisterPerson(index, static_cast<int>(n));
      WriteRegisterFamilies(index, static_cast<int>(n));
    }
    if (Cancelled()) return false;
  }
  if (!ClosePage(0)) {
    ReportDiskFull(kModifiedRegister);
    return false;
  }
  return true;
}

void CWebSiteWriter::WriteRegisterReference(const RegisterIndex& index, int n) {
  const rpt::BookPerson& node = index.Node(n);
  const auto first = index.firstListing.find(node.rin);
  current_.text += Number(node.number) + ".  " + HtmlText(ShownName(node.rin, false)) + " " +
                   S(res::kIdsPrintedAs) + " #" +
                   Number(first != index.firstListing.end() ? first->second.first : node.number) +
                   ".\r\n\r\n";
}

void CWebSiteWriter::WriteRegisterPerson(const RegisterIndex& index, int n) {
  const rpt::BookPerson& node = index.Node(n);
  // The lineage: the node and its ancestors through the parent nodes.
  std::vector<WebLineageItem> lineage;
  for (int j = n; j >= 0; j = index.Node(j).parentNode)
    lineage.push_back({index.Node(j).page, index.Node(j).rin, nullptr});
  for (std::size_t k = 0; k + 1 < lineage.size(); ++k) lineage[k].firstParent = &lineage[k + 1];
  const bool living = IsLiving(node.rin);
  std::string paragraph;
  PersonNarrativeArgs args;
  args.rin = node.rin;
  args.text = &paragraph;
  args.number = node.number;
  args.webItem = node.parentNode >= 0 ? &lineage.front() : nullptr;
  SetNarrativeOptions(args, HtmlMode::kDescendants, living ? "" : MediaLink(node.rin));
  builder_.BuildPersonNarrative(args);
  if (node.parentNode >= 0) {
    // The name leads back to the child's line in the parent's table.
    ReplaceAll(paragraph, names_.Generation(node.page) + "#" + Number(node.rin) + "C\"",
               names_.Generation(index.PageOf(node.parentNode)) + "#" + Number(node.rin) + "C\"");
  }
  FillPlaceholders(paragraph, node.page, node.rin);
  current_.text +=
      "<p>" + Number(node.number) + ".\t" + AnchorOnce(paragraph, node.rin) + "</p>\r\n";
  if (!living) WriteCompanionEntries(node.rin, false, node.page, node.number);
}

void CWebSiteWriter::WriteRegisterFamilies(const RegisterIndex& index, int n) {
  const rpt::BookPerson& node = index.Node(n);
  const std::vector<RegisterFamily> families = RegisterFamilies(index.run, n);
  int ordinal = 0;
  for (const RegisterFamily& family : families) {
    ++ordinal;
    if (family.spouse != 0) {
      current_.text += "<p>";
      const auto [spouse, spouseLiving] =
          WriteSpouseParagraph(node.rin, family.mrin, families.size() > 1 ? ordinal : 0, node.page);
      current_.text += "</p>\r\n";
      if (spouse > 0 && !spouseLiving) WriteCompanionEntries(spouse, false, node.page, 0);
    }
    if (family.children.empty()) continue;
    OpenChildrenTable(family.mrin);
    int position = 0;
    for (const auto& [code, child] : family.children)
      WriteRegisterChild(index, n, ++position, code, child);
    current_.text += "</table>\r\n</blockquote>\r\n";
  }
}

void CWebSiteWriter::WriteRegisterChild(const RegisterIndex& index, int n, int position, int code,
                                        std::int32_t child) {
  const int page = index.Node(n).page;
  const auto listing = index.run.listings.find({n, code});
  const std::uint32_t number = listing != index.run.listings.end() ? listing->second.number : 0;
  const int carriedNode = index.CarriedBy(n, child);
  const auto first = index.firstListing.find(child);
  const bool repeated = first != index.firstListing.end() && first->second.first != number;
  CIndividualRecord record;
  ReadPerson(child, record);
  current_.text += std::string("<tr><td valign=top>") + (carriedNode >= 0 ? "+" : "&nbsp;") +
                   "</td>\r\n<td valign=top>" + Number(number) + "</td>\r\n";
  current_.text += ChildCells(record.sex, position);
  if (repeated) {
    // The first listing's anchor: on the carried node's page when that
    // listing carried the child forward.
    const int firstCarried = index.CarriedBy(first->second.second, child);
    const int firstPage = index.PageOf(firstCarried >= 0 ? firstCarried : first->second.second);
    const bool hidden = IsLiving(child) && !settings_.doName;
    current_.text += "<a name=\"" + Number(child) + "-" + Number(number) + "\"></a><b>" +
                     HtmlText(hidden ? S(res::kIdsLiving) : record.GetGivenNames()) + "</b> " +
                     S(res::kIdsPrintedAs) + " <a " +
                     Href(names_.Generation(firstPage), Number(child)) + ">#" +
                     Number(first->second.first) + ".</a>";
  } else if (carriedNode >= 0) {
    if (!current_.anchors.count(-child)) {
      current_.text += "<a name=\"" + Number(child) + "C\"></a>";
      current_.anchors.insert(-child);
    }
    current_.text += "<a " + Href(names_.Generation(index.PageOf(carriedNode)), Number(child)) +
                     "><b>" + HtmlText(ShownName(child, false)) + "</b></a>";
  } else {
    // Not carried forward: the child's paragraph and its spouses here.
    WriteChildNarrative(child, page);
    std::vector<std::int32_t> marriages = DbGetRelationChain(child, db::kRelMarriages);
    marriages.erase(std::remove(marriages.begin(), marriages.end(), 0), marriages.end());
    int k = 0;
    for (std::int32_t m : marriages) {
      if (SpouseOf(child, m) == 0) continue;
      ++k;
      current_.text += "</td>\r\n</tr>\r\n<tr>";
      for (int cell = 0; cell < 4; ++cell) current_.text += "<td valign=top>&nbsp;</td>\r\n";
      current_.text += "<td>";
      const auto [spouse, spouseLiving] =
          WriteSpouseParagraph(child, m, marriages.size() > 1 ? k : 0, page);
      if (spouse > 0 && !spouseLiving) WriteCompanionEntries(spouse, true, page, 0);
    }
  }
  current_.text += "</td>\r\n</tr>\r\n";
}

std::pair<std::int32_t, bool> CWebSiteWriter::WriteSpouseParagraph(std::int32_t rin,
                                                                   std::int32_t mrin, int ordinal,
                                                                   int page) {
  const std::int32_t spouse = SpouseOf(rin, mrin);
  const bool spouseLiving = spouse > 0 && IsLiving(spouse);
  std::string paragraph;
  SpouseNarrativeArgs args;
  args.rin = rin;
  args.text = &paragraph;
  args.marriage = mrin;
  args.ordinal = ordinal;
  SetNarrativeOptions(args, HtmlMode::kDescendants, spouseLiving ? "" : MediaLink(spouse));
  builder_.BuildSpouseNarrative(args);
  FillPlaceholders(paragraph, page, spouse);
  current_.text += AnchorOnce(paragraph, spouse);
  return {spouse, spouseLiving};
}

// ---- the selected site ----

void CWebSiteWriter::WriteChildrenTable(std::int32_t mrin, int page) {
  const SelectedFamily family = ReadFamily(mrin);
  if (family.children.empty()) return;
  OpenChildrenTable(mrin);
  const auto selected = [&](std::int32_t rin) { return InSelection(request_.selection, rin); };
  int position = 0;
  for (std::int32_t child : family.children) {
    ++position;
    CIndividualRecord record;
    ReadPerson(child, record);
    // The first placed family the child heads, if any.
    std::int32_t own = 0;
    for (std::int32_t m : DbGetRelationChain(child, db::kRelMarriages))
      if (m > 0 && plan_.IsPlaced(m) && m != mrin) {
        own = m;
        break;
      }
    const bool carried = selected(child) && own != 0;
    current_.text += std::string("<tr><td valign=top>") + (carried ? "+" : "&nbsp;") + "</td>\r\n";
    current_.text += ChildCells(record.sex, position);
    if (selected(child) && !current_.anchors.count(-child)) {
      current_.text += "<a name=\"" + Number(child) + "C\"></a>";
      current_.anchors.insert(-child);
    }
    if (carried) {
      current_.text += "<a " +
                       Href(names_.Generation(plan_.FindFamilyPage(child, own)), Number(child)) +
                       "><b>" + HtmlText(ShownName(child, false)) + "</b></a>";
    } else if (selected(child)) {
      // A selected child without a family page of its own has its
      // paragraph here.
      WriteChildNarrative(child, page);
    } else {
      // The name in bold and the dates, escaped as web text; a living
      // child shows neither.
      std::string line;
      ChildEntryArgs args;
      args.rin = child;
      args.text = &line;
      args.capitalSurnames = request_.capitalSurnames;
      args.web = true;
      args.livingCheck = IsLiving(child);
      builder_.BuildChildEntry(args);
      ReplaceAll(line, "</b></a>", "</b>");
      current_.text += "<b>" + line;
    }
    current_.text += "</td>\r\n</tr>\r\n";
  }
  current_.text += "</table>\r\n</blockquote>\r\n";
}

std::int32_t CWebSiteWriter::PlacedParentsFamily(std::int32_t rin) const {
  for (std::int32_t family : DbGetRelationChain(rin, db::kRelParents))
    if (family > 0 && plan_.IsPlaced(family)) return family;
  return 0;
}

bool CWebSiteWriter::WriteSelectedPages() {
  const std::int32_t highestMrin = std::max<std::int32_t>(DbGetMaxRecordCount(db::kMarriage), 0);
  const auto selected = [&](std::int32_t rin) { return InSelection(request_.selection, rin); };
  auto personParagraph = [&](std::int32_t rin, std::int32_t mrin, int page, HtmlMode mode) {
    const bool living = IsLiving(rin);
    std::string paragraph;
    PersonNarrativeArgs args;
    args.rin = rin;
    args.text = &paragraph;
    args.marriage = mrin;
    SetNarrativeOptions(args, mode, living ? "" : MediaLink(rin));
    if (mode == HtmlMode::kFamilyPages) {
      std::vector<std::int32_t> parents;
      DbGetRelation(rin, db::kRelParents, 1, parents);
      const std::int32_t family = PlacedParentsFamily(rin);
      if (family != 0) {
        // The parents' paragraph when one of them is selected, else the
        // person's own line in their children table.
        const SelectedFamily parents = ReadFamily(family);
        args.parentsPage = plan_.FindFamilyPage(rin, family);
        args.parentsAnchor = selected(parents.husband) ? Number(parents.husband)
                             : selected(parents.wife)  ? Number(parents.wife)
                                                       : Number(rin) + "C";
      }
    }
    builder_.BuildPersonNarrative(args);
    FillPlaceholders(paragraph, page, rin);
    current_.text += "<p>\t" + AnchorOnce(paragraph, rin) + "</p>\r\n";
    return living;
  };

  int page = 0;
  std::size_t nextStart = 0;
  for (std::int32_t mrin = 1; mrin <= highestMrin; ++mrin) {
    if (!plan_.IsPlaced(mrin)) continue;
    if (nextStart < plan_.familyStarts.size() && plan_.familyStarts[nextStart] == mrin) {
      ++nextStart;
      ++page;
      if (!OpenPage(page, 0, kModifiedRegister)) return false;
    }
    current_.text += "<hr>\r\n";
    const SelectedFamily family = ReadFamily(mrin);
    for (std::int32_t partner : {family.husband, family.wife}) {
      if (!selected(partner)) continue;
      const bool living = personParagraph(partner, mrin, page, HtmlMode::kFamilyPages);
      std::string others;
      for (std::int32_t m : DbGetRelationChain(partner, db::kRelMarriages)) {
        if (m <= 0 || m == mrin || !plan_.IsPlaced(m)) continue;
        const SelectedFamily other = ReadFamily(m);
        const std::int32_t spouse = other.husband == partner ? other.wife : other.husband;
        // The spouse's paragraph there, or the partner's own when the
        // spouse is missing or not selected.
        others += "<a " +
                  Href(names_.Generation(plan_.FindFamilyPage(partner, m)),
                       Number(selected(spouse) ? spouse : partner)) +
                  ">" + (spouse != 0 ? HtmlText(ShownName(spouse, true)) : kUnknownName) +
                  "</a>\r\n<br>";
      }
      if (!others.empty())
        current_.text += "<p><blockquote>" + S(res::kIdsOtherMarriages) + ":\r\n<br><blockquote>" +
                         others + "</blockquote>\r\n</blockquote>\r\n</p>\r\n";
      if (!living) WriteCompanionEntries(partner, false, page, 0);
    }
    WriteChildrenTable(mrin, page);
    if (Cancelled()) return false;
  }
  int onPage = kPersonsPerPage;
  for (std::size_t r = 1; r < request_.selection.size(); ++r) {
    const auto rin = static_cast<std::int32_t>(r);
    if (!request_.selection[r] || plan_.IsMember(rin)) continue;
    if (onPage >= kPersonsPerPage) {
      ++page;
      onPage = 0;
      if (!OpenPage(page, 0, kModifiedRegister)) return false;
    }
    ++onPage;
    current_.text += "<hr>\r\n";
    if (!personParagraph(rin, 0, page, HtmlMode::kDescendants))
      WriteCompanionEntries(rin, false, page, 0);
    if (Cancelled()) return false;
  }
  if (!ClosePage(0)) {
    ReportDiskFull(kModifiedRegister);
    return false;
  }
  return true;
}

// ---- the name indexes ----

namespace {

struct IndexEntry {
  std::string surname;  // exact, as stored
  std::string line;     // the person's link and details
};

std::string KeyEventDetails(std::int32_t rin, bool places) {
  std::string text, place;
  GetKeyEventDate(rin, text, &place, true);
  std::string out;
  if (!text.empty()) out += " " + HtmlText(text);
  if (places && !place.empty()) out += " - " + HtmlText(place);
  return out;
}

}  // namespace

bool CWebSiteWriter::WriteNameIndex() {
  return settings_.type == kSiteAncestors     ? WriteAncestorNameIndex()
         : settings_.type == kSiteDescendants ? WriteDescendantNameIndex()
                                              : WriteSelectedNameIndex();
}

std::pair<std::string, std::string> CWebSiteWriter::PageIndexEntry(std::int32_t rin, int page,
                                                                   bool repeat) const {
  CIndividualRecord record;
  ReadPerson(rin, record);
  const bool living = IsLiving(rin);
  std::string name;
  if (living && !settings_.doName) {
    name = S(res::kIdsLiving);
  } else {
    name = HtmlText(NameAfterSurname(rpt::BookPersonName(rin, true), record.surname));
    if (name.empty()) name = kUnknownName;
  }
  if (repeat) name += " (R)";
  std::string line = "<a " + Href(names_.Generation(page), Number(rin)) + ">" + name + "</a>\r\n";
  if (!living) line += KeyEventDetails(rin, settings_.places);
  // A hidden living person's surname does not head a group either.
  return {living && !settings_.doName ? S(res::kIdsLiving) : record.surname, line};
}

bool CWebSiteWriter::WriteAncestorNameIndex() {
  std::vector<std::pair<std::string, std::string>> entries;
  std::int32_t previousRin = 0;
  rpt::BookIndexEntry e;
  for (std::uint32_t n = 0; rpt::GetBookIndexEntry(n, e); ++n) {
    const rpt::BookPerson* person = rpt::GetBookPerson(e.payload3);
    if (!person) continue;
    entries.push_back(PageIndexEntry(e.payload1, person->page, e.payload1 == previousRin));
    previousRin = e.payload1;
  }
  return WriteIndexFiles(entries);
}

bool CWebSiteWriter::WriteDescendantNameIndex() {
  const rpt::BookRun& run = rpt::CurrentBook();
  const auto& nodes = run.persons;
  std::map<std::pair<int, std::int32_t>, int> carried;
  for (std::size_t j = 0; j < nodes.size(); ++j)
    if (nodes[j].parentNode >= 0 && !nodes[j].reference)
      carried[{nodes[j].parentNode, nodes[j].rin}] = static_cast<int>(j);
  std::map<std::int32_t, int> firstPage;  // the page of each individual's first anchor
  struct Listed {
    std::string key;
    std::uint32_t number;
    std::int32_t rin;
    int page;
  };
  std::vector<Listed> listed;
  for (const auto& [key, listing] : run.listings) {
    const auto& node = nodes[static_cast<std::size_t>(key.first)];
    if (node.reference) continue;
    int page = node.page;
    const auto c = carried.find({key.first, listing.rin});
    if (key.second > 0 && key.second < 256 && !listing.spouse && c != carried.end())
      page = nodes[static_cast<std::size_t>(c->second)].page;
    CIndividualRecord record;
    ReadPerson(listing.rin, record);
    listed.push_back(
        {rpt::MakeBookIndexKey(record.surname, record.givenNames[0], record.givenNames[1]),
         listing.number, listing.rin, page});
  }
  // The listings of one person stay together, under the first listing's
  // number, also among namesakes numbered in between.
  std::map<std::int32_t, std::uint32_t> firstNumber;
  for (const Listed& l : listed) {
    const auto [at, inserted] = firstNumber.emplace(l.rin, l.number);
    if (!inserted && l.number < at->second) at->second = l.number;
  }
  std::stable_sort(listed.begin(), listed.end(), [&](const Listed& a, const Listed& b) {
    const int r = rpt::CompareBookIndexNames(a.key, b.key);
    if (r != 0) return r < 0;
    const std::uint32_t fa = firstNumber[a.rin], fb = firstNumber[b.rin];
    return fa != fb ? fa < fb : a.number < b.number;
  });
  // A repeated child's own line holds no anchor of the RIN: it links to the
  // first listing's page.
  for (const Listed& l : listed) firstPage.emplace(l.rin, l.page);
  std::vector<std::pair<std::string, std::string>> entries;
  std::int32_t previousRin = 0;
  for (const Listed& l : listed) {
    const bool repeat = l.rin == previousRin;
    entries.push_back(PageIndexEntry(l.rin, repeat ? firstPage[l.rin] : l.page, repeat));
    previousRin = l.rin;
  }
  return WriteIndexFiles(entries);
}

bool CWebSiteWriter::WriteSelectedNameIndex() {
  struct Sorted {
    std::string key;
    std::int32_t rin;
  };
  std::vector<Sorted> people;
  for (std::size_t r = 1; r < request_.selection.size(); ++r) {
    if (!request_.selection[r]) continue;
    CIndividualRecord record;
    if (!ReadPerson(static_cast<std::int32_t>(r), record)) continue;
    people.push_back(
        {rpt::MakeBookIndexKey(record.surname, record.givenNames[0], record.givenNames[1]),
         static_cast<std::int32_t>(r)});
  }
  std::stable_sort(people.begin(), people.end(), [](const Sorted& a, const Sorted& b) {
    return rpt::CompareBookIndexNames(a.key, b.key) < 0;
  });
  std::vector<std::pair<std::string, std::string>> entries;
  for (const Sorted& p : people) {
    CIndividualRecord record;
    ReadPerson(p.rin, record);
    std::int32_t placed = 0;
    for (std::int32_t m : DbGetRelationChain(p.rin, db::kRelMarriages))
      if (m > 0 && plan_.IsPlaced(m)) {
        placed = m;
        break;
      }
    std::string target;
    if (placed != 0) {
      target = "<a " + Href(names_.Generation(plan_.FindFamilyPage(p.rin, placed)), Number(p.rin));
    } else if (const std::int32_t family = PlacedParentsFamily(p.rin); family != 0) {
      target =
          "<a " + Href(names_.Generation(plan_.FindFamilyPage(p.rin, family)), Number(p.rin) + "C");
    } else {
      // Also a person whose marriages are on no family page: the page that
      // holds the paragraph.
      target = "<a " + Href(names_.Generation(plan_.FindFamilyPage(p.rin, 0)), Number(p.rin));
    }
    const bool living = IsLiving(p.rin);
    std::string line = target + ">";
    if (living && !settings_.doName)
      line += S(res::kIdsLiving) + "</a>\r\n";
    else
      line += HtmlText(rpt::BookPersonName(p.rin, true)) + "</a>\r\n" +
              (living ? " - " + S(res::kIdsLiving) : KeyEventDetails(p.rin, settings_.places));
    // A hidden living person's surname does not head a group either.
    entries.emplace_back(living && !settings_.doName ? S(res::kIdsLiving) : record.surname, line);
  }
  return WriteIndexFiles(entries);
}

bool CWebSiteWriter::WriteIndexFiles(std::vector<std::pair<std::string, std::string>> entries) {
  // One group, and so one anchor, per surname: the index key sorts surnames
  // that differ in letter case (or beyond its length) among each other, and
  // hidden living people among the surnames they hide.
  std::map<std::string, std::size_t> firstOf;
  for (std::size_t i = 0; i < entries.size(); ++i) firstOf.emplace(entries[i].first, i);
  std::stable_sort(entries.begin(), entries.end(), [&](const auto& a, const auto& b) {
    return firstOf[a.first] < firstOf[b.first];
  });
  Page index, list;
  index.file = names_.Index();
  list.file = names_.List();
  index.open = list.open = true;
  index.text = Head(SiteName() + " - Name Index - " + S(res::kIdsGenerated));
  list.text = Head(SiteName() + " - Surname List - " + S(res::kIdsGenerated));
  if (!request_.title.empty()) {
    index.text += "<h3 align=center>" + HtmlText(request_.title) + "</h3>\r\n";
    list.text += "<h3 align=center>" + HtmlText(request_.title) + "</h3>\r\n";
  }
  index.text += "<h2 align=center>Name Index</h2>\r\n<hr>";
  list.text += "<h2 align=center>Surname List</h2>\r\n<hr><p>";
  bool first = true;
  bool firstInGroup = true;
  std::string previous;
  for (const auto& [surname, line] : entries) {
    if (first || surname != previous) {
      if (!first) {
        list.text += ",\r";
        index.text += "</p>\r\n</blockquote>\r\n";
      }
      const std::string anchor = surname.empty() ? "NO_SURNAME" : surname;
      const std::string shown = surname.empty() ? "&lt;----&gt;" : HtmlText(surname);
      list.text += "<a href=\"" + UrlPart(names_.Index()) + "#" + AnchorUrl(anchor) + "\">" +
                   shown + "</a>\r\n";
      index.text +=
          "<a name=\"" + HtmlText(anchor) + "\"></a>\r\n<h3>" + shown + "</h3>\r\n<blockquote><p>";
      previous = surname;
      first = false;
      firstInGroup = true;
    }
    if (!firstInGroup) index.text += "<br>";
    index.text += line;
    firstInGroup = false;
  }
  list.text += "</p>\r\n";
  if (!first) index.text += "</p>\r\n</blockquote>\r\n";
  index.text += HomeLink() + "<p align=center><a " + Href(names_.List()) +
                ">Surname List</a>\r\n</p>\r\n" + Tail();
  list.text += HomeLink() + "<p align=center><a " + Href(names_.Index()) +
               ">Name Index</a>\r\n</p>\r\n" + Tail();
  const bool ok = Flush(index) && Flush(list);
  if (!ok) ReportDiskFull(kAhnentafel);
  return ok;
}

// ---- the run ----

bool CWebSiteWriter::Publish() {
  if (staging_.empty()) return false;
  std::error_code ec;
  const fs::path site(sitePath_);
  const fs::path aside = site.parent_path() / ("." + site.filename().string() + ".old");
  const std::string reportName = settings_.type == kSiteAncestors ? kAhnentafel : kModifiedRegister;
  // The pages and pictures were written without a sync each: the staging
  // folder goes on the disk in one pass before it replaces the old site.
  if (plat::DiskSync().SyncFileSystem(staging_) != 0) {
    ReportDiskFull(reportName);
    return false;
  }
  RemoveTree(aside.string());
  const bool existed = fs::exists(fs::symlink_status(site, ec));
  if (existed) {
    fs::rename(site, aside, ec);
    if (ec) return false;
  }
  fs::rename(staging_, site, ec);
  if (ec) {
    if (existed) fs::rename(aside, site, ec);
    return false;
  }
  // The site is written once its rename is on the disk too; when that
  // fails, the old site goes back in its place.
  if (plat::DiskSync().SyncFolder(site.parent_path().string()) != 0) {
    fs::rename(site, staging_, ec);
    if (!ec && existed) fs::rename(aside, site, ec);
    ReportDiskFull(reportName);
    return false;
  }
  published_ = true;
  staging_.clear();
  RemoveTree(aside.string());
  return true;
}

void CWebSiteWriter::Cleanup() {
  if (layoutAlive_) {
    rpt::CleanupBookPages();
    layoutAlive_ = false;
  }
  if (!published_ && !staging_.empty()) RemoveTree(staging_);
  staging_.clear();
}

WebRunResult CWebSiteWriter::Run() {
  plat::MessagePump().PumpWaitingMessages();
  const int pages = PrepareSitePages();
  if (pages == 0) {
    plat::MessageBox(S(res::kIdsNothing), S(res::kIdsCreateWebPage),
                     plat::kMbOk | plat::kMbIconInformation);
    return WebRunResult::kNothing;
  }
  if (pages < 0) return WebRunResult::kFolderUnusable;
  plat::ProgressPort& progress = plat::Progress();
  progress.Begin(S(res::kIdsCreateWebPage), pages);
  progress.SetText(S(res::kIdsPreparation));
  bool ok = true;
  if (settings_.gedcom) {
    progress.SetText(S(res::kIdsGedcomStatus));
    plat::MessagePump().PumpWaitingMessages();
    ok = WriteGedcomDownload();
  }
  if (ok) {
    progress.SetText(S(res::kIdsTocStatus));
    ok = WriteTableOfContents();
  }
  if (ok) {
    progress.SetText(S(res::kIdsSiteStatus));
    ok = WriteSitePages();
  }
  if (ok) {
    progress.SetText(S(res::kIdsIndexStatus));
    plat::MessagePump().PumpWaitingMessages();
    ok = WriteNameIndex();
  }
  if (ok) ok = Publish();
  Cleanup();
  progress.End();
  if (!ok) {
    plat::MessageBox(S(res::kIdsNotWritten), S(res::kIdsCreateWebPage),
                     plat::kMbOk | plat::kMbIconExclamation);
    return WebRunResult::kFailed;
  }
  return WebRunResult::kComplete;
}

}  // namespace web
