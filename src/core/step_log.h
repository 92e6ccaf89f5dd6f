#pragma once
// Where the time of one piece of work goes, step by step: each mark closes the step that ran since the last
// one. A disabled log costs a test of a flag per mark.

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace koruvan {

// Where a run that logs its times writes them, beside the settings file.
constexpr const char* kSwitchTimesFile = "KORUVAN-timing.log";

class StepLog {
  public:
    // `clock` gives seconds on a clock that never jumps back; a log without one records nothing.
    explicit StepLog(std::function<double()> clock = {});

    bool enabled() const { return static_cast<bool>(clock_); }
    // Ends the running step under `name`, in the order given; a name marked twice adds up.
    void mark(const std::string& name);
    double totalSeconds() const;
    // The clock's reading when the log began.
    double startSeconds() const { return start_; }
    // "total 12.3 ms | clear 0.4 | store 3.1 | ..." in milliseconds with one decimal.
    std::string summary() const;

  private:
    std::function<double()> clock_;
    double start_ = 0;
    double last_ = 0;
    std::vector<std::pair<std::string, double>> steps_;
};

// Marks a step on a log that may be absent.
inline void markStep(StepLog* log, const std::string& name) {
    if (log) log->mark(name);
}

}  // namespace koruvan
