// The message path of every control, and the text of a control without a
// window.
#include "toolkit/Controls.h"

#include <algorithm>
#include <cstring>

LV_PUBLISH(TControl) { return {}; }

TControl::TControl(TComponent *AOwner) : TComponent(AOwner), WindowProc(this, &TControl::WndProc) {}

int32_t TControl::Perform(uint32_t Msg, int32_t WParam, int32_t LParam) {
  TMsgRecord message{Msg, WParam, LParam, 0};
  WindowProc(message);
  return message.Result;
}

void TControl::WndProc(TMsgRecord &Message) { Dispatch(Message); }

void TControl::Dispatch(TMsgRecord &Message) { DefaultHandler(Message); }

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
      auto *buffer = reinterpret_cast<wchar_t *>(static_cast<intptr_t>(Message.LParam));
      std::memcpy(buffer, text.c_str(), count * sizeof(wchar_t));
      Message.Result = static_cast<int32_t>(count);
      return;
    }
    case WM_GETTEXTLENGTH:
      Message.Result = static_cast<int32_t>(UTF8Decode(FText).size());
      return;
    case WM_SETTEXT: {
      auto *text = reinterpret_cast<const wchar_t *>(static_cast<intptr_t>(Message.LParam));
      FText = text != nullptr ? UTF8Encode(text) : AnsiString();
      return;
    }
  }
}
