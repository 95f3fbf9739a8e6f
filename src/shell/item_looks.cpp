#include "shell/item_looks.h"

namespace tessaro::shell {
namespace {

// None can be part of a file name, so the kinds never meet an extension.
constexpr std::wstring_view kFolderKey = L"\\";
constexpr std::wstring_view kSpecialFolderKey = L"\\!";
constexpr wchar_t kTypePrefix = L'<';

std::wstring_view Extension(std::wstring_view file_name) {
  const std::size_t dot = file_name.rfind(L'.');
  return dot == std::wstring_view::npos ? std::wstring_view() : file_name.substr(dot);
}

std::wstring RegistryText(const std::wstring& key) {
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ |
                   RRF_NOEXPAND, nullptr, nullptr, &bytes) != ERROR_SUCCESS ||
      bytes < sizeof(wchar_t)) {
    return {};
  }
  std::wstring text(bytes / sizeof(wchar_t), L'\0');
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                   nullptr, text.data(), &bytes) != ERROR_SUCCESS) {
    return {};
  }
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

bool RegistryKeyExists(const std::wstring& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

}  // namespace

std::wstring LookKey(std::wstring_view file_name, DWORD attributes) {
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::wstring(Extension(file_name));
  return std::wstring(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM) ? kSpecialFolderKey : kFolderKey);
}

bool IsSpecialFolderKey(std::wstring_view key) { return key == kSpecialFolderKey; }

std::wstring LookKeyOfType(std::wstring_view type_name) { return kTypePrefix + std::wstring(type_name); }

NameRule NameRuleFrom(std::wstring_view file_name, std::wstring_view display_name) {
  if (display_name == file_name) return NameRule::kAsListed;
  const std::wstring_view extension = Extension(file_name);
  if (!extension.empty() && display_name == file_name.substr(0, file_name.size() - extension.size())) {
    return NameRule::kWithoutExtension;
  }
  return NameRule::kAskEachItem;
}

std::wstring ApplyNameRule(NameRule rule, std::wstring_view file_name) {
  if (rule == NameRule::kWithoutExtension) file_name.remove_suffix(Extension(file_name).size());
  return std::wstring(file_name);
}

bool ExtensionHasOwnIcons(std::wstring_view extension) {
  if (extension.empty()) return false;
  const std::wstring file_class = RegistryText(std::wstring(extension));
  if (file_class.empty()) return false;
  return RegistryText(file_class + L"\\DefaultIcon").find(L"%1") != std::wstring::npos ||
         RegistryKeyExists(file_class + L"\\shellex\\IconHandler");
}

std::optional<std::uint32_t> LookTable::Find(const std::wstring& key) const {
  const std::lock_guard lock(mutex_);
  const auto found = keys_.find(key);
  if (found == keys_.end()) return std::nullopt;
  return found->second;
}

std::uint32_t LookTable::Add(const std::wstring& key, ItemLook look) {
  const std::lock_guard lock(mutex_);
  const auto [found, added] = keys_.emplace(key, static_cast<std::uint32_t>(looks_.size()));
  if (added) looks_.push_back(std::move(look));
  return found->second;
}

const ItemLook& LookTable::operator[](std::uint32_t index) const {
  const std::lock_guard lock(mutex_);
  return looks_[index];
}

}  // namespace tessaro::shell
