#ifndef __VORN_SCRIPT_ENGINE_H__
#define __VORN_SCRIPT_ENGINE_H__

#include "VornScriptErrorTally.h"
#include "lua_engine.h"

#include <string>

/** No script reference: what every reference maker answers when it cannot make one. */
#define VORNSCRIPTREF_NULL -1
/** No script function. */
#define VORNSCRIPTFUNC_NULL 0

NS_CC_BEGIN

class BotActor;
class CCNode;
class VornActor;

/**
 * The game's only door into Lua. Each instance owns a CCLuaEngine, hence a Lua state of its
 * own with the engine's types and the game's binding opened; nothing passes between instances.
 *
 * Every call into a script is protected: an error is logged with the function's name, the
 * message and a traceback, the Lua stack is left as it was, the call answers false and the game
 * goes on. Each distinct error is logged once per instance and its repeats counted
 * (VornScriptErrorTally): every kind of enemy has an instance of its own and calls it every
 * frame for every enemy. A global or reference that does not hold a function answers false
 * without a log line (only callStateFunction reports it).
 *
 * References are registry slots of this instance's state and mean nothing in another one. A
 * holder of a reference retains the engine that made it, calls and releases it there, and
 * treats it as gone once that engine is closed (calls then answer false, release is harmless).
 */
class VornScriptEngine : public CCObject
{
public:
    /** Opens a fresh state with the game's binding; when that fails isOpen() is false. */
    VornScriptEngine();
    /** Closes the state and everything in it. */
    virtual ~VornScriptEngine();

    virtual CCLuaEngine* getLuaEngine() { return m_pLuaEngine; }
    /** Takes ownership of engine; the engine held before is released (its state closes). */
    virtual void setLuaEngine(CCLuaEngine* engine);

    /** The state every operation works on, or NULL once closed. */
    lua_State* getLuaState() const;
    bool isOpen() const { return getLuaState() != NULL; }
    /**
     * Closes the state now, even while holders still retain this object: every script global,
     * function and user value goes with it. Later calls answer false, reference makers -1.
     */
    void close();
    /** Logs how often each error told so far has repeated since, and forgets them (a level ends). */
    void reportRepeatedErrors() { m_errors.flush(); }

    /** Runs a script file found through CCFileUtils. False (and a log line) when it is missing or fails. */
    bool executeScriptFile(const char* path);

    /** A reference to the global function name, or -1 when name holds no function. */
    int getFunctionRef(const char* name);
    /**
     * A reference to the value at stackIndex of the state's stack (any value but nil), or -1
     * for 0, an empty slot or nil. Bound functions use the overload with their own L, which must
     * be a thread of this instance's state (a coroutine's stack is not the main one).
     */
    int createFunctionRef(int stackIndex);
    int createFunctionRef(lua_State* L, int stackIndex);
    /** Frees ref in this state and sets it to -1; -1, unknown slots and a closed state are harmless. */
    void releaseFunctionRef(int& ref);

    /** Calls the global function name with no arguments; true when it ran without error. */
    bool callGlobalFunction(const char* name);
    /** True when the state has a global of that plain name that is a function the scripts wrote
     *  (not one of the libraries' or the binding's native functions). */
    bool hasScriptFunction(const char* name);
    bool callGlobalFunction(const char* name, bool b);
    /**
     * Calls name(node, value). With result, one result is asked for and *result is set to its
     * truth (nil and false are false); when the call fails or name is no function, *result keeps
     * the caller's value.
     */
    bool callGlobalFunction(const char* name, CCNode* node, float value, bool* result);

    /** Calls the function registry[ref]; true when it ran without error. */
    bool callFunctionRef(int ref);
    bool callFunctionRef(int ref, float value);
    /**
     * Object arguments cross as user values of the script type named with them, through the
     * object-reference layer (no ownership passes; a script's value is cleared when the object
     * dies). The actor classes add their overloads as one-liners over these.
     */
    bool callFunctionRef(int ref, CCObject* object, const char* type);
    bool callFunctionRef(int ref, CCObject* object, const char* type, CCObject* other,
                         const char* otherType);
    bool callFunctionRef(int ref, CCObject* object, const char* type, bool b);
    bool callFunctionRef(int ref, BotActor* bot);
    bool callFunctionRef(int ref, BotActor* bot, VornActor* other);
    bool callFunctionRef(int ref, BotActor* bot, bool b);

    /**
     * Calls the global function name(object). Unlike the others it logs a missing function
     * ("<name>name does not represent a Lua function") as well as a script error.
     */
    bool callStateFunction(const char* name, CCObject* object, const char* type);
    bool callStateFunction(const char* name, BotActor* bot);

private:
    VornScriptEngine(const VornScriptEngine&);
    VornScriptEngine& operator=(const VornScriptEngine&);

    /** Pushes the global function name and answers true, or leaves the stack alone and answers false. */
    bool pushGlobalFunction(lua_State* L, const char* name);
    /** The same for registry[ref]; names the function for error lines in *label. */
    bool pushRefFunction(lua_State* L, int ref, std::string* label);
    void pushObject(lua_State* L, CCObject* object, const char* type);
    /** CCLuaEngine::protectedCall, its error told through the tally. */
    bool call(lua_State* L, int numArgs, int numResults, const char* name);

    VornScriptErrorTally m_errors;

    CCLuaEngine* m_pLuaEngine;  ///< owned; NULL once closed
    bool m_bSearchPathAdded;    ///< the folder of the first script run is on the require path
};

NS_CC_END

#endif // __VORN_SCRIPT_ENGINE_H__
