#include "EntryName.h"

bool IsSafeEntryName(std::string_view name) {
  if (name.empty() || name.size() > 255) return false;
  size_t start = 0;
  while (true) {
    size_t end = name.find('\\', start);
    std::string_view part = name.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (part.empty() || part == "." || part == "..") return false;
    for (char c : part) {
      if (static_cast<unsigned char>(c) < 0x20 || c == '/' || c == ':') return false;
    }
    if (end == std::string_view::npos) return true;
    start = end + 1;
  }
}

std::filesystem::path EntryPath(const std::filesystem::path &folder, std::string_view name) {
  std::filesystem::path path = folder;
  size_t start = 0;
  while (true) {
    size_t end = name.find('\\', start);
    path /= std::string(name.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return path;
    start = end + 1;
  }
}
