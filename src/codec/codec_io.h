// Where the codec reads its source and writes its result: in pieces, so that neither has to fit in memory.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// The source of one operation. Read and Rewind raise a RuntimeError on a failure.
class CodecInput {
 public:
  virtual ~CodecInput() = default;
  // The length of the source as it was opened; the progress events are paced by it.
  virtual uint64_t Length() const = 0;
  // Up to size bytes; 0 at the end of the source.
  virtual size_t Read(uint8_t* buffer, size_t size) = 0;
  // Back to the start, for the second pass of an encoding.
  virtual void Rewind() = 0;
};

// The result of one operation. Write raises a RuntimeError on a failure.
class CodecOutput {
 public:
  virtual ~CodecOutput() = default;
  virtual void Write(const uint8_t* bytes, size_t size) = 0;
  // About this many bytes will follow: a target in memory makes room for them at once, rather than
  // growing (and copying) as they come.
  virtual void Expect(uint64_t) {}
};

// Bytes in memory as a source.
class MemoryInput : public CodecInput {
 public:
  explicit MemoryInput(std::string_view bytes) : bytes_(bytes) {}
  uint64_t Length() const override { return bytes_.size(); }
  size_t Read(uint8_t* buffer, size_t size) override {
    size_t count = std::min(size, bytes_.size() - position_);
    if (count != 0) std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return count;
  }
  void Rewind() override { position_ = 0; }

 private:
  std::string_view bytes_;
  size_t position_ = 0;
};

// A string in memory as the result.
class StringOutput : public CodecOutput {
 public:
  explicit StringOutput(std::string& target) : target_(target) {}
  void Write(const uint8_t* bytes, size_t size) override {
    target_.append(reinterpret_cast<const char*>(bytes), size);
  }
  // Only a hint: a damaged file may predict far more than it holds, so room that cannot be had is left to
  // the appends, which fail (or not) as they always did.
  void Expect(uint64_t bytes) override {
    if (bytes >= target_.max_size() - target_.size()) return;
    try {
      target_.reserve(target_.size() + static_cast<size_t>(bytes));
    } catch (const std::bad_alloc&) {
    }
  }

 private:
  std::string& target_;
};

// A window on the source: the bytes read but not yet taken, topped up from the source as they are taken.
class InputWindow {
 public:
  InputWindow(CodecInput& input, size_t capacity)
      : input_(input), buffer_(capacity), begin_(buffer_.data()), end_(begin_) {}

  // Makes at least want bytes available, unless the source ends first, and fills the rest of the window
  // while it is at it; returns the number available.
  size_t Fill(size_t want) {
    if (Available() >= want || ended_) return Available();
    size_t kept = Available();
    std::memmove(buffer_.data(), begin_, kept);
    begin_ = buffer_.data();
    end_ = begin_ + kept;
    uint8_t* limit = buffer_.data() + buffer_.size();
    while (end_ < limit) {
      size_t count = input_.Read(end_, static_cast<size_t>(limit - end_));
      if (count == 0) {
        ended_ = true;
        break;
      }
      end_ += count;
    }
    return Available();
  }
  size_t Available() const { return static_cast<size_t>(end_ - begin_); }
  // True when the window holds everything that is left of the source.
  bool Ended() const { return ended_; }
  const uint8_t* Begin() const { return begin_; }
  const uint8_t* End() const { return end_; }
  // Takes the bytes up to next, a position inside the window.
  void TakeUpTo(const uint8_t* next) { begin_ += next - begin_; }

 private:
  CodecInput& input_;
  std::vector<uint8_t> buffer_;
  uint8_t* begin_;
  uint8_t* end_;
  bool ended_ = false;
};

}  // namespace veltrane
