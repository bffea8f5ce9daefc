#include "VornBackdrop.h"

#include "ActorComponent.h"
#include "CCActionInterval.h"
#include "CCAnimation.h"
#include "CCAnimatingSprite.h"
#include "CCArray.h"
#include "CCBReader.h"
#include "CCDirector.h"
#include "CCPointExtension.h"
#include "CCString.h"
#include "CollisionList.h"
#include "SpriteFrameHelpers.h"
#include "VornCollision.h"
#include "VornGameManager.h"
#include "VornNodeLoaderLibrary.h"
#include "VornScriptEngine.h"

#include <algorithm>

USING_NS_CC_EXT;

NS_CC_BEGIN

namespace
{
const float kEdgeThickness = 10.0f;
const float kEdgeHeight = 200.0f;
const float kEdgeInset = 1.0f;

CCRect unionRect(const CCRect& a, const CCRect& b)
{
    float minX = std::min(a.getMinX(), b.getMinX());
    float minY = std::min(a.getMinY(), b.getMinY());
    float maxX = std::max(a.getMaxX(), b.getMaxX());
    float maxY = std::max(a.getMaxY(), b.getMaxY());
    return CCRect(minX, minY, maxX - minX, maxY - minY);
}

template <class T> void replaceRetained(T*& slot, T* value)
{
    CC_SAFE_RETAIN(value);
    CC_SAFE_RELEASE(slot);
    slot = value;
}
} // namespace

VornBackdrop::VornBackdrop()
    : m_pFileName(NULL)
    , m_pBackgroundLayers(NULL)
    , m_pForegroundLayers(NULL)
    , m_pRootNode(NULL)
    , m_pAnimationManager(NULL)
    , m_pMainLayer(NULL)
    , m_pObjects(NULL)
    , m_bIgnoreNextCameraMove(true)
    , m_fForegroundOffset(0.0f)
    , m_levelBounds(CCRectZero)
    , m_pLeftEdgeCollision(NULL)
    , m_pRightEdgeCollision(NULL)
    , m_pFloorCollision(NULL)
    , m_fBackgroundParallaxStart(0.0f)
    , m_fBackgroundParallaxStep(0.0f)
    , m_fForegroundParallaxStart(0.0f)
    , m_fForegroundParallaxStep(0.0f)
    , m_nAnimationCallbackRef(VORNSCRIPTREF_NULL)
    , m_pCallbackEngine(NULL)
{
}

VornBackdrop::~VornBackdrop()
{
    disconnectSignals();
    reset();
}

void VornBackdrop::connectSignals()
{
    VornGameManager* manager = VornGameManager::getSharedVornGameManager();
    if (manager != NULL)
    {
        manager->getUpdateSignal().connect(this, &VornBackdrop::onUpdate);
        manager->getContinueSignal().connect(this, &VornBackdrop::onContinue);
    }
    // The camera connects onCameraMoved to its camera-moved signal when it takes the backdrop.
}

void VornBackdrop::disconnectSignals()
{
    VornGameManager* manager = VornGameManager::getSharedVornGameManager();
    if (manager != NULL)
    {
        manager->getUpdateSignal().disconnect(this, &VornBackdrop::onUpdate);
        manager->getContinueSignal().disconnect(this, &VornBackdrop::onContinue);
    }
}

bool VornBackdrop::initWithFile(const char* file, CCNode* layerParent, CCNode* objectParent)
{
    if (m_pRootNode != NULL || m_pFileName != NULL)
    {
        reset();
    }
    // Nothing ticks half a stage: the director holds still while the layout is read.
    CCDirector* director = CCDirector::sharedDirector();
    bool wasPaused = director->isPaused();
    director->pause();
    bool loaded = load(file, layerParent, objectParent);
    if (!wasPaused)
    {
        director->resume();
    }
    if (!loaded)
    {
        reset();
    }
    return loaded;
}

bool VornBackdrop::load(const char* file, CCNode* layerParent, CCNode* objectParent)
{
    if (file == NULL || file[0] == '\0')
    {
        CCLog("ERROR: VornBackdrop::initWithFile - no file name");
        return false;
    }
    setBackgroundLayers(CCArray::create());
    setForegroundLayers(CCArray::create());
    setObjects(CCArray::create());
    setFileName(CCString::create(file));

    VornNodeLoaderLibrary* library = VornNodeLoaderLibrary::newGameLibrary();
    CCBReader* reader = new CCBReader(library, this, NULL);
    reader->autorelease();
    GameManager* manager = GameManager::getInstance();
    if (manager != NULL)
    {
        CCBReader::setResolutionScale(manager->getResolutionScale());
    }
    setAnimationManager(reader->getAnimationManager());
    if (m_pAnimationManager != NULL)
    {
        m_pAnimationManager->setDelegate(this);
    }

    setRootNode(reader->readNodeGraphFromFile(file, this, CCDirector::sharedDirector()->getWinSize()));
    // The reader may have swapped in the document's own manager while reading.
    if (reader->getAnimationManager() != m_pAnimationManager)
    {
        if (m_pAnimationManager != NULL)
        {
            m_pAnimationManager->setDelegate(NULL);
        }
        setAnimationManager(reader->getAnimationManager());
        if (m_pAnimationManager != NULL)
        {
            m_pAnimationManager->setDelegate(this);
        }
    }
    if (m_pRootNode == NULL)
    {
        CCLog("ERROR: VornBackdrop::initWithFile - cannot read '%s'", file);
        return false;
    }
    CCNode* container = m_pRootNode->getChildByTag(0);
    if (container == NULL)
    {
        CCLog("ERROR: VornBackdrop::initWithFile - '%s' has no layer container (tag 0)", file);
        return false;
    }
    container->setPosition(CCPoint(0.0f, 0.0f));
    container->setScale(1.0f);

    for (int tag = -2; CCNode* layer = container->getChildByTag(tag); --tag)
    {
        layer->setContentSize(calculateBounds(layer, 1).size);
        m_pBackgroundLayers->addObject(layer);
    }

    m_pMainLayer = container->getChildByTag(0);
    if (m_pMainLayer == NULL)
    {
        // Without it there is no level extent and nowhere for the walls.
        CCLog("ERROR: VornBackdrop::initWithFile - '%s' has no main layer (tag 0)", file);
        return false;
    }
    // The level's extent is taken with the main layer on its own, then it goes back to its place.
    CCNode* mainParent = m_pMainLayer->getParent();
    int mainZ = m_pMainLayer->getZOrder();
    m_pMainLayer->retain();
    m_pMainLayer->removeFromParentAndCleanup(false);
    m_levelBounds = calculateBounds(m_pMainLayer, 1);
    mainParent->addChild(m_pMainLayer, mainZ, 0);
    m_pMainLayer->release();
    m_pMainLayer->setContentSize(calculateBounds(m_pMainLayer, 1).size);

    setLeftEdgeCollision(makeEdge(CCSize(kEdgeThickness, kEdgeHeight), CCPoint(1.0f, 0.5f),
                                  CCPoint(m_levelBounds.getMinX() + kEdgeInset, 0.0f)));
    setRightEdgeCollision(makeEdge(CCSize(kEdgeThickness, kEdgeHeight), CCPoint(0.0f, 0.5f),
                                   CCPoint(m_levelBounds.getMaxX() - kEdgeInset, 0.0f)));
    setFloorCollision(makeEdge(CCSize(m_levelBounds.size.width, kEdgeThickness), CCPoint(0.0f, 1.0f),
                               CCPoint(0.0f, 0.0f)));
    if (!m_pLeftEdgeCollision || !m_pRightEdgeCollision || !m_pFloorCollision)
    {
        CCLog("ERROR: VornBackdrop::initWithFile - cannot make the edge walls of '%s'", file);
        return false;
    }

    for (int tag = 1; CCNode* layer = container->getChildByTag(tag); ++tag)
    {
        layer->setContentSize(calculateBounds(layer, 1).size);
        m_pForegroundLayers->addObject(layer);
        layer->removeFromParentAndCleanup(false);
        if (layerParent != NULL)
        {
            layerParent->addChild(layer, tag);
        }
    }

    if (objectParent != NULL)
    {
        CCObject* object;
        CCARRAY_FOREACH(m_pObjects, object)
        {
            moveObject(static_cast<CCNode*>(object), objectParent);
        }
    }
    if (layerParent != NULL)
    {
        layerParent->addChild(m_pRootNode, -1);
    }

    m_fBackgroundParallaxStart = -0.5f;
    m_fBackgroundParallaxStep = 1.5f;
    m_fForegroundParallaxStart = 1.1f;
    m_fForegroundParallaxStep = 0.5f;
    m_bIgnoreNextCameraMove = true;
    connectSignals();
    releaseAnimationCallback();
    return true;
}

VornCollision* VornBackdrop::makeEdge(const CCSize& size, const CCPoint& anchor, const CCPoint& position)
{
    VornCollision* edge = VornCollision::create(kBoundsCollisionList);
    if (edge == NULL)
    {
        return NULL;
    }
    edge->setContentSize(size);
    edge->ignoreAnchorPointForPosition(false);
    edge->setAnchorPoint(anchor);
    edge->setPosition(position);
    m_pMainLayer->addChild(edge);
    return edge;
}

void VornBackdrop::moveObject(CCNode* object, CCNode* objectParent)
{
    // Keep its place relative to the main layer, however deep the layout nested it.
    CCAffineTransform toMain = CCAffineTransformIdentity;
    CCNode* node = object->getParent();
    while (node != NULL && node != m_pMainLayer)
    {
        toMain = CCAffineTransformConcat(toMain, node->nodeToParentTransform());
        node = node->getParent();
    }
    if (node == m_pMainLayer && node != NULL)
    {
        object->setPosition(CCPointApplyAffineTransform(object->getPosition(), toMain));
    }
    object->retain();
    object->removeFromParentAndCleanup(false);
    objectParent->addChild(object);
    object->release();

    CollisionList* signs = VornCollision::findCollisionList(kSignCollisionList);
    if (signs == NULL)
    {
        CCLog("ERROR: VornBackdrop::initWithFile - no sign collision list for the level objects");
        return;
    }
    signs->addObject(ActorComponent::create(object));
}

CCRect VornBackdrop::calculateBounds(CCNode* node, int depth)
{
    CCNode* parent = node->getParent();
    CCRect r = node->boundingBox();
    if (parent != NULL)
    {
        r = CCRectApplyAffineTransform(r, parent->worldToNodeTransform());
    }
    if (depth <= 0)
    {
        return r;
    }
    CCAffineTransform toWorld = node->nodeToWorldTransform();
    CCAffineTransform fromWorld = parent ? parent->worldToNodeTransform() : CCAffineTransformIdentity;
    CCArray* children = node->getChildren();
    CCObject* object;
    CCARRAY_FOREACH(children, object)
    {
        CCRect rc = calculateBounds(static_cast<CCNode*>(object), depth - 1);
        rc = CCRectApplyAffineTransform(CCRectApplyAffineTransform(rc, toWorld), fromWorld);
        r = unionRect(r, rc);
    }
    return r;
}

void VornBackdrop::reset()
{
    for (NamedNodeMap::iterator it = m_namedNodes.begin(); it != m_namedNodes.end(); ++it)
    {
        it->second->release();
    }
    m_namedNodes.clear();
    m_fades.clear();
    setFileName(NULL);
    CCArray* layerLists[2] = { m_pBackgroundLayers, m_pForegroundLayers };
    for (int i = 0; i < 2; ++i)
    {
        CCObject* layer;
        CCARRAY_FOREACH(layerLists[i], layer)
        {
            static_cast<CCNode*>(layer)->removeFromParentAndCleanup(true);
        }
    }
    setBackgroundLayers(NULL);
    setForegroundLayers(NULL);
    if (m_pRootNode != NULL)
    {
        m_pRootNode->removeFromParentAndCleanup(true);
        setRootNode(NULL);
    }
    m_pMainLayer = NULL;
    if (m_pAnimationManager != NULL)
    {
        m_pAnimationManager->setDelegate(NULL);
        setAnimationManager(NULL);
    }
    CollisionList* signs = VornCollision::findCollisionList(kSignCollisionList);
    CCObject* object;
    CCARRAY_FOREACH(m_pObjects, object)
    {
        CCNode* node = static_cast<CCNode*>(object);
        // Out of the depth sort too: it no longer stands among the actors.
        if (signs != NULL)
        {
            CollisionList::MemberList& members = signs->getMembers();
            for (CollisionList::MemberList::iterator it = members.begin(); it != members.end(); ++it)
            {
                if ((*it)->getOwner() == node)
                {
                    signs->removeObject(*it);
                    break;
                }
            }
        }
        if (node->getParent() != NULL)
        {
            node->removeFromParentAndCleanup(true);
        }
    }
    setObjects(NULL);
    VornCollision** edges[3] = { &m_pLeftEdgeCollision, &m_pRightEdgeCollision, &m_pFloorCollision };
    for (int i = 0; i < 3; ++i)
    {
        if (*edges[i] != NULL)
        {
            (*edges[i])->removeFromCollisionManager();
            (*edges[i])->release();
            *edges[i] = NULL;
        }
    }
    releaseAnimationCallback();
    m_nextAnimation.clear();
}

CCNode* VornBackdrop::getNodeByName(const char* name)
{
    if (name == NULL)
    {
        return NULL;
    }
    NamedNodeMap::iterator it = m_namedNodes.find(name);
    return it == m_namedNodes.end() ? NULL : it->second;
}

bool VornBackdrop::setObjectAnimation(int tag, const char* file, float delay)
{
    CCArray* frames = file ? loadSpriteFramesFromFile(file) : NULL;
    if (frames == NULL || frames->count() == 0)
    {
        CCLog("ERROR: VornBackdrop::setObjectAnimation - no frames in '%s'", file ? file : "");
        return false;
    }
    bool matched = false;
    CCObject* object;
    CCARRAY_FOREACH(m_pObjects, object)
    {
        CCNode* node = static_cast<CCNode*>(object);
        if (node->getTag() != tag)
        {
            continue;
        }
        matched = true;
        if (CCAnimatingSprite* sprite = dynamic_cast<CCAnimatingSprite*>(node))
        {
            // Its own frame cycle is the loop; a second animation would fight it.
            sprite->setFrames(frames);
            sprite->setDelay(delay);
            sprite->restart();
        }
        else
        {
            node->stopAllActions();
            node->runAction(CCRepeatForever::create(CCAnimate::create(CCAnimation::createWithSpriteFrames(frames, delay))));
        }
    }
    return matched;
}

void VornBackdrop::addObject(CCNode* node)
{
    if (node == NULL)
    {
        return;
    }
    if (m_pObjects == NULL)
    {
        setObjects(CCArray::create());
    }
    m_pObjects->addObject(node);
}

bool VornBackdrop::playAnimation(const char* name, VornScriptEngine* engine, int stackIndex)
{
    m_nextAnimation = name ? name : "";
    // A callback still waiting for an earlier timeline is dropped, not leaked.
    releaseAnimationCallback();
    if (engine != NULL && stackIndex != 0)
    {
        m_nAnimationCallbackRef = engine->createFunctionRef(stackIndex);
        if (m_nAnimationCallbackRef != VORNSCRIPTREF_NULL)
        {
            m_pCallbackEngine = engine;
            m_pCallbackEngine->retain();
        }
    }
    return true;
}

void VornBackdrop::releaseAnimationCallback()
{
    if (m_pCallbackEngine != NULL)
    {
        m_pCallbackEngine->releaseFunctionRef(m_nAnimationCallbackRef);
        m_pCallbackEngine->release();
        m_pCallbackEngine = NULL;
    }
    m_nAnimationCallbackRef = VORNSCRIPTREF_NULL;
}

void VornBackdrop::completedAnimationSequenceNamed(const char*)
{
    if (m_nAnimationCallbackRef == VORNSCRIPTREF_NULL || m_pCallbackEngine == NULL)
    {
        return;
    }
    // Cleared before the call, so the callback may start another timeline with its own callback.
    int ref = m_nAnimationCallbackRef;
    VornScriptEngine* engine = m_pCallbackEngine;
    m_nAnimationCallbackRef = VORNSCRIPTREF_NULL;
    m_pCallbackEngine = NULL;
    retain();
    engine->callFunctionRef(ref);
    engine->releaseFunctionRef(ref);
    engine->release();
    release();
}

void VornBackdrop::onCameraMoved(CCPoint point)
{
    if (m_bIgnoreNextCameraMove)
    {
        m_bIgnoreNextCameraMove = false;
        return;
    }
    float f = m_fBackgroundParallaxStart;
    CCObject* layer;
    CCARRAY_FOREACH(m_pBackgroundLayers, layer)
    {
        static_cast<CCNode*>(layer)->setPosition(CCPoint(point.x * f, point.y * f));
        f = std::max(f * m_fBackgroundParallaxStep, -1.0f);
    }
    f = m_fForegroundParallaxStart;
    CCARRAY_FOREACH(m_pForegroundLayers, layer)
    {
        static_cast<CCNode*>(layer)->setPosition(CCPoint(point.x * f, point.y * f));
        f *= m_fForegroundParallaxStep;
    }
}

void VornBackdrop::onUpdate(float)
{
    CCObject* layer;
    CCARRAY_FOREACH(m_pForegroundLayers, layer)
    {
        CCNode* node = static_cast<CCNode*>(layer);
        node->setPosition(CCPoint(node->getPosition().x, m_fForegroundOffset));
    }
    if (!m_nextAnimation.empty())
    {
        std::string name = m_nextAnimation;
        m_nextAnimation.clear();
        if (m_pAnimationManager != NULL)
        {
            m_pAnimationManager->runAnimationsForSequenceNamedTweenDuration(name.c_str(), 0.0f);
        }
    }
}

namespace
{
const float kFadeTime = 0.25f;           // seconds to fade out, and back
const float kSeeThroughOpacity = 0.35f;  // of the piece's own, fully faded
const float kCoveringShare = 0.2f;       // of a fighter's box under a piece before it fades

CCRect windowRectOf(CCNode* node)
{
    const CCSize size = node->getContentSize();
    return CCRectApplyAffineTransform(CCRect(0.0f, 0.0f, size.width, size.height), node->nodeToWorldTransform());
}

float overlapShare(const CCRect& piece, const CCRect& box)
{
    const float width = std::min(piece.getMaxX(), box.getMaxX()) - std::max(piece.getMinX(), box.getMinX());
    const float height = std::min(piece.getMaxY(), box.getMaxY()) - std::max(piece.getMinY(), box.getMinY());
    const float area = box.size.width * box.size.height;
    return width > 0.0f && height > 0.0f && area > 0.0f ? width * height / area : 0.0f;
}
} // namespace

void VornBackdrop::fadeOverFighters(const std::vector<FighterView>& fighters, float dt)
{
    CCObject* object;
    CCARRAY_FOREACH(m_pForegroundLayers, object)
    {
        fadePicturesUnder(static_cast<CCNode*>(object), fighters, dt);
    }
    CCARRAY_FOREACH(m_pObjects, object)
    {
        CCNode* piece = static_cast<CCNode*>(object);
        const CCRect rect = windowRectOf(piece);
        bool covering = false;
        for (size_t i = 0; i < fighters.size() && !covering; ++i)
        {
            // Only what is drawn after him can hide him.
            covering = fighters[i].parent == piece->getParent() && piece->getZOrder() > fighters[i].zOrder &&
                       overlapShare(rect, fighters[i].box) > kCoveringShare;
        }
        stepFade(piece, covering, dt);
    }
}

void VornBackdrop::fadePicturesUnder(CCNode* node, const std::vector<FighterView>& fighters, float dt)
{
    CCObject* child;
    CCARRAY_FOREACH(node->getChildren(), child)
    {
        CCNode* piece = static_cast<CCNode*>(child);
        if (dynamic_cast<CCRGBAProtocol*>(piece) != NULL)
        {
            const CCRect rect = windowRectOf(piece);
            bool covering = false;
            for (size_t i = 0; i < fighters.size() && !covering; ++i)
            {
                covering = overlapShare(rect, fighters[i].box) > kCoveringShare;
            }
            stepFade(piece, covering, dt);
        }
        fadePicturesUnder(piece, fighters, dt);
    }
}

void VornBackdrop::stepFade(CCNode* piece, bool covering, float dt)
{
    CCRGBAProtocol* colour = dynamic_cast<CCRGBAProtocol*>(piece);
    std::map<CCNode*, Fade>::iterator fade = m_fades.find(piece);
    if (colour == NULL || (fade == m_fades.end() && !covering))
    {
        return;
    }
    if (fade == m_fades.end())
    {
        Fade start = { colour->getOpacity(), 0.0f };
        fade = m_fades.insert(std::make_pair(piece, start)).first;
    }
    Fade& state = fade->second;
    state.amount = clampf(state.amount + (covering ? dt : -dt) / kFadeTime, 0.0f, 1.0f);
    const float shown = 1.0f - state.amount * (1.0f - kSeeThroughOpacity);
    colour->setOpacity((GLubyte)(state.ownOpacity * shown));
    if (state.amount <= 0.0f)
    {
        colour->setOpacity(state.ownOpacity);
        m_fades.erase(fade);
    }
}

void VornBackdrop::onContinue()
{
    m_fForegroundOffset = 0.0f;
}

bool VornBackdrop::onAssignCCBMemberVariable(CCObject*, const char* pMemberVariableName, CCNode* pNode)
{
    if (pMemberVariableName == NULL || pNode == NULL)
    {
        return true;
    }
    // A repeated name keeps the last node, as an assignment would.
    pNode->retain();
    CCNode*& slot = m_namedNodes[pMemberVariableName];
    CC_SAFE_RELEASE(slot);
    slot = pNode;
    return true;
}

void VornBackdrop::setFileName(CCString* name) { replaceRetained(m_pFileName, name); }
void VornBackdrop::setBackgroundLayers(CCArray* layers) { replaceRetained(m_pBackgroundLayers, layers); }
void VornBackdrop::setForegroundLayers(CCArray* layers) { replaceRetained(m_pForegroundLayers, layers); }
void VornBackdrop::setRootNode(CCNode* node) { replaceRetained(m_pRootNode, node); }
void VornBackdrop::setAnimationManager(CCBAnimationManager* manager) { replaceRetained(m_pAnimationManager, manager); }
void VornBackdrop::setObjects(CCArray* objects) { replaceRetained(m_pObjects, objects); }
void VornBackdrop::setLeftEdgeCollision(VornCollision* c) { replaceRetained(m_pLeftEdgeCollision, c); }
void VornBackdrop::setRightEdgeCollision(VornCollision* c) { replaceRetained(m_pRightEdgeCollision, c); }
void VornBackdrop::setFloorCollision(VornCollision* c) { replaceRetained(m_pFloorCollision, c); }

void VornBackdrop::setNamedNodes(const NamedNodeMap& nodes)
{
    for (NamedNodeMap::const_iterator it = nodes.begin(); it != nodes.end(); ++it)
    {
        it->second->retain();
    }
    for (NamedNodeMap::iterator it = m_namedNodes.begin(); it != m_namedNodes.end(); ++it)
    {
        it->second->release();
    }
    m_namedNodes = nodes;
}

NS_CC_END
