// The demo system of tests/helpers/seed_demo.cpp as the end-to-end suites use it: seeded
// under an emulated Windows version, and cleared again afterwards.
#pragma once
#include <string>

namespace e2e {

// Runs seed_demo under `version`; true when it wrote everything.
bool SeedSystem(const std::string& version);

// Removes whatever a seeding under any version may have left, in both the 9x and NT
// places, and puts back Wine's own TWAIN files from the copies KeepTwainFiles made.
void ClearSeededSystem();
void KeepTwainFiles();

}  // namespace e2e
