-- Level 1: the street. The stage comes up with its burning barrel and flickering neon sign. A
-- first wave of thugs comes at the player at once; the gate at the far end is the checkpoint and
-- brings the second wave. The stage is complete once both waves are down.

local THUG = "street-thug.plist"
local WAVE_SIZES = { 3, 4 }

-- restoring is true when a checkpoint brings the level back: the checkpoint then brings back
-- the stage and calls its function (restoreStart or restoreGate), which dresses it and brings
-- the enemies back.
function init(restoring)
    setUpPlayer("jors.plist")
    setMaxBotsOnScreen(3)
    gateReached = false
    kills = 0
    if restoring then
        return
    end
    game():setBackdropFile("stage-street")
    dressStage()
    afterStart(function()
        showLevelCaption(3.0)
        startWave(1)
    end)
    game():setRestartCheckpoint("restoreStart")
end

-- What the layout does not do by itself: music, the barrel's fire, the sign's flicker.
function dressStage()
    playLevelMusic()
    game().Background:setObjectAnimation(0, "stage-barrel.plist", 0.12)
    every(4.0, function()
        playStageTimeline("flicker")
    end)
end

function startWave(number)
    wave = number
    killsInWave = 0
    spawnWave(THUG, WAVE_SIZES[number], onThugDied)
end

-- Each thug of a wave, once it has gone. The first wave down sends the player on to the gate.
function onThugDied(bot)
    kills = kills + 1
    killsInWave = killsInWave + 1
    if killsInWave < WAVE_SIZES[wave] then
        return
    end
    if wave == 1 then
        showGoPrompt(true)
    else
        -- A moment to see the last one fall before the results.
        game():startTimer(1.5, function()
            game():onStageComplete()
        end)
    end
end

-- The start of the level, after a continue.
function restoreStart(restoring)
    gateReached = false
    dressStage()
    afterStart(function()
        startWave(1)
    end)
end

-- The gate checkpoint, after a continue or the title's continue.
function restoreGate(restoring)
    gateReached = true
    dressStage()
    afterStart(function()
        startWave(2)
    end)
end

-- The stage layout's gate trigger: saves the checkpoint and brings the second wave; answering
-- true uses the trigger up.
function onGateReached(trigger, amount)
    if gateReached then
        return true
    end
    gateReached = true
    showGoPrompt(false)
    game():setCheckpoint("restoreGate")
    startWave(2)
    return true
end
