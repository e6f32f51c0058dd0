#pragma once
// Top-level forms. A form reads its make-up from the RCDATA resource named
// after its class in upper case ("TFORM1"), or from given stream bytes.
#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "ui/control_win.h"
#include "ui/system/handles_win.h"

enum class TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TBorderIcon : uint32_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;
  const PropertyTable& Properties() const override;

  int ClientWidth() const;
  int ClientHeight() const;
  // Before the window exists, the stored client size.
  RECT ClientRect() const override;
  void SetClientWidth(int value);
  void SetClientHeight(int value);
  uint32_t BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(uint32_t value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState value);
  int PixelsPerInch() const override { return FPixelsPerInch; }
  void SetPixelsPerInch(int value) { FPixelsPerInch = value; }
  // Scales the controls' bounds and fonts, and the client size, by multiplier/divisor.
  void ScaleBy(int multiplier, int divisor);
  int TextHeight() const { return FTextHeight; }
  void SetTextHeight(int value) { FTextHeight = value; }
  void SetOldCreateOrder(bool) {}

  void SetVisible(bool value) override;
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // The main form's close ends the application; other forms hide.
  void Close();
  void Loaded() override;
  // The control that last had the keyboard focus in this form.
  TWinControl* ActiveControl() const { return FActiveControl; }
  // Set by a button that closes the form with a result; 0 is none.
  int ModalResult() const { return FModalResult; }
  void SetModalResult(int value) { FModalResult = value; }

 protected:
  void BeginDestroy() override;
  void ChildFocused(TWinControl* control) override;
  void Notification(TComponent* component, TOperation operation) override;
  void LoadFromResource();
  void LoadFromBytes(std::span<const uint8_t> stream);
  void CreateParams(WindowParams& params) override;
  void CreateHandle() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void ApplyClientSize();
  // The window's icons, drawn for these sizes (the monitor's).
  void SetProgramIcons(int smallSize, int largeSize);
  // A form laid out at one density is scaled to the screen's. (Scaling by the
  // font's text height instead would shrink the window wherever the stored
  // font is substituted, as on East Asian systems.)
  void ScaleForScreen();
  // Scales from the current density to this one, which becomes current
  // before the controls are scaled (they lay out for it).
  void ScaleToDensity(int pixelsPerInch);

  int FClientWidth = 0, FClientHeight = 0;
  bool FClientSizeSet = false;
  uint32_t FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TBorderStyle FBorderStyle = TBorderStyle::bsSizeable;
  TWindowState FWindowState = TWindowState::wsNormal;
  // Stored visible: shown once the whole form has loaded.
  bool FShowWhenLoaded = false;
  int FPixelsPerInch = 96;
  int FTextHeight = 0;
  TWinControl* FActiveControl = nullptr;
  int FModalResult = 0;
  // The program icon at this window's sizes: the caption, taskbar and Alt+Tab.
  IconHandle FBigIcon, FSmallIcon;
};

// Every form that exists, in the order they were created.
const std::vector<TForm*>& AllForms();
