#include "CCLuaEngine.h"

#include "CCLuaBudget.h"
#include "CCLuaEngineTypes.h"
#include "CCLuaSandbox.h"
#include "tolua_fix.h"
#include "support/CCFileUtils.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

NS_CC_BEGIN

namespace
{
// Every open state, for the collector's steps each frame. Never freed: an engine may close
// during the static destructors at exit.
std::vector<CCLuaEngine*>& openEngines()
{
    static std::vector<CCLuaEngine*>* engines = new std::vector<CCLuaEngine*>();
    return *engines;
}
} // namespace

// Lua 5.1 ends the process after this returns; it only leaves a trace of why.
static int luaPanic(lua_State* L)
{
    const char* message = lua_tostring(L, -1);
    CCLog("[LUA ERROR] PANIC: unprotected error in call to Lua API (%s)", message ? message : "?");
    return 0;
}

// Message handler: the error as text followed by the Lua traceback.
static int luaTraceback(lua_State* L)
{
    if (lua_type(L, 1) == LUA_TSTRING || lua_type(L, 1) == LUA_TNUMBER)
    {
        lua_pushvalue(L, 1);
        lua_tostring(L, -1);
    }
    else if (lua_isnil(L, 1))
    {
        lua_pushliteral(L, "(error object is nil)");
    }
    else
    {
        lua_pushfstring(L, "(error object is a %s value)", luaL_typename(L, 1));
    }
    // The traceback the sandbox kept aside: scripts cannot reach or replace it.
    CCLuaSandboxPushTraceback(L);
    if (lua_isfunction(L, -1))
    {
        lua_pushvalue(L, -2);
        lua_pushinteger(L, 2);
        lua_call(L, 2, 1);
        if (lua_isstring(L, -1))
        {
            return 1;
        }
    }
    lua_pop(L, 1);
    return 1;
}

static int openState(lua_State* L)
{
    CCLuaSandboxOpen(L);
    toluafix_open(L);
    tolua_CCEngineTypes_open(L);
    CCLuaSandboxSealBinding(L);
    return 0;
}

CCLuaEngine::CCLuaEngine()
    : m_state(NULL),
      m_pBudget(new CCLuaBudget())
{
    lua_State* L = CCLuaBudgetNewState(m_pBudget);
    if (L == NULL)
    {
        CCLog("[LUA ERROR] CCLuaEngine - unable to create a Lua state");
        return;
    }
    lua_atpanic(L, luaPanic);
    int status = lua_cpcall(L, openState, NULL);
    if (status != 0)
    {
        CCLog("[LUA ERROR] CCLuaEngine - unable to open the Lua state: %s",
              lua_isstring(L, -1) ? lua_tostring(L, -1) : "?");
        lua_close(L);
        return;
    }
    m_state = L;
    CCObjectAddScriptObserver(this);
    openEngines().push_back(this);
}

CCLuaEngine::~CCLuaEngine()
{
    if (m_state)
    {
        std::vector<CCLuaEngine*>& engines = openEngines();
        engines.erase(std::remove(engines.begin(), engines.end(), this), engines.end());
        // Unhook first: collectors run while closing may destroy objects that others track.
        CCObjectRemoveScriptObserver(this);
        lua_close(m_state);
        m_state = NULL;
    }
    delete m_pBudget;
}

struct CollectRequest
{
    int what;
    int data;
};

static int collect(lua_State* L)
{
    CollectRequest* request = (CollectRequest*)lua_touserdata(L, 1);
    lua_gc(L, request->what, request->data);
    return 0;
}

// A collection runs finalisers, which may raise: protected, so nothing reaches the panic handler.
static void collectProtected(lua_State* L, int what, int data)
{
    CollectRequest request = { what, data };
    if (lua_cpcall(L, collect, &request) != 0)
    {
        CCLog("[LUA ERROR] collector: %s", lua_isstring(L, -1) ? lua_tostring(L, -1) : "?");
        lua_pop(L, 1);
    }
}

void CCLuaEngine::stepCollectors(int kilobytes)
{
    // A copy: a finaliser may release the last hold on an engine and close its state.
    std::vector<CCLuaEngine*> engines = openEngines();
    for (size_t i = 0; i < engines.size(); ++i)
    {
        const std::vector<CCLuaEngine*>& open = openEngines();
        if (std::find(open.begin(), open.end(), engines[i]) != open.end())
        {
            collectProtected(engines[i]->m_state, LUA_GCSTEP, kilobytes);
        }
    }
}

size_t CCLuaEngine::openStateCount()
{
    return openEngines().size();
}

// The message handler, made once per state: a fresh closure for every call would be garbage.
static void pushTraceback(lua_State* L)
{
    static char key;
    lua_pushlightuserdata(L, &key);
    lua_rawget(L, LUA_REGISTRYINDEX);
    if (lua_iscfunction(L, -1))
    {
        return;
    }
    lua_pop(L, 1);
    lua_pushcfunction(L, luaTraceback);
    lua_pushlightuserdata(L, &key);
    lua_pushvalue(L, -2);
    lua_rawset(L, LUA_REGISTRYINDEX);
}

bool CCLuaEngine::protectedCall(lua_State* L, int numArgs, int numResults, const char* functionName)
{
    return protectedCall(L, numArgs, numResults, functionName, NULL);
}

bool CCLuaEngine::protectedCall(lua_State* L, int numArgs, int numResults, const char* functionName,
                                std::string* error)
{
    const char* name = functionName ? functionName : "?";
    if (L == NULL)
    {
        CCLog("[LUA ERROR] %s: no Lua state", name);
        return false;
    }
    int functionIndex = lua_gettop(L) - numArgs;
    if (functionIndex < 1)
    {
        CCLog("[LUA ERROR] %s: nothing to call", name);
        return false;
    }
    // A function stopped once for running away is not run again every frame.
    if (CCLuaBudgetIsDropped(L, functionIndex))
    {
        lua_settop(L, functionIndex - 1);
        return false;
    }
    // Kept below the call: the function is named to the budget if it runs away.
    lua_pushvalue(L, functionIndex);
    lua_insert(L, functionIndex);
    pushTraceback(L);
    lua_insert(L, functionIndex + 1);
    CCLuaBudgetEnterCall(L);
    int status = lua_pcall(L, numArgs, numResults, functionIndex + 1);
    const bool ranAway = CCLuaBudgetLeaveCall(L);
    if (status != 0)
    {
        const char* message = lua_tostring(L, -1);
        if (!message)
        {
            message = status == LUA_ERRMEM ? "not enough memory" : "unknown error";
        }
        if (error)
        {
            *error = std::string(name) + ": " + message;
        }
        else
        {
            CCLog("[LUA ERROR] %s: %s", name, message);
        }
        if (ranAway)
        {
            CCLuaBudgetDropFunction(L, functionIndex);
            CCLog("[LUA ERROR] %s: stopped for running too long; it is not called again", name);
        }
        lua_settop(L, functionIndex - 1);
        if (status == LUA_ERRMEM)
        {
            // What the failed script built is garbage now: give it back before the next call.
            collectProtected(L, LUA_GCCOLLECT, 0);
        }
        return false;
    }
    lua_remove(L, functionIndex + 1);
    lua_remove(L, functionIndex);
    return true;
}

int CCLuaEngine::runChunk(const char* buffer, size_t size, const char* chunkName, const char* logName)
{
    if (m_state == NULL)
    {
        CCLog("[LUA ERROR] %s: no Lua state", logName);
        return 1;
    }
    int top = lua_gettop(m_state);
    int status = CCLuaSandboxLoadText(m_state, buffer, size, chunkName);
    if (status != 0)
    {
        const char* message = lua_tostring(m_state, -1);
        CCLog("[LUA ERROR] %s", message ? message : "unable to load the chunk");
        lua_settop(m_state, top);
        return 1;
    }
    bool ok = protectedCall(m_state, 0, 0, logName);
    lua_settop(m_state, top);
    return ok ? 0 : 1;
}

int CCLuaEngine::executeString(const char* codes)
{
    if (codes == NULL)
    {
        CCLog("[LUA ERROR] executeString: no code");
        return 1;
    }
    // Lua shortens the code itself in its messages; the log names the call.
    return runChunk(codes, strlen(codes), codes, "executeString");
}

int CCLuaEngine::executeScriptFile(const char* filename)
{
    if (filename == NULL)
    {
        CCLog("[LUA ERROR] executeScriptFile: no file name");
        return 1;
    }
    CCFileUtils* fileUtils = CCFileUtils::sharedFileUtils();
    std::string fullPath = fileUtils->fullPathForFilename(filename);
    unsigned long size = 0;
    unsigned char* data = fileUtils->getFileData(fullPath.c_str(), "rb", &size);
    if (data == NULL)
    {
        CCLog("[LUA ERROR] cannot open script file '%s'", filename);
        return 1;
    }
    // "@" makes Lua name the file in its messages and tracebacks.
    std::string chunkName = std::string("@") + filename;
    int result = runChunk((const char*)data, size, chunkName.c_str(), filename);
    delete[] data;
    return result;
}

int CCLuaEngine::executeGlobalFunction(const char* functionName)
{
    if (m_state == NULL || functionName == NULL)
    {
        return 1;
    }
    int top = lua_gettop(m_state);
    lua_getfield(m_state, LUA_GLOBALSINDEX, functionName);
    if (!lua_isfunction(m_state, -1))
    {
        CCLog("[LUA ERROR] %s: not a Lua function", functionName);
        lua_settop(m_state, top);
        return 1;
    }
    bool ok = protectedCall(m_state, 0, 0, functionName);
    lua_settop(m_state, top);
    return ok ? 0 : 1;
}

void CCLuaEngine::addSearchPath(const char* path)
{
    if (m_state == NULL || path == NULL)
    {
        return;
    }
    CCLuaSandboxAddSearchPath(m_state, path);
}

struct ForgetRequest
{
    int refid;
    void* ptr;
};

static int forgetObject(lua_State* L)
{
    ForgetRequest* request = (ForgetRequest*)lua_touserdata(L, 1);
    lua_pop(L, 1);
    // The recorded address is the one the binding pushed, which for a class whose first base
    // is not CCObject differs from the CCObject address.
    if (request->refid != 0)
    {
        toluafix_remove_ccobject_by_refid(L, request->refid);
    }
    // Also reached when this state only had it pushed by plain tolua_pushusertype.
    toluafix_forget_pointer(L, request->ptr);
    return 0;
}

void CCLuaEngine::objectDestroyed(CCObject* pObject)
{
    if (m_state == NULL || pObject == NULL)
    {
        return;
    }
    ForgetRequest request = { pObject->m_nLuaID, pObject };
    if (lua_cpcall(m_state, forgetObject, &request) != 0)
    {
        CCLog("[LUA ERROR] CCLuaEngine - unable to forget a dead object: %s",
              lua_isstring(m_state, -1) ? lua_tostring(m_state, -1) : "?");
        lua_pop(m_state, 1);
    }
}

NS_CC_END
