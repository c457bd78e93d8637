// TImage: the picture resampled to the control's size at every paint.
#include <memory>

#include "toolkit/ExtCtrls.h"

LV_PUBLISH(TImage) { return {}; }

void TImage::SetPicture(TGraphic *value) {
  if (value == FPicture) return;
  if (FPicture != nullptr) FPicture->RemoveFreeNotification(PictureFreedEvent());
  FPicture = value;
  if (FPicture != nullptr) FPicture->FreeNotification(PictureFreedEvent());
  Invalidate();
}

void TImage::Destroy() {
  if (FPicture != nullptr) FPicture->RemoveFreeNotification(PictureFreedEvent());
  FPicture = nullptr;
  inherited::Destroy();
}

// The picture is half torn down: only its address is used.
void TImage::PictureFreed(TObject *Sender) {
  if (Sender != FPicture) return;
  FPicture = nullptr;
  Invalidate();
}

// Filtered, so the result is opaque: transparency of the picture is lost.
void TImage::Paint() {
  if (FPicture == nullptr || FPicture->Empty() || Width() <= 0 || Height() <= 0) return;
  TBitmap *source = ObjectAs<TBitmap>(FPicture);
  std::unique_ptr<TBitmap> drawn;
  if (source == nullptr) {
    // The resampler reads bitmaps only.
    drawn = std::make_unique<TBitmap>();
    drawn->SetPixelFormat(pf24Bit);
    drawn->SetSize(FPicture->Width(), FPicture->Height());
    drawn->Canvas()->Draw(0, 0, FPicture);
    source = drawn.get();
  }
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24Bit);
  bitmap.SetSize(Width(), Height());
  Resample(source, &bitmap, true);
  Canvas()->Draw(0, 0, &bitmap);
}
