// Decoding damaged or crafted files: tables cut short, runs and counts outside their range, streams without
// their end. That any input ends within what its stream can hold is the decode fuzz target's to check.
#include <gtest/gtest.h>

#include <string>

#include "base/errors.h"
#include "codec/crypto_graphy.h"

namespace veltrane {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes.push_back(static_cast<char>(value));
  return bytes;
}

int DecodeError(const std::string& source) {
  clsCryptoGraphy codec;
  std::string target;
  try {
    codec.Decompress(source, target);
  } catch (const RuntimeError& error) {
    return error.Number();
  }
  return 0;
}

TEST(CryptoGraphyCrafted, TablesThatEndEarlyAreTableErrors) {
  const std::string abc = Bytes({0x61, 0, 0x63, 0, 1, 0, 1, 0, 1, 0, 0xFF, 0x0F, 0x1B});
  for (size_t cut = 0; cut < 12; ++cut) {
    clsCryptoGraphy codec;
    std::string target = "left over";
    EXPECT_EQ(codec.Decompress(abc.substr(0, cut), target), clsCryptoGraphy::kTableError) << cut;
    EXPECT_TRUE(target.empty());
  }
}

TEST(CryptoGraphyCrafted, RunsOutsideTheByteRangeAndBadCountsAreRaised) {
  std::vector<int> errors;
  for (const std::string& source :
       {Bytes({0x00, 0x01, 0x00, 0x01, 1, 0, 0xFF, 0x0F, 0}),
        Bytes({0x61, 0, 0x00, 0x02, 1, 0, 0xFF, 0x0F, 0}), Bytes({0xFF, 0xFF, 0x61, 0, 1, 0, 0xFF, 0x0F, 0}),
        Bytes({0x63, 0, 0x61, 0, 0xFF, 0x0F, 0}), Bytes({0x61, 0, 0x61, 0, 0xFF, 0xFF, 0xFF, 0x0F, 0}),
        Bytes({0x61, 0, 0x62, 0, 0x20, 0x4E, 0x20, 0x4E, 0xFF, 0x0F, 0}),
        Bytes({0x61, 0, 0x61, 0, 0xFF, 0x7F, 0xFF, 0x0F, 0})})
    errors.push_back(DecodeError(source));
  EXPECT_EQ(errors,
            (std::vector<int>{kErrSubscriptOutOfRange, kErrSubscriptOutOfRange, kErrSubscriptOutOfRange,
                              kErrSubscriptOutOfRange, kErrOverflow, kErrOverflow, 0}));
}

TEST(CryptoGraphyCrafted, AStreamWithoutEndSymbolStopsAtTheEndOfTheSource) {
  clsCryptoGraphy codec;
  std::string target;
  // No stream at all: no end symbol. A stream cut short keeps what it held (the file test).
  EXPECT_EQ(codec.Decompress(Bytes({0x61, 0, 0x63, 0, 1, 0, 1, 0, 1, 0, 0xFF, 0x0F}), target), 1);
  EXPECT_EQ(target, "");
  EXPECT_FALSE(codec.EndSymbolReached());
  // Bytes after the end symbol are never read.
  EXPECT_EQ(
      codec.Decompress(Bytes({0x61, 0, 0x63, 0, 1, 0, 1, 0, 1, 0, 0xFF, 0x0F, 0x1B, 0x00, 0x00}), target), 1);
  EXPECT_EQ(target, "abc");
  EXPECT_TRUE(codec.EndSymbolReached());
  // A table with only zero counts holds just the end symbol.
  EXPECT_EQ(codec.Decompress(Bytes({0x61, 0, 0x61, 0, 0, 0, 0xFF, 0x0F, 0x80, 0x80}), target), 1);
  EXPECT_EQ(target, "");
  EXPECT_TRUE(codec.EndSymbolReached());
}

}  // namespace
}  // namespace veltrane
