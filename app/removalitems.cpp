#include "app/removalitems.h"

CRemovalItems::CRemovalItems(const std::string& winDir, const std::string& iniPath,
                             const WindowsVersion& windows)
    : m_sti(&StillImageDevices, windows),
      m_scsi(&ScsiDevices, windows),
      m_usb(&UsbDevices, windows),
      m_1394(windows),
      m_epp(windows),
      m_aspi(windows),
      m_sysFiles(winDir, windows),
      m_inf(winDir, iniPath, windows),
      m_companions(winDir) {}
