#include "picker/clock_face_colors.h"

#include "persist/properties.h"

const PropertyTable& TClockFaceColors::Properties() const {
  static const PropertyTable table(&TPersistent::Properties(),
                                   {
                                       props::Color("Face", &TClockFaceColors::SetFace, &TClockFaceColors::Face),
                                       props::Color("Hands", &TClockFaceColors::SetHands, &TClockFaceColors::Hands),
                                       props::Color("Numbers", &TClockFaceColors::SetNumbers, &TClockFaceColors::Numbers),
                                       props::Color("HourTicks", &TClockFaceColors::SetHourTicks, &TClockFaceColors::HourTicks),
                                       props::Color("MinuteTicks", &TClockFaceColors::SetMinuteTicks, &TClockFaceColors::MinuteTicks),
                                   });
  return table;
}

void TClockFaceColors::Update(TColor& field, TColor value) {
  if (field == value) return;
  field = value;
  if (OnChange) OnChange();
}

void TClockFaceColors::Assign(const TClockFaceColors& other) {
  SetFace(other.FFace);
  SetHands(other.FHands);
  SetNumbers(other.FNumbers);
  SetHourTicks(other.FHourTicks);
  SetMinuteTicks(other.FMinuteTicks);
}
