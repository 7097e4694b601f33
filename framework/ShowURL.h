#pragma once
// Opening a URI with the handler that the desktop has for its scheme (a web
// browser for http, the mail program for mailto).

#include <functional>
#include <string>

// Hands uri to the desktop, unchanged. Whether it could be opened is not
// reported back.
void ShowURL(const std::string& uri);

// The one seam for tests: while a recorder is set, ShowURL hands it the URI
// instead of the desktop. Pass nullptr to go back to the desktop.
void SetShowURLRecorder(std::function<void(const std::string&)> recorder);
