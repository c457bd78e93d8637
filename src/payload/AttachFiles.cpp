// Loading the payload archive and selecting its entries.
#include "payload/AttachFiles.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "payload/InstUtils.h"

TAttachedFiles *AttachedFiles = nullptr;
WideString PublicDir;
bool ForceOverwrite = false;

namespace {

// The bytes of the module's resource "FILES" of type "FILES", or null.
const void *FindPayloadStream(HMODULE module, DWORD &size) {
  HRSRC info = ::FindResourceA(module, "FILES", "FILES");
  const void *stream = info != nullptr ? ::LockResource(::LoadResource(module, info)) : nullptr;
  size = stream != nullptr ? ::SizeofResource(module, info) : 0;
  return stream;
}

// Whether a file present at the target stays as it is: always under
// omKeepExisting, under omReplaceIfDifferent when its time is the entry's.
bool KeepsPresentFile(const WideString &target, TOverwriteMode mode, TDateTime time) {
  if (mode != omKeepExisting && mode != omReplaceIfDifferent) return false;
  if (!FileExists(target)) return false;
  return mode == omKeepExisting || GetFileDateTime(target) == time;
}

}  // namespace

TAttachedFiles::TAttachedFiles(void *module) {
  DWORD size = 0;
  const void *stream = FindPayloadStream(static_cast<HMODULE>(module), size);
  if (stream == nullptr) throw EPayloadDamaged("The setup carries no payload (resource FILES is missing)");
  TInflatedPayload payload = InflatePayload(stream, size);
  FBuffer = std::move(payload.Buffer);
  FEntries.reserve(payload.Records.size());
  for (const TArchiveRecord &rec : payload.Records) {
    auto entry = std::make_unique<TAttachedFile>();
    entry->Name = UTF8Decode(AnsiString(rec.Name));
    entry->Time = rec.Time;
    entry->Size = rec.Size;
    entry->Data = rec.Data;
    FEntries.push_back(std::move(entry));
    Files.Add(FEntries.back().get());
  }

  // The same public folder the templates and the clip library are written to,
  // also where the documents folder stands in for the common one.
  PublicDir = SharedDataFolder() + L"Public\\";
}

bool DiscardPayloadStream(void *module) {
  DWORD size = 0;
  const void *stream = FindPayloadStream(static_cast<HMODULE>(module), size);
  if (stream == nullptr) return false;
  SYSTEM_INFO system;
  ::GetSystemInfo(&system);
  const uintptr_t page = system.dwPageSize;
  const uintptr_t start = reinterpret_cast<uintptr_t>(stream);
  // Whole pages only: the pages at either end also hold other resources.
  const uintptr_t first = (start + page - 1) & ~(page - 1);
  const uintptr_t end = (start + size) & ~(page - 1);
  if (end <= first) return false;
  return ::VirtualAlloc(reinterpret_cast<void *>(first), end - first, MEM_RESET, PAGE_NOACCESS) != nullptr;
}

void TAttachedFiles::SelectFiles(const AnsiString &name, const WideString &destDir, TOverwriteMode mode) {
  const TOverwriteMode effective = ForceOverwrite ? omAlwaysReplace : mode;
  const WideString wanted = UTF8Decode(name);
  const bool isFolder = !wanted.empty() && wanted.back() == L'\\';
  WideString dir = destDir;
  IncludeTrailingBackslash(dir);

  for (TAttachedFile *entry : Files) {
    if (isFolder ? !StartsText(entry->Name, wanted) : !SameText(entry->Name, wanted)) continue;
    const WideString target = dir + entry->Name;
    if (!KeepsPresentFile(target, effective, entry->Time)) {
      auto item = std::make_unique<TFileToInstall>();
      item->Entry = entry;
      item->Target = target;
      item->Logged = LogSuspendCount == 0;
      FItems.push_back(std::move(item));
      ToInstall.Add(FItems.back().get());
      if (StartsText(target, PublicDir))
        PublicFiles.Add(UTF8Encode(mode == omKeepExisting ? target + L"\t!" : target));
    }
    if (!isFolder) break;
  }
}
