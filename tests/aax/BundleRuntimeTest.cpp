// The product's bundle driven end to end through its exports, the procedures it
// registered and its process callback, by the stand-in host.

#include "tests/aax/BundleTestSupport.h"

#include "aax/AAX_Errors.h"
#include "aax/acf/AAXIDs.h"

#include <cstring>
#include <atomic>
#include <functional>
#include <thread>

namespace
{
using namespace tarnello::test;
using tarnello::host::AutomationEvent;
using Kind = AutomationEvent::Kind;

// Long enough for the delay time's glide to settle before the impulse.
constexpr size_t kPreRoll = 3 * 48000;

// Wet only and a single echo, so that the onset is the echo's.
void setForOneEcho (tarnello::host::PluginInstance& instance, const std::string& time)
{
    ProductBundle::set (instance, "Modulation", "0");
    ProductBundle::set (instance, "Mix", "100");
    ProductBundle::set (instance, "Feedback", "0");
    ProductBundle::set (instance, "Time", time);
}

TEST_F (ProductBundle, RegistersOneHostParameterPerProcessorParameterAndTheBypass)
{
    auto* instance = newInstance();
    ASSERT_NE (instance, nullptr);
    const auto parameters = instance->parameters();
    ASSERT_EQ (parameters.size(), 25u);
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ (parameters[static_cast<size_t> (i)].first, std::to_string (i));
    EXPECT_EQ (parameters[0].second, "1. Modulation");
    EXPECT_EQ (parameters[4].second, "5. Time");
    EXPECT_EQ (parameters[23].second, "24");
    EXPECT_EQ (parameters[24].first, "MasterBypassID");

    auto& effect = instance->effect();
    int32_t steps = 0;
    AAX_EParameterType type = -1;
    EXPECT_EQ (effect.GetParameterNumberOfSteps ("MasterBypassID", &steps), ACF_OK);
    EXPECT_EQ (steps, 2);
    EXPECT_EQ (effect.GetParameterType ("MasterBypassID", &type), ACF_OK);
    EXPECT_EQ (type, 0);
    for (int i = 0; i < 24; ++i)
    {
        EXPECT_EQ (effect.GetParameterNumberOfSteps (std::to_string (i).c_str(), &steps), ACF_OK);
        EXPECT_GE (steps, 1);
        EXPECT_LE (steps, 2048);
    }

    tarnello::host::HostString bypassID;
    EXPECT_EQ (effect.GetMasterBypassParameter (&bypassID), ACF_OK);
    EXPECT_EQ (bypassID.str(), "MasterBypassID");
    EXPECT_EQ (instance->context().automation().registered().size(), 25u);
    EXPECT_EQ (instance->findParameter ("time"), "4");
    EXPECT_EQ (instance->findParameter ("5. Time"), "4");
    EXPECT_EQ (instance->findParameter ("Tempo"), "");

    int32_t chunks = 0;
    AAX_CTypeID id = 0;
    EXPECT_EQ (effect.GetNumberOfChunks (&chunks), ACF_OK);
    EXPECT_EQ (chunks, 2);
    EXPECT_EQ (effect.GetChunkIDFromIndex (0, &id), ACF_OK);
    EXPECT_EQ (id, fourCharCode ("elck"));
    EXPECT_EQ (effect.GetChunkIDFromIndex (1, &id), ACF_OK);
    EXPECT_EQ (id, fourCharCode ("juce"));
    EXPECT_EQ (effect.GetChunkIDFromIndex (2, &id), AAX_ERROR_INVALID_CHUNK_INDEX);
    EXPECT_EQ (instance->context().controller().signalLatency(), 0);
    EXPECT_GE (instance->context().controller().latencyReports(), 1);
}

TEST_F (ProductBundle, BypassedItGivesBackItsInputExactly)
{
    auto* instance = newInstance();
    ASSERT_NE (instance, nullptr);
    set (*instance, "Mix", "100");
    ASSERT_EQ (instance->effect().SetParameterNormalizedValue ("MasterBypassID", 1.0), ACF_OK);

    const auto input = noiseChannels (2, 20000, 1, 0.5);
    const auto output = render (*instance, input, 700);
    EXPECT_EQ (output, input);

    float posted = 0.0f;
    const auto payload = instance->context().controller().latestPacket (3);
    ASSERT_EQ (payload.size(), sizeof (float));
    std::memcpy (&posted, payload.data(), sizeof (float));
    EXPECT_EQ (posted, 1.0f);

    // Unbypassed, the wet signal is something else.
    ASSERT_EQ (instance->effect().SetParameterNormalizedValue ("MasterBypassID", 0.0), ACF_OK);
    EXPECT_NE (render (*instance, input, 700), input);
}

TEST_F (ProductBundle, ReadsTheBypassPacketAsAFloat)
{
    struct Case { float packet; bool bypassed; };
    const Case cases[] = { { 1.0f, true }, { 0.0f, false }, { -0.0f, false }, { 0.75f, true },
                           { std::nanf (""), false } };
    const auto input = noiseChannels (2, 4096, 1, 0.5);
    for (const auto& c : cases)
    {
        auto* instance = newInstance();
        ASSERT_NE (instance, nullptr);
        set (*instance, "Mix", "100");
        instance->overrideField (3, &c.packet, sizeof (float));
        EXPECT_EQ (render (*instance, input) == input, c.bypassed) << c.packet;
    }
}

TEST_F (ProductBundle, EchoesAnImpulseAtTheDelayTime)
{
    struct Case { const char* time; long samples; };
    const Case cases[] = { { "300", 14400 }, { "125", 6000 } };
    for (const auto& c : cases)
    {
        auto* instance = newInstance();
        ASSERT_NE (instance, nullptr);
        setForOneEcho (*instance, c.time);
        const auto output = render (*instance, impulse (2, kPreRoll, kPreRoll + 20000));
        EXPECT_EQ (onsetOf (output[0], kPreRoll), c.samples) << c.time;
        EXPECT_EQ (onsetOf (output[1], kPreRoll), c.samples) << c.time;
    }
}

TEST_F (ProductBundle, MonoInFeedsBothSidesOfTheStereoComponent)
{
    auto* instance = newInstance (kMono, kStereo);
    ASSERT_NE (instance, nullptr);
    EXPECT_EQ (instance->numInputs(), 1);
    setForOneEcho (*instance, "300");
    const auto output = render (*instance, impulse (1, kPreRoll, kPreRoll + 20000));
    EXPECT_EQ (onsetOf (output[0], kPreRoll), 14400);
    EXPECT_EQ (onsetOf (output[1], kPreRoll), 14400);
}

TEST_F (ProductBundle, FollowsTheHostTempoWhenSynced)
{
    struct Case { double bpm; long samples; };
    const Case cases[] = { { 120.0, 24000 }, { 100.0, 28800 } }; // a quarter note
    for (const auto& c : cases)
    {
        auto* instance = newInstance();
        ASSERT_NE (instance, nullptr);
        instance->context().transport().setTempo (c.bpm);
        instance->context().transport().setPlaying (true);
        setForOneEcho (*instance, "300");
        set (*instance, "Delay Sync", "Sync");
        set (*instance, "Time Note", "1/4");
        const auto output = render (*instance, impulse (2, kPreRoll, kPreRoll + 40000));
        EXPECT_EQ (onsetOf (output[0], kPreRoll), c.samples) << c.bpm;
    }
}

// What the host's transport says reaches the module: a tempo of 0 puts a synced
// "Time" at its longest, one no host can mean counts as 120 bpm.
TEST_F (ProductBundle, ASyncedTimeFollowsEveryHostTempoByTheModulesRule)
{
    struct Case { double bpm; const char* time; };
    const Case cases[] = { { 60.0, "1000" }, { 0.0, "4000" }, { 4.9e-324, "4000" }, { -5.0, "500" },
                           { std::nan (""), "500" }, { HUGE_VAL, "500" }, { -HUGE_VAL, "500" } };
    const auto input = noiseChannels (2, 512, 7, 0.5);
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.bpm);
        auto* instance = newInstance();
        ASSERT_NE (instance, nullptr);
        set (*instance, "Delay Sync", "Sync");
        set (*instance, "Time Note", "1/4");
        instance->context().transport().setTempo (c.bpm);
        instance->context().transport().setPlaying (true);
        render (*instance, input);
        const auto time = instance->findParameter ("Time");
        EXPECT_EQ (instance->parameterText (time, instance->parameterValue (time)), c.time);
        instances.clear();
    }
}

// Every way a text can fail leaves the parameter as it was and says why.
TEST_F (ProductBundle, ATextThatIsNoValueOfTheParameterSetsNothing)
{
    auto* instance = newInstance();
    ASSERT_NE (instance, nullptr);
    struct Case { const char* name; const char* text; const char* says; };
    const Case cases[] = {
        { "Mix", "0x10", "plain decimal number from 0 to 100" },
        { "Mix", "150", "\"Mix\" takes 0 to 100, not 150" },
        { "Mix", "-0.5", "takes 0 to 100" },
        { "Time", "50 dB", "\"50 dB\" is no value for \"Time\"" },
        { "Time", "nan", "is no value" },
        { "Time", "", "is no value" },
        { "Drive", "maybe", "\"Drive\" takes one of: Off, On" },
        { "Drive", "2", "takes one of" },
        { "Time Note", "1.5", "index from 0 to 20" },
        { "Bypass", "1", "unknown parameter" },
        { "MasterBypassID", "1", "unknown parameter" },
        { "", "1", "the parameters are: Modulation, Tone" },
    };
    const auto before = instance->parameters();
    std::vector<double> values;
    for (const auto& [id, name] : before)
        values.push_back (instance->parameterValue (id));
    for (const auto& c : cases)
    {
        SCOPED_TRACE (std::string (c.name) + "=" + c.text);
        const auto message = instance->setParameterFromText (c.name, c.text);
        EXPECT_NE (message.find (c.says), std::string::npos) << message;
    }
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ (instance->parameterValue (before[i].first), values[i]) << before[i].second;
}

TEST_F (ProductBundle, AJuceChunkGivesASecondInstanceTheSameSound)
{
    auto* first = newInstance();
    ASSERT_NE (first, nullptr);
    set (*first, "Time", "410");
    set (*first, "Feedback", "120");
    set (*first, "Tone", "2.5");
    set (*first, "Drive", "On");

    ACFRESULT result = -1;
    const auto state = first->getChunk (kStateChunk, result);
    ASSERT_EQ (result, ACF_OK);
    ASSERT_GT (state.size(), 8u);

    auto* second = newInstance();
    ASSERT_NE (second, nullptr);
    second->context().automation().clearEvents();
    ASSERT_EQ (second->setChunk (kStateChunk, state), ACF_OK);
    EXPECT_EQ (second->parameterText ("4", second->parameterValue ("4")), "410");

    // Restored values went to the host as set requests.
    int requests = 0;
    for (const auto& event : second->context().automation().events())
        requests += event.kind == Kind::SetRequest ? 1 : 0;
    EXPECT_GE (requests, 4);

    const auto input = noiseChannels (2, 3 * 48000, 7, 0.5);
    EXPECT_EQ (render (*first, input), render (*second, input));
}

TEST_F (ProductBundle, RoundTripsTheControlsChunkAndWritesTheGoldenBytes)
{
    auto* instance = newInstance();
    ASSERT_NE (instance, nullptr);
    ASSERT_EQ (instance->effect().SetParameterNormalizedValue ("0", 0.5), ACF_OK);
    ACFRESULT result = -1;
    const auto saved = instance->getChunk (kControlsChunk, result);
    ASSERT_EQ (result, ACF_OK);
    ASSERT_EQ (saved.size(), 348u);
    EXPECT_EQ (std::vector<uint8_t> (saved.begin(), saved.begin() + 16),
               (std::vector<uint8_t> { 0x01, 0x01, 0x01, 0x01, 0x64, 0x5F, 0x30, 0x00, 0x3F, 0xE0, 0x00, 0x00, 0x00,
                                       0x00, 0x00, 0x00 }));

    std::vector<double> before;
    for (int i = 0; i < 24; ++i)
        before.push_back (instance->parameterValue (std::to_string (i)));
    set (*instance, "Time", "1000");
    set (*instance, "Modulation", "3");
    ASSERT_EQ (instance->setChunk (kControlsChunk, saved), ACF_OK);
    for (int i = 0; i < 24; ++i)
        EXPECT_FLOAT_EQ (static_cast<float> (instance->parameterValue (std::to_string (i))),
                         static_cast<float> (before[static_cast<size_t> (i)]))
            << i;
}

TEST_F (ProductBundle, HostAutomationReachesTheModuleWithoutComingBack)
{
    auto* instance = newInstance();
    ASSERT_NE (instance, nullptr);
    setForOneEcho (*instance, "300");
    auto& automation = instance->context().automation();
    automation.clearEvents();

    double position = 0.0;
    ASSERT_EQ (instance->effect().GetParameterValueFromString ("4", &position, tarnello::host::HostString ("150")), ACF_OK);
    ASSERT_EQ (instance->effect().UpdateParameterNormalizedValue ("4", position, 0), ACF_OK);
    EXPECT_EQ (instance->parameterText ("4", instance->parameterValue ("4")), "150");
    for (const auto& event : automation.events())
        EXPECT_NE (event.kind, Kind::SetRequest) << "echoed back to the host";

    const auto output = render (*instance, impulse (2, kPreRoll, kPreRoll + 20000));
    EXPECT_EQ (onsetOf (output[0], kPreRoll), 7200);
}

TEST_F (ProductBundle, AnswersSetsLaterWhenTheHostQueuesThem)
{
    auto* instance = newInstance();
    ASSERT_NE (instance, nullptr);
    auto& automation = instance->context().automation();
    automation.setMode (tarnello::host::HostAutomationDelegate::Mode::Queued);
    ASSERT_EQ (instance->effect().SetParameterNormalizedValue ("MasterBypassID", 1.0), ACF_OK);
    const auto input = noiseChannels (2, 2048, 1, 0.5);
    EXPECT_NE (render (*instance, input), input); // the host has not answered
    EXPECT_EQ (automation.pump(), 1);
    EXPECT_EQ (render (*instance, input), input);
}

// What an instance does when the host leaves out one of its interfaces.
TEST_F (ProductBundle, CopesWithEachMissingHostInterface)
{
    struct Case
    {
        const char* what;
        acfIID omitted;
        ACFRESULT initialized;
        std::function<void (tarnello::host::PluginInstance&)> check;
    };
    const auto input = noiseChannels (2, 4096, 3, 0.5);
    const std::vector<Case> cases = {
        { "controller", IID_IAAXControllerV1, AAX_ERROR_NULL_OBJECT, nullptr },
        { "controller version 2", IID_IAAXControllerV2, ACF_OK, nullptr },
        { "controller version 3", IID_IAAXControllerV3, ACF_OK, nullptr },
        { "component factory", IID_IACFComponentFactory, ACF_OK, nullptr },
        { "page-table controller", IID_IAAXPageTableController, ACF_OK, nullptr },
        { "transport", IID_IAAXTransportV1, ACF_OK,
          [&] (auto& instance) {
              // No tempo from the host: a synced quarter note is 500 ms, at 120 bpm.
              setForOneEcho (instance, "300");
              ProductBundle::set (instance, "Delay Sync", "Sync");
              ProductBundle::set (instance, "Time Note", "1/4");
              const auto output = ProductBundle::render (instance, impulse (2, kPreRoll, kPreRoll + 30000));
              EXPECT_EQ (ProductBundle::onsetOf (output[0], kPreRoll), 24000);
          } },
        { "automation delegate", IID_IAAXAutomationDelegateV1, ACF_OK,
          [&] (auto& instance) {
              // Nobody to ask: the set takes effect at once.
              EXPECT_EQ (instance.effect().SetParameterNormalizedValue ("MasterBypassID", 1.0), ACF_OK);
              EXPECT_EQ (instance.parameterValue ("MasterBypassID"), 1.0);
              EXPECT_TRUE (instance.context().automation().events().empty());
              EXPECT_EQ (ProductBundle::render (instance, input), input);
          } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        standIn->config() = {};
        standIn->config().omit (c.omitted);
        auto* instance = newInstance (kStereo, kStereo, c.initialized);
        ASSERT_NE (instance, nullptr);
        if (c.check)
        {
            c.check (*instance);
        }
        else if (c.initialized == ACF_OK)
        {
            EXPECT_NE (render (*instance, input), input);
        }
        instances.clear();
    }
}

TEST_F (ProductBundle, ProcessesBlocksLongerThanItPreparedForInSlices)
{
    auto* sliced = newInstance();
    auto* plain = newInstance();
    ASSERT_NE (sliced, nullptr);
    ASSERT_NE (plain, nullptr);
    const auto input = noiseChannels (2, 8 * 4096, 11, 0.5);
    // Blocks of 4096 run as four of the 1024 samples the processor was prepared for.
    EXPECT_EQ (render (*sliced, input, 4096), render (*plain, input, 1024));
}

// The module rewrites a synced "Time" on the audio thread and tells the host
// from there, while the host automates from its own thread.
TEST_F (ProductBundle, TheAudioThreadPostsWhileTheHostAutomates)
{
    auto* instance = newInstance();
    ASSERT_NE (instance, nullptr);
    set (*instance, "Delay Sync", "Sync");
    set (*instance, "Time Note", "1/4");
    instance->context().automation().clearEvents();

    std::atomic<bool> done { false };
    std::thread audio ([&] {
        const auto input = noiseChannels (2, 512, 5, 0.5);
        Channels output (2, std::vector<float> (512));
        const float* in[] = { input[0].data(), input[1].data() };
        float* out[] = { output[0].data(), output[1].data() };
        for (int block = 0; block < 200; ++block)
        {
            instance->context().transport().setTempo (block % 2 == 0 ? 100.0 : 140.0);
            instance->processBlock (in, out, 512, block * 512);
        }
        done = true;
    });

    double position = 0.0;
    while (! done)
    {
        position = position > 0.9 ? 0.0 : position + 0.01;
        instance->effect().UpdateParameterNormalizedValue ("3", position, 0);
        instance->context().automation().events();
    }
    audio.join();

    int timeRequests = 0;
    for (const auto& event : instance->context().automation().events())
        timeRequests += event.kind == Kind::SetRequest && event.id == "4" ? 1 : 0;
    EXPECT_GT (timeRequests, 0);
}

TEST_F (ProductBundle, LeavesNoObjectAliveAfterTheLastInstanceAndShutDown)
{
    ASSERT_NE (newInstance(), nullptr);
    ASSERT_NE (newInstance (kMono, kStereo), nullptr);
    EXPECT_GT (bundle->bundle().canUnloadNow (standIn->unknown()), 0);
    instances.clear();
    EXPECT_EQ (bundle->shutdown(), 0);
}
} // namespace
