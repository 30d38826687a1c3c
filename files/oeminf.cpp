#include "files/oeminf.h"

#include "files/filestay.h"
#include "platform/files.h"

namespace {
const char kCatalogDirectory[] = "\\system32\\CatRoot\\{F750E6C3-38EE-11D1-85E5-00C04FC295EE}\\";
const char kMarker[] = "Qlvdr";

// Cleared through the file system itself: a program started by name would be looked for
// in DrvPurge's own folder first.
bool RemoveOemFile(const std::string& path, unsigned* reasons) {
  platform::ClearReadOnlyAndHidden(path);
  DWORD error = 0;
  if (platform::DeleteFileOrFindGone(path, &error)) return true;
  if (reasons) *reasons |= FileStayReason(error);
  return false;
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

int RemoveOemInfs(unsigned* reasons) {
  const std::string windows = platform::WindowsDirectory();
  if (windows.empty()) return 0;
  const std::string infDirectory = windows + "\\inf\\";
  const std::string catalogDirectory = windows + kCatalogDirectory;

  int left = 0;
  for (const std::string& name : FindOemInfs()) {
    // The catalog is the copy Windows made under the INF's own name, not the one named.
    const std::string base = name.substr(0, name.size() - 4);
    const bool pnfGone = RemoveOemFile(infDirectory + base + ".PNF", reasons);
    const bool catalogGone = RemoveOemFile(catalogDirectory + base + ".cat", reasons);
    if (!pnfGone || !catalogGone || !RemoveOemFile(infDirectory + name, reasons)) ++left;
  }
  return left;
}
