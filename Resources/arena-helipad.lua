-- Arena: the hospital helipad. A match against the clock: three kickers are always in play, each
-- one down sends in another; the restart button brings a fresh match.

setUpArena("stage-helipad", "stage-helipad-sock.plist", 0.15, 3, "kicker.plist")
