ardour {
	["type"] = "dsp",
	name = "zarN Test Phrase",
	category = "Utility",
	license = "MIT",
	author = "zarN",
	description = [[Plays a fixed phrase of notes, timed by the transport position, ahead of the instrument.]]
}

-- note, start (seconds), length (seconds): the analysis expects the same phrase
local phrase = { { 81, 0.5, 0.4 }, { 69, 1.2, 0.4 }, { 76, 1.9, 0.4 } }

function dsp_ioconfig ()
	return { { midi_in = 1, midi_out = 1, audio_in = 0, audio_out = 0 } }
end

function dsp_run (_, _, n_samples)
	local cnt = 1
	for _, e in ipairs (midiin) do
		midiout[cnt] = e
		cnt = cnt + 1
	end

	if not Session:transport_rolling () then return end

	local rate = Session:nominal_sample_rate ()
	local pos = Session:transport_sample ()

	for _, n in ipairs (phrase) do
		local on = math.floor (n[2] * rate)
		local off = math.floor ((n[2] + n[3]) * rate)
		if on >= pos and on < pos + n_samples then
			midiout[cnt] = { time = on - pos + 1, data = { 0x90, n[1], 100 } }
			cnt = cnt + 1
		end
		if off >= pos and off < pos + n_samples then
			midiout[cnt] = { time = off - pos + 1, data = { 0x80, n[1], 0 } }
			cnt = cnt + 1
		end
	end
end
