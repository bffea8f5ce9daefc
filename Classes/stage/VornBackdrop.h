#ifndef __VORN_BACKDROP_H__
#define __VORN_BACKDROP_H__

#include "CCBAnimationManager.h"
#include "CCBMemberVariableAssigner.h"
#include "CCLayer.h"

#include <map>
#include <string>
#include <vector>

NS_CC_BEGIN

class CCArray;
class CCString;
class VornCollision;
class VornScriptEngine;

/**
 * The scenery of one stage, read from a layout whose root's tag-0 child holds the layers:
 * backgrounds -2, -3, ... (parallax behind), the main layer 0 (its extent is the level and it
 * carries the edge walls) and foregrounds 1, 2, ... (moved into the layer parent at z = tag).
 * Level objects ("VornObject") move into the object parent and are depth-sorted with the actors;
 * member variables of the layout are found by name; timelines run on request, one frame later.
 */
class VornBackdrop : public CCLayer,
                     public extension::CCBMemberVariableAssigner,
                     public extension::CCBAnimationManagerDelegate
{
public:
    typedef std::map<std::string, CCNode*> NamedNodeMap;

    /** A fighter as the scenery sees him: his box in the window and his place among the drawn. */
    struct FighterView
    {
        CCRect box;
        CCNode* parent;
        int zOrder;
    };

    /** Collision lists the backdrop fills. */
    static const int kSignCollisionList = 4;
    static const int kBoundsCollisionList = 16;

    VornBackdrop();
    virtual ~VornBackdrop();

    /**
     * Reads the layout (".ccbi" appended). Foregrounds and the layout's root go into layerParent
     * (when given), objects into objectParent (without one they stay where the layout put them
     * and are not depth-sorted). False (logged, nothing kept) when the file, the layer container
     * or the main layer is missing. Loading again first drops the previous stage.
     */
    virtual bool initWithFile(const char* file, CCNode* layerParent, CCNode* objectParent);
    /** Drops everything the load made; the backdrop can be loaded again. */
    virtual void reset();

    /** The layout's member variable of that name, NULL when there is none. */
    CCNode* getNodeByName(const char* name);
    /** Every object with the tag loops the sheet's frames, delay seconds each; false when none matched. */
    bool setObjectAnimation(int tag, const char* file, float delay);
    /** Adds a node to the objects (scripts use it; nothing else happens to it). */
    void addObject(CCNode* node);
    /**
     * Starts the timeline at the next update. When engine and a non-zero stack index of its state
     * are given and the value there is not nil, that function is called once the timeline ends.
     */
    bool playAnimation(const char* name, VornScriptEngine* engine = NULL, int stackIndex = 0);

    /** Camera offset (negated view x, 0): backgrounds and foregrounds move by their factors. */
    void onCameraMoved(CCPoint point);
    void onUpdate(float dt);
    void onContinue();
    /**
     * Scenery drawn over a fighter (the near layers' pictures, and objects standing nearer the
     * viewer than he does) turns see-through while it covers much of him, and comes back once he
     * is clear: nobody fights unseen behind a pillar.
     */
    void fadeOverFighters(const std::vector<FighterView>& fighters, float dt);

    virtual bool onAssignCCBMemberVariable(CCObject* pTarget, const char* pMemberVariableName, CCNode* pNode);
    virtual void completedAnimationSequenceNamed(const char* name);

    /** The layout's bounds of node and, to depth levels down, its children, in node's parent space. */
    static CCRect calculateBounds(CCNode* node, int depth);

    virtual CCString* getFileName() { return m_pFileName; }
    virtual void setFileName(CCString* name);
    virtual CCArray* getBackgroundLayers() { return m_pBackgroundLayers; }
    virtual void setBackgroundLayers(CCArray* layers);
    virtual CCArray* getForegroundLayers() { return m_pForegroundLayers; }
    virtual void setForegroundLayers(CCArray* layers);
    virtual CCNode* getRootNode() { return m_pRootNode; }
    virtual void setRootNode(CCNode* node);
    virtual extension::CCBAnimationManager* getAnimationManager() { return m_pAnimationManager; }
    virtual void setAnimationManager(extension::CCBAnimationManager* manager);
    virtual CCNode* getMainLayer() { return m_pMainLayer; }
    virtual void setMainLayer(CCNode* layer) { m_pMainLayer = layer; }
    virtual CCArray* getObjects() { return m_pObjects; }
    virtual void setObjects(CCArray* objects);
    virtual bool getIgnoreNextCameraMove() { return m_bIgnoreNextCameraMove; }
    virtual void setIgnoreNextCameraMove(bool ignore) { m_bIgnoreNextCameraMove = ignore; }
    virtual float getForegroundOffset() { return m_fForegroundOffset; }
    virtual void setForegroundOffset(float offset) { m_fForegroundOffset = offset; }
    virtual CCRect getLevelBounds() { return m_levelBounds; }
    virtual void setLevelBounds(CCRect bounds) { m_levelBounds = bounds; }
    virtual VornCollision* getLeftEdgeCollision() { return m_pLeftEdgeCollision; }
    virtual void setLeftEdgeCollision(VornCollision* collision);
    virtual VornCollision* getRightEdgeCollision() { return m_pRightEdgeCollision; }
    virtual void setRightEdgeCollision(VornCollision* collision);
    virtual VornCollision* getFloorCollision() { return m_pFloorCollision; }
    virtual void setFloorCollision(VornCollision* collision);
    virtual float getBackgroundParallaxStart() { return m_fBackgroundParallaxStart; }
    virtual void setBackgroundParallaxStart(float f) { m_fBackgroundParallaxStart = f; }
    virtual float getBackgroundParallaxStep() { return m_fBackgroundParallaxStep; }
    virtual void setBackgroundParallaxStep(float f) { m_fBackgroundParallaxStep = f; }
    virtual float getForegroundParallaxStart() { return m_fForegroundParallaxStart; }
    virtual void setForegroundParallaxStart(float f) { m_fForegroundParallaxStart = f; }
    virtual float getForegroundParallaxStep() { return m_fForegroundParallaxStep; }
    virtual void setForegroundParallaxStep(float f) { m_fForegroundParallaxStep = f; }
    virtual int getAnimationCallbackRef() { return m_nAnimationCallbackRef; }
    virtual const std::string& getNextAnimation() { return m_nextAnimation; }
    virtual void setNextAnimation(const std::string& name) { m_nextAnimation = name; }
    virtual NamedNodeMap& getNamedNodes() { return m_namedNodes; }
    /** Retains the new map's nodes and releases the old ones. */
    virtual void setNamedNodes(const NamedNodeMap& nodes);

private:
    bool load(const char* file, CCNode* layerParent, CCNode* objectParent);
    VornCollision* makeEdge(const CCSize& size, const CCPoint& anchor, const CCPoint& position);
    void moveObject(CCNode* object, CCNode* objectParent);
    void releaseAnimationCallback();
    void connectSignals();
    void disconnectSignals();
    /** Moves one piece of scenery's fade on by dt, toward see-through when covering. */
    void stepFade(CCNode* piece, bool covering, float dt);
    void fadePicturesUnder(CCNode* node, const std::vector<FighterView>& fighters, float dt);

    CCString* m_pFileName;                              ///< retained
    CCArray* m_pBackgroundLayers;                       ///< retained
    CCArray* m_pForegroundLayers;                       ///< retained
    CCNode* m_pRootNode;                                ///< retained (keeps the layers alive without a parent)
    extension::CCBAnimationManager* m_pAnimationManager; ///< retained
    CCNode* m_pMainLayer;                               ///< held by the root node
    CCArray* m_pObjects;                                ///< retained
    bool m_bIgnoreNextCameraMove;
    float m_fForegroundOffset;
    CCRect m_levelBounds;
    VornCollision* m_pLeftEdgeCollision;   ///< retained
    VornCollision* m_pRightEdgeCollision;  ///< retained
    VornCollision* m_pFloorCollision;      ///< retained
    float m_fBackgroundParallaxStart;
    float m_fBackgroundParallaxStep;
    float m_fForegroundParallaxStart;
    float m_fForegroundParallaxStep;
    int m_nAnimationCallbackRef;
    VornScriptEngine* m_pCallbackEngine;   ///< retained while a callback reference is held
    std::string m_nextAnimation;
    NamedNodeMap m_namedNodes;             ///< nodes retained
    /** Scenery being faded: its own opacity, and how far faded (0 as drawn, 1 see-through). */
    struct Fade
    {
        GLubyte ownOpacity;
        float amount;
    };
    std::map<CCNode*, Fade> m_fades;       ///< nodes held by the layers and objects above
};

NS_CC_END

#endif // __VORN_BACKDROP_H__
