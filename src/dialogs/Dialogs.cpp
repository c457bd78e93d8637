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

// Whether the answer is a button of the set.
bool Offered(int answer, UINT buttonFlags) {
  switch (buttonFlags) {
    case MB_ABORTRETRYIGNORE: return answer == IDABORT || answer == IDRETRY || answer == IDIGNORE;
    case MB_YESNO: return answer == IDYES || answer == IDNO;
    default: return answer == IDOK;
  }
}

// The answer of a box that failed to appear (0, or -1 where the dialog could
// not be made): the set's refusal, so nobody retries unasked.
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
  const HWND owner = static_cast<HWND>(MessageDlgOwner);
  // An owner that is no longer a window fails the box, as the system would;
  // tested here, so nothing hangs on how the system fails it.
  if (owner != nullptr && !::IsWindow(owner)) return Refusal(buttonFlags);
  int answer = ::MessageBoxW(owner, UTF8Decode(text).c_str(), UTF8Decode(LocalisedText(SSetupTitle)).c_str(),
                             IconFlag(dlgType) | buttonFlags | MB_TASKMODAL);
  return Offered(answer, buttonFlags) ? answer : Refusal(buttonFlags);
}
