// The set-up dialog's lists and what its OK makes of them.
#include "platform/win32/sndlib/setup_dialog.h"

#include <algorithm>

#include "platform/win32/sndlib/setup_dialog_ids.h"

namespace zorbulant {

namespace {

constexpr const char* DefaultDevice = "System default";

struct Dialog {
  const std::vector<std::string>& devices;
  SoundSetup& setup;
};

template <size_t N>
size_t IndexOf(const std::array<uint32_t, N>& values, uint32_t value) {
  const auto found = std::find(values.begin(), values.end(), value);
  return found == values.end() ? 0 : static_cast<size_t>(found - values.begin());
}

void Fill(HWND dialog, int list, const std::vector<std::string>& labels, size_t selected) {
  for (const std::string& label : labels) {
    SendDlgItemMessageA(dialog, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
  }
  SendDlgItemMessageA(dialog, list, CB_SETCURSEL, selected, 0);
}

template <size_t N>
std::vector<std::string> Labels(const std::array<uint32_t, N>& values, const char* unit) {
  std::vector<std::string> labels;
  for (const uint32_t value : values) labels.push_back(std::to_string(value) + unit);
  return labels;
}

size_t Selected(HWND dialog, int list) {
  const LRESULT selected = SendDlgItemMessageA(dialog, list, CB_GETCURSEL, 0, 0);
  return selected == CB_ERR ? 0 : static_cast<size_t>(selected);
}

void Show(HWND window, const Dialog& dialog) {
  std::vector<std::string> devices{DefaultDevice};
  devices.insert(devices.end(), dialog.devices.begin(), dialog.devices.end());
  // A device that is gone since it was chosen shows as the default, which is
  // also what the output falls back to.
  const auto device = std::find(dialog.devices.begin(), dialog.devices.end(), dialog.setup.device);
  Fill(window, SETUP_DEVICE, devices,
       device == dialog.devices.end() ? 0
                                      : static_cast<size_t>(device - dialog.devices.begin()) + 1);
  Fill(window, SETUP_RATE, Labels(MixingRates, " Hz"),
       IndexOf(MixingRates, dialog.setup.mixingRate));
  Fill(window, SETUP_BUFFER, Labels(BufferSizes, " frames"),
       IndexOf(BufferSizes, dialog.setup.bufferFrames));
}

void Take(HWND window, const Dialog& dialog) {
  const size_t device = Selected(window, SETUP_DEVICE);
  dialog.setup.device = device == 0 ? "" : dialog.devices.at(device - 1);
  dialog.setup.mixingRate = MixingRates.at(Selected(window, SETUP_RATE));
  dialog.setup.bufferFrames = BufferSizes.at(Selected(window, SETUP_BUFFER));
}

INT_PTR CALLBACK Respond(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(window, DWLP_USER, lParam);
      Show(window, *reinterpret_cast<const Dialog*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        Take(window, *reinterpret_cast<const Dialog*>(GetWindowLongPtrA(window, DWLP_USER)));
        EndDialog(window, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(window, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

// The module this code is in holds the dialog's template.
HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&Respond), &module);
  return module;
}

}  // namespace

bool RunSetupDialog(HWND owner, const std::vector<std::string>& devices, SoundSetup& setup) {
  SoundSetup chosen = setup;
  const Dialog dialog{devices, chosen};
  const INT_PTR result = DialogBoxParamA(ThisModule(), MAKEINTRESOURCEA(SETUP_DIALOG), owner,
                                         &Respond, reinterpret_cast<LPARAM>(&dialog));
  if (result != IDOK) return false;
  setup = chosen;
  return true;
}

}  // namespace zorbulant
