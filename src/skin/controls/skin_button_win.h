#pragma once
// The push button of the main window. Until it draws from the skin it is a
// plain push button that keeps the skin settings the form stores.
#include "ui/control_win.h"
#include "skin/data/skin_data.h"

class TSkinButton : public TWinControl {
 public:
  explicit TSkinButton(TComponent* owner);
  std::string_view ClassName() const override { return "TSkinButton"; }
  const PropertyTable& Properties() const override;

  // Runs OnClick with the button as sender, as a user's click does.
  virtual void Click();
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent handler) { FOnClick = std::move(handler); }

  TSkinData* SkinData() const { return FSkinData.Get(); }
  void SetSkinData(TSkinData* value) { FSkinData.Set(*this, value); }
  const std::string& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const std::string& value) { FSkinDataName = value; }
  TFont& DefaultFont() { return FDefaultFont; }
  void SetDefaultWidth(int value) { FDefaultWidth = value; }
  void SetDefaultHeight(int value) { FDefaultHeight = value; }
  void SetUseSkinFont(bool value) { FUseSkinFont = value; }
  void SetRepeatMode(bool value) { FRepeatMode = value; }
  void SetRepeatInterval(int value) { FRepeatInterval = value; }
  void SetAllowAllUp(bool value) { FAllowAllUp = value; }
  void SetCanFocused(bool value) { FCanFocused = value; }
  void SetDown(bool value);
  bool Down() const { return FDown; }
  void SetGroupIndex(int value) { FGroupIndex = value; }
  void SetNumGlyphs(int value) { FNumGlyphs = value; }
  void SetSpacing(int value) { FSpacing = value; }

 protected:
  void Paint(TCanvas& canvas) override;
  void KeyDown(WORD& key, uint32_t shift) override;
  void MouseDown(int button, uint32_t shift, int x, int y) override;
  void MouseUp(int button, uint32_t shift, int x, int y) override;
  UINT DialogCode() const override { return DLGC_BUTTON; }
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void MouseCaptureLost() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  bool PointerInside(int x, int y) const;

  TNotifyEvent FOnClick;
  ComponentRef<TSkinData> FSkinData;
  std::string FSkinDataName = "button";
  TFont FDefaultFont;
  int FDefaultWidth = 0, FDefaultHeight = 0;
  bool FUseSkinFont = true;
  bool FRepeatMode = false;
  int FRepeatInterval = 100;
  bool FAllowAllUp = false;
  bool FCanFocused = true;
  bool FDown = false;
  int FGroupIndex = 0;
  int FNumGlyphs = 1;
  int FSpacing = 1;
  bool FPressed = false;     // the left button went down on us and is held
  bool FPointerIn = false;   // ... and the pointer is over us now
};
