// Message digests from the platform's own cryptography: SHA-256 for checking downloaded definition sets.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veltrane {

class IDigest {
 public:
  virtual ~IDigest() = default;
  // The 32-byte SHA-256 of data; nullopt when the platform cannot compute it.
  virtual std::optional<std::string> Sha256(std::string_view data) = 0;
};

}  // namespace veltrane
