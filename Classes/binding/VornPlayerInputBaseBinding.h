#ifndef __VORN_PLAYER_INPUT_BASE_BINDING_H__
#define __VORN_PLAYER_INPUT_BASE_BINDING_H__

// Script-side forms of VornPlayerInputBase members whose native answer differs.

#include "VornPlayerInputBase.h"

#include <string>

NS_CC_BEGIN

/** The input's name; nil for a number that is no logical input. */
inline const char* script_actionToString(int input)
{
    if (input < kVornInput_Nop || input > kVornInput_MAX)
    {
        return NULL;
    }
    // Pushed into Lua before the next call can overwrite it.
    static std::string s_text;
    s_text = VornPlayerInputBase::actionToString(input);
    return s_text.c_str();
}

NS_CC_END

#endif // __VORN_PLAYER_INPUT_BASE_BINDING_H__
