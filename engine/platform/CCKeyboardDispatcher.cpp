#include "platform/CCKeyboardDispatcher.h"

#include <SDL_keyboard.h>

#include <stdio.h>

NS_CC_BEGIN

namespace
{
struct KeyName
{
    SDL_Keycode sdl;
    int code;
};

// Keys outside the printable range, by the table's codes.
const KeyName kKeys[] = {
    { SDLK_PAUSE, 0x0013 },       { SDLK_SCROLLLOCK, 0x1014 },   { SDLK_PRINTSCREEN, 0x1061 },
    { SDLK_SYSREQ, 0x106A },      { SDLK_ESCAPE, 0x001B },       { SDLK_BACKSPACE, 0x0008 },
    { SDLK_TAB, 0x0009 },         { SDLK_RETURN, 0x000D },       { SDLK_RETURN2, 0x000D },
    { SDLK_CAPSLOCK, 0x00E5 },    { SDLK_LSHIFT, 0x00E1 },       { SDLK_RSHIFT, 0x00E1 },
    { SDLK_LCTRL, 0x00E3 },       { SDLK_RCTRL, 0x00E3 },        { SDLK_LALT, 0x00E9 },
    { SDLK_RALT, 0x00E9 },        { SDLK_APPLICATION, 0x1067 },  { SDLK_MENU, 0x1067 },
    { SDLK_LGUI, 0x10ED },        { SDLK_RGUI, 0x10ED },         { SDLK_INSERT, 0x1063 },
    { SDLK_HOME, 0x1050 },        { SDLK_PAGEUP, 0x1055 },       { SDLK_DELETE, 0x10FF },
    { SDLK_END, 0x1057 },         { SDLK_PAGEDOWN, 0x1056 },     { SDLK_LEFT, 0x1051 },
    { SDLK_RIGHT, 0x1053 },       { SDLK_UP, 0x1052 },           { SDLK_DOWN, 0x1054 },
    { SDLK_NUMLOCKCLEAR, 0x107F },
    // Keypad: the same code whatever Num Lock says, so a press and its release match.
    { SDLK_KP_PLUS, 0x10AB },     { SDLK_KP_MINUS, 0x10AD },     { SDLK_KP_MULTIPLY, 0x10AA },
    { SDLK_KP_DIVIDE, 0x10AF },   { SDLK_KP_ENTER, 0x108D },     { SDLK_KP_7, 0x10B7 },
    { SDLK_KP_8, 0x10B8 },        { SDLK_KP_9, 0x10B9 },         { SDLK_KP_4, 0x10B4 },
    { SDLK_KP_5, 0x10B5 },        { SDLK_KP_6, 0x10B6 },         { SDLK_KP_1, 0x10B1 },
    { SDLK_KP_2, 0x10B2 },        { SDLK_KP_3, 0x10B3 },         { SDLK_KP_0, 0x10B0 },
    { SDLK_KP_PERIOD, 0x10AE },
    { SDLK_F1, 0x00BE },          { SDLK_F2, 0x00BF },           { SDLK_F3, 0x00C0 },
    { SDLK_F4, 0x00C1 },          { SDLK_F5, 0x00C2 },           { SDLK_F6, 0x00C3 },
    { SDLK_F7, 0x00C4 },          { SDLK_F8, 0x00C5 },           { SDLK_F9, 0x00C6 },
    { SDLK_F10, 0x00C7 },         { SDLK_F11, 0x00C8 },          { SDLK_F12, 0x00C9 },
    // Layouts whose unshifted key is one of these characters report its code point.
    { 0x20AC, 0x20AC },           { 0x00A3, 0x00A3 },            { 0x00A5, 0x00A5 },
    { SDLK_AC_SEARCH, 0xFFAA },
};
}

int CCKeyboardDispatcher::keyCodeForSDLKey(SDL_Keycode key)
{
    // SDL names printable keys by their unshifted character, letters already lower case.
    if (key >= 0x20 && key <= 0x7E)
    {
        return (int)key;
    }
    for (size_t i = 0; i < sizeof(kKeys) / sizeof(kKeys[0]); ++i)
    {
        if (kKeys[i].sdl == key)
        {
            return kKeys[i].code;
        }
    }
    return 0;
}

int CCKeyboardDispatcher::keyCodeForSDLKey(SDL_Keycode key, SDL_Scancode scancode)
{
    const int code = keyCodeForSDLKey(key);
    if (code != 0)
    {
        return code;
    }
    // Scancodes name the key's place, not its character: press and release agree on every layout.
    if (scancode > SDL_SCANCODE_UNKNOWN && scancode < SDL_NUM_SCANCODES)
    {
        return kUnnamedKeyBase + (int)scancode;
    }
    return 0;
}

std::string CCKeyboardDispatcher::nameForUnnamedKeyCode(int code)
{
    const int scancode = code - kUnnamedKeyBase;
    if (scancode <= SDL_SCANCODE_UNKNOWN || scancode >= SDL_NUM_SCANCODES)
    {
        return "";
    }
    // The layout's key name where SDL knows the layout (it needs the video subsystem), else the
    // place's name; a key SDL cannot name at all is still told apart by its number.
    const SDL_Keycode key = SDL_GetKeyFromScancode((SDL_Scancode)scancode);
    std::string name = key != SDLK_UNKNOWN ? SDL_GetKeyName(key) : "";
    if (name.empty())
    {
        name = SDL_GetScancodeName((SDL_Scancode)scancode);
    }
    if (name.empty())
    {
        char number[32];
        snprintf(number, sizeof(number), "Key %d", scancode);
        name = number;
    }
    return name;
}

CCKeyboardDispatcher::CCKeyboardDispatcher()
{
}

CCKeyboardDispatcher::~CCKeyboardDispatcher()
{
    removeAllDelegates();
}

void CCKeyboardDispatcher::addDelegate(CCKeyboardDelegate* pDelegate)
{
    if (!pDelegate)
    {
        return;
    }
    for (size_t i = 0; i < m_delegates.size(); ++i)
    {
        if (m_delegates[i]->delegate == pDelegate)
        {
            return;
        }
    }
    Entry* entry = new Entry();
    entry->delegate = pDelegate;
    entry->object = dynamic_cast<CCObject*>(pDelegate);
    entry->removed = false;
    CC_SAFE_RETAIN(entry->object);
    m_delegates.push_back(entry);
}

void CCKeyboardDispatcher::removeDelegate(CCKeyboardDelegate* pDelegate)
{
    for (std::vector<Entry*>::iterator it = m_delegates.begin(); it != m_delegates.end(); ++it)
    {
        if ((*it)->delegate == pDelegate)
        {
            Entry* entry = *it;
            m_delegates.erase(it);
            entry->removed = true;
            CC_SAFE_RELEASE_NULL(entry->object);
            // A dispatch in progress may still look at the entry; it is freed by it or here.
            if (!m_dispatching.empty())
            {
                m_dispatching.back().push_back(entry);
            }
            else
            {
                delete entry;
            }
            return;
        }
    }
}

void CCKeyboardDispatcher::removeAllDelegates()
{
    while (!m_delegates.empty())
    {
        removeDelegate(m_delegates.back()->delegate);
    }
}

void CCKeyboardDispatcher::dispatchKey(int keyCode, bool pressed)
{
    m_dispatching.push_back(std::vector<Entry*>());
    const std::vector<Entry*> snapshot(m_delegates);
    for (size_t i = 0; i < snapshot.size(); ++i)
    {
        Entry* entry = snapshot[i];
        if (entry->removed)
        {
            continue;
        }
        if (pressed)
        {
            entry->delegate->keyPressed(keyCode);
        }
        else
        {
            entry->delegate->keyReleased(keyCode);
        }
    }
    std::vector<Entry*> dead = m_dispatching.back();
    m_dispatching.pop_back();
    if (m_dispatching.empty())
    {
        for (size_t i = 0; i < dead.size(); ++i)
        {
            delete dead[i];
        }
    }
    else
    {
        m_dispatching.back().insert(m_dispatching.back().end(), dead.begin(), dead.end());
    }
}

NS_CC_END
