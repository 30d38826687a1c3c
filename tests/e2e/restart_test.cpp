// Yes to the restart prompt. Wine turns the forced restart into "wineboot --kill", which
// ends every process of the Wine session, this test program included. So the case runs
// in a session of its own: a second prefix with its own wineserver, holding a copy of
// this prefix's registry and sharing its drive C:, set up by a shell script that this
// test starts. The program there writes down what it sees, line by line, before the
// restart ends it; this test reads that report afterwards.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "e2e/modes.h"
#include "e2e/scenario.h"

namespace e2e {
namespace {

const char kSessionScript[] =
    R"(# $1 session directory, $2 the suite's prefix, $3 Wine loader, $4 the test program,
# $5 Windows version, $6 report and $7 census (Windows paths)
PATH=/usr/bin:/bin
unset WINESERVERSOCKET WINELOADERNOEXEC
session=$1 suite=$2 loader=$3 program=$4 version=$5
# Nothing of this session may hold on to the suite's output.
exec </dev/null >"$session/script.log" 2>&1
server=$(dirname "$loader")/wineserver
[ -x "$server" ] || server=wineserver
prefix=$(mktemp -d /tmp/drvpurge-restart.XXXXXX) || exit 1
mkdir "$prefix/dosdevices"
cp "$suite/system.reg" "$suite/user.reg" "$suite/userdef.reg" "$prefix/"
cp "$suite/.update-timestamp" "$prefix/" 2>/dev/null
ln -s "$suite/drive_c" "$prefix/drive_c"
ln -s ../drive_c "$prefix/dosdevices/c:"
ln -s / "$prefix/dosdevices/z:"
export WINEPREFIX="$prefix" WINEDEBUG=-all
timeout 60 "$loader" "$program" --mode=restart-yes "$version" "$6" > "$session/restart.log" 2>&1
echo $? > "$session/restart.rc"
# wineboot may still be ending processes, a census among them: count again until one ends.
for attempt in 1 2 3 4 5; do
  rm -f "$session/census.txt"
  timeout 30 "$loader" "$program" --mode=census "$7" > "$session/census.log" 2>&1
  grep -q "census done" "$session/census.txt" 2>/dev/null && break
  sleep 1
done
"$server" -k
rm -f "$prefix/drive_c" "$prefix/dosdevices/c:" "$prefix/dosdevices/z:"
rm -rf "$prefix"
: > "$session/done"
)";

const DWORD kSessionPatience = 120000;

std::string Environment(const char* name) {
  char value[1024] = "";
  DWORD length = ::GetEnvironmentVariableA(name, value, sizeof(value));
  return length > 0 && length < sizeof(value) ? std::string(value, length) : std::string();
}

// Wine's own export; absent on Windows.
std::string UnixPath(const std::string& windowsPath) {
  using Convert = char*(CDECL*)(LPCWSTR);
  // Through void* because GCC warns about a cast between unrelated function types.
  auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return "";
  wchar_t wide[MAX_PATH * 2] = L"";
  if (!::MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH * 2)) return "";
  char* unix = convert(wide);
  if (!unix) return "";
  std::string result(unix);
  ::HeapFree(::GetProcessHeap(), 0, unix);
  return result;
}

std::string SuitePrefix() {
  std::string prefix = Environment("WINEPREFIX");
  if (!prefix.empty()) return prefix;
  std::string config = Environment("WINECONFIGDIR");
  if (config.compare(0, 4, "\\??\\") == 0) config.erase(0, 4);
  return config.empty() ? "" : UnixPath(config);
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool HasPrefix(const std::vector<std::string>& lines, const std::string& start) {
  for (const std::string& line : lines)
    if (line.compare(0, start.size(), start) == 0) return true;
  return false;
}

std::string Escaped(const std::string& text) {
  std::string escaped;
  for (char c : text) escaped += c == '\n' ? std::string("\\n") : std::string(1, c);
  return escaped;
}

class RestartYesTest : public ::testing::TestWithParam<WindowsVersion> {
 protected:
  void SetUp() override {
    m_loader = Environment("WINELOADER");
    m_prefix = SuitePrefix();
    char temp[MAX_PATH] = "";
    ::GetTempPathA(sizeof(temp), temp);
    m_session = std::string(temp) + "drvpurge-restart-" + std::to_string(::GetCurrentProcessId()) +
                "-" + GetParam().name;
    if (m_loader.empty() || m_prefix.empty() || UnixPath(m_session).empty() ||
        ::GetFileAttributesA("Z:\\bin\\sh") == INVALID_FILE_ATTRIBUTES)
      GTEST_SKIP() << "needs Wine with its Z: drive, WINELOADER and a prefix to copy";
    Clean();
    ::CreateDirectoryA(m_session.c_str(), nullptr);
    m_marker = ::CreateEventA(nullptr, TRUE, FALSE, kSuiteSessionMarker);
  }

  void TearDown() override {
    if (m_marker) ::CloseHandle(m_marker);
    if (!m_session.empty()) Clean();
  }

  void Clean() {
    for (const char* name : {"session.sh", "script.log", "report.txt", "census.txt", "restart.log",
                             "restart.rc", "census.log", "done"})
      ::DeleteFileA(File(name).c_str());
    ::RemoveDirectoryA(m_session.c_str());
  }

  std::string File(const char* name) const { return m_session + "\\" + name; }

  // Runs the script and waits for it; false when it did not finish in time.
  bool RunIsolatedSession(const std::string& version) {
    {
      std::ofstream script(File("session.sh"), std::ios::binary);
      script << kSessionScript;
    }
    auto quote = [](const std::string& text) { return "\"" + text + "\""; };
    std::string commandLine =
        "/bin/sh " + quote(UnixPath(File("session.sh"))) + " " + quote(UnixPath(m_session)) + " " +
        quote(m_prefix) + " " + quote(m_loader) + " " +
        quote(UnixPath(e2e::OwnDirectory() + "\\DrvPurgeE2E.exe")) + " " + quote(version) + " " +
        quote(File("report.txt")) + " " + quote(File("census.txt"));
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    // Wine starts a Unix program without a process handle to wait on; the script leaves a
    // file behind when it is done.
    if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &info))
      return false;
    if (info.hThread) ::CloseHandle(info.hThread);
    if (info.hProcess) ::CloseHandle(info.hProcess);
    const std::string done = File("done");
    return WaitUntil([&] { return ::GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; },
                     kSessionPatience);
  }

  std::string Log(const char* name) const {
    std::ifstream in(File(name));
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::string m_loader, m_prefix, m_session;
  HANDLE m_marker = nullptr;
};

TEST_P(RestartYesTest, AsksWineForAForcedRestartThatEndsEveryProgramOfTheSession) {
  ASSERT_TRUE(RunIsolatedSession(GetParam().name)) << "the isolated session did not finish";
  const std::vector<std::string> report = ReadLines(File("report.txt"));
  const std::vector<std::string> census = ReadLines(File("census.txt"));
  SCOPED_TRACE("report:\n" + ::testing::PrintToString(report) + "\ncensus:\n" +
               ::testing::PrintToString(census) + "\nlog: " + Log("restart.log"));

  ASSERT_TRUE(HasPrefix(report, "bystander: "));
  EXPECT_TRUE(Has(report, std::string("prompt caption: ") + kRestartCaption));
  EXPECT_TRUE(Has(report, "prompt text: " + Escaped(kRestartText)));
  ASSERT_TRUE(Has(report, "answered: yes"));
  EXPECT_FALSE(HasPrefix(report, "failed"));
  EXPECT_FALSE(HasPrefix(report, "refused"));
  // Had the restart not been requested, or refused, the driver would have lived on.
  EXPECT_FALSE(Has(report, "survived"));
  EXPECT_FALSE(HasPrefix(report, "box: DrvPurge: Error: ExitWindowsEx"));

  ASSERT_TRUE(Has(census, "census done"));
  EXPECT_FALSE(Has(census, "process: DrvPurge.exe")) << "the program or the bystander lives on";
  EXPECT_FALSE(Has(census, "process: DrvPurgeE2E.exe"));
}

// Windows XP enables the shutdown privilege first; Windows 98 asks directly.
INSTANTIATE_TEST_SUITE_P(Versions, RestartYesTest,
                         ::testing::Values(Version("winxp"), Version("win98")), VersionName);

}  // namespace
}  // namespace e2e
