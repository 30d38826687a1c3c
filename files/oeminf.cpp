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

// The package `name` (oem*.inf in the INF folder): its .PNF, its catalog and itself. The
// catalog is the copy Windows made under the INF's own name, not the one the INF names.
std::vector<std::string> PackageFiles(const std::string& name) {
  const std::string windows = platform::WindowsDirectory();
  const std::string base = name.substr(0, name.size() - 4);
  return {windows + "\\inf\\" + base + ".PNF", windows + kCatalogDirectory + base + ".cat",
          windows + "\\inf\\" + name};
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

std::vector<std::string> OemInfFiles() {
  std::vector<std::string> paths;
  for (const std::string& name : FindOemInfs())
    for (const std::string& path : PackageFiles(name))
      if (platform::FileThere(path)) paths.push_back(path);
  return paths;
}

int RemoveOemInfs(unsigned* reasons) {
  int left = 0;
  for (const std::string& name : FindOemInfs()) {
    const std::vector<std::string> files = PackageFiles(name);
    const bool pnfGone = RemoveOemFile(files[0], reasons);
    const bool catalogGone = RemoveOemFile(files[1], reasons);
    if (!pnfGone || !catalogGone || !RemoveOemFile(files[2], reasons)) ++left;
  }
  return left;
}
