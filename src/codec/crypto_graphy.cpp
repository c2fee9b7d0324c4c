// The static Huffman codec: counting, scaling, tree building, the count table and the code stream.
#include "codec/crypto_graphy.h"

#include <algorithm>
#include <cstring>

#include "base/errors.h"
#include "base/text.h"
#include "codec/bit_stream.h"
#include "codec/codec_io.h"
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
// Sources from this size on are coded through a table of byte pairs, which takes longer to build than
// smaller sources take to code.
constexpr uint64_t kPairTableThreshold = uint64_t{1} << 20;

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
  MemoryInput input(source);
  StringOutput output(target);
  return Compress(input, output);
}

template <typename Stretch, typename Progress>
uint64_t clsCryptoGraphy::Pass(CodecInput& source, std::vector<uint8_t>& piece, uint64_t interval,
                               Stretch stretch, Progress progress) {
  uint64_t position = 0;
  uint64_t nextProgress = interval;
  for (;;) {
    const size_t count = source.Read(piece.data(), piece.size());
    if (count == 0) return position;
    for (size_t offset = 0; offset < count;) {
      const size_t stop = static_cast<size_t>(
          std::min<uint64_t>({count, offset + kYieldStride, offset + (nextProgress - position)}));
      stretch(piece.data() + offset, piece.data() + stop);
      position += stop - offset;
      offset = stop;
      MaybeYield();
      if (position == nextProgress) {
        progress();
        nextProgress += interval;
      }
    }
  }
}

int16_t clsCryptoGraphy::Compress(CodecInput& source, CodecOutput& target) {
  const uint64_t length = source.Length();
  const uint64_t interval = static_cast<uint64_t>(RoundHalfEven(static_cast<double>(length) / 100.0) + 1) * 2;
  std::vector<uint8_t> piece(kPieceBytes);

  // Count pass, four tables so that runs of one byte value do not stall on one counter.
  std::array<std::array<uint64_t, 256>, 4> partial{};
  int passCounter = 0;
  const uint64_t counted = Pass(
      source, piece, interval,
      [&](const uint8_t* bytes, const uint8_t* end) {
        for (; bytes + 4 <= end; bytes += 4) {
          ++partial[0][bytes[0]];
          ++partial[1][bytes[1]];
          ++partial[2][bytes[2]];
          ++partial[3][bytes[3]];
        }
        for (; bytes < end; ++bytes) ++partial[0][*bytes];
      },
      [&] { RaiseCompression(++passCounter); });
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
  std::string table;
  WriteCountTable(table);
  target.Write(reinterpret_cast<const uint8_t*>(table.data()), table.size());

  std::array<BitWriter::Entry, 256> codes{};
  // A byte the count pass did not see has no code: met in the code pass, the source has changed.
  std::array<uint8_t, 256> uncounted{};
  for (int b = 0; b < 256; ++b) {
    codes[b] = {static_cast<uint32_t>(static_cast<uint16_t>(codes_[b].value)),
                static_cast<uint32_t>(std::max<int>(codes_[b].length, 1))};
    uncounted[b] = counts[b] == 0 ? 1 : 0;
  }
  // Large sources go two bytes at a time, through the joined codes of every pair (at most 30 bits).
  std::vector<BitWriter::Entry> pairs;
  if (length >= kPairTableThreshold) {
    pairs.resize(size_t{1} << 16);
    for (size_t pair = 0; pair < pairs.size(); ++pair) {
      const BitWriter::Entry first = codes[pair >> 8];
      const BitWriter::Entry second = codes[pair & 0xFF];
      pairs[pair] = {first.value << second.length | second.value, first.length + second.length};
    }
  }
  // A stretch of kYieldStride bytes writes at most 15 bits a byte; the buffer is emptied before it could
  // not take one more.
  std::vector<uint8_t> out(kPieceBytes);
  const size_t room = kYieldStride * 2 + 8;
  BitWriter writer(out.data());
  auto flush = [&] {
    target.Write(out.data(), static_cast<size_t>(writer.Position() - out.data()));
    writer.MoveTo(out.data());
  };
  uint8_t unexpected = 0;
  passCounter = 0;
  source.Rewind();
  const uint64_t coded = Pass(
      source, piece, interval,
      [&](const uint8_t* bytes, const uint8_t* end) {
        if (static_cast<size_t>(out.data() + out.size() - writer.Position()) < room) flush();
        if (!pairs.empty()) {
          for (; bytes + 2 <= end; bytes += 2) {
            writer.Put(pairs[size_t{bytes[0]} << 8 | bytes[1]]);
            unexpected |= uncounted[bytes[0]] | uncounted[bytes[1]];
          }
        }
        for (; bytes < end; ++bytes) {
          writer.Put(codes[*bytes]);
          unexpected |= uncounted[*bytes];
        }
      },
      [&] { RaiseCompression(50 + ++passCounter); });
  if (coded != counted || counted != length || unexpected != 0) Raise(kErrDeviceIo);
  RaiseCompression(51 + passCounter);
  writer.Put({static_cast<uint32_t>(static_cast<uint16_t>(codes_[kEndSymbol].value)),
              static_cast<uint32_t>(std::max<int>(codes_[kEndSymbol].length, 1))});
  writer.Finish();
  flush();
  return kDone;
}

bool clsCryptoGraphy::ReadCountTable(InputWindow& source, size_t& tableBytes) {
  // A value of which only one byte remains counts as the end of the source.
  auto read = [&](int16_t& value) {
    if (source.Fill(2) < 2) return false;
    const uint8_t* bytes = source.Begin();
    value = static_cast<int16_t>(bytes[0] | (bytes[1] << 8));
    source.TakeUpTo(bytes + 2);
    tableBytes += 2;
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
  MemoryInput input(source);
  StringOutput output(target);
  return Decompress(input, output);
}

int16_t clsCryptoGraphy::Decompress(CodecInput& source, CodecOutput& target) {
  endSymbolReached_ = false;
  InputWindow window(source, kPieceBytes);
  size_t tableBytes = 0;
  if (!ReadCountTable(window, tableBytes)) return kTableError;
  nodes_[kEndSymbol].count = 1;
  int root = BuildTree();
  DecodeStream(window, source.Length(), tableBytes, root, target);
  return kDone;
}

}  // namespace veltrane
