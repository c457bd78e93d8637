// Answers message boxes from a helper thread the way a user would: finds a
// visible top-level window of class "#32770" of the watched process, reads
// what it shows, and presses a button with BM_CLICK.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// What one box showed.
struct TSeenBox {
  HWND Owner = nullptr;
  std::wstring Caption;
  std::wstring Text;      // of the static control 0xFFFF
  std::vector<int> Buttons;  // ids of the visible buttons, ascending
  // The shown icon as a system icon id (IDI_HAND, IDI_QUESTION,
  // IDI_ASTERISK, IDI_EXCLAMATION), 0 when none is shown or it is not one of
  // those. Only meaningful for boxes of this process.
  int Icon = 0;
  int Pressed = 0;  // the button the driver pressed
};

// The driver's answer to one box: the button to press, and what to do on
// the helper thread while the box is still up.
struct TBoxAnswer {
  int Button;
  std::function<void(HWND box)> BeforePress = nullptr;
};

class TMessageBoxDriver {
public:
  // Starts watching the process (this one by default) and answers its boxes
  // in turn. Boxes beyond the answers are recorded too and closed with their
  // first button, so a test that shows one box too many fails, not hangs.
  explicit TMessageBoxDriver(std::vector<TBoxAnswer> answers, DWORD processId = GetCurrentProcessId());
  ~TMessageBoxDriver();
  TMessageBoxDriver(const TMessageBoxDriver &) = delete;
  TMessageBoxDriver &operator=(const TMessageBoxDriver &) = delete;

  // Stops watching and returns every box seen, in order.
  const std::vector<TSeenBox> &Finish();

private:
  void Watch();

  std::vector<TBoxAnswer> FAnswers;
  DWORD FProcessId;
  std::vector<TSeenBox> FSeen;
  std::atomic<bool> FStop{false};
  std::thread FThread;
};
