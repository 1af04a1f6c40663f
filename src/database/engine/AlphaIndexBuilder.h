#pragma once
// Builds the alphabetic index of individuals (".ora" beside the family file:
// the RINs of the individuals in name order, int32 each, then a 0 slot) from
// the name tree threaded through the individual records, behind the progress
// port so that the user can cancel.
//
// The build has two steps. Step 1 writes the ".orx" working file, 8 bytes
// per RIN from 0 to the highest (lesser and greater tree link; 0, 0 for RIN 0
// and for deleted or unreadable individuals); it is skipped while the host
// already holds that file open, for the engine keeps it up to date then.
// Step 2 walks the tree in order from the root with an explicit stack whose
// items are read from the ".orx" file, and writes the ".ora" file. The walk
// is limited to three steps per individual, so a tree with a cycle or broken
// links ends with message 5298 and a stale index instead of looping.
//
// Outcome on the host: built, the ".ora" file is open and exactly
// 4 x (entries + 1) bytes long, alphaEntries is set, indexStale is 0 and the
// ".orx" file is removed. Cancelled or failed, indexStale stays 1 and the
// ".ora" file is closed (the database object deletes a stale one at close);
// a cancel during step 1 also removes the ".orx" file.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct EngineHost;

class CAlphaIndexBuilder {
 public:
  // The two tree links of a live individual and 1; 0 and (0, 0) otherwise.
  using LinkReader =
      std::function<int(std::int32_t rin, std::int32_t& lesser, std::int32_t& greater)>;
  // Result of Run.
  enum Result { kBuilt = 1, kCancelled = 0, kNoFile = -1 };

  // Texts of the progress display.
  static constexpr const char* kTitle = "Korvane";
  static constexpr const char* kText = "Creating the alphabetic index file. Please wait...";
  // Items of the walk stack are allocated in chunks of this many.
  static constexpr std::size_t kStackChunk = 5460;
  // Progress is shown and Cancel looked at once every this many steps.
  static constexpr int kPollSteps = 256;

  CAlphaIndexBuilder(EngineHost& host, std::int32_t root, std::int32_t highest, LinkReader links);

  // Runs both steps behind the progress port. kBuilt; kCancelled when the
  // user cancelled or the walk ran out of steps; kNoFile when a working file
  // could not be opened or written.
  Result Run();

  // The steps on their own (Run calls them between Begin and End of the
  // progress display). 1 or 0.
  int BuildLinkFile();
  int BuildIndexFile();

  bool Cancelled() const { return cancelled_; }
  bool FileFailed() const { return fileFailed_; }

 private:
  struct StackItem {
    std::int32_t lesser, greater, rin;
  };
  // Every kPollSteps steps shows the position (step 1 counts RINs, step 2
  // continues with the entries written) and asks for Cancel; true when the
  // build is to stop.
  bool Poll(std::int64_t step, std::int64_t position);
  void Push(std::int32_t rin);
  StackItem& Top();
  void Pop() { --depth_; }
  void RemoveLinkFile();

  EngineHost& host_;
  std::int32_t root_;
  std::int32_t highest_;
  LinkReader links_;
  std::string orxPath_, oraPath_;
  bool cancelled_ = false;
  bool fileFailed_ = false;
  std::vector<std::unique_ptr<StackItem[]>> chunks_;
  std::size_t depth_ = 0;
};
