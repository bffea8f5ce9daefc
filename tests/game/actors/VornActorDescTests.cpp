#include "CharacterSetups.h"
#include "SFXManager.h"
#include "VornAchievementsManager.h"
#include "VornActionDesc.h"
#include "VornActorDesc.h"
#include "VornGameManager.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

USING_NS_CC;

namespace
{
std::string plist(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n" + body +
           "</dict>\n</plist>\n";
}

std::string entry(const std::string& key, const std::string& value)
{
    return "<key>" + key + "</key><string>" + value + "</string>\n";
}

std::string action(const std::string& name, const std::string& body)
{
    return "<key>" + name + "</key><dict>" + body + "</dict>\n";
}

const std::string kNames = "<key>Names</key><array><string>Test</string></array>\n";
const std::string kIdleFrames = "<key>Frames</key><array><string>jors_idle_00</string></array>";

/** A game manager holding the real setup tables, resources read from dir. */
class ActorDescTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        useResources(vorntest::sourcePath("Resources"));
        m_game = new VornGameManager();
        m_game->setPlayerCharacterSetups(CharacterSetups::create("character-setup-player.csv"));
        m_game->setEnemyCharacterSetups(CharacterSetups::create("character-setup-enemy.csv"));
    }

    void TearDown() override
    {
        m_game->release();
        CCSpriteFrameCache::purgeSharedSpriteFrameCache();
        CCTextureCache::purgeSharedTextureCache();
        CCUserDefault::purgeSharedUserDefault();
    }

    void useResources(const std::string& dir) { CCFileUtils::sharedFileUtils()->setResourceDirectory(dir.c_str()); }

    /** Loads a list written into a fresh folder that also holds the real jors files. */
    VornActorDesc* loadWritten(const std::string& fileName, const std::string& text,
                               const std::string& extraName = "", const std::string& extraText = "")
    {
        std::string dir = vorntest::makeTempDir("actors");
        for (const char* name : {"jors.plist", "jors-sprites.plist", "jors-sprites.png", "shadow.png",
                                 "street-thug.plist", "thug-sprites.plist", "thug-sprites.png", "bot-brawler.lua"})
        {
            vorntest::writeFile(dir + "/" + name, vorntest::readFile(vorntest::sourcePath(std::string("Resources/") + name)));
        }
        vorntest::writeFile(dir + "/" + fileName, text);
        if (!extraName.empty())
        {
            vorntest::writeFile(dir + "/" + extraName, extraText);
        }
        useResources(dir);
        return m_game->actorDescWithFile(fileName.c_str());
    }

    CCScopedAutoreleasePool m_pool;
    VornGameManager* m_game = nullptr;
};

void expectEveryActionComplete(VornActorDesc* desc)
{
    ASSERT_NE(nullptr, desc->getActions());
    CCDictElement* element = NULL;
    CCDICT_FOREACH(desc->getActions(), element)
    {
        VornActionDesc* action = static_cast<VornActionDesc*>(element->getObject());
        ASSERT_NE(nullptr, action->getFrames()) << element->getStrKey();
        EXPECT_GT(action->getFrames()->count(), 0u) << element->getStrKey();
        EXPECT_LT(action->getType(), kVAT_MAX) << element->getStrKey();
        EXPECT_EQ((int)action->getFrames()->count() - 1, action->getLoopEnd()) << element->getStrKey();
    }
}
} // namespace

TEST_F(ActorDescTest, LoadsTheRealCharacters)
{
    vorntest::LogCapture log;
    VornActorDesc* jors = m_game->actorDescWithFile("jors.plist");
    ASSERT_NE(nullptr, jors);
    EXPECT_EQ(jors, m_game->actorDescWithFile("jors.plist"));  // cached
    EXPECT_EQ("jors", jors->getName());
    EXPECT_EQ("Jors", jors->getDisplayName());
    EXPECT_FLOAT_EQ(-360.0f, jors->getGravity());
    EXPECT_FLOAT_EQ(30.0f, jors->getBounds().height);
    EXPECT_NE(nullptr, jors->getShadowTexture());
    EXPECT_NE(nullptr, jors->getDefaultSpriteFrame());
    EXPECT_EQ(29u, jors->getActions()->count());
    expectEveryActionComplete(jors);

    // Types come from the action names, LightAttack2 and 3 from "Type"; the type table decides flags.
    VornActionDesc* walk = jors->getActionDesc("Walk");
    EXPECT_EQ(kVAT_Walk, walk->getType());
    EXPECT_EQ(1, walk->getPriority());
    EXPECT_EQ(3, walk->getStackMode());
    EXPECT_EQ(1, walk->getMoveMode());
    EXPECT_EQ(-1, walk->getLoopCount());
    VornActionDesc* forward = jors->getActionDesc("ForwardAttack");
    EXPECT_EQ(0, forward->getPriority());
    EXPECT_TRUE(forward->getCanRestart());
    EXPECT_FALSE(forward->getCanTakeDamage());
    VornActionDesc* light = jors->getActionDesc("LightAttack");
    EXPECT_EQ(kVAT_LightAttack, jors->getActionDesc("LightAttack3")->getType());
    EXPECT_EQ(jors->getActionDesc("LightAttack2"), light->getNextInCombo(kVAT_LightAttack));
    EXPECT_EQ(nullptr, light->getNextInCombo(kVAT_HeavyAttack));
    EXPECT_EQ(jors->getActionDesc("Floored"), jors->getActionDesc("FallBack")->getNextActionDesc());
    EXPECT_EQ(CCPoint(0.5f, 0.0f), light->getAnchorPoint());

    // One action per type named like it; LightAttack2 is only reached as a follow-up.
    EXPECT_EQ(light, jors->getStartAction(kVAT_LightAttack));
    EXPECT_EQ(1u, jors->getActionsForType(kVAT_LightAttack).size());
    EXPECT_EQ(nullptr, jors->getStartAction(kVAT_Default));

    // Stats from the real tables.
    EXPECT_FLOAT_EQ(100.0f, jors->getMaxXPPoints(0));
    EXPECT_FLOAT_EQ(500.0f, jors->getPlayerStats()->getMaxHealth());
    EXPECT_FLOAT_EQ(300.0f, jors->getEnemyStats()->getMaxHealth());

    VornActorDesc* thug = m_game->actorDescWithFile("street-thug.plist");
    ASSERT_NE(nullptr, thug);
    expectEveryActionComplete(thug);
    EXPECT_EQ(60, thug->getRandomColourMod());
    EXPECT_EQ("bot-brawler.lua", thug->getBotEngineFile());
    // Each kind's script lives in its own state: the thug's functions are not the player's.
    ASSERT_NE(nullptr, thug->getScriptEngine());
    ASSERT_NE(nullptr, jors->getScriptEngine());
    int tick = thug->getScriptEngine()->getFunctionRef("tick");
    EXPECT_NE(VORNSCRIPTREF_NULL, tick);
    thug->getScriptEngine()->releaseFunctionRef(tick);
    EXPECT_EQ(VORNSCRIPTREF_NULL, jors->getScriptEngine()->getFunctionRef("tick"));
    EXPECT_FALSE(log.contains("ERROR"));
    EXPECT_FALSE(log.contains("Error"));
}

TEST_F(ActorDescTest, DerivedListOverridesItsBaseActionByAction)
{
    // The derived kind has its own copy of the sheet in which only the idle frames differ.
    std::string copy = vorntest::readFile(vorntest::sourcePath("Resources/jors-sprites.plist"));
    for (size_t at = 0; (at = copy.find("<key>jors_idle_", at)) != std::string::npos; at += 5)
    {
        copy.insert(at + 5, "kira_");
    }

    std::string derived = plist(entry("BaseDesc", "jors") + entry("SpritePrefix", "kira_") +
                                "<key>Names</key><array><string>Kira</string></array>\n" +
                                entry("AnchorPoint", "(0.25,0)") + entry("Gravity", "-300") +
                                "<key>Actions</key><dict>" + action("LightAttack", entry("Duration", "0.5")) +
                                "</dict>\n");
    VornActorDesc* kira = loadWritten("kira.plist", derived, "kira_jors-sprites.plist", copy);
    ASSERT_NE(nullptr, kira);
    EXPECT_EQ("kira", kira->getName());
    EXPECT_EQ("Kira", kira->getDisplayName());
    EXPECT_FLOAT_EQ(-300.0f, kira->getGravity());
    EXPECT_FLOAT_EQ(1.0f, kira->getMass());  // from the base
    EXPECT_EQ(29u, kira->getActions()->count());

    CCSpriteFrameCache* frames = CCSpriteFrameCache::sharedSpriteFrameCache();
    VornActionDesc* idle = kira->getActionDesc("Idle");
    EXPECT_EQ(frames->spriteFrameByName("kira_jors_idle_00"), idle->getFrames()->objectAtIndex(0));
    EXPECT_EQ(frames->spriteFrameByName("jors_walk_00"), kira->getActionDesc("Walk")->getFrames()->objectAtIndex(0));

    // Only the duration changes; frames and follow-ups stay, the anchor falls back to the derived one.
    VornActionDesc* light = kira->getActionDesc("LightAttack");
    EXPECT_FLOAT_EQ(0.5f, light->getDuration());
    EXPECT_EQ(4u, light->getFrames()->count());
    EXPECT_EQ(kira->getActionDesc("LightAttack2"), light->getNextInCombo(kVAT_LightAttack));
    EXPECT_EQ(CCPoint(0.25f, 0.0f), light->getAnchorPoint());
    EXPECT_EQ(CCPoint(0.5f, 0.0f), kira->getActionDesc("Jump")->getAnchorPoint());
    EXPECT_EQ(light, kira->getStartAction(kVAT_LightAttack));
}

TEST_F(ActorDescTest, LoadFailuresAreLoggedAndReturnNothing)
{
    vorntest::LogCapture log;
    EXPECT_EQ(nullptr, m_game->actorDescWithFile("nobody.plist"));
    EXPECT_TRUE(log.contains("Unable to load actor descriptor nobody.plist!"));

    struct
    {
        const char* file;
        std::string text;
        const char* message;
    } cases[] = {
        {"nameless.plist", plist(entry("Mass", "2")), "Unable to get 'Names' values"},
        {"frameless.plist",
         plist(kNames + "<key>Actions</key><dict>" +
               action("Idle", entry("Duration", "1") + "<key>Frames</key><array><string>no_such_frame</string></array>") +
               "</dict>"),
         "Error loading animation frames"},
        {"sheetless.plist", plist(kNames + entry("SpriteSheet", "no-such-sheet")), "Error loading spritesheet 'no-such-sheet'"},
        {"timeless.plist", plist(kNames + "<key>Actions</key><dict>" + action("Idle", kIdleFrames) + "</dict>"),
         "Unable to load actor descriptor timeless.plist!"},
    };
    for (const auto& c : cases)
    {
        log.clear();
        EXPECT_EQ(nullptr, loadWritten(c.file, c.text)) << c.file;
        EXPECT_TRUE(log.contains(c.message)) << c.file;
    }
}

TEST_F(ActorDescTest, ActionTypeListsAndActionDefaults)
{
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithFile("jors-sprites.plist");
    std::string actions = action("Idle", entry("Duration", "0") + kIdleFrames) +
                          action("Punch", entry("Type", "LightAttack") + entry("Duration", "0.2") + kIdleFrames +
                                              entry("LoopEnd", "20") + entry("Priority", "9")) +
                          action("Jab", entry("Type", "LightAttack") + entry("Duration", "0.2") + kIdleFrames +
                                            entry("LoopEnd", "-1") + entry("AnchorPoint", "(1,1)"));
    std::string text = plist(kNames + entry("Bounds", "(3,4)") + entry("HeavyAttack", "Jab") +
                             "<key>LightAttack_Array</key><array><string>Jab</string><string>Missing</string>"
                             "<string>Punch</string></array>\n" +
                             "<key>Actions</key><dict>" + actions + "</dict>");
    VornActorDesc* desc = loadWritten("lists.plist", text);
    ASSERT_NE(nullptr, desc);

    const std::vector<VornActionDesc*>& light = desc->getActionsForType(kVAT_LightAttack);
    ASSERT_EQ(2u, light.size());
    EXPECT_EQ(desc->getActionDesc("Jab"), light[0]);
    EXPECT_EQ(desc->getActionDesc("Punch"), light[1]);
    EXPECT_EQ(desc->getActionDesc("Jab"), desc->getStartAction(kVAT_HeavyAttack));
    EXPECT_EQ(desc->getActionDesc("Idle"), desc->getStartAction(kVAT_Idle));
    EXPECT_EQ(nullptr, desc->getStartAction(kVAT_Walk));

    VornActionDesc* punch = desc->getActionDesc("Punch");
    EXPECT_EQ(0, punch->getLoopEnd());  // one frame: clamped to the last index
    EXPECT_EQ(2, punch->getPriority());  // the type decides, not the list
    EXPECT_EQ(CCSize(3.0f, 4.0f), punch->getBounds());
    EXPECT_EQ(0, desc->getActionDesc("Jab")->getLoopEnd());
    EXPECT_EQ(CCPoint(1.0f, 1.0f), desc->getActionDesc("Jab")->getAnchorPoint());
    EXPECT_FLOAT_EQ(0.0f, desc->getActionDesc("Idle")->getDuration());  // 0 is a duration
}

TEST_F(ActorDescTest, ProgressionBuysStatsAndSavesThem)
{
    std::string setups = vorntest::fixturePath("game/actors/setups.csv");
    m_game->setPlayerCharacterSetups(CharacterSetups::create(setups.c_str()));
    m_game->setEnemyCharacterSetups(CharacterSetups::create(setups.c_str()));
    VornActorDesc* hero = loadWritten("hero.plist", plist(kNames));
    ASSERT_NE(nullptr, hero);
    hero->resetProgression();

    EXPECT_EQ(0, hero->getXPLevel());
    EXPECT_EQ(40, hero->getMaxXPLevel());
    EXPECT_FLOAT_EQ(-1.0f / 9.0f, hero->getRPGPointsProgress(kCharacter_Player, kRPG_Health));
    EXPECT_FLOAT_EQ(200.0f - 200.0f / 9.0f, hero->getHealth(kCharacter_Player));
    EXPECT_EQ(100, hero->getMaxXPPoints(0));
    EXPECT_EQ(115, hero->getMaxXPPoints(1));
    EXPECT_EQ(130, hero->getMaxXPPoints(2));
    EXPECT_EQ(145, hero->getMaxXPPoints(3));

    hero->increaseXPPoints(100);
    EXPECT_EQ(1, hero->getNumXPLevelsSinceUpgrade());  // exactly the cost buys the level
    hero->increaseXPPoints(150);
    EXPECT_EQ(2, hero->getNumXPLevelsSinceUpgrade());
    hero->updateRunningXPPointsTotal();
    EXPECT_EQ(250, hero->getXPPoints());
    EXPECT_EQ(0, hero->getXPPointsSinceUpgrade());

    ASSERT_TRUE(hero->increaseRPGPoints(kRPG_Power));
    ASSERT_TRUE(hero->increaseRPGPoints(kRPG_Power));
    EXPECT_EQ(250 - 100 - 115, hero->getXPPoints());
    EXPECT_EQ(2, hero->getXPLevel());
    EXPECT_FLOAT_EQ(10.0f + 20.0f / 9.0f, hero->getPower(kCharacter_Player, kVAT_LightAttack));
    hero->increaseXPPoints(7);

    // Enemies grow with the mode and difficulty, not their points.
    m_game->setGameMode(kVornGameMode_Arena);
    EXPECT_FLOAT_EQ(300.0f, hero->getHealth(kCharacter_Enemy));
    m_game->setGameMode(kVornGameMode_Story);
    m_game->setStoryDifficultyLevel(kDifficulty_Hard);
    EXPECT_FLOAT_EQ(400.0f, hero->getHealth(kCharacter_Enemy));
    EXPECT_FLOAT_EQ(50.0f, hero->getPower(kCharacter_Enemy, kVAT_HeavyAttack));

    // A fresh load of the same kind reads back what was saved (the unbanked 7 was never saved).
    CCUserDefault::purgeSharedUserDefault();
    VornActorDesc* again = new VornActorDesc();
    CCDictionary* dict = CCDictionary::create();
    dict->setObject(CCArray::create(CCString::create("Hero"), NULL), "Names");
    ASSERT_TRUE(again->initWithDictionary(dict, "hero.plist"));
    EXPECT_EQ(2, again->getNumRPGPoints(kRPG_Power));
    EXPECT_EQ(0, again->getNumRPGPoints(kRPG_Health));
    EXPECT_EQ(35, again->getXPPoints());
    EXPECT_EQ(0, again->getXPPointsSinceUpgrade());
    again->release();
    EXPECT_EQ(2, CCUserDefault::sharedUserDefault()->getIntegerForKey("hero_RPG_1"));
}

TEST_F(ActorDescTest, StatsStopAtTheirMaximum)
{
    VornActorDesc* hero = loadWritten("hero.plist", plist(kNames));
    ASSERT_NE(nullptr, hero);
    hero->resetProgression();
    hero->setXPPoints(1000000);
    for (int stat = 0; stat < kRPG_MAX; ++stat)
    {
        while (hero->increaseRPGPoints(stat))
        {
        }
        EXPECT_EQ(10, hero->getNumRPGPoints(stat));
    }
    int xp = hero->getXPPoints();
    EXPECT_FALSE(hero->increaseRPGPoints(kRPG_Speed));
    EXPECT_EQ(xp, hero->getXPPoints());
    EXPECT_TRUE(hero->hasMaxXPLevel());
    EXPECT_EQ(0, hero->getNumXPLevelsSinceUpgrade());
    hero->increaseXPPoints(50);
    EXPECT_EQ(0, hero->getXPPointsSinceUpgrade());
    hero->resetProgression();
}

TEST_F(ActorDescTest, SavedPointsOutsideTheRangeAreClampedAndBaseProgressIsNotInherited)
{
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    store->setIntegerForKey("jors_RPG_0", 7);
    store->setIntegerForKey("kid_RPG_0", 99);
    store->setIntegerForKey("kid_RPG_1", -5);
    store->flush();
    VornActorDesc* kid = loadWritten("kid.plist", plist(entry("BaseDesc", "jors") + kNames));
    ASSERT_NE(nullptr, kid);
    EXPECT_EQ(10, kid->getNumRPGPoints(kRPG_Health));
    EXPECT_EQ(0, kid->getNumRPGPoints(kRPG_Power));
    store->setIntegerForKey("kid_RPG_0", 0);
    VornActorDesc* kid2 = new VornActorDesc();
    CCDictionary* dict = CCDictionary::create();
    dict->setObject(CCString::create("jors"), "BaseDesc");
    dict->setObject(CCArray::create(CCString::create("Kid"), NULL), "Names");
    ASSERT_TRUE(kid2->initWithDictionary(dict, "kid.plist"));
    EXPECT_EQ(0, kid2->getNumRPGPoints(kRPG_Health));  // jors's 7 stays jors's
    EXPECT_EQ(29u, kid2->getActions()->count());
    kid2->release();
}

TEST_F(ActorDescTest, DerivedEnemyKeepsItsBaseScript)
{
    VornActorDesc* boss = loadWritten("boss.plist", plist(entry("BaseDesc", "street-thug") + kNames));
    ASSERT_NE(nullptr, boss);
    EXPECT_EQ("bot-brawler.lua", boss->getBotEngineFile());
    int tick = boss->getScriptEngine()->getFunctionRef("tick");
    EXPECT_NE(VORNSCRIPTREF_NULL, tick);
    boss->getScriptEngine()->releaseFunctionRef(tick);
}

TEST_F(ActorDescTest, TheRealBossIsTheThugRedrawnWithAnUnstoppableHeavy)
{
    vorntest::LogCapture log;
    VornActorDesc* boss = m_game->actorDescWithFile("boss.plist");
    ASSERT_NE(nullptr, boss);
    EXPECT_EQ("boss", boss->getName());
    EXPECT_EQ("Harbour Boss", boss->getDisplayName());
    EXPECT_FLOAT_EQ(1.6f, boss->getMass());
    EXPECT_FLOAT_EQ(-360.0f, boss->getGravity());  // from the thug
    EXPECT_EQ(29u, boss->getActions()->count());
    expectEveryActionComplete(boss);

    // Every frame comes from the boss's own sheet, none from the thug's.
    CCTexture2D* sheet = CCTextureCache::sharedTextureCache()->addImage("boss_thug-sprites.png");
    ASSERT_NE(nullptr, sheet);
    CCDictElement* element = NULL;
    CCDICT_FOREACH(boss->getActions(), element)
    {
        CCObject* frame = NULL;
        CCARRAY_FOREACH(static_cast<VornActionDesc*>(element->getObject())->getFrames(), frame)
        {
            EXPECT_EQ(sheet, static_cast<CCSpriteFrame*>(frame)->getTexture()) << element->getStrKey();
        }
    }

    // Only his heavy goes through hits; the thug's own stays stoppable.
    EXPECT_TRUE(boss->getActionDesc("HeavyAttack")->getIsUnstoppable());
    EXPECT_FALSE(boss->getActionDesc("LightAttack")->getIsUnstoppable());
    VornActorDesc* thug = m_game->actorDescWithFile("street-thug.plist");
    ASSERT_NE(nullptr, thug);
    EXPECT_FALSE(thug->getActionDesc("HeavyAttack")->getIsUnstoppable());

    EXPECT_EQ("bot-brawler.lua", boss->getBotEngineFile());
    ASSERT_NE(thug->getScriptEngine(), boss->getScriptEngine());
    for (const char* entry : {"begin_state", "end_state", "tick"})
    {
        int ref = boss->getScriptEngine()->getFunctionRef(entry);
        EXPECT_NE(VORNSCRIPTREF_NULL, ref) << entry;
        boss->getScriptEngine()->releaseFunctionRef(ref);
    }
    for (const std::string& line : log.lines())
    {
        EXPECT_EQ(std::string::npos, line.find("ERROR")) << line;
    }
}

TEST_F(ActorDescTest, SelfNamingBaseDoesNotRecurseForever)
{
    VornActorDesc* loop = loadWritten("loop.plist", plist(entry("BaseDesc", "loop") + kNames));
    ASSERT_NE(nullptr, loop);
    EXPECT_EQ("loop", loop->getName());
}

TEST(ActorProgressionAchievements, MaxingOutACharacterEarnsItsAchievement)
{
    CCScopedAutoreleasePool pool;
    CCFileUtils::sharedFileUtils()->setResourceDirectory(vorntest::sourcePath("Resources").c_str());
    VornGameManager* game = new VornGameManager();
    ASSERT_TRUE(game->initVornGameManager());
    ASSERT_NE(nullptr, game->getAchievementsManager());
    EXPECT_EQ(game->getAchievementsManager(), AchievementsManager::sharedAchievementsManager());
    VornActorDesc* thug = game->actorDescWithFile("street-thug.plist");
    ASSERT_NE(nullptr, thug);
    thug->resetProgression();
    thug->setXPPoints(1000000);
    for (int stat = 0; stat < kRPG_MAX; ++stat)
    {
        while (thug->increaseRPGPoints(stat))
        {
        }
    }
    EXPECT_TRUE(game->getAchievementsManager()->isAchievementUnlocked("achievement.grandor.max_out_street_thug"));
    EXPECT_FALSE(game->getAchievementsManager()->isAchievementUnlocked("achievement.grandor.max_out_jors"));
    // Without the arena's character list nobody has earned "all".
    EXPECT_FALSE(game->getAchievementsManager()->isAchievementUnlocked("achievement.grandor.max_out_all"));
    thug->resetProgression();
    game->cleanup();
    game->release();
    CCDirector::purgeSharedDirector();
    CCSpriteFrameCache::purgeSharedSpriteFrameCache();
    CCTextureCache::purgeSharedTextureCache();
}

TEST_F(ActorDescTest, SoundsSheetsAndTexturesNamedOutsideTheResourcesAreRefusedWithALine)
{
    const std::string outside = vorntest::makeTempDir("actors-outside");
    for (const char* name : {"jors-sprites.plist", "jors-sprites.png", "shadow.png"})
    {
        vorntest::writeFile(outside + "/" + name, vorntest::readFile(vorntest::sourcePath(std::string("Resources/") + name)));
    }
    std::string sheet = vorntest::readFile(vorntest::sourcePath("Resources/jors-sprites.plist"));
    const std::string texture = "<string>jors-sprites.png</string>";
    sheet.replace(sheet.find(texture, sheet.find("<key>textureFileName</key>")), texture.size(),
                  "<string>" + outside + "/jors-sprites.png</string>");
    const std::string idle =
        "<key>Actions</key><dict>" +
        action("Idle", entry("Duration", "1") + entry("SFX", outside + "/hit.wav") + kIdleFrames) + "</dict>";
    SFXManager sounds;
    const struct
    {
        const char* file;
        std::string text;
        const char* refusedBy;
    } cases[] = {
        {"far-sheet.plist", plist(kNames + entry("SpriteSheet", outside + "/jors-sprites")),
         "VornActionDesc::initSpriteSheet - '"},
        {"far-texture.plist", plist(kNames + entry("SpriteSheet", "far-sprites")),
         "VornActionDesc::initSpriteSheet texture - '"},
        {"far-shadow.plist", plist(kNames + entry("SpriteSheet", "jors-sprites") + entry("Shadow", outside + "/shadow")),
         "VornActorDesc Shadow - '"},
        {"far-sound.plist", plist(kNames + entry("SpriteSheet", "jors-sprites") + idle), "SFXManager::preloadSFX - '"},
    };
    for (const auto& c : cases)
    {
        vorntest::LogCapture log;
        loadWritten(c.file, c.text, "far-sprites.plist", sheet);
        EXPECT_TRUE(log.contains(std::string(c.refusedBy) + outside)) << c.file;
        EXPECT_TRUE(log.contains("is not a file of the game's resources")) << c.file;
    }
}
