#include "framework/DovrethProcessor.h"

#include <cmath>
#include <vector>

#include "framework/HostTempo.h"
#include "framework/PlainXml.h"
#include "framework/PluginPaths.h"
#include "framework/RackPresetsManager.h"

namespace
{
constexpr double minimumProcessingRate = 44100.0;
// What a module is prepared with before the host has told us its rate.
constexpr double fallbackSampleRate = 44100.0;
constexpr int fallbackBlockSize = 512;

juce::AudioProcessorListener::ChangeDetails parameterInfoChanged()
{
    return juce::AudioProcessorListener::ChangeDetails().withParameterInfoChanged (true);
}

template <typename Sample>
void clearExtraOutputs (juce::AudioBuffer<Sample>& buffer, int numInputs, int numOutputs)
{
    const auto numSamples = buffer.getNumSamples();
    const auto last = juce::jmin (numOutputs, buffer.getNumChannels());

    if (numSamples <= 0)
        return;

    for (auto channel = juce::jmax (0, numInputs); channel < last; ++channel)
        buffer.clear (channel, 0, numSamples);
}

juce::XmlElement* findSlots (const juce::XmlElement& root)
{
    for (auto* child : root.getChildIterator())
        if (child->getTagName().equalsIgnoreCase ("slots"))
            return child;

    return nullptr;
}

// Reads a decimal integer as String::getIntValue does (leading blanks, a sign, the
// leading digits, 0 for none), but saturates instead of overflowing.
juce::int64 readInteger (const juce::String& text)
{
    auto s = text.getCharPointer().findEndOfWhitespace();
    const auto negative = *s == '-';

    if (negative)
        ++s;

    juce::int64 value = 0;

    for (auto c = *s; c >= '0' && c <= '9'; c = *++s)
        value = juce::jmin ((juce::int64) 1 << 40, value * 10 + (c - '0'));

    return negative ? -value : value;
}

juce::String unquoted (const juce::String& part)
{
    if (part.length() >= 2 && part.startsWithChar ('"') && part.endsWithChar ('"'))
        return part.substring (1, part.length() - 1);

    return part;
}

// The stored default is JUCE's base-64 text: a byte count, ".", then the characters.
// MemoryBlock::fromBase64Encoding allocates whatever count it is given, so check the
// count against the characters that follow before decoding.
std::unique_ptr<juce::XmlElement> decodeDefaultState (const juce::String& text)
{
    const auto dot = text.indexOfChar ('.');

    if (dot <= 0 || dot > 10)
        return {};

    const auto count = text.substring (0, dot);

    if (! count.containsOnly ("0123456789"))
        return {};

    const auto numBytes = count.getLargeIntValue();
    const auto numChars = (juce::int64) (text.length() - dot - 1);

    if (numBytes <= 0 || numBytes > numChars * 3 / 4 + 3)
        return {};

    juce::MemoryBlock block;

    if (! block.fromBase64Encoding (text))
        return {};

    auto xml = PlainXml::fromBinary (block.getData(), block.getSize());

    if (xml == nullptr || findSlots (*xml) == nullptr)
        return {};

    return xml;
}
} // namespace

//==============================================================================
HostParameter* DovrethProcessor::HostParams::get (int index) const
{
    return processor.getHostParameter (index);
}

void DovrethProcessor::HostParams::updateHostDisplay() const
{
    processor.updateHostDisplay (parameterInfoChanged());
}

//==============================================================================
DovrethProcessor::DovrethProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true))
{
    moduleFactory = std::make_unique<ModuleFactory>();
    moduleFactory->releasePool.startTimer (5000);

    oversampling = std::make_unique<Oversampling>();

    stateManager = std::make_unique<StateManager> (
        32,
        [this] (juce::XmlElement* element) { saveStateToXml (element); },
        [this] (juce::XmlElement* element) { loadStateFromXml (element); },
        [this] { loadDefaultState(); });

    const auto presetsFolder = PluginPaths::getPresetsDir();
    const juce::File presetsDir (presetsFolder);

    if (! presetsDir.isDirectory())
        presetsDir.createDirectory();

    presetsManager = std::make_unique<RackPresetsManager> (stateManager.get(), PluginPaths::productId, presetsFolder);

    appProperties.setStorageParameters (PluginPaths::getSettingsOptions());

    if (auto* settings = appProperties.getUserSettings())
    {
        inlineHelp = settings->getBoolValue (SettingsKeys::inlineHelp, inlineHelp);
        // Read as the settings file records them; nothing runs oversampled.
        juce::ignoreUnused (settings->getIntValue (SettingsKeys::oversampling, oversampling->choice),
                            settings->getValue (SettingsKeys::oversamplingType, "IIR"));
    }

    for (int i = 0; i < numHostParameters; ++i)
        addParameter (new HostParameter (i));

    hostParams = std::make_unique<HostParams> (HostParams { *this });
}

DovrethProcessor::~DovrethProcessor()
{
    removeModule (0);
    std::atomic_store (&modules[0], std::shared_ptr<ModuleProcessor>());
}

//==============================================================================
const juce::String DovrethProcessor::getName() const { return "Tarnello"; }

void DovrethProcessor::prepareToPlay (double sampleRate, int samplesPerBlock)
{
    const juce::ScopedLock sl (stateManager->stateLock);

    if (auto module = std::atomic_load (&modules[0]))
    {
        module->setPlayDetails (getTotalNumInputChannels(), getTotalNumOutputChannels(), sampleRate, samplesPerBlock);
        module->prepareToPlay (sampleRate, samplesPerBlock);
    }
}

void DovrethProcessor::releaseResources() {}

void DovrethProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    processHostBlock (buffer);
}

void DovrethProcessor::processBlock (juce::AudioBuffer<double>& buffer, juce::MidiBuffer&)
{
    processHostBlock (buffer);
}

template <typename Sample>
void DovrethProcessor::processHostBlock (juce::AudioBuffer<Sample>& buffer)
{
    const juce::ScopedNoDenormals noDenormals;

    const auto numInputs = getTotalNumInputChannels();
    const auto numOutputs = getTotalNumOutputChannels();
    const auto numSamples = buffer.getNumSamples();

    // Low rates pass through unprocessed, but outputs that have no input would
    // otherwise hand the host whatever the buffer held.
    if (getSampleRate() < minimumProcessingRate)
    {
        clearExtraOutputs (buffer, numInputs, numOutputs);
        return;
    }

    if (numSamples <= 0)
        return;

    auto bpm = defaultHostTempo;

    if (auto* head = getPlayHead())
        if (const auto position = head->getPosition())
            if (const auto hostBpm = position->getBpm())
                bpm = saneHostTempo (*hostBpm);

    clearExtraOutputs (buffer, numInputs, numOutputs);
    setLatencySamples (0);

    const auto module = std::atomic_load (&modules[0]);

    if (module == nullptr)
        return;

    juce::dsp::AudioBlock<Sample> block (buffer);
    module->processBlock (&block, numSamples, bpm);
}

double DovrethProcessor::getTailLengthSeconds() const { return 0.0; }
bool DovrethProcessor::acceptsMidi() const { return false; }
bool DovrethProcessor::producesMidi() const { return false; }
bool DovrethProcessor::isMidiEffect() const { return false; }
bool DovrethProcessor::hasEditor() const { return true; }
int DovrethProcessor::getNumPrograms() { return 1; }
int DovrethProcessor::getCurrentProgram() { return 0; }
void DovrethProcessor::setCurrentProgram (int) {}
const juce::String DovrethProcessor::getProgramName (int) { return {}; }
void DovrethProcessor::changeProgramName (int, const juce::String&) {}

//==============================================================================
std::shared_ptr<ModuleProcessor> DovrethProcessor::getModule (int slot) const
{
    if (slot < 0 || slot >= numSlots)
        return {};

    return std::atomic_load (&modules[slot]);
}

HostParameter* DovrethProcessor::getHostParameter (int index) const
{
    const auto& list = getParameters();

    if (index < 0 || index >= list.size())
        return nullptr;

    return dynamic_cast<HostParameter*> (list.getUnchecked (index));
}

void DovrethProcessor::bindHostParameter (HostParameter& host, const std::shared_ptr<ModuleProcessor>& module, ModuleParam* param)
{
    // One module parameter, one host parameter: move the parameter off any host
    // parameter it still holds. bind() clears the host parameter's previous pair.
    if (auto* previous = param->getHostParameter(); previous != nullptr && previous != &host)
        previous->unbind();

    host.bind (module, param);
}

void DovrethProcessor::pushBoundValues (ModuleProcessor& module)
{
    module.paramsAttached = true;

    for (auto* param : module.params)
        if (param->exposeToHost)
            param->setValueNotifyingHost (param->getValue());

    updateHostDisplay (parameterInfoChanged());
}

void DovrethProcessor::attachAutomatically (const std::shared_ptr<ModuleProcessor>& module)
{
    std::vector<ModuleParam*> exposed;

    for (auto* param : module->params)
        if (param->exposeToHost)
            exposed.push_back (param);

    const auto needed = (int) exposed.size();

    if (needed == 0)
        return;

    int runStart = -1;

    for (int start = 0; start + needed <= numHostParameters && runStart < 0; ++start)
    {
        auto allFree = true;

        for (int k = 0; k < needed && allFree; ++k)
        {
            auto* host = getHostParameter (start + k);
            allFree = host != nullptr && ! host->isBound();
        }

        if (allFree)
            runStart = start;
    }

    if (runStart < 0)
        return;

    for (int k = 0; k < needed; ++k)
        bindHostParameter (*getHostParameter (runStart + k), module, exposed[(size_t) k]);

    pushBoundValues (*module);
}

ModuleProcessor* DovrethProcessor::addModule (const juce::String& typeId, int slot, bool autoAttach)
{
    const juce::ScopedLock sl (stateManager->stateLock);

    if (slot > 0 || slot < -1)
        return nullptr;

    // One slot: whether asked for slot 0 or the first free one, an occupied slot
    // means the rack is full.
    if (std::atomic_load (&modules[0]) != nullptr)
        return nullptr;

    if (! moduleFactory->isRegistered (typeId))
        return nullptr;

    auto* created = moduleFactory->create (typeId);

    if (created == nullptr)
        return nullptr;

    std::shared_ptr<ModuleProcessor> module (created);
    moduleFactory->releasePool.add (module);

    // Before the host's first prepare the rate is 0, which no module can run at.
    auto sampleRate = getSampleRate();
    auto samplesPerBlock = getBlockSize();

    if (! (sampleRate > 0.0))
    {
        sampleRate = fallbackSampleRate;
        samplesPerBlock = fallbackBlockSize;
    }
    else if (samplesPerBlock <= 0)
    {
        samplesPerBlock = fallbackBlockSize;
    }

    module->setPlayDetails (getTotalNumInputChannels(), getTotalNumOutputChannels(), sampleRate, samplesPerBlock);
    module->prepareToPlay (sampleRate, samplesPerBlock);

    std::atomic_store (&modules[0], module);

    if (autoAttach && ! module->paramsAttached)
        attachAutomatically (module);

    return created;
}

void DovrethProcessor::removeModule (int slot)
{
    const juce::ScopedLock sl (stateManager->stateLock);

    if (slot != 0)
        return;

    const auto module = std::atomic_load (&modules[0]);

    if (module == nullptr)
    {
        std::atomic_store (&modules[0], std::shared_ptr<ModuleProcessor>());
        return;
    }

    for (auto* param : module->params)
    {
        if (auto* host = param->getHostParameter())
            host->unbind();

        param->hostParameter = nullptr;
    }

    // Any host parameter still holding this module would keep it alive past the pool.
    for (int i = 0; i < numHostParameters; ++i)
        if (auto* host = getHostParameter (i))
            if (const auto binding = host->getBinding(); binding != nullptr && binding->module == module)
                host->unbind();

    module->paramsAttached = false;
    updateHostDisplay (parameterInfoChanged());

    std::atomic_store (&modules[0], std::shared_ptr<ModuleProcessor>());
}

//==============================================================================
void DovrethProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    const juce::ScopedLock sl (stateManager->stateLock);

    juce::XmlElement state ("state");
    state.setAttribute ("oversampling", oversampling->choice);
    state.setAttribute ("oversamplingType", oversampling->type);
    state.setAttribute ("preset", presetsManager->currentPreset.name);
    state.setAttribute ("presetGroup", presetsManager->currentPreset.groupName);
    saveStateToXml (&state);

    copyXmlToBinary (state, destData);
}

void DovrethProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    const juce::ScopedLock sl (stateManager->stateLock);

    if (sizeInBytes <= 0)
        return;

    const auto root = PlainXml::fromBinary (data, (size_t) sizeInBytes);

    if (root == nullptr)
        return;

    loadStateFromXml (root.get());

    // The names come from the host; the indices may no longer match the preset files,
    // so let the store find them again by name.
    auto& current = presetsManager->currentPreset;
    current.groupName = root->getStringAttribute ("presetGroup");
    current.name = root->getStringAttribute ("preset");
    current.index = -1;
    current.groupIndex = -1;

    rebuildEditors = true;
}

void DovrethProcessor::saveStateToXml (juce::XmlElement* root)
{
    if (root == nullptr)
        return;

    const juce::ScopedLock sl (stateManager->stateLock);

    auto* slots = new juce::XmlElement ("slots");

    if (const auto module = std::atomic_load (&modules[0]))
    {
        auto* element = new juce::XmlElement (module->typeId);
        element->setAttribute ("index", 0);

        juce::StringArray attachments;

        for (auto* param : module->params)
            if (param->saveInState)
                element->setAttribute (ModuleProcessor::attributeNameFor (param->name),
                                       juce::String (param->getValue(), param->getDecimals()));

        for (auto* param : module->params)
            if (auto* host = param->getHostParameter())
                attachments.add (param->name + ":" + juce::String (host->index));

        element->setAttribute ("attachments", attachments.joinIntoString (","));
        slots->addChildElement (element);
    }

    root->addChildElement (slots);
}

void DovrethProcessor::loadStateFromXml (juce::XmlElement* root)
{
    if (root == nullptr)
        return;

    const juce::ScopedLock sl (stateManager->stateLock);

    removeModule (0);

    auto* slots = findSlots (*root);

    if (slots == nullptr)
        return;

    for (auto* element : slots->getChildIterator())
    {
        // The rack has one slot; any other index names nothing we can hold.
        if (readInteger (element->getStringAttribute ("index")) != 0)
            continue;

        if (addModule (element->getTagName(), 0, false) == nullptr)
            continue;

        const auto module = std::atomic_load (&modules[0]);
        module->setStateInformation (element);

        juce::StringArray tokens;
        tokens.addTokens (element->getStringAttribute ("attachments"), ",", "\"");

        auto anyBound = false;

        for (const auto& token : tokens)
        {
            juce::StringArray parts;
            parts.addTokens (token, ":", "\"");

            auto* param = module->getParam (unquoted (parts[0]));

            if (param == nullptr)
                continue;

            const auto index = readInteger (unquoted (parts[1]));

            if (index < 0 || index >= numHostParameters)
                continue;

            if (auto* host = getHostParameter ((int) index))
            {
                // A later item for the same host or module parameter replaces the earlier one.
                bindHostParameter (*host, module, param);
                anyBound = true;
            }
        }

        if (anyBound)
            pushBoundValues (*module);
    }

    updateHostDisplay (parameterInfoChanged());
}

void DovrethProcessor::loadDefaultState()
{
    const juce::ScopedLock sl (stateManager->stateLock);

    juce::String stored;

    if (auto* settings = appProperties.getUserSettings())
        stored = settings->getValue (SettingsKeys::defaultState);

    if (stored.isNotEmpty())
    {
        // A stored default that doesn't decode to a state falls back to the module list.
        if (const auto state = decodeDefaultState (stored))
        {
            loadStateFromXml (state.get());
            return;
        }
    }

    removeModule (0);

    for (const auto& typeId : defaultModules)
        addModule (typeId, -1, true);
}
