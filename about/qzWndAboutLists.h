#pragma once
// The About window's layout property lists, each built once and kept as its
// bytes.

#include <string>

struct qzWndAboutLists {
  static const std::string& Window();
  static const std::string& LblLinkWebpage();
  static const std::string& LblLinkMailSupport();
  static const std::string& LblRegisteredTo();
  static const std::string& LblThanksTo();
};
