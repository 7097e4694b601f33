#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and
# only those that are missing. Quiet when everything is already there.
set -euo pipefail

packages=(
  make cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-l10n-tools fonts-dejavu-core
  libgtest-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool
  # The About picture (resources/make-about-picture.sh); a test reads a
  # message off the screen with them.
  imagemagick tesseract-ocr tesseract-ocr-eng
  util-linux mount e2fsprogs
  # A test holds a disk tool half-way with it.
  strace
  dbus polkitd pkexec
  libfshfs-utils
  # A real kernel with HFS+ for the mount tests, where the machine's has none.
  libguestfs-tools linux-image-amd64
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "These packages are missing: ${missing[*]}" >&2
  echo "Run this as root (or install them yourself) to continue." >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
