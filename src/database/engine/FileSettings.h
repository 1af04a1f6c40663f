#pragma once
// The settings a family file keeps in its header: the per-file options the
// Preferences read and write (header bytes 1661, 268, 1138, 1662, 1728,
// 1732), the application options refreshed into it (274 to 276), the flag at
// 1730 and the preparer record (call-interface record db::kPreparer).
//
// Keeps: nothing of its own; reading or setting the options also sets the
// host's change-log flag.
// Guarantees: every change rewrites the whole header (so it is held back in
// batch mode); setting the flag to the value it has writes nothing.
// Needs: BlockStore for the header.

#include <cstdint>

#include "FileLayout.h"

struct EngineHost;
class BlockStore;
class CPreparerRecord;

// The per-file options the Preferences read and write.
struct FileOptions {
  bool logChanges = false;
  std::int32_t optionA = 1;
  std::int32_t optionB = 1;
  std::int16_t optionC = 0;
  std::int16_t optionD = 10;
  std::int32_t optionE = 0;
};

// The application options refreshed into the header when file options are
// saved.
struct AppFileOptions {
  bool showZel = false;
  int appendValue = 0;  // 0 to 3: 'N', 'R', 'I', 'A'
  bool capSurname = false;
};

class FileSettings {
 public:
  FileSettings(EngineHost* host, BlockStore& blocks);
  FileSettings(const FileSettings&) = delete;
  FileSettings& operator=(const FileSettings&) = delete;

  // Set calls return 1, or 0 when the header could not be written.
  FileOptions GetFileOptions();
  int SetFileOptions(const FileOptions& options, const AppFileOptions& app);
  // The flag at 1730 (flag 1 only; 0 for another).
  int GetFileOption(int flag) const;
  int SetFileOption(int flag, int value);
  int ReadPreparer(CPreparerRecord& rec);
  int WritePreparer(const CPreparerRecord& rec);

 private:
  EngineHost* host_;
  BlockStore& blocks_;
  orv::FileHead& head_;  // the header BlockStore keeps
};
