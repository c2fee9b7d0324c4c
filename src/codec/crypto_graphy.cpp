// The static Huffman codec: counting, scaling, tree building, the count table and the code stream.
#include "codec/crypto_graphy.h"

#include <algorithm>
#include <cstring>

#include "base/errors.h"
#include "base/text.h"
#include "codec/bit_stream.h"
#include "program/yielder.h"

namespace veltrane {

namespace {

// The 16-bit value that stands where the next run's first symbol would stand and ends the count table.
constexpr int16_t kTableTerminator = 4095;
constexpr int16_t kMaxCount = 32767;
// Longest code the format can write: codes go out through a signed 16-bit mask.
constexpr int kMaxCodeLength = 15;
// The byte loops only look at the yielder this often; the yielder itself decides by the clock.
constexpr uint64_t kYieldStride = 8192;

void Put16(std::string& target, int16_t value) {
  auto bits = static_cast<uint16_t>(value);
  target.push_back(static_cast<char>(bits & 0xFF));
  target.push_back(static_cast<char>(bits >> 8));
}

}  // namespace

void clsCryptoGraphy::MaybeYield() {
  if (yielder_ != nullptr) yielder_->MaybeYield();
}

void clsCryptoGraphy::RaiseCompression(int value) {
  if (CompressionProgress) CompressionProgress(static_cast<int16_t>(value));
}

int clsCryptoGraphy::BuildTree() {
  nodes_[kSentinel].count = kMaxCount;
  int next = kSymbols;
  for (;;) {
    int first = kSentinel;
    int second = kSentinel;
    for (int i = 0; i < next; ++i) {
      int16_t count = nodes_[i].count;
      if (count == 0) continue;
      if (count < nodes_[first].count) {
        second = first;
        first = i;
      } else if (count < nodes_[second].count) {
        second = i;
      }
    }
    if (second == kSentinel) break;
    int32_t sum = int32_t{nodes_[first].count} + nodes_[second].count;
    if (sum > kMaxCount) Raise(kErrOverflow);
    if (next >= kSentinel) Raise(kErrSubscriptOutOfRange);
    Node& parent = nodes_[next];
    parent.count = static_cast<int16_t>(sum);
    parent.zeroChild = static_cast<int16_t>(first);
    parent.oneChild = static_cast<int16_t>(second);
    for (int child : {first, second}) {
      nodes_[child].savedCount = nodes_[child].count;
      nodes_[child].count = 0;
    }
    ++next;
  }
  int root = next - 1;
  nodes_[root].savedCount = nodes_[root].count;
  return root;
}

void clsCryptoGraphy::AssignCodes(int node, int32_t value, int length) {
  if (node <= kEndSymbol) {
    // Checked here rather than when the code is written, so that a failing source leaves no half stream.
    if (length > kMaxCodeLength) Raise(kErrOverflow);
    codes_[node] = {static_cast<int16_t>(value), static_cast<int16_t>(length)};
    return;
  }
  if (value * 2 > kMaxCount) Raise(kErrOverflow);
  AssignCodes(nodes_[node].zeroChild, value * 2, length + 1);
  AssignCodes(nodes_[node].oneChild, value * 2 + 1, length + 1);
}

void clsCryptoGraphy::WriteCountTable(std::string& target) const {
  int first = 0;
  while (first < 256) {
    if (nodes_[first].savedCount == 0) {
      ++first;
      continue;
    }
    int last = first;
    while (last < 255 && nodes_[last + 1].savedCount != 0) ++last;
    // A run swallows gaps of up to three zero counts; four in a row end it.
    int next = last + 1;
    for (; next <= 255; ++next) {
      if (nodes_[next].savedCount != 0) {
        last = next;
      } else if (next - last > 3) {
        break;
      }
    }
    Put16(target, static_cast<int16_t>(first));
    Put16(target, static_cast<int16_t>(last));
    for (int i = first; i <= last; ++i) Put16(target, nodes_[i].savedCount);
    first = next + 1;
  }
  Put16(target, kTableTerminator);
}

int16_t clsCryptoGraphy::Compress(std::string_view source, std::string& target) {
  target.clear();
  const auto* bytes = reinterpret_cast<const uint8_t*>(source.data());
  const uint64_t length = source.size();
  const uint64_t interval = static_cast<uint64_t>(RoundHalfEven(static_cast<double>(length) / 100.0) + 1) * 2;

  // Count pass, four tables so that runs of one byte value do not stall on one counter.
  std::array<std::array<uint64_t, 256>, 4> partial{};
  int passCounter = 0;
  uint64_t position = 0;
  uint64_t nextProgress = interval;
  while (position < length) {
    uint64_t stop = std::min({length, nextProgress, position + kYieldStride});
    uint64_t i = position;
    for (; i + 4 <= stop; i += 4) {
      ++partial[0][bytes[i]];
      ++partial[1][bytes[i + 1]];
      ++partial[2][bytes[i + 2]];
      ++partial[3][bytes[i + 3]];
    }
    for (; i < stop; ++i) ++partial[0][bytes[i]];
    position = stop;
    MaybeYield();
    if (position == nextProgress) {
      RaiseCompression(++passCounter);
      nextProgress += interval;
    }
  }
  std::array<uint64_t, kSymbols> counts{};
  for (int b = 0; b < 256; ++b) counts[b] = partial[0][b] + partial[1][b] + partial[2][b] + partial[3][b];

  // Scaling keeps every stored count within a byte's range, whatever the source length.
  uint64_t max = *std::max_element(counts.begin(), counts.end());
  const double scale = static_cast<double>(RoundHalfEven(static_cast<double>(max) / 255.0) + 1);
  for (int i = 0; i < kSymbols; ++i) {
    int64_t scaled = RoundHalfEven(static_cast<double>(counts[i]) / scale);
    if (counts[i] != 0 && scaled == 0) scaled = 1;
    if (scaled > kMaxCount) Raise(kErrOverflow);
    nodes_[i].count = static_cast<int16_t>(scaled);
  }
  nodes_[kEndSymbol].count = 1;

  int root = BuildTree();
  AssignCodes(root, 0, 0);
  WriteCountTable(target);

  // The stream's exact size is known from the counts, so the writer never has to grow the target.
  uint64_t totalBits = std::max<int>(codes_[kEndSymbol].length, 1);
  for (int b = 0; b < 256; ++b) totalBits += counts[b] * static_cast<uint64_t>(codes_[b].length);
  const size_t tableSize = target.size();
  const size_t streamSize = static_cast<size_t>((totalBits + 7) / 8);
  target.resize(tableSize + streamSize + BitWriter::kSlack);

  std::array<BitWriter::Entry, 256> table{};
  for (int b = 0; b < 256; ++b) {
    table[b] = {static_cast<uint32_t>(static_cast<uint16_t>(codes_[b].value)),
                static_cast<uint32_t>(std::max<int>(codes_[b].length, 1))};
  }
  BitWriter writer(reinterpret_cast<uint8_t*>(target.data()) + tableSize);
  passCounter = 0;
  position = 0;
  nextProgress = interval;
  while (position < length) {
    uint64_t stop = std::min({length, nextProgress, position + kYieldStride});
    for (uint64_t i = position; i < stop; ++i) writer.Put(table[bytes[i]]);
    position = stop;
    MaybeYield();
    if (position == nextProgress) {
      RaiseCompression(50 + ++passCounter);
      nextProgress += interval;
    }
  }
  RaiseCompression(51 + passCounter);
  writer.Put({static_cast<uint32_t>(static_cast<uint16_t>(codes_[kEndSymbol].value)),
              static_cast<uint32_t>(std::max<int>(codes_[kEndSymbol].length, 1))});
  writer.Finish();
  target.resize(tableSize + streamSize);
  return kDone;
}

bool clsCryptoGraphy::ReadCountTable(std::string_view source, size_t& position) {
  // A value of which only one byte remains counts as the end of the source.
  auto read = [&](int16_t& value) {
    if (source.size() - position < 2) return false;
    value = static_cast<int16_t>(static_cast<uint8_t>(source[position]) |
                                 (static_cast<uint8_t>(source[position + 1]) << 8));
    position += 2;
    return true;
  };
  int16_t first = 0;
  int16_t last = 0;
  if (!read(first)) return false;
  // Empty text is stored as the terminator alone (with the one-bit end code after it); such a table
  // holds no run at all.
  if (first == kTableTerminator) return true;
  for (;;) {
    if (!read(last)) return false;
    // Only byte values have stored counts; anything else would reach into the inner nodes.
    if (first < 0 || last > 255 || first > last) Raise(kErrSubscriptOutOfRange);
    for (int i = first; i <= last; ++i) {
      int16_t count = 0;
      if (!read(count)) return false;
      if (count < 0) Raise(kErrOverflow);
      nodes_[i].count = count;
    }
    if (!read(first)) return false;
    if (first == kTableTerminator) return true;
  }
}

int16_t clsCryptoGraphy::Decompress(std::string_view source, std::string& target) {
  target.clear();
  endSymbolReached_ = false;
  size_t position = 0;
  if (!ReadCountTable(source, position)) return kTableError;
  nodes_[kEndSymbol].count = 1;
  int root = BuildTree();
  DecodeStream(source, position, root, target);
  return kDone;
}

}  // namespace veltrane
