// A library named MD.dll that lacks MD_SetExitFlag: the binder must refuse it
// whole rather than bind eight names and forward the ninth to nothing.
#include <cstdint>

extern "C" {
int32_t __cdecl MD_GetMDSFlag() { return 0; }
int32_t __cdecl MD_GetMDKFlag() { return 0; }
int32_t __cdecl MD_SetMDKFlag(int32_t v) { return v; }
int32_t __cdecl MD_GetItem() { return -1; }
int32_t __cdecl MD_SetItem(int32_t v) { return v; }
int32_t __cdecl MD_GetChgFlag() { return 0; }
int32_t __cdecl MD_SetChgFlag(int32_t v) { return v; }
int32_t __cdecl MD_GetExitFlag() { return 0; }
}
