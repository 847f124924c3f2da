-- Opens a copy of the template session, inserts the plug-in on the stereo
-- track, selects a program, sets parameters by index and exports, all in
-- this one process: a plug-in that fails to load in a later run would be
-- replaced by a silent pass-through and the export would still succeed.
-- Usage: ardour7-lua render.lua SESSION_DIR SESSION_NAME UNIQUE_ID PROGRAM
--        EXPORT_DIR PRESET_UUID [INDEX=VALUE ...]
-- Prints "render:" lines that the calling script checks; with RENDER_SAVE=1
-- in the environment it then saves the session for the recall check.
local dir, name, id, program, outdir, preset = arg[1], arg[2], arg[3], tonumber(arg[4]), arg[5], arg[6]

-- Line by line, so that what was reported survives a crash at teardown.
io.stdout:setvbuf("line")
AudioEngine:set_backend("None (Dummy)", "", "")
AudioEngine:set_device_name("Silence")
assert(load_session(dir, name), "could not load the session")
local track = Session:route_by_name("in")
assert(not track:isnil(), "no track named in")

local proc = ARDOUR.LuaAPI.new_plugin(Session, id, ARDOUR.PluginType.LXVST, "")
if proc:isnil() then
  print("render: plugin-missing")
  close_session()
  return
end
assert(track:add_processor_by_index(proc, 0, nil, true) == 0, "could not insert the plug-in")
local pi = proc:to_insert()
local plugin = pi:plugin(0)
print("render: plugin " .. plugin:name())
print("render: engine-rate " .. Session:sample_rate())
print("render: session-rate " .. Session:nominal_sample_rate())
print("render: maker " .. plugin:maker())
for ps in plugin:get_info():get_presets(false):iter() do
  print("render: preset " .. ps.uri .. " " .. ps.label)
end
for i = 0, plugin:parameter_count() - 1 do
  print(string.format("render: param-name %d %s", i, plugin:parameter_label(i)))
end

if program >= 0 then
  local wanted = string.format("VST:%s:%04d", id, program)
  local found = nil
  for ps in plugin:get_info():get_presets(false):iter() do
    if ps.uri == wanted then found = ps end
  end
  assert(found, "no program " .. wanted)
  print("render: program " .. program .. " " .. found.label)
  plugin:load_preset(found)
end
for i = 7, #arg do
  local index, value = arg[i]:match("^(%d+)=(.+)$")
  ARDOUR.LuaAPI.set_plugin_insert_param(pi, tonumber(index), tonumber(value))
end
for i = 0, plugin:parameter_count() - 1 do
  print(string.format("render: param %d %.9g", i, ARDOUR.LuaAPI.get_plugin_insert_param(pi, i)))
end

-- Saved before the export: Ardour 7.3's export with the dummy backend now and
-- then corrupts its own heap (with or without any plug-in), which takes the
-- process down at the next allocation.
if os.getenv("RENDER_SAVE") == "1" then
  Session:save_state("", false, false, false, false, false)
  print("render: saved")
end

local e = Session:simple_export()
e:set_name("out")
e:set_folder(outdir)
e:set_range(Session:current_start_sample(), Session:current_end_sample())
assert(e:set_preset(preset), "no export preset " .. preset)
assert(e:check_outputs(), "nothing to export")
print("render: exported " .. tostring(e:run_export()))
-- Lua's references to routes must go before the session does: collected
-- after it, they would tear down a track of a freed session.
track, proc, pi, plugin, e = nil
collectgarbage()
close_session()
