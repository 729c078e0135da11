// A GoogleTest fixture for native tests that start from a freshly loaded
// plug-in: built-in hotkeys, no host version, legacy key mode, no keys held,
// an empty stand-in registry, and a host with no batch file running. It
// fails a test that asked the host for an expansion with flags other than
// 1, and leaves the same state behind for the next test.
#pragma once

#include <gtest/gtest.h>

#include "fake_host.h"
#include "fake_os.h"
#include "hotkeys/hotkey_slots.h"
#include "plugin/plugin_state.h"

class PluginTest : public ::testing::Test {
protected:
    void SetUp() override { ResetPlugin(); }
    void TearDown() override {
        EXPECT_EQ(fake_host::ExpandCallsWithOtherFlags(), 0) << "the host expands only with flags 1";
        ResetPlugin();
    }

    static void ResetPlugin() {
        fake_host::Reset();
        fake_host::SetExpansion(u"%_batch", u"0");
        fake_os::Reset();
        tolvek::HotkeySlots = tolvek::DefaultHotkeys;
        tolvek::HostVersion = 0;
        tolvek::ExtendedKeyMode = false;
    }
};
