// The plain definition lists the start-up benchmarks load: as many fields as asked, shaped like the shipped
// ones.
#pragma once

#include <cstdio>
#include <string>

namespace veltrane::bench {

// Pairs shaped like the shipped file definitions: a display name and a macro path.
inline std::string MakeDefinitions(int fields) {
  std::string text;
  text.reserve(static_cast<size_t>(fields) * 32);
  char line[128];
  for (int pair = 0; pair < fields / 2; ++pair) {
    int length =
        std::snprintf(line, sizeof line, "\"Spyware %d\",\"programfilesdir+\\Vendor%d\\file%d.exe\"\r\n",
                      pair, pair % 977, pair);
    text.append(line, static_cast<size_t>(length));
  }
  return text;
}

}  // namespace veltrane::bench
