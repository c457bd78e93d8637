// lvpack: packs a folder into the setup's payload archive, and lists or
// extracts the archive of a stream file or of a built setup executable.
#include <iostream>
#include <string>

#include "Commands.h"

namespace {

const char Usage[] =
    "usage:\n"
    "  lvpack pack FOLDER LIST OUTPUT   pack the files that LIST names, found in FOLDER,\n"
    "                                   into the zlib stream OUTPUT\n"
    "  lvpack list ARCHIVE              show time, size and name of every entry\n"
    "  lvpack extract ARCHIVE FOLDER    write every entry into FOLDER\n"
    "\n"
    "ARCHIVE is a packed stream or an executable carrying it as its resource\n"
    "\"FILES\" of type \"FILES\".\n"
    "\n"
    "LIST gives the archive's order and stored times, one entry a line:\n"
    "  2024-03-18 10:42:00  Templates\\Letters\\Letter 1.rtf\n"
    "a local date and time on an even second, blanks, then the archive name with\n"
    "\"\\\" between folders. Blank lines and lines starting with \"#\" are skipped.\n";

int Run(int argc, char **argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "pack" && argc == 5) {
    PackCommand(argv[2], argv[3], argv[4]);
  } else if (command == "list" && argc == 3) {
    ListCommand(argv[2], std::cout);
  } else if (command == "extract" && argc == 4) {
    ExtractCommand(argv[2], argv[3]);
  } else if (command == "-h" || command == "--help" || command == "help") {
    std::cout << Usage;
  } else {
    std::cerr << Usage;
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception &e) {
    std::cout.flush();
    std::cerr << "lvpack: " << e.what() << '\n';
    return 1;
  }
}
