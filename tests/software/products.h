// Products seeded below the Windows uninstall key for one test, and what the installed-
// software list made of them. The prefix may hold other programs' uninstall keys, so
// the tests look only at rows whose records point at keys they seeded.
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "software/softwarelist.h"

namespace software_tests {

extern const char kUninstallKey[];

std::string UninstallPath(const std::string& name);

// Creates product `name` (relative to the uninstall key, so that names of any length
// work) with the values that are not null.
void SeedProduct(const std::string& name, const char* displayName, const char* command);
void SeedSubkey(const std::string& name, const std::string& subkey);
bool ProductPresent(const std::string& name);

// Deletes the named products now and again at the end of the test, whatever their length.
class ScopedProducts {
 public:
  explicit ScopedProducts(std::vector<std::string> names);
  ~ScopedProducts();
  ScopedProducts(const ScopedProducts&) = delete;
  ScopedProducts& operator=(const ScopedProducts&) = delete;

 private:
  void Clean();
  std::vector<std::string> m_names;
};

struct Listed {
  std::string text;
  std::string command;
  std::string name;  // the subkey that the record's key path ends in
};
bool operator==(const Listed& a, const Listed& b);
std::ostream& operator<<(std::ostream& out, const Listed& listed);

// The rows of `list` that belong to `names`, in row order. Rows and records must be in
// step; a mismatch fails the calling test.
std::vector<Listed> ListedOf(const CSoftwareListBox& list, const std::vector<std::string>& names);
// The row whose record points at product `name`, or -1.
int RowOf(const CSoftwareListBox& list, const std::string& name);

}  // namespace software_tests
