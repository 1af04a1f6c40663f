#pragma once
// Text comparison in the user's locale, the wildcard matching of the field
// filters, and the small text clean-ups of name fields.

#include <cstddef>
#include <string>
#include <string_view>

// Compares the first n characters of both texts (fewer when a text is
// shorter) in the user's locale; -1, 0 or 1.
int CompareTextPrefix(std::string_view a, std::string_view b, std::size_t n);
int CompareTextPrefixNoCase(std::string_view a, std::string_view b, std::size_t n);

// Matches text against a pattern of literal parts, '?' (one character) and
// '*' (any run of characters). 0 when the text matches; otherwise nonzero:
// -1 or 1 from the locale comparison of the literal part that first differs
// (so the value orders the text against the pattern), 1 for a text too short.
int WildcardCompare(std::string_view pattern, std::string_view text, bool ignoreCase);

// Splits a name text at its first '|', or when there is none at its first
// ',', each side squeezed; without a separator the squeezed text is the
// first part and the second is empty.
void SplitNameAtSeparator(std::string_view text, std::string& first, std::string& second);

// The text without leading and trailing blanks and with every inner run of
// blanks reduced to one; only the blank character counts. out may be the
// string that in views.
void SqueezeBlanks(std::string& out, std::string_view in);
