#include "AutoLerpFloat.h"

#include "CCPointExtension.h"

NS_CC_BEGIN

AutoLerpFloat::AutoLerpFloat(float smoothScale, float value)
    : m_fSmoothScale(smoothScale), m_fValue(value), m_fTarget(value)
{
}

void AutoLerpFloat::tick(float dt)
{
    const float t = clampf(m_fSmoothScale * dt, 0.0f, 1.0f);
    m_fValue = (1.0f - t) * m_fValue + t * m_fTarget;
}

NS_CC_END
