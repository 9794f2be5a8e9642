#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include "TestSupport.h"

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);

    // Every processor writes its settings file on construction; keep the real user's untouched.
    const testing_support::ScopedUserFolders userFolders;
    const juce::ScopedJuceInitialiser_GUI juce;

    return RUN_ALL_TESTS();
}
