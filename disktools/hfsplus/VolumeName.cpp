#include "VolumeName.h"

#include "Normalization.h"
#include "Utf.h"

namespace hfsplus {

StoredName MakeStoredName(const std::string& utf8) {
  const auto codePoints = DecodeUtf8(utf8.empty() ? std::string("untitled") : utf8);
  if (!codePoints) return {{}, "the volume name is not valid UTF-8"};
  std::u16string units = EncodeUtf16(Decompose(*codePoints));
  if (units.size() > kMaxNameUnits)
    return {{},
            "the volume name is too long: stored decomposed it takes " + std::to_string(units.size()) +
                " UTF-16 units, at most " + std::to_string(kMaxNameUnits) + " fit"};
  return {std::move(units), {}};
}

std::string ReadableName(const std::u16string& units) {
  return EncodeUtf8(Compose(DecodeUtf16(units)));
}

}  // namespace hfsplus
