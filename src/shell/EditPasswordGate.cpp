#include "EditPasswordGate.h"

#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace shell {

namespace {

int Refuse() {
  plat::MessageBox(res::LoadString(res::kIdsNotAuthorized), res::LoadString(res::kIdsAppName),
                   plat::kMbOk);
  return 0;
}

}  // namespace

void EditPasswordGate::Start(const std::string& storedPassword) {
  if (!storedPassword.empty()) return;
  decided = 1;
  granted = 1;
  wrongEntries = 3;
}

int EditPasswordGate::Check(const std::string& storedPassword,
                            const std::function<std::optional<std::string>()>& ask) {
  if (decided) return granted ? 1 : Refuse();
  const std::optional<std::string> typed = ask ? ask() : std::nullopt;
  if (typed && *typed == storedPassword) {
    decided = 1;
    granted = 1;
    wrongEntries = 3;
    return 1;
  }
  if (++wrongEntries > 2) decided = 1;
  return Refuse();
}

}  // namespace shell
