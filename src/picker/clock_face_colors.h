#pragma once
// The five colours of the clock face.
#include <functional>

#include "base/color.h"
#include "persist/persistent.h"

class TClockFaceColors : public TPersistent {
 public:
  const PropertyTable& Properties() const override;

  TColor Face() const { return FFace; }
  TColor Hands() const { return FHands; }
  TColor Numbers() const { return FNumbers; }
  TColor HourTicks() const { return FHourTicks; }
  TColor MinuteTicks() const { return FMinuteTicks; }
  void SetFace(TColor value) { Update(FFace, value); }
  void SetHands(TColor value) { Update(FHands, value); }
  void SetNumbers(TColor value) { Update(FNumbers, value); }
  void SetHourTicks(TColor value) { Update(FHourTicks, value); }
  void SetMinuteTicks(TColor value) { Update(FMinuteTicks, value); }
  void Assign(const TClockFaceColors& other);

  // Called after each change that took effect (the picker repaints).
  std::function<void()> OnChange;

 private:
  void Update(TColor& field, TColor value);

  TColor FFace = clBtnFace;
  TColor FHands = clWindowText;
  TColor FNumbers = clWindowText;
  TColor FHourTicks = clBtnShadow;
  TColor FMinuteTicks = clWindowText;
};
