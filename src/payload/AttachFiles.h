// The payload catalogue: the archive resource "FILES" inflated once into one
// buffer, its entries, the install list built by selection, and the writing
// of one entry to its target.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "payload/PayloadStream.h"
#include "runtime/Lists.h"
#include "runtime/SysUtils.h"

// One archive record. Data points into the catalogue's inflated buffer.
class TAttachedFile {
public:
  WideString Name;  // relative path, "\" between folders
  uint32_t Size = 0;
  TDateTime Time = 0;
  const unsigned char *Data = nullptr;
};

// One scheduled file.
class TFileToInstall {
public:
  TAttachedFile *Entry = nullptr;  // not owned
  WideString Target;
  // Whether the installation log was active when the item was selected.
  bool Logged = false;
};

// What SelectFiles does with a file already present at the target.
enum TOverwriteMode : uint8_t { omKeepExisting = 0, omReplaceIfDifferent = 1, omAlwaysReplace = 2 };

class TAttachedFiles {
public:
  // Reads the resource "FILES" of type "FILES" from the module (an HMODULE;
  // null for the program's own) and sets PublicDir. Raises EPayloadDamaged.
  explicit TAttachedFiles(void *module = nullptr);
  TAttachedFiles(const TAttachedFiles &) = delete;
  TAttachedFiles &operator=(const TAttachedFiles &) = delete;

  // Name (UTF-8) ending in "\" selects every entry under that folder, any
  // other name the first entry of that name; both ignore case. Appends the
  // items to ToInstall and the targets inside PublicDir to PublicFiles, the
  // latter followed by TAB "!" when mode was omKeepExisting. ForceOverwrite
  // makes every mode omAlwaysReplace, the marker aside.
  void SelectFiles(const AnsiString &name, const WideString &destDir, TOverwriteMode mode);
  // Writes the entry whole, with its stored time, and logs "File Copy: ". A
  // write that falls short fails and leaves no part of the file. On failure
  // a silent run gives false at once; otherwise the user picks Abort
  // (false), Ignore (true) or Retry.
  bool WriteEntry(const TAttachedFile &entry, const WideString &target);

  TList<TAttachedFile> Files;      // archive order; never changes
  TList<TFileToInstall> ToInstall;  // selection order
  TStringList PublicFiles;         // UTF-8 targets inside PublicDir, maybe marked

private:
  // The inflated archive and the objects the lists refer to; owned here, so
  // that a constructor that fails half-way leaves nothing behind.
  std::unique_ptr<void, TInflatedPayload::TFreeBlock> FBuffer;
  std::vector<std::unique_ptr<TAttachedFile>> FEntries;
  std::vector<std::unique_ptr<TFileToInstall>> FItems;
};

// Gives the system back the pages that lie wholly inside the module's
// resource "FILES" (an HMODULE; null for the program's own), once the
// catalogue holds the payload inflated: the compressed copy, which the loader
// may have read into private memory, would otherwise stay in the working set
// for the whole run. The resource's bytes are undefined afterwards, so a
// second catalogue of the same module would find it damaged. False when
// there is no such page or the system keeps them.
bool DiscardPayloadStream(void *module = nullptr);

// The catalogue of the run; made at start-up.
extern TAttachedFiles *AttachedFiles;
// The shared public data folder with a trailing backslash, set by the
// catalogue's constructor from SharedDataFolder.
extern WideString PublicDir;
// Set before the first selection: true for a normal install.
extern bool ForceOverwrite;
