print(CCSprite:create('/etc/passwd'), CCSprite:create('../x.png'), CCSprite:create('x.png'))
print(pcall(CCSprite.create, CCSprite, ('a/'):rep(500) .. '..'))
