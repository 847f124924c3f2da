-- Records a few seconds of silence into a stereo track of a new 48 kHz
-- session: Ardour's Lua cannot import audio, so later runs copy this
-- session and overwrite the two recorded take files with their input.
-- Usage: ardour7-lua make-template.lua SESSION_DIR SECONDS
local dir, seconds = arg[1], tonumber(arg[2])

AudioEngine:set_backend("None (Dummy)", "", "")
AudioEngine:set_device_name("Silence")
local s = create_session(dir, "template", 48000)
assert(s, "could not create the session")

local tracks = Session:new_audio_track(2, 2, nil, 1, "in", ARDOUR.PresentationInfo.max_order,
                                       ARDOUR.TrackMode.Normal, true, false)
local track = tracks:front()
track:rec_enable_control():set_value(1, PBD.GroupControlDisposition.NoGroup)
Session:maybe_enable_record(false)
Session:request_roll(ARDOUR.TransportRequestSource.TRS_UI)
ARDOUR.LuaAPI.usleep(seconds * 1000000)
Session:request_stop(false, false, ARDOUR.TransportRequestSource.TRS_UI)
ARDOUR.LuaAPI.usleep(500000)
track:rec_enable_control():set_value(0, PBD.GroupControlDisposition.NoGroup)
Session:disable_record(false, false)

-- Region fades would shape the input; the rig must pass it unchanged.
for r in track:playlist():region_list():iter() do
  local ar = r:to_audioregion()
  ar:set_fade_in_active(false)
  ar:set_fade_out_active(false)
  print("region", r:name(), r:position():samples(), r:length():samples())
end
Session:save_state("", false, false, false, false, false)
-- Lua's references to routes must go before the session does: collected
-- after it, they would tear down a track of a freed session.
tracks, track = nil
collectgarbage()
close_session()
