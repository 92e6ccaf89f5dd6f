#pragma once
// The running program and its logon session: the single instance, the program's own place, the message
// queue and the pointer, clocks and random numbers.

#include <cstdint>
#include <optional>
#include <string>

namespace koruvan {

// Who else runs this program: one KORUVAN a logon session, and one a program folder (its store) across every
// session of the PC.
enum class InstanceClaim {
    Claimed,                     // this process is the only one
    RunningInThisSession,        // another KORUVAN runs in this logon session
    FolderUsedInAnotherSession,  // a KORUVAN of this folder runs for another user of the PC
};

class Session {
  public:
    virtual ~Session() = default;

    // Named mutexes held for the life of the process: one of the session, one of the program's folder.
    virtual InstanceClaim claimSingleInstance() = 0;
    // The folder of the running program, as the system gives it.
    virtual std::string programDirectory() = 0;
    // The running program's own file, full path.
    virtual std::string programFile() = 0;
    // Lets the events waiting in the message queue run.
    virtual void pumpPendingEvents() = 0;
    // The hourglass over the whole screen, and back to the default pointer.
    virtual void setBusyPointer(bool busy) = 0;
    // Seconds on a clock that never jumps back (not the time of day).
    virtual double monotonicSeconds() = 0;
    // The local time of day in seconds since midnight, with their fraction.
    virtual double secondsOfDay() = 0;
    // A random number in [0, 1) from a generator seeded once, by the time, when the program starts.
    virtual double randomFraction() = 0;
    // The id of the logon session the program runs in; nullopt when the system does not tell.
    virtual std::optional<std::uint32_t> sessionId() = 0;
    // The logon session and the system's start, as one text: the same for as long as a window handle can
    // stand for the same window.
    virtual std::string logonIdentity() = 0;
};

}  // namespace koruvan
