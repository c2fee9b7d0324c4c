// Decoding of the code stream: a lookup table on the next bits, with a walk of the tree for long codes.
#include <algorithm>
#include <array>

#include "codec/bit_stream.h"
#include "codec/crypto_graphy.h"
#include "core/text.h"

namespace veltrane {

namespace {

constexpr uint32_t kLookupBits = 11;
constexpr uint64_t kYieldStride = 8192;

// What the next kLookupBits bits decode to: up to two symbols (the second always a byte), or, when no
// leaf lies within reach, the inner node that those bits lead to.
struct LookupEntry {
  uint16_t first = 0;  // symbol, or inner node when symbols is 0
  uint8_t second = 0;
  uint8_t symbols = 0;
  uint8_t firstLength = 0;
  uint8_t totalLength = 0;
};

}  // namespace

void clsCryptoGraphy::DecodeStream(std::string_view source, size_t position, int root, std::string& target) {
  const auto* begin = reinterpret_cast<const uint8_t*>(source.data()) + position;
  const auto* end = reinterpret_cast<const uint8_t*>(source.data()) + source.size();
  BitReader reader(begin, end);
  // Every symbol takes at least one bit, so a crafted stream can never make more bytes than this.
  const uint64_t limit = static_cast<uint64_t>(end - begin) * 8;

  auto finishAtEnd = [&] {
    endSymbolReached_ = true;
    if (DecompressionProgress) DecompressionProgress(100);
  };

  if (root <= kEndSymbol) {
    // A tree of a single leaf: only the end symbol has a count, and its code is one bit.
    if (reader.TakeBit() >= 0) finishAtEnd();
    return;
  }

  auto walk = [&](int node) {
    while (node > kEndSymbol) {
      int bit = reader.TakeBit();
      if (bit < 0) return -1;
      node = bit != 0 ? nodes_[node].oneChild : nodes_[node].zeroChild;
    }
    return node;
  };

  std::array<LookupEntry, size_t{1} << kLookupBits> table{};
  for (uint32_t prefix = 0; prefix < table.size(); ++prefix) {
    auto descend = [&](int node, uint32_t& used) {
      while (node > kEndSymbol && used < kLookupBits) {
        bool bit = ((prefix >> (kLookupBits - 1 - used)) & 1) != 0;
        node = bit ? nodes_[node].oneChild : nodes_[node].zeroChild;
        ++used;
      }
      return node;
    };
    LookupEntry& entry = table[prefix];
    uint32_t used = 0;
    int node = descend(root, used);
    entry.first = static_cast<uint16_t>(node);
    entry.firstLength = entry.totalLength = static_cast<uint8_t>(used);
    if (node > kEndSymbol) continue;
    entry.symbols = 1;
    if (node == kEndSymbol) continue;
    int next = descend(root, used);
    if (next < kEndSymbol) {
      entry.second = static_cast<uint8_t>(next);
      entry.symbols = 2;
      entry.totalLength = static_cast<uint8_t>(used);
    }
  }

  // Progress interval from the source length and the table size, computed as the stored files expect.
  const uint64_t sourceLength = source.size();
  const auto q =
      static_cast<float>((static_cast<double>(sourceLength) * 1.6 - static_cast<double>(position)) / 100.0);
  const uint64_t interval = static_cast<uint64_t>(std::max<int64_t>(RoundHalfEven(q + 1.0f), 1));

  target.resize(static_cast<size_t>(std::min<uint64_t>(limit + 8, std::max<uint64_t>(limit / 4, 4096))));
  uint64_t written = 0;
  uint64_t nextProgress = interval;
  uint64_t nextYield = kYieldStride;
  int progressCounter = 0;
  for (;;) {
    const uint64_t stop = std::min({nextProgress, nextYield, static_cast<uint64_t>(target.size())});
    auto* out = reinterpret_cast<uint8_t*>(target.data());
    int symbol = 0;
    while (written < stop) {
      if (reader.Count() < kLookupBits) reader.Refill();
      if (reader.Count() >= kLookupBits) {
        const LookupEntry& entry = table[reader.Peek() >> (64 - kLookupBits)];
        if (entry.symbols == 2 && written + 2 <= stop) {
          out[written] = static_cast<uint8_t>(entry.first);
          out[written + 1] = entry.second;
          written += 2;
          reader.Consume(entry.totalLength);
          continue;
        }
        reader.Consume(entry.firstLength);
        symbol = entry.symbols == 0 ? walk(entry.first) : entry.first;
      } else {
        symbol = walk(root);
      }
      if (symbol < 0 || symbol == kEndSymbol) break;
      out[written++] = static_cast<uint8_t>(symbol);
    }
    if (written < stop) {
      // The end symbol, or a stream that ran out without one: what was decoded stays.
      if (symbol == kEndSymbol) finishAtEnd();
      break;
    }
    if (written == nextProgress) {
      ++progressCounter;
      if (progressCounter <= 99 && DecompressionProgress) {
        DecompressionProgress(static_cast<int16_t>(progressCounter));
      }
      MaybeYield();
      nextProgress += interval;
    }
    if (written == nextYield) {
      MaybeYield();
      nextYield += kYieldStride;
    }
    if (written == target.size())
      target.resize(static_cast<size_t>(std::min<uint64_t>(limit + 8, written * 2)));
  }
  target.resize(static_cast<size_t>(written));
}

}  // namespace veltrane
