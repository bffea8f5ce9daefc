#include "CCLabelBMFontLocale.h"

NS_CC_BEGIN

namespace
{
const float kShrinkStep = 0.95f;
// 0.95^200 is about 3.5e-5: past that a text is unreadable anyway, and the loop must end even for
// a lock box no text can fit.
const int kMaxShrinkSteps = 200;
} // namespace

CCLabelBMFontLocale::CCLabelBMFontLocale()
    : m_fLockHeight(0.0f)
    , m_baseScale(1.0f, 1.0f)
    , m_fLockWidth(0.0f)
{
}

CCLabelBMFontLocale* CCLabelBMFontLocale::create()
{
    CCLabelBMFontLocale* label = new CCLabelBMFontLocale();
    if (label->init())
    {
        label->autorelease();
        return label;
    }
    delete label;
    return NULL;
}

void CCLabelBMFontLocale::setScaleX(float scaleX)
{
    m_baseScale.x = scaleX;
    CCLabelBMFont::setScaleX(scaleX);
}

void CCLabelBMFontLocale::setScaleY(float scaleY)
{
    m_baseScale.y = scaleY;
    CCLabelBMFont::setScaleY(scaleY);
}

void CCLabelBMFontLocale::setScale(float scale)
{
    m_baseScale = CCPoint(scale, scale);
    CCLabelBMFont::setScale(scale);
}

void CCLabelBMFontLocale::setScale(float scaleX, float scaleY)
{
    m_baseScale = CCPoint(scaleX, scaleY);
    CCLabelBMFont::setScale(scaleX, scaleY);
}

void CCLabelBMFontLocale::setWidth(float width)
{
    CCLabelBMFont::setWidth(width);
    m_fLockWidth = width;
}

bool CCLabelBMFontLocale::fitsLockBox()
{
    CCSize box = boundingBox().size;
    return !(box.height > m_fLockHeight) && !(m_fLockWidth > 0.0f && box.width > m_fLockWidth);
}

void CCLabelBMFontLocale::setString(const char* newString, bool fromUpdate)
{
    if (!(m_fLockHeight > 0.0f) || fromUpdate)
    {
        CCLabelBMFont::setString(newString, fromUpdate);
        return;
    }

    // Start from the base scale, set on the node alone: the label's own setters would relayout.
    float scale = m_baseScale.x;
    m_fWidth = m_fLockWidth;
    CCNode::setScaleX(scale);
    CCNode::setScaleY(m_baseScale.y);
    CCLabelBMFont::setString(newString, false);

    // Without an x scale to keep the aspect of, there is nothing to shrink.
    if (m_baseScale.x == 0.0f)
    {
        return;
    }
    const float aspect = m_baseScale.y / m_baseScale.x;
    for (int step = 0; step < kMaxShrinkSteps && !fitsLockBox(); ++step)
    {
        scale *= kShrinkStep;
        CCNode::setScaleX(scale);
        CCNode::setScaleY(aspect * scale);
        updateLabel();
    }
}

NS_CC_END
