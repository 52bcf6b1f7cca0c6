#pragma once
// The resident window's own timers. They share the window with the scheduler's,
// so their ids must never be one of those.

#include <cstdint>

#include "core/Scheduler.h"

enum ResidentWindowTimer : uint32_t {
    TIMER_PLUGIN_RETRY = 272,  // retry loading the plug-ins until some are loaded
    TIMER_TRAY_RETRY = 273,    // offer the tray icon again until the shell takes it
};

static_assert(!IsSchedulerTimer(TIMER_PLUGIN_RETRY) && !IsSchedulerTimer(TIMER_TRAY_RETRY),
              "a timer of the resident window would be taken for one of the scheduler's");
