#include "Sizes.h"

#include <stdexcept>

#include "Contents.h"
#include "Random.h"

namespace {

struct TSizeRange {
  size_t Low, High;
};

TSizeRange RangeOf(TContentKind kind) {
  switch (kind) {
    case TContentKind::Png:
      return {20000, 40000};
    case TContentKind::Rtf:
      return {15000, 35000};
    default:
      return {8000, 24000};
  }
}

}  // namespace

size_t RecordOverhead(const std::string &name) { return 1 + name.size() + 8 + 4; }

std::vector<size_t> PlanSizes(const std::vector<std::string> &names, size_t archiveBytes) {
  std::vector<size_t> sizes(names.size());
  size_t used = 0;
  size_t program = names.size();
  for (size_t i = 0; i < names.size(); ++i) {
    used += RecordOverhead(names[i]);
    const TContentKind kind = KindOf(names[i]);
    if (kind == TContentKind::Program) {
      if (program != names.size()) throw std::runtime_error("more than one program in the list: " + names[i]);
      program = i;
      continue;
    }
    const TSizeRange range = RangeOf(kind);
    TRandom random(SeedOf(names[i]) ^ 0x5153ull);
    sizes[i] = random.Between(static_cast<uint32_t>(range.Low), static_cast<uint32_t>(range.High));
    used += sizes[i];
  }
  if (program == names.size()) throw std::runtime_error("no program (.exe) in the list");
  if (used >= archiveBytes) throw std::runtime_error("the other files leave no room for the program");
  sizes[program] = archiveBytes - used;
  const double share = static_cast<double>(sizes[program]) / static_cast<double>(archiveBytes);
  if (share < 0.28 || share > 0.38)
    throw std::runtime_error("the program would be " + std::to_string(static_cast<int>(share * 100)) +
                             " % of the payload instead of about a third");
  return sizes;
}
