#include "standalone/ZarnStartup.h"
#include "tests/standalone/StandaloneRig.h"

#include <gtest/gtest.h>

namespace
{
// The program's start-up, as its main function does it, with the default output in JACK.
class StandaloneEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        StandaloneRig::prepare (StandaloneRig::Output::jack);
        StandaloneRig::initialiseFramework();
        StandaloneRig::writeGuiResource();
        ZarnStartup::begin();
    }

    void TearDown() override
    {
        ZarnStartup::end();
        juce::shutdownJuce_GUI();
    }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment (new StandaloneEnvironment());
} // namespace
