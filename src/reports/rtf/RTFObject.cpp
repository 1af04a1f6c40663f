#include "RTFObject.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>

#include "CodePage.h"

#include "PersistentFile.h"

KOR_IMPLEMENT_DYNCREATE(CRTFObject, 1)

void CRTFObject::Store(CPersistentFile* file) const {
  file->WriteDword(static_cast<std::uint32_t>(inTable_));
}

void CRTFObject::Load(CPersistentFile* file) {
  inTable_ = static_cast<std::int32_t>(file->ReadDword());
}

void CRTFObject::WriteRTF(CRTFDocument&, CRTFFile&) const {}

void CRTFObject::AddChild(std::unique_ptr<CRTFObject>) {}

namespace rtf {
namespace {

constexpr char kHex[] = "0123456789abcdef";
// Element records inside element records; a damaged stream could nest without end.
constexpr int kMaxElementNesting = 64;
thread_local int g_nesting = 0;

void AppendHexByte(std::string& out, unsigned char c) {
  out += "\\'";
  out += kHex[c >> 4];
  out += kHex[c & 15];
}

// A character beyond the code page as \uN, followed by what a reader
// without Unicode shows instead (the code page's look-alike, or nothing for
// an accent that cannot be shown alone).
void AppendUnicode(std::string& out, char32_t u, std::string_view fallback) {
  const auto n = static_cast<std::int16_t>(u <= 0xFFFF ? u : U'?');
  if (fallback.empty()) out += "{\\uc0";
  out += "\\u" + std::to_string(n);
  if (fallback.empty()) {
    out += " }";
    return;
  }
  for (const char f : fallback) {
    if (static_cast<unsigned char>(f) > 127)
      AppendHexByte(out, static_cast<unsigned char>(f));
    else
      out += f;
  }
}

// Characters the family file holds beyond the code page travel as private
// pairs (CodePage.h): each is written as \uN, a letter and the accent that
// follows it as the composed letter. Returns the bytes of text used.
std::size_t AppendBeyondCodePage(std::string& out, std::string_view text, std::size_t i) {
  const int codePage = plat::ActiveCodePage();
  if (const char32_t u = plat::PrivateCharAt(text, i)) {
    AppendUnicode(out, u, plat::WithoutPrivateChars(text.substr(i, 2), codePage));
    return 2;
  }
  const char32_t accent = plat::PrivateCharAt(text, i + 1);
  if (accent == 0) return 0;
  const char32_t composed = plat::ComposeLetter(
      plat::AnsiCharToUnicode(static_cast<unsigned char>(text[i]), codePage), accent);
  if (composed == 0) return 0;
  AppendUnicode(out, composed, text.substr(i, 1));
  return 3;
}

}  // namespace

bool AppendText(std::string& out, std::string_view text, bool raw) {
  bool copied = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (const std::size_t used = AppendBeyondCodePage(out, text, i)) {
      i += used - 1;
      continue;
    }
    const char ch = text[i];
    auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '\r':
        out += "\\par\r";
        break;
      case '\t':
        out += "\\tab ";
        break;
      case '{':
        out += "\\{";
        break;
      case '}':
        out += "\\}";
        break;
      case '\\':
        if (raw) {
          out += '\\';
          copied = true;
        } else {
          out += "\\\\";
        }
        break;
      default:
        if (c > 127) {
          AppendHexByte(out, c);
        } else {
          out += ch;
          copied = true;
        }
    }
  }
  return copied;
}

std::string EscapeName(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  for (char ch : name) {
    auto c = static_cast<unsigned char>(ch);
    if (c == '\\' || c == '{' || c == '}') {
      out += '\\';
      out += ch;
    } else if (c > 127) {
      AppendHexByte(out, c);
    } else {
      out += ch;
    }
  }
  return out;
}

std::string QuoteBackslashes(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    if (ch == '\\') out += '\\';
    out += ch;
  }
  return out;
}

std::string Format(const char* format, ...) {
  char small[512];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int n = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  std::string out;
  if (n < 0) {
    va_end(again);
    return out;
  }
  if (static_cast<std::size_t>(n) < sizeof small) {
    out.assign(small, static_cast<std::size_t>(n));
  } else {
    out.resize(static_cast<std::size_t>(n) + 1);
    std::vsnprintf(out.data(), out.size(), format, again);
    out.resize(static_cast<std::size_t>(n));
  }
  va_end(again);
  return out;
}

std::string ElementBytes(const CRTFObject* element) {
  if (element == nullptr) return {};
  CPersistentFile stream;
  stream.OpenMemory();
  stream.WriteObject(element);
  stream.Close();
  return stream.MemoryContents();
}

bool ElementFromBytes(const std::string& bytes, std::unique_ptr<CRTFObject>& element,
                      bool* skipped) {
  element.reset();
  if (skipped != nullptr) *skipped = false;
  if (bytes.empty()) return true;
  if (g_nesting >= kMaxElementNesting) return false;
  CPersistentFile stream;
  stream.OpenMemory(bytes);
  std::unique_ptr<CPersistentObject> object;
  ++g_nesting;
  bool read = stream.ReadObject(object);
  --g_nesting;
  if (!read) {
    if (stream.Error() != ObjectStreamError::kUnknownClass) return false;
    if (skipped != nullptr) *skipped = true;
    return true;
  }
  auto* rtfElement = dynamic_cast<CRTFObject*>(object.get());
  if (rtfElement == nullptr) {
    // A class of another family: nothing this output can write.
    if (skipped != nullptr) *skipped = object != nullptr;
    return true;
  }
  object.release();
  element.reset(rtfElement);
  return true;
}

void StoreElement(CPersistentFile* file, const CRTFObject* element) {
  file->WriteString(ElementBytes(element));
}

bool LoadElement(CPersistentFile* file, std::unique_ptr<CRTFObject>& element, bool* skipped) {
  std::string bytes;
  if (!file->ReadString(bytes)) {
    element.reset();
    return false;
  }
  if (!ElementFromBytes(bytes, element, skipped)) {
    file->SetError(ObjectStreamError::kCorrupt);
    return false;
  }
  return true;
}

void StoreChildren(CPersistentFile* file, const RTFChildren& children) {
  file->WriteDword(static_cast<std::uint32_t>(children.size()));
  for (const auto& child : children) StoreElement(file, child.get());
}

bool LoadChildren(CPersistentFile* file, RTFChildren& children) {
  children.clear();
  std::uint32_t count = file->ReadDword();
  if (!file->Good()) return false;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::unique_ptr<CRTFObject> child;
    if (!LoadElement(file, child)) return false;
    if (child) children.push_back(std::move(child));
  }
  return true;
}

}  // namespace rtf
