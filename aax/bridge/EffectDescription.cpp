#include "aax/bridge/EffectDescription.h"

#include "aax/bridge/PluginCallbacks.h"
#include "aax/bridge/StemFormats.h"
#include "aax/bridge/TarnelloIdentity.h"

#include "aax/AAX_CHostServices.h"
#include "aax/AAX_VCollection.h"
#include "aax/AAX_VComponentDescriptor.h"
#include "aax/AAX_VDescriptionHost.h"
#include "aax/AAX_VEffectDescriptor.h"
#include "aax/AAX_VPropertyMap.h"

#include <juce_events/juce_events.h>

#include <map>
#include <set>
#include <vector>

namespace tarnello::aax
{
namespace
{
constexpr int kMaxMeterNameLength = 1024;
constexpr int kLastMeterType = 5;
constexpr int kMaxAuxOutputBus = 16;

// Sets the wrapper type for the processor made while it is alive, as a wrapper would.
class ScopedAAXWrapperType
{
public:
    ScopedAAXWrapperType() : mPrevious (juce::PluginHostType::jucePlugInClientCurrentWrapperType)
    {
        juce::PluginHostType::jucePlugInClientCurrentWrapperType = juce::AudioProcessor::wrapperType_AAX;
    }
    ~ScopedAAXWrapperType() { juce::PluginHostType::jucePlugInClientCurrentWrapperType = mPrevious; }

    ScopedAAXWrapperType (const ScopedAAXWrapperType&) = delete;
    ScopedAAXWrapperType& operator= (const ScopedAAXWrapperType&) = delete;

private:
    juce::AudioProcessor::WrapperType mPrevious;
};

std::unique_ptr<juce::AudioProcessor> MakeTemporaryProcessor (const ProcessorFactory& makeProcessor)
{
    juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_AAX);
    std::unique_ptr<juce::AudioProcessor> processor;
    try
    {
        processor.reset (makeProcessor ? makeProcessor() : nullptr);
    }
    catch (...)
    {
        juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Undefined);
        throw;
    }
    juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Undefined);
    return processor;
}

// Which main formats the host can take, asked once per format.
class StemFormatSupport
{
public:
    explicit StemFormatSupport (AAX_VFeatureInfo* feature) : mFeature (feature) {}

    bool IsSupported (AAX_EStemFormat format)
    {
        const auto known = mAnswers.find (format);
        if (known != mAnswers.end())
            return known->second;
        const bool supported = Ask (format);
        mAnswers.emplace (format, supported);
        return supported;
    }

private:
    bool Ask (AAX_EStemFormat format) const
    {
        if (mFeature != nullptr)
        {
            int32_t level = 0;
            if (mFeature->SupportLevel (&level) == AAX_SUCCESS && level == AAX::kSupportLevel_ByProperty)
            {
                std::unique_ptr<AAX_VPropertyMap> properties (mFeature->AcquireProperties());
                if (properties != nullptr)
                {
                    // The host files first-order ambisonics under the second-order key.
                    const AAX_EStemFormat key = format == AAX::kStemFormat_Ambisonics1 ? AAX::kStemFormat_Ambisonics2 : format;
                    AAX_CPropertyValue value = 0;
                    if (properties->GetProperty (static_cast<uint32_t> (key), &value))
                        return value == AAX::kStemFormatSupportedValue;
                }
            }
        }
        return format <= AAX::kStemFormat_NewestClassic;
    }

    AAX_VFeatureInfo* mFeature;
    std::map<AAX_EStemFormat, bool> mAnswers;
};

std::vector<AAX_EStemFormat> CandidateFormats (const juce::AudioProcessor& processor, bool isInput)
{
    if (processor.getBusCount (isInput) == 0)
        return { AAX::kStemFormat_None };
    return { AAX::kMainStemFormats.begin(), AAX::kMainStemFormats.end() };
}

std::vector<AAX_CTypeID> DescribeMeters (AAX_VEffectDescriptor& effect, juce::AudioProcessor& processor)
{
    std::vector<AAX_CTypeID> meterIDs;
    for (auto* parameter : processor.getParameters())
    {
        // The meter group shares the upper half of the category with inputMeter.
        const auto category = static_cast<uint32_t> (parameter->getCategory());
        const auto firstMeter = static_cast<uint32_t> (juce::AudioProcessorParameter::inputMeter);
        if ((category & 0xFFFF0000u) != (firstMeter & 0xFFFF0000u))
            continue;

        const AAX_CTypeID meterID = kMeterIDBase + static_cast<AAX_CTypeID> (meterIDs.size());
        const int meterType = juce::jmin (static_cast<int> (category - firstMeter), kLastMeterType);
        AAX_VPropertyMap* properties = effect.NewPropertyMap();
        if (properties != nullptr)
        {
            properties->AddProperty (AAX::kProperty_MeterType, meterType);
            properties->AddProperty (AAX::kProperty_MeterOrientation, 1);
        }
        effect.AddMeterDescription (meterID, parameter->getName (kMaxMeterNameLength).toRawUTF8(), properties);
        meterIDs.push_back (meterID);
    }
    return meterIDs;
}

void DescribeComponent (AAX_VEffectDescriptor& effect, const juce::AudioProcessor& processor,
                        const juce::AudioProcessor::BusesLayout& layout, AAX_EStemFormat inputFormat,
                        AAX_EStemFormat outputFormat, int32_t nativeID, int32_t offlineID,
                        const std::vector<AAX_CTypeID>& meterIDs)
{
    AAX_VComponentDescriptor* component = effect.NewComponentDescriptor();

    // Fields follow each other without gaps; placeholders stand in for unused ones.
    component->AddAudioIn (0);
    component->AddAudioOut (1);
    component->AddAudioBufferLength (2);
    component->AddDataInPort (3, sizeof (float), AAX::kDataInPortType_Packets);
    component->AddPrivateData (4, 8, 0);
    component->AddPrivateData (5, 4, 0);
    if (! meterIDs.empty())
        component->AddMeters (6, meterIDs.data(), static_cast<uint32_t> (meterIDs.size()));
    else
        component->AddPrivateData (6, 8, 0);

    const bool hasMonoSideChain = layout.inputBuses.size() > 1 && layout.inputBuses[1].size() == 1;
    if (hasMonoSideChain)
        component->AddSideChainIn (7);
    else
        component->AddPrivateData (7, 8, 0);

    for (int bus = 1; bus < juce::jmin (layout.outputBuses.size(), kMaxAuxOutputBus); ++bus)
    {
        const AAX_EStemFormat auxFormat = StemFormatForChannelCount (layout.outputBuses[bus].size());
        if (auxFormat == AAX::kStemFormat_None)
            continue;
        const auto* busObject = processor.getBus (false, bus);
        const juce::String name = busObject != nullptr ? busObject->getName() : juce::String();
        component->AddAuxOutputStem (0, auxFormat, name.toRawUTF8());
    }

    AAX_VPropertyMap* properties = component->NewPropertyMap();
    if (properties != nullptr)
    {
        properties->AddProperty (AAX::kProperty_ManufacturerID, static_cast<AAX_CPropertyValue> (kManufacturerID));
        properties->AddProperty (AAX::kProperty_ProductID, static_cast<AAX_CPropertyValue> (kProductID));
        properties->AddProperty (AAX::kProperty_Flag60, 1);
        properties->AddProperty (AAX::kProperty_InputStemFormat, inputFormat);
        properties->AddProperty (AAX::kProperty_OutputStemFormat, outputFormat);
        properties->AddProperty (AAX::kProperty_PlugInID_Native, nativeID);
        properties->AddProperty (AAX::kProperty_PlugInID_Offline, offlineID);
        properties->AddProperty (AAX::kProperty_Flag304, 1);
        properties->AddProperty (AAX::kProperty_Flag309, 1);
        if (hasMonoSideChain)
            properties->AddProperty (AAX::kProperty_SideChainMono, 1);
    }

    // A component is handed over only with its process procedure in place. Any
    // non-negative answer is a success: hosts may answer more than 0.
    const AAX_Result result = component->AddProcessProc_Native (&ProcessNative, properties);
    if (result >= 0)
    {
        effect.AddComponent (component);
        return;
    }
    // A host without the descriptor's interface gets a partial description by
    // design; only a refusal by the host itself is worth telling it about.
    if (result == AAX_ERROR_NULL_OBJECT || result == AAX_ERROR_UNIMPLEMENTED)
        return;
    AAX_CHostServices::Trace (AAX::kTracePriority_Critical,
                              "Tarnello: the host refused the process procedure (%d); stem formats 0x%08X / 0x%08X not described",
                              static_cast<int> (result), static_cast<unsigned> (inputFormat), static_cast<unsigned> (outputFormat));
}

void DescribeComponents (AAX_VEffectDescriptor& effect, juce::AudioProcessor& processor, AAX_VFeatureInfo* stemFormatFeature,
                         const std::vector<AAX_CTypeID>& meterIDs)
{
    StemFormatSupport support (stemFormatFeature);
    std::set<int32_t> nativeIDs;
    const bool hasInputs = processor.getBusCount (true) > 0;
    const bool hasOutputs = processor.getBusCount (false) > 0;

    for (const AAX_EStemFormat inputFormat : CandidateFormats (processor, true))
    {
        for (const AAX_EStemFormat outputFormat : CandidateFormats (processor, false))
        {
            if (! support.IsSupported (inputFormat) || ! support.IsSupported (outputFormat))
                continue;

            const auto inputSet = ChannelSetForStemFormat (inputFormat);
            const auto outputSet = ChannelSetForStemFormat (outputFormat);
            auto layout = processor.getBusesLayout();
            if (hasInputs)
                layout.inputBuses.getReference (0) = inputSet;
            if (hasOutputs)
                layout.outputBuses.getReference (0) = outputSet;
            if (! processor.checkBusesLayoutSupported (layout))
                continue;

            const int32_t nativeID = processor.getAAXPluginIDForMainBusConfig (inputSet, outputSet, false);
            const int32_t offlineID = processor.getAAXPluginIDForMainBusConfig (inputSet, outputSet, true);
            // The host tells components apart by their native id.
            if (! nativeIDs.insert (nativeID).second)
            {
                AAX_CHostServices::Trace (AAX::kTracePriority_Critical,
                                          "Tarnello: plug-in type id 0x%08X repeats; stem formats 0x%08X / 0x%08X not described",
                                          static_cast<unsigned> (nativeID), static_cast<unsigned> (inputFormat),
                                          static_cast<unsigned> (outputFormat));
                continue;
            }
            DescribeComponent (effect, processor, layout, inputFormat, outputFormat, nativeID, offlineID, meterIDs);
        }
    }
}

void DescribeNames (AAX_VEffectDescriptor& effect, const juce::AudioProcessor& processor)
{
    juce::StringArray names (kProductName);
    for (const auto& name : processor.getAlternateDisplayNames())
        names.addIfNotAlreadyThere (name);
    for (const auto& name : names)
        effect.AddName (name.toRawUTF8());
}

void DescribeResources (AAX_VEffectDescriptor& effect, const juce::AudioProcessor& processor)
{
    const auto* client = dynamic_cast<const PageFileClient*> (&processor);
    if (client == nullptr)
        return;
    const auto searchPath = client->getPageFileSearchPath();
    if (searchPath.isNotEmpty())
        effect.AddResourceInfo (AAX::kResourceType_PageFileSearchPath, searchPath.toRawUTF8());
    const auto fileName = client->getPageFileName();
    if (fileName.isNotEmpty())
        effect.AddResourceInfo (AAX::kResourceType_PageFile, fileName.toRawUTF8());
}
} // namespace

AAX_Result DescribeEffect (AAX_VCollection& collection, const ProcessorFactory& makeProcessor)
{
    const juce::ScopedJuceInitialiser_GUI guiLibrary;
    const ScopedAAXWrapperType wrapperType;

    std::unique_ptr<AAX_VFeatureInfo> stemFormatFeature;
    if (auto* descriptionHost = collection.DescriptionHost())
        stemFormatFeature.reset (descriptionHost->AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat));

    AAX_VEffectDescriptor* effect = collection.NewDescriptor();
    if (effect == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    {
        auto processor = MakeTemporaryProcessor (makeProcessor);
        // Nothing can be described without the processor; registering an empty effect would hide that.
        if (processor == nullptr)
            return AAX_ERROR_NULL_OBJECT;

        DescribeNames (*effect, *processor);
        effect->AddCategory (kEffectCategory);
        const auto meterIDs = DescribeMeters (*effect, *processor);
        DescribeResources (*effect, *processor);
        effect->AddProcPtr (reinterpret_cast<void*> (&CreateEffectGUI), AAX::kProcID_EffectGUI);
        effect->AddProcPtr (reinterpret_cast<void*> (&CreateEffectParameters), AAX::kProcID_EffectParameters);
        DescribeComponents (*effect, *processor, stemFormatFeature.get(), meterIDs);
    }

    collection.AddEffect (kEffectID, effect);
    collection.SetManufacturerName (kManufacturerName);
    for (const char* packageName : kPackageNames)
        collection.AddPackageName (packageName);
    collection.SetPackageVersion (kPackageVersion);
    return AAX_SUCCESS;
}

AAX_Result DescribeProduct (AAX_VCollection& collection)
{
    return DescribeEffect (collection, [] { return createPluginFilter(); });
}
} // namespace tarnello::aax
