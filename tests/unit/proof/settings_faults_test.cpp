// data.txt when its writing goes wrong: a process killed at any moment of the write, and a
// write that the file system refuses (a file size limit of 0, as a full disk refuses it).
// Either way the settings that were there survive whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "app/settings.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class SettingsFaults : public testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/pomelane-settings-XXXXXX";
        dir_ = mkdtemp(tmpl);
        file_ = (dir_ / "data.txt").string();
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
    std::string file_;
};

TEST_F(SettingsFaults, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewSettingsWhole) {
    ASSERT_TRUE(WriteSettings(file_.c_str(), Settings{1, 0}));
    std::mt19937 rng(7);
    int killedMidway = 0;
    for (int round = 0; round < 150; ++round) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Writes the two settings in turn until it is killed; says when it has begun.
            WriteSettings(file_.c_str(), Settings{0, 1});
            if (write(ready[1], "x", 1) != 1) _exit(1);
            for (uint8_t k = 0;; k ^= 1) WriteSettings(file_.c_str(), Settings{k, uint8_t(k ^ 1)});
        }
        char c;
        ASSERT_EQ(read(ready[0], &c, 1), 1);
        close(ready[0]);
        close(ready[1]);
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 2000));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const std::string text = ReadText(file_);
        ASSERT_TRUE(text == "1 0\n" || text == "0 1\n") << "after kill " << round << ": '" << text << "'";
        killedMidway += fs::exists(file_ + ".tmp");
    }
    // The kills did land inside writes: a temporary file was left behind by some of them, and
    // it never took the place of data.txt.
    EXPECT_GT(killedMidway, 0);
}

TEST_F(SettingsFaults, ARefusedWriteKeepsTheSettingsAndSaysWhy) {
    ASSERT_TRUE(WriteSettings(file_.c_str(), Settings{1, 1}));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // No file may grow: the write fails (EFBIG) as on a full disk, instead of killing us.
        signal(SIGXFSZ, SIG_IGN);
        rlimit none{0, 0};
        setrlimit(RLIMIT_FSIZE, &none);
        const bool wrote = WriteSettings(file_.c_str(), Settings{0, 0});
        _exit(wrote ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "WriteSettings reports the failure";
    EXPECT_EQ(ReadText(file_), "1 1\n");
    EXPECT_FALSE(fs::exists(file_ + ".tmp")) << "no temporary file is left behind";
    const Settings s = ReadSettings(file_.c_str());
    EXPECT_EQ(s.FullScreenFlg, 1);
    EXPECT_EQ(s.PlayMusicFlg, 1);
}

}  // namespace
