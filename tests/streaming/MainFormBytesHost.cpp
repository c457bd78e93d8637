#include "MainFormBytes.h"

#include <fstream>
#include <sstream>

#include "FormCompiler.h"

std::string MainFormBytes() {
  std::ifstream in(LV_MAINFORM_TEXT, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return CompileForm(text.str());
}
