// Build tool: compiles the string table text files into a C++ source with a
// sorted array of (id, UTF-8 text), and the name list into the header of named
// ids. Fails the build on a malformed line, a duplicate id or a name that
// does not fit the table, naming the file and line. The header is rewritten
// only when its text changes, so editing a text does not rebuild its users.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "StringFile.h"
#include "StringNames.h"

namespace {

std::string Literal(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F && c != '?') {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\%03o", c);
      out += buf;
    }
  }
  return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: korvane_strgen TABLE.cpp IDS.h NAMES.txt [STRINGS.txt...]\n";
    return 2;
  }
  std::map<unsigned, std::string> table;
  std::map<unsigned, std::string> where;
  for (int a = 4; a < argc; ++a) {
    std::ifstream in(argv[a], std::ios::binary);
    if (!in) {
      std::cerr << argv[a] << ": cannot read\n";
      return 1;
    }
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
      ++lineNo;
      unsigned id = 0;
      std::string text, error;
      if (!res::ParseStringLine(line, id, text, error)) {
        std::cerr << argv[a] << ":" << lineNo << ": " << error << "\n";
        return 1;
      }
      if (id == 0) continue;  // blank or comment
      std::string here = std::string(argv[a]) + ":" + std::to_string(lineNo);
      if (table.count(id)) {
        std::cerr << here << ": id " << id << " already given at " << where[id] << "\n";
        return 1;
      }
      table[id] = text;
      where[id] = here;
    }
  }
  std::ostringstream out;
  out << "// Generated from resources/strings/*.txt; do not edit.\n"
         "#include \"StringTableData.h\"\n\nnamespace res::detail {\n"
         "const StringEntry kBuiltInStrings[] = {\n";
  for (const auto& [id, text] : table)
    out << "    {" << id << "u, " << Literal(text) << ", " << text.size() << "u},\n";
  if (table.empty()) out << "    {0u, \"\", 0u},\n";
  out << "};\nconst std::size_t kBuiltInStringCount = " << table.size()
      << ";\n}  // namespace res::detail\n";
  std::ofstream file(argv[1], std::ios::binary);
  file << out.str();
  file.close();
  if (!file) {
    std::cerr << argv[1] << ": cannot write\n";
    return 1;
  }

  std::set<unsigned> ids;
  for (const auto& entry : table) ids.insert(entry.first);
  std::ifstream names(argv[3], std::ios::binary);
  if (!names) {
    std::cerr << argv[3] << ": cannot read\n";
    return 1;
  }
  std::string header, error;
  if (!res::BuildStringIdsHeader(names, ids, header, error)) {
    std::cerr << argv[3] << ": " << error << "\n";
    return 1;
  }
  std::ifstream old(argv[2], std::ios::binary);
  std::ostringstream oldText;
  oldText << old.rdbuf();
  if (old && oldText.str() == header) return 0;
  old.close();
  std::ofstream headerFile(argv[2], std::ios::binary);
  headerFile << header;
  headerFile.close();
  if (!headerFile) {
    std::cerr << argv[2] << ": cannot write\n";
    return 1;
  }
  return 0;
}
