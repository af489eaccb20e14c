#pragma once

#include <cstdio>
#include <string>

#include "foundation/platform.h"

namespace qsim {

// A platform with a clock that stands still and Russian-style date and time
// formats (07.12.2026, 6:16:23). Opening a document does nothing.
class FakePlatform : public Platform {
 public:
  explicit FakePlatform(LocalDateTime now = {2026, 12, 7, 6, 16, 23}) : now_(now) {}

  LocalDateTime Now() const override { return now_; }
  std::string ShortDate(const LocalDateTime& when) const override {
    return Format("%02d.%02d.%04d", when.day, when.month, when.year);
  }
  std::string LongTime(const LocalDateTime& when) const override {
    return Format("%d:%02d:%02d", when.hour, when.minute, when.second);
  }
  void OpenDocument(const std::string&) override {}

 private:
  static std::string Format(const char* pattern, int a, int b, int c) {
    char text[32];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
  }

  LocalDateTime now_;
};

}  // namespace qsim
