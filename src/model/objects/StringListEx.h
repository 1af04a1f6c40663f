#pragma once
// A list of strings with an iteration cursor of its own and removal by index;
// the base of the recent-entry lists.

#include <list>
#include <string>

class CStringListEx {
 public:
  using const_iterator = std::list<std::string>::const_iterator;

  CStringListEx();
  virtual ~CStringListEx() = default;
  CStringListEx(const CStringListEx& other);
  CStringListEx& operator=(const CStringListEx& other);

  int GetCount() const { return static_cast<int>(items_.size()); }
  bool IsEmpty() const { return items_.empty(); }
  // The first and last strings, empty when the list is empty.
  std::string GetHead() const { return items_.empty() ? std::string() : items_.front(); }
  std::string GetTail() const { return items_.empty() ? std::string() : items_.back(); }
  // The string at `index` from the head, empty outside the list.
  std::string GetAt(int index) const;
  // Index of the first string equal to `text`, or -1.
  int Find(const std::string& text) const;

  void AddHead(const std::string& text);
  void AddTail(const std::string& text);
  void RemoveHead();
  void RemoveTail();
  void RemoveAll();

  // Cursor: GetFirst restarts at the head; GetNext puts the next string in
  // `out` (empty at the end) and makes it current. Both answer whether they
  // gave a string.
  bool GetFirst(std::string& out);
  bool GetNext(std::string& out);

  // Removes the string at `index`, counting from the head; counting stops at
  // the first empty string, so a string at or after one is never removed.
  // Answers true when a string was removed.
  virtual bool RemoveAt(int index);

  const_iterator begin() const { return items_.begin(); }
  const_iterator end() const { return items_.end(); }

 protected:
  using Node = std::list<std::string>::iterator;

  // Takes a node out of the list, keeping the cursor off it.
  void Unlink(Node node);

  std::list<std::string> items_;
  Node next_;     // end() = at the end
  Node current_;  // end() = none
};
