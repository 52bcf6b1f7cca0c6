#include "ProgramFolder.h"

#include <windows.h>

#include <vector>

#include "core/Cp932Text.h"
#include "core/PathText.h"

std::string ProgramPath() {
    // A path longer than MAX_PATH is cut by GetModuleFileNameA; grow until it fits.
    std::vector<char> buffer(MAX_PATH + 1, '\0');
    for (int attempt = 0; attempt < 6; ++attempt) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (n == 0) return std::string();
        if (n < size) return std::string(buffer.data(), n);
        buffer.assign(buffer.size() * 4, '\0');
    }
    return std::string();
}

std::string ProgramFolder() { return FolderOfPath(ProgramPath()); }

std::string ProgramPathWithExtension(const std::string& extension) {
    const std::string path = ProgramPath();
    const size_t slash = LastBackslash(path);
    const size_t dot = LastSingleByte(path, '.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? path.substr(0, dot) : path) + extension;
}
