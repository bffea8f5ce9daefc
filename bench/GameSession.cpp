#include "GameSession.h"

#include "BotActor.h"
#include "BotManager.h"
#include "VornGameManager.h"
#include "VornPlayer.h"
#include "VornScreen.h"
#include "cocos2d.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

USING_NS_CC;

namespace
{
const float kBootDt = 1.0f / 60.0f;
// The splash plays for a few seconds; a boot that has not finished in a minute of frames is stuck.
const int kMaxBootFrames = 3600;

double threadCpuMs()
{
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return (double)now.tv_sec * 1000.0 + (double)now.tv_nsec / 1.0e6;
}

double processCpuMs()
{
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return (double)now.tv_sec * 1000.0 + (double)now.tv_nsec / 1.0e6;
}

double millisecondsBetween(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

// The frame drawn so far (the renderer flushes first), one 32-bit value a pixel; empty when it
// cannot be read.
std::vector<unsigned int> readPicture()
{
    std::vector<unsigned int> pixels;
    SDL_Surface* surface = CCRenderer::sharedRenderer()->readPixels();
    if (!surface)
    {
        return pixels;
    }
    pixels.resize((size_t)surface->w * (size_t)surface->h);
    for (int y = 0; y < surface->h; ++y)
    {
        memcpy(&pixels[(size_t)y * (size_t)surface->w], (const char*)surface->pixels + (size_t)y * (size_t)surface->pitch,
               (size_t)surface->w * 4);
    }
    SDL_FreeSurface(surface);
    return pixels;
}

// Whether the picture changed in more than one pixel in a thousand: the first sliver of an
// overlay sliding in from an edge is not a picture the player sees stall.
bool changedVisibly(const std::vector<unsigned int>& before, const std::vector<unsigned int>& after)
{
    if (before.size() != after.size() || after.empty())
    {
        return true;
    }
    size_t changed = 0;
    for (size_t i = 0; i < after.size(); ++i)
    {
        changed += before[i] != after[i] ? 1 : 0;
    }
    return changed * 1000 > after.size();
}
} // namespace

GameSession::GameSession()
    : m_pGame(NULL), m_fPlayerHealth(0.0f), m_bRunning(false), m_bComparePictures(false),
      m_bootLongestMs(0.0), m_bootLongestInViewMs(0.0)
{
    m_drivers[0] = '\0';
}

GameSession::~GameSession()
{
    stop();
}

bool GameSession::start(int width, int height)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    // Measuring must not touch the player's own settings and saved progress.
    if (!getenv("VORN_BENCH_KEEP_HOME"))
    {
        char home[] = "/tmp/tulmek-bench-XXXXXX";
        if (mkdtemp(home))
        {
            setenv("XDG_DATA_HOME", home, 1);
        }
    }
    // The same enemies make the same choices from run to run.
    srand(1);

    CCEGLView* view = CCEGLView::sharedOpenGLView();
    if (!view || !view->isOpenGLReady())
    {
        fprintf(stderr, "no window: %s\n", SDL_GetError());
        return false;
    }
    view->setFrameSize((float)width, (float)height);
    view->setDesignResolutionSize((float)width, (float)height, kResolutionShowAll);
    CCFileUtils::sharedFileUtils()->setResourceDirectory(VORN_SOURCE_RESOURCES);
    if (!m_app.applicationDidFinishLaunching())
    {
        fprintf(stderr, "the game did not launch\n");
        return false;
    }
    view->show();
    m_bRunning = true;
    m_pGame = dynamic_cast<VornGameManager*>(GameManager::getInstance());
    // The boot's frames are timed with their pictures: the world is built behind the splash.
    const bool compare = m_bComparePictures;
    m_bComparePictures = true;
    for (int i = 0; m_pGame && m_pGame->getBootState() < 3 && i < kMaxBootFrames; ++i)
    {
        noteBootFrame(timedStep(kBootDt));
    }
    if (!m_pGame || m_pGame->getBootState() < 3)
    {
        fprintf(stderr, "the game did not boot\n");
        return false;
    }
    // The title pauses the game once it has opened: wait for that, as a player would.
    VornScreen* title = m_pGame->getTitleScreen();
    for (int i = 0; title && (!title->isOpen() || title->isTimelineRunning()) && i < kMaxBootFrames; ++i)
    {
        noteBootFrame(timedStep(kBootDt));
    }
    m_bComparePictures = compare;
    return true;
}

void GameSession::noteBootFrame(const FrameCost& cost)
{
    const double ms = cost.updateMs + cost.drawMs;
    m_bootLongestMs = std::max(m_bootLongestMs, ms);
    if (cost.pictureChanged)
    {
        m_bootLongestInViewMs = std::max(m_bootLongestInViewMs, ms);
    }
}

bool GameSession::startLevel(const char* name)
{
    requestLevel(name);
    step(kBootDt);
    if (!isPlaying(name))
    {
        fprintf(stderr, "level %s did not start\n", name);
        return false;
    }
    return true;
}

void GameSession::requestLevel(const char* name)
{
    // As a level picked on the title screen: the title goes and the level starts on the next frame.
    if (m_pGame->getTitleScreen())
    {
        m_pGame->getTitleScreen()->close();
    }
    m_pGame->onLevelChosen(name);
}

bool GameSession::isPlaying(const char* name)
{
    if (m_pGame->getLevelScript() != name || !m_pGame->getPlayer())
    {
        return false;
    }
    m_fPlayerHealth = m_pGame->getPlayer()->getHealth();
    return true;
}

int GameSession::fillWithEnemies(const char* descFile, int count)
{
    BotManager* bots = m_pGame->getBotManager();
    VornActorDesc* desc = m_pGame->actorDescWithFile(descFile);
    if (!bots || !desc)
    {
        fprintf(stderr, "no enemy manager or no %s\n", descFile);
        return -1;
    }
    // Past the level's opening wait, so its first wave is queued before it is dropped.
    for (int i = 0; i < 60; ++i)
    {
        step(kBootDt);
    }
    bots->reset();
    bots->setMaxBotsOnScreen(count > 0 ? count : 1);
    // Spread over the visible street in rows, so every one of them is drawn from the first frame.
    const CCRect screen = BotManager::getGameScreenBounds();
    const int columns = 5;
    const int rows = (count + columns - 1) / columns;
    for (int i = 0; i < count; ++i)
    {
        const float x = screen.getMinX() + screen.size.width * (0.1f + 0.8f * ((float)(i % columns) + 0.5f) / columns);
        const float y = screen.getMinY() + screen.size.height * (0.1f + 0.8f * ((float)(i / columns) + 0.5f) / rows);
        bots->addBotToSpawnQueue(desc, CCRect(x, y, 0.0f, 0.0f), 0.0f);
    }
    for (int i = 0; i < 60; ++i)
    {
        step(kBootDt);
        topUpPlayer();
    }
    return bots->getNumActiveBots();
}

void GameSession::step(float dt)
{
    CCEGLView::sharedOpenGLView()->pollEvents();
    CCDirector::sharedDirector()->step(dt);
}

FrameCost GameSession::timedStep(float dt)
{
    CCEGLView* view = CCEGLView::sharedOpenGLView();
    view->pollEvents();
    CCDirector* director = CCDirector::sharedDirector();
    if (director->isNextDeltaTimeZero())
    {
        dt = 0.0f;
        director->setNextDeltaTimeZero(false);
    }
    // The director's frame in its two halves: the scheduler (the game's tick, actions, particles),
    // then the scene's visit into the window and the present. The game never swaps scenes.
    BotManager* bots = m_pGame ? m_pGame->getBotManager() : NULL;
    const int botsBefore = bots ? bots->getNumActiveBots() : 0;
    const unsigned int presents = director->getPresentCount();
    const double cpu0 = threadCpuMs();
    const std::chrono::steady_clock::time_point t0 = std::chrono::steady_clock::now();
    director->getScheduler()->update(dt);
    const std::chrono::steady_clock::time_point t1 = std::chrono::steady_clock::now();
    const double cpu1 = threadCpuMs();
    const double drawCpu0 = processCpuMs();
    view->beginFrame();
    if (director->getRunningScene())
    {
        director->getRunningScene()->visit();
    }
    if (director->getNotificationNode())
    {
        director->getNotificationNode()->visit();
    }
    bool pictureChanged = true;
    double readBackMs = 0.0;
    double readBackCpuMs = 0.0;
    if (m_bComparePictures)
    {
        // Drawn to the end, then read back outside the timed part.
        CCRenderer::sharedRenderer()->flush();
        const std::chrono::steady_clock::time_point r0 = std::chrono::steady_clock::now();
        const double readCpu0 = processCpuMs();
        std::vector<unsigned int> picture = readPicture();
        pictureChanged = changedVisibly(m_lastPicture, picture);
        m_lastPicture.swap(picture);
        readBackCpuMs = processCpuMs() - readCpu0;
        readBackMs = millisecondsBetween(r0, std::chrono::steady_clock::now());
    }
    view->endFrame();
    const double drawCpu1 = processCpuMs() - readBackCpuMs;
    const std::chrono::steady_clock::time_point t2 = std::chrono::steady_clock::now();
    const double cpu2 = threadCpuMs();
    CCPoolManager::sharedPoolManager()->finalize();
    const std::chrono::steady_clock::time_point t3 = std::chrono::steady_clock::now();
    const double cpu3 = threadCpuMs();

    FrameCost cost;
    // Draining the autorelease pool frees what the update let go of: it counts as update.
    cost.updateMs = millisecondsBetween(t0, t1) + millisecondsBetween(t2, t3);
    cost.updateCpuMs = (cpu1 - cpu0) + (cpu3 - cpu2);
    cost.drawMs = millisecondsBetween(t1, t2) - readBackMs;
    cost.drawCpuMs = drawCpu1 - drawCpu0;
    cost.drawCalls = CCRenderer::sharedRenderer()->getDrawCallsLastFrame();
    cost.quads = CCRenderer::sharedRenderer()->getQuadsLastFrame();
    cost.botsBefore = botsBefore;
    bots = m_pGame ? m_pGame->getBotManager() : NULL;
    cost.botsAfter = bots ? bots->getNumActiveBots() : 0;
    cost.pictureChanged = pictureChanged;
    cost.shownInUpdate = director->getPresentCount() != presents;
    return cost;
}

bool GameSession::topUpPlayer()
{
    VornPlayer* player = m_pGame ? m_pGame->getPlayer() : NULL;
    if (!player || player->getHealth() >= m_fPlayerHealth * 0.5f)
    {
        return false;
    }
    player->setHealth(m_fPlayerHealth);
    return true;
}

bool GameSession::knockOutAndReplace(const char* descFile)
{
    BotManager* bots = m_pGame->getBotManager();
    VornActorDesc* desc = m_pGame->actorDescWithFile(descFile);
    if (!bots || !desc)
    {
        return false;
    }
    BotList& active = bots->getActiveBots();
    for (BotList::iterator it = active.begin(); it != active.end(); ++it)
    {
        BotActor* bot = *it;
        if (bot->isAlive() && bot->isStanding())
        {
            bot->doTakeDamage(bot->getHealth(), bot->getBasePosition(), CCPoint(1.0f, 0.0f), kVornAttackType_KO, true);
            const CCRect screen = BotManager::getGameScreenBounds();
            const float x = screen.getMinX() + screen.size.width * (0.1f + 0.8f * (float)(rand() % 1000) / 1000.0f);
            const float y = screen.getMinY() + screen.size.height * (0.1f + 0.8f * (float)(rand() % 1000) / 1000.0f);
            bots->addBotToSpawnQueue(desc, CCRect(x, y, 0.0f, 0.0f), 0.0f);
            return true;
        }
    }
    return false;
}

bool GameSession::captureFrame(const char* path)
{
    CCEGLView::sharedOpenGLView()->captureNextFrame(path);
    step(1.0f / 60.0f);
    FILE* file = fopen(path, "rb");
    if (!file)
    {
        return false;
    }
    fclose(file);
    return true;
}

void GameSession::stop()
{
    if (!m_bRunning)
    {
        return;
    }
    m_bRunning = false;
    m_pGame = NULL;
    CCDirector::purgeSharedDirector();
    CCEGLView::purgeSharedOpenGLView();
}

const char* GameSession::describeDrivers()
{
    const char* video = SDL_GetCurrentVideoDriver();
    const char* renderer = "none";
    SDL_RendererInfo info;
    SDL_Renderer* sdlRenderer = CCEGLView::sharedOpenGLView()->getSDLRenderer();
    if (sdlRenderer && SDL_GetRendererInfo(sdlRenderer, &info) == 0)
    {
        renderer = info.name;
    }
    snprintf(m_drivers, sizeof(m_drivers), "%s/%s", video ? video : "none", renderer);
    return m_drivers;
}


