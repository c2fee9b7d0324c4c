// The automaton: a trie of the texts, completed breadth first into a table of transitions.
#include "scan/host_matcher.h"

#include <algorithm>

#include "base/errors.h"

namespace veltrane {

namespace {

// Sorts hashes of `bits` bits in two counting passes: linear, where a comparison sort of the thousands of
// pieces took a third of building the matcher.
void SortHashes(std::vector<uint32_t>& hashes, int bits) {
  const int low = (bits + 1) / 2;
  const uint32_t mask = (uint32_t{1} << low) - 1;
  std::vector<uint32_t> sorted(hashes.size());
  std::vector<uint32_t> starts;
  for (int shift : {0, low}) {
    starts.assign(size_t{mask} + 2, 0);
    for (uint32_t hash : hashes) ++starts[((hash >> shift) & mask) + 1];
    for (size_t i = 1; i < starts.size(); ++i) starts[i] += starts[i - 1];
    for (uint32_t hash : hashes) sorted[starts[(hash >> shift) & mask]++] = hash;
    hashes.swap(sorted);
  }
}

}  // namespace

HostMatcher::HostMatcher(const std::vector<std::string>& texts)
    : anchors_((size_t{1} << kAnchorBits) / 64, 0), seenAt_(texts.size(), 0) {
  // Each text gets `stride_` pieces in a row as its anchor. Wherever the text stands in a host, one of those
  // pieces starts at a multiple of the stride, so a host is looked up only at every stride-th byte. Pieces
  // of 5 bytes let through a tenth of the hosts that pieces of 4 do (hosts share "site1" but seldom
  // "site19"), when every text is long enough to keep the stride at 4.
  size_t shortest = SIZE_MAX;
  for (const std::string& text : texts) {
    if (!text.empty()) shortest = std::min(shortest, text.size());
  }
  shortText_ = shortest < 4;
  if (!shortText_ && shortest != SIZE_MAX) {
    gram_ = shortest >= 8 ? 5 : 4;
    stride_ = std::min<size_t>(4, shortest - gram_ + 1);
  }
  // How many texts hold each piece: the hashes of every text's pieces, each once per text, sorted. A few
  // thousand entries, where a table by hash would take half a megabyte of fresh memory for every scan.
  std::vector<uint32_t> hashes;
  // The hashes of a text's pieces, in the text's order; false for a text without anchor.
  auto piecesOf = [&](const std::string& text) {
    hashes.clear();
    if (shortText_ || text.empty()) return false;
    for (size_t at = 0; at + gram_ <= text.size(); ++at) hashes.push_back(GramHash(text.data() + at));
    return true;
  };
  std::vector<uint32_t> everyText;
  for (const std::string& text : texts) {
    if (!piecesOf(text)) continue;
    std::sort(hashes.begin(), hashes.end());
    hashes.erase(std::unique(hashes.begin(), hashes.end()), hashes.end());
    everyText.insert(everyText.end(), hashes.begin(), hashes.end());
  }
  SortHashes(everyText, kAnchorBits);
  auto textsPerHash = [&](uint32_t hash) {
    auto [first, last] = std::equal_range(everyText.begin(), everyText.end(), hash);
    return static_cast<uint64_t>(last - first);
  };
  std::vector<uint64_t> counts;
  // The anchor is the run whose pieces the fewest texts share: pieces common to many texts (".com", "www.")
  // are common in hosts too, and would let most hosts through. Of equal runs the last is taken: the end of a
  // text ("...1900.example") tends to be rarer in hosts than its start ("site...").
  for (const std::string& text : texts) {
    if (!piecesOf(text)) continue;
    counts.clear();
    for (uint32_t hash : hashes) counts.push_back(textsPerHash(hash));
    size_t best = 0;
    uint64_t bestShared = UINT64_MAX;
    for (size_t first = 0; first + stride_ <= hashes.size(); ++first) {
      uint64_t shared = 0;
      for (size_t at = first; at < first + stride_; ++at) shared += counts[at];
      if (shared <= bestShared) {
        best = first;
        bestShared = shared;
      }
    }
    for (size_t at = best; at < best + stride_; ++at)
      anchors_[hashes[at] >> 6] |= uint64_t{1} << (hashes[at] & 63);
  }
  // Bytes that occur in no text share class 0, which keeps the table small.
  for (const std::string& text : texts) {
    for (unsigned char byte : text) {
      if (classOf_[byte] == 0) classOf_[byte] = static_cast<uint16_t>(classes_++);
    }
  }
  // The number of states is known before the table is made: in sorted order each text adds the bytes past
  // the start it shares with the one before. So the table is one allocation, filled in place.
  std::vector<std::string_view> sorted;
  for (const std::string& text : texts) {
    if (!text.empty()) sorted.push_back(text);
  }
  std::sort(sorted.begin(), sorted.end());
  size_t states = 1;
  for (size_t i = 0; i < sorted.size(); ++i) {
    size_t shared = 0;
    if (i > 0) {
      std::string_view before = sorted[i - 1];
      while (shared < before.size() && shared < sorted[i].size() && before[shared] == sorted[i][shared])
        ++shared;
    }
    states += sorted[i].size() - shared;
  }
  // Rows are numbered in 31 bits; a table that large would not fit in memory anyway.
  if (states * classes_ >= (size_t{1} << 31)) Raise(kErrOutOfMemory);
  constexpr uint32_t kNone = UINT32_MAX;
  next_.assign(states * classes_, kNone);
  outputs_.reserve(states);
  outputs_.emplace_back();
  for (size_t i = 0; i < texts.size(); ++i) {
    if (texts[i].empty()) continue;
    uint32_t state = 0;
    for (unsigned char byte : texts[i]) {
      uint32_t& slot = next_[state * classes_ + classOf_[byte]];
      if (slot == kNone) {
        slot = static_cast<uint32_t>(outputs_.size());
        outputs_.emplace_back();
      }
      state = slot;
    }
    outputs_[state].push_back(i);
  }
  // Breadth first, every missing transition takes the one of the longest proper suffix that is a state. That
  // suffix is nearer the root, so its row is complete by then, and the table can be completed in place.
  std::vector<uint32_t> fail(states, 0);
  std::vector<uint32_t> queue;
  queue.reserve(states);
  for (size_t c = 0; c < classes_; ++c) {
    uint32_t& target = next_[c];
    if (target == kNone || c == 0) {
      target = 0;
    } else {
      queue.push_back(target);
    }
  }
  for (size_t head = 0; head < queue.size(); ++head) {
    uint32_t state = queue[head];
    const std::vector<size_t>& inherited = outputs_[fail[state]];
    outputs_[state].insert(outputs_[state].end(), inherited.begin(), inherited.end());
    for (size_t c = 0; c < classes_; ++c) {
      uint32_t& target = next_[state * classes_ + c];
      if (target == kNone || c == 0) {
        target = next_[fail[state] * classes_ + c];
      } else {
        fail[target] = next_[fail[state] * classes_ + c];
        queue.push_back(target);
      }
    }
  }
  for (uint32_t& entry : next_) {
    entry = static_cast<uint32_t>((entry * classes_) << 1 | (outputs_[entry].empty() ? 0 : 1));
  }
}

std::vector<size_t> HostMatcher::Contained(std::string_view host) {
  std::vector<size_t> found;
  Contained(host, found);
  return found;
}

void HostMatcher::Walk(std::string_view host, std::vector<size_t>& found) {
  ++hostNumber_;
  uint32_t entry = 0;
  for (unsigned char byte : host) {
    entry = next_[(entry >> 1) + classOf_[byte]];
    if ((entry & 1) == 0) continue;
    for (size_t text : outputs_[(entry >> 1) / classes_]) {
      if (seenAt_[text] == hostNumber_) continue;
      seenAt_[text] = hostNumber_;
      found.push_back(text);
    }
  }
  std::sort(found.begin(), found.end());
}

}  // namespace veltrane
