#ifndef __RESTART_MANAGER_H__
#define __RESTART_MANAGER_H__

#include "CCArray.h"
#include "RestartDelegate.h"

NS_CC_BEGIN

/**
 * The checkpoint store: registered restart values, walked in registration order to snapshot
 * them in memory (store/restore) or in the saved settings (save/load).
 */
class RestartManager : public CCObject
{
public:
    RestartManager();
    virtual ~RestartManager();

    /** hasCheckpoint comes from the saved settings. */
    static RestartManager* create();
    bool init();

    virtual bool getHasCheckpoint() { return m_bHasCheckpoint; }
    /** Writes "hasCheckpoint" (and flushes it to the file) only when the value changes. */
    virtual void setHasCheckpoint(bool hasCheckpoint);

    void addDelegate(RestartDelegateBase* delegate);
    /** Removes the first delegate with exactly this key; false when there is none. */
    bool removeDelegateWithKey(const char* key);
    RestartDelegateBase* getDelegateWithKey(const char* key);
    unsigned int getDelegateCount() const;

    void storeAll();
    void restoreAll();
    /** Saves every value, writes the settings file and marks the checkpoint as present. */
    void saveAll();
    /** Loads every value, only when a checkpoint was saved. */
    void loadAll();

private:
    void walkDelegates(void (RestartDelegateBase::*operation)());

    CCArray* m_pDelegates;  ///< retained
    bool m_bHasCheckpoint;
};

NS_CC_END

#endif // __RESTART_MANAGER_H__
