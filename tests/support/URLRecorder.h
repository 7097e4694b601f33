#pragma once
// Records the URIs handed to ShowURL instead of opening them, for its life.

#include <string>
#include <vector>

#include "ShowURL.h"

class URLRecorder {
public:
  URLRecorder() {
    SetShowURLRecorder([this](const std::string& uri) { uris.push_back(uri); });
  }
  ~URLRecorder() { SetShowURLRecorder(nullptr); }
  URLRecorder(const URLRecorder&) = delete;
  URLRecorder& operator=(const URLRecorder&) = delete;

  std::vector<std::string> uris;
};
