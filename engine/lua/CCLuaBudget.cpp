#include "CCLuaBudget.h"

extern "C" {
#include "lauxlib.h"
}

#include <cstdlib>
#include <cstring>

namespace
{
// Far above anything the game's scripts spend in one call (a level's init, a bot's tick), far
// below what a player would notice as a stall or the machine as a heap.
const long kInstructionLimit = 10 * 1000 * 1000;
const size_t kMemoryLimit = 64 * 1024 * 1024;
// The hook runs once per this many instructions: cheap enough for every call of every frame.
const int kHookInterval = 1000;

const char* const kDroppedKey = "vorn.budget.dropped";

// Scripts make and drop small blocks all the time (every point or size a script is handed is
// one): blocks of up to 64 bytes are cut from chunks the state keeps, and a freed one waits in
// its size's list for the next, instead of going through malloc and free each time.
const size_t kBlockStep = 16;
const size_t kSmallBlock = 4 * kBlockStep;
const size_t kChunkSize = 16 * 1024;

bool isSmall(size_t size)
{
    return size > 0 && size <= kSmallBlock;
}

size_t sizeClass(size_t size)
{
    return (size - 1) / kBlockStep;
}

void* takeSmallBlock(CCLuaBudget* budget, size_t size)
{
    const size_t c = sizeClass(size);
    void* block = budget->freeBlocks[c];
    if (block != NULL)
    {
        budget->freeBlocks[c] = *(void**)block;
        return block;
    }
    const size_t blockSize = (c + 1) * kBlockStep;
    if (budget->chunkRestSize < blockSize)
    {
        char* chunk = (char*)malloc(kChunkSize);
        if (chunk == NULL)
        {
            return NULL;
        }
        // The chunk's first step holds the link to the one before, keeping blocks aligned.
        *(void**)chunk = budget->chunks;
        budget->chunks = chunk;
        budget->chunkRest = chunk + kBlockStep;
        budget->chunkRestSize = kChunkSize - kBlockStep;
    }
    block = budget->chunkRest;
    budget->chunkRest += blockSize;
    budget->chunkRestSize -= blockSize;
    return block;
}

void* takeBlock(CCLuaBudget* budget, size_t size)
{
    return isSmall(size) ? takeSmallBlock(budget, size) : malloc(size);
}

void giveBlock(CCLuaBudget* budget, void* block, size_t size)
{
    if (block == NULL)
    {
        return;
    }
    if (isSmall(size))
    {
        const size_t c = sizeClass(size);
        *(void**)block = budget->freeBlocks[c];
        budget->freeBlocks[c] = block;
        return;
    }
    free(block);
}

// Lua names a block's size every time it hands one back, so the size tells where it came from.
void* resizeBlock(CCLuaBudget* budget, void* ptr, size_t osize, size_t nsize)
{
    if (ptr == NULL)
    {
        return takeBlock(budget, nsize);
    }
    if (!isSmall(osize) && !isSmall(nsize))
    {
        return realloc(ptr, nsize);
    }
    if (isSmall(osize) && isSmall(nsize) && sizeClass(osize) == sizeClass(nsize))
    {
        return ptr;
    }
    void* block = takeBlock(budget, nsize);
    if (block == NULL)
    {
        return NULL;
    }
    memcpy(block, ptr, osize < nsize ? osize : nsize);
    giveBlock(budget, ptr, osize);
    return block;
}

void* limitedAlloc(void* ud, void* ptr, size_t osize, size_t nsize)
{
    CCLuaBudget* budget = static_cast<CCLuaBudget*>(ud);
    if (nsize == 0)
    {
        giveBlock(budget, ptr, osize);
        budget->memoryUsed -= osize;
        return NULL;
    }
    // Lua expects a block that shrinks never to fail; only growth is held to the limit.
    if (nsize > osize && budget->callDepth > 0 && budget->memoryUsed - osize + nsize > budget->memoryLimit)
    {
        return NULL;
    }
    void* block = resizeBlock(budget, ptr, osize, nsize);
    if (block == NULL && nsize <= osize)
    {
        // A shrink into a small block with no chunk to cut it from: the block stays where it is.
        block = ptr;
    }
    if (block != NULL)
    {
        budget->memoryUsed = budget->memoryUsed - osize + nsize;
    }
    return block;
}

void countHook(lua_State* L, lua_Debug*)
{
    CCLuaBudget* budget = CCLuaBudgetOf(L);
    if (budget == NULL || budget->callDepth == 0)
    {
        return;
    }
    budget->instructionsUsed += kHookInterval;
    if (budget->instructionsUsed > budget->instructionLimit)
    {
        budget->exhausted = true;
    }
    if (budget->exhausted)
    {
        luaL_error(L, "the script ran past its budget of %d instructions and was stopped",
                   (int)budget->instructionLimit);
    }
}

// Pushes the table of dropped functions (weak keys: a dropped function may still be collected).
void pushDroppedTable(lua_State* L)
{
    lua_getfield(L, LUA_REGISTRYINDEX, kDroppedKey);
    if (lua_istable(L, -1))
    {
        return;
    }
    lua_pop(L, 1);
    lua_newtable(L);
    lua_newtable(L);
    lua_pushliteral(L, "k");
    lua_setfield(L, -2, "__mode");
    lua_setmetatable(L, -2);
    lua_pushvalue(L, -1);
    lua_setfield(L, LUA_REGISTRYINDEX, kDroppedKey);
}
} // namespace

CCLuaBudget::CCLuaBudget()
    : memoryUsed(0),
      memoryLimit(kMemoryLimit),
      instructionsUsed(0),
      instructionLimit(kInstructionLimit),
      callDepth(0),
      exhausted(false),
      anyDropped(false),
      chunks(NULL),
      chunkRest(NULL),
      chunkRestSize(0)
{
    for (size_t i = 0; i < sizeof(freeBlocks) / sizeof(freeBlocks[0]); ++i)
    {
        freeBlocks[i] = NULL;
    }
}

CCLuaBudget::~CCLuaBudget()
{
    while (chunks != NULL)
    {
        void* next = *(void**)chunks;
        free(chunks);
        chunks = next;
    }
}

lua_State* CCLuaBudgetNewState(CCLuaBudget* budget)
{
    return lua_newstate(limitedAlloc, budget);
}

CCLuaBudget* CCLuaBudgetOf(lua_State* L)
{
    void* ud = NULL;
    return lua_getallocf(L, &ud) == limitedAlloc ? static_cast<CCLuaBudget*>(ud) : NULL;
}

void CCLuaBudgetEnterCall(lua_State* L)
{
    CCLuaBudget* budget = CCLuaBudgetOf(L);
    if (budget == NULL)
    {
        return;
    }
    if (budget->callDepth++ == 0)
    {
        budget->instructionsUsed = 0;
        budget->exhausted = false;
        lua_sethook(L, countHook, LUA_MASKCOUNT, kHookInterval);
    }
}

bool CCLuaBudgetLeaveCall(lua_State* L)
{
    CCLuaBudget* budget = CCLuaBudgetOf(L);
    if (budget == NULL || budget->callDepth == 0 || --budget->callDepth > 0)
    {
        return false;
    }
    lua_sethook(L, NULL, 0, 0);
    bool ranOut = budget->exhausted;
    budget->exhausted = false;
    return ranOut;
}

bool CCLuaBudgetExhausted(lua_State* L)
{
    CCLuaBudget* budget = CCLuaBudgetOf(L);
    return budget != NULL && budget->exhausted;
}

void CCLuaBudgetDropFunction(lua_State* L, int index)
{
    CCLuaBudget* budget = CCLuaBudgetOf(L);
    if (budget == NULL || !lua_isfunction(L, index))
    {
        return;
    }
    lua_pushvalue(L, index);
    pushDroppedTable(L);
    lua_insert(L, -2);
    lua_pushboolean(L, 1);
    lua_rawset(L, -3);
    lua_pop(L, 1);
    budget->anyDropped = true;
}

bool CCLuaBudgetIsDropped(lua_State* L, int index)
{
    CCLuaBudget* budget = CCLuaBudgetOf(L);
    if (budget == NULL || !budget->anyDropped)
    {
        return false;
    }
    lua_pushvalue(L, index);
    lua_getfield(L, LUA_REGISTRYINDEX, kDroppedKey);
    lua_insert(L, -2);
    lua_rawget(L, -2);
    bool dropped = lua_toboolean(L, -1) != 0;
    lua_pop(L, 2);
    return dropped;
}

void CCLuaBudgetCheckMemory(lua_State* L, double size, const char* what)
{
    CCLuaBudget* budget = CCLuaBudgetOf(L);
    if (budget == NULL || budget->callDepth == 0)
    {
        return;
    }
    const size_t room = budget->memoryUsed < budget->memoryLimit ? budget->memoryLimit - budget->memoryUsed : 0;
    if (size > (double)room)
    {
        // Lua's own formatting knows %f only, and writes a whole number without decimals.
        luaL_error(L, "%s of %f bytes is over the script's memory limit", what, (lua_Number)size);
    }
}
