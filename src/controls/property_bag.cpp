#include "controls/property_bag.h"

#include <algorithm>

namespace tessaro {

PropertyBag::PropertyBag(std::initializer_list<std::pair<std::wstring, PropertyValue>> values) {
  for (const auto& [key, value] : values) Write(key, value);
}

void PropertyBag::Write(const std::wstring& key, PropertyValue value) {
  for (auto& [k, v] : entries_) {
    if (k == key) {
      v = std::move(value);
      return;
    }
  }
  entries_.emplace_back(key, std::move(value));
}

bool PropertyBag::Contains(const std::wstring& key) const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [&key](const auto& entry) { return entry.first == key; });
}

}  // namespace tessaro
