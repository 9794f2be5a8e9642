#include <gtest/gtest.h>

#include "TestSupport.h"
#include "editor/PluginEditor.h"

#include <memory>

namespace
{
class PluginEditorTest : public ::testing::Test
{
protected:
    juce::File settingsFile() const { return juce::File (processor.setting.getFilePath()); }
    void storeSettings (const juce::String& text) { settingsFile().replaceWithText (text); }
    juce::var storedScale() const { return juce::JSON::parse (settingsFile()).getProperty ("uiScale", {}); }

    testing_support::ScopedUserFolders folders;
    WkrPlexa2AudioProcessor processor;
};

TEST_F (PluginEditorTest, OpensAtTheDesignSizeWithoutAUsableScale)
{
    for (const auto* text : { "", "not json", "[1.5]", "{\"other\":2}", "{\"uiScale\":0}", "{\"uiScale\":-1}",
                              "{\"uiScale\":\"big\"}", "{\"uiScale\":null}", "{\"uiScale\":1e30}" })
    {
        storeSettings (text);
        WkrPlexa2AudioProcessorEditor editor (processor);
        EXPECT_EQ (editor.getWidth(), 602) << text;
        EXPECT_EQ (editor.getHeight(), 444) << text;
        EXPECT_FLOAT_EQ (editor.scale, 1.0f) << text;
    }

    settingsFile().deleteFile();
    WkrPlexa2AudioProcessorEditor editor (processor);
    EXPECT_EQ (editor.getWidth(), 602);
}

TEST_F (PluginEditorTest, StoredScaleSizesTheWindowAndComesBackFromItsWidth)
{
    storeSettings ("{\"uiScale\":1.234}");
    {
        WkrPlexa2AudioProcessorEditor editor (processor);
        EXPECT_EQ (editor.getWidth(), 742);
        EXPECT_EQ (editor.getHeight(), 547);
        EXPECT_FLOAT_EQ (editor.scale, 742.0f / 602.0f);
        EXPECT_TRUE (processor.isEditorOpen.load());
    }
    EXPECT_FALSE (processor.isEditorOpen.load());
    EXPECT_DOUBLE_EQ ((double) storedScale(), 1.2325581312179565);

    storeSettings ("{\"uiScale\":2.0}");
    WkrPlexa2AudioProcessorEditor editor (processor);
    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (0, 0, 1204, 888));
}

TEST_F (PluginEditorTest, ATinyStoredScaleOpensAtTheMinimumSize)
{
    for (const auto* text : { "{\"uiScale\":0.001}", "{\"uiScale\":1e-30}", "{\"uiScale\":0.3}" })
    {
        storeSettings (text);
        WkrPlexa2AudioProcessorEditor editor (processor);
        EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (0, 0, 301, 222)) << text;
        EXPECT_FLOAT_EQ (editor.scale, 0.5f) << text;
    }

    storeSettings ("{\"uiScale\":0.75}");
    WkrPlexa2AudioProcessorEditor editor (processor);
    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (0, 0, 451, 333)) << "a factor above the minimum is kept";
}

TEST_F (PluginEditorTest, ContentStaysAtDesignSizeAndTakesTheScaleAtTheNextTick)
{
    WkrPlexa2AudioProcessorEditor editor (processor);
    EXPECT_EQ (editor.content.getParentComponent(), &editor);

    editor.setSize (301, 222);
    EXPECT_FLOAT_EQ (editor.scale, 0.5f);
    EXPECT_EQ (editor.content.getBounds(), juce::Rectangle<int> (0, 0, 602, 444));
    EXPECT_TRUE (editor.content.getTransform().isIdentity());

    editor.timerCallback();
    EXPECT_EQ (editor.content.getTransform().mat00, 0.5f);
    EXPECT_EQ (editor.content.getTransform().mat11, 0.5f);

    editor.setSize (0, 0); // a host that collapses the window leaves the last usable factor
    EXPECT_FLOAT_EQ (editor.scale, 0.5f);

    auto* constrainer = editor.getConstrainer();
    ASSERT_NE (constrainer, nullptr);
    EXPECT_DOUBLE_EQ (constrainer->getFixedAspectRatio(), 602.0 / 444.0);
    EXPECT_EQ (constrainer->getMinimumWidth(), 301);
    EXPECT_EQ (constrainer->getMinimumHeight(), 222);
}

TEST_F (PluginEditorTest, ControlsAreBoundToTheirParameters)
{
    WkrPlexa2AudioProcessorEditor editor (processor);

    editor.content.dialS1Input.setValue (12.0, juce::sendNotificationSync);
    EXPECT_FLOAT_EQ (processor.apvts.getRawParameterValue (my::ParamId::s1Input)->load(), 12.0f);

    processor.apvts.getParameter (my::ParamId::s2Shape)->setValueNotifyingHost (3.0f / 20.0f);
    EXPECT_EQ (editor.content.comboS2.getSelectedId(), 4);

    editor.content.buttonMasterPower.setToggleState (false, juce::sendNotificationSync);
    EXPECT_FLOAT_EQ (processor.apvts.getRawParameterValue (my::ParamId::masterOn)->load(), 0.0f);

    processor.isMasterOn = false;
    editor.timerCallback();
    EXPECT_FALSE (editor.content.dialMasterInput.isActive);
}

TEST_F (PluginEditorTest, ProcessorCreatesThisEditor)
{
    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
    EXPECT_NE (dynamic_cast<WkrPlexa2AudioProcessorEditor*> (editor.get()), nullptr);
    EXPECT_TRUE (processor.isEditorOpen.load());
    editor.reset();
    EXPECT_FALSE (processor.isEditorOpen.load());
}
} // namespace
