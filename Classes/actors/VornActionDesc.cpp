#include "VornActionDesc.h"

#include "CCConsole.h"
#include "CCFileUtils.h"
#include "CCSpriteFrame.h"
#include "CCSpriteFrameCache.h"
#include "CCTextureCache.h"
#include "SFXManager.h"
#include "VornActorDesc.h"
#include "VornDictionary.h"
#include "VornEventDesc_Attack.h"
#include "VornEventDesc_Delay.h"
#include "VornEventDesc_GrabTarget.h"
#include "VornEventDesc_Jump.h"
#include "VornEventDesc_Throw.h"
#include "VornGameTypes.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

NS_CC_BEGIN

namespace
{
const int kKeep = INT_MIN;  // the type leaves this field as it is

struct tActionTypeRule
{
    int priority;
    int stackMode;
    int moveMode;
    int canRestart;
    int canTakeDamage;
    int isForced;
    int loopCount;
};

const tActionTypeRule kOtherTypeRule = {0, 0, 0, 1, 0, kKeep, kKeep};

tActionTypeRule typeRule(int type)
{
    switch (type)
    {
    case kVAT_Idle: return {0, 3, 0, 0, kKeep, kKeep, -1};
    case kVAT_Walk: return {1, 3, 1, 0, kKeep, kKeep, -1};
    case kVAT_FallForward:
    case kVAT_FallBack:
    case kVAT_Thrown:
    case kVAT_ThrownBack: return {6, 2, 2, 0, 0, 1, kKeep};
    case kVAT_Floored: return {3, 1, 0, 0, kKeep, kKeep, kKeep};
    case kVAT_FlooredTakeDamage: return {4, 0, 0, 1, kKeep, kKeep, kKeep};
    case kVAT_StandUp: return {2, 0, 0, 0, 0, kKeep, kKeep};
    case kVAT_Jump: return {2, 2, 2, 0, kKeep, kKeep, kKeep};
    case kVAT_JumpAttack: return {3, 0, 2, 0, kKeep, kKeep, kKeep};
    case kVAT_LightAttack:
    case kVAT_HeavyAttack:
    case kVAT_BackAttack:
    case kVAT_RushAttackIntro:
    case kVAT_GroundAttack: return {2, 0, 0, 0, kKeep, kKeep, kKeep};
    case kVAT_RushAttack: return {2, 0, 1, 0, kKeep, kKeep, kKeep};
    case kVAT_TakeDamage: return {4, 0, 2, 1, kKeep, 1, kKeep};
    case kVAT_Stunned: return {4, 0, 0, 1, 1, 1, kKeep};
    case kVAT_Grabbed:
    case kVAT_Grab: return {2, 2, 0, 0, 1, 1, kKeep};
    case kVAT_GrabbedImpact: return {3, 0, 0, 1, kKeep, kKeep, kKeep};
    case kVAT_GrabLightAttack:
    case kVAT_GrabHeavyAttack: return {3, 0, 0, 0, kKeep, kKeep, kKeep};
    case kVAT_GrabThrowBack:
    case kVAT_GrabThrowForward: return {3, 0, 0, 0, 0, kKeep, kKeep};
    default: return kOtherTypeRule;  // ForwardAttack, Default and no type
    }
}

int eventTypeFromName(const std::string& name)
{
    static const struct
    {
        const char* name;
        int type;
    } kEventNames[] = {{"Attack", kVET_Attack}, {"Sound", kVET_Sound},           {"Jump", kVET_Jump},
                       {"Delay", kVET_Delay},   {"GrabTarget", kVET_GrabTarget}, {"Throw", kVET_Throw}};
    for (const auto& entry : kEventNames)
    {
        if (name == entry.name)
        {
            return entry.type;
        }
    }
    return kVET_None;
}

const std::vector<VornActionDesc*> kNoDescs;
const std::string kNoName;
} // namespace

VornActionDesc::VornActionDesc()
    : m_nType(kVAT_MAX),
      m_pOwner(NULL),
      m_pEvents(NULL),
      m_fDuration(0.0f),
      m_anchorPoint(0.5f, 0.0f),
      m_nLoopCount(0),
      m_nLoopStart(0),
      m_nLoopEnd(0),
      m_nPriority(0),
      m_pFrames(NULL),
      m_fShadowScale(1.0f),
      m_pNextActionDesc(NULL),
      m_nStackMode(0),
      m_nMoveMode(0),
      m_bCanRestart(false),
      m_bCanTakeDamage(true),
      m_bIsForced(false),
      m_bIsUnstoppable(false),
      m_bounds(0.0f, 0.0f)
{
}

VornActionDesc::~VornActionDesc()
{
    releaseLinks();
    CC_SAFE_RELEASE(m_pEvents);
    CC_SAFE_RELEASE(m_pFrames);
}

void VornActionDesc::releaseLinks()
{
    for (int t = 0; t < kVAT_MAX; ++t)
    {
        for (VornActionDesc* desc : m_nextDescs[t])
        {
            CC_SAFE_RELEASE(desc);
        }
        m_nextDescs[t].clear();
    }
    setNextActionDesc(NULL);
    m_pOwner = NULL;
}

bool VornActionDesc::initWithDictionary(CCDictionary* dict, VornActorDesc* owner, std::string name)
{
    m_name = name;
    m_pOwner = owner;

    std::string typeName = name;
    bool hasType = VornDictionary::getString(dict, "Type", &typeName);
    if (hasType || m_nType == kVAT_MAX)
    {
        m_nType = actionTypeFromName(typeName);
    }

    if (!VornDictionary::getFloat(dict, "Duration", &m_fDuration) && m_fDuration < 0.001f)
    {
        return false;
    }

    CCDictionary* events = dict ? dynamic_cast<CCDictionary*>(dict->objectForKey("Events")) : NULL;
    if (events && !initEvents(events))
    {
        return false;
    }

    CCArray* frameNames = NULL;
    if (VornDictionary::getArray(dict, "Frames", &frameNames))
    {
        bool framesLoaded = initFrames(frameNames);
        frameNames->release();
        if (!framesLoaded)
        {
            CCLog("VornActionDesc::initWithDictionary - Error loading animation frames\n");
            return false;
        }
    }
    else if (!m_pFrames)
    {
        // Every action is drawn: one without frames would leave the actor invisible.
        CCLog("VornActionDesc::initWithDictionary - Error loading animation frames\n");
        return false;
    }

    if (!VornDictionary::getPoint(dict, "AnchorPoint", &m_anchorPoint))
    {
        m_anchorPoint = m_pOwner ? m_pOwner->getAnchorPoint() : CCPoint(0.5f, 0.0f);
    }

    VornDictionary::getInt(dict, "LoopCount", &m_nLoopCount);
    VornDictionary::getInt(dict, "LoopStart", &m_nLoopStart);
    bool hasLoopEnd = VornDictionary::getInt(dict, "LoopEnd", &m_nLoopEnd);
    int last = (int)m_pFrames->count() - 1;
    if (!hasLoopEnd || (unsigned int)m_nLoopEnd > (unsigned int)last)
    {
        m_nLoopEnd = last;
    }

    VornDictionary::getInt(dict, "Priority", &m_nPriority);
    VornDictionary::getFloat(dict, "ShadowScale", &m_fShadowScale);
    VornDictionary::getString(dict, "NextAction", &m_nextAction);
    VornDictionary::getString(dict, "SFX", &m_sfx);

    if (!VornDictionary::getSize(dict, "Bounds", &m_bounds))
    {
        m_bounds = m_pOwner ? m_pOwner->getBounds() : CCSize(0.0f, 0.0f);
    }

    for (int t = 0; t < kVAT_MAX; ++t)
    {
        VornDictionary::getString(dict, "Next" + kActionTypeNames[t], &m_nextNames[t]);
    }
    VornDictionary::getBool(dict, "IsUnstoppable", &m_bIsUnstoppable);

    mendTimings();
    applyTypeRules();
    return true;
}

void VornActionDesc::setDuration(float duration)
{
    // A script sets what a file could hold: the same mend as when the file is read.
    if (!(duration >= 0.0f))
    {
        CCLog("VornActionDesc::setDuration - action '%s': Duration %g taken as 0", m_name.c_str(), duration);
        duration = 0.0f;
    }
    m_fDuration = duration;
}

void VornActionDesc::setLoopStart(int loopStart)
{
    // Only a negative start is mended here: LoopEnd may be set after it.
    int mended = std::max(0, loopStart);
    if (mended != loopStart)
    {
        CCLog("VornActionDesc::setLoopStart - action '%s': LoopStart %d taken as %d", m_name.c_str(), loopStart, mended);
    }
    m_nLoopStart = mended;
}

void VornActionDesc::mendTimings()
{
    // Timings that would stop the action's clock or run it away for good; said once per action.
    std::string mended;
    if (!(m_fDuration >= 0.0f))
    {
        m_fDuration = 0.0f;
        mended += " negative Duration taken as 0;";
    }
    int loopStart = std::max(0, std::min(m_nLoopStart, m_nLoopEnd));
    if (loopStart != m_nLoopStart)
    {
        mended += " LoopStart " + std::to_string(m_nLoopStart) + " taken as " + std::to_string(loopStart) + ";";
        m_nLoopStart = loopStart;
    }
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pEvents, object)
    {
        // A delay at every update would freeze the action for ever: no freeze, like a negative one.
        VornEventDesc_Delay* delay = dynamic_cast<VornEventDesc_Delay*>(object);
        if (delay && (delay->getDelay() < 0.0f || (delay->getDelay() > 0.0f && delay->getTime() < 0.0f)))
        {
            delay->setDelay(0.0f);
            mended += " Delay of " + delay->getName() + " taken as 0;";
        }
    }
    if (!mended.empty())
    {
        mended.erase(mended.size() - 1);
        CCLog("VornActionDesc::initWithDictionary - action '%s' of %s:%s", m_name.c_str(),
              m_pOwner ? m_pOwner->getFileName().c_str() : "", mended.c_str());
    }
}

void VornActionDesc::applyTypeRules()
{
    tActionTypeRule rule = typeRule(m_nType);
    m_nPriority = rule.priority;
    m_nStackMode = rule.stackMode;
    m_nMoveMode = rule.moveMode;
    m_bCanRestart = rule.canRestart != 0;
    if (rule.canTakeDamage != kKeep)
    {
        m_bCanTakeDamage = rule.canTakeDamage != 0;
    }
    if (rule.isForced != kKeep)
    {
        m_bIsForced = rule.isForced != 0;
    }
    if (rule.loopCount != kKeep)
    {
        m_nLoopCount = rule.loopCount;
    }
}

bool VornActionDesc::initEvents(CCDictionary* events)
{
    CCArray* array = new CCArray();
    if (!array->init())
    {
        array->release();
        CCLog("VornActionDesc::initEvents - Error allocating events array\n");
        return false;
    }
    setEvents(array);
    array->release();

    CCDictElement* element = NULL;
    CCDICT_FOREACH(events, element)
    {
        CCDictionary* source = dynamic_cast<CCDictionary*>(element->getObject());
        if (!source)
        {
            continue;
        }
        CCDictionary* eventDict = CCDictionary::createWithDictionary(source);
        std::string typeName;
        if (!VornDictionary::getString(eventDict, "Type", &typeName))
        {
            continue;
        }
        std::string eventName = m_name + "." + element->getStrKey();
        CCObject* event = NULL;
        if (!createEvent(eventTypeFromName(typeName), eventDict, eventName, &event))
        {
            return false;
        }
        if (event)
        {
            m_pEvents->addObject(event);
        }
    }
    return true;
}

bool VornActionDesc::createEvent(int eventType, CCDictionary* dict, const std::string& eventName, CCObject** out)
{
    *out = NULL;
    VornEventDesc* event = NULL;
    switch (eventType)
    {
    case kVET_Attack: event = new VornEventDesc_Attack(); break;
    case kVET_Jump: event = new VornEventDesc_Jump(); break;
    case kVET_Delay: event = new VornEventDesc_Delay(); break;
    case kVET_GrabTarget: event = new VornEventDesc_GrabTarget(); break;
    case kVET_Throw: event = new VornEventDesc_Throw(); break;
    default: return true;  // sounds and unknown kinds carry no object: skipped
    }
    event->autorelease();
    std::string ownerFile = m_pOwner ? m_pOwner->getFileName() : std::string();
    if (!event->initWithDictionary(dict, eventName, ownerFile))
    {
        return false;
    }
    *out = event;
    return true;
}

float VornActionDesc::getLastBlowTime()
{
    float last = -1.0f;
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pEvents, object)
    {
        VornEventDesc* event = dynamic_cast<VornEventDesc*>(object);
        if (event && event->getType() == kVET_Attack)
        {
            last = std::max(last, event->getTime() < 0.0f ? 1.0f : event->getTime());
        }
    }
    return last;
}

bool VornActionDesc::willAttackHitActor(VornActor* attacker, VornActor* target)
{
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pEvents, object)
    {
        VornEventDesc* event = dynamic_cast<VornEventDesc*>(object);
        if (event && event->getType() == kVET_Attack &&
            static_cast<VornEventDesc_Attack*>(event)->willHitActor(attacker, target))
        {
            return true;
        }
    }
    return false;
}

bool VornActionDesc::initFrames(CCArray* frameNames)
{
    CCArray* frames = new CCArray();
    frames->init();
    setFrames(frames);
    frames->release();

    CCSpriteFrameCache* cache = CCSpriteFrameCache::sharedSpriteFrameCache();
    std::string prefix = m_pOwner ? m_pOwner->getSpritePrefix() : std::string();
    CCObject* object = NULL;
    CCARRAY_FOREACH(frameNames, object)
    {
        CCString* frameName = dynamic_cast<CCString*>(object);
        if (!frameName)
        {
            return false;
        }
        CCSpriteFrame* frame = NULL;
        if (!prefix.empty())
        {
            frame = cache->spriteFrameByName((prefix + frameName->getCString()).c_str());
        }
        if (!frame)
        {
            frame = cache->spriteFrameByName(frameName->getCString());
        }
        if (!frame)
        {
            return false;
        }
        m_pFrames->addObject(frame);
    }
    return true;
}

void VornActionDesc::initPostLoad()
{
    CCDictionary* actions = m_pOwner ? m_pOwner->getActions() : NULL;
    for (int t = 0; t < kVAT_MAX; ++t)
    {
        if (m_nextNames[t].empty())
        {
            continue;
        }
        VornActionDesc* next = actions ? dynamic_cast<VornActionDesc*>(actions->objectForKey(m_nextNames[t])) : NULL;
        CC_SAFE_RETAIN(next);
        m_nextDescs[t].push_back(next);
    }
    if (!m_nextAction.empty())
    {
        setNextActionDesc(actions ? dynamic_cast<VornActionDesc*>(actions->objectForKey(m_nextAction)) : NULL);
    }
}

bool VornActionDesc::isAttackType(int type)
{
    switch (type)
    {
    case kVAT_JumpAttack:
    case kVAT_LightAttack:
    case kVAT_HeavyAttack:
    case kVAT_ForwardAttack:
    case kVAT_BackAttack:
    case kVAT_RushAttack:
    case kVAT_GroundAttack:
    case kVAT_GrabLightAttack:
    case kVAT_GrabHeavyAttack:
        return true;
    default:
        return false;
    }
}

bool VornActionDesc::initSpriteSheet(const char* name)
{
    CCFileUtils* files = CCFileUtils::sharedFileUtils();
    std::string path = std::string(name ? name : "") + ".plist";
    const std::string sheetPath = files->fullPathForContentName(path, "VornActionDesc::initSpriteSheet");
    if (sheetPath.empty())
    {
        return false;
    }
    CCDictionary* sheet = CCDictionary::createWithContentsOfFile(sheetPath.c_str());
    CCDictionary* metadata = sheet ? dynamic_cast<CCDictionary*>(sheet->objectForKey("metadata")) : NULL;
    std::string textureName;
    if (!VornDictionary::getString(metadata, "textureFileName", &textureName))
    {
        CCLog("VornActionDesc::initSpriteSheet - '%s' is missing or names no texture\n", path.c_str());
        return false;
    }

    size_t slash = path.rfind('/');
    std::string texturePath = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + textureName;
    if (files->fullPathForContentName(texturePath, "VornActionDesc::initSpriteSheet texture").empty())
    {
        return false;
    }
    CCTexture2D* texture = CCTextureCache::sharedTextureCache()->addImage(texturePath.c_str());
    if (!texture)
    {
        CCLog("VornActionDesc::initSpriteSheet - unable to load texture '%s'\n", texturePath.c_str());
        return false;
    }
    // Pixel art: keep the pixels sharp when scaled.
    texture->setAliasTexParameters();
    CCSpriteFrameCache::sharedSpriteFrameCache()->addSpriteFramesWithDictionary(sheet, texture);
    return true;
}

VornActionDesc* VornActionDesc::getNextInCombo(int actionType)
{
    if (actionType < 0 || actionType >= kVAT_MAX || m_nextDescs[actionType].empty())
    {
        return NULL;
    }
    const std::vector<VornActionDesc*>& descs = m_nextDescs[actionType];
    return descs[(rand() & 0x7FFF) % descs.size()];
}

const std::vector<VornActionDesc*>& VornActionDesc::getNextDescs(int actionType) const
{
    return (actionType >= 0 && actionType < kVAT_MAX) ? m_nextDescs[actionType] : kNoDescs;
}

const std::string& VornActionDesc::getNextName(int actionType) const
{
    return (actionType >= 0 && actionType < kVAT_MAX) ? m_nextNames[actionType] : kNoName;
}

void VornActionDesc::preloadSFX()
{
    CCObject* object = NULL;
    CCARRAY_FOREACH(m_pEvents, object)
    {
        static_cast<VornEventDesc*>(object)->preloadSFX();
    }
    SFXManager* sfx = SFXManager::sharedSFXManager();
    if (!m_sfx.empty() && sfx)
    {
        sfx->preloadSFX(m_sfx.c_str());
    }
}

NS_CC_END
