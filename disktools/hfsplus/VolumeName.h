#pragma once
// Volume names: from the UTF-8 a user types to the form HFS+ stores, and back.

#include <cstddef>
#include <string>

namespace hfsplus {

// A catalog key holds at most this many UTF-16 units of a name.
constexpr std::size_t kMaxNameUnits = 255;

struct StoredName {
  std::u16string units;  // decomposed UTF-16, as the catalog holds it
  std::string error;     // why the name can't be stored; empty when it can
};

// An empty name gives "untitled". Refused: text that is not UTF-8, and names
// longer than kMaxNameUnits once decomposed.
StoredName MakeStoredName(const std::string& utf8);

// The stored name as UTF-8 in composed form, the way it was typed.
std::string ReadableName(const std::u16string& units);

}  // namespace hfsplus
