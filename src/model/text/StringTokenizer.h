#pragma once
// Cuts a text into tokens at a set of delimiter characters: runs of
// delimiters are skipped, and an empty token means the text is used up.

#include <string>
#include <string_view>

class CStringTokenizer {
 public:
  CStringTokenizer() = default;
  explicit CStringTokenizer(const std::string& text) : text_(text) {}

  // Replace the text; the next token is then taken from its start.
  void SetText(const std::string& text);
  void SetTextChars(const char* text);  // null reads as an empty text
  const std::string& GetText() const { return text_; }
  int GetPosition() const { return position_; }

  // Restarts at the start of the text, then NextToken.
  std::string FirstToken(std::string_view delimiters);
  // Skips delimiter characters, then collects characters up to the next
  // delimiter or the end; the position stays on the delimiter that ended the
  // token.
  std::string NextToken(std::string_view delimiters);

 private:
  std::string text_;
  int position_ = 0;
};
