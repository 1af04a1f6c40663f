#pragma once
// The prose of books and web pages: a person's paragraph (bold name, vital
// events, ordinances, marriage, relationship to parents, other events), a
// spouse's paragraph, the citation marks after each fact and the lines of a
// children list. The same arguments always give the same text, so that the
// paginators and the page generators measure and draw alike.
//
// Sentences are string-table templates whose numbered inserts are filled
// once; inserted text is never read as a template. In web text every value
// from the family file is HTML-escaped; the builder's own tags are not.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CEventValue;
class CIndividualRecord;
class CMarriageRecord;

namespace plat {
class ProfilePort;
}

// What a paragraph is written as: book text, or HTML for one of the web
// sites, which differ in the links around the name.
enum class HtmlMode {
  kBookText,   // book text: names in "<B>", citation marks in "<S>"
  kAncestors,  // the ancestors site
  // The descendants site and single persons: with a lineage item the name
  // links to the person's line in the parents' table and the lineage follows.
  kDescendants,
  kFamilyPages,  // a partner on a family page of the selected persons' site: a parents link
};

// The web settings and the interface language the sentences depend on.
struct NarrativeSettings {
  bool doName = false;             // Web/DoName: living persons keep their names on web pages
  std::string filePrefix = "orv";  // Web/FilePrefix: prefix of the generated page files
  bool french = false;             // the interface language is French
};
NarrativeSettings ReadNarrativeSettings(plat::ProfilePort& profile);

// What the web writer replaces in an HTML citation mark whose page and
// anchor were not known when the paragraph was built. Escaped values never
// hold "<", so neither sentinel can come from the family file.
inline constexpr const char* kCitationPageSentinel = "<?citation-page?>";
inline constexpr const char* kCitationAnchorSentinel = "<?citation-anchor?>";
// How a web page names a person who has no name.
inline constexpr const char* kUnknownWebName = "[Unknown]";

// Where the citation numbers of a report are kept (the caller's lists).
struct CitationContext {
  std::vector<std::int32_t>* numbers = nullptr;            // citations in numbering order
  std::vector<std::uint8_t>* seenFlags = nullptr;          // one per numbered citation
  const std::vector<std::uint16_t>* boundaries = nullptr;  // chapter starts, or null
  int chapter = 0;  // current chapter; 0 numbers over the whole book
};

// One person of a web lineage: the page the person is on, the RIN and the
// item of the first parent (null at the oldest ancestor listed).
struct WebLineageItem {
  int page = 0;
  std::int32_t rin = 0;
  const WebLineageItem* firstParent = nullptr;
};

struct PersonNarrativeArgs {
  std::int32_t rin = 0;
  std::string* text = nullptr;  // the paragraph is written from its start
  long number = 0;              // the person's number in the report (not printed)
  std::int32_t marriage = 0;    // a marriage to describe, 0 for none
  int nameOption = 0;           // number option of the name (0 when RINs are suppressed)
  bool suppressMrin = false;
  bool capitalSurnames = false;
  bool zel = false;                         // ordinance sentences
  const WebLineageItem* webItem = nullptr;  // kDescendants only
  HtmlMode htmlMode = HtmlMode::kBookText;
  std::string afterName;      // web only: written after the name
  bool livingCheck = false;   // living persons without details
  int parentsPage = 0;        // kFamilyPages
  std::string parentsAnchor;  // kFamilyPages: the fragment on that page
  bool otherEvents = false;
  bool multipleParents = false;
  bool parentLinks = false;
  bool sourceNotes = false;
  bool confidential = false;
  CitationContext citations;
};

struct SpouseNarrativeArgs {
  std::int32_t rin = 0;  // the main person
  std::string* text = nullptr;
  std::int32_t marriage = 0;
  int nameOption = 0;
  bool suppressMrin = false;
  bool capitalSurnames = false;
  int ordinal = 0;  // 0 or 1 the first marriage, 2 and above a further one
  bool zel = false;
  HtmlMode htmlMode = HtmlMode::kBookText;
  std::string afterName;
  bool livingCheck = false;
  bool otherEvents = false;
  bool multipleParents = false;
  bool parentLinks = false;
  bool sourceNotes = false;
  bool confidential = false;
  CitationContext citations;
};

struct ChildEntryArgs {
  std::int32_t rin = 0;
  std::string* text = nullptr;
  int nameOption = 0;
  bool capitalSurnames = false;
  bool web = false;  // the caller has opened a bold link
  bool livingCheck = false;
};

// The citation numbers of one fact, filed by the part they support.
struct CitationMarkLists {
  std::vector<std::int32_t> event;
  std::vector<std::int32_t> date;
  std::vector<std::int32_t> place;
};

// A citation and the part of the fact it supports.
struct CitationUse {
  std::int32_t citation = 0;
  int appliesTo = 3;  // 0 the date, 1 the place, 2 date and place, 3 the fact
};

class CNarrativeBuilder {
 public:
  CNarrativeBuilder() = default;
  explicit CNarrativeBuilder(NarrativeSettings settings) : settings_(std::move(settings)) {}

  void BuildPersonNarrative(const PersonNarrativeArgs& args) const;
  // The spouse's RIN, 0 when the marriage has no spouse, -1 when the marriage
  // number is 0.
  int BuildSpouseNarrative(const SpouseNarrativeArgs& args) const;
  // Appends the other-events paragraph of individual rin.
  void BuildOtherEvents(std::int32_t rin, std::string& text, bool capitalSurnames, bool sourceNotes,
                        bool confidential, const CitationContext& citations,
                        HtmlMode htmlMode) const;

  // The ordinance sentences of a person (sealing to parents, baptism,
  // endowment); out is emptied first.
  void BuildOrdinanceSentences(const CIndividualRecord& person, std::string& out,
                               bool capitalSurnames, bool sourceNotes,
                               const CitationContext& citations, HtmlMode htmlMode) const;
  // The sealing-to-spouse sentence of a couple; out is emptied first.
  void BuildSealingToSpouse(const CMarriageRecord& marriage, std::string& out, bool sourceNotes,
                            const CitationContext& citations, HtmlMode htmlMode) const;

  // The three marks of a fact from its citations (numbered into the
  // caller's lists). The family file keeps no part on a citation, so each
  // stored citation supports the fact as a whole.
  void BuildCitationMarks(const std::vector<std::int32_t>& citations, bool hasDate, bool hasPlace,
                          std::string& eventMark, std::string& dateMark, std::string& placeMark,
                          const CitationContext& context, HtmlMode htmlMode) const;
  void BuildCitationMarks(const std::vector<CitationUse>& citations, bool hasDate, bool hasPlace,
                          std::string& eventMark, std::string& dateMark, std::string& placeMark,
                          const CitationContext& context, HtmlMode htmlMode) const;
  // Files a citation number in the list of the part it supports; a part the
  // fact lacks passes the number to the mark after the verb.
  static void FileCitationNumber(int appliesTo, std::int32_t number, bool hasDate, bool hasPlace,
                                 CitationMarkLists& lists);
  // Appends the mark of an ascending list (nothing for an empty list).
  // Book text "<S>1,3</S>"; web text superscript links to the citation page,
  // with the page and anchor sentinels when page is -1 or anchor 0.
  void FormatCitationMarks(const std::vector<std::int32_t>& numbers, std::string& out,
                           HtmlMode htmlMode, int page, std::int32_t anchor) const;

  // "X and Y had the following children:" and its forms. A partner who is
  // living under the living check is named "Living" unless living persons
  // keep their names.
  void BuildChildrenHeading(std::int32_t mrin, bool useNames, std::string& out, int nameOption,
                            bool lineBreaks, bool livingCheck = false) const;
  // One child of a children list: the name and, without the living check,
  // the birth and death dates.
  void BuildChildEntry(const ChildEntryArgs& args) const;

 private:
  struct Paragraph;
  std::string Value(std::string_view text, HtmlMode htmlMode) const;
  std::string PersonName(const CIndividualRecord& person, int nameOption, bool capitals,
                         HtmlMode htmlMode) const;
  std::string ShortName(const CIndividualRecord& person, bool capitals, bool nickname,
                        HtmlMode htmlMode) const;
  bool ShownAsLiving(const CIndividualRecord& person, bool livingCheck) const;
  std::string EventMarks(std::int32_t owner, char letter, bool sourceNotes, bool hasDate,
                         bool hasPlace, std::string& dateMark, std::string& placeMark,
                         const CitationContext& citations, HtmlMode htmlMode) const;
  std::string BirthSentence(const CIndividualRecord& person, bool sourceNotes,
                            const CitationContext& citations, HtmlMode htmlMode) const;
  std::string DeathSentence(const CIndividualRecord& person, const std::string& subject,
                            bool sourceNotes, const CitationContext& citations,
                            HtmlMode htmlMode) const;
  std::string ParentLinkSentence(const CIndividualRecord& person, char letter, bool spouse,
                                 HtmlMode htmlMode) const;
  // The sentences of the three ordinances of a person; a sentence that
  // tells a later ordinance too sets its skip flag.
  struct OrdinanceStyle;
  std::string OrdinanceMarks(const OrdinanceStyle& style, const std::vector<std::int32_t>& list,
                             bool hasDate, bool hasPlace, std::string& dateMark,
                             std::string& placeMark) const;
  std::string SealingToParentsSentence(const OrdinanceStyle& style, bool& skipBaptism,
                                       bool& skipEndowment) const;
  std::string BaptismSentence(const OrdinanceStyle& style, bool& skipEndowment) const;
  std::string EndowmentSentence(const OrdinanceStyle& style) const;
  // The steps of the person's paragraph.
  void WritePersonName(const PersonNarrativeArgs& args, const CIndividualRecord& person,
                       bool living, std::string& s) const;
  void WriteWebLineage(const PersonNarrativeArgs& args, std::string& s) const;
  bool WriteMarriageSentence(const PersonNarrativeArgs& args, const CIndividualRecord& person,
                             int vitalWritten, std::string& s) const;
  std::string ParentsSentences(const CIndividualRecord& person, std::int32_t rin, bool parentLinks,
                               bool multipleParents, bool spouse, HtmlMode htmlMode) const;
  // The steps of the spouse's paragraph.
  bool WriteSpouseName(const SpouseNarrativeArgs& args, std::int32_t spouseRin,
                       const CIndividualRecord& spouse, bool mainFemale, bool notMarried,
                       std::string& s) const;
  bool WriteSpouseParents(const SpouseNarrativeArgs& args, const CIndividualRecord& spouse,
                          std::string& s) const;
  std::string MarriageDatePlace(const CEventValue& event, bool notMarried, bool mainFemale,
                                HtmlMode html) const;
  void WriteSpouseOwnSentences(const SpouseNarrativeArgs& args, std::int32_t spouseRin,
                               const CIndividualRecord& spouse, bool parentsWritten,
                               std::string& s) const;
  std::string NameAnchor(std::int32_t rin) const;

  NarrativeSettings settings_;
};
