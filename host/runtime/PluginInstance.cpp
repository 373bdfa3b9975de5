#include "host/runtime/PluginInstance.h"

#include "host/runtime/PlainNumber.h"

#include "aax/acf/AAXIDs.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iomanip>
#include <sstream>

namespace tarnello::host
{
namespace
{
const int32_t* findProperty (const ComponentRecord& component, uint32_t id)
{
    for (const auto& proc : component.processProcs)
        if (const int32_t* value = proc.properties.find (id))
            return value;
    return nullptr;
}

bool equalsIgnoringCase (const std::string& a, const std::string& b)
{
    return a.size() == b.size()
        && std::equal (a.begin(), a.end(), b.begin(), [] (char x, char y) {
               return std::tolower (static_cast<unsigned char> (x)) == std::tolower (static_cast<unsigned char> (y));
           });
}

// "12. Time" without its number: "Time".
std::string withoutNumber (const std::string& name)
{
    size_t digits = 0;
    while (digits < name.size() && std::isdigit (static_cast<unsigned char> (name[digits])))
        ++digits;
    if (digits > 0 && name.compare (digits, 2, ". ") == 0)
        return name.substr (digits + 2);
    return name;
}

std::string trimmed (const std::string& text)
{
    const auto first = text.find_first_not_of (" \t");
    if (first == std::string::npos)
        return {};
    return text.substr (first, text.find_last_not_of (" \t") - first + 1);
}

std::string joined (const std::vector<std::string>& items)
{
    std::string list;
    for (const auto& item : items)
        list += (list.empty() ? "" : ", ") + item;
    return list;
}

// "0", "4000", "0.5": a number as short as it reads exactly.
std::string numberText (double value)
{
    std::ostringstream out;
    out << std::setprecision (15) << value;
    return out.str();
}

constexpr const char* kBypassID = "MasterBypassID";
// Positions looked at to learn a choice's texts; more than any choice has entries.
constexpr int kChoiceProbes = 2048;
} // namespace

//==============================================================================
std::unique_ptr<RegisteredBundle> RegisteredBundle::open (const std::string& path, StandInHost& host, std::string& error)
{
    auto bundle = Bundle::load (path, error);
    if (bundle == nullptr)
        return nullptr;

    std::unique_ptr<RegisteredBundle> registered (new RegisteredBundle (std::move (bundle), host));
    if (const ACFRESULT started = registered->mBundle->startup (host.unknown()); started != ACF_OK)
    {
        error = "ACFStartup answered " + std::to_string (started);
        return nullptr;
    }

    IACFPluginDefinition* definition = nullptr;
    const ACFRESULT result = registered->mBundle->registerPlugin (host.unknown(), &definition);
    if (definition != nullptr)
        definition->Release();
    registered->mCollection = host.lastCollection();
    if (result != ACF_OK || registered->mCollection == nullptr || registered->mCollection->effects.empty())
    {
        error = "ACFRegisterPlugin answered " + std::to_string (result);
        return nullptr;
    }
    return registered;
}

RegisteredBundle::~RegisteredBundle()
{
    shutdown();
}

ACFRESULT RegisteredBundle::shutdown()
{
    if (! mShutDown)
    {
        mBundle->shutdown (mHost.unknown());
        mShutDown = true;
    }
    return mBundle->canUnloadNow (mHost.unknown());
}

const ComponentRecord* RegisteredBundle::component (AAX_EStemFormat input, AAX_EStemFormat output) const
{
    for (const auto& candidate : effect().components)
    {
        const int32_t* in = findProperty (candidate, AAX::kProperty_InputStemFormat);
        const int32_t* out = findProperty (candidate, AAX::kProperty_OutputStemFormat);
        if (in != nullptr && out != nullptr && *in == input && *out == output)
            return &candidate;
    }
    return nullptr;
}

//==============================================================================
PluginInstance::PluginInstance (StandInHost& host, const ComponentRecord& component)
    : mHost (host), mComponent (component)
{
}

std::unique_ptr<PluginInstance> PluginInstance::create (StandInHost& host, const EffectRecord& effect,
                                                        const ComponentRecord& component, std::string& error)
{
    AAX_CreateObjectProc createEffect = nullptr;
    for (const auto& [pointer, procID] : effect.procPtrs)
        if (procID == AAX::kProcID_EffectParameters)
            createEffect = reinterpret_cast<AAX_CreateObjectProc> (const_cast<void*> (pointer));

    const ProcessProcRecord* process = nullptr;
    for (const auto& proc : component.processProcs)
        if (proc.native && proc.processProc != nullptr)
            process = &proc;

    if (createEffect == nullptr || process == nullptr)
    {
        error = "the effect registered no effect-parameters creator or no process procedure";
        return nullptr;
    }

    std::unique_ptr<PluginInstance> instance (new PluginInstance (host, component));
    instance->mProcess = reinterpret_cast<AAX_CProcessProc> (const_cast<void*> (process->processProc));
    const int32_t* in = process->properties.find (AAX::kProperty_InputStemFormat);
    const int32_t* out = process->properties.find (AAX::kProperty_OutputStemFormat);
    instance->mInputFormat = in != nullptr ? *in : AAX::kStemFormat_None;
    instance->mOutputFormat = out != nullptr ? *out : AAX::kStemFormat_None;
    instance->mNumInputs = instance->mInputFormat == AAX::kStemFormat_None ? 0 : AAX::StemFormatChannelCount (instance->mInputFormat);
    instance->mNumOutputs = instance->mOutputFormat == AAX::kStemFormat_None ? 0 : AAX::StemFormatChannelCount (instance->mOutputFormat);

    IACFUnknown* created = createEffect();
    if (created == nullptr)
    {
        error = "the effect-parameters creator gave no object";
        return nullptr;
    }
    created->AddRef();
    void* raw = nullptr;
    const ACFRESULT queried = created->QueryInterface (IID_IAAXEffectParametersV4, &raw);
    created->Release();
    if (ACFFAILED (queried) || raw == nullptr)
    {
        error = "the effect-parameters object lacks its interface";
        return nullptr;
    }
    instance->mEffect = static_cast<AAX_IACFEffectParameters_V4*> (raw);

    instance->mContext = new InstanceContext (host);
    instance->mContext->AddRef();
    instance->mContext->setEffect (instance->mEffect);
    return instance;
}

PluginInstance::~PluginInstance()
{
    if (mEffect != nullptr)
    {
        if (mInitialized)
            mEffect->Uninitialize();
        mEffect->Release();
    }
    if (mContext != nullptr)
    {
        mContext->setEffect (nullptr);
        mContext->automation().setTarget (nullptr);
        mContext->Release();
    }
}

ACFRESULT PluginInstance::initialize (float sampleRate)
{
    mContext->controller().setSampleRate (sampleRate);
    mContext->controller().setStemFormats (mInputFormat, mOutputFormat);
    mSampleRate = sampleRate;
    mContext->transport().setSamplePosition (0, sampleRate);
    mContext->automation().setTarget (mEffect);

    const ACFRESULT result = mEffect->Initialize (mContext->asUnknown());
    mInitialized = true;
    if (result != ACF_OK)
        return result;

    AAX_CFieldIndex lastField = 0;
    for (const auto& field : mComponent.fields)
        lastField = std::max (lastField, field.field);
    mFields.assign (lastField + 1, Field());
    mContextSlots.assign (lastField + 1, nullptr);
    mInputPointers.assign (static_cast<size_t> (std::max (mNumInputs, 1)), nullptr);
    mOutputPointers.assign (static_cast<size_t> (std::max (mNumOutputs, 1)), nullptr);

    for (const auto& record : mComponent.fields)
    {
        Field& field = mFields[record.field];
        field.kind = record.kind;
        const auto sized = [&field] (size_t bytes) {
            field.size = bytes;
            field.storage.assign ((bytes + 7) / 8, 0);
            return static_cast<void*> (field.storage.data());
        };

        void*& slot = mContextSlots[record.field];
        if (record.kind == "AudioIn")
            slot = mInputPointers.data();
        else if (record.kind == "AudioOut")
            slot = mOutputPointers.data();
        else if (record.kind == "AudioBufferLength")
            slot = &mBufferLength;
        else if (record.kind == "DataInPort" || record.kind == "PrivateData")
            slot = sized (record.args.empty() ? 0 : static_cast<size_t> (std::max<int64_t> (record.args[0], 0)));
        else if (record.kind == "Meters")
            slot = sized (record.args.size() * sizeof (float));
        else if (record.kind == "SideChainIn")
            slot = sized (sizeof (int32_t));
    }

    for (size_t i = 0; i < mFields.size(); ++i)
        if (mFields[i].kind == "PrivateData")
            if (const ACFRESULT reset = mEffect->ResetFieldData (static_cast<AAX_CFieldIndex> (i), mContextSlots[i],
                                                                 static_cast<uint32_t> (mFields[i].size));
                reset != ACF_OK)
                return reset;
    return ACF_OK;
}

ACFRESULT PluginInstance::generateCoefficients()
{
    return mEffect->GenerateCoefficients();
}

void PluginInstance::overrideField (AAX_CFieldIndex field, const void* data, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*> (data);
    mOverrides.emplace_back (field, std::vector<uint8_t> (bytes, bytes + size));
}

void PluginInstance::process (const float* const* inputs, float* const* outputs, int32_t numSamples)
{
    if (mProcess == nullptr || mContextSlots.empty())
        return;

    for (size_t i = 0; i < mFields.size(); ++i)
        if (mFields[i].kind == "DataInPort")
            mContext->controller().copyLatestPacket (static_cast<AAX_CFieldIndex> (i), mContextSlots[i], mFields[i].size);
    for (const auto& [field, data] : mOverrides)
        if (field < mFields.size() && mContextSlots[field] != nullptr)
            std::memcpy (mContextSlots[field], data.data(), std::min (data.size(), mFields[field].size));

    for (int ch = 0; ch < mNumInputs; ++ch)
        mInputPointers[static_cast<size_t> (ch)] = const_cast<float*> (inputs[ch]);
    for (int ch = 0; ch < mNumOutputs; ++ch)
        mOutputPointers[static_cast<size_t> (ch)] = outputs[ch];
    mBufferLength = numSamples;

    void* const instances[] = { mContextSlots.data() };
    mProcess (instances, instances + 1);
}

void PluginInstance::processBlock (const float* const* inputs, float* const* outputs, int32_t numSamples,
                                   int64_t samplePosition)
{
    mContext->transport().setSamplePosition (samplePosition, mSampleRate);
    generateCoefficients();
    process (inputs, outputs, numSamples);
}

void PluginInstance::runSilentBlock()
{
    int64_t position = 0;
    mContext->transport().GetCurrentNativeSampleLocation (&position);
    std::vector<float> samples (static_cast<size_t> (std::max (mNumInputs, mNumOutputs) + 1), 0.0f);
    std::vector<const float*> inputs (static_cast<size_t> (std::max (mNumInputs, 1)), samples.data());
    std::vector<float*> outputs;
    for (int ch = 0; ch < std::max (mNumOutputs, 1); ++ch)
        outputs.push_back (samples.data() + 1 + ch);
    processBlock (inputs.data(), outputs.data(), 1, position);
}

std::vector<std::pair<std::string, std::string>> PluginInstance::parameters() const
{
    std::vector<std::pair<std::string, std::string>> list;
    int32_t count = 0;
    if (mEffect->GetNumberOfParameters (&count) != ACF_OK)
        return list;
    for (int32_t i = 0; i < count; ++i)
    {
        HostString id, name;
        if (mEffect->GetParameterIDFromIndex (i, &id) != ACF_OK)
            continue;
        mEffect->GetParameterName (id.Get(), &name);
        list.emplace_back (id.str(), name.str());
    }
    return list;
}

std::string PluginInstance::findParameter (const std::string& name) const
{
    const std::string wanted = trimmed (name);
    for (const auto& [id, fullName] : parameters())
        if (equalsIgnoringCase (fullName, wanted) || equalsIgnoringCase (withoutNumber (fullName), wanted))
            return id;
    return {};
}

std::string PluginInstance::parameterText (const std::string& id, double position, int32_t maxLength) const
{
    HostString text;
    if (mEffect->GetParameterStringFromValue (id.c_str(), position, &text, maxLength) != ACF_OK)
        return {};
    return text.str();
}

std::vector<std::string> PluginInstance::choiceTexts (const std::string& id) const
{
    std::vector<std::string> texts;
    for (int i = 0; i <= kChoiceProbes; ++i)
    {
        const auto text = parameterText (id, static_cast<double> (i) / kChoiceProbes);
        if (! text.empty() && std::find (texts.begin(), texts.end(), text) == texts.end())
            texts.push_back (text);
    }
    return texts;
}

std::string PluginInstance::setParameterFromText (const std::string& name, const std::string& text)
{
    const auto id = findParameter (name);
    if (id.empty() || id == kBypassID)
    {
        std::vector<std::string> names;
        for (const auto& [parameterID, fullName] : parameters())
            if (const auto dot = fullName.find (". "); dot != std::string::npos)
                names.push_back (fullName.substr (dot + 2));
        return "unknown parameter \"" + name + "\"; the parameters are: " + joined (names);
    }

    const std::string paramName = trimmed (name);
    const std::string value = trimmed (text);
    double position = 0.0;
    const bool read = mEffect->GetParameterValueFromString (id.c_str(), &position, HostString (value)) == ACF_OK;

    // A parameter whose ends read as numbers takes a number; any other, a choice.
    const std::string lowest = trimmed (parameterText (id, 0.0));
    const std::string highest = trimmed (parameterText (id, 1.0));
    const auto low = plainNumber (lowest);
    const auto high = plainNumber (highest);
    if (low.has_value() && high.has_value())
    {
        const std::string range = numberText (std::min (*low, *high)) + " to " + numberText (std::max (*low, *high));
        const auto number = leadingPlainNumber (value);
        if (! read || ! number.has_value())
            return "\"" + value + "\" is no value for \"" + paramName + "\": it takes a plain decimal number from "
                   + range + ", followed by nothing or by the parameter's own unit";
        if (*number < std::min (*low, *high) || *number > std::max (*low, *high))
            return "\"" + paramName + "\" takes " + range + ", not " + value;
    }
    else
    {
        const auto choices = choiceTexts (id);
        // A number is an index into the choices, and only a whole one that names a choice.
        const auto index = plainNumber (value);
        const bool isIndex = index.has_value() && *index == std::floor (*index) && *index >= 0.0
                          && *index < static_cast<double> (choices.size());
        if (! read || (index.has_value() && ! isIndex))
            return "\"" + paramName + "\" takes one of: " + joined (choices) + " (or its index from 0 to "
                   + std::to_string (choices.empty() ? 0 : choices.size() - 1) + ")";
    }

    if (const ACFRESULT result = mEffect->SetParameterNormalizedValue (id.c_str(), position); result != ACF_OK)
        return "the plug-in refused \"" + value + "\" for \"" + paramName + "\" (" + std::to_string (result) + ")";
    return {};
}

double PluginInstance::parameterValue (const std::string& id) const
{
    double value = -1.0;
    mEffect->GetParameterNormalizedValue (id.c_str(), &value);
    return value;
}

std::vector<uint8_t> PluginInstance::getChunk (AAX_CTypeID chunkID, ACFRESULT& result) const
{
    uint32_t size = 0;
    result = mEffect->GetChunkSize (chunkID, &size);
    if (result != ACF_OK)
        return {};

    std::vector<uint64_t> storage ((kPlugInChunkHeaderSize + size + 7) / 8, 0);
    auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (storage.data());
    chunk->fChunkID = chunkID;
    result = mEffect->GetChunk (chunkID, chunk);
    if (result != ACF_OK || chunk->fSize < 0 || static_cast<uint32_t> (chunk->fSize) > size)
        return {};
    const auto* data = reinterpret_cast<const uint8_t*> (chunk->fData);
    return std::vector<uint8_t> (data, data + chunk->fSize);
}

ACFRESULT PluginInstance::setChunk (AAX_CTypeID chunkID, const std::vector<uint8_t>& data)
{
    std::vector<uint64_t> storage ((kPlugInChunkHeaderSize + data.size() + 7) / 8, 0);
    auto* chunk = reinterpret_cast<AAX_SPlugInChunk*> (storage.data());
    chunk->fSize = static_cast<int32_t> (data.size());
    chunk->fChunkID = chunkID;
    if (! data.empty())
        std::memcpy (chunk->fData, data.data(), data.size());
    return mEffect->SetChunk (chunkID, chunk);
}
} // namespace tarnello::host
