-- Builds a session at SESSION_DIR with one MIDI track: the phrase player, then the plug-in.
local dir = os.getenv ("SESSION_DIR")
AudioEngine:set_backend ("None (Dummy)", "", "")
local s = create_session (dir, "render", 44100)
assert (s, "no session")

local info = ARDOUR.LuaAPI.new_plugin_info ("zarN the Synthesizer", ARDOUR.PluginType.LXVST)
assert (not info:isnil (), "the plug-in was not found on LXVST_PATH")

local tracks = Session:new_midi_track (ARDOUR.ChanCount (ARDOUR.DataType ("midi"), 1),
	ARDOUR.ChanCount (ARDOUR.DataType ("audio"), 2), true, info, nil, nil, 1, "Synth",
	ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true, false)
assert (tracks:size () == 1, "no track")
local track = tracks:front ()

local player = ARDOUR.LuaAPI.new_luaproc (Session, "zarN Test Phrase")
assert (not player:isnil (), "the phrase script was not found")
assert (track:add_processor_by_index (player, 0, nil, true) == 0, "the phrase player was not added")

local found = false
local i = 0
while not track:nth_plugin (i):isnil () do
	if track:nth_plugin (i):display_name () == "zarN the Synthesizer" then found = true end
	i = i + 1
end
assert (found, "the plug-in is not on the track")

Session:save_state ("", false, false, false, false, false)
close_session ()
print ("session ready")
