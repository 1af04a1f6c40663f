#pragma once
// A settings file of sections and "name=value" lines (the family.ini of an
// old-format family). Reading keeps every line, so that a write changes only
// the value it names and leaves comments, order and unknown entries alone.
// Section and value names compare without regard to case.

#include <string>
#include <vector>

namespace orv2 {

class CPrivateProfile {
 public:
  // Reads path; a missing or unreadable file reads as empty. False then.
  bool Load(const std::string& path);
  // Writes the lines back through a temporary file renamed over path. False
  // when the file could not be written (path is then unchanged).
  bool Save(const std::string& path) const;

  bool HasSection(const std::string& section) const;
  // The value with blanks around it removed; def when the name is missing.
  std::string GetString(const std::string& section, const std::string& name,
                        const std::string& def) const;
  // The leading integer of the value (an optional sign, then digits); def
  // when the name is missing or the value holds no number.
  int GetInt(const std::string& section, const std::string& name, int def) const;
  // Replaces the value, or adds the line at the end of its section (adding
  // the section at the end of the file when missing).
  void SetString(const std::string& section, const std::string& name, const std::string& value);
  void SetInt(const std::string& section, const std::string& name, int value);

  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  // Index of the section's header line, or -1.
  int FindSection(const std::string& section) const;
  // Index of the name's line inside the section starting at header, or -1.
  int FindValue(int header, const std::string& name) const;
  // One past the section's last line.
  int SectionEnd(int header) const;

  std::vector<std::string> lines_;
};

}  // namespace orv2
