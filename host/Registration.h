// What the plug-in registered, as the stand-in host recorded it.
#pragma once

#include "aax/acf/AAXDescriptionInterfaces.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tarnello::host
{
struct PropertySnapshot
{
    // In the order they were added; a later AddProperty of the same id replaces the value in place.
    std::vector<std::pair<uint32_t, int32_t>> values;
    std::vector<std::pair<uint32_t, const void*>> pointers;
    std::map<uint32_t, std::vector<acfUID>> idArrays;

    const int32_t* find (uint32_t id) const
    {
        for (const auto& entry : values)
            if (entry.first == id)
                return &entry.second;
        return nullptr;
    }
    const void* const* findPointer (uint32_t id) const
    {
        for (const auto& entry : pointers)
            if (entry.first == id)
                return &entry.second;
        return nullptr;
    }
};

// One field-adding call of a component descriptor.
struct FieldRecord
{
    std::string kind;              // "AudioIn", "PrivateData", ...
    uint32_t field = 0;
    std::vector<int64_t> args;     // further numeric arguments, in call order
    std::string text;              // a name argument, if any
};

struct ProcessProcRecord
{
    bool native = true;
    const void* processProc = nullptr;
    const void* instanceInitProc = nullptr;
    const void* backgroundProc = nullptr;
    std::string dllFileName;       // offload-chip procedures only
    std::string processProcSymbol;
    PropertySnapshot properties;
    AAX_CTypeID procID = 0;
};

struct ComponentRecord
{
    std::vector<FieldRecord> fields;
    std::vector<ProcessProcRecord> processProcs;
    int clears = 0;
};

struct MeterRecord
{
    AAX_CTypeID id = 0;
    std::string name;
    PropertySnapshot properties;
};

struct EffectRecord
{
    std::string effectID;
    std::vector<std::string> names;
    std::vector<uint32_t> categories;
    std::vector<std::pair<uint32_t, std::string>> categoryBypassParameters;
    std::vector<std::pair<const void*, int32_t>> procPtrs;   // pointer, procedure id
    std::vector<std::pair<int32_t, std::string>> resources;
    std::vector<MeterRecord> meters;
    std::vector<ComponentRecord> components;
    std::vector<PropertySnapshot> properties;
    int controlMIDINodes = 0;
};

struct CollectionRecord
{
    std::vector<EffectRecord> effects;
    std::string manufacturerName;
    std::vector<std::string> packageNames;
    bool hasPackageVersion = false;
    uint32_t packageVersion = 0;
    std::vector<PropertySnapshot> properties;
};

struct TraceRecord
{
    int32_t priority = 0;
    std::string message;
};

struct AssertRecord
{
    std::string file;
    int32_t line = 0;
    std::string note;
    int32_t type = 0;
};

struct StackTraceRecord
{
    int32_t traceLevel = 0;
    int32_t stackTraceLevel = 0;
    std::string message;
};
} // namespace tarnello::host
