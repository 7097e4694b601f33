#include "RamUrl.h"

#include <charconv>

std::optional<std::uint64_t> ParseRamUrl(std::string_view url) {
  constexpr std::string_view kScheme = "ram://";
  if (url.substr(0, kScheme.size()) != kScheme) return std::nullopt;
  const std::string_view digits = url.substr(kScheme.size());
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  std::uint64_t sectors = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), sectors);
  if (error != std::errc() || end != digits.data() + digits.size() || sectors == 0 || sectors > UINT32_MAX)
    return std::nullopt;
  return sectors;
}
