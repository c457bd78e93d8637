// Archive files on the host: a bare zlib stream (as shipped in res/) or an
// executable that carries the stream as its "FILES" resource.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Raise Exception naming the file when it cannot be read or written.
std::string ReadFileBytes(const std::filesystem::path &file);
void WriteFileBytes(const std::filesystem::path &file, std::string_view bytes);

// One zlib stream at level 9, so its header reads 78 DA.
std::string DeflateArchive(std::string_view archive);

// The inflated archive of a stream file or of an executable's "FILES"
// resource of type "FILES". Raises Exception for damaged data or a missing
// resource.
std::string LoadArchive(const std::filesystem::path &file);
