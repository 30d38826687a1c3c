// Process-wide flags.
#pragma once

// Set by Cancel in either guidance dialog; start-up then ends the program.
extern int g_bGuideCancelled;
// 0 while Select All runs: the Detail dialog then shows nothing and counts as OK.
extern int g_bShowDetail;
// The main dialog's m_bNT5, for the installed-software list.
extern int g_bNT5;
