// Open-addressing table of file entries compared without regard to letter case.
#include "scan/definition_index.h"

#include "base/text.h"

namespace veltrane {
namespace {

char UpperChar(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// FNV-1a over the upper-case form, so that a file entry and its upper-case spelling meet.
uint32_t FoldedHash(std::string_view text) {
  uint32_t hash = 2166136261u;
  for (char c : text) {
    hash ^= static_cast<unsigned char>(UpperChar(c));
    hash *= 16777619u;
  }
  return hash;
}

}  // namespace

DefinitionIndex::DefinitionIndex(const std::vector<std::string>& fileEntries,
                                 const std::vector<std::string>& extensions)
    : fileEntries_(fileEntries) {
  suffixes_.reserve(extensions.size());
  for (const auto& extension : extensions) suffixes_.push_back("." + Upper(extension));
  size_t capacity = 16;
  while (capacity < fileEntries.size() * 2) capacity *= 2;
  slots_.resize(capacity);
  mask_ = capacity - 1;
  // Hashing first and touching each slot a few insertions ahead keeps the random writes into a table of
  // millions of slots from waiting on memory one at a time.
  std::vector<uint32_t> hashes(fileEntries.size());
  for (size_t i = 0; i < fileEntries.size(); ++i) hashes[i] = FoldedHash(fileEntries[i]);
  constexpr size_t kAhead = 8;
  for (size_t i = 0; i < fileEntries.size(); ++i) {
    if (i + kAhead < hashes.size()) __builtin_prefetch(&slots_[hashes[i + kAhead] & mask_]);
    Insert(i, hashes[i]);
  }
}

void DefinitionIndex::Insert(size_t definition, uint32_t hash) {
  std::string_view name = fileEntries_[definition];
  for (size_t at = hash & mask_;; at = (at + 1) & mask_) {
    Slot& slot = slots_[at];
    if (slot.position == 0) {
      slot = {hash, static_cast<uint32_t>(definition + 1)};
      return;
    }
    // A later definition with the same name is never the first in list order.
    if (slot.hash == hash && EqualsIgnoreCase(fileEntries_[slot.position - 1], name)) return;
  }
}

std::optional<size_t> DefinitionIndex::FindFileEntry(std::string_view upperName) const {
  uint32_t hash = FoldedHash(upperName);
  for (size_t at = hash & mask_;; at = (at + 1) & mask_) {
    const Slot& slot = slots_[at];
    if (slot.position == 0) return std::nullopt;
    // The text is upper case already, so a case-blind comparison equals comparing the upper-case name.
    if (slot.hash == hash && EqualsIgnoreCase(fileEntries_[slot.position - 1], upperName)) {
      return slot.position - 1;
    }
  }
}

std::optional<DefinitionIndex::Match> DefinitionIndex::Find(std::string_view upperText) const {
  std::optional<Match> best;
  for (size_t j = 0; j < suffixes_.size(); ++j) {
    const std::string& suffix = suffixes_[j];
    if (upperText.size() < suffix.size() || upperText.substr(upperText.size() - suffix.size()) != suffix)
      continue;
    auto definition = FindFileEntry(upperText.substr(0, upperText.size() - suffix.size()));
    // The walk visits definitions first and extensions second: a lower definition wins, and for the same
    // definition the earlier extension (already held) stays.
    if (definition && (!best || *definition < best->definition)) best = Match{*definition, j};
  }
  return best;
}

}  // namespace veltrane
