#include "toolkit/Dialogs.h"

#include <windows.h>

#include "wizard/ResConst.h"

void *MessageDlgOwner = nullptr;

namespace {

UINT IconFlag(TMsgDlgType dlgType) {
  switch (dlgType) {
    case mtInformation: return MB_ICONINFORMATION;
    case mtConfirmation: return MB_ICONQUESTION;
    default: return MB_ICONHAND;
  }
}

UINT ButtonFlags(TMsgDlgButtons buttons) {
  if (buttons == (mbAbort | mbRetry | mbIgnore)) return MB_ABORTRETRYIGNORE;
  if (buttons == (mbYes | mbNo)) return MB_YESNO;
  return MB_OK;
}

}  // namespace

int32_t MessageDlg(const AnsiString &text, TMsgDlgType dlgType, TMsgDlgButtons buttons) {
  int answer = MessageBoxW(static_cast<HWND>(MessageDlgOwner), UTF8Decode(text).c_str(),
                           UTF8Decode(LocalisedText(SSetupTitle)).c_str(),
                           IconFlag(dlgType) | ButtonFlags(buttons) | MB_TASKMODAL);
  switch (answer) {
    case IDABORT:
    case IDRETRY:
    case IDIGNORE:
    case IDYES:
    case IDNO: return answer;
    default: return IDOK;
  }
}
