// The six screens' key handlers: cursors that wrap, who may take which character, stepping
// back over players, the computer switches, and what starting a stage sets up.
#include "unit/title/title_fixture.h"

namespace titletest {
namespace {

class Handlers : public TitleTest {
protected:
    void SetUp() override {
        TitleTest::SetUp();
        if (IsSkipped()) return;
        // The tables and start values without loading anything.
        for (int c = 0; c < 4; c++)
            for (int k = 0; k < 4; k++) title.Parameters[c][k] = 1 + (c + k) % 5;
        game.Ninzu = 1;
    }
    // Character screen with n players, nobody chosen yet.
    static void OnCharacterScreen(int n) {
        title.SceneFlg = 3;
        game.Ninzu = n;
        title.Slide.Now = title.Slide.Target = 40;
    }
    // Player p of the character screen takes character c (turning the carousel there).
    static void Take(int c) {
        title.CharNo = c;
        title.Rot = 90 * c;
        CharSelectKey(kKeyDecide, game.Ninzu);
    }
};

TEST_F(Handlers, CursorsWrapAtBothEnds) {
    struct Case {
        const char* what;
        int* value;
        void (*press)(int);
        int key, from, to;
    };
    auto ninzu = [](int k) { NinzuSelectKey(k, &game.Ninzu); };
    auto chars = [](int k) { CharSelectKey(k, game.Ninzu); };
    const Case cases[] = {
        {"menu up", &title.StartMenuFlg, StartSelectKey, kKeyUp, 0, 3},
        {"menu down", &title.StartMenuFlg, StartSelectKey, kKeyDown, 3, 0},
        {"menu down", &title.StartMenuFlg, StartSelectKey, kKeyDown, 1, 2},
        {"players up", &game.Ninzu, ninzu, kKeyUp, 1, 4},
        {"players down", &game.Ninzu, ninzu, kKeyDown, 4, 1},
        {"players down", &game.Ninzu, ninzu, kKeyDown, 2, 3},
        {"character right", &title.CharNo, chars, kKeyRight, 3, 0},
        {"character left", &title.CharNo, chars, kKeyLeft, 0, 3},
        {"mode right", &game.SelectStageType, ModeSelectKey, kKeyRight, 0, 1},
        {"mode left", &game.SelectStageType, ModeSelectKey, kKeyLeft, 1, 0},
        {"stage right", &game.StageNo, StageSelectKey, kKeyRight, 2, 0},
        {"stage left", &game.StageNo, StageSelectKey, kKeyLeft, 0, 2},
        {"stage right", &game.StageNo, StageSelectKey, kKeyRight, 0, 1},
    };
    for (const Case& c : cases) {
        *c.value = c.from;
        c.press(c.key);
        EXPECT_EQ(*c.value, c.to) << c.what << " from " << c.from;
    }
}

TEST_F(Handlers, CarouselKeysStartATurnInTheirDirectionAndShrinkTheirArrow) {
    struct Case {
        void (*press)(int);
        int key, rpuls, rot, arrow;
    };
    auto chars = [](int k) { CharSelectKey(k, 1); };
    for (const Case& c : {Case{chars, kKeyRight, 1, 99, 1}, Case{chars, kKeyLeft, -1, 81, 0},
                          Case{ModeSelectKey, kKeyRight, 1, 99, 1}, Case{StageSelectKey, kKeyLeft, -1, 81, 0}}) {
        title.Rot = 90;
        title.ArrowSize[0] = title.ArrowSize[1] = 1;
        c.press(c.key);
        EXPECT_EQ(title.RPuls, c.rpuls);
        EXPECT_EQ(title.Rot, c.rot);
        EXPECT_FLOAT_EQ(title.ArrowSize[c.arrow], 0.5f);
        EXPECT_FLOAT_EQ(title.ArrowSize[1 - c.arrow], 1.0f);
    }
}

TEST_F(Handlers, TitleMenuChoices) {
    title.SceneFlg = 1;
    title.StartMenuFlg = 0;
    StartSelectKey(kKeyDecide);
    EXPECT_EQ(title.SceneFlg, 2);
    EXPECT_EQ(title.Slide.Target, 20);
    EXPECT_EQ(title.Slide.Plus, 1);
    EXPECT_EQ(title.Onpu.Target, 20);

    title = TitleState{};
    title.SceneFlg = 1;
    title.StartMenuFlg = 1;
    StartSelectKey(kKeyDecide);
    EXPECT_EQ(title.SceneFlg, -1);
    EXPECT_EQ(title.Slide.Target, -20);
    EXPECT_EQ(title.Slide.Plus, -1);
    EXPECT_EQ(title.OptionMoji.Target, 20);

    title = TitleState{};
    title.SceneFlg = 1;
    title.StartMenuFlg = 2;
    StartSelectKey(kKeyDecide);
    EXPECT_EQ(title.FadeFlg, 1);
    EXPECT_EQ(title.SceneFlg, 1);

    // Exit stops the music first; with music off nothing is touched.
    MusicStart("Mid/Opening2.mid");
    ASSERT_EQ(Music(), "Mid/Opening2.mid");
    title.StartMenuFlg = 3;
    StartSelectKey(kKeyDecide);
    EXPECT_EQ(app.OwariFlg, 1);
    EXPECT_EQ(Music(), "");
    EXPECT_EQ(audio.DMSegment1, nullptr);
}

TEST_F(Handlers, OptionsEditTheRowUnderTheCursor) {
    title.SceneFlg = -1;
    OptionSelectKey(kKeyRight);
    EXPECT_EQ(title.OptionMusicFlg, 1);
    EXPECT_EQ(app.FullScreenFlg, 0);
    OptionSelectKey(kKeyDown);
    EXPECT_EQ(title.OptionTriangleFlg, 1);
    OptionSelectKey(kKeyDown);
    EXPECT_EQ(title.OptionTriangleFlg, 1) << "the cursor does not wrap";
    OptionSelectKey(kKeyRight);
    EXPECT_EQ(app.FullScreenFlg, 1) << "the full-screen choice is written at once";
    OptionSelectKey(kKeyLeft);
    EXPECT_EQ(app.FullScreenFlg, 0);
    OptionSelectKey(kKeyRight);
    OptionSelectKey(kKeyUp);
    OptionSelectKey(kKeyLeft);
    EXPECT_EQ(title.OptionMusicFlg, 0);
    EXPECT_EQ(app.FullScreenFlg, 1);
    OptionSelectKey(kKeyBack);
    EXPECT_EQ(title.SceneFlg, -1) << "X does nothing on the options";
}

TEST_F(Handlers, LeavingTheOptionsSwitchesTheMusicOnlyWhenTheChoiceChanged) {
    MusicStart("Mid/Opening2.mid");
    const uint32_t opened = plat::MusicFilesOpened();

    title.SceneFlg = -1;
    title.OptionMusicFlg = 0;
    OptionSelectKey(kKeyDecide);
    EXPECT_EQ(title.SceneFlg, 1);
    EXPECT_EQ(title.Slide.Target, 0);
    EXPECT_EQ(title.Slide.Plus, 1);
    EXPECT_EQ(title.OptionMoji.Plus, -1);
    EXPECT_EQ(Music(), "Mid/Opening2.mid");
    EXPECT_EQ(plat::MusicFilesOpened(), opened) << "unchanged: the music is not restarted";

    title.SceneFlg = -1;
    title.OptionMusicFlg = 1;
    OptionSelectKey(kKeyDecide);
    EXPECT_EQ(app.PlayMusicFlg, 1);
    EXPECT_EQ(Music(), "");
    EXPECT_EQ(audio.DMSegment1, nullptr);

    title.SceneFlg = -1;
    title.OptionMusicFlg = 0;
    OptionSelectKey(kKeyDecide);
    EXPECT_EQ(app.PlayMusicFlg, 0);
    EXPECT_EQ(Music(), "Mid/Opening2.mid");
    EXPECT_EQ(plat::GetRepeats(audio.DMSegment1), plat::SEG_REPEAT_INFINITE);
    EXPECT_EQ(plat::MusicFilesOpened(), opened + 1);
}

TEST_F(Handlers, PlayersScreenGoesOnOrBackResettingTheCount) {
    title.SceneFlg = 2;
    title.Slide.Now = title.Slide.Target = 20;
    game.Ninzu = 3;
    NinzuSelectKey(kKeyDecide, &game.Ninzu);
    EXPECT_EQ(title.SceneFlg, 3);
    EXPECT_EQ(game.Ninzu, 3);
    EXPECT_EQ(title.Slide.Target, 40);
    for (const _MOVE* m : {&title.CharMoji, &title.SelectMoji, &title.TitleMoji, &title.ArrowMove, &title.Onpu})
        EXPECT_EQ(m->Target, 20);

    title.SceneFlg = 2;
    title.Slide.Now = title.Slide.Target = 20;
    NinzuSelectKey(kKeyBack, &game.Ninzu);
    EXPECT_EQ(title.SceneFlg, 1);
    EXPECT_EQ(game.Ninzu, 1);
    EXPECT_EQ(title.Slide.Target, 0);
    EXPECT_EQ(title.Slide.Plus, -1);
}

TEST_F(Handlers, EachPlayersComputerSwitchIsItsOwn) {
    OnCharacterScreen(3);
    CharSelectKey(kKeyUp, 3);
    EXPECT_EQ(game.CharGet[0].Com, 1);
    EXPECT_FLOAT_EQ(title.ArrowSize[2], 0.5f);
    CharSelectKey(kKeyDown, 3);
    EXPECT_EQ(game.CharGet[0].Com, 0);
    EXPECT_FLOAT_EQ(title.ArrowSize[3], 0.5f);
    CharSelectKey(kKeyDown, 3);
    Take(0);
    EXPECT_EQ(title.SelectPlayerNo, 1);
    EXPECT_EQ(game.CharGet[1].Com, 0) << "the next player starts as it was left";
    CharSelectKey(kKeyUp, 3);
    Take(1);
    CharSelectKey(kKeyUp, 3);
    Take(2);
    for (int i = 0; i < 3; i++) EXPECT_EQ(game.CharGet[i].Com, 1) << "all may be computers";
    EXPECT_EQ(title.SelectPlayerNo, 2) << "the last player stays the one choosing";
}

TEST_F(Handlers, TakenCharactersAreRefusedAndTheLastPlayerGetsTheFreeOne) {
    OnCharacterScreen(4);
    Take(2);
    Take(0);
    Take(3);
    EXPECT_EQ(title.SelectPlayerNo, 3);
    for (int c : {0, 2, 3}) {
        Take(c);
        EXPECT_EQ(game.Player[3].DecideFlg, 0) << "character " << c << " is taken";
        EXPECT_EQ(game.Not[c], 1);
    }
    EXPECT_EQ(game.Not[1], 0);
    Take(1);
    EXPECT_EQ(game.Player[3].DecideFlg, 1);
    EXPECT_EQ(game.Player[3].CharaNo, 1);
    const int want[4] = {2, 0, 3, 1};
    for (int i = 0; i < 4; i++) EXPECT_EQ(game.Player[i].CharaNo, want[i]);
}

TEST_F(Handlers, SteppingBackUndoesThePreviousPlayersPickAndSwitch) {
    OnCharacterScreen(3);
    CharSelectKey(kKeyUp, 3);  // player 1 is a computer
    Take(1);
    CharSelectKey(kKeyUp, 3);  // so is player 2
    Take(3);
    CharSelectKey(kKeyUp, 3);  // and player 3, who is choosing now
    ASSERT_EQ(title.SelectPlayerNo, 2);

    CharSelectKey(kKeyBack, 3);
    EXPECT_EQ(title.SelectPlayerNo, 1);
    EXPECT_EQ(game.Player[1].DecideFlg, 0);
    EXPECT_EQ(game.Player[1].CharaNo, 0);
    EXPECT_EQ(game.Not[3], 0) << "character 3 is free again";
    EXPECT_EQ(game.CharGet[1].Com, 0) << "the undone player's switch is cleared";
    EXPECT_EQ(game.CharGet[2].Com, 1) << "the player stepped back from keeps its switch";
    EXPECT_EQ(game.Not[1], 1);

    CharSelectKey(kKeyBack, 3);
    EXPECT_EQ(title.SelectPlayerNo, 0);
    EXPECT_EQ(game.Not[1], 0);
    EXPECT_EQ(game.CharGet[0].Com, 0);
    EXPECT_EQ(title.SceneFlg, 3) << "player 1's own pick undone, still on the screen";

    // Nobody chosen: X leaves for the players screen.
    CharSelectKey(kKeyUp, 3);
    title.CharNo = 2;
    title.Rot = 180;
    CharSelectKey(kKeyBack, 3);
    EXPECT_EQ(title.SceneFlg, 2);
    EXPECT_EQ(title.Rot, 0);
    EXPECT_EQ(title.CharNo, 0);
    EXPECT_EQ(title.Slide.Target, 20);
    EXPECT_EQ(game.CharGet[0].Com, 0);
    EXPECT_EQ(game.CharGet[2].Com, 1) << "only the first player's switch is cleared";
    for (const _MOVE* m : {&title.CharMoji, &title.SelectMoji, &title.TitleMoji, &title.ArrowMove, &title.Onpu}) {
        EXPECT_EQ(m->Target, 0);
        EXPECT_EQ(m->Plus, -1);
    }
}

TEST_F(Handlers, TheEndOfSelectionHandsEachPlayerItsCharacter) {
    OnCharacterScreen(2);
    CharSelectKey(kKeyUp, 2);
    Take(3);
    Take(1);
    game.CharGet[1].PowerShot = 99;
    CharSelectEnd();
    EXPECT_EQ(title.SceneFlg, 4);
    EXPECT_EQ(title.Rot, 0);
    EXPECT_EQ(title.Slide.Target, 60);
    EXPECT_EQ(title.ModeMoji.Target, 20);
    EXPECT_EQ(title.CharMoji.Target, 0);
    EXPECT_EQ(game.No[0], 3);
    EXPECT_EQ(game.No[1], 1);
    for (int i = 0; i < 2; i++) {
        const int c = game.No[i];
        const CharParameter& g = game.CharGet[i];
        EXPECT_EQ(g.Power, title.Parameters[c][0]);
        EXPECT_EQ(g.Control, title.Parameters[c][1]);
        EXPECT_EQ(g.PowerShot, title.Parameters[c][2]);
        EXPECT_EQ(g.Luck, title.Parameters[c][3]);
    }
    EXPECT_EQ(game.CharGet[0].Com, 1);
    EXPECT_EQ(game.CharGet[1].Com, 0);

    // X on the mode screen undoes only the last pick and turns the carousel back to it.
    game.SelectStageType = 1;
    title.SelectPlayerNo = 1;
    ModeSelectKey(kKeyBack);
    EXPECT_EQ(title.SceneFlg, 3);
    EXPECT_EQ(title.Rot, 90);
    EXPECT_EQ(game.SelectStageType, 0);
    EXPECT_EQ(game.Player[1].DecideFlg, 0);
    EXPECT_EQ(game.Not[1], 0);
    EXPECT_EQ(game.Player[0].DecideFlg, 1);
    EXPECT_EQ(game.Not[3], 1);
    EXPECT_EQ(title.CharMoji.Target, 20);
}

TEST_F(Handlers, FreePlayGoesToTheStageScreenAtTheStageLastShown) {
    title.SceneFlg = 4;
    game.StageNo = 2;
    ModeSelectKey(kKeyDecide);
    EXPECT_EQ(title.SceneFlg, 5);
    EXPECT_EQ(title.Rot, 180);
    EXPECT_EQ(title.StageMoji.Target, 20);
    EXPECT_EQ(title.ModeMoji.Target, 0);

    StageSelectKey(kKeyBack);
    EXPECT_EQ(title.SceneFlg, 4);
    EXPECT_EQ(title.Rot, 0);
    EXPECT_EQ(title.ModeMoji.Target, 20);
    EXPECT_EQ(game.StageNo, 2) << "the stage shown stays chosen";
}

TEST_F(Handlers, StartingAStageLoadsItWithItsMusicAndTheRoundsLight) {
    struct Case {
        int type, stage;
        const char* music;
    };
    for (const Case& c : {Case{1, 0, "Mid/town1.mid"}, Case{0, 1, "Mid/town2.mid"}, Case{1, 2, "Mid/town3.mid"}}) {
        SCOPED_TRACE(c.stage);
        MusicChange("Mid/Opening2.mid");
        game.SelectStageType = c.type;
        game.StageNo = c.stage;
        title.SceneFlg = c.type == 1 ? 4 : 5;
        if (c.type == 1) ModeSelectKey(kKeyDecide);
        else StageSelectKey(kKeyDecide);
        EXPECT_EQ(title.SceneFlg, 6);
        EXPECT_EQ(game.StageNo, c.stage) << "a mission starts at the stage StageNo holds";
        EXPECT_NE(game.Stage.lpMesh, nullptr);
        EXPECT_EQ(Music(), c.music);
        EXPECT_EQ(plat::GetRepeats(audio.DMSegment1), plat::SEG_REPEAT_INFINITE);
        const plat::Light l = device->GetLight(0);
        EXPECT_FLOAT_EQ(l.Ambient.r, 0.5f);
        EXPECT_FLOAT_EQ(l.Direction.x, 1.0f);
        EXPECT_TRUE(device->GetLightEnable(0));
        ReleaseMesh(&game.Stage);
        for (XFILE& t : game.Track) ReleaseMesh(&t);
    }

    // With music off nothing is played.
    MusicStop();
    app.PlayMusicFlg = 1;
    title.SceneFlg = 5;
    StageSelectKey(kKeyDecide);
    EXPECT_EQ(Music(), "");
    EXPECT_NE(game.Stage.lpMesh, nullptr);
}

TEST_F(Handlers, CodesAScreenHasNoUseForChangeNothing) {
    title.SceneFlg = 1;
    StartSelectKey(kKeyLeft);
    StartSelectKey(kKeyRight);
    StartSelectKey(kKeyBack);
    NinzuSelectKey(kKeyLeft, &game.Ninzu);
    NinzuSelectKey(kKeyRight, &game.Ninzu);
    ModeSelectKey(kKeyUp);
    ModeSelectKey(kKeyDown);
    StageSelectKey(kKeyUp);
    StageSelectKey(kKeyDown);
    for (void (*h)(int) : {StartSelectKey, OptionSelectKey, ModeSelectKey, StageSelectKey}) h(kKeyNone);
    CharSelectKey(kKeyNone, 1);
    EXPECT_EQ(title.SceneFlg, 1);
    EXPECT_EQ(title.StartMenuFlg, 0);
    EXPECT_EQ(game.Ninzu, 1);
    EXPECT_EQ(game.SelectStageType, 0);
    EXPECT_EQ(game.StageNo, 0);
    EXPECT_EQ(title.Rot, 0);
    EXPECT_EQ(title.Slide.Target, 0);
}

}  // namespace
}  // namespace titletest
