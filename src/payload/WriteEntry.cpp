// Writing one payload entry to its target, with the user's choice on failure.
#include <windows.h>

#include "payload/AttachFiles.h"
#include "payload/InstUtils.h"
#include "dialogs/Dialogs.h"
#include "resconst/ResConst.h"

namespace {

// One attempt: the file with the entry's contents and time, logged. An
// existing file is truncated by the create. A write that falls short (a full
// disk takes what fits and may still report success) is a failed attempt,
// and leaves no part of the file behind: a later run keeping existing files
// would keep it for good.
bool WriteOnce(const TAttachedFile &entry, const WideString &target) {
  HANDLE file =
      CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool whole = WriteFile(file, entry.Data, entry.Size, &written, nullptr) && written == entry.Size;
  if (whole) SetFileDateTime(file, DateTimeToFileDate(entry.Time));
  CloseHandle(file);
  if (!whole) {
    DeleteFileW(target.c_str());
    return false;
  }
  Log("File Copy: " + UTF8Encode(target));
  return true;
}

}  // namespace

bool TAttachedFiles::WriteEntry(const TAttachedFile &entry, const WideString &target) {
  for (;;) {
    ForceDirectories(ExtractFilePath(target));
    if (WriteOnce(entry, target)) return true;
    if (Silent) return false;
    const AnsiString message = Format(LocalisedText(SCannotCreateFile), {UTF8Encode(target)});
    switch (MessageDlg(message, mtError, mbAbort | mbRetry | mbIgnore)) {
      case IDABORT: return false;
      case IDIGNORE: return true;
      default: break;  // Retry, from the folders on
    }
  }
}
