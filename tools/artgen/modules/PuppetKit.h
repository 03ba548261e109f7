// The figure puppet: one articulated body per character (joints, limb shapes, clothes and a face),
// posed per frame by joint angles and drawn with Cairo. The body lives in 3D (x forward, y down,
// z towards the viewer's side when facing right) and is turned about its vertical axis by `view`,
// so profile, turn and front poses all come from the same puppet. Sun from the upper left.
#pragma once

#include "ArtJobs.h"

#include <functional>
#include <string>
#include <vector>

namespace vantero::art::puppet {

// ---- Pose: every value an animator keys (angles in degrees, lengths in body px) ----
#define PUPPET_POSE_FIELDS(X)                                                                        \
    X(view, 0)          /* 0 profile facing right, 90 facing the viewer, 180 facing left */          \
    X(lean, 2)          /* torso tilt from upright, + forward */                                     \
    X(headTilt, 0)      /* head nod relative to the torso, + down/forward */                         \
    X(headTurn, 0)      /* head turned further than the body (look at the viewer) */                \
    X(nearShoulder, 4)  /* arm angle from hanging straight down, + forward (180 = straight up) */    \
    X(nearElbow, 12)    /* forearm bend relative to the upper arm, + forward/up */                   \
    X(nearSpread, 0)    /* arm lifted sideways, away from the body */                                \
    X(farShoulder, -2)                                                                              \
    X(farElbow, 10)                                                                                 \
    X(farSpread, 0)                                                                                 \
    X(nearHip, 3)       /* thigh angle from vertical, + forward */                                   \
    X(nearKnee, 3)      /* knee bend, + shin swings back */                                          \
    X(nearFoot, 0)      /* foot tilt, + toes up */                                                   \
    X(farHip, -3)                                                                                   \
    X(farKnee, 3)                                                                                   \
    X(farFoot, 0)                                                                                   \
    X(lift, 0)          /* whole body raised off the ground (jumps) */                               \
    X(shiftX, 0)        /* hips moved forward from the anchor */                                     \
    X(mouth, 0)         /* 0 closed .. 1 wide open */                                                \
    X(smile, 0.3)       /* -1 frown .. 1 grin */                                                     \
    X(blink, 0)         /* 0 open .. 1 shut */                                                       \
    X(brow, 0)          /* -1 angry .. 1 raised */                                                   \
    X(roll, 0)          /* whole figure rotated in the picture plane around the hips, + forward */  \
    X(propA, 0)         /* free values for the props of an animation */                             \
    X(propB, 0)

struct Pose {
#define PUPPET_FIELD(name, def) double name = def;
    PUPPET_POSE_FIELDS(PUPPET_FIELD)
#undef PUPPET_FIELD
};

Pose Lerp(const Pose& a, const Pose& b, double t);   // every field blended linearly
double Smooth(double t);                              // smoothstep 0..1
double Wave(double phase);                            // sin of a phase in turns

// Keyed poses over frame numbers, eased between keys.
class Timeline {
public:
    Timeline& Key(double frame, const Pose& pose);   // keys must be added in frame order
    Pose At(double frame) const;                      // smooth between keys, held outside
    bool Empty() const { return keys_.empty(); }

private:
    std::vector<std::pair<double, Pose>> keys_;
};

// ---- Look: proportions and clothes of one character ----
enum class Hat { Bare, Headcloth, Cap, Hair, LongHair, Turban, Veil, Bald };

struct Look {
    double scale = 1.0;   // picture px per body px
    // Proportions (body px).
    double thigh = 10.8, shin = 10.8, foot = 5.5, torso = 14.8, neck = 1.8, headR = 6.9;
    double upperArm = 8.8, forearm = 8.4;
    double shoulderHalf = 5.0, hipHalf = 2.8;   // lateral half widths of the joints
    double chestDepth = 5.0, waistDepth = 4.3;  // front-back half thickness
    double chestWidth = 6.8, waistWidth = 5.2;  // lateral half widths
    double belly = 0.0;                          // extra forward bulge of the belly
    double armR = 1.95, legR = 2.5;              // limb radii (upper end; the lower end tapers)
    // Clothes.
    Rgba skin = Hex(0xB9784A), tunic = Hex(0xEDE0C4), trim = Hex(0xB5562E), belt = Hex(0x7A4A22);
    Rgba sandal = Hex(0x6A4020), hair = Hex(0x2B1A10), hat = Hex(0xC0482C), hatTrim = Hex(0xF2C14E);
    Rgba apron = Hex(0, 0);                      // alpha 0 = none
    double skirt = 10.0;                         // tunic length below the hips (robes reach the feet)
    double flare = 2.5;                          // hem wider than the hips
    bool sleeves = false;                        // upper arms in tunic colour
    bool longSleeves = false;                    // the whole arm in tunic colour
    bool shirt = true;                           // tunic covers the chest (else bare chest with a strap)
    Hat hat_ = Hat::Headcloth;
    bool beard = false, moustache = false;
    Rgba beardColour = Hex(0x2B1A10);
    bool bracelets = false;
};

// ---- Props: objects held, worn or lying around, drawn at a body point ----
enum class Attach { World, NearHand, FarHand, Hands, Head, Chest, Back };

struct Prop {
    Attach at = Attach::World;
    double dx = 0, dy = 0;   // offset (body px; x forward as the figure faces)
    double angle = 0;        // degrees, + turns forward (clockwise when facing right)
    double depth = 0;        // added to the attachment point's depth (+ nearer)
    bool followForearm = false;   // rotate with the forearm of the hand it is held in
    // Draws the object around (0, 0) in body px, x forward, y down.
    std::function<void(cairo_t*)> draw;
};

// Draws the figure with its feet anchor at (x, y) of the context (picture px).
void DrawPuppet(cairo_t* cr, const Look& look, const Pose& pose, double x, double y,
                const std::vector<Prop>& props = {});

// ---- Ready poses and shared painting helpers ----
Pose Stand();                                         // relaxed standing pose (frame 0 of walks)
Pose Walk(double phase, double stride = 1.0);        // walk cycle, phase in turns (0 = passing)
Pose Run(double phase, double stride = 1.0);         // run cycle
// Walk sequence of the figure: start frames blend from standing, cycle, end frames back to standing.
std::vector<Pose> WalkFrames(int start, int cycle, int end, const std::function<Pose(double)>& cyclePose,
                             const Pose& rest);
// A lit volume: fills the current path with a gradient lit from the upper left (from the path's
// extents), then strokes a soft dark outline. Keeps no path.
void Shade(cairo_t* cr, const Rgba& colour, double light = 0.22, double outline = 0.7);
// A brick of the building site (variants 1 to 4) centred at (0, 0), w x h body px, rotated by
// angle (radians), lit from the upper left in picture space whatever the rotation.
void DrawBrick(cairo_t* cr, int variant, double w, double h, double angle, uint32_t seed);
// Size of a brick of that variant (body px at scale 1; the brick pictures use the same).
void BrickSize(int variant, double& w, double& h);
void DrawBread(cairo_t* cr, double r, double bitten);   // a round flat loaf; bitten 0..1 eaten
// Writes frames rendered by fn into a sequence of w x h canvases.
Sequence Render(int frames, int w, int h, const std::function<void(Canvas&, int)>& fn);
// Renders one figure per pose into frames of w x h with the feet anchor at (ax, ay); props(i) gives
// the objects of frame i. Every frame is drawn once at its final size.
Sequence RenderFigure(const Look& look, int w, int h, double ax, double ay, const std::vector<Pose>& poses,
                      const std::function<std::vector<Prop>(int)>& props = {});
// Registers a figure picture. Multi-frame pictures are written as one GIF image holding the
// strip of frames (built here, left to right), which is exactly what a single-image strip is.
void AddFigure(ModuleRegistrar& reg, const std::string& path, std::function<Sequence(ArtContext&)> draw,
               double cost = 1.0);
// The building-site worker (every worker, carrier and the crazy man share this body).
Look WorkerLook();
// The worker lying face down after collapsing under the heavy stone (drawn facing left).
Pose CollapsedPose();
// A soft oval ground shadow (the pictures "characters/shadow" and "characters/shadowsmall").
Canvas ShadowPicture(int w, int h, double strength);

}  // namespace vantero::art::puppet
