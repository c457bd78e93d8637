// The packer's commands. Each raises Exception on failure.
#pragma once

#include <filesystem>
#include <ostream>

void PackCommand(const std::filesystem::path &folder, const std::filesystem::path &list,
                 const std::filesystem::path &output);
// One line per entry, "date time  size  name", then a summary line.
void ListCommand(const std::filesystem::path &archive, std::ostream &out);
void ExtractCommand(const std::filesystem::path &archive, const std::filesystem::path &folder);
