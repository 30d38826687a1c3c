// The maker's OEM INF packages of Windows 2000 and later: the oem*.inf files whose
// catalog entry carries the maker's mark, with their precompiled .PNF and their catalog.
#pragma once
#include <string>
#include <vector>

// The names (oem*.inf) of the maker's packages in the INF folder.
std::vector<std::string> FindOemInfs();
// Clears their attributes, pauses, and deletes each package, its .PNF and its catalog.
// Returns how many packages left something behind that would not go.
int RemoveOemInfs();
