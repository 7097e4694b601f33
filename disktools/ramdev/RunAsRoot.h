#pragma once
// The kernel lets only root make block devices, write them and mount them.
// A desktop user gets root's rights for one tool at a time from polkit, the
// way the desktop's own disk tools get them: the program itself never runs
// as root.

// -1 when this process is root and goes on: from here on the caller's
// terminal can't stop, interrupt or hang it up, and lost output doesn't end
// it, so that a step once begun is finished. Otherwise runs this very
// executable again through pkexec with the same arguments, its output going
// where ours goes, and gives its exit status (pkexec's own 126 when the user
// dismissed the request, 127 when polkit refused it, the password was wrong
// or no agent could ask for one); 1 when there is no pkexec, or when this is
// a set-user-id or set-group-id copy, whose caller can't be known.
int RunAsRoot(const char* tool, const char* task, char** argv);
