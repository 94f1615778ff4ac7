// The three stages. Each has its origin at the start point, on a floor at height 0, and is the
// can's collision geometry as well as its picture: every triangle stops the can. Walls, ceilings
// and roofs face the play area only, so that cameras outside see in.
#include "meshes/models.h"
#include "meshes/textures.h"

namespace assetgen::mesh {

namespace {

// --- Stage 0: the station stairs ----------------------------------------------------------
//
// A street-level plaza, a stairwell through the station's front wall climbing in three flights
// to the upper concourse, and the concourse, open to the sky and the sun beyond its far rail.
// The computer aims at heights 0, 295, 545 and 802 at z 515, 1400, 2150 and 3000; the goal box
// is the air over the concourse past z 2600.

struct Flight {
    float z0, y0, z1, y1;
    int steps;
};
constexpr float kStairX0 = -100, kStairX1 = 900;
constexpr Flight kFlights[] = {
    {650, 0, 1250, 295, 18},    // risers 16.4, treads 33.3
    {1500, 295, 1950, 545, 15}, // risers 16.7, treads 30
    {2180, 545, 2600, 802, 14}, // risers 18.4, treads 30
};
constexpr float kConcourseY = 802;
constexpr float kConcourseX0 = -600, kConcourseX1 = 1900, kConcourseZ0 = 2600, kConcourseZ1 = 3700;
constexpr float kStairwellTop = 1300;
constexpr float kCanopyY = 1700;
constexpr float kTrackY = -420;  // the railway far below the concourse's far end

Mesh Station() {
    Mesh m;
    int paving = m.Mat(Textured("Paving", {0.72f, 0.68f, 0.62f}, tex::kPavement));
    int floor = m.Mat(Textured("StationFloor", {0.7f, 0.68f, 0.64f}, tex::kStationFloor));
    int tread = m.Mat(Textured("StepTread", {0.7f, 0.7f, 0.72f}, tex::kStationStep));
    int riser = m.Mat(Flat("StepRiser", {0.72f, 0.72f, 0.76f}, 0.1f));
    int wall = m.Mat(Textured("StationWall", {0.7f, 0.68f, 0.62f}, tex::kStationWall));
    int facade = m.Mat(Textured("ShopFacade", {0.74f, 0.66f, 0.58f}, tex::kBuilding));
    int rail = m.Mat(Flat("Handrail", {0.78f, 0.78f, 0.82f}, 0.1f));
    int steel = m.Mat(Flat("Steel", {0.45f, 0.48f, 0.54f}));
    int glass = m.Mat(Flat("Glass", {0.45f, 0.62f, 0.7f}, 0.25f));
    int shopGlass = m.Mat(Flat("ShopGlass", {0.25f, 0.32f, 0.4f}, 0.2f));
    int yellow = m.Mat(Flat("TactileStrip", {0.9f, 0.78f, 0.1f}));
    int sign = m.Mat(Textured("StationSign", {0.9f, 0.9f, 0.9f}, tex::kStationSign, 0.25f));
    int signBack = m.Mat(Flat("SignBack", {0.2f, 0.25f, 0.35f}));
    int binGreen = m.Mat(Flat("BinGreen", {0.15f, 0.5f, 0.3f}));
    int binLid = m.Mat(Flat("BinLid", {0.2f, 0.22f, 0.25f}));
    Rgb awningColours[] = {{0.75f, 0.2f, 0.15f}, {0.15f, 0.45f, 0.7f}, {0.85f, 0.6f, 0.1f}};
    Rgb posterColours[] = {{0.85f, 0.4f, 0.3f}, {0.3f, 0.6f, 0.8f}, {0.9f, 0.8f, 0.3f},
                           {0.4f, 0.75f, 0.45f}};
    Planar big{200};

    // The plaza at street level, with shops round it.
    Panel(m, paving, Facing::PosY, 0, {-700, 1600, -700, 650}, {}, big);
    Panel(m, facade, Facing::PosZ, -700, {-700, 1600, 0, 600}, {}, big);
    Panel(m, facade, Facing::PosX, -700, {-700, 650, 0, 600}, {}, big);
    Panel(m, facade, Facing::NegX, 1600, {-700, 650, 0, 600}, {}, big);
    for (int i = 0; i < 3; ++i) {
        float x0 = -550 + 700.0f * float(i), x1 = x0 + 520;
        int awning = m.Mat(Flat("Awning" + std::to_string(i), awningColours[i]));
        Panel(m, shopGlass, Facing::PosZ, -699, {x0, x1, 20, 250});
        Box(m, awning, {x0 - 20, 262, -700}, {x1 + 20, 290, -640});
    }
    // Vending machines by the station front.
    for (int i = 0; i < 3; ++i) {
        float z0 = 380 + 90.0f * float(i);
        int body = m.Mat(Flat("Vending" + std::to_string(i), posterColours[i]));
        Box(m, body, {-700, 0, z0}, {-630, 180, z0 + 80}, {}, kAllFaces & ~kNegX);
        Panel(m, glass, Facing::PosX, -629, {z0 + 8, z0 + 72, 70, 165});
    }

    // The station's front wall with the stairwell's mouth and the name board over it.
    Panel(m, wall, Facing::NegZ, 650, {-700, kStairX0, 0, kStairwellTop}, {}, big);
    Panel(m, wall, Facing::NegZ, 650, {kStairX1, 1600, 0, kStairwellTop}, {}, big);
    Panel(m, wall, Facing::NegZ, 650, {kStairX0, kStairX1, 1050, kStairwellTop}, {}, big);
    Box(m, signBack, {150, 1100, 636}, {650, 1230, 650}, {}, kAllFaces & ~(kNegZ | kPosZ));
    QuadUv(m, sign, {150, 1230, 636}, {650, 1230, 636}, {650, 1100, 636}, {150, 1100, 636},
           {0, 0}, {1, 0}, {1, 1}, {0, 1});

    // The stairwell: side walls, three flights, two landings, handrails.
    Panel(m, wall, Facing::PosX, kStairX0, {650, kConcourseZ0, 0, kStairwellTop}, {}, big);
    Panel(m, wall, Facing::NegX, kStairX1, {650, kConcourseZ0, 0, kStairwellTop}, {}, big);
    for (const Flight& f : kFlights)
        Stairs(m, {tread, riser}, kStairX0, kStairX1, f.z0, f.y0, f.z1, f.y1, f.steps);
    Panel(m, floor, Facing::PosY, kFlights[0].y1, {kStairX0, kStairX1, kFlights[0].z1, kFlights[1].z0});
    Panel(m, floor, Facing::PosY, kFlights[1].y1, {kStairX0, kStairX1, kFlights[1].z1, kFlights[2].z0});
    const float railPath[][2] = {{650, 0},    {1250, 295}, {1500, 295}, {1950, 545},
                                 {2180, 545}, {2600, 802}, {2700, 802}};
    for (float x : {kStairX0 + 8, kStairX1 - 8})
        for (size_t i = 0; i + 1 < sizeof railPath / sizeof railPath[0]; ++i) {
            Vec3 a{x, railPath[i][1] + 85, railPath[i][0]}, b{x, railPath[i + 1][1] + 85, railPath[i + 1][0]};
            Beam(m, rail, a, b, 7, 7);
        }
    for (float x : {kStairX0 + 8, kStairX1 - 8}) {
        Beam(m, steel, {x, 0, 650}, {x, 85, 650}, 6, 6);
        Beam(m, steel, {x, kConcourseY, 2700}, {x, kConcourseY + 85, 2700}, 6, 6);
    }
    // Posters between the flights.
    for (int i = 0; i < 4; ++i) {
        float z = 800 + 450.0f * float(i), y = 320 + 170.0f * float(i);
        int poster = m.Mat(Flat("Poster" + std::to_string(i), posterColours[i], 0.15f));
        Panel(m, poster, Facing::PosX, kStairX0 + 1, {z, z + 160, y, y + 220});
        Panel(m, poster, Facing::NegX, kStairX1 - 1, {z + 80, z + 240, y, y + 220});
    }

    // The concourse: floor with a tactile strip at the stairhead, walls, far rail, canopy.
    Rect stairhead{kStairX0, kStairX1, kConcourseZ0, kConcourseZ0 + 30};
    PanelWithHoles(m, floor, Facing::PosY, kConcourseY,
                   {kConcourseX0, kConcourseX1, kConcourseZ0, kConcourseZ1}, {stairhead});
    Panel(m, yellow, Facing::PosY, kConcourseY, stairhead);
    Panel(m, wall, Facing::PosX, kConcourseX0, {kConcourseZ0, kConcourseZ1, kConcourseY, kCanopyY}, {}, big);
    Panel(m, wall, Facing::NegX, kConcourseX1, {kConcourseZ0, kConcourseZ1, kConcourseY, kCanopyY}, {}, big);
    Panel(m, wall, Facing::PosZ, kConcourseZ0, {kConcourseX0, kStairX0, kConcourseY, kStairwellTop}, {}, big);
    Panel(m, wall, Facing::PosZ, kConcourseZ0, {kStairX1, kConcourseX1, kConcourseY, kStairwellTop}, {}, big);
    Box(m, steel, {kConcourseX0, kConcourseY, kConcourseZ1}, {kConcourseX1, kConcourseY + 25, kConcourseZ1 + 8});
    Box(m, glass, {kConcourseX0, kConcourseY + 25, kConcourseZ1 + 2}, {kConcourseX1, kConcourseY + 105, kConcourseZ1 + 6});
    Box(m, rail, {kConcourseX0, kConcourseY + 105, kConcourseZ1}, {kConcourseX1, kConcourseY + 113, kConcourseZ1 + 8});
    Panel(m, steel, Facing::NegY, kCanopyY, {kConcourseX0, kConcourseX1, 2900, kConcourseZ1});
    Box(m, steel, {kConcourseX0, kCanopyY - 50, 2900}, {kConcourseX1, kCanopyY, 2910}, {}, kNegZ | kNegY | kPosZ);
    for (float x : {-500.0f, 1800.0f})
        for (float z : {3000.0f, 3600.0f})
            Box(m, steel, {x - 20, kConcourseY, z - 20}, {x + 20, kCanopyY, z + 20}, {}, kAllFaces & ~(kNegY | kPosY));
    QuadUv(m, sign, {300, 1660, 2899}, {1040, 1660, 2899}, {1040, 1560, 2899}, {300, 1560, 2899},
           {0, 0}, {1, 0}, {1, 1}, {0, 1});
    // Ticket gates across the concourse and a bin by the goal.
    for (int i = 0; i < 20; ++i) {
        float x = -300 + 100.0f * float(i);
        Box(m, rail, {x - 12, kConcourseY, 3300}, {x + 12, kConcourseY + 100, 3420}, {}, kAllFaces & ~kNegY);
        Box(m, signBack, {x - 12, kConcourseY + 100, 3300}, {x + 12, kConcourseY + 104, 3420}, {}, kAllFaces & ~kNegY);
    }
    // Below the far rail, far down, the tracks and a train standing at the platform: a can that
    // goes over the rail is out of bounds long before it could land on the train's roof.
    int ballast = m.Mat(Flat("Ballast", {0.45f, 0.42f, 0.38f}));
    int railSteel = m.Mat(Flat("Rail", {0.6f, 0.6f, 0.62f}));
    int carBody = m.Mat(Flat("TrainBody", {0.8f, 0.82f, 0.84f}, 0.1f));
    int carStripe = m.Mat(Flat("TrainStripe", {0.1f, 0.6f, 0.35f}, 0.1f));
    int carWindow = m.Mat(Flat("TrainWindow", {0.2f, 0.28f, 0.36f}, 0.1f));
    Panel(m, ballast, Facing::PosY, kTrackY, {-3000, 3000, 3720, 4600}, {}, big);
    for (float z : {3980.0f, 4120.0f, 4330.0f, 4470.0f}) Box(m, railSteel, {-3000, kTrackY, z - 4}, {3000, kTrackY + 12, z + 4}, {}, kAllFaces & ~kNegY);
    for (int i = 0; i < 3; ++i) {
        float x0 = -1900 + 1280.0f * float(i), x1 = x0 + 1250;
        Box(m, carBody, {x0, kTrackY + 30, 3920}, {x1, kTrackY + 330, 4180}, {}, kAllFaces & ~kNegY);
        Box(m, carStripe, {x0, kTrackY + 90, 3918}, {x1, kTrackY + 115, 4182}, {}, kNegZ | kPosZ);
        for (float x = x0 + 60; x + 120 < x1; x += 160)
            Box(m, carWindow, {x, kTrackY + 150, 3917}, {x + 110, kTrackY + 250, 4183}, {}, kNegZ | kPosZ);
    }
    Cylinder(m, binGreen, 35, 38, 0, 90, 16, Xform::Translate(670, kConcourseY, 3050));
    Cylinder(m, binLid, 40, 40, 90, 98, 16, Xform::Translate(670, kConcourseY, 3050));
    return m;
}

// --- Stage 1: the road and the footbridge -------------------------------------------------
//
// A bridge deck at height 0 over a river: the near pavement with the start, a four-lane road
// along x between tunnel mouths in the hills at either end, the far pavement and the goal
// plaza. A footbridge crosses the road with its deck at 300, above the forbidden strip's
// height. The deck's open edges let a can drop into the river.

constexpr float kRoadZ0 = 400, kRoadZ1 = 1650;
constexpr float kRoadEnd = 3300;   // the road runs on into the tunnels this far
constexpr float kPortalX = 2900;   // the tunnel mouths
constexpr float kTunnelTop = 320;
constexpr float kNearZ0 = -700, kFarZ1 = 2500;
constexpr float kPlazaX0 = -1200, kPlazaX1 = 2600, kPlazaZ1 = 5000;
constexpr float kDeckUnder = -100;
constexpr float kRiverY = -400;
constexpr float kBridgeX0 = -470, kBridgeX1 = -230;
constexpr float kBridgeDeck = 300, kBridgeZ0 = 250, kBridgeZ1 = 1800, kBridgeRun = 400;

// One hill at the +x end with its tunnel; the other end is its mirror image.
void HillWithTunnel(Mesh& m, int rock, int grass, int concrete, int dark, int lamp, const Xform& xf) {
    Rect mouth{kRoadZ0, kRoadZ1, 0, kTunnelTop};
    PanelWithHoles(m, rock, Facing::NegX, kPortalX, {kNearZ0, kFarZ1, kDeckUnder, 900}, {mouth}, xf, {300});
    PanelWithHoles(m, concrete, Facing::NegX, kPortalX - 6, {kRoadZ0 - 60, kRoadZ1 + 60, 0, kTunnelTop + 70},
                   {mouth}, xf);
    Panel(m, grass, Facing::PosY, 900, {kPortalX, kPortalX + 900, kNearZ0, kFarZ1}, xf, {300});
    Panel(m, rock, Facing::NegZ, kNearZ0, {kPortalX, kPortalX + 900, kDeckUnder, 900}, xf, {300});
    Panel(m, rock, Facing::PosZ, kFarZ1, {kPortalX, kPortalX + 900, kDeckUnder, 900}, xf, {300});
    Panel(m, concrete, Facing::PosZ, kRoadZ0, {kPortalX, kRoadEnd, 0, kTunnelTop}, xf);
    Panel(m, concrete, Facing::NegZ, kRoadZ1, {kPortalX, kRoadEnd, 0, kTunnelTop}, xf);
    Panel(m, concrete, Facing::NegY, kTunnelTop, {kPortalX, kRoadEnd, kRoadZ0, kRoadZ1}, xf);
    Panel(m, dark, Facing::NegX, kRoadEnd, {kRoadZ0, kRoadZ1, 0, kTunnelTop}, xf);
    for (float x = kPortalX + 60; x < kRoadEnd; x += 120) {
        Box(m, lamp, {x, 240, kRoadZ0}, {x + 40, 250, kRoadZ0 + 4}, xf, kPosZ | kNegY | kNegX | kPosX);
        Box(m, lamp, {x, 240, kRoadZ1 - 4}, {x + 40, 250, kRoadZ1}, xf, kNegZ | kNegY | kNegX | kPosX);
    }
}

Mesh Bridge() {
    Mesh m;
    int asphalt = m.Mat(Textured("Asphalt", {0.36f, 0.36f, 0.38f}, tex::kAsphalt));
    int white = m.Mat(Flat("LineWhite", {0.85f, 0.85f, 0.85f}));
    int yellow = m.Mat(Flat("LineYellow", {0.9f, 0.72f, 0.1f}));
    int paving = m.Mat(Textured("Pavement", {0.72f, 0.66f, 0.58f}, tex::kPavement));
    int kerb = m.Mat(Flat("Kerb", {0.7f, 0.7f, 0.68f}));
    int concrete = m.Mat(Flat("Concrete", {0.58f, 0.58f, 0.56f}));
    int rock = m.Mat(Flat("Hillside", {0.45f, 0.42f, 0.35f}));
    int grass = m.Mat(Textured("Grass", {0.35f, 0.6f, 0.3f}, tex::kGrass));
    int dark = m.Mat(Flat("TunnelDark", {0.04f, 0.04f, 0.05f}));
    int lamp = m.Mat(Flat("TunnelLamp", {1.0f, 0.7f, 0.3f}, 0.9f));
    int water = m.Mat(Textured("River", {0.25f, 0.45f, 0.6f}, tex::kWater, 0.1f));
    int steelGreen = m.Mat(Flat("FootbridgeSteel", {0.25f, 0.5f, 0.45f}));
    int walkway = m.Mat(Flat("FootbridgeWalk", {0.6f, 0.45f, 0.35f}));
    int building = m.Mat(Textured("Building", {0.7f, 0.68f, 0.64f}, tex::kBuilding));
    int pole = m.Mat(Flat("LampPole", {0.4f, 0.42f, 0.45f}));
    int lampHead = m.Mat(Flat("LampHead", {0.95f, 0.95f, 0.85f}, 0.6f));
    int binGreen = m.Mat(Flat("BinGreen", {0.15f, 0.55f, 0.3f}));
    int binDark = m.Mat(Flat("BinMouth", {0.08f, 0.1f, 0.08f}));
    int trunk = m.Mat(Flat("TreeTrunk", {0.4f, 0.28f, 0.18f}));
    int leaves = m.Mat(Flat("TreeLeaves", {0.2f, 0.5f, 0.2f}));
    int bench = m.Mat(Flat("Bench", {0.55f, 0.38f, 0.22f}));
    Planar big{300};

    // The road in bands along z: asphalt with painted lines, dashed between same-way lanes.
    struct Band {
        float z0, z1;
        int mat;
        bool dashed;
    };
    const Band bands[] = {
        {400, 415, asphalt, false},  {415, 430, white, false},     {430, 724, asphalt, false},
        {724, 736, white, true},     {736, 1040, asphalt, false},  {1040, 1052, yellow, false},
        {1052, 1068, asphalt, false}, {1068, 1080, yellow, false}, {1080, 1374, asphalt, false},
        {1374, 1386, white, true},   {1386, 1620, asphalt, false}, {1620, 1635, white, false},
        {1635, 1650, asphalt, false},
    };
    for (const Band& b : bands) {
        if (!b.dashed) {
            Panel(m, b.mat, Facing::PosY, 0, {-kRoadEnd, kRoadEnd, b.z0, b.z1}, {}, big);
            continue;
        }
        Panel(m, asphalt, Facing::PosY, 0, {-kRoadEnd, -kPortalX, b.z0, b.z1}, {}, big);
        Panel(m, asphalt, Facing::PosY, 0, {kPortalX, kRoadEnd, b.z0, b.z1}, {}, big);
        for (float x = -kPortalX; x < kPortalX; x += 500) {
            Panel(m, b.mat, Facing::PosY, 0, {x, x + 300, b.z0, b.z1}, {}, big);
            Panel(m, asphalt, Facing::PosY, 0, {x + 300, x + 500, b.z0, b.z1}, {}, big);
        }
    }

    // Pavements, the goal plaza with its lawns, and the deck's edges and underside.
    Panel(m, paving, Facing::PosY, 0, {-kPortalX, kPortalX, kNearZ0, kRoadZ0 - 15}, {}, big);
    Panel(m, kerb, Facing::PosY, 0, {-kPortalX, kPortalX, kRoadZ0 - 15, kRoadZ0});
    Panel(m, kerb, Facing::PosY, 0, {-kPortalX, kPortalX, kRoadZ1, kRoadZ1 + 15});
    Panel(m, paving, Facing::PosY, 0, {-kPortalX, kPortalX, kRoadZ1 + 15, kFarZ1}, {}, big);
    std::vector<Rect> lawns{{-1000, 200, 4200, 4800}, {1300, 2400, 4200, 4800}};
    PanelWithHoles(m, paving, Facing::PosY, 0, {kPlazaX0, kPlazaX1, kFarZ1, kPlazaZ1}, lawns, {}, big);
    for (const Rect& r : lawns) Panel(m, grass, Facing::PosY, 0, r, {}, big);
    Panel(m, concrete, Facing::NegZ, kNearZ0, {-kPortalX, kPortalX, kDeckUnder, 0}, {}, big);
    Panel(m, concrete, Facing::PosZ, kFarZ1, {-kPortalX, kPlazaX0, kDeckUnder, 0}, {}, big);
    Panel(m, concrete, Facing::PosZ, kFarZ1, {kPlazaX1, kPortalX, kDeckUnder, 0}, {}, big);
    Panel(m, concrete, Facing::NegX, kPlazaX0, {kFarZ1, kPlazaZ1, kDeckUnder, 0}, {}, big);
    Panel(m, concrete, Facing::PosX, kPlazaX1, {kFarZ1, kPlazaZ1, kDeckUnder, 0}, {}, big);
    Panel(m, concrete, Facing::PosZ, kPlazaZ1, {kPlazaX0, kPlazaX1, kDeckUnder, 0}, {}, big);
    Panel(m, concrete, Facing::NegY, kDeckUnder, {-kPortalX, kPortalX, kNearZ0, kFarZ1}, {}, big);
    Panel(m, concrete, Facing::NegY, kDeckUnder, {kPlazaX0, kPlazaX1, kFarZ1, kPlazaZ1}, {}, big);
    for (float x = -2400; x <= 2400; x += 1200) {
        Box(m, concrete, {x - 60, kRiverY, kNearZ0 + 40}, {x + 60, kDeckUnder, kNearZ0 + 160}, {}, kAllFaces & ~(kNegY | kPosY));
        Box(m, concrete, {x - 60, kRiverY, kFarZ1 - 160}, {x + 60, kDeckUnder, kFarZ1 - 40}, {}, kAllFaces & ~(kNegY | kPosY));
    }
    for (float x : {kPlazaX0 + 200, kPlazaX1 - 200})
        Box(m, concrete, {x - 60, kRiverY, kPlazaZ1 - 160}, {x + 60, kDeckUnder, kPlazaZ1 - 40}, {}, kAllFaces & ~(kNegY | kPosY));
    Panel(m, water, Facing::PosY, kRiverY, {-6000, 6000, -5000, 7000}, {}, {400});

    // Hills and tunnels at both ends of the road.
    HillWithTunnel(m, rock, grass, concrete, dark, lamp, {});
    HillWithTunnel(m, rock, grass, concrete, dark, lamp, Xform::Scale({-1, 1, 1}));

    // The footbridge: a deck at 300 on piers in the median, solid stairs at both ends,
    // parapets all along.
    Box(m, steelGreen, {kBridgeX0, kBridgeDeck - 20, kBridgeZ0}, {kBridgeX1, kBridgeDeck, kBridgeZ1}, {}, kAllFaces & ~kPosY);
    Panel(m, walkway, Facing::PosY, kBridgeDeck, {kBridgeX0, kBridgeX1, kBridgeZ0, kBridgeZ1});
    StairMats stairMats{walkway, steelGreen, steelGreen};
    Stairs(m, stairMats, kBridgeX0, kBridgeX1, kBridgeZ0 - kBridgeRun, 0, kBridgeZ0, kBridgeDeck, 16, {}, true);
    Stairs(m, stairMats, -kBridgeX1, -kBridgeX0, -(kBridgeZ1 + kBridgeRun), 0, -kBridgeZ1, kBridgeDeck, 16,
           Xform::RotY(180), true);
    for (float x : {kBridgeX0 + 25.0f, kBridgeX1 - 55.0f})
        Box(m, steelGreen, {x, 0, 1035}, {x + 30, kBridgeDeck - 20, 1075}, {}, kAllFaces & ~(kNegY | kPosY));
    // The parapets: straight along the deck, sloping down the stairs.
    Xform sideways;  // outline (z, y) extruded along x
    sideways.m[0][0] = 0; sideways.m[0][2] = 1;
    sideways.m[2][0] = 1; sideways.m[2][2] = 0;
    for (float x : {kBridgeX0, kBridgeX1 - 6}) {
        std::vector<Vec2> deckWall{{kBridgeZ0, kBridgeDeck}, {kBridgeZ1, kBridgeDeck},
                                   {kBridgeZ1, kBridgeDeck + 100}, {kBridgeZ0, kBridgeDeck + 100}};
        std::vector<Vec2> upStairs{{kBridgeZ0 - kBridgeRun, 0}, {kBridgeZ0, kBridgeDeck},
                                   {kBridgeZ0, kBridgeDeck + 100}, {kBridgeZ0 - kBridgeRun, 100}};
        std::vector<Vec2> downStairs{{kBridgeZ1, kBridgeDeck}, {kBridgeZ1 + kBridgeRun, 0},
                                     {kBridgeZ1 + kBridgeRun, 100}, {kBridgeZ1, kBridgeDeck + 100}};
        for (const auto* outline : {&deckWall, &upStairs, &downStairs})
            Extrude(m, steelGreen, *outline, x, x + 6, sideways);
    }
    // Lamp posts along both pavements.
    for (float x : {-2400.0f, -1600.0f, -800.0f, 800.0f, 1600.0f, 2400.0f})
        for (float side : {-1.0f, 1.0f}) {
            float z = side < 0 ? kRoadZ0 - 60 : kRoadZ1 + 60;
            Rod(m, pole, {x, 0, z}, {x, 480, z}, 6, 8, false);
            Box(m, lampHead, {x - 15, 470, z - 40}, {x + 15, 485, z + 40});
        }
    // Buildings on the far pavement, clear of the goal plaza and the sun.
    Box(m, building, {-2800, 0, 1900}, {-1500, 700, 2450}, {}, kAllFaces & ~kNegY, big);
    Box(m, building, {2650, 0, 1800}, {2850, 600, 2450}, {}, kAllFaces & ~kNegY, big);
    // The goal plaza: a big bin, benches, trees on the lawns.
    Cylinder(m, binGreen, 90, 95, 0, 140, 20, Xform::Translate(720, 0, 3700));
    Cylinder(m, binGreen, 100, 100, 140, 152, 20, Xform::Translate(720, 0, 3700));
    Cylinder(m, binDark, 82, 82, 152, 154, 20, Xform::Translate(720, 0, 3700));
    for (float x : {150.0f, 1300.0f}) {
        Box(m, bench, {x, 40, 3000}, {x + 220, 48, 3050});
        Box(m, bench, {x, 48, 3050}, {x + 220, 95, 3058});
        for (float lx : {x + 10, x + 200}) Box(m, pole, {lx, 0, 3005}, {lx + 10, 40, 3045});
    }
    for (Vec3 p : {Vec3{-700, 0, 4450}, Vec3{-100, 0, 4600}, Vec3{1600, 0, 4450}, Vec3{2150, 0, 4600}}) {
        Rod(m, trunk, p, p + Vec3{0, 140, 0}, 16, 8, false);
        Sphere(m, leaves, p + Vec3{0, 240, 0}, {110, 130, 110}, 10, 6);
    }
    return m;
}

// --- Stage 2: the classroom ---------------------------------------------------------------
//
// A long classroom: the blackboard behind the start, rows of desks, and against the back wall
// at z 2097 the goal bin between two wrong bins, under windows whose six panes the game draws
// in openings of the wall. A can that flies through an opening goes out into the sky and falls.

constexpr float kRoomX0 = -650, kRoomX1 = 350, kRoomZ0 = -400, kBackWall = 2097, kCeiling = 300;

struct Bin {
    float x0, x1;  // the inside, as the goal box and the wrong-bin zones have it
    Rgb colour;
};
constexpr float kBinZ0 = 2060, kBinZ1 = 2095, kBinRim = 50, kBinWall = 2;

void Desk(Mesh& m, int top, int frame, int shelf, float x, float z, float turn) {
    Xform place = Xform::RotY(turn) * Xform::Translate(x, 0, z);
    Box(m, top, {-32.5f, 69, -22.5f}, {32.5f, 72, 22.5f}, place);
    Box(m, shelf, {-30, 56, -20}, {30, 69, 18}, place, kAllFaces & ~kPosY);
    for (float lx : {-29.0f, 27.0f})
        for (float lz : {-19.0f, 17.0f})
            Box(m, frame, {lx, 0, lz}, {lx + 2.5f, 56, lz + 2.5f}, place, kAllFaces & ~(kNegY | kPosY));
}

void Chair(Mesh& m, int seat, int frame, float x, float z, float turn) {
    Xform place = Xform::RotY(turn) * Xform::Translate(x, 0, z);
    Box(m, seat, {-19, 42, -18}, {19, 45, 18}, place);
    Box(m, seat, {-19, 58, 16}, {19, 80, 18.5f}, place);
    for (float lx : {-18.0f, 15.5f})
        for (float lz : {-17.0f, 14.5f})
            Box(m, frame, {lx, 0, lz}, {lx + 2.5f, lz > 0 ? 80.0f : 42.0f, lz + 2.5f}, place,
                kAllFaces & ~(kNegY | kPosY));
}

Mesh Classroom() {
    Mesh m;
    int boards = m.Mat(Textured("ClassFloor", {0.72f, 0.54f, 0.36f}, tex::kClassFloor));
    int plaster = m.Mat(Textured("ClassWall", {0.74f, 0.72f, 0.64f}, tex::kClassWall));
    int ceiling = m.Mat(Flat("Ceiling", {0.85f, 0.85f, 0.82f}, 0.35f));
    int skirting = m.Mat(Flat("Skirting", {0.45f, 0.35f, 0.25f}));
    int chalkboard = m.Mat(Textured("Blackboard", {0.85f, 0.85f, 0.85f}, tex::kBlackboard));
    int boardFrame = m.Mat(Flat("BoardFrame", {0.55f, 0.4f, 0.25f}));
    int wood = m.Mat(Textured("DeskTop", {0.8f, 0.62f, 0.4f}, tex::kWood));
    int steel = m.Mat(Flat("DeskFrame", {0.35f, 0.38f, 0.42f}));
    int shelf = m.Mat(Flat("DeskShelf", {0.55f, 0.42f, 0.3f}));
    int sash = m.Mat(Flat("WindowFrame", {0.75f, 0.76f, 0.78f}));
    int sideGlass = m.Mat(Flat("SideWindow", {0.55f, 0.75f, 0.9f}, 0.55f));
    int curtain = m.Mat(Flat("Curtain", {0.85f, 0.8f, 0.6f}));
    int door = m.Mat(Flat("Door", {0.6f, 0.45f, 0.3f}));
    int cork = m.Mat(Flat("Corkboard", {0.7f, 0.52f, 0.32f}));
    int light = m.Mat(Flat("CeilingLight", {1, 1, 0.95f}, 0.8f));
    int locker = m.Mat(Flat("Locker", {0.62f, 0.5f, 0.36f}));
    int cubby = m.Mat(Flat("LockerCubby", {0.25f, 0.18f, 0.12f}));
    int cabinet = m.Mat(Flat("Cabinet", {0.6f, 0.64f, 0.68f}));
    int platform = m.Mat(Flat("Platform", {0.6f, 0.45f, 0.3f}));
    int clockFace = m.Mat(Flat("ClockFace", {0.95f, 0.95f, 0.92f}, 0.2f));
    int clockRim = m.Mat(Flat("ClockRim", {0.2f, 0.2f, 0.22f}));
    Rgb paperColours[] = {{0.9f, 0.9f, 0.85f}, {0.95f, 0.7f, 0.7f}, {0.7f, 0.85f, 0.95f},
                          {0.95f, 0.9f, 0.6f}};

    // Floor, ceiling and the four walls, all facing into the room.
    Panel(m, boards, Facing::PosY, 0, {kRoomX0, kRoomX1, kRoomZ0, kBackWall}, {}, {120});
    Panel(m, ceiling, Facing::NegY, kCeiling, {kRoomX0, kRoomX1, kRoomZ0, kBackWall});
    Panel(m, plaster, Facing::PosZ, kRoomZ0, {kRoomX0, kRoomX1, 0, kCeiling}, {}, {150});
    Panel(m, plaster, Facing::PosX, kRoomX0, {kRoomZ0, kBackWall, 0, kCeiling}, {}, {150});
    Panel(m, plaster, Facing::NegX, kRoomX1, {kRoomZ0, kBackWall, 0, kCeiling}, {}, {150});
    // The back wall, open behind the panes: window A is panes 0 and 1 either side of a mullion,
    // window B is panes 2 to 5, two overlapping sashes in each of two rows.
    const Rect paneA0{-153.5f, -44.5f, 128, 272}, paneA1{-267.5f, -158.5f, 128, 272};
    const Rect rowB0{-565.5f, -334.5f, 160, 256}, rowB1{-565.5f, -334.5f, 26, 122};
    const std::vector<Rect> openings{paneA0, paneA1, rowB0, rowB1};
    PanelWithHoles(m, plaster, Facing::NegZ, kBackWall, {kRoomX0, kRoomX1, 0, kCeiling}, openings, {}, {150});
    for (const Rect& o : openings) {
        Box(m, sash, {o.a0 - 5, o.b1, kBackWall - 5}, {o.a1 + 5, o.b1 + 5, kBackWall}, {}, kAllFaces & ~kPosZ);
        Box(m, sash, {o.a0 - 5, o.b0 - 5, kBackWall - 8}, {o.a1 + 5, o.b0, kBackWall}, {}, kAllFaces & ~kPosZ);
        Box(m, sash, {o.a0 - 5, o.b0, kBackWall - 5}, {o.a0, o.b1, kBackWall}, {}, kAllFaces & ~kPosZ);
        Box(m, sash, {o.a1, o.b0, kBackWall - 5}, {o.a1 + 5, o.b1, kBackWall}, {}, kAllFaces & ~kPosZ);
    }
    // Skirting along the side walls.
    Box(m, skirting, {kRoomX0, 0, kRoomZ0}, {kRoomX0 + 2, 10, kBackWall}, {}, kPosX | kPosY);
    Box(m, skirting, {kRoomX1 - 2, 0, kRoomZ0}, {kRoomX1, 10, kBackWall}, {}, kNegX | kPosY);

    // The three bins against the back wall: thin walls, open tops, the room's floor for a
    // bottom. Their insides are the goal box and the two wrong-bin zones.
    const Bin bins[] = {
        {-230, -177, {0.75f, 0.2f, 0.15f}},
        {-155, -90, {0.15f, 0.4f, 0.8f}},
        {-76, -22, {0.85f, 0.7f, 0.1f}},
    };
    for (int i = 0; i < 3; ++i) {
        const Bin& b = bins[i];
        int mat = m.Mat(Flat("Bin" + std::to_string(i), b.colour, 0.1f));
        float w = kBinWall;
        Box(m, mat, {b.x0 - w, 0, kBinZ0 - w}, {b.x1 + w, kBinRim, kBinZ0}, {}, kAllFaces & ~kNegY);
        Box(m, mat, {b.x0 - w, 0, kBinZ0}, {b.x0, kBinRim, kBinZ1}, {}, kAllFaces & ~(kNegY | kNegZ));
        Box(m, mat, {b.x1, 0, kBinZ0}, {b.x1 + w, kBinRim, kBinZ1}, {}, kAllFaces & ~(kNegY | kNegZ));
        Box(m, mat, {b.x0 - w, 0, kBinZ1}, {b.x1 + w, kBinRim, kBackWall}, {}, kNegZ | kPosY);
    }

    // The front: blackboard, chalk ledge, teacher's platform and desk, clock.
    Box(m, boardFrame, {-420, 70, kRoomZ0}, {120, 230, kRoomZ0 + 3}, {}, kAllFaces & ~kNegZ);
    QuadUv(m, chalkboard, {110, 222, kRoomZ0 + 4}, {-410, 222, kRoomZ0 + 4}, {-410, 78, kRoomZ0 + 4},
           {110, 78, kRoomZ0 + 4}, {0, 0}, {1, 0}, {1, 1}, {0, 1});
    Box(m, boardFrame, {-420, 70, kRoomZ0}, {120, 74, kRoomZ0 + 10}, {}, kAllFaces & ~kNegZ);
    Box(m, platform, {-480, 0, kRoomZ0}, {-120, 20, kRoomZ0 + 150}, {}, kAllFaces & ~(kNegY | kNegZ));
    Box(m, wood, {-360, 20, kRoomZ0 + 30}, {-240, 95, kRoomZ0 + 90});
    Cylinder(m, clockRim, 22, 22, 0, 3, 20, Xform::RotX(90) * Xform::Translate(-150, 262, kRoomZ0));
    Cylinder(m, clockFace, 19, 19, 0, 4, 20, Xform::RotX(90) * Xform::Translate(-150, 262, kRoomZ0));

    // The window side (-x): windows with curtains; the corridor side (+x): doors, a notice board.
    for (float z0 : {100.0f, 700.0f, 1300.0f}) {
        Panel(m, sideGlass, Facing::PosX, kRoomX0 + 1, {z0, z0 + 400, 90, 262});
        Box(m, sash, {kRoomX0, 84, z0 - 6}, {kRoomX0 + 8, 90, z0 + 406}, {}, kAllFaces & ~kNegX);
        Box(m, sash, {kRoomX0, 262, z0 - 6}, {kRoomX0 + 5, 268, z0 + 406}, {}, kAllFaces & ~kNegX);
        Box(m, sash, {kRoomX0, 90, z0 + 197}, {kRoomX0 + 5, 262, z0 + 203}, {}, kAllFaces & ~kNegX);
        Box(m, curtain, {kRoomX0, 80, z0 - 50}, {kRoomX0 + 14, 275, z0 - 8}, {}, kAllFaces & ~kNegX);
    }
    Box(m, curtain, {kRoomX0, 80, 1708}, {kRoomX0 + 14, 275, 1750}, {}, kAllFaces & ~kNegX);
    for (float z0 : {-300.0f, 1850.0f}) {
        Box(m, door, {kRoomX1 - 4, 0, z0}, {kRoomX1, 190, z0 + 95}, {}, kAllFaces & ~kPosX);
        Box(m, door, {kRoomX1 - 8, 0, z0 + 95}, {kRoomX1, 190, z0 + 190}, {}, kAllFaces & ~kPosX);
        Panel(m, sideGlass, Facing::NegX, kRoomX1 - 9, {z0 + 115, z0 + 170, 120, 175});
    }
    Box(m, cork, {kRoomX1 - 3, 110, 500}, {kRoomX1, 230, 1500}, {}, kAllFaces & ~kPosX);
    for (int i = 0; i < 8; ++i) {
        int paper = m.Mat(Flat("Paper" + std::to_string(i % 4), paperColours[i % 4], 0.1f));
        float z = 540 + 120.0f * float(i), y = 130 + float((i * 37) % 40);
        Panel(m, paper, Facing::NegX, kRoomX1 - 4, {z, z + 70, y, y + 60});
    }

    // Along the back wall: lockers on the right, a cleaning cabinet on the left.
    Box(m, locker, {20, 0, 2030}, {340, 120, kBackWall}, {}, kAllFaces & ~(kNegY | kPosZ));
    for (int c = 0; c < 8; ++c)
        for (int r = 0; r < 3; ++r) {
            float x = 26 + 40.0f * float(c), y = 6 + 38.0f * float(r);
            Panel(m, cubby, Facing::NegZ, 2029, {x, x + 34, y, y + 32});
        }
    Box(m, cabinet, {-645, 0, 2040}, {-585, 180, kBackWall}, {}, kAllFaces & ~(kNegY | kPosZ));

    // Ceiling lights.
    for (float x : {-400.0f, 0.0f})
        for (float z = 0; z < 2000; z += 500)
            Box(m, light, {x - 60, kCeiling - 6, z}, {x + 60, kCeiling, z + 30}, {}, kAllFaces & ~kPosY);

    // Desks and chairs, facing the blackboard, a little askew. The one at (-200, 750) holds
    // the computer's first aim point on its top at 72.
    const float columns[] = {-500, -350, -200, -50, 100, 250};
    const float rows[] = {450, 600, 750, 900, 1050, 1200};
    int n = 0;
    for (float z : rows)
        for (float x : columns) {
            ++n;
            bool keep = x == -200 && z == 750;
            float turn = keep ? 0 : float((n * 7) % 9) - 4;
            float dx = keep ? 0 : float((n * 13) % 11) - 5;
            Desk(m, wood, steel, shelf, x + dx, z, turn);
            Chair(m, wood, steel, x + dx, z + 48, turn);
        }
    return m;
}

}  // namespace

Mesh StationStage() { return Station(); }
Mesh BridgeStage() { return Bridge(); }
Mesh ClassroomStage() { return Classroom(); }

std::vector<NamedMesh> StageMeshes() {
    return {{"XFile/Stage1.x", Station()}, {"XFile/Stage2.x", Bridge()}, {"XFile/Stage3.x", Classroom()}};
}

}  // namespace assetgen::mesh
