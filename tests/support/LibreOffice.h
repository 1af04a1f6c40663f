#pragma once
// LibreOffice as an independent reader of the files we write, for tests.
// Each conversion runs headless on a profile folder of its own, made fresh
// and removed afterwards: a profile serves one running instance only, and
// ctest runs several conversions at the same time.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "TempDir.h"

inline bool ProgramOnPath(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// True when soffice and pdftotext (poppler-utils) are installed.
inline bool LibreOfficeInstalled() {
  return ProgramOnPath("soffice") && ProgramOnPath("pdftotext");
}

// Converts each file to format ("pdf", "odt", "txt:Text (encoded):UTF8")
// into outDir, under the same name with the format's extension. Answers the
// status of the run: 0 on success.
inline int ConvertWithLibreOffice(const std::vector<std::string>& files, const std::string& format,
                                  const std::string& outDir) {
  TempDir profile;
  std::string command = "soffice --headless -env:UserInstallation=file://" + profile.Path() +
                        "profile --convert-to '" + format + "' --outdir '" + outDir + "'";
  for (const std::string& file : files) command += " '" + file + "'";
  return std::system((command + " >/dev/null 2>&1").c_str());
}
