#include "tests/aax/RuntimeTestSupport.h"

#include <cstring>

namespace
{
using namespace tarnello::test;

// Records every post, and answers each field with a chosen code.
class PostingController : public AAX_VController
{
public:
    PostingController() : AAX_VController (nullptr) {}

    AAX_Result PostPacket (AAX_CFieldIndex field, const void* payload, uint32_t size) override
    {
        const auto* bytes = static_cast<const uint8_t*> (payload);
        posts.push_back ({ field, std::vector<uint8_t> (bytes, bytes + size) });
        const auto answer = answers.find (field);
        return answer != answers.end() ? answer->second : AAX_SUCCESS;
    }

    float floatPosted (size_t index) const
    {
        float value = 0.0f;
        EXPECT_EQ (posts.at (index).payload.size(), sizeof (float));
        std::memcpy (&value, posts.at (index).payload.data(), sizeof (float));
        return value;
    }

    std::vector<tarnello::host::PostedPacket> posts;
    std::map<AAX_CFieldIndex, AAX_Result> answers;
};

class PacketDispatcher : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* id : { "a", "b", "c" })
            effect.addParameter (new FloatParameter (id, AAX_CString (id), 0.0f, LinearTaper(), NumberDisplay()));
        dispatcher.Initialize (&controller, &effect);
    }

    void update (const char* id, double value)
    {
        AAX_IParameter* parameter = nullptr;
        ASSERT_EQ (effect.GetParameter (id, &parameter), AAX_SUCCESS);
        parameter->UpdateNormalizedValue (value);
        dispatcher.MarkPacketsDirty (id);
    }

    TestEffect effect { 0, false };
    PostingController controller;
    AAX_CPacketDispatcher dispatcher;
};

TEST_F (PacketDispatcher, PostsANewPacketOnceAndThenOnlyAfterAChange)
{
    dispatcher.RegisterPacket ("a", 3);
    EXPECT_EQ (dispatcher.PostDirtyPackets(), AAX_SUCCESS);
    ASSERT_EQ (controller.posts.size(), 1u);
    EXPECT_EQ (controller.posts[0].field, 3u);
    EXPECT_EQ (controller.floatPosted (0), 0.0f);

    EXPECT_EQ (dispatcher.PostDirtyPackets(), AAX_SUCCESS);
    EXPECT_EQ (controller.posts.size(), 1u);

    update ("b", 1.0); // no packet of its own
    dispatcher.PostDirtyPackets();
    EXPECT_EQ (controller.posts.size(), 1u);

    update ("a", 0.25);
    update ("a", 1.0);
    dispatcher.PostDirtyPackets();
    ASSERT_EQ (controller.posts.size(), 2u);
    EXPECT_EQ (controller.floatPosted (1), 1.0f);
}

TEST_F (PacketDispatcher, PostsInParameterIdOrderAndAnswersTheLastPost)
{
    dispatcher.RegisterPacket ("c", 7);
    dispatcher.RegisterPacket ("a", 5);
    dispatcher.RegisterPacket ("b", 6);
    controller.answers = { { 5, AAX_ERROR_POST_PACKET_FAILED }, { 6, AAX_ERROR_FIFO_FULL }, { 7, AAX_SUCCESS } };

    EXPECT_EQ (dispatcher.PostDirtyPackets(), AAX_SUCCESS);
    ASSERT_EQ (controller.posts.size(), 3u);
    EXPECT_EQ (controller.posts[0].field, 5u);
    EXPECT_EQ (controller.posts[1].field, 6u);
    EXPECT_EQ (controller.posts[2].field, 7u);

    update ("a", 0.5);
    EXPECT_EQ (dispatcher.PostDirtyPackets(), AAX_ERROR_POST_PACKET_FAILED);
}

TEST_F (PacketDispatcher, PostsAPacketFedByTwoIdsOncePerPass)
{
    dispatcher.RegisterPacket ("a", 4);
    dispatcher.RegisterPacket ("b", 4);
    dispatcher.PostDirtyPackets();
    update ("a", 0.5);
    update ("b", 0.75);
    dispatcher.PostDirtyPackets();
    ASSERT_EQ (controller.posts.size(), 2u);
    EXPECT_EQ (controller.floatPosted (1), 0.5f); // "a" comes first and clears the flag
}

// A handler that fails, and one that calls back into the dispatcher under its lock.
class Handlers
{
public:
    explicit Handlers (AAX_CPacketDispatcher& dispatcher) : mDispatcher (dispatcher) {}

    AAX_Result fail (AAX_CPacket&) { ++calls; return AAX_ERROR_NULL_OBJECT; }
    AAX_Result reenter (AAX_CParamID id, AAX_CPacket& packet)
    {
        ++calls;
        mDispatcher.MarkPacketsDirty (id);
        packet.SetPayload<int32_t> (7);
        return AAX_SUCCESS;
    }

    int calls = 0;

private:
    AAX_CPacketDispatcher& mDispatcher;
};

TEST_F (PacketDispatcher, AFailingHandlerPostsNothingAndIsNotRetried)
{
    Handlers handlers (dispatcher);
    dispatcher.AddPacket ("a", 2, AAX_CPacketHandler<Handlers> (&handlers, &Handlers::fail));
    EXPECT_EQ (dispatcher.PostDirtyPackets(), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.PostDirtyPackets(), AAX_SUCCESS);
    EXPECT_EQ (handlers.calls, 1);
    EXPECT_TRUE (controller.posts.empty());

    const AAX_CPacketHandler<Handlers> empty (nullptr, &Handlers::fail);
    AAX_CPacket packet (1);
    EXPECT_EQ (empty.Call ("a", packet), AAX_ERROR_NULL_OBJECT);
}

TEST_F (PacketDispatcher, AHandlerMayCallBackInOnTheSameThread)
{
    Handlers handlers (dispatcher);
    dispatcher.AddPacket ("a", 2, AAX_CPacketHandler<Handlers> (&handlers, &Handlers::reenter));
    EXPECT_EQ (dispatcher.PostDirtyPackets(), AAX_SUCCESS);
    EXPECT_EQ (handlers.calls, 1);
    ASSERT_EQ (controller.posts.size(), 1u);
    EXPECT_EQ (controller.posts[0].payload, (std::vector<uint8_t> { 7, 0, 0, 0 }));

    // The lock is free again for the next caller.
    AAX_COwnerAwareMutex::ScopedLock outer (dispatcher.GetLock());
    AAX_COwnerAwareMutex::ScopedLock inner (dispatcher.GetLock());
    EXPECT_EQ (dispatcher.MarkPacketsDirty ("a"), AAX_SUCCESS);
}

TEST_F (PacketDispatcher, SendsNothingForAParameterThatIsNotThere)
{
    dispatcher.RegisterPacket ("gone", 2);
    EXPECT_EQ (dispatcher.PostDirtyPackets(), AAX_SUCCESS);
    EXPECT_TRUE (controller.posts.empty());

    AAX_CPacket packet (2);
    EXPECT_EQ (dispatcher.GenerateSingleValuePacket ("gone", packet), AAX_ERROR_NULL_OBJECT);
    EXPECT_THROW (packet.Data().Get (0), std::out_of_range);
}

TEST (PacketData, GrowsWithZerosAndKeepsItsLeadingBytes)
{
    AAX_CPacket::SPacketData data;
    auto* bytes = static_cast<uint8_t*> (data.Get (2));
    bytes[0] = 9;
    bytes[1] = 8;
    bytes = static_cast<uint8_t*> (data.Get (4));
    EXPECT_EQ (std::vector<uint8_t> (bytes, bytes + 4), (std::vector<uint8_t> { 9, 8, 0, 0 }));
}
} // namespace
