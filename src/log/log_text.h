// A section of the log built line by line and appended to the log view in one piece.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "ui/window.h"

namespace veltrane {

inline constexpr std::string_view kLogLineEnd = "\r\n";

class LogText {
 public:
  // A NUL from any source (a registry value, a definition) becomes a space: the log view would end at it,
  // and the view and a saved log must hold the same text.
  void Line(std::string_view text = {}) {
    size_t from = buffer_.size();
    buffer_.append(text);
    std::replace(buffer_.begin() + static_cast<std::ptrdiff_t>(from), buffer_.end(), '\0', ' ');
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
