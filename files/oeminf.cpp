#include "files/oeminf.h"

#include "platform/files.h"
#include "platform/system.h"

namespace {
const char kCatalogDirectory[] = "\\system32\\CatRoot\\{F750E6C3-38EE-11D1-85E5-00C04FC295EE}\\";
const char kMarker[] = "Qlvdr";

// Started, not waited for; the caller's pause is all the synchronisation there is.
void StartClearAttributes(const std::string& path) {
  // Quoted: a Windows directory with spaces must stay one argument.
  const std::string command = "attrib -r -h \"" + path + "\"";
  platform::System().WinExec(command.c_str(), SW_HIDE);
}
}  // namespace

std::vector<std::string> FindOemInfs() {
  std::vector<std::string> names;
  const std::string windows = platform::WindowsDirectory();
  if (windows.empty()) return names;
  const std::string infDirectory = windows + "\\inf\\";
  // Long names only: oem1.info, whose short name OEM1~1.INF matches too, is no package.
  for (const std::string& name : platform::FindFiles(infDirectory + "oem*.inf")) {
    const std::string catalog =
        platform::ProfileString("Version", "CatalogFile", "none", infDirectory + name);
    if (catalog.compare(0, sizeof(kMarker) - 1, kMarker) == 0) names.push_back(name);
  }
  return names;
}

int RemoveOemInfs() {
  const std::string windows = platform::WindowsDirectory();
  if (windows.empty()) return 0;
  const std::string infDirectory = windows + "\\inf\\";
  const std::string catalogDirectory = windows + kCatalogDirectory;

  int left = 0;
  for (const std::string& name : FindOemInfs()) {
    // The catalog is the copy Windows made under the INF's own name, not the one named.
    const std::string infPath = infDirectory + name;
    const std::string base = name.substr(0, name.size() - 4);
    const std::string catalogPath = catalogDirectory + base + ".cat";
    StartClearAttributes(infPath);
    StartClearAttributes(catalogPath);
    platform::System().Sleep(1000);
    // Each part is tried, whatever became of the one before.
    const bool infGone = platform::DeleteFileOrFindGone(infPath);
    const bool pnfGone = platform::DeleteFileOrFindGone(infDirectory + base + ".PNF");
    const bool catalogGone = platform::DeleteFileOrFindGone(catalogPath);
    if (!infGone || !pnfGone || !catalogGone) ++left;
  }
  return left;
}
