#include "CCBReader.h"

#include "CCBAnimationManager.h"
#include "CCBDocumentDecoder.h"
#include "CCBFileLoader.h"
#include "CCBMemberVariableAssigner.h"
#include "CCNodeLoader.h"
#include "CCNodeLoaderLibrary.h"
#include "CCNodeLoaderListener.h"
#include "base/CCConsole.h"
#include "nodes/CCDirector.h"
#include "nodes/CCNode.h"
#include "sprites/CCSpriteFrame.h"
#include "sprites/CCSpriteFrameCache.h"
#include "sprites/CCTexture2D.h"
#include "sprites/CCTextureCache.h"
#include "support/CCFileUtils.h"

USING_NS_CC;

NS_CC_EXT_BEGIN

namespace
{
float s_resolutionScale = 1.0f;
} // namespace

CCBReader::CCBReader(CCNodeLoaderLibrary* library, CCBMemberVariableAssigner* assigner, CCBSelectorResolver* resolver,
                     CCNodeLoaderListener* listener)
    : m_pOwner(NULL), m_nDepth(0)
{
    init(library, assigner, resolver, listener);
}

CCBReader::CCBReader(CCBReader* parent) : m_pOwner(NULL), m_nDepth(0)
{
    init(parent ? parent->m_pCCNodeLoaderLibrary : NULL, parent ? parent->m_pCCBMemberVariableAssigner : NULL,
         parent ? parent->m_pCCBSelectorResolver : NULL, parent ? parent->m_pCCNodeLoaderListener : NULL);
    if (parent)
    {
        m_pOwner = parent->m_pOwner;
        m_rootPath = parent->m_rootPath;
        m_nDepth = parent->m_nDepth + 1;
    }
}

void CCBReader::init(CCNodeLoaderLibrary* library, CCBMemberVariableAssigner* assigner, CCBSelectorResolver* resolver,
                     CCNodeLoaderListener* listener)
{
    m_pCCNodeLoaderLibrary = library;
    CC_SAFE_RETAIN(m_pCCNodeLoaderLibrary);
    m_pCCBMemberVariableAssigner = assigner;
    m_pCCBSelectorResolver = resolver;
    m_pCCNodeLoaderListener = listener;
    m_pAnimationManager = new CCBAnimationManager();
    m_pAnimationManagersForNodes = new CCArray();
    m_pNodesWithAnimationManagers = new CCArray();
    m_pData = NULL;
    m_bJSControlled = false;
}

CCBReader::~CCBReader()
{
    CC_SAFE_RELEASE(m_pCCNodeLoaderLibrary);
    CC_SAFE_RELEASE(m_pAnimationManager);
    CC_SAFE_RELEASE(m_pAnimationManagersForNodes);
    CC_SAFE_RELEASE(m_pNodesWithAnimationManagers);
    delete m_pData;
}

void CCBReader::setResolutionScale(float scale)
{
    s_resolutionScale = scale;
}

float CCBReader::getResolutionScale()
{
    return s_resolutionScale;
}

void CCBReader::setAnimationManager(CCBAnimationManager* pAnimationManager)
{
    CC_SAFE_RETAIN(pAnimationManager);
    CC_SAFE_RELEASE(m_pAnimationManager);
    m_pAnimationManager = pAnimationManager;
}

CCBAnimationManager* CCBReader::getAnimationManagerForNode(CCNode* pNode)
{
    unsigned int count = m_pNodesWithAnimationManagers->count();
    for (unsigned int i = 0; pNode && i < count; ++i)
    {
        if (m_pNodesWithAnimationManagers->objectAtIndex(i) == pNode)
        {
            return static_cast<CCBAnimationManager*>(m_pAnimationManagersForNodes->objectAtIndex(i));
        }
    }
    return NULL;
}

void CCBReader::adoptAnimationManagers(CCBReader* pSubReader)
{
    if (!pSubReader || pSubReader == this) return;
    m_pNodesWithAnimationManagers->addObjectsFromArray(pSubReader->m_pNodesWithAnimationManagers);
    m_pAnimationManagersForNodes->addObjectsFromArray(pSubReader->m_pAnimationManagersForNodes);
}

void CCBReader::addAnimationManager(CCNode* node, CCBAnimationManager* manager)
{
    m_pNodesWithAnimationManagers->addObject(node);
    m_pAnimationManagersForNodes->addObject(manager);
}

CCNode* CCBReader::readNodeGraphFromFile(const char* pCCBFileName, CCObject* pOwner)
{
    return readNodeGraphFromFile(pCCBFileName, pOwner, CCDirector::sharedDirector()->getWinSize());
}

CCNode* CCBReader::readNodeGraphFromFile(const char* pCCBFileName, CCObject* pOwner, const CCSize& parentSize)
{
    if (!pCCBFileName || !*pCCBFileName)
    {
        CCLog("CCBReader - no layout file named");
        return NULL;
    }
    std::string name = pCCBFileName;
    const std::string extension = ".ccbi";
    if (name.size() < extension.size() || name.compare(name.size() - extension.size(), extension.size(), extension) != 0)
    {
        name += extension;
    }
    std::string path = CCFileUtils::sharedFileUtils()->fullPathForFilename((m_rootPath + name).c_str());
    unsigned long size = 0;
    unsigned char* bytes = CCFileUtils::sharedFileUtils()->getFileData(path.c_str(), "rb", &size);
    if (!bytes)
    {
        CCLog("CCBReader - cannot open layout '%s'", name.c_str());
        return NULL;
    }
    m_fileName = name;
    CCNode* node = readNodeGraphFromData(bytes, size, pOwner, parentSize);
    m_fileName.clear();
    delete[] bytes;
    return node;
}

void CCBReader::fail(const char* reason)
{
    if (m_pData) m_pData->fail(reason);
}

CCNode* CCBReader::readNodeGraphFromData(const unsigned char* pBytes, unsigned long size, CCObject* pOwner,
                                         const CCSize& parentSize)
{
    const char* name = m_fileName.empty() ? "(data)" : m_fileName.c_str();
    if (m_pData)
    {
        CCLog("CCBReader - '%s' is read while another read is running", name);
        return NULL;
    }
    // Check the whole document first, so nothing is built from a damaged file.
    CCBDocumentData document;
    if (!CCBDocumentDecoder::decode(pBytes, size, name, document)) return NULL;

    m_pOwner = pOwner;
    CC_SAFE_RETAIN(pOwner);  // only while reading: a screen keeps its reader, so no cycle afterwards
    m_pData = new CCBDataReader(pBytes, size);
    m_pData->readHeader(&m_bJSControlled);
    m_pData->readStringCache();
    CCBDocumentData sequences;
    CCBDocumentDecoder::readSequences(*m_pData, sequences);

    m_pAnimationManager->setRootContainerSize(parentSize);
    m_pAnimationManager->setCCBRootPath(m_rootPath);
    m_pAnimationManager->setSequences(sequences.sequences);
    m_pAnimationManager->setAutoPlaySequenceId(sequences.autoPlaySequenceId);

    CCNode* root = readNodeGraph(NULL);
    if (m_pData->hasFailed() || !root)
    {
        if (m_pData->hasFailed()) CCLog("CCBReader - cannot read '%s': %s", name, m_pData->getFailureReason().c_str());
        root = NULL;
        m_pAnimationManager->clearNodes();
        CCNode* half = m_pAnimationManager->getRootNode();
        m_pAnimationManager->setRootNode(NULL);
        CC_SAFE_RELEASE(half);
        m_pNodesWithAnimationManagers->removeAllObjects();
        m_pAnimationManagersForNodes->removeAllObjects();
    }
    else
    {
        addAnimationManager(root, m_pAnimationManager);
        if (m_pAnimationManager->getAutoPlaySequenceId() != -1)
        {
            m_pAnimationManager->runAnimationsForSequenceIdTweenDuration(m_pAnimationManager->getAutoPlaySequenceId(), 0);
        }
    }
    delete m_pData;
    m_pData = NULL;
    m_animatedProperties.clear();
    CC_SAFE_RELEASE(pOwner);
    return root;
}

// A node left out of a failed read may have scheduled itself (particles do) and the scheduler
// would keep it, ticking, for ever; cleaning it lets it go with its children.
static CCNode* dropNode(CCNode* node)
{
    if (node) node->cleanup();
    return NULL;
}

CCNode* CCBReader::readNodeGraph(CCNode* pParent)
{
    CCBDataReader& in = *m_pData;
    std::string className = in.readCachedString();
    if (m_bJSControlled) in.readCachedString();
    int memberType = in.readInt(false);
    std::string memberName;
    if (memberType != 0) memberName = in.readCachedString();

    std::vector<CCBNodeSequenceData> sequences;
    int sequenceCount = in.readCount("node sequences");
    std::set<std::string> animated;
    for (int s = 0; s < sequenceCount && !in.hasFailed(); ++s)
    {
        CCBNodeSequenceData seq;
        seq.sequenceId = in.readInt(false);
        int props = in.readCount("animated properties");
        for (int p = 0; p < props && !in.hasFailed(); ++p)
        {
            CCBAnimatedPropertyData prop;
            prop.name = in.readCachedString();
            prop.type = in.readInt(false);
            int keys = in.readCount("keyframes");
            for (int k = 0; k < keys && !in.hasFailed(); ++k)
            {
                CCBKeyframeData key;
                CCBDocumentDecoder::readKeyframe(in, prop.type, key);
                prop.keyframes.push_back(key);
            }
            animated.insert(prop.name);
            seq.properties.push_back(prop);
        }
        sequences.push_back(seq);
    }
    if (in.hasFailed()) return NULL;

    CCNodeLoader* loader = m_pCCNodeLoaderLibrary ? m_pCCNodeLoaderLibrary->getCCNodeLoader(className.c_str()) : NULL;
    if (!loader)
    {
        fail(("no loader for class '" + className + "'").c_str());
        return NULL;
    }
    m_animatedProperties = animated;
    CCNode* node = loader->loadCCNode(pParent, this);
    if (in.hasFailed()) return dropNode(node);
    if (!node)
    {
        fail(("the loader of '" + className + "' made no node").c_str());
        return NULL;
    }
    if (!m_pAnimationManager->getRootNode()) m_pAnimationManager->setRootNode(node);

    // A sub-document stands in for its placeholder and keeps the placeholder's transform.
    if (CCBFile* file = dynamic_cast<CCBFile*>(node))
    {
        CCNode* embedded = file->getCCBFileNode();
        if (embedded)
        {
            embedded->setPosition(file->getPosition());
            embedded->setRotation(file->getRotation());
            embedded->setScaleX(file->getScaleX());
            embedded->setScaleY(file->getScaleY());
            embedded->setTag(file->getTag());
            embedded->setVisible(file->isVisible());
            m_pAnimationManager->moveAnimationsFromNode(file, embedded);
            file->setCCBFileNode(NULL);
            node = embedded;
        }
    }
    m_pAnimationManager->addNode(node, sequences);

    if (memberType != 0) assignMember(node, memberType, memberName);
    m_animatedProperties.clear();

    int children = in.readCount("children");
    for (int i = 0; i < children && !in.hasFailed(); ++i)
    {
        CCNode* child = readNodeGraph(node);
        if (!child) return dropNode(node);
        node->addChild(child);
    }
    if (in.hasFailed()) return dropNode(node);

    if (CCNodeLoaderListener* listener = dynamic_cast<CCNodeLoaderListener*>(node))
    {
        listener->onNodeLoaded(node, loader);
    }
    else if (m_pCCNodeLoaderListener)
    {
        m_pCCNodeLoaderListener->onNodeLoaded(node, loader);
    }
    return node;
}

void CCBReader::assignMember(CCNode* node, int type, const std::string& name)
{
    CCObject* target = NULL;
    if (type == kCCBTargetTypeDocumentRoot) target = m_pAnimationManager->getRootNode();
    else if (type == kCCBTargetTypeOwner) target = m_pOwner;
    if (!target) return;
    bool assigned = false;
    if (CCBMemberVariableAssigner* own = dynamic_cast<CCBMemberVariableAssigner*>(target))
    {
        assigned = own->onAssignCCBMemberVariable(target, name.c_str(), node);
    }
    if (!assigned && m_pCCBMemberVariableAssigner)
    {
        m_pCCBMemberVariableAssigner->onAssignCCBMemberVariable(target, name.c_str(), node);
    }
}

CCPoint CCBReader::getAbsolutePosition(const CCPoint& pt, int type, const CCSize& container)
{
    switch (type)
    {
    case kCCBPositionTypeRelativeTopLeft: return ccp(pt.x, container.height - pt.y);
    case kCCBPositionTypeRelativeTopRight: return ccp(container.width - pt.x, container.height - pt.y);
    case kCCBPositionTypeRelativeBottomRight: return ccp(container.width - pt.x, pt.y);
    case kCCBPositionTypePercent: return ccp(container.width * pt.x / 100.0f, container.height * pt.y / 100.0f);
    case kCCBPositionTypeMultiplyResolution: return ccp(pt.x * s_resolutionScale, pt.y * s_resolutionScale);
    default: return pt;
    }
}

CCPoint CCBReader::getRelativePosition(const CCPoint& pt, int type, const CCSize& container)
{
    switch (type)
    {
    case kCCBPositionTypeRelativeTopLeft: return ccp(pt.x, container.height - pt.y);
    case kCCBPositionTypeRelativeTopRight: return ccp(container.width - pt.x, container.height - pt.y);
    case kCCBPositionTypeRelativeBottomRight: return ccp(container.width - pt.x, pt.y);
    case kCCBPositionTypePercent:
        return ccp(container.width ? pt.x * 100.0f / container.width : 0, container.height ? pt.y * 100.0f / container.height : 0);
    case kCCBPositionTypeMultiplyResolution:
        return s_resolutionScale ? ccp(pt.x / s_resolutionScale, pt.y / s_resolutionScale) : pt;
    default: return pt;
    }
}

CCSize CCBReader::getAbsoluteSize(const CCSize& size, int type, const CCSize& container)
{
    switch (type)
    {
    case kCCBSizeTypeRelativeContainer: return CCSizeMake(container.width - size.width, container.height - size.height);
    case kCCBSizeTypePercent: return CCSizeMake(container.width * size.width / 100.0f, container.height * size.height / 100.0f);
    case kCCBSizeTypeHorizontalPercent: return CCSizeMake(container.width * size.width / 100.0f, size.height);
    case kCCBSizeTypeVerticalPercent: return CCSizeMake(size.width, container.height * size.height / 100.0f);
    case kCCBSizeTypeMultiplyResolution: return CCSizeMake(size.width * s_resolutionScale, size.height * s_resolutionScale);
    default: return size;
    }
}

CCSpriteFrame* CCBReader::loadSpriteFrame(const char* pSheet, const char* pFile, const char* pRootPath)
{
    std::string root = pRootPath ? pRootPath : "";
    if (!pFile || !*pFile) return NULL;
    // The image or sheet a layout names is content: the gate for such names, below the root.
    const char* named = pSheet && *pSheet ? pSheet : pFile;
    if (CCFileUtils::sharedFileUtils()->fullPathForContentName(named, "CCBReader sprite frame").empty()) return NULL;
    if (!pSheet || !*pSheet)
    {
        CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage((root + pFile).c_str());
        if (!texture)
        {
            CCLog("CCBReader - missing image '%s'", pFile);
            return NULL;
        }
        CCSize size = texture->getContentSize();
        return CCSpriteFrame::createWithTexture(texture, CCRectMake(0, 0, size.width, size.height));
    }
    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    // The sheet first (a sheet already loaded is skipped): asking the cache before would log a
    // frame of a sheet not yet loaded as missing.
    cache->addSpriteFramesWithFile((root + pSheet).c_str());
    CCSpriteFrame* frame = cache->spriteFrameByName(pFile);
    if (!frame) CCLog("CCBReader - missing frame '%s' of sheet '%s'", pFile, pSheet);
    return frame;
}

NS_CC_EXT_END
