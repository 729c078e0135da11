// A GoogleTest fixture for native tests of the modules below src/plugin/,
// which keep no state of their own: the stand-ins of the host and of
// Windows start afresh (nothing printed, no batch file running, no keys
// held, an empty registry) and are left that way for the next test. It
// fails a test that asked the host for an expansion with flags other
// than 1.
#pragma once

#include <gtest/gtest.h>

#include "fake_host.h"
#include "fake_os.h"

class StandInTest : public ::testing::Test {
protected:
    void SetUp() override { ResetStandIns(); }
    void TearDown() override {
        EXPECT_EQ(fake_host::ExpandCallsWithOtherFlags(), 0) << "the host expands only with flags 1";
        ResetStandIns();
    }

    static void ResetStandIns() {
        fake_host::Reset();
        fake_host::SetExpansion(u"%_batch", u"0");
        fake_os::Reset();
    }
};
