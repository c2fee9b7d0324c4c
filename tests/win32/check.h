// A small assertion helper for the Windows test program: counts checks and prints the failing ones.
#pragma once

#include <cstdio>
#include <string>

namespace veltrane::win32test {

struct Tally {
  int passed = 0;
  int failed = 0;
};

Tally& Results();

inline bool Report(bool ok, const char* expression, const char* file, int line, const std::string& detail) {
  if (ok) {
    ++Results().passed;
  } else {
    ++Results().failed;
    std::printf("FAILED %s:%d: %s%s%s\n", file, line, expression, detail.empty() ? "" : "  -- ",
                detail.c_str());
    std::fflush(stdout);
  }
  return ok;
}

}  // namespace veltrane::win32test

#define CHECK(expression) ::veltrane::win32test::Report((expression), #expression, __FILE__, __LINE__, "")
#define CHECK_MSG(expression, detail) \
  ::veltrane::win32test::Report((expression), #expression, __FILE__, __LINE__, (detail))
#define CHECK_EQ(actual, expected) \
  ::veltrane::win32test::CheckEqual((actual), (expected), #actual " == " #expected, __FILE__, __LINE__)

namespace veltrane::win32test {

inline std::string Describe(const std::string& text) {
  return "\"" + text + "\"";
}
inline std::string Describe(const char* text) {
  return "\"" + std::string(text) + "\"";
}
template <typename Number>
std::string Describe(Number value) {
  return std::to_string(value);
}

// Each side is evaluated once: the checks often compare the result of a call with side effects.
template <typename Actual, typename Expected>
bool CheckEqual(const Actual& actual, const Expected& expected, const char* expression, const char* file,
                int line) {
  bool equal = actual == expected;
  return Report(equal, expression, file, line,
                equal ? std::string() : Describe(actual) + " vs " + Describe(expected));
}

}  // namespace veltrane::win32test
