// The contents of the benchmark payload's files, generated from a seed to an
// exact size, of the kinds the shipped payload carries: plain text, RTF
// documents, PNG pictures (mostly incompressible) and the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "PngWrite.h"

enum class TContentKind { Text, Rtf, Png, Program };

// By the name's extension: .rtf, .png, .exe, anything else is text.
TContentKind KindOf(std::string_view name);
// Exactly size bytes of the kind; the same seed gives the same bytes. A PNG
// needs room for its signature and chunks (PngMinimumSize).
Bytes MakeContents(TContentKind kind, uint64_t seed, size_t size);

constexpr size_t PngMinimumSize = 8 + 25 + 12 + 12 + 2;
