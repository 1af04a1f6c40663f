#pragma once
// Names of parameterised test cases, given by a name generator so that the
// ctest names stay the same from build to build and read as words: a text
// with its letters and digits kept and every other character made '_'
// (what a test name may hold), and the name of a code page.
#include <cctype>
#include <string>
#include <string_view>

inline std::string ParamName(std::string_view text) {
  std::string name(text);
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

// For INSTANTIATE_TEST_SUITE_P over file names or over structs whose first
// member names the case.
struct ParamNameOfFile {
  template <class Info>
  std::string operator()(const Info& info) const {
    if constexpr (requires { info.param.file; })
      return ParamName(info.param.file);
    else
      return ParamName(info.param);
  }
};

// For INSTANTIATE_TEST_SUITE_P over code page numbers: "CodePage1252".
struct ParamNameOfCodePage {
  template <class Info>
  std::string operator()(const Info& info) const {
    return "CodePage" + std::to_string(info.param);
  }
};
