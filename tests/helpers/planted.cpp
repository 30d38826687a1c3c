// Stands in for a program that DrvPurge starts by name: a copy planted where it must not
// come from, or the one it should start. Whatever its command line, it writes its own full
// path to %TEMP%\drvpurge-ran-<its file name, lower case>.txt and ends.
#include <windows.h>

#include <cstdio>
#include <string>

int main() {
  char path[MAX_PATH] = "", temp[MAX_PATH] = "";
  if (!::GetModuleFileNameA(nullptr, path, MAX_PATH) || !::GetTempPathA(MAX_PATH, temp)) return 2;
  std::string name = std::string(path).substr(std::string(path).rfind('\\') + 1);
  ::CharLowerA(&name[0]);
  const std::string marker = std::string(temp) + "drvpurge-ran-" + name + ".txt";
  // Written aside and renamed, so that the test never reads half a path.
  std::FILE* out = std::fopen((marker + ".partial").c_str(), "wb");
  if (!out) return 3;
  std::fputs(path, out);
  std::fclose(out);
  return ::MoveFileExA((marker + ".partial").c_str(), marker.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
