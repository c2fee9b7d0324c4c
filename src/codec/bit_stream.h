// Bit packing for the code stream: most significant bit first, through a 64-bit accumulator.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace veltrane {

inline uint64_t LoadBigEndian64(const uint8_t* bytes) {
  uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  if constexpr (std::endian::native == std::endian::little) word = __builtin_bswap64(word);
  return word;
}

// Writes codes into a buffer, whole 32-bit words at a time; the bits of an unfinished word wait in the
// accumulator, so the bytes before Position() can be taken away and the writing moved back to the start.
class BitWriter {
 public:
  struct Entry {
    uint32_t value;
    uint32_t length;  // 1 to 30 bits
  };

  explicit BitWriter(uint8_t* out) : out_(out) {}

  void Put(Entry code) {
    accumulator_ = (accumulator_ << code.length) | code.value;
    pending_ += code.length;
    if (pending_ >= 32) {
      pending_ -= 32;
      auto word = static_cast<uint32_t>(accumulator_ >> pending_);
      out_[0] = static_cast<uint8_t>(word >> 24);
      out_[1] = static_cast<uint8_t>(word >> 16);
      out_[2] = static_cast<uint8_t>(word >> 8);
      out_[3] = static_cast<uint8_t>(word);
      out_ += 4;
    }
  }

  uint8_t* Position() const { return out_; }
  void MoveTo(uint8_t* out) { out_ = out; }

  // Writes the pending bits, the last byte completed with zero bits.
  void Finish() {
    while (pending_ >= 8) {
      pending_ -= 8;
      *out_++ = static_cast<uint8_t>(accumulator_ >> pending_);
    }
    if (pending_ > 0) *out_++ = static_cast<uint8_t>(accumulator_ << (8 - pending_));
    pending_ = 0;
  }

 private:
  uint8_t* out_;
  uint64_t accumulator_ = 0;
  uint32_t pending_ = 0;
};

// Reads bits from a byte range, keeping up to 64 of them, the next bit in the top position.
class BitReader {
 public:
  BitReader(const uint8_t* begin, const uint8_t* end) : next_(begin), end_(end) {}

  // Tops the buffer up to at least 56 bits where the source has them.
  void Refill() {
    // Bits beyond the count are the true following bits, so OR-ing them again later is harmless.
    if (HasEightBytes()) return RefillFast();
    while (count_ <= 56 && next_ < end_) {
      buffer_ |= uint64_t{*next_++} << (56 - count_);
      count_ += 8;
    }
  }

  // Tops up without looking at the end; only while at least 8 bytes remain.
  void RefillFast() {
    buffer_ |= LoadBigEndian64(next_) >> count_;
    next_ += (63 - count_) >> 3;
    count_ |= 56;
  }
  bool HasEightBytes() const { return end_ - next_ >= 8; }
  // The first byte not yet taken into the buffer.
  const uint8_t* Next() const { return next_; }
  // Goes on in another range that starts with the bytes from Next() on (moved, and more added after).
  void Rebase(const uint8_t* begin, const uint8_t* end) {
    next_ = begin;
    end_ = end;
  }

  uint32_t Count() const { return count_; }
  uint64_t Peek() const { return buffer_; }
  void Consume(uint32_t bits) {
    buffer_ <<= bits;
    count_ -= bits;
  }
  // The next bit, or -1 when the source has no more.
  int TakeBit() {
    if (count_ == 0) {
      Refill();
      if (count_ == 0) return -1;
    }
    int bit = static_cast<int>(buffer_ >> 63);
    Consume(1);
    return bit;
  }

 private:
  const uint8_t* next_;
  const uint8_t* end_;
  uint64_t buffer_ = 0;
  uint32_t count_ = 0;
};

}  // namespace veltrane
