// Runs a fuzz target once over every file of its seed corpus, so that the
// ordinary test run (the sanitizer build above all) replays what the fuzzer
// found. Arguments: corpus folders or files.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool Replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        std::error_code error;
        if (std::filesystem::is_directory(argv[i], error)) {
            for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
                if (!entry.is_regular_file()) continue;
                if (Replay(entry.path())) ++replayed; else ++failed;
            }
        } else if (Replay(argv[i])) {
            ++replayed;
        } else {
            ++failed;
        }
    }
    std::printf("%d seeds replayed, %d unreadable\n", replayed, failed);
    // No seed at all means the corpus went missing: that is a failure too.
    return replayed > 0 && failed == 0 ? 0 : 1;
}
