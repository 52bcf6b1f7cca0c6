#pragma once
// Waiting on a condition with a bound, never for a fixed time.

#include <chrono>
#include <functional>
#include <thread>

// Polls until the condition holds (true) or the bound passes (false).
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 15000, int stepMs = 10) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(stepMs));
    }
    return condition();
}

// Whether a condition holds all through a stretch of time (false at the first
// miss): for what must not happen while something else is going on.
inline bool HoldsFor(const std::function<bool()>& condition, int ms, int stepMs = 20) {
    return !WaitFor([&] { return !condition(); }, ms, stepMs);
}
