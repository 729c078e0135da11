// The error prefix, with and without a batch file running.
#include <gtest/gtest.h>

#include "fake_host.h"
#include "fake_os.h"
#include "host/error_prefix.h"

using namespace tolvek;

namespace {

TEST(ErrorPrefixTest, AddsTheBatchPositionOnlyWhileABatchFileRuns) {
    constexpr char16_t POSITION[] = u"%_batchname [%_batchline]  ";
    struct Row {
        const char16_t* batch;
        const char16_t* position;
        const char16_t* written;
        int expansions;
    };
    const Row rows[] = {
        {u"0", u"x.btm [1]  ", u"Tolvek plugin: ", 1},
        {u"0 and more", u"x.btm [1]  ", u"Tolvek plugin: ", 1},
        {u"1", u"C:\\jobs\\x.btm [12]  ", u"Tolvek plugin: C:\\jobs\\x.btm [12]  ", 2},
        {u"2", u"C:\\50%%off.btm [3]  ", u"Tolvek plugin: C:\\50%%off.btm [3]  ", 2},
        {u"1", u"C:\\a%s%d.cmd [4]  ", u"Tolvek plugin: C:\\a%s%d.cmd [4]  ", 2},
        {u"", u"y.cmd [7]  ", u"Tolvek plugin: y.cmd [7]  ", 2},
        {u" 0", u"z.bat [2]  ", u"Tolvek plugin: z.bat [2]  ", 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(host_side::Narrow(row.batch) + " / " + host_side::Narrow(row.position));
        fake_host::Reset();
        fake_os::Reset();
        fake_host::SetExpansion(u"%_batch", row.batch);
        fake_host::SetExpansion(POSITION, row.position);
        PrintErrorPrefix();
        EXPECT_EQ(fake_host::StandardError(), row.written);
        EXPECT_EQ(fake_host::ExpandCalls(), row.expansions);
        EXPECT_EQ(fake_host::QprintfOnOtherHandles(), 0);
        EXPECT_EQ(fake_host::StandardOutput(), u"");
    }
}

// The host may fill the whole 8192-unit buffer with the batch position and
// leave no terminator: the prefix still ends inside the buffer.
TEST(ErrorPrefixTest, ABatchPositionThatFillsTheBufferIsCut) {
    fake_host::Reset();
    fake_os::Reset();
    fake_host::SetExpansion(u"%_batch", u"1");
    fake_host::SetBufferFill(u"%_batchname [%_batchline]  ", u'x', 8192);
    PrintErrorPrefix();
    EXPECT_EQ(fake_host::StandardError(), u"Tolvek plugin: " + std::u16string(8191, u'x'));
}

}  // namespace
