#pragma once
// The edit password gate: commands that change records ask it first. It asks
// for the password until it is entered right once (then it never asks again
// in this run) and locks editing for the rest of the run after the third
// failed attempt; a Cancel counts as a failure. An empty stored password
// never asks.

#include <functional>
#include <optional>
#include <string>

namespace shell {

struct EditPasswordGate {
  int decided = 0;  // 1 once the answer is final for the run
  int granted = 0;  // 1 when editing is allowed (with decided)
  short wrongEntries = 0;

  // Start-up: an empty password opens the gate for the run.
  void Start(const std::string& storedPassword);
  // 1 when editing is allowed, else 0 after the refusal message. ask runs
  // the password dialog: the text typed, or nothing for Cancel.
  int Check(const std::string& storedPassword,
            const std::function<std::optional<std::string>()>& ask);
};

}  // namespace shell
