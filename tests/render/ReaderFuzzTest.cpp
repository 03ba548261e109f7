// Random mutations of valid pictures, ".gfx" files and ".pak" bundles: every reader must either
// load the input or raise an EGameError, never crash or throw anything else.

#include "PoolTestKit.h"

#include "render/UGraphicsFile.h"
#include "render/USpritePool.h"
#include "render/UValueStream.h"

#include <zlib.h>

#include <random>

namespace vantero::rendertest {
namespace {

class ReaderFuzzTest : public PoolTest {
protected:
	// A copy of the input with one to four random edits; half of the byte edits fall into the
	// first `hot` bytes or the last `hot` bytes, where the structure of a file lives.
	std::vector<uint8_t> Mutate(std::vector<uint8_t> bytes, size_t hot)
	{
		const int edits = 1 + static_cast<int>(Random() % 4);
		for (int e = 0; e < edits; ++e) {
			auto position = [&]() -> size_t {
				if (bytes.empty())
					return 0;
				if (Random() % 2 == 0 && hot > 0) {
					const size_t offset = Random() % std::min(hot, bytes.size());
					return Random() % 2 == 0 ? offset : bytes.size() - 1 - offset;
				}
				return Random() % bytes.size();
			};
			static const uint8_t interesting[] = {0, 1, 2, 3, 4, 5, 6, 8, 9, 12, 20, 0x7F, 0x80, 0xFE, 0xFF};
			switch (Random() % 6) {
			case 0:
				if (!bytes.empty())
					bytes[position()] ^= static_cast<uint8_t>(1u << (Random() % 8));
				break;
			case 1:
				if (!bytes.empty())
					bytes[position()] = static_cast<uint8_t>(Random());
				break;
			case 2:
				if (!bytes.empty())
					bytes[position()] = interesting[Random() % std::size(interesting)];
				break;
			case 3:
				bytes.resize(Random() % (bytes.size() + 1));
				break;
			case 4: {
				const size_t at = position();
				const size_t count = 1 + Random() % 8;
				for (size_t i = 0; i < count; ++i)
					bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(std::min(at, bytes.size())),
						static_cast<uint8_t>(Random()));
				break;
			}
			default:
				if (bytes.size() > 8) {
					const size_t at = position() % (bytes.size() - 4);
					const size_t count = std::min<size_t>(1 + Random() % 16, bytes.size() - at);
					bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at),
						bytes.begin() + static_cast<std::ptrdiff_t>(at + count));
				}
				break;
			}
		}
		return bytes;
	}

	// Runs the call; an EGameError is a clean refusal, anything else escapes and fails the test.
	template <typename F>
	void Survive(F &&call)
	{
		try {
			call();
			++Loaded;
		} catch (const EGameError &) {
			++Refused;
		}
		ErrorRaised = false;
	}

	static std::vector<uint8_t> Compress(const std::vector<uint8_t> &bytes)
	{
		uLongf size = compressBound(static_cast<uLong>(bytes.size()));
		std::vector<uint8_t> out(size);
		compress2(out.data(), &size, bytes.data(), static_cast<uLong>(bytes.size()), 1);
		out.resize(size);
		return out;
	}

	void PutSamples(const std::string &folder)
	{
		Put(folder + "/hud.2.png", PngBytes(8, 4, Gradient(8, 4), true));
		Put(folder + "/hud_a.2.png", PngBytes(8, 4, Solid(8, 4, Rgb(0, 0, 77)), false));
		Put(folder + "/walk.gif", GifBytes(3, 2, {0xFF0000, 0x00FF00},
			{{0, 0, 3, 2, {0, 1, 0, 1, 0, 1}, 1}, {1, 0, 2, 2, {1, 1, 0, 0}, -1}}));
		Put(folder + "/back.jpg", JpegBytes(8, 8, Gradient(8, 8)));
	}

	std::mt19937 Random;
	int Loaded = 0;
	int Refused = 0;
};

TEST_F(ReaderFuzzTest, MutatedPicturesDecodeOrRaise)
{
	const std::pair<std::string, std::vector<uint8_t>> samples[] = {
		{"strip.2.png", PngBytes(8, 4, Gradient(8, 4), true)},
		{"plain.png", PngBytes(5, 3, Gradient(5, 3), false)},
		{"anim.gif", GifBytes(4, 3, {0xFF0000, 0x00FF00, 0x0000FF},
			{{0, 0, 4, 3, std::vector<uint8_t>(12, 1), 2}, {1, 1, 2, 2, {0, 2, 2, 0}, 2}})},
		{"strip.3.jpg", JpegBytes(12, 8, Gradient(12, 8))},
	};
	for (const auto &[name, bytes] : samples) {
		Random.seed(static_cast<uint32_t>(bytes.size()));
		for (int i = 0; i < 2000; ++i) {
			const std::vector<uint8_t> mutated = Mutate(bytes, 64);
			Survive([&] {
				const auto file = DecodeGraphicsFile(name, mutated.data(), mutated.size());
				ASSERT_NE(file, nullptr);
				for (int f = 0; f < file->FrameCount(); ++f)
					ASSERT_GT(file->Picture(f).Width(), 0);
			});
		}
	}
	EXPECT_GT(Loaded, 0);
	EXPECT_GT(Refused, 0);
}

TEST_F(ReaderFuzzTest, MutatedGfxFilesLoadOrRaise)
{
	OpenPoolDevice({.LoadFromGFX = "1"});
	PutSamples("seed");
	{
		TSpritePool pool(false);
		pool.LoadFolder("seed", "seed", false, true);
	}
	const std::vector<uint8_t> gfx = ReadBytes(Folder / "graphics/seed.gfx");
	Random.seed(1234);
	for (int i = 0; i < 1200; ++i) {
		WriteBytes(Folder / "graphics/fz.gfx", Mutate(gfx, 1100));
		TSpritePool pool(false);
		Survive([&] { pool.LoadFolder("fz", "fz", false, true); });
	}
	EXPECT_GT(Loaded, 0);
	EXPECT_GT(Refused, 0);
}

TEST_F(ReaderFuzzTest, MutatedBundlesLoadOrRaise)
{
	OpenPoolDevice();
	PutSamples("seed");
	{
		TSpritePool pool(false);
		pool.LoadFolder("seed", "fz", true, false);
		pool.SaveBundle("fz");
	}
	const fs::path bundle = CachePath() / "fz.32.pak";
	const std::vector<uint8_t> compressed = ReadBytes(bundle);
	TZlibSource source(compressed.data(), compressed.size());
	std::vector<uint8_t> content(2u << 20);
	content.resize(source.Read(content.data(), content.size()));
	// The allocator state sits before the texel rows and the sequences after them.
	const size_t hot = 700;
	Random.seed(99);
	for (int i = 0; i < 1000; ++i) {
		const bool raw = i % 4 == 0;
		WriteBytes(bundle, raw ? Mutate(compressed, 64) : Compress(Mutate(content, hot)));
		TSpritePool pool(false);
		Survive([&] { pool.LoadBundle("fz", false); });
		// Freeing the sequences returns every piece to the allocators read from the stream.
		pool.Clear();
	}
	EXPECT_GT(Loaded, 0);
	EXPECT_GT(Refused, 0);
}

} // namespace
} // namespace vantero::rendertest
