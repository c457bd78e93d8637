// Painting: a window paints itself, then its windowless children on top in
// list order; opaque children are left out of the window's own painting.
#include <algorithm>
#include <optional>

#include "toolkit/Controls.h"
#include "toolkit/DeviceContexts.h"
#include "toolkit/Themes.h"

namespace {

// Control canvases that hold a device context, the oldest first.
std::vector<TControlCanvas *> CanvasList;
// No more than this many hold one at a time.
constexpr size_t CanvasLimit = 4;

void MoveWindowOrg(HDC dc, int32_t dx, int32_t dy) {
  POINT origin;
  ::GetWindowOrgEx(dc, &origin);
  ::SetWindowOrgEx(dc, origin.x - dx, origin.y - dy, nullptr);
}

// A canvas drawing on a context it does not own, for one paint.
class TPaintingCanvas {
public:
  TPaintingCanvas(TCanvas &canvas, HDC dc) : FCanvas(canvas) { FCanvas.SetHandle(dc); }
  ~TPaintingCanvas() { FCanvas.SetHandle(nullptr); }
  TPaintingCanvas(const TPaintingCanvas &) = delete;
  TPaintingCanvas &operator=(const TPaintingCanvas &) = delete;

private:
  TCanvas &FCanvas;
};

}  // namespace

void FreeDeviceContexts() {
  while (!CanvasList.empty()) CanvasList.back()->FreeHandle();
}

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
  if (!IsVisible || FParent == nullptr || !FParent->HandleAllocated()) return;
  const RECT rect = BoundsRect();
  bool covered = false;
  const TList<TControl> &siblings = FParent->FControls;
  for (int32_t i = siblings.IndexOf(this) + 1; i < siblings.Count() && !covered; ++i) {
    TControl *sibling = siblings[i];
    if (!sibling->FVisible || (sibling->ControlStyle & ctlOpaque) == 0) continue;
    RECT overlap;
    const RECT other = sibling->BoundsRect();
    ::IntersectRect(&overlap, &rect, &other);
    covered = ::EqualRect(&overlap, &rect) != 0;
  }
  const bool erase = !(IsOpaque || (FParent->ControlStyle & ctlOpaque) != 0 || covered);
  ::InvalidateRect(FParent->FHandle, &rect, erase);
}

void TControl::Repaint() {
  if (!FVisible || FParent == nullptr || !FParent->HandleAllocated()) return;
  if ((ControlStyle & ctlOpaque) == 0) {
    Invalidate();
    Update();
    return;
  }
  // Opaque: paint it now over what is there, nothing under it.
  const TWindowDC dc(FParent->FHandle);
  ::IntersectClipRect(dc.DC(), FLeft, FTop, FLeft + FWidth, FTop + FHeight);
  FParent->PaintControls(dc.DC(), this);
}

void TControl::Update() {
  if (FParent != nullptr) FParent->Update();
}

HDC TControl::GetDeviceContext(HWND &WindowHandle) {
  if (FParent == nullptr) throw Exception("Control has no parent window");
  const HDC dc = FParent->GetDeviceContext(WindowHandle);
  ::SetViewportOrgEx(dc, FLeft, FTop, nullptr);
  ::IntersectClipRect(dc, 0, 0, FWidth, FHeight);
  return dc;
}

void TWinControl::Invalidate() { Perform(TKM_INVALIDATE, 0, 0); }

void TWinControl::TKMInvalidate(TMsgRecord &Message) {
  if (FHandle == nullptr) return;
  if (Parent() != nullptr) Parent()->Perform(TKM_INVALIDATE, 1, 0);
  if (Message.WParam != 0) return;
  ::InvalidateRect(FHandle, nullptr, (ControlStyle & ctlOpaque) == 0);
  if (!ThemeServices().ThemesEnabled()) return;
  // Children drawn on this one's themed background must follow it.
  for (int32_t i = 0; i < ControlCount(); ++i) {
    TControl *child = Controls(i);
    if (IsNewShell() || (child->ControlStyle & ctlParentBackground) != 0) child->Invalidate();
  }
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::Update() {
  if (FHandle != nullptr) ::UpdateWindow(FHandle);
}

HDC TWinControl::GetDeviceContext(HWND &WindowHandle) {
  WindowHandle = Handle();
  return ::GetDC(WindowHandle);
}

void TWinControl::WMPaint(TMsgRecord &Message) {
  if (ControlCount() == 0)
    inherited::Dispatch(Message);
  else
    PaintHandler(Message);
}

void TWinControl::PaintHandler(TMsgRecord &Message) {
  HDC dc = FromParam<HDC>(Message.WParam);
  std::optional<TPaintDC> paint;
  if (dc == nullptr) dc = paint.emplace(FHandle).DC();
  if (FControls.Count() == 0) {
    PaintWindow(dc);
  } else {
    const TSavedDC saved(dc);
    int region = SIMPLEREGION;
    for (int32_t i = 0; i < FControls.Count() && region != NULLREGION; ++i) {
      const TControl *child = FControls[i];
      if (child->FVisible && (child->ControlStyle & ctlOpaque) != 0)
        region = ::ExcludeClipRect(dc, child->FLeft, child->FTop, child->FLeft + child->FWidth,
                                   child->FTop + child->FHeight);
    }
    if (region != NULLREGION) PaintWindow(dc);
  }
  PaintControls(dc, nullptr);
}

void TWinControl::PaintWindow(HDC DC) {
  TMsgRecord message{WM_PAINT, ToParam(DC), 0, 0};
  DefaultHandler(message);
}

void TWinControl::PaintControls(HDC DC, TControl *First) {
  for (int32_t i = std::max(FControls.IndexOf(First), 0); i < FControls.Count(); ++i) {
    TControl *child = FControls[i];
    const RECT rect = child->BoundsRect();
    if (!child->FVisible || !::RectVisible(DC, &rect)) continue;
    const TSavedDC saved(DC);
    MoveWindowOrg(DC, child->FLeft, child->FTop);
    ::IntersectClipRect(DC, 0, 0, child->FWidth, child->FHeight);
    child->Perform(WM_PAINT, ToParam(DC), 0);
  }
}

void TWinControl::WMEraseBkgnd(TMsgRecord &Message) {
  const HDC dc = FromParam<HDC>(Message.WParam);
  if (ThemeServices().ThemesEnabled() && Parent() != nullptr && (ControlStyle & ctlParentBackground) != 0) {
    ThemeServices().PaintParentBackground(FHandle, dc);
  } else {
    const RECT rect = GetClientRect();
    ::FillRect(dc, &rect, FBrush->Handle());
  }
  Message.Result = 1;
}

LV_PUBLISH(TControlCanvas) { return {}; }

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl *value) {
  if (value == FControl) return;
  FreeHandle();
  FControl = value;
}

void TControlCanvas::CreateHandle() {
  if (FControl == nullptr) {
    inherited::CreateHandle();
    return;
  }
  if (FDeviceContext == nullptr) {
    if (CanvasList.size() >= CanvasLimit) CanvasList.front()->FreeHandle();
    FDeviceContext = FControl->GetDeviceContext(FWindowHandle);
    CanvasList.push_back(this);
  }
  SetHandle(FDeviceContext);
}

void TControlCanvas::FreeHandle() {
  if (FDeviceContext == nullptr) return;
  SetHandle(nullptr);
  CanvasList.erase(std::find(CanvasList.begin(), CanvasList.end(), this));
  ::ReleaseDC(FWindowHandle, FDeviceContext);
  FDeviceContext = nullptr;
}

LV_PUBLISH(TGraphicControl) { return {}; }

TGraphicControl::TGraphicControl(TComponent *AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

void TGraphicControl::Dispatch(TMsgRecord &Message) {
  if (Message.Msg != WM_PAINT) {
    inherited::Dispatch(Message);
    return;
  }
  const HDC dc = FromParam<HDC>(Message.WParam);
  if (dc == nullptr) return;
  const TPaintingCanvas painting(*FCanvas, dc);
  Paint();
}

LV_PUBLISH(TCustomControl) { return {}; }

TCustomControl::TCustomControl(TComponent *AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

void TCustomControl::Dispatch(TMsgRecord &Message) {
  if (Message.Msg == WM_PAINT)
    PaintHandler(Message);
  else
    inherited::Dispatch(Message);
}

void TCustomControl::PaintWindow(HDC DC) {
  const TPaintingCanvas painting(*FCanvas, DC);
  Paint();
}
