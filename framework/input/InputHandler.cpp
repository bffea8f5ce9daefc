#include "InputHandler.h"

#include "CCNumber.h"
#include "GameManager.h"

NS_CC_BEGIN

namespace
{
// Events of the two kinds are delivered by one loop; it needs the pool and the signal of each.
template <class Event>
void deliverEvents(CCArray* events, Signal<Event*>& signal, CCObjectPool* pool)
{
    for (unsigned int i = 0; i < events->count(); ++i)
    {
        Event* event = static_cast<Event*>(events->objectAtIndex(i));
        signal.emit(event);
        // Let go of the mapping now: a pooled event should not keep an old array alive.
        event->setMappedInputs(NULL);
        pool->returnObject(event);
    }
    events->removeAllObjects();
}

template <class Event>
CCObjectPool* makePool(unsigned int size)
{
    CCArray* events = CCArray::createWithCapacity(size);
    for (unsigned int i = 0; i < size; ++i)
    {
        Event* event = new Event();
        events->addObject(event);
        event->release();
    }
    CCObjectPool* pool = CCObjectPool::create(events);
    CC_SAFE_RETAIN(pool);
    return pool;
}
} // namespace

InputHandler::InputHandler()
: m_pAxisEvents(NULL)
, m_pButtonEvents(NULL)
, m_pButtonInfos(NULL)
, m_pAxisMappings(NULL)
, m_pAxisEventPool(NULL)
, m_pButtonEventPool(NULL)
, m_bMutexReady(false)
, m_bDispatching(false)
, m_pDeliveringAxisEvents(NULL)
, m_pDeliveringButtonEvents(NULL)
, m_pUpdateSource(NULL)
{
}

InputHandler::~InputHandler()
{
    disconnectFromUpdates();
    CC_SAFE_RELEASE(m_pAxisEvents);
    CC_SAFE_RELEASE(m_pButtonEvents);
    CC_SAFE_RELEASE(m_pDeliveringAxisEvents);
    CC_SAFE_RELEASE(m_pDeliveringButtonEvents);
    CC_SAFE_RELEASE(m_pButtonInfos);
    CC_SAFE_RELEASE(m_pAxisMappings);
    CC_SAFE_RELEASE(m_pAxisEventPool);
    CC_SAFE_RELEASE(m_pButtonEventPool);
    if (m_bMutexReady)
    {
        pthread_mutex_destroy(&m_mutex);
    }
}

bool InputHandler::init()
{
    if (!m_bMutexReady)
    {
        // Recursive: subscribers run under the lock and may queue events or reset mappings.
        pthread_mutexattr_t attributes;
        pthread_mutexattr_init(&attributes);
        pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
        const int result = pthread_mutex_init(&m_mutex, &attributes);
        pthread_mutexattr_destroy(&attributes);
        if (result != 0)
        {
            CCLog("InputHandler::init - unable to create the event mutex");
            return false;
        }
        m_bMutexReady = true;
    }
    CC_SAFE_RELEASE(m_pAxisEvents);
    CC_SAFE_RELEASE(m_pButtonEvents);
    CC_SAFE_RELEASE(m_pDeliveringAxisEvents);
    CC_SAFE_RELEASE(m_pDeliveringButtonEvents);
    m_pAxisEvents = CCArray::createWithCapacity(kEventPoolSize);
    m_pButtonEvents = CCArray::createWithCapacity(kEventPoolSize);
    m_pDeliveringAxisEvents = CCArray::createWithCapacity(kEventPoolSize);
    m_pDeliveringButtonEvents = CCArray::createWithCapacity(kEventPoolSize);
    m_pAxisEvents->retain();
    m_pButtonEvents->retain();
    m_pDeliveringAxisEvents->retain();
    m_pDeliveringButtonEvents->retain();
    setAxisMappings(CCDictionary::create());
    setButtonInfos(CCDictionary::create());
    CC_SAFE_RELEASE(m_pAxisEventPool);
    CC_SAFE_RELEASE(m_pButtonEventPool);
    m_pAxisEventPool = makePool<AxisInputEvent>(kEventPoolSize);
    m_pButtonEventPool = makePool<ButtonInputEvent>(kEventPoolSize);
    connectToUpdates();
    return true;
}

void InputHandler::connectToUpdates()
{
    GameManager* gameManager = GameManager::getInstance();
    if (gameManager == NULL || m_pUpdateSource == gameManager)
    {
        return;
    }
    disconnectFromUpdates();
    // Through the virtual slot, so a subclass's dispatch (which polls its devices first) runs.
    gameManager->getUpdateSignal().connect(this, &InputHandler::dispatchEvents);
    m_pUpdateSource = gameManager;
}

void InputHandler::disconnectFromUpdates()
{
    // Only while that game manager still lives (a destroyed one is nobody's instance).
    if (m_pUpdateSource != NULL && GameManager::getInstance() == m_pUpdateSource)
    {
        m_pUpdateSource->getUpdateSignal().disconnect(this, &InputHandler::dispatchEvents);
    }
    m_pUpdateSource = NULL;
}

void InputHandler::setButtonInfos(CCDictionary* buttonInfos)
{
    CC_SAFE_RETAIN(buttonInfos);
    CC_SAFE_RELEASE(m_pButtonInfos);
    m_pButtonInfos = buttonInfos;
}

void InputHandler::setAxisMappings(CCDictionary* axisMappings)
{
    CC_SAFE_RETAIN(axisMappings);
    CC_SAFE_RELEASE(m_pAxisMappings);
    m_pAxisMappings = axisMappings;
}

ButtonInputInfo* InputHandler::getButtonInputInfo(int buttonCode, int deviceType)
{
    if (m_pButtonInfos == NULL)
    {
        setButtonInfos(CCDictionary::create());
    }
    CCDictionary* deviceButtons = static_cast<CCDictionary*>(m_pButtonInfos->objectForKey((intptr_t)deviceType));
    if (deviceButtons == NULL)
    {
        deviceButtons = CCDictionary::create();
        m_pButtonInfos->setObject(deviceButtons, (intptr_t)deviceType);
    }
    ButtonInputInfo* info = static_cast<ButtonInputInfo*>(deviceButtons->objectForKey((intptr_t)buttonCode));
    if (info == NULL)
    {
        info = new ButtonInputInfo();
        deviceButtons->setObject(info, (intptr_t)buttonCode);
        info->release();
    }
    return info;
}

std::string InputHandler::getButtonDisplayName(int buttonCode, int deviceType)
{
    return getButtonInputInfo(buttonCode, deviceType)->getDisplayName();
}

void InputHandler::setKeyboardButtonName(int buttonCode, const char* name)
{
    getButtonInputInfo(buttonCode, DEVICE_TYPE_KEYBOARD)->setDisplayName(name != NULL ? name : "");
}

void InputHandler::queueButtonEvent(int deviceType, int deviceID, int buttonCode, bool down)
{
    CCArray* mapping = getButtonInputInfo(buttonCode, deviceType)->getMappedInputs();
    if (mapping == NULL && deviceID != -1)
    {
        mapping = getButtonInputInfo(buttonCode, DEVICE_TYPE_DEFAULT)->getMappedInputs();
    }
    if (!m_bMutexReady)
    {
        return;
    }
    pthread_mutex_lock(&m_mutex);
    ButtonInputEvent* event = static_cast<ButtonInputEvent*>(m_pButtonEventPool->getObject());
    if (event != NULL)
    {
        event->setHandler(this);
        event->setDeviceType(deviceType);
        event->setDeviceID(deviceID);
        event->setMappedInputs(mapping);
        event->setButton(buttonCode);
        event->setIsDown(down);
        m_pButtonEvents->addObject(event);
    }
    pthread_mutex_unlock(&m_mutex);
}

void InputHandler::queueAxisEvent(int deviceType, int deviceID, int axis, float value)
{
    CCArray* mapping = m_pAxisMappings != NULL ? static_cast<CCArray*>(m_pAxisMappings->objectForKey((intptr_t)axis)) : NULL;
    if (mapping == NULL || !m_bMutexReady)
    {
        return;
    }
    pthread_mutex_lock(&m_mutex);
    AxisInputEvent* event = static_cast<AxisInputEvent*>(m_pAxisEventPool->getObject());
    if (event != NULL)
    {
        event->setHandler(this);
        event->setMappedInputs(mapping);
        event->setDeviceType(deviceType);
        event->setDeviceID(deviceID);
        event->setAxis(axis);
        event->setValue(value);
        m_pAxisEvents->addObject(event);
    }
    pthread_mutex_unlock(&m_mutex);
}

void InputHandler::dispatchEvents(float dt)
{
    CC_UNUSED_PARAM(dt);
    if (m_bDispatching || !m_bMutexReady)
    {
        return;
    }
    // A subscriber may drop the last other reference to this handler.
    retain();
    m_bDispatching = true;
    pthread_mutex_lock(&m_mutex);

    // Take this frame's events out of the pending queues first: whatever the subscribers queue
    // lands in the emptied queues and goes out with the next dispatch.
    CCArray* axisEvents = m_pAxisEvents;
    m_pAxisEvents = m_pDeliveringAxisEvents;
    m_pDeliveringAxisEvents = axisEvents;
    CCArray* buttonEvents = m_pButtonEvents;
    m_pButtonEvents = m_pDeliveringButtonEvents;
    m_pDeliveringButtonEvents = buttonEvents;

    deliverEvents(axisEvents, m_axisSignal, m_pAxisEventPool);
    deliverEvents(buttonEvents, m_buttonSignal, m_pButtonEventPool);

    pthread_mutex_unlock(&m_mutex);
    m_bDispatching = false;
    release();
}

int InputHandler::getButtonCodeForInput(int logicalInput, int deviceType)
{
    CCDictionary* deviceButtons = m_pButtonInfos != NULL
                                      ? static_cast<CCDictionary*>(m_pButtonInfos->objectForKey((intptr_t)deviceType))
                                      : NULL;
    if (deviceButtons != NULL)
    {
        CCDictElement* element = NULL;
        CCDICT_FOREACH(deviceButtons, element)
        {
            ButtonInputInfo* info = static_cast<ButtonInputInfo*>(element->getObject());
            CCArray* mapping = info->getMappedInputs();
            if (mapping == NULL)
            {
                continue;
            }
            bool mapped = false;
            for (unsigned int i = 0; i < mapping->count() && !mapped; ++i)
            {
                mapped = static_cast<CCInteger*>(mapping->objectAtIndex(i))->getValue() == logicalInput;
            }
            if (mapped && element->getIntKey() != -1)
            {
                return (int)element->getIntKey();
            }
        }
    }
    if (deviceType == DEVICE_TYPE_DEFAULT)
    {
        return -1;
    }
    return getButtonCodeForInput(logicalInput, DEVICE_TYPE_DEFAULT);
}

CCArray* InputHandler::arrayWithAppended(CCArray* array, int value)
{
    CCArray* result = array != NULL ? CCArray::createWithArray(array) : CCArray::create();
    result->addObject(CCInteger::create(value));
    return result;
}

void InputHandler::addButtonMapping(int buttonCode, int deviceType, int logicalInput)
{
    ButtonInputInfo* info = getButtonInputInfo(buttonCode, deviceType);
    if (m_bMutexReady)
    {
        pthread_mutex_lock(&m_mutex);
    }
    info->setMappedInputs(arrayWithAppended(info->getMappedInputs(), logicalInput));
    if (m_bMutexReady)
    {
        pthread_mutex_unlock(&m_mutex);
    }
}

void InputHandler::addAxisMapping(int axis, int logicalAxis)
{
    if (m_pAxisMappings == NULL)
    {
        setAxisMappings(CCDictionary::create());
    }
    CCArray* mapping = static_cast<CCArray*>(m_pAxisMappings->objectForKey((intptr_t)axis));
    m_pAxisMappings->setObject(arrayWithAppended(mapping, logicalAxis), (intptr_t)axis);
}

void InputHandler::clearButtonMappings(int deviceType)
{
    if (m_pButtonInfos == NULL || !m_bMutexReady)
    {
        return;
    }
    pthread_mutex_lock(&m_mutex);
    CCDictionary* deviceButtons = static_cast<CCDictionary*>(m_pButtonInfos->objectForKey((intptr_t)deviceType));
    if (deviceButtons != NULL)
    {
        CCDictElement* element = NULL;
        CCDICT_FOREACH(deviceButtons, element)
        {
            ButtonInputInfo* info = static_cast<ButtonInputInfo*>(element->getObject());
            // A fresh empty array, not an emptied one: queued events still carry the old.
            if (info->getMappedInputs() != NULL && info->getMappedInputs()->count() > 0)
            {
                info->setMappedInputs(CCArray::create());
            }
        }
    }
    pthread_mutex_unlock(&m_mutex);
}

void InputHandler::removeInputMapping(int logicalInput, CCDictionary* deviceButtons)
{
    if (deviceButtons == NULL)
    {
        return;
    }
    CCDictElement* element = NULL;
    CCDICT_FOREACH(deviceButtons, element)
    {
        ButtonInputInfo* info = static_cast<ButtonInputInfo*>(element->getObject());
        CCArray* mapping = info->getMappedInputs();
        if (mapping == NULL)
        {
            continue;
        }
        CCArray* kept = NULL;
        for (unsigned int i = 0; i < mapping->count(); ++i)
        {
            CCInteger* input = static_cast<CCInteger*>(mapping->objectAtIndex(i));
            if (input->getValue() == logicalInput && kept == NULL)
            {
                kept = CCArray::createWithCapacity(mapping->count());
                for (unsigned int j = 0; j < i; ++j)
                {
                    kept->addObject(mapping->objectAtIndex(j));
                }
            }
            else if (kept != NULL && input->getValue() != logicalInput)
            {
                kept->addObject(input);
            }
        }
        if (kept != NULL)
        {
            info->setMappedInputs(kept);
        }
    }
}

NS_CC_END
