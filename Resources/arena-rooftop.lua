-- Arena: the rooftop. The stage, its turning fan and the arena's music; the restart button
-- brings back this start. The fights themselves come with the arena's script calls.

function init(restoring)
    if restoring then
        return
    end
    game():setBackdropFile("stage-arena")
    dressArena()
    game():setRestartCheckpoint("restoreStart")
end

function dressArena()
    game():playMusic("Arena")
    game().Background:setObjectAnimation(0, "stage-arena-fan.plist", 0.08)
end

function restoreStart(restoring)
    dressArena()
end
