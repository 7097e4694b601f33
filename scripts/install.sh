#!/usr/bin/env bash
# make install: the build, its executables stripped, under the prefix it was
# configured with (DESTDIR respected), and beside the bundle a list of what
# was put there for make uninstall: each file, and each folder that had to
# be made for it.
set -euo pipefail
build=${1:-build}
root=${DESTDIR:-}
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
list="$prefix/lib/quillbarrow/installed-files"

# Installed aside first, to learn which files it brings and so which folders
# are missing for them now.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$build" --strip >/dev/null
files=$(cd "$stage" && find . ! -type d | sed 's|^\.||' | sort)
folders=$(cd "$stage" && find . -mindepth 1 -type d | sed 's|^\.||' | while IFS= read -r folder; do
  [ -d "$root$folder" ] || echo "$folder"
done | sort)
# Folders an earlier install made are still this one's to remove.
[ -f "$root$list" ] && folders=$( (echo "$folders"; sed -n 's/^folder //p' "$root$list") | grep -v '^$' | sort -u)

DESTDIR=$root cmake --install "$build" --strip
mkdir -p "$root$(dirname "$list")"
{
  echo "$files" | sed 's/^/file /'
  echo "file $list"
  [ -z "$folders" ] || echo "$folders" | sed 's/^/folder /'
} >"$root$list"
