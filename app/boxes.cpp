// The removal items' records and boxes: which item a box stands for, what the program
// recorded of it, the clicks on the boxes with a Detail list and the Detail runs.
#include "app/cleanerdlg.h"
#include "app/globals.h"
#include "res/resource.h"
#include "ui/detaildlg.h"

const int CCleanerDlg::kListedBoxes[5] = {IDC_CHK_SYSFILES, IDC_CHK_STI, IDC_CHK_SCSI,
                                           IDC_CHK_INF, IDC_CHK_USB};

CListedItem* CCleanerDlg::ListedItem(int box) {
  switch (box) {
    case IDC_CHK_SYSFILES: return &m_items.m_sysFiles;
    case IDC_CHK_STI: return &m_items.m_sti;
    case IDC_CHK_SCSI: return &m_items.m_scsi;
    case IDC_CHK_INF: return &m_items.m_inf;
    case IDC_CHK_USB: return &m_items.m_usb;
    default: return nullptr;
  }
}

const CListedItem* CCleanerDlg::ListedItem(int box) const {
  return const_cast<CCleanerDlg*>(this)->ListedItem(box);
}

void CCleanerDlg::DiscardLists() {
  for (int box : kListedBoxes) ListedItem(box)->DiscardList();
}

bool CCleanerDlg::Found(int box) const {
  if (const CListedItem* item = ListedItem(box)) return item->Found();
  switch (box) {
    case IDC_CHK_EVENTMGR: return m_bEventManagerFound;
    case IDC_CHK_DETECTOR: return m_bDetectorFound;
    case IDC_CHK_EPP: return m_bEPPFound;
    case IDC_CHK_ASPI: return m_bASPIFound;
    default: return false;
  }
}

bool CCleanerDlg::Checked(int box) const {
  if (const CListedItem* item = ListedItem(box)) return item->Checked();
  return box == IDC_CHK_1394 && m_b1394Checked;
}

int CCleanerDlg::GetCheck(int id) const {
  return static_cast<int>(::SendMessageA(GetDlgItem(id), BM_GETCHECK, 0, 0));
}

void CCleanerDlg::SetCheck(int id, int state) {
  ::SendMessageA(GetDlgItem(id), BM_SETCHECK, static_cast<WPARAM>(state), 0);
  RecordBox(id);
}

// A click on a listed box toggles by the record, as the box has moved by itself when the
// click arrives; a record that disagreed with the box would put it back where it was.
void CCleanerDlg::RecordBox(int box) {
  if (CListedItem* item = ListedItem(box)) item->SetChecked(GetCheck(box) != BST_UNCHECKED);
}

// An item's Build records its box as checked; the box itself has not changed.
void CCleanerDlg::BuildList(int box) {
  ListedItem(box)->Build();
  RecordBox(box);
}

void CCleanerDlg::DisableItem(int id) const { ::EnableWindow(GetDlgItem(id), FALSE); }

void CCleanerDlg::RetireItem(int id) {
  SetCheck(id, BST_UNCHECKED);
  DisableItem(id);
}

bool CCleanerDlg::LookupSelected(const CSelectionList* list, int index) const {
  return ::LookupSelected(list, index);
}

void CCleanerDlg::UpdateCheckFromList(const CSelectionList* list) {
  if (!list) return;
  bool someSelected = false, someUnselected = false;
  for (const auto& entry : *list) {
    if (entry->m_bSelected)
      someSelected = true;
    else
      someUnselected = true;
    if (someSelected && someUnselected) break;
  }
  // A list of no other item counts as the system files'.
  int box = IDC_CHK_SYSFILES;
  for (int listed : kListedBoxes)
    if (ListedItem(listed)->List() == list) box = listed;
  if (someSelected && someUnselected)
    SetCheck(box, BST_INDETERMINATE);
  else if (someSelected)
    SetCheck(box, BST_CHECKED);
  else if (someUnselected)
    SetCheck(box, BST_UNCHECKED);
}

void CCleanerDlg::RunDetail(CListedItem& item) {
  CDetailDlg detail(item.List(), nullptr, g_bShowDetail);
  if (detail.DoModal() == IDOK) UpdateCheckFromList(item.List());
}

// The box follows the program's record, not the click; a box checked again selects every
// entry, and the first check builds the list.
void CCleanerDlg::ToggleListBox(int box) {
  CListedItem& item = *ListedItem(box);
  SetCheck(box, item.Checked() ? BST_UNCHECKED : BST_CHECKED);
  if (!item.List())
    BuildList(box);
  else if (item.Checked())
    item.SelectEveryEntry();
}

void CCleanerDlg::OnCheck1394() { m_b1394Checked = !m_b1394Checked; }

void CCleanerDlg::OnDetail(int box) {
  BuildList(box);
  RunDetail(*ListedItem(box));
}
