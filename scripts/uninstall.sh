#!/usr/bin/env bash
# make uninstall: removes every file that make install put under the prefix
# (DESTDIR respected), then the folders it made, where they are left empty.
set -euo pipefail
build=${1:-build}
root=${DESTDIR:-}
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
list="$root$prefix/lib/quillbarrow/installed-files"
if [ ! -f "$list" ]; then
  echo "Nothing to uninstall: $list is missing (Quillbarrow is not installed under $root$prefix by make install)." >&2
  exit 1
fi
entries=$(cat "$list")
echo "$entries" | sed -n 's/^file //p' | while IFS= read -r file; do
  rm -f "$root$file"
done
# Deepest first, so that a folder is empty once its own folders are gone.
echo "$entries" | sed -n 's/^folder \(.\)/\1/p' | sort -r | while IFS= read -r folder; do
  rmdir "$root$folder" 2>/dev/null || true
done
echo "Quillbarrow removed from $root$prefix."
