#pragma once
// The Unicode data that HFS+ names need: canonical decompositions and
// combining classes of the Basic Multilingual Plane. Generated; see
// scripts/gen-hfs-unicode-tables.py.

#include <cstddef>
#include <cstdint>

namespace hfsplus {

// One step of a canonical decomposition: code becomes first, then second
// (0 when code maps to first alone). composes: first and second join back
// into code when a name is composed again.
struct Decomposition {
  std::uint16_t code;
  std::uint16_t first;
  std::uint16_t second;
  bool composes;
};

struct CombiningClassRange {
  std::uint16_t first;
  std::uint16_t last;
  std::uint8_t combiningClass;
};

// Both sorted by code.
extern const Decomposition kDecompositions[];
extern const std::size_t kDecompositionCount;
extern const CombiningClassRange kCombiningClasses[];
extern const std::size_t kCombiningClassCount;

}  // namespace hfsplus
