#include "CompactPath.h"

#include "TextMeasure.h"

namespace {

// A path in the four parts the shortening works on.
struct PathParts {
  std::string drive;   // the root "/" of an absolute path, else empty
  std::string folder;  // up to and including the last separator
  std::string name;    // the file name without its extension
  std::string ext;     // from the last '.' of the file name on
};

PathParts SplitPath(std::string_view path) {
  PathParts parts;
  if (!path.empty() && path[0] == '/') {
    parts.drive = "/";
    path.remove_prefix(1);
  }
  std::size_t slash = path.find_last_of("/\\");
  std::string_view file = path;
  if (slash != std::string_view::npos) {
    parts.folder = std::string(path.substr(0, slash + 1));
    file = path.substr(slash + 1);
  }
  std::size_t dot = file.rfind('.');
  if (dot == std::string_view::npos) {
    parts.name = std::string(file);
  } else {
    parts.name = std::string(file.substr(0, dot));
    parts.ext = std::string(file.substr(dot));
  }
  return parts;
}

}  // namespace

std::string CompactPathToWidth(std::string_view path, const plat::TextMeasure& measure, int width) {
  auto fits = [&](std::string_view text) { return measure.TextWidth(text) <= width; };
  if (fits(path)) return std::string(path);

  PathParts p = SplitPath(path);
  if (!fits(p.name)) {
    std::string name = p.name;
    if (!name.empty()) name.pop_back();
    while (name.size() > 1 && !fits(name)) name.pop_back();
    return name;
  }
  const std::string file = p.name + p.ext;
  if (!fits(file)) return p.name;

  static constexpr std::string_view kDots = "...";
  if (!fits(std::string(kDots) + file)) return file;
  if (!fits(p.drive + std::string(kDots) + file)) return std::string(kDots) + file;

  std::string folder = p.folder;
  while (folder.size() > 1 && !fits(p.drive + folder + std::string(kDots) + file))
    folder.pop_back();
  std::string result = p.drive + folder + std::string(kDots) + file;
  // With even one folder character too wide, the root goes as well.
  return fits(result) ? result : std::string(kDots) + file;
}
