#include "app/unattended.h"

#include <windows.h>

#include <algorithm>

#include "app/cleanerapp.h"
#include "app/restart.h"
#include "app/unattendeditems.h"
#include "framework/app.h"
#include "platform/output.h"
#include "platform/security.h"
#include "software/softwarelist.h"

namespace {

const char kElsewhere[] =
    "The companion programs are looked for on this desktop only: from a remote shell their "
    "windows are on another desktop and look absent.";
const char kPluggedIn[] = "A scanner still plugged in comes back after the restart: unplug it first.";

// Lines of tab-separated fields; a tab or line break inside a field is written as a space.
class CReportWriter {
 public:
  explicit CReportWriter(platform::OutputStream& out) : m_out(out) {}

  void Line(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) line += '\t';
      for (char c : fields[i]) line += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
    }
    m_out.Write(line + "\r\n");
  }
  void Note(const std::string& text) { Line({"note", "text", text, "", ""}); }
  int Result(int code) {
    Line({"result", std::to_string(code)});
    return code;
  }

 private:
  platform::OutputStream& m_out;
};

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \r\n\t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \r\n\t") - first + 1);
}

// What the run found and did, for the exit code.
struct Tally {
  bool found = false, removed = false, stayed = false, restart = false;
};

// One item chosen as Select All chooses it, with what its removal would delete.
struct Chosen {
  Item item;
  std::vector<Trace> traces;
};

// Removes the chosen items in the run's order, reporting each item, then each of its entries.
void RemoveChosen(CUnattendedItems& items, const std::vector<Chosen>& chosen,
                  CReportWriter& report, Tally& tally) {
  for (const Chosen& one : chosen) {
    const ItemInfo& info = InfoOf(one.item);
    const CRemovalReport removal = items.Remove(one.item);
    std::vector<std::string> states;
    bool stayed = removal.m_nStayed > 0, atRestart = removal.m_bRestart;
    for (const Trace& trace : one.traces) {
      states.push_back(items.StateAfter(one.item, trace, removal));
      stayed = stayed || states.back() == "stayed";
      atRestart = atRestart || states.back() == "at-restart";
      tally.removed = tally.removed || states.back() == "removed";
    }
    const std::string why = StayReasonText(removal.m_stayReasons);
    report.Line({info.switchName, "item", info.title,
                 stayed ? "stayed" : atRestart ? "at-restart" : "removed", stayed ? why : ""});
    for (size_t i = 0; i < one.traces.size(); ++i) {
      const Trace& trace = one.traces[i];
      report.Line({info.switchName, TraceKind(trace), TracePath(trace), states[i],
                   states[i] == "stayed" ? why : trace.note});
    }
    tally.stayed = tally.stayed || stayed;
    tally.restart = tally.restart || atRestart;
    tally.removed = tally.removed || removal.m_nRemoved > 0;
  }
}

// The restart that /restart asks for, said in the report; the exit code that follows.
int Restart(const WindowsVersion& windows, CReportWriter& report) {
  std::string failures;
  const bool asked = RequestRestart(!windows.Is9x(), [&failures](const char* call) {
    failures += (failures.empty() ? "" : ", ") + std::string(call) + " failed (error " +
                std::to_string(::GetLastError()) + ")";
  });
  if (!asked) {
    report.Note("Windows was not asked to restart: " + failures + ".");
    return kExitRestartNeeded;
  }
  report.Note("Windows was asked to restart.");
  return kExitRestarting;
}

int Run(const CommandLine& command, const WindowsVersion& windows, CReportWriter& report) {
  const bool list = command.mode == CommandLine::Mode::List;
  auto named = [&command](Item item) {
    return command.items.empty() ||
           std::find(command.items.begin(), command.items.end(), item) != command.items.end();
  };
  std::vector<Item> run;
  for (Item item : CleaningRun(windows))
    if (InfoOf(item).picked(windows) && named(item)) run.push_back(item);
  for (const ItemInfo& info : Items())
    if (!command.items.empty() && named(info.item) &&
        std::find(run.begin(), run.end(), info.item) == run.end())
      report.Line({info.switchName, "item", info.title, "absent", "this Windows has no such item"});

  // Everything is found before anything goes, as Select All does before Apply.
  CUnattendedItems items(windows);
  Tally tally;
  std::vector<Chosen> chosen;
  for (Item item : run) {
    const ItemInfo& info = InfoOf(item);
    if (!items.Found(item)) {
      report.Line({info.switchName, "item", info.title, "absent", ""});
      continue;
    }
    tally.found = true;
    chosen.push_back({item, items.Traces(item)});
    if (!list) continue;
    report.Line({info.switchName, "item", info.title, "present", ""});
    for (const Trace& trace : chosen.back().traces)
      report.Line({info.switchName, TraceKind(trace), TracePath(trace), "present", trace.note});
  }
  if (!list) RemoveChosen(items, chosen, report, tally);

  // The products stay: an uninstaller may show windows and ask questions.
  for (const CProduct& product : FindProducts()) {
    tally.found = true;
    report.Line({"products", "product", product.m_strText, "present", "HKLM\\" + product.m_strKeyPath});
  }

  if (list) return tally.found ? kExitFoundOrStayed : 0;
  if (tally.stayed) return kExitFoundOrStayed;
  if (!tally.removed && !tally.restart) return 0;
  return command.restart ? Restart(windows, report) : kExitRestartNeeded;
}

}  // namespace

int RunUnattended(const CommandLine& command) {
  platform::OutputStream out;
  DWORD error = 0;
  const bool toFile = !command.reportPath.empty();
  const bool writable = !toFile || out.ToFile(command.reportPath, &error);
  if (!toFile || !writable) {
    if (!out.ToStandardOutput()) out.ToParentConsole();
  }
  WindowsVersion windows;
  IdentifyWindows(windows);
  CReportWriter report(out);
  report.Line({"DrvPurge", fw::FileVersion(), Trimmed(windows.Name())});
  if (!writable) {
    report.Note("The report file " + command.reportPath + " cannot be written (error " +
                std::to_string(error) + ").");
    return report.Result(kExitBadCommandLine);
  }
  if (command.mode == CommandLine::Mode::Remove && !platform::RunsAsAdministrator()) {
    report.Note(kNotAdministrator);
    return report.Result(kExitNotAdministrator);
  }
  report.Note(kElsewhere);
  report.Note(kPluggedIn);
  return report.Result(Run(command, windows, report));
}
