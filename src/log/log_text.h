// A section of the log built line by line and appended to the log view in one piece.
#pragma once

#include <string>
#include <string_view>

#include "ui/window.h"

namespace veltrane {

inline constexpr std::string_view kLogLineEnd = "\r\n";

class LogText {
 public:
  void Line(std::string_view text = {}) {
    buffer_.append(text);
    buffer_.append(kLogLineEnd);
  }
  // Moves what was built so far to the end of the log view.
  void FlushTo(RichText& log) {
    if (!buffer_.empty()) log.Append(buffer_);
    buffer_.clear();
  }
  const std::string& Text() const { return buffer_; }

 private:
  std::string buffer_;
};

}  // namespace veltrane
