#pragma once
// Checks of typed name parts: the characters a name may hold, the
// relationship and placeholder words it should not contain, and the
// question before a name part new to the family file enters its name store.

#include <string>
#include <vector>

#include "CheckedText.h"

// String ids of the words refused inside a name, in the order tested.
const std::vector<unsigned>& NameTermIds();

// 1 when every character is a letter of the active code page or one of
// blank ( ) " ' . - , ; else 0.
int CheckNameCharacters(const CCheckedText& text);
// 1 when the term of string id occurs anywhere in the text, ignoring case.
int ContainsNameTerm(const CCheckedText& text, unsigned termId);
// 1 acceptable; 0 with the reason (3717 characters, 3716 terms) in message.
int CheckNameText(const CCheckedText& text, std::string& message);

// Whether the new-name question is asked: the option is on and the open
// family file is writable.
bool ShouldVerifyNewNames();
// The parts of a given-names text: the first word, the second word and the
// rest with trailing blanks removed (empty parts left out).
std::vector<std::string> SplitGivenNameParts(const std::string& text);
// Asks "<shown>\n\nIs this name correct?" when one of parts (string kind
// kind) is not in the family file's store; Yes adds the missing ones in
// order. 1 when accepted (or nothing to ask), 0 when the user said No.
int ConfirmNewStrings(const std::string& shown, const std::vector<std::string>& parts, int kind);
