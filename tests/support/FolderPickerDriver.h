// Drives the shell's folder picker through its real window from a helper
// thread, while the test thread runs the modal dialog: finds the dialog,
// reads its tree and presses its buttons.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

// The picker as the helper thread sees it.
struct Picker {
  HWND Dialog = nullptr;
  HWND Tree = nullptr;

  // The captions of the selected tree item and its ancestors, leaf first.
  std::vector<std::wstring> SelectedChain() const;
  // Waits until the selection is the folder leaf inside parent; returns the
  // leaf and parent captions last seen.
  std::vector<std::wstring> WaitForSelection(const std::wstring &leaf, const std::wstring &parent) const;
  void SelectParent() const;
  // Clicks the button as a user would; a missing button still ends the dialog.
  void Press(int id) const;
};

// Starts the helper: it waits for the picker to show its tree, then acts. A
// picker that never shows ends the test run with a message, since the test
// thread is then stuck in the modal call.
std::thread DrivePicker(std::function<void(const Picker &)> act);

// Wine's picker finds a folder in its tree by item data that holds the
// folder's access time, and the first read after a change moves that time
// (relatime), so a fresh folder may not be found. An access time ahead of the
// change time holds still.
void HoldAccessTime(const std::wstring &folder);
