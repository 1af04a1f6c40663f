#include "TextMatch.h"

#include <map>
#include <utility>

#include "CodePage.h"

namespace {

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

int ComparePrefix(std::string_view a, std::string_view b, std::size_t n, bool ignoreCase) {
  return Sign(plat::CompareAnsi(a.substr(0, n), b.substr(0, n), ignoreCase));
}

bool SameChar(char a, char b, bool ignoreCase) {
  if (!ignoreCase) return a == b;
  return plat::AnsiToUpper(static_cast<unsigned char>(a)) ==
         plat::AnsiToUpper(static_cast<unsigned char>(b));
}

// Matcher with backtracking over the '*' positions. The value of a failed
// match is the one the first (leftmost) way of placing each '*' produced, so
// a text that does not match still orders against the pattern.
class Matcher {
 public:
  Matcher(std::string_view pattern, std::string_view text, bool ignoreCase)
      : p_(pattern), t_(text), ignoreCase_(ignoreCase) {}

  int Match(std::size_t pi, std::size_t ti) {
    while (pi < p_.size()) {
      char c = p_[pi];
      if (c == '?') {
        if (ti >= t_.size()) return 1;
        ++pi;
        ++ti;
        continue;
      }
      if (c == '*') return MatchStar(pi, ti);
      std::size_t end = p_.find_first_of("?*", pi);
      if (end == std::string_view::npos) {
        // The last literal part must equal the rest of the text.
        return Sign(plat::CompareAnsi(p_.substr(pi), t_.substr(ti), ignoreCase_));
      }
      std::size_t len = end - pi;
      int r = ComparePrefix(p_.substr(pi), t_.substr(ti), len, ignoreCase_);
      if (r != 0) return r;
      if (t_.size() - ti < len) return 1;
      pi += len;
      ti += len;
    }
    return 0;
  }

 private:
  int MatchStar(std::size_t pi, std::size_t ti) {
    // Every '?' among the '*'s still needs one character of its own.
    std::size_t need = 0;
    while (pi < p_.size() && (p_[pi] == '*' || p_[pi] == '?')) {
      if (p_[pi] == '?') ++need;
      ++pi;
    }
    if (t_.size() - ti < need) return 1;
    ti += need;
    if (pi == p_.size()) return 0;
    auto key = std::make_pair(pi, ti);
    if (auto it = memo_.find(key); it != memo_.end()) return it->second;
    int first = 1;
    bool tried = false;
    for (std::size_t k = ti; k < t_.size(); ++k) {
      if (!SameChar(t_[k], p_[pi], ignoreCase_)) continue;
      int r = Match(pi, k);
      if (r == 0) return memo_[key] = 0;
      if (!tried) first = r;
      tried = true;
    }
    return memo_[key] = first;
  }

  std::string_view p_, t_;
  bool ignoreCase_;
  std::map<std::pair<std::size_t, std::size_t>, int> memo_;
};

}  // namespace

int CompareTextPrefix(std::string_view a, std::string_view b, std::size_t n) {
  return ComparePrefix(a, b, n, false);
}

int CompareTextPrefixNoCase(std::string_view a, std::string_view b, std::size_t n) {
  return ComparePrefix(a, b, n, true);
}

int WildcardCompare(std::string_view pattern, std::string_view text, bool ignoreCase) {
  return Matcher(pattern, text, ignoreCase).Match(0, 0);
}

void SqueezeBlanks(std::string& out, std::string_view in) {
  std::string result;
  result.reserve(in.size());
  bool pendingBlank = false;
  for (char c : in) {
    if (c == ' ') {
      pendingBlank = !result.empty();
      continue;
    }
    if (pendingBlank) result += ' ';
    pendingBlank = false;
    result += c;
  }
  out = std::move(result);
}

void SplitNameAtSeparator(std::string_view text, std::string& first, std::string& second) {
  std::size_t sep = text.find('|');
  if (sep == std::string_view::npos) sep = text.find(',');
  if (sep == std::string_view::npos) {
    SqueezeBlanks(first, text);
    second.clear();
    return;
  }
  std::string_view a = text.substr(0, sep), b = text.substr(sep + 1);
  std::string f, s;
  SqueezeBlanks(f, a);
  SqueezeBlanks(s, b);
  first = std::move(f);
  second = std::move(s);
}
