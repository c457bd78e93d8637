// Drives another program's windows from outside, the way a person does:
// finds the window, then clicks buttons by their captions, ticks boxes, types
// into edits, chooses in combo boxes and answers message boxes. Everything
// goes through the windows' own messages, so the program under test cannot
// tell it from a user. Every wait ends after a time limit, so a run that goes
// astray fails instead of hanging.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Generous: a 32-bit program under the emulator takes most of a minute to
// show its first window.
constexpr DWORD AutomationWaitMs = 120000;

// The text a window shows (through WM_GETTEXT, so other processes' windows
// too); "(no window)" for a null handle.
std::wstring WindowText(HWND window);
// A caption as a person reads it: without the "&" that marks an access key.
std::wstring ReadableCaption(const std::wstring &caption);

// The first visible top-level window of the process with this class name,
// waited for; null when none shows within the wait.
HWND WaitForTopWindow(DWORD processId, const wchar_t *className, DWORD waitMs = AutomationWaitMs);
// The process's windows that the taskbar shows a button for: visible,
// top-level, and either marked as application windows or unowned and not
// tool windows.
std::vector<HWND> TaskbarWindows(DWORD processId);
// A visible window of the tree under top whose readable caption is this one;
// null when none.
HWND FindByCaption(HWND top, const std::wstring &caption);
// The same, waited for.
HWND WaitForCaption(HWND top, const std::wstring &caption, DWORD waitMs = AutomationWaitMs);
// The first visible window of the tree under top with this class name.
HWND FindByClass(HWND top, const wchar_t *className);

// Presses the button. False, and nothing pressed, when it is missing, hidden
// or disabled: a person could not press it either.
bool Click(HWND button);
// Click on the visible button of the tree with this caption.
bool ClickCaption(HWND top, const std::wstring &caption);
bool Ticked(HWND box);
// Clicks the box when its tick differs, then waits for the tick to show.
bool SetTicked(HWND box, bool ticked);
// Replaces the edit's text key by key; true once the edit shows it.
bool TypeInto(HWND edit, const std::wstring &text);
// Moves the combo box's selection to the item with this text with the
// keyboard; true once it is selected.
bool Choose(HWND combo, const std::wstring &item);
// The item the combo box shows selected.
std::wstring ChosenItem(HWND combo);
// The close box of the window's frame.
void CloseByFrame(HWND top);

// A message box of the process as it shows: caption, text, the ids of its
// visible buttons in ascending order.
struct TBox {
  HWND Window = nullptr;
  std::wstring Caption;
  std::wstring Text;
  std::vector<int> Buttons;
};
// Waits for a visible message box (class "#32770") of the process; an empty
// TBox when none shows within the wait.
TBox WaitForBox(DWORD processId, DWORD waitMs = AutomationWaitMs);
// Presses the box's button and waits until the box is gone.
bool Answer(const TBox &box, int button);

// Waits until the condition holds; false when the wait ran out first.
template <typename TCondition>
bool WaitUntil(TCondition condition, DWORD waitMs = AutomationWaitMs) {
  const DWORD start = ::GetTickCount();
  while (!condition()) {
    if (::GetTickCount() - start > waitMs) return false;
    ::Sleep(20);
  }
  return true;
}
