#!/bin/sh
# real-kernel-cycle.sh BUNDLE_BIN USER_ENV...: the full cycle of our tools, for
# the user USER_ENV names (PKEXEC_UID=1000), in a kernel with HFS+: libguestfs's
# appliance, built from this machine's own packages, so our executables run in
# it unchanged. Prints "BACKEND STEP RESULT" lines; exits 77 where it can't run.
set -u

if [ "${1-}" != inside ]; then
  command -v guestfish >/dev/null || { echo "guestfish is missing (Debian package libguestfs-tools)"; exit 77; }
  bin=$1; shift
  dir=$(mktemp -d) && trap 'rm -rf "$dir"' EXIT || exit 1
  mkdir -p "$dir/qb/lib"
  cp "$bin/hdid" "$bin/newfs_hfs" "$bin/hdiutil" "$0" "$dir/qb/" || exit 1
  # Whatever the build linked in (the sanitizers' runtimes too), from here.
  cp -L $(ldd "$bin/hdid" "$bin/newfs_hfs" "$bin/hdiutil" | grep -o ' /[^ ]*' | sort -u) "$dir/qb/lib/" || exit 1
  boot() {
    printf '%s\n' 'scratch 256M' run 'mkfs ext2 /dev/sda' 'mount /dev/sda /' "copy-in $dir/qb /" \
      "debug sh \"sh /sysroot/qb/${0##*/} inside $*\"" | guestfish 2>"$dir/err"
  }
  export LIBGUESTFS_BACKEND="${LIBGUESTFS_BACKEND:-direct}"
  # A /dev/kvm that is there is not always one that works (nested machines):
  # one may fail, or hang the guest for ever. KVM is used only where an empty
  # appliance starts with it within a minute (an appliance is built on first
  # use, in seconds); else the slower emulation, which always works.
  if [ -z "${LIBGUESTFS_BACKEND_SETTINGS-}" ] && ! { [ -r /dev/kvm ] && [ -w /dev/kvm ] &&
    timeout -k 10 60 guestfish -a /dev/null run 2>"$dir/err"; }; then
    export LIBGUESTFS_BACKEND_SETTINGS=force_tcg
  fi
  boot "$@" && exit 0
  echo "the libguestfs appliance does not start (libguestfs-test-tool tells more):"; grep error "$dir/err"
  exit 77
fi

# Inside the appliance, as root; /sysroot/qb holds what was copied in.
shift
exec 2>&1
# The libraries copied in are this machine's, as the appliance's own are.
export PATH=/sysroot/qb:$PATH LD_LIBRARY_PATH=/sysroot/qb/lib
mkdir -p /media
# The user exists, for tools that look it up by uid.
[ -s /etc/passwd ] || echo 'root:x:0:0:root:/root:/bin/sh' >/etc/passwd
echo 'qbuser:x:1000:1001::/nonexistent:/bin/sh' >>/etc/passwd
echo 'qbuser:x:1001:' >>/etc/group
modprobe zram num_devices=0
folder='/media/QB Kernel'
say() { printf '%s %s %s\n' "$backend" "$1" "$2"; }
for backend in loop zram; do
  device=$(env "$@" HDID_BACKEND=$backend hdid -nomount ram://20480)
  say hdid "$? $device"
  env "$@" newfs_hfs -v 'QB Kernel' "$device"
  say newfs_hfs "$?"
  # Two at once: one mounts, the other says where.
  for run in 1 2; do (env "$@" hdiutil mountvol "$device"; echo "status $?") >"/tmp/mountvol$run" 2>&1 & done
  wait
  say mountvol "$(sort /tmp/mountvol1 /tmp/mountvol2 | tr '\n' '|')"
  say owner "$(stat -c %u:%g "$folder")"
  mount=$(grep -F " $(echo "$folder" | sed 's/ /\\040/g') " /proc/self/mountinfo)
  # How many of the options that make the disk safe and the user's are there.
  say options "$(printf '%s' "$mount" | cut -d' ' -f6 | tr , '\n' | grep -cxE 'nosuid|nodev') $(printf '%s' \
    "${mount##* }" | tr , '\n' | grep -cxE 'uid=1000|gid=1001')"
  say file "$(setpriv --reuid=1000 --regid=1001 --clear-groups sh -c \
    'echo written by uid 1000 >"$1/file" && cat "$1/file"' - "$folder")"
  # A mount that hdiutil did not make is someone else's: nothing is unmounted.
  mkdir -p /tmp/elsewhere && mount --bind "$folder" /tmp/elsewhere
  env "$@" hdiutil detach "$device"
  say detach-mounted-elsewhere "$? $(grep -c "^[0-9]* [0-9]* $(stat -c %Hr:%Lr "$device") " /proc/self/mountinfo)"
  umount /tmp/elsewhere
  env "$@" hdiutil detach "$device"
  say detach "$?"
  say mounts-left "$(grep -F ' /media/' /proc/self/mountinfo | tr '\n' ' ')"
  say loops-left "$(cat /sys/block/loop*/loop/backing_file 2>/dev/null | tr '\n' ' ')"
  say zram-left "$(ls /sys/block | grep zram | tr '\n' ' ')"
  say files-left "$(find /dev/shm /run/quillbarrow ! -type d ! -name lock 2>/dev/null | tr '\n' ' ')"
  say folders-left "$(ls -A /media | tr '\n' ' ')"
done
true
