// Counting calls per operation and failing the planned ones.
#include "fakes/fault_injector.h"

namespace veltrane::fakes {

void FaultInjector::FailNthCall(uint64_t n, int error, std::string op) {
  plans_[std::move(op)] = Plan{n, error, false, 0};
}

void FaultInjector::FailFromCall(uint64_t n, int error, std::string op) {
  plans_[std::move(op)] = Plan{n, error, true, 0};
}

void FaultInjector::ClearFaults() {
  plans_.clear();
}

uint64_t FaultInjector::CallCount(std::string_view op) const {
  if (op.empty()) return total_;
  auto found = counts_.find(op);
  return found == counts_.end() ? 0 : found->second;
}

void FaultInjector::ResetCounts() {
  counts_.clear();
  total_ = 0;
}

int FaultInjector::Inject(std::string_view op) {
  ++total_;
  ++counts_[std::string(op)];
  int error = 0;
  for (auto& [name, plan] : plans_) {
    if (!name.empty() && name != op) continue;
    ++plan.seen;
    bool hit = plan.persistent ? plan.seen >= plan.n : plan.seen == plan.n;
    if (hit && error == 0) error = plan.error;
  }
  return error;
}

}  // namespace veltrane::fakes
