// The product as a host sees it: a fresh instance, its host parameters, its state
// chunk and its audio.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "effect/dsp/DelayEcho.h"
#include "tests/effect/ProductTestSupport.h"

using namespace effect_test;

namespace
{
juce::MemoryBlock stateOf (juce::AudioProcessor& p)
{
    juce::MemoryBlock block;
    p.getStateInformation (block);
    return block;
}

void processSilence (DovrethProcessor& p, int numSamples)
{
    juce::AudioBuffer<float> buffer (2, numSamples);
    buffer.clear();
    juce::MidiBuffer midi;
    p.processBlock (buffer, midi);
}

const char* const paramNames[] = { "Modulation", "Tone", "Low Cut", "Mix", "Time", "Time Note",
                                   "Delay Sync", "Output", "Feedback", "LR Offset", "Drive" };
} // namespace

TEST (TarnelloProduct, AFreshInstanceHoldsOneDelayModuleBoundToTheFirstElevenHostParameters)
{
    auto product = makeProduct();
    ASSERT_NE (product, nullptr);
    EXPECT_EQ (product->getName(), "Tarnello");
    EXPECT_TRUE (product->hasEditor());

    auto* module = delayModule (*product);
    ASSERT_NE (module, nullptr);
    EXPECT_EQ (module->typeId, "zeravoro");
    EXPECT_TRUE (module->paramsAttached.load());

    const auto& hostParams = product->getParameters();
    ASSERT_EQ (hostParams.size(), 24);
    for (int i = 0; i < 24; ++i)
    {
        auto* host = product->getHostParameter (i);
        ASSERT_EQ (hostParams[i], host);
        EXPECT_EQ (host->getParameterID(), juce::String (i));
        if (i < 11)
        {
            EXPECT_EQ (host->getName (100), juce::String (i + 1) + ". " + paramNames[i]);
            ASSERT_EQ (host->getBoundParam(), module->params[i]);
            EXPECT_EQ (module->params[i]->getHostParameter(), host);
            EXPECT_EQ (host->getLabel(), module->params[i]->unit);
        }
        else
        {
            EXPECT_EQ (host->getName (100), juce::String (i + 1));
            EXPECT_FALSE (host->isBound());
        }
    }

    // The host's default position for "Time" maps back to 240 ms.
    auto* timeHost = product->getHostParameter (4);
    EXPECT_NEAR (module->time->getRealValueFor (timeHost->getDefaultValue()), 240.0, 0.05);
    auto* noteHost = product->getHostParameter (5);
    EXPECT_EQ (noteHost->getText (noteHost->getValue(), 100), "1/8");
}

TEST (TarnelloProduct, TheDefaultStateNamesTheModuleItsValuesAndItsBindings)
{
    auto product = makeProduct();
    auto chunk = stateOf (*product);
    auto xml = juce::AudioProcessor::getXmlFromBinary (chunk.getData(), (int) chunk.getSize());
    ASSERT_NE (xml, nullptr);
    EXPECT_TRUE (xml->hasTagName ("state"));

    auto* slots = xml->getChildByName ("slots");
    ASSERT_NE (slots, nullptr);
    ASSERT_EQ (slots->getNumChildElements(), 1);
    auto* element = slots->getFirstChildElement();
    EXPECT_TRUE (element->hasTagName ("zeravoro"));

    juce::StringArray attributes;
    for (int i = 0; i < element->getNumAttributes(); ++i)
        attributes.add (element->getAttributeName (i));
    EXPECT_EQ (attributes.joinIntoString (" "),
               "index Modulation Tone Low_Cut Mix Time Time_Note Delay_Sync Output Feedback LR_Offset Drive attachments");
    EXPECT_EQ (element->getStringAttribute ("Modulation"), "50.0");
    EXPECT_EQ (element->getStringAttribute ("Time_Note"), "10");
    EXPECT_EQ (element->getStringAttribute ("attachments"),
               "Modulation:0,Tone:1,Low Cut:2,Mix:3,Time:4,Time Note:5,Delay Sync:6,Output:7,Feedback:8,"
               "LR Offset:9,Drive:10");

    // Byte for byte: JUCE's envelope around the text, "Time" written whole as its
    // snap leaves it, and a terminating zero.
    const char* const golden =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?> "
        "<state oversampling=\"0\" oversamplingType=\"IIR\" preset=\"\" presetGroup=\"\"><slots>"
        "<zeravoro index=\"0\" Modulation=\"50.0\" Tone=\"5.0\" Low_Cut=\"0\" Mix=\"50.0\" Time=\"240\" "
        "Time_Note=\"10\" Delay_Sync=\"0\" Output=\"0.0\" Feedback=\"60.0\" LR_Offset=\"0.0\" Drive=\"0\" "
        "attachments=\"Modulation:0,Tone:1,Low Cut:2,Mix:3,Time:4,Time Note:5,Delay Sync:6,Output:7,Feedback:8,"
        "LR Offset:9,Drive:10\"/></slots></state>";
    const auto textLength = std::strlen (golden);
    ASSERT_EQ (chunk.getSize(), textLength + 9);
    const auto* bytes = static_cast<const char*> (chunk.getData());
    EXPECT_EQ (juce::ByteOrder::littleEndianInt (bytes), 0x21324356u);
    EXPECT_EQ (juce::ByteOrder::littleEndianInt (bytes + 4), (juce::uint32) textLength);
    EXPECT_EQ (std::string (bytes + 8, textLength), golden);
    EXPECT_EQ (bytes[chunk.getSize() - 1], 0);

    RecordProperty ("defaultStateBytes", (int) chunk.getSize());
    std::cout << "default state chunk: " << chunk.getSize() << " bytes" << std::endl;
}

TEST (TarnelloProduct, TheStateRoundTripsByteForByteThroughAFreshInstance)
{
    auto first = makeProduct();
    first->setRateAndBufferSizeDetails (48000.0, 256);
    first->prepareToPlay (48000.0, 256);

    struct Setting { const char* name; double value; };
    for (const auto& s : { Setting { "Modulation", 12.3 }, Setting { "Tone", 7.5 }, Setting { "Low Cut", 1 },
                           Setting { "Mix", 33.3 }, Setting { "Time", 512 }, Setting { "Output", -4.5 },
                           Setting { "Feedback", 150 }, Setting { "LR Offset", -12.5 }, Setting { "Drive", 1 } })
        automate (*first, hostIndexOf (*first, s.name), s.value);
    processSilence (*first, 256);

    const auto saved = stateOf (*first);

    auto second = makeProduct();
    second->setStateInformation (saved.getData(), (int) saved.getSize());
    const auto restored = stateOf (*second);
    EXPECT_EQ (restored, saved);

    auto* a = delayModule (*first);
    auto* b = delayModule (*second);
    ASSERT_NE (b, nullptr);
    ASSERT_NE (a, b);
    for (int i = 0; i < a->params.size(); ++i)
        EXPECT_EQ (b->params[i]->getValue(), a->params[i]->getValue()) << a->params[i]->name;
    EXPECT_EQ (second->getHostParameter (0)->getName (100), "1. Modulation");
    EXPECT_EQ (second->getHostParameter (10)->getBoundParam(), b->drive);
}

TEST (TarnelloProduct, ARestoredProjectAtNinetyBpmKeepsItsQuarterNote)
{
    TestPlayHead playHead;
    playHead.bpm = 90.0;

    auto first = makeProduct();
    first->setPlayHead (&playHead);
    first->setRateAndBufferSizeDetails (44100.0, 512);
    first->prepareToPlay (44100.0, 512);
    processSilence (*first, 512);
    automate (*first, hostIndexOf (*first, "Delay Sync"), 1.0);
    automate (*first, hostIndexOf (*first, "Time Note"), 13.0); // "1/4"
    processSilence (*first, 512);
    ASSERT_EQ (delayModule (*first)->timeNote->getValue(), 13.0);
    ASSERT_NEAR (delayModule (*first)->time->getValue(), 667.0, 1e-9);
    const auto saved = stateOf (*first);

    auto second = makeProduct();
    second->setPlayHead (&playHead);
    second->setRateAndBufferSizeDetails (44100.0, 512);
    second->prepareToPlay (44100.0, 512);
    second->setStateInformation (saved.getData(), (int) saved.getSize());
    EXPECT_EQ (delayModule (*second)->timeNote->getValue(), 13.0);
    processSilence (*second, 512);
    EXPECT_EQ (delayModule (*second)->timeNote->getValue(), 13.0);
    EXPECT_NEAR (delayModule (*second)->time->getValue(), 667.0, 1e-9);
    auto* noteHost = second->getHostParameter (5);
    EXPECT_EQ (noteHost->getText (noteHost->getValue(), 100), "1/4");
}

TEST (TarnelloProduct, HostAutomationReachesTheModule)
{
    auto product = makeProduct();
    auto* module = delayModule (*product);

    automate (*product, 4, 500.0);
    EXPECT_NEAR (module->time->getValue(), 500.0, 1e-9);
    EXPECT_NEAR (module->leftLine->getDelaySamples(), 500.0 * 44.1, 0.5 * 44.1);

    auto* feedbackHost = product->getHostParameter (8);
    feedbackHost->setValue (feedbackHost->getValueForText ("120"));
    EXPECT_NEAR (module->feedback->getValue(), 120.0, 1e-9);
    EXPECT_EQ (feedbackHost->getText (feedbackHost->getValue(), 100), "120.0");
}

TEST (TarnelloProduct, ProcessesAStereoEchoAndFollowsThePlayHeadTempo)
{
    TestPlayHead playHead;
    auto product = makeProduct();
    product->setPlayHead (&playHead);
    product->setRateAndBufferSizeDetails (48000.0, 480);
    product->prepareToPlay (48000.0, 480);
    automate (*product, 6, 1.0); // synced: "1/8" at 120 bpm
    ASSERT_NEAR (delayModule (*product)->time->getValue(), 250.0, 1e-9);

    playHead.bpm = 100.0;
    juce::AudioBuffer<float> buffer (2, 480);
    juce::MidiBuffer midi;
    double echoEnergy = 0.0;
    for (int block = 0; block < 200; ++block)
    {
        buffer.clear();
        if (block == 0)
        {
            buffer.setSample (0, 10, 1.0f);
            buffer.setSample (1, 10, 1.0f);
        }
        product->processBlock (buffer, midi);
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < 480; ++i)
            {
                ASSERT_TRUE (std::isfinite (buffer.getSample (ch, i)));
                if (block > 0)
                    echoEnergy += buffer.getSample (ch, i) * buffer.getSample (ch, i);
            }
    }
    EXPECT_NEAR (delayModule (*product)->time->getValue(), 300.0, 1e-9);
    EXPECT_GT (echoEnergy, 1e-6);
    EXPECT_EQ (product->getLatencySamples(), 0);
}

TEST (TarnelloProduct, ThePlaceholderEditorOpens)
{
    auto product = makeProduct();
    std::unique_ptr<juce::AudioProcessorEditor> editor (product->createEditor());
    ASSERT_NE (editor, nullptr);
    EXPECT_EQ (&editor->processor, product.get());
    editor.reset();
}
