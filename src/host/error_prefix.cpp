#include "host/error_prefix.h"

#include <cstddef>

#include "host/host_api.h"
#include "host/plugin_identity.h"
#include "os/os.h"
#include "text/text.h"

namespace tolvek {

namespace {

// The host may write a long batch file path into this buffer.
constexpr std::size_t BATCH_BUFFER_UNITS = 8192;

}  // namespace

void PrintErrorPrefix() {
    Qprintf(os::StandardErrorHandle(), u"%s plugin: ", PLUGIN_NAME);

    char16_t buffer[BATCH_BUFFER_UNITS];
    FillBuffer(buffer, BATCH_BUFFER_UNITS, u"%_batch");
    ExpandVariables(buffer, 1);
    // "0" means no batch file is running; the batch nesting depth otherwise.
    if (buffer[0] == u'0') return;

    FillBuffer(buffer, BATCH_BUFFER_UNITS, u"%_batchname [%_batchline]  ");
    ExpandVariables(buffer, 1);
    buffer[BATCH_BUFFER_UNITS - 1] = u'\0';
    Qprintf(os::StandardErrorHandle(), u"%s", buffer);
}

}  // namespace tolvek
