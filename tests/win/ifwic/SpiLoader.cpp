#include "SpiLoader.h"

namespace {

template <class Fn>
Fn Find(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

bool SpiPlugin::Load() {
    module = LoadLibraryA((ProgramFolder() + "IFWIC.SPI").c_str());
    if (module == nullptr) return false;
    getPluginInfo = Find<GetPluginInfoFn>(module, "GetPluginInfo");
    isSupported = Find<IsSupportedFn>(module, "IsSupported");
    getPictureInfo = Find<GetPictureInfoFn>(module, "GetPictureInfo");
    getPicture = Find<GetPictureFn>(module, "GetPicture");
    getPreview = Find<GetPictureFn>(module, "GetPreview");
    return getPluginInfo && isSupported && getPictureInfo && getPicture && getPreview;
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    // CharPrevA steps over double-byte characters whose trail byte is 0x5C.
    const char* end = folder.c_str() + folder.size();
    const char* at = end;
    while (at > folder.c_str() && *at != '\\') at = CharPrevA(folder.c_str(), at);
    return folder.substr(0, static_cast<size_t>(at - folder.c_str()) + 1);
}

std::vector<char> ReadWholeFile(const std::string& path) {
    std::vector<char> bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    const DWORD size = GetFileSize(file, nullptr);
    bytes.resize(size);
    DWORD read = 0;
    if (size == 0 || !ReadFile(file, bytes.data(), size, &read, nullptr)) read = 0;
    bytes.resize(read);
    CloseHandle(file);
    return bytes;
}

bool WriteWholeFile(const std::string& path, const void* data, size_t size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = size == 0 || WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(file);
    return ok && written == size;
}

std::vector<char> Garbage(size_t size, uint32_t seed) {
    std::vector<char> bytes(size);
    for (char& b : bytes) {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<char>(seed >> 16);
    }
    return bytes;
}
