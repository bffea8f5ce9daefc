#ifndef __BINDING_PROBE_H__
#define __BINDING_PROBE_H__

#include "CCGeometry.h"
#include "CCObject.h"

#include <new>
#include <string>

NS_CC_BEGIN

// A bound test class with one member of each result kind the binding handles.
class BindingProbe : public CCObject
{
public:
    static int s_nLive;

    BindingProbe() : m_pOther(NULL), m_fSpeed(0.0f) { ++s_nLive; }
    virtual ~BindingProbe() { --s_nLive; }

    CCPoint getBasePosition() { return CCPoint(3.0f, 4.0f); }
    BindingProbe* getOther() { return m_pOther; }
    void setOther(BindingProbe* other) { m_pOther = other; }
    std::string echo(std::string text) { return text + "!"; }
    void fail() { throw std::bad_alloc(); }

    virtual float getSpeed() { return m_fSpeed; }
    virtual void setSpeed(float speed) { m_fSpeed = speed; }

private:
    BindingProbe* m_pOther;  ///< borrowed
    float m_fSpeed;
};

NS_CC_END

#endif // __BINDING_PROBE_H__
