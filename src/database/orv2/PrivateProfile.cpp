#include "PrivateProfile.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace orv2 {
namespace {

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

bool SameNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// The section name of a "[name]" line; false for any other line.
bool SectionOf(const std::string& line, std::string& name) {
  const std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return false;
  const std::size_t close = t.find(']');
  if (close == std::string::npos) return false;
  name = Trim(t.substr(1, close - 1));
  return true;
}

}  // namespace

bool CPrivateProfile::Load(const std::string& path) {
  lines_.clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines_.push_back(line);
  }
  return true;
}

bool CPrivateProfile::Save(const std::string& path) const {
  const std::string temp = path + ".new";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (const std::string& line : lines_) out << line << "\r\n";
    out.flush();
    if (!out) {
      std::remove(temp.c_str());
      return false;
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

int CPrivateProfile::FindSection(const std::string& section) const {
  std::string name;
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (SectionOf(lines_[i], name) && SameNoCase(name, section)) return static_cast<int>(i);
  return -1;
}

int CPrivateProfile::SectionEnd(int header) const {
  std::string name;
  std::size_t i = static_cast<std::size_t>(header) + 1;
  while (i < lines_.size() && !SectionOf(lines_[i], name)) ++i;
  return static_cast<int>(i);
}

int CPrivateProfile::FindValue(int header, const std::string& name) const {
  const int end = SectionEnd(header);
  for (int i = header + 1; i < end; ++i) {
    const std::string& line = lines_[static_cast<std::size_t>(i)];
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string t = Trim(line);
    if (!t.empty() && t.front() == ';') continue;
    if (SameNoCase(Trim(line.substr(0, eq)), name)) return i;
  }
  return -1;
}

bool CPrivateProfile::HasSection(const std::string& section) const {
  return FindSection(section) >= 0;
}

std::string CPrivateProfile::GetString(const std::string& section, const std::string& name,
                                       const std::string& def) const {
  const int header = FindSection(section);
  if (header < 0) return def;
  const int at = FindValue(header, name);
  if (at < 0) return def;
  const std::string& line = lines_[static_cast<std::size_t>(at)];
  return Trim(line.substr(line.find('=') + 1));
}

int CPrivateProfile::GetInt(const std::string& section, const std::string& name, int def) const {
  const std::string v = GetString(section, name, "");
  std::size_t i = 0;
  bool negative = false;
  if (i < v.size() && (v[i] == '-' || v[i] == '+')) negative = v[i++] == '-';
  if (i >= v.size() || !std::isdigit(static_cast<unsigned char>(v[i]))) return def;
  long long n = 0;
  while (i < v.size() && std::isdigit(static_cast<unsigned char>(v[i])) && n < 1'000'000'000)
    n = n * 10 + (v[i++] - '0');
  return static_cast<int>(negative ? -n : n);
}

void CPrivateProfile::SetString(const std::string& section, const std::string& name,
                                const std::string& value) {
  int header = FindSection(section);
  if (header < 0) {
    lines_.push_back("[" + section + "]");
    header = static_cast<int>(lines_.size()) - 1;
  }
  const int at = FindValue(header, name);
  if (at >= 0) {
    lines_[static_cast<std::size_t>(at)] = name + "=" + value;
    return;
  }
  // After the section's last non-empty line.
  int end = SectionEnd(header);
  while (end > header + 1 && Trim(lines_[static_cast<std::size_t>(end - 1)]).empty()) --end;
  lines_.insert(lines_.begin() + end, name + "=" + value);
}

void CPrivateProfile::SetInt(const std::string& section, const std::string& name, int value) {
  SetString(section, name, std::to_string(value));
}

}  // namespace orv2
