# SPDX-License-Identifier: MIT
# Shared by the project's scripts: install the Debian packages a build needs (only those
# missing), then configure and build with every warning an error.
set -euo pipefail

MACQUELVOR_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
MACQUELVOR_BUILD="${MACQUELVOR_BUILD:-$MACQUELVOR_ROOT/build}"

macquelvor_packages=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev
  qt6-base-dev qt6-svg-dev libgl-dev libxkbcommon-dev libeigen3-dev
  fontconfig fonts-liberation2
  libbenchmark-dev libx11-dev desktop-file-utils appstream lintian
  xvfb xauth dbus at-spi2-core python3-pyatspi
)
# The fuzz targets: clang with its libFuzzer and sanitizer runtimes.
macquelvor_fuzz_packages=(clang libclang-rt-dev llvm)

macquelvor_install_missing() {
  local missing=()
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
      missing+=("$package")
    fi
  done
  if ((${#missing[@]} == 0)); then
    return
  fi
  echo "Installing: ${missing[*]}"
  local sudo=()
  if ((EUID != 0)); then
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}

# macquelvor_build [BUILD_DIRECTORY [CMAKE_OPTION...]]
macquelvor_build() {
  local directory="${1:-$MACQUELVOR_BUILD}"
  shift || true
  cmake -S "$MACQUELVOR_ROOT" -B "$directory" -DMACQUELVOR_WARNINGS_AS_ERRORS=ON "$@"
  cmake --build "$directory" -j2
}
