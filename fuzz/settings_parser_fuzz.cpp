// Reads the fuzzer's input as a settings file (.reg text), then saves one value
// into it as the settings store does, and reads the saved text back.
//
// What must hold: a text the parser accepts is kept exactly as it was (a blank
// one is a new file); the saved text parses again, reads back the value just
// saved, keeps every other value the file held, and is kept exactly in turn.
// The value saved, its key, name, type and bytes, is picked by the input's last
// byte, so that every save form (dword, hex, hex(N), wrapped lists, a new
// section, an escaped name, the default value) meets every file.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/settings/reg_file.h"
#include "platform/settings_store.h"

namespace zorbulant {
namespace {

constexpr std::array<std::string_view, 3> Keys = {
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Quillmarsh\\Zorbulant",
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Quillmarsh\\Zorbulant\\sndengine",
    "HKEY_CURRENT_USER\\Software\\Other"};
constexpr std::array<std::string_view, 5> Names = {"FrameLimit", "Amplification", "MaxCount", "",
                                                   "Odd \"name\" \\ = here"};
constexpr std::array<uint32_t, 4> Types = {registry::TypeBinary, registry::TypeDword, 1, 7};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "settings_parser_fuzz: %s\n", what);
  std::abort();
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

std::optional<RegistryValue> Copy(const RegistryValue* value) {
  if (value == nullptr) return std::nullopt;
  return *value;
}

bool Same(const RegistryValue* value, const std::optional<RegistryValue>& expected) {
  if (value == nullptr || !expected) return value == nullptr && !expected;
  return value->type == expected->type && value->data == expected->data;
}

struct Save {
  size_t key;
  size_t name;
  RegistryValue value;
};

Save PickSave(std::string_view text) {
  const uint8_t pick = text.empty() ? 0 : static_cast<uint8_t>(text.back());
  Save save{pick % Keys.size(), (pick / Keys.size()) % Names.size(), {}};
  save.value.type = Types[(pick / (Keys.size() * Names.size())) % Types.size()];
  // Four bytes as the game saves them, or a list long enough to be wrapped.
  const size_t length = pick % 2 == 0 ? 4 : std::min<size_t>(text.size(), 90);
  save.value.data.assign(text.begin(), text.begin() + std::min(length, text.size()));
  return save;
}

}  // namespace
}  // namespace zorbulant

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorbulant;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::optional<RegFile> file = RegFile::Parse(text);
  if (!file) return 0;
  if (!IsBlank(text) && file->Text() != text) Fail("an accepted file was not kept as it was");

  const Save save = PickSave(text);
  std::array<std::array<std::optional<RegistryValue>, Names.size()>, Keys.size()> before;
  for (size_t k = 0; k < Keys.size(); ++k) {
    for (size_t n = 0; n < Names.size(); ++n) before[k][n] = Copy(file->Find(Keys[k], Names[n]));
  }
  before[save.key][save.name] = save.value;

  file->Set(Keys[save.key], Names[save.name], save.value);
  if (!Same(file->Find(Keys[save.key], Names[save.name]), save.value)) {
    Fail("the value saved is not the one found");
  }
  const std::string saved = file->Text();
  const std::optional<RegFile> reread = RegFile::Parse(saved);
  if (!reread) Fail("the saved file does not parse");
  if (reread->Text() != saved) Fail("the saved file was not kept as it was");
  if (!reread->HasKey(Keys[save.key])) Fail("the saved value's key is missing");
  for (size_t k = 0; k < Keys.size(); ++k) {
    for (size_t n = 0; n < Names.size(); ++n) {
      if (!Same(reread->Find(Keys[k], Names[n]), before[k][n])) {
        std::fprintf(stderr, "settings_parser_fuzz: value \"%s\" of %s read back otherwise\n",
                     std::string(Names[n]).c_str(), std::string(Keys[k]).c_str());
        std::abort();
      }
    }
  }
  return 0;
}
