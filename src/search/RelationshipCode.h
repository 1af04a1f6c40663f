#pragma once
// How one person (the named person) is related to a reference person, and
// the kinship term that says it ("Son", "2nd Great Grandfather", "Wife of
// Nephew", "Sister-In-Law"). Set Relationship Indicators stores one code per
// individual in its text form; the status bar, the reports and the
// Relationship Calculator turn codes into terms.

#include <cstdint>
#include <string>

class CRelationshipCode {
 public:
  CRelationshipCode() = default;
  // Clears, then parses text.
  explicit CRelationshipCode(const char* text);

  // 0, 0, 'N', 'N': not set.
  void Clear();
  // Person-side count, sex letter, kind letter, reference-side count, with
  // nothing between them ("0UN0", "2ML1").
  std::string Format() const;
  // A null or empty text clears. The first character from 'A' (65) to 127
  // is the sex letter and the next one the kind letter; the person-side
  // count is the number at the start of the text, the reference-side count
  // the number after the two letters. A text without a letter clears; the
  // text is never read past its end.
  void Parse(const char* text);

  // The kinship term in the interface language (English, or German for
  // "DE"). keepCapitals off lower-cases it (never in German); variant on
  // gives "Same Person" for "Root Person" and the plural cousin word. An
  // unset code is "Not Set" whatever is asked.
  std::string GetName(bool keepCapitals, bool variant) const;

  bool IsSet() const { return sex != 'N'; }
  bool operator==(const CRelationshipCode&) const = default;

  std::int16_t personCount = 0;     // generations from the named person up to the common ancestor
  std::int16_t referenceCount = 0;  // generations from the reference person up to it
  char sex = 'N';                   // 'M', 'F', 'U'; 'N' not set
  char kind = 'N';                  // 'N' blood, 'L' by marriage
};

// True when the interface language (Options/LanguageUI) is German.
bool IsGermanInterface();
// True when it is English ("EN", or none set).
bool IsEnglishInterface();
// n followed by its ordinal suffix ("1st", "12th"; in German "2.").
std::string OrdinalNumber(int n);
