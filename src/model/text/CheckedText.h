#pragma once
// A text field that a screen checks before it takes it; the in-memory
// individual keeps its four name parts in this form.

#include <string>

class CCheckedText {
 public:
  CCheckedText() = default;
  explicit CCheckedText(std::string text) : text_(std::move(text)) {}
  virtual ~CCheckedText() = default;
  CCheckedText(const CCheckedText&) = default;
  CCheckedText& operator=(const CCheckedText&) = default;

  virtual void SetText(std::string text) { text_ = std::move(text); }
  const std::string& GetText() const { return text_; }
  bool IsEmpty() const { return text_.empty(); }

 private:
  std::string text_;
};
