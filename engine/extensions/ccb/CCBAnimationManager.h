#ifndef __CCB_ANIMATION_MANAGER_H__
#define __CCB_ANIMATION_MANAGER_H__

#include "base/CCGeometry.h"
#include "base/CCObject.h"
#include "CCBDocument.h"

#include <map>
#include <string>
#include <vector>

NS_CC_BEGIN
class CCNode;
class CCScheduler;
NS_CC_END

NS_CC_EXT_BEGIN

class CCBAnimationManagerDelegate
{
public:
    virtual ~CCBAnimationManagerDelegate() {}
    /** A sequence ran to its end; the manager is already idle when this is called. */
    virtual void completedAnimationSequenceNamed(const char* name) = 0;
};

/**
 * Plays the timelines (sequences) of one layout document on its nodes: keyframes of position,
 * scale, rotation, skew, opacity, colour, visibility and sprite frame with their easings,
 * chained and auto-play sequences. Time advances from the director's scheduler while a sequence
 * runs and the root node is in a running scene. A sequence whose root only this manager still
 * holds (the graph was dropped before it ended) stops quietly, so the graph can go.
 *
 * The manager retains its root node and the nodes it animates. setRootNode does not release the
 * previous root: whoever clears or replaces a root releases it (a screen does so in cleanup).
 */
class CCBAnimationManager : public cocos2d::CCObject
{
public:
    CCBAnimationManager();
    virtual ~CCBAnimationManager();
    static CCBAnimationManager* create();

    cocos2d::CCNode* getRootNode() { return m_pRootNode; }
    void setRootNode(cocos2d::CCNode* pRootNode);
    /** The size percent and relative values of the root use (the window size for screens). */
    void setRootContainerSize(const cocos2d::CCSize& size) { m_rootContainerSize = size; }
    const cocos2d::CCSize& getRootContainerSize() { return m_rootContainerSize; }
    /** Folder of the files keyframes name (sprite sheets). */
    void setCCBRootPath(const std::string& path) { m_rootPath = path; }
    /** The parent's content size, or the root container size for no parent. */
    cocos2d::CCSize getContainerSize(cocos2d::CCNode* pNode);

    void setSequences(const std::vector<CCBSequenceData>& sequences) { m_sequences = sequences; }
    const std::vector<CCBSequenceData>& getSequences() { return m_sequences; }
    int getAutoPlaySequenceId() { return m_autoPlaySequenceId; }
    void setAutoPlaySequenceId(int id) { m_autoPlaySequenceId = id; }
    int getSequenceId(const char* pSequenceName);
    /** The named timeline's length in seconds; 0 when there is none of that name. */
    float getSequenceDuration(const char* pSequenceName);

    /** Keyframes of a node per sequence (the reader adds them). */
    void addNode(cocos2d::CCNode* pNode, const std::vector<CCBNodeSequenceData>& sequences);
    /** The value a property had in the layout; restored when a sequence does not animate it. */
    void setBaseValue(const CCBValueData& value, cocos2d::CCNode* pNode, const char* pPropName);
    /** Hands a node's keyframes and base values over to another node (sub-document roots). */
    void moveAnimationsFromNode(cocos2d::CCNode* pFromNode, cocos2d::CCNode* pToNode);

    void runAnimationsForSequenceNamed(const char* pName);
    void runAnimationsForSequenceNamedTweenDuration(const char* pName, float fTweenDuration);
    void runAnimationsForSequenceIdTweenDuration(int nSeqId, float fTweenDuration);
    /** The running sequence's name, or NULL when idle. */
    const char* getRunningSequenceName();
    const char* getLastCompletedSequenceName() { return m_lastCompletedName.c_str(); }

    /** Called after the delegate at each sequence end. Retains the new target, releases the old. */
    void setAnimationCompletedCallback(cocos2d::CCObject* target, cocos2d::SEL_CallFunc callbackFunc);
    cocos2d::CCObject* getAnimationCompletedTarget() { return m_pTarget; }
    void setDelegate(CCBAnimationManagerDelegate* pDelegate) { m_pDelegate = pDelegate; }
    CCBAnimationManagerDelegate* getDelegate() { return m_pDelegate; }

    /** Scheduler tick while a sequence runs. */
    virtual void update(float dt);
    /** Forgets every node, keyframe and base value (a failed read). */
    void clearNodes();

private:
    struct NodeAnimation
    {
        cocos2d::CCNode* node;  ///< retained
        std::vector<CCBNodeSequenceData> sequences;
        std::map<std::string, CCBValueData> baseValues;
    };
    struct TweenStart
    {
        size_t node;
        std::string prop;
        CCBValueData value;
    };

    NodeAnimation* findNode(cocos2d::CCNode* pNode, bool create);
    const CCBSequenceData* findSequence(int id) const;
    void applyAt(float time);
    void applyValue(NodeAnimation& entry, const std::string& name, const CCBValueData& value);
    CCBValueData currentValue(NodeAnimation& entry, const std::string& name, int type);
    void fireChannels(float from, float to);
    void completeSequence();
    void scheduleTicks(bool on);
    /** Whether every reference to the root is one this manager holds. */
    bool isRootAbandoned() const;

    cocos2d::CCNode* m_pRootNode;  ///< retained
    cocos2d::CCSize m_rootContainerSize;
    std::string m_rootPath;
    std::vector<CCBSequenceData> m_sequences;
    int m_autoPlaySequenceId;
    std::vector<NodeAnimation> m_nodes;

    int m_runningId;  ///< -1 when idle
    std::string m_runningName;
    std::string m_lastCompletedName;
    float m_elapsed;
    float m_tween;
    std::vector<TweenStart> m_tweenStarts;
    cocos2d::CCScheduler* m_pScheduler;  ///< the scheduler ticking this manager (not followed)

    CCBAnimationManagerDelegate* m_pDelegate;  ///< weak
    cocos2d::CCObject* m_pTarget;             ///< retained
    cocos2d::SEL_CallFunc m_pCallback;
};

NS_CC_EXT_END

#endif // __CCB_ANIMATION_MANAGER_H__
