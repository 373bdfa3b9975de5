#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "tests/framework/FakeModule.h"
#include "framework/ModuleFactory.h"
#include "framework/ReleasePool.h"

namespace
{
// Records its own destruction into a shared log.
struct Tracked
{
    Tracked (std::vector<int>& l, int i) : log (l), id (i) {}
    ~Tracked() { log.push_back (id); }
    std::vector<int>& log;
    int id;
};
} // namespace

TEST (ReleasePool, EmptyTickDoesNothing)
{
    ReleasePool pool;
    pool.timerCallback();
    EXPECT_EQ (pool.size(), 0u);
}

TEST (ReleasePool, FreesAnObjectOnlyOnATickWhereItIsTheLastOwner)
{
    std::vector<int> destroyed;
    ReleasePool pool;

    auto shared = std::make_shared<Tracked> (destroyed, 1);
    pool.add (shared);
    pool.add (std::make_shared<Tracked> (destroyed, 2)); // only the pool holds it
    EXPECT_TRUE (destroyed.empty()); // adding frees nothing

    pool.timerCallback();
    EXPECT_EQ (destroyed, (std::vector<int> { 2 }));
    EXPECT_EQ (pool.size(), 1u);

    pool.timerCallback();
    EXPECT_EQ (destroyed.size(), 1u); // still co-owned

    shared.reset();
    EXPECT_EQ (destroyed.size(), 1u); // letting go alone doesn't destroy it
    pool.timerCallback();
    EXPECT_EQ (destroyed, (std::vector<int> { 2, 1 }));
    EXPECT_EQ (pool.size(), 0u);
}

TEST (ReleasePool, DropsEmptyEntriesAndKeepsTheOrderOfTheRest)
{
    std::vector<int> destroyed;
    ReleasePool pool;
    auto a = std::make_shared<Tracked> (destroyed, 1);
    auto b = std::make_shared<Tracked> (destroyed, 2);
    auto c = std::make_shared<Tracked> (destroyed, 3);
    pool.add (a);
    pool.add (nullptr);
    pool.add (b);
    pool.add (c);

    b.reset();
    pool.timerCallback();
    EXPECT_EQ (pool.size(), 2u);
    EXPECT_EQ (destroyed, (std::vector<int> { 2 }));

    c.reset();
    pool.timerCallback();
    a.reset();
    pool.timerCallback();
    EXPECT_EQ (destroyed, (std::vector<int> { 2, 3, 1 }));
}

TEST (ReleasePool, DestroysOutsideItsLock)
{
    // A retired object whose destruction reaches the pool again (here: retiring
    // something else) would deadlock if it died under the pool's mutex.
    ReleasePool pool;
    std::vector<int> destroyed;

    struct Retiring
    {
        Retiring (ReleasePool& p, std::vector<int>& l) : pool (p), log (l) {}
        ~Retiring()
        {
            pool.add (std::make_shared<Tracked> (log, 7));
            log.push_back ((int) pool.size());
        }
        ReleasePool& pool;
        std::vector<int>& log;
    };

    pool.add (std::make_shared<Retiring> (pool, destroyed));
    pool.timerCallback();
    EXPECT_EQ (destroyed, (std::vector<int> { 1 }));
    pool.timerCallback();
    EXPECT_EQ (destroyed, (std::vector<int> { 1, 7 }));
    EXPECT_EQ (pool.size(), 0u);
}

TEST (ReleasePool, DestructionFreesWhatOnlyThePoolHolds)
{
    std::vector<int> destroyed;
    auto kept = std::make_shared<Tracked> (destroyed, 1);
    {
        ReleasePool pool;
        pool.startTimer (5000);
        pool.add (kept);
        pool.add (std::make_shared<Tracked> (destroyed, 2));
        pool.add (std::make_shared<Tracked> (destroyed, 3));
    }
    std::sort (destroyed.begin(), destroyed.end());
    EXPECT_EQ (destroyed, (std::vector<int> { 2, 3 }));
    EXPECT_EQ (kept.use_count(), 1); // the pool let go of its reference
}

TEST (ReleasePool, RemovedModuleHeldByAHostParameterSurvivesUntilItIsLetGo)
{
    tarnello::test::FakeHost processor;
    ModuleFactory factory;
    factory.registerModule ("fake", FakeModule::creator (nullptr));

    std::shared_ptr<ModuleProcessor> module (factory.create ("fake"));
    std::weak_ptr<ModuleProcessor> watch = module;
    factory.releasePool.add (module);
    processor.host (0).bind (module, module->getParam ("Gain"));

    module.reset(); // removed from the rack
    factory.releasePool.timerCallback();
    EXPECT_FALSE (watch.expired()); // the host parameter still holds it

    processor.host (0).unbind();
    EXPECT_FALSE (watch.expired()); // only the pool now, until its next tick
    factory.releasePool.timerCallback();
    EXPECT_TRUE (watch.expired());
}
