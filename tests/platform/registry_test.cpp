#include <gtest/gtest.h>

#include "platform/registry.h"
#include "support/registry_fixture.h"

namespace {

// Only a key that is not there is absent: one that is there but opens for no right (another
// user's, say) is not, or a remover would drop what it failed to delete.
TEST(KeyAbsent, IsOnlyAKeyThatIsNotThere) {
  const std::string path = "Software\\DrvPurgeTests\\Locked";
  testing_support::ScopedRegistry registry({"Software\\DrvPurgeTests"});
  testing_support::CreateKey(HKEY_LOCAL_MACHINE, path);
  EXPECT_FALSE(platform::KeyAbsent(HKEY_LOCAL_MACHINE, path));
  {
    testing_support::ScopedLockedKey locked(HKEY_LOCAL_MACHINE, path);
    ASSERT_FALSE(platform::KeyExists(HKEY_LOCAL_MACHINE, path, KEY_QUERY_VALUE));
    EXPECT_FALSE(platform::KeyAbsent(HKEY_LOCAL_MACHINE, path));
  }
  testing_support::DeleteTree(HKEY_LOCAL_MACHINE, path);
  EXPECT_TRUE(platform::KeyAbsent(HKEY_LOCAL_MACHINE, path));
  EXPECT_TRUE(platform::KeyAbsent(HKEY_LOCAL_MACHINE, path + "\\Below"));
}

}  // namespace
