#include "visible_desktop.h"

#include <windows.h>

namespace standin {
namespace {

constexpr int GUID_UNITS = 64;
constexpr int TEXT_UNITS = 512;

bool RunsUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Wine takes the Unix environment into the program's, so a display that
// Wine could open is named there.
bool IsSet(const wchar_t* variable) {
    wchar_t value[2];
    return GetEnvironmentVariableW(variable, value, 2) > 0;
}

// Where Wine's desktop could not open its display driver, Wine notes why
// under the desktop's video device, which the desktop window names.
std::u16string WineDisplayError() {
    const auto atom =
        static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropW(GetDesktopWindow(), L"__wine_display_device_guid")));
    wchar_t guid[GUID_UNITS];
    if (atom == 0 || GlobalGetAtomNameW(atom, guid, GUID_UNITS) == 0) return u"";
    const std::wstring path = L"System\\CurrentControlSet\\Control\\Video\\{" + std::wstring(guid) + L"}\\0000";
    wchar_t error[TEXT_UNITS];
    DWORD size = sizeof error;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, path.c_str(), L"DriverError", RRF_RT_REG_SZ, nullptr, error, &size) !=
        ERROR_SUCCESS) {
        return u"";
    }
    return std::u16string(reinterpret_cast<const char16_t*>(error));
}

}  // namespace

std::u16string WhyNoWindowCanBeSeen() {
    USEROBJECTFLAGS flags{};
    if (GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags, nullptr) &&
        (flags.dwFlags & WSF_VISIBLE) == 0) {
        return u"the window station has no visible desktop";
    }
    if (!RunsUnderWine()) return u"";
    if (!IsSet(L"DISPLAY") && !IsSet(L"WAYLAND_DISPLAY")) return u"Wine has no display here (DISPLAY is not set)";
    const std::u16string error = WineDisplayError();
    return error.empty() ? u"" : u"Wine could not open a display: \"" + error + u"\"";
}

}  // namespace standin
