# shellcheck shell=bash
# Set-up shared by scripts/start.sh and scripts/test.sh (sourced, not run):
# the Debian packages, the native build (tests, assets) and the two Windows
# builds (the shipped 32-bit one and a 64-bit one for machines where 32-bit
# Wine cannot run).
#
# Folders (all under $NORVANE_BUILD, default <repository>/build):
#   native/  the native build: unit tests, assets, CTest with the Wine tests
#   win32/   the i686 build; win32/dist is what ships
#   win64/   the x86_64 build of the same sources

NORVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
NORVANE_BUILD=${NORVANE_BUILD:-$NORVANE_ROOT/build}
# Small and parallel: CI machines have two cores.
NORVANE_JOBS=${NORVANE_JOBS:-2}

# shellcheck source=tests/e2e/lib.sh
source "$NORVANE_ROOT/tests/e2e/lib.sh"

say() { printf '\n== %s\n' "$*" >&2; }

# Runs a command as root: directly when we are root, else through sudo.
as_root() {
  if ((EUID == 0)); then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "need root (or sudo) to run: $*" >&2
    return 1
  fi
}

# The Debian packages the builds and the Wine tests need. wine32 is installed
# even where the kernel cannot run 32-bit programs; the tests then fall back
# to the 64-bit build under wine64.
NORVANE_PACKAGES=(
  cmake g++ make libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  wine wine64 wine32:i386
  xvfb imagemagick xdotool xcompmgr fonts-dejavu-core fonts-wine
)

package_installed() {
  [[ $(dpkg-query -W -f='${Status}' "$1" 2>/dev/null) == "install ok installed" ]]
}

# Installs only what is missing, so that a second run costs a few dpkg-query
# calls and no apt-get at all.
install_packages() {
  local missing=() package
  for package in "${NORVANE_PACKAGES[@]}"; do
    package_installed "$package" || missing+=("$package")
  done
  ((${#missing[@]} == 0)) && return 0
  say "installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}

# The dist folder the Wine tests and start.sh use: the shipped 32-bit one
# where 32-bit Wine runs, else the 64-bit one.
tested_dist() {
  if e2e_wine32_works; then
    echo "$NORVANE_BUILD/win32/dist"
  else
    echo "$NORVANE_BUILD/win64/dist"
  fi
}

# Configures (again, which is cheap and keeps options such as NORVANE_DIST
# current) and builds one tree.
configure_and_build() {
  local dir=$1
  shift
  cmake -S "$NORVANE_ROOT" -B "$dir" --no-warn-unused-cli "$@" >/dev/null
  cmake --build "$dir" --parallel "$NORVANE_JOBS"
}

# The native build first: it makes the assets (target norvane_assets, when
# the project has one) that the Windows builds copy into dist.
build_all() {
  local native=$NORVANE_BUILD/native
  say "native build ($native)"
  configure_and_build "$native" -DNORVANE_DIST="$(tested_dist)"
  # (grep without -q: it reads the whole list, so cmake never sees a broken pipe)
  if cmake --build "$native" --target help | grep '^\.\.\. norvane_assets$' >/dev/null; then
    cmake --build "$native" --parallel "$NORVANE_JOBS" --target norvane_assets
  fi
  local arch
  for arch in win32:i686 win64:x86_64; do
    say "Windows build ${arch#*:} ($NORVANE_BUILD/${arch%%:*})"
    configure_and_build "$NORVANE_BUILD/${arch%%:*}" \
      -DCMAKE_TOOLCHAIN_FILE="$NORVANE_ROOT/cmake/mingw-${arch#*:}.cmake" \
      -DNORVANE_ASSETS="$native/assets"
  done
}

# Everything both commands need before they run anything.
prepare() {
  install_packages
  build_all
}
