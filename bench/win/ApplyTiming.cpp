// Not a test: how long the resident changer takes to put up one picture, the
// whole apply (decode through the plug-ins, MD_TMP.bmp, the system call) and
// the conversion alone, and the plug-in's decode alone. Run by tools/bench-apply.sh:
//   applier_timing.exe PICTURE [RUNS]
// The plug-ins and MD_TMP.bmp live in the program\ folder beside this program.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "WallpaperApplier.h"
#include "win/DecodedPicture.h"
#include "win/MessageBox.h"
#include "win/ProgramFolder.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: applier_timing PICTURE [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    SetMessageRecorder([](HWND, const std::string& text, MessageKind, UINT) {
        std::fprintf(stderr, "%s\n", text.c_str());
        return IDOK;
    });
    const std::string folder = ProgramFolder() + "\\program";

    SharedStateBinder md;
    if (!md.Load()) return 1;
    PluginHost plugins(PluginHost::Variant::Resident);
    if (!plugins.LoadPlugins(folder)) {
        std::fprintf(stderr, "no plug-in in %s\n", folder.c_str());
        return 1;
    }
    WallpaperApplier applier(plugins, folder);
    ReservationRecord record;
    record.fileName = argv[1];
    record.displayMethod = kMethodStretch;

    std::vector<double> apply, convert, decode;
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        applier.ApplyReservation(record, 1);
        QueryPerformanceCounter(&end);
        apply.push_back(Milliseconds(start, end));

        QueryPerformanceCounter(&start);
        const std::string bitmap = applier.ConvertToTempBitmap(record.fileName);
        QueryPerformanceCounter(&end);
        if (bitmap.empty()) {
            std::fprintf(stderr, "%s could not be converted\n", argv[1]);
            return 1;
        }
        convert.push_back(Milliseconds(start, end));

        const PluginMatch match = plugins.FindPlugin(record.fileName);
        HLOCAL info = nullptr;
        HLOCAL bits = nullptr;
        QueryPerformanceCounter(&start);
        const int32_t result = plugins.DecodePicture(match, record.fileName, &info, &bits);
        QueryPerformanceCounter(&end);
        if (result != 0) {
            std::fprintf(stderr, "%s could not be decoded\n", argv[1]);
            return 1;
        }
        // Freed outside the timing, as the applier frees them after writing.
        const DecodedPicture picture(info, bits);
        decode.push_back(Milliseconds(start, end));
    }
    std::printf("apply   %8.1f ms median, %8.1f ms fastest (decode + MD_TMP.bmp + SystemParametersInfoA)\n",
                Median(apply), *std::min_element(apply.begin(), apply.end()));
    std::printf("convert %8.1f ms median, %8.1f ms fastest (decode + MD_TMP.bmp)\n", Median(convert),
                *std::min_element(convert.begin(), convert.end()));
    std::printf("decode  %8.1f ms median, %8.1f ms fastest (IFWIC.SPI GetPicture alone)\n", Median(decode),
                *std::min_element(decode.begin(), decode.end()));
    md.Unload();
    return 0;
}
