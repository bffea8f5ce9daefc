-- Level 2: the docks, the story's last stage. The boss fight ends the story: onBossDefeated
-- completes it and goes back to the title.

function init(restoring)
    bossDefeated = false
    if restoring then
        return
    end
    -- The docks share the street's layout until their own is drawn.
    game():setBackdropFile("stage-street")
    dressStage()
    game():setRestartCheckpoint("restoreStart")
end

function dressStage()
    playLevelMusic()
end

function restoreStart(restoring)
    bossDefeated = false
    dressStage()
end

-- The last stage has no stage after it: the story ends here.
function onBossDefeated()
    bossDefeated = true
    game():onStoryModeCompleted()
    game():quitToTitleScreen()
end

-- The shared layout's gate leads nowhere on the docks.
function onGateReached(trigger, amount)
    return true
end
