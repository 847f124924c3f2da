-- Reopens a saved session and reports the plug-in's parameter values as the
-- session recalled them. Usage: ardour7-lua recall.lua SESSION_DIR SESSION_NAME
local dir, name = arg[1], arg[2]

-- Line by line, so that what was reported survives a crash at teardown.
io.stdout:setvbuf("line")
AudioEngine:set_backend("None (Dummy)", "", "")
AudioEngine:set_device_name("Silence")
assert(load_session(dir, name), "could not load the session")
local track = Session:route_by_name("in")
assert(not track:isnil(), "no track named in")
local proc = track:nth_plugin(0)
if proc:isnil() then
  print("recall: plugin-missing")
  close_session()
  return
end
local pi = proc:to_insert()
local plugin = pi:plugin(0)
-- A module that failed to load comes back as a stand-in under another name.
print("recall: plugin " .. plugin:name())
print("recall: unique-id " .. plugin:unique_id())
print("recall: preset " .. plugin:last_preset().label)
for i = 0, plugin:parameter_count() - 1 do
  print(string.format("recall: param %d %.9g", i, ARDOUR.LuaAPI.get_plugin_insert_param(pi, i)))
end
-- Lua's references to routes must go before the session does: collected
-- after it, they would tear down a track of a freed session.
track, proc, pi, plugin = nil
collectgarbage()
close_session()
