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
