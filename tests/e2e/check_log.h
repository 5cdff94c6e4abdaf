// What a case checked: each check prints one line, "ok" or "FAIL", with the
// texts converted from GBK so that the terminal shows them.
#pragma once

#include <string>
#include <string_view>

namespace e2e {

class CheckLog {
 public:
  // Records a check; returns `passed`.
  bool Check(bool passed, std::string_view what);
  // A check of a text against the expected one; both are shown on failure.
  bool CheckText(std::string_view what, std::string_view got, std::string_view want);
  void Note(std::string_view text) const;
  int failures() const { return failures_; }

 private:
  int failures_ = 0;
};

// GBK text as UTF-8, for the console.
std::string ForConsole(std::string_view gbk);

}  // namespace e2e
