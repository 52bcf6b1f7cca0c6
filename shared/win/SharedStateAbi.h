#pragma once
// MD.dll's nine exports as callers find them by name: plain C functions
// (cdecl) of one int or none, in both builds, that never throw.

#include <cstdint>

namespace md {

using GetterProc = int32_t __cdecl() noexcept;
using SetterProc = int32_t __cdecl(int32_t value) noexcept;

}  // namespace md
