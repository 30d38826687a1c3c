// Select All reads each device registration once: its detection pass keeps what it finds
// for the list builds that follow. These tests hold it to the lists that a fresh walk gives,
// and make sure nothing it kept is seen after the registry changed.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "devices/device_fixture.h"
#include "res/resource.h"
#include "support/dialog_answerer.h"
#include "support/main_dialog.h"

namespace {

using devices_test::Category;
using devices_test::Describe;
using devices_test::Windows;
using testing_support::KeyPresent;
using testing_support::MainDialog;

// Counts the program's RegOpenKeyExA calls below HKEY_LOCAL_MACHINE, by path, while it
// lives. The calls go through this test program's import table, which it points at a
// counter that passes every call on to the real one.
class RegistryOpens {
 public:
  RegistryOpens() : m_slot(ImportSlot("advapi32.dll", "RegOpenKeyExA")) {
    if (!m_slot) return;
    s_real = reinterpret_cast<OpenFn>(*m_slot);
    s_opens.clear();
    Write(reinterpret_cast<void*>(&Counting));
  }
  ~RegistryOpens() {
    if (m_slot) Write(reinterpret_cast<void*>(s_real));
  }
  RegistryOpens(const RegistryOpens&) = delete;
  RegistryOpens& operator=(const RegistryOpens&) = delete;

  bool Hooked() const { return m_slot != nullptr; }
  int Of(const std::string& path) const {
    auto it = s_opens.find(Lower(path));
    return it == s_opens.end() ? 0 : it->second;
  }
  void Reset() { s_opens.clear(); }

 private:
  using OpenFn = LONG(WINAPI*)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);

  static std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    return text;
  }
  static LONG WINAPI Counting(HKEY root, LPCSTR path, DWORD options, REGSAM access, PHKEY key) {
    if (root == HKEY_LOCAL_MACHINE && path) ++s_opens[Lower(path)];
    return s_real(root, path, options, access, key);
  }
  // The import table entry of `function` from `dll` in this program.
  static void** ImportSlot(const char* dll, const char* function) {
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return nullptr;
    for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         module->Name; ++module) {
      if (::lstrcmpiA(reinterpret_cast<char*>(base + module->Name), dll) != 0) continue;
      if (!module->OriginalFirstThunk) continue;
      auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
      auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
      for (; names->u1.AddressOfData; ++names, ++slots) {
        if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
        auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
        if (std::strcmp(reinterpret_cast<char*>(byName->Name), function) == 0)
          return reinterpret_cast<void**>(&slots->u1.Function);
      }
    }
    return nullptr;
  }
  void Write(void* value) {
    DWORD protection = 0;
    if (!::VirtualProtect(m_slot, sizeof(*m_slot), PAGE_READWRITE, &protection)) return;
    *m_slot = value;
    ::VirtualProtect(m_slot, sizeof(*m_slot), protection, &protection);
  }

  void** m_slot;
  static OpenFn s_real;
  static std::map<std::string, int> s_opens;
};

RegistryOpens::OpenFn RegistryOpens::s_real = nullptr;
std::map<std::string, int> RegistryOpens::s_opens;

// What the dialog shows and holds of one category.
struct Shown {
  std::string list;
  int box, checked, found;
  bool enabled;
};

bool operator==(const Shown& a, const Shown& b) {
  return a.list == b.list && a.box == b.box && a.checked == b.checked && a.found == b.found &&
         a.enabled == b.enabled;
}

std::ostream& operator<<(std::ostream& out, const Shown& s) {
  return out << "[" << s.list << "] box " << s.box << " checked " << s.checked << " found "
             << s.found << (s.enabled ? " enabled" : " disabled");
}

struct System {
  const char* name;
  Windows windows;
  // Root opens that one Select All may make per category: the detection pass's walk, none
  // for the list build (still-image, SCSI, USB).
  int walks[3];
};

void PrintTo(const System& system, std::ostream* out) { *out << system.name; }

const System kSystems[] = {
    {"XP", Windows::kXP, {1, 1, 1}},
    {"Win98", Windows::kWin98, {1, 1, 1}},
    {"Win95", Windows::kWin95, {0, 1, 1}},  // no still-image pass; the USB list is not built
};

class SelectAllReadsOnce : public ::testing::TestWithParam<System> {
 protected:
  SelectAllReadsOnce() : m_windows(GetParam().windows) {}
  bool nt5() const { return GetParam().windows == Windows::kXP; }

  // A device of `category` named `device` whose maker value reads `maker`; on Windows 95
  // SCSI reads "Manufacturer", which is set the same.
  void Add(const Category& category, const std::string& device, const std::string& maker,
           const std::string& text) const {
    category.Add(nt5(), device, maker, text);
    if (&category == &devices_test::kScsi)
      testing_support::SetString(HKEY_LOCAL_MACHINE, category.ValueKey(nt5(), device),
                                 "Manufacturer", maker);
  }
  void Remove(const Category& category, const std::string& device) const {
    testing_support::DeleteTree(HKEY_LOCAL_MACHINE, category.DeviceKey(nt5(), device));
  }
  // Two of the maker's devices around another maker's, each text naming its category.
  void Seed() const {
    for (const Category* category : devices_test::kCategories) {
      const std::string name = category->name;
      Add(*category, "DevA", "Quillmar", name + " Alpha");
      Add(*category, "DevB", "Acme", name + " Other");
      Add(*category, "DevC", "Veldo Corp.", name + " Gamma");
    }
  }
  static Shown Show(MainDialog& dlg, const Category& category) {
    const CDeviceGroup& group = category.Of(*dlg);
    return {Describe(group.List()), dlg.Check(category.box), group.Checked() ? 1 : 0,
            group.Found() ? 1 : 0, dlg.Enabled(category.box)};
  }
  // The category's check-box notification, as a click on an enabled box sends it.
  static void CheckBox(MainDialog& dlg, const Category& category) {
    ::SendMessageA(dlg->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(category.box, BN_CLICKED),
                   reinterpret_cast<LPARAM>(dlg->GetDlgItem(category.box)));
  }
  static void Detail(MainDialog& dlg, const Category& category) {
    testing_support::DialogAnswerer answer;
    answer.Press(IDOK);
    dlg.Click(category.detailButton);
    EXPECT_EQ(0, answer.Unanswered());
  }

  devices_test::ScopedDeviceRegistry m_registry;
  devices_test::ScopedWindows m_windows;
};

TEST_P(SelectAllReadsOnce, ListsWhatTheDetailButtonsListAndWalksEachRootOnce) {
  Seed();
  MainDialog selected;
  RegistryOpens opens;
  ASSERT_TRUE(opens.Hooked());
  selected.Click(IDC_SELECTALL);
  for (int i = 0; i < 3; ++i) {
    const Category& category = *devices_test::kCategories[i];
    EXPECT_EQ(GetParam().walks[i], opens.Of(category.Root(nt5()))) << category.name;
  }

  // The same registry, each list built by its Detail button instead: a fresh walk.
  for (const Category* category : devices_test::kCategories) {
    const Shown bySelectAll = Show(selected, *category);
    if (bySelectAll.list == "(none)") continue;  // not built by Select All on this system
    EXPECT_EQ(std::string(category->name) + " Alpha," + category->name + " Gamma",
              bySelectAll.list);
    MainDialog detailed;
    Detail(detailed, *category);
    EXPECT_EQ(Show(detailed, *category), bySelectAll) << category->name;
  }
}

TEST_P(SelectAllReadsOnce, ALaterDetailOrCheckBoxReadsTheRegistryAfresh) {
  enum class Before { kSelectAll, kSelectAllThenRefresh, kSelectAllOnEmpty };
  enum class Then { kDetail, kCheckBox };
  struct Row {
    Before before;
    Then then;
  } rows[] = {
      {Before::kSelectAll, Then::kDetail},
      {Before::kSelectAll, Then::kCheckBox},
      {Before::kSelectAllThenRefresh, Then::kDetail},
      {Before::kSelectAllOnEmpty, Then::kDetail},
      {Before::kSelectAllOnEmpty, Then::kCheckBox},
  };
  for (const Row& row : rows) {
    for (const Category* category : devices_test::kCategories) {
      SCOPED_TRACE(std::string(category->name) + " row " + std::to_string(&row - rows));
      devices_test::ScopedDeviceRegistry clean;
      if (row.before != Before::kSelectAllOnEmpty) Seed();
      MainDialog dlg;
      dlg.Click(IDC_SELECTALL);
      if (row.before == Before::kSelectAllThenRefresh) dlg.Click(IDC_REFRESH);
      // Someone else removes the first device and installs another.
      Remove(*category, "DevA");
      Add(*category, "DevD", "Quillmar", "Delta");
      const std::string expected = row.before == Before::kSelectAllOnEmpty
                                       ? "Delta"
                                       : std::string(category->name) + " Gamma,Delta";
      if (row.then == Then::kDetail) {
        Detail(dlg, *category);
        EXPECT_EQ(expected, Describe(category->Of(*dlg).List()));
      } else {
        // The box builds its list only where Select All left none: a category it did not
        // build (nothing found, or Windows 95's USB and still-image items).
        const bool built = category->Of(*dlg).List() != nullptr;
        const std::string listed = Describe(category->Of(*dlg).List());
        CheckBox(dlg, *category);
        EXPECT_EQ(built ? listed : expected, Describe(category->Of(*dlg).List()));
      }
    }
  }
}

TEST_P(SelectAllReadsOnce, ASecondSelectAllShowsWhatChangedSinceTheFirst) {
  Seed();
  MainDialog dlg;
  dlg.Click(IDC_SELECTALL);
  std::map<std::string, Shown> first;
  for (const Category* category : devices_test::kCategories)
    first[category->name] = Show(dlg, *category);
  for (const Category* category : devices_test::kCategories) {
    Remove(*category, "DevA");
    Add(*category, "DevB", "Quillmar", std::string(category->name) + " Beta");
  }
  dlg.Click(IDC_SELECTALL);
  for (const Category* category : devices_test::kCategories) {
    Shown second = Show(dlg, *category);
    if (first[category->name].list == "(none)") {
      EXPECT_EQ("(none)", second.list);
      continue;
    }
    const std::string name = category->name;
    EXPECT_EQ(name + " Beta," + name + " Gamma", second.list);
    second.list = first[category->name].list;  // all else as the first time
    EXPECT_EQ(first[category->name], second) << name;
  }
  // And once all are gone, the next Select All builds empty lists and leaves the boxes be.
  for (const Category* category : devices_test::kCategories) {
    Remove(*category, "DevB");
    Remove(*category, "DevC");
  }
  dlg.Click(IDC_SELECTALL);
  for (const Category* category : devices_test::kCategories) {
    const Shown third = Show(dlg, *category);
    EXPECT_EQ("(none)", third.list) << category->name;
    EXPECT_EQ(0, third.found) << category->name;
  }
}

TEST_P(SelectAllReadsOnce, RemoversDeleteOnlyTheChosenKeysOfAListThatSelectAllBuilt) {
  Seed();
  MainDialog dlg;
  dlg.Click(IDC_SELECTALL);
  for (const Category* category : devices_test::kCategories) {
    CDeviceGroup& group = category->Of(*dlg);
    if (!group.List()) continue;
    // The user keeps the second device. The first goes from the registry before Apply, and
    // the kept one moves into the position of the chosen one.
    ASSERT_EQ(2u, group.List()->size());
    group.List()->at(1)->m_bSelected = 0;
    Remove(*category, "DevA");
    (*dlg.*category->remove)();
    EXPECT_TRUE(KeyPresent(HKEY_LOCAL_MACHINE, category->DeviceKey(nt5(), "DevC")))
        << category->name;
    EXPECT_TRUE(KeyPresent(HKEY_LOCAL_MACHINE, category->DeviceKey(nt5(), "DevB")))
        << category->name;
  }
}

INSTANTIATE_TEST_SUITE_P(Systems, SelectAllReadsOnce, ::testing::ValuesIn(kSystems),
                         [](const ::testing::TestParamInfo<System>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
