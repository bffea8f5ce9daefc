-- Level 2: the docks, the story's last stage. Two waves of thugs guard it, then the harbour boss
-- himself; with him down the story is complete and the game goes back to the title (there is no
-- stage after this one).

local THUG = "street-thug.plist"
local BOSS = "boss.plist"
local WAVE_SIZES = { 3, 5, 1 }

function init(restoring)
    setUpPlayer("jors.plist")
    setMaxBotsOnScreen(3)
    storyCompleted = false
    pierReached = false
    kills = 0
    if restoring then
        return
    end
    game():setBackdropFile("stage-docks")
    dressStage()
    afterStart(function()
        showLevelCaption(3.0)
        startWave(1)
    end)
    game():setRestartCheckpoint("restoreStart")
end

-- What the layout does not do by itself: music and the pier beacon's pulse.
function dressStage()
    playLevelMusic()
    game().Background:setObjectAnimation(0, "stage-docks-lantern.plist", 0.2)
end

function startWave(number)
    wave = number
    killsInWave = 0
    if number == #WAVE_SIZES then
        startBossWave()
    else
        spawnWave(THUG, WAVE_SIZES[number], onThugDied)
    end
end

-- The boss comes in alone, announced by the banner, with his own health bar once he is in play.
function startBossWave()
    local hud = game().HUD
    if hud ~= nil then
        hud:showGrumvald()
    end
    local bots = game().BotManager
    local desc = game():actorDescWithFile(BOSS)
    if bots == nil or desc == nil then
        onStoryEnd()
        return
    end
    local id = bots:addBotToSpawnQueue(desc, kSpawnDir_Right, 1.0)
    bots:triggerOnBotEvent(id, kBotTrigger_Spawned, onBossSpawned)
    bots:triggerOnBotEvent(id, kBotTrigger_Died, onThugDied)
end

function onBossSpawned(bot)
    local hud = game().HUD
    if hud ~= nil then
        hud:showBossHealth(bot)
    end
end

function onThugDied(bot)
    kills = kills + 1
    killsInWave = killsInWave + 1
    if killsInWave < WAVE_SIZES[wave] then
        return
    end
    if wave < #WAVE_SIZES then
        startWave(wave + 1)
    else
        game():startTimer(2.0, onStoryEnd)
    end
end

function restoreStart(restoring)
    storyCompleted = false
    dressStage()
    afterStart(function()
        startWave(1)
    end)
end

-- The last stage has no stage after it: the story ends here.
function onStoryEnd()
    storyCompleted = true
    game():onStoryModeCompleted()
    game():quitToTitleScreen()
end

-- The stage layout's trigger where the quay gives way to the pier: the last stretch.
function onPierReached(trigger, amount)
    pierReached = true
    return true
end
