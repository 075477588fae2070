#include "album_viz/framework/app_timer.h"

namespace tevaro::album {

float AppTimer::command(int c) {
    const double t = now();
    switch (c) {
        case Reset:
            base_ = lastElapsed_ = t;
            stopTime_ = 0;
            stopped_ = false;
            return 0;
        case Start: {
            const double running = clock_(context_);
            if (stopped_) base_ += running - stopTime_;  // the stopped interval does not count
            stopTime_ = 0;
            lastElapsed_ = running;
            stopped_ = false;
            return 0;
        }
        case Stop:
            stopTime_ = lastElapsed_ = t;
            stopped_ = true;
            return 0;
        case Advance:
            stopTime_ += 0.1;
            return 0;
        case AbsoluteTime:
            return float(t);
        case AppTime:
            return float(t - base_);
        case ElapsedTime: {
            const double elapsed = t - lastElapsed_;
            lastElapsed_ = t;
            return float(elapsed);
        }
        default:
            return -1.0f;
    }
}

}  // namespace tevaro::album
