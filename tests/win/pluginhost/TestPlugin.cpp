// A small import plug-in for the host's tests. One source gives every test
// plug-in; PLUGIN_KIND picks what it reports and accepts:
//   KIND_FORMATS  "*.aaa;*.aab" and "*.aac"; reads files that start "AAA!"
//   KIND_FAIL     "*.fal"; accepts "FAIL", then fails to decode after allocating,
//                 and "NONE", then reports success with one block missing
//   KIND_MANY     more patterns than a row holds, some too long; a description
//                 and a pattern list that fill their buffers without a zero
//   KIND_NO_IS_SUPPORTED  no IsSupported; answers every format number
//   KIND_DUP      "*.dup"; accepts "BOTH" (two copies with different ids)
//   KIND_ARCHIVE  reports "00AM" and accepts everything
// PLUGIN_ID marks the decoded picture so the tests see which plug-in decoded.

#include <windows.h>

#include <cstring>

#include "win/PluginExports.h"

#define KIND_FORMATS 1
#define KIND_FAIL 2
#define KIND_MANY 3
#define KIND_NO_IS_SUPPORTED 4
#define KIND_DUP 5
#define KIND_ARCHIVE 6

#ifndef PLUGIN_KIND
#error PLUGIN_KIND selects the test plug-in
#endif
#ifndef PLUGIN_DESCRIPTION
#define PLUGIN_DESCRIPTION "test plug-in"
#endif
#ifndef PLUGIN_ID
#define PLUGIN_ID PLUGIN_KIND
#endif

namespace {

long isSupportedCalls = 0;
// The blocks of the last decode this plug-in failed, still its own.
HLOCAL failedInfo = nullptr;
HLOCAL failedBits = nullptr;

int Put(LPSTR buffer, int length, const char* text) {
    int n = static_cast<int>(std::strlen(text));
    if (n > length - 1) n = length - 1;
    if (n < 0) return 0;
    std::memcpy(buffer, text, static_cast<size_t>(n));
    buffer[n] = '\0';
    return n;
}

// Writes exactly length bytes of text over and over, with no terminating zero.
int Fill(LPSTR buffer, int length, const char* text) {
    const int n = static_cast<int>(std::strlen(text));
    for (int i = 0; i < length; ++i) buffer[i] = text[i % n];
    return length;
}

const char* Magic() {
    switch (PLUGIN_KIND) {
    case KIND_FORMATS: return "AAA!";
    case KIND_FAIL: return "FAIL";
    case KIND_DUP: return "BOTH";
    default: return nullptr;
    }
}

// The file's bytes at offset must carry the magic as well: GetPicture gets the
// header offset that the lookup found.
bool FileHasMagicAt(LPCSTR path, LONG_PTR offset) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char head[4] = {};
    DWORD got = 0;
    const bool ok = SetFilePointer(file, static_cast<LONG>(offset), nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
                    ReadFile(file, head, 4, &got, nullptr) && got == 4 && Magic() != nullptr &&
                    std::memcmp(head, Magic(), 4) == 0;
    CloseHandle(file);
    return ok;
}

}  // namespace

extern "C" {

__declspec(dllexport) int __stdcall GetPluginInfo(int infoNumber, LPSTR buffer, int length) {
    if (buffer == nullptr || length <= 0) return 0;
    if (infoNumber == 0) return Put(buffer, length, PLUGIN_KIND == KIND_ARCHIVE ? "00AM" : "00IN");
    if (infoNumber == 1) {
        if (PLUGIN_KIND == KIND_MANY) {
            // 表 (0x95 0x5C) lands on the last two bytes of a 256-byte buffer.
            Fill(buffer, length, "D");
            if (length >= 2) {
                buffer[length - 2] = static_cast<char>(0x95);
                buffer[length - 1] = static_cast<char>(0x5C);
            }
            return length;
        }
        return Put(buffer, length, PLUGIN_DESCRIPTION);
    }
    switch (PLUGIN_KIND) {
    case KIND_FORMATS:
        if (infoNumber == 2) return Put(buffer, length, "*.aaa;*.aab");
        if (infoNumber == 4) return Put(buffer, length, "*.aac");
        return 0;
    case KIND_FAIL:
        return infoNumber == 2 ? Put(buffer, length, "*.fal") : 0;
    case KIND_DUP:
        return infoNumber == 2 ? Put(buffer, length, "*.dup") : 0;
    case KIND_ARCHIVE:
        return infoNumber == 2 ? Put(buffer, length, "*.aaa") : 0;
    case KIND_NO_IS_SUPPORTED:
        // Never says there are no more formats; the later ones are empty.
        return infoNumber == 2 ? Put(buffer, length, "*.nis") : Put(buffer, length, ";;");
    case KIND_MANY:
        if (infoNumber == 2) return Put(buffer, length, "*.p01;*.abcdefghijklmnopqrstuvwxyz0123456789ab;*.p02");
        if (infoNumber == 4) return Put(buffer, length, "*.abcde;*.abcdef;*.p03");
        if (infoNumber == 6) return Fill(buffer, length, "*.p04;*.p05;*.p06;*.p07;*.p08;*.p09;*.p10;*.p11;*.p12;*.p1");
        return 0;
    }
    return 0;
}

#if PLUGIN_KIND != KIND_NO_IS_SUPPORTED
__declspec(dllexport) int __stdcall IsSupported(LPCSTR, DWORD_PTR head) {
    ++isSupportedCalls;
    if (PLUGIN_KIND == KIND_ARCHIVE) return 1;
    const char* magic = Magic();
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(head);
    if (PLUGIN_KIND == KIND_FAIL && std::memcmp(bytes, "NONE", 4) == 0) return 1;
    if (magic == nullptr || std::memcmp(bytes, magic, 4) != 0) return 0;
    // "AAA!Z" asks that everything after it up to 2 KB be zero: a short file
    // must come with a zero-filled head.
    if (bytes[4] == 'Z') {
        for (int i = 5; i < 2048; ++i) {
            if (bytes[i] != 0) return 0;
        }
    }
    return 1;
}
#endif

__declspec(dllexport) int __stdcall GetPicture(LPCSTR path, LONG_PTR offset, unsigned int flag, HLOCAL* info,
                                               HLOCAL* bits, spi::ProgressCallback progress, LONG_PTR) {
    if (flag != 0 || info == nullptr || bits == nullptr) return -1;
    const bool fromCallback = progress != nullptr && progress(0, 1, 0) == 0;
    HLOCAL infoBlock = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, sizeof(BITMAPINFOHEADER));
    HLOCAL bitsBlock = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, 8);
    if (infoBlock == nullptr || bitsBlock == nullptr) return 4;
    *info = infoBlock;
    *bits = bitsBlock;
    if (PLUGIN_KIND == KIND_FAIL) {
        if (FileHasMagicAt(path, offset)) {
            // Broken data, both blocks left behind: after a failure the host must
            // not use them (a plug-in may free them itself).
            failedInfo = infoBlock;
            failedBits = bitsBlock;
            return 3;
        }
        LocalFree(bitsBlock);
        *bits = nullptr;
        return 0;  // "success" without the pixel bits
    }
    if (!FileHasMagicAt(path, offset)) return 2;

    auto* header = static_cast<BITMAPINFOHEADER*>(LocalLock(infoBlock));
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = 2;
    header->biHeight = 1;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biSizeImage = 8;
    header->biXPelsPerMeter = static_cast<LONG>(offset);
    header->biYPelsPerMeter = fromCallback ? 1 : 0;
    header->biClrImportant = PLUGIN_ID;
    LocalUnlock(infoBlock);
    auto* pixels = static_cast<unsigned char*>(LocalLock(bitsBlock));
    for (int i = 0; i < 8; ++i) pixels[i] = static_cast<unsigned char>(PLUGIN_ID * 16 + i);
    LocalUnlock(bitsBlock);
    return 0;
}

// For the tests: how often IsSupported ran.
__declspec(dllexport) long __stdcall TestIsSupportedCalls() { return isSupportedCalls; }

// For the tests: 1 when the blocks of the last failed decode are still valid
// (nobody freed them), then freed here.
__declspec(dllexport) long __stdcall TestFailedBlocksValid() {
    const bool valid = failedInfo != nullptr && failedBits != nullptr && LocalFlags(failedInfo) != LMEM_INVALID_HANDLE &&
                       LocalFlags(failedBits) != LMEM_INVALID_HANDLE;
    if (valid) {
        LocalFree(failedInfo);
        LocalFree(failedBits);
    }
    failedInfo = failedBits = nullptr;
    return valid ? 1 : 0;
}

}  // extern "C"
