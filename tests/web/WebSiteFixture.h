#pragma once
// The web site tests' fixture: a family file, the writer's settings and
// request, and the checks every written site must pass: no broken local
// link and no tidy finding beyond those the templates give on purpose.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <set>

#include "CodePage.h"
#include "FakePorts.h"
#include "MultimediaChain.h"
#include "ReportFamilies.h"
#include "TempDir.h"
#include "WebSiteWriter.h"

namespace webtest {
namespace fs = std::filesystem;

// The files of a site by path relative to its folder.
inline std::map<std::string, std::string> SiteFiles(const std::string& site) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(site))
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), site).string()] = ReadAll(entry.path().string());
  return files;
}

inline std::string PercentDecode(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

inline std::string HtmlDecode(std::string text) {
  const std::pair<const char*, const char*> entities[] = {{"&lt;", "<"},    {"&gt;", ">"},
                                                          {"&quot;", "\""}, {"&#39;", "'"},
                                                          {"&nbsp;", " "},  {"&amp;", "&"}};
  for (const auto& [from, to] : entities)
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1))
      text.replace(at, std::string(from).size(), to);
  return text;
}

// Every relative href, src and background names a file of the site, and
// every fragment an anchor of that file, decoded as a browser decodes them.
inline std::vector<std::string> BrokenLinks(const std::string& site) {
  const auto files = SiteFiles(site);
  std::map<std::string, std::set<std::string>> anchors;
  const std::regex nameRe("<a name=\"([^\"]*)\"");
  for (const auto& [path, text] : files)
    for (std::sregex_iterator it(text.begin(), text.end(), nameRe), end; it != end; ++it)
      anchors[path].insert(HtmlDecode((*it)[1]));
  std::vector<std::string> broken;
  const std::regex linkRe("(href|src|background)=\"([^\"]*)\"");
  for (const auto& [path, text] : files) {
    if (path.size() < 4 || path.substr(path.size() - 4) != ".htm") continue;
    const fs::path folder = fs::path(path).parent_path();
    for (std::sregex_iterator it(text.begin(), text.end(), linkRe), end; it != end; ++it) {
      const std::string link = HtmlDecode((*it)[2]);
      if (link.rfind("http", 0) == 0 || link.rfind("mailto:", 0) == 0) continue;
      const std::size_t hash = link.find('#');
      const std::string file = PercentDecode(link.substr(0, hash));
      const std::string target = file.empty() ? path : (folder / file).lexically_normal().string();
      if (!files.count(target)) {
        broken.push_back(path + ": " + link);
        continue;
      }
      if (hash != std::string::npos && !anchors[target].count(PercentDecode(link.substr(hash + 1))))
        broken.push_back(path + ": " + link + " (no anchor)");
    }
  }
  return broken;
}

// Tidy's warnings beyond those that the page templates give on purpose.
inline std::vector<std::string> TidyFindings(const std::string& file) {
  std::vector<std::string> findings;
#ifdef KORVANE_TIDY
  // Allowed, each for a reason:
  static const std::regex allowed(
      // the frame starts with <html> like the pages the program has always written
      "missing <!DOCTYPE> declaration"
      // the templates' presentational attributes (align, valign, border, width,
      // cellspacing, background) and the <col> width
      "|attribute \"(align|valign|border|width|cellspacing|background)\" not allowed for HTML5"
      // a surname anchor is the surname as typed ("van Dyke"), which is no
      // valid id; browsers match the fragment against the name attribute,
      // as the link check does
      "|<a> cannot copy name attribute to id"
      // the "Other marriages" block opens a paragraph around its blockquotes,
      // which the paragraph cannot hold, and closes it after them
      "|trimming empty <p>|inserting implicit <p>");
  std::string quoted = "'";
  for (char c : file) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  quoted += "'";
  const std::string command = std::string(KORVANE_TIDY) + " -q -e -utf8 " + quoted + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {"tidy did not run"};
  char line[4096];
  while (fgets(line, sizeof line, pipe)) {
    std::string text(line);
    if (text.find("Warning:") == std::string::npos && text.find("Error:") == std::string::npos)
      continue;
    if (!std::regex_search(text, allowed)) findings.push_back(text);
  }
  // 0 clean, 1 warnings; anything else (errors, or tidy not run) is a finding.
  const int status = pclose(pipe);
  if (!WIFEXITED(status) || WEXITSTATUS(status) > 1)
    findings.push_back("tidy exit status " + std::to_string(status));
#else
  (void)file;
#endif
  return findings;
}

class WebSiteTest : public ReportFamiliesFixture {
 protected:
  void SetUp() override {
    ReportFamiliesFixture::SetUp();
    settings.filePrefix = "abc";
    settings.optIndex = false;
    settings.photos = 0;
    request.webBase = base.Path() + "docs";
    request.folderName = "MyFamily1";
    request.description = "My Family";
    request.title = "Ancestors of the family";
    request.today = "3 Jul 2001";
    request.familyPath = family;
  }
  std::string Site() const { return request.webBase + "/web/MyFamily1"; }
  // With KORVANE_WEB_SITES=<folder> each written site is copied there to be
  // looked at in a browser, into a folder named after the test (and the
  // case, when given).
  web::WebRunResult Write(const std::string& caseName = "") {
    web::CWebSiteWriter writer(settings, request);
    const web::WebRunResult result = writer.Run();
    if (const char* keep = std::getenv("KORVANE_WEB_SITES");
        keep && writer.SitePath() != "" && fs::exists(writer.SitePath())) {
      const std::string to = std::string(keep) + "/" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                             (caseName.empty() ? "" : "/" + caseName);
      fs::remove_all(to);
      fs::create_directories(to);
      fs::copy(writer.SitePath(), to, fs::copy_options::recursive);
    }
    return result;
  }
  std::string AllText() {
    std::string all;
    for (const auto& [path, text] : SiteFiles(Site())) all += text;
    return all;
  }
  // Every page passes tidy and the link check.
  void ExpectCleanSite() {
    EXPECT_EQ(BrokenLinks(Site()), std::vector<std::string>{});
    for (const auto& [path, text] : SiteFiles(Site())) {
      if (fs::path(path).extension() != ".htm") continue;
      EXPECT_EQ(TidyFindings(Site() + "/" + path), std::vector<std::string>{}) << path;
      // UTF-8 declared first in the head.
      EXPECT_EQ(text.find("<head>\r\n<meta charset=\"utf-8\">"), 8u) << path;
    }
  }
  std::int32_t Ancestors(std::int32_t child, int generations, int born) {
    if (generations == 0) return child;
    const std::int32_t father = Person("F" + std::to_string(child), "Line", 'M', born, born + 60);
    const std::int32_t mother = Person("M" + std::to_string(child), "Line", 'F', born, born + 60);
    Child(Marry(father, mother), child);
    Ancestors(father, generations - 1, born - 30);
    Ancestors(mother, generations - 1, born - 30);
    return child;
  }

  TempDir base;
  web::WebSettings settings;
  web::WebSiteRequest request;
  plat::FakeProgress progress;
  plat::ScopedProgress scopedProgress{&progress};
};

}  // namespace webtest
