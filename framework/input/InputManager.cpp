#include "InputManager.h"

#include "InputHandler_DesktopGamepad.h"
#include "InputHandler_Keyboard.h"

#include <stdlib.h>

NS_CC_BEGIN

namespace
{
InputManager* s_sharedInputManager = NULL;
}

InputManager::InputManager() : m_pHandlers(NULL)
{
    if (s_sharedInputManager == NULL)
    {
        s_sharedInputManager = this;
    }
}

InputManager::~InputManager()
{
    if (m_pHandlers != NULL)
    {
        CCDictElement* element = NULL;
        CCDICT_FOREACH(m_pHandlers, element)
        {
            InputHandler* handler = static_cast<InputHandler*>(element->getObject());
            unregisterHandler(handler);
            // The keyboard dispatcher holds the keyboard handler; let it go with its manager.
            InputHandler_Keyboard* keyboard = dynamic_cast<InputHandler_Keyboard*>(handler);
            if (keyboard != NULL)
            {
                keyboard->unregisterFromDispatcher();
            }
        }
    }
    CC_SAFE_RELEASE(m_pHandlers);
    // A manager that is gone must not be handed out.
    if (s_sharedInputManager == this)
    {
        s_sharedInputManager = NULL;
    }
}

InputManager* InputManager::sharedInputManager()
{
    return s_sharedInputManager;
}

bool InputManager::init()
{
    setHandlers(CCDictionary::create());

    InputHandler_Keyboard* keyboard = new InputHandler_Keyboard();
    keyboard->setDeviceID(rand());
    keyboard->autorelease();
    keyboard->init();
    registerHandler(keyboard);

    InputHandler_DesktopGamepad* gamepads = new InputHandler_DesktopGamepad();
    gamepads->autorelease();
    gamepads->init();
    registerHandler(gamepads);
    return true;
}

void InputManager::setHandlers(CCDictionary* handlers)
{
    CC_SAFE_RETAIN(handlers);
    CC_SAFE_RELEASE(m_pHandlers);
    m_pHandlers = handlers;
}

void InputManager::registerHandler(InputHandler* handler)
{
    if (handler == NULL)
    {
        return;
    }
    if (m_pHandlers == NULL)
    {
        setHandlers(CCDictionary::create());
    }
    InputHandler* previous = static_cast<InputHandler*>(m_pHandlers->objectForKey(std::string(handler->getName())));
    if (previous != NULL && previous != handler)
    {
        unregisterHandler(previous);
    }
    m_pHandlers->setObject(handler, std::string(handler->getName()));
    handler->getAxisSignal().connect(this, &InputManager::onAxisEvent);
    handler->getButtonSignal().connect(this, &InputManager::onButtonEvent);
}

void InputManager::unregisterHandler(InputHandler* handler)
{
    handler->getAxisSignal().disconnect(this, &InputManager::onAxisEvent);
    handler->getButtonSignal().disconnect(this, &InputManager::onButtonEvent);
}

InputHandler* InputManager::getHandlerWithName(const char* name)
{
    if (name == NULL || m_pHandlers == NULL)
    {
        return NULL;
    }
    return static_cast<InputHandler*>(m_pHandlers->objectForKey(std::string(name)));
}

void InputManager::resetAllButtonInfos()
{
    if (m_pHandlers == NULL)
    {
        return;
    }
    CCDictElement* handlerElement = NULL;
    CCDICT_FOREACH(m_pHandlers, handlerElement)
    {
        CCDictionary* buttonInfos = static_cast<InputHandler*>(handlerElement->getObject())->getButtonInfos();
        if (buttonInfos == NULL)
        {
            continue;
        }
        CCDictElement* typeElement = NULL;
        CCDICT_FOREACH(buttonInfos, typeElement)
        {
            CCDictElement* infoElement = NULL;
            CCDICT_FOREACH(static_cast<CCDictionary*>(typeElement->getObject()), infoElement)
            {
                // Queued events keep their own reference to the dropped array.
                static_cast<ButtonInputInfo*>(infoElement->getObject())->setMappedInputs(NULL);
            }
        }
    }
}

void InputManager::onAxisEvent(AxisInputEvent* event)
{
    m_axisSignal.emit(event);
}

void InputManager::onButtonEvent(ButtonInputEvent* event)
{
    m_buttonSignal.emit(event);
}

NS_CC_END
