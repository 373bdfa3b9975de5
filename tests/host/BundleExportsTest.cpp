// The built bundle as the host sees it: what it exports and what each export
// answers, with and without a host, through dlopen and dlsym.

#include "tests/host/BundleSupport.h"

#include "host/HostObject.h"
#include "host/StandInHost.h"

#include "aax/acf/AAXIDs.h"

#include <dlfcn.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace
{
using tarnello::host::Bundle;
using tarnello::host::HostObjectBase;
using tarnello::host::StandInHost;
using tarnello::test::standInBundle;

class BundleExports : public ::testing::Test
{
protected:
    void TearDown() override { bundle.shutdown (nullptr); }

    Bundle& bundle = standInBundle();
};

TEST (BundleLayout, LibraryLivesInsideTheBundleFolder)
{
    const std::string folder = TARNELLO_STANDIN_BUNDLE;
    EXPECT_EQ (Bundle::libraryPath (folder), folder + "/Contents/" TARNELLO_BUNDLE_ARCH "/TarnelloStandIn.so");
    EXPECT_EQ (Bundle::libraryPath (folder + "/"), folder + "/Contents/" TARNELLO_BUNDLE_ARCH "/TarnelloStandIn.so");
    EXPECT_EQ (Bundle::libraryPath ("/no/such/file.so"), "/no/such/file.so");

    std::string error;
    EXPECT_EQ (Bundle::load ("/no/such/Bundle.aaxplugin", error), nullptr);
    EXPECT_NE (error.find ("no bundle library"), std::string::npos);
}

TEST (BundleLayout, ExportsExactlyTheSevenEntryPoints)
{
    // The dynamic symbol table, as the host's loader sees it.
    const std::string command = "nm -D --defined-only '" + Bundle::libraryPath (TARNELLO_STANDIN_BUNDLE) + "'";
    std::unique_ptr<FILE, int (*) (FILE*)> pipe (popen (command.c_str(), "r"), &pclose);
    ASSERT_NE (pipe, nullptr);
    std::set<std::string> exported;
    char line[512];
    while (std::fgets (line, sizeof (line), pipe.get()) != nullptr)
    {
        char type = 0;
        char name[400] = {};
        if (std::sscanf (line, "%*s %c %399s", &type, name) == 2 && (type == 'T' || type == 'D' || type == 'B' || type == 'W'
                                                                      || type == 'V' || type == 'u' || type == 'R' || type == 'i'))
            exported.insert (name);
    }
    const std::set<std::string> expected (std::begin (kACFExportNames), std::end (kACFExportNames));
    EXPECT_EQ (exported, expected);

    auto& bundle = standInBundle();
    EXPECT_EQ (bundle.symbol ("createPluginFilter"), nullptr);
    EXPECT_EQ (bundle.symbol ("_Z18createPluginFilterv"), nullptr);
}

TEST_F (BundleExports, AnswerWithoutAHost)
{
    EXPECT_EQ (bundle.startup (nullptr), ACF_OK);

    IACFPluginDefinition* definition = reinterpret_cast<IACFPluginDefinition*> (0x1);
    EXPECT_EQ (bundle.registerPlugin (nullptr, &definition), -20004);
    EXPECT_EQ (definition, nullptr);
    EXPECT_EQ (bundle.registerPlugin (nullptr, nullptr), -20044);

    IACFComponentDefinition* component = reinterpret_cast<IACFComponentDefinition*> (0x1);
    EXPECT_EQ (bundle.registerComponent (nullptr, IID_IACFUnknown, &component), ACF_OK);
    EXPECT_EQ (component, nullptr);

    void* factory = reinterpret_cast<void*> (0x1);
    EXPECT_EQ (bundle.getClassFactory (nullptr, IID_IACFUnknown, IID_IACFComponentFactory, &factory), -20009);
    EXPECT_EQ (factory, nullptr);

    EXPECT_EQ (bundle.canUnloadNow (nullptr), 0);
    EXPECT_EQ (bundle.shutdown (nullptr), ACF_OK);

    acfUInt64 version = 0;
    EXPECT_EQ (bundle.getSDKVersion (&version), ACF_OK);
    EXPECT_EQ (version, 0x00000204013449E0ull);
    EXPECT_EQ (bundle.getSDKVersion (nullptr), -20044);
}

TEST_F (BundleExports, AnswerWithAHost)
{
    StandInHost host;
    const int liveBefore = HostObjectBase::liveObjects();
    EXPECT_EQ (bundle.startup (host.unknown()), ACF_OK);
    EXPECT_EQ (HostObjectBase::liveObjects(), liveBefore + 3);

    IACFPluginDefinition* definition = nullptr;
    EXPECT_EQ (bundle.registerPlugin (host.unknown(), &definition), ACF_OK);
    ASSERT_NE (definition, nullptr);
    EXPECT_TRUE (host.traces().empty());
    definition->Release();

    IACFComponentDefinition* component = reinterpret_cast<IACFComponentDefinition*> (0x1);
    EXPECT_EQ (bundle.registerComponent (host.unknown(), IID_IACFUnknown, &component), ACF_OK);
    EXPECT_EQ (component, nullptr);
    void* factory = reinterpret_cast<void*> (0x1);
    EXPECT_EQ (bundle.getClassFactory (host.unknown(), IID_IACFUnknown, IID_IACFComponentFactory, &factory), -20009);
    EXPECT_EQ (factory, nullptr);

    EXPECT_EQ (bundle.canUnloadNow (host.unknown()), 0);
    EXPECT_EQ (bundle.shutdown (host.unknown()), ACF_OK);
    EXPECT_EQ (bundle.canUnloadNow (host.unknown()), 0);
    // Everything the bundle took from the host has been given back.
    EXPECT_EQ (HostObjectBase::liveObjects(), liveBefore);
}

TEST_F (BundleExports, SecondStartupKeepsTheFirstHostsServices)
{
    StandInHost first;
    StandInHost second;
    second.config().omit (IID_IACFPluginDefinition);
    ASSERT_EQ (bundle.startup (first.unknown()), ACF_OK);
    ASSERT_EQ (bundle.startup (second.unknown()), ACF_OK);

    IACFPluginDefinition* definition = nullptr;
    EXPECT_EQ (bundle.registerPlugin (second.unknown(), &definition), -20004);
    EXPECT_EQ (first.traces().size(), 2u);
    EXPECT_TRUE (second.traces().empty());
}

TEST_F (BundleExports, ShutdownSilencesTraces)
{
    StandInHost host;
    ASSERT_EQ (bundle.startup (host.unknown()), ACF_OK);
    ASSERT_EQ (bundle.shutdown (host.unknown()), ACF_OK);

    host.config().omit (IID_IACFPluginDefinition);
    IACFPluginDefinition* definition = nullptr;
    EXPECT_EQ (bundle.registerPlugin (host.unknown(), &definition), -20004);
    EXPECT_TRUE (host.traces().empty());

    // A new start-up brings them back.
    ASSERT_EQ (bundle.startup (host.unknown()), ACF_OK);
    EXPECT_EQ (bundle.registerPlugin (host.unknown(), &definition), -20004);
    EXPECT_EQ (host.traces().size(), 2u);
}

TEST_F (BundleExports, StartupWithNullFactoryLeavesNoServices)
{
    StandInHost host;
    host.config().nullFactoryOnSuccess = true;
    EXPECT_EQ (static_cast<uint32_t> (bundle.startup (host.unknown())), 0x8000FFFFu);

    host.config().nullFactoryOnSuccess = false;
    host.config().omit (IID_IACFPluginDefinition);
    IACFPluginDefinition* definition = nullptr;
    EXPECT_EQ (bundle.registerPlugin (host.unknown(), &definition), -20004);
    EXPECT_TRUE (host.traces().empty());
}

TEST_F (BundleExports, StartupWithoutFactoryKeepsAServicelessProxy)
{
    StandInHost host;
    host.config().omit (IID_IACFComponentFactory);
    EXPECT_EQ (bundle.startup (host.unknown()), ACF_OK);
    host.config().omittedInterfaces.clear();

    // The proxy stays as it was made: a later start-up does not fill it.
    EXPECT_EQ (bundle.startup (host.unknown()), ACF_OK);
    host.config().omit (IID_IACFPluginDefinition);
    IACFPluginDefinition* definition = nullptr;
    EXPECT_EQ (bundle.registerPlugin (host.unknown(), &definition), -20004);
    EXPECT_TRUE (host.traces().empty());
}

TEST (BundleLoading, LoadsAgainAfterUnloading)
{
    for (int round = 0; round < 2; ++round)
    {
        SCOPED_TRACE (round);
        std::string error;
        auto bundle = Bundle::load (TARNELLO_STANDIN_BUNDLE, error);
        ASSERT_NE (bundle, nullptr) << error;
        StandInHost host;
        ASSERT_EQ (bundle->startup (host.unknown()), ACF_OK);
        IACFPluginDefinition* definition = nullptr;
        ASSERT_EQ (bundle->registerPlugin (host.unknown(), &definition), ACF_OK);
        definition->Release();
        ASSERT_EQ (bundle->shutdown (host.unknown()), ACF_OK);
        ASSERT_EQ (bundle->canUnloadNow (host.unknown()), 0);
    }
}
} // namespace
