#ifndef __VORN_GAME_MANAGER_BINDING_H__
#define __VORN_GAME_MANAGER_BINDING_H__

// Script-side forms of VornGameManager members whose native signature differs.

#include "ArenaManager.h"
#include "ArenaModeHelper.h"
#include "BotManager.h"
#include "CCDirector.h"
#include "LevelScriptBinding.h"
#include "MusicManager.h"
#include "TitleScreen.h"
#include "VornAchievementsManager.h"
#include "VornBackdrop.h"
#include "VornCameraManager.h"
#include "LevelManager.h"
#include "VornActorDesc.h"
#include "VornGameManager.h"
#include "VornPlayer.h"
#include "VornPlayerInputBase.h"
#include "VornScreen.h"

NS_CC_BEGIN

inline void script_initAnimationSpeed(VornGameManager* self)
{
    CC_UNUSED_PARAM(self);
    CCDirector::sharedDirector()->setAnimationInterval(1.0 / 60.0);
}

/**
 * A level script may load a level from inside its own call: the engine running that call is
 * the one the load replaces, so it stays open until the call has returned.
 */
/** The name of the button or key that triggers the input for the player; "" without a player. */
inline std::string script_getGamepadButtonString(VornGameManager* self, int input)
{
    VornPlayer* player = self->getPlayer();
    VornPlayerInputBase* controls = player ? player->getInput() : NULL;
    return controls ? controls->getDisplayStringForAction(input) : std::string();
}

/**
 * The player plays the descriptor. One the game loaded by file name goes through that name, so
 * the checkpoint store keeps which character a restore must bring back.
 */
inline void script_setPlayerDesc(VornGameManager* self, VornActorDesc* desc)
{
    VornPlayer* player = self->getPlayer();
    if (player == NULL)
    {
        CCLog("ERROR: VornGameManager::setPlayerDesc - there is no player");
        return;
    }
    if (desc != NULL && !desc->getFileName().empty() && self->actorDescWithFile(desc->getFileName().c_str()) == desc)
    {
        player->setPlayerDesc(desc->getFileName());
    }
    if (player->getDesc() != desc)
    {
        player->setDesc(desc);
    }
}

/** The arena tables the title screen keeps; nil before the title screen is built. */
inline ArenaModeHelper* script_getArenaModeHelper(VornGameManager* self)
{
    TitleScreen* title = dynamic_cast<TitleScreen*>(self->getTitleScreen());
    return title ? title->getArenaModeHelper() : NULL;
}

inline bool script_loadLevelScript(VornGameManager* self, const char* levelName, bool restoring)
{
    VornScriptEngine* running = self->getScriptEngine();
    if (running)
    {
        running->retain();
        running->autorelease();
    }
    return self->loadLevelScript(levelName, restoring);
}

/** The reporting form: only reached when the value form's checks fail, and they fail the same. */
inline void script_startTimer(VornGameManager* self, float seconds, const char* functionName, bool continuous)
{
    if (self->getScriptEngine() == NULL)
    {
        CCLog("ERROR: VornGameManager::startTimer - no level is running");
        return;
    }
    self->startTimer(seconds, functionName, continuous);
}

/**
 * A timer calling a function value with its progress, or, given a string, the global function
 * of that name (a name taken as the value itself would never call anything). Timers run in the
 * level's script engine; a call from any other state starts none.
 */
inline void script_startTimer(VornGameManager* self, lua_State* L, float seconds, lua_Object function, bool continuous)
{
    VornScriptEngine* engine = script_levelEngine(self, L);
    if (engine == NULL)
    {
        CCLog("ERROR: VornGameManager::startTimer - timers belong to the running level's script");
        return;
    }
    int type = function != 0 ? lua_type(L, function) : LUA_TNONE;
    if (type == LUA_TSTRING)
    {
        self->startTimer(seconds, lua_tostring(L, function), continuous);
        return;
    }
    if (type != LUA_TFUNCTION)
    {
        CCLog("ERROR: VornGameManager::startTimer - a timer calls a function or a function's name, not %s",
              type == LUA_TNONE ? "nothing" : lua_typename(L, type));
        return;
    }
    script_withValueOnEngineStack(L, function, engine, [&](int index) { self->startTimer(seconds, index, continuous); });
}

inline void script_updateAchievement(VornGameManager* self, const char* achievementId, float progress)
{
    VornAchievementsManager* achievements = self->getAchievementsManager();
    if (achievements && achievementId)
    {
        achievements->setAchievementProgress(achievementId, progress);
    }
}

inline void script_onStageComplete(VornGameManager* self)
{
    self->showStageComplete();
}

inline void script_playMusic(VornGameManager* self, const char* trackName)
{
    MusicManager* music = self->getMusicManager();
    if (music)
    {
        music->play(trackName);
    }
}

// What a script puts in one of the game's variables. The game uses each of them all through play,
// so a value that cannot serve (nothing, or an object the script made and never built) is refused
// and the game keeps its own; music and the stage the game can do without. Each case is told in
// one line. A value of another type the binding has already refused with a script error. The HUD
// has its rule in VornGameManager::setHUD, which the game's own calls share.

inline void script_tellVariable(const char* variable, const char* given, const char* outcome)
{
    CCLog("ERROR: VornGameManager.%s - %s; %s", variable, given, outcome);
}

// A part of the game a script may replace only with one that is built: anything else is logged and the
// game keeps its own. True when the value was refused.
inline bool script_refuseUnbuilt(const char* variable, const void* value, bool built, const char* unbuilt,
                                 const char* missing)
{
    if (value != NULL && built)
    {
        return false;
    }
    script_tellVariable(variable, value ? unbuilt : missing, "the game keeps its own");
    return true;
}

inline void script_setMusicManager(VornGameManager* self, MusicManager* music)
{
    if (music == NULL)
    {
        script_tellVariable("MusicManager", "no music manager", "the game plays on without music");
    }
    else if (music->getTracks() == NULL)
    {
        // Never built: no tracks, the saved volume unread, deaf to pauses.
        script_tellVariable("MusicManager", "a music manager that has not been built (init)", "the game keeps its own");
        return;
    }
    self->setMusicManager(music);
}

inline void script_setPlayer(VornGameManager* self, VornPlayer* player)
{
    if (!script_refuseUnbuilt("Player", player, player && player->getDesc() != NULL,
                              "a player without a fighter (initWithDesc)", "no player"))
    {
        self->setPlayer(player);
    }
}

inline void script_setBotManager(VornGameManager* self, BotManager* manager)
{
    if (!script_refuseUnbuilt("BotManager", manager, manager && !manager->getPool().empty(),
                              "an enemy manager without enemies (init)", "no enemy manager"))
    {
        self->setBotManager(manager);
    }
}

inline void script_setBackground(VornGameManager* self, VornBackdrop* backdrop)
{
    if (backdrop == NULL || backdrop->getFileName() == NULL)
    {
        // The next stage the level loads takes its place.
        script_tellVariable("Background", backdrop ? "a stage that has not been loaded" : "no stage",
                            "the level plays on an empty stage");
    }
    self->setBackground(backdrop);
}

inline void script_setCameraManager(VornGameManager* self, VornCameraManager* camera)
{
    if (!script_refuseUnbuilt("CameraManager", camera, camera && camera->getGameLayer() != NULL,
                              "a camera without a game layer (initWithGameLayer)", "no camera"))
    {
        self->setCameraManager(camera);
    }
}

inline void script_setLevelManager(VornGameManager* self, LevelManager* manager)
{
    if (!script_refuseUnbuilt("LevelManager", manager, manager && manager->getLevels() != NULL,
                              "a level list without levels", "no level list"))
    {
        self->setLevelManager(manager);
    }
}

inline void script_setArenaManager(VornGameManager* self, ArenaManager* manager)
{
    if (!script_refuseUnbuilt("ArenaManager", manager, manager && manager->getTaskInstances() != NULL,
                              "an arena manager that has not been built (init)", "no arena manager"))
    {
        self->setArenaManager(manager);
    }
}

NS_CC_END

#endif // __VORN_GAME_MANAGER_BINDING_H__
