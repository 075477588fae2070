#pragma once

namespace tevaro::album {

// The frame clock: application time since start, and time elapsed between frames, with a stop
// that freezes both. The clock source is handed in (the performance counter on Windows, a
// scripted one in tests).
class AppTimer {
public:
    enum Command { Reset = 0, Start = 1, Stop = 2, Advance = 3, AbsoluteTime = 4, AppTime = 5, ElapsedTime = 6 };
    using Clock = double (*)(void* context);

    AppTimer(Clock clock, void* context) : clock_(clock), context_(context) {}
    // Seconds for the time commands, 0 for the others, −1 for an unknown command.
    float command(int command);

private:
    double now() const { return stopped_ ? stopTime_ : clock_(context_); }

    Clock clock_;
    void* context_;
    bool stopped_ = true;
    double base_ = 0, stopTime_ = 0, lastElapsed_ = 0;
};

}  // namespace tevaro::album
