#include <gtest/gtest.h>

#include <memory>

#include "tests/framework/FakeModule.h"
#include "framework/ModuleFactory.h"

TEST (ModuleFactory, CreatesRegisteredModulesByTypeId)
{
    ModuleFactory factory;
    EXPECT_FALSE (factory.isRegistered ("fake"));
    EXPECT_EQ (factory.create ("fake"), nullptr);

    factory.registerModule ("fake", FakeModule::creator (nullptr));
    EXPECT_TRUE (factory.isRegistered ("fake"));

    std::unique_ptr<ModuleProcessor> m (factory.create ("fake"));
    ASSERT_NE (m, nullptr);
    EXPECT_EQ (m->typeId, "fake");
    EXPECT_EQ (m->params.size(), 3);

    EXPECT_EQ (factory.create ("Fake"), nullptr); // ids are exact
    EXPECT_EQ (factory.create ("zeravoro"), nullptr);
    EXPECT_EQ (factory.create ({}), nullptr);
}

TEST (ModuleFactory, RegisteringAgainReplacesTheCreator)
{
    ModuleFactory factory;
    factory.registerModule ("fake", FakeModule::creator (nullptr));
    factory.registerModule ("fake", FakeModule::creator (nullptr, 4));
    EXPECT_EQ (factory.creators.size(), 1u);

    std::unique_ptr<ModuleProcessor> m (factory.create ("fake"));
    ASSERT_NE (m, nullptr);
    EXPECT_EQ (m->params.size(), 7);
}

TEST (ModuleFactory, CreatorsThatYieldNothingGiveNull)
{
    ModuleFactory factory;
    factory.registerModule ("none", [] { return static_cast<ModuleProcessor*> (nullptr); });
    factory.registerModule ("empty", {});
    EXPECT_EQ (factory.create ("none"), nullptr);
    EXPECT_EQ (factory.create ("empty"), nullptr);
}
