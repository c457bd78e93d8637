// Giving back the compressed payload once the catalogue holds it inflated:
// the pages wholly inside the resource "FILES" (the shipped stream, which
// this executable carries) leave the working set, and nothing around them
// changes: the resource's first and last pages also hold other bytes of the
// image. A process of its own: the stream is undefined afterwards.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "payload/AttachFiles.h"

namespace {

struct ModuleBytes {
  const unsigned char *start;
  size_t size;
};

ModuleBytes PayloadStream() {
  HRSRC info = ::FindResourceA(nullptr, "FILES", "FILES");
  return {static_cast<const unsigned char *>(::LockResource(::LoadResource(nullptr, info))),
          ::SizeofResource(nullptr, info)};
}

size_t PageSize() {
  SYSTEM_INFO system;
  ::GetSystemInfo(&system);
  return system.dwPageSize;
}

size_t WorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return counters.WorkingSetSize;
}

TEST(DiscardPayloadStreamTest, GivesBackTheStreamsWholePagesAndKeepsWhatSharesItsEdgePages) {
  const ModuleBytes stream = PayloadStream();
  ASSERT_NE(stream.start, nullptr);
  const uintptr_t page = PageSize();
  const uintptr_t start = reinterpret_cast<uintptr_t>(stream.start);
  const uintptr_t end = start + stream.size;
  const uintptr_t firstWhole = (start + page - 1) & ~(page - 1);
  const uintptr_t endWhole = end & ~(page - 1);
  ASSERT_GE(endWhole - firstWhole, 16 * page) << "the shipped stream spans too few pages to see them go";

  // The payload as the program has it, and what shares the edge pages.
  TAttachedFiles catalogue;
  const auto *before = reinterpret_cast<const char *>(start & ~(page - 1));
  const auto *after = reinterpret_cast<const char *>(end);
  const std::string edgeBefore(before, reinterpret_cast<const char *>(start) - before);
  const std::string edgeAfter(after, reinterpret_cast<const char *>((end + page - 1) & ~(page - 1)) - after);
  const std::string headBytes(reinterpret_cast<const char *>(start), firstWhole - start);
  const std::string tailBytes(reinterpret_cast<const char *>(endWhole), end - endWhole);

  const size_t residentBefore = WorkingSet();
  ASSERT_TRUE(DiscardPayloadStream());
  const size_t residentAfter = WorkingSet();

  EXPECT_GE(residentBefore - residentAfter, (endWhole - firstWhole) * 3 / 4)
      << "working set " << residentBefore << " -> " << residentAfter << " bytes";
  // Compared without printing: the pages hold kilobytes of binary.
  EXPECT_TRUE(std::string(before, edgeBefore.size()) == edgeBefore) << "the bytes before the stream changed";
  EXPECT_TRUE(std::string(after, edgeAfter.size()) == edgeAfter) << "the bytes after the stream changed";
  EXPECT_TRUE(std::string(reinterpret_cast<const char *>(start), headBytes.size()) == headBytes)
      << "the stream's bytes in its first page changed";
  EXPECT_TRUE(std::string(reinterpret_cast<const char *>(endWhole), tailBytes.size()) == tailBytes)
      << "the stream's bytes in its last page changed";
  // The inflated payload is the catalogue's own and stays whole.
  ASSERT_GT(catalogue.Files.Count(), 0);
  const TAttachedFile *licence = nullptr;
  for (const TAttachedFile *entry : catalogue.Files)
    if (entry->Name == L"License.txt") licence = entry;
  ASSERT_NE(licence, nullptr);
  EXPECT_GT(licence->Size, 0u);
  EXPECT_NE(std::string(reinterpret_cast<const char *>(licence->Data), licence->Size).find("Lorvane"), std::string::npos);
}

}  // namespace
