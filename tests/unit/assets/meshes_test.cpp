// The built meshes: every file the game opens loads with non-empty subsets, the models have the
// sizes their cameras need, the stages keep the coordinates the game fixes, and a can played
// with the game's own flight rules can hole out on every stage.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "common/matrices.h"
#include "play/flight.h"
#include "platform/mesh.h"
#include "round/game.h"
#include "round/round_state.h"

namespace {

using plat::Matrix;
using plat::Vec3;
using test::Identity;
using test::RotY;
using test::RotZ;
using test::Translate;

const std::string kRoot = POMELANE_ASSETS;

// Every mesh the game opens.
const char* const kMeshFiles[] = {
    "XFile/Sky.x", "XFile/Stage1.x", "XFile/Stage2.x", "XFile/Stage3.x",
    "XFile/Track1.x", "XFile/Track2.x", "XFile/Track3.x", "XFile/Track4.x",
    "XFile/Arrow.x", "XFile/Can.x",
    "XFile/Foot1.x", "XFile/Body1.x", "XFile/Head1.x", "XFile/ManRightHand.x",
    "XFile/Foot2.x", "XFile/Body2.x", "XFile/Head2.x", "XFile/GirlRightHand.x",
    "XFile/Foot3.x", "XFile/Body3.x", "XFile/Head3.x", "XFile/SalaryRightHand.x",
    "XFile/Foot4.x", "XFile/Body4.x", "XFile/Head4.x", "XFile/ChefRightHand.x",
    "XFile/StageSelect/steation.x", "XFile/StageSelect/bridge.x", "XFile/StageSelect/school.x",
    "XFile/Ending/list.x", "XFile/Ending/jimen.x", "XFile/Ending/biri.x", "XFile/Ending/kyu.x",
    "XFile/Ending/Naku.x", "XFile/Ending/Futuu.x",
    "XFile/Ending/cup0.x", "XFile/Ending/cup1.x", "XFile/Ending/cup2.x",
    "XFile/Ending/Man.x", "XFile/Ending/Man Asi Hidari.x", "XFile/Ending/Man Asi Migi.x",
    "XFile/Ending/Girl.x", "XFile/Ending/Girl Asi Hidari.x", "XFile/Ending/Girl Asi Migi.x",
    "XFile/Ending/Sara.x", "XFile/Ending/Sara Asi Hidari.x", "XFile/Ending/Sara Asi Migi.x",
    "XFile/Ending/Shef.x", "XFile/Ending/Shef Asi Hidari.x", "XFile/Ending/Shef Asi Migi.x",
};

// --- Loading and ray queries through the platform -----------------------------------------

std::unique_ptr<plat::Mesh> Load(const std::string& file) {
    return std::unique_ptr<plat::Mesh>(plat::LoadXMesh(kRoot + "/" + file));
}

std::string Text(const std::string& file) {
    std::ifstream in(kRoot + "/" + file, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Nearest hit along a unit direction, either face.
bool Ray(const plat::Mesh& m, Vec3 o, Vec3 d, float* dist) {
    bool hit = false;
    return plat::IntersectMesh(&m, o, d, &hit, dist) && hit;
}

inline float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline float Len(Vec3 a) { return std::sqrt(Dot(a, a)); }

// --- The can's flight, by the game's own code --------------------------------------------

struct Box3 {
    Vec3 lo, hi;
};
const Box3 kGoal[3] = {
    {{-320, 811, 2600}, {1660, 1500, 3500}},
    {{-550, 0, 2500}, {1990, 1300, 4900}},
    {{-155, 0, 2060}, {-90, 50, 2095}},
};

struct Shot {
    float heading;  // degrees, 0 along +z
    int angle;      // impact angle, 0 along the ground
    int power;      // power gauge, 0 strongest
    int level = 1;
};

struct Trace {
    enum How { kRest, kGoal, kOut, kTooLong } how = kTooLong;
    Vec3 pos;                // where the can ended
    std::vector<Vec3> path;  // its position after every frame, from where it was struck
};

// The zones that end a shot out of bounds: in flight, and for a can at rest on stage 1.
bool OutInFlight(int stage, Vec3 p) {
    if (p.y < -10) return true;
    if (stage == 1 && (p.x >= 3250 || p.x <= -3200)) return true;
    return stage == 2 && p.z >= 2060 && p.z <= 2095 && p.y <= 50 &&
           ((p.x >= -76 && p.x <= -22) || (p.x >= -230 && p.x <= -177));
}
bool OutAtRest(int stage, Vec3 p) { return stage == 1 && p.z > 350 && p.z < 1560 && p.y < 280; }

// A round with one player (the man: power 3) on a stage, no wind and no traffic: each shot is
// played from where the last one stopped by the game's own flight step, frame by frame.
class Round {
public:
    Round(int stageNo, plat::Mesh* stage) {
        game = GameState{};
        game.StageNo = stageNo;
        game.Stage.lpMesh = stage;
        game.Judge.Min = kGoal[stageNo].lo;
        game.Judge.Max = kGoal[stageNo].hi;
        game.Character.Power = 3;
        game.Character.Control = 2;
        game.Character.Luck = 4;
        can_.reset(plat::LoadXMesh(kRoot + "/XFile/Can.x"));
        game.Can[0].Mesh.lpMesh = can_.get();
        game.Can[0].Pos = {0, 7, 0};
    }
    ~Round() {
        game.Stage.lpMesh = nullptr;
        game.Can[0].Mesh.lpMesh = nullptr;
        game = GameState{};
    }

    Trace Play(const Shot& shot) {
        Trace tr;
        _CAN& can = game.Can[0];
        can.Pos.y += 3;  // stood up to be struck
        can.Dir = shot.heading;
        can.Lean = 0;
        game.jumpFlg = 0;
        game.CanRollingFlg = 0;
        game.FlyPos = {};
        game.ShotFlg = 6;
        tr.path.push_back(can.Pos);
        for (int frame = 0; frame < 3000; ++frame) {
            tama(shot.angle, shot.power, 100, shot.level);
            tr.path.push_back(can.Pos);
            if (Goal()) {
                tr.how = Trace::kGoal;
                break;
            }
            if (OutInFlight(game.StageNo, can.Pos)) {
                tr.how = Trace::kOut;
                break;
            }
            if (game.ShotFlg == 7) {
                tr.how = OutAtRest(game.StageNo, can.Pos) ? Trace::kOut : Trace::kRest;
                break;
            }
        }
        tr.pos = can.Pos;
        return tr;
    }

private:
    std::unique_ptr<plat::Mesh> can_;
};


// Every vertex of a mesh placed by a matrix.
std::vector<Vec3> Placed(const plat::Mesh& m, const Matrix& w) {
    std::vector<Vec3> out;
    for (const auto& v : m.vertices) {
        Vec3 p;
        plat::Vec3TransformCoord(&p, &v.pos, &w);
        out.push_back(p);
    }
    return out;
}

struct Bounds {
    Vec3 lo{1e30f, 1e30f, 1e30f}, hi{-1e30f, -1e30f, -1e30f};
    void Add(Vec3 p) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    Vec3 Size() const { return hi - lo; }
};
Bounds BoundsOf(const std::vector<Vec3>& pts) {
    Bounds b;
    for (const Vec3& p : pts) b.Add(p);
    return b;
}
Bounds BoundsOf(const plat::Mesh& m) { return BoundsOf(Placed(m, Identity())); }

// The subset whose material glows most in the given channel mix (lamps, for instance).
int BrightestSubset(const plat::Mesh& m, float r, float g, float b) {
    int best = -1;
    float most = -1;
    for (size_t i = 0; i < m.materials.size(); ++i) {
        const auto& e = m.materials[i].material.Emissive;
        float v = e.r * r + e.g * g + e.b * b;
        if (v > most) most = v, best = int(i);
    }
    return best;
}
Vec3 SubsetCentre(const plat::Mesh& m, int subset) {
    Vec3 c;
    const auto& s = m.subsets[subset];
    for (unsigned i = 0; i < s.indexCount; ++i) c += m.vertices[m.indices[s.firstIndex + i]].pos;
    return c / float(s.indexCount);
}

}  // namespace

TEST(MeshAssets, EveryFileTheGameOpensLoadsWithNonEmptySubsets) {
    for (const char* file : kMeshFiles) {
        SCOPED_TRACE(file);
        auto m = Load(file);
        ASSERT_TRUE(m) << "cannot load";
        ASSERT_GE(m->subsets.size(), 1u);
        EXPECT_EQ(m->subsets.size(), m->materials.size()) << "one subset per material";
        for (const auto& s : m->subsets) {
            EXPECT_GT(s.indexCount, 0u);
            EXPECT_EQ(s.indexCount % 3, 0u);
        }
        for (uint32_t i : m->indices) ASSERT_LT(i, m->NumVertices());
        for (const auto& v : m->vertices) ASSERT_NEAR(Len(v.normal), 1.0f, 1e-3f);
        for (const auto& mm : m->materials) EXPECT_EQ(mm.material.Diffuse.a, 1.0f);
    }
}

TEST(MeshAssets, FilesAreTextWithMaterialsNormalsUvsAndTextureNamesFromTheAssetTree) {
    std::set<std::string> textures;
    for (const char* file : kMeshFiles) {
        SCOPED_TRACE(file);
        std::string t = Text(file);
        EXPECT_EQ(t.rfind("xof 0303txt 0032", 0), 0u);
        for (const char* part : {"MeshMaterialList", "MeshNormals", "MeshTextureCoords"})
            EXPECT_NE(t.find(part), std::string::npos) << part;
        auto m = Load(file);
        ASSERT_TRUE(m);
        for (const auto& mm : m->materials)
            if (!mm.textureFile.empty()) textures.insert(mm.textureFile);
    }
    for (const std::string& tex : textures) {
        EXPECT_EQ(tex.rfind("XFile/tex/", 0), 0u) << tex;
        EXPECT_EQ(tex.substr(tex.size() - 4), ".bmp") << tex;
    }
    EXPECT_TRUE(textures.count("XFile/tex/Sky.bmp"));
    auto can = Load("XFile/Can.x");
    for (const auto& mm : can->materials) EXPECT_TRUE(mm.textureFile.empty()) << "the game puts the label on";
}

TEST(MeshAssets, TheBuilderWritesTheSameBytesEveryTime) {
    const std::string builder = kRoot + "/../pomelane-assets";
    if (!std::ifstream(builder)) GTEST_SKIP() << "no builder beside the asset tree";
    const std::string again = testing::TempDir() + "meshes_again";
    ASSERT_EQ(std::system((builder + " " + again + " >/dev/null 2>&1").c_str()), 0);
    for (const char* file : kMeshFiles) {
        std::ifstream a(kRoot + "/" + file, std::ios::binary), b(again + "/" + file, std::ios::binary);
        std::stringstream sa, sb;
        sa << a.rdbuf();
        sb << b.rdbuf();
        EXPECT_TRUE(sa.str() == sb.str() && !sa.str().empty()) << file;
    }
}

// Every edge of a closed, consistently wound surface is crossed once each way.
TEST(MeshAssets, ModelsAreClosedAndFaceOutwards) {
    struct Case {
        const char* file;
        int facing;  // +1 outwards, -1 inwards (seen from inside)
    };
    std::vector<Case> cases{{"XFile/Sky.x", -1}, {"XFile/Can.x", 1}, {"XFile/Arrow.x", 1}};
    for (const char* f : kMeshFiles) {
        std::string s = f;
        if (s.find("Stage") == std::string::npos && s != "XFile/Sky.x" && s != "XFile/Can.x" && s != "XFile/Arrow.x")
            cases.push_back({f, 1});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        auto m = Load(c.file);
        ASSERT_TRUE(m);
        std::map<std::pair<std::tuple<float, float, float>, std::tuple<float, float, float>>, int> edges;
        double volume = 0;
        for (size_t i = 0; i + 2 < m->indices.size(); i += 3) {
            Vec3 p[3];
            for (int k = 0; k < 3; ++k) p[k] = m->vertices[m->indices[i + k]].pos;
            volume += Dot(p[0], Cross(p[1], p[2])) / 6;
            for (int k = 0; k < 3; ++k) {
                Vec3 a = p[k], b = p[(k + 1) % 3];
                if (a == b) continue;
                edges[{{a.x, a.y, a.z}, {b.x, b.y, b.z}}] += 1;
                edges[{{b.x, b.y, b.z}, {a.x, a.y, a.z}}] -= 1;
            }
        }
        int open = 0;
        for (const auto& [e, n] : edges) open += n != 0;
        EXPECT_EQ(open, 0) << "edges without a partner";
        EXPECT_GT(volume * c.facing, 0) << "faces must wind clockwise seen from the side they face";
    }
}

TEST(MeshAssets, CharactersStandAbout75TallAndTheUmbrellaMeetsTheCan) {
    for (int no = 0; no < 4; ++no) {
        SCOPED_TRACE(no);
        std::string n = std::to_string(no + 1);
        auto foot = Load("XFile/Foot" + n + ".x"), body = Load("XFile/Body" + n + ".x"), head = Load("XFile/Head" + n + ".x");
        ASSERT_TRUE(foot && body && head);
        // At impact (SwingRot 0): the body turned 5 degrees, both leaned 27 towards the can.
        Matrix bodyAt = RotY(5) * RotZ(-27) * Translate(3, 39.2f, 0), headAt = RotZ(-27) * Translate(3, 60, 0);
        Bounds all = BoundsOf(*foot);
        std::vector<Vec3> bodyPts = Placed(*body, bodyAt), headPts = Placed(*head, headAt);
        for (const Vec3& p : bodyPts) all.Add(p);
        Bounds headBox = BoundsOf(headPts);
        for (const Vec3& p : headPts) all.Add(p);
        EXPECT_NEAR(all.lo.y, 0, 0.01f) << "soles on the floor";
        EXPECT_GE(all.hi.y, 74);
        EXPECT_LE(all.hi.y, no == 3 ? 100 : 82) << "the cook's toque may stand higher";
        EXPECT_LT(headBox.hi.x, 40) << "nothing but the umbrella near the can";
        float nearest = 1e9f;
        for (const Vec3& p : bodyPts) nearest = std::min(nearest, Len(p - Vec3(80, 10, 0)));
        EXPECT_LT(nearest, 7) << "the umbrella's tip reaches into the can at impact";
        // The head's neck meets the body's neck top.
        Vec3 neckHead, neckBody, a(9.44f, 1.47f, 0), b(0, 20, 0);
        plat::Vec3TransformCoord(&neckHead, &a, &headAt);
        Matrix bodyRest = RotZ(-27) * Translate(3, 39.2f, 0);
        plat::Vec3TransformCoord(&neckBody, &b, &bodyRest);
        EXPECT_LT(Len(neckHead - neckBody), 0.05f);
        // The hand reaches the lying can from 20 left, 15 up and 10 nearer, turned -45.
        const char* hands[4] = {"Man", "Girl", "Salary", "Chef"};
        auto hand = Load(std::string("XFile/") + hands[no] + "RightHand.x");
        ASSERT_TRUE(hand);
        Bounds hb = BoundsOf(*hand);
        EXPECT_GE(hb.hi.x, 18);
        EXPECT_LE(hb.hi.x, 26);
    }
}

TEST(MeshAssets, CanCarsArrowSkyAndPreviewsHaveTheirSizes) {
    auto can = Load("XFile/Can.x");
    Bounds cb = BoundsOf(*can);
    EXPECT_NEAR(cb.lo.y, -10, 0.01f);
    EXPECT_NEAR(cb.hi.y, 10, 0.01f);
    EXPECT_NEAR(cb.Size().x, 14, 0.01f);
    EXPECT_NEAR(cb.Size().z, 14, 0.01f);
    EXPECT_GE(can->NumVertices(), 250u);
    EXPECT_LE(can->NumVertices(), 600u);
    float vMin = 1, vMax = 0;
    for (const auto& v : can->vertices) {
        EXPECT_GE(v.uv.x, 0);
        EXPECT_LE(v.uv.x, 1);
        vMin = std::min(vMin, v.uv.y), vMax = std::max(vMax, v.uv.y);
    }
    EXPECT_EQ(vMin, 0);
    EXPECT_EQ(vMax, 1);

    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        auto car = Load("XFile/Track" + std::to_string(i + 1) + ".x");
        ASSERT_TRUE(car);
        Bounds b = BoundsOf(*car);
        EXPECT_NEAR(b.lo.y, 0, 0.01f) << "wheels on the road";
        EXPECT_LT(b.Size().x, 700);
        EXPECT_LE(b.Size().z, 220);
        EXPECT_LT(b.hi.y, 250) << "clear of the footbridge";
        EXPECT_LT(std::fabs(b.lo.x + b.hi.x), 10);
        EXPECT_LT(std::fabs(b.lo.z + b.hi.z), 10);
        float front = SubsetCentre(*car, BrightestSubset(*car, 0, 1, 0)).x;  // the headlights
        EXPECT_EQ(front > 0, i >= 2) << "lanes 0 and 1 run towards -x, 2 and 3 towards +x";
    }

    auto arrow = Load("XFile/Arrow.x");
    Bounds ab = BoundsOf(*arrow);
    EXPECT_GE(ab.Size().z, 70);
    EXPECT_LE(ab.Size().z, 80);
    for (const auto& v : arrow->vertices) EXPECT_LT(Len(v.pos), 45);
    float widestAhead = 0, widestBehind = 0;
    for (const auto& v : arrow->vertices) {
        float& widest = v.pos.z > 0 ? widestAhead : widestBehind;
        widest = std::max(widest, std::fabs(v.pos.x));
    }
    EXPECT_GT(widestAhead, widestBehind) << "the head is at +z";

    auto sky = Load("XFile/Sky.x");
    for (const auto& v : sky->vertices) {
        ASSERT_NEAR(Len(v.pos), 1000, 1);
        ASSERT_LT(Dot(v.normal, v.pos), 0) << "normals face the inside";
    }
    EXPECT_EQ(sky->materials[0].material.Emissive.r, 1.0f);

    for (const char* f : {"XFile/StageSelect/steation.x", "XFile/StageSelect/bridge.x", "XFile/StageSelect/school.x"}) {
        SCOPED_TRACE(f);
        Bounds b = BoundsOf(*Load(f));
        EXPECT_NEAR(std::hypot(b.Size().x, b.Size().z) / 2, 1.55f, 0.1f) << "the plinth's corners reach";
        EXPECT_LT(std::fabs(b.lo.x + b.hi.x), 0.1f);
        EXPECT_LT(std::fabs(b.lo.z + b.hi.z), 0.1f);
        EXPECT_GE(b.lo.y, -1.0f);
        EXPECT_GE(b.Size().y, 0.7f);
        EXPECT_LE(b.Size().y, 2.6f);
    }
}

// The highlighted stage preview spins at the carousel's front slot (world (-10, -5, 22.68),
// scale 7, tilted 20 degrees) under the title camera: at every turn it stays on the screen,
// below the heading.
TEST(MeshAssets, TheSpinningStagePreviewStaysOnTheScreen) {
    Matrix view, proj, scale, tilt;
    const Vec3 eye(0, 0, -10), at(0, 0, -9), up(0, 1, 0);
    plat::MatrixLookAtLH(&view, &eye, &at, &up);
    plat::MatrixPerspectiveFovLH(&proj, 60 * plat::kDegToRad, 4.0f / 3, 1, 15000);
    plat::MatrixScaling(&scale, 7, 7, 7);
    plat::MatrixRotationX(&tilt, -20 * plat::kDegToRad);
    plat::Viewport vp;
    vp.Width = 640;
    vp.Height = 480;
    for (const char* f : {"XFile/StageSelect/steation.x", "XFile/StageSelect/bridge.x", "XFile/StageSelect/school.x"}) {
        SCOPED_TRACE(f);
        auto mesh = Load(f);
        Bounds screen;
        for (int turn = 0; turn < 360; turn += 5) {
            const Matrix world = RotY(float(turn)) * scale * tilt * Translate(-10, -5, 22.68f);
            for (const auto& v : mesh->vertices) {
                Vec3 s;
                plat::Vec3Project(&s, &v.pos, &vp, &proj, &view, &world);
                screen.Add(s);
            }
        }
        EXPECT_GE(screen.lo.x, 4.0f);
        EXPECT_GE(screen.lo.y, 90.0f);
        EXPECT_LE(screen.hi.y, 476.0f);
        EXPECT_GE(screen.hi.x - screen.lo.x, 240.0f) << "big enough to read";
    }
}

TEST(MeshAssets, TheEndingSetStandsOnItsGround) {
    auto podium = Load("XFile/Ending/list.x");
    float d;
    const float tops[3][2] = {{0, 1.15f}, {-1, 0.775f}, {1, 0.6f}};
    for (const auto& t : tops) {
        ASSERT_TRUE(Ray(*podium, {t[0], 5, -0.4f}, {0, -1, 0}, &d));
        EXPECT_NEAR(5 - d, t[1], 0.001f) << "step at x " << t[0];
    }
    EXPECT_NEAR(BoundsOf(*podium).lo.y, 0, 0.001f);
    EXPECT_GE(BoundsOf(*podium).lo.z, -0.6f) << "in front of the walking line";

    auto ground = Load("XFile/Ending/jimen.x");
    for (Vec3 world : {Vec3(-15, 0, -5), Vec3(0, 0, -4), Vec3(7, 0, -11), Vec3(5, 0, -6)}) {
        Vec3 model((world.x - 0) / 7, 5, (world.z - 70) / 7);
        ASSERT_TRUE(Ray(*ground, model, {0, -1, 0}, &d));
        EXPECT_NEAR((5 - d) * 7 - 3.5f, -2, 0.02f) << "walkable at world y -2";
    }
    EXPECT_LE(BoundsOf(*ground).hi.x, 140);

    const char* names[4] = {"Man", "Girl", "Sara", "Shef"};
    for (const char* n : names) {
        SCOPED_TRACE(n);
        auto body = Load(std::string("XFile/Ending/") + n + ".x");
        Bounds b = BoundsOf(*body);
        EXPECT_GE(b.hi.y, 1.4f);
        EXPECT_LE(b.hi.y, 1.9f);
        // One face serves all four: each head's face is at the same place.
        ASSERT_TRUE(Ray(*body, {0, 1.1f, -5}, {0, 0, 1}, &d));
        EXPECT_NEAR(d - 5, -0.34f, 0.01f);
        for (bool left : {true, false}) {
            auto leg = Load(std::string("XFile/Ending/") + n + (left ? " Asi Hidari.x" : " Asi Migi.x"));
            Bounds lb = BoundsOf(*leg);
            EXPECT_NEAR(lb.lo.y, 0, 0.001f) << "legs swing about the soles";
            EXPECT_EQ(lb.lo.x + lb.hi.x > 0, left) << "facing -z, the left leg is at +x";
        }
    }
    for (const char* face : {"XFile/Ending/Futuu.x", "XFile/Ending/Naku.x"}) {
        Bounds b = BoundsOf(*Load(face));
        EXPECT_LT(b.hi.z, -0.15f) << "on the -z side of the head";
    }
    for (int i = 0; i < 3; ++i) {
        Bounds b = BoundsOf(*Load("XFile/Ending/cup" + std::to_string(i) + ".x"));
        EXPECT_LT(std::fabs(b.lo.y + b.hi.y), 0.05f) << "tumbles about its middle";
        EXPECT_GE(b.Size().y, 1.6f);
    }
    Bounds rock = BoundsOf(*Load("XFile/Ending/kyu.x"));
    EXPECT_NEAR(rock.lo.y, 0, 0.001f);
    EXPECT_NEAR(rock.Size().y / 2, 0.5f, 0.1f);
    EXPECT_NEAR(BoundsOf(*Load("XFile/Ending/biri.x")).lo.y, 0, 0.001f);
}

// --- The stages' fixed coordinates ---------------------------------------------------------

// Height of the first surface below (x, from, z), or -1e9 when there is none.
float FloorAt(const plat::Mesh& m, float x, float z, float from) {
    float d;
    return Ray(m, {x, from, z}, {0, -1, 0}, &d) ? from - d : -1e9f;
}

TEST(MeshAssets, EveryStageStartsOnAFloorAtHeightZeroWithRoomBehind) {
    for (int s = 0; s < 3; ++s) {
        SCOPED_TRACE(s);
        auto stage = Load(std::string("XFile/Stage") + char('1' + s) + ".x");
        ASSERT_TRUE(stage);
        float d;
        ASSERT_TRUE(Ray(*stage, {0, 7, 0}, {0, -1, 0}, &d));
        EXPECT_NEAR(d, 7, 0.001f);
        for (float z : {-250.0f, -125.0f, 0.0f})
            for (float x : {-80.0f, 0.0f, 80.0f}) EXPECT_NEAR(FloorAt(*stage, x, z, 50), 0, 0.01f) << x << " " << z;
        EXPECT_FALSE(Ray(*stage, {0, 7, 0}, {0, 1, 0}, &d) && d < 200) << "clear height over the start";
        EXPECT_FALSE(Ray(*stage, {0, 50, 0}, {0, 0, -1}, &d) && d < 250) << "open floor behind the start";
    }
}

TEST(MeshAssets, StationStairsClimbThroughTheWaypointsToTheGoalFloor) {
    auto stage = Load("XFile/Stage1.x");
    const float levels[4][2] = {{515, 0}, {1400, 295}, {2150, 545}, {3000, 802}};
    for (const auto& l : levels)
        for (float x : {0.0f, 400.0f, 799.0f}) EXPECT_FLOAT_EQ(FloorAt(*stage, x, l[0], 1600), l[1]) << x << " " << l[0];
    // The upper floor under the goal box and open air above it up to the box's top.
    for (float x : {-300.0f, 100.0f, 600.0f, 1100.0f, 1640.0f})
        for (float z : {2640.0f, 2900.0f, 3200.0f, 3480.0f}) {
            EXPECT_NEAR(FloorAt(*stage, x, z, 1499), 802, 0.01f) << x << " " << z;
            float d;
            EXPECT_FALSE(Ray(*stage, {x, 812, z}, {0, 1, 0}, &d) && d < 1500 - 812) << x << " " << z;
        }
    // Risers taller than a rolling can, treads that hold one.
    float d;
    ASSERT_TRUE(Ray(*stage, {400, 7, 600}, {0, 0, 1}, &d));
    EXPECT_NEAR(600 + d, 650, 0.01f);
}

TEST(MeshAssets, RoadIsClearForTheCarsAndTheFootbridgeIsAboveTheStrip) {
    auto stage = Load("XFile/Stage2.x");
    const float lanes[4] = {580, 880, 1230, 1530};
    float d;
    for (float lane : lanes) {
        SCOPED_TRACE(lane);
        for (float x = -3000; x <= 3000; x += 250) EXPECT_NEAR(FloorAt(*stage, x, lane, 50), 0, 0.01f) << x;
        // Nothing in a car's way along the whole lane, up to above the tallest car.
        for (float dz : {-110.0f, 0.0f, 110.0f})
            for (float y : {5.0f, 60.0f, 130.0f, 200.0f, 260.0f})
                EXPECT_FALSE(Ray(*stage, {-3250, y, lane + dz}, {1, 0, 0}, &d) && d < 6500) << dz << " " << y;
        for (float x = -3250; x <= 3250; x += 125)
            EXPECT_FALSE(Ray(*stage, {x, 1, lane}, {0, 1, 0}, &d) && d < 270) << x;
    }
    // The safe way: a deck at 300 from the near pavement over the road to the far side,
    // reached by stairs down to the pavement at both ends.
    for (float z : {300.0f, 600.0f, 1000.0f, 1400.0f, 1700.0f}) EXPECT_NEAR(FloorAt(*stage, -350, z, 1000), 300, 0.01f) << z;
    EXPECT_LT(FloorAt(*stage, -350, -140, 1000), 20);
    EXPECT_LT(FloorAt(*stage, -350, 2190, 1000), 20);
    // The goal area beyond, at floor level, and edges a can falls off.
    for (Vec3 p : {Vec3(-500, 0, 2550), Vec3(300, 0, 3300), Vec3(1900, 0, 2600), Vec3(1200, 0, 4850)})
        EXPECT_NEAR(FloorAt(*stage, p.x, p.z, 100), 0, 0.01f) << p.x << " " << p.z;
    for (Vec3 p : {Vec3(-2000, 0, 3500), Vec3(0, 0, -800), Vec3(700, 0, 5100)})
        EXPECT_LT(FloorAt(*stage, p.x, p.z, 100), -10) << p.x << " " << p.z;
}

TEST(MeshAssets, ClassroomBinsAndWindowOpenings) {
    auto stage = Load("XFile/Stage3.x");
    float d;
    // The goal bin's inside is the goal box; the wrong bins' insides are their zones.
    struct Bin {
        float x0, x1;
    } bins[3] = {{-230, -177}, {-155, -90}, {-76, -22}};
    for (const Bin& b : bins) {
        SCOPED_TRACE(b.x0);
        Vec3 c((b.x0 + b.x1) / 2, 25, 2077.5f);
        ASSERT_TRUE(Ray(*stage, c, {-1, 0, 0}, &d));
        EXPECT_NEAR(c.x - d, b.x0, 0.01f);
        ASSERT_TRUE(Ray(*stage, c, {1, 0, 0}, &d));
        EXPECT_NEAR(c.x + d, b.x1, 0.01f);
        ASSERT_TRUE(Ray(*stage, c, {0, 0, -1}, &d));
        EXPECT_NEAR(c.z - d, 2060, 0.01f);
        ASSERT_TRUE(Ray(*stage, c, {0, 0, 1}, &d));
        EXPECT_NEAR(c.z + d, 2095, 0.01f);
        EXPECT_NEAR(FloorAt(*stage, c.x, c.z, 45), 0, 0.01f);
        EXPECT_NEAR(FloorAt(*stage, b.x0 - 1, c.z, 100), 50, 0.01f) << "rim";
        EXPECT_FALSE(Ray(*stage, c, {0, 1, 0}, &d) && d < 250) << "open top";
    }
    // Behind every pane the wall is open, so a can flies through the glass.
    const struct Pane {
        float cx, cy, w, h;
    } panes[6] = {{-99, 200, 109, 144}, {-213, 200, 109, 144}, {-500, 208, 131, 96},
                  {-400, 208, 131, 96}, {-500, 74, 131, 96},   {-400, 74, 131, 96}};
    for (const Pane& p : panes)
        for (float fx : {-0.49f, -0.25f, 0.0f, 0.25f, 0.49f})
            for (float fy : {-0.49f, 0.0f, 0.49f}) {
                Vec3 o(p.cx + fx * p.w, p.cy + fy * p.h, 2050);
                EXPECT_FALSE(Ray(*stage, o, {0, 0, 1}, &d)) << o.x << " " << o.y;
            }
    // Solid between the bins' rims and the sill, and the back wall at 2097 elsewhere.
    for (float y : {55.0f, 90.0f, 115.0f}) {
        ASSERT_TRUE(Ray(*stage, {-122.5f, y, 2050}, {0, 0, 1}, &d));
        EXPECT_NEAR(2050 + d, 2097, 0.01f) << y;
    }
    // A desk top under the computer's first aim point; the ceiling over the flight camera.
    EXPECT_NEAR(FloorAt(*stage, -200, 750, 200), 72, 0.01f);
    ASSERT_TRUE(Ray(*stage, {0, 10, 0}, {0, 1, 0}, &d));
    EXPECT_GE(10 + d, 220);
}

TEST(MeshAssets, LensFlareSunsStandInOpenSky) {
    const Vec3 suns[2] = {{10, 1200, 4000}, {2000, 2300, 4000}};
    const Vec3 eyes[2] = {{-42.9f, 87, -195.3f}, {-38.2f, 87, -196.3f}};
    for (int s = 0; s < 2; ++s) {
        auto stage = Load(std::string("XFile/Stage") + char('1' + s) + ".x");
        Vec3 to = suns[s] - eyes[s];
        float len = Len(to), d;
        EXPECT_FALSE(Ray(*stage, eyes[s], to / len, &d) && d < len) << "seen from the start";
        for (Vec3 dir : {Vec3(1, 0, 0), Vec3(-1, 0, 0), Vec3(0, 1, 0), Vec3(0, -1, 0), Vec3(0, 0, 1), Vec3(0, 0, -1)})
            EXPECT_FALSE(Ray(*stage, suns[s], dir, &d) && d < 300);
    }
}

// --- Playing the stages ---------------------------------------------------------------------

// Plays shots in turn from the start; each but the last must stop in play, the last holes out.
void HoleOut(int stageNo, const std::vector<Shot>& shots) {
    auto stage = Load(std::string("XFile/Stage") + char('1' + stageNo) + ".x");
    ASSERT_TRUE(stage);
    Round round(stageNo, stage.get());
    for (size_t i = 0; i < shots.size(); ++i) {
        SCOPED_TRACE(i);
        Trace tr = round.Play(shots[i]);
        if (i + 1 < shots.size()) {
            ASSERT_EQ(tr.how, Trace::kRest) << "ended at " << tr.pos.x << " " << tr.pos.y << " " << tr.pos.z;
            EXPECT_FALSE(OutAtRest(stageNo, tr.pos));
        } else {
            EXPECT_EQ(tr.how, Trace::kGoal) << "ended at " << tr.pos.x << " " << tr.pos.y << " " << tr.pos.z;
        }
    }
}

TEST(MeshAssets, StationStairsCanBeClimbedAndHoledOut) {
    // Up to the foot of the stairs, onto the first flight, the first landing, the second, then
    // a lob over the last flight into the air over the upper floor.
    HoleOut(0, {{18.4f, 44, 42}, {10.7f, 84, 54}, {16.7f, 64, 12}, {13.6f, 76, 0}, {-3.4f, 44, 0}});
}

TEST(MeshAssets, RoadCanBeHoledOutByTheFootbridge) {
    // A lob onto the footbridge deck (safe above the strip), then over the far side.
    HoleOut(1, {{-23, 67, 0}, {20.74f, 45, 10}});
    auto stage = Load("XFile/Stage2.x");
    Round round(1, stage.get());
    EXPECT_GT(round.Play({-23, 67, 0}).pos.y, 280);
}

TEST(MeshAssets, ClassroomCanBeHoledOutAndAPaneBroken) {
    HoleOut(2, {{-5.4f, 44, 0}, {38.7f, 48, 60}});
    // From the same spot by the bins, a lob through pane 1 and out into the sky.
    auto stage = Load("XFile/Stage3.x");
    Round round(2, stage.get());
    ASSERT_EQ(round.Play({-5.4f, 44, 0}).how, Trace::kRest);
    Trace tr = round.Play({-39, 67, 39});
    EXPECT_EQ(tr.how, Trace::kOut);
    EXPECT_LT(tr.pos.y, -10) << "fell outside";
    bool crossed = false;
    for (size_t i = 1; i < tr.path.size(); ++i) {
        Vec3 u = tr.path[i - 1], v = tr.path[i];
        if (u.z < 2097 && v.z >= 2097) {
            Vec3 c = u + (v - u) * ((2097 - u.z) / (v.z - u.z));
            crossed = c.x > -267 && c.x < -159 && c.y > 128 && c.y < 272;
        }
    }
    EXPECT_TRUE(crossed) << "went through pane 1's hit rectangle";
}
