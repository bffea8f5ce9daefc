#ifndef __SIGNAL_DELEGATE_H__
#define __SIGNAL_DELEGATE_H__

#include "CCObject.h"
#include "CCPlatformMacros.h"

#include <cstring>
#include <stdint.h>
#include <type_traits>

NS_CC_BEGIN

/** A code address as linked: its offset from the start of the program image that holds it. */
uintptr_t SignalDelegate_linkedCodeAddress(uintptr_t code);

/**
 * One subscription of a Signal: a subscriber object (already converted to the class that declares
 * the member function) and that member function. Delegates order by subscriber, then by member
 * function, never by connection order, and the same way in every run of one build:
 * - an engine object (a CCObject) by the order objects were made in, which is the address order a
 *   fresh heap gives, without hanging on where the allocator (or address-space randomisation) put
 *   it; other subscribers, and two parts of one object, by address;
 * - a member function by the bytes of its pointer, with a code address taken as linked (from the
 *   start of its program image), so where the image was loaded does not reorder them.
 */
template <typename... Args>
class SignalDelegate
{
public:
    SignalDelegate() : m_uBirth(0), m_pObject(NULL), m_uCode(0), m_pInvoker(NULL)
    {
        memset(m_function, 0, sizeof(m_function));
    }

    template <class C>
    static SignalDelegate make(C* object, void (C::*function)(Args...))
    {
        static_assert(sizeof(function) <= sizeof(m_function), "member-function pointer too large");
        SignalDelegate delegate;
        delegate.m_uBirth = birthOf(object, std::is_base_of<CCObject, C>());
        delegate.m_pObject = static_cast<void*>(object);
        memcpy(delegate.m_function, &function, sizeof(function));
        // The pointer's first word is the code address, or an odd vtable offset for a virtual one.
        memcpy(&delegate.m_uCode, &function, sizeof(delegate.m_uCode));
        if ((delegate.m_uCode & 1) == 0)
        {
            delegate.m_uCode = SignalDelegate_linkedCodeAddress(delegate.m_uCode);
        }
        delegate.m_pInvoker = &SignalDelegate::invokeMember<C>;
        return delegate;
    }

    void* getObject() const { return m_pObject; }

    void invoke(Args... args) const { m_pInvoker(m_pObject, m_function, args...); }

    bool operator<(const SignalDelegate& other) const
    {
        if (m_uBirth != other.m_uBirth)
        {
            return m_uBirth < other.m_uBirth;
        }
        uintptr_t mine = reinterpret_cast<uintptr_t>(m_pObject);
        uintptr_t theirs = reinterpret_cast<uintptr_t>(other.m_pObject);
        if (mine != theirs)
        {
            return mine < theirs;
        }
        const int code = memcmp(&m_uCode, &other.m_uCode, sizeof(m_uCode));
        if (code != 0)
        {
            return code < 0;
        }
        return memcmp(m_function, other.m_function, sizeof(m_function)) < 0;
    }

    bool operator==(const SignalDelegate& other) const
    {
        return m_pObject == other.m_pObject && memcmp(m_function, other.m_function, sizeof(m_function)) == 0;
    }

private:
    template <class C>
    static unsigned int birthOf(C* object, std::true_type)
    {
        return static_cast<CCObject*>(object)->m_uID;
    }
    template <class C>
    static unsigned int birthOf(C*, std::false_type)
    {
        return 0;
    }

    typedef void (*Invoker)(void* object, const unsigned char* function, Args... args);

    template <class C>
    static void invokeMember(void* object, const unsigned char* function, Args... args)
    {
        void (C::*member)(Args...);
        memcpy(&member, function, sizeof(member));
        (static_cast<C*>(object)->*member)(args...);
    }

    struct AnyClass;
    unsigned int m_uBirth;  ///< the engine object's make order (CCObject::m_uID), 0 for other subscribers
    void* m_pObject;
    alignas(void*) unsigned char m_function[sizeof(void (AnyClass::*)())];
    uintptr_t m_uCode;      ///< the pointer's first word, a code address taken as linked
    Invoker m_pInvoker;  ///< calls m_function on m_pObject with the right class; not part of the order
};

NS_CC_END

#endif // __SIGNAL_DELEGATE_H__
