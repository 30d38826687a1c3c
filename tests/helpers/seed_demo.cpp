// Makes the running Windows look like a computer on which the Quillmar scanner software
// was installed and partly removed: the maker's device registrations, drivers, INF files,
// companions and uninstall entries, next to other makers' things that must survive a
// clean-up. Registry paths and folders follow the Windows family it runs under. Running
// it again writes the same things again, so it can be repeated at will.
//
// Usage: seed_demo [path\to\DrvPurge.exe]   (default: DrvPurge.exe one folder up); the
// settings file DrvPurge.ini is written beside that program.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

int g_failures = 0;

void Fail(const std::string& what, LONG error) {
  std::fprintf(stderr, "failed: %s (error %ld)\n", what.c_str(), error);
  ++g_failures;
}

struct Value {
  const char* name;
  std::string text;  // REG_SZ unless `isDword`
  DWORD number = 0;
  bool isDword = false;
};

Value Text(const char* name, std::string text) { return {name, std::move(text)}; }
Value Dword(const char* name, DWORD number) { return {name, "", number, true}; }

void Key(const std::string& path, const std::vector<Value>& values = {}) {
  HKEY key = nullptr;
  LONG status = ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return Fail("HKLM\\" + path, status);
  for (const Value& value : values) {
    status = value.isDword
                 ? ::RegSetValueExA(key, value.name, 0, REG_DWORD,
                                    reinterpret_cast<const BYTE*>(&value.number), sizeof(DWORD))
                 : ::RegSetValueExA(key, value.name, 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(value.text.c_str()),
                                    static_cast<DWORD>(value.text.size() + 1));
    if (status != ERROR_SUCCESS)
      Fail("HKLM\\" + path + " " + (value.name ? value.name : "(default)"), status);
  }
  ::RegCloseKey(key);
}

void Directories(const std::string& path) {
  for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
    ::CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  ::CreateDirectoryA(path.c_str(), nullptr);
}

void File(const std::string& path, const std::string& content) {
  Directories(path.substr(0, path.rfind('\\')));
  // A file left read-only by an earlier run is written all the same.
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Fail(path, static_cast<LONG>(::GetLastError()));
  DWORD written = 0;
  if (!::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) ||
      written != content.size())
    Fail(path, static_cast<LONG>(::GetLastError()));
  ::CloseHandle(file);
}

std::string Inf(const std::string& provider, const std::string& catalog, const std::string& cls) {
  std::string text =
      "[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=" + cls + "\r\nProvider=%Provider%\r\n";
  if (!catalog.empty()) text += "CatalogFile=" + catalog + "\r\n";
  return text + "DriverVer=03/14/2003,5.2.0.1\r\n\r\n[Strings]\r\nProvider=\"" + provider +
         "\"\r\n";
}

struct Platform {
  bool nt = false;  // the NT family: SYSTEM\CurrentControlSet\... paths
  bool win95 = false;
  bool win98 = false;
  bool nt4 = false;
  std::string name;
};

Platform Identify() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  Platform platform;
  if (!::GetVersionExA(&info)) return platform;
  platform.nt = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
  platform.win95 = !platform.nt && info.dwMajorVersion == 4 && info.dwMinorVersion == 0;
  platform.win98 = !platform.nt && info.dwMajorVersion == 4 && info.dwMinorVersion == 10;
  platform.nt4 = platform.nt && info.dwMajorVersion <= 4;
  char name[64];
  std::snprintf(name, sizeof(name), "%s %lu.%lu", platform.nt ? "NT" : "Windows",
                info.dwMajorVersion, info.dwMinorVersion);
  platform.name = name;
  return platform;
}

void SeedDevices(const Platform& p) {
  const std::string enumRoot = p.nt ? "SYSTEM\\CurrentControlSet\\Enum\\" : "Enum\\";
  const std::string stillImage =
      p.nt ? "SYSTEM\\CurrentControlSet\\Control\\Class\\{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}"
           : "System\\CurrentControlSet\\Services\\Class\\Image";

  Key(stillImage, {Text(nullptr, "Imaging devices"), Text("Class", "Image")});
  Key(stillImage + "\\0000",
      {Text("Vendor", "Quillmar Corporation"), Text("FriendlyName", "Quillmar QV3300 USB"),
       Text("DriverDesc", "Quillmar QV3300 USB")});
  Key(stillImage + "\\0001",
      {Text("Vendor", "Veldo Imaging"), Text("FriendlyName", "Veldo PhotoPad 2400"),
       Text("DriverDesc", "Veldo PhotoPad 2400")});
  Key(stillImage + "\\0002",
      {Text("Vendor", "Nordlicht Optics"), Text("FriendlyName", "Nordlicht DigiCam 5"),
       Text("DriverDesc", "Nordlicht DigiCam 5")});

  // Windows 95 names the SCSI manufacturer "Manufacturer", the others "Mfg".
  Key(enumRoot + "SCSI\\Scanner&Ven_Quillmar&Prod_QS-4800\\4&2a1b3c&0&030",
      {Text("Mfg", "Quillmar"), Text("Manufacturer", "Quillmar"), Text("ProductID", "QS-4800"),
       Text("DeviceDesc", "Quillmar QS-4800 SCSI Scanner"), Text("Class", "Image")});
  Key(enumRoot + "SCSI\\Disk&Ven_Nordlich&Prod_ND-2000\\4&2a1b3c&0&000",
      {Text("Mfg", "(Standard disk drives)"), Text("Manufacturer", "NORDLICH"),
       Text("ProductID", "ND-2000"), Text("DeviceDesc", "Disk drive"), Text("Class", "DiskDrive")});

  // Windows' device classes, by which SetupAPI knows the devices.
  const std::string image = "{6BDD1FC6-810F-11D0-BEC7-08002BE2092F}";
  const std::string mouse = "{4D36E96F-E325-11CE-BFC1-08002BE10318}";
  const std::string scsiAdapter = "{4D36E97B-E325-11CE-BFC1-08002BE10318}";
  Key(enumRoot + "USB\\Vid_0a3d&Pid_3300\\5&1f2e3d4c&0&1",
      {Text("Mfg", "Quillmar"), Text("DeviceDesc", "Quillmar QV3300 USB Scanner"),
       Text("Class", "Image"), Text("ClassGUID", image)});
  Key(enumRoot + "USB\\Vid_0a3d&Pid_2400\\5&1f2e3d4c&0&2",
      {Text("Mfg", "Veldo Imaging"), Text("DeviceDesc", "Veldo PhotoPad 2400 USB"),
       Text("Class", "Image"), Text("ClassGUID", image)});
  Key(enumRoot + "USB\\Vid_0b1e&Pid_0101\\5&1f2e3d4c&0&3",
      {Text("Mfg", "Nordlicht Optics"), Text("DeviceDesc", "Nordlicht USB Optical Mouse"),
       Text("Class", "Mouse"), Text("ClassGUID", mouse)});

  Key(enumRoot + "1394\\Quillmar&QV3300FW\\0001a2b3c4d5e6f7",
      {Text("Mfg", "Quillmar"), Text("DeviceDesc", "Quillmar QV3300 FireWire"),
       Text("ClassGUID", image)});
  // Another maker's camera, plugged in: Windows 2000 and later know it is, and it stays.
  if (p.nt) {
    Key(enumRoot + "1394\\Nordlicht&DV100\\00a0b1c2d3e4f5a6",
        {Text("Mfg", "Nordlicht Optics"), Text("DeviceDesc", "Nordlicht DV100 FireWire Camera"),
         Text("ClassGUID", image)});
  }
  Key(enumRoot + "SBP2\\Quillmar&QV3300&LUN0\\0001a2b3c4d5e6f7",
      {Text("Mfg", "Quillmar"), Text("DeviceDesc", "Quillmar QV3300 SBP-2 Device"),
       Text("ClassGUID", image)});

  // The parallel-port adapter: one class form on every system.
  const std::string adapters = "System\\CurrentControlSet\\Services\\Class\\SCSIAdapter";
  Key(adapters + "\\0000", {Text("DriverDesc", "Standard Dual PCI IDE Controller")});
  Key(adapters + "\\SimpleSCSI", {Text("DriverDesc", "Quillmar EPP SimpleSCSI Adapter")});
  Key(enumRoot + "Root\\SCSIAdapter\\SimpleSCSI\\0000",
      {Text("DeviceDesc", "Quillmar EPP SimpleSCSI Adapter"), Text("ClassGUID", scsiAdapter)});
  if (p.nt) {
    Key("SYSTEM\\CurrentControlSet\\Services\\ONSIO",
        {Dword("Type", 1), Dword("Start", 3), Text("ImagePath", "System32\\Drivers\\onsio.sys")});
  }
  if (p.nt4) {
    Key("SYSTEM\\CurrentControlSet\\Services\\ASPI32",
        {Dword("Type", 1), Dword("Start", 1), Text("ImagePath", "System32\\Drivers\\aspi32.sys")});
  }
}

void SeedSoftware(const std::string& windows) {
  const std::string uninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
  Key(uninstall + "Quillmar ScanWizard 5",
      {Text("DisplayName", "Quillmar ScanWizard 5.02"),
       Text("UninstallString", "C:\\Program Files\\Quillmar\\ScanWizard 5\\Uninst.exe")});
  Key(uninstall + "{5D2C7F04-8A1B-4C2E-9F3A-0E1D2C3B4A59}",
      {Text("DisplayName", "Quillmar Event Manager 1.0"),
       Text("UninstallString", "C:\\Program Files\\Quillmar\\Event Manager\\Uninst.exe")});
  Key(uninstall + "Imagoquest Pro TX 2.1",
      {Text("DisplayName", "Imagoquest Pro TX"),
       Text("UninstallString", "C:\\Program Files\\Imagoquest\\Pro TX\\Uninst.exe")});
  Key(uninstall + "Nordlicht PhotoSuite 3",
      {Text("DisplayName", "Nordlicht PhotoSuite 3.0"),
       Text("UninstallString", "C:\\Program Files\\Nordlicht\\PhotoSuite\\Uninst.exe")});

  const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  Key(run, {Text("evmonitr.exe", windows + "\\System\\Evmonitr.exe"),
            Text("ScanEye.exe", "C:\\Program Files\\Quillmar\\ScanEye\\ScanEye.exe"),
            Text("NordlichtTray", "C:\\Program Files\\Nordlicht\\PhotoSuite\\NlTray.exe")});
  File(windows + "\\System\\Evmonitr.exe", "MZ Quillmar Event Manager 1.0");
}

void SeedFiles(const Platform& p, const std::string& windows, const std::string& settingsFile) {
  File(windows + "\\System32\\Qlmcfg.dll", "MZ Quillmar configuration");
  const std::string libraries = windows + (p.win98 ? "\\System" : "\\System32");
  if (!p.win95 && !p.nt4) {
    File(libraries + "\\qlvimx32.dll", "MZ Quillmar imaging");
    File(libraries + "\\qlvimxui.dll", "MZ Quillmar imaging interface");
  }
  if (p.win98) File(windows + "\\System32\\Drivers\\Qlx1394s.sys", "MZ Quillmar 1394 driver");
  if (!p.nt)
    File(windows + (p.win95 ? "\\System" : "\\System32\\Drivers") + "\\qlimgdv.sys",
         "MZ Quillmar imaging driver");
  File(windows + "\\Twunk_16.exe", "MZ TWAIN thunker 16");
  File(windows + "\\Twunk_32.exe", "MZ TWAIN thunker 32");
  // Other makers' files beside them.
  File(windows + "\\System32\\nldigi32.dll", "MZ Nordlicht DigiCam");
  File(windows + "\\System32\\Drivers\\nlusbcam.sys", "MZ Nordlicht USB camera");

  const std::string inf = windows + "\\INF";
  File(inf + "\\QlScan.inf", Inf("Quillmar", "", "Image"));
  File(inf + "\\QlSti.inf", Inf("Quillmar", "", "Image"));
  File(inf + "\\Ql1394.inf", Inf("Quillmar", "", "1394"));
  File(inf + "\\Other\\QuillmarQV3300.inf", Inf("Quillmar", "", "Image"));
  File(inf + "\\Other\\QuillmarQS4800.inf", Inf("Quillmar", "", "Image"));
  File(inf + "\\Other\\NordlichtDigiCam.inf", Inf("Nordlicht Optics", "", "Image"));
  // The last entry names a file that an earlier clean-up already removed.
  File(settingsFile,
       "[INF]\r\nTotal=4\r\n1=QlScan.inf\r\n2=QlSti.inf\r\n3=Ql1394.inf\r\n4=QlOld.inf\r\n");

  if (p.nt) {
    const std::string catalogs =
        windows + "\\system32\\CatRoot\\{F750E6C3-38EE-11D1-85E5-00C04FC295EE}";
    File(inf + "\\oem3.inf", Inf("Quillmar", "Qlvdr.cat", "Image"));
    File(inf + "\\oem3.PNF", "PNF Quillmar");
    File(catalogs + "\\oem3.cat", "CAT Quillmar");
    File(inf + "\\oem4.inf", Inf("Nordlicht Optics", "nldigi.cat", "Image"));
    File(inf + "\\oem4.PNF", "PNF Nordlicht");
    File(catalogs + "\\oem4.cat", "CAT Nordlicht");
  }
}

std::string DefaultProgram() {
  char path[MAX_PATH] = "";
  std::string self(path, ::GetModuleFileNameA(nullptr, path, sizeof(path)));
  std::string folder = self.substr(0, self.rfind('\\'));
  return folder.substr(0, folder.rfind('\\')) + "\\DrvPurge.exe";
}

}  // namespace

int main(int argc, char** argv) {
  const std::string program = argc > 1 ? argv[1] : DefaultProgram();
  const std::string settingsFile = program.substr(0, program.rfind('\\') + 1) + "DrvPurge.ini";
  char buffer[MAX_PATH] = "";
  const std::string windows(buffer, ::GetWindowsDirectoryA(buffer, sizeof(buffer)));
  const Platform platform = Identify();

  SeedDevices(platform);
  SeedSoftware(windows);
  SeedFiles(platform, windows, settingsFile);

  std::printf("seeded %s (%s registry paths) in %s; settings file %s\n", platform.name.c_str(),
              platform.nt ? "NT" : "Windows 9x", windows.c_str(), settingsFile.c_str());
  if (g_failures) std::fprintf(stderr, "%d item(s) could not be written\n", g_failures);
  return g_failures ? 1 : 0;
}
