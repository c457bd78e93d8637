// Linked into one probe with --wrap=malloc and --wrap=realloc: every block of
// 4 MiB or more is refused, as in a process whose address space is used up.
// The start-up's small blocks still succeed.
#include <cstddef>

namespace {
constexpr size_t Refused = size_t{4} << 20;
}

extern "C" void *__real_malloc(size_t size);
extern "C" void *__real_realloc(void *block, size_t size);

extern "C" void *__wrap_malloc(size_t size) { return size >= Refused ? nullptr : __real_malloc(size); }

extern "C" void *__wrap_realloc(void *block, size_t size) {
  return size >= Refused ? nullptr : __real_realloc(block, size);
}
