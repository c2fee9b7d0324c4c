// The static Huffman codec of the encoded files: a table of scaled byte counts, then the code stream.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class BitReader;
class CodecInput;
class CodecOutput;
class InputWindow;
class Yielder;

// One object serves one operation. Encoding counts the source, scales the counts to at most 255, builds
// the tree and writes the count table followed by the codes; decoding rebuilds the same tree from the
// table. Errors (overflow, a table that names symbols outside the byte range) are raised as RuntimeError.
class clsCryptoGraphy {
 public:
  static constexpr int16_t kDone = 1;
  static constexpr int16_t kTableError = -3;

  // The yielder, when given, is asked to yield every few thousand bytes and at every progress event;
  // it paces itself by time, so the byte loops stay tight.
  explicit clsCryptoGraphy(Yielder* yielder = nullptr) : yielder_(yielder) {}

  // Replaces target with the encoding of source; returns kDone.
  int16_t Compress(std::string_view source, std::string& target);
  // Replaces target with the decoding of source; returns kDone, or kTableError (target left empty) when
  // the count table ends before its terminator.
  int16_t Decompress(std::string_view source, std::string& target);

  // The same from a source read in pieces to a result written in pieces, through buffers of a fixed size.
  // Encoding reads the source twice; a source that changes between the two passes raises kErrDeviceIo
  // rather than write codes that would not decode to it. Nothing is written before the codes are known,
  // so a source that does not fit the format leaves the output untouched.
  int16_t Compress(CodecInput& source, CodecOutput& target);
  int16_t Decompress(CodecInput& source, CodecOutput& target);
  // The size of the pieces read and written.
  static constexpr size_t kPieceBytes = size_t{256} * 1024;

  // True when the last decoding met the end symbol; false when the code stream ran out before it.
  bool EndSymbolReached() const { return endSymbolReached_; }

  std::function<void(int16_t)> CompressionProgress;
  std::function<void(int16_t)> DecompressionProgress;

 private:
  static constexpr int kSymbols = 257;
  static constexpr int kEndSymbol = 256;
  static constexpr int kNodes = 515;
  static constexpr int kSentinel = 513;

  struct Node {
    int16_t count = 0;
    int16_t savedCount = 0;
    int16_t oneChild = 0;
    int16_t zeroChild = 0;
  };
  struct Code {
    int16_t value = 0;
    int16_t length = 0;
  };

  int BuildTree();
  void AssignCodes(int node, int32_t value, int length);
  void WriteCountTable(std::string& target) const;
  bool ReadCountTable(InputWindow& source, size_t& tableBytes);
  // Decoding of the code stream after the table, in pieces: the driver with its progress and yields,
  // the run of symbols between two stops, the fast table and the bit-by-bit walk.
  static constexpr int kStreamEnded = -1;  // WalkTree, DecodeUntil: the source ran out
  static constexpr int kStopReached = -2;  // DecodeUntil: as many bytes as asked for were written
  static constexpr int kNeedInput = -3;    // DecodeUntil: the window needs topping up before the next code
  void DecodeStream(InputWindow& source, uint64_t sourceLength, size_t tableBytes, int root,
                    CodecOutput& target);
  int DecodeUntil(BitReader& reader, const uint32_t* fast, int root, uint8_t* out, uint64_t& written,
                  uint64_t stop, bool sourceEnded) const;
  std::vector<uint32_t> BuildFastTable(int root) const;
  uint64_t ExpectedLength(int root, uint64_t streamBytes) const;
  int WalkTree(BitReader& bits, int node) const;
  // One pass over the source: stretch(begin, end) on stretches that end at every progress position and
  // at least every few thousand bytes, a yield after each, progress() at each progress position. Returns
  // the number of bytes read.
  template <typename Stretch, typename Progress>
  uint64_t Pass(CodecInput& source, std::vector<uint8_t>& piece, uint64_t interval, Stretch stretch,
                Progress progress);
  void FinishAtEndSymbol();
  void RaiseCompression(int value);
  void MaybeYield();

  Yielder* yielder_;
  std::array<Node, kNodes> nodes_{};
  std::array<Code, kSymbols + 1> codes_{};
  bool endSymbolReached_ = false;
};

}  // namespace veltrane
