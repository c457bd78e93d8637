// Controls the toolkit paints itself: picture, bevel and panel.
#pragma once

#include <cstdint>

#include "toolkit/Controls.h"

enum TBevelShape : uint8_t { bsBox = 0, bsLeftLine = 1 };
LV_ENUM_TYPE(TBevelShape, "bsBox", "bsLeftLine");

enum TPanelBevel : uint8_t { bvNone = 0, bvLowered = 1, bvRaised = 2 };
LV_ENUM_TYPE(TPanelBevel, "bvNone", "bvLowered", "bvRaised");

// A picture shown smoothly stretched or shrunk to the control's size.
class TImage : public TGraphicControl {
  LV_CLASS(TImage, TGraphicControl)

public:
  explicit TImage(TComponent *AOwner) : TGraphicControl(AOwner) {}
  // Not owned: when the picture is freed first, the image lets go of it and
  // shows nothing.
  TGraphic *Picture() const { return FPicture; }
  void SetPicture(TGraphic *value);

protected:
  void Destroy() override;
  void Paint() override;

private:
  TNotifyEvent PictureFreedEvent() { return TNotifyEvent(this, &TImage::PictureFreed); }
  void PictureFreed(TObject *Sender);

  TGraphic *FPicture = nullptr;
};

// A sunken one-pixel frame, or an etched vertical line on the left.
class TBevel : public TGraphicControl {
  LV_CLASS(TBevel, TGraphicControl)

public:
  explicit TBevel(TComponent *AOwner) : TGraphicControl(AOwner) {}
  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape value);

protected:
  void Paint() override;

private:
  TBevelShape FShape = bsBox;
};

// A container with an outer and an inner bevel; themed, it stands on its
// parent's background.
class TPanel : public TCustomControl {
  LV_CLASS(TPanel, TCustomControl)

public:
  explicit TPanel(TComponent *AOwner);
  // Drawn at the next paint.
  TPanelBevel BevelInner = bvNone;
  TPanelBevel BevelOuter = bvNone;

protected:
  void CreateParams(TCreateParams &Params) override;
  void Paint() override;
};

// A one-pixel frame just inside Rect, TopColor on the left and top,
// BottomColor on the right and bottom; Rect shrinks by the frame.
void Frame3D(TCanvas *Canvas, RECT &Rect, TColor TopColor, TColor BottomColor);

// Registers the controls of this unit with the form reader.
void RegisterExtControls();
