# Reads a GNU ld map file (-Wl,-Map) and prints the bytes each library and
# each unit put into the image: the input sections of every output section
# that occupies the file (not .bss, debug or discarded sections), before the
# linker's alignment. Usage: awk -v top=N -f size-map.awk setup.map

function hex(s,    i, n) {
  s = tolower(substr(s, 3))
  n = 0
  for (i = 1; i <= length(s); i++) n = n * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
  return n
}

# Where a file of the link comes from, in a few words.
function group(file,    lib) {
  if (file ~ /FILES\.rc\.res\)$/) return "payload resource (FILES)"
  if (file ~ /\.res\)$/) return "other resources"
  if (file == "dll stuff") return "linker: relocations"
  if (file ~ /^LONG /) return "linker: list ends"
  if (file ~ /\.o$/) return "mingw CRT"
  lib = file
  sub(/\(.*$/, "", lib)
  sub(/^.*\//, "", lib)
  if (lib == "libstdc++.a") return "libstdc++"
  if (lib ~ /^libgcc(_eh)?\.a$/) return "libgcc"
  if (lib == "libpthread.a") return "winpthread"
  if (lib ~ /^lib(mingw32|mingwex|moldname|msvcrt)\.a$/) return "mingw CRT"
  if (lib == "libz.a") return "zlib"
  if (file ~ /^\//) return "import libraries"
  if (lib == "objects.a") return "setup_exe's own objects"
  return lib
}

function count(file, size,    g, unit) {
  if (!counted || size == 0) return
  g = group(file)
  bytes[g] += size
  unit = file
  if (unit ~ /\(/) { sub(/^.*\(/, "", unit); sub(/\)$/, "", unit) } else sub(/^.*\//, "", unit)
  units[g ": " unit] += size
  total += size
}

/^Linker script and memory map/ { started = 1; next }
!started { next }

# An output section: counted unless it takes no room in the file.
/^[.\/]/ {
  counted = $1 !~ /^(\.bss|\.debug|\.zdebug|\.stab|\/DISCARD\/)/
  pending = 0
  next
}

# An input section whose name was too long for its line: the rest follows.
pending && /^ +0x/ && $2 ~ /^0x/ && NF >= 3 {
  file = $3
  for (i = 4; i <= NF; i++) file = file " " $i
  count(file, hex($2))
  pending = 0
  next
}
{ pending = 0 }

/^ \*fill\*/ { if (counted) { bytes["alignment fill"] += hex($3); total += hex($3) } next }

/^ [^ *]/ {
  if (NF == 1) { pending = 1; next }
  if ($2 ~ /^0x/ && $3 ~ /^0x/ && NF >= 4) {
    file = $4
    for (i = 5; i <= NF; i++) file = file " " $i
    count(file, hex($3))
  }
}

END {
  printf "%9d  all input sections, by library:\n", total
  for (g in bytes) printf "%9d    %s\n", bytes[g], g | "sort -rn"
  close("sort -rn")
  printf "largest units:\n"
  for (u in units) printf "%9d    %s\n", units[u], u | "sort -rn | head -n " top
  close("sort -rn | head -n " top)
}
