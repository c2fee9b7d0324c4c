// Makes a chosen call of a fake fail, so that tests can check what survives a failure midway.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace veltrane::fakes {

class FaultInjector {
 public:
  // The n-th call from now (counting from 1) of the named operation, or of any operation when op is
  // empty, fails with the given error.
  void FailNthCall(uint64_t n, int error, std::string op = {});
  // Every call of the operation from the n-th on fails.
  void FailFromCall(uint64_t n, int error, std::string op = {});
  void ClearFaults();

  uint64_t CallCount(std::string_view op = {}) const;
  void ResetCounts();

 protected:
  // Called at the start of every operation: the error number to fail with, or 0.
  int Inject(std::string_view op);

 private:
  struct Plan {
    uint64_t n = 0;
    int error = 0;
    bool persistent = false;
    uint64_t seen = 0;
  };
  std::map<std::string, Plan, std::less<>> plans_;
  std::map<std::string, uint64_t, std::less<>> counts_;
  uint64_t total_ = 0;
};

}  // namespace veltrane::fakes
