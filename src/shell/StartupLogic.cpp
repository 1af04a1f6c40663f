#include "StartupLogic.h"

#include <filesystem>

#include "CodePage.h"
#include "FramePlacement.h"
#include "StringIds.h"
#include "StringTable.h"

namespace shell {

CommandLine ParseCommandLine(std::string_view text) {
  CommandLine out;
  const std::size_t n = text.size();
  std::size_t i = 0;
  auto skipToBlank = [&] {
    while (i < n && text[i] != ' ') ++i;
  };
  while (i < n) {
    while (i < n && text[i] == ' ') ++i;
    if (i < n && text[i] == '-') {
      ++i;
      char option = i < n ? text[i] : '\0';
      if (i < n) ++i;
      if (option == 'l') {
        std::size_t end = std::min(n, i + 2);
        out.languageGiven = true;
        out.language = std::string(text.substr(i, end - i));
        i = end;
      } else if (option == 's') {
        out.splash = false;
      } else if (option == 'v') {
        out.extendedCharts = true;
      }
      skipToBlank();
    } else if (i < n && text[i] == '"') {
      std::size_t start = i + 1;
      std::size_t close = text.find('"', start);
      if (close == std::string_view::npos) close = n;
      out.fileGiven = true;
      out.fileName = std::string(text.substr(start, close - start));
      out.splash = false;
      i = close < n ? close + 1 : n;
    } else {
      // Also reached after trailing blanks: an empty name that still counts.
      std::size_t start = i;
      skipToBlank();
      out.fileGiven = true;
      out.fileName = std::string(text.substr(start, i - start));
    }
  }
  return out;
}

std::string JoinCommandLine(const std::vector<std::string>& args) {
  std::string out;
  for (const std::string& arg : args) {
    if (!out.empty()) out += ' ';
    if (arg.empty() || arg.find(' ') != std::string::npos)
      out += '"' + arg + '"';
    else
      out += arg;
  }
  return out;
}

void ResolveCommandLineFile(CommandLine& commandLine, const std::string& startFolder) {
  std::string& name = commandLine.fileName;
  if (!commandLine.fileGiven || name.empty() || name.front() == '/') return;
  name = (std::filesystem::path(startFolder) / name).lexically_normal().string();
}

std::string HandOverLine(const CommandLine& commandLine) {
  return commandLine.fileGiven ? JoinCommandLine({commandLine.fileName}) : std::string();
}

std::string GetLanguageUI(plat::ProfilePort& profile) {
  std::string code = plat::AnsiUpper(profile.GetString("Options", "LanguageUI", ""));
  return code.empty() ? "EN" : code;
}

void SetLanguageUI(plat::ProfilePort& profile, const std::string& code) {
  profile.SetString("Options", "LanguageUI", code);
}

std::string GetStartupFamilyFile(plat::ProfilePort& profile) {
  return profile.GetPath(kStartUpSection, "FamilyFile", "");
}

std::string ChooseStartupFile(const CommandLine& commandLine, plat::ProfilePort& profile) {
  return commandLine.fileGiven ? commandLine.fileName : GetStartupFamilyFile(profile);
}

ClockCheck CheckClock(std::time_t now, std::optional<std::time_t> programFileTime) {
  ClockCheck out;
  if (!programFileTime) return out;
  out.warnEarly = now < *programFileTime;
  std::tm utc{};
  gmtime_r(&now, &utc);
  out.expired = utc.tm_year + 1900 > kLastClockYear;
  return out;
}

void ReturnAsTab::Load(plat::ProfilePort& profile) {
  state_ = profile.GetInt(kStartUpSection, "ReturnAsTab", -1);
}

bool ReturnAsTab::IsReturnAsTab(plat::ProfilePort& profile) {
  if (state_ == -1) {
    int answer = plat::MessageBox(res::LoadString(res::kIdsReturnAsTabQuestion),
                                  res::LoadString(res::kIdsAppName), plat::kMbYesNoCancel);
    if (answer == plat::kIdYes || answer == plat::kIdNo) {
      state_ = answer == plat::kIdYes ? 1 : 0;
      profile.SetInt(kStartUpSection, "ReturnAsTab", state_);
    }
  }
  return state_ == 1;
}

}  // namespace shell
