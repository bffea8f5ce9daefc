#include "ArenaTask.h"

#include "ArenaTaskInstance.h"
#include "LocaleManager.h"
#include "TextHelpers.h"
#include "VornActionDesc.h"
#include "VornActor.h"
#include "VornActorDesc.h"
#include "VornEventDesc.h"
#include "VornEventDesc_Attack.h"
#include "VornEventDesc_Throw.h"
#include "VornGameTypes.h"

NS_CC_BEGIN

ArenaTask::ArenaTask() : m_pInstances(NULL), m_pConnectedPlayer(NULL)
{
}

ArenaTask::~ArenaTask()
{
    // Each kind leaves its player's signals in its own destructor, while it can still name them.
    CC_SAFE_RELEASE(m_pConnectedPlayer);
    CC_SAFE_RELEASE(m_pInstances);
}

bool ArenaTask::init()
{
    setInstances(CCArray::create());
    return true;
}

void ArenaTask::setInstances(CCArray* instances)
{
    CC_SAFE_RETAIN(instances);
    CC_SAFE_RELEASE(m_pInstances);
    m_pInstances = instances;
}

void ArenaTask::connectSignals(VornActor* player)
{
    if (player != m_pConnectedPlayer)
    {
        disconnectSignals();
    }
    if (player == NULL)
    {
        return;
    }
    if (m_pConnectedPlayer == NULL)
    {
        player->retain();
        m_pConnectedPlayer = player;
    }
    // Connecting again changes nothing: a signal holds each subscription once.
    connectTo(player);
}

void ArenaTask::disconnectSignals()
{
    if (m_pConnectedPlayer == NULL)
    {
        return;
    }
    disconnectFrom(m_pConnectedPlayer);
    CC_SAFE_RELEASE_NULL(m_pConnectedPlayer);
}

void ArenaTask::addInstance(ArenaTaskInstance* instance)
{
    if (instance && m_pInstances && !m_pInstances->containsObject(instance))
    {
        m_pInstances->addObject(instance);
        restartInstance(instance);
    }
}

void ArenaTask::removeInstance(ArenaTaskInstance* instance)
{
    if (instance && m_pInstances)
    {
        m_pInstances->removeObject(instance);
    }
}

void ArenaTask::advance()
{
    if (m_pInstances == NULL || m_pInstances->count() == 0)
    {
        return;
    }
    // A completed slot takes its next task while we walk: each slot here now gets one step.
    CCArray* slots = CCArray::createWithArray(m_pInstances);
    CCObject* object = NULL;
    CCARRAY_FOREACH(slots, object)
    {
        static_cast<ArenaTaskInstance*>(object)->incrementProgress();
    }
}

void ArenaTask::advanceAllTo(int progress)
{
    if (m_pInstances == NULL || m_pInstances->count() == 0)
    {
        return;
    }
    CCArray* slots = CCArray::createWithArray(m_pInstances);
    CCObject* object = NULL;
    CCARRAY_FOREACH(slots, object)
    {
        static_cast<ArenaTaskInstance*>(object)->advanceTo(progress);
    }
}

std::string ArenaTask::localize(const char* localeId)
{
    LocaleManager* locale = LocaleManager::sharedLocaleManager();
    const char* text = locale ? locale->localize(localeId) : NULL;
    return text ? text : localeId;
}

std::string ArenaTask::describe(const char* localeId, ArenaTaskInstance* instance)
{
    const int target = instance ? instance->getTarget() : 0;
    std::string text = localize(localeId);
    if (target == 1)
    {
        // "Throw 1 enemy", not "1 enemies": a text of its own for one, where the table has it.
        const std::string oneId = std::string(localeId) + "_ONE";
        const std::string one = localize(oneId.c_str());
        if (one != oneId)
        {
            text = one;
        }
    }
    replaceAllWithInt(text, "<%1>", target);
    return text;
}

bool ArenaTask::hasActionWithEvent(VornActorDesc* desc, int actionType, int eventType, int attackType)
{
    if (desc == NULL)
    {
        return false;
    }
    // Any of the character's moves of that type will do: the task must be possible, not likely.
    const std::vector<VornActionDesc*>& actions = desc->getActionsForType(actionType);
    for (size_t i = 0; i < actions.size(); ++i)
    {
        CCArray* events = actions[i] ? actions[i]->getEvents() : NULL;
        CCObject* object = NULL;
        CCARRAY_FOREACH(events, object)
        {
            VornEventDesc* event = dynamic_cast<VornEventDesc*>(object);
            // A throw event is known by its class as well as by its type.
            bool isThrow = eventType == kVET_Throw && dynamic_cast<VornEventDesc_Throw*>(object) != NULL;
            if (event == NULL || (event->getType() != eventType && !isThrow))
            {
                continue;
            }
            if (eventType != kVET_Attack)
            {
                return true;
            }
            VornEventDesc_Attack* attack = dynamic_cast<VornEventDesc_Attack*>(event);
            if (attack && attack->getAttackType() == attackType)
            {
                return true;
            }
        }
    }
    return false;
}

NS_CC_END
