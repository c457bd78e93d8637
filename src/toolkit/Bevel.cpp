// TBevel: shadow on the top and left, highlight on the bottom and right.
#include "toolkit/ExtCtrls.h"

LV_PUBLISH(TBevel) {
  static const TPropInfo properties[] = {
      Property<&TBevel::Shape, &TBevel::SetShape>("Shape"),
  };
  return {.Properties = properties};
}

void TBevel::SetShape(TBevelShape value) {
  if (value == FShape) return;
  FShape = value;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas *canvas = Canvas();
  const int32_t w = Width(), h = Height();
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetColor(clBtnShadow);
  if (FShape == bsBox) {
    const POINT shadow[] = {{0, h - 1}, {0, 0}, {w - 1, 0}};
    canvas->Polyline(shadow);
  } else {
    canvas->MoveTo(0, 0);
    canvas->LineTo(0, h);
  }
  canvas->Pen()->SetColor(clBtnHighlight);
  if (FShape == bsBox) {
    const POINT highlight[] = {{w - 1, 0}, {w - 1, h - 1}, {0, h - 1}};
    canvas->Polyline(highlight);
  } else {
    canvas->MoveTo(1, 0);
    canvas->LineTo(1, h);
  }
}
