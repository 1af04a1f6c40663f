#pragma once
// Backup and restore of a family file. A backup is the family file
// compressed block by block with LZW (9- to 12-bit codes) into a stream:
//
//   offset 0  4 bytes  length of the family file
//   offset 4  4 bytes  length of the whole stream, these 8 bytes included
//   offset 8  per 2048-byte block of the family file: a 2-byte length L,
//             then L bytes of codes
//
// (all little-endian). The stream is written to volumes: the first is the
// ".bak" file the user named, each further one (".b00", ".b01", ...) is
// asked for when a removable medium is full. Every volume starts with the
// same 4-byte time stamp, so that a volume of another backup is refused.
//
// The results are codes 0-11 (0 success; restore also 12); the texts of the two tables come
// from BackupResultText and RestoreResultText.

#include <cstddef>
#include <cstdint>
#include <string>

namespace backup {

inline constexpr std::size_t kBlockSize = 2048;
inline constexpr std::size_t kOutputSize = 8192;

// Backup results.
enum BackupResult : int {
  kBackupOk = 0,
  kBackupNotOrv = 1,
  kBackupNotBak = 2,
  kBackupNoTempName = 3,
  kBackupNoMemory = 4,
  kBackupCannotOpenOrv = 5,
  kBackupCannotOpenTemp = 6,
  kBackupCannotWriteTemp = 7,
  kBackupCannotCompress = 8,
  kBackupCannotCreate = 9,
  kBackupFirstDiskFull = 10,
  kBackupCancelled = 11,
};

// Restore results. A backup whose stream is damaged (truncated, codes that
// cannot stand, lengths that disagree) answers kRestoreCannotRead.
enum RestoreResult : int {
  kRestoreOk = 0,
  kRestoreNotOrv = 1,
  kRestoreNotBak = 2,
  kRestoreNoTempName = 3,
  kRestoreNoMemory = 4,
  kRestoreCannotOpen = 5,
  kRestoreCannotRead = 6,
  kRestoreCannotWriteTemp = 7,
  kRestoreCancelled = 8,
  kRestoreCannotCreate = 9,
  kRestoreCannotReadTemp = 10,
  kRestoreCannotWrite = 11,
  // The family file is open in another program, which would go on writing
  // to the file taken away.
  kRestoreHeld = 12,
};

// Compresses one block (a fresh dictionary) into out, which is cleared
// first; the compressed length, or 0 when the codes do not fit capacity or
// the input is empty.
std::size_t LzwCompressBlock(const std::uint8_t* input, std::size_t length, std::uint8_t* output,
                             std::size_t capacity);
// Expands one compressed block of length bytes; the number of bytes
// produced, or -1 when the block is damaged: a code that is 0 or above the
// next free code, a string longer than the dictionary can hold, or output
// beyond capacity.
long LzwExpandBlock(const std::uint8_t* input, std::size_t length, std::uint8_t* output,
                    std::size_t capacity);

// The next volume's name: the last character counts up, "9" wrapping to
// "0" with a carry into the one before it; ".bak" becomes ".b00".
void NextBackupVolumeName(std::string& name);

// Backs familyPath (".orv") up to backupPath (".bak") and its further volumes.
int CompressToBackup(const std::string& familyPath, const std::string& backupPath);
// Rebuilds familyPath from the backup. The family file is replaced only
// when the whole stream expanded to its stated length; until then the old
// file stays as it was.
int RestoreFromBackup(const std::string& backupPath, const std::string& familyPath);

// The same, with the result's message (no icon on success, the exclamation
// icon on failure).
int BackupWithMessage(const std::string& familyPath, const std::string& backupPath);
int RestoreWithMessage(const std::string& backupPath, const std::string& familyPath);

std::string BackupResultText(int code);
std::string RestoreResultText(int code);

}  // namespace backup
