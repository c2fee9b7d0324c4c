// Feeds any bytes to the definition field reader: it must end, hand out pieces of the input only, and
// agree with a plain character-by-character reading of the same rules.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "startup/field_reader.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// The rules written the slow, obvious way, one character at a time.
std::vector<std::string> ReferenceFields(std::string_view text) {
  std::vector<std::string> fields;
  size_t i = 0;
  bool afterComma = false;
  auto skipLineEnd = [&] { i += (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1; };
  for (;;) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i == text.size()) {
      if (afterComma) fields.emplace_back();
      return fields;
    }
    if (IsLineEnd(text[i])) {
      if (afterComma) fields.emplace_back();
      afterComma = false;
      skipLineEnd();
      continue;
    }
    std::string field;
    if (text[i] == '"') {
      ++i;
      while (i < text.size() && text[i] != '"') field += text[i++];
      if (i < text.size()) ++i;
      while (i < text.size() && text[i] != ',' && !IsLineEnd(text[i])) ++i;
    } else {
      while (i < text.size() && text[i] != ',' && !IsLineEnd(text[i])) field += text[i++];
      while (!field.empty() && IsBlank(field.back())) field.pop_back();
    }
    fields.push_back(field);
    afterComma = i < text.size() && text[i] == ',';
    if (i < text.size()) {
      if (afterComma) {
        ++i;
      } else {
        skipLineEnd();
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> fields;
  veltrane::FieldReader reader(text);
  std::string_view field;
  while (reader.Next(field)) {
    if (field.size() > 0 &&
        (field.data() < text.data() || field.data() + field.size() > text.data() + size)) {
      std::abort();
    }
    fields.emplace_back(field);
    if (fields.size() > size + 1) std::abort();
  }
  if (reader.Next(field)) std::abort();
  if (fields != ReferenceFields(text)) std::abort();
  return 0;
}
