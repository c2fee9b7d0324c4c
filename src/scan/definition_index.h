// The file definitions indexed by name, so that a process image is matched without walking every definition.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// Answers which pair (definition, extension) a walk of the definitions in list order, each combined with
// every extension in list order, would find first for an upper-case text: the first definition whose
// UPPER(fileEntry + "." + extension) equals the text, and for it the first such extension.
// Definition lists run to millions of entries, so the file entries sit in a hash table (first one in
// list order kept per name) and a text is split at each extension suffix instead.
class DefinitionIndex {
 public:
  struct Match {
    size_t definition;  // 0-based position in the file-entry list
    size_t extension;   // 0-based position in the extension list
  };

  // Keeps a reference to the file entries: the list must outlive the index and stay unchanged.
  DefinitionIndex(const std::vector<std::string>& fileEntries, const std::vector<std::string>& extensions);

  std::optional<Match> Find(std::string_view upperText) const;

 private:
  struct Slot {
    uint32_t hash = 0;
    uint32_t position = 0;  // definition + 1; 0 marks an empty slot
  };

  std::optional<size_t> FindFileEntry(std::string_view upperName) const;
  void Insert(size_t definition, uint32_t hash);

  const std::vector<std::string>& fileEntries_;
  std::vector<std::string> suffixes_;  // "." + UPPER(extension), in list order
  std::vector<Slot> slots_;
  size_t mask_ = 0;
};

}  // namespace veltrane
