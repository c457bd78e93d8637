// The value types of a form description: one byte before each value.
#pragma once

#include <cstdint>

constexpr uint8_t vaNull = 0;  // ends a list
constexpr uint8_t vaInt8 = 2;
constexpr uint8_t vaInt16 = 3;
constexpr uint8_t vaInt32 = 4;
constexpr uint8_t vaString = 6;
constexpr uint8_t vaIdent = 7;
constexpr uint8_t vaFalse = 8;
constexpr uint8_t vaTrue = 9;
constexpr uint8_t vaNil = 13;
