// lvform: compiles a form description from its text form into the binary
// stream the program carries as a resource.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "FormCompiler.h"

namespace {

std::string ReadFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::string &path, const std::string &bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::cerr << "usage: lvform TEXT OUTPUT   compile the form description TEXT into OUTPUT\n";
    return 2;
  }
  try {
    WriteFile(argv[2], CompileForm(ReadFile(argv[1])));
    return 0;
  } catch (const FormTextError &e) {
    std::cerr << argv[1] << ": " << e.what() << '\n';
  } catch (const std::exception &e) {
    std::cerr << "lvform: " << e.what() << '\n';
  }
  return 1;
}
