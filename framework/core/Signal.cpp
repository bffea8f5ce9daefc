#include "Signal.h"

#include "CCGeometry.h"
#include "CCObject.h"

#include <dlfcn.h>

#include <unordered_map>

NS_CC_BEGIN

uintptr_t SignalDelegate_linkedCodeAddress(uintptr_t code)
{
    // Signals are used on the main thread only; the handful of member functions ever connected
    // are looked up once each.
    static std::unordered_map<uintptr_t, uintptr_t>* s_linked = new std::unordered_map<uintptr_t, uintptr_t>();
    std::unordered_map<uintptr_t, uintptr_t>::const_iterator it = s_linked->find(code);
    if (it != s_linked->end())
    {
        return it->second;
    }
    Dl_info image;
    uintptr_t linked = code;
    if (dladdr(reinterpret_cast<void*>(code), &image) != 0 && image.dli_fbase != NULL)
    {
        linked = code - reinterpret_cast<uintptr_t>(image.dli_fbase);
    }
    (*s_linked)[code] = linked;
    return linked;
}

// Every argument form the game emits, built once here so a broken form fails this file first.
template class Signal<>;
template class Signal<CCObject*>;
template class Signal<int>;
template class Signal<bool>;
template class Signal<float>;
template class Signal<CCPoint>;
template class Signal<CCObject*, int>;
template class Signal<CCObject*, CCObject*>;
template class Signal<CCObject*, CCObject*, CCPoint, float>;

NS_CC_END
