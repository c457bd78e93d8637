#include "dialogs/Dialogs.h"

#include <windows.h>

#include "resconst/ResConst.h"

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

// The answer of a box that failed to appear.
int32_t Refusal(UINT buttonFlags) {
  switch (buttonFlags) {
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNO: return IDNO;
    default: return IDOK;
  }
}

}  // namespace

int32_t MessageDlg(const AnsiString &text, TMsgDlgType dlgType, TMsgDlgButtons buttons) {
  const UINT buttonFlags = ButtonFlags(buttons);
  int answer = ::MessageBoxW(static_cast<HWND>(MessageDlgOwner), UTF8Decode(text).c_str(),
                             UTF8Decode(LocalisedText(SSetupTitle)).c_str(),
                             IconFlag(dlgType) | buttonFlags | MB_TASKMODAL);
  switch (answer) {
    case 0: return Refusal(buttonFlags);
    case IDABORT:
    case IDRETRY:
    case IDIGNORE:
    case IDYES:
    case IDNO: return answer;
    default: return IDOK;
  }
}
