#ifndef __VORN_STEAM_CALLBACKS_H__
#define __VORN_STEAM_CALLBACKS_H__

// Callback and call-result registration, delivered only from inside SteamAPI_RunCallbacks.

#include "steamtypes.h"

#include <stddef.h>

/** What SteamAPI_RunCallbacks delivers to: a broadcast callback or the answer to one call. */
class CCallbackBase
{
public:
    CCallbackBase() : m_nCallbackFlags(0), m_iCallback(0) {}
    virtual ~CCallbackBase() {}

    virtual void Run(void* pvParam) = 0;
    virtual void Run(void* pvParam, bool bIOFailure, SteamAPICall_t hSteamAPICall) = 0;
    virtual int GetCallbackSizeBytes() = 0;

    int GetICallback() const { return m_iCallback; }
    bool IsRegistered() const { return (m_nCallbackFlags & k_ECallbackFlagsRegistered) != 0; }

    // Kept by the registration calls below.
    enum
    {
        k_ECallbackFlagsRegistered = 0x01,
        k_ECallbackFlagsGameServer = 0x02
    };
    uint8 m_nCallbackFlags;
    int m_iCallback;

private:
    CCallbackBase(const CCallbackBase&);
    CCallbackBase& operator=(const CCallbackBase&);
};

/** Broadcast callbacks of one kind (the struct's k_iCallback). */
void SteamAPI_RegisterCallback(CCallbackBase* pCallback, int iCallback);
void SteamAPI_UnregisterCallback(CCallbackBase* pCallback);
/** The answer to one call; a registration lasts until the answer arrives or is unregistered. */
void SteamAPI_RegisterCallResult(CCallbackBase* pCallback, SteamAPICall_t hAPICall);
void SteamAPI_UnregisterCallResult(CCallbackBase* pCallback, SteamAPICall_t hAPICall);

/**
 * A member function called with every P broadcast while registered. Registers on construction
 * when given an object (or later through Register) and unregisters on destruction.
 */
template <class T, class P, bool bGameServer = false>
class CCallback : public CCallbackBase
{
public:
    typedef void (T::*func_t)(P*);

    CCallback() : m_pObj(NULL), m_Func(NULL) {}
    CCallback(T* pObj, func_t func) : m_pObj(NULL), m_Func(NULL)
    {
        if (bGameServer)
        {
            m_nCallbackFlags |= k_ECallbackFlagsGameServer;
        }
        Register(pObj, func);
    }
    ~CCallback() { Unregister(); }

    void Register(T* pObj, func_t func)
    {
        if (pObj == NULL || func == NULL)
        {
            return;
        }
        Unregister();
        m_pObj = pObj;
        m_Func = func;
        SteamAPI_RegisterCallback(this, P::k_iCallback);
    }
    void Unregister()
    {
        if (IsRegistered())
        {
            SteamAPI_UnregisterCallback(this);
        }
    }

    virtual void Run(void* pvParam) { (m_pObj->*m_Func)((P*)pvParam); }
    virtual void Run(void* pvParam, bool, SteamAPICall_t) { Run(pvParam); }
    virtual int GetCallbackSizeBytes() { return (int)sizeof(P); }

private:
    T* m_pObj;
    func_t m_Func;
};

/** A member function called once with the answer to the call it was Set with. */
template <class T, class P>
class CCallResult : public CCallbackBase
{
public:
    typedef void (T::*func_t)(P*, bool);

    CCallResult() : m_hAPICall(k_uAPICallInvalid), m_pObj(NULL), m_Func(NULL) { m_iCallback = P::k_iCallback; }
    ~CCallResult() { Cancel(); }

    /** Drops the call held so far, then waits for hAPICall (nothing when it is invalid). */
    void Set(SteamAPICall_t hAPICall, T* pObj, func_t func)
    {
        Cancel();
        m_hAPICall = hAPICall;
        m_pObj = pObj;
        m_Func = func;
        if (hAPICall != k_uAPICallInvalid)
        {
            SteamAPI_RegisterCallResult(this, hAPICall);
        }
    }
    bool IsActive() const { return m_hAPICall != k_uAPICallInvalid; }
    void Cancel()
    {
        if (m_hAPICall != k_uAPICallInvalid)
        {
            SteamAPI_UnregisterCallResult(this, m_hAPICall);
            m_hAPICall = k_uAPICallInvalid;
        }
    }

    virtual void Run(void* pvParam) { Run(pvParam, false, m_hAPICall); }
    virtual void Run(void* pvParam, bool bIOFailure, SteamAPICall_t hSteamAPICall)
    {
        if (hSteamAPICall != m_hAPICall || m_hAPICall == k_uAPICallInvalid)
        {
            return;
        }
        m_hAPICall = k_uAPICallInvalid;  // answered: the handler may Set a new call from inside
        (m_pObj->*m_Func)((P*)pvParam, bIOFailure);
    }
    virtual int GetCallbackSizeBytes() { return (int)sizeof(P); }

private:
    SteamAPICall_t m_hAPICall;
    T* m_pObj;
    func_t m_Func;
};

/** Declares a callback member and its handler; construct it with (this, &thisclass::func). */
#define STEAM_CALLBACK(thisclass, func, param, var) \
    CCallback<thisclass, param, false> var;         \
    void func(param* pParam)

/** As STEAM_CALLBACK, registered later with var.Register(this, &thisclass::func). */
#define STEAM_CALLBACK_MANUAL(thisclass, func, param, var) \
    CCallback<thisclass, param, false> var;                \
    void func(param* pParam)

#endif // __VORN_STEAM_CALLBACKS_H__
