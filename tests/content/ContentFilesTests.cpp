// The resource pack carries every file and key the game's loaders read, in their formats.
#include "ContentTestSupport.h"
#include "VornTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>

using namespace cocos2d;
using namespace vorntest;

namespace
{
// Every action the moveset needs, and the kinds of timed event it must carry.
const char* kMoveset[] = {"Idle", "Walk", "Jump", "JumpAttack", "LightAttack", "HeavyAttack", "ForwardAttack",
                          "BackAttack", "GroundAttack", "RushAttackIntro", "RushAttack", "TakeDamage", "Stunned",
                          "Grabbed", "GrabbedImpact", "Grab", "GrabLightAttack", "GrabHeavyAttack",
                          "GrabThrowForward", "GrabThrowBack", "Thrown", "ThrownBack", "FallForward", "FallBack",
                          "Floored", "FlooredTakeDamage", "StandUp"};

const char* kActionTypes[] = {"Idle", "Walk", "FallForward", "FallBack", "Floored", "FlooredTakeDamage", "StandUp",
                              "Jump", "JumpAttack", "LightAttack", "HeavyAttack", "ForwardAttack", "BackAttack",
                              "RushAttackIntro", "RushAttack", "GroundAttack", "TakeDamage", "Stunned", "Grabbed",
                              "GrabbedImpact", "Grab", "GrabLightAttack", "GrabHeavyAttack", "GrabThrowBack",
                              "GrabThrowForward", "Thrown", "ThrownBack", "Default"};

bool fileExists(const std::string& path)
{
    FILE* f = fopen(path.c_str(), "rb");
    if (f)
        fclose(f);
    return f != NULL;
}

CCDictionary* dictOf(CCDictionary* d, const char* key)
{
    return d ? dynamic_cast<CCDictionary*>(d->objectForKey(key)) : NULL;
}

/** The events of one action, each checked for the keys its kind needs. */
void checkEvents(const std::string& where, CCDictionary* events)
{
    CCDictElement* el = NULL;
    CCDICT_FOREACH(events, el)
    {
        std::string at = where + "." + el->getStrKey();
        CCDictionary* ev = dynamic_cast<CCDictionary*>(el->getObject());
        ASSERT_TRUE(ev) << at;
        std::string type = stringFor(ev, "Type");
        EXPECT_TRUE(type == "Attack" || type == "Jump" || type == "GrabTarget" || type == "Throw" || type == "Delay")
            << at << " type " << type;
        std::string time = stringFor(ev, "Time");
        ASSERT_FALSE(time.empty()) << at;
        float t = (float)atof(time.c_str());
        EXPECT_TRUE(t >= -1.0f && t <= 1.0f) << at;
        if (type == "Attack" || type == "GrabTarget")
        {
            float x, y, w, h;
            EXPECT_EQ(4, sscanf(stringFor(ev, "Bounds").c_str(), "(%f,%f) (%f,%f)", &x, &y, &w, &h)) << at;
            EXPECT_GT(w, 0.0f) << at;
            EXPECT_GT(h, 0.0f) << at;
        }
        if (type == "Attack" && ev->objectForKey("AttackType"))
        {
            std::string kind = stringFor(ev, "AttackType");
            EXPECT_TRUE(kind == "Normal" || kind == "KO" || kind == "Stun") << at;
        }
        if (type == "Jump")
        {
            float fx, fy;
            EXPECT_EQ(2, sscanf(stringFor(ev, "Force").c_str(), "(%f,%f)", &fx, &fy)) << at;
        }
    }
}

int countEvents(CCDictionary* action, const char* type)
{
    int n = 0;
    CCDictElement* el = NULL;
    CCDICT_FOREACH(dictOf(action, "Events"), el)
    {
        if (stringFor(dynamic_cast<CCDictionary*>(el->getObject()), "Type") == type)
            ++n;
    }
    return n;
}
} // namespace

TEST(ContentFiles, FontsParseAndHoldEveryRequestedGlyph)
{
    for (const char* name : {"unibody8bold", "title-font"})
    {
        SCOPED_TRACE(name);
        FntFile fnt = readFnt(resourcePath(std::string(name) + ".fnt"));
        for (const std::string& e : fnt.errors)
            ADD_FAILURE() << e;
        EXPECT_EQ(std::string(name) + ".png", fnt.pageFile);
        EXPECT_TRUE(fileExists(resourcePath(fnt.pageFile)));
        ASSERT_GT(atoi(fnt.common["lineHeight"].c_str()), 0);
        const int pageW = atoi(fnt.common["scaleW"].c_str()), pageH = atoi(fnt.common["scaleH"].c_str());

        std::vector<int> wanted;
        for (int c = 32; c < 127; ++c)
            wanted.push_back(c);
        for (int c = 0xC0; c <= 0xFF; ++c)
            wanted.push_back(c);
        wanted.push_back(0xA3);   // pound
        wanted.push_back(0x20AC); // euro
        for (int id : wanted)
        {
            auto it = fnt.chars.find(id);
            ASSERT_NE(fnt.chars.end(), it) << "missing glyph " << id;
            FntChar& c = it->second;
            EXPECT_GT(c["xadvance"], 0) << id;
            EXPECT_LE(c["x"] + c["width"], pageW) << id;
            EXPECT_LE(c["y"] + c["height"], pageH) << id;
            if (id != 32 && id != 0xA0)
            {
                EXPECT_GT(c["width"] * c["height"], 0) << "blank glyph " << id;
            }
        }
    }
}

TEST(ContentFiles, FightersLoadWithTheWholeMovesetAndFramesInTheirSheets)
{
    CCScopedAutoreleasePool pool;
    for (const FighterFiles& f : kFighters)
    {
        SCOPED_TRACE(f.descriptor);
        ASSERT_STRNE(f.descriptor, f.sheet);
        CCDictionary* actor = CCDictionary::createWithContentsOfFile(resourcePath(std::string(f.descriptor) + ".plist").c_str());
        ASSERT_TRUE(actor);
        CCArray* names = dynamic_cast<CCArray*>(actor->objectForKey("Names"));
        ASSERT_TRUE(names && names->count() > 0);
        EXPECT_EQ(f.sheet, stringFor(actor, "SpriteSheet"));
        EXPECT_TRUE(fileExists(resourcePath(stringFor(actor, "Shadow") + ".png")));
        for (const char* sfx : {"DefaultAttackHitSFX", "DieSFX"})
            EXPECT_TRUE(fileExists(resourcePath(stringFor(actor, sfx)))) << sfx;

        CCDictionary* sheet = CCDictionary::createWithContentsOfFile(resourcePath(std::string(f.sheet) + ".plist").c_str());
        ASSERT_TRUE(sheet);
        CCDictionary* frames = dictOf(sheet, "frames");
        ASSERT_TRUE(frames);
        EXPECT_TRUE(fileExists(resourcePath(stringFor(dictOf(sheet, "metadata"), "textureFileName"))));

        CCDictionary* actions = dictOf(actor, "Actions");
        ASSERT_TRUE(actions);
        for (const char* a : kMoveset)
            EXPECT_TRUE(dictOf(actions, a)) << "missing action " << a;

        CCDictElement* el = NULL;
        CCDICT_FOREACH(actions, el)
        {
            std::string name = el->getStrKey();
            CCDictionary* action = dynamic_cast<CCDictionary*>(el->getObject());
            ASSERT_TRUE(action) << name;
            EXPECT_GT(atof(stringFor(action, "Duration").c_str()), 0.0) << name;
            CCArray* list = dynamic_cast<CCArray*>(action->objectForKey("Frames"));
            ASSERT_TRUE(list && list->count() > 0) << name;
            CCObject* o = NULL;
            CCARRAY_FOREACH(list, o)
            {
                CCString* frame = dynamic_cast<CCString*>(o);
                ASSERT_TRUE(frame) << name;
                EXPECT_TRUE(frames->objectForKey(frame->getCString())) << name << " frame " << frame->getCString();
            }
            std::string type = action->objectForKey("Type") ? stringFor(action, "Type") : name;
            EXPECT_NE(std::end(kActionTypes), std::find(std::begin(kActionTypes), std::end(kActionTypes), type))
                << name << " has no action type";
            // Follow-ups must name actions of this fighter.
            if (action->objectForKey("NextAction"))
            {
                EXPECT_TRUE(dictOf(actions, stringFor(action, "NextAction").c_str())) << name;
            }
            for (const char* t : kActionTypes)
            {
                std::string key = std::string("Next") + t;
                if (action->objectForKey(key))
                {
                    EXPECT_TRUE(dictOf(actions, stringFor(action, key.c_str()).c_str())) << name << " " << key;
                }
            }
            if (action->objectForKey("SFX"))
            {
                EXPECT_TRUE(fileExists(resourcePath(stringFor(action, "SFX")))) << name;
            }
            checkEvents(std::string(f.descriptor) + "." + name, dictOf(action, "Events"));
        }

        // The moves that must carry events, and the chains that end every knock-down.
        EXPECT_EQ(1, countEvents(dictOf(actions, "Jump"), "Jump"));
        EXPECT_EQ(1, countEvents(dictOf(actions, "Stunned"), "GrabTarget"));
        EXPECT_EQ(1, countEvents(dictOf(actions, "GrabThrowForward"), "Throw"));
        EXPECT_EQ(1, countEvents(dictOf(actions, "GrabThrowBack"), "Throw"));
        for (const char* a : {"Thrown", "ThrownBack"})
            EXPECT_EQ(1, countEvents(dictOf(actions, a), "Jump")) << a;
        for (const char* a : {"JumpAttack", "LightAttack", "HeavyAttack", "ForwardAttack", "BackAttack",
                              "GroundAttack", "RushAttack", "GrabLightAttack", "GrabHeavyAttack"})
            EXPECT_GE(countEvents(dictOf(actions, a), "Attack"), 1) << a;
        for (const char* a : {"Thrown", "ThrownBack", "FallForward", "FallBack"})
            EXPECT_EQ("Floored", stringFor(dictOf(actions, a), "NextAction")) << a;
        EXPECT_EQ("StandUp", stringFor(dictOf(actions, "Floored"), "NextAction"));
        EXPECT_EQ("RushAttack", stringFor(dictOf(actions, "RushAttackIntro"), "NextAction"));
        EXPECT_FALSE(stringFor(dictOf(actions, "LightAttack"), "NextLightAttack").empty());
        CCDictElement* hit = dictOf(dictOf(actions, "ForwardAttack"), "Events")->firstElement();
        EXPECT_EQ("Stun", stringFor(dynamic_cast<CCDictionary*>(hit->getObject()), "AttackType"));
    }
}

TEST(ContentFiles, LightAttackReachesAnOpponentStandingInFront)
{
    CCScopedAutoreleasePool pool;
    for (const FighterFiles& f : kFighters)
    {
        SCOPED_TRACE(f.descriptor);
        CCDictionary* actor = CCDictionary::createWithContentsOfFile(resourcePath(std::string(f.descriptor) + ".plist").c_str());
        ASSERT_TRUE(actor);
        float bw = 0, bh = 0;
        ASSERT_EQ(2, sscanf(stringFor(actor, "Bounds").c_str(), "(%f,%f)", &bw, &bh));
        CCDictionary* light = dictOf(dictOf(actor, "Actions"), "LightAttack");
        CCDictionary* ev = dynamic_cast<CCDictionary*>(dictOf(light, "Events")->firstElement()->getObject());
        float x, y, w, h;
        ASSERT_EQ(4, sscanf(stringFor(ev, "Bounds").c_str(), "(%f,%f) (%f,%f)", &x, &y, &w, &h));
        // An opponent's body box, centred 20 units ahead (close enough to touch fists), must overlap.
        const float otherLeft = 20.0f - bw / 2.0f, otherRight = 20.0f + bw / 2.0f;
        EXPECT_LE(x, otherRight);
        EXPECT_GE(x + w, otherLeft);
        EXPECT_LT(y, bh);
        EXPECT_GT(y + h, 0.0f);
        EXPECT_GE(bh, 28.0f); // ~32 units tall
        EXPECT_LE(bh, 36.0f);
    }
}

TEST(ContentFiles, SetupTablesHaveAFullRowForEveryFighterOnBothSides)
{
    const char* kCategories[] = {"MinHealth", "MaxHealth", "MinSpeed", "MaxSpeed", "MinPower", "MaxPower",
                                 "MinSpecial", "MaxSpecial", "XPKillPoints", "XPLevelBase", "XPLevelBump"};
    for (const char* table : {"character-setup-player.csv", "character-setup-enemy.csv"})
    {
        SCOPED_TRACE(table);
        auto rows = readCsv(resourcePath(table));
        ASSERT_GE(rows.size(), 3u);
        for (const char* c : kCategories)
            EXPECT_NE(rows[0].end(), std::find(rows[0].begin(), rows[0].end(), c)) << c;
        for (const char* name : {"jors", "kira", "street-thug", "boss"})
        {
            auto row = std::find_if(rows.begin(), rows.end(), [&](const std::vector<std::string>& r) { return r[0] == name; });
            ASSERT_NE(rows.end(), row) << name;
            ASSERT_EQ(rows[0].size(), row->size()) << name;
            for (size_t i = 1; i < row->size(); ++i)
                EXPECT_FALSE((*row)[i].empty()) << name << " column " << rows[0][i];
        }
    }

    // The boss outlasts and outhits the thugs he leads.
    auto enemy = readCsv(resourcePath("character-setup-enemy.csv"));
    auto valueOf = [&](const char* name, const char* category) {
        size_t col = std::find(enemy[0].begin(), enemy[0].end(), category) - enemy[0].begin();
        for (const auto& r : enemy)
            if (r[0] == name && col < r.size())
                return atof(r[col].c_str());
        return 0.0;
    };
    for (const char* c : {"MinHealth", "MaxHealth", "MinPower", "MaxPower", "XPKillPoints"})
        EXPECT_GT(valueOf("boss", c), valueOf("street-thug", c)) << c;
}

TEST(ContentFiles, SetupNamesLocaleTablesThatHoldEveryFixedKeyAndAchievementText)
{
    CCScopedAutoreleasePool pool;
    CCDictionary* setup = CCDictionary::createWithContentsOfFile(resourcePath("setup.plist").c_str());
    ASSERT_TRUE(setup);
    CCArray* handlers = dynamic_cast<CCArray*>(setup->objectForKey("OnlineHandlers"));
    ASSERT_TRUE(handlers && handlers->count() == 1);
    EXPECT_STREQ("Steamworks", static_cast<CCString*>(handlers->objectAtIndex(0))->getCString());

    std::set<std::string> ids;
    CCObject* o = NULL;
    CCARRAY_FOREACH(dynamic_cast<CCArray*>(setup->objectForKey("LocaleDictionaries")), o)
    {
        std::string table = static_cast<CCString*>(o)->getCString();
        auto rows = readCsv(resourcePath(table));
        ASSERT_FALSE(rows.empty()) << table;
        ASSERT_GE(rows[0].size(), 2u) << table;
        EXPECT_EQ("en", rows[0][1]) << table;
        for (size_t i = 1; i < rows.size(); ++i)
        {
            EXPECT_GE(rows[i].size(), 2u) << table << " row " << i;
            EXPECT_FALSE(rows[i].size() >= 2 && rows[i][1].empty()) << table << " " << rows[i][0];
            ids.insert(rows[i][0]);
        }
    }
    for (const char* key : {"MENU_YES", "MENU_NO", "MENU_FIGHT", "MENU_SELECT_ARENA", "MENU_EXIT_GAME_QUESTION",
                            "MENU_RESET_SAVE_QUESTION", "CHAR_SELECT_LOCKED", "ARENA_SELECT_LOCKED", "HUD_COMBO",
                            "ARENA_TASK_FINISHING_MOVE", "ARENA_TASK_COMBO", "ARENA_TASK_STUN", "ARENA_TASK_SURVIVE",
                            "ARENA_TASK_THROW", "FINISHING_MOVE_JUMP_KICK", "FINISHING_MOVE_BACK_KICK",
                            "FINISHING_MOVE_STOMP", "CONTROL_LEFT", "CONTROL_RIGHT", "CONTROL_UP", "CONTROL_DOWN",
                            "CONTROL_JUMP", "CONTROL_PUNCH", "CONTROL_KICK", "CONTROL_STOMP", "CONTROL_BACK_KICK",
                            "CONTROL_PAUSE", "CONTROL_MENU_SELECT", "CONTROL_MENU_BACK"})
        EXPECT_TRUE(ids.count(key)) << key;

    CCDictionary* achievements = CCDictionary::createWithContentsOfFile(resourcePath("achievements.plist").c_str());
    ASSERT_TRUE(achievements);
    EXPECT_EQ(32u, achievements->count());  // one "completed_level_N" per stage, one "max_out_" per fighter
    EXPECT_TRUE(achievements->objectForKey("achievement.grandor.max_out_street_thug"));
    CCDictElement* el = NULL;
    CCDICT_FOREACH(achievements, el)
    {
        std::string id = el->getStrKey();
        EXPECT_FALSE(stringFor(dynamic_cast<CCDictionary*>(el->getObject()), "Steamworks").empty()) << id;
        for (const std::string& prefix : {std::string(), std::string("post_"), std::string("pre_")})
            EXPECT_TRUE(ids.count(prefix + id)) << prefix + id;
    }

    CCDictionary* boards = CCDictionary::createWithContentsOfFile(resourcePath("leaderboards.plist").c_str());
    ASSERT_TRUE(boards);
    EXPECT_TRUE(dictOf(boards, "story-mode"));
}

TEST(ContentFiles, GamepadsAndImpactCarryTheirKeys)
{
    CCScopedAutoreleasePool pool;
    CCDictionary* pads = CCDictionary::createWithContentsOfFile(resourcePath("gamepads.plist").c_str());
    ASSERT_TRUE(pads);
    ASSERT_GE(pads->count(), 1u);
    CCDictionary* pad = dynamic_cast<CCDictionary*>(pads->firstElement()->getObject());
    ASSERT_TRUE(pad);
    EXPECT_EQ((0x046d << 16) | 0xc216, atoi(stringFor(pad, "DeviceType").c_str()));
    std::set<std::string> mapped;
    CCObject* o = NULL;
    CCARRAY_FOREACH(dynamic_cast<CCArray*>(pad->objectForKey("ButtonInfo")), o)
    {
        CCDictionary* button = dynamic_cast<CCDictionary*>(o);
        ASSERT_TRUE(button);
        EXPECT_FALSE(stringFor(button, "Code").empty());
        EXPECT_FALSE(stringFor(button, "DisplayName").empty());
        CCObject* m = NULL;
        CCARRAY_FOREACH(dynamic_cast<CCArray*>(button->objectForKey("Mappings")), m)
            mapped.insert(static_cast<CCString*>(m)->getCString());
    }
    for (const char* input : {"kVornInput_Left", "kVornInput_Right", "kVornInput_Up", "kVornInput_Down",
                              "kVornInput_Jump", "kVornInput_Punch", "kVornInput_Kick", "kVornInput_Stomp",
                              "kVornInput_BackKick", "kVornInput_Pause", "kVornInput_MenuAction", "kVornInput_MenuBack"})
        EXPECT_TRUE(mapped.count(input)) << input;

    CCDictionary* impact = CCDictionary::createWithContentsOfFile(resourcePath("impact.plist").c_str());
    ASSERT_TRUE(impact);
    EXPECT_TRUE(fileExists(resourcePath(stringFor(impact, "textureFileName"))));
    EXPECT_EQ("1", stringFor(impact, "blendFuncDestination")); // additive
    for (const char* key : {"maxParticles", "duration", "emitterType", "particleLifespan", "startParticleSize",
                            "startColorRed", "finishColorAlpha", "blendFuncSource"})
        EXPECT_TRUE(impact->objectForKey(key)) << key;

    for (const char* file : {"joystick.png", "joystick-nub.png", "shadow.png", "particle.png", "bot-brawler.lua",
                             "sfx/menu-select.mp3", "sfx/grumvald.mp3", "sfx/hit.mp3", "sfx/swing.mp3",
                             "sfx/jump.mp3", "sfx/throw.mp3", "sfx/die.mp3"})
        EXPECT_TRUE(fileExists(resourcePath(file))) << file;
}

namespace
{
/** Pixels that differ between two glyphs of the page, each set on its pen position and baseline. */
int glyphDifference(FntFile& fnt, CCImage& page, int a, int b)
{
    const int w = page.getWidth();
    const unsigned char* rgba = page.getData();
    auto inked = [&](FntChar& c, int x, int y) {
        int gx = x - c["xoffset"], gy = y - c["yoffset"];
        if (gx < 0 || gy < 0 || gx >= c["width"] || gy >= c["height"])
            return false;
        return rgba[((c["y"] + gy) * w + c["x"] + gx) * 4 + 3] > 127;
    };
    int differ = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            differ += inked(fnt.chars[a], x, y) != inked(fnt.chars[b], x, y) ? 1 : 0;
    return differ;
}
} // namespace

TEST(ContentFiles, TheSmallFontTellsLookAlikeCapitalsApart)
{
    // "TULMEK" once read as "TVLNEK" and "Night" as "Hight": these pairs must differ clearly.
    FntFile fnt = readFnt(resourcePath("unibody8bold.fnt"));
    CCImage page;
    ASSERT_TRUE(page.initWithImageFile(resourcePath(fnt.pageFile).c_str()));
    // Pixels each pair must at least differ in (the monospaced 10 px face had 9, 2, 2, 2 and 1).
    const struct
    {
        const char* pair;
        int atLeast;
    } pairs[] = {{"UV", 15}, {"MN", 10}, {"MH", 10}, {"NH", 6}, {"O0", 8}};
    for (const auto& p : pairs)
    {
        EXPECT_GE(glyphDifference(fnt, page, p.pair[0], p.pair[1]), p.atLeast) << p.pair;
    }
}
