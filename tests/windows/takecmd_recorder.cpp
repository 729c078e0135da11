// The TakeCmd.dll of the Wine tests: the recording stand-in of the host
// library, with the controls the test driver uses to script and read it.
#include "takecmd_recorder.h"

#include <windows.h>

#include "recording_host.h"

extern "C" {

void StandInReset() {
    host_side::ResetRecording(GetStdHandle(STD_ERROR_HANDLE));
}
void StandInSetExpansion(const char16_t* text, const char16_t* expansion) {
    host_side::SetRecordedExpansion(text, expansion);
}
const char16_t* StandInStandardOutput() {
    return host_side::RecordedStandardOutput();
}
const char16_t* StandInStandardError() {
    return host_side::RecordedStandardError();
}
int StandInClearEditLineCalls() {
    return host_side::RecordedClearEditLineCalls();
}
int StandInExpandCalls() {
    return host_side::RecordedExpandCalls();
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}

}  // extern "C"
