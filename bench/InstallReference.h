// What an installation of the benchmark payload must leave: the entries of
// its stream, each checked on disk for its bytes and last-write time.
#pragma once

#include <string>
#include <vector>

struct TReferenceEntry {
  std::wstring Name;  // archive name, "\" between folders
  double Time;        // days since 1899-12-30, local
  std::string Bytes;
};

// The stream file's entries in archive order; empty when it cannot be read,
// inflated or walked.
std::vector<TReferenceEntry> LoadReference(const std::wstring &streamFile);

// Whether the templates and the clip library go to the shared data folder
// rather than the destination.
bool IsSharedData(const std::wstring &name);

// Empty when every entry lies under its folder with the right bytes and
// time; else what is wrong with the first that does not.
std::wstring CheckInstalled(const std::vector<TReferenceEntry> &entries, const std::wstring &destination,
                            const std::wstring &sharedData);
