#pragma once
// Reading and writing the small text files of /sys and /proc; the kernel answers
// a write with an error number when it refuses.

#include <optional>
#include <string>

// 0 when the kernel took text, else the error number it gave.
int WriteKernelFile(const std::string& file, const std::string& text);
// The file's text without its trailing newline; nothing when unreadable.
std::optional<std::string> ReadKernelFile(const std::string& file);
