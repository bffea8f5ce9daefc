-- Level 1: the street. The stage comes up with its burning barrel and flickering neon sign; the
-- gate at the far end is the checkpoint.

-- restoring is true when a checkpoint brings the level back: the checkpoint then brings back
-- the stage and calls its function (restoreStart or restoreGate), which dresses it.
function init(restoring)
    gateReached = false
    if restoring then
        return
    end
    game():setBackdropFile("stage-street")
    dressStage()
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

-- The start of the level, after a continue.
function restoreStart(restoring)
    gateReached = false
    dressStage()
end

-- The gate checkpoint, after a continue or the title's continue.
function restoreGate(restoring)
    gateReached = true
    dressStage()
end

-- The stage layout's gate trigger: saves the checkpoint; answering true uses the trigger up.
function onGateReached(trigger, amount)
    gateReached = true
    game():setCheckpoint("restoreGate")
    return true
end
