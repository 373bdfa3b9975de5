// The processor's state: the host chunk, the state XML, host bindings from
// "attachments", the stored default state and state calls from other threads.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "tests/framework/DovrethProcessorTest.h"
#include "framework/PluginPaths.h"

using tarnello::test::chunkText;
using tarnello::test::setStateFromText;
using tarnello::test::stateChunk;
using tarnello::test::TestProcessor;

namespace
{
const char* const defaultRackXml =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?> "
    "<state oversampling=\"0\" oversamplingType=\"IIR\" preset=\"\" presetGroup=\"\">"
    "<slots><fake index=\"0\" Gain=\"1.00\" Low_Cut=\"0\" Time=\"240.0\" attachments=\"Gain:0,Low Cut:1,Time:2\"/></slots>"
    "</state>";

juce::uint32 readLittleEndian (const juce::MemoryBlock& block, size_t offset)
{
    return juce::ByteOrder::littleEndianInt (static_cast<const char*> (block.getData()) + offset);
}

juce::String moduleElement (const juce::String& attributes)
{
    return "<state><slots><fake index=\"0\" " + attributes + "/></slots></state>";
}

// The stored default as the editor writes it: a "State" element in JUCE's envelope, in base 64.
juce::String encodeDefault (const juce::MemoryBlock& envelope)
{
    return envelope.toBase64Encoding();
}

juce::MemoryBlock envelopeOf (const juce::XmlElement& xml)
{
    juce::MemoryBlock block;
    juce::AudioProcessor::copyXmlToBinary (xml, block);
    return block;
}

// A state whose slots hold elements nested far deeper than any state of ours: a
// parser that recurses per level runs out of stack on it.
juce::String deeplyNested()
{
    juce::MemoryOutputStream text;
    text << "<state><slots>";
    for (int i = 0; i < 200000; ++i)
        text << "<fake index=\"0\">";
    return text.toString();
}

// An envelope around bytes that need not be XML.
juce::MemoryBlock rawEnvelope (const void* text, size_t size, juce::uint32 lengthField, bool terminate)
{
    juce::MemoryOutputStream out;
    out.writeInt ((int) 0x21324356);
    out.writeInt ((int) lengthField);
    out.write (text, size);
    if (terminate)
        out.writeByte (0);
    return out.getMemoryBlock();
}
} // namespace

//==============================================================================
TEST (ProcessorState, TheDefaultRackWritesThisChunk)
{
    TestProcessor processor;
    processor.loadDefaultState();

    const auto chunk = stateChunk (processor);

    // JUCE's envelope: magic, length of the text, the text, a terminating zero.
    ASSERT_GT (chunk.getSize(), 9u);
    EXPECT_EQ (readLittleEndian (chunk, 0), 0x21324356u);
    EXPECT_EQ (readLittleEndian (chunk, 4), (juce::uint32) chunk.getSize() - 9);
    EXPECT_EQ (static_cast<const char*> (chunk.getData())[chunk.getSize() - 1], 0);

    EXPECT_EQ (chunkText (chunk), defaultRackXml);
    EXPECT_EQ (chunk.getSize(), std::strlen (defaultRackXml) + 9);
}

TEST (ProcessorState, AnEmptyRackWritesSlotsWithoutChildrenAndAnUnboundModuleEmptyAttachments)
{
    TestProcessor processor;
    processor.presetsManager->currentPreset.name = "Dark & \"Wide\"";
    processor.presetsManager->currentPreset.groupName = "Mine";

    EXPECT_EQ (chunkText (stateChunk (processor)),
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?> "
               "<state oversampling=\"0\" oversamplingType=\"IIR\" preset=\"Dark &amp; &quot;Wide&quot;\" presetGroup=\"Mine\">"
               "<slots/></state>");

    processor.addModule (FakeModule::typeName, 0, false);
    processor.fake()->time->setValue (1500.0);

    juce::XmlElement root ("Preset");
    root.createNewChildElement ("other");
    processor.saveStateToXml (&root);

    // "slots" goes last, whatever the root holds already.
    ASSERT_EQ (root.getNumChildElements(), 2);
    EXPECT_EQ (root.getChildElement (1)->toString (juce::XmlElement::TextFormat().singleLine().withoutHeader()),
               "<slots><fake index=\"0\" Gain=\"1.00\" Low_Cut=\"0\" Time=\"1500.0\" attachments=\"\"/></slots>");
}

TEST (ProcessorState, RoundTripGivesTheSameBytes)
{
    TestProcessor first;
    first.loadDefaultState();
    auto* module = first.fake();
    ASSERT_NE (module, nullptr);
    module->gain->setValue (0.37);
    module->lowCut->setValue (1.0);
    module->time->setValue (1234.0);
    first.presetsManager->currentPreset.name = "Warm";
    first.presetsManager->currentPreset.groupName = "Mine";

    const auto chunk = stateChunk (first);

    TestProcessor second;
    second.rebuildEditors = false;
    second.setStateInformation (chunk.getData(), (int) chunk.getSize());

    EXPECT_EQ (stateChunk (second), chunk);
    EXPECT_TRUE (second.rebuildEditors.load());

    auto* restored = second.fake();
    ASSERT_NE (restored, nullptr);
    EXPECT_DOUBLE_EQ (restored->gain->getValue(), 0.37);
    EXPECT_EQ (restored->lowCut->getValue(), 1.0);
    EXPECT_DOUBLE_EQ (restored->time->getValue(), 1234.0);
    EXPECT_TRUE (restored->paramsAttached.load());
    EXPECT_EQ (second.boundName (0), "Gain");
    EXPECT_EQ (second.boundName (1), "Low Cut");
    EXPECT_EQ (second.boundName (2), "Time");
    EXPECT_EQ (second.presetsManager->currentPreset.name, "Warm");
    EXPECT_EQ (second.presetsManager->currentPreset.groupName, "Mine");
}

TEST (ProcessorState, HostStateSetsThePresetNamesAndForgetsTheIndices)
{
    TestProcessor processor;
    auto& current = processor.presetsManager->currentPreset;

    current.name = "Old";
    current.groupName = "Old Group";
    current.index = 4;
    current.groupIndex = 2;
    setStateFromText (processor, "<state preset=\"Bright\" presetGroup=\"Factory\"><slots/></state>");
    EXPECT_EQ (current.name, "Bright");
    EXPECT_EQ (current.groupName, "Factory");
    EXPECT_EQ (current.index, -1);
    EXPECT_EQ (current.groupIndex, -1);

    current.index = 1;
    current.groupIndex = 1;
    setStateFromText (processor, "<state><slots/></state>");
    EXPECT_EQ (current.name, juce::String());
    EXPECT_EQ (current.groupName, juce::String());
    EXPECT_EQ (current.index, -1);
    EXPECT_EQ (current.groupIndex, -1);
}

TEST (ProcessorState, SavedValuesAndMissingOnesRestore)
{
    TestProcessor processor;

    setStateFromText (processor, moduleElement ("Gain=\"0.25\" Low_Cut=\"1\" Time=\"240.0\" attachments=\"\""));
    ASSERT_NE (processor.fake(), nullptr);
    EXPECT_DOUBLE_EQ (processor.fake()->gain->getValue(), 0.25);
    EXPECT_EQ (processor.fake()->lowCut->getValue(), 1.0);
    EXPECT_EQ (juce::String (processor.fake()->time->getValue(), processor.fake()->time->getDecimals()), "240.0");

    // Attributes that are missing fall back to the defaults; unknown ones are ignored.
    setStateFromText (processor, moduleElement ("Low_Cut=\"1\" Colour=\"red\""));
    ASSERT_NE (processor.fake(), nullptr);
    EXPECT_DOUBLE_EQ (processor.fake()->gain->getValue(), 1.0);
    EXPECT_EQ (processor.fake()->lowCut->getValue(), 1.0);
    EXPECT_DOUBLE_EQ (processor.fake()->time->getValue(), 240.0);
    EXPECT_FALSE (processor.fake()->paramsAttached.load());
}

//==============================================================================
namespace
{
struct AttachmentCase
{
    const char* attachments; // null: no attribute at all
    std::vector<std::pair<int, const char*>> bound;
};
} // namespace

TEST (ProcessorState, AttachmentsBindOneToOneAndSkipWhatTheyCannotBind)
{
    const AttachmentCase cases[] = {
        { nullptr, {} },
        { "", {} },
        { "Gain:3", { { 3, "Gain" } } },
        { "Gain", { { 0, "Gain" } } },
        { "Gain:", { { 0, "Gain" } } },
        { "Gain:23", { { 23, "Gain" } } },
        { "Gain:24", {} },
        { "Gain:99", {} },
        { "Gain:-1", {} },
        { "Gain:-2147483648", {} },
        { "Gain:99999999999999999999", {} },
        { "Nope:1", {} },
        { "gain:1", {} },
        { "Low Cut:5,Time:6", { { 5, "Low Cut" }, { 6, "Time" } } },
        { "Gain:2x", { { 2, "Gain" } } },
        { ",,Gain:1,", { { 1, "Gain" } } },
        // quoted parts
        { "\"Low Cut\":4", { { 4, "Low Cut" } } },
        { "Gain:\"7\"", { { 7, "Gain" } } },
        { "\"Gain,Time\":1", {} },
        { "\"Gain:1\"", {} },
        // duplicates: the later item wins, and nothing is bound twice
        { "Gain:0,Time:0", { { 0, "Time" } } },
        { "Gain:0,Gain:1", { { 1, "Gain" } } },
        { "Gain:0,Gain:0", { { 0, "Gain" } } },
        { "Gain:0,Time:0,Gain:0", { { 0, "Gain" } } },
        { "Gain:0,Time:1,Gain:1", { { 1, "Gain" } } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.attachments == nullptr ? "(none)" : c.attachments);

        TestProcessor processor;
        tarnello::test::HostListener host;
        processor.addListener (&host);

        juce::XmlElement state ("state");
        auto* element = state.createNewChildElement ("slots")->createNewChildElement ("fake");
        element->setAttribute ("index", 0);
        if (c.attachments != nullptr)
            element->setAttribute ("attachments", c.attachments);
        const auto chunk = envelopeOf (state);
        processor.setStateInformation (chunk.getData(), (int) chunk.getSize());

        auto* module = processor.fake();
        ASSERT_NE (module, nullptr);

        for (int i = 0; i < 24; ++i)
        {
            juce::String expected;
            for (const auto& [index, name] : c.bound)
                if (index == i)
                    expected = name;
            EXPECT_EQ (processor.boundName (i), expected) << "host parameter " << i;
        }

        // Every module parameter points back at the host parameter bound to it, and only there.
        for (auto* param : module->params)
        {
            HostParameter* expected = nullptr;
            for (const auto& [index, name] : c.bound)
                if (param->name == name)
                    expected = processor.getHostParameter (index);
            EXPECT_EQ (param->getHostParameter(), expected) << param->name;
        }

        EXPECT_EQ (module->paramsAttached.load(), ! c.bound.empty());
        EXPECT_GE (host.parameterInfoChanges.load(), 1);
        if (c.bound.empty())
        {
            EXPECT_EQ (host.parameterChanges.load(), 0);
        }
        for (const auto& [index, name] : c.bound)
            EXPECT_GE (host.changesPerIndex[index].load(), 1) << name;

        // Saving writes back exactly what is bound, in parameter order.
        juce::StringArray items;
        for (auto* param : module->params)
            for (const auto& [index, name] : c.bound)
                if (param->name == name)
                    items.add (param->name + ":" + juce::String (index));
        const auto saved = juce::parseXML (chunkText (stateChunk (processor)));
        ASSERT_NE (saved, nullptr);
        EXPECT_EQ (saved->getChildByName ("slots")->getChildByName ("fake")->getStringAttribute ("attachments"),
                   items.joinIntoString (","));

        processor.removeListener (&host);
    }
}

TEST (ProcessorState, ADoubledHostParameterDrivesOnlyTheLaterParameter)
{
    TestProcessor processor;
    setStateFromText (processor, moduleElement ("attachments=\"Gain:0,Time:0\""));
    auto* module = processor.fake();
    ASSERT_NE (module, nullptr);

    const auto gainBefore = module->gain->getValue();
    processor.getHostParameter (0)->setValue (1.0f);
    EXPECT_DOUBLE_EQ (module->time->getValue(), 4000.0);
    EXPECT_DOUBLE_EQ (module->gain->getValue(), gainBefore);
}

TEST (ProcessorState, AStaleBindingNeverKeepsAReplacedModuleAlive)
{
    TestProcessor processor;
    setStateFromText (processor, moduleElement ("attachments=\"Gain:0,Gain:1,Time:5,Low Cut:5\""));
    std::weak_ptr<ModuleProcessor> old = processor.getModule (0);
    ASSERT_FALSE (old.expired());

    setStateFromText (processor, moduleElement ("attachments=\"\""));
    for (int i = 0; i < 24; ++i)
        EXPECT_FALSE (processor.getHostParameter (i)->isBound()) << i;

    processor.moduleFactory->releasePool.timerCallback();
    EXPECT_TRUE (old.expired());

    // Automatic binding finds the whole pool free again.
    processor.removeModule (0);
    processor.addModule (FakeModule::typeName, -1, true);
    EXPECT_EQ (processor.boundName (0), "Gain");
}

//==============================================================================
TEST (ProcessorState, TheRackLoadsFromSlotsUnderAnyRootAndSpelling)
{
    struct LoadCase
    {
        const char* xml;
        bool loads;
    };

    const LoadCase cases[] = {
        { "<state><slots><fake index=\"0\" Gain=\"0.5\" attachments=\"Gain:1\"/></slots></state>", true },
        { "<State><slots><fake index=\"0\" Gain=\"0.5\" attachments=\"Gain:1\"/></slots></State>", true },
        { "<Preset name=\"p\" group=\"g\"><slots><fake index=\"0\" Gain=\"0.5\" attachments=\"Gain:1\"/></slots></Preset>", true },
        { "<state><Slots><fake index=\"0\" Gain=\"0.5\" attachments=\"Gain:1\"/></Slots></state>", true },
        { "<state><SLOTS><fake index=\"0\" Gain=\"0.5\" attachments=\"Gain:1\"/></SLOTS></state>", true },
        { "<state><other/><slots><fake Gain=\"0.5\" attachments=\"Gain:1\"/></slots></state>", true }, // no index reads 0
        { "<state><slots><fake index=\"0abc\" Gain=\"0.5\" attachments=\"Gain:1\"/></slots></state>", true },
        { "<state/>", false },
        { "<state><slot><fake index=\"0\"/></slot></state>", false },
        { "<state><slots/></state>", false },
        { "<state><slots><unknown index=\"0\" attachments=\"Gain:1\"/></slots></state>", false },
        { "<state><slots><fake index=\"1\" attachments=\"Gain:1\"/></slots></state>", false },
        { "<state><slots><fake index=\"-1\" attachments=\"Gain:1\"/></slots></state>", false },
        { "<state><slots><fake index=\"-2147483648\" attachments=\"Gain:1\"/></slots></state>", false },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.xml);
        TestProcessor processor;
        processor.loadDefaultState();
        std::weak_ptr<ModuleProcessor> previous = processor.getModule (0);

        setStateFromText (processor, c.xml);

        // The previous module is gone in every case, and its bindings with it.
        EXPECT_NE (processor.getModule (0), previous.lock());
        processor.moduleFactory->releasePool.timerCallback();
        EXPECT_TRUE (previous.expired());

        if (c.loads)
        {
            ASSERT_NE (processor.fake(), nullptr);
            EXPECT_DOUBLE_EQ (processor.fake()->gain->getValue(), 0.5);
            EXPECT_EQ (processor.boundName (1), "Gain");
        }
        else
        {
            EXPECT_EQ (processor.getModule (0), nullptr);
        }

        for (int i = 0; i < 24; ++i)
        {
            if (! (c.loads && i == 1))
            {
                EXPECT_FALSE (processor.getHostParameter (i)->isBound()) << i;
            }
        }
    }
}

TEST (ProcessorState, ASecondModuleElementFindsTheRackFull)
{
    TestProcessor processor;
    setStateFromText (processor,
                      "<state><slots>"
                      "<fake index=\"0\" Gain=\"0.5\" attachments=\"Gain:1\"/>"
                      "<fake index=\"0\" Gain=\"1.5\" attachments=\"Gain:2\"/>"
                      "</slots></state>");
    ASSERT_NE (processor.fake(), nullptr);
    EXPECT_DOUBLE_EQ (processor.fake()->gain->getValue(), 0.5);
    EXPECT_EQ (processor.boundName (1), "Gain");
    EXPECT_FALSE (processor.getHostParameter (2)->isBound());
    EXPECT_EQ (processor.moduleFactory->releasePool.size(), 1u);
}

TEST (ProcessorState, ChunksThatAreNotAStateChangeNothing)
{
    const char notXml[] = "this is not xml";
    const char badUtf8[] = { '<', 's', 't', 'a', 't', 'e', (char) 0xf0 };
    const char stateText[] = "<state><slots/></state>";
    juce::MemoryBlock randomBytes (300);
    juce::Random random (42);
    random.fillBitsRandomly (randomBytes.getData(), randomBytes.getSize());
    const auto deep = deeplyNested();

    struct ChunkCase
    {
        const char* what;
        juce::MemoryBlock block;
    };

    std::vector<ChunkCase> cases;
    cases.push_back ({ "four bytes", juce::MemoryBlock ("abcd", 4) });
    cases.push_back ({ "random bytes", randomBytes });
    cases.push_back ({ "wrong magic", [&] {
                          auto b = rawEnvelope (stateText, sizeof (stateText) - 1, sizeof (stateText) - 1, true);
                          static_cast<char*> (b.getData())[0] ^= 1;
                          return b;
                      }() });
    cases.push_back ({ "zero length", rawEnvelope (stateText, sizeof (stateText) - 1, 0, true) });
    cases.push_back ({ "negative length", rawEnvelope (stateText, sizeof (stateText) - 1, 0xffffffffu, true) });
    cases.push_back ({ "not xml", rawEnvelope (notXml, sizeof (notXml) - 1, sizeof (notXml) - 1, true) });
    cases.push_back ({ "not xml, length too long", rawEnvelope (notXml, sizeof (notXml) - 1, 0x7fffffffu, false) });
    cases.push_back ({ "cut inside a character", rawEnvelope (badUtf8, sizeof (badUtf8), sizeof (badUtf8), false) });
    cases.push_back ({ "envelope only", rawEnvelope (nullptr, 0, 0, false) });
    cases.push_back ({ "nested far too deep", rawEnvelope (deep.toRawUTF8(), deep.getNumBytesAsUTF8(),
                                                           (juce::uint32) deep.getNumBytesAsUTF8(), true) });

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        TestProcessor processor;
        processor.loadDefaultState();
        const auto module = processor.getModule (0);
        const auto before = stateChunk (processor);
        processor.rebuildEditors = false;

        processor.setStateInformation (c.block.getData(), (int) c.block.getSize());

        EXPECT_EQ (processor.getModule (0), module);
        EXPECT_EQ (stateChunk (processor), before);
        EXPECT_FALSE (processor.rebuildEditors.load());
    }

    TestProcessor processor;
    processor.loadDefaultState();
    const auto module = processor.getModule (0);
    processor.setStateInformation (nullptr, 100);
    processor.setStateInformation (stateText, -5);
    processor.setStateInformation (stateText, 0);
    EXPECT_EQ (processor.getModule (0), module);
}

TEST (ProcessorState, AnInstructionFollowedByTextInsideAnElementIsNoState)
{
    // JUCE's XML reader never returns from character data after an instruction
    // inside an element; such a chunk must be refused before it reaches it.
    for (const char* text : { "<state><slots><?x y?>,</slots></state>", "<state>a<?x?>,</state>" })
    {
        const auto chunk = rawEnvelope (text, std::strlen (text), std::strlen (text), false);
        TestProcessor processor;
        processor.loadDefaultState();
        processor.setStateInformation (chunk.getData(), (int) chunk.getSize());
        EXPECT_NE (processor.fake(), nullptr) << text; // the rack is left as it was
    }
}

TEST (ProcessorState, StatesWrittenByHandInPlainXmlStillLoad)
{
    // What a person editing a state may leave in it: a declaration, comments, line
    // breaks and single quotes, entities and a CDATA section.
    const char text[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                        "<!-- kept by hand -->\r\n"
                        "<state preset=\"A &amp; B &#233;&#x20AC;\" presetGroup='Mine'>\r\n"
                        "  <slots><![CDATA[ignored]]><?note ignored?>\r\n"
                        "    <fake index=\"0\" Gain=\"1.5\"\r\n"
                        "          attachments=\"Gain:3\"/>\r\n"
                        "  </slots>\r\n"
                        "</state>\r\n";

    const auto chunk = rawEnvelope (text, sizeof (text) - 1, sizeof (text) - 1, true);
    TestProcessor processor;
    processor.setStateInformation (chunk.getData(), (int) chunk.getSize());

    ASSERT_NE (processor.fake(), nullptr);
    EXPECT_DOUBLE_EQ (processor.fake()->gain->getValue(), 1.5);
    EXPECT_EQ (processor.boundName (3), "Gain");
    EXPECT_EQ (processor.presetsManager->currentPreset.name, juce::CharPointer_UTF8 ("A & B \xc3\xa9\xe2\x82\xac"));
    EXPECT_EQ (processor.presetsManager->currentPreset.groupName, "Mine");
}

//==============================================================================
namespace
{
void storeDefaultState (DovrethProcessor& processor, const juce::String& text)
{
    processor.appProperties.getUserSettings()->setValue (SettingsKeys::defaultState, text);
}
} // namespace

TEST (ProcessorState, WithoutAStoredDefaultTheDefaultModulesAreCreatedAndBound)
{
    TestProcessor processor;
    setStateFromText (processor, moduleElement ("Gain=\"1.5\" attachments=\"Gain:9\""));

    processor.loadDefaultState();

    auto* module = processor.fake();
    ASSERT_NE (module, nullptr);
    EXPECT_DOUBLE_EQ (module->gain->getValue(), 1.0);
    EXPECT_EQ (processor.boundName (0), "Gain");
    EXPECT_EQ (processor.boundName (1), "Low Cut");
    EXPECT_EQ (processor.boundName (2), "Time");
    EXPECT_FALSE (processor.getHostParameter (9)->isBound());

    // With no default modules the rack is left empty.
    processor.defaultModules.clear();
    processor.loadDefaultState();
    EXPECT_EQ (processor.getModule (0), nullptr);
}

TEST (ProcessorState, AStoredDefaultStateWinsOverTheDefaultModules)
{
    const tarnello::test::ScopedSettingsFile cleanSettings;
    juce::String stored;
    {
        TestProcessor source;
        setStateFromText (source, moduleElement ("Time=\"777.0\" attachments=\"Gain:5,Time:6\""));
        juce::XmlElement state ("State");
        source.saveStateToXml (&state);
        stored = encodeDefault (envelopeOf (state));
        storeDefaultState (source, stored);
        ASSERT_TRUE (source.appProperties.getUserSettings()->saveIfNeeded());
    }

    // A new instance finds it in the settings file.
    TestProcessor processor;
    ASSERT_EQ (processor.appProperties.getUserSettings()->getValue (SettingsKeys::defaultState), stored);
    processor.loadDefaultState();

    auto* module = processor.fake();
    ASSERT_NE (module, nullptr);
    EXPECT_DOUBLE_EQ (module->time->getValue(), 777.0);
    EXPECT_EQ (processor.boundName (5), "Gain");
    EXPECT_EQ (processor.boundName (6), "Time");
    EXPECT_FALSE (processor.getHostParameter (0)->isBound());
}

TEST (ProcessorState, ACorruptStoredDefaultFallsBackToTheDefaultModules)
{
    const tarnello::test::ScopedSettingsFile cleanSettings;
    const char notXml[] = "definitely not xml";
    const auto notXmlEnvelope = rawEnvelope (notXml, sizeof (notXml) - 1, sizeof (notXml) - 1, true);
    juce::MemoryBlock randomBytes (64);
    juce::Random (7).fillBitsRandomly (randomBytes.getData(), randomBytes.getSize());

    const juce::String cases[] = {
        "garbage",
        ".",
        ".QUJD",
        "-1.QUJD",
        "-5000.QUJD",
        "0.QUJD",
        "+3.QUJD",
        " 3.QUJD",
        "5000000.QUJD",
        "3000000000.QUJD",
        "4294967297.QUJD",
        "99999999999999999999.QUJD",
        "3",
        randomBytes.toBase64Encoding(),
        notXmlEnvelope.toBase64Encoding(),
        envelopeOf (juce::XmlElement ("State")).toBase64Encoding(), // a state without slots
        "12." + notXmlEnvelope.toBase64Encoding().fromFirstOccurrenceOf (".", false, false),
        [] {
            const auto deep = deeplyNested();
            return rawEnvelope (deep.toRawUTF8(), deep.getNumBytesAsUTF8(), (juce::uint32) deep.getNumBytesAsUTF8(), true)
                .toBase64Encoding();
        }(),
    };

    for (const auto& text : cases)
    {
        SCOPED_TRACE (text.toStdString());
        TestProcessor processor;
        setStateFromText (processor, moduleElement ("Gain=\"1.5\" attachments=\"Gain:9\""));
        storeDefaultState (processor, text);

        processor.loadDefaultState();

        auto* module = processor.fake();
        ASSERT_NE (module, nullptr);
        EXPECT_DOUBLE_EQ (module->gain->getValue(), 1.0);
        EXPECT_EQ (processor.boundName (0), "Gain");
        EXPECT_EQ (processor.boundName (2), "Time");
        EXPECT_FALSE (processor.getHostParameter (9)->isBound());
    }
}

//==============================================================================
TEST (ProcessorState, UndoAndRedoGoThroughTheProcessorsState)
{
    TestProcessor processor;
    processor.loadDefaultState();

    processor.fake()->gain->setValue (0.2);
    processor.stateManager->saveToHistoricalStates();

    // The state before the first recorded change is out of reach.
    EXPECT_FALSE (processor.stateManager->canUndo());
    processor.stateManager->undo();
    EXPECT_DOUBLE_EQ (processor.fake()->gain->getValue(), 0.2);

    processor.fake()->gain->setValue (0.4);
    processor.stateManager->saveToHistoricalStates();
    processor.stateManager->undo();

    ASSERT_NE (processor.fake(), nullptr);
    EXPECT_DOUBLE_EQ (processor.fake()->gain->getValue(), 0.2);
    EXPECT_EQ (processor.boundName (0), "Gain");
    EXPECT_EQ (processor.boundName (2), "Time");

    processor.stateManager->redo();
    ASSERT_NE (processor.fake(), nullptr);
    EXPECT_DOUBLE_EQ (processor.fake()->gain->getValue(), 0.4);

    // A default reset through the history's callback.
    processor.stateManager->loadDefaultState();
    EXPECT_DOUBLE_EQ (processor.fake()->gain->getValue(), 1.0);
}

//==============================================================================
TEST (ProcessorState, StateCallsOnAHostThreadWhileAudioAutomationAndUndoRun)
{
    TestProcessor processor;
    processor.setPlayConfigDetails (2, 2, 48000.0, 128);
    processor.loadDefaultState();

    juce::MemoryBlock chunk;
    processor.getStateInformation (chunk);

    std::atomic<bool> stateDone { false };
    std::atomic<bool> allFinite { true };
    std::atomic<int> blocks { 0 };

    std::thread stateThread ([&] {
        for (int i = 0; i < 150; ++i)
        {
            juce::MemoryBlock block;
            processor.getStateInformation (block);
            processor.setStateInformation (i % 2 == 0 ? chunk.getData() : block.getData(),
                                           (int) (i % 2 == 0 ? chunk.getSize() : block.getSize()));
        }
        stateDone = true;
    });

    std::thread audioThread ([&] {
        juce::AudioBuffer<float> buffer (2, 128);
        juce::MidiBuffer midi;
        while (! stateDone.load() || blocks.load() < 50)
        {
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < 128; ++i)
                    buffer.setSample (ch, i, 0.5f);

            processor.processBlock (buffer, midi);

            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < 128; ++i)
                    if (! std::isfinite (buffer.getSample (ch, i)))
                        allFinite = false;
            ++blocks;
        }
    });

    std::thread automationThread ([&] {
        int n = 0;
        while (! stateDone.load() || n < 50)
        {
            for (int i = 0; i < 4; ++i)
                if (auto* host = processor.getHostParameter (i))
                    host->setValue ((float) ((n + i) % 11) / 10.0f);
            ++n;
        }
    });

    // Meanwhile the message thread records, undoes and resets, as the editor would.
    for (int i = 0; i < 60; ++i)
    {
        switch (i % 3)
        {
            case 0: processor.stateManager->saveToHistoricalStates(); break;
            case 1: processor.stateManager->undo(); break;
            default:
            {
                const juce::ScopedLock sl (processor.stateManager->stateLock);
                processor.presetsManager->currentPreset.name = "Preset " + juce::String (i);
                processor.presetsManager->currentPreset.groupName = "Group " + juce::String (i);
                break;
            }
        }
    }

    stateThread.join();
    audioThread.join();
    automationThread.join();

    EXPECT_TRUE (allFinite.load());
    EXPECT_GE (blocks.load(), 50);
    ASSERT_NE (processor.fake(), nullptr);
    EXPECT_EQ (processor.boundName (0), "Gain");

    processor.moduleFactory->releasePool.timerCallback();
    EXPECT_EQ (processor.moduleFactory->releasePool.size(), 1u);
}
