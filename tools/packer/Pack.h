// Packing a folder into the archive format.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "ListFile.h"

// The inflated archive: one record per entry, in list order, each holding the
// file folder\name (backslashes become folders) and the entry's listed time.
// Raises Exception naming the entry when its file cannot be read.
std::string BuildArchive(const std::filesystem::path &folder, const std::vector<TPackEntry> &entries);
