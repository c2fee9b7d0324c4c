// The automaton: a trie of the texts, completed breadth first into a table of transitions.
#include "scan/host_matcher.h"

#include <algorithm>
#include <deque>

#include "base/errors.h"

namespace veltrane {

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
  std::vector<uint16_t> textsPerHash(size_t{1} << kAnchorBits, 0);
  std::vector<uint32_t> hashes;
  for (const std::string& text : texts) {
    if (shortText_) break;
    if (text.empty()) continue;
    hashes.clear();
    for (size_t at = 0; at + gram_ <= text.size(); ++at) hashes.push_back(GramHash(text.data() + at));
    std::sort(hashes.begin(), hashes.end());
    hashes.erase(std::unique(hashes.begin(), hashes.end()), hashes.end());
    for (uint32_t hash : hashes) {
      if (textsPerHash[hash] < UINT16_MAX) ++textsPerHash[hash];
    }
  }
  // The anchor is the run whose pieces the fewest texts share: pieces common to many texts (".com", "www.")
  // are common in hosts too, and would let most hosts through. Of equal runs the last is taken: the end of a
  // text ("...1900.example") tends to be rarer in hosts than its start ("site...").
  for (const std::string& text : texts) {
    if (shortText_) break;
    if (text.empty()) continue;
    hashes.clear();
    for (size_t at = 0; at + gram_ <= text.size(); ++at) hashes.push_back(GramHash(text.data() + at));
    size_t best = 0;
    uint64_t bestShared = UINT64_MAX;
    for (size_t first = 0; first + stride_ <= hashes.size(); ++first) {
      uint64_t shared = 0;
      for (size_t at = first; at < first + stride_; ++at) shared += textsPerHash[hashes[at]];
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
  constexpr size_t kNone = static_cast<size_t>(-1);
  std::vector<size_t> trie(classes_, kNone);
  outputs_.emplace_back();
  for (size_t i = 0; i < texts.size(); ++i) {
    if (texts[i].empty()) continue;
    size_t state = 0;
    for (unsigned char byte : texts[i]) {
      size_t slot = state * classes_ + classOf_[byte];
      if (trie[slot] == kNone) {
        trie[slot] = outputs_.size();
        outputs_.emplace_back();
        trie.resize(trie.size() + classes_, kNone);
      }
      state = trie[slot];
    }
    outputs_[state].push_back(i);
  }
  // Breadth first, every missing transition takes the one of the longest proper suffix that is a state.
  std::vector<size_t> table = trie;
  std::vector<size_t> fail(outputs_.size(), 0);
  std::deque<size_t> queue;
  for (size_t c = 0; c < classes_; ++c) {
    size_t& target = table[c];
    if (target == kNone || c == 0) {
      target = 0;
    } else {
      queue.push_back(target);
    }
  }
  while (!queue.empty()) {
    size_t state = queue.front();
    queue.pop_front();
    const std::vector<size_t>& inherited = outputs_[fail[state]];
    outputs_[state].insert(outputs_[state].end(), inherited.begin(), inherited.end());
    for (size_t c = 0; c < classes_; ++c) {
      size_t& target = table[state * classes_ + c];
      if (target == kNone || c == 0) {
        target = table[fail[state] * classes_ + c];
      } else {
        fail[target] = table[fail[state] * classes_ + c];
        queue.push_back(target);
      }
    }
  }
  // Rows are numbered in 31 bits; a table that large would not fit in memory anyway.
  if (table.size() >= (size_t{1} << 31)) Raise(kErrOutOfMemory);
  next_.resize(table.size());
  for (size_t slot = 0; slot < table.size(); ++slot) {
    size_t state = table[slot];
    next_[slot] = static_cast<uint32_t>((state * classes_) << 1 | (outputs_[state].empty() ? 0 : 1));
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
