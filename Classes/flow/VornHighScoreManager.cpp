#include "VornHighScoreManager.h"

#include "VornGameManager.h"
#include "VornPlayer.h"

NS_CC_BEGIN

const char* const VornHighScoreManager::kPlayerName = "Jors Kell";

VornHighScoreManager::VornHighScoreManager()
{
}

VornHighScoreManager::~VornHighScoreManager()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (game != NULL && game->getPlayer() != NULL)
    {
        game->getPlayer()->getDiedSignal().disconnect(this, &VornHighScoreManager::onPlayerDied);
    }
}

bool VornHighScoreManager::init()
{
    if (!HighScoreManager::init())
    {
        return false;
    }
    HighScoreTable* story = HighScoreTable::create("Story Mode", "story-mode");
    if (story == NULL)
    {
        return false;
    }
    getTables()->addObject(story);
    connectToPlayer();
    return true;
}

void VornHighScoreManager::connectToPlayer()
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    VornPlayer* player = game ? game->getPlayer() : NULL;
    if (player != NULL)
    {
        player->getDiedSignal().connect(this, &VornHighScoreManager::onPlayerDied);
    }
}

void VornHighScoreManager::onPlayerDied(VornActor* player)
{
    VornPlayer* scorer = dynamic_cast<VornPlayer*>(player);
    if (scorer != NULL)
    {
        submitScore(scorer->getScore());
    }
}

void VornHighScoreManager::submitScore(int score)
{
    VornGameManager* game = VornGameManager::getSharedVornGameManager();
    if (game != NULL)
    {
        submitScoreForLevel(game->getLevelScript().c_str(), score);
    }
}

bool VornHighScoreManager::submitScoreForLevel(const char* levelName, int score)
{
    HighScoreTable* table = getTable(levelName);
    if (table == NULL || !table->addScore(kPlayerName, score))
    {
        return false;
    }
    CCArray* items = table->getItems();
    HighScoreItem* best = (items && items->count() > 0) ? static_cast<HighScoreItem*>(items->objectAtIndex(0)) : NULL;
    m_newHighScoreSignal.emit(table, best);
    return true;
}

NS_CC_END
