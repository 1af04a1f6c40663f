#pragma once
// File copying with the program's error messages, the file-error texts, and
// the message formatting those messages need.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "FileHandle.h"
#include "ReplaceFile.h"

// Fills a message text in one pass: numbered inserts %1 .. %99 (an optional
// "!type!" after the number is dropped) from inserts, then printf-style
// placeholders (%s, %d, %lu ... with flags, width and precision ignored)
// from args in order; "%%" gives "%". Inserted texts are never read again,
// so a '%' inside a file name stays as it is. Missing values insert nothing.
std::string FormatInsertsAndArgs(std::string_view text,
                                 std::initializer_list<std::string_view> inserts,
                                 std::initializer_list<std::string_view> args);

// The text of a file-error cause (its absolute value); "Unspecified" for a
// number that is no cause.
std::string GetFileErrorText(int cause);

// Stop-icon message "Unexpected error in <file> while trying to open
// <action>: <n> - <error text>"; nothing for error 0.
void ShowFileError(int error, const std::string& file, const std::string& action);
// Stop-icon message "Unexpected error while attempting a <action>. Error
// occurred in file: <file> ..."; nothing for error 0.
void ShowFileActionError(int error, unsigned actionStringId, const std::string& file);

// Copies source onto target (appending when append is set); 0 on success,
// else the error of CopyFileRaw after showing the "file copy" message about
// the source (positive error) or the target (negative error). sync as for
// CopyFileRaw.
int CopyFileWithMessage(const std::string& source, const std::string& target, bool append,
                        ReplaceSync sync = ReplaceSync::kNow);

// Copies without messages. 0 on success; the cause (positive) when the
// source cannot be opened; minus the cause when the target cannot be opened
// (a target that is the source itself is a sharing violation); else the
// result of CopyFileData. Without append an existing target is replaced only
// once the whole copy is written: a failed copy leaves the old target as it
// was. sync says whether that copy is put on the disk before it replaces
// the target (ReplaceFileContents); an appended copy is never synced.
int CopyFileRaw(const std::string& source, const std::string& target, bool append,
                ReplaceSync sync = ReplaceSync::kNow);

// Copies from the current position of source to that of target in rounds of
// 32768 bytes until a read comes short or count bytes are copied (count -1:
// everything). 0, or the cause of a read failure, or minus the cause of a
// write failure; copiedOut receives the bytes written.
int CopyFileData(plat::FileHandle& target, plat::FileHandle& source, long long count,
                 long long* copiedOut = nullptr);
