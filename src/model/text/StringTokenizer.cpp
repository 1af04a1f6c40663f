#include "StringTokenizer.h"

void CStringTokenizer::SetText(const std::string& text) {
  text_ = text;
  position_ = 0;
}

void CStringTokenizer::SetTextChars(const char* text) {
  text_ = text != nullptr ? text : "";
  position_ = 0;
}

std::string CStringTokenizer::FirstToken(std::string_view delimiters) {
  position_ = 0;
  return NextToken(delimiters);
}

std::string CStringTokenizer::NextToken(std::string_view delimiters) {
  const std::size_t length = text_.size();
  std::size_t pos = position_ < 0 ? length : static_cast<std::size_t>(position_);
  while (pos < length && delimiters.find(text_[pos]) != std::string_view::npos) ++pos;
  const std::size_t start = pos;
  while (pos < length && delimiters.find(text_[pos]) == std::string_view::npos) ++pos;
  position_ = static_cast<int>(pos);
  return text_.substr(start < length ? start : length, pos - start);
}
