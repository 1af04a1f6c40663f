#pragma once
// The export's line output: converts each line to ANSEL when asked (plain
// equivalents for what ANSEL lacks; in ANSI output, look-alikes for what
// the code page lacks), ends it
// with CR LF, counts the bytes that reach the disk and, when the next line
// would not fit, either stops with "Not enough disk space to complete." (a
// fixed drive) or closes the part and asks for a new disk (a removable
// drive), naming the later parts "<title>.G00", "<title>.G01" ... beside the
// first. Every write is checked; the first failure makes the output fail for
// good and is reported once.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "GedcomLineWriter.h"

namespace gedcom {

// The drive that holds the output: the real one, or a small one in tests.
class GedcomDrive {
 public:
  virtual ~GedcomDrive() = default;
  virtual bool IsRemovable(const std::string& path) = 0;
  // Free bytes on the drive of path (read again after each disk change).
  virtual std::uint64_t FreeBytes(const std::string& path) = 0;
};

// The mounted file system of the path, through FileUtil.
class SystemDrive : public GedcomDrive {
 public:
  bool IsRemovable(const std::string& path) override;
  std::uint64_t FreeBytes(const std::string& path) override;
};

inline constexpr const char* kExportCaption = "GEDCOM Export";
inline constexpr const char* kNotEnoughSpace = "Not enough disk space to complete.";
inline constexpr const char* kInsertDisk =
    "This disk is full.\n\nInsert a new disk labeled: #%1!d! and click OK to continue.";
inline constexpr const char* kWriteFailed = "Could not write to the GEDCOM file:\n\n%1";

class GedcomOutput : public GedcomLineSink {
 public:
  GedcomOutput(GedcomDrive& drive, bool ansel) : drive_(drive), ansel_(ansel) {}
  ~GedcomOutput() override;
  GedcomOutput(const GedcomOutput&) = delete;
  GedcomOutput& operator=(const GedcomOutput&) = delete;

  // Creates the first part; false when it cannot be created.
  bool Open(const std::string& path);
  bool WriteLine(std::string_view line) override;
  // Closes the current part; false when its last bytes could not be written.
  bool Close();
  // Closes and deletes every part written (a confirmed cancel).
  void Discard();

  bool Failed() const { return failed_; }
  // The first part and every later one opened, in order.
  const std::vector<std::string>& Parts() const { return parts_; }
  std::uint64_t BytesOnDisk() const { return written_; }
  // Characters written in another form than the family file holds them
  // (ANSEL lacks them, or the code page does in an ANSI file): what each
  // became and how often, in the order first met.
  struct Replaced {
    std::string original;  // code page text
    std::string written;   // as written to the file
    long count = 0;
  };
  const std::vector<Replaced>& ReplacedCharacters() const { return replaced_; }

 private:
  bool Fail(bool reportWrite);
  bool NextDisk();
  std::string PartName(int counter) const;

  GedcomDrive& drive_;
  bool ansel_;
  std::FILE* file_ = nullptr;
  std::vector<std::string> parts_;
  bool removable_ = false;
  std::uint64_t free_ = 0;
  std::uint64_t written_ = 0;
  int partCounter_ = 0;
  bool changedDisk_ = false;
  bool failed_ = false;
  std::vector<Replaced> replaced_;
};

}  // namespace gedcom
