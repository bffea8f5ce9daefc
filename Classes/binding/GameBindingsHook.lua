-- Fix-ups of the generated game binding, run by the generator (tolua++ -L) so its output is
-- used unedited. The text is gathered while it is written and rewritten in post_output_hook.

local realWrite = write
local outputFile = nil
local chunks = {}

function write(...)
  if outputFile ~= nil and _OUTPUT == outputFile and rawtype(arg[1]) ~= 'userdata' then
    for i = 1, arg.n do
      chunks[#chunks + 1] = arg[i]
    end
    return true
  end
  return realWrite(unpack(arg))
end

-- Variables are reached through the class's virtual get/set pair (Speed: getSpeed, setSpeed).
-- A checked variable (tolua_property__checked) is set through the binding's own rule,
-- script_set<Name>(self, value), which decides what a script may put there.
function get_property_methods_hook(ptype, name)
  if ptype == 'checked' then
    return 'get' .. name, 'script_set' .. name
  end
  return 'get' .. name, 'set' .. name
end

-- Types the bound members only meet as native parameters (a number in scripts), registered by
-- name so scripts and other bindings can name them.
local nameOnlyTypes = { 'tVornAttackType' }

function pre_output_hook(package)
  outputFile = _OUTPUT
  if package.name == 'GameBindings' then
    for _, name in ipairs(nameOnlyTypes) do
      regtype(name)
    end
  end
end

local function fail(message)
  error('#GameBindingsHook: ' .. message)
end

-- A nil self is refused before any argument is converted: the refusal leaves the function by
-- longjmp, which must not skip the destructor of a std::string argument already built.
local function checkSelfFirst(text)
  local lines = {}
  for line in string.gmatch(text, '([^\n]*)\n') do
    lines[#lines + 1] = line
  end
  local out = {}
  local i = 1
  while i <= #lines do
    local line = lines[i]
    out[#out + 1] = line
    if string.find(line, '^  [%w_:]+%* self = %([%w_:]+%*%)%s+tolua_tousertype%(tolua_S,1,0%);$') then
      local j = i + 1
      while j <= #lines and string.find(lines[j], '^  [^#]') and not string.find(lines[j], '^  if ')
            and not string.find(lines[j], '^  {') do
        j = j + 1
      end
      if j > i + 1 and lines[j] == '#ifndef TOLUA_RELEASE'
         and string.find(lines[j + 1] or '', "^  if %(!self%) tolua_error")
         and lines[j + 2] == '#endif' then
        out[#out + 1] = lines[j]
        out[#out + 1] = lines[j + 1]
        out[#out + 1] = lines[j + 2]
        for k = i + 1, j - 1 do
          out[#out + 1] = lines[k]
        end
        i = j + 3
      else
        i = i + 1
      end
    else
      i = i + 1
    end
  end
  return table.concat(out, '\n') .. '\n'
end

local function fixup(text)
  local n

  -- Argument checks remember what a class passed, so a method called every frame checks once.
  text = string.gsub(text, 'tolua_isusertype%(tolua_S,', 'toluafix_isusertype(tolua_S,')

  -- Result objects: engine objects through the object-reference layer.
  text = string.gsub(text, 'tolua_pushusertype%(tolua_S,%(void%*%)tolua_ret,', 'tolua_pushbound(tolua_S,tolua_ret,')
  -- The same for object variables (gm.Background ...), read through their getters.
  text = string.gsub(text, 'tolua_pushusertype%(tolua_S,%(void%*%)self%->(get[%w_]+)%(%),', 'tolua_pushbound(tolua_S,self->%1(),')

  -- Value results (CCPoint, CCRect ...): one Lua-owned copy, freed by the type's collector.
  text, n = string.gsub(text,
    '#ifdef __cplusplus\n%s*void%* tolua_obj = Mtolua_new%(%(([%w_:]+)%)%(tolua_ret%)%);\n.-#endif\n',
    '    tolua_pushvaluecopy(tolua_S,tolua_ret,"%1");\n')

  -- new and new_local: the script holds the reference the object is born with.
  text = string.gsub(text, '(Mtolua_new%b();\n%s*)tolua_pushbound%(', '%1tolua_pushnewbound(')

  -- delete: only what the script made and nobody else holds; the script's user values stop
  -- pointing at the object before it is freed.
  text = string.gsub(text,
    "(in function 'delete'\", NULL%);\n#endif\n)  Mtolua_delete%(self%);",
    '%1  tolua_deletebound(tolua_S,self);')

  -- The collector lets go of the script's reference instead of freeing what the game may hold.
  text = string.gsub(text,
    '(\nstatic int tolua_collect_[%w_]+ %(lua_State%* tolua_S%)\n{\n[^\n]*\n)\tMtolua_delete%(self%);',
    '%1\ttolua_collectbound(tolua_S,self);')

  -- Static adapters (script_<name> declared static in a package) are free functions.
  text = string.gsub(text, '[%w_]+::(script_[%w_]+%()', '%1')
  -- So are the setters of checked variables, given self first.
  text = string.gsub(text, 'self%->(script_set[%w_]+)%(', '%1(self,')

  text = checkSelfFirst(text)

  -- Every binding runs behind the exception guard.
  text = string.gsub(text, '(tolua_function%(tolua_S,"[^"]+",)([%w_]+)%)', '%1tolua_guarded<%2>)')
  text = string.gsub(text, '(tolua_variable%(tolua_S,"[^"]+",)([%w_]+),([%w_]+)%)',
    function(head, getter, setter)
      if setter == 'NULL' then
        -- An assignment would otherwise land in the object's own table and hide the variable.
        return head .. 'tolua_guarded<' .. getter .. '>,tolua_refusereadonly)'
      end
      return head .. 'tolua_guarded<' .. getter .. '>,tolua_guarded<' .. setter .. '>)'
    end)

  -- Collect functions generated for types this file does not register as classes (value
  -- results) would be unused: the engine registered those types with their collectors.
  text = string.gsub(text,
    '\nstatic int tolua_collect_([%w_]+) %(lua_State%* tolua_S%)\n{\n.-\n}\n',
    function(name)
      if string.find(text, 'tolua_collect_' .. name .. ')', 1, true) then
        return nil
      end
      return '\n'
    end)

  if not string.find(text, 'GameBindingSupport.h', 1, true) then
    fail('the package must include GameBindingSupport.h first')
  end
  return text
end

function post_output_hook(package)
  local text = table.concat(chunks)
  chunks = {}
  outputFile = nil
  realWrite(fixup(text))
end

-- Members bound through a script-side form (script_<name>, tolua_outside) report errors under
-- their Lua name.
function output_error_hook(format, name)
  return string.format(format, (string.gsub(name, '^script_', '')))
end
