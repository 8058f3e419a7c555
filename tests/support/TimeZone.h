#pragma once
// The user's own clock in a time zone of the test's choosing while it lasts.

#include <stdlib.h>

#include <ctime>
#include <optional>
#include <string>

namespace testing_support {

struct TimeZone {
  explicit TimeZone(const char* zone) {
    if (const char* tz = std::getenv("TZ")) before = tz;
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  ~TimeZone() {
    before ? ::setenv("TZ", before->c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
  }
  TimeZone(const TimeZone&) = delete;
  TimeZone& operator=(const TimeZone&) = delete;
  std::optional<std::string> before;
};

}  // namespace testing_support
