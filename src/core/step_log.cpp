#include "core/step_log.h"

#include <cstdio>

namespace koruvan {
namespace {

std::string milliseconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.1f", seconds * 1000.0);
    return text;
}

}  // namespace

StepLog::StepLog(std::function<double()> clock) : clock_(std::move(clock)) {
    if (clock_) start_ = last_ = clock_();
}

void StepLog::mark(const std::string& name) {
    if (!clock_) return;
    const double now = clock_();
    const double seconds = now - last_;
    last_ = now;
    for (auto& [step, total] : steps_) {
        if (step == name) {
            total += seconds;
            return;
        }
    }
    steps_.emplace_back(name, seconds);
}

double StepLog::totalSeconds() const {
    return last_ - start_;
}

std::string StepLog::summary() const {
    std::string text = "total " + milliseconds(totalSeconds()) + " ms";
    for (const auto& [step, seconds] : steps_)
        text += " | " + step + " " + milliseconds(seconds);
    return text;
}

}  // namespace koruvan
