// Finds which of many texts a cookie host contains, in one pass over the host (an Aho-Corasick automaton
// over the bytes), so that a store of many hosts is matched against every definition at once. Most hosts
// contain no text; a bitmap of one 4-byte piece of each text turns them away before the automaton.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

class HostMatcher {
 public:
  // The texts are compared byte for byte; an empty text never matches.
  explicit HostMatcher(const std::vector<std::string>& texts);
  // The indices of the texts contained in the host, each once, in ascending order.
  std::vector<size_t> Contained(std::string_view host);
  // The same into `found`, which is cleared first: a scan of many hosts reuses one buffer. Inline, as most
  // hosts end at the anchors.
  void Contained(std::string_view host, std::vector<size_t>& found) {
    found.clear();
    if (MayContain(host)) Walk(host, found);
  }

 private:
  static constexpr int kAnchorBits = 18;

  // A piece of gram_ bytes (4 to 8), read as its first 4 and its last 4, hashed to kAnchorBits.
  uint32_t GramHash(const char* at) const {
    uint32_t head;
    uint32_t tail;
    std::memcpy(&head, at, 4);
    std::memcpy(&tail, at + gram_ - 4, 4);
    return static_cast<uint32_t>(((uint64_t{tail} << 32 | head) * 0x9E3779B97F4A7C15u) >> (64 - kAnchorBits));
  }
  // False when the host holds no text's anchor (pieces chosen per text), so it contains no text.
  bool MayContain(std::string_view host) const {
    if (shortText_) return true;
    for (size_t at = 0; at + gram_ <= host.size(); at += stride_) {
      uint32_t hash = GramHash(host.data() + at);
      if ((anchors_[hash >> 6] >> (hash & 63)) & 1) return true;
    }
    return false;
  }
  void Walk(std::string_view host, std::vector<size_t>& found);

  std::vector<uint64_t> anchors_;  // a bit per hash of a piece of an anchor
  size_t gram_ = 4;                // bytes per piece
  size_t stride_ = 4;              // pieces per anchor, and the step between a host's pieces looked up
  bool shortText_ = false;         // a text under 4 bytes has no anchor: every host goes to the automaton
  uint16_t classOf_[256] = {};
  size_t classes_ = 1;
  // state x byte class -> the next state as the start of its row (state x classes) times two, plus one
  // when some text ends there: a host's bytes touch nothing else until a text is found.
  std::vector<uint32_t> next_;
  std::vector<std::vector<size_t>>
      outputs_;                   // texts ending at each state, those of shorter suffixes included
  std::vector<uint64_t> seenAt_;  // per text: the number of the last host that contained it
  uint64_t hostNumber_ = 0;
};

}  // namespace veltrane
