// Compiles the text form of a form description into the binary stream the
// program reads.
//
//   # A comment runs from '#' to the end of the line.
//   TMainForm MainForm {           # class name, component name, body
//     ClientWidth = 492            # properties first: Name = value
//     OnCloseQuery = FormCloseQuery
//     TPanel TopPan {              # then the child components
//       Caption = "Say \"hi\""
//     }
//   }
//
// A property name may be a dotted path (Font.Height). A value is an integer
// (decimal, or 0x and up to eight hexadecimal digits for a 32-bit pattern), a
// string in double quotes on one line (\" and \\ are its only escapes), true
// or false, nil (no event handler), or an identifier (an enumeration value or
// a handler's name). true, false and nil are keywords in any letter case.
//
// Output: "TPF0", then the root's record: class name and component name as
// short strings, the properties, a zero byte, the children, a zero byte.
// Integers take the smallest of vaInt8, vaInt16 and vaInt32.
#pragma once

#include <stdexcept>
#include <string>

// A text that cannot be compiled; what() starts with "line N: ".
class FormTextError : public std::runtime_error {
public:
  FormTextError(int line, const std::string &message);
  int Line;
};

std::string CompileForm(const std::string &text);
