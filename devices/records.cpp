#include "devices/records.h"

bool LookupSelected(const CSelectionList* list, int index) {
  if (!list) return true;
  for (const auto& entry : *list)
    if (entry->m_nIndex == index) return entry->m_bSelected;
  return true;
}

void CListedItem::SelectEveryEntry() {
  if (m_pList)
    for (auto& entry : *m_pList) entry->m_bSelected = true;
}
