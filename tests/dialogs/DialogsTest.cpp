// MessageDlg through the real MessageBoxW: a helper thread reads and answers
// each box.
#include "dialogs/Dialogs.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "support/MessageBoxDriver.h"
#include "support/ProcessWindows.h"
#include "resconst/ResConst.h"

namespace {

enum { De, En, Es, Fr, Pl, Ja, Zh, Zht };

const int IconError = 32513;        // IDI_HAND
const int IconQuestion = 32514;     // IDI_QUESTION
const int IconInformation = 32516;  // IDI_ASTERISK

class DialogsTest : public testing::Test {
protected:
  void TearDown() override {
    CurLanguage = En;
    MessageDlgOwner = nullptr;
  }
};

struct BoxCase {
  const char *name;
  TMsgDlgType type;
  TMsgDlgButtons buttons;
  int icon;
  std::vector<int> shown;
  int press;
};

void PrintTo(const BoxCase &c, std::ostream *os) { *os << c.name; }

const TMsgDlgButtons AbortRetryIgnore = mbAbort | mbRetry | mbIgnore;
const std::vector<int> AbortRetryIgnoreIds = {IDABORT, IDRETRY, IDIGNORE};

class MessageDlgBoxTest : public DialogsTest, public testing::WithParamInterface<BoxCase> {};

TEST_P(MessageDlgBoxTest, ShowsTheIconAndButtonsAndReturnsTheAnswer) {
  const BoxCase &c = GetParam();
  TMessageBoxDriver driver({TBoxAnswer{c.press}});
  const int32_t answer = MessageDlg("Something happened.", c.type, c.buttons);
  const auto &boxes = driver.Finish();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Icon, c.icon);
  EXPECT_EQ(boxes[0].Buttons, c.shown);
  EXPECT_EQ(boxes[0].Text, L"Something happened.");
  EXPECT_EQ(answer, c.press);
}

INSTANTIATE_TEST_SUITE_P(
    Sets, MessageDlgBoxTest,
    testing::Values(
        BoxCase{"AbortRetryIgnoreAbort", mtError, AbortRetryIgnore, IconError, AbortRetryIgnoreIds, IDABORT},
        BoxCase{"AbortRetryIgnoreRetry", mtError, AbortRetryIgnore, IconError, AbortRetryIgnoreIds, IDRETRY},
        BoxCase{"AbortRetryIgnoreIgnore", mtError, AbortRetryIgnore, IconError, AbortRetryIgnoreIds, IDIGNORE},
        BoxCase{"YesNoYes", mtConfirmation, mbYes | mbNo, IconQuestion, {IDYES, IDNO}, IDYES},
        BoxCase{"YesNoNo", mtConfirmation, mbYes | mbNo, IconQuestion, {IDYES, IDNO}, IDNO},
        BoxCase{"Information", mtInformation, mbOK, IconInformation, {IDOK}, IDOK},
        // Only the two exact sets give other buttons than OK.
        BoxCase{"YesNoOKShowsOK", mtConfirmation, mbYes | mbNo | mbOK, IconQuestion, {IDOK}, IDOK},
        BoxCase{"AbortRetryShowsOK", mtError, mbAbort | mbRetry, IconError, {IDOK}, IDOK},
        BoxCase{"NoButtonsShowsOK", mtInformation, 0, IconInformation, {IDOK}, IDOK},
        // Any type outside the three shows the error icon.
        BoxCase{"UnknownTypeShowsError", static_cast<TMsgDlgType>(3), mbOK, IconError, {IDOK}, IDOK},
        BoxCase{"LastTypeShowsError", static_cast<TMsgDlgType>(255), mbYes | mbNo, IconError, {IDYES, IDNO}, IDNO}),
    [](const testing::TestParamInfo<BoxCase> &info) { return info.param.name; });

TEST_F(DialogsTest, CaptionIsTheSetupTitleOfTheCurrentLanguage) {
  const struct {
    uint8_t language;
    const wchar_t *caption;
  } cases[] = {
      {En, L"Lorvane Word Processor Lite - Setup"},
      {De, L"Lorvane-Textverarbeitungsprogramm Lite - Setup"},
      {Ja, L"Lorvane Word Processor Lite - \u30bb\u30c3\u30c8\u30a2\u30c3\u30d7"},
  };
  for (const auto &c : cases) {
    CurLanguage = c.language;
    TMessageBoxDriver driver({TBoxAnswer{IDOK}});
    MessageDlg("Text", mtInformation, mbOK);
    const auto &boxes = driver.Finish();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Caption, c.caption);
  }
}

TEST_F(DialogsTest, TextIsDecodedFromUtf8WithItsLineBreaks) {
  TMessageBoxDriver driver({TBoxAnswer{IDOK}});
  MessageDlg("Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC 10\r\r\xE6\x97\xA5\xE6\x9C\xAC", mtInformation, mbOK);
  const auto &boxes = driver.Finish();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Text, L"Gr\u00f6\u00dfe \u20ac 10\r\r\u65e5\u672c");
}

// A top-level window of this thread, for ownership and modality checks.
class OwnWindow {
public:
  OwnWindow() {
    FWindow = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~OwnWindow() { DestroyWindow(FWindow); }
  OwnWindow(const OwnWindow &) = delete;
  OwnWindow &operator=(const OwnWindow &) = delete;
  HWND Handle() const { return FWindow; }

private:
  HWND FWindow;
};

TEST_F(DialogsTest, WithoutAnOwnerTheBoxDisablesTheThreadsWindows) {
  OwnWindow window;
  ASSERT_NE(window.Handle(), nullptr);
  bool enabledDuringBox = true;
  TMessageBoxDriver driver({TBoxAnswer{IDOK, [&](HWND) { enabledDuringBox = IsWindowEnabled(window.Handle()); }}});
  MessageDlg("Modal", mtInformation, mbOK);
  const auto &boxes = driver.Finish();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Owner, nullptr);
  EXPECT_FALSE(enabledDuringBox);
  EXPECT_TRUE(IsWindowEnabled(window.Handle()));
}

TEST_F(DialogsTest, TheApplicationWindowOwnsTheBoxOnceSet) {
  OwnWindow window;
  ASSERT_NE(window.Handle(), nullptr);
  MessageDlgOwner = window.Handle();
  TMessageBoxDriver driver({TBoxAnswer{IDOK}});
  MessageDlg("Owned", mtInformation, mbOK);
  const auto &boxes = driver.Finish();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].Owner, window.Handle());
}

// A box that cannot be shown (its owner is no longer a window) answers with the set's
// refusal: a caller that loops on Retry must not loop unasked.
TEST_F(DialogsTest, ABoxThatCannotBeShownRefuses) {
  const struct {
    const char *name;
    TMsgDlgButtons buttons;
    int32_t answer;
  } cases[] = {
      {"AbortRetryIgnore", AbortRetryIgnore, IDABORT},
      {"YesNo", mbYes | mbNo, IDNO},
      {"OK", mbOK, IDOK},
  };
  HWND gone = GoneWindow();
  ASSERT_NE(gone, nullptr);
  MessageDlgOwner = gone;
  ASSERT_FALSE(IsWindow(gone));
  // Should a box appear after all, it is recorded and closed.
  TMessageBoxDriver driver({});
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MessageDlg("Nobody sees this.", mtError, c.buttons), c.answer);
  }
  EXPECT_TRUE(driver.Finish().empty());
}

}  // namespace
