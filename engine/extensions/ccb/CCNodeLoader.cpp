#include "CCNodeLoader.h"

#include "CCBAnimationManager.h"
#include "CCBDocumentDecoder.h"
#include "CCBReader.h"
#include "base/CCConsole.h"
#include "nodes/CCNode.h"
#include "sprites/CCSpriteFrame.h"
#include "sprites/CCTexture2D.h"
#include "sprites/CCTextureCache.h"
#include "support/CCFileUtils.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

namespace
{
// Sub-documents nested deeper than this are taken for files that include each other.
const int kMaxSubDocumentDepth = 16;
} // namespace

void CCNodeLoader::logUnexpectedProperty(const char* pPropertyName)
{
    CCLog("Unexpected property: '%s'!", pPropertyName ? pPropertyName : "");
}

CCNode* CCNodeLoader::createCCNode(CCNode* pParent, CCBReader* pCCBReader)
{
    CC_UNUSED_PARAM(pParent);
    CC_UNUSED_PARAM(pCCBReader);
    return CCNode::create();
}

CCNode* CCNodeLoader::loadCCNode(CCNode* pParent, CCBReader* pCCBReader)
{
    CCNode* node = createCCNode(pParent, pCCBReader);
    if (!node) return NULL;
    parseProperties(node, pParent, pCCBReader);
    if (pCCBReader->getDataReader()->hasFailed()) return NULL;
    onPropertiesParsed(node, pParent, pCCBReader);
    return node;
}

void CCNodeLoader::onPropertiesParsed(CCNode*, CCNode*, CCBReader*)
{
}

void CCNodeLoader::parseProperties(CCNode* pNode, CCNode* pParent, CCBReader* pCCBReader)
{
    CCBDataReader& in = *pCCBReader->getDataReader();
    int regular = in.readCount("properties");
    int extra = in.readCount("custom properties");
    for (int i = 0; i < regular + extra && !in.hasFailed(); ++i)
    {
        int type = in.readInt(false);
        std::string name = in.readCachedString();
        int platform = in.readByte();
        if (in.hasFailed()) return;

        // Find where the value ends first: a loader that reads too much or too little must not
        // throw the rest of the layout out of step.
        CCBDataReader ahead = CCBDataReader::lookAhead(in);
        CCBValueData value(type);
        CCBDocumentDecoder::readValue(ahead, value);
        if (ahead.hasFailed())
        {
            in.seekTo(ahead);
            return;
        }
        if (platform != kCCBPlatformAll)
        {
            in.seekTo(ahead);  // meant for another platform
            continue;
        }
        parseOneProperty(pNode, pParent, pCCBReader, type, name.c_str(), true);
        if (in.hasFailed()) return;
        if (in.getPosition() != ahead.getPosition())
        {
            CCLog("CCNodeLoader - property '%s' was read with the wrong length", name.c_str());
            in.seekTo(ahead);
        }
        if (pCCBReader->isAnimatedProperty(name.c_str()) && ccbKeyframeTypeHasValue(type))
        {
            pCCBReader->getAnimationManager()->setBaseValue(value, pNode, name.c_str());
        }
    }
}

void CCNodeLoader::parseOneProperty(CCNode* pNode, CCNode* pParent, CCBReader* r, int type, const char* name, bool apply)
{
    switch (type)
    {
    case kCCBPropTypePosition:
    {
        CCPoint v = parsePropTypePosition(pNode, pParent, r, name);
        if (apply) onHandlePropTypePosition(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypePoint:
    {
        CCPoint v = parsePropTypePoint(pNode, pParent, r);
        if (apply) onHandlePropTypePoint(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypePointLock:
    {
        CCPoint v = parsePropTypePointLock(pNode, pParent, r);
        if (apply) onHandlePropTypePointLock(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypeSize:
    {
        CCSize v = parsePropTypeSize(pNode, pParent, r);
        if (apply) onHandlePropTypeSize(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypeScaleLock:
    {
        float v[2] = { 1, 1 };
        parsePropTypeScaleLock(pNode, pParent, r, name, v);
        if (apply) onHandlePropTypeScaleLock(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypeFloat:
    {
        float v = parsePropTypeFloat(pNode, pParent, r);
        if (apply) onHandlePropTypeFloat(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypeDegrees:
    {
        float v = parsePropTypeDegrees(pNode, pParent, r, name);
        if (apply) onHandlePropTypeDegrees(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypeFloatScale:
    {
        float v = parsePropTypeFloatScale(pNode, pParent, r);
        if (apply) onHandlePropTypeFloatScale(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypeInteger:
    {
        int v = parsePropTypeInteger(pNode, pParent, r);
        if (apply) onHandlePropTypeInteger(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypeIntegerLabeled:
    {
        int v = parsePropTypeIntegerLabeled(pNode, pParent, r);
        if (apply) onHandlePropTypeIntegerLabeled(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypeFloatVar:
    {
        float v[2] = { 0, 0 };
        parsePropTypeFloatVar(pNode, pParent, r, v);
        if (apply) onHandlePropTypeFloatVar(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypeFloatXY:
    {
        float v[2] = { 0, 0 };
        parsePropTypeFloatXY(pNode, pParent, r, v);
        if (apply) onHandlePropTypeFloatXY(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypeCheck:
    {
        bool v = parsePropTypeCheck(pNode, pParent, r, name);
        if (apply) onHandlePropTypeCheck(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypeSpriteFrame:
    {
        CCSpriteFrame* v = parsePropTypeSpriteFrame(pNode, pParent, r, name);
        if (apply) onHandlePropTypeSpriteFrame(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypeAnimation:
    {
        std::string file = r->readCachedString();
        std::string animation = r->readCachedString();
        if (apply) onHandlePropTypeAnimation(pNode, pParent, name, file.c_str(), animation.c_str(), r);
        break;
    }
    case kCCBPropTypeTexture:
    {
        CCTexture2D* v = parsePropTypeTexture(pNode, pParent, r);
        if (apply) onHandlePropTypeTexture(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypeByte:
    {
        unsigned char v = parsePropTypeByte(pNode, pParent, r, name);
        if (apply) onHandlePropTypeByte(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypeColor3:
    {
        ccColor3B v = parsePropTypeColor3(pNode, pParent, r, name);
        if (apply) onHandlePropTypeColor3(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypeColor4FVar:
    {
        ccColor4F v[2];
        parsePropTypeColor4FVar(pNode, pParent, r, v);
        if (apply) onHandlePropTypeColor4FVar(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypeFlip:
    {
        bool v[2] = { false, false };
        parsePropTypeFlip(pNode, pParent, r, v);
        if (apply) onHandlePropTypeFlip(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypeBlendmode:
    {
        ccBlendFunc v = parsePropTypeBlendFunc(pNode, pParent, r);
        if (apply) onHandlePropTypeBlendFunc(pNode, pParent, name, v, r);
        break;
    }
    case kCCBPropTypeFntFile:
    {
        std::string v = parsePropTypeFntFile(pNode, pParent, r);
        if (apply) onHandlePropTypeFntFile(pNode, pParent, name, v.c_str(), r);
        break;
    }
    case kCCBPropTypeFontTTF:
    {
        std::string v = parsePropTypeFontTTF(pNode, pParent, r);
        if (apply) onHandlePropTypeFontTTF(pNode, pParent, name, v.c_str(), r);
        break;
    }
    case kCCBPropTypeString:
    {
        std::string v = parsePropTypeString(pNode, pParent, r);
        if (apply) onHandlePropTypeString(pNode, pParent, name, v.c_str(), r);
        break;
    }
    case kCCBPropTypeText:
    {
        std::string v = parsePropTypeText(pNode, pParent, r);
        if (apply) onHandlePropTypeText(pNode, pParent, name, v.c_str(), r);
        break;
    }
    case kCCBPropTypeBlock:
    {
        BlockData* v = parsePropTypeBlock(pNode, pParent, r);
        if (apply) onHandlePropTypeBlock(pNode, pParent, name, v, r);
        delete v;
        break;
    }
    case kCCBPropTypeBlockCCControl:
    {
        BlockCCControlData* v = parsePropTypeBlockCCControl(pNode, pParent, r);
        if (apply) onHandlePropTypeBlockCCControl(pNode, pParent, name, v, r);
        delete v;
        break;
    }
    case kCCBPropTypeCCBFile:
    {
        CCNode* v = parsePropTypeCCBFile(pNode, pParent, r);
        if (apply && v) onHandlePropTypeCCBFile(pNode, pParent, name, v, r);
        break;
    }
    default: r->getDataReader()->fail("unknown property type"); break;
    }
}

// Reading ---------------------------------------------------------------------------------

CCPoint CCNodeLoader::parsePropTypePosition(CCNode* pNode, CCNode* pParent, CCBReader* r, const char* pPropertyName)
{
    CC_UNUSED_PARAM(pNode);
    CC_UNUSED_PARAM(pPropertyName);
    float x = r->readFloat();
    float y = r->readFloat();
    int type = r->readInt(false);
    return CCBReader::getAbsolutePosition(ccp(x, y), type, r->getAnimationManager()->getContainerSize(pParent));
}

CCPoint CCNodeLoader::parsePropTypePoint(CCNode*, CCNode*, CCBReader* r)
{
    float x = r->readFloat();
    float y = r->readFloat();
    return ccp(x, y);
}

CCPoint CCNodeLoader::parsePropTypePointLock(CCNode*, CCNode*, CCBReader* r)
{
    float x = r->readFloat();
    float y = r->readFloat();
    return ccp(x, y);
}

CCSize CCNodeLoader::parsePropTypeSize(CCNode*, CCNode* pParent, CCBReader* r)
{
    float w = r->readFloat();
    float h = r->readFloat();
    int type = r->readInt(false);
    return CCBReader::getAbsoluteSize(CCSizeMake(w, h), type, r->getAnimationManager()->getContainerSize(pParent));
}

void CCNodeLoader::parsePropTypeScaleLock(CCNode*, CCNode*, CCBReader* r, const char*, float* out)
{
    float x = r->readFloat();
    float y = r->readFloat();
    int type = r->readInt(false);
    if (type == kCCBScaleTypeMultiplyResolution)
    {
        x *= CCBReader::getResolutionScale();
        y *= CCBReader::getResolutionScale();
    }
    out[0] = x;
    out[1] = y;
}

float CCNodeLoader::parsePropTypeFloat(CCNode*, CCNode*, CCBReader* r)
{
    return r->readFloat();
}

float CCNodeLoader::parsePropTypeDegrees(CCNode*, CCNode*, CCBReader* r, const char*)
{
    return r->readFloat();
}

float CCNodeLoader::parsePropTypeFloatScale(CCNode*, CCNode*, CCBReader* r)
{
    float f = r->readFloat();
    int type = r->readInt(false);
    return type == kCCBScaleTypeMultiplyResolution ? f * CCBReader::getResolutionScale() : f;
}

int CCNodeLoader::parsePropTypeInteger(CCNode*, CCNode*, CCBReader* r)
{
    return r->readInt(true);
}

int CCNodeLoader::parsePropTypeIntegerLabeled(CCNode*, CCNode*, CCBReader* r)
{
    return r->readInt(true);
}

void CCNodeLoader::parsePropTypeFloatVar(CCNode*, CCNode*, CCBReader* r, float* out)
{
    out[0] = r->readFloat();
    out[1] = r->readFloat();
}

void CCNodeLoader::parsePropTypeFloatXY(CCNode*, CCNode*, CCBReader* r, float* out)
{
    out[0] = r->readFloat();
    out[1] = r->readFloat();
}

bool CCNodeLoader::parsePropTypeCheck(CCNode*, CCNode*, CCBReader* r, const char*)
{
    return r->readBool();
}

CCSpriteFrame* CCNodeLoader::parsePropTypeSpriteFrame(CCNode*, CCNode*, CCBReader* r, const char*)
{
    std::string sheet = r->readCachedString();
    std::string file = r->readCachedString();
    if (file.empty()) return NULL;
    return CCBReader::loadSpriteFrame(sheet.c_str(), file.c_str(), r->getCCBRootPath().c_str());
}

CCTexture2D* CCNodeLoader::parsePropTypeTexture(CCNode*, CCNode*, CCBReader* r)
{
    std::string file = r->readCachedString();
    if (file.empty()) return NULL;
    if (CCFileUtils::sharedFileUtils()->fullPathForContentName(file, "CCBReader texture").empty()) return NULL;
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage((r->getCCBRootPath() + file).c_str());
    if (!texture) CCLog("CCBReader - missing texture '%s'", file.c_str());
    return texture;
}

unsigned char CCNodeLoader::parsePropTypeByte(CCNode*, CCNode*, CCBReader* r, const char*)
{
    return r->readByte();
}

ccColor3B CCNodeLoader::parsePropTypeColor3(CCNode*, CCNode*, CCBReader* r, const char*)
{
    unsigned char red = r->readByte();
    unsigned char green = r->readByte();
    unsigned char blue = r->readByte();
    return ccc3(red, green, blue);
}

void CCNodeLoader::parsePropTypeColor4FVar(CCNode*, CCNode*, CCBReader* r, ccColor4F* out)
{
    for (int i = 0; i < 2; ++i)
    {
        out[i].r = r->readFloat();
        out[i].g = r->readFloat();
        out[i].b = r->readFloat();
        out[i].a = r->readFloat();
    }
}

void CCNodeLoader::parsePropTypeFlip(CCNode*, CCNode*, CCBReader* r, bool* out)
{
    out[0] = r->readBool();
    out[1] = r->readBool();
}

ccBlendFunc CCNodeLoader::parsePropTypeBlendFunc(CCNode*, CCNode*, CCBReader* r)
{
    ccBlendFunc blend;
    blend.src = (GLenum)r->readInt(false);
    blend.dst = (GLenum)r->readInt(false);
    return blend;
}

std::string CCNodeLoader::parsePropTypeFntFile(CCNode*, CCNode*, CCBReader* r)
{
    return r->readCachedString();
}

std::string CCNodeLoader::parsePropTypeString(CCNode*, CCNode*, CCBReader* r)
{
    return r->readCachedString();
}

std::string CCNodeLoader::parsePropTypeText(CCNode*, CCNode*, CCBReader* r)
{
    return r->readCachedString();
}

std::string CCNodeLoader::parsePropTypeFontTTF(CCNode*, CCNode*, CCBReader* r)
{
    return r->readCachedString();
}

namespace
{
CCObject* blockBase(int targetType, CCBReader* r)
{
    if (targetType == kCCBTargetTypeDocumentRoot) return r->getAnimationManager()->getRootNode();
    if (targetType == kCCBTargetTypeOwner) return r->getOwner();
    return NULL;
}
} // namespace

// The base (document root or owner) resolves first when it is a resolver, then the reader's
// own resolver; the block's target is whatever object the resolver hands back.
BlockData* CCNodeLoader::parsePropTypeBlock(CCNode*, CCNode*, CCBReader* r)
{
    std::string name = r->readCachedString();
    int targetType = r->readInt(false);
    if (targetType == kCCBTargetTypeNone) return NULL;
    CCObject* base = blockBase(targetType, r);
    if (!base || name.empty()) return NULL;

    CCBSelectorResolver* resolvers[2] = { dynamic_cast<CCBSelectorResolver*>(base), r->getCCBSelectorResolver() };
    for (int i = 0; i < 2; ++i)
    {
        if (!resolvers[i]) continue;
        CCObject* target = resolvers[i]->onResolveCCBSelectorTarget(name.c_str());
        SEL_MenuHandler selector = resolvers[i]->onResolveCCBCCMenuItemSelector(target, name.c_str());
        if (selector)
        {
            BlockData* block = new BlockData();
            block->mSELMenuHandler = selector;
            block->mTarget = target;
            return block;
        }
    }
    return NULL;
}

BlockCCControlData* CCNodeLoader::parsePropTypeBlockCCControl(CCNode*, CCNode*, CCBReader* r)
{
    std::string name = r->readCachedString();
    int targetType = r->readInt(false);
    int events = r->readInt(false);
    if (targetType == kCCBTargetTypeNone) return NULL;
    CCObject* base = blockBase(targetType, r);
    if (!base || name.empty()) return NULL;

    SEL_CCControlHandler selector = NULL;
    if (CCBSelectorResolver* own = dynamic_cast<CCBSelectorResolver*>(base))
    {
        selector = own->onResolveCCBCCControlSelector(base, name.c_str());
    }
    if (!selector && r->getCCBSelectorResolver())
    {
        selector = r->getCCBSelectorResolver()->onResolveCCBCCControlSelector(base, name.c_str());
    }
    if (!selector) return NULL;
    BlockCCControlData* block = new BlockCCControlData();
    block->mSELCCControlHandler = selector;
    block->mTarget = base;
    block->mControlEvents = events;
    return block;
}

CCNode* CCNodeLoader::parsePropTypeCCBFile(CCNode*, CCNode* pParent, CCBReader* r)
{
    std::string file = r->readCachedString();
    if (file.empty()) return NULL;
    // Layouts name ".ccb" sources; the compiled file beside them is ".ccbi".
    if (file.size() >= 4 && file.compare(file.size() - 4, 4, ".ccb") == 0) file += "i";
    if (CCFileUtils::sharedFileUtils()->fullPathForContentName(file, "CCBReader sub-document").empty()) return NULL;
    if (r->getNestingDepth() >= kMaxSubDocumentDepth)
    {
        r->getDataReader()->fail(("sub-documents nested too deeply at '" + file + "'").c_str());
        return NULL;
    }
    CCBReader* sub = new CCBReader(r);
    sub->autorelease();
    CCSize size = pParent ? pParent->getContentSize() : r->getAnimationManager()->getRootContainerSize();
    CCNode* node = sub->readNodeGraphFromFile(file.c_str(), r->getOwner(), size);
    if (!node)
    {
        r->getDataReader()->fail(("sub-document '" + file + "' could not be read").c_str());
        return NULL;
    }
    r->adoptAnimationManagers(sub);
    return node;
}

// Applying: the node's own properties ----------------------------------------------------

void CCNodeLoader::onHandlePropTypePosition(CCNode* pNode, CCNode*, const char* name, CCPoint v, CCBReader*)
{
    if (std::strcmp(name, "position") == 0) pNode->setPosition(v);
    else logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypePoint(CCNode* pNode, CCNode*, const char* name, CCPoint v, CCBReader*)
{
    if (std::strcmp(name, "anchorPoint") == 0) pNode->setAnchorPoint(v);
    else logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypePointLock(CCNode*, CCNode*, const char* name, CCPoint, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeSize(CCNode* pNode, CCNode*, const char* name, CCSize v, CCBReader*)
{
    if (std::strcmp(name, "contentSize") == 0) pNode->setContentSize(v);
    else logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeScaleLock(CCNode* pNode, CCNode*, const char* name, float* v, CCBReader*)
{
    if (std::strcmp(name, "scale") == 0)
    {
        pNode->setScaleX(v[0]);
        pNode->setScaleY(v[1]);
    }
    else logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeFloat(CCNode*, CCNode*, const char* name, float, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeDegrees(CCNode* pNode, CCNode*, const char* name, float v, CCBReader*)
{
    if (std::strcmp(name, "rotation") == 0) pNode->setRotation(v);
    else logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeFloatScale(CCNode*, CCNode*, const char* name, float, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeInteger(CCNode* pNode, CCNode*, const char* name, int v, CCBReader*)
{
    if (std::strcmp(name, "tag") == 0) pNode->setTag(v);
    else logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeIntegerLabeled(CCNode*, CCNode*, const char* name, int, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeFloatVar(CCNode*, CCNode*, const char* name, float*, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeFloatXY(CCNode* pNode, CCNode*, const char* name, float* v, CCBReader*)
{
    if (std::strcmp(name, "skew") == 0)
    {
        pNode->setSkewX(v[0]);
        pNode->setSkewY(v[1]);
    }
    else logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeCheck(CCNode* pNode, CCNode*, const char* name, bool v, CCBReader*)
{
    if (std::strcmp(name, "visible") == 0) pNode->setVisible(v);
    else if (std::strcmp(name, "ignoreAnchorPointForPosition") == 0) pNode->ignoreAnchorPointForPosition(v);
    else logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeSpriteFrame(CCNode*, CCNode*, const char* name, CCSpriteFrame*, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeAnimation(CCNode*, CCNode*, const char* name, const char*, const char*, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeTexture(CCNode*, CCNode*, const char* name, CCTexture2D*, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeByte(CCNode*, CCNode*, const char* name, unsigned char, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeColor3(CCNode*, CCNode*, const char* name, ccColor3B, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeColor4FVar(CCNode*, CCNode*, const char* name, ccColor4F*, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeFlip(CCNode*, CCNode*, const char* name, bool*, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeBlendFunc(CCNode*, CCNode*, const char* name, ccBlendFunc, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeFntFile(CCNode*, CCNode*, const char* name, const char*, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeString(CCNode*, CCNode*, const char* name, const char*, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeText(CCNode*, CCNode*, const char* name, const char*, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeFontTTF(CCNode*, CCNode*, const char* name, const char*, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeBlock(CCNode*, CCNode*, const char* name, BlockData*, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeBlockCCControl(CCNode*, CCNode*, const char* name, BlockCCControlData*, CCBReader*)
{
    logUnexpectedProperty(name);
}

void CCNodeLoader::onHandlePropTypeCCBFile(CCNode*, CCNode*, const char* name, CCNode*, CCBReader*)
{
    logUnexpectedProperty(name);
}

NS_CC_EXT_END
