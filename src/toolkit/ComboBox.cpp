// The drop-down list over the native "COMBOBOX" class, and its items.
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"

LV_PUBLISH(TComboBoxStrings) { return {}; }

int32_t TComboBoxStrings::Count() {
  return static_cast<int32_t>(::SendMessageW(FComboBox->Handle(), CB_GETCOUNT, 0, 0));
}

// Read from the window, so the items can be kept over a re-creation.
AnsiString TComboBoxStrings::Get(int32_t Index) {
  const HWND window = FComboBox->Handle();
  const LRESULT length = ::SendMessageW(window, CB_GETLBTEXTLEN, Index, 0);
  if (length <= 0) return {};
  WideString text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied = ::SendMessageW(window, CB_GETLBTEXT, Index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return UTF8Encode(text);
}

TObject *TComboBoxStrings::Objects(int32_t Index) {
  return reinterpret_cast<TObject *>(::SendMessageW(FComboBox->Handle(), CB_GETITEMDATA, Index, 0));
}

void TComboBoxStrings::PutObject(int32_t Index, TObject *AObject) {
  ::SendMessageW(FComboBox->Handle(), CB_SETITEMDATA, Index, reinterpret_cast<LPARAM>(AObject));
}

int32_t TComboBoxStrings::Add(const AnsiString &S) {
  const WideString text = UTF8Decode(S);
  return static_cast<int32_t>(::SendMessageW(FComboBox->Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

LV_PUBLISH(TComboBox) {
  static const TPropInfo properties[] = {
      Property<&TComboBox::OnChange>("OnChange"),
  };
  return {.Properties = properties};
}

TComboBox::TComboBox(TComponent *AOwner)
    : TWinControl(AOwner),
      FItems(std::make_unique<TComboBoxStrings>(this)),
      FCanvas(std::make_unique<TControlCanvas>()) {
  ControlStyle = ctlMouseCapture | ctlKeepHeight;
  SetBounds(Left(), Top(), Width(), 25);
  SetTabStop(true);
  SetParentColor(false);
  FCanvas->SetControl(this);
}

int32_t TComboBox::ItemIndex() { return static_cast<int32_t>(::SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

void TComboBox::SetItemIndex(int32_t value) { ::SendMessageW(Handle(), CB_SETCURSEL, value, 0); }

bool TComboBox::DroppedDown() { return ::SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0; }

void TComboBox::SetDroppedDown(bool value) { ::SendMessageW(Handle(), CB_SHOWDROPDOWN, value, 0); }

void TComboBox::CreateParams(TCreateParams &Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, L"COMBOBOX");
  Params.Style |= CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | CBS_HASSTRINGS | WS_VSCROLL;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TComboBox::CreateWnd() {
  inherited::CreateWnd();
  if (FSavedItems == nullptr || !HandleAllocated()) return;
  FItems->Assign(FSavedItems.get());
  FSavedItems.reset();
}

void TComboBox::DestroyWnd() {
  if (FItems->Count() > 0) {
    FSavedItems = std::make_unique<TStoredStrings>();
    FSavedItems->Assign(FItems.get());
  }
  inherited::DestroyWnd();
}

void TComboBox::Change() {
  Perform(TKM_CHANGED, 0, ToParam(this));
  if (OnChange) OnChange(this);
}

// The list part asks the combo box itself for its colours.
void TComboBox::WndProc(TMsgRecord &Message) {
  if (Message.Msg >= WM_CTLCOLORMSGBOX && Message.Msg <= WM_CTLCOLORSTATIC) {
    Message.Result = CtlColorAnswer(FromParam<HDC>(Message.WParam));
    return;
  }
  inherited::WndProc(Message);
}

void TComboBox::Dispatch(TMsgRecord &Message) {
  switch (Message.Msg) {
    case WM_CREATE:
      inherited::Dispatch(Message);
      ::SetWindowTextW(FHandle, UTF8Decode(FText).c_str());
      break;
    case WM_GETDLGCODE:
      // An open list takes Enter and Escape itself.
      inherited::Dispatch(Message);
      if (DroppedDown()) Message.Result |= DLGC_WANTALLKEYS;
      break;
    case TKM_CANCELMODE:
      if (Message.LParam != ToParam(this) && HandleAllocated()) ::SendMessageW(FHandle, CB_SHOWDROPDOWN, 0, 0);
      break;
    case WM_LBUTTONDOWN: {
      inherited::Dispatch(Message);
      // The press must not keep the mouse when the form gave the focus to
      // another control.
      TForm *form = GetParentForm(this);
      if (::GetCapture() == FHandle && form != nullptr && form->ActiveControl() != this) ::ReleaseCapture();
      break;
    }
    case TKN_COMMAND:
      TKNCommand(Message);
      break;
    default:
      inherited::Dispatch(Message);
  }
}

void TComboBox::TKNCommand(TMsgRecord &Message) {
  switch (HiWord(Message.WParam)) {
    case CBN_SELCHANGE:
      Click();
      Change();
      break;
    case CBN_SETFOCUS:
      FHasFocus = true;
      FDropPending = true;
      break;
    case CBN_KILLFOCUS:
      FHasFocus = false;
      FDropPending = true;
      break;
    case CBN_DROPDOWN:
      FDropPending = false;
      AdjustDropDown();
      // The focus moved while the list was being sized: it must not stay
      // open.
      if (FDropPending) ::PostMessageW(FHandle, WM_CANCELMODE, 0, 0);
      if (!FHasFocus) ::PostMessageW(FHandle, CB_SHOWDROPDOWN, 0, 0);
      break;
    default:
      inherited::Dispatch(Message);
  }
}

// Tall enough for every item.
void TComboBox::AdjustDropDown() {
  const int32_t itemHeight = static_cast<int32_t>(::SendMessageW(Handle(), CB_GETITEMHEIGHT, 0, 0));
  ::SetWindowPos(FHandle, nullptr, 0, 0, Width(), itemHeight * FItems->Count() + Height() + 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_HIDEWINDOW);
  ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_SHOWWINDOW);
}
