/** @file platform.h The platform services that the forms and subsystems use. */
#pragma once

#include "platform/audio.h"
#include "platform/message_boxes.h"
#include "platform/random.h"
#include "platform/text_metrics.h"
#include "platform/timer_engine.h"

namespace platform {

/**
 * The services of the platform, real in the program and recorded or
 * virtual in tests and benchmarks. The owner keeps them alive for as long
 * as any form exists.
 */
struct Platform {
    TimerEngine &timers;    ///< Timers of the forms.
    MessageBoxes &messages; ///< Message boxes and the default error report.
    AudioService &audio;    ///< Sound players.
    Random &random;         ///< Random numbers.
    TextMetrics &metrics;   ///< Widths of texts in a font.
};

} // namespace platform
