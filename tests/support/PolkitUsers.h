#pragma once
// Two throwaway users, a real polkitd (and system bus) to ask, and a rule that lets those users run the disk
// tools of one folder as root through pkexec. Made for one test and removed with the object, with whatever it
// had to start; tests that use it run one at a time.

#include <string>

class PolkitUsers {
 public:
  // Why such tests can't or mustn't run here; empty when they may. They
  // change the machine, so they run only with CI set or QB_SYSTEM_TESTS=1.
  static std::string WhyNot();

  PolkitUsers();
  ~PolkitUsers();
  PolkitUsers(const PolkitUsers&) = delete;

  bool Ready() const { return ready_; }
  // Lets both users run programs of folder as root; true once polkitd has taken the rule.
  bool Allow(const std::string& folder);
  unsigned Uid(int user) const;

  std::string name[2];

 private:
  bool ready_ = false, startedBus_ = false, startedPolkit_ = false;
  int lock_ = -1;
  std::string rule_;
};
