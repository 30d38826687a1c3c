#include "devices/records.h"

int LookupSelected(const CSelectionList* list, int index) {
  if (!list) return 1;
  for (const auto& entry : *list)
    if (entry->m_nIndex == index) return entry->m_bSelected;
  return 1;
}

void CListedItem::SelectEveryEntry() {
  if (m_pList)
    for (auto& entry : *m_pList) entry->m_bSelected = 1;
}
