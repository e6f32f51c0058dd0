#pragma once
// The main window. Its make-up comes from the form resource; its four
// handlers forward to the schedule controller.
#include <memory>

#include "app/schedule_controller.h"
#include "ui/form_win.h"
#include "ui/system/timer_win.h"
#include "label/url_label_win.h"
#include "picker/time_picker_win.h"
#include "skin/controls/skin_button_win.h"
#include "skin/data/compressed_stored_skin.h"
#include "skin/data/skin_data.h"
#include "skin/frame/skin_form_win.h"
#include "tray/tray_icon_win.h"

struct PowerPlatform;

class TForm1 : public TForm {
 public:
  // Reads the form resource "TFORM1".
  explicit TForm1(TComponent* owner);
  // Reads the given form stream instead (tests).
  TForm1(TComponent* owner, std::span<const uint8_t> stream);
  ~TForm1() override;
  std::string_view ClassName() const override { return "TForm1"; }

  TTimePicker* TimePicker = nullptr;
  TSkinForm* SkinForm1 = nullptr;
  TSkinData* SkinData1 = nullptr;
  TCompressedStoredSkin* CompressedStoredSkin1 = nullptr;
  TSkinButton* BtnStart = nullptr;
  TSkinButton* BtnStop = nullptr;
  TTimer* Timer1 = nullptr;
  TURLLabel* URLLabel1 = nullptr;
  TTrayIcon* TrayIcon = nullptr;

  void BtnStartClick(TObject* sender);
  void BtnStopClick(TObject* sender);
  void Timer1Timer(TObject* sender);
  void TrayIconClick(TObject* sender);

  // Reads the time from another clock from now on (tests); null puts the
  // system clock back.
  void SetClock(LocalClock* clock);
  // Brings the window back from the tray, or to the front.
  void BringToFront();

  bool BindField(std::string_view name, TComponent* component) override;
  // Beside the form's own, the program carries its skin drawn at these
  // scales, each as the RCDATA resource "SKIN" followed by the percent.
  static constexpr int kSkinScales[] = {125, 150, 175, 200};
  std::any FindHandler(std::string_view name) override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

 private:
  class View;
  void CreateController();
  // Notification clicks, system resume and a second start of the program.
  void ConnectToSystem();
  LRESULT ApplicationMessage(UINT message, WPARAM wParam, LPARAM lParam);

  std::unique_ptr<View> FView;
  std::unique_ptr<LocalClock> FSystemClock;
  std::unique_ptr<ScheduleController> FController;
  std::unique_ptr<TWindowProcHook> FApplicationHook;  // goes before the controller it calls
  int FApplicationWatch = 0;
};

extern TForm1* Form1;

// Registers the classes the main form's stream names.
void RegisterMainFormClasses();
// Where the power-off request goes: the system unless a test put a fake in.
PowerPlatform& ActivePowerPlatform();
void SetPowerPlatform(PowerPlatform* platform);
