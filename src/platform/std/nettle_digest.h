// SHA-256 through Nettle (Debian's nettle-dev), for the portable host and the native tests.
#pragma once

#include "platform/digest.h"

namespace veltrane {

class NettleDigest : public IDigest {
 public:
  std::optional<std::string> Sha256(std::string_view data) override;
};

}  // namespace veltrane
