// The command line, read before anything else: without arguments the program opens its
// window; /? shows the usage; /list and /remove run without a window (see RunUnattended).
// Switches are read without regard to case and start with '/' or '-'.
#pragma once
#include <string>
#include <vector>

#include "app/steps.h"

struct CommandLine {
  enum class Mode { Window, Usage, Bad, List, Remove };
  Mode mode = Mode::Window;
  // /remove /items LIST: the items named, in the order given; empty for every item.
  std::vector<Item> items;
  bool restart = false;     // /remove /restart
  std::string reportPath;   // /report FILE; empty without it
};

// `arguments` is the command line after the program's own name. Accepted, in any order:
//   /?                        alone
//   /list [/report FILE]
//   /remove [/items LIST] [/restart] [/report FILE]
// each switch at most once; LIST is comma-separated /items names. Anything else is Bad.
// A FILE with blanks is quoted.
CommandLine ParseCommandLine(const std::string& arguments);

// The usage text that /? and a bad command line show.
std::string UsageText();
