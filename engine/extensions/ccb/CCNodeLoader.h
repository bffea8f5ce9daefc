#ifndef __CC_NODE_LOADER_H__
#define __CC_NODE_LOADER_H__

#include "base/CCGeometry.h"
#include "base/CCObject.h"
#include "base/ccTypes.h"
#include "CCBSelectorResolver.h"

#include <string>

NS_CC_BEGIN
class CCNode;
class CCSpriteFrame;
class CCTexture2D;
NS_CC_END

NS_CC_EXT_BEGIN

class CCBReader;

/** A menu-item selector read from a layout, bound to the object that receives it. */
struct BlockData
{
    cocos2d::SEL_MenuHandler mSELMenuHandler;
    cocos2d::CCObject* mTarget;  ///< weak
};

/** A control selector read from a layout with the events it listens to. */
struct BlockCCControlData
{
    SEL_CCControlHandler mSELCCControlHandler;
    cocos2d::CCObject* mTarget;  ///< weak
    int mControlEvents;
};

/** Declares the usual static factory of a loader: a new, autoreleased instance. */
#define CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(T, METHOD) \
    static T* METHOD() \
    { \
        T* ptr = new T(); \
        ptr->autorelease(); \
        return ptr; \
    }

#define CCB_VIRTUAL_NEW_AUTORELEASE_CREATECCNODE_METHOD(T) \
    virtual T* createCCNode(cocos2d::CCNode* pParent, cocos2d::extension::CCBReader* pCCBReader) \
    { \
        CC_UNUSED_PARAM(pParent); \
        CC_UNUSED_PARAM(pCCBReader); \
        return T::create(); \
    }

/**
 * Makes the node of one layout class and applies its properties. Properties are read by type
 * (parsePropType…) and then handed to onHandlePropType…; a subclass handles its own names and
 * passes the rest to its base. Names nobody handles are logged and skipped.
 *
 * For a step after all of a node's properties, override onPropertiesParsed.
 */
class CCNodeLoader : public cocos2d::CCObject
{
public:
    virtual ~CCNodeLoader() {}
    CCB_STATIC_NEW_AUTORELEASE_OBJECT_METHOD(CCNodeLoader, loader);

    /** createCCNode, then every property, then onPropertiesParsed. NULL when no node was made. */
    virtual cocos2d::CCNode* loadCCNode(cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    virtual void parseProperties(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);

protected:
    virtual cocos2d::CCNode* createCCNode(cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    /** Called once every property of the node has been handled. */
    virtual void onPropertiesParsed(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);

    virtual cocos2d::CCPoint parsePropTypePosition(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader, const char* pPropertyName);
    virtual cocos2d::CCPoint parsePropTypePoint(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    virtual cocos2d::CCPoint parsePropTypePointLock(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    virtual cocos2d::CCSize parsePropTypeSize(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    /** Fills out[2] with the x and y scale. */
    virtual void parsePropTypeScaleLock(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader, const char* pPropertyName, float* out);
    virtual float parsePropTypeFloat(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    virtual float parsePropTypeDegrees(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader, const char* pPropertyName);
    virtual float parsePropTypeFloatScale(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    virtual int parsePropTypeInteger(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    virtual int parsePropTypeIntegerLabeled(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    /** Fills out[2] with the value and its variance. */
    virtual void parsePropTypeFloatVar(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader, float* out);
    virtual void parsePropTypeFloatXY(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader, float* out);
    virtual bool parsePropTypeCheck(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader, const char* pPropertyName);
    /** Reads the sheet and the frame name; NULL when there is no frame. */
    virtual cocos2d::CCSpriteFrame* parsePropTypeSpriteFrame(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader, const char* pPropertyName);
    virtual cocos2d::CCTexture2D* parsePropTypeTexture(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    virtual unsigned char parsePropTypeByte(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader, const char* pPropertyName);
    virtual cocos2d::ccColor3B parsePropTypeColor3(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader, const char* pPropertyName);
    /** Fills out[2]: the colour and its variance. */
    virtual void parsePropTypeColor4FVar(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader, cocos2d::ccColor4F* out);
    /** Fills out[2]: flip x and flip y. */
    virtual void parsePropTypeFlip(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader, bool* out);
    virtual cocos2d::ccBlendFunc parsePropTypeBlendFunc(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    virtual std::string parsePropTypeFntFile(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    virtual std::string parsePropTypeString(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    virtual std::string parsePropTypeText(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    virtual std::string parsePropTypeFontTTF(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    /** The layout's menu-item selector resolved to a target; NULL when nothing binds (caller deletes). */
    virtual BlockData* parsePropTypeBlock(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    /** The layout's control selector; NULL when nothing binds (caller deletes). */
    virtual BlockCCControlData* parsePropTypeBlockCCControl(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);
    /** Reads a sub-document with a nested reader; NULL when it cannot be read. */
    virtual cocos2d::CCNode* parsePropTypeCCBFile(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader);

    virtual void onHandlePropTypePosition(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, cocos2d::CCPoint pPosition, CCBReader* pCCBReader);
    virtual void onHandlePropTypePoint(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, cocos2d::CCPoint pPoint, CCBReader* pCCBReader);
    virtual void onHandlePropTypePointLock(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, cocos2d::CCPoint pPointLock, CCBReader* pCCBReader);
    virtual void onHandlePropTypeSize(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, cocos2d::CCSize pSize, CCBReader* pCCBReader);
    virtual void onHandlePropTypeScaleLock(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, float* pScaleLock, CCBReader* pCCBReader);
    virtual void onHandlePropTypeFloat(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, float pFloat, CCBReader* pCCBReader);
    virtual void onHandlePropTypeDegrees(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, float pDegrees, CCBReader* pCCBReader);
    virtual void onHandlePropTypeFloatScale(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, float pFloatScale, CCBReader* pCCBReader);
    virtual void onHandlePropTypeInteger(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, int pInteger, CCBReader* pCCBReader);
    virtual void onHandlePropTypeIntegerLabeled(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, int pIntegerLabeled, CCBReader* pCCBReader);
    virtual void onHandlePropTypeFloatVar(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, float* pFoatVar, CCBReader* pCCBReader);
    virtual void onHandlePropTypeFloatXY(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, float* pFoatXY, CCBReader* pCCBReader);
    virtual void onHandlePropTypeCheck(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, bool pCheck, CCBReader* pCCBReader);
    virtual void onHandlePropTypeSpriteFrame(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, cocos2d::CCSpriteFrame* pCCSpriteFrame, CCBReader* pCCBReader);
    virtual void onHandlePropTypeAnimation(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, const char* pFile, const char* pAnimation, CCBReader* pCCBReader);
    virtual void onHandlePropTypeTexture(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, cocos2d::CCTexture2D* pCCTexture2D, CCBReader* pCCBReader);
    virtual void onHandlePropTypeByte(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, unsigned char pByte, CCBReader* pCCBReader);
    virtual void onHandlePropTypeColor3(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, cocos2d::ccColor3B pCCColor3B, CCBReader* pCCBReader);
    virtual void onHandlePropTypeColor4FVar(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, cocos2d::ccColor4F* pCCColor4FVar, CCBReader* pCCBReader);
    virtual void onHandlePropTypeFlip(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, bool* pFlip, CCBReader* pCCBReader);
    virtual void onHandlePropTypeBlendFunc(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, cocos2d::ccBlendFunc pCCBlendFunc, CCBReader* pCCBReader);
    virtual void onHandlePropTypeFntFile(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, const char* pFntFile, CCBReader* pCCBReader);
    virtual void onHandlePropTypeString(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, const char* pString, CCBReader* pCCBReader);
    virtual void onHandlePropTypeText(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, const char* pText, CCBReader* pCCBReader);
    virtual void onHandlePropTypeFontTTF(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, const char* pFontTTF, CCBReader* pCCBReader);
    virtual void onHandlePropTypeBlock(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, BlockData* pBlockData, CCBReader* pCCBReader);
    virtual void onHandlePropTypeBlockCCControl(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, BlockCCControlData* pBlockCCControlData, CCBReader* pCCBReader);
    virtual void onHandlePropTypeCCBFile(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, const char* pPropertyName, cocos2d::CCNode* pCCBFileNode, CCBReader* pCCBReader);

    /** Logs "Unexpected property: '<name>'!" for a property this loader does not know. */
    static void logUnexpectedProperty(const char* pPropertyName);

private:
    void parseOneProperty(cocos2d::CCNode* pNode, cocos2d::CCNode* pParent, CCBReader* pCCBReader, int type,
                          const char* name, bool apply);
};

NS_CC_EXT_END

#endif // __CC_NODE_LOADER_H__
