local s = ('a'):rep(300)
local p = ('a?'):rep(300) .. 'b'
print(pcall(string.find, s, p))
print(pcall(string.match, s, p))
print(pcall(function() for m in s:gmatch(p) do end end))
print(pcall(string.gsub, s, ('(a*)'):rep(30) .. 'b', '%1'))
print(('key = [val] (x(y)z) end'):find('%f[%w](%w+)%s*=%s*%b[]%s*()(%b())'))
print(('a,b,,c'):gsub('([^,]*)', { a = 1, c = false }), ('abc'):gsub('%w', function(c) return c:byte() end))
print(('say "hi"'):match('(["\'])(.-)%1'), ('x'):find('[%]'), ('x'):find('(()'))
