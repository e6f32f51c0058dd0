#pragma once
// What a skinned push button does with the mouse, the keyboard and focus,
// free of any window system: the pressed, hot and default states, the
// press-move-release rule, repeat, grouping and the morph factor. The
// button's window layer feeds it events and carries out what it asks of
// its host.
#include <cstdint>

// What the behaviour needs done or answered by the button that holds it.
class ButtonHost {
 public:
  virtual ~ButtonHost() = default;
  virtual bool Focused() const = 0;
  virtual bool Enabled() const = 0;
  // Sets Down through the property (so grouped buttons are raised); repaints when asked.
  virtual void ApplyDown(bool down, bool repaint) = 0;
  virtual void StartRepeat() = 0;
  virtual void StopRepeat() = 0;
  virtual bool RepeatRunning() const = 0;
  // The user's click: modal result, action or OnClick.
  virtual void PerformClick() = 0;
  // Repaints, or starts the morph animation when the skin morphs.
  virtual void Refresh() = 0;
  virtual void MouseEntered() = 0;
  virtual void MouseLeft() = 0;
  virtual bool Morphing() const = 0;
};

struct ButtonOptions {
  bool RepeatMode = false;
  bool AllowAllUp = false;
  bool CanFocused = true;
  int GroupIndex = 0;
  bool Default = false;
  bool Cancel = false;
};

enum class ButtonKey { Space, Enter, Other };

class ButtonBehaviour {
 public:
  explicit ButtonBehaviour(ButtonHost& host) : FHost(host) {}

  ButtonOptions Options;
  bool Down = false;
  bool MouseInside = false;
  bool PressedByMouse = false;
  bool ActsAsDefault = false;
  double MorphFactor = 0;

  // A left press that the control let through (it had or took the focus).
  void Press();
  void Release();
  // The mouse capture went elsewhere during a press: no click, the button shows up at once.
  void CaptureLost();
  void Enter();
  void Leave();
  void KeyDown(ButtonKey key);
  void KeyUp(ButtonKey key);
  // Enter as a dialog key: true when this button took it.
  bool DefaultKey();
  // Escape as a dialog key, with the modifiers and whether the button can take focus.
  bool CancelKey(bool modifiers, bool canFocus);
  void FocusGained();
  void FocusLost();
  // The focus of the form moved to another control (or this one).
  void FocusMovedTo(bool toThisButton, bool toSkinButton);
  // Setting Down through the property: the morph starts from where pressing leaves it.
  void DownChanged(bool down);
  void EnabledChanged();

  // One 20 ms morph step; false when the animation is over.
  bool MorphTick();

 private:
  bool Hot() const { return (FHost.Focused() && Options.CanFocused) || MouseInside; }
  // Whether entering or leaving changes the look.
  bool HoverChangesLook() const;

  ButtonHost& FHost;
  bool FAlreadyDown = false;  // a group button was pressed while already down
};

// Which picture a skinned button shows, first match winning.
enum class ButtonFace { Morph, Disabled, Down, Active, Normal };

struct ButtonFaceState {
  bool Morphing = false;
  double MorphFactor = 0;
  bool Enabled = true;
  bool HasDisabledPicture = false;
  bool Down = false;
  int GroupIndex = 0;
  bool MouseInside = false;
  bool Focused = false;
  bool CanFocused = true;
  bool PressedByMouse = false;
};

struct ButtonFaceChoice {
  ButtonFace Face = ButtonFace::Normal;
  bool Active = false;
  bool DownLook = false;
  bool operator==(const ButtonFaceChoice&) const = default;
};

ButtonFaceChoice ChooseButtonFace(const ButtonFaceState& state);
// The down look of the default (skin-less) face: the same condition as the skinned one.
bool ShowsDownLook(const ButtonFaceState& state);

// The glyph cell (1-based) of a strip of numGlyphs cells.
int ButtonGlyphCell(bool active, bool down, bool enabled, int numGlyphs);

struct ButtonCaptionColors {
  int32_t Normal = 0, Active = 0, Down = 0, Disabled = 0;
};
int32_t ButtonCaptionColor(const ButtonCaptionColors& colors, bool enabled, bool active, bool down);
