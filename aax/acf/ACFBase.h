// Our own stand-in for the host application's component-model definitions.
// The host is a closed application that does not exist on this machine; the
// plug-in and the stand-in host in host/ both compile against these headers,
// so the values and layouts here only need to agree between the two.
#pragma once

#include <cstdint>

using ACFRESULT  = int32_t;
using acfUInt32  = uint32_t;
using acfSInt32  = int32_t;
using acfUInt64  = uint64_t;
using acfSInt64  = int64_t;

// A 128-bit interface, component or feature id.
struct acfIID
{
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t  Data4[8];
};
using acfUID   = acfIID;
using acfCLSID = acfIID;

// Field-by-field comparison: the padding between the fields is never read.
inline bool operator== (const acfIID& a, const acfIID& b) noexcept
{
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
        return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i])
            return false;
    return true;
}
inline bool operator!= (const acfIID& a, const acfIID& b) noexcept { return ! (a == b); }

inline bool operator< (const acfIID& a, const acfIID& b) noexcept
{
    if (a.Data1 != b.Data1) return a.Data1 < b.Data1;
    if (a.Data2 != b.Data2) return a.Data2 < b.Data2;
    if (a.Data3 != b.Data3) return a.Data3 < b.Data3;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i])
            return a.Data4[i] < b.Data4[i];
    return false;
}

// Component-model result codes. A negative code is a failure.
constexpr ACFRESULT ACF_OK              = 0;
constexpr ACFRESULT ACF_E_NOINTERFACE   = static_cast<ACFRESULT> (0x80000004u);
constexpr ACFRESULT ACF_E_POINTER       = static_cast<ACFRESULT> (0x80000005u);
constexpr ACFRESULT ACF_E_UNEXPECTED    = static_cast<ACFRESULT> (0x8000FFFFu);
constexpr ACFRESULT ACF_E_FAIL          = static_cast<ACFRESULT> (0x80004005u);
constexpr ACFRESULT ACF_E_CLASSNOTREG   = static_cast<ACFRESULT> (0x80040154u);

inline bool ACFFAILED (ACFRESULT r) noexcept    { return r < 0; }
inline bool ACFSUCCEEDED (ACFRESULT r) noexcept { return r >= 0; }

// The base interface of every host and plug-in object: three slots in this order.
class IACFUnknown
{
public:
    virtual ACFRESULT QueryInterface (const acfIID& iid, void** outInterface) = 0;
    virtual acfUInt32 AddRef() = 0;
    virtual acfUInt32 Release() = 0;

protected:
    ~IACFUnknown() = default;
};

// Creates new host objects by component id.
class IACFComponentFactory : public IACFUnknown
{
public:
    virtual ACFRESULT CreateInstance (const acfCLSID& componentID, IACFUnknown* outer,
                                      const acfIID& iid, void** outInterface) = 0;

protected:
    ~IACFComponentFactory() = default;
};

// The host's record of a registered plug-in, handed out by the collection.
class IACFPluginDefinition : public IACFUnknown
{
protected:
    ~IACFPluginDefinition() = default;
};

// The host's record of a registered component (ACFRegisterComponent).
class IACFComponentDefinition : public IACFUnknown
{
protected:
    ~IACFComponentDefinition() = default;
};

// The host's own definition object, reachable from the host unknown.
class IACFDefinition : public IACFUnknown
{
protected:
    ~IACFDefinition() = default;
};

// The base interface id: its value is fixed by the component model.
inline constexpr acfIID IID_IACFUnknown = { 0x00000000, 0x0000, 0x0000, { 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46 } };
