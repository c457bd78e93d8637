// Which archive names may be packed from a folder or written into one.
#pragma once

#include <filesystem>
#include <string_view>

// 1 to 255 bytes of folder names and a file name joined by "\"; no empty,
// "." or ".." part, no "/", ":" or control character. Such a name stays
// inside any folder it is joined to, on Windows and on the host alike.
bool IsSafeEntryName(std::string_view name);

// The host path of a safe archive name inside folder.
std::filesystem::path EntryPath(const std::filesystem::path &folder, std::string_view name);
