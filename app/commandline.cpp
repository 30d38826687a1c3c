#include "app/commandline.h"

#include "platform/text.h"

namespace {

// The arguments split at blanks; a double quote starts or ends a run in which blanks are
// text, and is itself dropped.
std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> arguments;
  std::string current;
  bool quoted = false, any = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (any) arguments.push_back(current);
      current.clear();
      any = false;
    } else {
      current += c;
      any = true;
    }
  }
  if (any) arguments.push_back(current);
  return arguments;
}

bool IsSwitch(const std::string& argument, const char* name) {
  return argument.size() > 1 && (argument[0] == '/' || argument[0] == '-') &&
         platform::SameTextNoCase(argument.substr(1), name);
}

// The items of a comma-separated LIST; false for an empty or unknown name.
bool ReadItems(const std::string& list, std::vector<Item>& items) {
  size_t start = 0;
  for (;;) {
    const size_t comma = list.find(',', start);
    const ItemInfo* info = ItemNamed(list.substr(start, comma - start));
    if (!info) return false;
    items.push_back(info->item);
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

CommandLine Bad() {
  CommandLine bad;
  bad.mode = CommandLine::Mode::Bad;
  return bad;
}

}  // namespace

CommandLine ParseCommandLine(const std::string& line) {
  const std::vector<std::string> arguments = Split(line);
  CommandLine command;
  if (arguments.empty()) return command;
  if (arguments.size() == 1 && IsSwitch(arguments[0], "?")) {
    command.mode = CommandLine::Mode::Usage;
    return command;
  }
  bool mode = false, items = false, report = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool list = IsSwitch(argument, "list");
    if (list || IsSwitch(argument, "remove")) {
      if (mode) return Bad();
      mode = true;
      command.mode = list ? CommandLine::Mode::List : CommandLine::Mode::Remove;
    } else if (IsSwitch(argument, "report")) {
      if (report || ++i == arguments.size() || arguments[i].empty()) return Bad();
      report = true;
      command.reportPath = arguments[i];
    } else if (IsSwitch(argument, "items")) {
      if (items || ++i == arguments.size() || !ReadItems(arguments[i], command.items)) return Bad();
      items = true;
    } else if (IsSwitch(argument, "restart")) {
      if (command.restart) return Bad();
      command.restart = true;
    } else {
      return Bad();
    }
  }
  // /items and /restart belong to /remove only.
  const bool removing = command.mode == CommandLine::Mode::Remove;
  if (!mode || (!removing && (items || command.restart))) return Bad();
  return command;
}

std::string UsageText() {
  std::string names;
  for (const ItemInfo& info : Items()) names += (names.empty() ? "" : ",") + std::string(info.switchName);
  return "DrvPurge.exe\topens the window\n"
         "DrvPurge.exe /?\tshows this\n"
         "DrvPurge.exe /list [/report FILE]\n"
         "\tnames what /remove would delete; changes nothing\n"
         "DrvPurge.exe /remove [/items LIST] [/restart] [/report FILE]\n"
         "\tremoves it without a window and starts no uninstaller\n\n"
         "LIST: " + names + "\n"
         "FILE: the report, created or replaced; without it the report goes to the "
         "standard output.\n\n"
         "Exit codes: 0 nothing found or nothing to restart; 1 something found (/list) or "
         "something stayed (/remove); 5 not an administrator; 87 a bad command line or "
         "report file; 1641 the restart was asked for; 3010 Windows must restart.";
}
