// Feeds any bytes to the decoder: it must end without a crash, stay within what the stream can hold, and
// agree with a plain bit-by-bit decoder; the same bytes, encoded, must decode back to themselves.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "base/errors.h"
#include "codec/crypto_graphy.h"

namespace {

// The decoder written the slow, obvious way. nullopt for the inputs the codec raises on or rejects.
std::optional<std::string> ReferenceDecode(const std::string& source, bool& endReached) {
  struct Node {
    int count = 0, zero = 0, one = 0;
  };
  std::array<Node, 515> nodes{};
  size_t position = 0;
  auto read = [&](int& value) {
    if (source.size() - position < 2) return false;
    value = static_cast<int16_t>(static_cast<uint8_t>(source[position]) |
                                 (static_cast<uint8_t>(source[position + 1]) << 8));
    position += 2;
    return true;
  };
  int first = 0, last = 0;
  if (!read(first)) return std::nullopt;
  // A table that is only its terminator holds no run: the encoding of empty text.
  while (first != 4095) {
    if (!read(last) || first < 0 || last > 255 || first > last) return std::nullopt;
    for (int i = first; i <= last; ++i) {
      if (!read(nodes[i].count) || nodes[i].count < 0) return std::nullopt;
    }
    if (!read(first)) return std::nullopt;
  }
  nodes[256].count = 1;
  nodes[513].count = 32767;
  int next = 257;
  for (;;) {
    int a = 513, b = 513;
    for (int i = 0; i < next; ++i) {
      if (nodes[i].count == 0) continue;
      if (nodes[i].count < nodes[a].count) {
        b = a;
        a = i;
      } else if (nodes[i].count < nodes[b].count) {
        b = i;
      }
    }
    if (b == 513) break;
    if (nodes[a].count + nodes[b].count > 32767) return std::nullopt;
    nodes[next] = {nodes[a].count + nodes[b].count, a, b};
    nodes[a].count = nodes[b].count = 0;
    ++next;
  }
  int root = next - 1;
  size_t bit = position * 8;
  auto take = [&]() -> int {
    if (bit >= source.size() * 8) return -1;
    int value = (static_cast<uint8_t>(source[bit / 8]) >> (7 - bit % 8)) & 1;
    ++bit;
    return value;
  };
  std::string out;
  endReached = false;
  if (root <= 256) {
    endReached = take() >= 0;
    return out;
  }
  for (;;) {
    int node = root;
    while (node > 256) {
      int value = take();
      if (value < 0) return out;
      node = value != 0 ? nodes[node].one : nodes[node].zero;
    }
    if (node == 256) {
      endReached = true;
      return out;
    }
    out.push_back(static_cast<char>(node));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string source(reinterpret_cast<const char*>(data), size);
  veltrane::clsCryptoGraphy codec;
  std::string decoded;
  std::optional<std::string> result;
  try {
    if (codec.Decompress(source, decoded) == veltrane::clsCryptoGraphy::kDone) result = decoded;
  } catch (const veltrane::RuntimeError&) {
  }
  bool endReached = false;
  std::optional<std::string> expected = ReferenceDecode(source, endReached);
  if (result.has_value() != expected.has_value()) std::abort();
  if (result) {
    if (*result != *expected || codec.EndSymbolReached() != endReached) std::abort();
    if (result->size() > size * 8) std::abort();
  }

  veltrane::clsCryptoGraphy encoder;
  std::string encoded;
  try {
    encoder.Compress(source, encoded);
  } catch (const veltrane::RuntimeError&) {
    return 0;  // more distinct bytes than the format can count, or codes too long
  }
  veltrane::clsCryptoGraphy decoder;
  if (decoder.Decompress(encoded, decoded) != veltrane::clsCryptoGraphy::kDone || decoded != source ||
      !decoder.EndSymbolReached()) {
    std::abort();
  }
  return 0;
}
