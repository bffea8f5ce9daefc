#ifndef __AUTO_LERP_FLOAT_H__
#define __AUTO_LERP_FLOAT_H__

#include "CCObject.h"

NS_CC_BEGIN

/**
 * A value that eases toward its target at a rate per second. Reference counted, so a camera and
 * a script can share one: each holder keeps its own reference.
 */
class AutoLerpFloat : public CCObject
{
public:
    /** Starts at value with the target on it. */
    AutoLerpFloat(float smoothScale, float value);
    virtual ~AutoLerpFloat() {}

    virtual float getSmoothScale() { return m_fSmoothScale; }
    virtual void setSmoothScale(float scale) { m_fSmoothScale = scale; }
    virtual float getValue() { return m_fValue; }
    virtual void setValue(float value) { m_fValue = value; }
    virtual float getTarget() { return m_fTarget; }
    virtual void setTarget(float target) { m_fTarget = target; }

    /** For scripts that write the target in place. */
    float& getTargetByRef() { return m_fTarget; }
    /** Moves SmoothScale x dt of the way to the target (all of it once that reaches 1). */
    void tick(float dt);

protected:
    float m_fSmoothScale;
    float m_fValue;
    float m_fTarget;
};

NS_CC_END

#endif // __AUTO_LERP_FLOAT_H__
