#pragma once
// Walks the entries of a folder that match a pattern such as
// "/home/anna/*.orv" ('*' and '?' in the last part only, case ignored).

#include <cstdint>
#include <ctime>
#include <string>

class CFileFinder {
 public:
  CFileFinder() = default;
  virtual ~CFileFinder() { Close(); }
  CFileFinder(const CFileFinder&) = delete;
  CFileFinder& operator=(const CFileFinder&) = delete;

  // 1 while an entry was found: the first call opens the folder of pattern,
  // later calls continue (pattern is then not looked at again); at the end
  // the folder is closed and 0 returned, and a further call starts afresh.
  int FindNext(const std::string& pattern);
  // True for the entries "." and "..".
  bool IsDots() const { return name_ == "." || name_ == ".."; }
  void Close();

  // The entry found last.
  const std::string& Name() const { return name_; }
  bool IsDirectory() const { return directory_; }
  std::uint64_t Size() const { return size_; }
  std::time_t Modified() const { return modified_; }

 private:
  void* dir_ = nullptr;  // the open DIR stream
  std::string folder_, pattern_;
  std::string name_;
  bool directory_ = false;
  std::uint64_t size_ = 0;
  std::time_t modified_ = 0;
};
