#include "ui/form_win.h"

#include <array>
#include <cstdlib>
#include <string>
#include <utility>

#include "ui/application_win.h"
#include "ui/graphics/canvas_win.h"
#include "ui/system/display_dpi_win.h"
#include "persist/form_loader.h"
#include "persist/properties.h"
#include "ui/graphics/program_icon_win.h"
#include "ui/system/resources_win.h"

namespace {
constexpr std::array<std::pair<std::string_view, TBorderStyle>, 6> kBorderStyles{{
    {"bsNone", TBorderStyle::bsNone}, {"bsSingle", TBorderStyle::bsSingle},
    {"bsSizeable", TBorderStyle::bsSizeable}, {"bsDialog", TBorderStyle::bsDialog},
    {"bsToolWindow", TBorderStyle::bsToolWindow}, {"bsSizeToolWin", TBorderStyle::bsSizeToolWin},
}};
constexpr std::array<std::pair<std::string_view, TWindowState>, 3> kWindowStates{{
    {"wsNormal", TWindowState::wsNormal}, {"wsMinimized", TWindowState::wsMinimized},
    {"wsMaximized", TWindowState::wsMaximized},
}};
constexpr std::array<std::string_view, 4> kBorderIcons{"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};

// The forms' window class carries the program icons at the system's sizes:
// the window system gets them with each window. (Set on a window just made,
// Wine converted them once for each icon, about 5 ms before the first paint.)
struct FormClass {
  const wchar_t* name = nullptr;  // null: refused, the toolkit's own class serves
  int small = 0, large = 0;
};

const FormClass& FormWindowClass() {
  static const FormClass registered = [] {
    FormClass form{L"VespermarkForm", GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CXICON)};
    IconHandle big = LoadProgramIcon(form.large), small = LoadProgramIcon(form.small);
    if (!RegisterIconWindowClass(form.name, big.Get(), small.Get())) return FormClass{};
    big.Release();
    small.Release();
    return form;
  }();
  return registered;
}

std::vector<TForm*>& FormList() {
  static std::vector<TForm*> forms;
  return forms;
}
}  // namespace

const std::vector<TForm*>& AllForms() { return FormList(); }

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  SetBounds(0, 0, 320, 240);
  FormList().push_back(this);
}

TForm::~TForm() {
  // Off the list first: what the components do while they go must not reach this form.
  std::erase(FormList(), this);
  BeginDestroy();
  // The components go first, while the window they live in is still there.
  DestroyComponents();
  DestroyWindowHandle();
}

void TForm::BeginDestroy() {
  // Off the screen before anything in it goes: a window whose frame, skin
  // or region is being freed must never be seen half torn down.
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
  TWinControl::BeginDestroy();
}

const PropertyTable& TForm::Properties() const {
  static const PropertyTable table(
      &TWinControl::Properties(),
      {
          props::Int("ClientWidth", &TForm::SetClientWidth, &TForm::ClientWidth),
          props::Int("ClientHeight", &TForm::SetClientHeight, &TForm::ClientHeight),
          props::Set("BorderIcons", &TForm::SetBorderIcons, &TForm::BorderIcons, kBorderIcons),
          props::Enum("BorderStyle", &TForm::SetBorderStyle, &TForm::BorderStyle, IdentMap<TBorderStyle>(kBorderStyles)),
          props::Enum("WindowState", &TForm::SetWindowState, &TForm::WindowState, IdentMap<TWindowState>(kWindowStates)),
          props::Int("PixelsPerInch", &TForm::SetPixelsPerInch, &TForm::PixelsPerInch),
          props::Int("TextHeight", &TForm::SetTextHeight, &TForm::TextHeight),
          props::Bool("OldCreateOrder", &TForm::SetOldCreateOrder),
      });
  return table;
}

void TForm::LoadFromResource() {
  std::string name(ClassName());
  for (char& c : name) c = AsciiUpper(c);
  std::wstring wide(name.begin(), name.end());
  auto stream = RCDataResource(wide.c_str());
  if (!stream) throw EFormError("Resource " + name + " not found");
  LoadFromBytes(*stream);
}

void TForm::LoadFromBytes(std::span<const uint8_t> stream) {
  LoadForm(*this, stream);
  if (std::exchange(FShowWhenLoaded, false)) SetVisible(true);
}

RECT TForm::ClientRect() const {
  if (!HandleAllocated() && FClientSizeSet) return RECT{0, 0, FClientWidth, FClientHeight};
  return TWinControl::ClientRect();
}

int TForm::ClientWidth() const {
  if (HandleAllocated()) return ClientRect().right;
  return FClientSizeSet ? FClientWidth : Width();
}

int TForm::ClientHeight() const {
  if (HandleAllocated()) return ClientRect().bottom;
  return FClientSizeSet ? FClientHeight : Height();
}

void TForm::SetClientWidth(int value) {
  FClientWidth = value;
  FClientHeight = ClientHeight();
  FClientSizeSet = true;
  ApplyClientSize();
}

void TForm::SetClientHeight(int value) {
  FClientWidth = ClientWidth();
  FClientHeight = value;
  FClientSizeSet = true;
  ApplyClientSize();
}

void TForm::ApplyClientSize() {
  if (!FClientSizeSet) return;
  RECT r{0, 0, FClientWidth, FClientHeight};
  if (HandleAllocated()) {
    // The window's own answer counts: a hook may draw a frame of its own.
    constexpr int probe = 10000;
    RECT client{0, 0, probe, probe};
    SendMessageW(Handle(), WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
    r.right += client.left + (probe - client.right);
    r.bottom += client.top + (probe - client.bottom);
  } else {
    WindowParams params;
    CreateParams(params);
    AdjustWindowRectEx(&r, params.style, FALSE, params.exStyle);
  }
  SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
}

void TForm::SetBorderIcons(uint32_t value) {
  if (value == FBorderIcons) return;
  FBorderIcons = value;
  ApplyClientSize();
}

void TForm::SetBorderStyle(TBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  ApplyClientSize();
}

void TForm::SetWindowState(TWindowState value) {
  if (value == FWindowState) return;
  FWindowState = value;
  if (HandleAllocated() && Visible())
    ShowWindow(Handle(), value == TWindowState::wsMaximized   ? SW_MAXIMIZE
                         : value == TWindowState::wsMinimized ? SW_MINIMIZE
                                                              : SW_RESTORE);
}

void TForm::CreateParams(WindowParams& params) {
  TWinControl::CreateParams(params);
  params.style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  params.exStyle = WS_EX_CONTROLPARENT;
  params.windowClass = FormWindowClass().name;
  switch (FBorderStyle) {
    case TBorderStyle::bsNone: params.style |= WS_POPUP; break;
    case TBorderStyle::bsSingle:
    case TBorderStyle::bsToolWindow: params.style |= WS_CAPTION | WS_BORDER; break;
    case TBorderStyle::bsSizeable:
    case TBorderStyle::bsSizeToolWin: params.style |= WS_CAPTION | WS_THICKFRAME; break;
    case TBorderStyle::bsDialog:
      params.style |= WS_CAPTION | WS_DLGFRAME;
      params.exStyle |= WS_EX_DLGMODALFRAME;
      break;
  }
  if (FBorderStyle == TBorderStyle::bsToolWindow || FBorderStyle == TBorderStyle::bsSizeToolWin)
    params.exStyle |= WS_EX_TOOLWINDOW;
  if (FBorderStyle != TBorderStyle::bsNone && (FBorderIcons & biSystemMenu)) {
    params.style |= WS_SYSMENU;
    if (FBorderStyle != TBorderStyle::bsDialog) {
      if (FBorderIcons & biMinimize) params.style |= WS_MINIMIZEBOX;
      if (FBorderIcons & biMaximize) params.style |= WS_MAXIMIZEBOX;
    }
  }
  if (!Enabled()) params.style |= WS_DISABLED;
  if (Application && Application->IsMainFormCandidate(*this)) {
    // The main form's own taskbar button shows its picture in the thumbnail,
    // Alt+Tab and Task View. The taskbar minimises a window from its button
    // only when it has a minimise box; without a system menu none is drawn.
    params.exStyle |= WS_EX_APPWINDOW;
    if (!(params.style & WS_SYSMENU)) params.style |= WS_MINIMIZEBOX;
    params.parent = nullptr;
  } else {
    params.parent = Application ? Application->Handle() : nullptr;
  }
}

void TForm::CreateHandle() {
  TWinControl::CreateHandle();
  const FormClass& own = FormWindowClass();
  const int small = SmallIconSize(Handle()), large = LargeIconSize(Handle());
  // On a monitor of another scale than the system's the class's icons are the wrong size.
  if (!own.name || small != own.small || large != own.large) SetProgramIcons(small, large);
}

void TForm::SetProgramIcons(int smallSize, int largeSize) {
  // The window lets go of the old icons before they are destroyed.
  IconHandle big = LoadProgramIcon(largeSize), small = LoadProgramIcon(smallSize);
  if (big) SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
  if (small) SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
  if (big) FBigIcon = std::move(big);
  if (small) FSmallIcon = std::move(small);
}

void TForm::SetVisible(bool value) {
  // Shown while it loads, the window would appear before the components
  // that change it (a skinned frame) exist.
  if (IsLoading()) {
    FShowWhenLoaded = value;
    return;
  }
  // The window may have been hidden behind the flag's back (the application
  // minimised); showing it again must still work.
  bool windowMatches = !HandleAllocated() || (IsWindowVisible(Handle()) != FALSE) == value;
  if (value == Visible() && windowMatches) return;
  TWinControl::SetVisible(value);
  if (!value) {
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    return;
  }
  HandleNeeded();
  ShowWindow(Handle(), FWindowState == TWindowState::wsMaximized   ? SW_SHOWMAXIMIZED
                       : FWindowState == TWindowState::wsMinimized ? SW_SHOWMINIMIZED
                                                                   : SW_SHOWNORMAL);
}

void TForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FActiveControl) FActiveControl = nullptr;
}

void TForm::Close() {
  if (Application && Application->MainForm() == this)
    Application->Terminate();
  else
    Hide();
}

void TForm::Loaded() {
  TWinControl::Loaded();
  ScaleForScreen();
}

void TForm::ScaleForScreen() {
  ScaleToDensity(HandleAllocated() ? WindowPixelsPerInch(Handle()) : MonitorPixelsPerInch(POINT{Left(), Top()}));
}

void TForm::ScaleToDensity(int pixelsPerInch) {
  if (pixelsPerInch <= 0 || FPixelsPerInch <= 0 || pixelsPerInch == FPixelsPerInch) return;
  const int previous = std::exchange(FPixelsPerInch, pixelsPerInch);
  ScaleBy(pixelsPerInch, previous);
}

void TForm::ScaleBy(int multiplier, int divisor) {
  auto scale = [&](int v) { return MulDiv(v, multiplier, divisor); };
  // Text must grow with the controls that hold it; children with ParentFont
  // follow ours. The smaller of font and bounds changes first: a control
  // that keeps a least size for its font would otherwise take the least
  // size of the other density and keep it.
  const bool growing = std::abs(multiplier) > std::abs(divisor);
  if (!growing) Font().SetHeight(scale(Font().Height()));
  ScaleChildren(multiplier, divisor);
  if (growing) Font().SetHeight(scale(Font().Height()));
  if (FClientSizeSet) {
    FClientWidth = scale(FClientWidth);
    FClientHeight = scale(FClientHeight);
    ApplyClientSize();
  }
  AlignControls();
}

void TForm::ChildFocused(TWinControl* control) {
  FActiveControl = control;
  BroadcastFocusChange(control);
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE: Close(); return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        // Coming back, the keyboard returns to the control that had it; the
        // first time, it goes to the first control in the tab order.
        HWND target = FActiveControl && FActiveControl->HandleAllocated() && FActiveControl->CanFocus()
                          ? FActiveControl->Handle()
                          : GetNextDlgTabItem(Handle(), nullptr, FALSE);
        if (target && IsChild(Handle(), target)) {
          ::SetFocus(target);
          return 0;
        }
      }
      break;
    case WM_DPICHANGED: {
      // Moved to a monitor of another scale: drawn for it, where the system suggests.
      ScaleToDensity(HIWORD(wParam));
      SetProgramIcons(SmallIconSizeAt(HIWORD(wParam)), LargeIconSizeAt(HIWORD(wParam)));
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_SYSCOMMAND:
      // The main form's taskbar button minimises and restores the application.
      if (Application && Application->MainForm() == this) {
        if ((wParam & 0xFFF0) == SC_MINIMIZE) {
          Application->Minimize();
          return 0;
        }
        if ((wParam & 0xFFF0) == SC_RESTORE && Application->Iconic()) {
          Application->Restore();
          return 0;
        }
      }
      break;
    case WM_SIZE: {
      LRESULT result = TWinControl::WndProc(message, wParam, lParam);
      if (Application && Application->MainForm() == this) Application->MainFormSized(wParam);
      return result;
    }
  }
  return TWinControl::WndProc(message, wParam, lParam);
}
