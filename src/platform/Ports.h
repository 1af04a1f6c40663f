#pragma once
// The ports through which the core asks the user something, reports progress,
// keeps settings and hands files to the desktop. The framework installs Qt
// implementations at start-up; tests install the recording fakes of
// FakePorts.h. Without an installed port a plain headless default answers.

#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace plat {

// Message box buttons, icons and answers, numbered as the program's callers
// expect them.
enum MessageBoxFlags : unsigned {
  kMbOk = 0x0,
  kMbOkCancel = 0x1,
  kMbAbortRetryIgnore = 0x2,
  kMbYesNoCancel = 0x3,
  kMbYesNo = 0x4,
  kMbRetryCancel = 0x5,
  kMbButtonMask = 0xF,
  kMbIconStop = 0x10,
  kMbIconQuestion = 0x20,
  kMbIconExclamation = 0x30,
  kMbIconInformation = 0x40,
  kMbIconMask = 0xF0,
  kMbDefButton2 = 0x100,
  kMbDefButton3 = 0x200,
  kMbDefMask = 0xF00,
};

enum MessageBoxAnswer : int {
  kIdOk = 1,
  kIdCancel = 2,
  kIdAbort = 3,
  kIdRetry = 4,
  kIdIgnore = 5,
  kIdYes = 6,
  kIdNo = 7,
};

// The answer a box gives when nobody is there to press a button: its default
// button.
int DefaultAnswer(unsigned flags);

class MessageBoxPort {
 public:
  virtual ~MessageBoxPort() = default;
  virtual int Show(const std::string& text, const std::string& caption, unsigned flags) = 0;
};

// Long work on the one thread dispatches waiting events here between steps.
class MessagePumpPort {
 public:
  virtual ~MessagePumpPort() = default;
  // Dispatches waiting events and idle work; false when the program was asked
  // to quit, so that the caller stops.
  virtual bool PumpWaitingMessages() = 0;
};

// A progress window of long work: position in a range, a status text and a
// Cancel button that only sets a flag the loop tests.
class ProgressPort {
 public:
  virtual ~ProgressPort() = default;
  virtual void Begin(const std::string& title, int range) = 0;
  virtual void SetPosition(int pos) = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual bool CancelRequested() = 0;
  virtual void End() = 0;
};

// Settings of a section and value name (the registry's place).
class ProfilePort {
 public:
  virtual ~ProfilePort() = default;
  virtual int GetInt(const std::string& section, const std::string& value, int def) = 0;
  virtual bool SetInt(const std::string& section, const std::string& value, int v) = 0;
  virtual std::string GetString(const std::string& section, const std::string& value,
                                const std::string& def) = 0;
  virtual bool SetString(const std::string& section, const std::string& value,
                         const std::string& v) = 0;
  virtual bool Remove(const std::string& section, const std::string& value) = 0;
  // Paths are the file system's own bytes, never code page text; a store
  // that keeps text converts them its own way. By default they are kept as
  // given.
  virtual std::string GetPath(const std::string& section, const std::string& value,
                              const std::string& def);
  virtual bool SetPath(const std::string& section, const std::string& value,
                       const std::string& path);

  // Colours (0xBBGGRR) are kept as the text "0X%lX"; these two are the one
  // way every setting of a colour is written and read.
  std::uint32_t GetColor(const std::string& section, const std::string& value, std::uint32_t def);
  bool SetColor(const std::string& section, const std::string& value, std::uint32_t color);
};

// A colour as the profile keeps it: "0X%lX".
std::string ColorText(std::uint32_t color);
// The colour of a profile text, its base told by its prefix as C tells it:
// "0X" (or "0x") hexadecimal, a leading 0 octal, else decimal (a colour once
// written as an integer); def for any other text.
std::uint32_t ColorFromText(const std::string& text, std::uint32_t def);

// The desktop: open a file or address with its program, move a file to the
// trash, register the program's file types.
class ShellPort {
 public:
  virtual ~ShellPort() = default;
  virtual bool Open(const std::string& pathOrUrl) = 0;
  virtual bool MoveToTrash(const std::string& path) = 0;
  virtual bool RegisterFileTypes(const std::string& programPath) = 0;
};

MessageBoxPort& MessageBoxes();
MessagePumpPort& MessagePump();
ProgressPort& Progress();
ProfilePort& Profile();
ShellPort& Shell();

// Install a port (nullptr restores the headless default); returns the previous
// one. The caller keeps ownership.
MessageBoxPort* SetMessageBoxPort(MessageBoxPort* port);
MessagePumpPort* SetMessagePumpPort(MessagePumpPort* port);
ProgressPort* SetProgressPort(ProgressPort* port);
ProfilePort* SetProfilePort(ProfilePort* port);
ShellPort* SetShellPort(ShellPort* port);

// Shorthands the core calls.
int MessageBox(const std::string& text, const std::string& caption, unsigned flags = kMbOk);
bool PumpWaitingMessages();

// Settings held in memory: the headless default and the base of test fakes.
// Like the desktop store, GetInt reads only a decimal number.
class MemoryProfile : public ProfilePort {
 public:
  int GetInt(const std::string& section, const std::string& value, int def) override;
  bool SetInt(const std::string& section, const std::string& value, int v) override;
  std::string GetString(const std::string& section, const std::string& value,
                        const std::string& def) override;
  bool SetString(const std::string& section, const std::string& value,
                 const std::string& v) override;
  bool Remove(const std::string& section, const std::string& value) override;
  bool Has(const std::string& section, const std::string& value) const;

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace plat
