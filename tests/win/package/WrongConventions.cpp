// A DLL made wrong on purpose, for the package check's own test: plug-in
// functions that are cdecl where the ABI says stdcall, and an MD.dll function
// that is stdcall where callers use cdecl.

#include <windows.h>

extern "C" {

int __cdecl GetPluginInfo(int infoNumber, LPSTR buffer, int length) { return infoNumber + length + (buffer != nullptr); }
int __cdecl GetPicture(LPCSTR, LONG_PTR, unsigned int, HLOCAL*, HLOCAL*, FARPROC, LONG_PTR) { return 2; }
int __stdcall MD_SetItem(int value) { return value; }

}  // extern "C"
