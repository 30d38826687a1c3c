// Placeholder bodies, replaced by the installed-software code.
#include "software/softwarelist.h"

CSoftwareListBox::~CSoftwareListBox() { FreeEntries(); }
void CSoftwareListBox::FillSoftwareList() { ResetContent(); FreeEntries(); }
void CSoftwareListBox::FreeEntries() { m_entries.clear(); }
void CSoftwareListBox::OnDblclk() {}
bool CSoftwareListBox::OnNotify(UINT code) {
  if (code != LBN_DBLCLK) return false;
  OnDblclk();
  return true;
}
