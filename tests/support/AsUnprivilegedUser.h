#pragma once
#include <pwd.h>
#include <unistd.h>

// Switches the effective user to "nobody" for a scope, so that file
// permissions count even when the tests run as root.
class AsUnprivilegedUser {
 public:
  AsUnprivilegedUser() {
    if (::geteuid() != 0) {
      active_ = true;  // already unprivileged
      return;
    }
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody && ::setegid(nobody->pw_gid) == 0) {
      if (::seteuid(nobody->pw_uid) == 0) {
        switched_ = true;
        active_ = true;
      } else {
        [[maybe_unused]] int rc = ::setegid(0);
      }
    }
  }
  ~AsUnprivilegedUser() {
    if (switched_) {
      [[maybe_unused]] int rc = ::seteuid(0);
      rc = ::setegid(0);
    }
  }
  bool Active() const { return active_; }
  static uid_t NobodyUid() {
    const passwd* nobody = ::getpwnam("nobody");
    return nobody ? nobody->pw_uid : ::getuid();
  }

 private:
  bool active_ = false, switched_ = false;
};
