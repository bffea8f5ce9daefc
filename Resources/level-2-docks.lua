-- Level 2: the docks, the story's last stage. The boss fight ends the story: onBossDefeated
-- completes it and goes back to the title.

function init(restoring)
    bossDefeated = false
    pierReached = false
    if restoring then
        return
    end
    game():setBackdropFile("stage-docks")
    dressStage()
    game():setRestartCheckpoint("restoreStart")
end

-- What the layout does not do by itself: music and the pier beacon's pulse.
function dressStage()
    playLevelMusic()
    game().Background:setObjectAnimation(0, "stage-docks-lantern.plist", 0.2)
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

-- The stage layout's trigger where the quay gives way to the pier: the last stretch.
function onPierReached(trigger, amount)
    pierReached = true
    return true
end
