#pragma once
// The running program's session, through the W calls.

#include <random>
#include <string>

#include "platform/session.h"
#include "platform/win32/scoped_handle.h"

namespace koruvan::win32 {

// True while the program has asked for the hourglass; the program's windows answer WM_SETCURSOR with it.
bool busyPointerActive();

class Win32Session final : public Session {
  public:
    explicit Win32Session(std::string instanceName);

    InstanceClaim claimSingleInstance() override;
    std::string programDirectory() override;
    std::string programFile() override;
    void pumpPendingEvents() override;
    void setBusyPointer(bool busy) override;
    double monotonicSeconds() override;
    double secondsOfDay() override;
    double randomFraction() override;
    std::optional<std::uint32_t> sessionId() override;
    std::string logonIdentity() override;

  private:
    static std::uint64_t systemStart();

    std::string instanceName_;
    KernelObject instanceMutex_;  // held until the process ends
    KernelObject folderMutex_;
    double counterFrequency_ = 0;
    std::mt19937 random_;
};

}  // namespace koruvan::win32
