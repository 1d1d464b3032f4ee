// The collision step: gravity, then every candidate face in list order, each answer seeing
// the speeds the earlier ones wrote; then stars, the explosion and the fall.
#include "world/CollisionDetection.h"

#include "platform/D3DXMath.h"
#include "world/CollisionResponses.h"
#include "world/CollisionTrack.h"
#include "world/WorldRules.h"

bool gCanJump = false;

namespace CollisionDetection {

std::vector<CollisionCandidate> gCandidates;
int32_t gCandidateCount = 0;
int32_t gCandidateIndex = 0;
float gEffectiveRadius = 0;
d3d::Vector4 gBoxCentre;
d3d::Vector4 gNextBoxCentre;
d3d::Vector4 gBoxMotion;
d3d::Plane gOffsetPlane;
float gCentreDistance = 0;
float gApproachRate = 0;
float gContactTime = 0;
std::array<d3d::Vector3, 3> gPlayerBoxEdges{};
std::array<float, 3> gPlaneEdgeDots{};
int32_t gCollisionPointMode = 0;
std::array<d3d::Vector3, 4> gCollisionPoints{};
std::array<bool, 4> gCollisionPointCleared{};
int32_t gCollisionPointCount = 0;
bool gPlatformFace2Contact = false;
bool gPlatformFace1Contact = false;
bool gKillPending = false;
bool gOnRamp = false;

namespace {

// The gap every correction leaves between the player's box and the face.
double Gap() { return gWorldRules.ContactGap; }
constexpr double kHalfBox = 0.4;
constexpr double kBox = 0.8;

// What the step does after a face has answered one contact point.
enum class Next { Point, Candidate, Finished };

// The platform's coming move along X; none while the program holds the platforms.
float PlatformCarry(const CollisionCandidate& c) {
    return gWorldRules.PlatformsHeld() ? 0.0f : PlatformAt(c.ObjectIndex).GetVelocity().X;
}

// Adds the platform's coming move to the player's sideways speed.
void Carry(const CollisionCandidate& c) {
    gPlayer.HorizontalVelocity(PlatformCarry(c) + gPlayer.HorizontalVelocity());
}

float Corrected(double target) { return static_cast<float>(target); }

void SideFacingMinusX(const CollisionCandidate& c, const d3d::Vector3& p) {
    gPlayer.HorizontalVelocity(Corrected(static_cast<double>(p.X) - gPlayer.Posx() - kHalfBox - Gap()));
    if (gPlatformFace2Contact) gKillPending = true;  // squeezed between two sides
    if (c.ObjectKind == KIND_PLATFORM) {
        Carry(c);
        gPlatformFace1Contact = true;
    }
}

void SideFacingPlusX(const CollisionCandidate& c, const d3d::Vector3& p) {
    gPlayer.HorizontalVelocity(Corrected(static_cast<double>(p.X) - gPlayer.Posx() + kHalfBox + Gap()));
    if (gPlatformFace1Contact) gKillPending = true;
    if (c.ObjectKind == KIND_PLATFORM) {
        Carry(c);
        gPlatformFace2Contact = true;
    }
}

// Climbing: the vertical speed follows the slope under the speed along its rise.
void RampSlope(const CollisionCandidate& c) {
    gCanJump = true;
    const clsRamp& ramp = RampAt(c.ObjectIndex);
    switch (ramp.rotateVal()) {
        case 0:
        case 2:
            gPlayer.verticalvelocity(gPlayer.ForwardVelocity() * ramp.GetGradient());
            break;
        case 1:
        case 3:
            gPlayer.verticalvelocity(gPlayer.HorizontalVelocity() * ramp.GetGradient());
            break;
        default:
            break;
    }
    gOnRamp = true;
}

// Landing on a block or platform; a rising player passes through from below.
Next Top(const CollisionCandidate& c, const d3d::Vector3& p) {
    if (!(gPlayer.verticalvelocity() <= 0.0f)) return Next::Point;
    gCanJump = true;
    gPlayer.verticalvelocity(Corrected(static_cast<double>(p.Y) - gPlayer.PosY() + Gap()));
    if (RespondToActionCode(c) == StepFlow::Finished) return Next::Finished;
    if (c.ObjectKind != KIND_PLATFORM) return Next::Point;
    Carry(c);  // once per step: the platform's other points are not examined
    return Next::Candidate;
}

// A front stops the player; one hit fast crashes. Fronts are ignored once a ramp's slope
// was met this step, so that driving up a ramp past a block's edge does not stop the player.
void Front(const d3d::Vector3& p) {
    if (gOnRamp) return;
    if (gPlayer.ForwardVelocity() > 0.4f) gKillPending = true;
    gPlayer.ForwardVelocity(Corrected(static_cast<double>(p.Z) - gPlayer.Posz() - Gap()));
}

// Hitting a face from below stops the rise at once, just under the face.
void Bottom(const d3d::Vector3& p) {
    if (!(gPlayer.verticalvelocity() > 0.0f)) return;
    gPlayer.PosY(Corrected(static_cast<double>(p.Y) - kBox - Gap()));
    gPlayer.verticalvelocity(0.0f);
}

void Crest(const d3d::Vector3& p) {
    gCanJump = true;
    gPlayer.verticalvelocity(Corrected(static_cast<double>(p.Y) - gPlayer.PosY() + Gap()));
}

Next RespondToFace(const CollisionCandidate& c, const d3d::Vector3& p) {
    switch (c.FaceNumber) {
        case FACE_LEFT:
            SideFacingMinusX(c, p);
            break;
        case FACE_RIGHT:
            SideFacingPlusX(c, p);
            break;
        case FACE_TOP:
            if (c.ObjectKind == KIND_RAMP) {
                RampSlope(c);
                break;
            }
            return Top(c, p);
        case FACE_FRONT:
            Front(p);
            break;
        case FACE_BOTTOM:
            Bottom(p);
            break;
        case FACE_CREST:
            Crest(p);
            break;
        default:
            break;
    }
    return Next::Point;
}

d3d::Vector4 Minus(const d3d::Vector4& a, const d3d::Vector4& b) {
    return {a.X - b.X, a.Y - b.Y, a.Z - b.Z, a.W - b.W};
}

// A face tilted about two axes: the track never makes one, so it is skipped (and told once).
void ReportTiltedFace() {
    static bool reported = false;
    if (reported) return;
    reported = true;
    gWorldRules.Log("Collision skipped a face tilted about two axes");
}

// Whether the box meets the candidate's face within this step; sets the contact time.
bool MeetsFaceThisStep(const CollisionCandidate& c) {
    gEffectiveRadius = gPlayer.CalculateEffectiveRadius(c.Normal);
    gBoxCentre = gPlayer.CalculateCollisionBoxCentre();
    gNextBoxCentre = {gBoxCentre.X + gPlayer.HorizontalVelocity(), gBoxCentre.Y + gPlayer.verticalvelocity(),
                      gBoxCentre.Z + gPlayer.ForwardVelocity(), 1.0f};
    // In the platform's frame along X.
    if (c.ObjectKind == KIND_PLATFORM) gNextBoxCentre.X -= PlatformCarry(c);
    gBoxMotion = Minus(gNextBoxCentre, gBoxCentre);
    gOffsetPlane = c.Plane;
    gOffsetPlane.D -= gEffectiveRadius;
    gCentreDistance = d3dx::PlaneDot(gOffsetPlane, gBoxCentre);
    gApproachRate = d3dx::PlaneDot(gOffsetPlane, gBoxMotion);
    if (gApproachRate == 0.0f) return false;
    gContactTime = -(gCentreDistance / gApproachRate);
    return gContactTime > 0.0f && gContactTime <= 1.0f;
}

Next ExamineCandidate(const CollisionCandidate& c) {
    if (!MeetsFaceThisStep(c)) return Next::Candidate;
    gCollisionPointMode = 0;
    for (size_t k = 0; k < 3; ++k) {
        gPlaneEdgeDots[k] = d3dx::Vec3Dot(c.Normal, gPlayerBoxEdges[k]);
        if (gPlaneEdgeDots[k] != 0.0f) ++gCollisionPointMode;
    }
    if (gCollisionPointMode == 3) {
        ReportTiltedFace();
        return Next::Candidate;
    }
    CalculateCollisionPoints();
    const int32_t count = gCollisionPointCount;
    for (int32_t j = 0; j < count; ++j) {
        if (gCollisionPointCleared[static_cast<size_t>(j)]) continue;
        const d3d::Vector3 p = gCollisionPoints[static_cast<size_t>(j)];
        if (!PointInQuad(c.Corners[0], c.Corners[1], c.Corners[2], c.Corners[3], p)) continue;
        const Next next = RespondToFace(c, p);
        if (next != Next::Point) return next;
    }
    return Next::Candidate;
}

}  // namespace

void CheckCollisions() {
    ResetCollision();
    gPlayer.verticalvelocity(gPlayer.verticalvelocity() - gWorldRules.Gravity());
    gCandidateCount = GatherNearbyPlanes();
    for (gCandidateIndex = 0; gCandidateIndex < gCandidateCount; ++gCandidateIndex) {
        // The finish hands over to the program (the game rebuilds the level): nothing of the
        // step may run after it.
        if (ExamineCandidate(gCandidates[static_cast<size_t>(gCandidateIndex)]) == Next::Finished) return;
    }
    CollectStars();
    ApplyPendingKill();
    CheckFall();
}

}  // namespace CollisionDetection
