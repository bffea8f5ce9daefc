#ifndef __CC_KEYBOARD_DISPATCHER_H__
#define __CC_KEYBOARD_DISPATCHER_H__

#include "base/CCObject.h"
#include "nodes/CCTouchDelegateProtocol.h"

#include <SDL_keycode.h>

#include <string>
#include <vector>

NS_CC_BEGIN

/**
 * Hands key presses and releases to every delegate, in order of registration, as the integer
 * codes of the game's key-name table (saved controls hold these codes). A key with no code there
 * gets one of its own, kUnnamedKeyBase plus its scancode, the same on every layout. Key
 * auto-repeat is not delivered. Delegates (retained when they are CCObjects)
 * may be added or removed from inside a callback.
 */
class CCKeyboardDispatcher : public CCObject
{
public:
    CCKeyboardDispatcher();
    virtual ~CCKeyboardDispatcher();

    void addDelegate(CCKeyboardDelegate* pDelegate);
    void removeDelegate(CCKeyboardDelegate* pDelegate);
    void removeAllDelegates();
    unsigned int getDelegateCount() const { return (unsigned int)m_delegates.size(); }

    /** Calls keyPressed or keyReleased of every delegate with the code. */
    void dispatchKey(int keyCode, bool pressed);
    /** Codes of keys outside the table: this plus the key's SDL scancode (below 0x200). */
    static constexpr int kUnnamedKeyBase = 0x10000;

    /** SDL key to the table's code: letters lower case (0x61..), symbols by their own character,
     *  arrows 0x1051.., F1 0xBE.., Esc 0x1B; 0 when the key has no code. */
    static int keyCodeForSDLKey(SDL_Keycode key);
    /** The table's code, else the key's own code from its scancode; 0 only when SDL knows neither. */
    static int keyCodeForSDLKey(SDL_Keycode key, SDL_Scancode scancode);
    /** The name SDL gives a key outside the table ("" for any other code). */
    static std::string nameForUnnamedKeyCode(int code);

private:
    struct Entry
    {
        CCKeyboardDelegate* delegate;
        CCObject* object;   ///< retained, NULL when the delegate is no CCObject
        bool removed;
    };
    std::vector<Entry*> m_delegates;
    /** One list per dispatch in progress: entries removed during it, freed when it ends. */
    std::vector<std::vector<Entry*> > m_dispatching;
};

NS_CC_END

#endif // __CC_KEYBOARD_DISPATCHER_H__
