#include "VornScriptEngine.h"

#include <cctype>

#include "BotActor.h"

#include "CCFileUtils.h"
#include "CCLuaSandbox.h"
#include "CCNode.h"
#include "GameBindings.h"

#include <cstdio>

NS_CC_BEGIN

namespace
{
// The game's binding and the engine's classes, then each class's inherited members copied in:
// scripts call base-class methods on every enemy every frame.
int openBinding(lua_State* L)
{
    tolua_GameBindings_open(L);
    toluafix_flatten_classes(L);
    CCLuaSandboxSealBinding(L);
    return 0;
}
} // namespace

VornScriptEngine::VornScriptEngine() : m_pLuaEngine(new CCLuaEngine()), m_bSearchPathAdded(false)
{
    lua_State* L = m_pLuaEngine->getLuaState();
    if (L == NULL)
    {
        // The engine has said why; without a state every call answers false.
        close();
        return;
    }
    // Registration may raise (out of memory): protected, so it cannot reach the panic handler.
    if (lua_cpcall(L, openBinding, NULL) != 0)
    {
        CCLog("ERROR: VornScriptEngine - unable to open the game's script binding: %s",
              lua_isstring(L, -1) ? lua_tostring(L, -1) : "?");
        close();
    }
}

VornScriptEngine::~VornScriptEngine()
{
    close();
}

void VornScriptEngine::setLuaEngine(CCLuaEngine* engine)
{
    if (engine == m_pLuaEngine)
    {
        return;
    }
    CC_SAFE_RELEASE(m_pLuaEngine);
    m_pLuaEngine = engine;
    m_bSearchPathAdded = false;
}

lua_State* VornScriptEngine::getLuaState() const
{
    return m_pLuaEngine ? m_pLuaEngine->getLuaState() : NULL;
}

void VornScriptEngine::close()
{
    CC_SAFE_RELEASE_NULL(m_pLuaEngine);
    m_errors.flush();
}

bool VornScriptEngine::call(lua_State* L, int numArgs, int numResults, const char* name)
{
    std::string error;
    if (CCLuaEngine::protectedCall(L, numArgs, numResults, name, &error))
    {
        return true;
    }
    if (!error.empty())
    {
        m_errors.report("[LUA ERROR] " + error);
    }
    return false;
}

bool VornScriptEngine::executeScriptFile(const char* path)
{
    const char* shown = path ? path : "";
    if (!isOpen())
    {
        CCLog("ERROR: Unable to execute script file '%s' (the script engine is closed)", shown);
        return false;
    }
    CCFileUtils* fileUtils = CCFileUtils::sharedFileUtils();
    if (path == NULL || !fileUtils->isFileExist(fileUtils->fullPathForFilename(path)))
    {
        CCLog("ERROR: Unable to open script file '%s'!", shown);
        return false;
    }
    // A script may require its neighbours (an enemy kind's script builds on the shared brawler).
    const std::string full = fileUtils->fullPathForFilename(path);
    const std::string::size_type slash = full.rfind('/');
    if (slash != std::string::npos && !m_bSearchPathAdded)
    {
        m_pLuaEngine->addSearchPath(full.substr(0, slash).c_str());
        m_bSearchPathAdded = true;
    }
    // The engine reads the file under its own name, so errors and tracebacks name it.
    if (m_pLuaEngine->executeScriptFile(path) != 0)
    {
        CCLog("ERROR: Unable to execute script file '%s'", shown);
        return false;
    }
    return true;
}

bool VornScriptEngine::pushGlobalFunction(lua_State* L, const char* name)
{
    if (L == NULL || name == NULL)
    {
        return false;
    }
    // Raw: a strict-globals metatable on _G must not raise outside a protected call.
    lua_pushstring(L, name);
    lua_rawget(L, LUA_GLOBALSINDEX);
    if (!lua_isfunction(L, -1))
    {
        lua_pop(L, 1);
        return false;
    }
    return true;
}

bool VornScriptEngine::hasScriptFunction(const char* name)
{
    if (name == NULL || !(isalpha((unsigned char)name[0]) || name[0] == '_'))
    {
        return false;
    }
    for (const char* c = name; *c; ++c)
    {
        if (!(isalnum((unsigned char)*c) || *c == '_'))
        {
            return false;
        }
    }
    lua_State* L = getLuaState();
    if (!pushGlobalFunction(L, name))
    {
        return false;
    }
    bool scripted = !lua_iscfunction(L, -1);
    lua_pop(L, 1);
    return scripted;
}

bool VornScriptEngine::pushRefFunction(lua_State* L, int ref, std::string* label)
{
    // Slot 0 of the registry is Lua's free list, never a reference.
    if (L == NULL || ref <= 0)
    {
        return false;
    }
    lua_rawgeti(L, LUA_REGISTRYINDEX, ref);
    if (!lua_isfunction(L, -1))
    {
        lua_pop(L, 1);
        return false;
    }
    // Where the function was written: a reference number alone tells a reader nothing.
    lua_Debug ar;
    lua_pushvalue(L, -1);
    lua_getinfo(L, ">S", &ar);
    // No reference number: each enemy holds its own reference to one hook, and an error in it is
    // told once for all of them.
    char buffer[64];
    *label = "function reference (";
    *label += ar.short_src;
    if (ar.linedefined > 0)
    {
        snprintf(buffer, sizeof(buffer), ":%d", ar.linedefined);
        *label += buffer;
    }
    *label += ")";
    return true;
}

void VornScriptEngine::pushObject(lua_State* L, CCObject* object, const char* type)
{
    // Nothing is pushed for a type the state does not know, which would shift every argument
    // after it: such an object crosses as a plain engine object instead. Seen after the push,
    // not asked before it by name: an enemy is pushed for every script call of every frame.
    const int top = lua_gettop(L);
    tolua_pushccobject(L, object, type ? type : "CCObject");
    if (lua_gettop(L) == top && type)
    {
        tolua_pushccobject(L, object, "CCObject");
    }
    if (lua_gettop(L) == top)
    {
        lua_pushnil(L);
    }
}

int VornScriptEngine::getFunctionRef(const char* name)
{
    lua_State* L = getLuaState();
    if (!pushGlobalFunction(L, name))
    {
        return VORNSCRIPTREF_NULL;
    }
    return luaL_ref(L, LUA_REGISTRYINDEX);
}

int VornScriptEngine::createFunctionRef(int stackIndex)
{
    return createFunctionRef(getLuaState(), stackIndex);
}

int VornScriptEngine::createFunctionRef(lua_State* L, int stackIndex)
{
    lua_State* own = getLuaState();
    if (L == NULL || own == NULL || stackIndex == 0)
    {
        return VORNSCRIPTREF_NULL;
    }
    // Threads of one state share its registry; a reference into another state's registry
    // would name something else entirely.
    if (L != own && lua_topointer(L, LUA_REGISTRYINDEX) != lua_topointer(own, LUA_REGISTRYINDEX))
    {
        CCLog("ERROR: VornScriptEngine::createFunctionRef - the value lives in another script engine");
        return VORNSCRIPTREF_NULL;
    }
    // Only real stack slots: Lua does not check an index past either end of the stack.
    int top = lua_gettop(L);
    if (stackIndex > top || stackIndex < -top)
    {
        return VORNSCRIPTREF_NULL;
    }
    if (lua_isnil(L, stackIndex))
    {
        return VORNSCRIPTREF_NULL;
    }
    lua_pushvalue(L, stackIndex);
    return luaL_ref(L, LUA_REGISTRYINDEX);
}

void VornScriptEngine::releaseFunctionRef(int& ref)
{
    lua_State* L = getLuaState();
    if (L != NULL && ref > 0)
    {
        luaL_unref(L, LUA_REGISTRYINDEX, ref);
    }
    // Unref'ing a slot twice would hand it out twice later: the holder's copy is spent.
    ref = VORNSCRIPTREF_NULL;
}

bool VornScriptEngine::callGlobalFunction(const char* name)
{
    lua_State* L = getLuaState();
    if (!pushGlobalFunction(L, name))
    {
        return false;
    }
    return call(L, 0, 0, name);
}

bool VornScriptEngine::callGlobalFunction(const char* name, bool b)
{
    lua_State* L = getLuaState();
    if (!pushGlobalFunction(L, name))
    {
        return false;
    }
    lua_pushboolean(L, b);
    return call(L, 1, 0, name);
}

bool VornScriptEngine::callGlobalFunction(const char* name, CCNode* node, float value, bool* result)
{
    lua_State* L = getLuaState();
    if (!pushGlobalFunction(L, name))
    {
        return false;
    }
    pushObject(L, node, "CCNode");
    lua_pushnumber(L, value);
    int numResults = result ? 1 : 0;
    if (!call(L, 2, numResults, name))
    {
        return false;
    }
    if (result)
    {
        *result = lua_toboolean(L, -1) != 0;
        lua_pop(L, 1);
    }
    return true;
}

bool VornScriptEngine::callFunctionRef(int ref)
{
    lua_State* L = getLuaState();
    std::string label;
    if (!pushRefFunction(L, ref, &label))
    {
        return false;
    }
    return call(L, 0, 0, label.c_str());
}

bool VornScriptEngine::callFunctionRef(int ref, float value)
{
    lua_State* L = getLuaState();
    std::string label;
    if (!pushRefFunction(L, ref, &label))
    {
        return false;
    }
    lua_pushnumber(L, value);
    return call(L, 1, 0, label.c_str());
}

bool VornScriptEngine::callFunctionRef(int ref, CCObject* object, const char* type)
{
    lua_State* L = getLuaState();
    std::string label;
    if (!pushRefFunction(L, ref, &label))
    {
        return false;
    }
    pushObject(L, object, type);
    return call(L, 1, 0, label.c_str());
}

bool VornScriptEngine::callFunctionRef(int ref, CCObject* object, const char* type, CCObject* other,
                                       const char* otherType)
{
    lua_State* L = getLuaState();
    std::string label;
    if (!pushRefFunction(L, ref, &label))
    {
        return false;
    }
    pushObject(L, object, type);
    pushObject(L, other, otherType);
    return call(L, 2, 0, label.c_str());
}

bool VornScriptEngine::callFunctionRef(int ref, CCObject* object, const char* type, bool b)
{
    lua_State* L = getLuaState();
    std::string label;
    if (!pushRefFunction(L, ref, &label))
    {
        return false;
    }
    pushObject(L, object, type);
    lua_pushboolean(L, b);
    return call(L, 2, 0, label.c_str());
}

bool VornScriptEngine::callFunctionRef(int ref, BotActor* bot)
{
    return callFunctionRef(ref, static_cast<CCObject*>(bot), "BotActor");
}

bool VornScriptEngine::callFunctionRef(int ref, BotActor* bot, VornActor* other)
{
    return callFunctionRef(ref, static_cast<CCObject*>(bot), "BotActor", static_cast<CCObject*>(other), "VornActor");
}

bool VornScriptEngine::callFunctionRef(int ref, BotActor* bot, bool b)
{
    return callFunctionRef(ref, static_cast<CCObject*>(bot), "BotActor", b);
}

bool VornScriptEngine::callStateFunction(const char* name, BotActor* bot)
{
    return callStateFunction(name, static_cast<CCObject*>(bot), "BotActor");
}

bool VornScriptEngine::callStateFunction(const char* name, CCObject* object, const char* type)
{
    lua_State* L = getLuaState();
    if (!pushGlobalFunction(L, name))
    {
        // Called every frame for every enemy: told once, like a script error.
        m_errors.report(std::string("ERROR: VornScriptEngine::callStateFunction - ") + (name ? name : "") +
                        "name does not represent a Lua function");
        return false;
    }
    pushObject(L, object, type);
    return call(L, 1, 0, name);
}

NS_CC_END
