#pragma once
// One user change made of several database calls (DbCalls.h).

#include <memory>

// While one lives, the writing calls made on the current family file reach
// it as one change: a kill or a failed write leaves the file with all of
// them or with none (nothing on the old format, nor in batch mode, whose
// mark covers its own calls). End answers false when they did not all
// reach the file (the engine has told the user); the calls' answers are
// then void.
class DbWholeChange {
 public:
  DbWholeChange();
  ~DbWholeChange();
  DbWholeChange(const DbWholeChange&) = delete;
  DbWholeChange& operator=(const DbWholeChange&) = delete;
  [[nodiscard]] bool End();

 private:
  class Scope;
  std::unique_ptr<Scope> scope_;
};
