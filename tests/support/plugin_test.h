// A GoogleTest fixture for native tests that start from a freshly loaded
// plug-in: the stand-ins as StandInTest leaves them, and the plug-in's
// globals as loading sets them (built-in hotkeys, no host version, legacy
// key mode), set again after the test for the next one.
#pragma once

#include "hotkeys/hotkey_slots.h"
#include "plugin/plugin_state.h"
#include "stand_in_test.h"

class PluginTest : public StandInTest {
protected:
    void SetUp() override { ResetPlugin(); }
    void TearDown() override {
        StandInTest::TearDown();
        ResetPlugin();
    }

    static void ResetPlugin() {
        ResetStandIns();
        tolvek::HotkeySlots = tolvek::DefaultHotkeys;
        tolvek::HostVersion = 0;
        tolvek::ExtendedKeyMode = false;
    }
};
