#pragma once

// The ten sound cues of the program, each a short recipe for the synthesiser.

#include <cstdint>
#include <string>
#include <vector>

namespace cues {

struct Cue {
    std::string name;  // file base name: "<name>.wav"
    std::vector<std::int16_t> samples;
};

std::vector<Cue> all();

}  // namespace cues
