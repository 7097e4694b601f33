#pragma once
// The classes of the framework and of the program, registered by name with
// their base class before start-up, base classes first. C++ itself holds each
// class's operations and properties; the registry keeps what the framework
// looks up by name: which classes exist and what they derive from.

#include <string>
#include <vector>

struct ClassInfo {
  std::string name;
  std::string base;  // "" for a root class
};

// Throws RuntimeException for a name registered before and for a base class
// that is not registered yet.
void RuntimeRegisterClass(const std::string& name, const std::string& base = "");
// The framework's own classes, base classes first. The first registration.
void RegisterFrameworkClasses();

bool IsClassRegistered(const std::string& name);
// True when name is ancestor or derives from it, as registered.
bool ClassIsA(const std::string& name, const std::string& ancestor);
// In the order of registration.
const std::vector<ClassInfo>& RegisteredClasses();
// Empties the registry at the end of the program.
void ForgetRegisteredClasses();
