#pragma once
// The build folder, which ctest gives the tests in QB_BUILD_DIR, and the bundle
// in it: for the tests that run what the build made.

#include <cstdlib>
#include <stdexcept>
#include <string>

// Throws where the variable is missing (a test program run by hand), which
// fails the case that asked, saying what it needs.
inline std::string BuildDir() {
  const char* dir = std::getenv("QB_BUILD_DIR");
  if (!dir || !*dir)
    throw std::runtime_error(
        "QB_BUILD_DIR is not set: this case runs what the build made, from the build folder that ctest names in "
        "it; run by hand, name it yourself (QB_BUILD_DIR=$PWD/build build/tests/...)");
  return dir;
}

inline std::string BundleBin() {
  return BuildDir() + "/Quillbarrow/bin";
}
