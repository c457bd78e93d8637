// Controls for the toolkit's tests: each records the messages it handles, so
// a test sees what reached it and in which order.
#pragma once

#include <string>
#include <vector>

#include "toolkit/Forms.h"

// What a probe saw: "<name> <message>" per entry, shared by all probes of a
// test so the order between controls shows.
using TJournal = std::vector<std::string>;

// A windowed control; records the toolkit messages named in Watched.
class TProbeWin : public TWinControl {
  LV_CLASS(TProbeWin, TWinControl)

public:
  explicit TProbeWin(TComponent *AOwner);
  TJournal *Journal = nullptr;
  std::vector<uint32_t> Watched;
  // Its tear-down notes when this form still names it as active control.
  const TForm *FocusWatch = nullptr;
  void Dispatch(TMsgRecord &Message) override;

protected:
  void Destroy() override;
};

// A push button built on the native "BUTTON" class; a click sets the
// form's ModalResult to Modal.
class TProbeButton : public TProbeWin {
  LV_CLASS(TProbeButton, TProbeWin)

public:
  explicit TProbeButton(TComponent *AOwner);
  int32_t Modal = 0;
  void Dispatch(TMsgRecord &Message) override;

protected:
  void CreateParams(TCreateParams &Params) override;
};

// A container that paints itself in one colour.
class TProbePanel : public TCustomControl {
  LV_CLASS(TProbePanel, TCustomControl)

public:
  explicit TProbePanel(TComponent *AOwner);
  TJournal *Journal = nullptr;
  std::vector<uint32_t> Watched;
  void Dispatch(TMsgRecord &Message) override;

protected:
  void Paint() override;
  void Destroy() override;
};

// A windowless control that fills itself with Fill unless Fill is -1.
class TProbeGraphic : public TGraphicControl {
  LV_CLASS(TProbeGraphic, TGraphicControl)

public:
  explicit TProbeGraphic(TComponent *AOwner);
  TColor Fill = clNavy;
  TJournal *Journal = nullptr;
  std::vector<uint32_t> Watched;
  void Dispatch(TMsgRecord &Message) override;
  using TControl::ControlState;

protected:
  void Paint() override;
  void Destroy() override;
};

// Registers the probes with the form reader.
void RegisterProbes();

// A readable name of a message number for journals.
std::string MessageName(uint32_t msg);
