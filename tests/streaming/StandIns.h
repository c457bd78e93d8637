// Stand-ins for the toolkit's classes and the wizard's form: they publish
// exactly the vocabulary of form descriptions, and record what the reader
// does to them (properties set in order, parent, Loaded, live count).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "streaming/Classes.h"
#include "streaming/Reader.h"

enum TPanelBevel : uint8_t { bvNone, bvLowered, bvRaised };
LV_ENUM_TYPE(TPanelBevel, "bvNone", "bvLowered", "bvRaised");
enum TBevelShape : uint8_t { bsBox, bsLeftLine };
LV_ENUM_TYPE(TBevelShape, "bsBox", "bsLeftLine");

// Registers every stand-in class, TMainForm included.
void RegisterStandIns();

class TControl : public TComponent {
  LV_CLASS(TControl, TComponent)

public:
  explicit TControl(TComponent *AOwner);
  ~TControl() override;
  void SetParentComponent(TComponent *Value) override { ParentComponent = Value; }
  void Loaded() override;
  // What Destroy sees of a control: "Name:ClassName".
  virtual std::string Describe() const { return Name() + ":" + ClassName(); }

  void SetLeft(int32_t value) { Note("Left", FLeft = value); }
  void SetTop(int32_t value) { Note("Top", FTop = value); }
  void SetWidth(int32_t value) { Note("Width", FWidth = value); }
  void SetHeight(int32_t value) { Note("Height", FHeight = value); }

  // Control stand-ins alive now; every Name told Loaded, in order; Describe
  // of every control torn down, in order.
  static int Live;
  static std::vector<std::string> LoadedNames;
  static std::vector<std::string> Destroyed;

  // "Prop=value" for each property set, in order ("OnClick" for events).
  std::vector<std::string> Assigned;
  TComponent *ParentComponent = nullptr;
  // The component state when the first property was set.
  TComponentState StateWhileReading = 0;
  int32_t FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;

protected:
  void Destroy() override;
  void Log(const std::string &entry);
  void Note(const char *prop, const std::string &value) { Log(std::string(prop) + "=" + value); }
  void Note(const char *prop, int64_t value) { Note(prop, std::to_string(value)); }
  template <class Event>
  void NoteEvent(const char *prop, Event &field, const Event &value) {
    field = value;
    Log(prop);
  }
};

class TWinControl : public TControl {
  LV_CLASS(TWinControl, TControl)

public:
  using TControl::TControl;
};

class TForm : public TWinControl {
  LV_CLASS(TForm, TWinControl)

public:
  using TWinControl::TWinControl;
  void SetClientWidth(int32_t value) { Note("ClientWidth", FClientWidth = value); }
  void SetClientHeight(int32_t value) { Note("ClientHeight", FClientHeight = value); }
  void SetOnCloseQuery(const TCloseQueryEvent &value) { NoteEvent("OnCloseQuery", FOnCloseQuery, value); }
  int32_t FClientWidth = 0, FClientHeight = 0;
  TCloseQueryEvent FOnCloseQuery;
};

class TButton : public TWinControl {
  LV_CLASS(TButton, TWinControl)

public:
  using TWinControl::TWinControl;
  void SetCancel(bool value) { Note("Cancel", FCancel = value); }
  void SetDefault(bool value) { Note("Default", FDefault = value); }
  void SetCaption(const AnsiString &value) { Note("Caption", FCaption = value); }
  void SetOnClick(const TNotifyEvent &value) { NoteEvent("OnClick", FOnClick, value); }
  bool FCancel = false, FDefault = false;
  AnsiString FCaption;
  TNotifyEvent FOnClick;
};

class TCheckBox : public TWinControl {
  LV_CLASS(TCheckBox, TWinControl)

public:
  using TWinControl::TWinControl;
  void SetCaption(const AnsiString &value) { Note("Caption", FCaption = value); }
  void SetChecked(bool value) { Note("Checked", FChecked = value); }
  AnsiString FCaption;
  bool FChecked = false;
};

class TComboBox : public TWinControl {
  LV_CLASS(TComboBox, TWinControl)

public:
  using TWinControl::TWinControl;
  void SetOnChange(const TNotifyEvent &value) { NoteEvent("OnChange", FOnChange, value); }
  TNotifyEvent FOnChange;
};

class TLabel : public TWinControl {
  LV_CLASS(TLabel, TWinControl)

public:
  using TWinControl::TWinControl;
  void SetAutoSize(bool value) { Note("AutoSize", FAutoSize = value); }
  void SetCaption(const AnsiString &value) { Note("Caption", FCaption = value); }
  bool FAutoSize = true;
  AnsiString FCaption;
};

class TEdit : public TWinControl {
  LV_CLASS(TEdit, TWinControl)

public:
  using TWinControl::TWinControl;
};

class TMemo : public TEdit {
  LV_CLASS(TMemo, TEdit)

public:
  using TEdit::TEdit;
};

class TPanel : public TWinControl {
  LV_CLASS(TPanel, TWinControl)

public:
  using TWinControl::TWinControl;
  void SetBevelInner(TPanelBevel value) { Note("BevelInner", FBevelInner = value); }
  void SetBevelOuter(TPanelBevel value) { Note("BevelOuter", FBevelOuter = value); }
  void SetColor(uint32_t value) { Note("Color", FColor = value); }
  TPanelBevel FBevelInner = bvNone, FBevelOuter = bvRaised;
  uint32_t FColor = 0x8000000F;
};

class TImage : public TControl {
  LV_CLASS(TImage, TControl)

public:
  using TControl::TControl;
};

class TBevel : public TControl {
  LV_CLASS(TBevel, TControl)

public:
  using TControl::TControl;
  void SetShape(TBevelShape value) { Note("Shape", FShape = value); }
  TBevelShape FShape = bsBox;
};

class TMainForm : public TForm {
  LV_CLASS(TMainForm, TForm)

public:
  using TForm::TForm;

  TPanel *TopPan = nullptr;
  TLabel *TopLbl = nullptr;
  TImage *LogoImg = nullptr;
  TPanel *WPan = nullptr;
  TLabel *WelLbl = nullptr;
  TLabel *LngLbl = nullptr;
  TComboBox *LngBx = nullptr;
  TPanel *LPan = nullptr;
  TMemo *LicMemo = nullptr;
  TCheckBox *LicBx = nullptr;
  TPanel *DPan = nullptr;
  TEdit *DstEdt = nullptr;
  TButton *BwsBtn = nullptr;
  TCheckBox *PortBx = nullptr;
  TButton *PortIBtn = nullptr;
  TPanel *SPan = nullptr;
  TLabel *StartLbl = nullptr;
  TCheckBox *Inst2AllBx = nullptr;
  TCheckBox *DskBx = nullptr;
  TPanel *IPan = nullptr;
  TPanel *FPan = nullptr;
  TLabel *FinLbl = nullptr;
  TCheckBox *FinBx = nullptr;
  TButton *BBtn = nullptr;
  TButton *NBtn = nullptr;
  TButton *CBtn = nullptr;

  // The published handlers record "Handler(sender name)".
  void BNClk(TObject *Sender);
  void CClk(TObject *Sender);
  void LngChg(TObject *Sender);
  void BwsClk(TObject *Sender);
  void PortIClk(TObject *Sender);
  void FormCloseQuery(TObject *Sender, bool &CanClose);
  std::vector<std::string> Calls;

  // The 26 published fields, in their order.
  std::vector<TComponent *> Fields() const;

private:
  void Call(const char *handler, TObject *Sender);
};

// A memory stream holding bytes, positioned at its start.
class TBytesStream : public TMemoryStream {
public:
  explicit TBytesStream(const std::string &bytes) {
    WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    SetPosition(0);
  }
};

// A description's bytes: a short string, and a component record.
std::string Str(const std::string &s);
std::string Record(const std::string &cls, const std::string &name, const std::string &properties = "",
                   const std::string &children = "");
