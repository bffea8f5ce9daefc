#ifndef __CC_LUA_ENGINE_H__
#define __CC_LUA_ENGINE_H__

extern "C" {
#include "lua.h"
#include "lauxlib.h"
#include "lualib.h"
}

#include "base/CCObject.h"

#include <string>

struct CCLuaBudget;

NS_CC_BEGIN

/**
 * One Lua interpreter: a state of its own with the script libraries (CCLuaSandbox.h), tolua++,
 * the object-reference layer and the engine's own types. Nothing is shared between engines.
 * Every call into Lua is protected and runs under a budget (CCLuaBudget.h): an error is logged
 * with a traceback and the game goes on.
 */
class CCLuaEngine : public CCObject, public CCScriptObjectObserver
{
public:
    /** Opens the state; on failure getLuaState() is NULL and every call reports an error. */
    CCLuaEngine();
    /** Closes the state and everything in it. */
    virtual ~CCLuaEngine();

    lua_State* getLuaState() const { return m_state; }

    /** Runs a chunk of Lua. 0 on success; otherwise logs "[LUA ERROR] " + message and returns 1. */
    int executeString(const char* codes);
    /** Reads a script through CCFileUtils and runs it as executeString does (text only, no bytecode). 0 on success. */
    int executeScriptFile(const char* filename);
    /** Calls the global function name with no arguments. 0 on success, 1 when missing or failed. */
    int executeGlobalFunction(const char* functionName);
    /** Adds the folder path to the places require looks in (a script's package.path is not one). */
    void addSearchPath(const char* path);

    /**
     * Calls the function lying below numArgs arguments on top of L's stack, protected. On success
     * numResults results replace the function and arguments and true is returned; on an error one
     * line "[LUA ERROR] functionName: message" with a traceback is logged, function and arguments
     * are popped (the stack is as it was before the function was pushed) and false is returned.
     * A function stopped for running past its instruction budget is not called again: later calls
     * of it pop it and its arguments and answer false without a word.
     */
    static bool protectedCall(lua_State* L, int numArgs, int numResults, const char* functionName);
    /**
     * The same, but an error is handed to the caller in *error ("functionName: message" with the
     * traceback) instead of being logged, for callers that tell repeated errors once. The line
     * saying a runaway function is dropped is still logged: it comes once per function.
     */
    static bool protectedCall(lua_State* L, int numArgs, int numResults, const char* functionName,
                              std::string* error);
    /** The same on this engine's state. */
    bool callFunction(int numArgs, int numResults, const char* functionName)
    {
        return protectedCall(m_state, numArgs, numResults, functionName);
    }

    /**
     * One small step of every open state's collector, once a frame: the garbage of a frame is
     * collected a little at a time, so the collector never has a big debt to pay in one go.
     * kilobytes is the allocation each step answers for (0: the smallest step).
     */
    static void stepCollectors(int kilobytes);
    /** How many states are open (engines not yet destroyed). */
    static size_t openStateCount();

    /** Forgets a dying object that a script has seen. */
    virtual void objectDestroyed(CCObject* pObject);

private:
    CCLuaEngine(const CCLuaEngine&);
    CCLuaEngine& operator=(const CCLuaEngine&);

    int runChunk(const char* buffer, size_t size, const char* chunkName, const char* logName);

    lua_State* m_state;
    CCLuaBudget* m_pBudget;  ///< owned; outlives the state, whose allocator counts into it
};

NS_CC_END

#endif // __CC_LUA_ENGINE_H__
