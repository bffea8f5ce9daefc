local t = setmetatable({}, { __index = function(t, k) return k * 2 end }) local n = 0 for i = 1, 100 do n = n + t[i] end return string.format('%d %s', n, tostring(t))
