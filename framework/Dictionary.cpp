#include "Dictionary.h"

#include <functional>

#include "Exceptions.h"

uint32_t Dictionary::Hash(std::string_view key) {
  const size_t hash = std::hash<std::string_view>{}(key);
  return static_cast<uint32_t>(hash ^ (hash >> 32));
}

std::string_view Dictionary::KeyOf(const Entry& entry) const {
  return std::string_view(text_).substr(entry.at, entry.keyLength);
}

int64_t Dictionary::Find(std::string_view key, uint32_t hash) const {
  if (slots_.empty()) return -1;
  const uint32_t mask = static_cast<uint32_t>(slots_.size() - 1);
  const uint32_t tag = hash >> slotBits_;
  for (uint32_t at = hash & mask;; at = (at + 1) & mask) {
    const uint32_t slot = slots_[at];
    if (slot == 0) return -1;
    if (slot >> slotBits_ != tag) continue;
    const size_t entry = (slot & mask) - 1;
    if (entries_[entry].hash == hash && KeyOf(entries_[entry]) == key) return static_cast<int64_t>(entry);
  }
}

void Dictionary::Place(uint32_t hash, size_t entry) {
  const uint32_t mask = static_cast<uint32_t>(slots_.size() - 1);
  uint32_t at = hash & mask;
  while (slots_[at] != 0) at = (at + 1) & mask;
  slots_[at] = (hash >> slotBits_ << slotBits_) | static_cast<uint32_t>(entry + 1);
}

void Dictionary::Grow() {
  if (slotBits_ >= kMostSlotBits) throw OutOfBoundsException();
  slotBits_ = slotBits_ == 0 ? 4 : slotBits_ + 1;
  slots_.assign(size_t{1} << slotBits_, 0);
  for (size_t entry = 0; entry < entries_.size(); ++entry) Place(entries_[entry].hash, entry);
}

void Dictionary::Compact() {
  std::string text;
  text.reserve(text_.size() - unused_);
  for (Entry& entry : entries_) {
    const uint64_t at = text.size();
    text.append(text_, entry.at, entry.keyLength + entry.valueLength);
    entry.at = at;
  }
  text_ = std::move(text);
  unused_ = 0;
}

void Dictionary::SetValue(const std::string& key, const std::string& value) {
  Settle();
  if (key.size() > UINT32_MAX || value.size() > UINT32_MAX) throw OutOfBoundsException();
  const uint32_t hash = Hash(key);
  if (!slots_.empty()) __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
  pendingEntry_ = Entry{text_.size(), static_cast<uint32_t>(key.size()), static_cast<uint32_t>(value.size()), hash};
  text_ += key;
  text_ += value;
  pending_ = true;
}

void Dictionary::Settle() const {
  if (!pending_) return;
  pending_ = false;
  // Only SetValue makes an entry pending, so this dictionary is not const.
  const_cast<Dictionary*>(this)->Store(pendingEntry_);
}

void Dictionary::Store(const Entry& added) {
  const int64_t found = Find(KeyOf(added), added.hash);
  if (found >= 0) {
    Entry& entry = entries_[found];
    unused_ += entry.keyLength + entry.valueLength;
    entry.at = added.at;
    entry.valueLength = added.valueLength;
    if (unused_ > text_.size() / 2) Compact();
    return;
  }
  if ((entries_.size() + 1) * 2 > slots_.size()) Grow();
  entries_.push_back(added);
  Place(added.hash, entries_.size() - 1);
}

bool Dictionary::HasKey(const std::string& key) const {
  Settle();
  return Find(key, Hash(key)) >= 0;
}

size_t Dictionary::Count() const {
  Settle();
  return entries_.size();
}

std::string Dictionary::Value(const std::string& key) const {
  Settle();
  int64_t found = -1;
  if (listed_ < entries_.size() && KeyOf(entries_[listed_]) == key)
    found = static_cast<int64_t>(listed_);
  else
    found = Find(key, Hash(key));
  if (found < 0) throw KeyNotFoundException();
  const Entry& entry = entries_[found];
  return text_.substr(entry.at + entry.keyLength, entry.valueLength);
}

std::string Dictionary::Key(size_t index) const {
  Settle();
  if (index >= entries_.size()) throw OutOfBoundsException();
  listed_ = index;
  return std::string(KeyOf(entries_[index]));
}
