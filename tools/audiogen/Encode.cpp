#include "tools/audiogen/Encode.h"

#include "config/UUtils.h"

#include <vorbis/codec.h>
#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vantero::audiogen {

namespace {

constexpr int StreamSerial = 0x56565631;

void AppendPage(std::vector<uint8_t> &out, const ogg_page &page)
{
	out.insert(out.end(), page.header, page.header + page.header_len);
	out.insert(out.end(), page.body, page.body + page.body_len);
}

struct TMemoryFile {
	const std::vector<uint8_t> *Bytes;
	size_t Position;
};

size_t ReadMemory(void *target, size_t size, size_t count, void *source)
{
	auto *file = static_cast<TMemoryFile *>(source);
	const size_t wanted = size * count;
	const size_t left = file->Bytes->size() - file->Position;
	const size_t taken = std::min(wanted, left);
	std::memcpy(target, file->Bytes->data() + file->Position, taken);
	file->Position += taken;
	return size == 0 ? 0 : taken / size;
}

double ToDb(double value)
{
	return value > 0 ? 20.0 * std::log10(value) : -200.0;
}

} // namespace

std::vector<uint8_t> EncodeVorbis(const TAudio &audio, float quality)
{
	vorbis_info info;
	vorbis_info_init(&info);
	if (vorbis_encode_init_vbr(&info, audio.Channels, SampleRate, quality) != 0)
		throw EGameError("vorbis_encode_init_vbr failed");
	vorbis_comment comment;
	vorbis_comment_init(&comment);
	vorbis_comment_add_tag(&comment, "ENCODER", "audiogen");
	vorbis_dsp_state dsp;
	vorbis_block block;
	vorbis_analysis_init(&dsp, &info);
	vorbis_block_init(&dsp, &block);
	ogg_stream_state stream;
	ogg_stream_init(&stream, StreamSerial);

	std::vector<uint8_t> out;
	ogg_packet header, headerComment, headerCode;
	vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
	ogg_stream_packetin(&stream, &header);
	ogg_stream_packetin(&stream, &headerComment);
	ogg_stream_packetin(&stream, &headerCode);
	ogg_page page;
	while (ogg_stream_flush(&stream, &page) != 0)
		AppendPage(out, page);

	const size_t frames = audio.Frames();
	const size_t chunk = 4096;
	bool finished = false;
	for (size_t done = 0; !finished;) {
		const size_t count = std::min(chunk, frames - done);
		if (count == 0) {
			vorbis_analysis_wrote(&dsp, 0);
		} else {
			float **buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
			for (size_t i = 0; i < count; ++i)
				for (int c = 0; c < audio.Channels; ++c)
					buffer[c][i] = audio.Samples[(done + i) * audio.Channels + static_cast<size_t>(c)];
			vorbis_analysis_wrote(&dsp, static_cast<int>(count));
			done += count;
		}
		while (vorbis_analysis_blockout(&dsp, &block) == 1) {
			vorbis_analysis(&block, nullptr);
			vorbis_bitrate_addblock(&block);
			ogg_packet packet;
			while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
				ogg_stream_packetin(&stream, &packet);
				while (ogg_stream_pageout(&stream, &page) != 0) {
					AppendPage(out, page);
					if (ogg_page_eos(&page))
						finished = true;
				}
			}
		}
		if (count == 0 && !finished) {
			while (ogg_stream_flush(&stream, &page) != 0)
				AppendPage(out, page);
			finished = true;
		}
	}
	ogg_stream_clear(&stream);
	vorbis_block_clear(&block);
	vorbis_dsp_clear(&dsp);
	vorbis_comment_clear(&comment);
	vorbis_info_clear(&info);
	return out;
}

TAudio DecodeVorbis(const std::vector<uint8_t> &bytes)
{
	TMemoryFile file{&bytes, 0};
	ov_callbacks callbacks{ReadMemory, nullptr, nullptr, nullptr};
	OggVorbis_File vf;
	if (ov_open_callbacks(&file, &vf, nullptr, 0, callbacks) != 0)
		throw EGameError("not an Ogg Vorbis stream");
	TAudio audio;
	audio.Channels = ov_info(&vf, -1)->channels;
	for (;;) {
		float **pcm = nullptr;
		int section = 0;
		const long got = ov_read_float(&vf, &pcm, 4096, &section);
		if (got < 0) {
			ov_clear(&vf);
			throw EGameError("corrupt Ogg Vorbis stream");
		}
		if (got == 0)
			break;
		for (long i = 0; i < got; ++i)
			for (int c = 0; c < audio.Channels; ++c)
				audio.Samples.push_back(pcm[c][i]);
	}
	ov_clear(&vf);
	return audio;
}

TLoudness MeasureLoudness(const TAudio &audio)
{
	TLoudness result;
	const size_t frames = audio.Frames();
	result.Seconds = static_cast<double>(frames) / SampleRate;
	double peak = 0;
	for (const float s : audio.Samples)
		peak = std::max(peak, static_cast<double>(std::abs(s)));
	result.PeakDb = ToDb(peak);

	const size_t window = Frames(0.05);
	std::vector<double> energies;
	for (size_t start = 0; start < frames; start += window) {
		const size_t end = std::min(frames, start + window);
		double sum = 0;
		for (size_t i = start * audio.Channels; i < end * audio.Channels; ++i)
			sum += static_cast<double>(audio.Samples[i]) * audio.Samples[i];
		energies.push_back(sum / static_cast<double>((end - start) * audio.Channels));
	}
	if (energies.empty())
		return result;
	const double loudest = *std::max_element(energies.begin(), energies.end());
	double sum = 0;
	size_t count = 0;
	size_t crossings = 0;
	size_t activeFrames = 0;
	for (size_t w = 0; w < energies.size(); ++w)
		if (energies[w] >= loudest * 1e-3) {
			sum += energies[w];
			++count;
			const size_t end = std::min(frames, (w + 1) * window);
			activeFrames += end - w * window;
			for (size_t i = std::max<size_t>(w * window, 1); i < end; ++i)
				if ((audio.Samples[i * audio.Channels] >= 0) != (audio.Samples[(i - 1) * audio.Channels] >= 0))
					++crossings;
		}
	result.BrightnessHz = activeFrames > 0 ? 0.5 * static_cast<double>(crossings) * SampleRate / static_cast<double>(activeFrames) : 0;
	result.RmsDb = count > 0 ? 10.0 * std::log10(std::max(sum / static_cast<double>(count), 1e-20)) : -200.0;
	return result;
}

void NormalizeLoudness(TAudio &audio, double targetRmsDb, double peakDb)
{
	const TLoudness loudness = MeasureLoudness(audio);
	if (loudness.RmsDb <= -199)
		return;
	double gainDb = targetRmsDb - loudness.RmsDb;
	gainDb = std::min(gainDb, peakDb - loudness.PeakDb);
	const float gain = static_cast<float>(std::pow(10.0, gainDb / 20.0));
	for (float &s : audio.Samples)
		s *= gain;
}

} // namespace vantero::audiogen
