// The stand-in host's transport: the play position it reports in ticks follows
// the tempo, and a tempo no host should send still gives a defined answer.

#include "host/StandInHost.h"
#include "host/runtime/RuntimeObjects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
using tarnello::host::HostTransport;

TEST (HostTransport, TicksFollowTheTempoAndStayDefinedForAnyTempo)
{
    constexpr int64_t perQuarter = HostTransport::kTicksPerQuarter;
    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Case { double bpm; int64_t samples; int64_t ticks; };
    const Case cases[] = {
        { 120.0, 48000, 2 * perQuarter },       // one second: two quarters
        { 60.0, 48000, perQuarter },
        { 60.0, 24000, perQuarter / 2 },
        { 0.0, 48000, 0 },
        { std::nan (""), 48000, 0 },            // no number, no position
        { -60.0, 48000, -perQuarter },
        { inf, 48000, static_cast<int64_t> (9.2e18) }, // the end of the range, not a wrapped value
        { -inf, 48000, -static_cast<int64_t> (9.2e18) },
        { 1e300, 48000, static_cast<int64_t> (9.2e18) },
    };

    tarnello::host::StandInHost host;
    auto* transport = new HostTransport (host);
    transport->AddRef();
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.bpm);
        transport->setTempo (c.bpm);
        transport->setSamplePosition (c.samples, 48000.0);

        int64_t ticks = 12345;
        EXPECT_EQ (transport->GetCurrentTickPosition (&ticks), ACF_OK);
        EXPECT_EQ (ticks, c.ticks);
        ticks = 12345;
        EXPECT_EQ (transport->GetCustomTickPosition (&ticks, c.samples), ACF_OK);
        EXPECT_EQ (ticks, c.ticks);

        int32_t bars = -1, beats = -1;
        int64_t displayTicks = -1;
        EXPECT_EQ (transport->GetBarBeatPosition (&bars, &beats, &displayTicks, c.samples), ACF_OK);
        double tempo = 0.0;
        EXPECT_EQ (transport->GetCurrentTempo (&tempo), ACF_OK);
        EXPECT_TRUE (tempo == c.bpm || (std::isnan (tempo) && std::isnan (c.bpm)));
    }
    transport->Release();
}
} // namespace
