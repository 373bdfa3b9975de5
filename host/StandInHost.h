// The stand-in for the host application: it owns the configuration, the host
// unknown handed to the bundle's entry points, the component factory's table
// and everything the plug-in told it (traces, assertion reports, registrations).
#pragma once

#include "host/HostConfig.h"
#include "host/Registration.h"

#include "aax/acf/ACFBase.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tarnello::host
{
class HostContext;

class StandInHost
{
public:
    explicit StandInHost (HostConfig config = {});
    ~StandInHost();

    StandInHost (const StandInHost&) = delete;
    StandInHost& operator= (const StandInHost&) = delete;

    HostConfig& config() noexcept             { return mConfig; }
    const HostConfig& config() const noexcept { return mConfig; }

    // The host unknown given to the entry points. The host keeps its own reference.
    IACFUnknown* unknown() const noexcept;

    // Creates a new object (count 0) for the factory. Run-time objects are added the same way.
    using Creator = std::function<IACFUnknown* (StandInHost&)>;
    void registerComponent (const acfCLSID& componentID, Creator creator);

    // The factory's work: fails for configured or unknown ids, or when the object lacks `iid`.
    ACFRESULT createInstance (const acfCLSID& componentID, IACFUnknown* outer, const acfIID& iid, void** outInterface);

    // Records, safe to call from any thread.
    void recordTrace (int32_t priority, const char* message);
    void recordAssert (const char* file, int32_t line, const char* note, int32_t type);
    void recordStackTrace (int32_t traceLevel, int32_t stackTraceLevel, const char* message);
    std::vector<TraceRecord> traces() const;
    std::vector<AssertRecord> asserts() const;
    std::vector<StackTraceRecord> stackTraces() const;
    void clearRecords();

    // The description calls the plug-in made, in order, one line each ("AddName Tarnello").
    void recordDescriptionCall (std::string call);
    std::vector<std::string> descriptionCalls() const;

    // Every collection the factory made, oldest first; a collection records until it is destroyed.
    std::shared_ptr<CollectionRecord> newCollectionRecord();
    std::vector<std::shared_ptr<CollectionRecord>> collections() const;
    std::shared_ptr<CollectionRecord> lastCollection() const;

private:
    HostConfig mConfig;
    std::map<acfCLSID, Creator> mCreators;
    HostContext* mContext = nullptr;

    mutable std::mutex mRecordLock;
    std::vector<TraceRecord> mTraces;
    std::vector<AssertRecord> mAsserts;
    std::vector<StackTraceRecord> mStackTraces;
    std::vector<std::string> mDescriptionCalls;
    std::vector<std::shared_ptr<CollectionRecord>> mCollections;
};
} // namespace tarnello::host
