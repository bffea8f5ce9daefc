#include "SetupManager.h"

#include "CCFileUtils.h"

#include <cstring>
#include <string>

NS_CC_BEGIN

static SetupManager* s_sharedSetupManager = NULL;

SetupManager::SetupManager() : m_pSetupDictionary(NULL)
{
    s_sharedSetupManager = this;
}

SetupManager::~SetupManager()
{
    if (s_sharedSetupManager == this)
    {
        s_sharedSetupManager = NULL;
    }
    CC_SAFE_RELEASE(m_pSetupDictionary);
}

SetupManager* SetupManager::create(const char* fileName)
{
    SetupManager* manager = new SetupManager();
    if (manager->initWithFile(fileName))
    {
        manager->autorelease();
        return manager;
    }
    delete manager;
    return NULL;
}

SetupManager* SetupManager::sharedSetupManager()
{
    return s_sharedSetupManager;
}

bool SetupManager::initWithFile(const char* fileName)
{
    if (fileName == NULL)
    {
        CCLog("SetupManager::initWithFile - no file name!");
        return false;
    }
    std::string fullPath = CCFileUtils::sharedFileUtils()->fullPathFromRelativePath(fileName);
    CCDictionary* dictionary = CCDictionary::createWithContentsOfFile(fullPath.c_str());
    if (dictionary == NULL)
    {
        CCLog("SetupManager::initWithFile - unable to read %s!", fileName);
        return false;
    }
    setSetupDictionary(dictionary);
    return true;
}

void SetupManager::setSetupDictionary(CCDictionary* dictionary)
{
    CC_SAFE_RETAIN(dictionary);
    CC_SAFE_RELEASE(m_pSetupDictionary);
    m_pSetupDictionary = dictionary;
}

CCObject* SetupManager::objectForKey(const char* key)
{
    if (m_pSetupDictionary == NULL || key == NULL)
    {
        return NULL;
    }
    return m_pSetupDictionary->objectForKey(key);
}

bool SetupManager::isOnlineHandlerEnabled(const char* handlerName)
{
    CCArray* handlers = dynamic_cast<CCArray*>(objectForKey("OnlineHandlers"));
    if (handlers == NULL || handlerName == NULL)
    {
        return false;
    }
    CCObject* element = NULL;
    CCARRAY_FOREACH(handlers, element)
    {
        CCString* name = dynamic_cast<CCString*>(element);
        if (name == NULL)
        {
            CCLog("SetupManager::isOnlineHandlerEnabled - skipping an OnlineHandlers entry that is not a string");
            continue;
        }
        if (strcmp(name->getCString(), handlerName) == 0)
        {
            return true;
        }
    }
    return false;
}

NS_CC_END
