#pragma once
// CWin32File: a file opened with the classic access, disposition and flag
// numbers, over plat::FileHandle; it also creates the delete-on-close
// temporary files. CBufferedFileWriter: a write buffer in front of a file.

#include <cstddef>
#include <cstdint>
#include <string>

#include "FileHandle.h"
#include "MemoryBuffer.h"

class CWin32File {
 public:
  enum Access : unsigned {
    kGenericRead = 0x80000000u,
    kGenericWrite = 0x40000000u,
  };
  enum Disposition : int {
    kCreateNew = 1,         // fails when the file exists
    kCreateAlways = 2,      // creates or empties
    kOpenExisting = 3,      // fails when the file is missing
    kOpenAlways = 4,        // opens, creating a missing file
    kTruncateExisting = 5,  // opens and empties an existing file
  };
  // The file's name is removed at once: the file lives while it is open and
  // is gone when it closes, even when the program ends abruptly.
  static constexpr unsigned kDeleteOnClose = 0x04000000u;

  CWin32File() = default;
  virtual ~CWin32File() { Close(); }
  CWin32File(const CWin32File&) = delete;
  CWin32File& operator=(const CWin32File&) = delete;

  // Opens name (closing an open file first). 1 on success; 0 for an empty
  // name or a failure, with the file-error cause (plat::FileErrorCause) in
  // errorOut when given.
  int Open(const std::string& name, unsigned access, int disposition, unsigned flags = 0,
           int* errorOut = nullptr);

  // Creates a new delete-on-close temporary file, read and write, named as
  // MakeTempFileName names them. With a folder it must have neededBytes free
  // (else 0 with kFileDiskFull); without one the folder comes from
  // GetTempPathWithSpace. Names that exist are skipped; another failure ends
  // with 0 and its cause in errorOut; when every name is taken the cause is
  // kFileTooManyOpen. 1 on success.
  int CreateTempFile(std::string_view hint, std::uint64_t neededBytes, int* errorOut = nullptr,
                     const std::string& folder = {});

  void Close() { file_.Close(); }
  bool IsOpen() const { return file_.IsOpen(); }
  plat::FileHandle& Handle() { return file_; }
  // The name the file was opened or created with.
  const std::string& Path() const { return file_.Path(); }

 private:
  plat::FileHandle file_;
};

class CBufferedFileWriter {
 public:
  // Writes through file (not owned) from its current position.
  CBufferedFileWriter(plat::FileHandle& file, std::size_t bufferSize);
  // Writes what is pending.
  ~CBufferedFileWriter() { Close(); }
  CBufferedFileWriter(const CBufferedFileWriter&) = delete;
  CBufferedFileWriter& operator=(const CBufferedFileWriter&) = delete;

  // Buffers data, writing full buffers and data larger than the buffer
  // through. 1, or 0 when a write failed.
  int Write(const void* data, std::size_t bytes);
  // Writes the pending bytes; 0 when fewer were written (they are dropped).
  int Flush();
  // Flushes, then makes the file's data durable on disk.
  int Commit();
  // Commits and frees the buffer; later writes go straight to the file.
  int Close();

  std::size_t Pending() const { return pending_; }

 private:
  plat::FileHandle& file_;
  CGlobalBuffer buffer_;
  std::size_t size_;
  std::size_t pending_ = 0;
  bool closed_ = false;
};
