#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/Handles.h"
#include "phone/UploadSource.h"

// A file being uploaded is read block by block; nobody may change it
// meanwhile, and a block that is not there whole is a failure.
TEST(UploadSourceTest, TheFileIsReadInWholeBlocksAndCannotBeWrittenMeanwhile)
{
    const char path[] = "upload_source.bin";
    {
        FILE* file = std::fopen(path, "wb");
        ASSERT_NE(file, nullptr);
        std::fputs("0123456789", file);
        std::fclose(file);
    }
    UploadSource missing;
    EXPECT_FALSE(missing.Open("no such file.bin"));

    {
        UploadSource source;
        ASSERT_TRUE(source.Open(path));
        EXPECT_EQ(source.Size(), 10u);
        const FileHandle writer(
            CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_FALSE(writer);
        std::string block;
        ASSERT_TRUE(source.Read(4, block));
        EXPECT_EQ(block, "0123");
        EXPECT_FALSE(source.Read(10, block));
    }
    DeleteFileA(path);
}
