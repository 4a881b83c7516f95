// Saves into settings files whose last line ends in a lone '\r', as a file cut
// after the '\r' of its last "\r\n" does. The save must give the line only its
// missing '\n': a whole line end behind the '\r' made the '\r' part of the
// line's text, the saved file no longer parsed, and a save into a new key then
// read through a null section. Found by fuzz/settings_parser_fuzz.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/settings/reg_file.h"
#include "platform/settings_store.h"

namespace zorbulant {
namespace {

constexpr const char* Header = "Windows Registry Editor Version 5.00";
const std::string GameKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Quillmarsh\\Zorbulant";
const std::string OtherKey = "HKEY_CURRENT_USER\\Software\\Other";

struct LastLine {
  const char* name;
  std::string text;
};

void PrintTo(const LastLine& file, std::ostream* out) { *out << file.name; }

std::vector<LastLine> Files() {
  const std::string header = Header;
  return {
      {"ValueInACrLfFile", header + "\r\n[" + OtherKey + "]\r\n\"Keep\"=dword:00000001\r"},
      {"ValueInALfFile", header + "\n[" + OtherKey + "]\n\"Keep\"=dword:00000001\r"},
      {"SectionHeader", header + "\r\n[" + OtherKey + "]\r"},
      {"FileHeader", header + "\r"},
  };
}

class RegFileLastLineTest : public ::testing::TestWithParam<LastLine> {};

INSTANTIATE_TEST_SUITE_P(Files, RegFileLastLineTest, ::testing::ValuesIn(Files()),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_P(RegFileLastLineTest, SavesIntoNewAndExistingKeysReadBack) {
  const RegistryValue maxCount{registry::TypeBinary, {4, 0, 0, 0}};
  const RegistryValue keep{registry::TypeDword, {9, 0, 0, 0}};
  std::optional<RegFile> file = RegFile::Parse(GetParam().text);
  ASSERT_TRUE(file);
  const bool hadKeep = file->Find(OtherKey, "Keep") != nullptr;

  file->Set(GameKey, "MaxCount", maxCount);
  EXPECT_EQ(file->Text().substr(0, GetParam().text.size() + 1), GetParam().text + "\n")
      << "the last line gains only its '\\n'";
  file->Set(OtherKey, "Keep", keep);
  const std::string saved = file->Text();
  EXPECT_EQ(saved.find("\r\r"), std::string::npos) << saved;

  const std::optional<RegFile> reread = RegFile::Parse(saved);
  ASSERT_TRUE(reread) << saved;
  EXPECT_EQ(reread->Text(), saved);
  const RegistryValue* savedMaxCount = reread->Find(GameKey, "MaxCount");
  ASSERT_NE(savedMaxCount, nullptr) << saved;
  EXPECT_EQ(savedMaxCount->data, maxCount.data);
  const RegistryValue* savedKeep = reread->Find(OtherKey, "Keep");
  ASSERT_NE(savedKeep, nullptr) << saved;
  EXPECT_EQ(savedKeep->type, registry::TypeDword);
  EXPECT_EQ(savedKeep->data, keep.data);
  if (hadKeep) {
    EXPECT_EQ(saved.find("\"Keep\"=dword:00000001"), std::string::npos)
        << "the value is rewritten in place, not added again";
  }
}

}  // namespace
}  // namespace zorbulant
