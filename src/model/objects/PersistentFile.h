#pragma once
// The object stream: a work file (or a memory buffer) through which
// persistent objects are written and read back as a tagged byte stream. It
// lives only in temporary files of one run of the program.
//
// Stream form, all integers little-endian:
//   string        dword N, then N characters (no terminator)
//   object        [class header] byte 2, then what the object's Store writes
//   class header  byte 1, string class name, word schema
//   array         as an object, its Store writing a dword count and each element as an object
//   no object     byte 0
// The class header is written only when the class differs from the last
// class written or read on this file object, so a run of objects of one class
// names it once. A position taken with GetPosition may therefore hold a bare
// byte 2, read as the class last named on this same file object.
//
// Errors are sticky: the first failed transfer, a truncated or corrupt
// stream, or an unknown class sets Error(); later transfers then do nothing
// (reads give zeros) until the file is reopened or ClearError is called.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "FileHandle.h"

class CPersistentArray;
class CPersistentObject;
struct CRuntimeClass;

enum class ObjectStreamError {
  kNone = 0,
  kNotOpen,       // no file or buffer is open
  kIo,            // the file could not be opened, read or written (FileErrorCause says why)
  kTruncated,     // the stream ended inside an item
  kBadTag,        // a tag byte other than 0, 1 or 2 (or 2 after a class header)
  kUnknownClass,  // a class name no registered class has, or one that cannot be created
  kWrongClass,    // the named class is not of the kind expected at that place
  kTooDeep,       // objects nested deeper than kMaxNesting
  kCorrupt,       // an object's fields do not make sense (set by Load implementations)
};

class CPersistentFile {
 public:
  enum class Mode {
    kRead,       // an existing file, for reading
    kCreate,     // created or emptied, for writing and reading
    kReadWrite,  // an existing file, for writing and reading
  };

  // Objects nested inside objects (arrays of arrays ...) deeper than this fail to read.
  static constexpr int kMaxNesting = 200;

  CPersistentFile();
  ~CPersistentFile();
  CPersistentFile(const CPersistentFile&) = delete;
  CPersistentFile& operator=(const CPersistentFile&) = delete;

  // Opens a file at position 0 and clears the error; the path becomes the
  // file path. False on failure (Error() kIo, FileErrorCause() why).
  bool Open(const std::string& path, Mode mode);
  // Opens a memory buffer holding `contents`, at position 0, for reading and writing.
  void OpenMemory(std::string contents = {});
  // Writes what is pending and closes; false when that write failed. The
  // last class name is kept.
  bool Close();
  bool IsOpen() const { return open_; }
  bool Flush();
  // The bytes of a memory buffer (also after it was closed).
  const std::string& MemoryContents() const { return memory_; }

  // Stores the name only; opening a file sets it too.
  void SetFilePath(const std::string& path) { path_ = path; }
  const std::string& GetFilePath() const { return path_; }

  std::uint64_t GetPosition() const { return position_; }
  bool Seek(std::uint64_t position);
  std::uint64_t GetLength() const { return length_; }

  bool Good() const { return error_ == ObjectStreamError::kNone; }
  ObjectStreamError Error() const { return error_; }
  // The plat::FileErrorCause of a kIo error, else 0.
  int FileErrorCause() const { return fileCause_; }
  // Keeps the first error; later ones do not replace it.
  void SetError(ObjectStreamError error, int fileCause = 0);
  void ClearError();

  bool WriteByte(std::uint8_t value);
  bool WriteWord(std::uint16_t value);
  bool WriteDword(std::uint32_t value);
  bool WriteString(std::string_view text);
  std::uint8_t ReadByte();
  std::uint16_t ReadWord();
  std::uint32_t ReadDword();
  // On failure `text` is left empty.
  bool ReadString(std::string& text);

  // Writes one object with its class header when needed; a null object (or
  // one without a run-time record) is written as "no object". Answers Good().
  bool WriteObject(const CPersistentObject* object);
  // The same for an array, whose elements follow through its Store.
  bool WriteArray(const CPersistentArray* array);
  // Reads one object. On success `object` holds the new object, or null for
  // "no object", and whatever it held before is deleted. On failure it is
  // left as it was, a partly read object is deleted, and the answer is false.
  bool ReadObject(std::unique_ptr<CPersistentObject>& object);
  // The same for an array, loaded through its Load.
  bool ReadPersistentArray(std::unique_ptr<CPersistentArray>& array);

  void SetLastClassName(std::string name) { lastClassName_ = std::move(name); }
  const std::string& GetLastClassName() const { return lastClassName_; }
  // The first registered class named exactly `name`, or null.
  static const CRuntimeClass* FindRuntimeClassByName(std::string_view name);

 private:
  bool WriteBytes(const void* data, std::size_t size);
  bool ReadBytes(void* data, std::size_t size);
  bool FlushWrites();
  void WriteHead(const CRuntimeClass& record);
  // Reads the tags (and a class header) in front of an object; `record` is
  // then the class to create, or null for "no object".
  bool ReadHead(const CRuntimeClass*& record);
  // Reads the head and, for a class of type T, creates the object and loads
  // it with load (false: the stream is corrupt); the rules of ReadObject.
  template <class T, class LoadFn>
  bool ReadTyped(std::unique_ptr<T>& out, LoadFn load);

  bool open_ = false;
  bool inMemory_ = false;
  bool writable_ = false;
  plat::FileHandle file_;
  std::string memory_;
  std::string path_;
  std::uint64_t position_ = 0;
  std::uint64_t length_ = 0;

  // Writes collect here (from writeStart_) and go to the file in large pieces;
  // reads come from a window of the file in readBuffer_ (from readStart_).
  std::string writeBuffer_;
  std::uint64_t writeStart_ = 0;
  std::string readBuffer_;
  std::uint64_t readStart_ = 0;

  ObjectStreamError error_ = ObjectStreamError::kNone;
  int fileCause_ = 0;
  std::string lastClassName_;
  int depth_ = 0;
};
