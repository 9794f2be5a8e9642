#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include "TestSupport.h"

#include <X11/Xlib.h>

namespace
{
// The framework names window properties by atoms that a window manager creates; a virtual display
// without one lacks them, and opening a window then fails. The atoms live while a client stays
// connected, so the connection stays open for the whole run.
Display* createWindowManagerAtoms()
{
    auto* display = XOpenDisplay (nullptr);
    if (display != nullptr)
        for (const char* name :
             { "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING", "WM_CHANGE_STATE", "WM_STATE",
               "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE", "_NET_WM_STATE_HIDDEN" })
            XInternAtom (display, name, False);
    return display;
}
} // namespace

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);

    // The hosted plug-ins write their settings files too; keep the real user's untouched.
    const testing_support::ScopedUserFolders userFolders;
    auto* display = createWindowManagerAtoms();
    int result = 0;
    {
        const juce::ScopedJuceInitialiser_GUI juce;
        result = RUN_ALL_TESTS();
    }
    if (display != nullptr)
        XCloseDisplay (display);
    return result;
}
