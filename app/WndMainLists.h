#pragma once
// The main window's layout property lists, each built once and kept as its
// bytes.

#include <string>

struct WndMainLists {
  static const std::string& Window();
  static const std::string& Label1();
  static const std::string& LblSize();
  static const std::string& Label2();
  static const std::string& EdfDiskName();
  static const std::string& BtnCreate();
  static const std::string& EdfSize();
};
