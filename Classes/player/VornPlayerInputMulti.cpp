#include "VornPlayerInputMulti.h"

#include "CCFileUtils.h"
#include "CCMenuGamepad.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCNumber.h"
#include "CCPointExtension.h"
#include "CCString.h"
#include "CCUserDefault.h"
#include "InputHandler_DesktopGamepad.h"
#include "InputManager.h"
#include "SystemManager.h"
#include "VornGameManager.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <climits>
#include <cmath>
#include <cstdlib>

NS_CC_BEGIN

const float VornPlayerInputMulti::kHoldTime = 0.2f;
const float VornPlayerInputMulti::kAnalogSwitchThreshold = 0.95f;
const float VornPlayerInputMulti::kBackKickThreshold = 0.3f;
const float VornPlayerInputMulti::kAnalogDeadZone = 0.5f;
const float VornPlayerInputMulti::kAnalogGain = 1.6666666f;

namespace
{
const char* const kKeyboardHandlerName = "KeyboardHandler";
const char* const kGamepadHandlerName = "DesktopGamepadHandler";
const char* const kUserControlsKey = "UserControls";

struct KeyMapping
{
    int keyCode;
    int input;
};

// Escape is both the menus' back and the pause key.
const KeyMapping kDefaultKeys[] = {
    {VornPlayerInputMulti::kKeyLeft, kVornInput_Left},   {VornPlayerInputMulti::kKeyRight, kVornInput_Right},
    {VornPlayerInputMulti::kKeyDown, kVornInput_Down},   {VornPlayerInputMulti::kKeyUp, kVornInput_Up},
    {VornPlayerInputMulti::kKeySpace, kVornInput_Jump},  {'s', kVornInput_Punch},
    {'d', kVornInput_Kick},                              {'a', kVornInput_BackKick},
    {'w', kVornInput_Stomp},                             {VornPlayerInputMulti::kKeyEnter, kVornInput_MenuAction},
    {VornPlayerInputMulti::kKeyEscape, kVornInput_MenuBack}, {VornPlayerInputMulti::kKeyEscape, kVornInput_Pause},
};

bool isPlayerInput(int input)
{
    return input > kVornInput_Nop && input < kVornInput_MAX;
}

// Decimal with an optional sign, up to the first other character; no digits read as 0.
int readInteger(const char* text)
{
    long value = strtol(text, NULL, 10);
    if (value > INT_MAX)
    {
        return INT_MAX;
    }
    if (value < INT_MIN)
    {
        return INT_MIN;
    }
    return (int)value;
}

const char* attributeText(xmlAttrPtr attribute)
{
    if (attribute->children == NULL || attribute->children->content == NULL)
    {
        return "";
    }
    return reinterpret_cast<const char*>(attribute->children->content);
}

bool isNamed(xmlAttrPtr attribute, const char* name)
{
    return xmlStrcmp(attribute->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

// A "ButtonMapping" element's input and button code (-1 where absent); whether it maps a button
// to an input the player has.
bool readMapping(xmlNodePtr mapping, int* input, int* buttonCode)
{
    *input = -1;
    *buttonCode = -1;
    if (mapping->type != XML_ELEMENT_NODE)
    {
        return false;
    }
    for (xmlAttrPtr attribute = mapping->properties; attribute != NULL; attribute = attribute->next)
    {
        if (isNamed(attribute, "LogicalID"))
        {
            *input = readInteger(attributeText(attribute));
        }
        else if (isNamed(attribute, "ButtonCode"))
        {
            *buttonCode = readInteger(attributeText(attribute));
        }
    }
    return *buttonCode != -1 && isPlayerInput(*input);
}

bool hasUsableMapping(xmlNodePtr device)
{
    int input = -1;
    int buttonCode = -1;
    for (xmlNodePtr mapping = device->children; mapping != NULL; mapping = mapping->next)
    {
        if (readMapping(mapping, &input, &buttonCode))
        {
            return true;
        }
    }
    return false;
}

bool arrayHoldsInteger(CCArray* array, int value)
{
    for (unsigned int i = 0; array != NULL && i < array->count(); ++i)
    {
        CCInteger* number = dynamic_cast<CCInteger*>(array->objectAtIndex(i));
        if (number != NULL && number->getValue() == value)
        {
            return true;
        }
    }
    return false;
}

// Stick and D-pad components below the dead zone are dropped; the rest is stretched back to full range.
float shapeComponent(float value)
{
    if (fabsf(value) <= VornPlayerInputMulti::kAnalogDeadZone)
    {
        return 0.0f;
    }
    const float sign = value > 0.0f ? 1.0f : -1.0f;
    return (value - VornPlayerInputMulti::kAnalogDeadZone * sign) * 2.0f;
}
} // namespace

VornPlayerInputMulti::VornPlayerInputMulti()
: m_stickPosition(CCPointZero)
, m_dpadPosition(CCPointZero)
, m_movementVector(CCPointZero)
, m_fPunchHoldTimer(0.0f)
, m_pCurrentHandler(NULL)
, m_nCurrentDeviceType(-1)
, m_nLastDeviceId(-1)
, m_uHeldInputMask(0)
, m_nActiveDeviceId(-1)
, m_bMenuNavigationEnabled(true)
, m_bMenuNavigationRequested(true)
, m_bEnabled(true)
, m_pUpdateSource(NULL)
, m_pInputSource(NULL)
{
}

VornPlayerInputMulti::~VornPlayerInputMulti()
{
    disconnectFromSources();
}

// Only from sources still alive: a destroyed one is no longer the shared instance.
void VornPlayerInputMulti::disconnectFromSources()
{
    if (m_pUpdateSource != NULL && GameManager::getInstance() == m_pUpdateSource)
    {
        m_pUpdateSource->getUpdateSignal().disconnect(this, &VornPlayerInputMulti::update);
    }
    m_pUpdateSource = NULL;
    disconnectFromInput();
}

void VornPlayerInputMulti::disconnectFromInput()
{
    if (m_pInputSource != NULL && InputManager::sharedInputManager() == m_pInputSource)
    {
        m_pInputSource->getAxisSignal().disconnect(this, &VornPlayerInputMulti::onAxisEvent);
        m_pInputSource->getButtonSignal().disconnect(this, &VornPlayerInputMulti::onButtonEvent);
    }
    m_pInputSource = NULL;
}

bool VornPlayerInputMulti::init()
{
    GameManager* gameManager = GameManager::getInstance();
    if (gameManager != NULL && gameManager != m_pUpdateSource)
    {
        gameManager->getUpdateSignal().connect(this, &VornPlayerInputMulti::update);
        m_pUpdateSource = gameManager;
    }
    loadGamepadDescriptions();
    initDefaultMappings();
    loadUserControls();
    return true;
}

bool VornPlayerInputMulti::loadGamepadDescriptions()
{
    InputManager* inputManager = InputManager::sharedInputManager();
    InputHandler_DesktopGamepad* pads =
        inputManager != NULL ? dynamic_cast<InputHandler_DesktopGamepad*>(inputManager->getHandlerWithName(kGamepadHandlerName))
                             : NULL;
    if (pads == NULL)
    {
        CCLog("VornPlayerInputMulti::loadGamepadDescriptions - no desktop gamepad handler");
        return true;
    }

    // The handler takes over our reference; a reload must let the previous descriptions go.
    CCDictionary* descriptions = new CCDictionary();
    CCDictionary* previous = pads->getGamepadDescriptions();
    pads->setGamepadDescriptions(descriptions);
    CC_SAFE_RELEASE(previous);

    const char* path = CCFileUtils::sharedFileUtils()->fullPathFromRelativePath("gamepads.plist");
    CCDictionary* file = CCDictionary::createWithContentsOfFile(path);
    if (file == NULL || file->count() == 0)
    {
        CCLog("VornPlayerInputMulti::loadGamepadDescriptions - no gamepads described in %s", path);
        return true;
    }

    CCDictElement* element = NULL;
    CCDICT_FOREACH(file, element)
    {
        CCDictionary* pad = dynamic_cast<CCDictionary*>(element->getObject());
        if (pad == NULL)
        {
            continue;
        }
        pad->setObject(CCString::create(element->getStrKey()), std::string("DisplayName"));
        const int deviceType = pad->valueForKey("DeviceType")->intValue();
        descriptions->setObject(pad, (intptr_t)deviceType);

        CCArray* buttons = dynamic_cast<CCArray*>(pad->objectForKey(std::string("ButtonInfo")));
        if (buttons == NULL)
        {
            continue;
        }
        CCDictionary* byCode = CCDictionary::create();
        CCDictionary* byInput = CCDictionary::create();
        pad->setObject(byCode, std::string("ButtonCodeToButtonInfo"));
        pad->setObject(byInput, std::string("Buttons"));
        for (unsigned int i = 0; i < buttons->count(); ++i)
        {
            CCDictionary* button = dynamic_cast<CCDictionary*>(buttons->objectAtIndex(i));
            if (button == NULL)
            {
                continue;
            }
            const int code = button->valueForKey("Code")->intValue();
            byCode->setObject(button, (intptr_t)code);
            CCArray* mappings = dynamic_cast<CCArray*>(button->objectForKey(std::string("Mappings")));
            for (unsigned int j = 0; mappings != NULL && j < mappings->count(); ++j)
            {
                CCString* name = dynamic_cast<CCString*>(mappings->objectAtIndex(j));
                const int input = name != NULL ? inputFromName(name->getCString()) : kVornInput_Nop;
                if (input == kVornInput_Nop)
                {
                    CCLog("VornPlayerInputMulti::loadGamepadDescriptions - %s: button %d names no known input",
                          element->getStrKey(), code);
                    continue;
                }
                byInput->setObject(button, (intptr_t)input);
                pads->addButtonMapping(code, deviceType, input);
            }
        }
    }
    // The pads live on in the descriptions.
    file->removeAllObjects();
    return true;
}

bool VornPlayerInputMulti::initDefaultMappings()
{
    InputManager* inputManager = InputManager::sharedInputManager();
    if (inputManager != m_pInputSource)
    {
        disconnectFromInput();
    }
    if (inputManager != NULL)
    {
        // Connecting again adds nothing: a signal holds each subscriber once.
        inputManager->getAxisSignal().connect(this, &VornPlayerInputMulti::onAxisEvent);
        inputManager->getButtonSignal().connect(this, &VornPlayerInputMulti::onButtonEvent);
        m_pInputSource = inputManager;
    }

    InputHandler* keyboard = inputManager != NULL ? inputManager->getHandlerWithName(kKeyboardHandlerName) : NULL;
    m_pCurrentHandler = keyboard;
    m_nCurrentDeviceType = DEVICE_TYPE_KEYBOARD;
    if (keyboard != NULL)
    {
        for (unsigned int i = 0; i < sizeof(kDefaultKeys) / sizeof(kDefaultKeys[0]); ++i)
        {
            keyboard->addButtonMapping(kDefaultKeys[i].keyCode, DEVICE_TYPE_KEYBOARD, kDefaultKeys[i].input);
        }
    }

    InputHandler* pads = inputManager != NULL ? inputManager->getHandlerWithName(kGamepadHandlerName) : NULL;
    if (pads != NULL)
    {
        // Axis mappings survive a reset of the buttons; add the stick only once.
        const int stickAxes[2][2] = {{0, kGamepadAxis_MoveX}, {1, kGamepadAxis_MoveY}};
        for (int i = 0; i < 2; ++i)
        {
            CCDictionary* axes = pads->getAxisMappings();
            CCArray* mapping = axes != NULL ? dynamic_cast<CCArray*>(axes->objectForKey((intptr_t)stickAxes[i][0])) : NULL;
            if (!arrayHoldsInteger(mapping, stickAxes[i][1]))
            {
                pads->addAxisMapping(stickAxes[i][0], stickAxes[i][1]);
            }
        }
    }
    return true;
}

bool VornPlayerInputMulti::loadUserControls()
{
    const std::string text = CCUserDefault::sharedUserDefault()->getStringForKey(kUserControlsKey, "");
    if (text.empty())
    {
        return true;
    }
    // Saved text is not trusted: no network access, and a bad document leaves the defaults.
    xmlDocPtr document = xmlReadMemory(text.data(), (int)text.size(), NULL, NULL,
                                       XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (document == NULL)
    {
        CCLog("VornPlayerInputMulti::loadUserControls - the saved controls are not readable; keeping the defaults");
        return true;
    }

    InputManager* inputManager = InputManager::sharedInputManager();
    xmlNodePtr root = xmlDocGetRootElement(document);
    for (xmlNodePtr device = root != NULL ? root->children : NULL; device != NULL; device = device->next)
    {
        if (device->type != XML_ELEMENT_NODE)
        {
            continue;
        }
        int deviceType = -1;
        InputHandler* handler = NULL;
        for (xmlAttrPtr attribute = device->properties; attribute != NULL; attribute = attribute->next)
        {
            if (isNamed(attribute, "DeviceType"))
            {
                deviceType = readInteger(attributeText(attribute));
            }
            else if (isNamed(attribute, "DeviceHandler"))
            {
                handler = inputManager != NULL ? inputManager->getHandlerWithName(attributeText(attribute)) : NULL;
            }
        }
        if (handler == NULL || deviceType == -1)
        {
            continue;
        }

        // The player's mappings of a device replace all of its defaults, but only when there is at
        // least one to replace them with: a device left without any control would be of no use.
        if (!hasUsableMapping(device))
        {
            CCLog("VornPlayerInputMulti::loadUserControls - no usable mapping for device %d; keeping its defaults",
                  deviceType);
            continue;
        }
        handler->clearButtonMappings(deviceType);
        for (xmlNodePtr mapping = device->children; mapping != NULL; mapping = mapping->next)
        {
            int input = -1;
            int buttonCode = -1;
            // Once per mapping, whatever other attributes it carries; inputs the game lacks are dropped.
            if (readMapping(mapping, &input, &buttonCode))
            {
                handler->addButtonMapping(buttonCode, deviceType, input);
            }
            else if (input != -1 && buttonCode != -1)
            {
                CCLog("VornPlayerInputMulti::loadUserControls - ignoring a mapping to unknown input %d", input);
            }
        }
    }
    xmlFreeDoc(document);
    return true;
}

std::string VornPlayerInputMulti::getDisplayStringForAction(int input)
{
    if (m_pCurrentHandler == NULL)
    {
        return "";
    }
    const int code = m_pCurrentHandler->getButtonCodeForInput(input, m_nCurrentDeviceType);
    return m_pCurrentHandler->getButtonDisplayName(code, m_nCurrentDeviceType);
}

bool VornPlayerInputMulti::isInputHeld(int input) const
{
    return isPlayerInput(input) && (m_uHeldInputMask & (1u << input)) != 0;
}

int VornPlayerInputMulti::currentPlayerIndex()
{
    return (m_bIsConnected && m_pPlayer != NULL) ? getPlayerInputIndex() : 0;
}

void VornPlayerInputMulti::driveMenu(int menuInput, int player)
{
    if (player < 0 || player >= kMenuGamepadPlayer_MAX)
    {
        return;
    }
    CCMenuGamepadInputDispatcher::sharedDispatcher()->handleMenuInput(menuInput, player);
}

void VornPlayerInputMulti::pushMenuDirection(int direction, int deviceType)
{
    // The keyboard steps menus by its arrow keys instead.
    if (m_bMenuNavigationEnabled && deviceType != DEVICE_TYPE_KEYBOARD)
    {
        driveMenu(direction, currentPlayerIndex());
    }
}

void VornPlayerInputMulti::togglePause()
{
    VornGameManager* gameManager = VornGameManager::getSharedVornGameManager();
    if (gameManager != NULL)
    {
        gameManager->togglePause();
    }
}

void VornPlayerInputMulti::onAxisEvent(AxisInputEvent* event)
{
    if (!m_bEnabled)
    {
        return;
    }
    const float value = event->getValue();
    // Only a firm push picks the device: a stick resting off-centre does not steal it.
    if (value > kAnalogSwitchThreshold)
    {
        m_pCurrentHandler = event->getHandler();
        m_nCurrentDeviceType = event->getDeviceType();
        m_nActiveDeviceId = event->getDeviceID();
    }
    CCArray* axes = event->getMappedInputs();
    for (unsigned int i = 0; axes != NULL && i < axes->count(); ++i)
    {
        CCInteger* axis = dynamic_cast<CCInteger*>(axes->objectAtIndex(i));
        if (axis == NULL)
        {
            continue;
        }
        int direction = -1;
        switch (axis->getValue())
        {
        case kGamepadAxis_MoveX:
        case kGamepadAxis_DpadMoveX:
        {
            // Each control is compared with its own last position, so stick and D-pad step menus alike.
            float& x = axis->getValue() == kGamepadAxis_MoveX ? m_stickPosition.x : m_dpadPosition.x;
            if (x < kAnalogSwitchThreshold && value > kAnalogSwitchThreshold)
            {
                direction = kMenuGamepadInput_Right;
            }
            else if (x > -kAnalogSwitchThreshold && value < -kAnalogSwitchThreshold)
            {
                direction = kMenuGamepadInput_Left;
            }
            x = value;
            break;
        }
        case kGamepadAxis_MoveY:
        case kGamepadAxis_DpadMoveY:
        {
            // Pads count y downwards, the game upwards.
            const float up = -value;
            float& y = axis->getValue() == kGamepadAxis_MoveY ? m_stickPosition.y : m_dpadPosition.y;
            if (y < kAnalogSwitchThreshold && up > kAnalogSwitchThreshold)
            {
                direction = kMenuGamepadInput_Up;
            }
            else if (y > -kAnalogSwitchThreshold && up < -kAnalogSwitchThreshold)
            {
                direction = kMenuGamepadInput_Down;
            }
            y = up;
            break;
        }
        default: break;
        }
        if (direction != -1)
        {
            pushMenuDirection(direction, event->getDeviceType());
        }
    }
}

void VornPlayerInputMulti::setEnabled(bool enabled)
{
    if (!enabled)
    {
        // Releases are ignored too, so nothing may stay held.
        m_uHeldInputMask = 0;
        m_fPunchHoldTimer = 0.0f;
    }
    m_bEnabled = enabled;
}

void VornPlayerInputMulti::onButtonEvent(ButtonInputEvent* event)
{
    if (!m_bEnabled)
    {
        return;
    }
    // Listeners of the moves may let go of this object or remap buttons while we run.
    retain();
    const bool down = event->getIsDown();
    const int deviceType = event->getDeviceType();
    const int deviceId = event->getDeviceID();
    const int button = event->getButton();
    InputHandler* handler = event->getHandler();
    CCArray* mapped = event->getMappedInputs();
    CC_SAFE_RETAIN(mapped);

    for (unsigned int i = 0; mapped != NULL && i < mapped->count(); ++i)
    {
        CCInteger* number = dynamic_cast<CCInteger*>(mapped->objectAtIndex(i));
        const int input = number != NULL ? number->getValue() : kVornInput_Nop;
        if (!isPlayerInput(input))
        {
            continue;
        }
        if (down)
        {
            m_uHeldInputMask |= 1u << input;
            if (input == kVornInput_MenuAction && m_nActiveDeviceId != deviceId)
            {
                m_nActiveDeviceId = deviceId;
            }
        }
        else
        {
            m_uHeldInputMask &= ~(1u << input);
        }
        onLogicalInput(input, deviceType, down);
        // Only a button that means something switches the device in use.
        m_pCurrentHandler = handler;
        m_nCurrentDeviceType = deviceType;
        m_nLastDeviceId = deviceId;
    }
    CC_SAFE_RELEASE(mapped);

    if (down && m_bMenuNavigationEnabled && deviceType == DEVICE_TYPE_KEYBOARD)
    {
        switch (button)
        {
        case kKeyEscape:
        {
            // Back on the pause screen resumes by itself; toggling after it would pause again.
            GameManager* game = GameManager::getInstance();
            const bool pausedBefore = game != NULL && game->isPaused();
            driveMenu(kMenuGamepadInput_Back, 0);
            if (game == NULL || game->isPaused() == pausedBefore)
            {
                togglePause();
            }
            break;
        }
        case kKeyEnter: driveMenu(kMenuGamepadInput_Action, 0); break;
        case kKeyUp: driveMenu(kMenuGamepadInput_Up, 0); break;
        case kKeyDown: driveMenu(kMenuGamepadInput_Down, 0); break;
        case kKeyLeft: driveMenu(kMenuGamepadInput_Left, 0); break;
        case kKeyRight: driveMenu(kMenuGamepadInput_Right, 0); break;
        default: break;
        }
    }

    GameManager* gameManager = GameManager::getInstance();
    if (gameManager != NULL && gameManager->getSystemManager() != NULL)
    {
        gameManager->getSystemManager()->hideCursor();
    }
    release();
}

void VornPlayerInputMulti::onLogicalInput(int input, int deviceType, bool down)
{
    const int player = currentPlayerIndex();
    GameManager* gameManager = GameManager::getInstance();
    const bool paused = gameManager != NULL && gameManager->isPaused();
    if (!paused)
    {
        if (input == kVornInput_Punch)
        {
            if (down)
            {
                m_fPunchHoldTimer = kHoldTime;
            }
            else if (m_fPunchHoldTimer > 0.0f)
            {
                m_fPunchHoldTimer = 0.0f;
                m_punchSignal.emit();
            }
        }
        else if (down)
        {
            switch (input)
            {
            case kVornInput_Jump: m_jumpSignal.emit(); break;
            case kVornInput_Stomp: m_stompSignal.emit(); break;
            case kVornInput_BackKick: m_backKickSignal.emit(); break;
            case kVornInput_Kick:
            {
                const float x = m_movementVector.x;
                if (m_bIsConnected && m_pPlayer != NULL && isPlayerGrabbing() && fabsf(x) > kBackKickThreshold)
                {
                    // Kicking while holding someone: pushing away from them kicks behind.
                    const bool facingLeft = isPlayerFacingLeft();
                    const bool away = facingLeft ? x > kBackKickThreshold : x < -kBackKickThreshold;
                    if (away)
                    {
                        m_backKickSignal.emit();
                    }
                    else
                    {
                        m_kickSignal.emit();
                    }
                }
                else
                {
                    m_kickSignal.emit();
                }
                break;
            }
            default: break;
            }
        }
    }

    if (!down || !m_bMenuNavigationEnabled || deviceType == DEVICE_TYPE_KEYBOARD)
    {
        return;
    }
    switch (input)
    {
    case kVornInput_MenuBack: driveMenu(kMenuGamepadInput_Back, player); break;
    case kVornInput_MenuAction: driveMenu(kMenuGamepadInput_Action, player); break;
    case kVornInput_Up: driveMenu(kMenuGamepadInput_Up, player); break;
    case kVornInput_Down: driveMenu(kMenuGamepadInput_Down, player); break;
    case kVornInput_Left: driveMenu(kMenuGamepadInput_Left, player); break;
    case kVornInput_Right: driveMenu(kMenuGamepadInput_Right, player); break;
    case kVornInput_Pause:
        if (player >= 0 && player < kMenuGamepadPlayer_MAX)
        {
            togglePause();
        }
        break;
    default: break;
    }
}

CCPoint VornPlayerInputMulti::computeMovement() const
{
    CCPoint v = ccpAdd(m_stickPosition, m_dpadPosition);
    // Held direction buttons win over the analog controls.
    if (isInputHeld(kVornInput_Up))
    {
        v.y = 1.0f;
    }
    else if (isInputHeld(kVornInput_Down))
    {
        v.y = -1.0f;
    }
    if (isInputHeld(kVornInput_Left))
    {
        v.x = -1.0f;
    }
    else if (isInputHeld(kVornInput_Right))
    {
        v.x = 1.0f;
    }
    v = ccpMult(ccp(shapeComponent(v.x), shapeComponent(v.y)), kAnalogGain);
    if (ccpLength(v) > 1.0f)
    {
        v = ccpNormalize(v);
    }
    return v;
}

void VornPlayerInputMulti::update(float dt)
{
    m_bMenuNavigationEnabled = m_bMenuNavigationRequested;
    if (m_fPunchHoldTimer > 0.0f)
    {
        m_fPunchHoldTimer -= dt;
        if (m_fPunchHoldTimer <= 0.0f)
        {
            m_fPunchHoldTimer = 0.0f;
            m_punchHoldSignal.emit();
        }
    }
    m_movementVector = computeMovement();
    m_movementSignal.emit(m_movementVector);
}

NS_CC_END
