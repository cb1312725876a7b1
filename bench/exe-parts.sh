#!/usr/bin/env bash
# What Tovrane.exe is made of: links the x64 exe once more with a linker map (into a temporary
# folder; the build's exe is not touched) and prints, for each part, the bytes of the sections
# its objects bring into the exe: our code (src/, the resources), libjpeg, libstdc++, and the
# runtime (the C library, libgcc, the start-up code and the import stubs). The parts add up to
# a little less than the exe's size: section alignment and the PE headers are nobody's.
#
#   bench/exe-parts.sh        (build first: cmake --build build/win64 --target Tovrane)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../scripts/lib/setup.sh"
build=$TOVR_BUILD/win64
[ -f "$build/Tovrane.exe" ] || die "build/win64/Tovrane.exe is missing: cmake --build build/win64 --target Tovrane"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# The build's own link command, with a map and another output.
link=$(ninja -C "$build" -t commands Tovrane.exe | tail -n 1)
link=${link#: && }
link=${link%% && :*}
link=${link/ -o Tovrane.exe / -o $out/Tovrane.exe -Wl,-Map,$out/Tovrane.map }
link=${link/-Wl,--out-implib,libTovrane.dll.a/}
(cd "$build" && eval "$link")

# Input sections of the map: " .name  ADDRESS SIZE FILE", the name on a line of its own when
# it is long. Only what the exe holds counts: not .bss, not the debug sections.
awk -v exe_size="$(stat -c %s "$out/Tovrane.exe")" '
  /^Linker script and memory map/ { in_map = 1; next }
  !in_map { next }
  /^ \.[^ ]+$/ { pending = $1; next }
  /^ \.[^ ]+ +0x[0-9a-f]+ +0x[0-9a-f]+ / { name = $1; size = $3; file = $4; pending = ""; add(); next }
  pending != "" && /^ +0x[0-9a-f]+ +0x[0-9a-f]+ / { name = pending; size = $2; file = $3; pending = ""; add(); next }
  { pending = "" }
  function add(   part) {
    if (name ~ /^\.(bss|debug|stab|comment)/ || file == "") return
    if (file ~ /libtovr_(core|win32)\.a|Tovrane\.dir/) part = "our code (src/, resources)"
    else if (file ~ /libjpeg\.a/) part = "libjpeg"
    else if (file ~ /libstdc\+\+/) part = "libstdc++"
    else part = "runtime (C library, libgcc, start-up code, import stubs)"
    bytes[part] += hex(size)
  }
  function hex(s,   i, v) {  # "0x1a2b" (mawk has no strtonum)
    s = tolower(substr(s, 3))
    for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
    return v
  }
  END {
    n = split("our code (src/, resources)|libjpeg|libstdc++|runtime (C library, libgcc, start-up code, import stubs)", order, "|")
    for (i = 1; i <= n; i++) { printf "%-58s %9d bytes\n", order[i], bytes[order[i]]; total += bytes[order[i]] }
    printf "%-58s %9d bytes\n", "all parts", total
    printf "%-58s %9d bytes\n", "Tovrane.exe (stripped)", exe_size
  }' "$out/Tovrane.map"
