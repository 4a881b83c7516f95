// The settings in the real registry: values as the game reads them, the
// machine's key when it can be changed, the user's when it cannot.
#include "platform/win32/win32_settings_store.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <string>
#include <vector>

namespace zorbulant {
namespace {

using Bytes = std::vector<uint8_t>;

// A key of the test's own below `root`, deleted with everything in it after
// the test.
class TestKey {
 public:
  TestKey(HKEY root, const std::string& below)
      : root_(root),
        parent_(below + "\\ZorbulantWindowsTests"),
        path_(parent_ + "\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name()) {}
  ~TestKey() {
    ::RegDeleteTreeA(root_, path_.c_str());
    ::RegDeleteKeyA(root_, parent_.c_str());  // only once empty
  }

  std::string Below(const std::string& name) const { return path_ + "\\" + name; }

  void Store(const std::string& name, const char* value, DWORD type, const Bytes& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(root_, Below(name).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(::RegSetValueExA(key, value, 0, type, bytes.data(), static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    ::RegCloseKey(key);
  }

  // Lets everyone read `name` and nobody change it.
  void MakeReadOnly(const std::string& name) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(root_, Below(name).c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorA(
        "D:P(A;;KR;;;WD)", SDDL_REVISION_1, &descriptor, nullptr));
    EXPECT_EQ(::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
    ::LocalFree(descriptor);
    ::RegCloseKey(key);
  }

  HKEY Open(const std::string& name) {
    HKEY key = nullptr;
    ::RegCreateKeyExA(root_, Below(name).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr);
    return key;
  }

 private:
  HKEY root_;
  std::string parent_;
  std::string path_;
};

// Reads `value` of `subKey` as the game does, into a 4-byte setting that
// holds 0xAABBCCDD before.
int32_t Read(SettingsStore& store, const std::string& subKey, const char* value, uint32_t& setting,
             uint32_t& size) {
  SettingsStore::Key key = 0;
  setting = 0xAABBCCDD;
  size = 4;
  const int32_t opened = store.OpenKey(subKey.c_str(), key);
  if (opened != registry::Success) return opened;
  const int32_t status = store.QueryValue(key, value, reinterpret_cast<uint8_t*>(&setting), size);
  EXPECT_EQ(store.CloseKey(key), registry::Success);
  return status;
}

int32_t Write(SettingsStore& store, const std::string& subKey, const char* value, uint32_t word) {
  SettingsStore::Key key = 0;
  const int32_t created = store.CreateKey(subKey.c_str(), key);
  if (created != registry::Success) return created;
  const int32_t status =
      store.SetValue(key, value, registry::TypeBinary, reinterpret_cast<uint8_t*>(&word), 4);
  store.CloseKey(key);
  return status;
}

TEST(Win32SettingsStore, TheMachinesKeyHoldsWhatIsWrittenAsTheGameStoresIt) {
  TestKey machine(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quillmarsh");
  Win32SettingsStore store;
  ASSERT_EQ(Write(store, machine.Below("Zorbulant"), "MaxCount", 0x01020304), registry::Success);
  uint32_t setting = 0;
  uint32_t size = 0;
  EXPECT_EQ(Read(store, machine.Below("Zorbulant"), "MaxCount", setting, size), registry::Success);
  EXPECT_EQ(setting, 0x01020304u);
  EXPECT_EQ(size, 4u);

  HKEY raw = machine.Open("Zorbulant");
  if (raw == nullptr) GTEST_SKIP() << "this user may not change HKEY_LOCAL_MACHINE";
  DWORD type = 0;
  Bytes stored(8);
  DWORD storedSize = 8;
  EXPECT_EQ(::RegQueryValueExA(raw, "MaxCount", nullptr, &type, stored.data(), &storedSize),
            ERROR_SUCCESS);
  ::RegCloseKey(raw);
  EXPECT_EQ(type, DWORD{REG_BINARY});
  stored.resize(storedSize);
  EXPECT_EQ(stored, (Bytes{4, 3, 2, 1}));
}

TEST(Win32SettingsStore, ValuesReadLikeTheRegistrysOwnQuery) {
  TestKey machine(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quillmarsh");
  machine.Store("Zorbulant", "FrameLimit", REG_DWORD, {9, 0, 0, 0});
  machine.Store("Zorbulant", "Amplification", REG_BINARY, {1, 2, 3, 4, 5, 6, 7, 8});
  machine.Store("Zorbulant", "MaxCount", REG_BINARY, {5, 0});
  Win32SettingsStore store;
  const std::string settings = machine.Below("Zorbulant");
  uint32_t setting = 0;
  uint32_t size = 0;
  // The type is not checked: a 4-byte REG_DWORD reads like REG_BINARY.
  EXPECT_EQ(Read(store, settings, "FrameLimit", setting, size), registry::Success);
  EXPECT_EQ(setting, 9u);
  // More than the room: nothing read, the size needed told.
  EXPECT_EQ(Read(store, settings, "Amplification", setting, size), registry::MoreData);
  EXPECT_EQ(size, 8u);
  // Fewer bytes replace only the setting's first ones.
  EXPECT_EQ(Read(store, settings, "MaxCount", setting, size), registry::Success);
  EXPECT_EQ(size, 2u);
  EXPECT_EQ(setting, 0xAABB0005u);
  EXPECT_EQ(Read(store, settings, "Missing", setting, size), registry::FileNotFound);
  EXPECT_EQ(Read(store, machine.Below("Missing"), "MaxCount", setting, size),
            registry::FileNotFound);
}

TEST(Win32SettingsStore, AClosedKeyIsRefused) {
  TestKey machine(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quillmarsh");
  Win32SettingsStore store;
  SettingsStore::Key key = 0;
  ASSERT_EQ(store.CreateKey(machine.Below("Zorbulant").c_str(), key), registry::Success);
  ASSERT_EQ(store.CloseKey(key), registry::Success);
  uint32_t setting = 1;
  uint32_t size = 4;
  EXPECT_EQ(store.SetValue(key, "MaxCount", registry::TypeBinary,
                           reinterpret_cast<uint8_t*>(&setting), 4),
            registry::InvalidHandle);
  EXPECT_EQ(store.QueryValue(key, "MaxCount", reinterpret_cast<uint8_t*>(&setting), size),
            registry::InvalidHandle);
  EXPECT_EQ(store.CloseKey(key), registry::InvalidHandle);
}

// Two keys of the test's own stand in for the machine and the user.
struct UserFallbackTest : ::testing::Test {
  TestKey keys{HKEY_CURRENT_USER, "Software\\Quillmarsh"};
  HKEY machine = keys.Open("machine");
  HKEY user = keys.Open("user");
  Win32SettingsStore store{machine, user};
  uint32_t setting = 0;
  uint32_t size = 0;

  ~UserFallbackTest() override {
    ::RegCloseKey(machine);
    ::RegCloseKey(user);
  }
};

TEST_F(UserFallbackTest, AMachineKeyThatRefusesChangesIsTheUsers) {
  keys.Store("machine\\Zorbulant", "MaxCount", REG_BINARY, {2, 0, 0, 0});
  keys.MakeReadOnly("machine\\Zorbulant");
  HKEY probe = nullptr;
  if (::RegCreateKeyExA(machine, "Zorbulant", 0, nullptr, 0, 0x3F, nullptr, &probe, nullptr) ==
      ERROR_SUCCESS) {
    ::RegCloseKey(probe);
    GTEST_SKIP() << "this system opens a read-only key for changes";
  }
  EXPECT_EQ(Write(store, "Zorbulant", "MaxCount", 7), registry::Success);
  EXPECT_EQ(Read(store, "Zorbulant", "MaxCount", setting, size), registry::Success);
  EXPECT_EQ(setting, 7u);
}

TEST_F(UserFallbackTest, TheUsersKeyIsReadWhenTheMachinesIsMissingOrRefused) {
  keys.Store("user\\Zorbulant", "MaxCount", REG_BINARY, {6, 0, 0, 0});
  EXPECT_EQ(Read(store, "Zorbulant", "MaxCount", setting, size), registry::Success);
  EXPECT_EQ(setting, 6u);

  keys.Store("machine\\Zorbulant", "MaxCount", REG_BINARY, {3, 0, 0, 0});
  EXPECT_EQ(Read(store, "Zorbulant", "MaxCount", setting, size), registry::Success);
  EXPECT_EQ(setting, 3u);

  keys.MakeReadOnly("machine\\Zorbulant");
  EXPECT_EQ(Read(store, "Zorbulant", "MaxCount", setting, size), registry::Success);
  EXPECT_EQ(setting, 6u);
}

TEST_F(UserFallbackTest, AWritableMachineKeyLeavesTheUsersAlone) {
  EXPECT_EQ(Write(store, "Zorbulant", "MaxCount", 5), registry::Success);
  HKEY raw = nullptr;
  EXPECT_EQ(::RegOpenKeyExA(user, "Zorbulant", 0, KEY_READ, &raw), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(::RegOpenKeyExA(machine, "Zorbulant", 0, KEY_READ, &raw), ERROR_SUCCESS);
  ::RegCloseKey(raw);
}

}  // namespace
}  // namespace zorbulant
