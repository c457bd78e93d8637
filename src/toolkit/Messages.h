// The message record every handler receives, the toolkit's own message
// numbers, and the offset under which a parent's notification is reflected to
// the child control it concerns.
#pragma once

#include <cstdint>
#include <type_traits>

#include "streaming/TypInfo.h"

// A message parameter or result: pointer-sized and signed, as the native
// ones are, since handles, pointers and text buffers travel in them.
using TMsgParam = intptr_t;

struct TMsgRecord {
  uint32_t Msg;
  TMsgParam WParam;
  TMsgParam LParam;
  TMsgParam Result;
};
static_assert(sizeof(void *) != 4 || sizeof(TMsgRecord) == 16, "32-bit: four 32-bit fields");
static_assert(sizeof(void *) != 8 || sizeof(TMsgRecord) == 32, "64-bit: the number, then three 64-bit fields");

// A pointer or handle put into a parameter, and taken out again.
template <typename T>
TMsgParam ToParam(T *pointer) {
  return reinterpret_cast<TMsgParam>(pointer);
}
template <typename T>
T FromParam(TMsgParam param) {
  static_assert(std::is_pointer_v<T>, "only pointers and handles travel as parameters");
  return reinterpret_cast<T>(param);
}

// The two 16-bit halves of a packed parameter.
constexpr uint16_t LoWord(TMsgParam value) { return static_cast<uint16_t>(value & 0xFFFF); }
constexpr uint16_t HiWord(TMsgParam value) { return static_cast<uint16_t>((static_cast<uintptr_t>(value) >> 16) & 0xFFFF); }

// The first stage of a control's message handling; callers may replace it.
using TWndMethod = TClosure<TMsgRecord &>;

// Toolkit messages, in the application-private range.
constexpr uint32_t TKM_ACTIVATE = 0xB000;
constexpr uint32_t TKM_DEACTIVATE = 0xB001;
constexpr uint32_t TKM_CANCELMODE = 0xB004;
constexpr uint32_t TKM_DIALOGKEY = 0xB005;
constexpr uint32_t TKM_DIALOGCHAR = 0xB006;
constexpr uint32_t TKM_FOCUSCHANGED = 0xB007;
constexpr uint32_t TKM_PARENTFONTCHANGED = 0xB008;
constexpr uint32_t TKM_PARENTCOLORCHANGED = 0xB009;
constexpr uint32_t TKM_HITTEST = 0xB00A;
constexpr uint32_t TKM_VISIBLECHANGED = 0xB00B;
constexpr uint32_t TKM_ENABLEDCHANGED = 0xB00C;
constexpr uint32_t TKM_COLORCHANGED = 0xB00D;
constexpr uint32_t TKM_FONTCHANGED = 0xB00E;
constexpr uint32_t TKM_TEXTCHANGED = 0xB012;
constexpr uint32_t TKM_APPSYSCOMMAND = 0xB017;
constexpr uint32_t TKM_SHOWINGCHANGED = 0xB019;
constexpr uint32_t TKM_ENTER = 0xB01A;
constexpr uint32_t TKM_EXIT = 0xB01B;
constexpr uint32_t TKM_WANTSPECIALKEY = 0xB01E;
constexpr uint32_t TKM_CONTROLLISTCHANGE = 0xB02C;
constexpr uint32_t TKM_CHILDKEY = 0xB02E;
constexpr uint32_t TKM_RECREATEWND = 0xB033;
constexpr uint32_t TKM_INVALIDATE = 0xB034;
constexpr uint32_t TKM_CHANGED = 0xB037;

// A native notification sent to a parent window reaches the child control
// under its own number plus this offset (WM_COMMAND 0x0111 as 0xBD11); the
// message loop offers keyboard messages to their window the same way.
constexpr uint32_t TKN_REFLECT = 0xBC00;
constexpr uint32_t TKN_COMMAND = TKN_REFLECT + 0x0111;
constexpr uint32_t TKN_NOTIFY = TKN_REFLECT + 0x004E;
constexpr uint32_t TKN_KEYDOWN = TKN_REFLECT + 0x0100;
constexpr uint32_t TKN_KEYUP = TKN_REFLECT + 0x0101;
constexpr uint32_t TKN_CHAR = TKN_REFLECT + 0x0102;
constexpr uint32_t TKN_SYSKEYDOWN = TKN_REFLECT + 0x0104;
constexpr uint32_t TKN_SYSCHAR = TKN_REFLECT + 0x0106;
constexpr uint32_t TKN_CTLCOLORMSGBOX = TKN_REFLECT + 0x0132;
constexpr uint32_t TKN_CTLCOLORBTN = TKN_REFLECT + 0x0135;
constexpr uint32_t TKN_CTLCOLORSTATIC = TKN_REFLECT + 0x0138;
