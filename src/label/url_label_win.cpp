#include "label/url_label_win.h"

#include <windows.h>
#include <shellapi.h>

#include <array>

#include "ui/graphics/canvas_win.h"
#include "ui/system/cursors_win.h"
#include "persist/properties.h"
#include "base/utf_win.h"
#include "label/link_target.h"
#include "ui/system/system_library_win.h"

namespace {

constexpr std::array<std::pair<std::string_view, TTextStyle>, 1> kTextStyles{{{"tsNormal", TTextStyle::tsNormal}}};

class SystemLinkShell : public LinkShell {
 public:
  bool Open(const std::string& target) override {
    // The shell is bound on the first click; it may hand the work to COM objects.
    static const TLateBound<decltype(&ShellExecuteExW)> execute(Shell32Library(), "ShellExecuteExW");
    const auto shellExecute = execute.Find();
    if (!shellExecute) return false;
    EnterComApartment();
    std::wstring file = Utf8ToWide(target);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"Open";
    info.lpFile = file.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!shellExecute(&info)) return false;
    // The started process is not ours to watch.
    if (info.hProcess) CloseHandle(info.hProcess);
    return true;
  }
  void ChooseHtmProgram() override {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    wchar_t system[MAX_PATH];
    UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    ProcessLaunch launch = HtmChooserLaunch(WideToUtf8(std::wstring_view(system, length)));
    std::wstring application = Utf8ToWide(launch.Application);
    std::wstring command = Utf8ToWide(launch.CommandLine);
    if (CreateProcessW(application.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
  }
};

LinkShell* gLinkShell = nullptr;

}  // namespace

LinkShell& ActiveLinkShell() {
  static SystemLinkShell system;
  return gLinkShell ? *gLinkShell : system;
}

void SetLinkShell(LinkShell* shell) { gLinkShell = shell; }

TURLLabel::TURLLabel(TComponent* owner) : TWinControl(owner) {
  // The system's hand; every Windows this program runs on has one.
  RegisterCursor(crURLHand, IDC_HAND);
  SetParentColor(true);
  // Its own font, so a parent's does not wash out the link look.
  SetParentFont(false);
  SetCursor(crURLHand);
  Font().SetColor(clHighlight);
  Font().SetStyle(fsUnderline);
}

const PropertyTable& TURLLabel::Properties() const {
  static const PropertyTable table(&TWinControl::Properties(),
                                   {
                                       props::String("URL", &TURLLabel::SetURL, &TURLLabel::URL),
                                       props::Bool("Visited", &TURLLabel::SetVisited, &TURLLabel::Visited),
                                       props::Color("VisitedColor", &TURLLabel::SetVisitedColor, &TURLLabel::VisitedColor),
                                       props::Color("UnvisitedColor", &TURLLabel::SetUnvisitedColor, &TURLLabel::UnvisitedColor),
                                       control_props::OnClick(),
                                       props::Enum("TextStyle", &TURLLabel::SetTextStyle, &TURLLabel::TextStyle,
                                                   IdentMap<TTextStyle>(kTextStyles)),
                                   });
  return table;
}

void TURLLabel::SetVisited(bool value) {
  if (value == FVisited) return;
  FVisited = value;
  UpdateFontColor();
}

void TURLLabel::SetVisitedColor(TColor value) {
  if (value == FVisitedColor) return;
  FVisitedColor = value;
  UpdateFontColor();
}

void TURLLabel::SetUnvisitedColor(TColor value) {
  if (value == FUnvisitedColor) return;
  FUnvisitedColor = value;
  UpdateFontColor();
}

void TURLLabel::UpdateFontColor() {
  Font().SetColor(FVisited ? FVisitedColor : FUnvisitedColor);
  Invalidate();
}

void TURLLabel::Click() {
  TWinControl::Click();
  std::string target = LinkTarget(FURL, Caption());
  if (IsBlank(target)) return;
  LinkShell& shell = ActiveLinkShell();
  if (shell.Open(target))
    SetVisited(true);
  else if (IsHtmTarget(target))
    shell.ChooseHtmProgram();
}

void TURLLabel::Loaded() {
  TWinControl::Loaded();
  FitToCaption();
}

void TURLLabel::FontChanged() {
  TWinControl::FontChanged();
  if (!IsLoading()) FitToCaption();
}

void TURLLabel::TextChanged() {
  TWinControl::TextChanged();
  if (!IsLoading()) FitToCaption();
}

void TURLLabel::FitToCaption() {
  WindowDC screen(nullptr);
  TCanvas canvas(screen.Get());
  canvas.Font().Assign(Font());
  SIZE size = canvas.TextExtent(Caption());
  SetBounds(Left(), Top(), size.cx, size.cy);
}

void TURLLabel::Paint(TCanvas& canvas) {
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.TextOut(0, 0, Caption());
}

void TURLLabel::MouseDown(int button, uint32_t shift, int, int) {
  // The second press of a double click is no click of its own: the first opened the address.
  if (button != mbLeft || (shift & ssDouble)) return;
  FPressed = true;
  BeginMouseCapture();
}

void TURLLabel::MouseUp(int button, uint32_t, int x, int y) {
  if (button != mbLeft || !FPressed) return;
  FPressed = false;
  EndMouseCapture();
  if (x >= 0 && y >= 0 && x < Width() && y < Height()) Click();
}

TAccessibleItem TURLLabel::AccessibleItem(int32_t) const {
  return LinkAccessible(Caption(), {Enabled(), TabStop(), Focused()}, FVisited);
}

LRESULT TURLLabel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result; FAccessible.HandleMessage(Handle(), message, wParam, lParam, result)) return result;
  return TWinControl::WndProc(message, wParam, lParam);
}
