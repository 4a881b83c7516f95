// The settings in the real registry: values as the game reads them, the
// machine's key when it can be changed, the user's when it cannot.
#include "platform/win32/win32_settings_store.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <string>
#include <vector>

namespace zorbulant {
namespace {

// The tests' own keys, below the machine's and the user's root alike.
const std::string Tests = "Software\\Quillmarsh\\ZorbulantWindowsTests";

struct Win32SettingsStoreTest : ::testing::Test {
  ~Win32SettingsStoreTest() override {
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, Tests.c_str());
    ::RegDeleteTreeA(HKEY_CURRENT_USER, Tests.c_str());
  }
};

// Made when missing; null when that is refused.
HKEY Open(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  return key;
}

void Store(HKEY root, const std::string& path, const char* value, DWORD type,
           const std::vector<uint8_t>& bytes) {
  EXPECT_EQ(::RegSetKeyValueA(root, path.c_str(), value, type, bytes.data(),
                              static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
}

// Lets everyone read the key and nobody change it.
void MakeReadOnly(HKEY root, const std::string& path) {
  const HKEY key = Open(root, path);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorA(
      "D:P(A;;KR;;;WD)", SDDL_REVISION_1, &descriptor, nullptr));
  EXPECT_EQ(::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
  ::LocalFree(descriptor);
  ::RegCloseKey(key);
}

struct Reading {
  int32_t status = 0;
  uint32_t setting = 0xAABBCCDD;  // what the 4-byte setting held before
  uint32_t size = 4;
  bool operator==(const Reading&) const = default;
};

// Reads `value` of `path` as the game does.
Reading Read(SettingsStore& store, const std::string& path, const char* value) {
  Reading reading;
  SettingsStore::Key key = 0;
  reading.status = store.OpenKey(path.c_str(), key);
  if (reading.status != registry::Success) return reading;
  auto* const data = reinterpret_cast<uint8_t*>(&reading.setting);
  reading.status = store.QueryValue(key, value, data, reading.size);
  EXPECT_EQ(store.CloseKey(key), registry::Success);
  return reading;
}

int32_t Write(SettingsStore& store, const std::string& path, const char* value, uint32_t word) {
  SettingsStore::Key key = 0;
  const int32_t created = store.CreateKey(path.c_str(), key);
  if (created != registry::Success) return created;
  const int32_t status =
      store.SetValue(key, value, registry::TypeBinary, reinterpret_cast<uint8_t*>(&word), 4);
  store.CloseKey(key);
  return status;
}

TEST_F(Win32SettingsStoreTest, TheMachinesKeyReadsAndWritesLikeTheRegistrysOwnCalls) {
  const std::string settings = Tests + "\\Zorbulant";
  const HKEY writable = Open(HKEY_LOCAL_MACHINE, settings);
  if (writable == nullptr) GTEST_SKIP() << "this user may not change HKEY_LOCAL_MACHINE";
  ::RegCloseKey(writable);
  Win32SettingsStore store;
  ASSERT_EQ(Write(store, settings, "MaxCount", 0x01020304), registry::Success);
  EXPECT_EQ(Read(store, settings, "MaxCount"), (Reading{registry::Success, 0x01020304, 4}));
  uint32_t stored = 0;
  DWORD storedSize = sizeof stored;
  EXPECT_EQ(::RegGetValueA(HKEY_LOCAL_MACHINE, settings.c_str(), "MaxCount", RRF_RT_REG_BINARY,
                           nullptr, &stored, &storedSize),
            ERROR_SUCCESS);
  EXPECT_EQ(stored, 0x01020304u);

  Store(HKEY_LOCAL_MACHINE, settings, "FrameLimit", REG_DWORD, {9, 0, 0, 0});
  Store(HKEY_LOCAL_MACHINE, settings, "Amplification", REG_BINARY, {1, 2, 3, 4, 5, 6, 7, 8});
  Store(HKEY_LOCAL_MACHINE, settings, "MaxCount", REG_BINARY, {5, 0});
  // The type is not checked: a 4-byte REG_DWORD reads like REG_BINARY.
  EXPECT_EQ(Read(store, settings, "FrameLimit"), (Reading{registry::Success, 9, 4}));
  // More than the room: the size needed is told.
  const Reading tooLarge = Read(store, settings, "Amplification");
  EXPECT_EQ(tooLarge.status, registry::MoreData);
  EXPECT_EQ(tooLarge.size, 8u);
  // Fewer bytes replace only the setting's first ones.
  EXPECT_EQ(Read(store, settings, "MaxCount"), (Reading{registry::Success, 0xAABB0005, 2}));
  EXPECT_EQ(Read(store, settings, "Missing").status, registry::FileNotFound);
  EXPECT_EQ(Read(store, Tests + "\\Missing", "MaxCount").status, registry::FileNotFound);

  SettingsStore::Key key = 0;
  ASSERT_EQ(store.OpenKey(settings.c_str(), key), registry::Success);
  ASSERT_EQ(store.CloseKey(key), registry::Success);
  uint8_t bytes[4] = {};
  uint32_t size = 4;
  EXPECT_EQ(store.SetValue(key, "MaxCount", registry::TypeBinary, bytes, 4),
            registry::InvalidHandle);
  EXPECT_EQ(store.QueryValue(key, "MaxCount", bytes, size), registry::InvalidHandle);
  EXPECT_EQ(store.CloseKey(key), registry::InvalidHandle);
}

// Two keys of the test's own stand in for the machine's and the user's.
TEST_F(Win32SettingsStoreTest, TheUsersKeyHoldsWhatTheMachinesLacksOrRefuses) {
  const HKEY machine = Open(HKEY_CURRENT_USER, Tests + "\\machine");
  const HKEY user = Open(HKEY_CURRENT_USER, Tests + "\\user");
  Win32SettingsStore store(machine, user);
  Store(user, "Zorbulant", "MaxCount", REG_BINARY, {6, 0, 0, 0});
  EXPECT_EQ(Read(store, "Zorbulant", "MaxCount"), (Reading{registry::Success, 6, 4}));
  // A machine key that takes changes gets them, and is read first.
  EXPECT_EQ(Write(store, "Zorbulant", "MaxCount", 3), registry::Success);
  EXPECT_EQ(Read(store, "Zorbulant", "MaxCount"), (Reading{registry::Success, 3, 4}));

  MakeReadOnly(machine, "Zorbulant");
  EXPECT_EQ(Read(store, "Zorbulant", "MaxCount"), (Reading{registry::Success, 6, 4}));
  EXPECT_EQ(Write(store, "Zorbulant", "MaxCount", 7), registry::Success);
  EXPECT_EQ(Read(store, "Zorbulant", "MaxCount"), (Reading{registry::Success, 7, 4}));
  ::RegCloseKey(machine);
  ::RegCloseKey(user);
}

}  // namespace
}  // namespace zorbulant
