#include "fake_host.h"

#include "fake_os.h"
#include "recording_host.h"

namespace fake_host {

void Reset() {
    host_side::ResetRecording(fake_os::STANDARD_ERROR_HANDLE);
}
void SetExpansion(const char16_t* text, const char16_t* expansion) {
    host_side::SetRecordedExpansion(text, expansion);
}
void SetBufferFill(const char16_t* text, char16_t unit, std::size_t units) {
    host_side::SetRecordedBufferFill(text, unit, units);
}
std::u16string StandardOutput() {
    return host_side::RecordedStandardOutput();
}
std::u16string StandardError() {
    return host_side::RecordedStandardError();
}
int ExpandCalls() {
    return host_side::RecordedExpandCalls();
}
int ExpandCallsWithOtherFlags() {
    return host_side::RecordedExpandCallsWithOtherFlags();
}
int ClearEditLineCalls() {
    return host_side::RecordedClearEditLineCalls();
}
int QprintfOnOtherHandles() {
    return host_side::RecordedQprintfOnOtherHandles();
}

}  // namespace fake_host
