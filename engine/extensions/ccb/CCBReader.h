#ifndef __CCB_READER_H__
#define __CCB_READER_H__

#include "base/CCArray.h"
#include "base/CCGeometry.h"
#include "base/CCObject.h"
#include "CCBDataReader.h"
#include "CCBDocument.h"

#include <set>
#include <string>
#include <vector>

NS_CC_BEGIN
class CCNode;
class CCSpriteFrame;
NS_CC_END

NS_CC_EXT_BEGIN

class CCBAnimationManager;
class CCBMemberVariableAssigner;
class CCBSelectorResolver;
class CCNodeLoader;
class CCNodeLoaderLibrary;
class CCNodeLoaderListener;

/**
 * Builds a node graph from a .ccbi layout through a loader library, binds members and selectors
 * and hands the timelines to an animation manager. A malformed, truncated or missing file gives
 * NULL and a logged reason; the reader never reads past its buffer.
 */
class CCBReader : public cocos2d::CCObject
{
public:
    CCBReader(CCNodeLoaderLibrary* pCCNodeLoaderLibrary, CCBMemberVariableAssigner* pCCBMemberVariableAssigner = NULL,
              CCBSelectorResolver* pCCBSelectorResolver = NULL, CCNodeLoaderListener* pCCNodeLoaderListener = NULL);
    /** A reader for a sub-document: same library, owner, assigner and resolver. */
    explicit CCBReader(CCBReader* pCCBReader);
    virtual ~CCBReader();

    /** Appends ".ccbi" when missing; the parent size is the window size. */
    cocos2d::CCNode* readNodeGraphFromFile(const char* pCCBFileName, cocos2d::CCObject* pOwner = NULL);
    cocos2d::CCNode* readNodeGraphFromFile(const char* pCCBFileName, cocos2d::CCObject* pOwner,
                                           const cocos2d::CCSize& parentSize);
    cocos2d::CCNode* readNodeGraphFromData(const unsigned char* pBytes, unsigned long size, cocos2d::CCObject* pOwner,
                                           const cocos2d::CCSize& parentSize);

    /** Multiplies the layout values marked as scaled (positions, sizes, scales, float scales). */
    static void setResolutionScale(float scale);
    static float getResolutionScale();

    /** The manager of the document read; it exists from construction. */
    CCBAnimationManager* getAnimationManager() { return m_pAnimationManager; }
    void setAnimationManager(CCBAnimationManager* pAnimationManager);
    /** Pairs of nodes and their documents' managers: the root and every sub-document root. */
    cocos2d::CCArray* getAnimationManagersForNodes() { return m_pAnimationManagersForNodes; }
    cocos2d::CCArray* getNodesWithAnimationManagers() { return m_pNodesWithAnimationManagers; }
    /** The manager of the document whose root is that node, or NULL. */
    CCBAnimationManager* getAnimationManagerForNode(cocos2d::CCNode* pNode);
    /** Takes over the node and manager pairs of a sub-document's reader. */
    void adoptAnimationManagers(CCBReader* pSubReader);
    /** 0 for a top-level reader, one more for each sub-document level. */
    int getNestingDepth() { return m_nDepth; }

    cocos2d::CCObject* getOwner() { return m_pOwner; }
    CCBMemberVariableAssigner* getCCBMemberVariableAssigner() { return m_pCCBMemberVariableAssigner; }
    CCBSelectorResolver* getCCBSelectorResolver() { return m_pCCBSelectorResolver; }
    CCNodeLoaderLibrary* getCCNodeLoaderLibrary() { return m_pCCNodeLoaderLibrary; }
    /** Script-controlled documents are read as plain ones here. */
    bool isJSControlled() { return false; }
    /** Folder prepended to the files a layout names (sheets, textures, fonts, sub-documents). */
    const std::string& getCCBRootPath() { return m_rootPath; }
    void setCCBRootPath(const char* pRootPath) { m_rootPath = pRootPath ? pRootPath : ""; }

    /** Names of the properties of the node being read that some timeline animates. */
    const std::set<std::string>& getAnimatedProperties() { return m_animatedProperties; }
    bool isAnimatedProperty(const char* pName) { return pName && m_animatedProperties.count(pName) > 0; }

    // Reads from the layout for loaders (bounds-checked; past the end they give zero values and
    // the whole read fails).
    int readInt(bool bSigned) { return m_pData->readInt(bSigned); }
    float readFloat() { return m_pData->readFloat(); }
    unsigned char readByte() { return m_pData->readByte(); }
    bool readBool() { return m_pData->readBool(); }
    std::string readCachedString() { return m_pData->readCachedString(); }
    CCBDataReader* getDataReader() { return m_pData; }

    /** Resolves a position of the given kind against a container size. */
    static cocos2d::CCPoint getAbsolutePosition(const cocos2d::CCPoint& pt, int type, const cocos2d::CCSize& containerSize);
    /** The inverse of getAbsolutePosition. */
    static cocos2d::CCPoint getRelativePosition(const cocos2d::CCPoint& pt, int type, const cocos2d::CCSize& containerSize);
    static cocos2d::CCSize getAbsoluteSize(const cocos2d::CCSize& size, int type, const cocos2d::CCSize& containerSize);
    /**
     * The frame a layout names: a plain image when the sheet is empty, else a frame of the sheet
     * (loaded into the frame cache on first use). NULL, with a log line, when missing.
     */
    static cocos2d::CCSpriteFrame* loadSpriteFrame(const char* pSheet, const char* pFile, const char* pRootPath);

private:
    void init(CCNodeLoaderLibrary* library, CCBMemberVariableAssigner* assigner, CCBSelectorResolver* resolver,
              CCNodeLoaderListener* listener);
    cocos2d::CCNode* readNodeGraph(cocos2d::CCNode* pParent);
    void assignMember(cocos2d::CCNode* node, int type, const std::string& name);
    void addAnimationManager(cocos2d::CCNode* node, CCBAnimationManager* manager);
    void fail(const char* reason);

    CCNodeLoaderLibrary* m_pCCNodeLoaderLibrary;        ///< retained
    CCBMemberVariableAssigner* m_pCCBMemberVariableAssigner;
    CCBSelectorResolver* m_pCCBSelectorResolver;
    CCNodeLoaderListener* m_pCCNodeLoaderListener;
    cocos2d::CCObject* m_pOwner;                         ///< retained while reading and after
    CCBAnimationManager* m_pAnimationManager;           ///< retained
    cocos2d::CCArray* m_pAnimationManagersForNodes;     ///< retained
    cocos2d::CCArray* m_pNodesWithAnimationManagers;    ///< retained
    CCBDataReader* m_pData;                             ///< only while reading
    std::string m_fileName;
    std::string m_rootPath;
    std::set<std::string> m_animatedProperties;
    bool m_bJSControlled;
    int m_nDepth;
};

NS_CC_EXT_END

#endif // __CCB_READER_H__
