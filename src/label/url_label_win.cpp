#include "label/url_label_win.h"

#include "framework/canvas_win.h"
#include "framework/properties.h"

TURLLabel::TURLLabel(TComponent* owner) : TWinControl(owner) {
  SetParentColor(true);
  SetCursor(crHandPoint);
  Font().SetColor(clHighlight);
  Font().SetStyle(fsUnderline);
}

const PropertyTable& TURLLabel::Properties() const {
  static const PropertyTable table(&TWinControl::Properties(),
                                   {
                                       props::String("URL", &TURLLabel::SetURL),
                                       props::Color("VisitedColor", &TURLLabel::SetVisitedColor),
                                       props::Color("UnvisitedColor", &TURLLabel::SetUnvisitedColor),
                                   });
  return table;
}

void TURLLabel::Loaded() {
  TWinControl::Loaded();
  AutoSize();
}

void TURLLabel::FontChanged() {
  TWinControl::FontChanged();
  if (!IsLoading()) AutoSize();
}

void TURLLabel::AutoSize() {
  HDC screen = GetDC(nullptr);
  SIZE size;
  {
    TCanvas canvas(screen);
    canvas.Font().Assign(Font());
    size = canvas.TextExtent(Caption());
  }
  ReleaseDC(nullptr, screen);
  SetBounds(Left(), Top(), size.cx, size.cy);
}

void TURLLabel::Paint(TCanvas& canvas) {
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.TextOut(0, 0, Caption());
}
