#pragma once
// A second process for tests of files held by another program: it runs
// hold, tells the test whether it holds, and runs release when the test lets
// it go (or is killed before that). The files the test has open are closed
// in it, so that it holds only what hold takes.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

class OtherProcess {
 public:
  OtherProcess(const std::function<bool()>& hold, const std::function<bool()>& release) {
    int ready[2], go[2];
    if (pipe(ready) != 0 || pipe(go) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      // Files this process has open are not held on by the copy.
      for (int fd = 3; fd < 1024; ++fd)
        if (fd != ready[1] && fd != go[0]) close(fd);
      const char said = hold() ? 'h' : 'f';
      if (write(ready[1], &said, 1) != 1) _exit(5);
      char c;
      if (read(go[0], &c, 1) != 1) _exit(6);
      _exit(release() ? 0 : 4);
    }
    close(ready[1]);
    close(go[0]);
    char said = 0;
    holding_ = pid_ > 0 && read(ready[0], &said, 1) == 1 && said == 'h';
    close(ready[0]);
    go_ = go[1];
  }
  ~OtherProcess() {
    if (pid_ > 0 && go_ >= 0) Release();
  }
  bool Holding() const { return holding_; }
  // Lets the process run release and end; true when release succeeded.
  bool Release() {
    const char c = 'g';
    const bool told = write(go_, &c, 1) == 1;
    close(go_);
    go_ = -1;
    int status = 0;
    return told && waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
  }
  void Kill() {
    kill(pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
    close(go_);
    go_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int go_ = -1;
  bool holding_ = false;
};
