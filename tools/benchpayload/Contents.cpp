#include "Contents.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "Random.h"

namespace {

bool EndsWith(std::string_view name, std::string_view tail) {
  return name.size() >= tail.size() && name.substr(name.size() - tail.size()) == tail;
}

// Words built from syllables, the same list on every run; earlier words are
// picked more often, as in real prose.
const std::vector<std::string> &Words() {
  static const std::vector<std::string> words = [] {
    static const char *const syllables[] = {"ar", "be", "con", "de", "en", "for", "ge", "in", "ly", "ment",
                                            "na", "or", "per", "re", "sion", "ta", "ter", "tion", "un", "ver",
                                            "al", "com", "di", "ex", "ful", "ha", "is", "la", "mo", "ness"};
    TRandom random(0x5EED0001);
    std::vector<std::string> list;
    for (int i = 0; i < 600; ++i) {
      std::string word;
      for (uint32_t n = random.Between(1, 4); n > 0; --n) word += syllables[random.Below(std::size(syllables))];
      list.push_back(word);
    }
    return list;
  }();
  return words;
}

const std::string &PickWord(TRandom &random) {
  const auto &words = Words();
  const double u = static_cast<double>(random.Below(1u << 20)) / (1u << 20);
  return words[static_cast<size_t>(u * u * u * static_cast<double>(words.size()))];
}

std::string Sentence(TRandom &random) {
  std::string text;
  for (uint32_t n = random.Between(5, 16); n > 0; --n) {
    if (!text.empty()) text += ' ';
    text += PickWord(random);
  }
  text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text + (random.Chance(10) ? "? " : ". ");
}

Bytes Cut(const std::string &text, size_t size) { return Bytes(text.begin(), text.begin() + size); }

Bytes MakeText(TRandom &random, size_t size) {
  std::string text;
  while (text.size() < size) {
    for (uint32_t n = random.Between(2, 6); n > 0; --n) text += Sentence(random);
    text += "\r\n\r\n";
  }
  return Cut(text, size);
}

Bytes MakeRtf(TRandom &random, size_t size) {
  std::string text =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}\r\n"
      "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue128;}\r\n\\viewkind4\\uc1\r\n";
  while (text.size() + 1 < size) {
    if (random.Chance(25)) {
      text += "\\trowd\\trgaph108";
      const uint32_t cells = random.Between(2, 5);
      for (uint32_t c = 1; c <= cells; ++c) text += "\\cellx" + std::to_string(c * 9000 / cells);
      text += "\r\n";
      for (uint32_t c = 0; c < cells; ++c) text += "\\pard\\intbl\\f0\\fs20 " + PickWord(random) + "\\cell ";
      text += "\\row\r\n";
    } else {
      text += "\\pard\\sa120\\f" + std::to_string(random.Below(2)) + "\\fs" + std::to_string(random.Between(9, 12) * 2) + ' ';
      for (uint32_t n = random.Between(1, 5); n > 0; --n) {
        std::string sentence = Sentence(random);
        if (random.Chance(20)) sentence = "{\\b " + sentence + "}";
        text += sentence;
      }
      text += "\\par\r\n";
    }
  }
  Bytes bytes = Cut(text, size - 1);
  bytes.push_back('}');
  return bytes;
}

// Deflated-looking bytes: mostly random, with a share of short runs copied
// from a little earlier, as compressed picture data has.
void AppendNoise(TRandom &random, Bytes &out, size_t count, uint32_t copyPercent, size_t unit) {
  const size_t end = out.size() + count;
  const size_t start = out.size();
  while (out.size() < end) {
    const size_t n = std::min(unit, end - out.size());
    const size_t behind = out.size() - start;
    if (behind >= unit && random.Chance(copyPercent)) {
      const size_t from = out.size() - random.Between(static_cast<uint32_t>(n), static_cast<uint32_t>(std::min<size_t>(behind, 16384)));
      for (size_t i = 0; i < n; ++i) out.push_back(out[from + i]);
    } else {
      for (size_t i = 0; i < n; ++i) out.push_back(random.Byte());
    }
  }
}

Bytes MakePng(TRandom &random, size_t size) {
  if (size < PngMinimumSize) throw std::invalid_argument("a PNG needs at least " + std::to_string(PngMinimumSize) + " bytes");
  constexpr size_t chunkData = 8192;
  constexpr size_t fixed = 8 + 25 + 12;  // signature, IHDR, IEND
  size_t chunks = 1;
  while (fixed + 12 * chunks + chunks * chunkData < size) ++chunks;
  const size_t data = size - fixed - 12 * chunks;
  Bytes stream = {0x78, 0xDA};
  AppendNoise(random, stream, data - 2, 8, 48);

  Bytes png = PngSignature();
  AppendPngChunk(png, "IHDR", PngHeader(random.Between(32, 256), random.Between(32, 256), PngRgba));
  for (size_t at = 0; at < data; at += chunkData)
    AppendPngChunk(png, "IDAT", Bytes(stream.begin() + at, stream.begin() + std::min(data, at + chunkData)));
  AppendPngChunk(png, "IEND", {});
  return png;
}

// A program image: the DOS header and stub, the PE signature, then code-like
// bytes that repeat stretches of themselves.
Bytes MakeProgram(TRandom &random, size_t size) {
  Bytes image(0x80, 0);
  image[0] = 'M';
  image[1] = 'Z';
  image[0x3C] = 0x80;
  const std::string stub = "This program cannot be run in DOS mode.\r\r\n$";
  std::copy(stub.begin(), stub.end(), image.begin() + 0x4E);
  for (char c : std::string("PE\0\0", 4)) image.push_back(static_cast<uint8_t>(c));
  if (image.size() > size) throw std::invalid_argument("a program needs at least 132 bytes");
  AppendNoise(random, image, size - image.size(), 64, 24);
  return image;
}

}  // namespace

TContentKind KindOf(std::string_view name) {
  if (EndsWith(name, ".rtf")) return TContentKind::Rtf;
  if (EndsWith(name, ".png")) return TContentKind::Png;
  if (EndsWith(name, ".exe")) return TContentKind::Program;
  return TContentKind::Text;
}

Bytes MakeContents(TContentKind kind, uint64_t seed, size_t size) {
  TRandom random(seed);
  switch (kind) {
    case TContentKind::Rtf:
      return size == 0 ? Bytes() : MakeRtf(random, size);
    case TContentKind::Png:
      return MakePng(random, size);
    case TContentKind::Program:
      return MakeProgram(random, size);
    case TContentKind::Text:
      break;
  }
  return MakeText(random, size);
}
