#include "SharedStateBinder.h"

#include <windows.h>

#include "MessageBox.h"
#include "SharedStateAbi.h"

namespace {

using Getter = md::GetterProc*;
using Setter = md::SetterProc*;
using HandleGetter = md::HandleProc*;

struct EntryPoints {
    HMODULE module = nullptr;
    Getter getMDSFlag = nullptr;
    Getter getMDKFlag = nullptr;
    Setter setMDKFlag = nullptr;
    Getter getItem = nullptr;
    Setter setItem = nullptr;
    Getter getChgFlag = nullptr;
    Setter setChgFlag = nullptr;
    Getter getExitFlag = nullptr;
    Setter setExitFlag = nullptr;
    HandleGetter openMDSRise = nullptr;  // optional, with openMDSFall
    HandleGetter openMDSFall = nullptr;
};

// Held for the whole process, so that every binder instance forwards.
EntryPoints g_entry;

template <typename Function>
bool Resolve(HMODULE module, const char* name, Function& target) {
    target = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return target != nullptr;
}

int32_t Call(Getter getter) { return getter != nullptr ? getter() : 0; }
int32_t Call(Setter setter, int32_t value) { return setter != nullptr ? setter(value) : 0; }

}  // namespace

bool SharedStateBinder::Load() {
    if (g_entry.module != nullptr) return true;
    HMODULE module = LoadLibraryA("MD.dll");
    EntryPoints entry;
    entry.module = module;
    // A library that lacks any of the nine names is not the one we talk to: it is
    // treated like a missing one rather than half bound.
    const bool complete = module != nullptr && Resolve(module, "MD_GetMDSFlag", entry.getMDSFlag) &&
                          Resolve(module, "MD_GetMDKFlag", entry.getMDKFlag) &&
                          Resolve(module, "MD_SetMDKFlag", entry.setMDKFlag) &&
                          Resolve(module, "MD_GetItem", entry.getItem) &&
                          Resolve(module, "MD_SetItem", entry.setItem) &&
                          Resolve(module, "MD_GetChgFlag", entry.getChgFlag) &&
                          Resolve(module, "MD_SetChgFlag", entry.setChgFlag) &&
                          Resolve(module, "MD_GetExitFlag", entry.getExitFlag) &&
                          Resolve(module, "MD_SetExitFlag", entry.setExitFlag);
    if (!complete) {
        if (module != nullptr) FreeLibrary(module);
        ShowMessage(nullptr, "MD.dll が見つかりません。", MessageKind::Warning);
        return false;
    }
    if (!Resolve(module, "MD_OpenMDSRise", entry.openMDSRise) || !Resolve(module, "MD_OpenMDSFall", entry.openMDSFall)) {
        entry.openMDSRise = entry.openMDSFall = nullptr;
    }
    g_entry = entry;
    return true;
}

void SharedStateBinder::Unload() {
    HMODULE module = g_entry.module;
    g_entry = EntryPoints{};
    if (module != nullptr) FreeLibrary(module);
}

bool SharedStateBinder::Bound() { return g_entry.module != nullptr; }

int32_t SharedStateBinder::GetMDSFlag() const { return Call(g_entry.getMDSFlag); }
int32_t SharedStateBinder::GetMDKFlag() const { return Call(g_entry.getMDKFlag); }
int32_t SharedStateBinder::SetMDKFlag(int32_t value) const { return Call(g_entry.setMDKFlag, value); }
int32_t SharedStateBinder::GetItem() const { return Call(g_entry.getItem); }
int32_t SharedStateBinder::SetItem(int32_t value) const { return Call(g_entry.setItem, value); }
int32_t SharedStateBinder::GetChgFlag() const { return Call(g_entry.getChgFlag); }
int32_t SharedStateBinder::SetChgFlag(int32_t value) const { return Call(g_entry.setChgFlag, value); }
int32_t SharedStateBinder::GetExitFlag() const { return Call(g_entry.getExitFlag); }
int32_t SharedStateBinder::SetExitFlag(int32_t value) const { return Call(g_entry.setExitFlag, value); }

bool SharedStateBinder::HasSettingsSignals() { return g_entry.openMDSRise != nullptr; }
void* SharedStateBinder::OpenMDSRise() const { return g_entry.openMDSRise != nullptr ? g_entry.openMDSRise() : nullptr; }
void* SharedStateBinder::OpenMDSFall() const { return g_entry.openMDSFall != nullptr ? g_entry.openMDSFall() : nullptr; }
