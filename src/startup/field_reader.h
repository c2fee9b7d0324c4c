// Splits the decoded text of a definition file into its comma-separated fields, in file order.
#pragma once

#include <cstddef>
#include <string_view>

namespace veltrane {

// Reads the fields of a definition file's text without copying: every field is a piece of the text.
// The rules (quoting, blank lines, line ends) are described in docs/DEFINITIONS-FORMAT.md.
class FieldReader {
 public:
  explicit FieldReader(std::string_view text) : text_(text) {}

  // Puts the next field into field and returns true; false once the text holds no further field.
  bool Next(std::string_view& field);

 private:
  // Moves past the line end (CR LF, LF or a lone CR) that starts at at.
  size_t SkipLineEnd(size_t at) const;

  std::string_view text_;
  size_t pos_ = 0;
  // A comma ended the last field, so a field follows even when the line or the text ends at once.
  bool afterComma_ = false;
};

}  // namespace veltrane
