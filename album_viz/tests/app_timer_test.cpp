// The frame clock's seven commands on a scripted clock.
#include <gtest/gtest.h>

#include "album_viz/framework/app_timer.h"

namespace tevaro::album {
namespace {

double scripted(void* context) { return *static_cast<double*>(context); }

TEST(AppTimer, CommandsFollowTheScriptedClock) {
    double now = 100.0;
    AppTimer timer(scripted, &now);
    struct Step {
        double clock;
        int command;
        float result;
    };
    // Start from stopped at 0 moves the base by the whole clock: application time starts at 0.
    const Step steps[] = {
        {100.0, AppTimer::Start, 0},
        {101.5, AppTimer::AppTime, 1.5f},
        {101.5, AppTimer::ElapsedTime, 1.5f},
        {101.5, AppTimer::ElapsedTime, 0},
        {102.0, AppTimer::Stop, 0},
        {105.0, AppTimer::AppTime, 2.0f},
        {105.0, AppTimer::Advance, 0},
        {105.0, AppTimer::AppTime, 2.1f},
        {105.0, AppTimer::AbsoluteTime, 102.1f},
        {106.0, AppTimer::Start, 0},
        {106.0, AppTimer::AppTime, 2.1f},
        {107.0, AppTimer::ElapsedTime, 1.0f},
        {110.0, AppTimer::Reset, 0},
        {110.25, AppTimer::AppTime, 0.25f},
        {110.25, 7, -1.0f},
        {110.25, -1, -1.0f},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "clock " << s.clock << " command " << s.command);
        now = s.clock;
        EXPECT_NEAR(timer.command(s.command), s.result, 1e-4f);
    }
}

}  // namespace
}  // namespace tevaro::album
