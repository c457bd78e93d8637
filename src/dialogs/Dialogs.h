// Message boxes: every question and every refusal the setup shows goes
// through MessageDlg, task-modal and captioned with the localised setup title.
#pragma once

#include <cstdint>

#include "runtime/SysUtils.h"

enum TMsgDlgType : uint8_t { mtError = 0, mtInformation = 1, mtConfirmation = 2 };

// A set of buttons, one bit per button.
using TMsgDlgButtons = uint8_t;
constexpr TMsgDlgButtons mbYes = 0x01;
constexpr TMsgDlgButtons mbNo = 0x02;
constexpr TMsgDlgButtons mbOK = 0x04;
constexpr TMsgDlgButtons mbAbort = 0x08;
constexpr TMsgDlgButtons mbRetry = 0x10;
constexpr TMsgDlgButtons mbIgnore = 0x20;

// The window that owns the boxes (an HWND): the forms layer sets it to the
// application window when it creates the application object and clears it
// when that goes. Until then boxes have no owner.
extern void *MessageDlgOwner;

// Shows text (UTF-8) with the type's icon: information, question, or for any
// other type the error icon. Only [mbAbort, mbRetry, mbIgnore] and
// [mbYes, mbNo] give buttons other than OK. Returns the pressed button as
// IDABORT, IDRETRY, IDIGNORE, IDYES or IDNO, anything else as IDOK. A box
// that cannot be shown answers with the set's refusal, so that nothing
// proceeds, or retries, that nobody agreed to: IDABORT for
// [mbAbort, mbRetry, mbIgnore], IDNO for [mbYes, mbNo], IDOK otherwise.
int32_t MessageDlg(const AnsiString &text, TMsgDlgType dlgType, TMsgDlgButtons buttons);
