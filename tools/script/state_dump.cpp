#include "state_dump.h"

#include <cstdio>
#include <string>

#include "app/app_state.h"
#include "audio/audio_state.h"
#include "platform/music.h"
#include "results/credit.h"
#include "results/score_state.h"
#include "round/round_state.h"
#include "title/title_state.h"

namespace {

class Json {
public:
    Json& Key(const char* k) {
        Sep();
        out_ += '"';
        out_ += k;
        out_ += "\":";
        fresh_ = true;
        return *this;
    }
    Json& Int(long v) { Sep(); out_ += std::to_string(v); return *this; }
    // Asset paths only: nothing in them needs escaping.
    Json& Str(const std::string& v) { Sep(); out_ += '"' + v + '"'; return *this; }
    Json& Float(double v) {
        Sep();
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.6g", v);
        out_ += buf;
        if (out_.find_first_of(".e", out_.size() - std::string(buf).size()) == std::string::npos) out_ += ".0";
        return *this;
    }
    Json& Vec(const plat::Vec3& v) { Open('['); Float(v.x).Float(v.y).Float(v.z); return Close(']'); }
    Json& Open(char c) { Sep(); out_ += c; fresh_ = true; return *this; }
    Json& Close(char c) { out_ += c; fresh_ = false; return *this; }
    const std::string& Text() const { return out_; }

private:
    void Sep() {
        if (!fresh_ && !out_.empty()) out_ += ", ";
        fresh_ = false;
    }
    std::string out_;
    bool fresh_ = true;
};

}  // namespace

std::string DumpState() {
    Json j;
    j.Open('{');
    j.Key("Mode").Int(app.Mode);
    j.Key("SceneFlg").Int(title.SceneFlg);
    j.Key("ShotFlg").Int(game.ShotFlg);
    j.Key("ParaMode").Int(game.ParaMode);
    j.Key("PlayerNo").Int(game.PlayerNo);
    j.Key("Ninzu").Int(game.Ninzu);
    j.Key("StageNo").Int(game.StageNo);
    j.Key("SelectStageType").Int(game.SelectStageType);
    j.Key("FinishFlg").Int(game.FinishFlg);
    j.Key("FullScreenFlg").Int(app.FullScreenFlg);
    j.Key("PlayMusicFlg").Int(app.PlayMusicFlg);
    j.Key("OwariFlg").Int(app.OwariFlg);
    j.Key("PauseFlg").Int(app.PauseFlg);
    j.Key("Music").Str(plat::PlayingSegmentFile(audio.DMPerf));
    j.Key("MusicLoads").Int(long(plat::MusicFilesOpened()));
    // What moves from frame to frame in a round: all of it stands still while the game is paused.
    j.Key("turn").Open('{');
    j.Key("PrevTime").Int(long(turn.Gate.PrevTime));
    j.Key("BerGauge").Int(turn.BerGauge);
    j.Key("PowerGauge").Int(turn.PowerGauge);
    j.Key("ControlGauge").Int(turn.ControlGauge);
    j.Key("Change").Int(turn.Change);
    j.Key("YRot").Float(turn.YRot);
    j.Key("SwingRot").Float(game.SwingRot);
    j.Key("FlyPos").Vec(game.FlyPos);
    j.Key("Car").Vec(game.Lane[0][0].Pos);
    j.Close('}');
    int32_t volume = 0;
    plat::GetMasterVolume(audio.DMPerf, &volume);
    j.Key("MasterVolume").Int(volume);
    j.Key("KeyFlg").Int(game.KeyFlg);
    j.Key("score").Open('{');
    j.Key("YFlg").Int(score.YFlg).Key("AngFlg").Int(score.AngFlg).Key("CupFlg").Int(score.CupFlg);
    j.Key("JFlg").Open('[').Int(score.JFlg[0]).Int(score.JFlg[1]).Int(score.JFlg[2]).Close(']');
    j.Key("XFlg").Int(score.XFlg).Key("RockFlg").Int(score.RockFlg).Key("OnFlg1").Int(score.OnFlg1);
    j.Key("EnFlg").Int(score.EnFlg).Key("EnSize").Float(score.EnSize);
    j.Key("flg").Int(scoreFrame.flg).Key("Vol").Int(scoreFrame.Vol);
    j.Key("ScoreInitFlg").Int(scoreRun.ScoreInitFlg);
    j.Close('}');
    j.Key("credit").Open('{');
    j.Key("CreditInitFlg").Int(credit.CreditInitFlg).Key("CreditFlg").Int(credit.CreditFlg);
    j.Key("Alpha").Int(credit.Alpha).Key("SkipAlpha").Int(credit.SkipAlpha);
    j.Close('}');
    j.Key("players").Open('[');
    for (int i = 0; i < 4; ++i) {
        const auto& c = game.CharBox[i];
        j.Open('{');
        j.Key("Dasu").Open('[').Int(c.Dasu[0]).Int(c.Dasu[1]).Int(c.Dasu[2]).Close(']');
        j.Key("TotalDasu").Int(c.TotalDasu);
        j.Key("Rank").Int(c.Rank);
        j.Key("GoalFlg").Int(c.GoalFlg);
        j.Key("GiveUpFlg").Int(c.GiveUpFlg);
        j.Key("OBFlg").Int(c.OBFlg);
        j.Key("No").Int(game.No[i]);
        j.Key("Com").Int(game.CharGet[i].Com);
        j.Key("CanPos").Vec(game.Can[i].Pos);
        j.Key("Hekomi").Float(game.Can[i].Hekomi);
        j.Close('}');
    }
    j.Close(']');
    j.Close('}');
    return j.Text();
}
