#include "app/globals.h"

bool g_bGuideCancelled = false;
bool g_bShowDetail = false;
