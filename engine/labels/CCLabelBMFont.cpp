#include "labels/CCLabelBMFont.h"

#include "base/CCConsole.h"
#include "labels/ccUTF8.h"
#include "nodes/CCRGBACascade.h"
#include "sprites/CCSprite.h"
#include "sprites/CCTexture2D.h"
#include "sprites/CCTextureCache.h"

#include <cmath>
#include <vector>

NS_CC_BEGIN

CCLabelBMFont::CCLabelBMFont()
: m_pConfiguration(NULL)
, m_fWidth(kCCLabelAutomaticWidth)
, m_pAlignment(kCCTextAlignmentLeft)
, m_tImageOffset(CCPointZero)
, m_bInLayout(false)
, m_pGlyphs(NULL)
, m_cDisplayedOpacity(255)
, m_cRealOpacity(255)
, m_tDisplayedColor(ccWHITE)
, m_tRealColor(ccWHITE)
, m_bCascadeColorEnabled(true)
, m_bCascadeOpacityEnabled(true)
, m_bIsOpacityModifyRGB(false)
{
}

CCLabelBMFont::~CCLabelBMFont()
{
    CC_SAFE_RELEASE(m_pConfiguration);
    CC_SAFE_RELEASE(m_pGlyphs);
}

CCLabelBMFont* CCLabelBMFont::create()
{
    CCLabelBMFont* pRet = new CCLabelBMFont();
    if (pRet->init())
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

CCLabelBMFont* CCLabelBMFont::create(const char* str, const char* fntFile)
{
    return create(str, fntFile, kCCLabelAutomaticWidth, kCCTextAlignmentLeft, CCPointZero);
}

CCLabelBMFont* CCLabelBMFont::create(const char* str, const char* fntFile, float width,
                                     CCTextAlignment alignment, CCPoint imageOffset)
{
    CCLabelBMFont* pRet = new CCLabelBMFont();
    if (pRet->initWithString(str, fntFile, width, alignment, imageOffset))
    {
        pRet->autorelease();
        return pRet;
    }
    delete pRet;
    return NULL;
}

bool CCLabelBMFont::init()
{
    return initWithString(NULL, NULL, kCCLabelAutomaticWidth, kCCTextAlignmentLeft, CCPointZero);
}

bool CCLabelBMFont::initWithString(const char* str, const char* fntFile, float width,
                                   CCTextAlignment alignment, CCPoint imageOffset)
{
    CCTexture2D* texture = NULL;
    CCBMFontConfiguration* config = NULL;
    if (fntFile && *fntFile)
    {
        config = FNTConfigLoadFile(fntFile);
        if (!config)
        {
            CCLog("ERROR: CCLabelBMFont - can't load font '%s'", fntFile);
            return false;
        }
        texture = CCTextureCache::sharedTextureCache()->addImage(config->getAtlasName().c_str());
        if (!texture)
        {
            CCLog("ERROR: CCLabelBMFont - can't load the page image of '%s'", fntFile);
            return false;
        }
    }
    if (!(texture ? CCSpriteBatchNode::initWithTexture(texture, 29) : CCSpriteBatchNode::init()))
    {
        return false;
    }
    CC_SAFE_RETAIN(config);
    CC_SAFE_RELEASE(m_pConfiguration);
    m_pConfiguration = config;
    m_sFntFile = fntFile ? fntFile : "";
    if (!m_pGlyphs)
    {
        m_pGlyphs = new CCArray();
        m_pGlyphs->init();
    }
    m_fWidth = width;
    m_pAlignment = alignment;
    m_tImageOffset = imageOffset;
    m_cDisplayedOpacity = m_cRealOpacity = 255;
    m_tDisplayedColor = m_tRealColor = ccWHITE;
    m_bCascadeOpacityEnabled = m_bCascadeColorEnabled = true;
    setAnchorPoint(ccp(0.5f, 0.5f));
    setString(str ? str : "", false);
    return true;
}

// Text

void CCLabelBMFont::setString(const char* newString)
{
    setString(newString, false);
}

void CCLabelBMFont::setString(const char* newString, bool fromUpdate)
{
    const char* text = newString ? newString : "";
    if (!fromUpdate)
    {
        m_sInitialString = text;
        m_sSourceString = cc_utf8_to_utf16(m_sInitialString);
        updateLabel();
        return;
    }
    m_sString = cc_utf8_to_utf16(text);
    if (!m_bInLayout)
    {
        m_sSourceString = m_sString;
    }
    createFontChars();
}

const char* CCLabelBMFont::getString(void)
{
    return m_sInitialString.c_str();
}

std::string CCLabelBMFont::getDisplayStringUTF8() const
{
    return cc_utf16_to_utf8(m_sString);
}

// Layout

void CCLabelBMFont::updateLabel()
{
    const std::string wrapped = cc_utf16_to_utf8(wrappedSource());
    m_bInLayout = true;
    setString(wrapped.c_str(), true);
    m_bInLayout = false;
}

std::u16string CCLabelBMFont::wrappedSource() const
{
    std::u16string out = m_sSourceString;
    const float scaleX = fabsf(m_fScaleX);
    if (!m_pConfiguration || m_fWidth <= 0 || scaleX <= 0)
    {
        return out;
    }
    // Walk the line with a pen; when a word runs past the width, the space before it breaks.
    float pen = 0;
    unsigned int prev = 0;
    size_t lastSpace = std::u16string::npos;
    for (size_t i = 0; i < out.size(); ++i)
    {
        const unsigned int c = out[i];
        if (c == '\n')
        {
            pen = 0;
            prev = 0;
            lastSpace = std::u16string::npos;
            continue;
        }
        const ccBMFontDef* def = m_pConfiguration->glyph(c);
        if (!def)
        {
            continue;
        }
        const float step = (prev ? m_pConfiguration->kerningAmount(prev, c) : 0) + def->xAdvance;
        if (c != ' ' && (pen + step) * scaleX > m_fWidth && lastSpace != std::u16string::npos)
        {
            out[lastSpace] = '\n';
            // The pen restarts with the word that moved down.
            pen = 0;
            prev = 0;
            for (size_t k = lastSpace + 1; k < i; ++k)
            {
                const ccBMFontDef* d = m_pConfiguration->glyph(out[k]);
                if (d)
                {
                    pen += (prev ? m_pConfiguration->kerningAmount(prev, out[k]) : 0) + d->xAdvance;
                    prev = out[k];
                }
            }
            lastSpace = std::u16string::npos;
            pen += (prev ? m_pConfiguration->kerningAmount(prev, c) : 0) + def->xAdvance;
            prev = c;
            continue;
        }
        if (c == ' ')
        {
            lastSpace = i;
        }
        pen += step;
        prev = c;
    }
    return out;
}

void CCLabelBMFont::createFontChars()
{
    if (!m_pGlyphs)
    {
        return;
    }
    if (!m_pConfiguration || m_sString.empty())
    {
        dropGlyphsFrom(0);
        setContentSize(CCSizeZero);
        return;
    }

    struct Placed
    {
        const ccBMFontDef* def;
        size_t index;
        int line;
        float x;
    };
    std::vector<Placed> placed;
    std::vector<float> lineWidths(1, 0.0f);
    float pen = 0;
    unsigned int prev = 0;
    unsigned int missing = 0;
    for (size_t i = 0; i < m_sString.size(); ++i)
    {
        const unsigned int c = m_sString[i];
        if (c == '\n')
        {
            lineWidths.push_back(0.0f);
            pen = 0;
            prev = 0;
            continue;
        }
        const ccBMFontDef* def = m_pConfiguration->glyph(c);
        if (!def)
        {
            ++missing;
            continue;
        }
        pen += prev ? m_pConfiguration->kerningAmount(prev, c) : 0;
        Placed p = { def, i, (int)lineWidths.size() - 1, pen + def->xOffset };
        placed.push_back(p);
        pen += def->xAdvance;
        prev = c;
        if (c != ' ')
        {
            lineWidths.back() = pen;   // trailing spaces don't widen a line
        }
    }
    if (missing)
    {
        CCLog("CCLabelBMFont - %u character(s) not in '%s' skipped", missing, m_sFntFile.c_str());
    }

    float width = 0;
    for (size_t l = 0; l < lineWidths.size(); ++l)
    {
        width = lineWidths[l] > width ? lineWidths[l] : width;
    }
    const float lineHeight = (float)m_pConfiguration->m_nCommonHeight;
    const float height = lineHeight * lineWidths.size();

    unsigned int used = 0;
    for (size_t k = 0; k < placed.size(); ++k)
    {
        const Placed& p = placed[k];
        if (p.def->rect.size.width <= 0 || p.def->rect.size.height <= 0)
        {
            continue;
        }
        float shift = 0;
        if (m_pAlignment == kCCTextAlignmentCenter)
        {
            shift = floorf((width - lineWidths[p.line]) / 2);
        }
        else if (m_pAlignment == kCCTextAlignmentRight)
        {
            shift = width - lineWidths[p.line];
        }
        CCRect rect = p.def->rect;
        rect.origin.x += m_tImageOffset.x;
        rect.origin.y += m_tImageOffset.y;

        CCSprite* glyph = NULL;
        if (used < m_pGlyphs->count())
        {
            glyph = (CCSprite*)m_pGlyphs->objectAtIndex(used);
            glyph->setTextureRect(rect, false, rect.size);
            if (glyph->getParent() != this)
            {
                addChild(glyph);   // someone removed the label's children
            }
        }
        else
        {
            glyph = new CCSprite();
            glyph->initWithTexture(m_pobTexture, rect);
            addChild(glyph);
            m_pGlyphs->addObject(glyph);
            glyph->release();
        }
        ++used;
        glyph->setTag((int)p.index);
        glyph->setBlendFunc(m_blendFunc);
        glyph->setPosition(ccp(p.x + shift + rect.size.width / 2,
                               height - p.line * lineHeight - p.def->yOffset - rect.size.height / 2));
        glyph->updateDisplayedColor(m_tDisplayedColor);
        glyph->updateDisplayedOpacity(m_cDisplayedOpacity);
    }
    dropGlyphsFrom(used);
    setContentSize(CCSizeMake(width, height));
}

void CCLabelBMFont::dropGlyphsFrom(unsigned int count)
{
    // Glyph sprites left over from a longer text are dropped rather than kept hidden.
    while (m_pGlyphs->count() > count)
    {
        CCNode* spare = (CCNode*)m_pGlyphs->lastObject();
        removeChild(spare, true);
        m_pGlyphs->removeLastObject();
    }
}

void CCLabelBMFont::setWidth(float width)
{
    m_fWidth = width;
    updateLabel();
}

void CCLabelBMFont::setAlignment(CCTextAlignment alignment)
{
    m_pAlignment = alignment;
    updateLabel();
}

void CCLabelBMFont::setScale(float scale)
{
    CCSpriteBatchNode::setScale(scale);
    updateLabel();
}

void CCLabelBMFont::setScale(float scaleX, float scaleY)
{
    CCSpriteBatchNode::setScale(scaleX, scaleY);
    updateLabel();
}

void CCLabelBMFont::setScaleX(float scaleX)
{
    CCSpriteBatchNode::setScaleX(scaleX);
    updateLabel();
}

void CCLabelBMFont::setScaleY(float scaleY)
{
    CCSpriteBatchNode::setScaleY(scaleY);
    updateLabel();
}

float CCLabelBMFont::getLineHeight() const
{
    return m_pConfiguration ? (float)m_pConfiguration->m_nCommonHeight : 0.0f;
}

// Font

void CCLabelBMFont::setFntFile(const char* fntFile)
{
    if (!fntFile || m_sFntFile == fntFile)
    {
        return;
    }
    CCBMFontConfiguration* config = FNTConfigLoadFile(fntFile);
    CCTexture2D* texture = config ? CCTextureCache::sharedTextureCache()->addImage(config->getAtlasName().c_str()) : NULL;
    if (!config || !texture)
    {
        CCLog("ERROR: CCLabelBMFont - can't load font '%s'; keeping '%s'", fntFile, m_sFntFile.c_str());
        return;
    }
    config->retain();
    CC_SAFE_RELEASE(m_pConfiguration);
    m_pConfiguration = config;
    m_sFntFile = fntFile;
    setTexture(texture);
    CCObject* obj = NULL;
    CCARRAY_FOREACH(m_pGlyphs, obj)
    {
        ((CCSprite*)obj)->setTexture(texture);
    }
    updateLabel();
}

void CCLabelBMFont::purgeCachedData()
{
    FNTConfigRemoveCache();
}

// Looks

void CCLabelBMFont::setBlendFunc(ccBlendFunc blendFunc)
{
    CCSpriteBatchNode::setBlendFunc(blendFunc);
    CCObject* obj = NULL;
    CCARRAY_FOREACH(m_pGlyphs, obj)
    {
        ((CCSprite*)obj)->setBlendFunc(blendFunc);
    }
}

void CCLabelBMFont::setColor(const ccColor3B& color)
{
    m_tDisplayedColor = m_tRealColor = color;
    if (m_bCascadeColorEnabled)
    {
        updateDisplayedColor(ccInheritedColor(this));
    }
}

const ccColor3B& CCLabelBMFont::getColor(void)
{
    return m_tRealColor;
}

const ccColor3B& CCLabelBMFont::getDisplayedColor(void)
{
    return m_tDisplayedColor;
}

void CCLabelBMFont::updateDisplayedColor(const ccColor3B& parentColor)
{
    m_tDisplayedColor.r = (GLubyte)(m_tRealColor.r * parentColor.r / 255);
    m_tDisplayedColor.g = (GLubyte)(m_tRealColor.g * parentColor.g / 255);
    m_tDisplayedColor.b = (GLubyte)(m_tRealColor.b * parentColor.b / 255);
    ccCascadeColorToChildren(this, m_tDisplayedColor);
}

bool CCLabelBMFont::isCascadeColorEnabled(void)
{
    return m_bCascadeColorEnabled;
}

void CCLabelBMFont::setCascadeColorEnabled(bool cascadeColorEnabled)
{
    m_bCascadeColorEnabled = cascadeColorEnabled;
}

GLubyte CCLabelBMFont::getOpacity(void)
{
    return m_cRealOpacity;
}

GLubyte CCLabelBMFont::getDisplayedOpacity(void)
{
    return m_cDisplayedOpacity;
}

void CCLabelBMFont::setOpacity(GLubyte opacity)
{
    m_cDisplayedOpacity = m_cRealOpacity = opacity;
    if (m_bCascadeOpacityEnabled)
    {
        updateDisplayedOpacity(ccInheritedOpacity(this));
    }
}

void CCLabelBMFont::updateDisplayedOpacity(GLubyte parentOpacity)
{
    m_cDisplayedOpacity = (GLubyte)(m_cRealOpacity * parentOpacity / 255);
    ccCascadeOpacityToChildren(this, m_cDisplayedOpacity);
}

bool CCLabelBMFont::isCascadeOpacityEnabled(void)
{
    return m_bCascadeOpacityEnabled;
}

void CCLabelBMFont::setCascadeOpacityEnabled(bool cascadeOpacityEnabled)
{
    m_bCascadeOpacityEnabled = cascadeOpacityEnabled;
}

NS_CC_END
