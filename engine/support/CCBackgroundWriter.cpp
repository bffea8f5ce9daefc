#include "CCBackgroundWriter.h"

#include "CCFileUtils.h"

#include <cerrno>
#include <cstdlib>

NS_CC_BEGIN

static CCBackgroundWriter* s_sharedBackgroundWriter = NULL;

CCBackgroundWriter* CCBackgroundWriter::sharedBackgroundWriter()
{
    if (s_sharedBackgroundWriter == NULL)
    {
        static bool s_purgeAtExit = false;
        if (!s_purgeAtExit)
        {
            // A write still queued when the game quits is part of what the player keeps.
            atexit(&CCBackgroundWriter::purgeSharedBackgroundWriter);
            s_purgeAtExit = true;
        }
        s_sharedBackgroundWriter = new CCBackgroundWriter();
    }
    return s_sharedBackgroundWriter;
}

void CCBackgroundWriter::purgeSharedBackgroundWriter()
{
    if (s_sharedBackgroundWriter == NULL)
    {
        return;
    }
    s_sharedBackgroundWriter->finishAll();
    CCBackgroundWriter* writer = s_sharedBackgroundWriter;
    s_sharedBackgroundWriter = NULL;
    delete writer;
}

void CCBackgroundWriter::dispatchFinishedWrites()
{
    if (s_sharedBackgroundWriter != NULL && s_sharedBackgroundWriter->m_nUnanswered > 0)
    {
        s_sharedBackgroundWriter->answerFinished();
    }
}

void CCBackgroundWriter::finishQueuedWrites()
{
    if (s_sharedBackgroundWriter != NULL && s_sharedBackgroundWriter->m_nUnanswered > 0)
    {
        s_sharedBackgroundWriter->finishAll();
    }
}

CCBackgroundWriter::CCBackgroundWriter() : m_bWriting(false), m_bStopping(false), m_nUnanswered(0)
{
    m_thread = std::thread(&CCBackgroundWriter::run, this);
}

CCBackgroundWriter::~CCBackgroundWriter()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStopping = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void CCBackgroundWriter::writeFileReplacing(const std::string& path, const std::string& bytes,
                                            const DoneCallback& done)
{
    Job job;
    job.files = CCFileUtils::sharedFileUtils();
    job.path = path;
    job.bytes = bytes;
    job.done = done;
    job.ok = false;
    job.error = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.push_back(job);
    }
    ++m_nUnanswered;
    m_wake.notify_one();
}

void CCBackgroundWriter::finishAll()
{
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_finished.wait(lock, [this] { return m_queue.empty() && !m_bWriting; });
    }
    answerFinished();
}

void CCBackgroundWriter::answerFinished()
{
    std::deque<Job> finished;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        finished.swap(m_done);
    }
    // Outside the lock: an answer may queue another write or wait for the rest.
    for (size_t i = 0; i < finished.size(); ++i)
    {
        --m_nUnanswered;
        if (finished[i].done)
        {
            finished[i].done(finished[i].ok, finished[i].error);
        }
    }
}

void CCBackgroundWriter::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;)
    {
        m_wake.wait(lock, [this] { return m_bStopping || !m_queue.empty(); });
        if (m_queue.empty())
        {
            return;
        }
        Job job = m_queue.front();
        m_queue.pop_front();
        m_bWriting = true;
        lock.unlock();
        job.ok = job.files->writeFileReplacing(job.path, job.bytes.data(), job.bytes.size());
        job.error = job.ok ? 0 : errno;
        lock.lock();
        m_done.push_back(job);
        m_bWriting = false;
        if (m_queue.empty())
        {
            m_finished.notify_all();
        }
    }
}

NS_CC_END
