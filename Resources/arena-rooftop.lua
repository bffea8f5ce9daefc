-- Arena: the rooftop. A match against the clock: three street thugs are always in play,
-- each one down sends in another; the restart button brings a fresh match.

local THUG = "street-thug.plist"
local THUGS_IN_PLAY = 3

function init(restoring)
    setMaxBotsOnScreen(THUGS_IN_PLAY)
    if restoring then
        return
    end
    game():setBackdropFile("stage-arena")
    game():setRestartCheckpoint("restoreStart")
    startMatch()
end

function dressArena()
    playArenaMusic()
    game().Background:setObjectAnimation(0, "stage-arena-fan.plist", 0.08)
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
