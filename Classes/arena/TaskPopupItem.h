#ifndef __TASK_POPUP_ITEM_H__
#define __TASK_POPUP_ITEM_H__

#include "CCPlatformMacros.h"

#include <string>

NS_CC_BEGIN

/** A task celebration waiting its turn in the task overlay: what the slot showed when it was queued. */
class TaskPopupItem
{
public:
    TaskPopupItem() : m_fProgress(0.0f), m_nTaskIndex(0), m_bComplete(false), m_bFromCompletedSignal(false) {}
    virtual ~TaskPopupItem() {}

    virtual const std::string& getText() { return m_sText; }
    virtual void setText(const std::string& text) { m_sText = text; }
    /** Progress over target, 0 to 1. */
    virtual float getProgress() { return m_fProgress; }
    virtual void setProgress(float progress) { m_fProgress = progress; }
    /** Slot 0 to 2. */
    virtual int getTaskIndex() { return m_nTaskIndex; }
    virtual void setTaskIndex(int index) { m_nTaskIndex = index; }
    virtual bool isComplete() { return m_bComplete; }
    virtual void setComplete(bool complete) { m_bComplete = complete; }
    virtual bool isFromCompletedSignal() { return m_bFromCompletedSignal; }
    virtual void setFromCompletedSignal(bool fromCompleted) { m_bFromCompletedSignal = fromCompleted; }

protected:
    std::string m_sText;
    float m_fProgress;
    int m_nTaskIndex;
    bool m_bComplete;
    bool m_bFromCompletedSignal;
};

NS_CC_END

#endif // __TASK_POPUP_ITEM_H__
