#ifndef __SIGNAL_DELEGATE_H__
#define __SIGNAL_DELEGATE_H__

#include "CCPlatformMacros.h"

#include <cstring>
#include <stdint.h>

NS_CC_BEGIN

/**
 * One subscription of a Signal: a subscriber object (already converted to the class that declares
 * the member function) and that member function. Delegates order by the object's address, then by
 * the bytes of the member-function pointer as they lie in memory, so a signal calls its subscribers
 * in address order, never in connection order.
 */
template <typename... Args>
class SignalDelegate
{
public:
    SignalDelegate() : m_pObject(NULL), m_pInvoker(NULL) { memset(m_function, 0, sizeof(m_function)); }

    template <class C>
    static SignalDelegate make(C* object, void (C::*function)(Args...))
    {
        static_assert(sizeof(function) <= sizeof(m_function), "member-function pointer too large");
        SignalDelegate delegate;
        delegate.m_pObject = static_cast<void*>(object);
        memcpy(delegate.m_function, &function, sizeof(function));
        delegate.m_pInvoker = &SignalDelegate::invokeMember<C>;
        return delegate;
    }

    void* getObject() const { return m_pObject; }

    void invoke(Args... args) const { m_pInvoker(m_pObject, m_function, args...); }

    bool operator<(const SignalDelegate& other) const
    {
        uintptr_t mine = reinterpret_cast<uintptr_t>(m_pObject);
        uintptr_t theirs = reinterpret_cast<uintptr_t>(other.m_pObject);
        if (mine != theirs)
        {
            return mine < theirs;
        }
        return memcmp(m_function, other.m_function, sizeof(m_function)) < 0;
    }

    bool operator==(const SignalDelegate& other) const
    {
        return m_pObject == other.m_pObject && memcmp(m_function, other.m_function, sizeof(m_function)) == 0;
    }

private:
    typedef void (*Invoker)(void* object, const unsigned char* function, Args... args);

    template <class C>
    static void invokeMember(void* object, const unsigned char* function, Args... args)
    {
        void (C::*member)(Args...);
        memcpy(&member, function, sizeof(member));
        (static_cast<C*>(object)->*member)(args...);
    }

    struct AnyClass;
    void* m_pObject;
    alignas(void*) unsigned char m_function[sizeof(void (AnyClass::*)())];
    Invoker m_pInvoker;  ///< calls m_function on m_pObject with the right class; not part of the order
};

NS_CC_END

#endif // __SIGNAL_DELEGATE_H__
