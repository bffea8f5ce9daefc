#include "ArenaTasksScreen.h"

#include "ArenaManager.h"
#include "ArenaTaskDisplay.h"
#include "ArenaTaskInstance.h"
#include "VornGameManager.h"

#include <cstdio>

NS_CC_BEGIN

ArenaTasksScreen::ArenaTasksScreen()
    : m_pPopupDisplay(NULL), m_pOldTaskDisplay(NULL), m_bPopupPhase(false), m_pArena(NULL), m_bFollowing(false)
{
    for (int i = 0; i < kNumSlots; ++i)
    {
        m_taskDisplays[i] = NULL;
    }
}

ArenaTasksScreen::~ArenaTasksScreen()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    // The arena manager is held, so its signals are always there to leave; the game manager's
    // only while it is the live one.
    if (m_bFollowing && game)
    {
        game->getUpdateSignal().disconnect(this, &ArenaTasksScreen::updatePopups);
    }
    if (m_bFollowing && m_pArena)
    {
        m_pArena->getArenaEndedSignal().disconnect(this, &ArenaTasksScreen::onArenaEnded);
        for (int i = 0; i < kNumSlots; ++i)
        {
            ArenaTaskInstance* slot = m_pArena->getTaskInstance(i);
            if (slot)
            {
                slot->getProgressSignal().disconnect(this, &ArenaTasksScreen::onTaskProgress);
                slot->getCompletedSignal().disconnect(this, &ArenaTasksScreen::onTaskCompleted);
                slot->getSpareSignal().disconnect(this, &ArenaTasksScreen::onTaskSpareSignal);
            }
        }
    }
    CC_SAFE_RELEASE(m_pArena);
    clearQueue();
    for (int i = 0; i < kNumSlots; ++i)
    {
        CC_SAFE_RELEASE(m_taskDisplays[i]);
    }
    CC_SAFE_RELEASE(m_pPopupDisplay);
    CC_SAFE_RELEASE(m_pOldTaskDisplay);
}

bool ArenaTasksScreen::init()
{
    char label[32];
    char bar[32];
    for (int i = 0; i < kNumSlots; ++i)
    {
        snprintf(label, sizeof(label), "taskLabel%d", i + 1);
        snprintf(bar, sizeof(bar), "taskProgress%d", i + 1);
        CC_SAFE_RELEASE(m_taskDisplays[i]);
        m_taskDisplays[i] = ArenaTaskDisplay::create(this, label, bar);
        m_taskDisplays[i]->retain();
    }
    CC_SAFE_RELEASE(m_pPopupDisplay);
    m_pPopupDisplay = ArenaTaskDisplay::create(this, "popupTaskLabel", "popupProgressBar");
    m_pPopupDisplay->retain();
    CC_SAFE_RELEASE(m_pOldTaskDisplay);
    m_pOldTaskDisplay = ArenaTaskDisplay::create(this, "oldTaskLabel", "oldTaskProgress");
    m_pOldTaskDisplay->retain();

    if (!initWithCCBFile("arena-hud"))
    {
        return false;
    }
    for (int i = 0; i < kNumSlots; ++i)
    {
        m_taskDisplays[i]->fitLabelWidth();
    }
    m_pPopupDisplay->fitLabelWidth();
    m_pOldTaskDisplay->fitLabelWidth();
    setVisible(false);

    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (m_pArena == NULL && game && game->getArenaManager())
    {
        // Held: a script may take the game's arena manager away while the overlay follows it.
        m_pArena = game->getArenaManager();
        m_pArena->retain();
    }
    if (m_pArena && !m_bFollowing)
    {
        m_bFollowing = true;
        game->getUpdateSignal().connect(this, &ArenaTasksScreen::updatePopups);
        m_pArena->getArenaEndedSignal().connect(this, &ArenaTasksScreen::onArenaEnded);
        for (int i = 0; i < kNumSlots; ++i)
        {
            ArenaTaskInstance* slot = m_pArena->getTaskInstance(i);
            if (slot)
            {
                slot->getProgressSignal().connect(this, &ArenaTasksScreen::onTaskProgress);
                slot->getCompletedSignal().connect(this, &ArenaTasksScreen::onTaskCompleted);
                slot->getSpareSignal().connect(this, &ArenaTasksScreen::onTaskSpareSignal);
            }
        }
    }
    return true;
}

ArenaManager* ArenaTasksScreen::getArenaManager()
{
    return m_pArena;
}

void ArenaTasksScreen::open()
{
    m_bPopupPhase = false;
    refreshTaskDisplays();
    VornScreen::open();
}

void ArenaTasksScreen::refreshTaskDisplay(int index)
{
    ArenaTaskInstance* slot = m_pArena ? m_pArena->getTaskInstance(index) : NULL;
    if (slot == NULL || index < 0 || index >= kNumSlots)
    {
        return;
    }
    m_taskDisplays[index]->setText(slot->getDescription().c_str());
    // A slot without a task has no target: an empty bar, not a division by zero.
    m_taskDisplays[index]->setProgress(slot->getTarget() > 0 ? (float)slot->getProgress() / (float)slot->getTarget() : 0.0f);
}

void ArenaTasksScreen::refreshTaskDisplays()
{
    for (int i = 0; i < kNumSlots; ++i)
    {
        refreshTaskDisplay(i);
    }
}

int ArenaTasksScreen::indexOf(ArenaTaskInstance* slot)
{
    CCArray* slots = m_pArena ? m_pArena->getTaskInstances() : NULL;
    if (slots == NULL || slot == NULL || !slots->containsObject(slot))
    {
        return -1;
    }
    return (int)slots->indexOfObject(slot);
}

void ArenaTasksScreen::onTaskProgress(ArenaTaskInstance* slot)
{
    refreshTaskDisplay(indexOf(slot));
}

void ArenaTasksScreen::queuePopup(ArenaTaskInstance* slot, bool fromCompleted)
{
    int index = indexOf(slot);
    if (index < 0)
    {
        return;
    }
    TaskPopupItem* item = new TaskPopupItem();
    item->setText(slot->getDescription());
    item->setProgress(slot->getTarget() > 0 ? (float)slot->getProgress() / (float)slot->getTarget() : 0.0f);
    item->setTaskIndex(index);
    item->setComplete(fromCompleted);
    item->setFromCompletedSignal(fromCompleted);
    // The slot's display keeps the finished task until its celebration shows the next one.
    slot->getProgressSignal().disconnect(this, &ArenaTasksScreen::onTaskProgress);
    m_popupQueue.push_back(item);
}

void ArenaTasksScreen::onTaskCompleted(ArenaTaskInstance* slot)
{
    queuePopup(slot, true);
}

void ArenaTasksScreen::onTaskSpareSignal(ArenaTaskInstance* slot)
{
    queuePopup(slot, false);
}

void ArenaTasksScreen::clearQueue()
{
    for (std::list<TaskPopupItem*>::iterator it = m_popupQueue.begin(); it != m_popupQueue.end(); ++it)
    {
        ArenaTaskInstance* slot = m_pArena ? m_pArena->getTaskInstance((*it)->getTaskIndex()) : NULL;
        // Its display follows it again.
        if (slot)
        {
            slot->getProgressSignal().connect(this, &ArenaTasksScreen::onTaskProgress);
        }
        delete *it;
    }
    m_popupQueue.clear();
}

void ArenaTasksScreen::onArenaEnded()
{
    clearQueue();
    hide();
}

void ArenaTasksScreen::updatePopups(float dt)
{
    CC_UNUSED_PARAM(dt);
    if (isTimelineRunning())
    {
        return;
    }
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (m_popupQueue.empty())
    {
        if (m_bPopupPhase && !runTimeline("task-complete-outro", callfunc_selector(ArenaTasksScreen::onPopupOutroFinished), false))
        {
            // No outro to wait for: the game must not stay paused.
            onPopupOutroFinished();
        }
        return;
    }
    bool anyComplete = false;
    for (std::list<TaskPopupItem*>::iterator it = m_popupQueue.begin(); it != m_popupQueue.end(); ++it)
    {
        anyComplete = anyComplete || (*it)->isComplete();
    }
    if (anyComplete)
    {
        for (std::list<TaskPopupItem*>::iterator it = m_popupQueue.begin(); it != m_popupQueue.end();)
        {
            if (!(*it)->isComplete())
            {
                delete *it;
                it = m_popupQueue.erase(it);
            }
            else
            {
                ++it;
            }
        }
    }
    if (!m_bPopupPhase)
    {
        if (game)
        {
            game->setTempPaused(true);
        }
        if (!runTimeline("task-complete-intro", callfunc_selector(ArenaTasksScreen::onPopupIntroFinished), false))
        {
            onPopupIntroFinished();
        }
        return;
    }
    TaskPopupItem* item = m_popupQueue.front();
    m_popupQueue.pop_front();
    char name[32];
    snprintf(name, sizeof(name), "task-complete-%d", item->getTaskIndex() + 1);
    bool started = runTimeline(name, NULL, false);
    refreshTaskDisplays();
    m_pOldTaskDisplay->setText(item->getText().c_str());
    m_pOldTaskDisplay->setProgress(item->getProgress());
    ArenaTaskInstance* slot = m_pArena ? m_pArena->getTaskInstance(item->getTaskIndex()) : NULL;
    if (slot)
    {
        slot->getProgressSignal().connect(this, &ArenaTasksScreen::onTaskProgress);
    }
    if (started)
    {
        setVisible(true);
    }
    delete item;
}

void ArenaTasksScreen::onPopupIntroFinished()
{
    m_bPopupPhase = true;
}

void ArenaTasksScreen::onPopupOutroFinished()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (game)
    {
        game->setTempPaused(false);
    }
    m_bPopupPhase = false;
    m_popupsFinishedSignal.emit();
}

NS_CC_END
