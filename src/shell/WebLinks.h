#pragma once
// The commands that leave the program: the publisher's pages, the
// getting-started document beside the program, and the web searches that
// look the current individual up by name.

#include <array>
#include <string>

namespace shell {

// Web search kinds: Seekwell, the three outside sites, and a kind without
// an address.
inline constexpr int kWebSearchSeekwell = 0;
inline constexpr int kWebSearchOutside1 = 1;
inline constexpr int kWebSearchOutside2 = 2;
inline constexpr int kWebSearchOutside3 = 3;
inline constexpr int kWebSearchNone = 4;

// The search kind of a Search command, or -1.
int WebSearchKindOf(unsigned commandId);

struct SearchName {
  std::array<std::string, 3> given;  // first, second, third given name
  std::string surname;
};

// The address of a web search for a name, blanks sent as "%20"; "" for the
// kind without an address (and for unknown kinds). Hosts from the string
// table.
std::string WebSearchAddress(int kind, const SearchName& name);
// Every blank becomes "%20"; nothing else is encoded.
std::string EncodeBlanks(const std::string& text);

// The getting-started document: "readme", the interface language when it
// is not "EN", ".rtf", in the program's folder (ending in '/').
std::string GettingStartedPath(const std::string& programFolder, const std::string& language);

}  // namespace shell
