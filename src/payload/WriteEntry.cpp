// Writing one payload entry to its target, with the user's choice on failure.
#include <windows.h>

#include "payload/AttachFiles.h"
#include "payload/InstUtils.h"
#include "dialogs/Dialogs.h"
#include "resconst/ResConst.h"

namespace {

// One attempt: the file with the entry's contents and time, logged. An
// existing file is truncated; a failed write leaves what was written.
bool WriteOnce(const TAttachedFile &entry, const WideString &target) {
  HANDLE file =
      CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, entry.Data, entry.Size, &written, nullptr);
  if (ok) {
    SetFileDateTime(file, DateTimeToFileDate(entry.Time));
    Log("File Copy: " + UTF8Encode(target));
  }
  CloseHandle(file);
  return ok;
}

}  // namespace

bool TAttachedFiles::WriteEntry(const TAttachedFile &entry, const WideString &target) {
  for (;;) {
    ForceDirectories(ExtractFilePath(target));
    if (WriteOnce(entry, target)) return true;
    if (Silent) {
      ExitCode = 2;
      return false;
    }
    const AnsiString message = Format(LocalisedText(SCannotCreateFile), {UTF8Encode(target)});
    switch (MessageDlg(message, mtError, mbAbort | mbRetry | mbIgnore)) {
      case IDABORT: return false;
      case IDIGNORE: return true;
      default: break;  // Retry, from the folders on
    }
  }
}
