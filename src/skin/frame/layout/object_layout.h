#pragma once
// Where the frame's objects (caption, caption buttons, animations, user
// areas) sit for the current frame size.
#include <cstdint>
#include <optional>
#include <span>

#include "base/geometry.h"
#include "skin/data/skin_ini_values.h"
#include "skin/frame/layout/frame_geometry.h"

enum class TFrameObjectKind : uint8_t { Caption, Button, StdButton, Animate, User };

// What the layout needs of one object.
struct TFrameObjectPlace {
  TFrameObjectKind Kind = TFrameObjectKind::User;
  TRect Rect;      // ObjectRect: where it sits in the window
  TRect SkinRect;  // its look's rectangle; in the frame picture unless SkinRectInAPicture
  bool SkinRectInAPicture = false;
  TSkinCommand Command = TSkinCommand::cmdefault;  // standard and animated buttons
  bool Visible = true;
};

// Objects drawn into the frame picture follow the corner zone they lie in;
// the others are laid out along the buttons or caption rectangle. A
// system-menu button drawn as the form's icon takes `iconSize` (width, height).
void ArrangeObjects(std::span<TFrameObjectPlace> objects, const TFrameSkinPoints& skin,
                    const TScaledFramePoints& scaled, std::optional<TPoint> iconSize = std::nullopt);
