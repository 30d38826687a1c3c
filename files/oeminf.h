// The maker's OEM INF packages of Windows 2000 and later: the oem*.inf files whose
// catalog entry carries the maker's mark, with their precompiled .PNF and their catalog.
#pragma once
#include <string>
#include <vector>

// The names (oem*.inf) of the maker's packages in the INF folder.
std::vector<std::string> FindOemInfs();
// The full paths of the files of those packages that are there, in the order of their
// deletion: each package's .PNF, its catalog, its .inf.
std::vector<std::string> OemInfFiles();
// Deletes each package whole or leaves it findable: its .PNF and its catalog first, and its
// .inf, which carries the mark, only once both went. Each file loses its read-only and
// hidden attributes just before its deletion. Returns how many packages stay; `reasons`
// receives the StayReason bits of what would not go.
int RemoveOemInfs(unsigned* reasons = nullptr);
