#pragma once
// What a test that starts the application on the sample family prepares in
// its temporary folder: a runtime folder of its own, so that an application
// another test program runs at the same time is not taken for a running
// instance (and the unprivileged user may listen there too), and the sample
// family file built from its description. Needs KORVANE_SAMPLE_DESCRIPTION
// and the korvane_sample library.
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstdint>
#include <string>
#include <vector>

#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualRecord.h"
#include "RecordAccess.h"
#include "SampleBuilder.h"
#include "SampleDescription.h"
#include "TestHelpers.h"

// The sample family's path, or empty with error set.
inline std::string PrepareSampleRun(const QTemporaryDir& dir, std::string& error) {
  const QString runtime = dir.filePath(QStringLiteral("runtime"));
  if (!QDir().mkpath(runtime)) {
    error = "no runtime folder";
    return {};
  }
  ::chmod(runtime.toLocal8Bit().constData(), 0777);
  qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
  std::vector<std::string> errors;
  const sample::Description description =
      sample::ParseDescription(ReadAll(KORVANE_SAMPLE_DESCRIPTION), errors);
  if (!errors.empty()) {
    error = errors.front();
    return {};
  }
  const std::string path = dir.filePath(QStringLiteral("sample.orv")).toStdString();
  sample::BuildCounts counts;
  if (!sample::BuildFamilyFile(description, path, counts, error)) return {};
  return path;
}

// The RIN of the open family's first individual of the given first name
// (0 when none).
inline std::int32_t RinOf(const std::string& given) {
  for (std::int32_t rin = 1; rin <= DbGetMaxRecordCount(db::kIndividual); ++rin) {
    CIndividualRecord person;
    if (family::Read(person, rin) == 1 && person.givenNames[0] == given) return rin;
  }
  return 0;
}
