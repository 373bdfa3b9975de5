// What opening and closing the product's editor costs on the message thread,
// headless: createEditor (the scalable window, the editor, its panels and
// images) laid out and painted once at scale 1, then deleted.
//
//   bench_editor

#include "effect/PluginProcessor.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace
{
void BM_OpenAndCloseEditor (benchmark::State& state)
{
    std::unique_ptr<juce::AudioProcessor> processor (createPluginFilter());
    for (auto _ : state)
    {
        std::unique_ptr<juce::AudioProcessorEditor> editor (processor->createEditor());
        auto picture = editor->createComponentSnapshot (editor->getLocalBounds(), true, 1.0f);
        benchmark::DoNotOptimize (picture);
    }
}
BENCHMARK (BM_OpenAndCloseEditor)->Unit (benchmark::kMillisecond);
} // namespace

int main (int argc, char** argv)
{
    // The editor reads and writes user settings: keep them away from the user's own.
    const auto home = std::filesystem::temp_directory_path() / "tarnello-bench-home";
    std::filesystem::create_directories (home / ".config");
    setenv ("HOME", home.c_str(), 1);
    setenv ("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);

    const juce::ScopedJuceInitialiser_GUI juce;
    benchmark::Initialize (&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all (home);
    return 0;
}
