#include "NameChecks.h"

#include "CodePage.h"
#include "DbCalls.h"
#include "EditEnvironment.h"
#include "FamilyDatabase.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

bool IsWordBreak(unsigned char c) { return c <= ' '; }

}  // namespace

const std::vector<unsigned>& NameTermIds() {
  static const std::vector<unsigned> ids = {res::kIdsSexUnknown,
                                            res::kIdsNameTermUnk,
                                            res::kIdsNameTermNotKnown,
                                            res::kIdsNameTermNotNamed,
                                            res::kIdsNameTermAnonymous,
                                            res::kIdsNameTermUnbekannt,
                                            res::kIdsNameTermNichtBekannt,
                                            res::kIdsNameTermAnonym,
                                            res::kIdsNameTermStillborn,
                                            res::kIdsNameTermNoIssue,
                                            res::kIdsMother,
                                            res::kIdsFather,
                                            res::kIdsSister,
                                            res::kIdsBrother,
                                            res::kIdsUncle,
                                            res::kIdsAunt,
                                            res::kIdsCousinFemale,
                                            res::kIdsCousinMale,
                                            res::kIdsNephew,
                                            res::kIdsNiece,
                                            res::kIdsTwin};
  return ids;
}

int CheckNameCharacters(const CCheckedText& text) {
  static const std::string kAllowed = " ()\"'.-,";
  // Letters beyond the code page count as the letters they resemble; their
  // accents as nothing.
  const int codePage = plat::ActiveCodePage();
  for (const char ch : plat::WithoutPrivateChars(text.GetText(), codePage)) {
    const auto c = static_cast<unsigned char>(ch);
    if (plat::IsAnsiAlpha(c)) continue;
    if (kAllowed.find(ch) != std::string::npos) continue;
    return 0;
  }
  return 1;
}

int ContainsNameTerm(const CCheckedText& text, unsigned termId) {
  const std::string term = plat::AnsiLower(res::LoadString(termId));
  if (term.empty()) return 0;
  return plat::AnsiLower(text.GetText()).find(term) != std::string::npos ? 1 : 0;
}

int CheckNameText(const CCheckedText& text, std::string& message) {
  if (!CheckNameCharacters(text)) {
    message = res::LoadString(res::kIdsPunctuationInName);
    return 0;
  }
  for (const unsigned id : NameTermIds()) {
    if (ContainsNameTerm(text, id)) {
      message = res::LoadString(res::kIdsTermInName);
      return 0;
    }
  }
  return 1;
}

bool ShouldVerifyNewNames() {
  if (!EditEnvironment().options.verifyNew) return false;
  return CurrentDatabase != nullptr && CurrentDatabase->ReadOnly() != CFamilyDatabase::kReadOnly;
}

std::vector<std::string> SplitGivenNameParts(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t pos = 0;
  auto skipBlanks = [&] {
    while (pos < text.size() && IsWordBreak(static_cast<unsigned char>(text[pos]))) ++pos;
  };
  for (int word = 0; word < 2; ++word) {
    skipBlanks();
    const std::size_t start = pos;
    while (pos < text.size() && !IsWordBreak(static_cast<unsigned char>(text[pos]))) ++pos;
    if (pos > start) parts.push_back(text.substr(start, pos - start));
  }
  skipBlanks();
  std::string rest = text.substr(pos);
  while (!rest.empty() && IsWordBreak(static_cast<unsigned char>(rest.back()))) rest.pop_back();
  if (!rest.empty()) parts.push_back(rest);
  return parts;
}

int ConfirmNewStrings(const std::string& shown, const std::vector<std::string>& parts, int kind) {
  std::vector<std::string> missing;
  std::string stored;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    if (DbFindString(part, kind, stored) == 0) missing.push_back(part);
  }
  if (missing.empty()) return 1;
  const int answer =
      plat::MessageBox(shown + "\n\n" + res::LoadString(res::kIdsIsNameCorrect),
                       res::LoadString(res::kIdsAppName), plat::kMbYesNo | plat::kMbIconQuestion);
  if (answer != plat::kIdYes) return 0;
  for (const std::string& part : missing) DbFindOrAddString(part, kind, stored);
  return 1;
}
