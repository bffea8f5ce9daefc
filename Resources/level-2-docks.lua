-- Level 2: the docks, the story's last stage. Kept small until the game's objects are open to
-- scripts; then init sets its backdrop and the boss fight, and the end calls
-- onStoryModeCompleted and goes back to the title.

function init(restoring)
    bossDefeated = false
end

function restoreStart(restoring)
    bossDefeated = false
end
