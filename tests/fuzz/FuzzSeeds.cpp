// Writes the fuzzers' seed corpora: the chunks a host would hold after saving
// a product instance, and a few near misses.
//
//   tarnello_fuzz_seeds ELCK_DIR JUCE_DIR

#include "framework/DovrethProcessor.h"

#include "aax/AAX_CChunkDataParser.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

juce::AudioProcessor* createPluginFilter();

namespace
{
void write (const std::string& path, const void* data, size_t size)
{
    std::ofstream out (path, std::ios::binary);
    out.write (static_cast<const char*> (data), static_cast<std::streamsize> (size));
}

std::vector<uint8_t> elckData (const AAX_CChunkDataParser& parser)
{
    const auto size = static_cast<size_t> (parser.GetChunkDataSize());
    std::vector<uint8_t> bytes (kPlugInChunkHeaderSize + size);
    parser.GetChunkData (reinterpret_cast<AAX_SPlugInChunk*> (bytes.data()), size);
    return std::vector<uint8_t> (bytes.begin() + kPlugInChunkHeaderSize, bytes.end());
}
} // namespace

int main (int argc, char** argv)
{
    if (argc != 3)
    {
        std::cerr << "usage: tarnello_fuzz_seeds ELCK_DIR JUCE_DIR\n";
        return 2;
    }
    const std::string elckDir = argv[1];
    const std::string juceDir = argv[2];

    AAX_CChunkDataParser all;
    for (int i = 0; i < 24; ++i)
        all.AddDouble (std::to_string (i).c_str(), i / 23.0);
    const auto full = elckData (all);
    write (elckDir + "/controls.bin", full.data(), full.size());

    AAX_CChunkDataParser mixed;
    mixed.AddInt32 ("1", 1);
    mixed.AddString ("2", "text");
    mixed.AddDouble ("3", -1.0);
    const auto typed = elckData (mixed);
    write (elckDir + "/typed.bin", typed.data(), typed.size());
    write (elckDir + "/cut.bin", full.data(), full.size() / 2 + 3);

    juce::ScopedJuceInitialiser_GUI gui;
    std::unique_ptr<juce::AudioProcessor> processor (createPluginFilter());
    juce::MemoryBlock state;
    processor->getStateInformation (state);
    write (juceDir + "/default.bin", state.getData(), state.getSize());
    write (juceDir + "/cut.bin", state.getData(), state.getSize() / 2);
    return 0;
}
