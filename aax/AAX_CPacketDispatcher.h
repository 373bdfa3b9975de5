// Turns parameter changes into data packets for the host's algorithm context.
// Each packet feeds one context field; a host value change marks the packets
// of its parameter dirty, and GenerateCoefficients posts the dirty ones.
#pragma once

#include "aax/AAX_Errors.h"

#include "aax/acf/AAXRuntimeInterfaces.h"

#include <atomic>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class AAX_IController;
class AAX_IEffectParameters;

class AAX_CPacket
{
public:
    // A growable payload buffer.
    class SPacketData
    {
    public:
        SPacketData() : mData (8, 0) {}
        // Resizes to exactly `size` bytes (new bytes are zero) and returns the first.
        // A size of 0 has no first byte and throws std::out_of_range.
        void* Get (size_t size);
        const void* Data() const noexcept { return mData.data(); }

    private:
        std::vector<uint8_t> mData;
    };

    explicit AAX_CPacket (AAX_CFieldIndex fieldIndex) : mFieldIndex (fieldIndex) {}

    AAX_CFieldIndex GetID() const noexcept { return mFieldIndex; }
    bool IsDirty() const noexcept { return mDirty; }
    void SetDirty (bool dirty) noexcept { mDirty = dirty; }
    uint32_t GetSize() const noexcept { return mDataSize; }
    void SetSize (uint32_t size) noexcept { mDataSize = size; }
    SPacketData& Data() noexcept { return mData; }
    const SPacketData& Data() const noexcept { return mData; }

    template <typename Value>
    void SetPayload (const Value& value)
    {
        mDataSize = static_cast<uint32_t> (sizeof (Value));
        std::memcpy (mData.Get (sizeof (Value)), &value, sizeof (Value));
    }

private:
    AAX_CFieldIndex mFieldIndex;
    bool mDirty = true;
    uint32_t mDataSize = 0;
    SPacketData mData;
};

class AAX_IPacketHandler
{
public:
    virtual ~AAX_IPacketHandler() = default;
    virtual AAX_IPacketHandler* Clone() const = 0;
    virtual AAX_Result Call (AAX_CParamID parameterID, AAX_CPacket& packet) const = 0;
};

// A handler that calls a member function of its owner, with or without the id.
template <class Owner>
class AAX_CPacketHandler : public AAX_IPacketHandler
{
public:
    using PacketOnly = AAX_Result (Owner::*) (AAX_CPacket&);
    using WithID     = AAX_Result (Owner::*) (AAX_CParamID, AAX_CPacket&);

    AAX_CPacketHandler (Owner* owner, PacketOnly callback) : mOwner (owner), mPacketOnly (callback) {}
    AAX_CPacketHandler (Owner* owner, WithID callback) : mOwner (owner), mWithID (callback) {}

    AAX_IPacketHandler* Clone() const override { return new AAX_CPacketHandler (*this); }

    AAX_Result Call (AAX_CParamID parameterID, AAX_CPacket& packet) const override
    {
        if (mOwner != nullptr && mWithID != nullptr)
            return (mOwner->*mWithID) (parameterID, packet);
        if (mOwner != nullptr && mPacketOnly != nullptr)
            return (mOwner->*mPacketOnly) (packet);
        return AAX_ERROR_NULL_OBJECT;
    }

private:
    Owner* mOwner = nullptr;
    PacketOnly mPacketOnly = nullptr;
    WithID mWithID = nullptr;
};

// A lock that the thread holding it may take again: re-entry neither blocks
// nor unlocks early, so a handler running under it can call back in.
class AAX_COwnerAwareMutex
{
public:
    class ScopedLock
    {
    public:
        explicit ScopedLock (AAX_COwnerAwareMutex& mutex);
        ~ScopedLock();
        ScopedLock (const ScopedLock&) = delete;
        ScopedLock& operator= (const ScopedLock&) = delete;

    private:
        AAX_COwnerAwareMutex& mMutex;
        bool mLocked = false;
    };

private:
    std::mutex mMutex;
    std::atomic<std::thread::id> mOwner {};
};

class AAX_CPacketDispatcher
{
public:
    AAX_CPacketDispatcher() = default;
    ~AAX_CPacketDispatcher();

    AAX_CPacketDispatcher (const AAX_CPacketDispatcher&) = delete;
    AAX_CPacketDispatcher& operator= (const AAX_CPacketDispatcher&) = delete;

    void Initialize (AAX_IController* controller, AAX_IEffectParameters* effectParameters);

    // Feeds field `fieldIndex` from parameter `parameterID` through a clone of `handler`.
    AAX_Result AddPacket (AAX_CParamID parameterID, AAX_CFieldIndex fieldIndex, const AAX_IPacketHandler& handler);
    // The usual case: the parameter's value as a single-value payload.
    AAX_Result RegisterPacket (AAX_CParamID parameterID, AAX_CFieldIndex fieldIndex);

    AAX_Result MarkPacketsDirty (AAX_CParamID parameterID);
    // Posts every dirty packet, in parameter-id order; the result of the last post, or 0.
    AAX_Result PostDirtyPackets();

    // Payload: the parameter's value as 4 bytes (bool as 0 or 1, float, int) or 8 (double).
    AAX_Result GenerateSingleValuePacket (AAX_CParamID parameterID, AAX_CPacket& packet);

    AAX_COwnerAwareMutex& GetLock() noexcept { return mLock; }

    // Drops every packet and handler, under the lock.
    void Clear();

private:
    struct Entry
    {
        AAX_CPacket* packet;
        std::unique_ptr<AAX_IPacketHandler> handler;
    };

    std::map<AAX_CFieldIndex, std::unique_ptr<AAX_CPacket>> mPacketsByField;
    std::multimap<std::string, Entry> mHandlersByID;
    AAX_IController* mController = nullptr;
    AAX_IEffectParameters* mEffectParameters = nullptr;
    AAX_COwnerAwareMutex mLock;
};
