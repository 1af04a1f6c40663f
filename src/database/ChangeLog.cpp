#include "ChangeLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "DbCodes.h"
#include "FamilyDatabase.h"

namespace {

const char* ActionWord(char action) {
  switch (action) {
    case db::kLogAdd:
      return "Add";
    case db::kLogDelete:
      return "Del";
    case db::kLogModify:
      return "Mod";
    case db::kLogLink:
      return "Lnk";
    case db::kLogUnlink:
      return "Unl";
    default:
      return "xxx";
  }
}

const char* KindWord(char kind) {
  switch (kind) {
    case db::kLogIndividual:
      return "Ind";
    case db::kLogMarriage:
      return "Mar";
    case db::kLogSource:
      return "Src";
    case db::kLogRepository:
      return "Rep";
    case db::kLogBackup:
      return "Bak";
    case db::kLogSpouseLink:
      return "Sp ";
    case db::kLogChildLink:
      return "Ch ";
    case db::kLogNotes:
      return "Nts";
    case db::kLogRestore:
      return "Res";
    default:
      return "xxx";
  }
}

// Writes all of data at the end of the file; the descriptor is in append
// mode, so every write lands after what is there.
bool WriteAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::string ChangeLogPath(const CFamilyDatabase& db) {
  const char* ext = db.type == CFamilyDatabase::kCurrentFormat ? ".orl" : ".krl";
  return db.drive + db.folder + db.baseName + ext;
}

std::string FormatChangeLogLine(char kind, char action, long number, long second, const char* text,
                                const plat::LocalTime& when) {
  const char* shown = text ? text : "";
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%d-%d-%d %02d:%02d ", when.month, when.day, when.year,
                when.hour, when.minute);
  std::string line = stamp;
  switch (kind) {
    case db::kLogBackup:
    case db::kLogRestore:
      line += KindWord(kind);
      line += ' ';
      line += shown;
      break;
    case db::kLogSource:
    case db::kLogRepository:
      line += ActionWord(action);
      line += ' ';
      line += KindWord(kind);
      line += ' ';
      line += shown;
      break;
    default:
      line += ActionWord(action);
      line += ' ';
      line += KindWord(kind);
      line += ' ';
      line += std::to_string(number);
      if (second != 0) line += ' ' + std::to_string(second);
      break;
  }
  line += "\r\n";
  return line;
}

int LogChange(const CFamilyDatabase& db, char kind, char action, long number, long second,
              const char* text) {
  if (db.path.empty()) return 0;  // no family file, no place for its log
  const std::string logPath = ChangeLogPath(db);
  // A family file named like its own log must never receive log lines.
  if (db.IsFamilyFile(logPath)) return 0;
  // Non-blocking so that a FIFO of that name cannot hang the program.
  const int fd =
      ::open(logPath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) return 0;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (ok)
    ok = WriteAll(fd, FormatChangeLogLine(kind, action, number, second, text, plat::LocalNow()));
  ::close(fd);
  return ok ? 1 : 0;
}

int DbLogChange(char kind, char action, long number, long second, const char* text) {
  return LogChange(*CurrentDatabase, kind, action, number, second, text);
}
