// The demo system of tests/helpers/seed_demo.cpp as the end-to-end suites use it: seeded
// under an emulated Windows version, and cleared again afterwards.
#pragma once
#include <string>

namespace e2e {

// Runs seed_demo under `version`; true when it wrote everything. On Windows 2000 and later
// the device registrations then get the access list those systems give them: an
// administrator may only read them.
bool SeedSystem(const std::string& version);

// The TWAIN libraries that Windows keeps in its own folder, which DrvPurge lists among the
// system files: written by the test, whatever Wine's set-up put there (moved aside).
void SeedTwainFiles();
// Removes whatever a seeding under any version may have left, in both the 9x and NT
// places, and puts back whatever SeedTwainFiles moved aside.
void ClearSeededSystem();

}  // namespace e2e
