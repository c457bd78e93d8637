// TPanel: bevels from the outside in, then the fill; and the registration of
// the self-painted controls.
#include "toolkit/ExtCtrls.h"
#include "toolkit/Themes.h"

LV_PUBLISH(TPanel) {
  static const TPropInfo properties[] = {
      Property<&TPanel::BevelInner>("BevelInner"),
      Property<&TPanel::BevelOuter>("BevelOuter"),
      Property<&TControl::Color, &TControl::SetColor>("Color"),
  };
  return {.Properties = properties};
}

TPanel::TPanel(TComponent *AOwner) : TCustomControl(AOwner) {
  ControlStyle = ctlContainer | ctlMouseCapture | ctlClicks | ctlOpaque | ctlDblClicks;
  // Themed, the parent's background shows through.
  if (ThemeServices().ThemesEnabled()) {
    ControlStyle |= ctlParentBackground;
    ControlStyle &= ~ctlOpaque;
  }
  SetColor(clBtnFace);
}

void TPanel::CreateParams(TCreateParams &Params) {
  inherited::CreateParams(Params);
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

namespace {

void DrawBevel(TCanvas *canvas, RECT &rect, TPanelBevel bevel) {
  if (bevel == bvLowered) Frame3D(canvas, rect, clBtnShadow, clBtnHighlight);
  if (bevel == bvRaised) Frame3D(canvas, rect, clBtnHighlight, clBtnShadow);
}

}  // namespace

void TPanel::Paint() {
  RECT rect = GetClientRect();
  DrawBevel(Canvas(), rect, BevelOuter);
  DrawBevel(Canvas(), rect, BevelInner);
  // Themed, the erase already drew the parent's background inside, unless
  // the panel was given a background of its own.
  if (ThemeServices().ThemesEnabled() && (ControlStyle & ctlParentBackground) != 0) return;
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(rect);
}

void Frame3D(TCanvas *Canvas, RECT &Rect, TColor TopColor, TColor BottomColor) {
  --Rect.bottom;
  --Rect.right;
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetColor(TopColor);
  const POINT top[] = {{Rect.left, Rect.bottom}, {Rect.left, Rect.top}, {Rect.right, Rect.top}};
  Canvas->Polyline(top);
  Canvas->Pen()->SetColor(BottomColor);
  const POINT bottom[] = {{Rect.right, Rect.top}, {Rect.right, Rect.bottom}, {Rect.left - 1, Rect.bottom}};
  Canvas->Polyline(bottom);
  ++Rect.left;
  ++Rect.top;
}

void RegisterExtControls() { RegisterClasses<TImage, TBevel, TPanel>(); }
