# Shared by scripts/run and scripts/test: installs what is missing, fetches the libjpeg source,
# builds. Quiet when everything is already there. Source it; it defines functions only.

TOVR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
TOVR_BUILD=$TOVR_ROOT/build
TOVR_PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev python3 googletest libgtest-dev
  libbenchmark-dev libjpeg-dev mingw-w64 wine wine64 wine32:i386 xvfb xdotool imagemagick fonts-wine
  fonts-wqy-microhei locales x11-utils nsis zip openssl)

say() { printf '%s\n' "$*" >&2; }
die() { say "error: $*"; exit 1; }

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

apt_updated=0
apt_update_once() {
  [ "$apt_updated" = 1 ] && return 0
  say "updating the package lists..."
  as_root apt-get update -qq >/dev/null || die "apt-get update failed"
  apt_updated=1
}

ensure_packages() {
  local missing=() p
  # Wine's 32-bit support (wine32) runs the 32-bit build's checks; it comes from i386 multiarch.
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386 || die "dpkg --add-architecture i386 failed"
    apt_updated=0
  fi
  for p in "${TOVR_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  apt_update_once
  say "installing: ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" \
    >"$TOVR_BUILD/apt-install.log" 2>&1 || { cat "$TOVR_BUILD/apt-install.log" >&2; die "apt-get install failed"; }
}

# apt-get source needs deb-src entries: make them from the machine's own deb entries, in a
# file of our own, so that no package server's address is written into the repository.
ensure_deb_src() {
  local list=/etc/apt/sources.list.d/tovrane-deb-src.sources legacy=/etc/apt/sources.list.d/tovrane-deb-src.list
  [ -f "$list" ] || [ -f "$legacy" ] && return 0
  local f tmp
  tmp=$(mktemp)
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    case "$f" in *tovrane-deb-src*) continue ;; esac
    awk 'BEGIN{RS=""; ORS="\n\n"} /Types:[^\n]*deb/ && !/(^|\n)Enabled: *no/ {
           sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f" >>"$tmp"
  done
  if [ -s "$tmp" ]; then
    as_root install -m 644 "$tmp" "$list"
  else
    grep -h -E '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
      sed 's/^deb /deb-src /' >"$tmp"
    [ -s "$tmp" ] || die "no apt source entries found to make deb-src entries from"
    as_root install -m 644 "$tmp" "$legacy"
  fi
  rm -f "$tmp"
  apt_updated=0
  apt_update_once
}

ensure_libjpeg_source() {
  mkdir -p "$TOVR_BUILD/deps"
  ls "$TOVR_BUILD"/deps/libjpeg-turbo_*.orig.tar.gz >/dev/null 2>&1 && return 0
  ensure_deb_src
  say "fetching the libjpeg-turbo source package..."
  (cd "$TOVR_BUILD/deps" && apt-get source --download-only -qq libjpeg-turbo >/dev/null 2>&1) ||
    die "apt-get source libjpeg-turbo failed"
}

# Wine maps code page 936 only with a real zh_CN.UTF-8 glibc locale; compile one into the tree,
# and en_US.UTF-8 beside it (an English (United States) region: short date M/d/yyyy, code page
# 1252) for the checks that run on such a system.
ensure_locale() {
  local name
  for name in zh_CN en_US; do
    [ -d "$TOVR_BUILD/locale/$name.UTF-8" ] && continue
    mkdir -p "$TOVR_BUILD/locale"
    localedef -i "$name" -f UTF-8 "$TOVR_BUILD/locale/$name.UTF-8" >/dev/null 2>&1 ||
      [ -d "$TOVR_BUILD/locale/$name.UTF-8" ] || die "localedef $name.UTF-8 failed"
  done
}

ensure_deps() {
  mkdir -p "$TOVR_BUILD"
  ensure_packages
  ensure_libjpeg_source
  ensure_locale
}

# build_preset NAME [targets...]: configure once, then build quietly; on failure show the log.
build_preset() {
  local preset=$1; shift
  local dir=$TOVR_BUILD/$preset log=$TOVR_BUILD/$preset.log
  if [ ! -f "$dir/build.ninja" ]; then
    (cd "$TOVR_ROOT" && cmake --preset "$preset") >"$log" 2>&1 || { cat "$log" >&2; die "configuring $preset failed"; }
  fi
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  cmake --build "$dir" "${targets[@]}" >"$log" 2>&1 || { tail -n 60 "$log" >&2; die "building $preset failed (log: $log)"; }
}
