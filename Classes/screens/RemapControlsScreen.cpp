#include "RemapControlsScreen.h"

#include "ButtonInputEvent.h"
#include "CCLabelBMFont.h"
#include "CCMenuGamepadInputDispatcher.h"
#include "CCMenuItem.h"
#include "CCUserDefault.h"
#include "GameManager.h"
#include "InputHandler.h"
#include "InputHandler_DesktopGamepad.h"
#include "InputManager.h"
#include "VornGameManager.h"
#include "VornPlayer.h"
#include "VornPlayerInputMulti.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdio>
#include <cstdlib>

NS_CC_BEGIN

const char* const RemapControlsScreen::kUserControlsKey = "UserControls";

namespace
{
const int kFirstInput = kVornInput_Left;
const int kLastInput = kVornInput_MenuBack;
// The keyboard keeps its own pause and menu keys: its sequence ends after the moves.
const int kFirstKeyboardMenuInput = kVornInput_Pause;

const xmlChar* X(const char* text)
{
    return reinterpret_cast<const xmlChar*>(text);
}

/** The attribute read as a decimal; false when it is missing or not a number. */
bool readIntAttribute(xmlNodePtr node, const char* name, int* value)
{
    xmlChar* text = xmlGetProp(node, X(name));
    if (!text)
    {
        return false;
    }
    char* end = NULL;
    long number = strtol(reinterpret_cast<const char*>(text), &end, 10);
    bool ok = end != reinterpret_cast<const char*>(text);
    xmlFree(text);
    if (ok)
    {
        *value = (int)number;
    }
    return ok;
}

void setIntAttribute(xmlNodePtr node, const char* name, int value)
{
    char text[16];
    snprintf(text, sizeof(text), "%d", value);
    xmlSetProp(node, X(name), X(text));
}

std::string buttonName(InputHandler* handler, int buttonCode, int deviceType)
{
    if (buttonCode == -1)
    {
        return "-";
    }
    std::string name = handler->getButtonDisplayName(buttonCode, deviceType);
    if (name.empty())
    {
        char text[24];
        snprintf(text, sizeof(text), "#%d", buttonCode);
        name = text;
    }
    return name;
}
} // namespace

RemapControlsScreen::RemapControlsScreen()
    : m_pActionsLabel(NULL), m_pControlsLabel(NULL), m_pSelectionBar(NULL), m_pDeviceTypeLabel(NULL),
      m_pDeviceHashLabel(NULL), m_pResetMenuItem(NULL), m_pDocument(NULL), m_nCurrentInput(0), m_bRemapping(false),
      m_bListening(false), m_pJoinedGame(NULL), m_pListenedInput(NULL)
{
}

RemapControlsScreen::~RemapControlsScreen()
{
    if (m_pJoinedGame && m_pJoinedGame == GameManager::getInstance())
    {
        m_pJoinedGame->getUpdateSignal().disconnect(this, &RemapControlsScreen::onUpdate);
    }
    listen(false);
    if (m_pDocument)
    {
        xmlFreeDoc(m_pDocument);
    }
}

bool RemapControlsScreen::init()
{
    registerMemberVariable("actionsLabel", &m_pActionsLabel);
    registerMemberVariable("controlsLabel", &m_pControlsLabel);
    registerMemberVariable("selectionBar", &m_pSelectionBar);
    registerMemberVariable("deviceTypeLabel", &m_pDeviceTypeLabel);
    registerMemberVariable("deviceHashLabel", &m_pDeviceHashLabel);
    registerMemberVariable("resetMenuItem", &m_pResetMenuItem);
    registerMenuItemSelector("onBack", vornscreen_selector(RemapControlsScreen::onBack));
    registerMenuItemSelector("onReset", vornscreen_selector(RemapControlsScreen::onReset));
    registerMenuItemSelector("onStartRemap", vornscreen_selector(RemapControlsScreen::startRemap));
    if (!initWithCCBFile("desktop-controller-config"))
    {
        return false;
    }
    setVisible(false);
    if (m_pDeviceHashLabel)
    {
        m_pDeviceHashLabel->setVisible(false);
    }
    fillActionsLabel();
    m_pJoinedGame = GameManager::getInstance();
    if (m_pJoinedGame)
    {
        m_pJoinedGame->getUpdateSignal().connect(this, &RemapControlsScreen::onUpdate);
    }
    return true;
}

VornPlayerInputMulti* RemapControlsScreen::getPlayerInput()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    VornPlayer* player = game ? game->getPlayer() : NULL;
    return player ? dynamic_cast<VornPlayerInputMulti*>(player->getInput()) : NULL;
}

void RemapControlsScreen::fillActionsLabel()
{
    if (!m_pActionsLabel)
    {
        return;
    }
    std::string text;
    for (int input = kFirstInput; input <= kLastInput; ++input)
    {
        text += VornPlayerInputBase::actionToString(input) + "\n";
    }
    m_pActionsLabel->setString(text.c_str());
}

void RemapControlsScreen::focus(CCMenuItem* item)
{
    if (item)
    {
        CCMenuGamepadInputDispatcher::sharedDispatcher()->setFocusMenuItem(item, 0);
    }
}

void RemapControlsScreen::showPlayerControls()
{
    VornPlayerInputMulti* input = getPlayerInput();
    if (input && input->getCurrentHandler())
    {
        showControls(input->getCurrentHandler(), input->getCurrentDeviceType(), input->getLastDeviceId());
    }
}

void RemapControlsScreen::open()
{
    if (!isVisible())
    {
        VornScreen::open();
    }
    loadDocument();
    showPlayerControls();
    m_nCurrentInput = 0;
    updateSelectionBar();
    focus(m_pDefaultMenuItem);
}

void RemapControlsScreen::close()
{
    VornScreen::close();
    stopRemap();
}

void RemapControlsScreen::onBack()
{
    close();
}

void RemapControlsScreen::showControls(InputHandler* handler, int deviceType, int deviceId)
{
    if (!handler)
    {
        return;
    }
    std::string text;
    for (int input = kFirstInput; input <= kLastInput; ++input)
    {
        text += buttonName(handler, handler->getButtonCodeForInput(input, deviceType), deviceType) + "\n";
    }
    if (m_pControlsLabel)
    {
        m_pControlsLabel->setString(text.c_str());
    }
    if (deviceId != -1)
    {
        showDevice(handler, deviceType, deviceId);
    }
}

std::string RemapControlsScreen::deviceTypeName(InputHandler* handler, int deviceType)
{
    if (!handler)
    {
        return "";
    }
    if (deviceType == DEVICE_TYPE_KEYBOARD)
    {
        return handler->getDeviceName(-1);
    }
    InputHandler_DesktopGamepad* pads = dynamic_cast<InputHandler_DesktopGamepad*>(handler);
    CCDictionary* descriptions = pads ? pads->getGamepadDescriptions() : NULL;
    CCDictionary* pad = descriptions ? dynamic_cast<CCDictionary*>(descriptions->objectForKey((intptr_t)deviceType)) : NULL;
    CCString* name = pad ? dynamic_cast<CCString*>(pad->objectForKey(std::string("DisplayName"))) : NULL;
    if (name && name->length() > 0)
    {
        return name->getCString();
    }
    // A pad nobody described: its maker and model numbers.
    char text[32];
    snprintf(text, sizeof(text), "Gamepad %04X:%04X", ((unsigned int)deviceType >> 16) & 0xFFFF,
             (unsigned int)deviceType & 0xFFFF);
    return text;
}

void RemapControlsScreen::showDevice(InputHandler* handler, int deviceType, int deviceId)
{
    if (m_pDeviceTypeLabel && handler)
    {
        m_pDeviceTypeLabel->setString(deviceTypeName(handler, deviceType).c_str());
    }
    if (m_pDeviceHashLabel)
    {
        char text[16];
        snprintf(text, sizeof(text), "%d", deviceId);
        m_pDeviceHashLabel->setString(text);
    }
}

void RemapControlsScreen::updateSelectionBar()
{
    if (!m_pSelectionBar)
    {
        return;
    }
    if (m_nCurrentInput < kFirstInput || m_nCurrentInput > kLastInput || !m_pActionsLabel)
    {
        m_pSelectionBar->setVisible(false);
        return;
    }
    CCRect box = m_pActionsLabel->boundingBox();
    float lineHeight = m_pActionsLabel->getLineHeight() * m_pActionsLabel->getScaleY();
    m_pSelectionBar->setVisible(true);
    m_pSelectionBar->setPosition(ccp(box.getMinX(), box.getMaxY() - (m_nCurrentInput - 1) * lineHeight));
}

void RemapControlsScreen::setMenuNavigation(bool on)
{
    VornPlayerInputMulti* input = getPlayerInput();
    if (input)
    {
        input->setMenuNavigationRequested(on);
    }
}

void RemapControlsScreen::startRemap()
{
    if (m_bListening)
    {
        return;
    }
    m_bRemapping = true;
    m_nCurrentInput = kFirstInput;
    updateSelectionBar();
    setMenuNavigation(false);
    if (m_pDeviceTypeLabel)
    {
        m_pDeviceTypeLabel->setString("Push my buttons..");
    }
    if (m_pControlsLabel)
    {
        m_pControlsLabel->setString("");
    }
}

void RemapControlsScreen::stopRemap()
{
    // Also before the listener has joined: the player's input must not stay switched off.
    if (!m_bListening && !m_bRemapping)
    {
        return;
    }
    bool unfinished = m_nCurrentInput >= kFirstInput && m_nCurrentInput <= kLastInput;
    m_bRemapping = false;
    m_nCurrentInput = 0;
    updateSelectionBar();
    if (unfinished)
    {
        loadDocument();
        reloadControls();
        showPlayerControls();
    }
    setMenuNavigation(true);
    focus(m_pDefaultMenuItem);
}

void RemapControlsScreen::listen(bool on)
{
    if (on)
    {
        InputManager* input = InputManager::sharedInputManager();
        if (input && input != m_pListenedInput)
        {
            listen(false);
            input->getButtonSignal().connect(this, &RemapControlsScreen::onButtonEvent);
            m_pListenedInput = input;
        }
    }
    else if (m_pListenedInput)
    {
        // Only the live input manager still has a signal to leave.
        if (m_pListenedInput == InputManager::sharedInputManager())
        {
            m_pListenedInput->getButtonSignal().disconnect(this, &RemapControlsScreen::onButtonEvent);
        }
        m_pListenedInput = NULL;
    }
}

void RemapControlsScreen::onUpdate(float dt)
{
    CC_UNUSED_PARAM(dt);
    if (m_bRemapping == m_bListening)
    {
        return;
    }
    m_bListening = m_bRemapping;
    listen(m_bListening);
}

void RemapControlsScreen::onButtonEvent(ButtonInputEvent* event)
{
    if (!event || !event->getIsDown() || !m_bRemapping || m_nCurrentInput < kFirstInput ||
        m_nCurrentInput > kLastInput || !event->getHandler())
    {
        return;
    }
    InputHandler* handler = event->getHandler();
    const int deviceType = event->getDeviceType();
    const int deviceId = event->getDeviceID();
    const int button = event->getButton();
    if (deviceType == DEVICE_TYPE_KEYBOARD && button == VornPlayerInputMulti::kKeyEscape)
    {
        // Back: the player changed his mind; the saved controls stay as they were.
        stopRemap();
        return;
    }

    CCDictionary* infos = handler->getButtonInfos();
    CCDictionary* deviceButtons = infos ? dynamic_cast<CCDictionary*>(infos->objectForKey((intptr_t)deviceType)) : NULL;
    if (deviceButtons)
    {
        InputHandler::removeInputMapping(m_nCurrentInput, deviceButtons);
    }
    handler->addButtonMapping(button, deviceType, m_nCurrentInput);
    showControls(handler, deviceType, deviceId);
    showDevice(handler, deviceType, deviceId);

    xmlNodePtr device = findOrAddDevice(deviceType, handler->getName());
    removeButtonMapping(device, m_nCurrentInput);
    addButtonMapping(device, m_nCurrentInput, button);

    ++m_nCurrentInput;
    if (m_nCurrentInput == kFirstKeyboardMenuInput && deviceType == DEVICE_TYPE_KEYBOARD)
    {
        m_nCurrentInput = kVornInput_MAX;
    }
    if (m_nCurrentInput == kVornInput_MAX)
    {
        // The reader replaces all of a device's mappings with the document's: the inputs the
        // sequence skipped must be written too, or they would lose their keys at the next start.
        completeDevice(device, handler, deviceType);
        saveDocument();
        stopRemap();
    }
    else
    {
        updateSelectionBar();
    }
}

xmlNodePtr RemapControlsScreen::findOrAddDevice(int deviceType, const char* handlerName)
{
    if (!m_pDocument)
    {
        m_pDocument = xmlNewDoc(X("1.0"));
    }
    xmlNodePtr root = xmlDocGetRootElement(m_pDocument);
    if (!root)
    {
        root = xmlNewNode(NULL, X("UserControls"));
        xmlDocSetRootElement(m_pDocument, root);
    }
    for (xmlNodePtr child = root->children; child; child = child->next)
    {
        int type = 0;
        if (child->type == XML_ELEMENT_NODE && readIntAttribute(child, "DeviceType", &type) && type == deviceType)
        {
            return child;
        }
    }
    xmlNodePtr device = xmlNewChild(root, NULL, X("Device"), NULL);
    setIntAttribute(device, "DeviceType", deviceType);
    xmlSetProp(device, X("DeviceHandler"), X(handlerName ? handlerName : ""));
    return device;
}

void RemapControlsScreen::removeButtonMapping(xmlNodePtr device, int input)
{
    for (xmlNodePtr child = device ? device->children : NULL; child; child = child->next)
    {
        int logical = 0;
        if (child->type == XML_ELEMENT_NODE && readIntAttribute(child, "LogicalID", &logical) && logical == input)
        {
            xmlUnlinkNode(child);
            xmlFreeNode(child);
            return;
        }
    }
}

void RemapControlsScreen::addButtonMapping(xmlNodePtr device, int input, int buttonCode)
{
    if (!device)
    {
        return;
    }
    xmlNodePtr mapping = xmlNewChild(device, NULL, X("ButtonMapping"), NULL);
    setIntAttribute(mapping, "LogicalID", input);
    setIntAttribute(mapping, "ButtonCode", buttonCode);
}

void RemapControlsScreen::completeDevice(xmlNodePtr device, InputHandler* handler, int deviceType)
{
    if (!device || !handler)
    {
        return;
    }
    for (int input = kFirstInput; input <= kLastInput; ++input)
    {
        bool present = false;
        for (xmlNodePtr child = device->children; child && !present; child = child->next)
        {
            int logical = 0;
            present = child->type == XML_ELEMENT_NODE && readIntAttribute(child, "LogicalID", &logical) &&
                      logical == input;
        }
        int code = present ? -1 : handler->getButtonCodeForInput(input, deviceType);
        if (code != -1)
        {
            addButtonMapping(device, input, code);
        }
    }
}

void RemapControlsScreen::loadDocument()
{
    if (m_pDocument)
    {
        xmlFreeDoc(m_pDocument);
        m_pDocument = NULL;
    }
    std::string text = CCUserDefault::sharedUserDefault()->getStringForKey(kUserControlsKey, "");
    if (!text.empty())
    {
        // Stored text is not trusted: no network, no noise on the console.
        m_pDocument = xmlReadMemory(text.data(), (int)text.size(), NULL, NULL,
                                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
        if (!m_pDocument)
        {
            CCLog("RemapControlsScreen::loadDocument - the stored controls are not readable; starting afresh");
        }
    }
    if (!m_pDocument)
    {
        m_pDocument = xmlNewDoc(X("1.0"));
    }
}

std::string RemapControlsScreen::getDocumentText()
{
    if (!m_pDocument)
    {
        return "";
    }
    xmlChar* memory = NULL;
    int size = 0;
    xmlDocDumpFormatMemory(m_pDocument, &memory, &size, 1);
    std::string text = memory ? std::string(reinterpret_cast<const char*>(memory), size) : std::string();
    xmlFree(memory);
    return text;
}

void RemapControlsScreen::saveDocument()
{
    std::string text = getDocumentText();
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    store->setStringForKey(kUserControlsKey, text);
    store->flush();
}

void RemapControlsScreen::reloadControls()
{
    InputManager* manager = InputManager::sharedInputManager();
    if (manager)
    {
        manager->resetAllButtonInfos();
    }
    VornPlayerInputMulti* input = getPlayerInput();
    if (input && input->loadGamepadDescriptions() && input->initDefaultMappings())
    {
        input->loadUserControls();
    }
}

void RemapControlsScreen::onReset()
{
    // A sequence under way ends here; the reset below puts every mapping back anyway.
    m_nCurrentInput = 0;
    stopRemap();
    CCUserDefault* store = CCUserDefault::sharedUserDefault();
    store->setStringForKey(kUserControlsKey, "");
    store->flush();
    loadDocument();
    reloadControls();
    showPlayerControls();
    focus(m_pResetMenuItem);
}

NS_CC_END
