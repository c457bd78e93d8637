// What the tests of the standard and self-painted controls share: a form
// made in code that notes the changes reported to it, a recorder of events
// and messages, and a bitmap to paint into.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"
#include "WindowTesting.h"

namespace {

using TJournal = std::vector<std::string>;

std::string NameOf(const TObject *object) {
  const auto *component = ObjectAs<TComponent>(object);
  return component != nullptr ? component->Name() : "?";
}

// Notes every change a control reports (TKM_CHANGED) as "Form changed <name>".
class TStdForm : public TForm {
  LV_CLASS(TStdForm, TForm)

public:
  explicit TStdForm(TComponent *AOwner) : TForm(AOwner) { SetBounds(0, 0, 400, 300); }
  TJournal *Journal = nullptr;
  void Dispatch(TMsgRecord &Message) override {
    if (Message.Msg == TKM_CHANGED && Journal != nullptr)
      Journal->push_back("Form changed " + NameOf(FromParam<TObject *>(Message.LParam)));
    inherited::Dispatch(Message);
  }
};

LV_PUBLISH(TStdForm) { return {}; }

// Handlers for OnClick and OnChange that note "<name> click" and
// "<name> change".
class TEvents : public TObject {
  LV_CLASS(TEvents, TObject)

public:
  explicit TEvents(TJournal *journal) : Journal(journal) {}
  void Clicked(TObject *Sender) { Journal->push_back(NameOf(Sender) + " click"); }
  void Changed(TObject *Sender) { Journal->push_back(NameOf(Sender) + " change"); }
  TNotifyEvent OnClick() { return TNotifyEvent(this, &TEvents::Clicked); }
  TNotifyEvent OnChange() { return TNotifyEvent(this, &TEvents::Changed); }
  TJournal *Journal;
};

LV_PUBLISH(TEvents) { return {}; }

// Sits in a control's WindowProc and notes "<name> <label>" for the watched
// messages before passing them on.
class TSpy : public TObject {
  LV_CLASS(TSpy, TObject)

public:
  TSpy(TControl *control, TJournal *journal, std::vector<std::pair<uint32_t, const char *>> watched)
      : FControl(control), FJournal(journal), FWatched(std::move(watched)), FOld(control->WindowProc) {
    control->WindowProc = TWndMethod(this, &TSpy::Hook);
  }
  ~TSpy() override { FControl->WindowProc = FOld; }
  TSpy(const TSpy &) = delete;
  TSpy &operator=(const TSpy &) = delete;

private:
  void Hook(TMsgRecord &Message) {
    for (const auto &[msg, label] : FWatched)
      if (msg == Message.Msg) FJournal->push_back(FControl->Name() + " " + label);
    FOld(Message);
  }
  TControl *FControl;
  TJournal *FJournal;
  std::vector<std::pair<uint32_t, const char *>> FWatched;
  TWndMethod FOld;
};

LV_PUBLISH(TSpy) { return {}; }


constexpr COLORREF White = RGB(255, 255, 255);

}  // namespace
