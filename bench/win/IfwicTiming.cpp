// How long IFWIC.SPI takes for a wallpaper-sized JPEG: the wait a user has at
// every wallpaper change. Prints the fastest and the median of several runs.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "SpiLoader.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    SpiPlugin plugin;
    if (!plugin.Load()) {
        std::fprintf(stderr, "IFWIC.SPI not found beside the program\n");
        return 1;
    }
    const std::string path = ProgramFolder() + "images\\wallpaper-3840x2160.jpg";
    const std::vector<char> bytes = ReadWholeFile(path);
    for (unsigned int flag : {0u, 1u}) {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            HLOCAL info = nullptr;
            HLOCAL bits = nullptr;
            LARGE_INTEGER start;
            LARGE_INTEGER end;
            QueryPerformanceCounter(&start);
            const int result = flag == 0 ? plugin.getPicture(path.c_str(), 0, 0, &info, &bits, nullptr, 0)
                                         : plugin.getPicture(bytes.data(), static_cast<LONG_PTR>(bytes.size()), 1,
                                                             &info, &bits, nullptr, 0);
            QueryPerformanceCounter(&end);
            if (result != 0) {
                std::fprintf(stderr, "GetPicture failed: %d\n", result);
                return 1;
            }
            LocalFree(info);
            LocalFree(bits);
            times.push_back(Milliseconds(start, end));
        }
        std::sort(times.begin(), times.end());
        std::printf("3840x2160 JPEG (%zu bytes) from %s: fastest %.1f ms, median %.1f ms over %d runs\n", bytes.size(),
                    flag == 0 ? "file" : "memory", times.front(), times[times.size() / 2], runs);
    }
    // Wine's decoders decode the whole picture while they open it, so this is
    // the decoder's own share of the time above.
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        PictureInfo info = {};
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        const int result = plugin.getPictureInfo(bytes.data(), static_cast<LONG_PTR>(bytes.size()), 1, &info);
        QueryPerformanceCounter(&end);
        if (result != 0) {
            std::fprintf(stderr, "GetPictureInfo failed: %d\n", result);
            return 1;
        }
        times.push_back(Milliseconds(start, end));
    }
    std::sort(times.begin(), times.end());
    std::printf("GetPictureInfo of the same JPEG: fastest %.1f ms, median %.1f ms\n", times.front(),
                times[times.size() / 2]);
    return 0;
}
