#include "ClassRegistry.h"

#include <algorithm>

#include "Exceptions.h"

namespace {

std::vector<ClassInfo>& Classes() {
  static std::vector<ClassInfo> classes;
  return classes;
}

const ClassInfo* Find(const std::string& name) {
  const auto& classes = Classes();
  const auto found = std::find_if(classes.begin(), classes.end(), [&](const ClassInfo& c) { return c.name == name; });
  return found == classes.end() ? nullptr : &*found;
}

}  // namespace

void RuntimeRegisterClass(const std::string& name, const std::string& base) {
  if (name.empty()) throw RuntimeException("A class needs a name.");
  if (Find(name)) throw RuntimeException("The class " + name + " is registered already.");
  if (!base.empty() && !Find(base))
    throw RuntimeException("The class " + name + " derives from " + base + ", which is not registered.");
  Classes().push_back({name, base});
}

void RegisterFrameworkClasses() {
  const ClassInfo framework[] = {
      {"Window", ""},
      {"RectControl", ""},
      {"Label", "RectControl"},
      {"TextField", "RectControl"},
      {"PushButton", "RectControl"},
      {"Application", ""},
      {"MenuItem", ""},
      {"MenuBar", "MenuItem"},
      {"AppleMenuItem", "MenuItem"},
      {"QuitMenuItem", "MenuItem"},
      {"Shell", ""},
  };
  for (const ClassInfo& c : framework) RuntimeRegisterClass(c.name, c.base);
}

bool IsClassRegistered(const std::string& name) { return Find(name) != nullptr; }

bool ClassIsA(const std::string& name, const std::string& ancestor) {
  for (const ClassInfo* at = Find(name); at; at = at->base.empty() ? nullptr : Find(at->base))
    if (at->name == ancestor) return true;
  return false;
}

const std::vector<ClassInfo>& RegisteredClasses() { return Classes(); }

void ForgetRegisteredClasses() { Classes().clear(); }
