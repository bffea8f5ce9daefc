#include "GameBindings.h"

// The game's classes are registered here as they gain their bindings; until then the game
// module is opened empty so every state has the same shape.
int tolua_GameBindings_open(lua_State* L)
{
    tolua_open(L);
    tolua_module(L, NULL, 0);
    tolua_beginmodule(L, NULL);
    tolua_endmodule(L);
    return 1;
}
