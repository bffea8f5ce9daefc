#ifndef __VORN_TOOL_FIGHTER_FILE_H__
#define __VORN_TOOL_FIGHTER_FILE_H__

#include "Image.h"
#include "PlistText.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace vorntool
{
/** One limb piece: length and width in pixels and the palette colour it is filled with. */
struct Bone
{
    float length = 0, width = 0;
    std::string colour;
};

/** Joint angles in degrees; limbs: 0 = hanging down, positive = towards the facing side. */
typedef std::map<std::string, float> Pose;

/** A pose written as a named base pose plus the joints it changes; resolved when drawn. */
struct PoseSpec
{
    std::string base;
    Pose changes;
};

struct Action
{
    std::string name;
    std::vector<std::pair<std::string, std::string>> keys;   // plain action keys, in order
    std::vector<std::pair<std::string, std::string>> events; // event key, "K=V; K=V" text
    std::vector<PoseSpec> frames;
    bool framesFromThisFile = false;
    std::vector<std::pair<std::string, std::string>> ownKeys; // keys set by the top file itself
};

/** A fighter: its body, palette, poses, actions and the actor-list keys around them. */
struct Fighter
{
    std::string name, sheet, prefix;
    int canvasW = 64, canvasH = 48;
    std::map<std::string, Bone> bones;
    std::map<std::string, Colour> palette;
    std::map<std::string, PoseSpec> poses;
    std::vector<std::pair<std::string, std::string>> actorKeys;
    std::vector<std::pair<std::string, std::string>> ownActorKeys; // set by the top file itself
    std::deque<Action> actions; // a deque: pointers stay valid as actions are added

    Action* findAction(const std::string& name);
};

/** The full joint set of a pose spec (its bases first); false on an unknown or looping base. */
bool resolvePose(const Fighter& f, const PoseSpec& spec, Pose& out);

/** Reads a fighter description (with its "include" files); false and a message on errors. */
bool loadFighter(const std::string& path, Fighter& out);

/** Frame name of frame i of an action: prefix + lower-case action name + "_" + two digits. */
std::string frameName(const Fighter& f, const Action& a, size_t i);

/** Whether the fighter names a base descriptor ("BaseDesc"): it only recolours that one. */
bool isDerived(const Fighter& f);

/**
 * The actor property list (descriptor) the game loads. A derived fighter's list holds only what
 * its own file sets: the base gives the rest, and its frames come from the prefixed sheet.
 */
PValue actorList(const Fighter& f);
} // namespace vorntool

#endif
