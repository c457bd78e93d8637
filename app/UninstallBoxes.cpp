#include <windows.h>

#include "Uninstall.h"

namespace {

constexpr wchar_t Title[] = L"Lorvane Word Processor";

}  // namespace

bool AskToRemove() {
  return ::MessageBoxW(nullptr,
                       L"Do you want to remove Lorvane Word Processor from this computer, with everything its setup "
                       L"installed?",
                       Title, MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL | MB_SETFOREGROUND) == IDYES;
}

bool AskToCloseApplication() {
  return ::MessageBoxW(nullptr,
                       L"Lorvane Word Processor is running. Close it, then choose Retry to remove it; Cancel leaves it "
                       L"installed.",
                       Title, MB_RETRYCANCEL | MB_ICONWARNING | MB_TASKMODAL | MB_SETFOREGROUND) == IDRETRY;
}

void Tell(const std::wstring &text, unsigned icon) {
  ::MessageBoxW(nullptr, text.c_str(), Title, MB_OK | icon | MB_TASKMODAL | MB_SETFOREGROUND);
}

int NotInstalledIn(const std::wstring &folder, bool silent) {
  if (!silent)
    Tell(L"No installation of Lorvane Word Processor was found in " + folder.substr(0, folder.size() - 1) +
             L". Nothing was removed.",
         MB_ICONERROR);
  return UninstallNotInstalled;
}
