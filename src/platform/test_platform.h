/** @file test_platform.h The platform of tests and benchmarks: virtual time, recorded boxes and sounds. */
#pragma once

#include "platform/platform.h"
#include "platform/recorded_platform.h"
#include "platform/virtual_timer_engine.h"

namespace platform {

/** Every service of the test platform, bundled; forms are built on `platform`. */
struct TestPlatform {
    VirtualTimerEngine timers;
    RecordedMessageBoxes messages;
    RecordedAudio audio;
    Random random;
    FixedTextMetrics metrics;
    Platform platform{timers, messages, audio, random, metrics};
};

} // namespace platform
