// Writes the seed corpus of every fuzz target with the system's own writers: the file formats
// as the application and the tools write them, the reply scripts as the simulated controller
// answers the procedures the targets run. Usage: fuzz_seed_corpus <corpus folder>
#include "fuzz/seeds/seed_files.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path corpus = argv[1];
        skarnel::fuzz::WriteFirmwareSeeds(corpus);
        skarnel::fuzz::WriteModelSeeds(corpus);
        skarnel::fuzz::WriteVoiceSeeds(corpus);
        skarnel::fuzz::WriteLogSeeds(corpus);
        skarnel::fuzz::WriteReplySeeds(corpus);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
