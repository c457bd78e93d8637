// Standard controls built on the system's own window classes: edit box,
// memo, drop-down list, push button, check box and label. Each superclasses
// its native class, adds its styles, and turns the native notifications into
// the toolkit's events.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "streaming/Strings.h"
#include "toolkit/Controls.h"

// A single-line edit box.
class TEdit : public TWinControl {
  LV_CLASS(TEdit, TWinControl)

public:
  explicit TEdit(TComponent *AOwner);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  // Keeps the height at one line of the font.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  void Dispatch(TMsgRecord &Message) override;

protected:
  void CreateParams(TCreateParams &Params) override;
  void CreateWnd() override;
  // The text changed: the form hears of it.
  virtual void Change();

private:
  void AdjustHeight();
  void UpdateHeight();
  void TKMTextChanged(TMsgRecord &Message);

  bool FReadOnly = false;
  bool FAutoSize = true;
};

class TMemo;

// The lines of a memo: no strings of their own, only the memo's text.
class TMemoStrings : public TStrings {
  LV_CLASS(TMemoStrings, TStrings)

public:
  explicit TMemoStrings(TMemo *memo) : FMemo(memo) {}
  // Lines, a last empty one not counted; 0 without a window.
  int32_t Count() override;
  // Single lines are neither read nor changed; only the whole text is.
  AnsiString Get(int32_t) override { return {}; }
  void Insert(int32_t, const AnsiString &) override {}
  void Delete(int32_t) override {}
  void Clear() override {}
  AnsiString Text() override;
  void SetText(const AnsiString &Value) override;

protected:
  void SetUpdateState(bool Updating) override;

private:
  TMemo *FMemo;
};

// A multi-line edit box; Tab, Enter and Escape stay with the form.
class TMemo : public TEdit {
  LV_CLASS(TMemo, TEdit)

public:
  explicit TMemo(TComponent *AOwner);
  TStrings *Lines() const { return FLines.get(); }
  void Dispatch(TMsgRecord &Message) override;

protected:
  void CreateParams(TCreateParams &Params) override;
  void CreateWindowHandle(const TCreateParams &Params) override;

private:
  std::unique_ptr<TMemoStrings> FLines;
};

class TComboBox;

// The items of a drop-down list, kept by its window, which reading or adding
// makes.
class TComboBoxStrings : public TStrings {
  LV_CLASS(TComboBoxStrings, TStrings)

public:
  explicit TComboBoxStrings(TComboBox *comboBox) : FComboBox(comboBox) {}
  int32_t Count() override;
  AnsiString Get(int32_t Index) override;
  TObject *Objects(int32_t Index) override;
  void PutObject(int32_t Index, TObject *AObject) override;
  int32_t Add(const AnsiString &S) override;
  void Insert(int32_t, const AnsiString &) override {}
  void Delete(int32_t) override {}
  void Clear() override {}

private:
  TComboBox *FComboBox;
};

// A drop-down list whose list always shows every item.
class TComboBox : public TWinControl {
  LV_CLASS(TComboBox, TWinControl)

public:
  explicit TComboBox(TComponent *AOwner);
  TStrings *Items() const { return FItems.get(); }
  TControlCanvas *Canvas() const { return FCanvas.get(); }
  int32_t ItemIndex();
  void SetItemIndex(int32_t value);
  bool DroppedDown();
  void SetDroppedDown(bool value);
  TNotifyEvent OnChange;

  void WndProc(TMsgRecord &Message) override;
  void Dispatch(TMsgRecord &Message) override;

protected:
  void CreateParams(TCreateParams &Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();

private:
  void AdjustDropDown();
  void TKNCommand(TMsgRecord &Message);

  std::unique_ptr<TComboBoxStrings> FItems;
  std::unique_ptr<TControlCanvas> FCanvas;
  bool FHasFocus = false;
  bool FDropPending = false;
  // The items while the window is re-created.
  std::unique_ptr<TStoredStrings> FSavedItems;
};

// What push buttons and check boxes share: a press on an unfocused one
// focuses it without clicking, and the themed background of the parent.
class TButtonControl : public TWinControl {
  LV_CLASS(TButtonControl, TWinControl)

public:
  explicit TButtonControl(TComponent *AOwner) : TWinControl(AOwner) {}
  void WndProc(TMsgRecord &Message) override;
  void Dispatch(TMsgRecord &Message) override;

protected:
  void TKNCtlColor(TMsgRecord &Message);
  // While above 0, native clicks are not reported.
  uint8_t ClicksDisabled = 0;
};

// A push button; Enter presses the Active one, Escape the Cancel one.
class TButton : public TButtonControl {
  LV_CLASS(TButton, TButtonControl)

public:
  explicit TButton(TComponent *AOwner);
  bool Default() const { return FDefault; }
  void SetDefault(bool value);
  // The button Enter presses now: the focused push button, else the
  // Default one.
  bool Active() const { return FActive; }
  bool Cancel = false;
  // Given to the form when the button is clicked.
  int32_t ModalResult = 0;

  void Click() override;
  void Dispatch(TMsgRecord &Message) override;

protected:
  void CreateParams(TCreateParams &Params) override;
  void CreateWnd() override;

private:
  void TKMDialogKey(TMsgRecord &Message);
  void TKMDialogChar(TMsgRecord &Message);
  void TKMFocusChanged(TMsgRecord &Message);
  // Active for the control that has the focus, and the native frame with it.
  void UpdateActive(TControl *Focused);

  bool FDefault = false;
  bool FActive = false;
};

// A check box, by default a line of its font high; the toolkit keeps its
// state and sets the native check.
class TCheckBox : public TButtonControl {
  LV_CLASS(TCheckBox, TButtonControl)

public:
  explicit TCheckBox(TComponent *AOwner);
  // 0 unchecked, 1 checked.
  uint8_t State() const { return FState; }
  // A change raises Click, also when made by code.
  void SetState(uint8_t value);
  bool Checked() const { return FState == 1; }
  void SetChecked(bool value) { SetState(value ? 1 : 0); }
  void Toggle() { SetState(FState == 0 ? 1 : 0); }

  void Click() override;
  void Dispatch(TMsgRecord &Message) override;

protected:
  void CreateParams(TCreateParams &Params) override;
  void CreateWnd() override;

private:
  int32_t DefaultHeight();
  void TKMDialogChar(TMsgRecord &Message);

  uint8_t FState = 0;
};

// A static text that can size itself to its caption.
class TLabel : public TWinControl {
  LV_CLASS(TLabel, TWinControl)

public:
  explicit TLabel(TComponent *AOwner);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  void Loaded() override;
  void Dispatch(TMsgRecord &Message) override;

protected:
  void CreateParams(TCreateParams &Params) override;

private:
  // The caption's extent plus a quarter of its height on both axes.
  void AdjustBounds();
  void TKNCtlColorStatic(TMsgRecord &Message);

  bool FAutoSize = true;
};

// Registers the controls of this unit with the form reader.
void RegisterStdControls();
