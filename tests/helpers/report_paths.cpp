// Writes the paths that DrvPurge derives at start-up, one a line, into the file named on
// the command line: its own executable, the settings file beside it, the Windows directory.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/files.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) return 3;
  const std::string exe = platform::ModulePath();
  std::fprintf(out, "%s\n%s\n%s\n", exe.c_str(),
               (platform::DirectoryOf(exe) + "\\DrvPurge.ini").c_str(),
               platform::WindowsDirectory().c_str());
  std::fclose(out);
  return 0;
}
