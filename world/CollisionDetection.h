// The player's collision with the track, once per play step. The step never moves the
// player: it rewrites the three speeds (and at times PosY) so that the player's next move
// ends the rules' contact gap short of every face it would cross. It also lets the player
// stand, climb ramps and ride platforms, applies the special blocks, picks up stars, and
// detects the explosion, the fall off the track and the finish.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "platform/D3DTypes.h"

// True while the player stands on something a jump may start from. Set by every collision
// step; play start clears it and the jump keys read it.
extern bool gCanJump;

namespace CollisionDetection {

enum ObjectKind : int16_t { KIND_BLOCK = 1, KIND_PLATFORM = 2, KIND_RAMP = 3 };

// Face numbers: blocks and platforms have 1 to 5 (no back face), ramps 1 to 6.
enum Face : int16_t {
    FACE_LEFT = 1,    // facing -X
    FACE_RIGHT = 2,   // facing +X
    FACE_TOP = 3,     // a ramp's slope
    FACE_FRONT = 4,   // facing -Z, the side the player drives into
    FACE_BOTTOM = 5,
    FACE_CREST = 6,   // ramps only: the level strip just beyond the high edge
};

// One face of one track object gathered for this step, copied when gathered: an object
// that moves afterwards (a platform) does not change it.
struct CollisionCandidate {
    d3d::Vector3 Normal;  // unit, pointing out of the object
    d3d::Plane Plane;
    int16_t ActionCode = 0;  // the block's or platform's code; 0 for a ramp
    int16_t FaceNumber = 0;
    int16_t ObjectKind = 0;
    int32_t ObjectIndex = 0;  // into gBlocks, gMovingPlatforms or gRamps
    float ObjectX = 0, ObjectY = 0, ObjectZ = 0;
    std::array<d3d::Vector3, 4> Corners{};  // in the order the object gives them
};

struct Vector2 {
    float X = 0, Y = 0;
};

// Module state. Only gCanJump is read outside the module.
extern std::vector<CollisionCandidate> gCandidates;  // this step's candidates, 0-based
extern int32_t gCandidateCount;
extern int32_t gCandidateIndex;  // the candidate being handled, 0-based
extern float gEffectiveRadius;
extern d3d::Vector4 gBoxCentre;
extern d3d::Vector4 gNextBoxCentre;
extern d3d::Vector4 gBoxMotion;
extern d3d::Plane gOffsetPlane;
extern float gCentreDistance;
extern float gApproachRate;
extern float gContactTime;
extern std::array<d3d::Vector3, 3> gPlayerBoxEdges;  // height, width, length
extern std::array<float, 3> gPlaneEdgeDots;
extern int32_t gCollisionPointMode;
extern std::array<d3d::Vector3, 4> gCollisionPoints;
extern std::array<bool, 4> gCollisionPointCleared;  // a ramp crest's points that are not on the box
extern int32_t gCollisionPointCount;
extern bool gPlatformFace2Contact;
extern bool gPlatformFace1Contact;
extern bool gKillPending;
extern bool gOnRamp;

// One collision step of the player against the current level.
void CheckCollisions();

// Gathers the faces of the objects near where the player is about to move into
// gCandidates, in the fixed order the step relies on; returns how many.
int32_t GatherNearbyPlanes();

// Clears the step's flags and gCanJump, takes the player off ice and sets the box edges.
void ResetCollision();
// The points of the player's box that face the current candidate at the moment of contact.
void CalculateCollisionPoints();
// Where p, on the plane of the face c1..c4, lies against each edge of the face once both are
// projected onto the axis plane that the face looks along most: Sides[k] is above 0 on the
// inner side of edge k when the projected corners run clockwise, below 0 when they run the
// other way, 0 on the edge's line. A face whose projected fourth corner is its first is the
// triangle of the first three, with three edges.
struct FaceEdgeSides {
    std::array<float, 4> Sides{};
    bool Triangle = false;

    bool AllAbove() const;  // every edge's side above 0
    bool AllBelow() const;  // every edge's side below 0
};
FaceEdgeSides EdgeSidesOf(const d3d::Vector3& c1, const d3d::Vector3& c2, const d3d::Vector3& c3,
                          const d3d::Vector3& c4, const d3d::Vector3& p);

// Whether p, on the plane of the face c1..c4, lies strictly inside it.
bool PointInQuad(const d3d::Vector3& c1, const d3d::Vector3& c2, const d3d::Vector3& c3,
                 const d3d::Vector3& c4, const d3d::Vector3& p);

float SignOf(float x);
d3d::Vector3 QuadNormal(const d3d::Vector3& p1, const d3d::Vector3& p2, const d3d::Vector3& p3);
Vector2 Perpendicular2D(const Vector2& v);
Vector2 ProjectXY(const d3d::Vector3& v);
Vector2 ProjectZY(const d3d::Vector3& v);
Vector2 ProjectXZ(const d3d::Vector3& v);

}  // namespace CollisionDetection
