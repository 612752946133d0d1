#include "standalone/ZarnStartup.h"
#include "tests/standalone/StandaloneFixtures.h"
#include "tests/standalone/StandaloneRig.h"

#include <gtest/gtest.h>

#include <memory>

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
        startup = std::make_unique<ZarnStartup>();
    }

    void TearDown() override
    {
        startup = nullptr;
        juce::shutdownJuce_GUI();
    }

    std::unique_ptr<ZarnStartup> startup;
};

auto* const environment = static_cast<StandaloneEnvironment*> (::testing::AddGlobalTestEnvironment (new StandaloneEnvironment()));
} // namespace

ZarnStartup& programStartup()
{
    return *environment->startup;
}
