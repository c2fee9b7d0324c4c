// The field syntax of decoded definition files.
#include "startup/field_reader.h"

#include <cstring>

namespace veltrane {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// The first comma or line-end character at or after from, or size when there is none.
size_t FindTerminator(std::string_view text, size_t from) {
  const char* data = text.data();
  const size_t size = text.size();
  while (from < size) {
    char c = data[from];
    if (c == ',' || c == '\r' || c == '\n') return from;
    ++from;
  }
  return size;
}

}  // namespace

size_t FieldReader::SkipLineEnd(size_t at) const {
  if (text_[at] == '\r' && at + 1 < text_.size() && text_[at + 1] == '\n') return at + 2;
  return at + 1;
}

bool FieldReader::Next(std::string_view& field) {
  const size_t size = text_.size();
  size_t at = pos_;
  // Blank lines carry no field, so that an empty line between pairs cannot shift every later pair.
  for (;;) {
    while (at < size && IsBlank(text_[at])) ++at;
    if (at == size) {
      pos_ = size;
      if (!afterComma_) return false;
      afterComma_ = false;
      field = {};
      return true;
    }
    if (!IsLineEnd(text_[at])) break;
    if (afterComma_) {
      afterComma_ = false;
      pos_ = SkipLineEnd(at);
      field = {};
      return true;
    }
    at = SkipLineEnd(at);
  }

  size_t terminator;
  if (text_[at] == '"') {
    const size_t start = at + 1;
    const void* close = start < size ? std::memchr(text_.data() + start, '"', size - start) : nullptr;
    const size_t closeAt = close == nullptr ? size : static_cast<const char*>(close) - text_.data();
    field = text_.substr(start, closeAt - start);
    terminator = closeAt == size ? size : FindTerminator(text_, closeAt + 1);
  } else {
    terminator = FindTerminator(text_, at);
    size_t last = terminator;
    while (last > at && IsBlank(text_[last - 1])) --last;
    field = text_.substr(at, last - at);
  }

  if (terminator == size) {
    afterComma_ = false;
    pos_ = size;
  } else if (text_[terminator] == ',') {
    afterComma_ = true;
    pos_ = terminator + 1;
  } else {
    afterComma_ = false;
    pos_ = SkipLineEnd(terminator);
  }
  return true;
}

}  // namespace veltrane
