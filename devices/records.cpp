#include "devices/records.h"

int LookupSelected(const CSelectionList* list, int index) {
  if (!list) return 1;
  for (const auto& entry : *list)
    if (entry->m_nIndex == index) return entry->m_bSelected;
  return 1;
}
