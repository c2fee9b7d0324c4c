// Decoding of the code stream: a lookup table on the next bits, with a walk of the tree for long codes.
#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <utility>
#include <vector>

#include "base/text.h"
#include "codec/bit_stream.h"
#include "codec/codec_io.h"
#include "codec/crypto_graphy.h"

namespace veltrane {

namespace {

constexpr uint64_t kYieldStride = 8192;

// The fast table: up to three bytes that the next kFastBits bits decode to, packed as the bits they take
// (bits 0-5, of which 4 and 5 stay 0), how many (bits 6-7; 0 when the first code is longer or is the end
// symbol) and the bytes (bits 8-31). Entries of four bytes keep the table at 64 KiB, near the processor's
// fastest cache; the bits taken come first, so the shift of the bit buffer, on which the next lookup
// waits, needs no other work on the entry. The loop stores four bytes and advances by the count.
constexpr uint32_t kFastBits = 14;
// Streams shorter than this (in bytes) are decoded without the table.
constexpr uint64_t kTableThreshold = 4096;

inline uint32_t FastCount(uint32_t entry) {
  return (entry >> 6) & 3;
}

// Stores the bytes of a fast-table entry in stream order, keeps the entry's count of them and takes its
// bits from the reader.
inline void Emit(uint8_t* out, uint64_t& written, BitReader& reader, uint32_t entry) {
  uint32_t bytes = entry >> 8;
  if constexpr (std::endian::native == std::endian::big) bytes = __builtin_bswap32(bytes);
  std::memcpy(out + written, &bytes, 4);
  written += FastCount(entry);
  reader.Consume(entry & 63);
}

// The number of bytes written between two progress events, computed from the source length and the
// table size as the stored files expect.
uint64_t ProgressInterval(uint64_t sourceLength, size_t tableBytes) {
  const auto q =
      static_cast<float>((static_cast<double>(sourceLength) * 1.6 - static_cast<double>(tableBytes)) / 100.0);
  return static_cast<uint64_t>(std::max<int64_t>(RoundHalfEven(q + 1.0f), 1));
}

}  // namespace

int clsCryptoGraphy::WalkTree(BitReader& bits, int node) const {
  while (node > kEndSymbol) {
    int bit = bits.TakeBit();
    if (bit < 0) return kStreamEnded;
    node = bit != 0 ? nodes_[node].oneChild : nodes_[node].zeroChild;
  }
  return node;
}

std::vector<uint32_t> clsCryptoGraphy::BuildFastTable(int root) const {
  constexpr uint32_t kSize = uint32_t{1} << kFastBits;
  // First the one symbol each prefix starts with and its code length (0: longer, or the end symbol), filled
  // from every leaf's code; then each entry chains up to three of those on its bits.
  std::vector<uint16_t> first(kSize, 0);
  struct Pending {
    int node;
    uint32_t code;
    uint32_t length;
  };
  std::vector<Pending> stack{{root, 0, 0}};
  while (!stack.empty()) {
    Pending at = stack.back();
    stack.pop_back();
    if (at.node < kEndSymbol) {
      uint32_t span = kSize >> at.length;
      uint16_t value = static_cast<uint16_t>(at.length << 8 | static_cast<uint32_t>(at.node));
      std::fill_n(first.begin() + (at.code << (kFastBits - at.length)), span, value);
      continue;
    }
    if (at.node == kEndSymbol || at.length == kFastBits) continue;
    stack.push_back({nodes_[at.node].zeroChild, at.code << 1, at.length + 1});
    stack.push_back({nodes_[at.node].oneChild, at.code << 1 | 1, at.length + 1});
  }
  std::vector<uint32_t> fast(kSize);
  for (uint32_t prefix = 0; prefix < kSize; ++prefix) {
    uint32_t used = 0;
    uint32_t packed = 0;
    uint32_t symbols = 0;
    while (symbols < 3) {
      uint16_t next = first[(prefix << used) & (kSize - 1)];
      uint32_t length = next >> 8;
      // Bits past the prefix are unknown: a code must end within it.
      if (length == 0 || used + length > kFastBits) break;
      packed |= uint32_t{static_cast<uint8_t>(next)} << (8 * symbols + 8);
      ++symbols;
      used += length;
    }
    fast[prefix] = packed | symbols << 6 | used;
  }
  return fast;
}

// The decoded length the counts predict: the stream's bits over the mean code length, and a sixteenth more
// for the counts' rounding. At most four bytes per stream byte (a mean code of two bits; text is near five),
// so a damaged file whose end code comes early cannot ask for much more room than its own size.
uint64_t clsCryptoGraphy::ExpectedLength(int root, uint64_t streamBytes) const {
  uint64_t symbols = 0;
  uint64_t bits = 0;
  std::vector<std::pair<int, uint64_t>> stack{{root, 0}};
  while (!stack.empty()) {
    auto [node, depth] = stack.back();
    stack.pop_back();
    if (node <= kEndSymbol) {
      symbols += static_cast<uint64_t>(nodes_[node].savedCount);
      bits += static_cast<uint64_t>(nodes_[node].savedCount) * depth;
      continue;
    }
    stack.push_back({nodes_[node].zeroChild, depth + 1});
    stack.push_back({nodes_[node].oneChild, depth + 1});
  }
  if (bits == 0) return 0;
  const double expected = static_cast<double>(streamBytes) * 8 * static_cast<double>(symbols) /
                          static_cast<double>(bits) * (1 + 1.0 / 16);
  return std::min(static_cast<uint64_t>(expected), streamBytes * 4);
}

int clsCryptoGraphy::DecodeUntil(BitReader& sharedReader, const uint32_t* fast, int root, uint8_t* out,
                                 uint64_t& written, uint64_t stop, bool sourceEnded) const {
  // A local copy of the reader and the count, so that the byte stores below cannot alias them.
  BitReader reader = sharedReader;
  uint64_t done = written;
  int symbol = kStopReached;
  while (done < stop) {
    // Four entries give at most twelve bytes, and the last store writes one past them.
    while (fast != nullptr && done + 12 <= stop && reader.HasEightBytes()) {
      reader.RefillFast();
      // A refill leaves at least 56 bits, enough for four lookups of kFastBits.
      uint32_t entry = fast[reader.Peek() >> (64 - kFastBits)];
      if (FastCount(entry) == 0) break;
      Emit(out, done, reader, entry);
      entry = fast[reader.Peek() >> (64 - kFastBits)];
      if (FastCount(entry) == 0) continue;
      Emit(out, done, reader, entry);
      entry = fast[reader.Peek() >> (64 - kFastBits)];
      if (FastCount(entry) == 0) continue;
      Emit(out, done, reader, entry);
      entry = fast[reader.Peek() >> (64 - kFastBits)];
      if (FastCount(entry) == 0) continue;
      Emit(out, done, reader, entry);
    }
    if (done >= stop) break;
    // A code may take more bits than the reader holds while the window still lacks them.
    if (!sourceEnded && !reader.HasEightBytes()) {
      symbol = kNeedInput;
      break;
    }
    // Codes longer than the table, the end symbol and the last bytes before a stop, bit by bit.
    symbol = WalkTree(reader, root);
    if (symbol == kStreamEnded || symbol == kEndSymbol) break;
    out[done++] = static_cast<uint8_t>(symbol);
    symbol = kStopReached;
  }
  sharedReader = reader;
  written = done;
  return symbol;
}

void clsCryptoGraphy::DecodeStream(InputWindow& source, uint64_t sourceLength, size_t tableBytes, int root,
                                   CodecOutput& target) {
  source.Fill(kPieceBytes);
  BitReader reader(source.Begin(), source.End());
  if (root <= kEndSymbol) {
    // A tree of a single leaf: only the end symbol has a count, and its code is one bit.
    if (reader.TakeBit() >= 0) FinishAtEndSymbol();
    return;
  }
  // Short streams decode faster bit by bit than the table takes to build.
  const std::vector<uint32_t> fast =
      sourceLength - std::min<uint64_t>(sourceLength, tableBytes) >= kTableThreshold
          ? BuildFastTable(root)
          : std::vector<uint32_t>();
  const uint64_t interval = ProgressInterval(sourceLength, tableBytes);
  if (!fast.empty()) target.Expect(ExpectedLength(root, sourceLength - tableBytes));

  // The fast loop stores four bytes at a time, at most one past its stop; the buffer has room for them.
  std::vector<uint8_t> out(kPieceBytes + 8);
  uint64_t flushed = 0;  // bytes handed to the target
  uint64_t written = 0;
  uint64_t nextProgress = interval;
  uint64_t nextYield = kYieldStride;
  int progressCounter = 0;
  for (;;) {
    const uint64_t stop = std::min({nextProgress, nextYield, flushed + kPieceBytes});
    uint64_t done = written - flushed;
    int symbol = DecodeUntil(reader, fast.empty() ? nullptr : fast.data(), root, out.data(), done,
                             stop - flushed, source.Ended());
    written = flushed + done;
    if (symbol == kNeedInput) {
      source.TakeUpTo(reader.Next());
      source.Fill(kPieceBytes);
      reader.Rebase(source.Begin(), source.End());
      continue;
    }
    // The end symbol, or a stream that ran out without one: what was decoded stays.
    if (symbol == kEndSymbol) FinishAtEndSymbol();
    if (symbol != kStopReached) break;
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
    if (written == flushed + kPieceBytes) {
      target.Write(out.data(), kPieceBytes);
      flushed = written;
    }
  }
  target.Write(out.data(), static_cast<size_t>(written - flushed));
}

void clsCryptoGraphy::FinishAtEndSymbol() {
  endSymbolReached_ = true;
  if (DecompressionProgress) DecompressionProgress(100);
}

}  // namespace veltrane
