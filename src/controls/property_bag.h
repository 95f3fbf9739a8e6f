// The named property values a form stores for a control and hands back when
// it creates it again. Keys keep the order they were first written in.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace tessaro {

// A font as stored with a form: face, size in points, and its attributes.
struct FontSpec {
  std::wstring face;
  double points = 9.0;
  int weight = FW_NORMAL;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  BYTE charset = DEFAULT_CHARSET;

  bool bold() const { return weight >= FW_BOLD; }
  bool operator==(const FontSpec&) const = default;
};

using PropertyValue = std::variant<std::int32_t, bool, std::wstring, FontSpec>;

class PropertyBag {
 public:
  PropertyBag() = default;
  PropertyBag(std::initializer_list<std::pair<std::wstring, PropertyValue>> values);

  // Replaces the value of an existing key in place, or appends a new key.
  void Write(const std::wstring& key, PropertyValue value);

  // The stored value, or the default when the key is absent or holds another type.
  template <typename T>
  T Read(const std::wstring& key, T default_value) const {
    for (const auto& [k, v] : entries_) {
      if (k == key) {
        if (const T* value = std::get_if<T>(&v)) return *value;
        break;
      }
    }
    return default_value;
  }

  bool Contains(const std::wstring& key) const;
  const std::vector<std::pair<std::wstring, PropertyValue>>& entries() const { return entries_; }

 private:
  std::vector<std::pair<std::wstring, PropertyValue>> entries_;
};

}  // namespace tessaro
