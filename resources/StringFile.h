#pragma once
// The line format of string table files and language catalogs:
// "id<TAB>text", UTF-8, with the escapes \n \r \t \\ \" \' \0 and \xHH;
// blank lines and lines starting with '#' are skipped.
#include <string>

namespace res {

inline bool UnescapeStringText(const std::string& in, std::string& out, std::string& error) {
  out.clear();
  for (std::size_t i = 0; i < in.size(); ++i) {
    char c = in[i];
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i >= in.size()) {
      error = "trailing backslash";
      return false;
    }
    switch (in[i]) {
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case '\\':
        out += '\\';
        break;
      case '"':
        out += '"';
        break;
      case '\'':
        out += '\'';
        break;
      case '0':
        out += '\0';
        break;
      case 'x': {
        std::string hex = in.substr(i + 1, 2);
        if (hex.size() != 2 ||
            hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
          error = "bad \\x escape";
          return false;
        }
        out += static_cast<char>(std::stoi(hex, nullptr, 16));
        i += 2;
        break;
      }
      default:
        error = std::string("unknown escape \\") + in[i];
        return false;
    }
  }
  return true;
}

// Parses one line. A blank or comment line succeeds with id 0.
inline bool ParseStringLine(std::string line, unsigned& id, std::string& text, std::string& error) {
  id = 0;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.empty() || line[0] == '#') return true;
  std::size_t tab = line.find('\t');
  std::string idText = line.substr(0, tab);
  if (tab == std::string::npos || idText.empty() || idText.size() > 9 ||
      idText.find_first_not_of("0123456789") != std::string::npos || std::stoul(idText) == 0) {
    error = "expected id<TAB>text";
    return false;
  }
  if (!UnescapeStringText(line.substr(tab + 1), text, error)) return false;
  id = static_cast<unsigned>(std::stoul(idText));
  return true;
}

}  // namespace res
