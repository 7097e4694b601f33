// Arbitrary bytes, and known names followed by arbitrary value bytes (so that every kind of value is read cut
// short), decoded with every class's table: the decoder throws its own exception or reads a list that encodes
// back to the very same bytes.

#include <cstdlib>

#include "Label.h"
#include "PropertyList.h"
#include "PushButton.h"
#include "TextField.h"
#include "Window.h"

namespace {

struct Writer {
  PropertyList& list;
  const std::string& name;
  void operator()(int32_t value) { list.Integer(name, value); }
  void operator()(bool value) { list.Boolean(name, value); }
  void operator()(Color value) { list.Colour(name, value); }
  void operator()(const std::string& value) { list.String(name, value); }
};

void Check(const PropertyTable& table, std::string_view list) {
  try {
    PropertyList back;
    for (const PropertyRecord& r : table.Decode(list)) std::visit(Writer{back, r.name}, r.value);
    if (back.Bytes() != list) std::abort();
  } catch (const PropertyListException&) {
  }
}

// Each input byte picks a known name, the next one how many following bytes are its value.
std::string KnownNames(const std::vector<std::string>& names, std::string_view input) {
  std::string list;
  for (size_t at = 0; at + 1 < input.size();) {
    const size_t take = std::min<size_t>(static_cast<uint8_t>(input[at + 1]) % 12, input.size() - at - 2);
    list += names[static_cast<uint8_t>(input[at]) % names.size()] + ' ' + std::string(input.substr(at + 2, take));
    at += 2 + take;
  }
  return list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  for (const PropertyTable* table : {&Window::Table(), &Label::Table(), &TextField::Table(), &PushButton::Table()}) {
    Check(*table, input);
    Check(*table, KnownNames(table->Names(), input));
  }
  return 0;
}
