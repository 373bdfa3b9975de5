#include "aax/AAX_CEffectParameters.h"

#include "aax/AAX_CHostServices.h"
#include "aax/AAX_IPageTable.h"
#include "aax/AAX_VPageTable.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <vector>

namespace
{
// Narrows a stored double for a float parameter without leaving the float range.
float toFloat (double value) noexcept
{
    if (std::isnan (value))
        return std::numeric_limits<float>::quiet_NaN();
    const double limit = static_cast<double> (std::numeric_limits<float>::max());
    return static_cast<float> (std::clamp (value, -limit, limit));
}

// The relative moves clamp the upper bound first, then the lower.
double clampPosition (double value) noexcept
{
    return std::max (0.0, std::min (1.0, value));
}

enum class ValueForm { None, Float, Int32, Bool, Double, String };

// A parameter's own value form, tried in the fixed order float, int32, bool, double, string.
ValueForm valueFormOf (const AAX_IParameter& parameter, float& f, int32_t& i, bool& b, double& d, AAX_CString& s)
{
    if (parameter.GetValueAsFloat (&f))
        return ValueForm::Float;
    if (parameter.GetValueAsInt32 (&i))
        return ValueForm::Int32;
    if (parameter.GetValueAsBool (&b))
        return ValueForm::Bool;
    if (parameter.GetValueAsDouble (&d))
        return ValueForm::Double;
    if (parameter.GetValueAsString (&s))
        return ValueForm::String;
    return ValueForm::None;
}
} // namespace

AAX_CEffectParameters::AAX_CEffectParameters() = default;

AAX_CEffectParameters::~AAX_CEffectParameters()
{
    mFilteredParameters.clear();
    // Parameters unregister from the automation delegate as they go, so they go first.
    mParameterManager.RemoveAllParameters();
    mPacketDispatcher.Clear();
}

AAX_IAutomationDelegate* AAX_CEffectParameters::ParameterAutomationDelegate() const noexcept
{
    return mAutomationDelegate != nullptr && mAutomationDelegate->HasAutomationDelegate() ? mAutomationDelegate.get()
                                                                                          : nullptr;
}

AAX_Result AAX_CEffectParameters::Initialize (IACFUnknown* hostUnknown)
{
    // A second call would register every parameter and packet again.
    if (mInitialized)
        return AAX_ERROR_NOT_INITIALIZED;
    mInitialized = true;

    mController = std::make_unique<AAX_VController> (hostUnknown);
    mAutomationDelegate = std::make_unique<AAX_VAutomationDelegate> (hostUnknown);
    mTransport = std::make_unique<AAX_VTransport> (hostUnknown);

    // Without the host's delegate a set request would go nowhere; parameters then set at once.
    mParameterManager.Initialize (ParameterAutomationDelegate());
    mPacketDispatcher.Initialize (mController.get(), this);

    // A failed start leaves nothing behind, so that the host may simply try again.
    const AAX_Result result = EffectInit();
    if (result != AAX_SUCCESS)
    {
        Uninitialize();
        return result;
    }

    AAX_CString bypassID;
    GetMasterBypassParameter (&bypassID);
    if (bypassID.Length() > 0)
        mFilteredParameters.insert (bypassID.StdString());

    int32_t numParameters = 0;
    GetNumberOfParameters (&numParameters);
    if (numParameters > 0)
    {
        mNumChunkedParameters = numParameters - static_cast<int32_t> (mFilteredParameters.size());
        AAX_ASSERT (mNumChunkedParameters >= 0);
    }
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::Uninitialize()
{
    mParameterManager.RemoveAllParameters();
    // The packets read parameters that are gone and post through the controller that goes next.
    mPacketDispatcher.Clear();
    mPacketDispatcher.Initialize (nullptr, this);
    mFilteredParameters.clear();
    mController.reset();
    mAutomationDelegate.reset();
    mTransport.reset();
    mInitialized = false;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::EffectInit()
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::NotificationReceived (AAX_CTypeID type, const void* data, uint32_t size)
{
    // The preview state is one 32-bit word; anything shorter carries none.
    if (type == kPreviewNotification && data != nullptr && size >= sizeof (int32_t))
    {
        if (auto* preview = mParameterManager.GetParameterByID (kPreviewID))
        {
            int32_t word = 0;
            std::memcpy (&word, data, sizeof (word));
            preview->SetValueWithBool (word != 0);
        }
    }
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetNumberOfParameters (int32_t* outCount) const
{
    if (outCount == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outCount = mParameterManager.NumParameters();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetMasterBypassParameter (AAX_IString* outID) const
{
    if (outID == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    outID->Set (mParameterManager.GetParameterByID (kMasterBypassID) != nullptr ? kMasterBypassID : "");
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterIsAutomatable (AAX_CParamID id, AAX_CBoolean* outAutomatable) const
{
    if (outAutomatable == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outAutomatable = false;
    const auto* parameter = mParameterManager.GetParameterByID (id);
    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    *outAutomatable = parameter->Automatable();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterNumberOfSteps (AAX_CParamID id, int32_t* outSteps) const
{
    if (outSteps == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const auto* parameter = mParameterManager.GetParameterByID (id);
    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    const uint32_t steps = parameter->GetNumberOfSteps();
    if (steps > static_cast<uint32_t> (std::numeric_limits<int32_t>::max()))
        return AAX_ERROR_SIGNED_INT_OVERFLOW;
    *outSteps = static_cast<int32_t> (steps);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterName (AAX_CParamID id, AAX_IString* outName) const
{
    if (outName == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const auto* parameter = mParameterManager.GetParameterByID (id);
    outName->Set (parameter != nullptr ? parameter->Name().Get() : "");
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterNameOfLength (AAX_CParamID id, AAX_IString* outName, int32_t length) const
{
    if (outName == nullptr)
        return AAX_ERROR_INVALID_STRING_CONVERSION;
    const auto* parameter = mParameterManager.GetParameterByID (id);
    if (parameter == nullptr)
    {
        outName->Set ("");
        return AAX_SUCCESS;
    }

    std::string shortened = parameter->ShortenedName (length).StdString();
    if (shortened.size() > 255)
        shortened.resize (255);
    if (shortened.empty())
        return AAX_SUCCESS;

    // Each line is a candidate: the longest that fits wins, the first of equals.
    const std::string* best = nullptr;
    std::vector<std::string> lines;
    for (size_t start = 0;;)
    {
        const size_t end = shortened.find ('\n', start);
        lines.push_back (shortened.substr (start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    for (const auto& line : lines)
        if (length >= 0 && line.size() <= static_cast<size_t> (length) && (best == nullptr || line.size() > best->size()))
            best = &line;

    if (best != nullptr)
        outName->Set (best->c_str());
    else if (length < 1)
        outName->Set ("");
    else
        outName->Set (shortened.substr (0, static_cast<size_t> (length)).c_str());
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterDefaultNormalizedValue (AAX_CParamID id, double* outValue) const
{
    if (outValue == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const auto* parameter = mParameterManager.GetParameterByID (id);
    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    *outValue = parameter->GetNormalizedDefaultValue();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::SetParameterDefaultNormalizedValue (AAX_CParamID id, double value)
{
    auto* parameter = mParameterManager.GetParameterByID (id);
    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    parameter->SetNormalizedDefaultValue (value);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterType (AAX_CParamID id, AAX_EParameterType* outType) const
{
    if (outType == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const auto* parameter = mParameterManager.GetParameterByID (id);
    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    *outType = parameter->GetType();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterOrientation (AAX_CParamID id,
                                                           AAX_EParameterOrientation* outOrientation) const
{
    if (outOrientation == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const auto* parameter = mParameterManager.GetParameterByID (id);
    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    *outOrientation = parameter->GetOrientation();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameter (AAX_CParamID id, AAX_IParameter** outParameter)
{
    if (outParameter == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outParameter = mParameterManager.GetParameterByID (id);
    return *outParameter != nullptr ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::GetParameterIndex (AAX_CParamID id, int32_t* outIndex) const
{
    if (outIndex == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outIndex = mParameterManager.GetParameterIndex (id);
    return *outIndex >= 0 ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::GetParameterIDFromIndex (int32_t index, AAX_IString* outID) const
{
    if (outID == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    if (const auto* parameter = mParameterManager.GetParameter (index))
    {
        outID->Set (parameter->Identifier());
        return AAX_SUCCESS;
    }
    outID->Set ("");
    return AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::GetParameterValueInfo (AAX_CParamID id, int32_t, int32_t* outValue) const
{
    if (outValue == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outValue = 0;
    if (mParameterManager.GetParameterByID (id) == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::GetParameterValueFromString (AAX_CParamID id, double* outValue,
                                                               const AAX_IString& text) const
{
    const auto* parameter = mParameterManager.GetParameterByID (id);
    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    double value = 0.0;
    if (outValue == nullptr || ! parameter->GetNormalizedValueFromString (AAX_CString (text.Get()), &value))
        return AAX_ERROR_INVALID_STRING_CONVERSION;
    *outValue = value;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterStringFromValue (AAX_CParamID id, double value, AAX_IString* outText,
                                                               int32_t maxLength) const
{
    const auto* parameter = mParameterManager.GetParameterByID (id);
    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    AAX_CString text;
    if (outText == nullptr || ! parameter->GetStringFromNormalizedValue (value, maxLength, text))
        return AAX_ERROR_INVALID_STRING_CONVERSION;
    *outText = text;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterValueString (AAX_CParamID id, AAX_IString* outText,
                                                           int32_t maxLength) const
{
    const auto* parameter = mParameterManager.GetParameterByID (id);
    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    if (outText == nullptr)
        return AAX_ERROR_INVALID_STRING_CONVERSION;
    AAX_CString text;
    parameter->GetValueString (maxLength, &text);
    *outText = text;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterNormalizedValue (AAX_CParamID id, double* outValue) const
{
    if (outValue == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const auto* parameter = mParameterManager.GetParameterByID (id);
    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    *outValue = parameter->GetNormalizedValue();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedValue (AAX_CParamID id, double value)
{
    auto* parameter = mParameterManager.GetParameterByID (id);
    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    parameter->SetNormalizedValue (value);
    MarkPacketsDirtyWithoutHost (id);
    return AAX_SUCCESS;
}

void AAX_CEffectParameters::MarkPacketsDirtyWithoutHost (AAX_CParamID id)
{
    // With a host delegate its answer marks them; without one the value has changed already.
    if (ParameterAutomationDelegate() != nullptr)
        return;
    const AAX_COwnerAwareMutex::ScopedLock lock (mPacketDispatcher.GetLock());
    mPacketDispatcher.MarkPacketsDirty (id);
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedRelative (AAX_CParamID id, double delta)
{
    double value = 0.0;
    const AAX_Result result = GetParameterNormalizedValue (id, &value);
    if (result != AAX_SUCCESS)
        return result;
    return SetParameterNormalizedValue (id, clampPosition (value + delta));
}

AAX_Result AAX_CEffectParameters::TouchParameter (AAX_CParamID id)
{
    auto* parameter = mParameterManager.GetParameterByID (id);
    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    parameter->Touch();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::ReleaseParameter (AAX_CParamID id)
{
    auto* parameter = mParameterManager.GetParameterByID (id);
    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;
    parameter->Release();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::UpdateParameterTouch (AAX_CParamID id, AAX_CBoolean)
{
    return mParameterManager.GetParameterByID (id) != nullptr ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedValue (AAX_CParamID id, double value, AAX_EUpdateSource)
{
    auto* parameter = mParameterManager.GetParameterByID (id);
    if (parameter == nullptr)
        return AAX_ERROR_INVALID_PARAMETER_ID;

    const double oldValue = parameter->GetNormalizedValue();
    parameter->UpdateNormalizedValue (value);
    {
        const AAX_COwnerAwareMutex::ScopedLock lock (mPacketDispatcher.GetLock());
        mPacketDispatcher.MarkPacketsDirty (id);
    }
    if (oldValue != value || std::isnan (oldValue) || std::isnan (value))
        mNumPlugInChanges.fetch_add (1, std::memory_order_relaxed);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedRelative (AAX_CParamID id, double delta)
{
    double value = 0.0;
    const AAX_Result result = GetParameterNormalizedValue (id, &value);
    if (result != AAX_SUCCESS)
        return result;
    return UpdateParameterNormalizedValue (id, clampPosition (value + delta), 0);
}

AAX_Result AAX_CEffectParameters::GenerateCoefficients()
{
    return mPacketDispatcher.PostDirtyPackets();
}

AAX_Result AAX_CEffectParameters::ResetFieldData (AAX_CFieldIndex, void* data, uint32_t dataSize) const
{
    if (dataSize == 0)
        return AAX_SUCCESS;
    if (data == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    std::memset (data, 0, dataSize);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetNumberOfChunks (int32_t* outCount) const
{
    if (outCount == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    *outCount = 1;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunkIDFromIndex (int32_t index, AAX_CTypeID* outChunkID) const
{
    if (outChunkID == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    if (index != 0)
    {
        *outChunkID = 0;
        return AAX_ERROR_INVALID_CHUNK_INDEX;
    }
    *outChunkID = kControlsChunkID;
    return AAX_SUCCESS;
}

bool AAX_CEffectParameters::IsFiltered (AAX_CParamID id) const
{
    return id != nullptr && mFilteredParameters.count (id) != 0;
}

void AAX_CEffectParameters::BuildChunkData() const
{
    mChunkParser.Clear();
    int32_t numParameters = 0;
    GetNumberOfParameters (&numParameters);
    for (int32_t i = 0; i < numParameters; ++i)
    {
        const AAX_IParameter* parameter = mParameterManager.GetParameter (i);
        AAX_ASSERT (NULL != parameter);
        if (parameter == nullptr || IsFiltered (parameter->Identifier()))
            continue;

        float f = 0.0f;
        int32_t n = 0;
        bool b = false;
        double d = 0.0;
        AAX_CString s;
        switch (valueFormOf (*parameter, f, n, b, d, s))
        {
            case ValueForm::Float:  mChunkParser.AddDouble (parameter->Identifier(), static_cast<double> (f)); break;
            case ValueForm::Int32:  mChunkParser.AddInt32 (parameter->Identifier(), n); break;
            case ValueForm::Bool:   mChunkParser.AddInt32 (parameter->Identifier(), b ? 1 : 0); break;
            case ValueForm::Double: mChunkParser.AddDouble (parameter->Identifier(), d); break;
            case ValueForm::String: mChunkParser.AddString (parameter->Identifier(), s.Get()); break;
            case ValueForm::None:   break;
        }
    }
}

AAX_Result AAX_CEffectParameters::GetChunkSize (AAX_CTypeID chunkID, uint32_t* outSize) const
{
    if (outSize == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    if (chunkID != kControlsChunkID)
    {
        *outSize = 0;
        return AAX_ERROR_INVALID_CHUNK_ID;
    }

    BuildChunkData();
    const uint64_t size = mChunkParser.GetChunkDataSize();
    if (size > static_cast<uint64_t> (std::numeric_limits<int32_t>::max()))
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;
    mChunkSize = static_cast<uint32_t> (size);
    *outSize = mChunkSize;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunk (AAX_CTypeID chunkID, AAX_SPlugInChunk* outChunk) const
{
    if (chunkID != kControlsChunkID)
        return AAX_ERROR_INVALID_CHUNK_ID;
    if (outChunk == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    // The host sized its buffer from the last size query; anything else would not fit.
    BuildChunkData();
    const uint64_t size = mChunkParser.GetChunkDataSize();
    if (mChunkSize == 0 || size != mChunkSize)
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;

    outChunk->fVersion = mChunkParser.GetChunkVersion();
    std::memset (outChunk->fName, 0, sizeof (outChunk->fName));
    std::strncpy (outChunk->fName, kControlsChunkName, sizeof (outChunk->fName) - 1);

    const AAX_Result result = mChunkParser.GetChunkData (outChunk, size);
    if (result == AAX_SUCCESS)
        outChunk->fSize = static_cast<int32_t> (size);
    return result;
}

AAX_Result AAX_CEffectParameters::SetChunk (AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk)
{
    if (chunkID != kControlsChunkID)
        return AAX_ERROR_INVALID_CHUNK_ID;
    if (chunk == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    mChunkParser.LoadChunk (chunk);

    int32_t numParameters = 0;
    GetNumberOfParameters (&numParameters);
    for (int32_t i = 0; i < numParameters; ++i)
    {
        AAX_IParameter* parameter = mParameterManager.GetParameter (i);
        if (parameter == nullptr || IsFiltered (parameter->Identifier()))
            continue;

        const char* id = parameter->Identifier();
        float f = 0.0f;
        int32_t n = 0;
        bool b = false;
        double d = 0.0;
        AAX_CString s;
        switch (valueFormOf (*parameter, f, n, b, d, s))
        {
            case ValueForm::Float:
                if (mChunkParser.FindDouble (id, &d))
                    parameter->SetValueWithFloat (toFloat (d));
                break;
            case ValueForm::Int32:
                if (mChunkParser.FindInt32 (id, &n))
                    parameter->SetValueWithInt32 (n);
                break;
            case ValueForm::Bool:
                if (mChunkParser.FindInt32 (id, &n))
                    parameter->SetValueWithBool (n != 0);
                break;
            case ValueForm::Double:
                if (mChunkParser.FindDouble (id, &d))
                    parameter->SetValueWithDouble (d);
                break;
            case ValueForm::String:
                if (mChunkParser.FindString (id, &s))
                    parameter->SetValueWithString (s);
                break;
            case ValueForm::None:
                break;
        }
    }
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::CompareActiveChunk (const AAX_SPlugInChunk* chunk, AAX_CBoolean* outIsEqual) const
{
    if (outIsEqual == nullptr || chunk == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    if (chunk->fChunkID != kControlsChunkID)
    {
        *outIsEqual = true;
        return AAX_SUCCESS;
    }

    *outIsEqual = false;
    mChunkParser.LoadChunk (chunk);

    int32_t numParameters = 0;
    GetNumberOfParameters (&numParameters);
    if (numParameters < 1)
    {
        *outIsEqual = true;
        return AAX_SUCCESS;
    }

    for (int32_t i = 0; i < numParameters; ++i)
    {
        const AAX_IParameter* parameter = mParameterManager.GetParameter (i);
        AAX_ASSERT (NULL != parameter);
        if (parameter == nullptr)
            return AAX_SUCCESS;
        if (IsFiltered (parameter->Identifier()))
            continue;

        const char* id = parameter->Identifier();
        float f = 0.0f;
        int32_t n = 0;
        bool b = false;
        double d = 0.0;
        AAX_CString s;
        bool matches = true;
        switch (valueFormOf (*parameter, f, n, b, d, s))
        {
            case ValueForm::Float:
            {
                double stored = 0.0;
                matches = mChunkParser.FindDouble (id, &stored) && stored == static_cast<double> (f);
                break;
            }
            case ValueForm::Int32:
            {
                int32_t stored = 0;
                matches = mChunkParser.FindInt32 (id, &stored) && stored == n;
                break;
            }
            case ValueForm::Bool:
            {
                int32_t stored = 0;
                matches = mChunkParser.FindInt32 (id, &stored) && (b ? stored != 0 : stored == 0);
                break;
            }
            case ValueForm::Double:
            {
                double stored = 0.0;
                matches = mChunkParser.FindDouble (id, &stored) && stored == d;
                break;
            }
            case ValueForm::String:
            {
                AAX_CString stored;
                matches = mChunkParser.FindString (id, &stored) && stored == s;
                break;
            }
            case ValueForm::None:
                break;
        }
        if (! matches)
            return AAX_SUCCESS;
    }
    *outIsEqual = true;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetNumberOfChanges (int32_t* outChanges) const
{
    if (outChanges == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;
    const int32_t changes = mNumPlugInChanges.load (std::memory_order_relaxed);
    if (changes >= 0)
        *outChanges = changes;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::TimerWakeup()
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetCurveData (AAX_CTypeID, const float*, uint32_t, float*) const
{
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::GetCustomData (AAX_CTypeID, uint32_t, void*, uint32_t* outSize) const
{
    if (outSize != nullptr)
        *outSize = 0;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::SetCustomData (AAX_CTypeID, uint32_t, const void*)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::DoMIDITransfers()
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::RenderAudio_Hybrid (AAX_SHybridRenderInfo*)
{
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::UpdateMIDINodes (AAX_CFieldIndex, AAX_CMidiPacket&)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::UpdateControlMIDINodes (AAX_CTypeID, AAX_CMidiPacket&)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetCurveDataMeterIds (AAX_CTypeID, uint32_t*, uint32_t*) const
{
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::GetCurveDataDisplayRange (AAX_CTypeID, float*, float*, float*, float*) const
{
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_CEffectParameters::UpdatePageTable (uint32_t tableType, int32_t tablePageSize, IACFUnknown*,
                                                   IACFUnknown* pageTableUnknown) const
{
    AAX_VPageTable pageTable (pageTableUnknown);
    if (! pageTable.HasPageTable())
        return AAX_SUCCESS;
    return UpdatePageTable (tableType, tablePageSize, pageTable);
}

AAX_Result AAX_CEffectParameters::UpdatePageTable (uint32_t, int32_t, AAX_IPageTable&) const
{
    return AAX_ERROR_UNIMPLEMENTED;
}
