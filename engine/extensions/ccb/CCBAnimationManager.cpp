#include "CCBAnimationManager.h"

#include "CCBKeyframeTrack.h"
#include "CCBReader.h"
#include "audio/SimpleAudioEngine.h"
#include "base/CCConsole.h"
#include "nodes/CCDirector.h"
#include "nodes/CCNode.h"
#include "nodes/CCProtocols.h"
#include "nodes/CCScheduler.h"
#include "sprites/CCSprite.h"

#include <cstring>

USING_NS_CC;

NS_CC_EXT_BEGIN

CCBAnimationManager::CCBAnimationManager()
    : m_pRootNode(NULL), m_autoPlaySequenceId(-1), m_runningId(-1), m_elapsed(0), m_tween(0),
      m_pScheduler(NULL), m_pDelegate(NULL), m_pTarget(NULL), m_pCallback(NULL)
{
}

CCBAnimationManager::~CCBAnimationManager()
{
    // No unscheduling here: the scheduler holds a reference while it ticks this manager.
    clearNodes();
    CC_SAFE_RELEASE(m_pRootNode);
    CC_SAFE_RELEASE(m_pTarget);
}

CCBAnimationManager* CCBAnimationManager::create()
{
    CCBAnimationManager* manager = new CCBAnimationManager();
    manager->autorelease();
    return manager;
}

void CCBAnimationManager::setRootNode(CCNode* pRootNode)
{
    if (pRootNode == m_pRootNode) return;
    CC_SAFE_RETAIN(pRootNode);
    m_pRootNode = pRootNode;
}

CCSize CCBAnimationManager::getContainerSize(CCNode* pNode)
{
    return pNode ? pNode->getContentSize() : m_rootContainerSize;
}

int CCBAnimationManager::getSequenceId(const char* pSequenceName)
{
    for (size_t i = 0; pSequenceName && i < m_sequences.size(); ++i)
    {
        if (m_sequences[i].name == pSequenceName) return m_sequences[i].sequenceId;
    }
    return -1;
}

float CCBAnimationManager::getSequenceDuration(const char* pSequenceName)
{
    const CCBSequenceData* seq = findSequence(getSequenceId(pSequenceName));
    return seq ? seq->duration : 0.0f;
}

const CCBSequenceData* CCBAnimationManager::findSequence(int id) const
{
    for (size_t i = 0; i < m_sequences.size(); ++i)
    {
        if (m_sequences[i].sequenceId == id) return &m_sequences[i];
    }
    return NULL;
}

CCBAnimationManager::NodeAnimation* CCBAnimationManager::findNode(CCNode* pNode, bool create)
{
    for (size_t i = 0; i < m_nodes.size(); ++i)
    {
        if (m_nodes[i].node == pNode) return &m_nodes[i];
    }
    if (!create || !pNode) return NULL;
    NodeAnimation entry;
    entry.node = pNode;
    pNode->retain();
    m_nodes.push_back(entry);
    return &m_nodes.back();
}

void CCBAnimationManager::addNode(CCNode* pNode, const std::vector<CCBNodeSequenceData>& sequences)
{
    if (!pNode || sequences.empty()) return;
    NodeAnimation* entry = findNode(pNode, true);
    entry->sequences.insert(entry->sequences.end(), sequences.begin(), sequences.end());
}

void CCBAnimationManager::setBaseValue(const CCBValueData& value, CCNode* pNode, const char* pPropName)
{
    if (!pNode || !pPropName) return;
    findNode(pNode, true)->baseValues[pPropName] = value;
}

void CCBAnimationManager::moveAnimationsFromNode(CCNode* pFromNode, CCNode* pToNode)
{
    NodeAnimation* from = findNode(pFromNode, false);
    if (!from || !pToNode || pFromNode == pToNode) return;
    NodeAnimation moved = *from;
    // Drop the old entry (and its reference) before adding to the new node.
    for (size_t i = 0; i < m_nodes.size(); ++i)
    {
        if (m_nodes[i].node == pFromNode)
        {
            m_nodes.erase(m_nodes.begin() + (long)i);
            break;
        }
    }
    NodeAnimation* to = findNode(pToNode, true);
    to->sequences.insert(to->sequences.end(), moved.sequences.begin(), moved.sequences.end());
    for (std::map<std::string, CCBValueData>::iterator it = moved.baseValues.begin(); it != moved.baseValues.end(); ++it)
    {
        to->baseValues[it->first] = it->second;
    }
    pFromNode->release();
}

void CCBAnimationManager::clearNodes()
{
    std::vector<NodeAnimation> nodes;
    nodes.swap(m_nodes);
    for (size_t i = 0; i < nodes.size(); ++i) nodes[i].node->release();
    m_runningId = -1;
    m_runningName.clear();
}

void CCBAnimationManager::runAnimationsForSequenceNamed(const char* pName)
{
    runAnimationsForSequenceNamedTweenDuration(pName, 0);
}

void CCBAnimationManager::runAnimationsForSequenceNamedTweenDuration(const char* pName, float fTweenDuration)
{
    int id = getSequenceId(pName);
    if (id < 0)
    {
        CCLog("CCBAnimationManager - no sequence named '%s'", pName ? pName : "(null)");
        return;
    }
    runAnimationsForSequenceIdTweenDuration(id, fTweenDuration);
}

void CCBAnimationManager::runAnimationsForSequenceIdTweenDuration(int nSeqId, float fTweenDuration)
{
    const CCBSequenceData* seq = findSequence(nSeqId);
    if (!seq)
    {
        CCLog("CCBAnimationManager - no sequence with id %d", nSeqId);
        return;
    }
    m_runningId = nSeqId;
    m_runningName = seq->name;
    m_elapsed = 0;
    m_tween = fTweenDuration > 0 ? fTweenDuration : 0;
    m_tweenStarts.clear();

    for (size_t n = 0; n < m_nodes.size(); ++n)
    {
        NodeAnimation& entry = m_nodes[n];
        const CCBNodeSequenceData* own = NULL;
        for (size_t s = 0; s < entry.sequences.size(); ++s)
        {
            if (entry.sequences[s].sequenceId == nSeqId) own = &entry.sequences[s];
        }
        // Whatever another timeline changed and this one does not animate goes back to the layout.
        for (std::map<std::string, CCBValueData>::iterator it = entry.baseValues.begin(); it != entry.baseValues.end(); ++it)
        {
            bool animated = false;
            for (size_t p = 0; own && p < own->properties.size(); ++p)
            {
                if (own->properties[p].name == it->first) animated = true;
            }
            if (!animated) applyValue(entry, it->first, it->second);
        }
        if (own && m_tween > 0)
        {
            for (size_t p = 0; p < own->properties.size(); ++p)
            {
                TweenStart start;
                start.node = n;
                start.prop = own->properties[p].name;
                start.value = currentValue(entry, start.prop, own->properties[p].type);
                m_tweenStarts.push_back(start);
            }
        }
    }
    applyAt(-m_tween);
    scheduleTicks(true);
}

const char* CCBAnimationManager::getRunningSequenceName()
{
    return m_runningId >= 0 ? m_runningName.c_str() : NULL;
}

void CCBAnimationManager::setAnimationCompletedCallback(CCObject* target, SEL_CallFunc callbackFunc)
{
    CC_SAFE_RETAIN(target);
    CC_SAFE_RELEASE(m_pTarget);
    m_pTarget = target;
    m_pCallback = target ? callbackFunc : NULL;
}

void CCBAnimationManager::scheduleTicks(bool on)
{
    // Compared, never followed: a purged director's scheduler no longer ticks this manager.
    CCScheduler* scheduler = CCDirector::sharedDirector()->getScheduler();
    if (on && scheduler && scheduler != m_pScheduler)
    {
        scheduler->scheduleUpdateForTarget(this, 0, false);
        m_pScheduler = scheduler;
    }
    else if (!on && scheduler && scheduler == m_pScheduler)
    {
        m_pScheduler = NULL;
        scheduler->unscheduleUpdateForTarget(this);
    }
}

void CCBAnimationManager::update(float dt)
{
    if (m_runningId < 0)
    {
        scheduleTicks(false);
        return;
    }
    // Like actions on a node outside the scene, a timeline waits until its root is shown; a root
    // only this manager still holds can never be shown again, so the timeline ends there and the
    // scheduler lets go of the manager (else the whole graph stays alive, ticked every frame).
    if (m_pRootNode && !m_pRootNode->isRunning())
    {
        if (isRootAbandoned())
        {
            m_runningId = -1;
            m_runningName.clear();
            scheduleTicks(false);
        }
        return;
    }
    if (dt < 0) dt = 0;
    const CCBSequenceData* seq = findSequence(m_runningId);
    float before = m_elapsed;
    m_elapsed += dt;
    float end = seq->duration + m_tween;
    fireChannels(before - m_tween, (m_elapsed < end ? m_elapsed : end) - m_tween);
    if (m_runningId < 0 || findSequence(m_runningId) != seq) return;  // a callback switched timelines
    if (m_elapsed >= end)
    {
        applyAt(seq->duration);
        completeSequence();
        return;
    }
    applyAt(m_elapsed - m_tween);
}

bool CCBAnimationManager::isRootAbandoned() const
{
    unsigned int own = 1;  // m_pRootNode
    for (size_t i = 0; i < m_nodes.size(); ++i)
    {
        if (m_nodes[i].node == m_pRootNode) ++own;
    }
    if (m_pTarget == m_pRootNode) ++own;
    return m_pRootNode->retainCount() <= own;
}

void CCBAnimationManager::fireChannels(float from, float to)
{
    const CCBSequenceData* seq = findSequence(m_runningId);
    if (!seq) return;
    for (size_t i = 0; i < seq->sounds.size(); ++i)
    {
        float t = seq->sounds[i].time;
        if ((t > from || (from <= 0 && t == 0)) && t <= to)
        {
            CocosDenshion::SimpleAudioEngine::sharedEngine()->playEffect(seq->sounds[i].file.c_str());
        }
    }
}

void CCBAnimationManager::completeSequence()
{
    const CCBSequenceData* seq = findSequence(m_runningId);
    std::string name = m_runningName;
    int chained = seq ? seq->chainedSequenceId : -1;

    // Idle before anyone is told, so a listener may start the next timeline at once.
    m_runningId = -1;
    m_runningName.clear();
    m_lastCompletedName = name;
    // Stays scheduled: a chained or newly started sequence goes on from the next frame, and an
    // idle manager unschedules itself on its next tick.

    retain();  // the delegate or callback may drop the last reference to this manager
    if (m_pDelegate) m_pDelegate->completedAnimationSequenceNamed(name.c_str());
    if (m_pTarget && m_pCallback)
    {
        CCObject* target = m_pTarget;
        SEL_CallFunc callback = m_pCallback;
        target->retain();
        (target->*callback)();
        target->release();
    }
    // The chain follows unless a listener already chose another timeline.
    if (chained != -1 && m_runningId < 0) runAnimationsForSequenceIdTweenDuration(chained, 0);
    release();
}

void CCBAnimationManager::applyAt(float time)
{
    for (size_t n = 0; n < m_nodes.size(); ++n)
    {
        NodeAnimation& entry = m_nodes[n];
        for (size_t s = 0; s < entry.sequences.size(); ++s)
        {
            if (entry.sequences[s].sequenceId != m_runningId) continue;
            const std::vector<CCBAnimatedPropertyData>& props = entry.sequences[s].properties;
            for (size_t p = 0; p < props.size(); ++p)
            {
                if (props[p].keyframes.empty()) continue;
                CCBValueData value;
                if (time < 0)
                {
                    // Tweening from the current value to the first keyframe.
                    float f = m_tween > 0 ? (time + m_tween) / m_tween : 1;
                    value = props[p].keyframes.front().value;
                    for (size_t k = 0; k < m_tweenStarts.size(); ++k)
                    {
                        if (m_tweenStarts[k].node == n && m_tweenStarts[k].prop == props[p].name)
                        {
                            value = CCBKeyframeTrack::blend(m_tweenStarts[k].value, value, f);
                        }
                    }
                }
                else
                {
                    value = CCBKeyframeTrack::valueAt(props[p], time);
                }
                applyValue(entry, props[p].name, value);
            }
        }
    }
}

CCBValueData CCBAnimationManager::currentValue(NodeAnimation& entry, const std::string& name, int type)
{
    CCNode* node = entry.node;
    CCBValueData v(type);
    if (name == "position")
    {
        // Tweens work in the layout's units, so undo the position kind for the start value.
        std::map<std::string, CCBValueData>::iterator base = entry.baseValues.find(name);
        int kind = base != entry.baseValues.end() ? base->second.ints[0] : 0;
        CCPoint p = CCBReader::getRelativePosition(node->getPosition(), kind, getContainerSize(node->getParent()));
        v.floats[0] = p.x;
        v.floats[1] = p.y;
    }
    else if (name == "scale")
    {
        std::map<std::string, CCBValueData>::iterator base = entry.baseValues.find(name);
        float factor = (base != entry.baseValues.end() && base->second.ints[0] == kCCBScaleTypeMultiplyResolution)
                           ? CCBReader::getResolutionScale() : 1.0f;
        v.floats[0] = factor ? node->getScaleX() / factor : node->getScaleX();
        v.floats[1] = factor ? node->getScaleY() / factor : node->getScaleY();
    }
    else if (name == "rotation") v.floats[0] = node->getRotation();
    else if (name == "skew")
    {
        v.floats[0] = node->getSkewX();
        v.floats[1] = node->getSkewY();
    }
    else if (CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(node))
    {
        if (name == "opacity") v.bytes[0] = rgba->getOpacity();
        if (name == "color")
        {
            v.bytes[0] = rgba->getColor().r;
            v.bytes[1] = rgba->getColor().g;
            v.bytes[2] = rgba->getColor().b;
        }
    }
    if (name == "visible") v.bytes[0] = node->isVisible() ? 1 : 0;
    return v;
}

void CCBAnimationManager::applyValue(NodeAnimation& entry, const std::string& name, const CCBValueData& value)
{
    CCNode* node = entry.node;
    if (value.type < 0) return;
    if (name == "position")
    {
        std::map<std::string, CCBValueData>::iterator base = entry.baseValues.find(name);
        int kind = base != entry.baseValues.end() ? base->second.ints[0] : kCCBPositionTypeRelativeBottomLeft;
        node->setPosition(CCBReader::getAbsolutePosition(ccp(value.floats[0], value.floats[1]), kind,
                                                         getContainerSize(node->getParent())));
    }
    else if (name == "scale")
    {
        std::map<std::string, CCBValueData>::iterator base = entry.baseValues.find(name);
        int kind = base != entry.baseValues.end() ? base->second.ints[0] : kCCBScaleTypeAbsolute;
        float factor = kind == kCCBScaleTypeMultiplyResolution ? CCBReader::getResolutionScale() : 1.0f;
        node->setScaleX(value.floats[0] * factor);
        node->setScaleY(value.floats[1] * factor);
    }
    else if (name == "rotation")
    {
        node->setRotation(value.floats[0]);
    }
    else if (name == "skew")
    {
        node->setSkewX(value.floats[0]);
        node->setSkewY(value.floats[1]);
    }
    else if (name == "visible")
    {
        node->setVisible(value.bytes[0] != 0);
    }
    else if (name == "opacity" || name == "color")
    {
        CCRGBAProtocol* rgba = dynamic_cast<CCRGBAProtocol*>(node);
        if (!rgba) return;
        if (name == "opacity") rgba->setOpacity(value.bytes[0]);
        else rgba->setColor(ccc3(value.bytes[0], value.bytes[1], value.bytes[2]));
    }
    else if (name == "displayFrame")
    {
        CCSprite* sprite = dynamic_cast<CCSprite*>(node);
        CCSpriteFrame* frame = CCBReader::loadSpriteFrame(value.strings[0].c_str(), value.strings[1].c_str(), m_rootPath.c_str());
        if (sprite && frame) sprite->setDisplayFrame(frame);
    }
}

NS_CC_EXT_END
