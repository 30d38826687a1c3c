#include "app/unattendeditems.h"

#include "platform/files.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace {

Trace Key(const std::string& path, const std::string& note = std::string()) {
  return {Trace::Kind::Key, path, std::string(), note};
}

bool ValueThere(const std::string& key, const std::string& name) {
  platform::RegKey opened;
  std::string text;
  return opened.Open(HKEY_LOCAL_MACHINE, key, KEY_READ) && opened.QueryText(name.c_str(), text);
}

// A start-up value, when it is there.
void AddStartupValue(std::vector<Trace>& traces, bool detector) {
  const char* name = CCompanions::StartupValue(detector);
  if (ValueThere(CCompanions::RunKey(), name))
    traces.push_back({Trace::Kind::Value, CCompanions::RunKey(), name, std::string()});
}

bool Gone(const Trace& trace) {
  switch (trace.kind) {
    case Trace::Kind::Key: return platform::KeyAbsent(HKEY_LOCAL_MACHINE, trace.path);
    case Trace::Kind::Value: return !ValueThere(trace.path, trace.name);
    case Trace::Kind::File: return platform::FileGone(trace.path);
  }
  return false;
}

}  // namespace

CUnattendedItems::CUnattendedItems(const WindowsVersion& windows) : m_windows(windows) {
  const std::string winDir = platform::WindowsDirectory();
  m_items = CRemovalItems(winDir, platform::DirectoryOf(platform::ModulePath()) + "\\DrvPurge.ini",
                          windows);
  // No message box: a file that will not go is reported, and the run goes on.
  m_items.m_inf.SetFileErrors(FileErrors::Report);
  m_items.m_companions.SetFileErrors(FileErrors::Report);
}

CListedItem* CUnattendedItems::Listed(Item item) {
  switch (item) {
    case Item::StillImage: return &m_items.m_sti;
    case Item::Scsi: return &m_items.m_scsi;
    case Item::Usb: return &m_items.m_usb;
    case Item::Inf: return &m_items.m_inf;
    case Item::SystemFiles: return &m_items.m_sysFiles;
    default: return nullptr;
  }
}

const CListedItem* CUnattendedItems::Listed(Item item) const {
  return const_cast<CUnattendedItems*>(this)->Listed(item);
}

bool CUnattendedItems::Found(Item item) {
  if (CListedItem* listed = Listed(item)) {
    // A fresh list chooses every entry, as Select All's does.
    listed->Build();
    if (!listed->List()->empty()) return true;
    return item == Item::Inf && m_items.m_inf.FindUnlisted();
  }
  switch (item) {
    case Item::Ieee1394: return m_items.m_1394.Find();
    case Item::Epp: return m_items.m_epp.Present();
    case Item::Aspi: return !platform::KeyAbsent(HKEY_LOCAL_MACHINE, kAspiServiceKey);
    case Item::EventManager: return m_items.m_companions.FindEventManager();
    case Item::Detector: return m_items.m_companions.FindDetector();
    default: return false;
  }
}

std::vector<Trace> CUnattendedItems::Traces(Item item) const {
  std::vector<Trace> traces;
  const bool files = item == Item::Inf || item == Item::SystemFiles;
  if (const CListedItem* listed = Listed(item)) {
    if (listed->List())
      for (const auto& entry : *listed->List())
        traces.push_back(files ? Trace{Trace::Kind::File, entry->m_strText, "", ""}
                               : Key(entry->m_strKeyPath, entry->m_strText));
    if (item == Item::Inf)
      for (const std::string& path : m_items.m_inf.UnlistedFiles())
        traces.push_back({Trace::Kind::File, path, "", ""});
    return traces;
  }
  switch (item) {
    case Item::Ieee1394:
      for (const std::string& key : m_items.m_1394.Removable()) traces.push_back(Key(key));
      break;
    case Item::Epp:
      for (const std::string& key : m_items.m_epp.Removable()) traces.push_back(Key(key));
      break;
    case Item::Aspi: traces.push_back(Key(kAspiServiceKey)); break;
    case Item::EventManager:
      AddStartupValue(traces, false);
      if (platform::FileThere(m_items.m_companions.EventManagerPath()))
        traces.push_back({Trace::Kind::File, m_items.m_companions.EventManagerPath(), "", ""});
      break;
    case Item::Detector: AddStartupValue(traces, true); break;
    default: break;
  }
  return traces;
}

CRemovalReport CUnattendedItems::Remove(Item item) {
  if (CListedItem* listed = Listed(item)) return listed->Remove();
  switch (item) {
    case Item::Ieee1394: return m_items.m_1394.Remove();
    case Item::Epp: return m_items.m_epp.Remove();
    case Item::Aspi: return RemoveAspiService(m_items.m_aspi, nullptr);
    case Item::EventManager: return m_items.m_companions.RemoveEventManager();
    case Item::Detector: {
      m_items.m_companions.RemoveDetector();
      CRemovalReport report;
      report.m_nRemoved = 1;
      return report;
    }
    default: return CRemovalReport();
  }
}

const char* CUnattendedItems::StateAfter(Item item, const Trace& trace,
                                         const CRemovalReport& report) const {
  if (Gone(trace)) return "removed";
  if (trace.kind != Trace::Kind::Key) return "stayed";
  // A device key that holds nothing to remove is left to Windows, which finishes what
  // awaits the restart.
  if (!platform::RegistrationLeft(trace.path)) return report.m_bRestart ? "at-restart" : "removed";
  // A device whose removal Windows finishes at the restart leaves its list; one that stayed
  // keeps its entry.
  const CListedItem* listed = Listed(item);
  if (!listed) return "stayed";
  if (listed->List())
    for (const auto& entry : *listed->List())
      if (platform::SameTextNoCase(entry->m_strKeyPath, trace.path)) return "stayed";
  return "at-restart";
}

std::string TracePath(const Trace& trace) {
  switch (trace.kind) {
    case Trace::Kind::Key: return "HKLM\\" + trace.path;
    case Trace::Kind::Value: return "HKLM\\" + trace.path + "\\" + trace.name;
    case Trace::Kind::File: return trace.path;
  }
  return trace.path;
}

const char* TraceKind(const Trace& trace) {
  switch (trace.kind) {
    case Trace::Kind::Key: return "key";
    case Trace::Kind::Value: return "value";
    case Trace::Kind::File: return "file";
  }
  return "";
}
