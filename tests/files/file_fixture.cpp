#include "files/file_fixture.h"

#include "platform/files.h"
#include "support/registry_fixture.h"

namespace files_test {

std::string UniqueName(const std::string& stem, const std::string& suffix) {
  static unsigned counter = 0;
  return stem + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++counter) +
         suffix;
}

std::string WinDir() { return testing_support::WindowsDir(); }

std::string TempPath(const std::string& suffix) {
  char buffer[MAX_PATH] = "";
  ::GetTempPathA(sizeof(buffer), buffer);
  return std::string(buffer) + UniqueName("dpt", suffix);
}

ScopedDirectory::ScopedDirectory(const std::string& path) {
  for (size_t at = path.find('\\', 3);; at = path.find('\\', at + 1)) {
    const std::string part = path.substr(0, at);
    if (!part.empty() && ::CreateDirectoryA(part.c_str(), nullptr)) m_created.push_back(part);
    if (at == std::string::npos) break;
  }
}

ScopedDirectory::~ScopedDirectory() {
  for (auto it = m_created.rbegin(); it != m_created.rend(); ++it) ::RemoveDirectoryA(it->c_str());
}

ScopedFile::ScopedFile(std::string path, const std::string& content, DWORD attributes)
    : m_path(std::move(path)), m_directory(m_path.substr(0, m_path.rfind('\\'))) {
  testing_support::WriteFile(m_path, content);
  if (attributes) ::SetFileAttributesA(m_path.c_str(), attributes);
}

ScopedFile::~ScopedFile() { testing_support::RemoveFile(m_path); }

bool ScopedFile::present() const { return testing_support::FilePresent(m_path); }

ScopedBackup::ScopedBackup(std::string path) : m_path(std::move(path)) {
  // Put back under the name it had, letter case included.
  WIN32_FIND_DATAA data;
  HANDLE find = ::FindFirstFileA(m_path.c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    ::FindClose(find);
    m_path = m_path.substr(0, m_path.rfind('\\') + 1) + data.cFileName;
  }
  m_backup = m_path + "." + UniqueName("bak");
  m_saved = ::CopyFileA(m_path.c_str(), m_backup.c_str(), TRUE) != FALSE;
}

ScopedBackup::~ScopedBackup() {
  if (!m_saved) return;
  ::CopyFileA(m_backup.c_str(), m_path.c_str(), FALSE);
  ::DeleteFileA(m_backup.c_str());
}

HeldOpen::HeldOpen(const std::string& path, DWORD share)
    : m_file(::CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr)) {}

HeldOpen::~HeldOpen() {
  if (m_file != INVALID_HANDLE_VALUE) ::CloseHandle(m_file);
}

PlantedProgram::PlantedProgram(std::string path) : m_path(std::move(path)) {
  char temp[MAX_PATH] = "";
  ::GetTempPathA(MAX_PATH, temp);
  m_marker = std::string(temp) + "drvpurge-ran-" + m_path.substr(m_path.rfind('\\') + 1) + ".txt";
  ::CharLowerA(&m_marker[0]);
  testing_support::RemoveFile(m_marker);
  ::CopyFileA((platform::DirectoryOf(platform::ModulePath()) + "\\planted.exe").c_str(),
              m_path.c_str(), FALSE);
}

PlantedProgram::~PlantedProgram() {
  // A copy that ran may hold its file a moment longer.
  for (int tries = 0; tries < 40 && !::DeleteFileA(m_path.c_str()) && testing_support::FilePresent(m_path); ++tries)
    ::Sleep(50);
  testing_support::RemoveFile(m_marker);
}

std::string PlantedProgram::Ran(DWORD timeout) const {
  for (DWORD waited = 0; !testing_support::FilePresent(m_marker) && waited < timeout; waited += 50)
    ::Sleep(50);
  return testing_support::FilePresent(m_marker) ? testing_support::ReadWholeFile(m_marker) : "";
}

std::string ProgramSettings::Path() {
  return platform::DirectoryOf(platform::ModulePath()) + "\\DrvPurge.ini";
}

ProgramSettings::ProgramSettings() : m_saved(Path()) { testing_support::RemoveFile(Path()); }

ProgramSettings::ProgramSettings(const std::string& content) : ProgramSettings() {
  testing_support::WriteFile(Path(), content);
}

ProgramSettings::~ProgramSettings() { testing_support::RemoveFile(Path()); }

void SetBox(testing_support::MainDialog& dialog, int id, int state) {
  ::SendMessageA(dialog->GetDlgItem(id), BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

std::vector<DWORD> RecordedCalls::sleeps;
std::vector<std::string> RecordedCalls::commands;
std::vector<UINT> RecordedCalls::shows;

namespace {
VOID WINAPI RecordSleep(DWORD milliseconds) { RecordedCalls::sleeps.push_back(milliseconds); }
UINT WINAPI RecordWinExec(LPCSTR command, UINT show) {
  RecordedCalls::commands.push_back(command);
  RecordedCalls::shows.push_back(show);
  return 32;
}
}  // namespace

UINT WINAPI RecordedCalls::RecordAndRun(LPCSTR command, UINT show) {
  commands.push_back(command);
  shows.push_back(show);
  return platform::RealSystem().WinExec(command, show);
}

RecordedCalls::RecordedCalls() {
  sleeps.clear();
  commands.clear();
  shows.clear();
  platform::System().Sleep = &RecordSleep;
  platform::System().WinExec = &RecordWinExec;
}

RecordedCalls::~RecordedCalls() = default;

AnsweredMain::AnsweredMain() {
  answerer.Then([](HWND) {});
  dialog.reset(new testing_support::MainDialog);
  testing_support::PumpUntil([this] { return !answerer.Seen().empty(); });
}

std::vector<testing_support::SeenDialog> AnsweredMain::Boxes() const {
  const auto& seen = answerer.Seen();
  return std::vector<testing_support::SeenDialog>(seen.begin() + (seen.empty() ? 0 : 1), seen.end());
}

std::string Garbage(size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  unsigned state = seed;
  for (char& byte : bytes) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<char>(state >> 16);
    if (byte == '\r' || byte == '\n') byte = '\0';
  }
  return bytes;
}

}  // namespace files_test
