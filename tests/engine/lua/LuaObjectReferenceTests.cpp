#include "VornTestSupport.h"
#include "lua_engine.h"

#include <gtest/gtest.h>

#include <new>
#include <string>

USING_NS_CC;
using vorntest::LogCapture;

namespace
{
// A bound method in the ordinary tolua++ form: name(self) returns the object's name.
class Probe : public CCObject
{
public:
    explicit Probe(const char* name) : m_name(name) {}
    const char* name() const { return m_name; }

private:
    const char* m_name;
};

int lua_Probe_name(lua_State* L)
{
    tolua_Error err;
    if (!tolua_isusertype(L, 1, "CCObject", 0, &err) || !tolua_isnoobj(L, 2, &err))
    {
        tolua_error(L, "#ferror in function 'name'.", &err);
        return 0;
    }
    Probe* self = (Probe*)tolua_tousertype(L, 1, 0);
    if (!self)
    {
        tolua_error(L, "invalid 'self' in function 'name'", NULL);
        return 0;
    }
    lua_pushstring(L, self->name());
    return 1;
}

void pushObject(CCLuaEngine& engine, Probe* probe, const char* type, const char* global)
{
    lua_State* L = engine.getLuaState();
    tolua_pushccobject(L, probe, type);
    lua_setglobal(L, global);
}

void openProbe(CCLuaEngine& engine)
{
    lua_register(engine.getLuaState(), "probeName", lua_Probe_name);
}
} // namespace

TEST(LuaObjectReference, PushedObjectKeepsOneLuaIdAndOneUserValue)
{
    CCLuaEngine engine;
    Probe* probe = new Probe("bot");
    pushObject(engine, probe, "CCSprite", "a");
    EXPECT_EQ((int)probe->m_uID, probe->m_nLuaID);
    pushObject(engine, probe, "CCSprite", "b");
    EXPECT_EQ((int)probe->m_uID, probe->m_nLuaID);
    EXPECT_EQ(probe, toluafix_get_ccobject_by_refid(engine.getLuaState(), probe->m_nLuaID));
    EXPECT_EQ(0, engine.executeString("assert(rawequal(a, b))"));

    lua_State* L = engine.getLuaState();
    int nothing = 0;
    EXPECT_EQ(-1, toluafix_pushusertype_ccobject(L, 7, &nothing, NULL, "CCSprite"));
    EXPECT_TRUE(lua_isnil(L, -1));
    lua_pop(L, 1);
    probe->release();
}

TEST(LuaObjectReference, DeadObjectIsForgottenInEveryState)
{
    CCLuaEngine first;
    CCLuaEngine second;
    openProbe(first);
    openProbe(second);

    // Own storage so the next object surely takes the same address (allocators may not reuse).
    alignas(Probe) unsigned char storage[sizeof(Probe)];
    Probe* old = new (storage) Probe("old");
    pushObject(first, old, "CCSprite", "held");
    pushObject(second, old, "CCSprite", "held");
    EXPECT_EQ(0, first.executeString("assert(probeName(held) == 'old'); held.note = 'kept'"));
    old->~Probe();

    for (CCLuaEngine* engine : { &first, &second })
    {
        LogCapture log;
        EXPECT_EQ(1, engine->executeString("probeName(held)"));
        EXPECT_TRUE(log.contains("invalid 'self' in function 'name'"));
        EXPECT_TRUE(toluafix_get_ccobject_by_refid(engine->getLuaState(), 1) == NULL);
    }

    Probe* fresh = new (storage) Probe("fresh");
    ASSERT_EQ((void*)old, (void*)fresh);
    lua_State* L = first.getLuaState();
    toluafix_pushusertype_ccobject(L, (int)fresh->m_uID, &fresh->m_nLuaID, fresh, "CCObject");
    EXPECT_STREQ("CCObject", tolua_typename(L, lua_gettop(L)));
    lua_pop(L, 1);
    lua_setglobal(L, "now");
    EXPECT_EQ(0, first.executeString("assert(not rawequal(now, held)); assert(now.note == nil); "
                                     "assert(probeName(now) == 'fresh')"));
    fresh->~Probe();
    EXPECT_EQ(1, first.executeString("probeName(now)"));
}

TEST(LuaObjectReference, ObjectDyingWhileItsStateIsClosedIsSafe)
{
    // The engine unhooks before closing, so a collector that frees a tracked object cannot
    // reach the closing state; the other engine still forgets it.
    CCLuaEngine* closing = new CCLuaEngine();
    CCLuaEngine other;
    openProbe(other);
    Probe* probe = new Probe("shared");
    pushObject(*closing, probe, "CCNode", "p");
    pushObject(other, probe, "CCNode", "p");
    delete closing;
    probe->release();
    EXPECT_EQ(1, other.executeString("probeName(p)"));
}

TEST(LuaObjectReference, RepeatedPushesAnswerAsToluaDoes)
{
    // Each row pushes one object under these types in turn ("-" forgets it in between), once
    // through the reference layer and once through tolua itself; the user values must agree in
    // type after every push, and be the same value wherever tolua's is.
    const char* const rows[][5] = {
        { "CCSprite", "CCNode", "CCObject", "CCSprite", NULL },
        { "CCObject", "CCNode", "CCSprite", "CCNode", NULL },
        { "CCNode", "CCNode", "CCSprite", "CCObject", NULL },
        { "CCSprite", "-", "CCNode", "CCSprite", NULL },
        { "CCLayer", "CCNode", "CCScene", "CCNode", NULL },
    };
    for (const auto& row : rows)
    {
        CCLuaEngine engine;
        lua_State* L = engine.getLuaState();
        Probe* ours = new Probe("ours");
        Probe* theirs = new Probe("theirs");
        std::string path;
        for (int i = 0; row[i] != NULL; ++i)
        {
            path += std::string(row[i]) + " ";
            if (std::string(row[i]) == "-")
            {
                toluafix_forget_pointer(L, ours);
                toluafix_forget_pointer(L, theirs);
                lua_settop(L, 0);
                continue;
            }
            tolua_pushccobject(L, ours, row[i]);
            tolua_pushusertype(L, theirs, row[i]);
            const std::string ourType = tolua_typename(L, -2);
            lua_pop(L, 1);
            const std::string theirType = tolua_typename(L, -1);
            lua_pop(L, 1);
            EXPECT_EQ(theirType, ourType) << path;
            if (lua_gettop(L) >= 4)
            {
                EXPECT_EQ(lua_rawequal(L, -1, -3), lua_rawequal(L, -2, -4)) << path;
            }
        }
        ours->release();
        theirs->release();
    }
}
