#pragma once
// MD.dll's exports as callers find them by name: plain C functions (cdecl) of
// one int or none, in both builds, that never throw. The nine getters and setters
// are the library's contract; the handle functions are ours alone, and a caller
// does without them where a library lacks them.

#include <cstdint>

namespace md {

using GetterProc = int32_t __cdecl() noexcept;
using SetterProc = int32_t __cdecl(int32_t value) noexcept;
// A handle for the caller to wait on and close, or NULL.
using HandleProc = void* __cdecl() noexcept;

}  // namespace md
