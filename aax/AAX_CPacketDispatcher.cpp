#include "aax/AAX_CPacketDispatcher.h"

#include "aax/AAX_IController.h"
#include "aax/AAX_IEffectParameters.h"
#include "aax/AAX_IParameter.h"

#include <stdexcept>

void* AAX_CPacket::SPacketData::Get (size_t size)
{
    if (size == 0)
        throw std::out_of_range ("AAX_CPacket::SPacketData::Get: empty packet");
    mData.resize (size, 0);
    return mData.data();
}

AAX_COwnerAwareMutex::ScopedLock::ScopedLock (AAX_COwnerAwareMutex& mutex) : mMutex (mutex)
{
    const auto self = std::this_thread::get_id();
    if (mMutex.mOwner.load() == self)
        return;
    mMutex.mMutex.lock();
    mMutex.mOwner.store (self);
    mLocked = true;
}

AAX_COwnerAwareMutex::ScopedLock::~ScopedLock()
{
    if (! mLocked)
        return;
    if (mMutex.mOwner.load() == std::this_thread::get_id())
    {
        mMutex.mOwner.store (std::thread::id());
        mMutex.mMutex.unlock();
    }
}

AAX_CPacketDispatcher::~AAX_CPacketDispatcher()
{
    Clear();
}

void AAX_CPacketDispatcher::Initialize (AAX_IController* controller, AAX_IEffectParameters* effectParameters)
{
    const AAX_COwnerAwareMutex::ScopedLock lock (mLock);
    mController = controller;
    mEffectParameters = effectParameters;
}

void AAX_CPacketDispatcher::Clear()
{
    const AAX_COwnerAwareMutex::ScopedLock lock (mLock);
    mHandlersByID.clear();
    mPacketsByField.clear();
}

AAX_Result AAX_CPacketDispatcher::AddPacket (AAX_CParamID parameterID, AAX_CFieldIndex fieldIndex,
                                             const AAX_IPacketHandler& handler)
{
    if (parameterID == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    const AAX_COwnerAwareMutex::ScopedLock lock (mLock);
    auto& packet = mPacketsByField[fieldIndex];
    if (packet == nullptr)
        packet = std::make_unique<AAX_CPacket> (fieldIndex);

    mHandlersByID.emplace (parameterID, Entry { packet.get(), std::unique_ptr<AAX_IPacketHandler> (handler.Clone()) });
    return AAX_SUCCESS;
}

AAX_Result AAX_CPacketDispatcher::RegisterPacket (AAX_CParamID parameterID, AAX_CFieldIndex fieldIndex)
{
    return AddPacket (parameterID, fieldIndex,
                      AAX_CPacketHandler<AAX_CPacketDispatcher> (this, &AAX_CPacketDispatcher::GenerateSingleValuePacket));
}

AAX_Result AAX_CPacketDispatcher::MarkPacketsDirty (AAX_CParamID parameterID)
{
    if (parameterID == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    const AAX_COwnerAwareMutex::ScopedLock lock (mLock);
    const auto range = mHandlersByID.equal_range (parameterID);
    for (auto entry = range.first; entry != range.second; ++entry)
        entry->second.packet->SetDirty (true);
    return AAX_SUCCESS;
}

AAX_Result AAX_CPacketDispatcher::PostDirtyPackets()
{
    const AAX_COwnerAwareMutex::ScopedLock lock (mLock);

    AAX_Result result = AAX_SUCCESS;
    for (auto& [parameterID, entry] : mHandlersByID)
    {
        AAX_CPacket& packet = *entry.packet;
        if (! packet.IsDirty())
            continue;

        AAX_Result generated = AAX_ERROR_NULL_OBJECT;
        try
        {
            generated = entry.handler->Call (parameterID.c_str(), packet);
        }
        catch (...)
        {
            // A handler that throws counts as one that failed; nothing leaves for the host.
        }

        if (generated == AAX_SUCCESS)
            result = mController != nullptr ? mController->PostPacket (packet.GetID(), packet.Data().Data(), packet.GetSize())
                                            : AAX_ERROR_NULL_OBJECT;
        packet.SetDirty (false);
    }
    return result;
}

AAX_Result AAX_CPacketDispatcher::GenerateSingleValuePacket (AAX_CParamID parameterID, AAX_CPacket& packet)
{
    if (mEffectParameters == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    AAX_IParameter* parameter = nullptr;
    if (mEffectParameters->GetParameter (parameterID, &parameter) != AAX_SUCCESS || parameter == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    bool boolValue = false;
    float floatValue = 0.0f;
    int32_t intValue = 0;
    double doubleValue = 0.0;

    if (parameter->GetValueAsBool (&boolValue))
        packet.SetPayload<int32_t> (boolValue ? 1 : 0);
    else if (parameter->GetValueAsFloat (&floatValue))
        packet.SetPayload (floatValue);
    else if (parameter->GetValueAsInt32 (&intValue))
        packet.SetPayload (intValue);
    else if (parameter->GetValueAsDouble (&doubleValue))
        packet.SetPayload (doubleValue);
    else
        return AAX_ERROR_NULL_OBJECT;
    return AAX_SUCCESS;
}
