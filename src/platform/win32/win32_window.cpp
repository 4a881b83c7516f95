// The main window, its window procedure and the message queue.
#include "platform/win32/win32_window.h"

#include <algorithm>

namespace zorbulant {

namespace {

uint32_t Low32(WPARAM value) { return static_cast<uint32_t>(value); }
uint32_t Low32(LPARAM value) { return static_cast<uint32_t>(value); }

WindowMessage ToWindowMessage(UINT id, WPARAM wParam, LPARAM lParam) {
  return {static_cast<MessageId>(id), Low32(wParam), Low32(lParam)};
}

// The window is made with no size at all, and restored (the windowed screen
// restores it) it would get its smallest possible size from that, a sliver of
// a caption. Restored, it shows the picture at a whole multiple of 320x240
// instead, centred in the screen's work area.
void GiveRestoredSize(HWND window) {
  RECT work;
  if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) return;
  const LONG workWidth = work.right - work.left;
  const LONG workHeight = work.bottom - work.top;
  const LONG scale = std::max(1L, std::min(workWidth * 3 / 4 / 320, workHeight * 3 / 4 / 240));
  RECT frame{0, 0, 320 * scale, 240 * scale};
  ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_STATICEDGE);
  const LONG width = frame.right - frame.left;
  const LONG height = frame.bottom - frame.top;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!::GetWindowPlacement(window, &placement)) return;
  placement.rcNormalPosition.left = work.left + (workWidth - width) / 2;
  placement.rcNormalPosition.top = work.top + (workHeight - height) / 2;
  placement.rcNormalPosition.right = placement.rcNormalPosition.left + width;
  placement.rcNormalPosition.bottom = placement.rcNormalPosition.top + height;
  ::SetWindowPlacement(window, &placement);
}

}  // namespace

Win32Window::~Win32Window() {
  // The procedure may be gone already; whatever the destruction sends gets the
  // default handling.
  procedure_ = nullptr;
  painter_ = nullptr;
  if (window_ != nullptr) ::DestroyWindow(window_);
}

uint32_t Win32Window::CreateMainWindow(WindowProcedure& procedure) {
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_SAVEBITS;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = ::LoadIconA(nullptr, IDI_HAND);
  windowClass.hIconSm = windowClass.hIcon;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_CROSS);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_ACTIVEBORDER + 1);
  windowClass.lpszClassName = "winmain";
  // A second window of the same process finds the class already there.
  ::RegisterClassExA(&windowClass);

  procedure_ = &procedure;
  // The window object comes along as the creation parameter: the window
  // procedure is static and finds it there.
  ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_STATICEDGE, "winmain", "Zorbulant",
                    WS_OVERLAPPEDWINDOW | WS_MAXIMIZE | WS_VISIBLE, 0, 0, 0, 0, nullptr, nullptr,
                    instance, this);
  if (window_ == nullptr) {
    procedure_ = nullptr;
    return 0;
  }
  GiveRestoredSize(window_);
  ::ShowWindow(window_, SW_SHOWMAXIMIZED);
  // Window handles are 32-bit values on 64-bit Windows too.
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window_));
}

LRESULT CALLBACK Win32Window::WindowProc(HWND window, UINT id, WPARAM wParam, LPARAM lParam) {
  Win32Window* self = nullptr;
  if (id == WM_NCCREATE) {
    self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  } else {
    self = reinterpret_cast<Win32Window*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  }
  // Messages before the creation message have no window object yet.
  if (self == nullptr) return ::DefWindowProcA(window, id, wParam, lParam);
  return self->Receive(window, id, wParam, lParam);
}

LRESULT Win32Window::Receive(HWND window, UINT id, WPARAM wParam, LPARAM lParam) {
  if (id == WM_ACTIVATEAPP) active_ = wParam != 0;
  LRESULT result = 0;
  if (procedure_ == nullptr) {
    result = ::DefWindowProcA(window, id, wParam, lParam);
  } else {
    RawMessage raw{window, id, wParam, lParam};
    RawMessage* const outer = handling_;
    handling_ = &raw;
    const uint32_t handled = procedure_->HandleMessage(ToWindowMessage(id, wParam, lParam));
    handling_ = outer;
    // The default handling's own result keeps its whole width: some results
    // are negative (hit tests) or handles.
    const bool passedOn = raw.defaulted && handled == static_cast<uint32_t>(raw.defaultResult);
    result = passedOn ? raw.defaultResult : static_cast<LRESULT>(static_cast<int32_t>(handled));
  }
  if (id == WM_NCDESTROY) {
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    window_ = nullptr;
    procedure_ = nullptr;
    painter_ = nullptr;
  }
  return result;
}

int32_t Win32Window::ShowCursor(bool show) { return ::ShowCursor(show ? TRUE : FALSE); }

bool Win32Window::MessageWaiting() {
  if (::PeekMessageA(&taken_, nullptr, 0, 0, PM_NOREMOVE)) return true;
  if (active_) return false;
  // While another application is active no frame runs: wait a little for a
  // message instead of spinning through empty turns at full speed.
  ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
  return ::PeekMessageA(&taken_, nullptr, 0, 0, PM_NOREMOVE) != 0;
}

bool Win32Window::TakeMessage(WindowMessage& message) {
  const BOOL result = ::GetMessageA(&taken_, nullptr, 0, 0);
  // An error result (-1) is dispatched like an ordinary message, with whatever
  // the record holds.
  message = ToWindowMessage(taken_.message, taken_.wParam, taken_.lParam);
  return result != 0;
}

uint32_t Win32Window::Dispatch(const WindowMessage& message) {
  const WindowMessage taken = ToWindowMessage(taken_.message, taken_.wParam, taken_.lParam);
  if (taken.id == message.id && taken.wParam == message.wParam && taken.lParam == message.lParam) {
    return static_cast<uint32_t>(::DispatchMessageA(&taken_));
  }
  // A message that did not come from the queue goes to the main window.
  MSG record{};
  record.hwnd = window_;
  record.message = static_cast<UINT>(message.id);
  record.wParam = message.wParam;
  record.lParam = static_cast<LPARAM>(message.lParam);
  return static_cast<uint32_t>(::DispatchMessageA(&record));
}

uint32_t Win32Window::DefaultHandling(const WindowMessage& message) {
  RawMessage* const raw = handling_;
  const bool delivered = raw != nullptr && raw->id == static_cast<UINT>(message.id) &&
                         Low32(raw->wParam) == message.wParam &&
                         Low32(raw->lParam) == message.lParam;
  if (!delivered) {
    return static_cast<uint32_t>(::DefWindowProcA(window_, static_cast<UINT>(message.id),
                                                  message.wParam,
                                                  static_cast<LPARAM>(message.lParam)));
  }
  LRESULT result = 0;
  if (painter_ != nullptr && raw->id == WM_PAINT) {
    result = Paint();
  } else if (painter_ != nullptr && raw->id == WM_ERASEBKGND) {
    result = 1;  // the painter covers the whole client area, bars included
  } else {
    result = ::DefWindowProcA(raw->window, raw->id, raw->wParam, raw->lParam);
  }
  raw->defaulted = true;
  raw->defaultResult = result;
  return static_cast<uint32_t>(result);
}

LRESULT Win32Window::Paint() {
  PAINTSTRUCT paint;
  if (const HDC dc = ::BeginPaint(window_, &paint); dc != nullptr) {
    RECT client;
    ::GetClientRect(window_, &client);
    painter_->Paint(dc, client);
    ::EndPaint(window_, &paint);
  }
  return 0;
}

void Win32Window::PostQuit(int32_t exitCode) { ::PostQuitMessage(exitCode); }

void Win32Window::DestroyMainWindow() {
  if (window_ != nullptr) ::DestroyWindow(window_);
}

void Win32Window::SetFocus() {
  if (window_ != nullptr) ::SetFocus(window_);
}

void Win32Window::BecomeOrdinary() {
  if (window_ == nullptr) return;
  ::SetWindowPos(window_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ::ShowWindow(window_, SW_RESTORE);
}

void Win32Window::PostClose() {
  if (window_ != nullptr) ::PostMessageA(window_, WM_CLOSE, 0, 0);
}

void Win32Window::PumpMessages() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != WM_QUIT) ::DispatchMessageA(&message);
  }
}

TextDevice* Win32Window::GetWindowTextContext() {
  if (window_ == nullptr || windowText_.DeviceContext() != nullptr) return nullptr;
  const HDC dc = ::GetWindowDC(window_);
  if (dc == nullptr) return nullptr;
  windowText_.Attach(dc);
  return &windowText_;
}

void Win32Window::ReleaseWindowTextContext(TextDevice* context) {
  const HDC dc = windowText_.DeviceContext();
  if (context != &windowText_ || dc == nullptr) return;
  windowText_.Detach();
  ::ReleaseDC(window_, dc);
}

}  // namespace zorbulant
