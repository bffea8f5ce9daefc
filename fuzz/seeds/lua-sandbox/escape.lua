require('os').execute('id')
