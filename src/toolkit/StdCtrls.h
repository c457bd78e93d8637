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

#include "toolkit/Controls.h"

// A list of strings, each with an object reference, read and written one by
// one or as a whole text.
class TStrings : public TPersistent {
  LV_CLASS(TStrings, TPersistent)

public:
  // Not const: lists bound to a control ask its window.
  virtual int32_t Count() = 0;
  virtual AnsiString Get(int32_t Index) = 0;
  virtual TObject *Objects(int32_t) { return nullptr; }
  virtual void PutObject(int32_t, TObject *) {}
  // Appends; returns the new string's index.
  virtual int32_t Add(const AnsiString &S);
  int32_t AddObject(const AnsiString &S, TObject *AObject);
  virtual void Insert(int32_t Index, const AnsiString &S) = 0;
  virtual void Delete(int32_t Index) = 0;
  virtual void Clear() = 0;
  // Every string followed by CR LF.
  virtual AnsiString Text();
  // Splits at CR, LF or CR LF; a final line break adds no empty string.
  virtual void SetText(const AnsiString &Value);
  // Nested; the list hears of the outermost begin and end only.
  void BeginUpdate();
  void EndUpdate();
  // From another TStrings: its strings and objects replace these.
  void Assign(TPersistent *Source) override;

protected:
  virtual void SetUpdateState(bool) {}

private:
  int32_t FUpdateCount = 0;
};

// Strings and objects held in the list itself.
class TStoredStrings : public TStrings {
  LV_CLASS(TStoredStrings, TStrings)

public:
  int32_t Count() override { return static_cast<int32_t>(FItems.size()); }
  AnsiString Get(int32_t Index) override { return FItems.at(static_cast<size_t>(Index)).first; }
  TObject *Objects(int32_t Index) override { return FItems.at(static_cast<size_t>(Index)).second; }
  void PutObject(int32_t Index, TObject *AObject) override { FItems.at(static_cast<size_t>(Index)).second = AObject; }
  void Insert(int32_t Index, const AnsiString &S) override;
  void Delete(int32_t Index) override;
  void Clear() override { FItems.clear(); }

private:
  std::vector<std::pair<AnsiString, TObject *>> FItems;
};

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
  void CMTextChanged(TMsgRecord &Message);

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
  void CNCommand(TMsgRecord &Message);

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
  void CNCtlColor(TMsgRecord &Message);
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
  void CMDialogKey(TMsgRecord &Message);
  void CMDialogChar(TMsgRecord &Message);
  void CMFocusChanged(TMsgRecord &Message);
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
  void CMDialogChar(TMsgRecord &Message);

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
  void CNCtlColorStatic(TMsgRecord &Message);

  bool FAutoSize = true;
};

// Registers the controls of this unit with the form reader.
void RegisterStdControls();
