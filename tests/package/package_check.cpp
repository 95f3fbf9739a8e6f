// Checks what the installer and the portable zip leave on a machine. The
// package test script installs, upgrades and uninstalls in a fresh prefix
// and runs one group of these checks after each step; what each group
// expects comes from the environment:
//   TESSARO_PROGRAM  the program file to start and read the version of
//   TESSARO_VERSION  the version the build declares, or the installed one
#include <gtest/gtest.h>

#include <windows.h>
#include <msi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cwctype>
#include <filesystem>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "win32/com_ptr.h"
#include "program_process.h"

namespace {

namespace fs = std::filesystem;
using tessaro::ComPtr;

std::wstring Environment(const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD length = GetEnvironmentVariableW(name, value, 1024);
  return length > 0 && length < 1024 ? value : L"";
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

fs::path KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  fs::path result;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) result = path;
  CoTaskMemFree(path);
  return result;
}

fs::path InstallFolder() { return KnownFolder(FOLDERID_ProgramFiles) / L"Tessaro"; }

// Windows Installer puts a per-machine shortcut in the common Start menu;
// Wine's puts it in the installing user's. Either place counts, once.
std::vector<fs::path> StartMenuShortcuts() {
  std::vector<fs::path> found;
  for (const KNOWNFOLDERID* folder : {&FOLDERID_CommonPrograms, &FOLDERID_Programs}) {
    fs::path link = KnownFolder(*folder) / L"Tessaro.lnk";
    if (fs::exists(link)) found.push_back(link);
  }
  return found;
}

struct KeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using Key = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

std::wstring StringValue(HKEY key, const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD size = sizeof(value);
  if (RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr,
                   value, &size) != ERROR_SUCCESS)
    return L"";
  return value;
}

// One entry of 程序和功能, read where it reads them.
struct UninstallEntry {
  std::wstring product_code;  // the entry's key name
  std::wstring version;
  std::wstring publisher;
  std::wstring uninstall_command;
};

std::vector<UninstallEntry> TessaroEntries() {
  std::vector<UninstallEntry> entries;
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                    KEY_READ | KEY_WOW64_64KEY, &raw) != ERROR_SUCCESS)
    return entries;
  Key uninstall(raw);
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    if (RegEnumKeyExW(uninstall.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    if (RegOpenKeyExW(uninstall.get(), name, 0, KEY_READ | KEY_WOW64_64KEY, &raw) != ERROR_SUCCESS) continue;
    Key entry(raw);
    if (StringValue(entry.get(), L"DisplayName") != L"Tessaro") continue;
    entries.push_back({name, StringValue(entry.get(), L"DisplayVersion"), StringValue(entry.get(), L"Publisher"),
                       StringValue(entry.get(), L"UninstallString")});
  }
  return entries;
}

std::wstring ProductInfo(const std::wstring& product_code, const wchar_t* property) {
  wchar_t value[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  if (MsiGetProductInfoW(product_code.c_str(), property, value, &length) != ERROR_SUCCESS) return L"";
  return value;
}

struct Shortcut {
  std::wstring target;
  std::wstring description;
};

Shortcut ReadShortcut(const fs::path& file) {
  Shortcut shortcut;
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void())))
    return shortcut;
  ComPtr<IPersistFile> persist = link.As<IPersistFile>(IID_IPersistFile);
  if (!persist || FAILED(persist->Load(file.c_str(), STGM_READ))) return shortcut;
  wchar_t text[MAX_PATH] = {};
  if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, 0))) shortcut.target = text;
  if (SUCCEEDED(link->GetDescription(text, MAX_PATH))) shortcut.description = text;
  return shortcut;
}

TEST(Installed, ProgramShortcutAndOneUninstallEntry) {
  const std::wstring version = Environment(L"TESSARO_VERSION");
  ASSERT_FALSE(version.empty()) << "TESSARO_VERSION is not set";

  // The program and nothing else: the document work is Word's.
  std::vector<std::wstring> files;
  for (const auto& item : fs::directory_iterator(InstallFolder())) files.push_back(item.path().filename());
  EXPECT_EQ(files, std::vector<std::wstring>{L"Tessaro.exe"});

  const std::vector<fs::path> shortcuts = StartMenuShortcuts();
  ASSERT_EQ(shortcuts.size(), 1u);
  const Shortcut shortcut = ReadShortcut(shortcuts[0]);
  EXPECT_EQ(Lower(shortcut.target), Lower(InstallFolder() / L"Tessaro.exe"));
  EXPECT_EQ(shortcut.description, L"将多个Word文档合并为一个,或将一个Word文档按页分割");

  // An upgrade must replace the older entry, not sit beside it.
  const std::vector<UninstallEntry> entries = TessaroEntries();
  ASSERT_EQ(entries.size(), 1u);
  const UninstallEntry& entry = entries[0];
  EXPECT_EQ(entry.version, version);
  EXPECT_EQ(entry.publisher, L"Tessaro");
  EXPECT_NE(Lower(entry.uninstall_command).find(Lower(L"msiexec.exe /x" + entry.product_code)), std::wstring::npos)
      << "uninstall command: " << entry.uninstall_command;
  // 程序和功能 draws an installer's product with the icon registered for it.
  const std::wstring icon = ProductInfo(entry.product_code, INSTALLPROPERTY_PRODUCTICON);
  EXPECT_TRUE(!icon.empty() && fs::exists(icon)) << "product icon: " << icon;
}

// What 程序和功能 runs, made silent as deployment tools do; afterwards
// nothing of the program may be left.
TEST(Uninstall, TheEntrysCommandRemovesEverything) {
  const std::vector<UninstallEntry> entries = TessaroEntries();
  ASSERT_EQ(entries.size(), 1u);
  const std::wstring icon = ProductInfo(entries[0].product_code, INSTALLPROPERTY_PRODUCTICON);

  std::wstring command = entries[0].uninstall_command + L" /qn";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process));
  const bool ended = WaitForSingleObject(process.hProcess, 180000) == WAIT_OBJECT_0;
  DWORD code = 99;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  ASSERT_TRUE(ended) << "the uninstall did not end";
  EXPECT_EQ(code, 0u);

  EXPECT_FALSE(fs::exists(InstallFolder()));
  EXPECT_TRUE(StartMenuShortcuts().empty());
  EXPECT_TRUE(TessaroEntries().empty());
  EXPECT_FALSE(!icon.empty() && fs::exists(icon)) << "left behind: " << icon;
}

class PackagedProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = Environment(L"TESSARO_PROGRAM");
    ASSERT_FALSE(program_.empty()) << "TESSARO_PROGRAM is not set";
  }
  std::wstring program_;
};

TEST_F(PackagedProgram, StartsShowsItsMainWindowAndEnds) {
  tessaro::testing::ProgramProcess process(program_);
  ASSERT_TRUE(process.started()) << "cannot start " << program_;
  HWND main = process.WaitForWindow(L"Tessaro", 60000);
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_CLOSE, 0, 0);
  DWORD code = 99;
  ASSERT_TRUE(process.WaitForExit(30000, &code));
  EXPECT_EQ(code, 0u);
}

std::wstring VersionString(const std::vector<BYTE>& block, const wchar_t* name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
  if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) return L"";
  return static_cast<const wchar_t*>(value);
}

TEST_F(PackagedProgram, VersionResourceHoldsTheBuildsVersion) {
  const std::wstring version = Environment(L"TESSARO_VERSION");
  ASSERT_FALSE(version.empty()) << "TESSARO_VERSION is not set";
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(program_.c_str(), &ignored);
  ASSERT_GT(size, 0u) << "no version resource in " << program_;
  std::vector<BYTE> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(program_.c_str(), 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  const std::wstring numbers = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                               std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                               std::to_wstring(HIWORD(fixed->dwFileVersionLS));
  EXPECT_EQ(numbers, version);
  EXPECT_EQ(LOWORD(fixed->dwFileVersionLS), 0);
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);

  EXPECT_EQ(VersionString(block, L"FileVersion"), version);
  EXPECT_EQ(VersionString(block, L"ProductVersion"), version);
  EXPECT_EQ(VersionString(block, L"ProductName"), L"Tessaro");
  // Read back as UTF-16: a resource script compiled in the wrong code page
  // shows here as mangled Chinese.
  EXPECT_EQ(VersionString(block, L"FileDescription"), L"Tessaro 文档合并与分割");
  EXPECT_FALSE(VersionString(block, L"CompanyName").empty());
  EXPECT_NE(VersionString(block, L"LegalCopyright").find(L"Tessaro"), std::wstring::npos);
}

}  // namespace
