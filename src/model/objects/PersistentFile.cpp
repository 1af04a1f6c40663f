#include "PersistentFile.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "Object.h"
#include "PersistentObject.h"

namespace {

// Size of the pieces in which a file is read and written.
constexpr std::size_t kChunk = 64 * 1024;

// A new object of the class, when it is of type T; null otherwise.
template <class T>
std::unique_ptr<T> CreateAs(const CRuntimeClass& record) {
  std::unique_ptr<CObject> made = record.CreateObject();
  T* typed = dynamic_cast<T*>(made.get());
  if (typed == nullptr) return nullptr;
  made.release();
  return std::unique_ptr<T>(typed);
}

}  // namespace

CPersistentFile::CPersistentFile() = default;

CPersistentFile::~CPersistentFile() { Close(); }

bool CPersistentFile::Open(const std::string& path, Mode mode) {
  Close();
  ClearError();
  memory_.clear();
  inMemory_ = false;
  path_ = path;
  int cause = mode == Mode::kCreate
                  ? file_.Create(path)
                  : file_.Open(path, mode == Mode::kRead ? plat::FileHandle::Access::ReadOnly
                                                         : plat::FileHandle::Access::ReadWrite);
  if (cause != plat::kFileOk) {
    SetError(ObjectStreamError::kIo, cause);
    return false;
  }
  long long size = file_.Size();
  if (size < 0) {
    SetError(ObjectStreamError::kIo, plat::FileErrorFromErrno(file_.LastErrno()));
    file_.Close();
    return false;
  }
  open_ = true;
  writable_ = mode != Mode::kRead;
  position_ = 0;
  length_ = static_cast<std::uint64_t>(size);
  depth_ = 0;
  return true;
}

void CPersistentFile::OpenMemory(std::string contents) {
  Close();
  ClearError();
  memory_ = std::move(contents);
  inMemory_ = true;
  open_ = true;
  writable_ = true;
  position_ = 0;
  length_ = memory_.size();
  depth_ = 0;
}

bool CPersistentFile::Close() {
  if (!open_) return true;
  bool ok = inMemory_ || FlushWrites();
  if (!inMemory_) file_.Close();
  open_ = false;
  readBuffer_.clear();
  readStart_ = 0;
  return ok;
}

bool CPersistentFile::Flush() {
  if (!open_) return false;
  return inMemory_ || FlushWrites();
}

bool CPersistentFile::Seek(std::uint64_t position) {
  if (!open_) {
    SetError(ObjectStreamError::kNotOpen);
    return false;
  }
  position_ = position;
  return true;
}

void CPersistentFile::SetError(ObjectStreamError error, int fileCause) {
  if (error_ != ObjectStreamError::kNone) return;
  error_ = error;
  fileCause_ = error == ObjectStreamError::kIo ? fileCause : 0;
}

void CPersistentFile::ClearError() {
  error_ = ObjectStreamError::kNone;
  fileCause_ = 0;
}

bool CPersistentFile::FlushWrites() {
  if (writeBuffer_.empty()) return true;
  bool ok = file_.WriteAt(writeStart_, writeBuffer_.data(), writeBuffer_.size());
  writeBuffer_.clear();
  if (!ok) SetError(ObjectStreamError::kIo, plat::FileErrorFromErrno(file_.LastErrno()));
  return ok;
}

bool CPersistentFile::WriteBytes(const void* data, std::size_t size) {
  if (!Good()) return false;
  if (!open_) {
    SetError(ObjectStreamError::kNotOpen);
    return false;
  }
  if (!writable_) {
    SetError(ObjectStreamError::kIo, plat::kFileAccessDenied);
    return false;
  }
  const char* bytes = static_cast<const char*>(data);
  if (inMemory_) {
    if (position_ + size > memory_.size()) memory_.resize(position_ + size);
    std::memcpy(memory_.data() + position_, bytes, size);
  } else {
    readBuffer_.clear();
    if (!writeBuffer_.empty() && position_ != writeStart_ + writeBuffer_.size()) {
      if (!FlushWrites()) return false;
    }
    if (writeBuffer_.empty()) writeStart_ = position_;
    writeBuffer_.append(bytes, size);
    if (writeBuffer_.size() >= kChunk && !FlushWrites()) return false;
  }
  position_ += size;
  length_ = std::max(length_, position_);
  return true;
}

bool CPersistentFile::ReadBytes(void* data, std::size_t size) {
  char* out = static_cast<char*>(data);
  std::memset(out, 0, size);
  if (!Good()) return false;
  if (!open_) {
    SetError(ObjectStreamError::kNotOpen);
    return false;
  }
  if (position_ > length_ || size > length_ - position_) {
    SetError(ObjectStreamError::kTruncated);
    return false;
  }
  if (inMemory_) {
    std::memcpy(out, memory_.data() + position_, size);
    position_ += size;
    return true;
  }
  if (!FlushWrites()) return false;
  std::size_t done = 0;
  while (done < size) {
    std::uint64_t at = position_ + done;
    if (at >= readStart_ && at < readStart_ + readBuffer_.size()) {
      std::size_t offset = static_cast<std::size_t>(at - readStart_);
      std::size_t take = std::min(size - done, readBuffer_.size() - offset);
      std::memcpy(out + done, readBuffer_.data() + offset, take);
      done += take;
      continue;
    }
    readBuffer_.resize(kChunk);
    long long got = file_.ReadSomeAt(at, readBuffer_.data(), kChunk);
    if (got <= 0) {
      readBuffer_.clear();
      if (got < 0) {
        SetError(ObjectStreamError::kIo, plat::FileErrorFromErrno(file_.LastErrno()));
      } else {
        SetError(ObjectStreamError::kTruncated);  // the file shrank under us
      }
      std::memset(out, 0, size);
      return false;
    }
    readBuffer_.resize(static_cast<std::size_t>(got));
    readStart_ = at;
  }
  position_ += size;
  return true;
}

bool CPersistentFile::WriteByte(std::uint8_t value) { return WriteBytes(&value, 1); }

bool CPersistentFile::WriteWord(std::uint16_t value) {
  const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value),
                                 static_cast<std::uint8_t>(value >> 8)};
  return WriteBytes(bytes, sizeof bytes);
}

bool CPersistentFile::WriteDword(std::uint32_t value) {
  const std::uint8_t bytes[4] = {
      static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
      static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  return WriteBytes(bytes, sizeof bytes);
}

bool CPersistentFile::WriteString(std::string_view text) {
  if (text.size() > std::numeric_limits<std::uint32_t>::max()) {
    SetError(ObjectStreamError::kCorrupt);
    return false;
  }
  if (!WriteDword(static_cast<std::uint32_t>(text.size()))) return false;
  return text.empty() || WriteBytes(text.data(), text.size());
}

std::uint8_t CPersistentFile::ReadByte() {
  std::uint8_t value = 0;
  ReadBytes(&value, 1);
  return value;
}

std::uint16_t CPersistentFile::ReadWord() {
  std::uint8_t bytes[2];
  ReadBytes(bytes, sizeof bytes);
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t CPersistentFile::ReadDword() {
  std::uint8_t bytes[4];
  ReadBytes(bytes, sizeof bytes);
  return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
         (static_cast<std::uint32_t>(bytes[2]) << 16) |
         (static_cast<std::uint32_t>(bytes[3]) << 24);
}

bool CPersistentFile::ReadString(std::string& text) {
  text.clear();
  std::uint32_t length = ReadDword();
  if (!Good()) return false;
  // A length beyond the end of the stream is a damaged stream, not a reason
  // to allocate that much.
  if (position_ > length_ || length > length_ - position_) {
    SetError(ObjectStreamError::kTruncated);
    return false;
  }
  text.resize(length);
  if (length > 0 && !ReadBytes(text.data(), length)) {
    text.clear();
    return false;
  }
  return true;
}

void CPersistentFile::WriteHead(const CRuntimeClass& record) {
  std::string_view name = record.className != nullptr ? record.className : "";
  if (lastClassName_ != name) {
    lastClassName_ = name;
    WriteByte(1);
    WriteString(lastClassName_);
    WriteWord(static_cast<std::uint16_t>(record.schema));
  }
  WriteByte(2);
}

bool CPersistentFile::WriteObject(const CPersistentObject* object) {
  if (!Good()) return false;
  const CRuntimeClass* record = object != nullptr ? object->GetRuntimeClass() : nullptr;
  if (record == nullptr) return WriteByte(0);
  WriteHead(*record);
  object->Store(this);
  return Good();
}

bool CPersistentFile::WriteArray(const CPersistentArray* array) {
  if (!Good()) return false;
  const CRuntimeClass* record = array != nullptr ? array->GetRuntimeClass() : nullptr;
  if (record == nullptr) return WriteByte(0);
  WriteHead(*record);
  return array->Store(this) && Good();
}

bool CPersistentFile::ReadHead(const CRuntimeClass*& record) {
  record = nullptr;
  std::uint8_t tag = ReadByte();
  if (!Good()) return false;
  if (tag == 0) return true;
  if (tag == 1) {
    std::string name;
    ReadString(name);
    ReadWord();  // the schema; objects of one run of the program need no check
    std::uint8_t objectTag = ReadByte();
    if (!Good()) return false;
    if (objectTag != 2) {
      SetError(ObjectStreamError::kBadTag);
      return false;
    }
    SetLastClassName(std::move(name));
  } else if (tag != 2) {
    SetError(ObjectStreamError::kBadTag);
    return false;
  }
  record = FindRuntimeClassByName(lastClassName_);
  if (record == nullptr || record->create == nullptr) {
    record = nullptr;
    SetError(ObjectStreamError::kUnknownClass);
    return false;
  }
  return true;
}

template <class T, class LoadFn>
bool CPersistentFile::ReadTyped(std::unique_ptr<T>& out, LoadFn load) {
  if (!Good()) return false;
  if (depth_ >= kMaxNesting) {
    SetError(ObjectStreamError::kTooDeep);
    return false;
  }
  const CRuntimeClass* record = nullptr;
  if (!ReadHead(record)) return false;
  if (record == nullptr) {
    out.reset();
    return true;
  }
  std::unique_ptr<T> made = CreateAs<T>(*record);
  if (!made) {
    SetError(ObjectStreamError::kWrongClass);
    return false;
  }
  ++depth_;
  const bool loaded = load(*made);
  --depth_;
  if (!loaded || !Good()) {
    SetError(ObjectStreamError::kCorrupt);  // kept only when Load named no error itself
    return false;
  }
  out = std::move(made);
  return true;
}

bool CPersistentFile::ReadObject(std::unique_ptr<CPersistentObject>& object) {
  return ReadTyped(object, [this](CPersistentObject& made) {
    made.Load(this);
    return true;
  });
}

bool CPersistentFile::ReadPersistentArray(std::unique_ptr<CPersistentArray>& array) {
  return ReadTyped(array, [this](CPersistentArray& made) { return made.Load(this); });
}

const CRuntimeClass* CPersistentFile::FindRuntimeClassByName(std::string_view name) {
  return CRuntimeClass::FromName(name);
}
