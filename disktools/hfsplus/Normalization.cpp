#include "Normalization.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "UnicodeTables.h"

namespace hfsplus {

namespace {

// Hangul syllables are built by rule from leading, vowel and trailing jamo.
constexpr char32_t kSyllableBase = 0xAC00, kLeadBase = 0x1100, kVowelBase = 0x1161, kTrailBase = 0x11A7;
constexpr char32_t kVowelCount = 21, kTrailCount = 28, kSyllableCount = 19 * 21 * 28;

const Decomposition* FindDecomposition(char32_t c) {
  const Decomposition* end = kDecompositions + kDecompositionCount;
  const Decomposition* found =
      std::lower_bound(kDecompositions, end, c, [](const Decomposition& d, char32_t code) { return d.code < code; });
  return found != end && found->code == c ? found : nullptr;
}

int CombiningClass(char32_t c) {
  const CombiningClassRange* end = kCombiningClasses + kCombiningClassCount;
  const CombiningClassRange* found = std::upper_bound(
      kCombiningClasses, end, c, [](char32_t code, const CombiningClassRange& r) { return code < r.first; });
  if (found == kCombiningClasses) return 0;
  --found;
  return c <= found->last ? found->combiningClass : 0;
}

void DecomposeOne(char32_t c, std::u32string& out) {
  if (c >= kSyllableBase && c < kSyllableBase + kSyllableCount) {
    const char32_t index = c - kSyllableBase;
    out += kLeadBase + index / (kVowelCount * kTrailCount);
    out += kVowelBase + (index % (kVowelCount * kTrailCount)) / kTrailCount;
    if (index % kTrailCount != 0) out += kTrailBase + index % kTrailCount;
    return;
  }
  const Decomposition* d = FindDecomposition(c);
  if (!d) {
    out += c;
    return;
  }
  DecomposeOne(d->first, out);
  if (d->second) DecomposeOne(d->second, out);
}

// Marks that follow one base letter are put in order of their class; marks
// of one class keep their order.
void PutInCanonicalOrder(std::u32string& text) {
  for (size_t i = 0; i < text.size();) {
    if (CombiningClass(text[i]) == 0) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < text.size() && CombiningClass(text[end]) != 0) ++end;
    std::stable_sort(text.begin() + static_cast<std::ptrdiff_t>(i), text.begin() + static_cast<std::ptrdiff_t>(end),
                     [](char32_t a, char32_t b) { return CombiningClass(a) < CombiningClass(b); });
    i = end;
  }
}

char32_t ComposePair(char32_t first, char32_t second) {
  if (first >= kLeadBase && first < kLeadBase + 19 && second >= kVowelBase && second < kVowelBase + kVowelCount)
    return kSyllableBase + ((first - kLeadBase) * kVowelCount + (second - kVowelBase)) * kTrailCount;
  if (first >= kSyllableBase && first < kSyllableBase + kSyllableCount && (first - kSyllableBase) % kTrailCount == 0 &&
      second > kTrailBase && second < kTrailBase + kTrailCount)
    return first + (second - kTrailBase);
  static const auto* pairs = [] {
    auto* map = new std::unordered_map<std::uint32_t, char32_t>;
    for (size_t i = 0; i < kDecompositionCount; ++i) {
      const Decomposition& d = kDecompositions[i];
      if (d.composes) (*map)[(std::uint32_t{d.first} << 16) | d.second] = d.code;
    }
    return map;
  }();
  if (first > 0xFFFF || second > 0xFFFF) return 0;
  const auto found = pairs->find((static_cast<std::uint32_t>(first) << 16) | static_cast<std::uint32_t>(second));
  return found == pairs->end() ? 0 : found->second;
}

}  // namespace

std::u32string Decompose(std::u32string_view text) {
  std::u32string out;
  for (char32_t c : text) DecomposeOne(c, out);
  PutInCanonicalOrder(out);
  return out;
}

std::u32string Compose(std::u32string_view text) {
  std::u32string out;
  size_t starter = std::u32string::npos;  // index in out of the last base letter
  int lastClass = -1;                     // class of the last mark after it; -1 for none
  for (char32_t c : text) {
    const int cls = CombiningClass(c);
    if (starter != std::u32string::npos) {
      // A character joins the base unless a mark of the same or a higher
      // class stands between them (a base letter would have become the base).
      const bool blocked = lastClass != -1 && lastClass >= cls;
      if (!blocked) {
        if (const char32_t joined = ComposePair(out[starter], c)) {
          out[starter] = joined;
          continue;
        }
      }
    }
    if (cls == 0) {
      starter = out.size();
      lastClass = -1;
    } else {
      lastClass = cls;
    }
    out += c;
  }
  return out;
}

}  // namespace hfsplus
