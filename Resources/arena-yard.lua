-- Arena: the container yard on the docks. A match against the clock: three street thugs are
-- always in play, each one down sends in another; the restart button brings a fresh match.

local THUG = "street-thug.plist"
local THUGS_IN_PLAY = 3

function init(restoring)
    setMaxBotsOnScreen(THUGS_IN_PLAY)
    if restoring then
        return
    end
    game():setBackdropFile("stage-docks")
    game():setRestartCheckpoint("restoreStart")
    startMatch()
end

function dressArena()
    playArenaMusic()
    game().Background:setObjectAnimation(0, "stage-docks-lantern.plist", 0.2)
end

function startMatch()
    dressArena()
    afterStart(function()
        startArenaMatch()
        keepEnemiesInPlay(THUG, THUGS_IN_PLAY)
    end)
end

-- The restart button: the stage comes back as stored, the match and its enemies anew.
function restoreStart(restoring)
    startMatch()
end

-- The docks' pier trigger means nothing in the arena.
function onPierReached(trigger, amount)
    return true
end
