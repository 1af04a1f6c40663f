#pragma once
// LibreOffice as an independent reader of the files we write, for tests.
// Each conversion runs headless on a profile folder of its own, made fresh
// and removed afterwards: a profile serves one running instance only, and
// ctest runs several conversions at the same time.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
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

// What pdftotext writes for a PDF with the given options; "" when it fails.
inline std::string Pdftotext(const std::string& options, const std::string& pdf) {
  TempDir dir;
  const std::string file = dir.File("text");
  if (std::system(
          ("pdftotext " + options + " '" + pdf + "' '" + file + "' >/dev/null 2>&1").c_str()) != 0)
    return {};
  std::string out;
  if (FILE* f = std::fopen(file.c_str(), "rb")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) out.append(buffer, n);
    std::fclose(f);
  }
  return out;
}

// The text of a PDF, pages separated by form feeds. With layout the columns
// keep their places.
inline std::string PdfToText(const std::string& pdf, bool layout = true) {
  return Pdftotext(layout ? "-layout" : "", pdf);
}

// The pages of pdftotext's text (the part after the last form feed dropped).
inline std::vector<std::string> TextPages(const std::string& text) {
  std::vector<std::string> pages;
  std::size_t from = 0;
  for (std::size_t at = text.find('\f'); at != std::string::npos; at = text.find('\f', from)) {
    pages.push_back(text.substr(from, at - from));
    from = at + 1;
  }
  return pages;
}

// A page of a PDF as pdftotext -bbox reads it: its size and its words with
// their lower edges, in points from the top, and their right edges.
struct PdfPageWords {
  double width = 0, height = 0;
  std::vector<std::pair<std::string, double>> words;
  std::vector<double> rights;  // each word's right edge, beside words
  std::vector<double> lefts;   // each word's left edge, beside words
  double Lowest() const {
    double lowest = 0;
    for (const auto& word : words) lowest = std::max(lowest, word.second);
    return lowest;
  }
};

inline std::vector<PdfPageWords> ReadPdfWords(const std::string& pdf) {
  std::vector<PdfPageWords> pages;
  const std::string text = Pdftotext("-bbox", pdf);
  auto number = [&](std::size_t from, const char* name) {
    const std::size_t at = text.find(std::string(name) + "=\"", from);
    return at == std::string::npos ? 0.0 : std::atof(text.c_str() + at + std::strlen(name) + 2);
  };
  auto unescape = [](std::string word) {
    for (const auto& [entity, c] : {std::pair<std::string, std::string>{"&lt;", "<"},
                                    {"&gt;", ">"},
                                    {"&quot;", "\""},
                                    {"&apos;", "'"},
                                    {"&amp;", "&"}})
      for (std::size_t at = word.find(entity); at != std::string::npos;
           at = word.find(entity, at + c.size()))
        word.replace(at, entity.size(), c);
    return word;
  };
  for (std::size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at + 1)) {
    if (text.compare(at, 6, "<page ") == 0) {
      pages.push_back({number(at, "width"), number(at, "height"), {}, {}, {}});
    } else if (text.compare(at, 6, "<word ") == 0 && !pages.empty()) {
      const std::size_t open = text.find('>', at), close = text.find("</word>", at);
      if (open == std::string::npos || close == std::string::npos) break;
      pages.back().words.emplace_back(unescape(text.substr(open + 1, close - open - 1)),
                                      number(at, "yMax"));
      pages.back().rights.push_back(number(at, "xMax"));
      pages.back().lefts.push_back(number(at, "xMin"));
    }
  }
  return pages;
}

// A report written as RTF and read by LibreOffice (rtfPdf) against the same
// report printed on the same paper (printedPdf): as many pages of the same
// size, every word of each printed page on the same page of LibreOffice's,
// and each page's lowest line as low on the page (within an eighth of an
// inch), so that nothing is cut off, moved up or pushed onto another page.
// The words are looked for in the page's words run together, since the two
// lay out the blanks between texts (as before a citation mark) each in its
// own way. Answers what differs, "" when nothing does.
inline std::string RtfPagesDifferFromPrinted(const std::string& printedPdf,
                                             const std::string& rtfPdf) {
  const std::vector<PdfPageWords> printed = ReadPdfWords(printedPdf);
  const std::vector<PdfPageWords> read = ReadPdfWords(rtfPdf);
  std::string out;
  if (printed.empty()) out += "no printed pages; ";
  if (printed.size() != read.size())
    out += std::to_string(printed.size()) + " pages printed, " + std::to_string(read.size()) +
           " in LibreOffice; ";
  for (std::size_t page = 0; page < printed.size() && page < read.size(); ++page) {
    const PdfPageWords &p = printed[page], &r = read[page];
    const std::string where = "page " + std::to_string(page + 1);
    if (std::abs(p.width - r.width) > 2 || std::abs(p.height - r.height) > 2)
      out += where + " is " + std::to_string(r.width) + " by " + std::to_string(r.height) +
             " points, printed " + std::to_string(p.width) + " by " + std::to_string(p.height) +
             "; ";
    if (std::abs(p.Lowest() - r.Lowest()) > 9)
      out += where + " ends at " + std::to_string(r.Lowest()) + " points, printed at " +
             std::to_string(p.Lowest()) + "; ";
    std::string text;
    for (const auto& word : r.words) text += word.first;
    std::string missing;
    for (const auto& word : p.words)
      if (text.find(word.first) == std::string::npos) missing += " " + word.first;
    if (!missing.empty()) out += where + " lacks" + missing + "; ";
  }
  return out;
}
