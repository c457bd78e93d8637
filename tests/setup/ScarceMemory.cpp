// Linked into one probe with --wrap=malloc and --wrap=realloc: every block of
// 256 KiB or more is refused, as in a process whose address space is used up.
// The inflation of the payload asks for five times its stream of some 128 KB
// at once; the start-up's small blocks still succeed.
#include <cstddef>

namespace {
constexpr size_t Refused = size_t{256} << 10;
}

extern "C" void *__real_malloc(size_t size);
extern "C" void *__real_realloc(void *block, size_t size);

extern "C" void *__wrap_malloc(size_t size) { return size >= Refused ? nullptr : __real_malloc(size); }

extern "C" void *__wrap_realloc(void *block, size_t size) {
  return size >= Refused ? nullptr : __real_realloc(block, size);
}
