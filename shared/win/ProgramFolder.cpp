#include "ProgramFolder.h"

#include <windows.h>

#include <vector>

#include "core/PathText.h"

std::string ProgramFolder() {
    // A path longer than MAX_PATH is cut by GetModuleFileNameA; grow until it fits.
    std::vector<char> buffer(MAX_PATH + 1, '\0');
    for (int attempt = 0; attempt < 6; ++attempt) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (n == 0) return std::string();
        if (n < size) return FolderOfPath(std::string(buffer.data(), n));
        buffer.assign(buffer.size() * 4, '\0');
    }
    return std::string();
}
