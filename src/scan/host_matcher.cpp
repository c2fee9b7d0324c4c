// The automaton: a trie of the texts, completed breadth first into a table of transitions.
#include "scan/host_matcher.h"

#include <algorithm>
#include <deque>

#include "base/errors.h"

namespace veltrane {

HostMatcher::HostMatcher(const std::vector<std::string>& texts) : seenAt_(texts.size(), 0) {
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
  ++hostNumber_;
  std::vector<size_t> found;
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
  return found;
}

}  // namespace veltrane
