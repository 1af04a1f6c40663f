#include "RelationshipCode.h"

#include <cstdio>

#include "CodePage.h"
#include "NumberWords.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

std::string Word(unsigned id) { return res::LoadString(id); }

// The female or the male word of a pair whose ids are female, male.
std::string Gendered(unsigned femaleId, unsigned maleId, bool female) {
  return Word(female ? femaleId : maleId);
}

// Reads an optional sign and decimal digits at text[pos], stopping at the
// end of the text; the value is cut to 16 bits as a stored count is.
std::int16_t ReadCount(const char* text, std::size_t pos) {
  while (text[pos] == ' ' || text[pos] == '\t') ++pos;
  bool negative = false;
  if (text[pos] == '+' || text[pos] == '-') negative = text[pos++] == '-';
  long value = 0;
  while (text[pos] >= '0' && text[pos] <= '9') {
    value = value * 10 + (text[pos++] - '0');
    if (value > 0xFFFF) value &= 0xFFFF;
  }
  return static_cast<std::int16_t>(negative ? -value : value);
}

// The word of table rows whose female and male words follow the ids
// femaleId, femaleId + 1.
std::string Pair(unsigned femaleId, bool female) { return Word(female ? femaleId : femaleId + 1); }

// German generation forms; false when the counts take the common words.
bool GermanGenerationForm(int P, int R, bool female, std::string& out) {
  const auto lower = [](const std::string& s) { return plat::AnsiLower(s); };
  if (R == 0 && P >= 4) {
    const std::string great = Gendered(res::kIdsGreatGranddaughter, res::kIdsGreatGrandson, female);
    const std::string tail = great + " in " + OrdinalNumber(P - 2) + " Generation";
    if (P <= 19)
      out = Word(res::kIdsGenerationBase + 1 + P) +
            lower(Gendered(res::kIdsDaughter, res::kIdsSon, female)) + " (" + tail + ")";
    else
      out = tail;
    return true;
  }
  if (P == 0 && R >= 4) {
    const std::string great =
        Gendered(res::kIdsGreatGrandmother, res::kIdsGreatGrandfather, female);
    const std::string tail = great + " in " + OrdinalNumber(R - 2) + " Generation";
    if (R <= 19)
      out = Word(res::kIdsGenerationBase + 1 + R) +
            lower(Gendered(res::kIdsMother, res::kIdsFather, female)) + " (" + tail + ")";
    else
      out = tail;
    return true;
  }
  if (P == 1 && R >= 4) {
    const std::string great = Gendered(res::kIdsGreatGrandAunt, res::kIdsGreatGrandUncle, female);
    const std::string tail = great + " in " + OrdinalNumber(R - 3) + " Generation";
    if (R <= 20) {
      out = Word(res::kIdsGenerationBase + R) +
            lower(Gendered(res::kIdsAunt, res::kIdsUncle, female));
      if (R >= 5) out += " (" + tail + ")";
    } else {
      out = tail;
    }
    return true;
  }
  return false;
}

// The term of the counts with the deciding sex; inLawStep tells whether the
// in-law step applies to the row.
std::string BaseTerm(int P, int R, char kind, bool female, bool variant, bool german,
                     bool& inLawStep) {
  inLawStep = true;
  if (german) {
    std::string out;
    if (GermanGenerationForm(P, R, female, out)) {
      inLawStep = P != 1;
      return out;
    }
  }
  if (R == 0) {
    if (P == 0) {
      if (kind == 'L') {
        inLawStep = false;
        return Gendered(res::kIdsWife, res::kIdsHusband, female);
      }
      return Word(variant ? res::kIdsSamePerson : res::kIdsRootPerson);
    }
    if (P <= 3) return Pair(res::kIdsDaughter + 2 * (P - 1), female);  // 5451, 5453, 5455
    return OrdinalNumber(P - 2) + " " + Pair(res::kIdsGreatGranddaughter, female);
  }
  if (R == 1) {
    if (P == 0) return Gendered(res::kIdsMother, res::kIdsFather, female);
    if (P <= 4)
      return Pair(5457 + 2 * (P - 1), female);  // sister, niece, grand and great grand niece
    return OrdinalNumber(P - 3) + " " + Pair(res::kIdsGreatGrandNiece, female);
  }
  if (P == 0) {
    if (R <= 3) return Pair(5435 + 2 * (R - 2), female);  // grandmother, great grandmother
    return OrdinalNumber(R - 2) + " " + Pair(res::kIdsGreatGrandmother, female);
  }
  if (P == 1) {
    inLawStep = false;
    if (R <= 4) return Pair(res::kIdsAunt + 2 * (R - 2), female);  // aunt, grand, great grand aunt
    return OrdinalNumber(R - 3) + " " + Pair(res::kIdsGreatGrandAunt, female);
  }
  // Cousins: both counts 2 or more.
  const int smaller = P < R ? P : R;
  const int d = P > R ? P - R : R - P;
  std::string out = OrdinalNumber(smaller - 1) + " " +
                    Pair(variant ? res::kIdsCousinsFemale : res::kIdsCousinFemale, female);
  if (d >= 1)
    out +=
        " " + std::to_string(d) + " " + Word(d == 1 ? res::kIdsTimeRemoved : res::kIdsTimesRemoved);
  return out;
}

}  // namespace

bool IsGermanInterface() {
  return plat::AnsiUpper(plat::Profile().GetString("Options", "LanguageUI", "")) == "DE";
}

bool IsEnglishInterface() {
  const std::string code = plat::AnsiUpper(plat::Profile().GetString("Options", "LanguageUI", ""));
  return code.empty() || code == "EN";
}

std::string OrdinalNumber(int n) { return OrdinalSuffix(n); }

CRelationshipCode::CRelationshipCode(const char* text) { Parse(text); }

void CRelationshipCode::Clear() { *this = CRelationshipCode(); }

std::string CRelationshipCode::Format() const {
  return std::to_string(personCount) + sex + kind + std::to_string(referenceCount);
}

void CRelationshipCode::Parse(const char* text) {
  Clear();
  if (text == nullptr || *text == '\0') return;
  std::size_t letter = 0;
  while (text[letter] != '\0') {
    const auto c = static_cast<unsigned char>(text[letter]);
    if (c >= 65 && c <= 127) break;
    ++letter;
  }
  if (text[letter] == '\0') return;
  personCount = ReadCount(text, 0);
  sex = text[letter];
  if (text[letter + 1] == '\0') {
    kind = 'N';
    return;
  }
  kind = text[letter + 1];
  referenceCount = ReadCount(text, letter + 2);
}

std::string CRelationshipCode::GetName(bool keepCapitals, bool variant) const {
  if (sex == 'N') return Word(res::kIdsNotSet);
  const int P = personCount;
  const int R = referenceCount;
  const bool german = IsGermanInterface();
  char deciding = sex;
  if (kind == 'L' && P > 1) deciding = sex == 'F' ? 'M' : 'F';
  const bool female = deciding == 'F';

  bool inLawStep = true;
  std::string term = BaseTerm(P, R, kind, female, variant, german, inLawStep);
  if (kind == 'L' && inLawStep) {
    if (P > 1 || R > 1) {
      term = Word(sex == 'F' ? res::kIdsWifeOf : res::kIdsHusbandOf) + " " + term;
    } else if (german) {
      if (P < R)
        term = female ? "Schwiegermutter" : "Schwiegervater";
      else if (P > R)
        term = female ? "Schwiegertochter" : "Schwiegersohn";
      else
        term = female ? "Schwagerin" : "Schwager";
    } else {
      term += Gendered(res::kIdsInLawFemale, res::kIdsInLawMale, female);
    }
  }
  if (!keepCapitals && !german) term = plat::AnsiLower(term);
  return term;
}
