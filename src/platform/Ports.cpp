#include "Ports.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace plat {
namespace {

class HeadlessMessageBox : public MessageBoxPort {
 public:
  int Show(const std::string& text, const std::string& caption, unsigned flags) override {
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    return DefaultAnswer(flags);
  }
};

class HeadlessPump : public MessagePumpPort {
 public:
  bool PumpWaitingMessages() override { return true; }
};

class HeadlessProgress : public ProgressPort {
 public:
  void Begin(const std::string&, int) override {}
  void SetPosition(int) override {}
  void SetText(const std::string&) override {}
  bool CancelRequested() override { return false; }
  void End() override {}
};

class HeadlessShell : public ShellPort {
 public:
  bool Open(const std::string&) override { return false; }
  bool MoveToTrash(const std::string&) override { return false; }
  bool RegisterFileTypes(const std::string&) override { return false; }
};

HeadlessMessageBox g_defaultBox;
HeadlessPump g_defaultPump;
HeadlessProgress g_defaultProgress;
MemoryProfile g_defaultProfile;
HeadlessShell g_defaultShell;

MessageBoxPort* g_box = nullptr;
MessagePumpPort* g_pump = nullptr;
ProgressPort* g_progress = nullptr;
ProfilePort* g_profile = nullptr;
ShellPort* g_shell = nullptr;

template <class T>
T* Swap(T*& slot, T* port) {
  T* old = slot;
  slot = port;
  return old;
}

std::string IntText(int v) { return std::to_string(v); }

}  // namespace

int DefaultAnswer(unsigned flags) {
  static constexpr int kButtons[][3] = {
      {kIdOk, kIdOk, kIdOk},      {kIdOk, kIdCancel, kIdCancel}, {kIdAbort, kIdRetry, kIdIgnore},
      {kIdYes, kIdNo, kIdCancel}, {kIdYes, kIdNo, kIdNo},        {kIdRetry, kIdCancel, kIdCancel},
  };
  unsigned set = flags & kMbButtonMask;
  if (set > 5) set = 0;
  unsigned def = (flags & kMbDefMask) >> 8;
  if (def > 2) def = 0;
  return kButtons[set][def];
}

MessageBoxPort& MessageBoxes() { return g_box ? *g_box : g_defaultBox; }
MessagePumpPort& MessagePump() { return g_pump ? *g_pump : g_defaultPump; }
ProgressPort& Progress() { return g_progress ? *g_progress : g_defaultProgress; }
ProfilePort& Profile() { return g_profile ? *g_profile : g_defaultProfile; }
ShellPort& Shell() { return g_shell ? *g_shell : g_defaultShell; }

MessageBoxPort* SetMessageBoxPort(MessageBoxPort* port) { return Swap(g_box, port); }
MessagePumpPort* SetMessagePumpPort(MessagePumpPort* port) { return Swap(g_pump, port); }
ProgressPort* SetProgressPort(ProgressPort* port) { return Swap(g_progress, port); }
ProfilePort* SetProfilePort(ProfilePort* port) { return Swap(g_profile, port); }
ShellPort* SetShellPort(ShellPort* port) { return Swap(g_shell, port); }

int MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  return MessageBoxes().Show(text, caption, flags);
}

bool PumpWaitingMessages() { return MessagePump().PumpWaitingMessages(); }

std::string ProfilePort::GetPath(const std::string& section, const std::string& value,
                                 const std::string& def) {
  return GetString(section, value, def);
}

bool ProfilePort::SetPath(const std::string& section, const std::string& value,
                          const std::string& path) {
  return SetString(section, value, path);
}

std::uint32_t ProfilePort::GetColor(const std::string& section, const std::string& value,
                                    std::uint32_t def) {
  return ColorFromText(GetString(section, value, ""), def);
}

bool ProfilePort::SetColor(const std::string& section, const std::string& value,
                           std::uint32_t color) {
  return SetString(section, value, ColorText(color));
}

std::string ColorText(std::uint32_t color) {
  char text[16];
  std::snprintf(text, sizeof text, "0X%lX", static_cast<unsigned long>(color));
  return text;
}

std::uint32_t ColorFromText(const std::string& text, std::uint32_t def) {
  const char* start = text.c_str();
  while (*start == ' ') ++start;
  if (!std::isdigit(static_cast<unsigned char>(*start))) return def;
  char* end = nullptr;
  const unsigned long v = std::strtoul(start, &end, 0);
  while (*end == ' ') ++end;
  return *end == '\0' ? static_cast<std::uint32_t>(v) : def;
}

int MemoryProfile::GetInt(const std::string& section, const std::string& value, int def) {
  auto it = values_.find({section, value});
  if (it == values_.end()) return def;
  const char* text = it->second.c_str();
  while (*text == ' ') ++text;
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (end == text) return def;
  while (*end == ' ') ++end;
  return *end == '\0' ? static_cast<int>(v) : def;
}

bool MemoryProfile::SetInt(const std::string& section, const std::string& value, int v) {
  values_[{section, value}] = IntText(v);
  return true;
}

std::string MemoryProfile::GetString(const std::string& section, const std::string& value,
                                     const std::string& def) {
  auto it = values_.find({section, value});
  return it == values_.end() ? def : it->second;
}

bool MemoryProfile::SetString(const std::string& section, const std::string& value,
                              const std::string& v) {
  values_[{section, value}] = v;
  return true;
}

bool MemoryProfile::Remove(const std::string& section, const std::string& value) {
  return values_.erase({section, value}) > 0;
}

bool MemoryProfile::Has(const std::string& section, const std::string& value) const {
  return values_.count({section, value}) > 0;
}

}  // namespace plat
