#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing pivolo need.
# Does nothing when they are all present; uses sudo when not run as root.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libasound2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick fonts-dejavu-core
  openbox x11-utils
  fonts-urw-base35                  # a system without DejaVu: the dialog on the URW fonts alone
  weston qt6-wayland                # the program on Wayland, under headless weston
  dbus at-spi2-core python3 python3-pyatspi
  appstream desktop-file-utils dpkg-dev file
  lintian groff-base man-db mandoc # the package's checks, the manual pages' lint
  bash-completion strace            # the tools' completion; signals injected at a write
  clang libclang-rt-dev             # the fuzz targets: clang's libFuzzer
  valgrind                          # bench/: instructions counted (callgrind)
  nlohmann-json3-dev                # the tools' JSON Lines
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
