#include "host/StandInHost.h"

#include "host/HostObjects.h"

#include "aax/acf/AAXIDs.h"

#include <utility>

namespace tarnello::host
{
bool hostAnswers (const StandInHost& host, const acfIID& iid)
{
    return host.config().omittedInterfaces.count (iid) == 0;
}

StandInHost::StandInHost (HostConfig config)
    : mConfig (std::move (config))
{
    registerDescriptionComponents (*this);
    mContext = new HostContext (*this);
    mContext->AddRef();
}

StandInHost::~StandInHost()
{
    mContext->Release();
}

IACFUnknown* StandInHost::unknown() const noexcept
{
    return mContext->asUnknown();
}

void StandInHost::registerComponent (const acfCLSID& componentID, Creator creator)
{
    mCreators[componentID] = std::move (creator);
}

ACFRESULT StandInHost::createInstance (const acfCLSID& componentID, IACFUnknown* outer, const acfIID& iid, void** outInterface)
{
    if (outInterface == nullptr)
        return ACF_E_POINTER;
    *outInterface = nullptr;
    if (outer != nullptr)
        return ACF_E_FAIL;   // the host's objects cannot be aggregated
    if (mConfig.failingComponents.count (componentID) != 0)
        return ACF_E_FAIL;

    const auto creator = mCreators.find (componentID);
    if (creator == mCreators.end())
        return ACF_E_CLASSNOTREG;

    IACFUnknown* object = creator->second (*this);
    if (object == nullptr)
        return ACF_E_FAIL;

    // Holding a reference across the query frees the object when the query fails.
    object->AddRef();
    const ACFRESULT result = object->QueryInterface (iid, outInterface);
    object->Release();
    return result;
}

void StandInHost::recordTrace (int32_t priority, const char* message)
{
    const std::lock_guard<std::mutex> lock (mRecordLock);
    mTraces.push_back ({ priority, message != nullptr ? message : "" });
}

void StandInHost::recordAssert (const char* file, int32_t line, const char* note, int32_t type)
{
    const std::lock_guard<std::mutex> lock (mRecordLock);
    mAsserts.push_back ({ file != nullptr ? file : "", line, note != nullptr ? note : "", type });
}

void StandInHost::recordStackTrace (int32_t traceLevel, int32_t stackTraceLevel, const char* message)
{
    const std::lock_guard<std::mutex> lock (mRecordLock);
    mStackTraces.push_back ({ traceLevel, stackTraceLevel, message != nullptr ? message : "" });
}

std::vector<TraceRecord> StandInHost::traces() const
{
    const std::lock_guard<std::mutex> lock (mRecordLock);
    return mTraces;
}

std::vector<AssertRecord> StandInHost::asserts() const
{
    const std::lock_guard<std::mutex> lock (mRecordLock);
    return mAsserts;
}

std::vector<StackTraceRecord> StandInHost::stackTraces() const
{
    const std::lock_guard<std::mutex> lock (mRecordLock);
    return mStackTraces;
}

void StandInHost::clearRecords()
{
    const std::lock_guard<std::mutex> lock (mRecordLock);
    mTraces.clear();
    mAsserts.clear();
    mStackTraces.clear();
    mCollections.clear();
    mDescriptionCalls.clear();
}

void StandInHost::recordDescriptionCall (std::string call)
{
    const std::lock_guard<std::mutex> lock (mRecordLock);
    mDescriptionCalls.push_back (std::move (call));
}

std::vector<std::string> StandInHost::descriptionCalls() const
{
    const std::lock_guard<std::mutex> lock (mRecordLock);
    return mDescriptionCalls;
}

std::shared_ptr<CollectionRecord> StandInHost::newCollectionRecord()
{
    auto record = std::make_shared<CollectionRecord>();
    const std::lock_guard<std::mutex> lock (mRecordLock);
    mCollections.push_back (record);
    return record;
}

std::vector<std::shared_ptr<CollectionRecord>> StandInHost::collections() const
{
    const std::lock_guard<std::mutex> lock (mRecordLock);
    return mCollections;
}

std::shared_ptr<CollectionRecord> StandInHost::lastCollection() const
{
    const std::lock_guard<std::mutex> lock (mRecordLock);
    return mCollections.empty() ? nullptr : mCollections.back();
}
} // namespace tarnello::host
