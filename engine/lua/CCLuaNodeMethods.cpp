#include "CCLuaEngineTypes.h"

// The node methods level scripts call on the nodes they are handed (position, visibility,
// scale, opacity, tag, children, running an animation) are bound here once the node classes
// are part of the engine; until then the node types are names with their inheritance only.
int tolua_CCNodeMethods_open(lua_State* L)
{
    (void)L;
    return 1;
}
