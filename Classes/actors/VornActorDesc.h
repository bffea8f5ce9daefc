#ifndef __VORN_ACTOR_DESC_H__
#define __VORN_ACTOR_DESC_H__

#include "CCArray.h"
#include "CCGeometry.h"
#include "CCTexture2D.h"
#include "VornActionTypes.h"
#include "VornDictionary.h"
#include "VornGameTypes.h"
#include "VornRPGStats.h"
#include "VornScriptEngine.h"

#include <string>
#include <vector>

NS_CC_BEGIN

class CCSpriteFrame;
class VornActionDesc;

/**
 * Everything known about one kind of character before it is placed: names, sheets, sounds,
 * physical constants, its actions with the ones chosen per action type, its enemy script, and its
 * saved progression (stat points bought with experience). Loaded once per property list and shared
 * by every actor of that kind.
 */
class VornActorDesc : public CCObject
{
public:
    /** Experience cost entries, one per XP level (more than the 40 levels a character can reach). */
    static const int kXPLevelTableSize = 44;

    VornActorDesc();
    virtual ~VornActorDesc();

    /** Reads the property list of that name from the resources; false when it can't be read or loaded. */
    bool initWithFile(const char* fileName);
    /** A base list ("BaseDesc") loads first and this one overrides it; false on a load error (logged). */
    bool initWithDictionary(CCDictionary* dict, std::string fileName);
    /** Merges an "Actions" dictionary into the action table, action by action. */
    bool initActions(CCDictionary* actions);

    VornActionDesc* getActionDesc(const std::string& name);
    /** A random one of the actions listed for the type, or NULL. */
    VornActionDesc* getStartAction(int actionType);
    /** The actions that may be played for a type (empty for a type out of range). */
    const std::vector<VornActionDesc*>& getActionsForType(int actionType) const;
    /** The first of "Names", or an empty text. */
    std::string getDisplayName();
    /** The first frame of a random Idle action, or NULL. */
    CCSpriteFrame* getDefaultSpriteFrame();
    virtual void preloadSFX();
    CCArray* getNames() { return m_pNames; }
    /** The enemy script named by "BotEngine", or by the base list's (empty when there is none). */
    const std::string& getBotEngineFile() const { return m_botEngineFile; }
    /** Whether the enemy script failed to load, leaving its enemies nothing to think with. */
    bool getBotEngineFailed() const { return m_bBotEngineFailed; }

    // Progression. A stat is a kRPG_ value, a character kind kCharacter_Player or kCharacter_Enemy.
    void loadRPGPoints();
    /** Writes the points of every stat and both experience totals, then flushes once. */
    void saveRPGPoints();
    void resetProgression();
    int getMinRPGPoints(int stat);
    int getMaxRPGPoints(int stat);
    int getNumRPGPoints(int stat);
    /** Buys a point of the stat with banked experience; false when the stat is at its maximum. */
    bool increaseRPGPoints(int stat);
    /** Where the stat lies in its range for that kind: (points - 1) / 9 for the player. */
    float getRPGPointsProgress(int characterKind, int stat);
    float getHealth(int characterKind);
    float getSpeed(int characterKind);
    float getPower(int characterKind, int actionType);
    /** Adds to the running total unless every level is already paid for. Not saved. */
    void increaseXPPoints(int points);
    /** Banks the running total and saves. */
    void updateRunningXPPointsTotal();
    int getXPLevel();
    int getMaxXPLevel();
    bool hasMaxXPLevel();
    /** The experience cost of that XP level (0 out of range). */
    int getMaxXPPoints(int level);
    /** XP levels that banked plus running experience would buy now. */
    int getNumXPLevelsSinceUpgrade();

    CC_SYNTHESIZE_PASS_BY_REF(std::string, m_name, Name);
    CC_SYNTHESIZE_PASS_BY_REF(std::string, m_fileName, FileName);
    CC_SYNTHESIZE_PASS_BY_REF(std::string, m_spritePrefix, SpritePrefix);
    CC_SYNTHESIZE_PASS_BY_REF(std::string, m_defaultAttackHitSFX, DefaultAttackHitSFX);
    CC_SYNTHESIZE_PASS_BY_REF(std::string, m_dieSFX, DieSFX);
    CC_SYNTHESIZE(bool, m_bCanFallOver, CanFallOver);
    CC_SYNTHESIZE_RETAIN(VornDictionary*, m_pActions, Actions);
    CC_SYNTHESIZE(int, m_nXPPoints, XPPoints);
    CC_SYNTHESIZE(int, m_nXPPointsSinceUpgrade, XPPointsSinceUpgrade);
    CC_SYNTHESIZE(float, m_fHealthRegen, HealthRegen);
    CC_SYNTHESIZE(float, m_fMass, Mass);
    CC_SYNTHESIZE(float, m_fGravity, Gravity);
    CC_SYNTHESIZE_PASS_BY_REF(CCSize, m_bounds, Bounds);
    CC_SYNTHESIZE_PASS_BY_REF(CCPoint, m_anchorPoint, AnchorPoint);
    CC_SYNTHESIZE_RETAIN(CCTexture2D*, m_pShadowTexture, ShadowTexture);
    CC_SYNTHESIZE(int, m_nRandomColourMod, RandomColourMod);
    CC_SYNTHESIZE(bool, m_bUseMonoRandomColour, UseMonoRandomColour);
    /** The descriptor's own script engine, in which its enemy script runs. */
    CC_SYNTHESIZE_RETAIN(VornScriptEngine*, m_pScriptEngine, ScriptEngine);
    CC_SYNTHESIZE_RETAIN(VornRPGStats*, m_pPlayerStats, PlayerStats);
    CC_SYNTHESIZE_RETAIN(VornRPGStats*, m_pEnemyStats, EnemyStats);

private:
    void initStats();
    /** After the enemy script failed: a fresh state running the base's script, or none at all. */
    /** Runs the enemy script file, a name of the game's resources only. */
    bool runBotEngine(const std::string& file);
    void recoverFromFailedScript(const std::string& baseScript);
    void buildXPLevelTable();
    void initActionTypeLists(CCDictionary* dict);
    void setActionsForType(int actionType, const std::vector<VornActionDesc*>& actions);
    VornRPGStats* statsForKind(int characterKind);
    bool isStat(int stat) const { return stat >= 0 && stat < kRPG_MAX; }

    /** Base lists nested this deep are taken as a loop (a list naming itself as its base). */
    static const int kMaxBaseDepth = 8;

    int m_nBaseDepth;  ///< base lists being read now
    int m_minRPGPoints[kRPG_MAX];
    int m_maxRPGPoints[kRPG_MAX];
    int m_numRPGPoints[kRPG_MAX];
    int m_XPLevelTable[kXPLevelTableSize];
    std::vector<VornActionDesc*> m_actionsByType[kVAT_MAX];  ///< each entry retained
    CCArray* m_pNames;                                         ///< retained
    std::string m_botEngineFile;
    bool m_bBotEngineFailed;
};

NS_CC_END

#endif // __VORN_ACTOR_DESC_H__
