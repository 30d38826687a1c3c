#include "software/uninstallcommand.h"

#include "platform/files.h"
#include "platform/text.h"

namespace {
// A backslash of its own (never a double-byte character's trail byte), a slash or a drive.
bool HasFolder(const std::string& name) {
  return platform::LastBackslash(name) != std::string::npos ||
         name.find_first_of("/:") != std::string::npos;
}
}  // namespace

std::string UninstallCommandLine(const std::string& command) {
  const size_t start = command.find_first_not_of(" \t");
  if (start == std::string::npos) return command;
  // The program's name ends at the closing quote, or unquoted at the first blank, as
  // Windows reads it; what follows is passed on untouched.
  size_t end, rest;
  if (command[start] == '"') {
    end = command.find('"', start + 1);
    rest = end == std::string::npos ? end : end + 1;
  } else {
    end = rest = command.find_first_of(" \t", start);
  }
  const size_t from = command[start] == '"' ? start + 1 : start;
  std::string name = command.substr(from, end == std::string::npos ? end : end - from);
  if (name.empty() || HasFolder(name)) return command;
  if (name.find('.') == std::string::npos) name += ".exe";

  for (const std::string& folder : {platform::SystemDirectory(), platform::WindowsDirectory()}) {
    if (folder.empty()) continue;
    const std::string path = folder + "\\" + name;
    if (platform::FileThere(path))
      return "\"" + path + "\"" + (rest == std::string::npos ? "" : command.substr(rest));
  }
  return std::string();
}
