#include "PeResource.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "runtime/SysUtils.h"

namespace {

[[noreturn]] void Damaged(const std::string &what) { throw Exception("damaged executable: " + what); }

// Little-endian reads that refuse to leave the bytes they were given.
class TBytes {
public:
  explicit TBytes(std::string_view bytes) : FBytes(bytes) {}
  uint32_t U16(uint64_t offset, const char *what) const { return static_cast<uint32_t>(Read(offset, 2, what)); }
  uint32_t U32(uint64_t offset, const char *what) const { return static_cast<uint32_t>(Read(offset, 4, what)); }
  bool Has(uint64_t offset, uint64_t count) const { return offset <= FBytes.size() && count <= FBytes.size() - offset; }
  std::string_view View(uint64_t offset, uint64_t count, const char *what) const {
    if (!Has(offset, count)) Damaged(std::string(what) + " lies outside the file");
    return FBytes.substr(offset, count);
  }

private:
  uint64_t Read(uint64_t offset, unsigned count, const char *what) const {
    std::string_view b = View(offset, count, what);
    uint64_t v = 0;
    for (unsigned i = count; i-- > 0;) v = v << 8 | static_cast<unsigned char>(b[i]);
    return v;
  }
  std::string_view FBytes;
};

struct TSection {
  uint32_t VirtualAddress, RawSize, RawOffset;
};

// The headers and section table, enough to turn addresses into file bytes.
class TPeImage {
public:
  explicit TPeImage(std::string_view image) : FImage(image) {
    if (!LooksLikeExecutable(image)) Damaged("no MZ header");
    const uint64_t pe = FImage.U32(0x3C, "the PE header offset");
    if (FImage.View(pe, 4, "the PE signature") != std::string_view("PE\0\0", 4)) Damaged("no PE signature");
    const uint64_t coff = pe + 4;
    const uint32_t sections = FImage.U16(coff + 2, "the section count");
    const uint64_t optional = coff + 20;
    const uint32_t optionalSize = FImage.U16(coff + 16, "the optional header size");
    const uint32_t magic = FImage.U16(optional, "the optional header");
    uint64_t dirCountAt;
    if (magic == 0x10B)
      dirCountAt = optional + 92;
    else if (magic == 0x20B)
      dirCountAt = optional + 108;
    else
      Damaged("unknown optional header kind");
    const uint32_t dirCount = FImage.U32(dirCountAt, "the data directory count");
    const uint64_t resourceDir = dirCountAt + 4 + 2 * 8;
    if (dirCount > 2 && resourceDir + 8 <= optional + optionalSize) {
      FResourceRva = FImage.U32(resourceDir, "the resource directory entry");
      FResourceSize = FImage.U32(resourceDir + 4, "the resource directory entry");
    }
    const uint64_t table = optional + optionalSize;
    for (uint32_t i = 0; i < sections; ++i) {
      const uint64_t s = table + 40ull * i;
      FSections.push_back({FImage.U32(s + 12, "the section table"), FImage.U32(s + 16, "the section table"),
                           FImage.U32(s + 20, "the section table")});
    }
  }

  bool HasResources() const { return FResourceRva != 0 && FResourceSize != 0; }
  uint32_t ResourceRva() const { return FResourceRva; }

  // The file bytes of [rva, rva + count), which must lie in one section's raw
  // data.
  std::string_view At(uint32_t rva, uint32_t count, const char *what) const {
    for (const TSection &s : FSections) {
      if (rva < s.VirtualAddress || rva - s.VirtualAddress >= s.RawSize) continue;
      const uint64_t inSection = rva - s.VirtualAddress;
      if (count > s.RawSize - inSection) Damaged(std::string(what) + " runs past its section");
      return FImage.View(s.RawOffset + inSection, count, what);
    }
    Damaged(std::string(what) + " lies in no section");
  }

  // From rva to the end of its section's raw data.
  std::string_view Rest(uint32_t rva, const char *what) const {
    for (const TSection &s : FSections) {
      if (rva < s.VirtualAddress || rva - s.VirtualAddress >= s.RawSize) continue;
      return At(rva, s.RawSize - (rva - s.VirtualAddress), what);
    }
    Damaged(std::string(what) + " lies in no section");
  }

private:
  TBytes FImage;
  uint32_t FResourceRva = 0, FResourceSize = 0;
  std::vector<TSection> FSections;
};

constexpr uint32_t HighBit = 0x80000000u;

bool SameAsciiText(char16_t a, char b) {
  auto up = [](uint32_t c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
  return up(a) == up(static_cast<unsigned char>(b));
}

// The resource tree: three levels of directories (type, name, language)
// whose offsets count from the start of the tree.
class TResourceTree {
public:
  explicit TResourceTree(std::string_view tree) : FTree(tree) {}

  // The offset of the entry's target in the directory at dir whose name
  // matches, with the entry's high bit (set for a sub-directory).
  std::optional<uint32_t> FindNamed(uint32_t dir, std::string_view name) const {
    const uint32_t named = FTree.U16(dir + 12uLL, "a resource directory");
    for (uint32_t i = 0; i < named; ++i) {
      const uint64_t entry = dir + 16uLL + 8ull * i;
      const uint32_t nameField = FTree.U32(entry, "a resource directory entry");
      if ((nameField & HighBit) != 0 && NameIs(nameField & ~HighBit, name))
        return FTree.U32(entry + 4, "a resource directory entry");
    }
    return std::nullopt;
  }

  // The target of the directory's first entry, if it has any.
  std::optional<uint32_t> First(uint32_t dir) const {
    const uint32_t count = FTree.U16(dir + 12uLL, "a resource directory") + FTree.U16(dir + 14uLL, "a resource directory");
    if (count == 0) return std::nullopt;
    return FTree.U32(dir + 16uLL + 4, "a resource directory entry");
  }

  // A data entry's address and size.
  void Data(uint32_t entry, uint32_t &rva, uint32_t &size) const {
    rva = FTree.U32(entry, "a resource data entry");
    size = FTree.U32(entry + 4uLL, "a resource data entry");
  }

private:
  bool NameIs(uint32_t at, std::string_view name) const {
    const uint32_t length = FTree.U16(at, "a resource name");
    if (length != name.size()) return false;
    std::string_view units = FTree.View(at + 2uLL, 2ull * length, "a resource name");
    for (size_t i = 0; i < length; ++i) {
      char16_t c = static_cast<char16_t>(static_cast<unsigned char>(units[2 * i]) |
                                         static_cast<unsigned char>(units[2 * i + 1]) << 8);
      if (!SameAsciiText(c, name[i])) return false;
    }
    return true;
  }
  TBytes FTree;
};

uint32_t SubDirectory(uint32_t target) {
  if ((target & HighBit) == 0) Damaged("a resource directory entry names data where a directory belongs");
  return target & ~HighBit;
}

}  // namespace

bool LooksLikeExecutable(std::string_view image) { return image.size() >= 2 && image.substr(0, 2) == "MZ"; }

std::optional<std::string_view> FindNamedResource(std::string_view image, std::string_view type,
                                                  std::string_view name) {
  TPeImage pe(image);
  if (!pe.HasResources()) return std::nullopt;
  TResourceTree tree(pe.Rest(pe.ResourceRva(), "the resource directory"));

  const auto typeDir = tree.FindNamed(0, type);
  if (!typeDir) return std::nullopt;
  const auto nameDir = tree.FindNamed(SubDirectory(*typeDir), name);
  if (!nameDir) return std::nullopt;
  const auto language = tree.First(SubDirectory(*nameDir));
  if (!language) return std::nullopt;
  if ((*language & HighBit) != 0) Damaged("a resource language entry names a directory where data belongs");

  uint32_t rva, size;
  tree.Data(*language, rva, size);
  return pe.At(rva, size, "the resource data");
}
