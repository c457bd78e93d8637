// TControl: bounds, visibility, text, fonts and colours, scaling, and the
// first stage of its message path.
#include "toolkit/Controls.h"

#include <algorithm>
#include <cstring>

#include "streaming/Reader.h"
#include "toolkit/GraphicsUnit.h"

int32_t ScreenPixelsPerInch() { return GraphicsUnit().ScreenLogPixels; }

bool IsNewShell() {
  static const bool newShell = [] {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return ::GetVersionExA(&version) && version.dwMajorVersion >= 6;
  }();
  return newShell;
}

LV_PUBLISH(TControl) {
  static const TPropInfo properties[] = {
      Property<&TControl::Left, &TControl::SetLeft>("Left"),
      Property<&TControl::Top, &TControl::SetTop>("Top"),
      Property<&TControl::Width, &TControl::SetWidth>("Width"),
      Property<&TControl::Height, &TControl::SetHeight>("Height"),
  };
  return {.Properties = properties};
}

TControl::TControl(TComponent *AOwner)
    : TComponent(AOwner), WindowProc(this, &TControl::WndProc), FFont(std::make_unique<TFont>()) {
  FFontHeight = FFont->Height();
  FFont->OnChange = TNotifyEvent(this, &TControl::FontChanged);
}

void TControl::Destroy() {
  if (FParent != nullptr) FParent->RemoveControl(this);
  inherited::Destroy();
}

TMsgParam TControl::Perform(uint32_t Msg, TMsgParam WParam, TMsgParam LParam) {
  TMsgRecord message{Msg, WParam, LParam, 0};
  WindowProc(message);
  return message.Result;
}

void TControl::WndProc(TMsgRecord &Message) {
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSEWHEEL) {
    // Without double clicks the second press is a press like the first.
    if ((ControlStyle & ctlDblClicks) == 0 &&
        (Message.Msg == WM_LBUTTONDBLCLK || Message.Msg == WM_RBUTTONDBLCLK || Message.Msg == WM_MBUTTONDBLCLK))
      Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK)
      ControlState |= ctsLButtonDown;
    else if (Message.Msg == WM_LBUTTONUP)
      ControlState &= ~ctsLButtonDown;
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMsgRecord &Message) {
  switch (Message.Msg) {
    case TKM_VISIBLECHANGED:
      TKMVisibleChanged(Message);
      break;
    case TKM_ENABLEDCHANGED:
    case TKM_FONTCHANGED:
    case TKM_COLORCHANGED:
      Invalidate();
      break;
    case TKM_PARENTFONTCHANGED:
      TKMParentFontChanged(Message);
      break;
    case TKM_PARENTCOLORCHANGED:
      TKMParentColorChanged(Message);
      break;
    case TKM_HITTEST:
      Message.Result = 1;
      break;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      WMLButtonDown(Message);
      break;
    case WM_LBUTTONUP:
      WMLButtonUp(Message);
      break;
    case WM_CANCELMODE:
      WMCancelMode(Message);
      break;
    case TKM_CONTROLLISTCHANGE:
    case TKM_CHILDKEY:
    case TKM_CHANGED:
      // For the parents up to the form.
      if (FParent != nullptr) FParent->WindowProc(Message);
      break;
    default:
      DefaultHandler(Message);
  }
}

void TControl::DefaultHandler(TMsgRecord &Message) {
  switch (Message.Msg) {
    case WM_GETTEXT: {
      if (FText.empty() || Message.WParam <= 0) {
        Message.Result = 0;
        return;
      }
      const WideString text = UTF8Decode(FText);
      // The count copied includes the terminating zero.
      const size_t count = std::min(text.size() + 1, static_cast<size_t>(Message.WParam));
      auto *buffer = FromParam<wchar_t *>(Message.LParam);
      std::memcpy(buffer, text.c_str(), count * sizeof(wchar_t));
      Message.Result = static_cast<TMsgParam>(count);
      return;
    }
    case WM_GETTEXTLENGTH:
      Message.Result = static_cast<TMsgParam>(UTF8Decode(FText).size());
      return;
    case WM_SETTEXT: {
      auto *text = FromParam<const wchar_t *>(Message.LParam);
      FText = text != nullptr ? UTF8Encode(text) : AnsiString();
      return;
    }
  }
}

void TControl::SetParent(TWinControl *AParent) {
  if (AParent == FParent) return;
  if (FParent != nullptr) FParent->RemoveControl(this);
  if (AParent != nullptr) AParent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent *Value) {
  if (auto *parent = ObjectAs<TWinControl>(Value)) SetParent(parent);
}

void TControl::SetLeft(int32_t value) {
  SetBounds(value, FTop, FWidth, FHeight);
  ScalingFlags |= sfLeft;
}

void TControl::SetTop(int32_t value) {
  SetBounds(FLeft, value, FWidth, FHeight);
  ScalingFlags |= sfTop;
}

void TControl::SetWidth(int32_t value) {
  SetBounds(FLeft, FTop, value, FHeight);
  ScalingFlags |= sfWidth;
}

void TControl::SetHeight(int32_t value) {
  SetBounds(FLeft, FTop, FWidth, value);
  ScalingFlags |= sfHeight;
}

void TControl::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  InvalidateControl(FVisible, false);
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  Invalidate();
  Perform(WM_WINDOWPOSCHANGED, 0, 0);
}

POINT TControl::ClientOrigin() {
  POINT origin{FLeft, FTop};
  if (FParent != nullptr) {
    const POINT parent = FParent->ClientOrigin();
    origin.x += parent.x;
    origin.y += parent.y;
  }
  return origin;
}

RECT TControl::GetClientRect() { return {0, 0, FWidth, FHeight}; }

// The frame around the client area stays as it is.
void TControl::SetClientWidth(int32_t value) { SetBounds(FLeft, FTop, FWidth - GetClientRect().right + value, FHeight); }

void TControl::SetClientHeight(int32_t value) {
  SetBounds(FLeft, FTop, FWidth, FHeight - GetClientRect().bottom + value);
}

POINT TControl::ScreenToClient(POINT point) {
  const POINT origin = ClientOrigin();
  return {point.x - origin.x, point.y - origin.y};
}

void TControl::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  Perform(TKM_VISIBLECHANGED, value, 0);
}

void TControl::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  Perform(TKM_ENABLEDCHANGED, value, 0);
}

void TControl::SetParentFont(bool value) {
  if (value == FParentFont) return;
  FParentFont = value;
  if (FParent != nullptr) Perform(TKM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  FParentColor = false;
  Perform(TKM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool value) {
  if (value == FParentColor) return;
  FParentColor = value;
  if (FParent != nullptr) Perform(TKM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::FontChanged(TObject *) {
  FParentFont = false;
  if (FFont->Height() != FFontHeight) {
    ScalingFlags |= sfFont;
    FFontHeight = FFont->Height();
  }
  Perform(TKM_FONTCHANGED, 0, 0);
}

AnsiString TControl::Caption() {
  const TMsgParam length = Perform(WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  WideString text(static_cast<size_t>(length) + 1, L'\0');
  const TMsgParam copied = Perform(WM_GETTEXT, length + 1, ToParam(text.data()));
  text.resize(static_cast<size_t>(std::clamp(copied, TMsgParam{0}, length)));
  return UTF8Encode(text.c_str());
}

void TControl::SetCaption(const AnsiString &value) {
  if (value == Caption()) return;
  const WideString text = UTF8Decode(value);
  Perform(WM_SETTEXT, 0, ToParam(text.c_str()));
  Perform(TKM_TEXTCHANGED, 0, 0);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::Invalidate() { InvalidateControl(FVisible, (ControlStyle & ctlOpaque) != 0); }

void TControl::ChangeScale(int32_t M, int32_t D) {
  const TScalingFlags flags = (ComponentState() & csLoading) != 0 ? ScalingFlags : sfAll;
  const int32_t left = (flags & sfLeft) != 0 ? MulDiv(FLeft, M, D) : FLeft;
  const int32_t top = (flags & sfTop) != 0 ? MulDiv(FTop, M, D) : FTop;
  int32_t width = FWidth;
  if ((flags & sfWidth) != 0 && (ControlStyle & ctlKeepWidth) == 0)
    width = (flags & sfLeft) != 0 ? MulDiv(FLeft + FWidth, M, D) - left : MulDiv(FWidth, M, D);
  int32_t height = FHeight;
  if ((flags & sfHeight) != 0 && (ControlStyle & ctlKeepHeight) == 0)
    height = (flags & sfTop) != 0 ? MulDiv(FTop + FHeight, M, D) - top : MulDiv(FHeight, M, D);
  SetBounds(left, top, width, height);
  if (!FParentFont && (flags & sfFont) != 0) FFont->SetSize(MulDiv(FFont->Size(), M, D));
  ScalingFlags = 0;
}

void TControl::ReadState(TReader &Reader) {
  ControlState |= ctsReadingState;
  if (auto *parent = ObjectAs<TWinControl>(Reader.Parent())) SetParent(parent);
  inherited::ReadState(Reader);
  ControlState &= ~ctsReadingState;
  if (FParent != nullptr) {
    Perform(TKM_PARENTCOLORCHANGED, 0, 0);
    Perform(TKM_PARENTFONTCHANGED, 0, 0);
  }
}

void TControl::TKMVisibleChanged(TMsgRecord &) { InvalidateControl(true, FVisible && (ControlStyle & ctlOpaque) != 0); }

void TControl::TKMParentFontChanged(TMsgRecord &Message) {
  if (!FParentFont) return;
  if (Message.WParam != 0)
    SetFont(FromParam<TFont *>(Message.LParam));
  else if (FParent != nullptr)
    SetFont(FParent->Font());
  FParentFont = true;
}

void TControl::TKMParentColorChanged(TMsgRecord &Message) {
  if (!FParentColor) return;
  if (Message.WParam != 0)
    SetColor(Message.LParam);
  else if (FParent != nullptr)
    SetColor(FParent->Color());
  FParentColor = true;
}
