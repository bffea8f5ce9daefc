#ifndef __CC_BACKGROUND_WRITER_H__
#define __CC_BACKGROUND_WRITER_H__

#include "base/CCObject.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

NS_CC_BEGIN

class CCFileUtils;

/**
 * Replaces files on a thread of its own, so that a synced write in the middle of play costs the
 * frame nothing. Writes run one at a time in the order they were queued (a later copy of a file
 * always lands last); each one's answer is handed back on the game's thread by
 * dispatchFinishedWrites, which the director calls every frame, or by finishAll.
 *
 * Whoever also writes or reads one of these files at once calls finishAll first. Writes still
 * queued when the program exits are finished before it does.
 */
class CCBackgroundWriter
{
public:
    /** ok, and errno of the step that failed (0 when ok). */
    typedef std::function<void(bool ok, int error)> DoneCallback;

    static CCBackgroundWriter* sharedBackgroundWriter();
    /** Finishes every queued write, answers them and stops the thread. */
    static void purgeSharedBackgroundWriter();
    /** The answers of the writes finished so far; nothing when there is no writer. */
    static void dispatchFinishedWrites();
    /** Waits for every write queued so far and answers them; nothing when none is queued. */
    static void finishQueuedWrites();

    /** Queues CCFileUtils::writeFileReplacing(path, bytes); done is called on the game's thread. */
    void writeFileReplacing(const std::string& path, const std::string& bytes, const DoneCallback& done);
    /** Blocks until every write queued so far has finished, then answers them. */
    void finishAll();
    /** Writes queued and not answered yet. */
    int getUnansweredCount() const { return m_nUnanswered; }

private:
    struct Job
    {
        CCFileUtils* files;  ///< purgeFileUtils finishes the writes before it goes
        std::string path;
        std::string bytes;
        DoneCallback done;
        bool ok;
        int error;
    };

    CCBackgroundWriter();
    ~CCBackgroundWriter();
    void run();
    void answerFinished();

    std::mutex m_mutex;
    std::condition_variable m_wake;      ///< the thread: a job came in, or stop
    std::condition_variable m_finished;  ///< finishAll: the queue ran dry
    std::deque<Job> m_queue;             ///< waiting for the thread, the front one being written
    std::deque<Job> m_done;              ///< written, not answered yet
    bool m_bWriting;
    bool m_bStopping;
    int m_nUnanswered;                   ///< the game's thread only
    std::thread m_thread;
};

NS_CC_END

#endif // __CC_BACKGROUND_WRITER_H__
