#pragma once
// CRTFFile: the output file of an RTF document. Bytes go out as written,
// except that a line feed becomes carriage return and line feed, as a text
// file of the report's readers expects. WriteString remembers the last
// character written, so that an element knows whether a control word still
// needs its ending blank; the plain Write does not. Writes are buffered; the
// first failure is kept and every later write is dropped.

#include <cstddef>
#include <string>
#include <string_view>

#include "FileHandle.h"

class CRTFFile {
 public:
  CRTFFile() = default;
  ~CRTFFile();
  CRTFFile(const CRTFFile&) = delete;
  CRTFFile& operator=(const CRTFFile&) = delete;

  // Creates (or empties) the file for writing. False when it cannot be
  // created; ErrorCause() says why.
  bool Open(const std::string& path);
  // Collects the output in memory instead of a file (MemoryContents).
  void OpenMemory();
  // Writes what is buffered and closes. False when any write failed.
  bool Close();
  bool IsOpen() const { return open_; }

  void WriteString(std::string_view text);
  void Write(const void* data, std::size_t size);
  char LastChar() const { return last_; }

  // A write failed (the file is incomplete).
  bool Failed() const { return failed_; }
  // The plat::FileErrorCause of the failed open or write, else 0.
  int ErrorCause() const { return cause_; }
  const std::string& GetFilePath() const { return path_; }
  const std::string& MemoryContents() const { return memory_; }

 private:
  void Put(std::string_view bytes);
  bool FlushBuffer();

  plat::FileHandle file_;
  std::string path_;
  bool open_ = false;
  bool inMemory_ = false;
  bool failed_ = false;
  int cause_ = 0;
  char last_ = 0;
  std::string buffer_;
  std::string memory_;
};
