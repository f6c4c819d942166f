// genera-suoni FOLDER: writes the program's ten sound cues into FOLDER as
// 16-bit mono wave files. The same program always writes the same bytes.

#include "cues.h"
#include "synth.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Writes beside the target and renames, so that an interrupted build never
// leaves a half-written sound behind.
bool writeFile(const fs::path &target, const std::string &bytes)
{
    const fs::path partial = fs::path(target).concat(".tmp");
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            return false;
    }
    std::error_code error;
    fs::rename(partial, target, error);
    return !error;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const fs::path folder(argv[1]);
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "genera-suoni: cannot create %s: %s\n", folder.c_str(), error.message().c_str());
        return 1;
    }
    for (const cues::Cue &cue : cues::all()) {
        const fs::path file = folder / (cue.name + ".wav");
        if (!writeFile(file, synth::waveFile(cue.samples))) {
            std::fprintf(stderr, "genera-suoni: cannot write %s\n", file.c_str());
            return 1;
        }
    }
    return 0;
}
