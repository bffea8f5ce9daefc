-- Helpers shared by every level. The game runs this file first on each level load, in a fresh
-- script state, then the level's own script, then the level's init(restoring).
-- Level scripts never define the enemy entry points (begin_state, end_state, tick): those live
-- in the enemy scripts, each in its own state.

-- x kept within [lo, hi].
function clamp(x, lo, hi)
    if x < lo then
        return lo
    end
    if x > hi then
        return hi
    end
    return x
end

-- From a to b by t: timers started with a function hand it their progress, 0 to 1.
function lerp(a, b, t)
    return a + (b - a) * clamp(t, 0, 1)
end

-- The game manager every level drives.
function game()
    return VornGameManager:getSharedVornGameManager()
end

-- The music the level list names for the level being played (none for a level outside it).
function playLevelMusic()
    local levels = LevelManager:sharedLevelManager()
    local track = levels and levels:getMusicTrackName()
    if track ~= nil and track ~= "" then
        game():playMusic(track)
    end
end

-- Calls fn every `seconds` while the level runs: each timer starts the next one. A new level
-- drops the level's timers, so nothing carries over.
function every(seconds, fn)
    game():startTimer(seconds, function(progress)
        fn()
        every(seconds, fn)
    end)
end

-- Runs the named timeline of the stage's layout, if a stage is up.
function playStageTimeline(name)
    local stage = game().Background
    if stage ~= nil then
        stage:playAnimation(name)
    end
end

-- The story's fighter, under the player's control. The checkpoint store keeps neither the
-- character nor the control for the story, so every init and every restore calls this.
function setUpPlayer(descFile)
    local desc = game():actorDescWithFile(descFile)
    if desc ~= nil then
        game():setPlayerDesc(desc)
    end
    local player = game().Player
    if player ~= nil then
        player.InputConnected = true
    end
end

-- Runs fn just after the level has started. The start empties the enemy queue and the HUD's
-- captions once the level's init has run, so a level's opening waits for this.
function afterStart(fn)
    game():startTimer(0.5, function(progress)
        fn()
    end)
end

-- The level's name, where and when, as a caption.
function showLevelCaption(seconds)
    local hud = game().HUD
    local levels = LevelManager:sharedLevelManager()
    if hud ~= nil and levels ~= nil then
        hud:showTimeAndLocation(levels:getTimePeriod(), levels:getLocationName(), seconds)
    end
end

-- A wave of count enemies of one kind, queued from alternate sides; onDied(bot) runs as each one
-- has gone. Answers how many were queued (none without the enemy manager or the descriptor).
function spawnWave(descFile, count, onDied)
    local bots = game().BotManager
    local desc = game():actorDescWithFile(descFile)
    if bots == nil or desc == nil then
        return 0
    end
    for i = 1, count do
        local side = (i % 2 == 0) and kSpawnDir_Left or kSpawnDir_Right
        local id = bots:addBotToSpawnQueue(desc, side, 1.0)
        bots:triggerOnBotEvent(id, kBotTrigger_Died, onDied)
    end
    return count
end

-- Enemies on screen at once: the manager has no default of its own a level may rely on.
function setMaxBotsOnScreen(count)
    local bots = game().BotManager
    if bots ~= nil then
        bots.MaxBotsOnScreen = count
    end
end

-- The GO prompt, when there is a HUD to show it.
function showGoPrompt(shown)
    local hud = game().HUD
    if hud == nil then
        return
    end
    if shown then
        hud:showGO()
    else
        hud:hideGO()
    end
end

-- The arena's own track: the one the chosen arena names, else the list's first.
function playArenaMusic()
    local helper = game():getArenaModeHelper()
    local track = helper and helper:getCurrentMusicTrackName()
    if track == nil or track == "" then
        track = "Arena"
    end
    game():playMusic(track)
end

-- A fresh match: tasks drawn, the clock reset, both on show, the clock running. The HUD starts
-- each level clean, so a level calls this from afterStart.
function startArenaMatch()
    local arena = game().ArenaManager
    if arena == nil then
        return
    end
    arena:initArena()
    local hud = game().HUD
    if hud ~= nil then
        hud:showArenaTasks()
        hud:showArenaTimer()
    end
    arena:beginArena()
end

-- count enemies of one kind in play for as long as the level runs: each one gone sends in
-- another from the other side. The level's restart drops the callbacks with the old state.
function keepEnemiesInPlay(descFile, count)
    local bots = game().BotManager
    local desc = game():actorDescWithFile(descFile)
    if bots == nil or desc == nil then
        return 0
    end
    local function sendIn(n)
        local side = (n % 2 == 0) and kSpawnDir_Left or kSpawnDir_Right
        local id = bots:addBotToSpawnQueue(desc, side, 1.0)
        bots:triggerOnBotEvent(id, kBotTrigger_Died, function(bot)
            sendIn(n + 1)
        end)
    end
    for n = 1, count do
        sendIn(n)
    end
    return count
end

-- An arena level: its stage and prop animation, a restart point, and a match against the clock
-- with `thugs` enemies always in play. The restart button ("restoreStart") brings a fresh match.
function setUpArena(stage, propSheet, propDelay, thugs)
    local function startMatch()
        playArenaMusic()
        game().Background:setObjectAnimation(0, propSheet, propDelay)
        afterStart(function()
            startArenaMatch()
            keepEnemiesInPlay("street-thug.plist", thugs)
        end)
    end
    function init(restoring)
        setMaxBotsOnScreen(thugs)
        if restoring then
            return
        end
        game():setBackdropFile(stage)
        game():setRestartCheckpoint("restoreStart")
        startMatch()
    end
    function restoreStart(restoring)
        startMatch()
    end
end
