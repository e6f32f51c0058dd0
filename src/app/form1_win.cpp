#include "app/form1_win.h"

#include <array>
#include <string>
#include <string_view>

#include "app/local_clock_win.h"
#include "app/power_off.h"
#include "app/power_platform_win.h"
#include "app/single_instance_win.h"
#include "base/utf_win.h"
#include "ui/action_list_win.h"
#include "ui/application_win.h"
#include "ui/system/resources_win.h"
#include "persist/class_registry.h"
#include "persist/form_fields.h"
#include "skin/frame/skin_hint_win.h"
#include "skin/frame/skin_popup_menu_win.h"
#include "skin/menu/menu_item_component.h"

TForm1* Form1 = nullptr;

namespace {

const std::array<FieldDef<TForm1>, 9> kFields{
    Field("TimePicker", &TForm1::TimePicker),
    Field("SkinForm1", &TForm1::SkinForm1),
    Field("SkinData1", &TForm1::SkinData1),
    Field("CompressedStoredSkin1", &TForm1::CompressedStoredSkin1),
    Field("BtnStart", &TForm1::BtnStart),
    Field("BtnStop", &TForm1::BtnStop),
    Field("Timer1", &TForm1::Timer1),
    Field("URLLabel1", &TForm1::URLLabel1),
    Field("TrayIcon", &TForm1::TrayIcon),
};

const std::array<HandlerDef<TForm1>, 4> kHandlers{
    Handler("BtnStartClick", &TForm1::BtnStartClick),
    Handler("BtnStopClick", &TForm1::BtnStopClick),
    Handler("Timer1Timer", &TForm1::Timer1Timer),
    Handler("TrayIconClick", &TForm1::TrayIconClick),
};

PowerPlatform* gPowerPlatform = nullptr;

}  // namespace

PowerPlatform& ActivePowerPlatform() {
  static SystemPowerPlatform system;
  return gPowerPlatform ? *gPowerPlatform : system;
}

void SetPowerPlatform(PowerPlatform* platform) { gPowerPlatform = platform; }

void RegisterMainFormClasses() {
  RegisterComponentClass<TURLLabel>("TURLLabel");
  RegisterComponentClass<TTimePicker>("TTimePicker");
  RegisterComponentClass<TSkinButton>("TSkinButton");
  RegisterComponentClass<TSkinForm>("TSkinForm");
  RegisterComponentClass<TSkinHint>("TSkinHint");
  RegisterComponentClass<TSkinData>("TSkinData");
  RegisterComponentClass<TCompressedStoredSkin>("TCompressedStoredSkin");
  RegisterComponentClass<TStoredSkin>("TStoredSkin");
  RegisterComponentClass<TTimer>("TTimer");
  RegisterComponentClass<TTrayIcon>("TTrayIcon");
  RegisterComponentClass<TSkinPopupMenu>("TSkinPopupMenu");
  RegisterComponentClass<TMenuItemComponent>("TMenuItem");
  RegisterComponentClass<TActionList>("TActionList");
  RegisterComponentClass<TAction>("TAction");
}

// The form's components as the schedule handlers touch them. A component the
// form resource did not provide is simply skipped.
class TForm1::View : public ScheduleView {
 public:
  explicit View(TForm1& form) : F(form) {}
  // The program ends: the system may sleep again.
  ~View() override { KeepSystemAwake(false); }
  void SetTimerEnabled(bool enabled) override {
    if (F.Timer1) F.Timer1->SetEnabled(enabled);
  }
  bool Armed() const override { return F.Timer1 && F.Timer1->Enabled(); }
  void SetStartEnabled(bool enabled) override {
    if (F.BtnStart) F.BtnStart->SetEnabled(enabled);
  }
  void SetStartCaption(const std::string& caption) override {
    if (F.BtnStart) F.BtnStart->SetCaption(caption);
  }
  void SetStopEnabled(bool enabled) override {
    if (F.BtnStop) F.BtnStop->SetEnabled(enabled);
  }
  void ClickStop() override {
    if (F.BtnStop) F.BtnStop->Click();
  }
  void SetPickerEnabled(bool enabled) override {
    if (F.TimePicker) F.TimePicker->SetEnabled(enabled);
  }
  TDateTime PickerTime() const override { return F.TimePicker ? F.TimePicker->Time() : 0.0; }
  void CallTrayIconClickHandler() override {
    if (F.TrayIcon && F.TrayIcon->OnClick()) F.TrayIcon->OnClick()(&F);
  }
  void SetTrayHint(const std::string& hint) override {
    if (F.TrayIcon) F.TrayIcon->SetHint(hint);
  }
  bool IsApplicationIconic() const override { return Application && Application->Iconic(); }
  void RestoreMainWindow() override {
    if (F.TrayIcon) F.TrayIcon->RestoreMainWindow();
  }
  void HideMainWindow() override {
    if (F.TrayIcon) F.TrayIcon->HideMainWindow();
  }
  void ReportPowerOffFailure(const std::vector<PowerOffFailure>& failures) override {
    if (!Application) return;
    // Told before the quit is posted: a pending quit would close the box at once.
    Application->ShowErrorMessage(PowerOffFailureMessage(failures, ActivePowerPlatform()));
    // Once the system has accepted the request the shutdown ends the program.
    if (PowerOffRefused(failures)) Application->Terminate();
  }
  void KeepSystemAwake(bool awake) override {
    if (awake == FAwake) return;
    FAwake = awake;
    // Without it the schedule still runs while the computer is awake.
    ActivePowerPlatform().SetThreadExecutionState(awake ? EsContinuous | EsSystemRequired : EsContinuous);
  }
  void ShowNotification(const std::string& text) override {
    if (F.TrayIcon) F.TrayIcon->ShowBalloon(NotificationTitle, text);
  }
  void HideNotification() override {
    if (F.TrayIcon) F.TrayIcon->HideBalloon();
  }

 private:
  TForm1& F;
  bool FAwake = false;
};

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  CreateController();
  LoadFromResource();
  ConnectToSystem();
  if (!Form1) Form1 = this;
}

TForm1::TForm1(TComponent* owner, std::span<const uint8_t> stream) : TForm(owner) {
  CreateController();
  LoadFromBytes(stream);
  ConnectToSystem();
  if (!Form1) Form1 = this;
}

void TForm1::Loaded() {
  // Our skin comes with its pictures drawn at more scales than the one in
  // the form; they must be there before the skin follows the form's density.
  if (CompressedStoredSkin1)
    for (int percent : kSkinScales)
      if (auto data = RCDataResource(Utf8ToWide("SKIN" + std::to_string(percent)).c_str()))
        CompressedStoredSkin1->SetScaledData(percent, {data->begin(), data->end()});
  TForm::Loaded();
}

TForm1::~TForm1() {
  BeginDestroy();
  if (Application) Application->UnwatchHandle(FApplicationWatch);
  DestroyComponents();
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::CreateController() {
  FView = std::make_unique<View>(*this);
  FSystemClock = std::make_unique<SystemLocalClock>();
  SetClock(nullptr);
}

void TForm1::SetClock(LocalClock* clock) {
  FController = std::make_unique<ScheduleController>(*FView, clock ? *clock : *FSystemClock, UserLongTimeFormat(), [] {
    std::vector<PowerOffFailure> failures;
    RequestPowerOff(ActivePowerPlatform(), [&failures](const PowerOffFailure& failure) { failures.push_back(failure); });
    return failures;
  });
}

void TForm1::ConnectToSystem() {
  if (TrayIcon) TrayIcon->SetOnBalloonClick([this](TObject*) { BringToFront(); });
  // The application window is unowned, so it hears the system's broadcasts
  // even while the form is hidden in the tray.
  if (Application)
    FApplicationWatch = Application->WatchHandle([this] {
      FApplicationHook = std::make_unique<TWindowProcHook>(
          Application->Handle(), [this](UINT m, WPARAM w, LPARAM l) { return ApplicationMessage(m, w, l); });
    });
}

LRESULT TForm1::ApplicationMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_POWERBROADCAST && (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND))
    FController->SystemResumed();
  if (message == WM_SETTINGCHANGE && lParam && std::wstring_view(reinterpret_cast<const wchar_t*>(lParam)) == L"intl")
    FController->SetTimeFormat(UserLongTimeFormat());
  if (message == RunningCopyMessage()) {
    BringToFront();
    return 0;
  }
  return FApplicationHook->CallPrevious(message, wParam, lParam);
}

void TForm1::BringToFront() {
  // As a double click on the tray icon does; the schedule is not touched.
  if (SkinForm1 && SkinForm1->TrayIcon())
    SkinForm1->RestoreFormFromTray();
  else if (TrayIcon)
    TrayIcon->RestoreMainWindow();
  if (HandleAllocated()) SetForegroundWindow(Handle());
}

bool TForm1::BindField(std::string_view name, TComponent* component) {
  return BindFieldFrom<TForm1>(kFields, *this, name, component);
}

std::any TForm1::FindHandler(std::string_view name) { return FindHandlerIn<TForm1>(kHandlers, *this, name); }

void TForm1::Notification(TComponent* component, TOperation operation) {
  TForm::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  // Fields never point at a component that is gone.
  auto clear = [component](auto*& field) {
    if (field && static_cast<TComponent*>(field) == component) field = nullptr;
  };
  clear(TimePicker);
  clear(SkinForm1);
  clear(SkinData1);
  clear(CompressedStoredSkin1);
  clear(BtnStart);
  clear(BtnStop);
  clear(Timer1);
  clear(URLLabel1);
  clear(TrayIcon);
}

void TForm1::BtnStartClick(TObject*) { FController->StartClick(); }
void TForm1::BtnStopClick(TObject*) { FController->StopClick(); }
void TForm1::Timer1Timer(TObject*) { FController->TimerTick(); }
void TForm1::TrayIconClick(TObject*) { FController->TrayIconClick(); }
