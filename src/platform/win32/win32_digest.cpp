// SHA-256 with the BCrypt hash calls that every Windows since Vista has (the hash object in our buffer).
#include "platform/win32/win32_digest.h"

#include <limits>
#include <vector>

#include "platform/win32/win32_api.h"

#include <bcrypt.h>

namespace veltrane::win32 {

std::optional<std::string> Win32Digest::Sha256(std::string_view data) {
  if (data.size() > std::numeric_limits<ULONG>::max()) return std::nullopt;
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  if (!BCRYPT_SUCCESS(::BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0)))
    return std::nullopt;
  std::optional<std::string> result;
  DWORD objectLength = 0;
  ULONG written = 0;
  if (BCRYPT_SUCCESS(::BCryptGetProperty(algorithm, BCRYPT_OBJECT_LENGTH,
                                         reinterpret_cast<PUCHAR>(&objectLength), sizeof objectLength,
                                         &written, 0))) {
    std::vector<UCHAR> object(objectLength);
    BCRYPT_HASH_HANDLE hash = nullptr;
    if (BCRYPT_SUCCESS(::BCryptCreateHash(algorithm, &hash, object.data(), objectLength, nullptr, 0, 0))) {
      std::string digest(32, '\0');
      if (BCRYPT_SUCCESS(::BCryptHashData(hash, reinterpret_cast<PUCHAR>(const_cast<char*>(data.data())),
                                          static_cast<ULONG>(data.size()), 0)) &&
          BCRYPT_SUCCESS(::BCryptFinishHash(hash, reinterpret_cast<PUCHAR>(digest.data()),
                                            static_cast<ULONG>(digest.size()), 0))) {
        result = std::move(digest);
      }
      ::BCryptDestroyHash(hash);
    }
  }
  ::BCryptCloseAlgorithmProvider(algorithm, 0);
  return result;
}

}  // namespace veltrane::win32
