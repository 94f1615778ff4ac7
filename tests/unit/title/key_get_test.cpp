// The menus' key latch: one code per press, in a fixed order, with its sound.
#include "unit/title/title_fixture.h"

namespace titletest {
namespace {

class KeyLatch : public TitleTest {
protected:
    void SetUp() override {
        TitleTest::SetUp();
        if (IsSkipped()) return;
        LoadStartSounds();
    }
    static void Release() {
        plat::ReleaseAllKeys();
        EXPECT_EQ(KeyGet(), kKeyNone);
        EXPECT_EQ(game.KeyFlg, 0);
    }
};

TEST_F(KeyLatch, EachKeyGivesItsCodeAndSoundOncePerPress) {
    struct Case {
        int vk, code;
        plat::SoundBuffer* const (*set)[3];
    };
    const Case cases[] = {
        {plat::VK_UP, kKeyUp, &audio.lpSPochi},       {plat::VK_RIGHT, kKeyRight, &audio.lpSPochi},
        {plat::VK_DOWN, kKeyDown, &audio.lpSPochi},   {plat::VK_LEFT, kKeyLeft, &audio.lpSPochi},
        {'Z', kKeyDecide, &audio.lpSMenuEnter},       {'X', kKeyBack, &audio.lpSMiss},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        plat::AdvanceFakeClock(5000);  // every sound over
        Key(c.vk, true);
        EXPECT_EQ(KeyGet(), c.code);
        EXPECT_EQ(PlayingCount(*c.set), 1);
        for (int i = 0; i < 5; i++) EXPECT_EQ(KeyGet(), kKeyNone) << "held keys do not repeat";
        EXPECT_EQ(PlayingCount(*c.set), 1);
        Release();
        Key(c.vk, true);
        EXPECT_EQ(KeyGet(), c.code) << "a new press counts again";
        Release();
    }
}

TEST_F(KeyLatch, OnlyTheFirstOfSimultaneousKeysCountsUntilAllAreUp) {
    struct Case {
        int held, pressed, code;
    };
    // Up, Down, Right, Left, Z, X is the order of the polls.
    const Case cases[] = {
        {plat::VK_DOWN, plat::VK_UP, kKeyUp},    {plat::VK_RIGHT, plat::VK_DOWN, kKeyDown},
        {plat::VK_LEFT, plat::VK_RIGHT, kKeyRight}, {'Z', plat::VK_LEFT, kKeyLeft},
        {'X', 'Z', kKeyDecide},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        plat::AdvanceFakeClock(5000);
        Key(c.held, true);
        Key(c.pressed, true);
        EXPECT_EQ(KeyGet(), c.code);
        Key(c.pressed, false);
        EXPECT_EQ(KeyGet(), kKeyNone) << "the other key was taken together with the first";
        Key(c.held, false);
        EXPECT_EQ(KeyGet(), kKeyNone);
        EXPECT_EQ(game.KeyFlg, 0);
    }

    // Holding Left and pressing Right: Right is not recognised while Left stays down.
    Key(plat::VK_LEFT, true);
    EXPECT_EQ(KeyGet(), kKeyLeft);
    Key(plat::VK_RIGHT, true);
    EXPECT_EQ(KeyGet(), kKeyNone);
    Key(plat::VK_RIGHT, false);
    EXPECT_EQ(KeyGet(), kKeyNone);
    Release();
    Key(plat::VK_RIGHT, true);
    EXPECT_EQ(KeyGet(), kKeyRight);
}

TEST_F(KeyLatch, ZOnATakenCharacterGivesTheErrorSoundAndStillCounts) {
    title.SceneFlg = 3;
    title.CharNo = 2;
    game.Not[2] = 1;
    Key('Z', true);
    EXPECT_EQ(KeyGet(), kKeyDecide);
    EXPECT_EQ(PlayingCount(audio.lpSError), 1);
    EXPECT_EQ(PlayingCount(audio.lpSMenuEnter), 0);
    Release();

    // A free character, or a taken one on another screen, gets the decide sound.
    for (int scene : {3, 2}) {
        plat::AdvanceFakeClock(5000);
        title.CharNo = scene == 3 ? 1 : 2;
        title.SceneFlg = scene;
        Key('Z', true);
        EXPECT_EQ(KeyGet(), kKeyDecide);
        EXPECT_EQ(PlayingCount(audio.lpSError), 0);
        EXPECT_EQ(PlayingCount(audio.lpSMenuEnter), 1);
        Release();
    }

    // With all three error buffers sounding, the decide sound plays instead.
    title.SceneFlg = 3;
    title.CharNo = 2;
    for (plat::SoundBuffer* b : audio.lpSError) PlaySound(b);
    Key('Z', true);
    EXPECT_EQ(KeyGet(), kKeyDecide);
    EXPECT_EQ(PlayingCount(audio.lpSMenuEnter), 2);
}

TEST_F(KeyLatch, APressThatFindsEverySoundBusyIsLost) {
    for (int i = 0; i < 3; i++) {
        Key(plat::VK_DOWN, true);
        EXPECT_EQ(KeyGet(), kKeyDown);
        Release();
    }
    EXPECT_EQ(PlayingCount(audio.lpSPochi), 3);
    Key(plat::VK_DOWN, true);
    EXPECT_EQ(KeyGet(), kKeyNone);
    EXPECT_EQ(game.KeyFlg, 1) << "the press was taken, so nothing else counts while it is held";
    Key('X', true);
    EXPECT_EQ(KeyGet(), kKeyNone);
    Release();

    // Z still counts without a sound when both of its sets are busy.
    for (plat::SoundBuffer* b : audio.lpSMenuEnter) PlaySound(b);
    Key('Z', true);
    EXPECT_EQ(KeyGet(), kKeyDecide);
}

TEST_F(KeyLatch, OtherKeysNeitherCountNorHoldTheLatch) {
    Key(plat::VK_RETURN, true);
    Key(plat::VK_SPACE, true);
    Key('A', true);
    EXPECT_EQ(KeyGet(), kKeyNone);
    game.KeyFlg = 1;
    EXPECT_EQ(KeyGet(), kKeyNone);
    EXPECT_EQ(game.KeyFlg, 0);
    Key(plat::VK_UP, true);
    EXPECT_EQ(KeyGet(), kKeyUp);
}

TEST_F(KeyLatch, ALatchLeftByAnotherScreenNeedsOneCallWithAllKeysUp) {
    game.KeyFlg = 2;  // the score table's own value
    Key('Z', true);
    EXPECT_EQ(KeyGet(), kKeyNone);
    EXPECT_EQ(KeyGet(), kKeyNone);
    Release();
    Key('Z', true);
    EXPECT_EQ(KeyGet(), kKeyDecide);
}

}  // namespace
}  // namespace titletest
