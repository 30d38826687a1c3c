// Process-wide flags; only app/ sets or reads them.
#pragma once

// Set by Cancel in either guidance dialog; start-up then ends the program.
extern bool g_bGuideCancelled;
// False while Select All runs: the Detail dialog then shows nothing and counts as OK.
extern bool g_bShowDetail;
