#pragma once
// The change log: a plain-text file beside the family file (".orl", ".krl"
// for the old format) with one line per change made through the database
// calls, per notes edit, per link change of the engine and per backup or
// restore. DbLogChange writes unconditionally; callers test the database
// object's logChanges flag first.

#include <cstdint>
#include <string>

#include "Clock.h"

class CFamilyDatabase;

// The log file of a database object: its folder and base name with ".orl"
// (current format) or ".krl".
std::string ChangeLogPath(const CFamilyDatabase& db);

// One line, CR LF included. kind: a db::LogKind; action: a db::LogAction;
// unknown letters print "xxx". Backup and
// restore lines carry no action word and sources and repositories no
// number; a null text prints as empty.
std::string FormatChangeLogLine(char kind, char action, long number, long second, const char* text,
                                const plat::LocalTime& when);

// Appends the line for now to the log of db. The file is only ever appended
// to, never truncated; it is skipped silently when it cannot be opened, is
// not a plain file, or is the family file itself. 1 when written, else 0
// (callers ignore it).
int LogChange(const CFamilyDatabase& db, char kind, char action, long number, long second,
              const char* text);
// The same on CurrentDatabase.
int DbLogChange(char kind, char action, long number, long second, const char* text);
