#include "release/windows_imports.h"

namespace release_tests {

namespace {
// The "Requirements" of each function in the Platform SDK documentation of the Windows
// XP era (MSDN Library, 2001-2003), which still named Windows 95 and NT.
const char kSdk95NT31[] =
    "Platform SDK: Windows 95/98/Me: included in Windows 95 and later; "
    "Windows NT/2000/XP: included in Windows NT 3.1 and later";
const char kSdk95NT35[] =
    "Platform SDK: Windows 95/98/Me: included in Windows 95 and later; "
    "Windows NT/2000/XP: included in Windows NT 3.5 and later";
const char kSdkStub9x[] =
    "Platform SDK: Windows NT/2000/XP: included in Windows NT 3.1 and later; "
    "Windows 95/98/Me: unsupported (exported, fails with ERROR_CALL_NOT_IMPLEMENTED)";
const char kShlwapi471[] =
    "MSDN: SHLWAPI.DLL version 4.71 or later, that of Internet Explorer 4.0, which Windows 98 "
    "and 2000 include and Windows 95 and NT 4.0 get with it";
// msvcrt.dll comes with Windows NT 4.0 (version 4.20) and Windows 98; Windows 95 gets it
// with Internet Explorer 4.0, which the program needs there anyway.
const char kCrt[] =
    "Visual C++ 6.0 run-time library reference: compatibility ANSI, Win 95, Win NT; "
    "exported by msvcrt.dll since version 4.20";
const char kCrtStartup[] =
    "msvcrt.dll's start-up interface, used by every program built with Visual C++ 4.2 to 6.0; "
    "exported since version 4.20";

// Why the stubs of Windows 9x do no harm.
const char kLibgccMutex[] =
    "libgcc's mutexes create a semaphore that they wait on only when a second thread "
    "contends for them; the program runs on one thread, so the failed creation is never seen";
const char kMsvcrtProbe[] =
    "the runtime looks through it for msvcrt.dll's ___lc_codepage_func (told nothing, it "
    "takes the code page from setlocale's \"C\" locale, the same 0 that msvcrt.dll would "
    "give) and for rand_s's fallback, which the program never calls";
const char kRandS[] =
    "used only by rand_s, which the program never calls";
const char kShutdownPrivilege[] =
    "called only to enable the shutdown privilege on Windows 2000 and later";

constexpr On9x kWorks = {false, nullptr};
constexpr On9x Stub(const char* harmless) { return {true, harmless}; }
}  // namespace

const WindowsImport kWindowsImports[] = {
    {"ADVAPI32.dll", "AdjustTokenPrivileges", Since9x::Win95, SinceNT::NT31, kSdkStub9x, Stub(kShutdownPrivilege)},
    {"ADVAPI32.dll", "LookupPrivilegeValueA", Since9x::Win95, SinceNT::NT31, kSdkStub9x, Stub(kShutdownPrivilege)},
    {"ADVAPI32.dll", "OpenProcessToken", Since9x::Win95, SinceNT::NT31, kSdkStub9x, Stub(kShutdownPrivilege)},
    {"ADVAPI32.dll", "RegCloseKey", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"ADVAPI32.dll", "RegDeleteKeyA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"ADVAPI32.dll", "RegDeleteValueA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"ADVAPI32.dll", "RegEnumKeyExA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"ADVAPI32.dll", "RegOpenKeyExA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"ADVAPI32.dll", "RegQueryValueExA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"GDI32.dll", "BitBlt", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"GDI32.dll", "CreateBitmap", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"GDI32.dll", "CreateCompatibleBitmap", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"GDI32.dll", "CreateCompatibleDC", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"GDI32.dll", "DPtoLP", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"GDI32.dll", "DeleteDC", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"GDI32.dll", "DeleteObject", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"GDI32.dll", "ExtTextOutA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"GDI32.dll", "GetMapMode", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"GDI32.dll", "GetObjectA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"GDI32.dll", "SelectObject", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"GDI32.dll", "SetBkColor", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"GDI32.dll", "SetMapMode", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"GDI32.dll", "SetTextColor", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "CloseHandle", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "CreateFileA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "CreateSemaphoreW", Since9x::Win95, SinceNT::NT31, kSdkStub9x, Stub(kLibgccMutex)},
    {"KERNEL32.dll", "DeleteCriticalSection", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "DeleteFileA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "EnterCriticalSection", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "FindResourceA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "FindClose", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "FindFirstFileA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "FindNextFileA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "FreeLibrary", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "GetCurrentProcess", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "GetCurrentThreadId", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "GetFileAttributesA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "GetFileType", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "GetLastError", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "GetModuleFileNameA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "GetModuleHandleA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "GetModuleHandleW", Since9x::Win95, SinceNT::NT31, kSdkStub9x, Stub(kMsvcrtProbe)},
    {"KERNEL32.dll", "GetPrivateProfileIntA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "GetPrivateProfileStringA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "GetProcAddress", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "GetStartupInfoA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "GetStdHandle", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "GetSystemDirectoryA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "GetVersionExA", Since9x::Win95, SinceNT::NT35, kSdk95NT35, kWorks},
    {"KERNEL32.dll", "GetWindowsDirectoryA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "GlobalMemoryStatus", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "InitializeCriticalSection", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "IsDBCSLeadByte", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "IsDBCSLeadByteEx", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "LeaveCriticalSection", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "LoadLibraryA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "LoadLibraryExA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "LoadLibraryW", Since9x::Win95, SinceNT::NT31, kSdkStub9x, Stub(kRandS)},
    {"KERNEL32.dll", "LoadResource", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "LockResource", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "MultiByteToWideChar", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "ReleaseSemaphore", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "SetFileAttributesA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "SetLastError", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "SetUnhandledExceptionFilter", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "SizeofResource", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "Sleep", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "TlsAlloc", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "TlsFree", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "TlsGetValue", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "TlsSetValue", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "VirtualProtect", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "VirtualQuery", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "WaitForSingleObject", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "WideCharToMultiByte", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "WinExec", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "WriteFile", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"KERNEL32.dll", "lstrcmpiA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"SHLWAPI.dll", "SHDeleteKeyA", Since9x::Win95WithIE4, SinceNT::NT40WithIE4, kShlwapi471, kWorks},
    {"USER32.dll", "AppendMenuA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "BeginPaint", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "CallWindowProcA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "CharUpperBuffA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "CreateDialogParamA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "DefWindowProcA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "DestroyWindow", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "DialogBoxParamA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "DrawIcon", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "DrawTextA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "EnableWindow", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "EndDialog", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "EndPaint", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "ExitWindowsEx", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "FindWindowA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "GetActiveWindow", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "GetClientRect", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "GetDlgItem", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "GetPropA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "GetSysColor", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "GetSystemMenu", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "GetSystemMetrics", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "GetWindowLongA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "GetWindowTextA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "InvalidateRect", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "IsIconic", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "IsWindow", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "KillTimer", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "LoadBitmapA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "LoadCursorA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "LoadIconA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "LoadStringA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "MessageBeep", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "MessageBoxA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "RemovePropA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "SendMessageA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "SendMessageTimeoutA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "SetCursor", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "SetDlgItemTextA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "SetPropA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "SetTimer", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "SetWindowLongA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "ShowWindow", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"USER32.dll", "wsprintfA", Since9x::Win95, SinceNT::NT31, kSdk95NT31, kWorks},
    {"msvcrt.dll", "__getmainargs", Since9x::Win95WithIE4, SinceNT::NT40, kCrtStartup, kWorks},
    {"msvcrt.dll", "__initenv", Since9x::Win95WithIE4, SinceNT::NT40, kCrtStartup, kWorks},
    {"msvcrt.dll", "__mb_cur_max", Since9x::Win95WithIE4, SinceNT::NT40, kCrtStartup, kWorks},
    {"msvcrt.dll", "__p__acmdln", Since9x::Win95WithIE4, SinceNT::NT40, kCrtStartup, kWorks},
    {"msvcrt.dll", "__p__commode", Since9x::Win95WithIE4, SinceNT::NT40, kCrtStartup, kWorks},
    {"msvcrt.dll", "__p__fmode", Since9x::Win95WithIE4, SinceNT::NT40, kCrtStartup, kWorks},
    {"msvcrt.dll", "__set_app_type", Since9x::Win95WithIE4, SinceNT::NT40, kCrtStartup, kWorks},
    {"msvcrt.dll", "__setusermatherr", Since9x::Win95WithIE4, SinceNT::NT40, kCrtStartup, kWorks},
    {"msvcrt.dll", "_amsg_exit", Since9x::Win95WithIE4, SinceNT::NT40, kCrtStartup, kWorks},
    {"msvcrt.dll", "_cexit", Since9x::Win95WithIE4, SinceNT::NT40, kCrtStartup, kWorks},
    {"msvcrt.dll", "_close", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "_errno", Since9x::Win95WithIE4, SinceNT::NT40, kCrtStartup, kWorks},
    {"msvcrt.dll", "_initterm", Since9x::Win95WithIE4, SinceNT::NT40, kCrtStartup, kWorks},
    {"msvcrt.dll", "_iob", Since9x::Win95WithIE4, SinceNT::NT40, kCrtStartup, kWorks},
    {"msvcrt.dll", "_onexit", Since9x::Win95WithIE4, SinceNT::NT40, kCrtStartup, kWorks},
    {"msvcrt.dll", "_read", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "abort", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "atoi", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "calloc", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "exit", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "fprintf", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "fputc", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "fputs", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "free", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "fwrite", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "localeconv", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "malloc", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "memchr", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "memcmp", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "memcpy", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "memmove", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "memset", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "realloc", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "setlocale", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "signal", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "strchr", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "strcmp", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "strerror", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "strlen", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "strncmp", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "vfprintf", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
    {"msvcrt.dll", "wcslen", Since9x::Win95WithIE4, SinceNT::NT40, kCrt, kWorks},
};

const int kWindowsImportCount = static_cast<int>(sizeof(kWindowsImports) / sizeof(kWindowsImports[0]));

}  // namespace release_tests
