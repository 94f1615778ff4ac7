#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "app/settings.h"

namespace {

std::string TempDir() {
    char tmpl[] = "/tmp/pomelane-settings-XXXXXX";
    return mkdtemp(tmpl);
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const std::string& path) {
    std::stringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

TEST(Settings, ReadsTwoFlagsAndFallsBackToZeroOnAnythingElse) {
    const struct {
        const char* text;
        int full, music;
    } cases[] = {
        {"1 0", 1, 0}, {"0 1", 0, 1}, {"1\n1\n", 1, 1}, {"0 0\n", 0, 0},
        {"", 0, 0}, {"garbage", 0, 0}, {"1", 0, 0}, {"\x01\xff\x10", 0, 0},
    };
    const std::string dir = TempDir();
    const std::string path = dir + "/data.txt";
    for (const auto& c : cases) {
        WriteFile(path, c.text);
        const Settings s = ReadSettings(path.c_str());
        EXPECT_EQ(s.FullScreenFlg, c.full) << "'" << c.text << "'";
        EXPECT_EQ(s.PlayMusicFlg, c.music) << "'" << c.text << "'";
    }
    std::remove(path.c_str());
    const Settings missing = ReadSettings(path.c_str());
    EXPECT_EQ(missing.FullScreenFlg, 0);
    EXPECT_EQ(missing.PlayMusicFlg, 0);
    rmdir(dir.c_str());
}

TEST(Settings, WritesExactlyTwoNumbersAndALineFeed) {
    const std::string dir = TempDir();
    const std::string path = dir + "/data.txt";
    ASSERT_TRUE(WriteSettings(path.c_str(), Settings{0, 0}));
    EXPECT_EQ(ReadFile(path), "0 0\n");
    ASSERT_TRUE(WriteSettings(path.c_str(), Settings{1, 0}));
    EXPECT_EQ(ReadFile(path), "1 0\n");
    EXPECT_NE(access((path + ".tmp").c_str(), F_OK), 0) << "temporary file left behind";
    std::remove(path.c_str());
    rmdir(dir.c_str());
}

TEST(Settings, AFailedWriteKeepsTheOldFile) {
    if (geteuid() == 0) {
        // root writes into read-only folders; a missing folder fails for everyone
        EXPECT_FALSE(WriteSettings("/nonexistent-folder/data.txt", Settings{1, 1}));
        return;
    }
    const std::string dir = TempDir();
    const std::string path = dir + "/data.txt";
    WriteFile(path, "1 1\n");
    chmod(dir.c_str(), 0555);
    EXPECT_FALSE(WriteSettings(path.c_str(), Settings{0, 0}));
    chmod(dir.c_str(), 0755);
    EXPECT_EQ(ReadFile(path), "1 1\n");
    std::remove(path.c_str());
    rmdir(dir.c_str());
}

}  // namespace
