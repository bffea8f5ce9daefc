-- Level 1: the street. Kept small until the game's objects are open to scripts; then init sets
-- the backdrop "stage-street", marks the start checkpoint and brings on the waves.

-- restoring is true when a checkpoint brings the level back (its function runs after this).
function init(restoring)
    gateReached = false
end

-- The start of the level, after a continue.
function restoreStart(restoring)
    gateReached = false
end

-- The gate checkpoint, after a continue or the title's continue.
function restoreGate(restoring)
    gateReached = true
end

-- The stage layout's gate trigger: answering true uses it up.
function onGateReached(trigger, amount)
    gateReached = true
    return true
end
