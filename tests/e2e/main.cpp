// The end-to-end suite's entry point. Besides running the tests it has modes that other
// steps use: see modes.h.
#include <gtest/gtest.h>

#include <cstring>

#include "e2e/driver.h"
#include "e2e/modes.h"

namespace {

// The suite changes the Windows version Wine reports to DrvPurge.exe; put it back.
class EmulatedVersionGuard : public ::testing::Environment {
 public:
  void SetUp() override { m_saved = e2e::EmulatedVersion(kProgram); }
  void TearDown() override { e2e::SetEmulatedVersion(kProgram, m_saved); }

 private:
  static constexpr const char* kProgram = "DrvPurge.exe";
  std::string m_saved;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strncmp(argv[1], "--mode=", 7) == 0)
    return e2e::RunMode(argv[1] + 7, argc - 2, argv + 2);
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new EmulatedVersionGuard);
  return RUN_ALL_TESTS();
}
