-- Arena: the container yard on the docks. The stage, its beacon and the arena's music; the
-- restart button brings back this start. The fights themselves come with the arena's script calls.

function init(restoring)
    if restoring then
        return
    end
    game():setBackdropFile("stage-docks")
    dressArena()
    game():setRestartCheckpoint("restoreStart")
end

function dressArena()
    game():playMusic("Arena")
    game().Background:setObjectAnimation(0, "stage-docks-lantern.plist", 0.2)
end

function restoreStart(restoring)
    dressArena()
end

-- The docks' pier trigger means nothing in the arena.
function onPierReached(trigger, amount)
    return true
end
