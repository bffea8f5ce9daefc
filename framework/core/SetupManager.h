#ifndef __SETUP_MANAGER_H__
#define __SETUP_MANAGER_H__

#include "CCDictionary.h"

NS_CC_BEGIN

/** The program's configuration file ("setup.plist") and the look-ups made in it. */
class SetupManager : public CCObject
{
public:
    /** The newest setup manager becomes the shared one until it is destroyed. */
    SetupManager();
    virtual ~SetupManager();

    /** A setup manager that has read the file; NULL when the file can't be read. */
    static SetupManager* create(const char* fileName);
    static SetupManager* sharedSetupManager();

    /** Reads the plist; false (logged) when nothing was read. */
    virtual bool initWithFile(const char* fileName);
    virtual CCDictionary* getSetupDictionary() { return m_pSetupDictionary; }
    /** Retains the new dictionary and releases the old one. */
    virtual void setSetupDictionary(CCDictionary* dictionary);

    /** The value under the key, or NULL. */
    CCObject* objectForKey(const char* key);
    /** Whether "OnlineHandlers" lists the name (exact, case-sensitive). */
    bool isOnlineHandlerEnabled(const char* handlerName);

private:
    CCDictionary* m_pSetupDictionary;  ///< retained
};

NS_CC_END

#endif // __SETUP_MANAGER_H__
