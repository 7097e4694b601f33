// Feeds arbitrary bytes to the layout property list decoder with the tables
// of every window and control class. The decoder must either throw its own
// exception or read the whole list, and what it reads must encode back to the
// very same bytes. A second pass builds lists of known names followed by
// arbitrary value bytes, so that every kind of value is read cut short.

#include <cstdlib>

#include "Label.h"
#include "PropertyList.h"
#include "PushButton.h"
#include "TextField.h"
#include "Window.h"

namespace {

// Writes one record back with the builder the program's lists are made with.
struct Writer {
  PropertyList& list;
  const std::string& name;
  void operator()(int32_t value) { list.Integer(name, value); }
  void operator()(bool value) { list.Boolean(name, value); }
  void operator()(Color value) { list.Colour(name, value); }
  void operator()(const std::string& value) { list.String(name, value); }
};

std::string Encode(const std::vector<PropertyRecord>& records) {
  PropertyList list;
  for (const PropertyRecord& r : records) std::visit(Writer{list, r.name}, r.value);
  return list.Bytes();
}

void Check(const PropertyTable& table, std::string_view list) {
  try {
    if (Encode(table.Decode(list)) != list) std::abort();
  } catch (const PropertyListException&) {
  }
}

// Each input byte picks a known name, the next byte how many of the
// following bytes stand as its value.
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
