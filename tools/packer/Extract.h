// Writing the entries of an archive into a folder.
#pragma once

#include <filesystem>
#include <string_view>

// Writes each entry to folder\name, creating sub-folders, and gives each
// file its stored time (read as local time). Every name is checked before
// anything is written: a name that could leave the folder (absolute, a drive,
// "..") raises Exception and nothing is written. A damaged archive raises
// EArchiveDamaged the same way.
void ExtractArchive(std::string_view archive, const std::filesystem::path &folder);
