// The codec over byte buffers: the exact bytes of small encodings, scaling, progress and overflow. Round
// trips of any bytes are the decode fuzz target's to check, over its replayed corpus.
#include "codec/crypto_graphy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"
#include "codec/codec_io.h"

namespace veltrane {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes.push_back(static_cast<char>(value));
  return bytes;
}

std::string Encode(std::string_view source) {
  clsCryptoGraphy codec;
  std::string target;
  EXPECT_EQ(codec.Compress(source, target), 1);
  return target;
}

std::string Decode(std::string_view source) {
  clsCryptoGraphy codec;
  std::string target;
  EXPECT_EQ(codec.Decompress(source, target), 1);
  EXPECT_TRUE(codec.EndSymbolReached());
  return target;
}

int ErrorOf(void (*body)()) {
  try {
    body();
  } catch (const RuntimeError& error) {
    return error.Number();
  }
  return 0;
}

TEST(CryptoGraphyFormat, SmallSourcesEncodeToTheKnownBytes) {
  EXPECT_EQ(Encode("abc"), Bytes({0x61, 0, 0x63, 0, 1, 0, 1, 0, 1, 0, 0xFF, 0x0F, 0x1B}));
  EXPECT_EQ(Encode("aaaa"), Bytes({0x61, 0, 0x61, 0, 4, 0, 0xFF, 0x0F, 0xF0}));
  EXPECT_EQ(Encode(""), Bytes({0xFF, 0x0F, 0}));
  EXPECT_EQ(Decode(Encode("abc")) + Decode(Encode("aaaa")), "abcaaaa");
}

TEST(CryptoGraphyFormat, RunsSwallowGapsOfThreeZeroCountsButNotFour) {
  std::string abracadabra = Encode("abracadabra");
  EXPECT_EQ(abracadabra.substr(0, 20), Bytes({0x61, 0, 0x64, 0, 5, 0, 2,    0,   1, 0, 1, 0,  // a to d
                                              0x72, 0, 0x72, 0, 2, 0, 0xFF, 0x0F}));
  EXPECT_EQ(Decode(abracadabra), "abracadabra");

  EXPECT_EQ(Encode("ae").substr(0, 16), Bytes({0x61, 0, 0x65, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0xFF, 0x0F}));
  EXPECT_EQ(Encode("af").substr(0, 14), Bytes({0x61, 0, 0x61, 0, 1, 0, 0x66, 0, 0x66, 0, 1, 0, 0xFF, 0x0F}));
  // A run that reaches byte value 255 ends there.
  std::string top = Encode("\xFC\xFF");
  EXPECT_EQ(top.substr(0, 14), Bytes({0xFC, 0, 0xFF, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0xFF, 0x0F}));
  EXPECT_EQ(Decode(top), "\xFC\xFF");
}

TEST(CryptoGraphyFormat, CountsAreScaledWithHalvesToEven) {
  // 510 / 255 = 2, so the scale is 3: 510 becomes 170 and a single byte is raised from 0 to 1.
  std::string source(510, 'a');
  source += 'b';
  EXPECT_EQ(Encode(source).substr(0, 10), Bytes({0x61, 0, 0x62, 0, 170, 0, 1, 0, 0xFF, 0x0F}));
  EXPECT_EQ(Decode(Encode(source)), source);
  // 255 / 255 = 1 gives a scale of 2 and 255 / 2 = 127.5 rounds to 128; 381 / 2 = 190.5 rounds to 190.
  EXPECT_EQ(Encode(std::string(255, 'x')).substr(4, 2), Bytes({128, 0}));
  std::string mixed = std::string(381, 'x') + std::string(255, 'y');
  EXPECT_EQ(Encode(mixed).substr(4, 4), Bytes({190, 0, 128, 0}));
}

// The progress events of encoding a source, then of decoding its encoding.
std::pair<std::vector<int>, std::vector<int>> Progress(const std::string& source) {
  std::pair<std::vector<int>, std::vector<int>> events;
  clsCryptoGraphy encoder, decoder;
  encoder.CompressionProgress = [&](int16_t value) { events.first.push_back(value); };
  decoder.DecompressionProgress = [&](int16_t value) { events.second.push_back(value); };
  std::string encoded, decoded;
  encoder.Compress(source, encoded);
  decoder.Decompress(encoded, decoded);
  EXPECT_EQ(decoded, source);
  return events;
}

TEST(CryptoGraphyProgress, EventsComeAtTheIntervalPositions) {
  // 13 bytes with a 12-byte table: an interval of one byte.
  EXPECT_EQ(Progress("abc"), std::make_pair(std::vector<int>{1, 51, 52}, std::vector<int>{1, 2, 3, 100}));
  EXPECT_EQ(Progress(std::string(10, 'a')).first, (std::vector<int>{1, 2, 3, 4, 5, 51, 52, 53, 54, 55, 56}));
  // An empty source has no code pass: encoding ends at 51 all the same.
  EXPECT_EQ(Progress(""), std::make_pair(std::vector<int>{51}, std::vector<int>{100}));
}

TEST(CryptoGraphyProgress, LongSourcesReachAboutOneHundred) {
  std::string source;
  for (int i = 0; i < 20000; ++i) source += "line " + std::to_string(i) + "\r\n";
  auto [encodeEvents, decodeEvents] = Progress(source);
  ASSERT_GE(encodeEvents.size(), 90u);
  EXPECT_EQ(encodeEvents.front(), 1);
  EXPECT_GE(encodeEvents.back(), 98);
  EXPECT_LE(encodeEvents.back(), 101);
  ASSERT_FALSE(decodeEvents.empty());
  EXPECT_EQ(decodeEvents.back(), 100);
  for (size_t i = 0; i + 1 < decodeEvents.size(); ++i) EXPECT_EQ(decodeEvents[i], static_cast<int>(i) + 1);
}

TEST(CryptoGraphyOverflow, SumsAndCodesBeyondTheFormatRaiseOverflow) {
  // Every byte value 127 times stays unscaled and sums to 32513: still within range.
  std::string fits;
  for (int value = 0; value < 256; ++value) fits += std::string(127, static_cast<char>(value));
  EXPECT_EQ(Decode(Encode(fits)), fits);
  // 255 times each scales to 128 and sums past 32767.
  EXPECT_EQ(ErrorOf([] {
              std::string source;
              for (int value = 0; value < 256; ++value) source += std::string(255, static_cast<char>(value));
              Encode(source);
            }),
            kErrOverflow);
  // Fibonacci-like counts next to many equal heavy ones make the rarest codes 17 bits long. Every count
  // is twelve times the count it scales to, since the largest (233 x 12) gives a scale of 12.
  EXPECT_EQ(ErrorOf([] {
              std::string source;
              const int fibonacci[] = {1, 2, 3, 5, 8, 13, 21, 34, 55, 89, 144, 233};
              for (int i = 0; i < 12; ++i) source += std::string(fibonacci[i] * 12, static_cast<char>(i));
              for (int value = 20; value < 144; ++value)
                source += std::string(144 * 12, static_cast<char>(value));
              Encode(source);
            }),
            kErrOverflow);
}

TEST(CryptoGraphyStreams, CodesOfEveryLengthDecodeThroughTheTable) {
  // Counts in a Fibonacci row make a code one bit longer per step: alone, codes of 1 to 12 bits; beside 16
  // heavy bytes, codes of 4 to 15 bits, the longest the format allows and longer than the table's window.
  // Shuffled, each length stands at every bit position of the window and across the stops.
  const int fibonacci[] = {1, 2, 3, 5, 8, 13, 21, 34, 55, 89, 144, 233};
  for (auto [heavy, times] : {std::pair{0, 40}, std::pair{16, 20}}) {
    std::string source;
    for (int i = 0; i < 12; ++i) source += std::string(fibonacci[i] * times, static_cast<char>('a' + i));
    for (int i = 0; i < heavy; ++i) source += std::string(233 * times, static_cast<char>('A' + i));
    uint32_t state = 12345;
    for (size_t i = source.size() - 1; i > 0; --i) {
      state = state * 1103515245u + 12345u;
      std::swap(source[i], source[(state >> 8) % (i + 1)]);
    }
    std::string encoded = Encode(source);
    ASSERT_GT(encoded.size(), 4096u);
    EXPECT_TRUE(Decode(encoded) == source) << heavy;
  }
}

// A source that reads as one text until it is rewound and as another after.
class ChangingInput : public CodecInput {
 public:
  ChangingInput(std::string first, std::string second)
      : first_(std::move(first)), second_(std::move(second)) {}
  uint64_t Length() const override { return first_.size(); }
  size_t Read(uint8_t* buffer, size_t size) override { return reading_.Read(buffer, size); }
  void Rewind() override { reading_ = MemoryInput(second_); }

 private:
  std::string first_;
  std::string second_;
  MemoryInput reading_{first_};
};

TEST(CryptoGraphyStreams, LargeSourcesRoundTripAndASourceChangedBetweenPassesIsRefused) {
  // Past a megabyte and of odd length: many pieces, and pairs of bytes coded together but for the last.
  std::string source;
  for (int i = 0; source.size() < (size_t{1} << 20); ++i) {
    source += "\"Adware " + std::to_string(i * 7919) + "\",\"windir+\\x" + std::to_string(i) + ".dll\"\r\n";
  }
  source += '!';
  EXPECT_TRUE(Decode(Encode(source)) == source);
  for (const std::string& changed : {source + "a", "Q" + source.substr(1)}) {
    ChangingInput input(source, changed);
    std::string target;
    StringOutput output(target);
    int error = 0;
    try {
      clsCryptoGraphy().Compress(input, output);
    } catch (const RuntimeError& raised) {
      error = raised.Number();
    }
    EXPECT_EQ(error, kErrDeviceIo);
  }
}

}  // namespace
}  // namespace veltrane
