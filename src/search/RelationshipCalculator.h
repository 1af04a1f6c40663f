#pragma once
// What the Relationship Calculator decides: the two persons and what is shown
// of them, the search with its messages, the Relationships list, and for the
// chosen result the two lines of descent and the relationship sentence.
// Names are fitted through the text-measure port.

#include <cstdint>
#include <string>
#include <vector>

#include "RelationshipSearch.h"
#include "TextMeasure.h"

namespace kin {

// The short code of two generation counts ("Same", "GDad", "2GGF", "Sis",
// "1C2R"); the person with the smaller count decides the sex (person 1 when
// equal): sex1 and sex2 are the shown sex letters.
std::string RelationshipShortCode(int count1, int count2, char sex1, char sex2);

// The display name of an individual fitted into pixelWidth (and 125
// characters) with the suffix kind; "" when it cannot be read.
std::string FittedName(std::int32_t rin, int pixelWidth, const plat::TextMeasure* dc,
                       int suffixKind);

struct PersonDisplay {
  std::int32_t rin = 0;
  std::string name, rinText, sex, keyEvent, spouse1, spouse2, father, mother;
};

class CRelationshipCalculator {
 public:
  // Widths of the name controls of person 1 and 2 and of the spouse and
  // parent controls, in pixels.
  struct Layout {
    int nameWidth1 = 300, nameWidth2 = 300, otherWidth = 200;
  };
  CRelationshipCalculator(const plat::TextMeasure* dc, int suffixKind, Layout layout)
      : dc_(dc), suffixKind_(suffixKind), layout_(layout) {}

  // which: 1 or 2. Empties the lines and the sentence (the results stay).
  void SetPerson(int which, std::int32_t rin);
  const PersonDisplay& Person(int which) const { return which == 1 ? person1_ : person2_; }

  // The search with its messages (message box port). Returns the result count.
  int Calculate();
  bool Busy() const { return busy_; }
  void RequestClose() { closeRequested_ = true; }
  bool CloseRequested() const { return closeRequested_; }

  const std::vector<RelationshipResult>& Results() const { return search_.Results(); }
  // The Relationships list lines, one per result.
  const std::vector<std::string>& ResultLines() const { return resultLines_; }

  struct Shown {
    std::vector<std::string> lines1, lines2;
    std::string sentence;
  };
  // The two lines of descent and the sentence of result index (empty for an
  // index beyond the results).
  Shown ShowResult(int index) const;

 private:
  PersonDisplay Display(std::int32_t rin, int nameWidth) const;
  std::string CoupleText(std::int32_t mrin, bool forSentence) const;
  std::string ResultLine(const RelationshipResult& result) const;
  std::string PathLine(std::int32_t rin) const;
  std::string Sentence(const RelationshipResult& result) const;
  char SexOf(int which) const;

  const plat::TextMeasure* dc_;
  int suffixKind_;
  Layout layout_;
  PersonDisplay person1_, person2_;
  CRelationshipSearch search_;
  std::vector<std::string> resultLines_;
  bool busy_ = false;
  bool closeRequested_ = false;
};

}  // namespace kin
