// The removal items of one Windows, as the window and the command line both hold them:
// each caller makes one set and calls the same objects.
#pragma once
#include <string>

#include "devices/devicegroup.h"
#include "devices/fixeditems.h"
#include "files/companions.h"
#include "files/inf.h"
#include "files/sysfiles.h"
#include "sysinfo/osinfo.h"

struct CRemovalItems {
  CRemovalItems() = default;
  // `iniPath` is the settings file DrvPurge.ini beside the program.
  CRemovalItems(const std::string& winDir, const std::string& iniPath,
                const WindowsVersion& windows);

  CDeviceGroup m_sti;
  CDeviceGroup m_scsi;
  CDeviceGroup m_usb;
  CIeee1394Data m_1394;
  CEppDriver m_epp;
  CAspiRegistry m_aspi;
  CSystemFiles m_sysFiles;
  CInfFiles m_inf;
  CCompanions m_companions;
};
