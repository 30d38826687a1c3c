#include "app/globals.h"

int g_bGuideCancelled = 0;
int g_bShowDetail = 0;
