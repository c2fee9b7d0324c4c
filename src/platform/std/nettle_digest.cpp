// SHA-256 through Nettle's sha2 functions.
#include "platform/std/nettle_digest.h"

#include <nettle/sha2.h>

namespace veltrane {

std::optional<std::string> NettleDigest::Sha256(std::string_view data) {
  sha256_ctx context;
  sha256_init(&context);
  sha256_update(&context, data.size(), reinterpret_cast<const uint8_t*>(data.data()));
  std::string digest(SHA256_DIGEST_SIZE, '\0');
  sha256_digest(&context, digest.size(), reinterpret_cast<uint8_t*>(digest.data()));
  return digest;
}

}  // namespace veltrane
