// The stand-in bundle's processor: the stub, so that the layer can be loaded and
// driven through its exports whatever state the product is in.
#include "tests/support/StubProcessor.h"

juce::AudioProcessor* createPluginFilter()
{
    return new tarnello::test::StubProcessor();
}
