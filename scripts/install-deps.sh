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
  # For set-up as a user who is not root.
  sudo
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

# As root, or as a user whom sudo lets run apt-get.
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  needs="These packages are missing: ${missing[*]}
Installing them needs root: run this as root, or as a user who may run apt-get with sudo."
  if ! command -v sudo >/dev/null; then
    echo "$needs (sudo is not installed.)" >&2
    exit 1
  fi
  echo "Not root: installing the missing packages with sudo, which may ask for your password."
  # sudo -v asks for the password once; -n -l then says, without asking
  # again, whether apt-get is allowed.
  if ! sudo -v || ! sudo -n -l apt-get >/dev/null 2>&1; then
    echo "$needs ($(id -un) may not run apt-get with sudo.)" >&2
    exit 1
  fi
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
