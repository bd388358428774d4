// Replays fuzz inputs through the fuzz target's checks without libFuzzer: every file named on the
// command line, or found in a directory named there. Built into the ordinary test suite, so the
// committed corpus (and any reproducer added to it) runs with every compiler and sanitizer.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {
int replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.string().c_str());
        return 1;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    int inputs = 0, failures = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg(argv[i]);
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg))
                if (entry.is_regular_file()) {
                    failures += replay(entry.path());
                    ++inputs;
                }
        } else {
            failures += replay(arg);
            ++inputs;
        }
    }
    std::printf("fuzz replay: %d inputs, every check held\n", inputs - failures);
    return failures == 0 && inputs > 0 ? 0 : 1;
}
