#include <gtest/gtest.h>

#include "ClassRegistry.h"
#include "Exceptions.h"

namespace {

std::vector<std::string> Names() {
  std::vector<std::string> names;
  for (const ClassInfo& c : RegisteredClasses()) names.push_back(c.name);
  return names;
}

TEST(ClassRegistry, TheFrameworksClassesComeFirstThenTheProgramsInOrder) {
  RegisterFrameworkClasses();
  const size_t framework = RegisteredClasses().size();
  RuntimeRegisterClass("App", "Application");
  RuntimeRegisterClass("MenuBar1", "MenuBar");
  RuntimeRegisterClass("qzRamDisk");
  const std::vector<std::string> names = Names();
  ASSERT_EQ(names.size(), framework + 3);
  EXPECT_EQ(std::vector<std::string>(names.end() - 3, names.end()),
            (std::vector<std::string>{"App", "MenuBar1", "qzRamDisk"}));
  EXPECT_TRUE(IsClassRegistered("QuitMenuItem"));
  EXPECT_TRUE(ClassIsA("MenuBar1", "MenuItem"));
  EXPECT_TRUE(ClassIsA("App", "App"));
  EXPECT_FALSE(ClassIsA("App", "MenuItem"));
  EXPECT_FALSE(ClassIsA("Unknown", "Unknown"));
}

TEST(ClassRegistry, BaseClassesFirstAndEachClassOnce) {
  EXPECT_THROW(RuntimeRegisterClass("App", "Application"), RuntimeException) << "its base is not registered yet";
  EXPECT_FALSE(IsClassRegistered("App"));
  RuntimeRegisterClass("Application");
  RuntimeRegisterClass("App", "Application");
  EXPECT_THROW(RuntimeRegisterClass("App", "Application"), RuntimeException);
  EXPECT_THROW(RuntimeRegisterClass(""), RuntimeException);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Application", "App"}));
}

}  // namespace
