#include "picker/clock_face_colors.h"

#include "persist/properties.h"

const PropertyTable& TClockFaceColors::Properties() const {
  static const PropertyTable table(&TPersistent::Properties(),
                                   {
                                       props::Color("Face", &TClockFaceColors::SetFace),
                                       props::Color("Hands", &TClockFaceColors::SetHands),
                                       props::Color("Numbers", &TClockFaceColors::SetNumbers),
                                       props::Color("HourTicks", &TClockFaceColors::SetHourTicks),
                                       props::Color("MinuteTicks", &TClockFaceColors::SetMinuteTicks),
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
