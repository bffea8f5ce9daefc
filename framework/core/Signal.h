#ifndef __SIGNAL_H__
#define __SIGNAL_H__

#include "SignalDelegate.h"

#include <set>

NS_CC_BEGIN

/**
 * A publish-subscribe event: subscribers join with an object and one of its member functions and
 * are called by emit in the order of their addresses (see SignalDelegate). The signal holds no
 * reference on its subscribers; each subscriber disconnects itself before it goes.
 *
 * Emission is re-entrant: after each call the next subscriber is looked up again from the one just
 * called, so a subscriber may connect or disconnect anyone (itself included) while it runs; one that
 * sorts after the current subscriber and is connected meanwhile is called in the same emission, one
 * that is disconnected is not. A subscriber may even destroy the signal's owner: the emission then
 * stops without touching the signal again.
 */
template <typename... Args>
class Signal
{
public:
    typedef SignalDelegate<Args...> Delegate;

    Signal() : m_pEmission(NULL) {}
    Signal(const Signal& other) : m_delegates(other.m_delegates), m_pEmission(NULL) {}
    ~Signal()
    {
        for (Emission* emission = m_pEmission; emission != NULL; emission = emission->outer)
        {
            emission->signalDestroyed = true;
        }
    }

    /** Replaces this signal's subscribers with a copy of the other's. */
    Signal& operator=(const Signal& other)
    {
        if (this != &other)
        {
            m_delegates = other.m_delegates;
        }
        return *this;
    }

    /** Adds the subscriber; connecting one that is already connected changes nothing. */
    template <class O, class C>
    void connect(O* object, void (C::*function)(Args...))
    {
        if (object != NULL && function != NULL)
        {
            m_delegates.insert(Delegate::make(static_cast<C*>(object), function));
        }
    }

    /** Removes the subscriber if it is connected. */
    template <class O, class C>
    void disconnect(O* object, void (C::*function)(Args...))
    {
        if (object != NULL && function != NULL)
        {
            m_delegates.erase(Delegate::make(static_cast<C*>(object), function));
        }
    }

    void disconnectAll() { m_delegates.clear(); }

    unsigned int count() const { return (unsigned int)m_delegates.size(); }

    /** Calls every subscriber with the arguments (each call gets its own copy of them). */
    void emit(Args... args)
    {
        if (m_delegates.empty())
        {
            return;
        }
        Emission emission(m_pEmission);
        m_pEmission = &emission;
        typename DelegateSet::const_iterator it = m_delegates.begin();
        while (it != m_delegates.end())
        {
            // The set may change during the call, so keep the key, not the node.
            const Delegate current = *it;
            current.invoke(args...);
            if (emission.signalDestroyed)
            {
                return;
            }
            it = m_delegates.upper_bound(current);
        }
        m_pEmission = emission.outer;
    }

private:
    typedef std::set<Delegate> DelegateSet;

    // One running emit, on its caller's stack; nested emits chain through outer.
    struct Emission
    {
        explicit Emission(Emission* outerEmission) : signalDestroyed(false), outer(outerEmission) {}
        bool signalDestroyed;
        Emission* outer;
    };

    DelegateSet m_delegates;
    Emission* m_pEmission;  ///< innermost running emit, NULL when idle
};

NS_CC_END

#endif // __SIGNAL_H__
