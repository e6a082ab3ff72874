#include "win32/win32_form_window.h"

#include <stdexcept>
#include <utility>

#include "win32/app_icon.h"
#include "win32/base/dpi.h"
#include "win32/base/window_text.h"
#include "win32/form_classes.h"
#include "win32/base/gdi_scopes.h"
#include "win32/base/message_pump.h"
#include "win32/skin_painter.h"
#include "win32/base/win32_text.h"

namespace tavrin::win32 {
namespace {

// No caption bar and no border; the system menu and minimise box let the
// taskbar button close and minimise the window as any program's. The skin's
// painting leaves the system controls' places to them.
constexpr DWORD kFormStyle =
    WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

HWND CreateFormWindow(const platform::FormDesign& design, void* owner) {
  if (!RegisterFormClass(design.skin, &BoundWindowProc<Win32FormWindow>)) {
    throw std::runtime_error("form window class not registered");
  }
  const HWND window = CreateWindowExW(
      0, FormClassName(design.skin), WideFromUtf8(design.caption).c_str(),
      kFormStyle, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr),
      owner);
  if (window == nullptr) throw std::runtime_error("form window not created");
  return window;
}

RECT ToRect(const platform::PixelRect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

Win32FormWindow::Win32FormWindow(const platform::FormDesign& design,
                                 platform::FormEvents& events)
    : events_(events), model_(design), keys_(design) {
  window_.reset(CreateFormWindow(design, this));
  PlaceCentred();
  CreateSystemControls();
  PlaceSystemControls();
}

// The system controls go first, then the window, while the members are
// still there for their last messages; no event is reported from then on.
Win32FormWindow::~Win32FormWindow() {
  *alive_ = false;
  systemControls_.clear();
  window_.reset();
}

void Win32FormWindow::PlaceCentred() {
  model_.Layout(WindowDpi(window_.get()));
  const platform::PixelPoint size = model_.SizeInPixels();
  const int left = (GetSystemMetrics(SM_CXSCREEN) - size.x) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - size.y) / 2;
  SetWindowPos(window_.get(), nullptr, left, top, size.x, size.y,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

platform::WindowHandle Win32FormWindow::Handle() const {
  return reinterpret_cast<platform::WindowHandle>(window_.get());
}

std::uintptr_t Win32FormWindow::Icon() const {
  return reinterpret_cast<std::uintptr_t>(AppIcon(IconSize::kSmall));
}

void Win32FormWindow::Show() { ShowWindow(window_.get(), SW_SHOW); }

void Win32FormWindow::Hide() { ShowWindow(window_.get(), SW_HIDE); }

// The activation gives the keyboard to the system control (WM_ACTIVATE).
void Win32FormWindow::Activate() {
  // Minimised from the taskbar, it comes back where it was.
  if (IsIconic(window_.get())) ShowWindow(window_.get(), SW_RESTORE);
  SetForegroundWindow(window_.get());
}

bool Win32FormWindow::IsVisible() const {
  return IsWindowVisible(window_.get()) != FALSE;
}

void Win32FormWindow::SetCaption(std::string_view caption) {
  SetWindowTextW(window_.get(), WideFromUtf8(caption).c_str());
  // A drag bar without its own text shows the caption.
  InvalidateRect(window_.get(), nullptr, FALSE);
}

bool Win32FormWindow::SetLayeredAlpha(std::uint8_t alpha) {
  const HWND window = window_.get();
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  // Zero is also a valid old style: only the error code tells a failure.
  SetLastError(ERROR_SUCCESS);
  if (SetWindowLongPtrW(window, GWL_EXSTYLE, style | WS_EX_LAYERED) == 0 &&
      GetLastError() != ERROR_SUCCESS) {
    return false;
  }
  return SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA) != FALSE;
}

void Win32FormWindow::SetTopmost(bool topmost) {
  SetWindowPos(window_.get(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0,
               0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The outline is designed in pixels at 96 dots per inch; it grows with the
// window on other resolutions.
void Win32FormWindow::SetShape(
    const std::vector<platform::PixelRect>& rectangles) {
  designShape_ = rectangles;
  ApplyShape(model_.Dpi());
}

void Win32FormWindow::ApplyShape(int dpi) {
  std::vector<platform::PixelRect> scaled;
  scaled.reserve(designShape_.size());
  for (const auto& r : designShape_) {
    scaled.push_back({Scaled(r.left, dpi), Scaled(r.top, dpi),
                      Scaled(r.right, dpi), Scaled(r.bottom, dpi)});
  }
  UniqueRegion united(CreateRectRgn(0, 0, 0, 0));
  if (!united) return;
  for (const auto& r : scaled) {
    const UniqueRegion piece(CreateRectRgn(r.left, r.top, r.right, r.bottom));
    if (piece) CombineRgn(united.get(), united.get(), piece.get(), RGN_OR);
  }
  if (SetWindowRgn(window_.get(), united.get(), TRUE) == 0) return;
  // The system owns the region from now on.
  static_cast<void>(united.release());
  shape_ = std::move(scaled);
  InvalidateRect(window_.get(), nullptr, FALSE);
}

platform::PixelPoint Win32FormWindow::Position() const {
  RECT frame{};
  GetWindowRect(window_.get(), &frame);
  return {frame.left, frame.top};
}

void Win32FormWindow::MoveTo(platform::PixelPoint topLeft) {
  SetWindowPos(window_.get(), nullptr, topLeft.x, topLeft.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FormWindow::SetCheck(std::string_view control, int value) {
  if (const auto index = model_.IndexOf(control)) {
    model_.At(*index).check = value;
    Invalidate(index);
    if (const auto item = ItemOf(*index)) accessibility_.StateChanged(*item);
  }
}

void Win32FormWindow::SetPicture(std::string_view control,
                                 platform::Picture picture) {
  if (const auto index = model_.IndexOf(control)) {
    model_.At(*index).picture = picture;
    Invalidate(index);
  }
}

void Win32FormWindow::SetControlText(std::string_view control,
                                     std::string_view text) {
  if (const auto index = model_.IndexOf(control)) {
    model_.At(*index).text = std::string(text);
    if (SystemControl* box = systemControls_[*index].get()) box->SetText(text);
    Invalidate(index);
  }
}

std::string Win32FormWindow::ControlText(std::string_view control) const {
  const auto index = model_.IndexOf(control);
  if (!index) return {};
  const SystemControl* box = systemControls_[*index].get();
  if (box != nullptr && box->IsTextBox()) return box->Text();
  return model_.Controls()[*index].text;
}

LRESULT Win32FormWindow::HandleMessage(HWND window, UINT message,
                                       WPARAM wParam, LPARAM lParam) {
  if (!*alive_) return DefWindowProcW(window, message, wParam, lParam);
  if (HandleMouse(message, wParam, lParam)) return 0;
  if (const auto result = HandleControlMessage(message, wParam, lParam)) {
    return *result;
  }
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_CLOSE:
      events_.OnSystemClose();
      return 0;
    case WM_KEYDOWN:
      if (HandleKey(wParam, lParam)) return 0;
      break;
    // The keys that act at WM_KEYDOWN type nothing.
    case WM_CHAR:
      if (wParam == VK_TAB || wParam == VK_RETURN || wParam == VK_ESCAPE ||
          wParam == VK_SPACE) {
        return 0;
      }
      break;
    case WM_GETOBJECT:
      if (const auto answer = accessibility_.Answer(wParam, lParam)) {
        return *answer;
      }
      break;
    case kClickItemMessage:
      ClickItem(wParam);
      return 0;
    case WM_DPICHANGED:
      DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    // The system's own loop that moves or sizes the window.
    case WM_ENTERSIZEMOVE:
      EnterModalLoop();
      return 0;
    case WM_EXITSIZEMOVE:
      LeaveModalLoop();
      return 0;
    default:
      break;
  }
  if (message == TaskbarCreatedMessage()) {
    events_.OnShellRestarted();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Moved to a monitor at another scale, or the user changed the scale: the
// system's place keeps the window where the user sees it, and its size is
// the layout's own, which its outline and hit areas are made for.
void Win32FormWindow::DpiChanged(int dpi, const RECT& suggested) {
  model_.Layout(dpi);
  PlaceSystemControls();
  if (!designShape_.empty()) ApplyShape(dpi);
  const platform::PixelPoint size = model_.SizeInPixels();
  SetWindowPos(window_.get(), nullptr, suggested.left, suggested.top, size.x,
               size.y, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window_.get(), nullptr, FALSE);
}

void Win32FormWindow::Paint() {
  const HWND window = window_.get();
  const PaintScope paint(window);
  RECT client{};
  GetClientRect(window, &client);
  const BufferedCanvas canvas(paint.Dc(), client);
  const std::wstring caption = WideWindowText(window);
  const bool pressedHere = press_ && press_->target == hovered_;
  const SkinView view{model_, caption, shape_, client,
                      press_ && !pressedHere ? Target{} : hovered_,
                      pressedHere ? press_->target : Target{}, MarkedFocus()};
  PaintSkin(canvas.Dc(), view);
}

// With a margin for a check box's focus mark, which lies around the box.
void Win32FormWindow::Invalidate(Target target) {
  if (!target) return;
  const int margin = Scaled(4, model_.Dpi());
  RECT area = ToRect(model_.Controls()[*target].rect);
  InflateRect(&area, margin, margin);
  InvalidateRect(window_.get(), &area, FALSE);
}

}  // namespace tavrin::win32
