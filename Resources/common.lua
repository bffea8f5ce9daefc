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

-- Calls fn every `seconds` while the level runs: each timer starts the next one before it calls
-- fn, so a call that fails (the game logs the error) keeps the schedule. A new level drops the
-- level's timers, so nothing carries over.
function every(seconds, fn)
    game():startTimer(seconds, function(progress)
        every(seconds, fn)
        fn()
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

-- The story's difficulties as the caption names them: the title offers no choice until the
-- story has been finished once, so the caption is where a player learns what is being played.
local difficultyNames = { [kDifficulty_Easy] = "Easy", [kDifficulty_Normal] = "Normal", [kDifficulty_Hard] = "Hard" }

-- The level's name, where and when, as a caption; in the story, when and on which difficulty.
function showLevelCaption(seconds)
    local hud = game().HUD
    local levels = LevelManager:sharedLevelManager()
    if hud ~= nil and levels ~= nil then
        local when = levels:getTimePeriod()
        local difficulty = difficultyNames[game():getStoryDifficultyLevel()]
        if difficulty ~= nil and game():getGameMode() == kVornGameMode_Story then
            when = when .. " - " .. difficulty
        end
        hud:showTimeAndLocation(when, levels:getLocationName(), seconds)
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

-- A fresh match: tasks drawn, the clock reset, both on show with the fighter's health bar, the
-- clock running.
function startArenaMatch()
    local arena = game().ArenaManager
    if arena == nil then
        return
    end
    arena:initArena()
    local hud = game().HUD
    if hud ~= nil then
        if game().Player ~= nil then
            hud:showPlayerHealth(game().Player)
        end
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

-- An arena level: its stage, prop animation and looping "ambient" timeline, a restart point, and
-- a match against the clock with `thugs` enemies of one kind (`kind`, the street thug unless
-- named) always in play. The restart button ("restoreStart") brings a fresh match.
function setUpArena(stage, propSheet, propDelay, thugs, kind)
    local function startMatch()
        playArenaMusic()
        game().Background:setObjectAnimation(0, propSheet, propDelay)
        playStageTimeline("ambient")
        startArenaMatch()
        keepEnemiesInPlay(kind or "street-thug.plist", thugs)
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

-- Camera effects. The camera shakes by ShakeScale while it is above 0 and eases its zoom toward
-- GameScale's target; a level start or a continue puts both back.
local shakeCount = 0
local baseGameScale = nil

-- Shakes the view by `scale` for `seconds`; a later shake takes over from one still going.
function shakeCamera(scale, seconds)
    local camera = game().CameraManager
    if camera == nil then
        return
    end
    camera.ShakeScale = scale
    shakeCount = shakeCount + 1
    local shake = shakeCount
    game():startTimer(seconds, function(progress)
        local current = game().CameraManager
        if shake == shakeCount and current ~= nil then
            current.ShakeScale = 0
        end
    end)
end

-- Eases the zoom to `zoom` times the level's own over about `seconds` (1.0 goes back). The
-- bottom of the view stays on the ground line, so the fighters' feet stay in sight: the view
-- drops as it zooms in, a little ahead of the zoom, and rises back a little behind it.
local baseHalfHeight = nil

function zoomCamera(zoom, seconds)
    local camera = game().CameraManager
    local scale = camera and camera.GameScale
    local height = camera and camera.CameraCenterHeight
    if scale == nil or height == nil or zoom == nil or zoom <= 0 then
        return
    end
    if baseGameScale == nil then
        baseGameScale = scale.Target
        baseHalfHeight = camera:getGameScreenBounds().size.height / 2
    end
    local rate = 3.0 / ((seconds ~= nil and seconds > 0) and seconds or 1.0)
    local rising = zoom * baseGameScale > scale.Value
    scale.SmoothScale = rate
    scale.Target = baseGameScale * zoom
    height.SmoothScale = rising and 2 * rate or rate / 2
    height.Target = baseHalfHeight * (1 - 1 / zoom)
end

-- A scene: the cinemascope bars, then each line of `lines` ({ head, text, seconds }) in turn; the
-- enemies hold still meanwhile. The bars go and the enemies move again once the last line has
-- been said (or, should the speech be cut short, once its time is up), then `after` runs.
function playScene(lines, after)
    local hud = game().HUD
    local bots = game().BotManager
    local finished = false
    local function finish()
        if finished then
            return
        end
        finished = true
        if hud ~= nil then
            hud:disableCinemascope()
        end
        if bots ~= nil then
            bots:resume()
        end
        if after ~= nil then
            after()
        end
    end
    if hud == nil then
        finish()
        return
    end
    if bots ~= nil then
        bots:pause()
    end
    hud:enableCinemascope()
    local total = 0
    for i, line in ipairs(lines) do
        local seconds = line[3] or 2.5
        total = total + seconds
        hud:playSpeech(line[1], line[2], seconds, nil, (i == #lines) and finish or nil)
    end
    game():startTimer(total + 1.0, function(progress)
        finish()
    end)
end

-- The control hints: each pair of texts in turn, `seconds` apiece, the two lines together on the
-- left thumb. (A thumb's show hides the other side's when it ends, so a pair split over both
-- sides would leave one of them up for a moment only.)
function showControlHints(hints, seconds)
    local hud = game().HUD
    if hud == nil then
        return
    end
    local function show(i)
        if i > #hints then
            hud:hideLeftThumb()
            return
        end
        hud:showLeftThumb(hints[i][1] .. "\n" .. hints[i][2])
        game():startTimer(seconds, function(progress)
            show(i + 1)
        end)
    end
    show(1)
end

-- A story stage, described by one table and run wave by wave:
--   backdrop  the stage layout; player  the story fighter's list ("jors.plist");
--   maxBots   enemies on screen at once; dress()  music and animations, on every (re)start;
--   waves     in order, each { trigger = name of the layout's trigger that starts it,
--             enemies = { { "kind.plist", count }, ... }, lockAt = x of the wall that holds the
--             player in until the wave is down, checkpoint = (optional) restore function name
--             saved as the wave starts, onStart(wave) / onCleared(wave) (optional), boss = true to
--             give the first enemy the boss bar, fight = true to give it the fight bar, atOnce =
--             (optional) how many of this wave are on screen at once on every difficulty, ahead =
--             true to send every one of them in from ahead rather than from both sides };
--   onCleared()  after the last wave (default: the stage complete screen).
-- The layout names a VornCollision "lockWall" (the held wall) and one trigger per wave; the first
-- trigger lies under the player's start, so the stage opens as soon as it is played; each later
-- trigger reaches to the stage's end, so a player knocked past its start still stands in it (a
-- trigger refused while a wave is in play stays live). A checkpoint
-- is saved as its wave starts; a restore brings the player back there and starts that wave again.
function setUpStage(stage)
    -- The held wall stands at x, or (nil) is out of play: a hidden wall stops nobody.
    local function lock(x)
        local wall = game().Background and game().Background:getNodeByName("lockWall")
        if wall ~= nil then
            wall:setVisible(x ~= nil)
            if x ~= nil then
                wall:setPosition(x, -54)
            end
        end
    end
    local function restart(restoring)
        setUpPlayer(stage.player)
        lock(nil)
        -- A scene cut short by a restore must not leave the enemies standing still.
        local bots = game().BotManager
        if bots ~= nil then
            bots:resume()
        end
        stage.dress()
    end
    -- The setup tables' Min and Max columns already make enemies weaker on Easy and stronger on
    -- Hard; the waves differ too: one enemy fewer at once on Easy (unless the wave names its own
    -- atOnce), one more in each wave on Hard.
    local difficulty = game():getStoryDifficultyLevel()
    local function onScreen(current)
        if current ~= nil and current.atOnce ~= nil then
            return current.atOnce
        end
        if difficulty == kDifficulty_Easy then
            return math.max(2, stage.maxBots - 1)
        end
        return stage.maxBots
    end
    local extraPerWave = (difficulty == kDifficulty_Hard) and 1 or 0

    function init(restoring)
        setUpPlayer(stage.player)
        setMaxBotsOnScreen(onScreen())
        wave = 0
        kills = 0
        waveLeft = 0
        if restoring then
            return
        end
        game():setBackdropFile(stage.backdrop)
        restart(false)
        game():setCheckpoint("restoreStart")
        game():setRestartCheckpoint("restoreStart")
    end
    restoreStart = restart

    local function enemyDown(bot)
        kills = kills + 1
        waveLeft = waveLeft - 1
        if waveLeft > 0 then
            return
        end
        local current = stage.waves[wave]
        lock(nil)
        if current.boss or current.fight then
            local hud = game().HUD
            if hud ~= nil then
                hud:hideBossHealth()
                hud:hideFightHealth()
            end
        end
        if current.onCleared ~= nil then
            current.onCleared(wave)
        end
        if wave < #stage.waves then
            showGoPrompt(true)
        elseif stage.onCleared ~= nil then
            stage.onCleared()
        else
            -- A moment to see the last one fall before the results.
            game():startTimer(1.5, function()
                game():onStageComplete()
            end)
        end
    end

    local function knockedOut(bot)
        shakeCamera(3.0, 0.25)
    end

    local function onFirstSpawned(current)
        return function(bot)
            local hud = game().HUD
            if hud == nil then
                return
            end
            if current.boss then
                hud:showBossHealth(bot)
            elseif current.fight then
                hud:showFightHealth(game().Player, bot)
            end
        end
    end

    local function startWave(number)
        local current = stage.waves[number]

        if number <= wave then
            return true
        end
        if number ~= wave + 1 or waveLeft > 0 or current == nil then
            -- Not before the wave in play is down: the trigger stays live.
            return false
        end
        wave = number
        showGoPrompt(false)
        setMaxBotsOnScreen(onScreen(current))
        if current.checkpoint ~= nil then
            -- Saving shows the HUD's checkpoint notice.
            game():setCheckpoint(current.checkpoint)
            game():setRestartCheckpoint(current.checkpoint)
        end
        lock(current.lockAt)
        if current.onStart ~= nil then
            current.onStart(number)
        end
        local bots = game().BotManager
        waveLeft = 0
        local side = 0
        for index, group in ipairs(current.enemies) do
            local desc = game():actorDescWithFile(group[1])
            local count = group[2]
            if index == 1 and not current.boss and not current.fight then
                count = count + extraPerWave
            end
            for i = 1, count do
                if bots ~= nil and desc ~= nil then
                    side = side + 1
                    local dir = (side % 2 == 0 and not current.ahead) and kSpawnDir_Left or kSpawnDir_Right
                    local id = bots:addBotToSpawnQueue(desc, dir, 0.6)
                    bots:triggerOnBotEvent(id, kBotTrigger_Died, enemyDown)
                    -- A knock-out blow is a heavy hit: the camera feels it.
                    bots:triggerOnBotEvent(id, kBotTrigger_Killed, knockedOut)
                    if waveLeft == 0 and (current.boss or current.fight) then
                        bots:triggerOnBotEvent(id, kBotTrigger_Spawned, onFirstSpawned(current))
                    end
                    waveLeft = waveLeft + 1
                end
            end
        end
        if waveLeft == 0 then
            -- Nothing could be sent in: the wave counts as down.
            waveLeft = 1
            enemyDown(nil)
        end
        return true
    end

    for number, current in ipairs(stage.waves) do
        _G[current.trigger] = function(trigger, amount)
            return startWave(number)
        end
        if current.checkpoint ~= nil then
            -- Back at this wave's trigger: the waves before it are behind the player.
            _G[current.checkpoint] = function(restoring)
                restart(restoring)
                wave = number - 1
                startWave(number)
            end
        end
    end
end
