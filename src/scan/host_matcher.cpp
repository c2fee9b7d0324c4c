// The automaton: a trie of the texts, completed breadth first into a table of transitions.
#include "scan/host_matcher.h"

#include <algorithm>
#include <deque>

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
  next_ = trie;
  std::vector<size_t> fail(outputs_.size(), 0);
  std::deque<size_t> queue;
  for (size_t c = 0; c < classes_; ++c) {
    size_t& target = next_[c];
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
      size_t& target = next_[state * classes_ + c];
      if (target == kNone || c == 0) {
        target = next_[fail[state] * classes_ + c];
      } else {
        fail[target] = next_[fail[state] * classes_ + c];
        queue.push_back(target);
      }
    }
  }
}

std::vector<size_t> HostMatcher::Contained(std::string_view host) {
  ++hostNumber_;
  std::vector<size_t> found;
  size_t state = 0;
  for (unsigned char byte : host) {
    state = Next(state, byte);
    for (size_t text : outputs_[state]) {
      if (seenAt_[text] == hostNumber_) continue;
      seenAt_[text] = hostNumber_;
      found.push_back(text);
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace veltrane
