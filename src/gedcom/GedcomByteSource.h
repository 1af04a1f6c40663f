#pragma once
// The bytes of one GEDCOM file as the line reader sees them: a UTF-8
// byte-order mark is skipped, and a UTF-16 file (known by its byte-order mark
// or by the zero bytes of its first character, "0" of "0 HEAD") is
// transcoded to UTF-8, so that the line grammar only ever meets one-byte
// delimiters.

#include <cstdio>
#include <string>

namespace gedcom {

class GedcomByteSource {
 public:
  enum class Form { kBytes, kUtf16Le, kUtf16Be };

  GedcomByteSource() = default;
  ~GedcomByteSource() { Close(); }
  GedcomByteSource(const GedcomByteSource&) = delete;
  GedcomByteSource& operator=(const GedcomByteSource&) = delete;

  // False, with errno set, when the file does not open.
  bool Open(const std::string& path);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }

  // The next byte (0-255), or -1 at the end. The reader asks for every
  // byte of the file: a byte of a plain file in the buffer costs no call.
  int Get() {
    if (peeked_ == -2 && form_ == Form::kBytes && bufferPos_ < bufferEnd_)
      return buffer_[bufferPos_++];
    return GetSlow();
  }
  int Peek();

  Form GetForm() const { return form_; }
  // True when the file began with a byte-order mark or was found to be
  // UTF-16: its text is Unicode whatever its header says.
  bool IsUnicode() const { return unicode_; }

 private:
  int GetSlow();
  int RawByte();
  bool FillPending();

  std::FILE* file_ = nullptr;
  unsigned char buffer_[65536];
  std::size_t bufferPos_ = 0, bufferEnd_ = 0;
  Form form_ = Form::kBytes;
  bool unicode_ = false;
  std::string pending_;  // UTF-8 bytes of the last transcoded character
  std::size_t pendingPos_ = 0;
  int peeked_ = -2;  // -2: nothing peeked
};

}  // namespace gedcom
