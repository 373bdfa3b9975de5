#include "aax/CACFUnknown.h"
#include "aax/acf/AAXIDs.h"

#include <gtest/gtest.h>

namespace
{
// A component object the way derived plug-in objects are written: one
// host-visible interface, forwarded to the controlling unknown.
class TestObject : public IACFPluginDefinition, public CACFUnknown
{
public:
    ACF_FORWARD_UNKNOWN_TO_OUTER

    explicit TestObject (bool* destroyed = nullptr) : mDestroyed (destroyed) {}
    ~TestObject() override
    {
        if (mDestroyed != nullptr)
            *mDestroyed = true;
    }

    ACFRESULT InternalQueryInterface (const acfIID& iid, void** out) override
    {
        if (out != nullptr && iid == IID_IACFPluginDefinition)
        {
            *out = static_cast<IACFPluginDefinition*> (this);
            AddRef();
            return ACF_OK;
        }
        return CACFUnknown::InternalQueryInterface (iid, out);
    }

    void FinalRelease() override { ++finalReleases; }
    int finalReleases = 0;

private:
    bool* mDestroyed;
};

TEST (CACFUnknown, LiveObjectCountFollowsConstructionAndDestruction)
{
    const int32_t before = CACFUnknown::ActiveObjects();
    {
        CACFUnknown a;
        CACFUnknown b;
        EXPECT_EQ (CACFUnknown::ActiveObjects(), before + 2);
    }
    EXPECT_EQ (CACFUnknown::ActiveObjects(), before);
}

TEST (CACFUnknown, BareObjectAnswersOnlyTheBaseInterface)
{
    CACFUnknown object;
    EXPECT_EQ (object.ReferenceCount(), 0u);
    EXPECT_EQ (object.GetOuterUnknown(), object.GetPrivateUnknown());

    void* out = reinterpret_cast<void*> (0x1);
    EXPECT_EQ (object.InternalQueryInterface (IID_IACFPluginDefinition, &out), ACF_E_NOINTERFACE);
    EXPECT_EQ (out, nullptr);

    // An id that differs from the base id in its last byte only is another id.
    acfIID almost = IID_IACFUnknown;
    almost.Data4[7] = 0x47;
    out = reinterpret_cast<void*> (0x1);
    EXPECT_EQ (object.InternalQueryInterface (almost, &out), ACF_E_NOINTERFACE);
    EXPECT_EQ (out, nullptr);

    EXPECT_EQ (object.InternalQueryInterface (IID_IACFUnknown, &out), ACF_OK);
    EXPECT_EQ (out, object.GetPrivateUnknown());
    EXPECT_EQ (object.ReferenceCount(), 1u);
    EXPECT_EQ (object.InternalAddRef(), 2u);

    EXPECT_EQ (object.InternalQueryInterface (IID_IACFUnknown, nullptr), ACF_E_POINTER);
}

TEST (CACFUnknown, FinalReleaseDestroysTheObject)
{
    const int32_t before = CACFUnknown::ActiveObjects();
    bool destroyed = false;
    auto* object = new TestObject (&destroyed);
    IACFUnknown* inner = object->GetPrivateUnknown();

    EXPECT_EQ (inner->AddRef(), 1u);   // the host's first reference
    void* out = nullptr;
    ASSERT_EQ (inner->QueryInterface (IID_IACFPluginDefinition, &out), ACF_OK);
    auto* definition = static_cast<IACFPluginDefinition*> (out);
    EXPECT_EQ (definition, static_cast<IACFPluginDefinition*> (object));
    EXPECT_EQ (object->ReferenceCount(), 2u);

    // The public face forwards to the same count.
    EXPECT_EQ (definition->AddRef(), 3u);
    EXPECT_EQ (definition->Release(), 2u);
    EXPECT_EQ (definition->Release(), 1u);
    EXPECT_FALSE (destroyed);
    EXPECT_EQ (CACFUnknown::ActiveObjects(), before + 1);

    EXPECT_EQ (inner->Release(), 0u);
    EXPECT_TRUE (destroyed);
    EXPECT_EQ (CACFUnknown::ActiveObjects(), before);
}

TEST (CACFUnknown, BaseIdHandsOutTheInnerUnknownFromTheDerivedObject)
{
    auto* object = new TestObject();
    void* out = nullptr;
    ASSERT_EQ (static_cast<IACFPluginDefinition*> (object)->QueryInterface (IID_IACFUnknown, &out), ACF_OK);
    EXPECT_EQ (out, object->GetPrivateUnknown());
    EXPECT_EQ (static_cast<IACFUnknown*> (out)->Release(), 0u);
}
} // namespace
