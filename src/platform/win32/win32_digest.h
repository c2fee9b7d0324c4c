// SHA-256 through the Windows cryptography API (BCrypt).
#pragma once

#include "platform/digest.h"

namespace veltrane::win32 {

class Win32Digest : public IDigest {
 public:
  std::optional<std::string> Sha256(std::string_view data) override;
};

}  // namespace veltrane::win32
