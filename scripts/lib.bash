# What the scripts share; sourced, never run:  source "$(dirname "$0")/lib.bash"
# Sets `root` (the repository) and `jobs` (parallel build jobs) and changes to the root.

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc 2>/dev/null || echo 2)"
cd "$root" || exit 1

# install_packages WHO PACKAGE...: installs the Debian packages not yet installed with apt-get
# (through sudo when not root), saying "WHO: installing ..." first; says nothing when all are there.
install_packages() {
  local who="$1" p
  shift
  local missing=()
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "$who: installing ${missing[*]}"
  local sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# configure_and_build FOLDER [CMAKE_OPTION...] [-- BUILD_OPTION...]: configures the repository's
# CMake project into FOLDER (quietly) and builds it with $jobs jobs; options after -- go to
# `cmake --build` (e.g. --target NAME). The build's own output is the caller's to silence.
configure_and_build() {
  local folder="$1"
  shift
  local configure_options=() build_options=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do
    configure_options+=("$1")
    shift
  done
  [ $# -eq 0 ] || { shift; build_options=("$@"); }
  cmake -S "$root" -B "$folder" "${configure_options[@]}" >/dev/null
  cmake --build "$folder" -j "$jobs" "${build_options[@]}"
}

# source_apt_options FOLDER: apt-get options for a private apt configuration in FOLDER/apt whose
# only source is the machine's Debian mirror as a deb-src entry; the machine's own apt
# configuration is read, never changed.
source_apt_options() {
  local apt="$1/apt"
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/etc/sources.list.d" \
    "$apt/etc/preferences.d"
  local mirror suite
  mirror="$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
    /etc/apt/sources.list.d/*.sources 2>/dev/null |
    grep -oE '^(URIs:|deb) +(\[[^]]*\] +)?[a-z]+://[^ ]+/debian/?( |$)' |
    grep -oE '[a-z]+://[^ ]+' | head -n 1 || true)"
  mirror="${mirror:-http://deb.debian.org/debian}"
  suite="$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $suite main" \
    >"$apt/etc/sources.list"
  apt_options=(-o "Dir::State=$apt" -o "Dir::State::Lists=$apt/lists"
    -o "Dir::State::status=/var/lib/dpkg/status" -o "Dir::Cache=$apt/cache"
    -o "Dir::Etc::SourceList=$apt/etc/sources.list" -o "Dir::Etc::SourceParts=$apt/etc/sources.list.d"
    -o "Dir::Etc::Preferences=$apt/etc/preferences" -o "Dir::Etc::PreferencesParts=$apt/etc/preferences.d"
    -o "APT::Sandbox::User=$(id -un)")
}

# fetch_source_packages FOLDER PACKAGE...: downloads Debian's source packages (the .dsc and its
# tarballs) into FOLDER/src through the private apt configuration in FOLDER/apt.
fetch_source_packages() {
  local folder="$1"
  shift
  local apt_options
  source_apt_options "$folder"
  mkdir -p "$folder/src"
  apt-get "${apt_options[@]}" -qq update
  (cd "$folder/src" && apt-get "${apt_options[@]}" -qq source --download-only "$@" >/dev/null)
}

# unpack_source_package FOLDER PACKAGE NAME [PATCH]: FOLDER/src/NAME holds the source package
# PACKAGE unpacked with Debian's patches applied, then PATCH (-p1) if given; fetched when its .dsc
# is not in FOLDER/src yet, unpacked again only when PATCH is newer than the last unpacking.
unpack_source_package() {
  local folder="$1" package="$2" target="$1/src/$3" patch_file="${4:-}" dsc
  if [ -f "$target/.unpacked" ] && { [ -z "$patch_file" ] || [ ! "$patch_file" -nt "$target/.unpacked" ]; }; then
    return 0
  fi
  mkdir -p "$folder/src"
  dsc="$(find "$folder/src" -maxdepth 1 -name "${package}_*.dsc" | head -n 1)"
  if [ -z "$dsc" ]; then
    echo "scripts/${0##*/}: fetching the source package $package"
    fetch_source_packages "$folder" "$package"
    dsc="$(find "$folder/src" -maxdepth 1 -name "${package}_*.dsc" | head -n 1)"
    [ -n "$dsc" ] || { echo "scripts/${0##*/}: apt-get source gave no $package package" >&2; exit 1; }
  fi
  rm -rf "$target"
  dpkg-source --no-check -x "$dsc" "$target" >/dev/null
  [ -z "$patch_file" ] || patch -s -d "$target" -p1 <"$patch_file"
  touch "$target/.unpacked"
}
