// For test programs that need the framework's GUI but no application: it lives for the whole
// program, on the main thread where the tests run.
#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
class JuceGuiEnvironment : public ::testing::Environment
{
public:
    void SetUp() override    { juce::initialiseJuce_GUI(); }
    void TearDown() override { juce::shutdownJuce_GUI(); }
};

const auto* const juceEnvironment = ::testing::AddGlobalTestEnvironment (new JuceGuiEnvironment);
} // namespace
