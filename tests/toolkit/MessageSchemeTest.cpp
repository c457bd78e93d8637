// The message path of a windowed control: through the real window procedure
// to the handlers of the class chain and the native default, and no
// exception beyond the window procedure.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/MessageBoxDriver.h"
#include "toolkit/Controls.h"

namespace {

constexpr UINT BaseMessage = WM_APP + 1;
constexpr UINT DerivedMessage = WM_APP + 2;
constexpr UINT BothMessage = WM_APP + 3;
constexpr UINT UnhandledMessage = WM_APP + 4;
constexpr UINT ThrowMessage = WM_APP + 5;

enum TThrowKind : int32_t { ThrowException, ThrowAbort, ThrowOutOfRange, ThrowBadAlloc };

// A top-level window, so the test needs no parent.
class TBaseProbe : public TWinControl {
  LV_CLASS(TBaseProbe, TWinControl)

public:
  using TWinControl::TWinControl;
  std::vector<std::string> Seen;

  void Dispatch(TMsgRecord &Message) override {
    switch (Message.Msg) {
      case BaseMessage:
      case BothMessage:
        Seen.push_back("base");
        Message.Result = 10;
        break;
      default:
        inherited::Dispatch(Message);
    }
  }

protected:
  void CreateParams(TCreateParams &Params) override {
    inherited::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.Width = 200;
    Params.Height = 100;
  }
};

class TDerivedProbe : public TBaseProbe {
  LV_CLASS(TDerivedProbe, TBaseProbe)

public:
  using TBaseProbe::TBaseProbe;

  void Dispatch(TMsgRecord &Message) override {
    switch (Message.Msg) {
      case WM_NCCREATE:
      case WM_CREATE:
        Seen.push_back(Message.Msg == WM_NCCREATE ? "nccreate" : "create");
        inherited::Dispatch(Message);
        break;
      case DerivedMessage:
        Seen.push_back("derived");
        Message.Result = 20;
        break;
      case BothMessage:
        Seen.push_back("derived");
        inherited::Dispatch(Message);
        Message.Result += 1;
        break;
      case ThrowMessage:
        Message.Result = 7;
        Throw(static_cast<TThrowKind>(Message.WParam));
        break;
      default:
        inherited::Dispatch(Message);
    }
  }

  void DefaultHandler(TMsgRecord &Message) override {
    if (Message.Msg == UnhandledMessage) Seen.push_back("default");
    inherited::DefaultHandler(Message);
  }

private:
  static void Throw(TThrowKind kind) {
    switch (kind) {
      case ThrowException: throw Exception("a handler failed");
      case ThrowAbort: throw EAbort();
      case ThrowOutOfRange: throw std::out_of_range("list index");
      case ThrowBadAlloc: throw std::bad_alloc();
    }
  }
};

LV_PUBLISH(TBaseProbe) { return {}; }
LV_PUBLISH(TDerivedProbe) { return {}; }

class MessageSchemeTest : public testing::Test {
protected:
  TComponentPtr<TDerivedProbe> Probe{new TDerivedProbe(nullptr)};
};

TEST_F(MessageSchemeTest, TheFirstMessagesOfANewWindowReachTheControlBeingCreated) {
  HWND window = Probe->Handle();
  ASSERT_NE(window, nullptr);
  ASSERT_GE(Probe->Seen.size(), 2u);
  EXPECT_EQ(Probe->Seen[0], "nccreate");
  EXPECT_EQ(Probe->Seen[1], "create");
  EXPECT_EQ(FindControl(window), Probe.get());
  EXPECT_EQ(CreationControl, nullptr);
}

TEST_F(MessageSchemeTest, EachMessageReachesTheFirstHandlerUpTheClassChainOrTheDefault) {
  struct Case {
    UINT msg;
    LRESULT result;
    std::vector<std::string> seen;
  } cases[] = {
      {DerivedMessage, 20, {"derived"}},
      {BaseMessage, 10, {"base"}},
      {BothMessage, 11, {"derived", "base"}},
      {UnhandledMessage, 0, {"default"}},
  };
  HWND window = Probe->Handle();
  for (const Case &c : cases) {
    SCOPED_TRACE(c.msg - WM_APP);
    Probe->Seen.clear();
    EXPECT_EQ(::SendMessageW(window, c.msg, 0, 0), c.result);
    EXPECT_EQ(Probe->Seen, c.seen);
    // Perform takes the same road without the window.
    Probe->Seen.clear();
    EXPECT_EQ(Probe->Perform(c.msg, 0, 0), c.result);
    EXPECT_EQ(Probe->Seen, c.seen);
  }
}

TEST_F(MessageSchemeTest, UnhandledMessagesReachTheNativeProcedureOfTheWindowClass) {
  HWND window = Probe->Handle();
  ASSERT_TRUE(::SetWindowTextW(window, L"native text"));
  wchar_t text[32] = {};
  EXPECT_EQ(::SendMessageW(window, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text)), 11);
  EXPECT_STREQ(text, L"native text");
}

TEST_F(MessageSchemeTest, AReplacedWindowProcSeesEveryMessageFirst) {
  struct TSpy : TObject {
    TWndMethod Inner;
    std::vector<UINT> Messages;
    void Proc(TMsgRecord &Message) {
      Messages.push_back(Message.Msg);
      Inner(Message);
    }
  } spy;
  spy.Inner = Probe->WindowProc;
  Probe->WindowProc = TWndMethod(&spy, &TSpy::Proc);
  EXPECT_EQ(::SendMessageW(Probe->Handle(), DerivedMessage, 0, 0), 20);
  EXPECT_NE(std::find(spy.Messages.begin(), spy.Messages.end(), DerivedMessage), spy.Messages.end());
  Probe->WindowProc = spy.Inner;
}

TEST_F(MessageSchemeTest, AnExceptionStopsAtTheWindowProcedureAndIsReportedUnlessItIsAnAbort) {
  struct Case {
    TThrowKind kind;
    bool boxShown;
  } cases[] = {{ThrowException, true}, {ThrowOutOfRange, true}, {ThrowBadAlloc, true}, {ThrowAbort, false}};
  HWND window = Probe->Handle();
  for (const Case &c : cases) {
    SCOPED_TRACE(c.kind);
    TMessageBoxDriver driver({TBoxAnswer{IDOK}});
    // The result set before the throw is what the sender gets.
    EXPECT_EQ(::SendMessageW(window, ThrowMessage, c.kind, 0), 7);
    const auto &boxes = driver.Finish();
    ASSERT_EQ(boxes.size(), c.boxShown ? 1u : 0u);
    if (c.boxShown) {
      EXPECT_EQ(boxes[0].Text, L"Critical error");
      EXPECT_EQ(boxes[0].Icon, 32513);  // IDI_HAND
    }
    // The window goes on working.
    Probe->Seen.clear();
    EXPECT_EQ(::SendMessageW(window, DerivedMessage, 0, 0), 20);
  }
}

TEST_F(MessageSchemeTest, TheTextOutlivesTheWindow) {
  Probe->Perform(WM_SETTEXT, 0, ToParam(L"before"));
  HWND window = Probe->Handle();
  wchar_t text[32] = {};
  ::GetWindowTextW(window, text, 32);
  EXPECT_STREQ(text, L"before");
  ::SetWindowTextW(window, L"during");
  Probe->DestroyHandle();
  EXPECT_FALSE(Probe->HandleAllocated());
  EXPECT_EQ(FindControl(window), nullptr);
  EXPECT_EQ(Probe->Perform(WM_GETTEXTLENGTH, 0, 0), 6);
  EXPECT_EQ(Probe->Perform(WM_GETTEXT, 32, ToParam(text)), 7);
  EXPECT_STREQ(text, L"during");
}

// Text buffers high in the address space, as a 64-bit process gets them: a
// parameter narrower than a pointer would cut the address.
TEST_F(MessageSchemeTest, TextBuffersTravelWholeThroughTheParameters) {
  auto *buffer = static_cast<wchar_t *>(
      ::VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE));
  ASSERT_NE(buffer, nullptr);
  if (sizeof(void *) == 8) {
    EXPECT_GT(reinterpret_cast<uintptr_t>(buffer), uintptr_t{0xFFFFFFFF});
  }
  for (const bool windowed : {true, false}) {
    SCOPED_TRACE(windowed ? "with its window" : "without a window");
    if (windowed) {
      Probe->HandleNeeded();
    } else {
      Probe->DestroyHandle();
    }
    ::lstrcpyW(buffer, windowed ? L"high up" : L"high up, no window");
    Probe->Perform(WM_SETTEXT, 0, ToParam(buffer));
    wchar_t *out = buffer + 1024;
    const TMsgParam copied = Probe->Perform(WM_GETTEXT, 64, ToParam(out));
    EXPECT_EQ(copied, static_cast<TMsgParam>(::lstrlenW(buffer)) + (windowed ? 0 : 1));
    EXPECT_STREQ(out, buffer);
  }
  ::VirtualFree(buffer, 0, MEM_RELEASE);
}

}  // namespace
