#include "Dictionary.h"

#include "Exceptions.h"

const std::string& Dictionary::Value(const std::string& key) const {
  const auto found = values_.find(key);
  if (found == values_.end()) throw KeyNotFoundException();
  return found->second;
}

void Dictionary::SetValue(const std::string& key, std::string value) {
  const auto [entry, inserted] = values_.try_emplace(key);
  entry->second = std::move(value);
  if (inserted) order_.push_back(&entry->first);
}

const std::string& Dictionary::Key(size_t index) const {
  if (index >= order_.size()) throw OutOfBoundsException();
  return *order_[index];
}
