// The definition index answers as the walk over definitions and extensions in list order would.
#include "scan/definition_index.h"

#include <gtest/gtest.h>

#include <random>

#include "base/text.h"

namespace veltrane {
namespace {

// The walk the index replaces: every definition in order, each with every extension in order.
std::optional<DefinitionIndex::Match> Walk(const std::vector<std::string>& fileSpecs,
                                           const std::vector<std::string>& extensions,
                                           const std::string& text) {
  for (size_t i = 0; i < fileSpecs.size(); ++i) {
    for (size_t j = 0; j < extensions.size(); ++j) {
      if (Upper(fileSpecs[i] + "." + extensions[j]) == text) return DefinitionIndex::Match{i, j};
    }
  }
  return std::nullopt;
}

TEST(DefinitionIndexTest, AgreesWithTheListOrderWalkOnCrowdedNames) {
  // Few letters, dots and mixed case make many names collide across definitions and extensions.
  std::mt19937 random(7);
  auto name = [&](size_t length) {
    static const std::string kLetters = "aAbB.";
    std::string text;
    for (size_t i = 0; i < length; ++i) text += kLetters[random() % kLetters.size()];
    return text;
  };
  std::vector<std::string> extensions{"b", "a.b", "B", "", "ab"};
  std::vector<std::string> fileSpecs;
  for (int i = 0; i < 300; ++i) fileSpecs.push_back(name(1 + random() % 4));
  DefinitionIndex index(fileSpecs, extensions);
  for (int k = 0; k < 1000; ++k) {
    std::string text = Upper(name(1 + random() % 7));
    auto expected = Walk(fileSpecs, extensions, text);
    auto found = index.Find(text);
    ASSERT_EQ(found.has_value(), expected.has_value()) << text;
    if (expected) {
      EXPECT_EQ(found->definition, expected->definition) << text;
      EXPECT_EQ(found->extension, expected->extension) << text;
    }
  }
}

TEST(DefinitionIndexTest, EmptyListsFindNothing) {
  std::vector<std::string> none;
  EXPECT_FALSE(DefinitionIndex(none, {"exe"}).Find("A.EXE"));
  std::vector<std::string> fileSpecs{"a"};
  EXPECT_FALSE(DefinitionIndex(fileSpecs, {}).Find("A.EXE"));
}

}  // namespace
}  // namespace veltrane
