// Free disk space never wraps into a small number.
#include "app/core/DiskSpace.h"
#include "app/core/TempFile.h"
#include "classlib/File.h"

#include <gtest/gtest.h>

namespace {

TEST(DiskSpace, ProductIsComputedWideAndLimited)
{
    const struct
    {
        DWORD sectorsPerCluster, bytesPerSector, freeClusters, expected;
    } cases[] = {
        {8, 512, 1000, 4096000u},
        {8, 512, 524287, 2147479552u},        // just below the limit
        {8, 512, 524288, 2147483647u},        // exactly 2 GB: limited
        {8, 512, 1048576, 2147483647u},       // 4 GB free: a 32-bit product would give 0
        {64, 4096, 0xFFFFFFFFu, 2147483647u}, // would overflow even 64 bits if multiplied blindly
        {0, 512, 1000, 0u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, ClampFreeDiskSpace(c.sectorsPerCluster, c.bytesPerSector, c.freeClusters))
            << c.sectorsPerCluster << " x " << c.bytesPerSector << " x " << c.freeClusters;
}

TEST(DiskSpace, TheTemporaryFolderHasSomeRoom)
{
    const CString name = MakeTempFileName();
    EXPECT_GT(GetFreeDiskSpace(name), 0u);
    CFile::Remove(name);
}

} // namespace
