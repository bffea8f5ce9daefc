#ifndef __CC_LUA_BUDGET_H__
#define __CC_LUA_BUDGET_H__

extern "C" {
#include "lua.h"
}

#include <cstddef>

/**
 * What one call into a script may spend. Instructions are counted by a hook for the outermost
 * call and everything it calls, coroutines included; memory is the state's whole heap, counted
 * by its allocator. A script past either gets a Lua error and the game goes on. The memory limit
 * holds only while a script runs: the engine's own pushes between calls never fail, so nothing
 * reaches the panic handler.
 */
struct CCLuaBudget
{
    size_t memoryUsed;
    size_t memoryLimit;
    long instructionsUsed;
    long instructionLimit;
    int callDepth;
    bool exhausted;     ///< the instructions ran out in the current call: every hook raises again
    bool anyDropped;    ///< some function was stopped for running away and is not called again
    void* freeBlocks[4];  ///< freed small blocks of 16, 32, 48 and 64 bytes, each linked through its first word
    void* chunks;         ///< the blocks small blocks are cut from, linked through their first word
    char* chunkRest;      ///< the part of the newest chunk not cut yet
    size_t chunkRestSize;

    CCLuaBudget();
    /** Frees the small blocks' chunks: only once the state is closed. */
    ~CCLuaBudget();

private:
    CCLuaBudget(const CCLuaBudget&);
    CCLuaBudget& operator=(const CCLuaBudget&);
};

/** A new state whose allocator keeps to budget (which must outlive the state); NULL on failure. */
lua_State* CCLuaBudgetNewState(CCLuaBudget* budget);
/** The budget of a state made by CCLuaBudgetNewState, else NULL. */
CCLuaBudget* CCLuaBudgetOf(lua_State* L);

/** Around every protected call into the state: the outermost one starts a fresh budget. */
void CCLuaBudgetEnterCall(lua_State* L);
/** Answers true when the outermost call just ended past its instruction budget. */
bool CCLuaBudgetLeaveCall(lua_State* L);
/** True while the current call is past its instruction budget (protected calls inside must not swallow it). */
bool CCLuaBudgetExhausted(lua_State* L);

/** Remembers the function at index as one that ran away: protected calls of it are refused. */
void CCLuaBudgetDropFunction(lua_State* L, int index);
/** True when the function at index was dropped. */
bool CCLuaBudgetIsDropped(lua_State* L, int index);

/** Raises a Lua error when size more bytes would not fit in the state's memory limit. */
void CCLuaBudgetCheckMemory(lua_State* L, double size, const char* what);

#endif // __CC_LUA_BUDGET_H__
