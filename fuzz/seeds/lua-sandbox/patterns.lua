local s = ('a'):rep(300) return s:find(('a?'):rep(300) .. 'b'), s:gsub('(a)(a?)', '%2%1')
